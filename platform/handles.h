// Handle values of the window system. Every object kind keeps its own table;
// all of them draw their handles from one counter that never repeats, so a
// stale handle, or a handle of the wrong kind, is never mistaken for a live one.
#pragma once

#include <cstdint>

namespace qz370::platform {

uintptr_t new_handle_value();

template <typename Handle>
Handle handle_from_value(uintptr_t value)
{
    return reinterpret_cast<Handle>(value);
}

template <typename Handle>
uintptr_t value_of(Handle handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

}  // namespace qz370::platform
