// The tool's command line: usage errors and unreadable arguments exit 2 with one line on stderr and no output.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <tuple>

#include "prnset_version.h"
#include "tests/tools/tool_fixture.h"

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
      {{"dump", ""}, "cannot read"},
      {{"preview", file, "--printer", ""}, "--printer needs a name"},
      {{"preview", file, "--printer", std::string(259, 'p') + "q"}, "longer than 259 characters"},
      {{"preview", file, "--all"}, "unknown option --all"},
      {{"preview", file, file}, "more than one file"},
  };
  for (const auto &c : cases) {
    ToolRun run = ExpectRun({c.args, 2, c.says});
    EXPECT_EQ(run.err.rfind("prnset", 0), 0u) << run.err;
  }
}

// A preview without a printer writes its job beside its file: standard input has no folder to write into.
TEST_F(UsageTest, PreviewOfStandardInputNeedsAPrinter) {
  ToolRun run = RunToolWith({"preview", "-"}, "[SectionNames]\nSectionCount=0\n");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(IsOneLine(run.err)) << run.err;
  EXPECT_NE(run.err.find("give --printer"), std::string::npos) << run.err;
}

TEST_F(UsageTest, DoubleDashEndsTheOptions) {
  // A file whose name starts with two dashes can still be named.
  std::string file = File("[SectionNames]\nSectionCount=0\n", "--odd.ini");
  EXPECT_EQ(RunTool({"dump", "--", file}).code, 0);
}

