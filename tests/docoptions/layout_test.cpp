// The settings-tree structures cross into the driver's common UI: their layout must be the platform's.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/platform.h"

namespace {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPTITEM) == 52, "OPTITEM of the 32-bit platform");
static_assert(sizeof(OPTTYPE) == 32, "OPTTYPE of the 32-bit platform");
static_assert(sizeof(OPTPARAM) == 24, "OPTPARAM of the 32-bit platform");
static_assert(sizeof(OEMCUIPPARAM) == 60, "OEMCUIPPARAM of the 32-bit platform");
static_assert(sizeof(OEMDMPARAM) == 36, "OEMDMPARAM of the 32-bit platform");
#endif

TEST(PlatformLayout, SettingsTreeStructures) {
  const bool wide = sizeof(void *) == 8;
  EXPECT_EQ(sizeof(OPTITEM), wide ? 88u : 52u);
  EXPECT_EQ(offsetof(OPTITEM, Sel), wide ? 24u : 16u);
  EXPECT_EQ(offsetof(OPTITEM, pOptType), wide ? 40u : 24u);
  EXPECT_EQ(offsetof(OPTITEM, DMPubID), wide ? 52u : 32u);
  EXPECT_EQ(sizeof(OPTTYPE), wide ? 48u : 32u);
  EXPECT_EQ(offsetof(OPTTYPE, Count), 4u);
  EXPECT_EQ(offsetof(OPTTYPE, pOptParam), 8u);
  EXPECT_EQ(sizeof(OPTPARAM), wide ? 48u : 24u);
  EXPECT_EQ(offsetof(OPTPARAM, IconID), wide ? 16u : 8u);
  EXPECT_EQ(offsetof(OPTPARAM, lParam), wide ? 24u : 12u);
  EXPECT_EQ(sizeof(CPSUICBPARAM), wide ? 64u : 32u);
  EXPECT_EQ(offsetof(CPSUICBPARAM, Reason), 2u);
}

TEST(PlatformLayout, PluginParameterBlocks) {
  const bool wide = sizeof(void *) == 8;
  EXPECT_EQ(sizeof(OEM_DMEXTRAHEADER), 12u);
  EXPECT_EQ(sizeof(OEMDMPARAM), wide ? 72u : 36u);
  EXPECT_EQ(offsetof(OEMDMPARAM, cbBufSize), wide ? 64u : 32u);
  EXPECT_EQ(sizeof(OEMCUIPPARAM), wide ? 120u : 60u);
  EXPECT_EQ(offsetof(OEMCUIPPARAM, pOEMDM), wide ? 56u : 28u);
  EXPECT_EQ(offsetof(OEMCUIPPARAM, pOEMOptItems), wide ? 88u : 44u);
  EXPECT_EQ(offsetof(OEMCUIPPARAM, OEMCUIPCallback), wide ? 112u : 56u);
}

}  // namespace
