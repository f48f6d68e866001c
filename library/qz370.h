/* QZ370: a small graphics-and-event library. One graphics window with a Run
 * menu, one text window, an event wait that hands out one event at a time,
 * drawing in a 24-colour palette, script recording and playback, and a
 * one-line input dialog. Usable from C and C++. */
#ifndef QZ370_H
#define QZ370_H

#include <windows.h>

/* Lets the compiler check the arguments of the printf-style operations
 * against their format. The library formats with the C99 printf, which is
 * MinGW's gnu_printf. A first-argument index of 0 marks a function that takes
 * its arguments as a va_list. */
#if defined(__MINGW32__) && !defined(__clang__)
#define QZ370_PRINTF_FORMAT(format_index, first_argument) \
    __attribute__((format(gnu_printf, format_index, first_argument)))
#elif defined(__GNUC__)
#define QZ370_PRINTF_FORMAT(format_index, first_argument) \
    __attribute__((format(printf, format_index, first_argument)))
#else
#define QZ370_PRINTF_FORMAT(format_index, first_argument)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Event kinds returned by QZ370_next_event. */
#define QZ370_MOUSE 1
#define QZ370_KBD 2
#define QZ370_PERIODIC 3
#define QZ370_EXIT 4

/* Animation modes for QZ370_set_animation. */
#define QZ370_HALT 0
#define QZ370_ONE_FRAME 1
#define QZ370_RUN 2
#define QZ370_END 5

/* One event. x, y and key travel together; the kind is the wait's result. */
typedef struct EventRecord {
    int x;
    int y;
    signed char key;
    int kind;
} EventRecord;

typedef struct Point {
    int x;
    int y;
} Point;

/* Opening and closing. */
int QZ370_begin(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command);
int QZ370_end(void);

/* Events and animation. */
int QZ370_next_event(int *x_out, int *y_out, char *key_out);
int QZ370_set_animation(int mode);

/* Drawing: integer forms. */
int QZ370_pixel(int colour, int x, int y);
int QZ370_circle(int colour, int x, int y, int radius);
int QZ370_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width);
int QZ370_rectangle(int colour, int x1, int y1, int x2, int y2, int width);
int QZ370_oval(int colour, int x1, int y1, int x2, int y2, int width);
int QZ370_line(int colour, int x1, int y1, int x2, int y2, int width);
int QZ370_text(int colour, int x, int y, int ptsize, const char *text);
int QZ370_text_printf(int colour, int x, int y, int ptsize, const char *format, ...) QZ370_PRINTF_FORMAT(5, 6);

/* Drawing: point forms. */
int QZ370_pixel_pt(int colour, Point p);
int QZ370_circle_pt(int colour, Point centre, int radius);
int QZ370_triangle_pt(int colour, Point p1, Point p2, Point p3, int width);
int QZ370_rectangle_pt(int colour, Point p1, Point p2, int width);
int QZ370_oval_pt(int colour, Point p1, Point p2, int width);
int QZ370_line_pt(int colour, Point p1, Point p2, int width);
int QZ370_text_pt(int colour, Point p, int ptsize, const char *text);
int QZ370_text_printf_pt(int colour, Point p, int ptsize, const char *format, ...) QZ370_PRINTF_FORMAT(4, 5);

int QZ370_clear_graphics(void);
int QZ370_undo(void);

/* Text window and call log. */
int QZ370_print(const char *format, ...) QZ370_PRINTF_FORMAT(1, 2);
int QZ370_set_logging(int on);
void QZ370_text_window(int show);

/* Line input: buffer holds at least 256 bytes. */
int QZ370_gets(const char *prompt, char *buffer);

#ifdef __cplusplus
}
#endif

#endif
