// prnset encode and prnset job: command texts and job bytes of the example files and of small files of our own.
#include "tests/tools/tool_fixture.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

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
  const std::string office = SourcePath(kOfficeLaser), label = SourcePath(kLabelPrinter);
  const ToolCase cases[] = {
      {{"encode", office, "--section", "0", "--item", "0", "--choice", "4"}, 0, "1B 73 44 05 0D\n"},
      {{"encode", office, "--section", "0", "--item", "0", "--value", "300"}, 0, "1B 73 44 2C 0D\n"},
      {{"encode", office, "--section", "1", "--item", "2", "--value", "-2"}, 0, "1B 70 54 FE 0D\n"},
      {{"encode", office, "--section", "1", "--item", "3", "--choice", "0xA00000"}, 0, "1B 70 44 A0 00 00 0D\n"},
      {{"encode", office, "--section", "1", "--item", "3", "--choice", "0"}, 0, "1B 70 44 00 00 00 0D\n"},
      {{"encode", label, "--section", "1", "--item", "1", "--choice", "9"}, 0, "5E 4C 4C 31 30 30 0D 0A\n"},
      {{"encode", label, "--section", "0", "--item", "0", "--value", "7"}, 0, "5E 4D 44 37 0D 0A\n"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
}

TEST_F(EncodeTest, NoTextExitsOneWithTheReason) {
  const std::string office = SourcePath(kOfficeLaser), label = SourcePath(kLabelPrinter);
  const std::string other = File(
      "[SectionNames]\nSectionCount=1\nSection01=S\nParameterRule=Binary\n[Section01]\nItemCount=2\nItem01=A\n"
      "Item02=B\n[S_Rule_EN]\nA_RuleType=Serial\nA_Rule=MIN=-32767 MAX=-32766\n");
  const ToolCase cases[] = {
      {{"encode", label, "--section", "0", "--item", "0", "--value", "-1"},
       1,
       "BaseOn30 cannot send the negative value -1"},
      {{"encode", other, "--section", "0", "--item", "0", "--choice", "1"},
       1,
       "\"Binary\" is neither High256 nor BaseOn30"},
      {{"encode", other, "--section", "0", "--item", "0", "--choice", "0"}, 1, "the no-command value -32767"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
}

// A value its parameter bytes cannot hold goes out cut, as the page sends it, with a note of what is sent instead.
TEST_F(EncodeTest, AValueCutToItsBytesIsTold) {
  const std::string office = SourcePath(kOfficeLaser);
  const std::string bare = File(Edit(kFramed, "Item01ParameterCount=2", "Item01ParameterCount=0"), "bare.ini");
  // One byte after the high byte 00 of a two-byte value: the printer reads 0 to 255, no sign.
  const std::string highByte = File(Edit(kFramed, "Item01Instruction=1B 40\nItem01ParameterCount=2",
                                         "Item01Instruction=1B 40 00\nItem01ParameterCount=1"),
                                    "high-byte.ini");
  const struct {
    std::string file, item, value, note;  // the note's start after the value; none: the value is sent whole
  } cases[] = {
      {office, "Paper/TopOffset", "300",
       "does not fit 1 parameter byte: it is cut to 2C, which the printer reads as 44; a value from -128 to 255 fits"},
      {office, "Paper/TopOffset", "0x180",
       "does not fit 1 parameter byte: it is cut to 80, which the printer reads "
       "as 128 or -128;"},
      {office, "Paper/TopOffset", "255", ""},
      {office, "Paper/TopOffset", "-128", ""},
      {office, "Paper/SizeSensing", "0x1000000", "does not fit 3 parameter bytes: it is cut to 00 00 00,"},
      {SourcePath(kLabelPrinter), "Print/Darkness", "12345", ""},  // BaseOn30 sends every digit
      {bare, "S/I", "5", "the item has no parameter bytes: its command goes without the value\n"},
      {bare, "S/I", "0", ""},
      {highByte, "S/I", "-5",
       "does not fit the byte after the instruction's high byte 00: it is cut to FB, which "
       "the printer reads as 251; a value from 0 to 255 fits"},
      {highByte, "S/I", "255", ""},
      {office, "Paper/SizeSensing", "0xA00000", ""},  // a mask of rows, which no option has as its value
      {office, "Paper/SizeSensing", "0", "ticks no row: the item is multi-choice"},
      {office, "Paper/SizeSensing", "600", "is no mask of the item's rows: the item is multi-choice"},
  };
  for (const auto &c : cases) {
    ToolRun run = RunTool({"encode", c.file, "--item", c.item, "--value", c.value});
    EXPECT_EQ(run.code, 0);
    if (c.note.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_EQ(run.err.rfind("prnset encode: note: --value " + c.value + " " + c.note, 0), 0u) << run.err;
    }
  }
}

// A position past a single-choice item's options is a wrong command line; a multi-choice item takes any mask, as
// the page sends a default that sets bits of no row.
TEST_F(EncodeTest, PositionsPastTheOptionsExitTwo) {
  const std::string office = SourcePath(kOfficeLaser);
  const ToolCase cases[] = {
      {{"encode", office, "--section", "1", "--item", "2", "--choice", "7"},
       2,
       "--choice 7: the item has 7 options, at positions 0 to 6"},
      {{"encode", office, "--section", "1", "--item", "2", "--choice", "-1"}, 2, "--choice -1: the item has 7 options"},
      {{"encode", office, "--section", "1", "--item", "2", "--value", "99999999999"},
       2,
       "--value 99999999999 is out of range: a number is from -2147483648 to 2147483647"},
      {{"encode", office, "--section", "1", "--item", "2", "--value", "-2147483648"}, 0, "1B 70 54 00 0D\n"},
      {{"encode", office, "--section", "1", "--item", "2", "--value", "ten"},
       2,
       "--value takes a whole number, not ten"},
      {{"job", office, "--item", "Paper/SizeSensing", "--choice", "2"},
       0,
       "1B 7B 53 31 1B 70 44 00 00 02 0D 1B 7D 57\n"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
}

TEST_F(JobTest, BuildsTheBytesOfSetAllAndSetCurrent) {
  const std::string office = SourcePath(kOfficeLaser), label = SourcePath(kLabelPrinter);
  const std::string framed = File(kFramed, "framed.ini");
  const ToolCase cases[] = {
      {{"job", office, "--all"}, 0,
       "1B 7B 53 31 1B 73 44 03 0D 1B 73 52 02 0D 1B 73 54 00 0D 1B 70 53 07 0D 1B 70 5A 00 0D 1B 70 54 00 0D "
       "1B 70 44 A0 00 00 0D 1B 65 53 0F 0D 1B 65 4F 04 0D 1B 6C 4C 02 0D 1B 6C 42 05 0D 1B 7D 57\n"},
      {{"job", office, "--section", "0", "--item", "0", "--choice", "4"}, 0, "1B 7B 53 31 1B 73 44 05 0D 1B 7D 57\n"},
      {{"job", label, "--all"}, 0,
       "5E 58 41 5E 4D 44 31 35 0D 0A 5E 50 52 34 0D 0A 5E 4D 4E 30 0D 0A 5E 4C 4C 31 30 30 0D 0A "
       "5E 4A 55 53 5E 58 5A\n"},
      // 300 in two bytes is 01 2C; the default is the mask of a multi-choice item.
      {{"job", framed, "--all"}, 0, "1B 45 1B 40 01 2C 0D 1B 53\n"},
      {{"job", framed, "--section", "0", "--item", "0", "--choice", "300"}, 0, "1B 45 1B 40 01 2C 0D 1B 53\n"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
}

// What the job leaves out of the file goes out as the page sends it, with exit 0, and is told on standard error.
TEST_F(JobTest, WhatTheJobLeavesOutIsTold) {
  const struct {
    std::string from, to, bytes, note;  // no note: nothing is left out
  } cases[] = {
      {"EnterInstruction=1B 45", "EnterInstruction=1Bh 45h", "1B 40 01 2C 0D 1B 53",
       "EnterInstruction holds \"h\", which is neither a blank nor a hexadecimal digit: the page leaves it out of "
       "every job"},
      {"SaveInstruction=1B 53", "SaveInstruction=1B 5", "1B 45 1B 40 01 2C 0D",
       "SaveInstruction has an odd number of hexadecimal digits (3): the page leaves it out of every job"},
      {"InstructionTail=0D", "InstructionTail=D", "1B 45 1B 40 01 2C 1B 53",
       "InstructionTail has one character, which is not a byte: it is left out of every command"},
      {"InstructionTail=0D", "InstructionTail=0D 0A", "1B 45 1B 40 01 2C 0D 0A 1B 53", ""},
      {"EnterInstruction=1B 45", "EnterInstruction=", "1B 40 01 2C 0D 1B 53", ""},  // no frame to leave out
  };
  int n = 0;
  for (const auto &c : cases) {
    const std::string file = File(Edit(kFramed, c.from, c.to), "left-out" + std::to_string(n++) + ".ini");
    ToolRun run = RunTool({"job", file, "--all"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, c.bytes + "\n");
    EXPECT_EQ(run.err, c.note.empty() ? "" : "prnset job: note: [SectionNames] " + c.note + "\n");
  }
  // Two texts of an odd number of digits make an even whole: the job goes out paired wrong, and says so.
  const std::string odd =
      Edit(Edit(kFramed, "InstructionTail=0D", "InstructionTail=0D0"), "Instruction=1B 40", "Instruction=1B 4");
  ToolRun shifted = RunTool({"job", File(odd, "paired-wrong.ini"), "--all"});
  EXPECT_EQ(shifted.code, 0);
  EXPECT_EQ(shifted.out, "1B 45 1B 40 12 C0 D0 1B 53\n");
  EXPECT_NE(shifted.err.find("note: the command texts of item S/I, [SectionNames] InstructionTail have an odd number "
                             "of hexadecimal digits"),
            std::string::npos)
      << shifted.err;
}

// The job's bytes never replace the settings file they come from, however --out writes its name.
TEST_F(JobTest, OutNeverReplacesTheSettingsFile) {
  const std::string file = File(kFramed, "self.ini");
  const std::string folder = file.substr(0, file.find_last_of("/\\\\") + 1);
  ToolRun run = RunTool({"job", file, "--all", "--out", folder + "./self.ini"});
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("--out names FILE itself"), std::string::npos) << run.err;
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), std::string(kFramed));
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

// Output that cannot be written says why.
TEST_F(JobTest, OutThatCannotBeWrittenSaysWhy) {
  const std::string file = File(kFramed), folder = file.substr(0, file.find_last_of("/\\"));
  const char separator = file[folder.size()];
  const ToolCase cases[] = {
      {{"job", file, "--all", "--out", folder}, 2, "it is a folder"},
      {{"job", file, "--all", "--out", folder + separator + "missing" + separator + "job.prn"},
       2,
       "its folder " + folder + separator + "missing does not exist"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
}

TEST_F(JobTest, NothingToSendExitsOne) {
  // Each file under a name of its own: the table is written before any row runs.
  int n = 0;
  auto file = [&n](const std::string &text) { return File(text, "nothing" + std::to_string(n++) + ".ini"); };
  const ToolCase cases[] = {
      // Set All sends nothing when one item has no text, rather than a partial set.
      // The item is named as check names it, by its keys, and where it stands on the page.
      {{"job", file(Edit(ReadSourceFile(kLabelPrinter), "LabelLength=100", "LabelLength=-100")), "--all"},
       1,
       "nothing would be sent: item Media/LabelLength (item 1 of section 1): BaseOn30 cannot send the negative value "
       "-100"},
      // A command text that is no whole bytes is named, with the character or the count at fault.
      {{"job", file(Edit(kFramed, "Item01Instruction=1B 40", "Item01Instruction=1B 4")), "--all"},
       1,
       "item S/I's instruction \"1B 4\" has an odd number of hexadecimal digits (3), so the page sends nothing"},
      {{"job", file(Edit(kFramed, "Item01Instruction=1B 40", "Item01Instruction=1B\t40")), "--all"},
       1,
       "item S/I's instruction \"1B\\t40\" holds \"\\t\", which is neither a blank nor a hexadecimal digit"},
      // Full-width digits saved in code page 936, as the English reading decodes their bytes: named, and shown as
      // the author's editor shows them.
      {{"job", file(Edit(kFramed, "Item01Instruction=1B 40", "Item01Instruction=\xA3\xB1\xA3\xC2 40")), "--all"},
       1,
       "holds U+00A3, which is neither a blank nor a hexadecimal digit, so the page sends nothing (the "
       "text is \"\xEF\xBC\x91\xEF\xBC\xA2 40\" saved in code page 936, read in code page 1252)"},
      {{"job", file(Edit(kFramed, "InstructionTail=0D", "InstructionTail=0D0")), "--item", "S/I", "--choice", "0"},
       1,
       "[SectionNames] InstructionTail \"0D0\" has an odd number of hexadecimal digits (3)"},
      {{"job", file("[SectionNames]\nSectionCount=1\nSection01=S\n"), "--all"}, 1, "the file shows no items"},
      {{"job", file(Edit(Edit(kFramed, "ParameterRule=High256", "ParameterRule=BaseOn30"), "I=300", "I=-5")), "--all",
        "--printer", "Nobody's printer"},
       1,
       "nothing would be sent"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
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
      {"encode", file, "--item", "0", "--choice", "0"},
      {"encode", file, "--item", "I", "--choice", "0"},
      {"encode", file, "--item", "S/", "--choice", "0"},
      {"encode", file, "--item", "/I", "--choice", "0"},
      {"encode", file, "--section", "0", "--item", "S/I", "--choice", "0"},
      {"job", file, "--item", "S/I"},
      {"job", file, "--all", "--item", "S/I"},
      {"job", file, "--item", "S/I", "--choice", "0", "--out", "-", "--printer", "P"},
      {"job", file},
      {"job", file, "--all", "--section", "0"},
      {"job", file, "--section", "0", "--item", "0"},
      {"job", file, "--all=yes"},
      {"job", file, "--all", "--out", file + ".prn", "--printer", "P"},
      {"job", file, "--all", "--out", file.substr(0, file.find_last_of("/\\"))},
      {"job", file + ".missing", "--all"},
  };
  for (const std::vector<std::string> &args : cases) ExpectRun({args, 2, ""});
}

// An item named by its keys is the item at its page position: hidden classes and items shift positions, not keys.
TEST_F(EncodeTest, KeysNameTheSameItemAsItsPosition) {
  const std::string office = SourcePath(kOfficeLaser);
  const std::string slashed =
      File(Edit(Edit(Edit(kFramed, "Section01=S", "Section01=In/Out"), "[S_", "[In/Out_"), "[S_", "[In/Out_"),
           "slashed.ini");
  const struct {
    std::string file, keys;
    std::vector<std::string> position, choose;
  } cases[] = {
      {office, "Paper/TopOffset", {"--section", "1", "--item", "2"}, {"--value", "-2"}},
      {office, "pAPER/topoffset", {"--section", "1", "--item", "2"}, {"--choice", "2"}},
      {office, "Quality/TonerSaver", {"--section", "0", "--item", "2"}, {"--choice", "1"}},  // after hidden Calibration
      {office, "Power/SleepDelay", {"--section", "2", "--item", "0"}, {"--choice", "1"}},    // after hidden Service
      {office, "Panel/Brightness", {"--section", "3", "--item", "1"}, {"--value", "9"}},
      {slashed, "In/Out/I", {"--section", "0", "--item", "0"}, {"--choice", "1"}},  // a class key with a slash
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.keys);
    for (const char *command : {"encode", "job"}) {
      if (std::string(command) == "job" && c.choose[0] == "--value") continue;
      std::vector<std::string> byKeys = {command, c.file, "--item", c.keys}, byPosition = {command, c.file};
      byKeys.insert(byKeys.end(), c.choose.begin(), c.choose.end());
      byPosition.insert(byPosition.end(), c.position.begin(), c.position.end());
      byPosition.insert(byPosition.end(), c.choose.begin(), c.choose.end());
      ToolRun keyed = RunTool(byKeys), positioned = RunTool(byPosition);
      EXPECT_EQ(keyed.code, 0) << keyed.err;
      EXPECT_EQ(positioned.code, 0) << positioned.err;
      EXPECT_EQ(keyed.out, positioned.out);
      EXPECT_FALSE(keyed.out.empty());
    }
  }
  EXPECT_EQ(RunTool({"encode", office, "--item", "Paper/TopOffset", "--value", "-2"}).out, "1B 70 54 FE 0D\n");
  // Two shown classes of one key, each with the item: the keys name neither, and the positions tell them apart.
  const std::string twice =
      File(Edit(Edit(kFramed, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=S"), "[S_Rule_EN]",
                "[Section02]\nItemCount=1\nItem01=I\nItem01Instruction=1B 41\n[S_Rule_EN]"),
           "twice.ini");
  ToolRun ambiguous = RunTool({"encode", twice, "--item", "S/I", "--value", "1"});
  EXPECT_EQ(ambiguous.code, 2);
  EXPECT_NE(ambiguous.err.find("names two items, item 0 of section 0 and item 0 of section 1"), std::string::npos)
      << ambiguous.err;
  EXPECT_EQ(RunTool({"encode", twice, "--section", "1", "--item", "0", "--value", "1"}).out, "1B 41 01 0D\n");
}

// Keys that name no shown item are a wrong command line: the message says what is missing, what there is instead,
// and whether the file hides what was named.
TEST_F(EncodeTest, KeysOfNoShownItemExitTwoSayingWhy) {
  const std::string office = SourcePath(kOfficeLaser);
  const std::string ghost = File(std::string(kFramed) + "[S_Filter]\nGhost=0\n", "ghost.ini");
  const struct {
    std::string file, keys, says;
    bool hidden;
  } cases[] = {
      {office, "Service/PageCounter",
       "class Service is hidden by [Service_Filter] SectionEnable (the file shows Quality, Paper, Power, Panel)", true},
      {office, "service/ENGINETEST", "class Service is hidden by [Service_Filter] SectionEnable", true},
      {office, "Quality/Calibration",
       "item Quality/Calibration is hidden by [Quality_Filter] Calibration (class Quality shows Density, Resolution, "
       "TonerSaver)",
       true},
      {office, "Papr/TopOffset", "there is no shown class Papr (the file shows Quality, Paper, Power, Panel)", false},
      {office, "Paper/TopOfset", "class Paper shows no item TopOfset (it shows Source, Size, TopOffset, SizeSensing)",
       false},
      {office, "Paper/Top\x1B[2J", "no item Top\\x1B[2J", false},  // a terminal's escape is written out
      // A filter entry of a key no item has hides nothing.
      {ghost, "S/Ghost", "class S shows no item Ghost (it shows I)", false},
      {File("[SectionNames]\nSectionCount=1\nSection01=S\n", "bare.ini"), "S/I",
       "class S shows no item I (it shows none)", false},
      {File("", "empty.ini"), "S/I", "there is no shown class S (the file shows none)", false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.keys);
    for (const char *command : {"encode", "job"}) {
      ToolRun run = ExpectRun({{command, c.file, "--item", c.keys, "--choice", "0"}, 2, c.says});
      EXPECT_EQ(run.err.find("hidden") != std::string::npos, c.hidden) << run.err;
    }
  }
}

TEST_F(JobTest, OutDashWritesTheRawBytesToStandardOutput) {
  const std::string label = SourcePath(kLabelPrinter);
  const std::string bytes = "\x5E\x58\x41\x5E\x4C\x4C\x31\x30\x30\x0D\x0A\x5E\x4A\x55\x53\x5E\x58\x5A";
  ToolRun run = RunTool({"job", label, "--item", "Media/LabelLength", "--choice", "9", "--out", "-"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, bytes);
  // A file named "-" is still written when the path says so.
  std::string folder = File("", "job.prn");
  folder = folder.substr(0, folder.find_last_of("/\\") + 1);
  ToolRun named = RunTool({"job", label, "--section", "1", "--item", "1", "--choice", "9", "--out", folder + "-"});
  EXPECT_EQ(named.code, 0) << named.err;
  EXPECT_EQ(named.out, "");
  std::ifstream in(folder + "-", std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), bytes);
}

#if defined(_WIN32)
// The process's own standard output, as a pipe gets it: in text mode the C runtime would turn the job's 0D 0A into
// 0D 0D 0A.
TEST_F(JobTest, OutDashReachesStandardOutputUntranslated) {
  const std::string captured = File("", "stdout.bin");
  std::FILE *file = std::fopen(captured.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fflush(stdout);
  const int saved = _dup(1);
  ASSERT_EQ(_dup2(_fileno(file), 1), 0);
  _setmode(1, _O_TEXT);  // as a program's standard output starts
  std::ostringstream err;
  int code = prnset::Run({Wide("job"), Wide(SourcePath(kLabelPrinter)), Wide("--all"), Wide("--out"), Wide("-")},
                         std::cout, err);
  std::cout.flush();
  std::fflush(stdout);
  _dup2(saved, 1);
  _close(saved);
  std::fclose(file);
  EXPECT_EQ(code, 0) << err.str();
  std::ifstream in(captured, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
            std::string("\x5E\x58\x41\x5E\x4D\x44\x31\x35\x0D\x0A\x5E\x50\x52\x34\x0D\x0A\x5E\x4D\x4E\x30\x0D\x0A"
                        "\x5E\x4C\x4C\x31\x30\x30\x0D\x0A\x5E\x4A\x55\x53\x5E\x58\x5A"));
}
#endif

}  // namespace
