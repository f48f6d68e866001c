// The current display backend: the headless one until another is set.
#include "display/display_driver.h"

namespace qz370::platform {

namespace {
const DisplayDriver *current_driver = nullptr;
}

void set_display_driver(const DisplayDriver *driver)
{
    current_driver = driver;
}

const DisplayDriver &display_driver()
{
    return current_driver != nullptr ? *current_driver : headless_display_driver();
}

}  // namespace qz370::platform
