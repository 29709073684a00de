#include "tests/docoptions/docoptions_fixture.h"

namespace {

using OptionBlocks = DocOptionsTest;

TEST_F(OptionBlocks, OptionTypeWithItsParameters) {
  for (WORD count : {WORD(0), WORD(1), WORD(2), WORD(49)}) {
    SCOPED_TRACE(count);
    long before = LiveBlocks(heap());
    POPTTYPE type = AllocOptionType(count, heap());
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->cbSize, sizeof(OPTTYPE));
    EXPECT_EQ(type->Count, count);
    EXPECT_EQ(type->Type, 0);
    EXPECT_EQ(type->Flags, 0);
    EXPECT_EQ(type->Style, 0);
    ASSERT_NE(type->pOptParam, nullptr);  // a zero-length array is still a block
    EXPECT_EQ(HeapSize(heap(), 0, type->pOptParam), count * sizeof(OPTPARAM));
    for (WORD i = 0; i < count; ++i) {
      EXPECT_EQ(type->pOptParam[i].cbSize, sizeof(OPTPARAM));
      EXPECT_EQ(type->pOptParam[i].pData, nullptr);
      EXPECT_EQ(type->pOptParam[i].IconID, 0u);
    }
    EXPECT_EQ(LiveBlocks(heap()), before + 2);
  }
}

TEST_F(OptionBlocks, UnknownStringLeavesNothingBehind) {
  EXPECT_EQ(LoadHeapString(heap(), ResourceModule(), 4242), nullptr);
  EXPECT_EQ(LiveBlocks(heap()), 0);
}

}  // namespace
