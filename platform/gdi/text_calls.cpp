// Text on a drawing context: colours, background mode, measuring and drawing
// with the context's font through the font mapper.
#include "gdi/deferred_painting.h"
#include "gdi/gdi_internals.h"

#include <type_traits>
#include <utility>

using namespace qz370::platform;

namespace {

// One text setting of a context, or `failure` when hdc is not a context.
template <typename Value>
Value setting_of(HDC hdc, Value DeviceContext::*setting, std::type_identity_t<Value> failure)
{
    const DeviceContext *context = context_from(hdc);
    return context == nullptr ? failure : context->*setting;
}

// Replaces one text setting of a context and gives back the one it had.
template <typename Value>
Value replace_setting(HDC hdc, Value DeviceContext::*setting, std::type_identity_t<Value> value,
                      std::type_identity_t<Value> failure)
{
    DeviceContext *context = context_from(hdc);
    return context == nullptr ? failure : std::exchange(context->*setting, value);
}

}  // namespace

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    return replace_setting(hdc, &DeviceContext::text_color, color, CLR_INVALID);
}

COLORREF WINAPI GetTextColor(HDC hdc)
{
    return setting_of(hdc, &DeviceContext::text_color, CLR_INVALID);
}

int WINAPI GetBkMode(HDC hdc)
{
    return setting_of(hdc, &DeviceContext::bk_mode, 0);
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return replace_setting(hdc, &DeviceContext::bk_mode, mode, 0);
}

COLORREF WINAPI GetBkColor(HDC hdc)
{
    return setting_of(hdc, &DeviceContext::bk_color, CLR_INVALID);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    return replace_setting(hdc, &DeviceContext::bk_color, color, CLR_INVALID);
}

BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR text, int count, LPSIZE size)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0)) {
        return FALSE;
    }
    *size = qz370::fonts::measure(face_for_font(context->font), text, count);
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr || metrics == nullptr) {
        return FALSE;
    }
    qz370::fonts::metrics(face_for_font(context->font), metrics);
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr || count < 0 || (text == nullptr && count > 0)) {
        return FALSE;
    }
    if (defer_text(*context, x, y, text, count)) {
        return TRUE;
    }
    ContextSurface target;
    if (!surface_of(hdc, &target)) {
        return FALSE;
    }
    uint32_t background = qz370::raster::from_colorref(context->bk_color);
    const RECT changed = qz370::fonts::draw(
        target.surface, face_for_font(context->font), shift(x, target.origin.x), shift(y, target.origin.y), text, count,
        qz370::raster::from_colorref(context->text_color), context->bk_mode == OPAQUE ? &background : nullptr);
    surface_drawn(target, changed);
    return TRUE;
}
