// prnset show: the catalogue as the page presents it right after it opens.
#include "tests/tools/tool_fixture.h"

namespace {

using ShowTest = ToolTest;

bool Has(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

TEST_F(ShowTest, PresentsClassesItemsHintsAndTheDefaultOption) {
  ToolRun run = RunTool({"show", SourcePath(kOfficeLaser)});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  for (const char *part : {
           "Parameter rule: High256\n",
           "Enter instruction: 1B 7B 53 31\n",
           "Instruction tail: 0D\n",
           "\nClass 0: Print quality  (Quality)\n",
           "\nClass 3: Control panel  (Panel)\n",
           "  Item 0: Print density  (Quality/Density)\n    Hint: Darker print uses more toner.\n          * Default = "
           "Normal *\n",
           " *   2  Normal  (value 3, default)\n",
           // the multi-choice item: rows 0 and 2 of the default mask 0xA00000
           "Command: 1B 70 44  (ParameterCount 3: multi-choice)\n    Default: mask 0xA00000\n",
           "[x]  0  A4  (bit 0x800000)\n",
           "[ ]  1  Letter  (bit 0x400000)\n",
           "[x]  2  A5  (bit 0x200000)\n",
       })
    EXPECT_TRUE(Has(run.out, part)) << part << "\n" << run.out;
  // A multi-choice default is a mask of rows, never "no option": only single-choice items can miss their default.
  EXPECT_FALSE(Has(run.out, "No option has the default value 10485760")) << run.out;
  // The hidden class and the hidden item are not on the page.
  EXPECT_FALSE(Has(run.out, "Service"));
  EXPECT_FALSE(Has(run.out, "Calibration"));
}

TEST_F(ShowTest, ChineseTextsAndTheChineseDefaultLabel) {
  ToolRun run = RunTool({"show", SourcePath(kOfficeLaser), "--lang", "cn"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "Class 0: \xE6\x89\x93\xE5\x8D\xB0\xE8\xB4\xA8\xE9\x87\x8F  (Quality)\n"))
      << run.out;  // 打印质量
  EXPECT_TRUE(Has(run.out, "* \xE9\xBB\x98\xE8\xAE\xA4\xE5\x80\xBC = \xE6\xA0\x87\xE5\x87\x86 *")) << run.out;  // 默认值 = 标准
}

TEST_F(ShowTest, ShowsWhatThePageCutsAndWhatItCannotSelect) {
  std::string title(60, 'T');
  std::string file = File(
      "[SectionNames]\nSectionCount=2\nSection01=S\nSection02=E\n[Section01]\nItemCount=3\nItem01=A\nItem02=B\n"
      "Item03=C\nItem03ParameterCount=2\n[Section02]\nItemCount=0\n"
      "[S_Lang_EN]\nTitle=" + title + "\nA_Note=Two options share the default.\n"
      "[S_Rule_EN]\nA_RuleType=Enum\nA_Rule=1=First 2=Second 1=Third\nB_RuleType=Enum\nB_Rule=5=Five\n"
      "C_RuleType=Serial\nC_Rule=MIN=1 MAX=26\n[S_Default]\nA=1\nB=7\nC=1\n");
  ToolRun run = RunTool({"show", file});
  ASSERT_EQ(run.code, 0) << run.err;
  // The page shows 49 characters of a title; an item without one is an empty row.
  EXPECT_TRUE(Has(run.out, "Class 0: " + title.substr(0, 49) + "  (S)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "Item 1: (no title)  (S/B)\n")) << run.out;
  // The later of two options with the default value is the selected row and the one the hint names.
  EXPECT_TRUE(Has(run.out, "* Default = Third *")) << run.out;
  EXPECT_TRUE(Has(run.out, "     0  First  (value 1)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, " *   2  Third  (value 1, default)\n")) << run.out;
  // A default no option has: no selected row, and the note alone as the hint.
  EXPECT_TRUE(Has(run.out, "No option has the default value 7: no row is selected.")) << run.out;
  // Multi-choice rows from 24 on have no bit.
  EXPECT_TRUE(Has(run.out, "[x] 23  24  (bit 0x000001)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "[ ] 24  25  (no bit: cannot be chosen)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "Class 1: (no title)  (E)\n  No items: the item list is empty.\n")) << run.out;
}

// A text of the file is printed as check quotes it: a control character would act on the terminal.
TEST_F(ShowTest, ControlCharactersInTextsAreEscaped) {
  ToolRun run = RunTool({"show", File("[SectionNames]\nSectionCount=1\nSection01=S\n[Section01]\nItemCount=1\n"
                                      "Item01=A\n[S_Lang_EN]\nTitle=\x1B[31mRed\nA_Title=Dark\b\bXX\n"
                                      "[S_Rule_EN]\nA_RuleType=Enum\nA_Rule=0=Off\x07 1=On\n")});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.find_first_of("\x1B\b\x07"), std::string::npos) << run.out;
  EXPECT_TRUE(Has(run.out, "Class 0: \\x1B[31mRed  (S)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "Item 0: Dark\\x08\\x08XX  (S/A)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "  Off\\x07  (value 0)")) << run.out;
}

// The hint box takes '&' as the mark of an underlined character, as a static control does; the option list shows it.
TEST_F(ShowTest, TheHintShowsAnAmpersandAsTheHintBoxDoes) {
  ToolRun run = RunTool({"show", File("[SectionNames]\nSectionCount=1\nSection01=S\n[Section01]\nItemCount=1\n"
                                      "Item01=A\n[S_Lang_EN]\nTitle=T\nA_Title=Toner\nA_Note=Toner & drum && fuser\n"
                                      "[S_Rule_EN]\nA_RuleType=Enum\nA_Rule=0=Off 1=B&W\n[S_Default]\nA=1\n")});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "    Hint: Toner  drum & fuser\n          * Default = BW *\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "  B&W  (value 1, default)")) << run.out;
}

TEST_F(ShowTest, DriverItemsAsTheSettingsSectionGivesThem) {
  const struct {
    std::string text;  // empty: the bundled example
    const char *compression, *move;
  } cases[] = {
      {"", "Landscape compression: choices 100, 90, 80, 70; starts at 100\n",
       "Horizontal move: from -50 to 50 mm; starts at 0\n"},
      {"[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\n"
       "COMPRESS_VALUE=95\nXMoveEnable=1\nXMove=80\n",
       "Landscape compression: choices 100, 90; starts at 100 (no choice is the current value, so the first)\n",
       "Horizontal move: from -50 to 50 mm; starts at 0\n"},
      // No Count: the single choice 100, which is the current value.
      {"[Settings]\nLandscape_Compress=1\nCOMPRESS_VALUE=100\n", "Landscape compression: choices 100; starts at 100\n",
       "Horizontal move: not offered"},
      {"[Settings]\nLandscape_Compress=0\nCount=2\nXMove=-5\nXMoveEnable=2\n",
       "Landscape compression: not offered (Landscape_Compress is 0 or missing)\n",
       "Horizontal move: from -50 to 50 mm; starts at -5\n"},
      {"; nothing but a comment\n", "Landscape compression: not offered", "Horizontal move: not offered"},
  };
  for (const auto &c : cases) {
    ToolRun run = RunTool({"show", c.text.empty() ? SourcePath(kOfficeLaser) : File(c.text)});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Has(run.out, c.compression)) << run.out;
    EXPECT_TRUE(Has(run.out, c.move)) << run.out;
  }
}

TEST_F(ShowTest, AMissingCatalogueShowsNoClasses) {
  ToolRun run = RunTool({"show", File("; nothing but a comment\n")});
  EXPECT_EQ(run.code, 0);
  EXPECT_TRUE(Has(run.out, "No classes: the page shows an empty class list.")) << run.out;
}

}  // namespace
