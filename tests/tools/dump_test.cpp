// prnset dump: the example file's catalogue in both languages, the JSON text form, and the lists' lengths.
#include "tests/tools/tool_fixture.h"

namespace {

using DumpTest = ToolTest;

struct ExampleCase {
  std::string file, lang, expected;
};

TEST_F(DumpTest, ExampleFilesGiveTheExpectedJsonInBothLanguages) {
  const ExampleCase cases[] = {
      {kOfficeLaser, "en", "tests/tools/expected/office_laser_en.json"},
      {kOfficeLaser, "cn", "tests/tools/expected/office_laser_cn.json"},
      {kLabelPrinter, "en", "tests/tools/expected/label_printer_en.json"},
      {kLabelPrinter, "cn", "tests/tools/expected/label_printer_cn.json"},
  };
  for (const ExampleCase &c : cases) {
    SCOPED_TRACE(c.file + " --lang " + c.lang);
    std::string expected = ReadSourceFile(c.expected);
    ASSERT_FALSE(expected.empty());
    ToolRun run = RunTool({"dump", SourcePath(c.file), "--lang", c.lang});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, expected);
  }
}

TEST_F(DumpTest, EnglishIsTheDefaultLanguageAndTheOptionMayBeWrittenWithEquals) {
  std::string english = RunTool({"dump", SourcePath(kOfficeLaser), "--lang", "en"}).out;
  EXPECT_EQ(RunTool({"dump", SourcePath(kOfficeLaser)}).out, english);
  EXPECT_EQ(RunTool({"dump", "--lang=en", SourcePath(kOfficeLaser)}).out, english);
  EXPECT_NE(RunTool({"dump", SourcePath(kOfficeLaser), "--lang=cn"}).out, english);
}

TEST_F(DumpTest, TextsAreEscapedForJson) {
  // A UTF-8 file: quotes, a backslash, a tab and other control characters, accented and Chinese letters, and a
  // character outside the basic plane (a surrogate pair in UTF-16).
  std::string file = File(
      "[SectionNames]\r\nSectionCount=1\r\nSection01=S\r\nParameterRule=High\"256\\\r\n"
      "[Section01]\r\nItemCount=1\r\nItem01=I\r\n"
      "[S_Lang_EN]\r\nTitle=Tab\there \x01\x1f end\r\nNote=caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x96\xA8\r\n"
      "I_Title=say \"hi\"\r\nI_Note=a\\b/c\r\n");
  ToolRun run = RunTool({"dump", file});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("\"ParameterRule\": \"High\\\"256\\\\\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Title\": \"Tab\\there \\u0001\\u001f end\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Note\": \"caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x96\xA8\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Title\": \"say \\\"hi\\\"\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Note\": \"a\\\\b/c\""), std::string::npos) << run.out;
}

TEST_F(DumpTest, LoneSurrogatesComeOutAsReplacementCharacters) {
  // UTF-16LE with a BOM; the title holds a high surrogate with no low one after it.
  std::u16string text = u"\uFEFF[SectionNames]\r\nSectionCount=1\r\nSection01=S\r\n[Section01]\r\n"
                        u"[S_Lang_EN]\r\nTitle=a";
  text += char16_t(0xD800);
  text += u"b\r\n";
  std::string bytes;
  for (char16_t c : text) {
    bytes += char(c & 0xFF);
    bytes += char(c >> 8);
  }
  ToolRun run = RunTool({"dump", File(bytes)});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("\"Title\": \"a\xEF\xBF\xBD" "b\""), std::string::npos) << run.out;
}

// The end of the dump of a file without [Settings]: neither of the driver's own items is offered.
const char kNoDriverItems[] = R"(  "DriverItems": {
    "LandscapeCompression": {
      "Offered": false,
      "Choices": [],
      "Starts": null
    },
    "HorizontalMove": {
      "Offered": false,
      "From": -50,
      "To": 50,
      "Starts": null
    }
  }
}
)";

TEST_F(DumpTest, ListsHoldExactlyTheCountedEntries) {
  // A hidden section and a hidden item leave no trace; an item without a rule has an empty option list.
  std::string file = File(
      "[SectionNames]\nSectionCount=2\nSection01=Gone\nSection02=Kept\n"
      "[Section01]\nItemCount=1\nItem01=X\n[Gone_Filter]\nSectionEnable=0\n"
      "[Section02]\nItemCount=2\nItem01=Hidden\nItem02=Plain\n[Kept_Filter]\nHidden=0\n");
  ToolRun run = RunTool({"dump", file});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, R"({
  "SectionCount": 1,
  "InstructionTail": "",
  "EnterInstruction": "",
  "SaveInstruction": "",
  "ParameterRule": "",
  "Sections": [
    {
      "Key": "Kept",
      "Title": "",
      "Note": "",
      "ItemCount": 1,
      "Items": [
        {
          "Key": "Plain",
          "Title": "",
          "Note": "",
          "Instruction": "",
          "ParameterCount": 1,
          "DefaultValue": 1,
          "CurrentValue": 1,
          "OptionCount": 0,
          "Options": []
        }
      ]
    }
  ],
)" + std::string(kNoDriverItems));
}

TEST_F(DumpTest, AnEmptyFileGivesAnEmptyCatalogue) {
  ToolRun run = RunTool({"dump", File("")});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, R"({
  "SectionCount": 0,
  "InstructionTail": "",
  "EnterInstruction": "",
  "SaveInstruction": "",
  "ParameterRule": "",
  "Sections": [],
)" + std::string(kNoDriverItems));
}

TEST_F(DumpTest, NonAsciiFileNamesAreRead) {
  const std::string text = "[SectionNames]\nSectionCount=1\nSection01=S\n";
  WString path = testing_machine::WriteTempFile("\xE8\xAE\xBE\xE7\xBD\xAE_Settings.Dat", text);
  // Wine maps such a name to the Linux file system only under a Linux locale that can spell it.
  if (!testing_machine::WriteFileBytes(path, text)) GTEST_SKIP() << "this file system cannot hold the name";
  ToolRun run = RunTool(std::vector<WString>{Wide("dump"), path});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("\"Key\": \"S\""), std::string::npos);
}

}  // namespace
