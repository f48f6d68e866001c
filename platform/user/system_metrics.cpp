// GetSystemMetrics: the screen from the display, the frame sizes from this
// window system's own constants.
#include "display/display_driver.h"
#include "user/window_internals.h"

using namespace qz370::platform;

int WINAPI GetSystemMetrics(int index)
{
    int width = 0;
    int height = 0;
    switch (index) {
    case SM_CXSCREEN:
        display_driver().screen_size(&width, &height);
        return width;
    case SM_CYSCREEN:
        display_driver().screen_size(&width, &height);
        return height;
    case SM_CYCAPTION:
        return CAPTION;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return THIN_BORDER;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
    case SM_CXFRAME:
    case SM_CYFRAME:
        return BORDER;
    case SM_CYMENU:
        return MENU_BAR;
    default:
        return 0;
    }
}
