#include "handles.h"

namespace qz370::platform {

namespace {

// Values end in binary 10: never the address of a heap block, which GlobalAlloc
// hands out as the handle of a fixed block.
constexpr uintptr_t HANDLE_TAG = 2;

uintptr_t kind_and_tag(HandleKind kind)
{
    return (static_cast<uintptr_t>(kind) << TAG_BITS) | HANDLE_TAG;
}

}  // namespace

uintptr_t new_handle_value(HandleKind kind)
{
    static uintptr_t counter = 0x400;
    ++counter;
    return (counter << SLOT_SHIFT) | kind_and_tag(kind);
}

uintptr_t next_slot_handle_value(HandleKind kind, size_t slot, uintptr_t previous)
{
    const uintptr_t count = (previous >> SLOT_COUNT_SHIFT) + 1;
    return (count << SLOT_COUNT_SHIFT) | (static_cast<uintptr_t>(slot) << SLOT_SHIFT) | kind_and_tag(kind);
}

}  // namespace qz370::platform
