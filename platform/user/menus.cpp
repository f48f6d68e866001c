// Menus and their items: building them, check marks, and the queries Win32
// offers by command id or by position.
#include "handles.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace qz370::platform {

namespace {

// Pop-ups nested deeper than this are not searched: a menu appended to itself
// must not send a search round for ever.
constexpr int DEEPEST_MENU_SEARCH = 16;
constexpr UINT STATE_FLAGS = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;
constexpr UINT NOT_FOUND = 0xFFFFFFFF;
constexpr int POPUP_COUNT_SHIFT = 8;  // GetMenuState puts a pop-up's item count in its high byte

std::map<uintptr_t, std::unique_ptr<Menu>> menus;

HMENU new_menu(bool popup)
{
    uintptr_t value = new_handle_value(HandleKind::MENU);
    menus[value] = std::make_unique<Menu>(Menu{popup, {}});
    return handle_from_value<HMENU>(value);
}

bool is_enabled(const MenuItem &item)
{
    return (item.flags & (MF_GRAYED | MF_DISABLED)) == 0;
}

Menu *submenu_of(const MenuItem &item)
{
    return (item.flags & MF_POPUP) != 0 ? menu_from(handle_from_value<HMENU>(item.id)) : nullptr;
}

MenuItem *search_command(Menu *menu, UINT id, bool enabled_only, int depth)
{
    if (menu == nullptr || depth > DEEPEST_MENU_SEARCH) {
        return nullptr;
    }
    for (MenuItem &item : menu->items) {
        if (enabled_only && !is_enabled(item)) {
            continue;
        }
        if (Menu *submenu = submenu_of(item)) {
            if (MenuItem *found = search_command(submenu, id, enabled_only, depth + 1)) {
                return found;
            }
        } else if ((item.flags & MF_SEPARATOR) == 0 && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

MenuItem *find_item(HMENU menu, UINT id_or_position, UINT flags)
{
    Menu *found = menu_from(menu);
    if (found == nullptr) {
        return nullptr;
    }
    if ((flags & MF_BYPOSITION) != 0) {
        return id_or_position < found->items.size() ? &found->items[id_or_position] : nullptr;
    }
    return find_menu_command(found, id_or_position);
}

}  // namespace

Menu *menu_from(HMENU menu)
{
    auto found = menus.find(value_of(menu));
    return found == menus.end() ? nullptr : found->second.get();
}

MenuItem *find_menu_command(Menu *menu, UINT id)
{
    return search_command(menu, id, false, 0);
}

MenuItem *find_enabled_menu_command(Menu *menu, UINT id)
{
    return search_command(menu, id, true, 0);
}

}  // namespace qz370::platform

using namespace qz370::platform;

HMENU WINAPI CreateMenu(void)
{
    return new_menu(false);
}

HMENU WINAPI CreatePopupMenu(void)
{
    return new_menu(true);
}

BOOL WINAPI AppendMenuA(HMENU menu, UINT flags, UINT_PTR id_or_popup, LPCSTR text)
{
    Menu *found = menu_from(menu);
    if (found == nullptr) {
        return FALSE;
    }
    bool separator = (flags & MF_SEPARATOR) != 0;
    std::string label = separator || text == nullptr ? "" : text;
    found->items.push_back(MenuItem{flags & STATE_FLAGS, separator ? 0 : id_or_popup, label});
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU menu, UINT id, UINT check)
{
    MenuItem *item = find_item(menu, id, check);
    if (item == nullptr) {
        return NOT_FOUND;
    }
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT WINAPI GetMenuState(HMENU menu, UINT id, UINT flags)
{
    MenuItem *item = find_item(menu, id, flags);
    if (item == nullptr) {
        return NOT_FOUND;
    }
    if (Menu *submenu = submenu_of(*item)) {
        UINT count = static_cast<UINT>(std::min<size_t>(submenu->items.size(), 0xFF));
        return (count << POPUP_COUNT_SHIFT) | (item->flags & 0xFF);
    }
    return item->flags;
}

int WINAPI GetMenuItemCount(HMENU menu)
{
    Menu *found = menu_from(menu);
    return found == nullptr ? -1 : static_cast<int>(found->items.size());
}

UINT WINAPI GetMenuItemID(HMENU menu, int position)
{
    MenuItem *item = position < 0 ? nullptr : find_item(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (item == nullptr || (item->flags & MF_POPUP) != 0) {
        return NOT_FOUND;
    }
    return static_cast<UINT>(item->id);
}

HMENU WINAPI GetSubMenu(HMENU menu, int position)
{
    MenuItem *item = position < 0 ? nullptr : find_item(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (item == nullptr || submenu_of(*item) == nullptr) {
        return nullptr;
    }
    return handle_from_value<HMENU>(item->id);
}

int WINAPI GetMenuStringA(HMENU menu, UINT id, LPSTR text, int max_count, UINT flags)
{
    MenuItem *item = find_item(menu, id, flags);
    if (item == nullptr) {
        return 0;
    }
    if (text == nullptr || max_count <= 0) {
        return static_cast<int>(item->text.size());
    }
    size_t count = std::min(item->text.size(), static_cast<size_t>(max_count) - 1);
    std::memcpy(text, item->text.data(), count);
    text[count] = '\0';
    return static_cast<int>(count);
}
