// The animation modes a program chooses: halt, one frame, run, end.
#include "library_state.h"

int QZ370_set_animation(int mode)
{
    if (graphics_window == nullptr) {
        return 0;
    }
    switch (mode) {
    case QZ370_HALT:
        input.single_step = 0;
        input.running = 0;
        break;
    case QZ370_ONE_FRAME:
        input.single_step = 1;
        break;
    case QZ370_RUN:
        input.running = 1;
        break;
    case QZ370_END:
        input.ending = 1;
        break;
    default:
        break;
    }
    return 1;
}
