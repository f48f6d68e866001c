// A library canvas of any size, drawn on through the library's renderer
// exactly as the drawing operations do it, and saved as a binary PPM file.
#pragma once

#include <cstdint>
#include <string>

#include "command_file.h"

namespace qz370::render_tool {

// Opens a new all-white canvas of width by height pixels with the library's
// origin at (centre_x, centre_y), releasing the previous one. False, with no
// canvas open, when the window system makes no bitmap that size.
bool open_canvas(int width, int height, int centre_x, int centre_y);
void close_canvas();

// Draws one command (not Canvas or Save) with render_command or erase_canvas.
// 'erase' paints the library's own 601 by 540 canvas area.
void draw(const commands::Command &command);

// Writes the canvas as a binary PPM; returns the FNV-1a hash of its RGB bytes,
// or false if the file cannot be written.
bool save_ppm(const std::string &path, uint64_t *hash);

}  // namespace qz370::render_tool
