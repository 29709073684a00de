// prnset encode and prnset job: command texts and job bytes of the example files and of small files of our own.
#include "tests/tools/tool_fixture.h"

namespace {

using EncodeTest = ToolTest;
using JobTest = ToolTest;

// The command framing of the job worked through in the documentation: enter 1B 45, save 1B 53, tail 0D, one
// item 1B 40 with two parameter bytes.
const char *const kFramed =
    "[SectionNames]\nSectionCount=1\nSection01=S\nEnterInstruction=1B 45\nSaveInstruction=1B 53\n"
    "InstructionTail=0D\nParameterRule=High256\n[Section01]\nItemCount=1\nItem01=I\nItem01Instruction=1B 40\n"
    "Item01ParameterCount=2\n[S_Rule_EN]\nI_RuleType=Enum\nI_Rule=0=A 1=B\n[S_Default]\nI=300\n";

TEST_F(EncodeTest, PrintsTheTextAsTheEncoderWritesIt) {
  const struct {
    std::string file;
    std::vector<std::string> choose;
    std::string text;
  } cases[] = {
      {kOfficeLaser, {"--section", "0", "--item", "0", "--choice", "4"}, "1B 73 44 05 0D\n"},
      {kOfficeLaser, {"--section", "0", "--item", "0", "--value", "300"}, "1B 73 44 2C 0D\n"},
      {kOfficeLaser, {"--section", "1", "--item", "2", "--value", "-2"}, "1B 70 54 FE 0D\n"},
      {kOfficeLaser, {"--section", "1", "--item", "3", "--choice", "0xA00000"}, "1B 70 44 A0 00 00 0D\n"},
      {kOfficeLaser, {"--section", "1", "--item", "3", "--choice", "0"}, "1B 70 44 00 00 00 0D\n"},
      {kLabelPrinter, {"--section", "1", "--item", "1", "--choice", "9"}, "5E 4C 4C 31 30 30 0D 0A\n"},
      {kLabelPrinter, {"--section", "0", "--item", "0", "--value", "7"}, "5E 4D 44 37 0D 0A\n"},
  };
  for (const auto &c : cases) {
    std::vector<WString> args = {Wide("encode"), Wide(SourcePath(c.file))};
    for (const std::string &arg : c.choose) args.push_back(Wide(arg));
    SCOPED_TRACE(c.text);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, c.text);
  }
}

TEST_F(EncodeTest, NoTextExitsOneWithTheReason) {
  std::string other = File(
      "[SectionNames]\nSectionCount=1\nSection01=S\nParameterRule=Binary\n[Section01]\nItemCount=2\nItem01=A\n"
      "Item02=B\n[S_Rule_EN]\nA_RuleType=Serial\nA_Rule=MIN=-32767 MAX=-32766\n");
  const struct {
    std::string file;
    std::vector<std::string> choose;
    std::string reason;
  } cases[] = {
      {SourcePath(kOfficeLaser), {"--section", "1", "--item", "2", "--choice", "7"},
       "no option at position 7 (the item has 7 options)"},
      {SourcePath(kOfficeLaser), {"--section", "1", "--item", "2", "--choice", "-1"}, "no option at position -1"},
      {SourcePath(kLabelPrinter), {"--section", "0", "--item", "0", "--value", "-1"},
       "BaseOn30 cannot send the negative value -1"},
      {other, {"--section", "0", "--item", "0", "--choice", "1"}, "\"Binary\" is neither High256 nor BaseOn30"},
      {other, {"--section", "0", "--item", "0", "--choice", "0"}, "the no-command value -32767"},
  };
  for (const auto &c : cases) {
    std::vector<WString> args = {Wide("encode"), Wide(c.file)};
    for (const std::string &arg : c.choose) args.push_back(Wide(arg));
    SCOPED_TRACE(c.reason);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
  }
}