TEST_F(UsageTest, APathFromTheRootIsAFile) {
  // Windows takes "/x" as a switch; a build machine that runs the tool under Wine names files from the root.
  std::string file = File("[SectionNames]\nSectionCount=0\n", "rooted.ini");
  if (file.size() > 2 && file[1] == ':') file = file.substr(2);
  std::replace(file.begin(), file.end(), '\\', '/');
  ASSERT_EQ(file[0], '/');
  ToolRun run = RunTool({"dump", file});
  EXPECT_EQ(run.err.find("unexpected argument"), std::string::npos) << run.err;
  // (On Windows the root is the current drive's, which may hold no such file: the path is then told as missing.)
  if (std::ifstream(file).good()) {
    EXPECT_EQ(run.code, 0) << run.err;
  }
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

namespace {

using CommandLineTest = ToolTest;

// No control character of a file reaches the terminal, whatever command quotes it, and no quoted name of megabytes
// makes a line of megabytes.
TEST_F(CommandLineTest, OutputCarriesNoControlOfTheFileAndNoEndlessLine) {
  const std::string hostile = File(
      "[SectionNames]\nSectionCount=1\nSection01=S\nParameterRule=Base\x1B]0;X\x07\n"
      "[Section01]\nItemCount=1\nItem01=I\nItem01Instruction=1B 44\n"
      "[S_Lang_EN]\nTitle=A\xE2\x80\xAE"
      "B\xC2\x9D\n[" +
      std::string(100000, 'S') + "]\nk=1\n");
  auto raw = [](const std::string &text) {
    return text.find('\x1B') != std::string::npos || text.find('\x07') != std::string::npos ||
           text.find("\xE2\x80\xAE") != std::string::npos || text.find("\xC2\x9D") != std::string::npos;
  };
  for (const std::vector<std::string> &args :
       std::vector<std::vector<std::string>>{{"job", hostile, "--all"},
                                             {"encode", hostile, "--item", "S/I", "--value", "1"},
                                             {"dump", hostile},
                                             {"check", hostile},
                                             {"check", hostile, "--format", "json"},
                                             {"check", hostile, "--format", "sarif"}}) {
    SCOPED_TRACE(args[0] + (args.size() > 3 ? " " + args[3] : std::string()));
    ToolRun run = RunTool(args);
    EXPECT_FALSE(raw(run.out)) << run.out.substr(0, 400);
    EXPECT_FALSE(raw(run.err)) << run.err.substr(0, 400);
    for (const std::string *text : {&run.out, &run.err})
      for (size_t from = 0, end; from < text->size(); from = end + 1) {
        end = std::min(text->find('\n', from), text->size());
        EXPECT_LT(end - from, 5000u);
      }
  }
  EXPECT_NE(RunTool({"dump", hostile}).out.find("A\\u202EB\\u009D"), std::string::npos);
}

TEST_F(CommandLineTest, EveryCommandHasItsHelpWithTheExitCodes) {
  for (const char *command : {"dump", "show", "check", "encode", "job"}) {
    SCOPED_TRACE(command);
    ToolRun asked = RunTool({command, "--help"});
    EXPECT_EQ(asked.code, 0);
    EXPECT_EQ(asked.err, "");
    EXPECT_EQ(asked.out.rfind(std::string("usage: prnset ") + command + " FILE", 0), 0u) << asked.out;
    EXPECT_NE(asked.out.find("Exit codes: 0 "), std::string::npos) << asked.out;
    EXPECT_NE(asked.out.find("--lang en|cn"), std::string::npos) << asked.out;
    EXPECT_EQ(RunTool({command, "-h"}).out, asked.out);
    EXPECT_EQ(RunTool({command, "/?"}).out, asked.out);  // as a Windows console asks
    // Lines a console of 100 columns shows whole, but for the usage line, which is one command line.
    for (size_t from = asked.out.find('\n') + 1, end; from < asked.out.size(); from = end + 1) {
      end = asked.out.find('\n', from);
      EXPECT_LE(end - from, 100u) << asked.out.substr(from, end - from);
    }
    EXPECT_EQ(RunTool({"help", command}).out, asked.out);
    EXPECT_EQ(RunTool({command, "somefile", "--help"}).out, asked.out);  // help wins over a file
    // How items are named concerns only the commands that take one; every command reads FILE - alike.
    const bool takesItem = std::string(command) == "encode" || std::string(command) == "job";
    EXPECT_EQ(asked.out.find("--item Paper/TopOffset") != std::string::npos, takesItem) << asked.out;
    EXPECT_NE(asked.out.find("FILE - reads the file from standard input"), std::string::npos) << asked.out;
  }
  EXPECT_NE(RunTool({"check", "--help"}).out.find("1 errors (or, with --strict, warnings)"), std::string::npos);
  for (const char *command : {"encode", "job"}) {
    const std::string help = RunTool({command, "--help"}).out;
    EXPECT_NE(help.find("(--item CLASS/ITEM | --section S --item I)"), std::string::npos) << help;
    EXPECT_NE(help.find("--item CLASS/ITEM | I\n"), std::string::npos) << help;
  }
  EXPECT_NE(RunTool({"job", "--help"}).out.find("- writes them to standard output"), std::string::npos);
  ToolRun general = RunTool({"--help"});
  EXPECT_EQ(general.code, 0);
  EXPECT_NE(general.out.find("Exit codes: 0 done"), std::string::npos);
  EXPECT_NE(general.out.find("--item Paper/TopOffset"), std::string::npos) << general.out;
  ToolRun unknown = RunTool({"help", "frobnicate"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_TRUE(IsOneLine(unknown.err)) << unknown.err;
}

// Sets or (with nullptr) removes an environment variable; on Windows an empty value removes it too.
void SetVariable(const char *name, const char *value) {
#if defined(_WIN32)
  _putenv((std::string(name) + "=" + (value ? value : "")).c_str());
#else
  value ? setenv(name, value, 1) : unsetenv(name);
#endif
}

TEST_F(CommandLineTest, ColourIsLeftOffByNoColorAndADumbTerminal) {
  const char *noColour = std::getenv("NO_COLOR"), *term = std::getenv("TERM");
  const std::string saved[2] = {noColour ? noColour : "", term ? term : ""};
  // NO_COLOR, TERM, and whether colour is allowed; an empty NO_COLOR is as none.
  const std::vector<std::tuple<const char *, const char *, bool>> cases = {
      {nullptr, "xterm", true}, {"", "dumber", true}, {"1", "xterm", false}, {nullptr, "dumb", false}};
  for (const auto &[no, terminal, allowed] : cases) {
    SetVariable("NO_COLOR", no);
    SetVariable("TERM", terminal);
    EXPECT_EQ(prnset::EnvironmentAllowsColour(), allowed) << (no ? no : "(unset)") << " " << terminal;
  }
  SetVariable("NO_COLOR", noColour ? saved[0].c_str() : nullptr);
  SetVariable("TERM", term ? saved[1].c_str() : nullptr);
}

TEST_F(CommandLineTest, VersionIsTheProjectsOne) {
  ToolRun run = RunTool({"--version"});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, std::string("prnset ") + prnset::Version() + "\n");
  EXPECT_NE(std::string(prnset::Version()).find('.'), std::string::npos);
}

TEST_F(CommandLineTest, UnreadableInputSaysWhy) {
  std::string file = File("[SectionNames]\nSectionCount=0\n");
  std::string folder = file.substr(0, file.find_last_of("/\\"));
  const struct {
    std::string file, reason;
  } cases[] = {
      {file + ".missing", "it does not exist"},
      {folder, "it is a folder"},
      {"", "the name is empty"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.reason);
    ToolRun run = RunTool({"show", c.file});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "prnset show: cannot read " + c.file + ": " + c.reason + "\n");
  }
}

TEST_F(CommandLineTest, StandardInputIsADash) {
  std::string text = ReadSourceFile(kOfficeLaser);
  ToolRun piped = RunToolWith({"dump", "-", "--lang", "cn"}, text);
  EXPECT_EQ(piped.code, 0) << piped.err;
  EXPECT_EQ(piped.out, RunTool({"dump", SourcePath(kOfficeLaser), "--lang", "cn"}).out);
  ToolRun shown = RunToolWith({"show", "-"}, text);
  EXPECT_EQ(shown.out.rfind("Settings file: -\n", 0), 0u) << shown.out;
}

// Standard output that refuses every byte, as a full disk or a closed pipe does.
struct RefusingBuffer : std::streambuf {
  int error = 0;  // the system's reason it leaves in errno; 0 for none
  int_type overflow(int_type) override {
    if (error) errno = error;
    return traits_type::eof();
  }
};

TEST_F(CommandLineTest, OutputThatCannotBeWrittenIsAnError) {
  std::string noSpace = std::strerror(ENOSPC);
  noSpace[0] = char(std::tolower(static_cast<unsigned char>(noSpace[0])));
  for (std::initializer_list<std::string> args :
       {std::initializer_list<std::string>{"dump", "-"}, {"check", "-"}, {"job", "-", "--all", "--out", "-"},
        {"--version"}, {"help"}}) {
    // The system's reason when it gives one; none when it does not, whatever errno held before.
    for (int error : {0, ENOSPC}) {
      RefusingBuffer refusing;
      refusing.error = error;
      std::ostream out(&refusing);
      errno = EACCES;
      ToolRun run = RunToolWith(args, ReadSourceFile(kLabelPrinter), &out);
      EXPECT_EQ(run.code, 2);
      EXPECT_EQ(run.err, "prnset " + *args.begin() + ": cannot write the output" + (error ? ": " + noSpace : "") + "\n");
    }
  }
}

// The tool's own bounds at their edges: the last section and item exist, the next ones do not.
TEST_F(CommandLineTest, PositionsAreCheckedAtTheirEdges) {
  std::string ten = "[SectionNames]\nSectionCount=10\nParameterRule=High256\n";
  for (int n = 1; n <= 10; ++n) ten += "Section" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=S\n";
  for (int n = 1; n <= 10; ++n)
    ten += "[Section" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "]\nItemCount=1\nItem01=I\nItem01Instruction=1B\n";
  ten += "[S_Rule_EN]\nI_RuleType=Enum\nI_Rule=1=One\n";
  const std::string tenFile = File(ten, "ten.ini"), office = SourcePath(kOfficeLaser);
  const ToolCase cases[] = {
      {{"encode", office, "--section", "3", "--item", "1", "--choice", "0"}, 0, "1B 6C 42 01 0D\n"},
      {{"encode", office, "--section", "4", "--item", "0", "--choice", "0"},
       2,
       "there is no section 4 (sections 0 to 3)"},
      {{"encode", office, "--section", "-1", "--item", "0", "--choice", "0"},
       2,
       "there is no section -1 (sections 0 to 3)"},
      {{"encode", office, "--section", "0", "--item", "3", "--choice", "0"},
       2,
       "section 0 has no item 3 (items 0 to 2)"},
      {{"encode", tenFile, "--section", "9", "--item", "0", "--choice", "0"}, 0, "1B 01\n"},
      {{"encode", tenFile, "--section", "10", "--item", "0", "--choice", "0"},
       2,
       "there is no section 10 (sections 0 to 9)"},
      {{"encode", tenFile, "--section", "0", "--item", "0", "--choice", "1"},
       2,
       "--choice 1: the item has one option, at position 0"},
      {{"encode", office, "--section", "0", "--item", "0", "--choice", "4"}, 0, "1B 73 44 05 0D\n"},
      {{"encode", office, "--section", "0", "--item", "0", "--choice", "5"},
       2,
       "--choice 5: the item has 5 options, at positions 0 to 4"},
  };
  for (const ToolCase &c : cases) ExpectRun(c);
}

TEST(Utf8Test, EachLengthAtItsEdges) {
  const struct {
    std::u16string text;
    std::string utf8;
  } cases[] = {
      {u"\u007F", "\x7F"},
      {u"\u0080", "\xC2\x80"},
      {u"\u07FF", "\xDF\xBF"},
      {u"\u0800", "\xE0\xA0\x80"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U00010000", "\xF0\x90\x80\x80"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {std::u16string(1, char16_t(0xD800)), "\xEF\xBF\xBD"},  // a lone surrogate
  };
  for (const auto &c : cases) {
    WString text(c.text.begin(), c.text.end());
    EXPECT_EQ(prnset::Utf8(text), c.utf8);
    EXPECT_EQ(prnset::Widen(c.utf8), c.text[0] >= 0xD800 && c.text[0] <= 0xDBFF && c.text.size() == 1
                                         ? WString(1, WCHAR(0xFFFD))
                                         : text);
  }
}

}  // namespace
