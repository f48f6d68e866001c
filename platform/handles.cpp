#include "handles.h"

namespace qz370::platform {

// Values end in binary 10: never the address of a heap block, which GlobalAlloc
// hands out as the handle of a fixed block.
uintptr_t new_handle_value(size_t slot)
{
    static uintptr_t counter = 0x400;
    ++counter;
    return (counter << (SLOT_SHIFT + SLOT_BITS)) | (slot << SLOT_SHIFT) | 2;
}

}  // namespace qz370::platform
