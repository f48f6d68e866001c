// The public text operations. The renderer draws from a private copy of the
// text in a movable block that lives only for the call.
#include <cstdarg>
#include <cstring>

#include "argument_repair.h"
#include "library_state.h"

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
    HGLOBAL copy = copy_to_block(text, strlen(text));
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
static int draw_formatted_text(int colour, Point p, int ptsize, const char *format, va_list arguments)
    QZ370_PRINTF_FORMAT(4, 0);

static int draw_formatted_text(int colour, Point p, int ptsize, const char *format, va_list arguments)
{
    char buffer[PRINT_BUFFER_SIZE];
    const int kept = format_line(buffer, format, arguments);
    QZ370_text_pt(colour, p, ptsize, buffer);
    return kept;
}

int QZ370_text_printf_pt(int colour, Point p, int ptsize, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int kept = draw_formatted_text(colour, p, ptsize, format, arguments);
    va_end(arguments);
    return kept;
}

int QZ370_text_printf(int colour, int x, int y, int ptsize, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int kept = draw_formatted_text(colour, Point{x, y}, ptsize, format, arguments);
    va_end(arguments);
    return kept;
}
