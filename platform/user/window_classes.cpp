// Window classes: RegisterClassA and the lookup of a class by name or atom,
// plus the stand-ins for the standard icon and cursor a class names.
#include "user/window_internals.h"

#include <memory>
#include <strings.h>

namespace qz370::platform {

namespace {

constexpr ATOM FIRST_CLASS_ATOM = 0xC000;
constexpr uintptr_t HIGHEST_ATOM = 0xFFFF;  // a class "name" at or below this is an atom

std::vector<std::unique_ptr<WindowClass>> classes;
ATOM next_atom = FIRST_CLASS_ATOM;
bool control_classes_registered = false;

bool is_atom(LPCSTR name_or_atom)
{
    return reinterpret_cast<uintptr_t>(name_or_atom) <= HIGHEST_ATOM;
}

HICON__ application_icon;
HICON__ arrow_cursor;

// The standard resources carry the same number; a program's own carry a name.
constexpr uintptr_t STANDARD_RESOURCE = 32512;

bool is_standard_resource(HINSTANCE instance, LPCSTR name)
{
    return instance == nullptr && reinterpret_cast<uintptr_t>(name) == STANDARD_RESOURCE;
}

}  // namespace

const WindowClass *find_class(LPCSTR name_or_atom)
{
    if (name_or_atom == nullptr) {
        return nullptr;
    }
    for (const auto &window_class : classes) {
        bool match = is_atom(name_or_atom)
                         ? window_class->atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name_or_atom))
                         : strcasecmp(window_class->name.c_str(), name_or_atom) == 0;
        if (match) {
            return window_class.get();
        }
    }
    return nullptr;
}

void ensure_control_classes()
{
    if (control_classes_registered) {
        return;
    }
    control_classes_registered = true;
    register_control_classes();
}

}  // namespace qz370::platform

using namespace qz370::platform;

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc)
{
    ensure_control_classes();
    if (wc == nullptr || wc->lpfnWndProc == nullptr || wc->lpszClassName == nullptr ||
        is_atom(wc->lpszClassName) || wc->lpszClassName[0] == '\0' || find_class(wc->lpszClassName) != nullptr ||
        next_atom == 0) {
        return 0;
    }
    auto window_class = std::make_unique<WindowClass>();
    window_class->atom = next_atom++;
    window_class->name = wc->lpszClassName;
    window_class->style = wc->style;
    window_class->proc = wc->lpfnWndProc;
    window_class->instance = wc->hInstance;
    window_class->background = wc->hbrBackground;
    classes.push_back(std::move(window_class));
    return classes.back()->atom;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    return is_standard_resource(instance, name) ? &application_icon : nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    return is_standard_resource(instance, name) ? &arrow_cursor : nullptr;
}
