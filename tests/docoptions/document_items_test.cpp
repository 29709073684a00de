// The document property items: the landscape compression item built from the private DEVMODE area.
#include <cstring>
#include <string>

#include "tests/docoptions/docoptions_fixture.h"

namespace {

using DocumentItems = DocOptionsTest;

TEST_F(DocumentItems, TitlesAreTheModuleStrings) {
  if (PRIMARYLANGID(GetThreadUILanguage()) != LANG_ENGLISH) GTEST_SKIP() << "English resources only";
  EXPECT_EQ(Utf8(ModuleString(IDS_COMPRESS_TITLE)), "Landscape orientation compressibility(%)");
  EXPECT_EQ(Utf8(ModuleString(IDS_XMOVE_TITLE)), "landscape orientation move (mm) ");
}

TEST_F(DocumentItems, FirstCallAsksForOneItemWhateverTheSwitches) {
  WriteSettings("[Settings]\nLandscape_Compress=0\n");
  OemPrivateDevmode devmode = DefaultDevmode(60);
  OEMCUIPPARAM param = Param(nullptr, 0, &devmode);
  EXPECT_EQ(BuildDocumentPropertyItems(&param), S_OK);
  EXPECT_EQ(param.cOEMOptItems, 1u);
  EXPECT_EQ(param.OEMCUIPCallback, nullptr);
  EXPECT_EQ(devmode.CompressPercent, 60u);
  EXPECT_EQ(LiveBlocks(heap()), 0);
}

TEST_F(DocumentItems, ItemStartsFromTheDevmode) {
  struct Case {
    DWORD stored, shown;
  };
  // Below 25 the item starts again from 100, in the devmode too. So it does above 100: the item's range ends there,
  // and 0xFFFFFFFF would read as -1 in Sel (the upper bound is ours, kept on purpose).
  const Case cases[] = {{10, 100}, {0, 100}, {24, 100}, {25, 25}, {60, 60}, {100, 100}, {101, 100}, {0xFFFFFFFF, 100}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.stored);
    OemPrivateDevmode devmode = DefaultDevmode(c.stored);
    auto built = BuildDocumentItems(&devmode);
    ASSERT_EQ(built->items.size(), 1u);
    ExpectUpDown(built->items[0], IDS_COMPRESS_TITLE, 25, 100, LONG(c.shown));
    EXPECT_EQ(devmode.CompressPercent, c.shown);
    EXPECT_EQ(built->param.OEMCUIPCallback, &DocumentItemsCallback);
  }
}

TEST_F(DocumentItems, BlocksComeFromTheOemHeapSizedToTheirUse) {
  OemPrivateDevmode devmode = DefaultDevmode(100);
  auto built = BuildDocumentItems(&devmode);
  const OPTITEM &item = built->items[0];
  // Option type, its parameters and the title.
  EXPECT_EQ(LiveBlocks(heap()), 3);
  EXPECT_EQ(HeapSize(heap(), 0, item.pName), (ModuleString(IDS_COMPRESS_TITLE).size() + 1) * sizeof(WCHAR));
  EXPECT_EQ(HeapSize(heap(), 0, item.pOptType), sizeof(OPTTYPE));
  EXPECT_EQ(HeapSize(heap(), 0, item.pOptType->pOptParam), 2 * sizeof(OPTPARAM));
}

