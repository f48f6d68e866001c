// What a screen's menu loop lets through while a menu is open.
#pragma once

namespace qz370::menus {

// Timers and repaints go on while the menu is open. False when the quit
// request came instead: it is left for the program, and the menu closes.
bool deliver_timers_and_paints();

}  // namespace qz370::menus
