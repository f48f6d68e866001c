// Reading an in-memory dialog template: the header and one record per control,
// as DialogBoxIndirectParamA builds the dialog from them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qz370::platform {

struct DialogControlDescription {
    DWORD style;
    DWORD ex_style;
    short x, y, width, height;  // dialog units
    WORD id;
    std::string class_name;
    std::string text;           // Windows-1252, as the "A" operations take it
};

struct DialogDescription {
    DWORD style;
    DWORD ex_style;
    short x, y, width, height;  // dialog units
    std::string title;
    std::vector<DialogControlDescription> controls;
};

// Nothing for a template this window system cannot build: the extended layout,
// a menu, a dialog class of its own, a control class it does not have, or a
// text too long to be one.
std::optional<DialogDescription> parse_dialog_template(const void *dialog_template);

}  // namespace qz370::platform
