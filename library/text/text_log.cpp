// The ring of the last 25 printed lines and QZ370_print, the one way every
// notice, log line and message reaches the text window.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "library_state.h"

TextLog text_log = {{}, -1, 0};
void (*print_observer)(const char *line) = nullptr;

// Guards the out-of-memory notice, which is itself printed: if its own line
// cannot be stored either, it is shown without a further notice.
static bool reporting_allocation_failure = false;

// A missing format formats as empty text.
int format_line(char (&buffer)[PRINT_BUFFER_SIZE], const char *format, va_list arguments)
{
    const int produced = format != nullptr ? vsnprintf(buffer, sizeof buffer, format, arguments) : 0;
    if (produced <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    return produced < PRINT_BUFFER_SIZE ? produced : PRINT_BUFFER_SIZE - 1;
}

static int32_t next_ring_slot(int32_t slot)
{
    return (slot + 1) % TEXT_LOG_LINES;
}

HGLOBAL copy_to_block(const char *text, size_t n)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, n + 1);
    if (block == nullptr) {
        return nullptr;
    }
    char *bytes = static_cast<char *>(GlobalLock(block));
    memcpy(bytes, text, n);
    bytes[n] = '\0';
    GlobalUnlock(block);
    return block;
}

// The block is made before the oldest line is given up, so a line that cannot
// be stored leaves the ring as it was.
static bool store_line(const char *line, size_t n)
{
    HGLOBAL block = copy_to_block(line, n);
    if (block == nullptr) {
        return false;
    }
    if (text_log.oldest == text_log.next_slot) {
        GlobalFree(text_log.lines[text_log.oldest]);
        text_log.oldest = next_ring_slot(text_log.oldest);
    }
    text_log.lines[text_log.next_slot] = block;
    if (text_log.oldest == -1) {
        text_log.oldest = text_log.next_slot;
    }
    text_log.next_slot = next_ring_slot(text_log.next_slot);
    return true;
}

// Longer text is cut to the buffer's 1023 characters; the result is the count
// of characters kept.
int QZ370_print(const char *format, ...)
{
    char buffer[PRINT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    const int kept = format_line(buffer, format, arguments);
    va_end(arguments);
    const size_t n = strlen(buffer);
    const bool stored = store_line(buffer, n);
    if (print_observer != nullptr) {
        print_observer(buffer);
    }
    // Whoever watches the program (a debugger, a replay) sees every line whole.
    OutputDebugStringA(buffer);
    append_text_line(buffer);
    if (!stored && !reporting_allocation_failure) {
        reporting_allocation_failure = true;
        QZ370_print("Out of memory: line not stored\n");
        reporting_allocation_failure = false;
    }
    return kept;
}
