// Movable memory blocks: lock counts, zeroing, freeing, and allocations that
// cannot be met.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "headless.h"

namespace {

TEST(MovableMemory, BlocksKeepTheirSizeZeroingAndLockCount)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 5);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 5u);
    auto *bytes = static_cast<char *>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, "\0\0\0\0\0", 5), 0);
    EXPECT_EQ(GlobalLock(block), bytes);
    EXPECT_TRUE(GlobalUnlock(block));   // still locked once
    EXPECT_FALSE(GlobalUnlock(block));  // now unlocked
    EXPECT_FALSE(GlobalUnlock(block));
}

TEST(MovableMemory, FreeingALockedBlockFreesIt)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    GlobalLock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalFree(block), block);  // a second free fails
}

TEST(MovableMemory, AFixedBlocksHandleIsItsAddress)
{
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 8);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(MovableMemory, AnEmptyBlockStillHasAnAddress)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
}

TEST(MovableMemory, AllocationsThatCannotBeMetReturnNull)
{
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, (SIZE_T{1} << 30) + 1), nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_MAX), nullptr);
    qz370::headless::fail_allocations(2);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 4), nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 4), nullptr);
    EXPECT_NE(GlobalAlloc(GMEM_MOVEABLE, 4), nullptr);
}

TEST(MovableMemory, UnknownHandlesAreRefused)
{
    auto stranger = reinterpret_cast<HGLOBAL>(0x5678);
    EXPECT_EQ(GlobalLock(stranger), nullptr);
    EXPECT_FALSE(GlobalUnlock(stranger));
    EXPECT_EQ(GlobalSize(stranger), 0u);
    EXPECT_EQ(GlobalFree(stranger), stranger);
}

}  // namespace
