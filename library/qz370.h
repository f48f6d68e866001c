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

/* The palette: the colour argument of every drawing operation, by name. */
#define QZ370_BLACK 0
#define QZ370_WHITE 1 /* the background */
#define QZ370_RED 2   /* what an illegal colour is drawn in */
#define QZ370_GREEN 3
#define QZ370_BLUE 4
#define QZ370_YELLOW 5
#define QZ370_MAGENTA 6
#define QZ370_CYAN 7
#define QZ370_PURPLE 8
#define QZ370_NAVY_BLUE 9
#define QZ370_DUSTY_PLUM 10
#define QZ370_ICE_BLUE 11
#define QZ370_TURQUOISE 12
#define QZ370_ORANGE 13
#define QZ370_BROWN 14
#define QZ370_PINK 15
#define QZ370_CHALK 16
#define QZ370_GOLD 17
#define QZ370_PEACH 18
#define QZ370_FOREST_GREEN 19
#define QZ370_SEA_GREEN 20
#define QZ370_OLIVE 21
#define QZ370_GRAY_50 22 /* 50% gray */
#define QZ370_GRAY_20 23 /* 20% gray */
#define QZ370_PALETTE_SIZE 24

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

/* Opens the library: the graphics window with its Run menu, the text window,
 * the canvas and the 100 ms animation clock, halted. Takes the four values
 * WinMain received; with a previous instance the window classes are taken as
 * registered already, and the command line is not used. Call it first.
 * Returns 1. */
int QZ370_begin(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command);
/* Closes the library: lets go of the window's drawing context and closes
 * the script file if one is open. The windows stay until the process ends.
 * Call it last, after QZ370_EXIT. Returns 1. */
int QZ370_end(void);

/* Events and animation. */

/* Waits for the next event and returns its kind: QZ370_MOUSE (x, y: the
 * click in library coordinates), QZ370_KBD (key: the character typed; those
 * typed with Ctrl held are dropped), QZ370_PERIODIC (a tick of the animation
 * clock, while it runs) or QZ370_EXIT (the window was closed or Quit chosen;
 * once QZ370_END is set, every event comes as this kind). Shows what was
 * drawn while it waits, records to and plays from the script. x, y and key
 * are written on every return, 0 where the event carries nothing; any of them
 * may be null. After a QZ370_EXIT from a closed window, call QZ370_end and do
 * not wait again. */
int QZ370_next_event(int *x_out, int *y_out, char *key_out);
/* Sets the animation clock: QZ370_HALT stops periodic events,
 * QZ370_ONE_FRAME gives one at the next tick, QZ370_RUN one at every tick,
 * QZ370_END makes every later wait return QZ370_EXIT. Any other mode changes
 * nothing. Returns 0 before QZ370_begin, else 1. */
int QZ370_set_animation(int mode);

/* Drawing. Each operation draws at once on the canvas, which the next wait
 * shows. Coordinates are pixels from the centre of the graphics window's
 * client area, x to the right and y upwards, about -297 to 297 across and
 * -249 to 250 up in sight; any int is safe, and what falls outside is
 * clipped. colour is a palette index 0 to 23, QZ370_BLACK to QZ370_GRAY_20;
 * any other is drawn red after the notice "Illegal color N; using RED.". A
 * negative width or radius is used as its positive counterpart, after a
 * notice. While logging is on each call prints one line describing it.
 * Notices and log lines go to the text window. */

/* Drawing: integer forms, each the point form with (x, y) pairs as Points. */

/* One pixel. Returns 1. */
int QZ370_pixel(int colour, int x, int y);
/* A filled circle of the given radius (0: one pixel). Returns 1. */
int QZ370_circle(int colour, int x, int y, int radius);
/* A triangle: filled when width is 0, else outlined that many pixels wide.
 * Returns 1. */
int QZ370_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width);
/* A rectangle between two opposite corners, in either order: filled when
 * width is 0, else outlined. Returns 1. */
int QZ370_rectangle(int colour, int x1, int y1, int x2, int y2, int width);
/* The oval inside the box of two opposite corners, in either order: filled
 * when width is 0, else outlined (an outlined circle is an oval). Returns 1. */
