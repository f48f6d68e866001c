#include "terminal_text.h"

#include <cstdio>

namespace replay {

namespace {

constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr unsigned char DELETE = 0x7F;

// A tab only moves the cursor; every other control byte may do more.
bool is_control(unsigned char byte) { return (byte < FIRST_PRINTABLE && byte != '\t') || byte == DELETE; }

}  // namespace

std::string as_terminal_text(const std::string &text) {
    std::string shown;
    shown.reserve(text.size());
    for (unsigned char byte : text) {
        if (is_control(byte)) {
            char escape[sizeof "\\xHH"];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

}  // namespace replay
