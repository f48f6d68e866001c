// The public text operations. The renderer draws from a private copy of the
// text in a movable block that lives only for the call.
#include <cstdarg>
#include <cstring>

#include "argument_repair.h"
#include "library_state.h"

static HGLOBAL copy_text(const char *text)
{
    const size_t n = strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, n + 1);
    if (block == nullptr) {
        return nullptr;
    }
    char *bytes = static_cast<char *>(GlobalLock(block));
    memcpy(bytes, text, n + 1);
    GlobalUnlock(block);
    return block;
}

// A missing text is drawn and logged as empty text.
int QZ370_text_pt(int colour, Point p, int ptsize, const char *text)
{
    if (text == nullptr) {
        text = "";
    }
    ptsize = repair_ptsize(ptsize);
    colour = check_color(colour);
    if (logging) {
        QZ370_print("%s text at (%d,%d), \"%s\"\n", Palette[colour].name, p.x, p.y, text);
    }
    HGLOBAL copy = copy_text(text);
    if (copy == nullptr) {
        QZ370_print("Out of memory: text not drawn\n");
        return 1;
    }
    DrawCommand command = {};
    command.kind = CMD_TEXT;
    command.color = colour;
    command.text.x = p.x;
    command.text.y = p.y;
    command.text.ptsize = ptsize;
    command.text.text = copy;
    render_command(command);
    GlobalFree(copy);
    return 1;
}

int QZ370_text(int colour, int x, int y, int ptsize, const char *text)
{
    return QZ370_text_pt(colour, Point{x, y}, ptsize, text);
}

// The result is the count of characters kept, so it never claims more than
// was drawn.
int QZ370_text_printf_pt(int colour, Point p, int ptsize, const char *format, ...)
{
    char buffer[PRINT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    const int kept = format_line(buffer, format, arguments);
    va_end(arguments);
    QZ370_text_pt(colour, p, ptsize, buffer);
    return kept;
}

int QZ370_text_printf(int colour, int x, int y, int ptsize, const char *format, ...)
{
    char buffer[PRINT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    const int kept = format_line(buffer, format, arguments);
    va_end(arguments);
    QZ370_text(colour, x, y, ptsize, buffer);
    return kept;
}
