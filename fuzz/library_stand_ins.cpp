// The library state and operations the script reader touches, without the
// window system: the input state, the Run menu's check marks, and printing
// (formatted, so the messages' formats are exercised too).
#include "library_state.h"

#include <cstdarg>

InputState input = {};
HMENU run_menu = nullptr;

DWORD WINAPI CheckMenuItem(HMENU, UINT, UINT)
{
    return 0;
}

int QZ370_print(const char *format, ...)
{
    char line[PRINT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    const int count = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    return count;
}
