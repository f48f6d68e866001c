// The built-in window classes: the dialog class and the "EDIT", "BUTTON" and
// "STATIC" controls a dialog template names by atom.
#pragma once

#include <windows.h>

namespace qz370::platform {

constexpr char DIALOG_CLASS_NAME[] = "#32770";
constexpr char EDIT_CLASS_NAME[] = "EDIT";
constexpr char BUTTON_CLASS_NAME[] = "BUTTON";
constexpr char STATIC_CLASS_NAME[] = "STATIC";

LRESULT CALLBACK dialog_class_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK edit_control_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK button_control_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK static_control_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The id a child was created with (its menu handle, as Win32 keeps it).
int control_id(HWND control);

// WM_SETTEXT for a control that shows its text: stored as by any window, then
// the control is repainted with it.
LRESULT set_text_and_repaint(HWND control, WPARAM wParam, LPARAM lParam);

// A "BUTTON" with the BS_DEFPUSHBUTTON style: what Enter presses in a dialog.
bool is_default_button(HWND control);

}  // namespace qz370::platform
