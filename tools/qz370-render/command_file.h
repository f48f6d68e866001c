// The canvas command language of the GDI reference renderer: one command per
// line, blank lines and lines starting with '#' skipped, decimal integers,
// colours as palette indexes. Coordinates are library coordinates (origin at
// the canvas pixel (CX, CY), y upwards).
//
//   canvas W H CX CY                   a new all-white canvas
//   erase                              white with a one-pixel black frame
//   triangle C W x1 y1 x2 y2 x3 y3     W 0: filled; above 0: outline W wide
//   rectangle C W x1 y1 x2 y2          upper-left and lower-right, both inside
//   oval C W x1 y1 x2 y2               the ellipse in that box
//   line C W x1 y1 x2 y2               the end point left out (width 1)
//   pixel C x y
//   text C x y PTSIZE TEXT...          \n, \\ and \xHH escapes
//   save NAME                          one image per save, NAME without '/'
#pragma once

#include <string>
#include <vector>

namespace qz370::commands {

enum class Op { Canvas, Erase, Triangle, Rectangle, Oval, Line, Pixel, Text, Save };

constexpr int MAX_NUMBERS = 8;

struct Command {
    Op op;
    int line;                    // in the file, from 1
    int numbers[MAX_NUMBERS];    // as written, unused ones 0
    std::string text;            // Text: the text, unescaped; Save: the name
};

// The canvas every file starts with, before its first 'canvas' command.
constexpr int DEFAULT_WIDTH = 601;
constexpr int DEFAULT_HEIGHT = 540;
constexpr int DEFAULT_CENTRE_X = 297;
constexpr int DEFAULT_CENTRE_Y = 250;
constexpr int PALETTE_COLOURS = 24;

// Reads a whole command file. On the first bad line returns false with a
// one-line reason ("FILE:LINE: ...") in *error.
bool read_command_file(const std::string &path, std::vector<Command> *commands, std::string *error);

}  // namespace qz370::commands
