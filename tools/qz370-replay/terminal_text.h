// Text that came from a script or a program, made safe to print on a
// terminal: a control byte is shown as \xHH, as the script writer shows one,
// so that no escape sequence in it reaches the terminal.
#pragma once

#include <string>

namespace replay {

std::string as_terminal_text(const std::string &text);

}  // namespace replay
