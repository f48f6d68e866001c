// The library's module-level state and the operations its parts call on each
// other. Not part of the public interface: programs use qz370.h.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "qz370.h"

// ---- Windows, canvas and timer (events/) ----------------------------------

constexpr int CANVAS_WIDTH = 601;
constexpr int CANVAS_HEIGHT = 540;
constexpr UINT_PTR ANIMATION_TIMER_ID = 2;
constexpr UINT ANIMATION_PERIOD_MS = 100;
constexpr int WHITE_INDEX = QZ370_WHITE;

extern HWND graphics_window;
extern HWND text_window;
extern HINSTANCE program_instance;
extern HDC window_dc;
extern HDC canvas_dc;        // memory context the canvas bitmap is selected into for good
extern HBITMAP canvas_bitmap;
extern int32_t canvas_dirty;
extern int32_t centre_x;
extern int32_t centre_y;

LRESULT CALLBACK graphics_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void present_canvas();  // copies the whole canvas to the window and clears canvas_dirty

// ---- Run menu and keyboard commands (events/) -------------------------------

constexpr UINT MENU_ANIMATE = 1;
constexpr UINT MENU_HALT = 2;
constexpr UINT MENU_ADVANCE_FRAME = 3;
constexpr UINT MENU_LOGGING = 4;
constexpr UINT MENU_RECORD = 5;
constexpr UINT MENU_PLAYBACK = 6;
constexpr UINT MENU_PLAY_ONE = 7;
constexpr UINT MENU_QUIT = 8;
constexpr UINT MENU_ABOUT = 9;

extern HMENU run_menu;

void build_run_menu(HWND hwnd);
void check_run_item(UINT id, bool checked);  // puts on or takes off an item's check mark
void perform_run_command(WPARAM id);
void handle_key_down(WPARAM virtual_key);
void handle_key_up(WPARAM virtual_key);

// ---- Event wait and animation modes (events/) -------------------------------

struct InputState {
    EventRecord current_event;
    uint8_t running;
    uint8_t single_step;
    uint8_t ending;
    int32_t timer_fired;
    uint8_t recording;
    uint8_t playing_back;
    uint8_t play_one;
    int32_t periodic_count;
    int32_t ctrl_down;
};
extern InputState input;

constexpr int NO_EVENT = -1;

void handle_left_button_down(LPARAM position);  // WM_LBUTTONDOWN: the click becomes the pending event
void handle_char(WPARAM character);              // WM_CHAR: the character, unless Ctrl is held

// ---- Palette (drawing/) -----------------------------------------------------

constexpr int PALETTE_SIZE = QZ370_PALETTE_SIZE;
constexpr int ILLEGAL_COLOUR_REPLACEMENT = QZ370_RED;

struct PaletteEntry {
    COLORREF value;
    const char *name;
};
extern const PaletteEntry Palette[PALETTE_SIZE];

int check_color(int colour);

// ---- Canvas renderer (drawing/) ---------------------------------------------

constexpr int32_t CMD_TRIANGLE = 0;
constexpr int32_t CMD_RECTANGLE = 1;
constexpr int32_t CMD_OVAL = 2;
constexpr int32_t CMD_LINE = 3;
constexpr int32_t CMD_PIXEL = 4;
constexpr int32_t CMD_TEXT = 5;

struct ShapePoints {
    int32_t x1, y1, x2, y2, x3, y3;
};

// The text part stands where the points do; the handle gets a field of its own
// width, since a block handle may be wider than 32 bits.
struct TextPart {
    int32_t x, y, ptsize;
    HGLOBAL text;
};

struct DrawCommand {
    int32_t kind;
    int32_t color;
    int32_t width;
    union {
        ShapePoints points;
        TextPart text;
    };
};

void render_command(const DrawCommand &command);
void erase_canvas();

// ---- Text window and log (text/) --------------------------------------------

constexpr int TEXT_LOG_LINES = 25;
constexpr int PRINT_BUFFER_SIZE = 1024;

struct TextLog {
    HGLOBAL lines[TEXT_LOG_LINES];
    int32_t oldest;
    int32_t next_slot;
};
extern TextLog text_log;
extern uint8_t logging;

void append_text_line(const char *text);
// A NUL-terminated copy of n bytes in a new movable block; null when memory
// runs out.
HGLOBAL copy_to_block(const char *text, size_t n);

// Formats into a buffer of PRINT_BUFFER_SIZE, cutting a longer result to what
// fits; returns the count of characters kept.
int format_line(char (&buffer)[PRINT_BUFFER_SIZE], const char *format, va_list arguments) QZ370_PRINTF_FORMAT(2, 0);

// Called with every line QZ370_print stores, when set: lets a tool keep the
// whole log, not only the lines the window holds.
extern void (*print_observer)(const char *line);
LRESULT CALLBACK text_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Script recording and playback (text/) ----------------------------------

#define SCRIPT_FILE_NAME "QZ370.SCR"
constexpr int SCRIPT_LINE_BUFFER = 512;

extern FILE *script_file;

void write_script_line(int kind, const EventRecord &event);
// While recording: the run of periodic events counted so far, if any, written
// as its one line; the count starts again from 0.
void write_periodic_run();
int read_script_line();
void stop_playback();
// The line-input dialog's answer as a script line of its own: written while
// recording (after the pending periodic run), and taken while playing back
// when the next line is one; read_script_line never takes such a line.
void write_script_answer(const char *text);
// The answer goes to text, cut to size - 1 characters and terminated.
bool read_script_answer(char *text, int size);
void close_script_file();

// The Run menu's script commands (Record Script, Playback Script, Play One Script).
void toggle_recording();
void toggle_playback();
void request_play_one();

// ---- Line input dialog (text/) ----------------------------------------------

constexpr int GETS_TEMPLATE_BYTES = 292;
constexpr int GETS_BUFFER_SIZE = 256;
// Longer answers are cut where a recording writes them, so that every answer
// line fits the reader's buffer.
constexpr int LONGEST_SCRIPTED_ANSWER = 4095;
constexpr WORD GETS_BUTTON_ID = 101;
constexpr WORD GETS_EDIT_ID = 102;
constexpr WORD GETS_PROMPT_ID = 103;

extern char *gets_target;
extern int gets_target_size;  // the bytes gets_target holds, its NUL included

INT_PTR CALLBACK gets_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Playback switched on while the dialog is open (its loop is the program's
// first wait) gives it the script's answer, as opening it during playback would.
void answer_open_dialog_from_script();
void build_gets_template(const char *prompt, unsigned char (&dialog_template)[GETS_TEMPLATE_BYTES]);
