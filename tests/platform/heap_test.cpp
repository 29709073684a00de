// The heap as the domain code uses it (the catalogue record, option nodes, the driver's item texts), checked against
// the emulation on Linux and the platform under Wine with the same cases.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"

namespace {

bool AllBytesAre(const void *block, size_t bytes, BYTE value) {
  const BYTE *p = static_cast<const BYTE *>(block);
  for (size_t i = 0; i < bytes; ++i)
    if (p[i] != value) return false;
  return true;
}

TEST(Heap, BlocksAreSizedZeroedAndFreed) {
  HANDLE heaps[] = {GetProcessHeap(), HeapCreate(0, 0, 0)};
  ASSERT_NE(heaps[0], nullptr);
  ASSERT_NE(heaps[1], nullptr);
  for (HANDLE heap : heaps) {
    SCOPED_TRACE(heap == GetProcessHeap() ? "process heap" : "own heap");
    for (SIZE_T bytes : {SIZE_T(1), SIZE_T(20), SIZE_T(4096), SIZE_T(100000)}) {
      SCOPED_TRACE(bytes);
      void *zeroed = HeapAlloc(heap, HEAP_ZERO_MEMORY, bytes);
      ASSERT_NE(zeroed, nullptr);
      EXPECT_TRUE(AllBytesAre(zeroed, bytes, 0));
      EXPECT_EQ(HeapSize(heap, 0, zeroed), bytes);
      void *other = HeapAlloc(heap, 0, bytes);
      ASSERT_NE(other, nullptr);
      EXPECT_NE(other, zeroed);
      std::memset(other, 0x5A, bytes);  // the whole size is the caller's
      EXPECT_TRUE(AllBytesAre(zeroed, bytes, 0));
      EXPECT_TRUE(HeapFree(heap, 0, other));
      EXPECT_TRUE(HeapFree(heap, 0, zeroed));
    }
    EXPECT_TRUE(HeapFree(heap, 0, nullptr));  // nothing to free is no failure
  }
  EXPECT_TRUE(HeapDestroy(heaps[1]));
}

TEST(Heap, ReallocationKeepsTheContent) {
  HANDLE heap = GetProcessHeap();
  struct Case {
    SIZE_T from, to;
  };
  const Case cases[] = {{16, 64}, {64, 16}, {100, 100}, {8, 70000}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
    BYTE *block = static_cast<BYTE *>(HeapAlloc(heap, 0, c.from));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0xC3, c.from);
    BYTE *moved = static_cast<BYTE *>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, block, c.to));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(HeapSize(heap, 0, moved), c.to);
    const SIZE_T kept = c.from < c.to ? c.from : c.to;
    EXPECT_TRUE(AllBytesAre(moved, kept, 0xC3));
    if (c.to > c.from) {
      EXPECT_TRUE(AllBytesAre(moved + c.from, c.to - c.from, 0));  // the new part is zeroed
    }
    EXPECT_TRUE(HeapFree(heap, 0, moved));
  }
}

// A request no machine can serve gives no block, and the caller goes on.
TEST(Heap, AnImpossibleRequestGivesNothing) {
  HANDLE heap = GetProcessHeap();
  EXPECT_EQ(HeapAlloc(heap, 0, ~SIZE_T(0) - 4096), nullptr);
  void *block = HeapAlloc(heap, 0, 32);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(HeapReAlloc(heap, 0, block, ~SIZE_T(0) - 4096), nullptr);
  EXPECT_EQ(HeapSize(heap, 0, block), SIZE_T(32));  // the old block stays the caller's
  EXPECT_TRUE(HeapFree(heap, 0, block));
}

}  // namespace
