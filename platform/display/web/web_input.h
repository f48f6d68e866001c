// The user's input in the page, as the window system sees it: the messages of
// the windows it is meant for.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display/web/web_page.h"

namespace qz370::web {

// The window an input's FIELD_WINDOW names.
inline HWND handle_of(int32_t id) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(id))); }

bool input_pending();
// Every input the page holds; while a menu is open, the menu takes it.
void translate_pending_input();

// The next input, or false when the page holds none; fields has INPUT_FIELDS.
bool next_input(int32_t *fields);

}  // namespace qz370::web
