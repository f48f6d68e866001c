// Text on a drawing context: colours, background mode, measuring and drawing
// with the context's font through the font mapper.
#include "gdi_internals.h"

using namespace qz370::platform;

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = context->text_color;
    context->text_color = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc)
{
    DeviceContext *context = context_from(hdc);
    return context == nullptr ? CLR_INVALID : context->text_color;
}

int WINAPI GetBkMode(HDC hdc)
{
    DeviceContext *context = context_from(hdc);
    return context == nullptr ? 0 : context->bk_mode;
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    int previous = context->bk_mode;
    context->bk_mode = mode;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc)
{
    DeviceContext *context = context_from(hdc);
    return context == nullptr ? CLR_INVALID : context->bk_color;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = context->bk_color;
    context->bk_color = color;
    return previous;
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
    ContextSurface target;
    if (context == nullptr || count < 0 || (text == nullptr && count > 0) || !surface_of(hdc, &target)) {
        return FALSE;
    }
    uint32_t background = qz370::raster::from_colorref(context->bk_color);
    qz370::fonts::draw(target.surface, face_for_font(context->font), shift(x, target.origin.x),
                       shift(y, target.origin.y), text, count, qz370::raster::from_colorref(context->text_color),
                       context->bk_mode == OPAQUE ? &background : nullptr);
    surface_drawn(target);
    return TRUE;
}
