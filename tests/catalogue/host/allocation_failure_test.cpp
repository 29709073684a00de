// Allocation failures, made by the emulation's heaps on demand.
#include <gtest/gtest.h>

#include "catalogue/option_rules.h"
#include "catalogue/registry.h"
#include "platform/host/control.h"
#include "tests/support/test_machine.h"

namespace {

TEST(OptionRules, FailedAllocationKeepsTheNodesBuiltSoFar) {
  testing_machine::Reset();
  long before = host::GetHeapStats(GetProcessHeap()).blocks;
  host::FailAllocationAfter(3);
  SettingsOption *head = nullptr;
  DWORD count = ParseOptionRule(u"Serial", u"MIN=1 MAX=10", &head);
  host::FailAllocationAfter(0);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(head->Next->Value, 2);
  EXPECT_EQ(head->Next->Next, nullptr);
  FreeOptionList(head, count);
  EXPECT_EQ(host::GetHeapStats(GetProcessHeap()).blocks, before);
}

TEST(RegistryAllocation, NoRecordMeansNoCatalogue) {
  testing_machine::Reset();
  host::FailAllocationAfter(1);
  EXPECT_EQ(OpenCatalogue(u"Printer A"), 0);
  host::FailAllocationAfter(0);
  EXPECT_EQ(FindCatalogue(u"Printer A"), nullptr);
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

}  // namespace
