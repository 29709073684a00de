#include <cstring>
#include <string>

#include "tests/docoptions/docoptions_fixture.h"

namespace {

using PrinterItems = DocOptionsTest;
using DocumentItems = DocOptionsTest;

const char kBothOn[] = "[Settings]\nLandscape_Compress=1\nXMoveEnable=1\n";

OemPrivateDevmode DefaultDevmode(DWORD percent) {
  return OemPrivateDevmode{20, kPrivateDevmodeSignature, kPrivateDevmodeVersion, 0, percent};
}

// The fields every slot carries, and those of a built item.
void ExpectSlot(const OPTITEM &item) {
  EXPECT_EQ(item.cbSize, sizeof(OPTITEM));
  EXPECT_EQ(item.DMPubID, DMPUB_NONE);
  EXPECT_EQ(item.DlgPageIdx, 0);
  EXPECT_EQ(item.UserData, 0u);
  EXPECT_EQ(item.pExtChkBox, nullptr);
  EXPECT_EQ(item.HelpIndex, 0u);
  EXPECT_EQ(item.pOIExt, nullptr);
}

void ExpectUpDown(const OPTITEM &item, UINT titleId, LONG low, LONG high, LONG sel) {
  ExpectSlot(item);
  EXPECT_EQ(item.Level, 1);
  EXPECT_EQ(item.Flags, DWORD(OPTIF_COLLAPSE));
  ASSERT_NE(item.pName, nullptr);
  EXPECT_EQ(WString(item.pName), ModuleString(titleId));
  EXPECT_EQ(item.Sel, sel);
  ASSERT_NE(item.pOptType, nullptr);
  EXPECT_EQ(item.pOptType->cbSize, sizeof(OPTTYPE));
  EXPECT_EQ(item.pOptType->Type, TVOT_UDARROW);
  ASSERT_EQ(item.pOptType->Count, 2);
  const OPTPARAM &unit = item.pOptType->pOptParam[0];
  EXPECT_EQ(unit.cbSize, sizeof(OPTPARAM));
  EXPECT_EQ(unit.pData, nullptr);
  EXPECT_EQ(unit.IconID, 0u);
  EXPECT_EQ(unit.lParam, 0);
  const OPTPARAM &range = item.pOptType->pOptParam[1];
  EXPECT_EQ(range.cbSize, sizeof(OPTPARAM));
  EXPECT_EQ(LONG(range.IconID), low);
  EXPECT_EQ(range.lParam, high);
}

void ExpectList(const OPTITEM &item, const std::vector<std::string> &choices, LONG sel) {
  ExpectSlot(item);
  EXPECT_EQ(item.Level, 1);
  EXPECT_EQ(item.Flags, DWORD(OPTIF_COLLAPSE));
  ASSERT_NE(item.pName, nullptr);
  EXPECT_EQ(WString(item.pName), ModuleString(IDS_COMPRESS_TITLE));
  ASSERT_NE(item.pOptType, nullptr);
  EXPECT_EQ(item.pOptType->cbSize, sizeof(OPTTYPE));
  EXPECT_EQ(item.pOptType->Type, TVOT_COMBOBOX);
  EXPECT_EQ(ChoiceTexts(item), choices);
  for (WORD i = 0; i < item.pOptType->Count; ++i) EXPECT_EQ(item.pOptType->pOptParam[i].cbSize, sizeof(OPTPARAM));
  EXPECT_EQ(item.Sel, sel);
}

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

TEST_F(PrinterItems, FirstCallCountsTheSwitchedItems) {
  struct Case {
    const char *settings;
    DWORD items;
  };
  const Case cases[] = {{"", 0},
                        {"[Settings]\nLandscape_Compress=0\nXMoveEnable=0\n", 0},
                        {"[Settings]\nLandscape_Compress=1\n", 1},
                        {"[Settings]\nXMoveEnable=3\n", 1},
                        {kBothOn, 2}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.settings);
    WriteSettings(c.settings);
    OEMCUIPPARAM param = Param(nullptr, 99);
    EXPECT_EQ(BuildPrinterPropertyItems(&param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, c.items);
    EXPECT_EQ(param.OEMCUIPCallback, nullptr);
  }
  EXPECT_EQ(LiveBlocks(heap()), 0);
}

TEST_F(PrinterItems, BothItemsFromTheFile) {
  WriteSettings(std::string(kBothOn) +
                "Count=3\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\nCOMPRESS_VALUE3=60\nCOMPRESS_VALUE=80\nXMove=-12\n");
  auto built = BuildPrinterItems();
  ASSERT_EQ(built->items.size(), 2u);
  EXPECT_EQ(built->param.OEMCUIPCallback, &PrinterItemsCallback);
  ExpectList(built->items[0], {"100", "80", "60"}, 1);
  ExpectUpDown(built->items[1], IDS_XMOVE_TITLE, -50, 50, -12);
  // Per item: option type, parameters, title; the list also its texts.
  EXPECT_EQ(LiveBlocks(heap()), 7);
}

struct ListCase {
  const char *name;
  const char *values;  // the lines after the switches
  std::vector<std::string> choices;
  LONG sel;
};

TEST_F(PrinterItems, CompressionChoices) {
  std::string many = "Count=60\n";
  std::vector<std::string> fortyNine;
  for (int n = 1; n <= 60; ++n) many += "COMPRESS_VALUE" + std::to_string(n) + "=" + std::to_string(n) + "\n";
  for (int n = 1; n <= 49; ++n) fortyNine.push_back(std::to_string(n));
  many += "COMPRESS_VALUE=49\n";
  const ListCase cases[] = {
      {"none equal", "Count=2\nCOMPRESS_VALUE1=90\nCOMPRESS_VALUE2=70\nCOMPRESS_VALUE=55\n", {"90", "70"}, 0},
      {"last equal wins", "Count=3\nCOMPRESS_VALUE1=70\nCOMPRESS_VALUE2=90\nCOMPRESS_VALUE3=70\nCOMPRESS_VALUE=70\n",
       {"70", "90", "70"}, 2},
      {"numbers, not texts", "Count=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=080\nCOMPRESS_VALUE=+80\n",
       {"100", "80"}, 1},
      {"missing choice reads 0", "Count=3\nCOMPRESS_VALUE1=90\nCOMPRESS_VALUE3=60\n", {"90", "0", "60"}, 1},
      {"empty choice repeats the one before",
       "Count=3\nCOMPRESS_VALUE1=90\nCOMPRESS_VALUE2=\nCOMPRESS_VALUE3=60\nCOMPRESS_VALUE=90\n", {"90", "90", "60"}, 1},
      {"missing first choice", "Count=2\nCOMPRESS_VALUE2=60\nCOMPRESS_VALUE=0\n", {"0", "60"}, 0},
      {"no count", "COMPRESS_VALUE1=90\n", {"100"}, 0},
      {"count 0", "Count=0\nCOMPRESS_VALUE1=90\n", {"100"}, 0},
      {"negative count", "Count=-3\nCOMPRESS_VALUE1=90\n", {"100"}, 0},
      {"count 1", "Count=1\nCOMPRESS_VALUE1=75\nCOMPRESS_VALUE=75\n", {"75"}, 0},
      {"count above the table", many.c_str(), fortyNine, 48},
  };
  for (const ListCase &c : cases) {
    SCOPED_TRACE(c.name);
    WriteSettings(std::string("[Settings]\nLandscape_Compress=1\n") + c.values);
    auto built = BuildPrinterItems();
    ASSERT_EQ(built->items.size(), 1u);
    ExpectList(built->items[0], c.choices, c.sel);
  }
}

TEST_F(PrinterItems, ChoicesAndCurrentValueFromPrinterData) {
  WriteSettings("[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\n");
  SetValue("Count", REG_SZ, TextBytes("3"));
  SetValue("COMPRESS_VALUE3", REG_SZ, TextBytes("45"));
  SetValue("COMPRESS_VALUE", REG_SZ, TextBytes("45"));
  auto built = BuildPrinterItems();
  ExpectList(built->items[0], {"100", "80", "45"}, 2);
}

TEST_F(PrinterItems, MoveStartsInsideItsRange) {
  struct Case {
    const char *stored;  // nullptr: none
    LONG sel;
  };
  const Case cases[] = {{nullptr, 0}, {"75", 0}, {"-51", 0}, {"51", 0}, {"-50", -50}, {"50", 50}, {"0", 0}, {"-7", -7}};
  WriteSettings("[Settings]\nXMoveEnable=1\n");
  for (const Case &c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(none)");
    if (c.stored) SetValue("XMove", REG_SZ, TextBytes(c.stored));
    auto built = BuildPrinterItems();
    ASSERT_EQ(built->items.size(), 1u);
    ExpectUpDown(built->items[0], IDS_XMOVE_TITLE, -50, 50, c.sel);
  }
}

TEST_F(PrinterItems, ApplyStoresTextsWithoutTerminator) {
  WriteSettings(std::string(kBothOn) + "Count=3\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\nCOMPRESS_VALUE3=60\n");
  auto built = BuildPrinterItems();
  built->items[0].Sel = 2;
  built->items[1].Sel = -7;
  EXPECT_EQ(Notify(*built, CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  ExpectStoredText(Value("COMPRESS_VALUE"), "60");
  ExpectStoredText(Value("XMove"), "-7");

  // The next build reads them back.
  auto again = BuildPrinterItems();
  EXPECT_EQ(again->items[0].Sel, 2);
  EXPECT_EQ(again->items[1].Sel, -7);
}

TEST_F(PrinterItems, ApplyOfTheSingleDefaultChoice) {
  WriteSettings("[Settings]\nLandscape_Compress=1\n");
  auto built = BuildPrinterItems();
  Notify(*built, CPSUICB_REASON_APPLYNOW);
  ExpectStoredText(Value("COMPRESS_VALUE"), "100");
  EXPECT_EQ(Value("XMove").status, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(PrinterItems, ApplyOfTheMoveAlone) {
  WriteSettings("[Settings]\nXMoveEnable=1\n");
  auto built = BuildPrinterItems();
  ASSERT_EQ(built->items.size(), 1u);
  built->items[0].Sel = 50;
  Notify(*built, CPSUICB_REASON_APPLYNOW);
  ExpectStoredText(Value("XMove"), "50");
  EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(PrinterItems, OnlyApplyWrites) {
  WriteSettings(kBothOn);
  auto built = BuildPrinterItems();
  for (WORD reason : {CPSUICB_REASON_SEL_CHANGED, CPSUICB_REASON_SETACTIVE, CPSUICB_REASON_KILLACTIVE,
                      CPSUICB_REASON_ITEMS_REVERTED, CPSUICB_REASON_DLGPROC}) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(Notify(*built, reason), CPSUICB_ACTION_NONE);
  }
  EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Value("XMove").status, DWORD(ERROR_FILE_NOT_FOUND));
}

// The driver's slots bound every write and read, whatever the file says by the second call or by apply.
TEST_F(PrinterItems, SlotsBoundTheItems) {
  WriteSettings(kBothOn);
  std::vector<OPTITEM> slots(2);
  std::memset(&slots[1], 0xCD, sizeof(OPTITEM));
  OEMCUIPPARAM param = Param(slots.data(), 1);
  EXPECT_EQ(BuildPrinterPropertyItems(&param), S_OK);
  ExpectList(slots[0], {"100"}, 0);
  const std::vector<BYTE> untouched(sizeof(OPTITEM), 0xCD);
  EXPECT_EQ(std::memcmp(&slots[1], untouched.data(), sizeof(OPTITEM)), 0);

  // Built with the move alone in slot 0; by apply the file switches both on.
  WriteSettings("[Settings]\nXMoveEnable=1\n");
  auto built = BuildPrinterItems();
  ASSERT_EQ(built->items.size(), 1u);
  built->items[0].Sel = 9;
  WriteSettings(kBothOn);
  EXPECT_EQ(Notify(*built, CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  // Slot 0 is no list, and there is no slot 1: nothing is stored.
  EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Value("XMove").status, DWORD(ERROR_FILE_NOT_FOUND));

  // Built with the list alone; by apply only the move is on: the list's index is no move.
  WriteSettings("[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\n");
  auto list = BuildPrinterItems();
  list->items[0].Sel = 1;
  WriteSettings("[Settings]\nXMoveEnable=1\n");
  Notify(*list, CPSUICB_REASON_APPLYNOW);
  EXPECT_EQ(Value("XMove").status, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(PrinterItems, SelectionOutsideTheListStoresNothing) {
  WriteSettings("[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\n");
  auto built = BuildPrinterItems();
  for (LONG sel : {LONG(-1), LONG(2), LONG(1000)}) {
    SCOPED_TRACE(sel);
    built->items[0].Sel = sel;
    Notify(*built, CPSUICB_REASON_APPLYNOW);
    EXPECT_EQ(Value("COMPRESS_VALUE").status, DWORD(ERROR_FILE_NOT_FOUND));
  }
}

TEST_F(PrinterItems, TwoBuildsKeepTheirOwnTexts) {
  WriteSettings("[Settings]\nLandscape_Compress=1\nCount=3\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\n"
                "COMPRESS_VALUE3=60\n");
  auto first = BuildPrinterItems();
  WriteSettings("[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=90\nCOMPRESS_VALUE2=70\n");
  auto second = BuildPrinterItems();
  ExpectList(first->items[0], {"100", "80", "60"}, 0);
  ExpectList(second->items[0], {"90", "70"}, 0);
  first->items[0].Sel = 2;
  Notify(*first, CPSUICB_REASON_APPLYNOW);
  ExpectStoredText(Value("COMPRESS_VALUE"), "60");
}

}  // namespace
