// The switch of the drawing operations' call log, with its Run menu check mark.
#include "library_state.h"

uint8_t logging = 1;

int QZ370_set_logging(int on)
{
    if (graphics_window == nullptr) {
        return 0;
    }
    logging = on != 0 ? 1 : 0;
    check_run_item(MENU_LOGGING, logging != 0);
    if (logging) {
        QZ370_text_window(1);
    }
    return 1;
}
