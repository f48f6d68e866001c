// Placeholder until the built-in controls land.
#include "window_system.h"

namespace qz370::platform {
void register_control_classes() {}
}  // namespace qz370::platform
