// Exhausted OEM heaps, missing resources and failing spooler calls, made by the emulation on demand.
#include "docoptions/settings_lookup.h"
#include "platform/host/control.h"
#include "tests/docoptions/docoptions_fixture.h"

namespace {

using ItemsUnderFailure = DocOptionsTest;

// Blocks that the items hand to the driver; any other live block in the OEM heap would be an orphan.
long ReachableBlocks(const std::vector<OPTITEM> &items) {
  long blocks = 0;
  for (const OPTITEM &item : items) {
    if (item.pName) ++blocks;
    if (!item.pOptType) continue;
    blocks += 2;
    if (item.pOptType->Type == TVOT_COMBOBOX) ++blocks;  // the choice texts
  }
  return blocks;
}

void ExpectWholeOrEmpty(const OPTITEM &item) {
  EXPECT_EQ(item.cbSize, sizeof(OPTITEM));
  if (item.pOptType) {
    EXPECT_NE(item.pOptType->pOptParam, nullptr);
    EXPECT_EQ(item.Level, 1);
    return;
  }
  OPTITEM empty = {};
  empty.cbSize = sizeof(OPTITEM);
  EXPECT_EQ(std::memcmp(&item, &empty, sizeof(OPTITEM)), 0);
}

TEST_F(ItemsUnderFailure, EveryFailingAllocationOfAPrinterBuild) {
  WriteSettings("[Settings]\nLandscape_Compress=1\nXMoveEnable=1\nCount=3\nCOMPRESS_VALUE1=100\n"
                "COMPRESS_VALUE2=80\nCOMPRESS_VALUE3=60\nXMove=5\n");
  bool completed = false;
  for (long n = 1; n <= 200 && !completed; ++n) {
    SCOPED_TRACE(n);
    HANDLE oemHeap = HeapCreate(0, 0, 0);
    long processBlocks = host::GetHeapStats(GetProcessHeap()).blocks;
    std::vector<OPTITEM> items(2);
    OEMCUIPPARAM param = Param(items.data(), 2);
    param.hOEMHeap = oemHeap;
    host::FailAllocationAfter(n);
    EXPECT_EQ(BuildPrinterPropertyItems(&param), S_OK);
    // A failure still pending means the build made fewer than n allocations: it ran without any failing.
    for (long i = 0; i < n && !completed; ++i) {
      void *probe = HeapAlloc(GetProcessHeap(), 0, 1);
      completed = probe == nullptr;
      HeapFree(GetProcessHeap(), 0, probe);
    }
    host::FailAllocationAfter(0);
    for (const OPTITEM &item : items) ExpectWholeOrEmpty(item);
    // The move keeps slot 1 even when the list could not be built.
    if (items[1].pOptType) {
      EXPECT_EQ(items[1].pOptType->Type, TVOT_UDARROW);
    }
    if (items[0].pOptType) {
      EXPECT_EQ(items[0].pOptType->Type, TVOT_COMBOBOX);
    }
    EXPECT_EQ(host::GetHeapStats(oemHeap).blocks, ReachableBlocks(items));
    EXPECT_EQ(host::GetHeapStats(GetProcessHeap()).blocks, processBlocks);
    // Applying whatever was built stores only what exists.
    CPSUICBPARAM callback = {};
    callback.Reason = CPSUICB_REASON_APPLYNOW;
    EXPECT_EQ(PrinterItemsCallback(&callback, &param), CPSUICB_ACTION_NONE);
    if (completed) {
      EXPECT_EQ(ReachableBlocks(items), 7);
      EXPECT_EQ(ChoiceTexts(items[0]), (std::vector<std::string>{"100", "80", "60"}));
      EXPECT_EQ(items[1].Sel, 5);
    }
    HeapDestroy(oemHeap);
  }
  EXPECT_TRUE(completed) << "the build never ran without a failure";
}

// Both builders with no OEM heap at all and with each of their allocations failing in turn: S_OK, every slot whole
// or empty apart from cbSize, nothing orphaned, and a document item left out leaves the devmode as it was.
TEST_F(ItemsUnderFailure, EveryBuilderWithoutItsBlocks) {
  struct Case {
    const char *name;
    bool document;
    const char *settings;
    DWORD slots;
  };
  const Case cases[] = {
      {"document item", true, "", 1},
      {"both printer items", false, "[Settings]\nLandscape_Compress=1\nXMoveEnable=1\nCount=2\n", 2},
      {"compression list alone", false, "[Settings]\nLandscape_Compress=1\n", 1},
      {"move alone", false, "[Settings]\nXMoveEnable=1\nXMove=-3\n", 1},
  };
  for (const Case &c : cases) {
    WriteSettings(c.settings);
    // n = 0: no heap; n > 0: the n-th allocation fails, until a build runs without a failure.
    bool completed = false;
    for (long n = 0; n <= 200 && !completed; ++n) {
      SCOPED_TRACE(std::string(c.name) + ", failing allocation " + std::to_string(n));
      HANDLE oemHeap = n == 0 ? nullptr : HeapCreate(0, 0, 0);
      OemPrivateDevmode devmode = {20, kPrivateDevmodeSignature, 1, 0, 10};
      std::vector<OPTITEM> items(c.slots);
      OEMCUIPPARAM param = Param(items.data(), c.slots, c.document ? &devmode : nullptr);
      param.hOEMHeap = oemHeap;
      host::FailAllocationAfter(n);
      EXPECT_EQ(c.document ? BuildDocumentPropertyItems(&param) : BuildPrinterPropertyItems(&param), S_OK);
      for (long i = 0; n > 0 && i < n && !completed; ++i) {
        void *probe = HeapAlloc(GetProcessHeap(), 0, 1);
        completed = probe == nullptr;
        HeapFree(GetProcessHeap(), 0, probe);
      }
      host::FailAllocationAfter(0);
      for (const OPTITEM &item : items) ExpectWholeOrEmpty(item);
      if (n == 0) {
        for (const OPTITEM &item : items) EXPECT_EQ(item.pOptType, nullptr);
      } else {
        EXPECT_EQ(host::GetHeapStats(oemHeap).blocks, ReachableBlocks(items));
      }
      if (c.document) {
        EXPECT_EQ(devmode.CompressPercent, items[0].pOptType ? 100u : 10u);
      }
      if (completed) {
        for (const OPTITEM &item : items) EXPECT_NE(item.pOptType, nullptr);
      }
      // Applying stores only what was built.
      const StoredValue compress = Value("COMPRESS_VALUE"), move = Value("XMove");
      CPSUICBPARAM callback = {};
      callback.Reason = CPSUICB_REASON_APPLYNOW;
      EXPECT_EQ(param.OEMCUIPCallback(&callback, &param), CPSUICB_ACTION_NONE);
      bool built = false;
      for (const OPTITEM &item : items) built = built || item.pOptType;
      if (!built) {
        EXPECT_EQ(Value("COMPRESS_VALUE").bytes, compress.bytes);
        EXPECT_EQ(Value("XMove").bytes, move.bytes);
      }
      if (oemHeap) HeapDestroy(oemHeap);
    }
    EXPECT_TRUE(completed) << c.name << ": the build never ran without a failure";
  }
}

TEST_F(ItemsUnderFailure, DocumentItemLeftOutKeepsTheDevmodeUntouchedOnApply) {
  OemPrivateDevmode devmode = {20, kPrivateDevmodeSignature, 1, 0, 70};
  std::vector<OPTITEM> items(1);
  OEMCUIPPARAM param = Param(items.data(), 1, &devmode);
  host::FailAllocationAfter(1);
  EXPECT_EQ(BuildDocumentPropertyItems(&param), S_OK);
  host::FailAllocationAfter(0);
  ExpectWholeOrEmpty(items[0]);
  EXPECT_EQ(items[0].pOptType, nullptr);
  EXPECT_EQ(LiveBlocks(heap()), 0);
  DriverItems driver{items, param};
  driver.param.pOEMOptItems = driver.items.data();
  for (WORD reason : {CPSUICB_REASON_APPLYNOW, CPSUICB_REASON_SETACTIVE, CPSUICB_REASON_KILLACTIVE})
    EXPECT_EQ(Notify(driver, reason), CPSUICB_ACTION_NONE);
  EXPECT_EQ(devmode.CompressPercent, 70u);
  EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(ItemsUnderFailure, OptionTypeWithoutRoom) {
  for (long n : {1L, 2L}) {  // the type itself, then its parameters
    SCOPED_TRACE(n);
    host::FailAllocationAfter(n);
    EXPECT_EQ(AllocOptionType(2, heap()), nullptr);
    host::FailAllocationAfter(0);
    EXPECT_EQ(LiveBlocks(heap()), 0);
  }
  EXPECT_EQ(AllocOptionType(2, nullptr), nullptr);
}

TEST_F(ItemsUnderFailure, TitleWithoutRoom) {
  host::FailAllocationAfter(1);
  EXPECT_EQ(LoadHeapString(heap(), ResourceModule(), IDS_COMPRESS_TITLE), nullptr);
  EXPECT_EQ(LiveBlocks(heap()), 0);
  // No room to shrink: the text comes in the block it was loaded into.
  host::FailAllocationAfter(2);
  LPWSTR title = LoadHeapString(heap(), ResourceModule(), IDS_COMPRESS_TITLE);
  host::FailAllocationAfter(0);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(WString(title), ModuleString(IDS_COMPRESS_TITLE));
  EXPECT_EQ(HeapSize(heap(), 0, title), 520u);
  EXPECT_EQ(LiveBlocks(heap()), 1);
}

TEST_F(ItemsUnderFailure, ItemsWithoutResourcesHaveNoTitle) {
  WriteSettings("[Settings]\nXMoveEnable=1\n");
  host::LoadResourceFile("");  // no image: every string load fails
  auto built = BuildPrinterItems();
  auto document = BuildDocumentItems(nullptr);
  ASSERT_TRUE(host::LoadResourceFile(host::DefaultResourceFile()));
  EXPECT_EQ(built->items[0].pName, nullptr);
  EXPECT_NE(built->items[0].pOptType, nullptr);
  EXPECT_EQ(document->items[0].pName, nullptr);
  EXPECT_EQ(LiveBlocks(heap()), 4);
}

TEST_F(ItemsUnderFailure, SpoolerFailures) {
  WriteSettings("[Settings]\nXMoveEnable=1\nXMove=8\n");
  host::FailSpoolerCall("GetPrinterDriverW");
  LONG value = 3;
  // No path to the settings file: the value counts as found nowhere.
  EXPECT_EQ(Lookup("XMove", &value), 1);
  EXPECT_EQ(value, 0);
  host::FailSpoolerCall("");

  auto built = BuildPrinterItems();
  host::FailSpoolerCall("SetPrinterDataW");
  EXPECT_EQ(Notify(*built, CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  host::FailSpoolerCall("");
  EXPECT_EQ(Value("XMove").status, DWORD(ERROR_FILE_NOT_FOUND));
}

// The switches of a printer whose name is longer than a path buffer: never those of the printer named by the
// name's first 259 characters.
TEST_F(ItemsUnderFailure, SwitchesOfANameTooLongToHold) {
  const WString longest = testing_machine::NamesAroundThePathBuffer(u's').front().name;
  ASSERT_TRUE(testing_machine::AddTestPrinter(longest, kDriver));
  WriteSettings("[Settings]\nLandscape_Compress=1\nXMoveEnable=1\n");
  for (const testing_machine::LongName &c : testing_machine::NamesAroundThePathBuffer(u's')) {
    SCOPED_TRACE(c.name.size());
    INT compress = 7, move = 7;
    EXPECT_EQ(ReadOptionSwitches(c.name.c_str(), &compress, &move), c.fits ? 1 : 0);
    EXPECT_EQ(compress != 0, c.fits);
    EXPECT_EQ(move != 0, c.fits);
    OEMCUIPPARAM param = Param(nullptr, 0);
    param.pPrinterName = const_cast<LPWSTR>(c.name.c_str());
    EXPECT_EQ(BuildPrinterPropertyItems(&param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, c.fits ? 2u : 0u);
  }
}

}  // namespace
