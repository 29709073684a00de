// The module entry, called the way the loader calls it.
#include <gtest/gtest.h>

#include "module/plugin_module.h"
#include "resources/module_instance.h"

namespace {

TEST(ModuleFrame, EntryStoresTheInstanceOnProcessAttachOnly) {
  HINSTANCE saved = ModuleInstance();
  auto fake = reinterpret_cast<HINSTANCE>(0x1230000);
  for (DWORD reason : {0u /* detach */, 2u, 3u}) EXPECT_TRUE(DllMain(fake, reason, nullptr));
  EXPECT_EQ(ModuleInstance(), saved);
  EXPECT_TRUE(DllMain(fake, 0x10001, nullptr));  // only the low 16 bits name the reason
  EXPECT_EQ(ModuleInstance(), fake);
  SetModuleInstance(saved);
}

}  // namespace
