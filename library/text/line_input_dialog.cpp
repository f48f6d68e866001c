// QZ370_gets and QZ370_gets_n: ask the user for one line of text in a modal
// dialog over the graphics window. Only the Okay button (or Enter) closes it.
#include "library_state.h"

char *gets_target = nullptr;
int gets_target_size = 0;

namespace {

constexpr INT_PTR DIALOG_NOT_CREATED = -1;
constexpr INT_PTR DIALOG_CONFIRMED = 1;

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
        return TRUE;
    case WM_COMMAND:
        if (wParam != GETS_BUTTON_ID) {
            return FALSE;
        }
        if (gets_target != nullptr) {
            GetDlgItemTextA(dialog, GETS_EDIT_ID, gets_target, gets_target_size);
        }
        EndDialog(dialog, DIALOG_CONFIRMED);
        return TRUE;
    default:
        return FALSE;
    }
}
