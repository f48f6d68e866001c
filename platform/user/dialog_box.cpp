// Modal dialogs from in-memory templates: DialogBoxIndirectParamA builds the
// dialog and its controls, then runs its own message loop until EndDialog.
// The program's other windows keep receiving their messages meanwhile
// (timers, paints); only their input is held back, by disabling the owner.
#include "user/controls/control_classes.h"
#include "user/dialog_template.h"
#include "user/window_system.h"

namespace qz370::platform {

namespace {

constexpr INT_PTR DIALOG_FAILED = -1;
constexpr INT_PTR DIALOG_QUIT = 0;
constexpr int DIALOG_UNITS_PER_AVERAGE_WIDTH = 4;
constexpr int DIALOG_UNITS_PER_HEIGHT = 8;

struct DialogUnits {
    int base_x;  // the system font's average character width
    int base_y;  // and its height
};

// A template without a font of its own is laid out in units of the classic
// system font's letters, 7 pixels across and 16 down. Our stand-in face for it
// is wider; taking its own average would make every such dialog larger than
// the real system makes it.
constexpr DialogUnits CLASSIC_SYSTEM_FONT_UNITS{7, 16};

// Rounds half away from zero, as Win32's dialog unit mapping does.
int to_pixels(int dialog_units, int base, int units_per_base)
{
    const int64_t product = static_cast<int64_t>(dialog_units) * base;
    const int64_t half = units_per_base / 2;
    const int64_t pixels = product >= 0 ? (product + half) / units_per_base : -((-product + half) / units_per_base);
    return static_cast<int>(pixels);
}

RECT to_pixels(const DialogUnits &units, short x, short y, short width, short height)
{
    const int left = to_pixels(x, units.base_x, DIALOG_UNITS_PER_AVERAGE_WIDTH);
    const int top = to_pixels(y, units.base_y, DIALOG_UNITS_PER_HEIGHT);
    return RECT{left, top, left + to_pixels(width, units.base_x, DIALOG_UNITS_PER_AVERAGE_WIDTH),
                top + to_pixels(height, units.base_y, DIALOG_UNITS_PER_HEIGHT)};
}

// The template's size is the client's; the frame grows around it by what
// this window system's frame and caption take.
void give_client_size(HWND dialog, int width, int height)
{
    RECT frame;
    RECT client;
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    const int frame_width = (frame.right - frame.left) - client.right;
    const int frame_height = (frame.bottom - frame.top) - client.bottom;
    MoveWindow(dialog, frame.left, frame.top, width + frame_width, height + frame_height, FALSE);
}

// The template places the dialog relative to its owner's client area.
POINT owner_client_origin(HWND owner)
{
    const Window *window = window_from(owner);
    return window == nullptr ? POINT{0, 0} : POINT{window->client.left, window->client.top};
}

bool create_controls(HWND dialog, HINSTANCE instance, const DialogDescription &description,
                     const DialogUnits &units)
{
    for (const DialogControlDescription &control : description.controls) {
        const RECT box = to_pixels(units, control.x, control.y, control.width, control.height);
        HWND hwnd = CreateWindowExA(control.ex_style, control.class_name.c_str(), control.text.c_str(),
                                    control.style | WS_CHILD, box.left, box.top, box.right - box.left,
                                    box.bottom - box.top, dialog,
                                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(control.id)), instance, nullptr);
        if (hwnd == nullptr) {
            return false;
        }
    }
    return true;
}

HWND create_dialog(HINSTANCE instance, const DialogDescription &description, HWND owner, DLGPROC proc)
{
    const DialogUnits units = CLASSIC_SYSTEM_FONT_UNITS;
    const RECT box = to_pixels(units, description.x, description.y, description.width, description.height);
    const POINT origin = owner_client_origin(owner);
    HWND dialog = CreateWindowExA(description.ex_style, DIALOG_CLASS_NAME, description.title.c_str(),
                                  description.style & ~WS_VISIBLE, origin.x + box.left, origin.y + box.top,
                                  box.right - box.left, box.bottom - box.top, owner, nullptr, instance, nullptr);
    Window *window = window_from(dialog);
    if (window == nullptr) {
        return nullptr;
    }
    give_client_size(dialog, box.right - box.left, box.bottom - box.top);
    window->dialog_proc = proc;
    window->dialog_ended = false;
    window->dialog_result = 0;
    if (!create_controls(dialog, instance, description, units)) {
        DestroyWindow(dialog);
        return nullptr;
    }
    return dialog;
}

// The controls Tab stops at, in creation order. The dialog itself may not be
// shown yet, so each control's own visibility counts.
std::vector<HWND> tab_stops(HWND dialog)
{
    std::vector<HWND> stops;
    for (HWND child : children_of(dialog)) {
        const Window *control = window_from(child);
        if (control != nullptr && (control->style & WS_TABSTOP) != 0 && control->visible && control->enabled) {
            stops.push_back(child);
        }
    }
    return stops;
}

HWND first_tab_stop(HWND dialog)
{
    const std::vector<HWND> stops = tab_stops(dialog);
    return stops.empty() ? nullptr : stops.front();
}

// The control after (or before) the one with the focus.
HWND neighbour_tab_stop(HWND dialog, HWND from, bool backwards)
{
    const std::vector<HWND> stops = tab_stops(dialog);
    if (stops.empty()) {
        return nullptr;
    }
    size_t at = 0;
    while (at < stops.size() && stops[at] != from) {
        ++at;
    }
    if (at == stops.size()) {
        return stops.front();
    }
    return stops[(at + (backwards ? stops.size() - 1 : 1)) % stops.size()];
}

HWND default_button(HWND dialog)
{
    for (HWND child : children_of(dialog)) {
        if (is_default_button(child)) {
            return child;
        }
    }
    return nullptr;
}

bool belongs_to(HWND dialog, HWND hwnd)
{
    return hwnd == dialog || (hwnd != nullptr && top_level_of(hwnd) == dialog);
}

// Enter in a multi-line field is a line break only if the field asks for it
// (ES_WANTRETURN) or Ctrl is held; otherwise it presses the default button.
bool enter_belongs_to_field(HWND focus, bool ctrl_held)
{
    const Window *control = window_from(focus);
    if (control == nullptr || control->class_name != EDIT_CLASS_NAME || (control->style & ES_MULTILINE) == 0) {
        return false;
    }
    return ctrl_held || (control->style & ES_WANTRETURN) != 0;
}

void press_default_button(HWND dialog)
{
    HWND button = default_button(dialog);
    const int id = button != nullptr ? control_id(button) : IDOK;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The modal loop's own keys: Enter, Esc and Tab. Ctrl and Shift are followed
// through the key messages the loop sees.
class DialogKeyboard {
public:
    explicit DialogKeyboard(HWND dialog) : dialog_(dialog) {}

    // True if the message was a dialog key and has been acted on.
    bool take(const MSG &msg)
    {
        if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) {
            return false;
        }
        const bool down = msg.message == WM_KEYDOWN;
        if (msg.wParam == VK_CONTROL) {
            ctrl_held_ = down;
        } else if (msg.wParam == VK_SHIFT) {
            shift_held_ = down;
        }
        if (!down || !belongs_to(dialog_, msg.hwnd)) {
            return false;
        }
        switch (msg.wParam) {
        case VK_RETURN:
            if (enter_belongs_to_field(GetFocus(), ctrl_held_)) {
                return false;
            }
            press_default_button(dialog_);
            return true;
        case VK_ESCAPE:
            SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return true;
        case VK_TAB:
            SetFocus(neighbour_tab_stop(dialog_, GetFocus(), shift_held_));
            return true;
        default:
            return false;
        }
    }

private:
    HWND dialog_;
    bool ctrl_held_ = false;
    bool shift_held_ = false;
};

bool dialog_running(HWND dialog)
{
    const Window *window = window_from(dialog);
    return window != nullptr && !window->dialog_ended;
}

// A quit request ends the dialog with 0 and is posted again, so that the
// program's own loop still sees it.
INT_PTR run_modal_loop(HWND dialog)
{
    DialogKeyboard keyboard(dialog);
    while (dialog_running(dialog)) {
        MSG msg{};
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            return DIALOG_QUIT;
        }
        if (!keyboard.take(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    const Window *window = window_from(dialog);
    return window == nullptr ? DIALOG_QUIT : window->dialog_result;
}

}  // namespace

}  // namespace qz370::platform

using namespace qz370::platform;

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog_template, HWND owner, DLGPROC proc,
                                       LPARAM init_param)
{
    const std::optional<DialogDescription> description = parse_dialog_template(dialog_template);
    if (!description) {
        return DIALOG_FAILED;
    }
    HWND dialog = create_dialog(instance, *description, owner, proc);
    if (dialog == nullptr) {
        return DIALOG_FAILED;
    }
    HWND focus = first_tab_stop(dialog);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), init_param) != FALSE) {
        SetFocus(focus);
    }
    if ((description->style & WS_VISIBLE) != 0) {
        ShowWindow(dialog, SW_SHOW);
    }
    const bool owner_was_enabled = owner != nullptr && IsWindowEnabled(owner);
    if (owner_was_enabled) {
        EnableWindow(owner, FALSE);
    }
    const INT_PTR result = run_modal_loop(dialog);
    if (owner_was_enabled) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    DestroyWindow(dialog);
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result)
{
    Window *window = window_from(dialog);
    if (window == nullptr || window->dialog_proc == nullptr) {
        return FALSE;
    }
    window->dialog_ended = true;
    window->dialog_result = result;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id)
{
    for (HWND child : children_of(dialog)) {
        if (control_id(child) == id) {
            return child;
        }
    }
    return nullptr;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR text, int max_count)
{
    if (text == nullptr || max_count <= 0) {
        return 0;
    }
    text[0] = '\0';
    HWND item = GetDlgItem(dialog, id);
    return item == nullptr ? 0 : static_cast<UINT>(GetWindowTextA(item, text, max_count));
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    HWND item = GetDlgItem(dialog, id);
    return item != nullptr && SetWindowTextA(item, text);
}