TEST_F(DocumentItems, CallbackKeepsItemAndDevmodeInStep) {
  struct Case {
    const char *name;
    WORD reason;
    DWORD devmodeBefore;
    LONG selBefore;
    LONG action;
    DWORD devmodeAfter;
    LONG selAfter;
    bool changedFlag;
  };
  const Case cases[] = {
      {"page shown, devmode changed", CPSUICB_REASON_SETACTIVE, 60, 70, CPSUICB_ACTION_OPTIF_CHANGED, 60, 60, true},
      {"page shown, nothing changed", CPSUICB_REASON_SETACTIVE, 70, 70, CPSUICB_ACTION_NONE, 70, 70, false},
      {"page shown, devmode too low", CPSUICB_REASON_SETACTIVE, 10, 70, CPSUICB_ACTION_OPTIF_CHANGED, 100, 100, true},
      {"page shown, devmode too high", CPSUICB_REASON_SETACTIVE, 150, 70, CPSUICB_ACTION_OPTIF_CHANGED, 100, 100, true},
      {"page shown, devmode at the top", CPSUICB_REASON_SETACTIVE, 100, 70, CPSUICB_ACTION_OPTIF_CHANGED, 100, 100,
       true},
      {"page left", CPSUICB_REASON_KILLACTIVE, 60, 70, CPSUICB_ACTION_NONE, 70, 70, false},
      {"selection changed", CPSUICB_REASON_SEL_CHANGED, 60, 70, CPSUICB_ACTION_NONE, 60, 70, false},
      {"items reverted", CPSUICB_REASON_ITEMS_REVERTED, 60, 70, CPSUICB_ACTION_NONE, 60, 70, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    OemPrivateDevmode devmode = DefaultDevmode(100);
    auto built = BuildDocumentItems(&devmode);
    devmode.CompressPercent = c.devmodeBefore;
    built->items[0].Sel = c.selBefore;
    EXPECT_EQ(Notify(*built, c.reason), c.action);
    EXPECT_EQ(devmode.CompressPercent, c.devmodeAfter);
    EXPECT_EQ(built->items[0].Sel, c.selAfter);
    EXPECT_EQ((built->items[0].Flags & OPTIF_CHANGED) != 0, c.changedFlag);
    EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));
  }
}

TEST_F(DocumentItems, ApplyStoresThePercentageAsANumber) {
  OemPrivateDevmode devmode = DefaultDevmode(100);
  auto built = BuildDocumentItems(&devmode);
  built->items[0].Sel = 80;
  EXPECT_EQ(Notify(*built, CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  EXPECT_EQ(devmode.CompressPercent, 80u);
  StoredValue stored = Value("COMPRESS_VALUE");
  EXPECT_EQ(stored.status, DWORD(ERROR_SUCCESS));
  EXPECT_EQ(stored.type, DWORD(REG_DWORD));
  EXPECT_EQ(stored.bytes, DwordBytes(80));
}

// What the document settings apply, the printer settings show: the stored number selects its choice.
TEST_F(DocumentItems, AppliedPercentageIsSelectedInThePrinterSettings) {
  WriteSettings(std::string(kBothOn) + "Count=3\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\nCOMPRESS_VALUE3=60\n");
  OemPrivateDevmode devmode = DefaultDevmode(100);
  auto document = BuildDocumentItems(&devmode);
  document->items[0].Sel = 80;
  Notify(*document, CPSUICB_REASON_APPLYNOW);
  auto printerItems = BuildPrinterItems();
  ASSERT_EQ(printerItems->items.size(), 2u);
  ExpectList(printerItems->items[0], {"100", "80", "60"}, 1);
}

TEST_F(DocumentItems, NoSlotsNoDevmode) {
  // The driver set aside no slot: nothing is built and the callback has nothing to work on.
  OEMCUIPPARAM param = Param(nullptr, 0);
  OPTITEM none[1] = {};
  param.pOEMOptItems = none;
  param.cOEMOptItems = 0;
  EXPECT_EQ(BuildDocumentPropertyItems(&param), S_OK);
  EXPECT_EQ(none[0].cbSize, 0);
  EXPECT_EQ(LiveBlocks(heap()), 0);
  CPSUICBPARAM callback = {};
  callback.Reason = CPSUICB_REASON_APPLYNOW;
  EXPECT_EQ(DocumentItemsCallback(&callback, &param), CPSUICB_ACTION_NONE);
  EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));

  // Without a private devmode the item starts at 100, and apply still stores it.
  auto built = BuildDocumentItems(nullptr);
  ExpectUpDown(built->items[0], IDS_COMPRESS_TITLE, 25, 100, 100);
  built->items[0].Sel = 40;
  EXPECT_EQ(Notify(*built, CPSUICB_REASON_SETACTIVE), CPSUICB_ACTION_NONE);
  EXPECT_EQ(Notify(*built, CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  EXPECT_EQ(Value("COMPRESS_VALUE").bytes, DwordBytes(40));
}

}  // namespace
