// Clearing the canvas, and the undo that no longer does anything.
#include "library_state.h"

int QZ370_clear_graphics()
{
    if (logging) {
        QZ370_print("Clearing the graphics window\n");
    }
    erase_canvas();
    return 1;
}

int QZ370_undo()
{
    QZ370_print("QZ370_undo is no longer supported.\n");
    return 1;
}