int QZ370_oval(int colour, int x1, int y1, int x2, int y2, int width);
/* A line between two points, width pixels thick (0 draws as 1). Returns 1. */
int QZ370_line(int colour, int x1, int y1, int x2, int y2, int width);
/* Text in the library's proportional font, ptsize pixels high, with the
 * bottom-left of its first line at (x, y); each newline starts a line below.
 * ptsize runs 0 to 127: a negative one is used as its positive counterpart and
 * a larger one as 127, each after a notice. A null text counts as empty.
 * Returns 1. */
int QZ370_text(int colour, int x, int y, int ptsize, const char *text);
/* Formats as printf does, then draws the result as QZ370_text. Returns the
 * number of characters drawn: at most 1023, longer results are cut. */
int QZ370_text_printf(int colour, int x, int y, int ptsize, const char *format, ...)
    QZ370_PRINTF_FORMAT(5, 6);

/* Drawing: point forms, each alike in all else to its integer form. */

/* QZ370_pixel at p. Returns 1. */
int QZ370_pixel_pt(int colour, Point p);
/* QZ370_circle around centre. Returns 1. */
int QZ370_circle_pt(int colour, Point centre, int radius);
/* QZ370_triangle through p1, p2, p3. Returns 1. */
int QZ370_triangle_pt(int colour, Point p1, Point p2, Point p3, int width);
/* QZ370_rectangle with corners p1, p2. Returns 1. */
int QZ370_rectangle_pt(int colour, Point p1, Point p2, int width);
/* QZ370_oval in the box with corners p1, p2. Returns 1. */
int QZ370_oval_pt(int colour, Point p1, Point p2, int width);
/* QZ370_line from p1 to p2. Returns 1. */
int QZ370_line_pt(int colour, Point p1, Point p2, int width);
/* QZ370_text at p. Returns 1. */
int QZ370_text_pt(int colour, Point p, int ptsize, const char *text);
/* QZ370_text_printf at p. Returns the number of characters drawn. */
int QZ370_text_printf_pt(int colour, Point p, int ptsize, const char *format, ...) QZ370_PRINTF_FORMAT(4, 5);

/* Paints the whole canvas white, the background, inside a one-pixel black
 * frame on its outermost rows and columns. Returns 1. */
int QZ370_clear_graphics(void);
/* Kept for old programs: undoes nothing, prints a notice. Returns 1. */
int QZ370_undo(void);

/* Text window and call log. */

/* Formats as printf does and prints the result as the newest line of the text
 * window, which shows the last 25; a trailing newline is optional. Works
 * whether logging is on or not. Returns the number of characters kept: at most
 * 1023, longer results are cut. */
int QZ370_print(const char *format, ...) QZ370_PRINTF_FORMAT(1, 2);
/* Switches the call log of the drawing operations on (non-zero) or off, with
 * the check mark of Run > Logging; switching it on also shows the text window.
 * Logging is on when the library opens. Returns 0 before QZ370_begin, else 1. */
int QZ370_set_logging(int on);
/* Shows the text window (non-zero) or hides it; the last 25 lines printed
 * meanwhile show when it comes back. */
void QZ370_text_window(int show);

/* Line input. */

/* Asks for one line in a modal dialog over the graphics window, with prompt
 * above the field (its first 79 characters; null: none) and an Okay button;
 * Okay or Enter closes it, Esc does not. buffer holds at least 256 bytes and
 * receives the line, at most 255 characters and a NUL; if the program is asked
 * to quit meanwhile it receives an empty line. No events reach the program
 * while it is open. Returns 1, or 0 with buffer untouched if the dialog could
 * not be made. */
int QZ370_gets(const char *prompt, char *buffer);
/* QZ370_gets into a buffer of size bytes: the line is cut to size - 1
 * characters and always ends in a NUL, so any size from 1 up is safe. A size
 * below 1 shows no dialog and returns 0, buffer untouched. */
int QZ370_gets_n(const char *prompt, char *buffer, int size);

#ifdef __cplusplus
}
#endif

#endif
