// The 24 colours every drawing operation names by index, and the check that
// keeps an index inside the table.
#include "library_state.h"

const PaletteEntry Palette[PALETTE_SIZE] = {
    {RGB(0, 0, 0), "black"},
    {RGB(255, 255, 255), "white"},
    {RGB(255, 0, 0), "red"},
    {RGB(0, 255, 0), "green"},
    {RGB(0, 0, 255), "blue"},
    {RGB(255, 255, 0), "yellow"},
    {RGB(255, 0, 255), "magenta"},
    {RGB(0, 255, 255), "cyan"},
    {RGB(153, 0, 204), "purple"},
    {RGB(0, 51, 153), "navy blue"},
    {RGB(153, 102, 153), "dusty plum"},
    {RGB(153, 255, 255), "ice blue"},
    {RGB(153, 255, 204), "turquoise"},
    {RGB(255, 102, 0), "orange"},
    {RGB(153, 102, 51), "brown"},
    {RGB(255, 153, 204), "pink"},
    {RGB(255, 255, 153), "chalk"},
    {RGB(204, 153, 51), "gold"},
    {RGB(255, 153, 102), "peach"},
    {RGB(0, 102, 51), "forest green"},
    {RGB(51, 204, 153), "sea green"},
    {RGB(153, 153, 51), "olive"},
    {RGB(128, 128, 128), "50% gray"},
    {RGB(204, 204, 204), "20% gray"},
};

int check_color(int colour)
{
    if (colour >= 0 && colour < PALETTE_SIZE) {
        return colour;
    }
    QZ370_print("Illegal color %d; using RED.\n", colour);
    return ILLEGAL_COLOUR_REPLACEMENT;
}
