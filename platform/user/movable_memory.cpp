// Movable memory blocks: GlobalAlloc and its lock counts. An allocation that
// cannot be met returns null, never aborts.
#include "handles.h"
#include "user/window_internals.h"

#include <map>
#include <memory>
#include <new>

namespace qz370::platform {

namespace {

constexpr SIZE_T LARGEST_BLOCK = SIZE_T{1} << 30;
constexpr int MOST_LOCKS = 0xFF;  // Win32 keeps a block's lock count in one byte

struct Block {
    std::unique_ptr<char[]> data;
    SIZE_T size;
    int locks;
};

std::map<uintptr_t, Block> blocks;
int allocations_to_fail = 0;

Block *block_from(HGLOBAL handle)
{
    auto found = blocks.find(value_of(handle));
    return found == blocks.end() ? nullptr : &found->second;
}

bool must_fail(SIZE_T bytes)
{
    if (allocations_to_fail > 0) {
        --allocations_to_fail;
        return true;
    }
    return bytes > LARGEST_BLOCK;
}

}  // namespace

void fail_next_allocations(int count)
{
    allocations_to_fail = count > 0 ? count : 0;
}

}  // namespace qz370::platform

using namespace qz370::platform;

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (must_fail(bytes)) {
        return nullptr;
    }
    // Even an empty block has an address of its own.
    SIZE_T reserved = bytes == 0 ? 1 : bytes;
    std::unique_ptr<char[]> data((flags & GMEM_ZEROINIT) != 0 ? new (std::nothrow) char[reserved]()
                                                              : new (std::nothrow) char[reserved]);
    if (data == nullptr) {
        return nullptr;
    }
    // A fixed block's handle is its address, as in Win32.
    uintptr_t value = (flags & GMEM_MOVEABLE) != 0 ? new_handle_value(HandleKind::MOVABLE_MEMORY) : reinterpret_cast<uintptr_t>(data.get());
    blocks[value] = Block{std::move(data), bytes, 0};
    return handle_from_value<HGLOBAL>(value);
}

LPVOID WINAPI GlobalLock(HGLOBAL handle)
{
    Block *block = block_from(handle);
    if (block == nullptr) {
        return nullptr;
    }
    if (block->locks < MOST_LOCKS) {
        ++block->locks;
    }
    return block->data.get();
}

BOOL WINAPI GlobalUnlock(HGLOBAL handle)
{
    Block *block = block_from(handle);
    if (block == nullptr || block->locks == 0) {
        return FALSE;
    }
    --block->locks;
    return block->locks > 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL handle)
{
    // Like Win32, a block still locked is freed all the same.
    return blocks.erase(value_of(handle)) == 1 ? nullptr : handle;
}

SIZE_T WINAPI GlobalSize(HGLOBAL handle)
{
    Block *block = block_from(handle);
    return block == nullptr ? 0 : block->size;
}
