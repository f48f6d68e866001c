// QZ370_gets: asks the user for one line of text in a modal dialog over the
// graphics window. Only the Okay button (or Enter) closes it. While recording
// the answer goes into the script; while playing back, an answer the script
// holds next is entered and confirmed as the user would.
#include <cstring>

#include "library_state.h"

char *gets_target = nullptr;

namespace {

constexpr INT_PTR DIALOG_NOT_CREATED = -1;
constexpr INT_PTR DIALOG_CONFIRMED = 1;

void answer_from_script(HWND dialog)
{
    char answer[GETS_BUFFER_SIZE];
    if (input.playing_back && read_script_answer(answer, GETS_BUFFER_SIZE)) {
        SetDlgItemTextA(dialog, GETS_EDIT_ID, answer);
        SendMessageA(dialog, WM_COMMAND, GETS_BUTTON_ID, 0);
    }
}

}  // namespace

// A dialog ended other than by Okay (the program was asked to quit while it was
// open) leaves an empty line, so the caller never reads a buffer nobody wrote.
int QZ370_gets(const char *prompt, char *buffer)
{
    alignas(4) unsigned char dialog_template[GETS_TEMPLATE_BYTES];
    build_gets_template(prompt, dialog_template);
    const INT_PTR result =
        DialogBoxIndirectParamA(program_instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template), graphics_window,
                                gets_dialog_proc, reinterpret_cast<LPARAM>(buffer));
    gets_target = nullptr;
    if (result == DIALOG_NOT_CREATED) {
        return 0;
    }
    if (result != DIALOG_CONFIRMED && buffer != nullptr) {
        buffer[0] = '\0';
    }
    return 1;
}

// Cancel requests (Esc, the close box) come as IDCANCEL and are left alone, so
// the dialog stays open.
INT_PTR CALLBACK gets_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        gets_target = reinterpret_cast<char *>(lParam);
        answer_from_script(dialog);
        return TRUE;
    case WM_COMMAND: {
        if (wParam != GETS_BUTTON_ID) {
            return FALSE;
        }
        char answer[GETS_BUFFER_SIZE];
        GetDlgItemTextA(dialog, GETS_EDIT_ID, answer, GETS_BUFFER_SIZE);
        if (gets_target != nullptr) {
            std::strcpy(gets_target, answer);
        }
        if (input.recording) {
            write_script_answer(answer);
        }
        EndDialog(dialog, DIALOG_CONFIRMED);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
