// The user's input in the page, as the window system sees it: the messages of
// the windows it is meant for.
#pragma once

#include <cstdint>

#include "display/web/web_page.h"

namespace qz370::web {

bool input_pending();
// Every input the page holds; while a menu is open, the menu takes it.
void translate_pending_input();

// The next input, or false when the page holds none; fields has INPUT_FIELDS.
bool next_input(int32_t *fields);

}  // namespace qz370::web