TEST_F(JobTest, BuildsTheBytesOfSetAllAndSetCurrent) {
  const struct {
    std::string file;
    std::vector<std::string> choose;
    std::string bytes;
  } cases[] = {
      {SourcePath(kOfficeLaser),
       {"--all"},
       "1B 7B 53 31 1B 73 44 03 0D 1B 73 52 02 0D 1B 73 54 00 0D 1B 70 53 07 0D 1B 70 5A 00 0D 1B 70 54 00 0D "
       "1B 70 44 A0 00 00 0D 1B 65 53 0F 0D 1B 65 4F 04 0D 1B 6C 4C 02 0D 1B 6C 42 05 0D 1B 7D 57\n"},
      {SourcePath(kOfficeLaser), {"--section", "0", "--item", "0", "--choice", "4"},
       "1B 7B 53 31 1B 73 44 05 0D 1B 7D 57\n"},
      {SourcePath(kLabelPrinter),
       {"--all"},
       "5E 58 41 5E 4D 44 31 35 0D 0A 5E 50 52 34 0D 0A 5E 4D 4E 30 0D 0A 5E 4C 4C 31 30 30 0D 0A "
       "5E 4A 55 53 5E 58 5A\n"},
      // 300 in two bytes is 01 2C; the default is the mask of a multi-choice item.
      {File(kFramed, "framed.ini"), {"--all"}, "1B 45 1B 40 01 2C 0D 1B 53\n"},
      {File(kFramed, "framed.ini"), {"--section", "0", "--item", "0", "--choice", "300"},
       "1B 45 1B 40 01 2C 0D 1B 53\n"},
      // A frame part that is not whole bytes is left out; the job still goes.
      {File(Edit(kFramed, "EnterInstruction=1B 45", "EnterInstruction=1B 4"), "odd-enter.ini"), {"--all"},
       "1B 40 01 2C 0D 1B 53\n"},
  };
  for (const auto &c : cases) {
    std::vector<WString> args = {Wide("job"), Wide(c.file)};
    for (const std::string &arg : c.choose) args.push_back(Wide(arg));
    SCOPED_TRACE(c.bytes);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, c.bytes);
  }
}

TEST_F(JobTest, OutWritesTheRawBytes) {
  std::string out = File("", "job.prn");
  ToolRun run = RunTool({"job", File(kFramed), "--all", "--out", out});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "");
  std::ifstream in(out, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("\x1B\x45\x1B\x40\x01\x2C\x0D\x1B\x53", 9));
}

TEST_F(JobTest, NothingToSendExitsOne) {
  const struct {
    std::string text;
    std::vector<std::string> choose;
    std::string reason;
  } cases[] = {
      // Set All sends nothing when one item has no text, rather than a partial set.
      {Edit(Edit(kFramed, "ParameterRule=High256", "ParameterRule=BaseOn30"), "I=300", "I=-5"), {"--all"},
       "item 0 of section 0: BaseOn30 cannot send the negative value -5"},
      {Edit(kFramed, "Item01Instruction=1B 40", "Item01Instruction=1B 4"), {"--all"}, "is not whole bytes"},
      {Edit(kFramed, "Item01Instruction=1B 40", "Item01Instruction=1B\t40"), {"--all"}, "is not whole bytes"},
      {"[SectionNames]\nSectionCount=1\nSection01=S\n", {"--all"}, "the file shows no items"},
      {kFramed, {"--section", "0", "--item", "0", "--choice", "-1", "--printer", "Nobody's printer"}, ""},
  };
  for (const auto &c : cases) {
    std::vector<WString> args = {Wide("job"), Wide(File(c.text))};
    for (const std::string &arg : c.choose) args.push_back(Wide(arg));
    SCOPED_TRACE(c.reason);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
  }
}

TEST_F(JobTest, UsageErrorsExitTwo) {
  std::string file = File(kFramed);
  const std::vector<std::vector<std::string>> cases = {
      {"encode", file, "--section", "0", "--item", "0"},
      {"encode", file, "--section", "0", "--item", "0", "--choice", "0", "--value", "1"},
      {"encode", file, "--section", "0", "--choice", "0"},
      {"encode", file, "--section", "zero", "--item", "0", "--choice", "0"},
      {"encode", file, "--section", "1", "--item", "0", "--choice", "0"},
      {"encode", file, "--section", "0", "--item", "1", "--choice", "0"},
      {"job", file},
      {"job", file, "--all", "--section", "0"},
      {"job", file, "--section", "0", "--item", "0"},
      {"job", file, "--all=yes"},
      {"job", file, "--all", "--out", file + ".prn", "--printer", "P"},
      {"job", file, "--all", "--out", file.substr(0, file.find_last_of("/\\"))},
      {"job", file + ".missing", "--all"},
  };
  for (const auto &c : cases) {
    std::vector<WString> args;
    std::string shown;
    for (const std::string &arg : c) {
      args.push_back(Wide(arg));
      shown += arg + " ";
    }
    SCOPED_TRACE(shown);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
  }
}

}  // namespace
