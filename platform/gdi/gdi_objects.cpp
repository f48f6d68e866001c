// Pens, brushes, fonts and bitmaps: creating, deleting, the stock objects, and
// what each becomes when the rasteriser and the font mapper draw with it.
#include "gdi/gdi_internals.h"
#include "handles.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace qz370::platform {

namespace {

constexpr int MAX_BITMAP_EXTENT = 16384;
constexpr int64_t MAX_BITMAP_PIXELS = int64_t{1} << 26;
// Beyond this, a font height asks for glyphs larger than any screen.
constexpr int MAX_FONT_HEIGHT = 1000;
constexpr int LIGHT_GRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DARK_GRAY_BRUSH = 3;
constexpr int HIGHEST_STOCK_OBJECT = DEFAULT_GUI_FONT;

using ObjectTable = std::map<uintptr_t, GdiObject>;

ObjectTable objects;
std::map<int, HGDIOBJ> stock_objects;
// The nodes of a few deleted objects, kept for the next ones: the library
// creates and deletes a pen and a brush for every shape it draws, and a heap
// block for each would cost more than drawing a small shape.
constexpr size_t MOST_SPARE_NODES = 8;
std::vector<ObjectTable::node_type> spare_nodes;
RecentEntries<GdiObject> recent_objects;

HGDIOBJ add_object(GdiObject object)
{
    uintptr_t value = new_handle_value();
    ObjectTable::iterator added;
    if (spare_nodes.empty()) {
        added = objects.emplace(value, std::move(object)).first;
    } else {
        ObjectTable::node_type node = std::move(spare_nodes.back());
        spare_nodes.pop_back();
        node.key() = value;
        node.mapped() = std::move(object);
        added = objects.insert(std::move(node)).position;
    }
    recent_objects.remember(value, &added->second);
    return handle_from_value<HGDIOBJ>(value);
}

void remove_object(uintptr_t value)
{
    recent_objects.forget(value);
    ObjectTable::node_type node = objects.extract(value);
    if (spare_nodes.size() < MOST_SPARE_NODES) {
        node.mapped() = GdiObject{};  // a spare node keeps no bitmap's pixels
        spare_nodes.push_back(std::move(node));
    }
}

GdiObject pen_object(int style, int width, COLORREF color)
{
    GdiObject object{};
    object.kind = ObjectKind::Pen;
    object.pen = PenData{style, std::max(width, 0), color};
    return object;
}

GdiObject brush_object(bool hollow, COLORREF color)
{
    GdiObject object{};
    object.kind = ObjectKind::Brush;
    object.brush = BrushData{hollow, color};
    return object;
}

GdiObject font_object(fonts::Family family, int height, int weight)
{
    GdiObject object{};
    object.kind = ObjectKind::Font;
    object.font = FontData{family, std::clamp(height, -MAX_FONT_HEIGHT, MAX_FONT_HEIGHT),
                           weight <= 0 ? FW_NORMAL : weight};
    return object;
}

GdiObject bitmap_object(int width, int height)
{
    GdiObject object{};
    object.kind = ObjectKind::Bitmap;
    object.bitmap.width = width;
    object.bitmap.height = height;
    object.bitmap.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return object;
}

bool stock_object_for(int index, GdiObject *object)
{
    switch (index) {
    case WHITE_BRUSH:
        *object = brush_object(false, RGB(255, 255, 255));
        return true;
    case LIGHT_GRAY_BRUSH:
        *object = brush_object(false, RGB(192, 192, 192));
        return true;
    case GRAY_BRUSH:
        *object = brush_object(false, RGB(128, 128, 128));
        return true;
    case DARK_GRAY_BRUSH:
        *object = brush_object(false, RGB(64, 64, 64));
        return true;
    case BLACK_BRUSH:
        *object = brush_object(false, RGB(0, 0, 0));
        return true;
    case NULL_BRUSH:
        *object = brush_object(true, 0);
        return true;
    case WHITE_PEN:
        *object = pen_object(PS_SOLID, 0, RGB(255, 255, 255));
        return true;
    case BLACK_PEN:
        *object = pen_object(PS_SOLID, 0, RGB(0, 0, 0));
        return true;
    case NULL_PEN:
        *object = pen_object(PS_NULL, 0, 0);
        return true;
    case ANSI_FIXED_FONT:
        *object = font_object(fonts::Family::Mono, 0, FW_NORMAL);
        return true;
    case ANSI_VAR_FONT:
        *object = font_object(fonts::Family::Sans, 0, FW_NORMAL);
        return true;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        *object = font_object(fonts::Family::System, 0, FW_NORMAL);
        return true;
    default:
        return false;
    }
}

}  // namespace

