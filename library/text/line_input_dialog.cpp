// Placeholder until the line input dialog lands.
#include "library_state.h"

char *gets_target = nullptr;
int QZ370_gets(const char *, char *) { return 0; }
INT_PTR CALLBACK gets_dialog_proc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void build_gets_template(const char *, unsigned char (&)[GETS_TEMPLATE_BYTES]) {}
