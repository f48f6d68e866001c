// QZ370_gets and QZ370_gets_n: ask the user for one line of text in a modal
// dialog over the graphics window. Only the Okay button (or Enter) closes it.
// While recording the answer goes into the script; while playing back, an
// answer the script holds next is entered and confirmed as the user would.
#include "library_state.h"

char *gets_target = nullptr;
int gets_target_size = 0;

namespace {

constexpr INT_PTR DIALOG_NOT_CREATED = -1;
constexpr INT_PTR DIALOG_CONFIRMED = 1;

HWND open_dialog = nullptr;

void answer_from_script(HWND dialog)
{
    char answer[LONGEST_SCRIPTED_ANSWER + 1];
    if (input.playing_back && read_script_answer(answer, sizeof answer)) {
        SetDlgItemTextA(dialog, GETS_EDIT_ID, answer);
        SendMessageA(dialog, WM_COMMAND, GETS_BUTTON_ID, 0);
    }
}

// The program gets the line cut to its buffer, and a recording keeps what the
// program got.
void take_answer(HWND dialog)
{
    char unread[GETS_BUFFER_SIZE];
    char *answer = gets_target != nullptr ? gets_target : unread;
    GetDlgItemTextA(dialog, GETS_EDIT_ID, answer, gets_target != nullptr ? gets_target_size : GETS_BUFFER_SIZE);
    if (input.recording) {
        write_script_answer(answer);
    }
}

}  // namespace

int QZ370_gets(const char *prompt, char *buffer)
{
    return QZ370_gets_n(prompt, buffer, GETS_BUFFER_SIZE);
}

// A dialog ended other than by Okay (the program was asked to quit while it was
// open) leaves an empty line, so the caller never reads a buffer nobody wrote.
// A buffer with no room even for the NUL could take no answer: no dialog is
// shown for it.
int QZ370_gets_n(const char *prompt, char *buffer, int size)
{
    if (size < 1) {
        return 0;
    }
    gets_target_size = size;
    alignas(4) unsigned char dialog_template[GETS_TEMPLATE_BYTES];
    build_gets_template(prompt, dialog_template);
    const INT_PTR result =
        DialogBoxIndirectParamA(program_instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template), graphics_window,
                                gets_dialog_proc, reinterpret_cast<LPARAM>(buffer));
    gets_target = nullptr;
    open_dialog = nullptr;
    if (result == DIALOG_NOT_CREATED) {
        return 0;
    }
    if (result != DIALOG_CONFIRMED && buffer != nullptr) {
        buffer[0] = '\0';
    }
    return 1;
}

void answer_open_dialog_from_script()
{
    if (open_dialog != nullptr) {
        answer_from_script(open_dialog);
    }
}

// Cancel requests (Esc, the close box) come as IDCANCEL and are left alone, so
// the dialog stays open.
INT_PTR CALLBACK gets_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        gets_target = reinterpret_cast<char *>(lParam);
        open_dialog = dialog;
        answer_from_script(dialog);
        return TRUE;
    case WM_COMMAND: {
        if (wParam != GETS_BUTTON_ID) {
            return FALSE;
        }
        take_answer(dialog);
        open_dialog = nullptr;
        EndDialog(dialog, DIALOG_CONFIRMED);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