GdiObject *gdi_object_from(HGDIOBJ object)
{
    return recent_objects.find_in(objects, value_of(object));
}

HBITMAP default_bitmap()
{
    static HGDIOBJ bitmap = nullptr;
    if (bitmap == nullptr) {
        GdiObject object = bitmap_object(1, 1);
        object.stock = true;
        bitmap = add_object(object);
    }
    return static_cast<HBITMAP>(bitmap);
}

raster::Pen pen_for(HPEN pen)
{
    GdiObject *object = gdi_object_from(pen);
    if (object == nullptr || object->kind != ObjectKind::Pen || object->pen.style == PS_NULL) {
        return raster::Pen{false, 0, 0};
    }
    return raster::Pen{true, object->pen.width, raster::from_colorref(object->pen.color)};
}

raster::Brush brush_for(HBRUSH brush)
{
    GdiObject *object = gdi_object_from(brush);
    if (object == nullptr || object->kind != ObjectKind::Brush || object->brush.hollow) {
        return raster::Brush{false, 0};
    }
    return raster::Brush{true, raster::from_colorref(object->brush.color)};
}

const fonts::Face *face_for_font(HFONT font)
{
    GdiObject *object = gdi_object_from(font);
    if (object == nullptr || object->kind != ObjectKind::Font) {
        return fonts::face_for(fonts::Family::System, 0, FW_NORMAL);
    }
    return fonts::face_for(object->font.family, object->font.height, object->font.weight);
}

}  // namespace qz370::platform

using namespace qz370::platform;

HGDIOBJ WINAPI GetStockObject(int index)
{
    if (index < 0 || index > HIGHEST_STOCK_OBJECT) {
        return nullptr;
    }
    auto found = stock_objects.find(index);
    if (found != stock_objects.end()) {
        return found->second;
    }
    GdiObject object{};
    if (!stock_object_for(index, &object)) {
        return nullptr;
    }
    object.stock = true;
    HGDIOBJ handle = add_object(object);
    stock_objects[index] = handle;
    return handle;
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color)
{
    return static_cast<HPEN>(add_object(pen_object(style, width, color)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    return static_cast<HBRUSH>(add_object(brush_object(false, color)));
}

HFONT WINAPI CreateFontA(int height, int, int, int, int weight, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                         DWORD, LPCSTR)
{
    // Whatever face is asked for, the font mapper's sans-serif face stands in.
    return static_cast<HFONT>(add_object(font_object(qz370::fonts::Family::Sans, height, weight)));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC, int width, int height)
{
    if (width <= 0 || height <= 0 || width > MAX_BITMAP_EXTENT || height > MAX_BITMAP_EXTENT ||
        int64_t{width} * height > MAX_BITMAP_PIXELS) {
        return nullptr;
    }
    return static_cast<HBITMAP>(add_object(bitmap_object(width, height)));
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    GdiObject *found = gdi_object_from(object);
    if (found == nullptr) {
        return FALSE;
    }
    if (found->stock) {
        return TRUE;
    }
    // Win32 refuses to delete what a drawing context still holds.
    if (selected_anywhere(object)) {
        return FALSE;
    }
    end_pixel_loan_of_bitmap(object, nullptr);
    remove_object(value_of(object));
    return TRUE;
}
