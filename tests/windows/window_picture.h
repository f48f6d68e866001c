// What a window shows, read back from the real window system.
#pragma once

#include <windows.h>

// Writes the window's client area as a binary PPM; false if it cannot.
bool write_client_picture(HWND window, const char *path);
