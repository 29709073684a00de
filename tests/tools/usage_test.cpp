// The tool's command line: usage errors and unreadable arguments exit 2 with one line on stderr and no output.
#include "tests/tools/tool_fixture.h"

#include <regex>

#include "prnset_version.h"

namespace {

using UsageTest = ToolTest;

TEST_F(UsageTest, UsageErrorsExitTwoWithOneLine) {
  std::string file = File("[SectionNames]\nSectionCount=0\n");
  std::string folder = file.substr(0, file.find_last_of("/\\"));
  const struct {
    std::vector<std::string> args;
    std::string says;  // a part of the complaint
  } cases[] = {
      {{}, "no command"},
      {{"frobnicate", file}, "unknown command frobnicate"},
      {{"dump"}, "no settings file"},
      {{"dump", file, file}, "more than one file"},
      {{"dump", file, "--language", "cn"}, "unknown option --language"},
      {{"dump", file, "--lang"}, "--lang needs a value"},
      {{"dump", file, "--lang", "de"}, "en or cn"},
      {{"dump", file, "--lang", "cn", "--lang", "en"}, "given twice"},
      {{"show", file, "--lang=fr"}, "en or cn"},
      {{"show"}, "usage: prnset show FILE"},
      {{"check", file, "--all"}, "unknown option --all"},
      {{"dump", file + ".missing"}, "cannot read"},
      {{"show", folder}, "cannot read"},
      {{"check", file + ".missing"}, "cannot read"},
      {{"dump", ""}, "cannot read"},
  };
  for (const auto &c : cases) {
    std::vector<WString> args;
    std::string shown;
    for (const std::string &arg : c.args) {
      args.push_back(Wide(arg));
      shown += arg + " ";
    }
    SCOPED_TRACE(shown);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind("prnset", 0), 0u) << run.err;
  }
}

TEST_F(UsageTest, DoubleDashEndsTheOptions) {
  // A file whose name starts with two dashes can still be named.
  std::string file = File("[SectionNames]\nSectionCount=0\n", "--odd.ini");
  EXPECT_EQ(RunTool({"dump", "--", file}).code, 0);
}

TEST_F(UsageTest, HelpListsEveryCommandAndSucceeds) {
  ToolRun run = RunTool({"help"});
  EXPECT_EQ(run.code, 0);
  for (const char *command : {"prnset dump FILE", "prnset show FILE", "prnset check FILE"})
    EXPECT_NE(run.out.find(command), std::string::npos) << command;
}

TEST(ParseNumberTest, AcceptsWholeDecimalAndHexadecimalNumbersOnly) {
  const struct {
    const char *text;
    bool ok;
    LONG value;
  } cases[] = {
      {"0", true, 0},
      {"17", true, 17},
      {"-1", true, -1},
      {"+5", true, 5},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, LONG(-2147483647 - 1)},
      {"0xA00000", true, 0xA00000},
      {"0Xff", true, 255},
      {"0xFFFFFFFF", true, -1},
      {"2147483648", false, 0},
      {"0x100000000", false, 0},
      {"-0x1", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"0x", false, 0},
      {"12a", false, 0},
      {" 1", false, 0},
      {"1.5", false, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    LONG value = 12345;
    EXPECT_EQ(prnset::ParseNumber(Wide(c.text), value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST_F(UsageTest, VersionIsTheReleasesAndStandsAlone) {
  ToolRun run = RunTool({"--version"});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "prnset " PRNSET_VERSION_TEXT "\n");
  EXPECT_TRUE(std::regex_match(run.out, std::regex("prnset [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.out;
  // Only as the whole command line's first word: after a command it is an option that command does not know.
  std::string file = File("[SectionNames]\nSectionCount=0\n");
  ToolRun late = RunTool({"dump", file, "--version"});
  EXPECT_EQ(late.code, 2);
  EXPECT_NE(late.err.find("unknown option --version"), std::string::npos) << late.err;
}

}  // namespace
