// The printer property items: compression choices and the horizontal move, read from and stored in printer data.
#include <cstring>
#include <string>

#include "tests/docoptions/docoptions_fixture.h"

namespace {

using PrinterItems = DocOptionsTest;

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
      {"choice without '=' reads 0", "Count=2\nCOMPRESS_VALUE1=80\nCOMPRESS_VALUE2\nCOMPRESS_VALUE=80\n",
       {"80", "0"}, 0},
      {"count without '=' reads 0", "Count\nCOMPRESS_VALUE1=80\n", {"100"}, 0},
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
