#include <string>

#include "docoptions/settings_lookup.h"
#include "tests/docoptions/docoptions_fixture.h"

namespace {

using SettingsLookup = DocOptionsTest;

std::vector<BYTE> Join(std::vector<BYTE> a, const std::vector<BYTE> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct StoredCase {
  const char *name;
  DWORD type;
  std::vector<BYTE> bytes;
  LONG value;
};

// Whatever form the printer data takes, the lookup finds it (result 1) and reads the number it stands for.
TEST_F(SettingsLookup, PrinterDataOfEveryType) {
  const StoredCase cases[] = {
      {"text without terminator", REG_SZ, TextBytes("-12"), -12},
      {"text with terminator", REG_SZ, TextBytes("42", true), 42},
      {"blanks and sign", REG_SZ, TextBytes(" \t+7"), 7},
      {"digits then letters", REG_SZ, TextBytes("12abc"), 12},
      {"no digits", REG_SZ, TextBytes("abc"), 0},
      {"zero bytes", REG_SZ, {}, 0},
      {"odd byte count", REG_SZ, Join(TextBytes("34"), {'9'}), 34},
      {"number of 4 bytes", REG_DWORD, DwordBytes(80), 80},
      {"number 50", REG_DWORD, DwordBytes(50), 50},
      {"number 100", REG_DWORD, DwordBytes(100), 100},
      {"negative number", REG_DWORD, DwordBytes(0xFFFFFFF9), -7},
      {"number of 2 bytes", REG_DWORD, TextBytes("5"), 5},
      {"binary", REG_BINARY, TextBytes("77"), 77},
      {"expandable text", REG_EXPAND_SZ, TextBytes("9", true), 9},
      {"list of texts", REG_MULTI_SZ, Join(Join(TextBytes("33", true), TextBytes("44", true)), {0, 0}), 33},
      {"too large a number", REG_SZ, TextBytes("99999999999"), 2147483647},
      {"too small a number", REG_SZ, TextBytes("-99999999999"), -2147483647 - 1},
      {"fills the buffer", REG_SZ, TextBytes("6" + std::string(98, ' '), true), 6},
  };
  WriteSettings("[Settings]\nXMove=1234\n");
  for (const StoredCase &c : cases) {
    SCOPED_TRACE(c.name);
    SetValue("XMove", c.type, c.bytes);
    LONG value = 5555;
    EXPECT_EQ(Lookup("XMove", &value), 1);
    EXPECT_EQ(value, c.value);
  }
}

// Printer data of more than 200 bytes cannot be read into the lookup's buffer: the file answers.
TEST_F(SettingsLookup, OversizedPrinterDataFallsBackToTheFile) {
  WriteSettings("[Settings]\nXMove=5\n");
  SetValue("XMove", REG_SZ, TextBytes("6" + std::string(100, ' ')));
  LONG value = 0;
  EXPECT_EQ(Lookup("XMove", &value), 1);
  EXPECT_EQ(value, 5);
}

struct FileCase {
  const char *name;
  const char *settings;
  int result;
  LONG value;
};

TEST_F(SettingsLookup, SettingsFileAnswersWithoutPrinterData) {
  const FileCase cases[] = {
      {"plain", "[Settings]\nCount=3\n", 1, 3},
      {"blanks and sign", "[Settings]\nCount =  -4 \n", 1, -4},
      {"leading zeros", "[Settings]\nCount=080\n", 1, 80},
      {"not a number", "[Settings]\nCount=many\n", 1, 0},
      {"key missing", "[Settings]\nXMove=3\n", 1, 0},
      {"section missing", "[Other]\nCount=3\n", 1, 0},
      {"empty file", "", 1, 0},
      {"empty value", "[Settings]\nCount=\n", 0, 777},
      {"blanks only", "[Settings]\nCount=   \n", 0, 777},
      {"empty quotes", "[Settings]\nCount=''\n", 0, 777},
      {"key without '='", "[Settings]\nCount\n", 1, 0},
      {"key without '=' hides a later value", "[Settings]\nCount\nCount=5\n", 1, 0},
      {"empty value hides a later one", "[Settings]\nCount=\nCount=5\n", 0, 777},
      {"other case", "[settings]\ncount=6\n", 1, 6},
  };
  for (const FileCase &c : cases) {
    SCOPED_TRACE(c.name);
    WriteSettings(c.settings);
    LONG value = 777;
    EXPECT_EQ(Lookup("Count", &value), c.result);
    EXPECT_EQ(value, c.value);
  }
}

TEST_F(SettingsLookup, PrinterDataWinsOverTheFileAndNothingIsCached) {
  WriteSettings("[Settings]\nXMove=3\n");
  LONG value = 0;
  EXPECT_EQ(Lookup("XMove", &value), 1);
  EXPECT_EQ(value, 3);
  WriteSettings("[Settings]\nXMove=4\n");
  EXPECT_EQ(Lookup("XMove", &value), 1);
  EXPECT_EQ(value, 4);
  SetValue("XMove", REG_SZ, TextBytes("-9"));
  EXPECT_EQ(Lookup("XMove", &value), 1);
  EXPECT_EQ(value, -9);
}

// The reads of one build parse the file once: what they read comes from that parse, switches and values alike,
// while printer data is asked for every value and another printer's file is read for that printer.
TEST_F(SettingsLookup, ReadsOfOneBuildShareOneParse) {
  WriteSettings("[Settings]\nXMoveEnable=1\nXMove=3\nCount\nCOMPRESS_VALUE=\n");
  PrinterSettingsReads reads;
  INT compress = 7, move = 7;
  EXPECT_EQ(reads.ReadOptionSwitches(printerName().c_str(), &compress, &move), 1);
  EXPECT_EQ(compress, 0);
  EXPECT_EQ(move, 1);
  WriteSettings("[Settings]\nXMove=4\nCount=2\n");
  LONG value = 777;
  EXPECT_EQ(reads.LookupSettingValue(WTEXT("XMove"), printer(), &value), 1);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(reads.LookupSettingValue(WTEXT("Count"), printer(), &value), 1);
  EXPECT_EQ(value, 0);
  value = 777;
  EXPECT_EQ(reads.LookupSettingValue(WTEXT("COMPRESS_VALUE"), printer(), &value), 0);
  EXPECT_EQ(value, 777);
  EXPECT_EQ(Lookup("XMove", &value), 1);  // a read of its own sees the file as it is now
  EXPECT_EQ(value, 4);

  SetValue("XMove", REG_SZ, TextBytes("-9"));
  EXPECT_EQ(reads.LookupSettingValue(WTEXT("XMove"), printer(), &value), 1);
  EXPECT_EQ(value, -9);

  const WString driver = Wide("Shared Reads"), name = Wide("DocOpt shared reads");
  ASSERT_TRUE(testing_machine::AddTestPrinter(name, driver));
  testing_machine::WriteSettingsFile(driver, "[Settings]\nCount=21\n");
  UniquePrinter other = OpenPrinterByName(name.c_str());
  ASSERT_TRUE(other);
  EXPECT_EQ(reads.LookupSettingValue(WTEXT("Count"), other.get(), &value), 1);
  EXPECT_EQ(value, 21);
  EXPECT_EQ(reads.ReadOptionSwitches(name.c_str(), &compress, &move), 1);
  EXPECT_EQ(move, 0);
}

// A driver name without a blank names the whole settings file after itself; a driver without a settings file gives
// zero for every value and both switches off.
TEST_F(SettingsLookup, DriversWithoutTheUsualFile) {
  struct Case {
    const char *printer, *driver;
    const char *file;  // nullptr: none is written
    LONG move;
    INT compressOn;
  };
  const Case cases[] = {
      {"DocOpt solo driver", "Solo", "[Settings]\nXMove=21\nLandscape_Compress=1\n", 21, 1},
      {"DocOpt no settings file", "PrnSet NoFileModel", nullptr, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.printer);
    const WString name = Wide(c.printer), driver = Wide(c.driver);
    ASSERT_TRUE(testing_machine::AddTestPrinter(name, driver));
    if (c.file) testing_machine::WriteSettingsFile(driver, c.file);
    UniquePrinter printer = OpenPrinterByName(name.c_str());
    ASSERT_TRUE(printer);
    LONG value = 9;
    EXPECT_EQ(LookupSettingValue(WTEXT("XMove"), printer.get(), &value), 1);
    EXPECT_EQ(value, c.move);
    INT compress = 9, move = 9;
    EXPECT_EQ(ReadOptionSwitches(name.c_str(), &compress, &move), 1);
    EXPECT_EQ(compress, c.compressOn);
    EXPECT_EQ(move, 0);
  }
}

struct SwitchCase {
  const char *value;  // nullptr: the key is missing
  bool on;
};

TEST_F(SettingsLookup, SwitchesAreOnWhenNonzero) {
  const SwitchCase cases[] = {{"1", true}, {"2", true},  {"-1", true},     {"0x10", true}, {"0", false},
                              {"", false}, {"yes", false}, {nullptr, false}};
  for (const SwitchCase &c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(missing)");
    std::string settings = "[Settings]\n";
    if (c.value) settings += std::string("Landscape_Compress=") + c.value + "\nXMoveEnable=" + c.value + "\n";
    WriteSettings(settings);
    INT compress = 7, move = 7;
    EXPECT_EQ(ReadOptionSwitches(printerName().c_str(), &compress, &move), 1);
    EXPECT_EQ(compress != 0, c.on);
    EXPECT_EQ(move != 0, c.on);
  }
  // Switches never come from printer data.
  WriteSettings("[Settings]\n");
  SetValue("Landscape_Compress", REG_SZ, TextBytes("1"));
  INT compress = 7, move = 7;
  ReadOptionSwitches(printerName().c_str(), &compress, &move);
  EXPECT_EQ(compress, 0);
}

TEST_F(SettingsLookup, UnknownPrinterHasNoSwitches) {
  INT compress = 7, move = 7;
  EXPECT_EQ(ReadOptionSwitches(WTEXT("DocOpt printer that does not exist"), &compress, &move), 0);
  EXPECT_EQ(compress, 0);
  EXPECT_EQ(move, 0);
}

}  // namespace
