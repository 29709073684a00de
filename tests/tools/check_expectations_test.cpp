// prnset check against the finding files: each file of tests/tools/findings says what it expects in remarks
// ("; expect: warning unknown-key" before the line the finding names, "; expect-file: error file-empty" for the file
// as a whole, "; expect: nothing"), so a new case is a new file. The registry of kinds is checked against the documentation too.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <tuple>

#include "tests/tools/tool_fixture.h"
#include "tools/prnset/check.h"
#include "tools/prnset/system.h"

namespace {

using Expected = std::multiset<std::tuple<int, std::string, std::string>>;  // line, severity, code

// The expectations a file states, each bound to the next line that is no remark.
Expected ExpectationsOf(const std::string &text) {
  Expected expected;
  std::vector<std::pair<std::string, std::string>> pending;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string mark, severity, code;
    words >> mark;
    if (mark == ";" && words >> mark && (mark == "expect:" || mark == "expect-file:") && words >> severity >> code) {
      if (mark == "expect-file:") expected.insert({0, severity, code});
      else pending.push_back({severity, code});
      continue;
    }
    if (!line.empty() && (line[0] == ';' || line[0] == '#')) continue;
    for (const auto &p : pending) expected.insert({number, p.first, p.second});
    pending.clear();
  }
  return expected;
}

TEST(CheckExpectationsTest, EveryFindingFileGivesWhatItsRemarksExpect) {
  const std::string folder = SourcePath("tests/tools/findings");
  int files = 0;
  for (const auto &entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".ini") continue;
    const std::string name = entry.path().filename().string();
    const std::string text = ReadSourceFile("tests/tools/findings/" + name);
    const Expected expected = ExpectationsOf(text);
    // The older files of one finding each are told by their own table; a file that looks wrong but is not says
    // "; expect: nothing".
    if (expected.empty() && text.find("; expect: nothing") == std::string::npos) continue;
    SCOPED_TRACE(name);
    ++files;
    ToolRun run = RunTool({Wide("check"), Wide(folder + "/" + name), Wide("--format"), Wide("json")});
    nlohmann::json all = nlohmann::json::parse(run.out, nullptr, false);
    ASSERT_TRUE(all.is_array()) << run.out << run.err;
    Expected found;
    // The file's encoding is said of every file; other information is expected as findings are.
    for (const nlohmann::json &finding : all)
      if (finding["code"] != "encoding")
        found.insert({finding["line"].is_null() ? 0 : finding["line"].get<int>(), finding["severity"], finding["code"]});
    EXPECT_EQ(found, expected) << run.out;
  }
  EXPECT_GE(files, 8);
}

// Advice is given once: no finding of any file says "write X" twice, as when two hints find the same number.
TEST(CheckExpectationsTest, NoFindingGivesTheSameAdviceTwice) {
  const std::string folder = SourcePath("tests/tools/findings");
  for (const auto &entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".ini") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ToolRun run = RunTool({Wide("check"), Wide(entry.path().string()), Wide("--format"), Wide("json")});
    nlohmann::json all = nlohmann::json::parse(run.out, nullptr, false);
    ASSERT_TRUE(all.is_array()) << run.out << run.err;
    for (const nlohmann::json &finding : all) {
      const std::string message = finding["message"];
      std::set<std::string> advice;
      for (size_t at = message.find("write "); at != std::string::npos; at = message.find("write ", at + 6)) {
        const std::string said = message.substr(at, message.find_first_of(";(", at) - at);
        EXPECT_TRUE(advice.insert(said).second) << message;
      }
    }
  }
}

// A heading's anchor as the documentation's table links it.
std::string Anchor(const std::string &heading) {
  std::string anchor = "#";
  for (char c : heading) {
    if (c >= 'A' && c <= 'Z') anchor += char(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') anchor += c;
    else if (c == ' ') anchor += '-';
  }
  return anchor;
}

TEST(CheckExpectationsTest, TheDocumentedCodesAreTheRegistry) {
  const std::string docs = ReadSourceFile("docs/settings-file.md");
  std::string table = "| Code | Severity | What it tells | Read |\n| --- | --- | --- | --- |\n";
  std::set<std::string> codes;
  for (const prnset::FindingKind &kind : prnset::kFindingKinds) {
    EXPECT_TRUE(codes.insert(kind.code).second) << kind.code << " is defined twice";
    const char *severity = kind.severity == prnset::Severity::Error     ? "error"
                           : kind.severity == prnset::Severity::Warning ? "warning"
                                                                        : "info";
    table += std::string("| `") + kind.code + "` | " + severity + " | " + kind.title + " | [" + kind.section + "](" +
             Anchor(kind.section) + ") |\n";
    // Each kind points at a heading that is there.
    const std::string heading = std::string(" ") + kind.section + "\n";
    EXPECT_NE(docs.find("#" + heading), std::string::npos) << kind.code << ": no heading " << kind.section;
  }
  EXPECT_NE(docs.find(table), std::string::npos) << "docs/settings-file.md's table of codes should read:\n" << table;
}

}  // namespace

namespace {

// Paths as code-scanning services take them: URIs, whatever the system wrote.
TEST(CheckOutputTest, SarifNamesFilesByUri) {
  const struct {
    const char *path, *uri;
  } cases[] = {
      {"/work/with blank/a.ini", "file:///work/with%20blank/a.ini"},
      {"Z:\\work\\Label 40_Settings.Dat", "file:///Z:/work/Label%2040_Settings.Dat"},
      {"settings/\xE6\xA0\x87\xE7\xAD\xBE.ini", "settings/%E6%A0%87%E7%AD%BE.ini"},
      {"a#b%c?.ini", "a%23b%25c%3F.ini"},
      {"-", "-"},
      {"\\\\host\\share\\a.ini", "file://host/share/a.ini"},
  };
  for (const auto &c : cases) EXPECT_EQ(prnset::FileUri(c.path), c.uri) << c.path;
    // Windows' own forms: a long path's mark left out, and paths relative to a drive or its root made whole. Linux
    // names every path as given.
#if defined(_WIN32)
  const std::string whole = Utf8(prnset::FullPathOf(Wide("\\a.ini")));
#endif
  const struct {
    const char *path, *logged;
  } windows[] = {
#if defined(_WIN32)
    {"\\\\?\\Z:\\work\\a.ini", "Z:\\work\\a.ini"},
    {"\\\\?\\UNC\\host\\share\\a.ini", "\\\\host\\share\\a.ini"},
    {"\\a.ini", whole.c_str()},
#else
    {"\\\\?\\Z:\\work\\a.ini", "\\\\?\\Z:\\work\\a.ini"},
    {"/work/a.ini", "/work/a.ini"},
#endif
    {"files\\a.ini", "files\\a.ini"},
  };
  for (const auto &c : windows) EXPECT_EQ(Utf8(prnset::LoggedPathOf(Wide(c.path))), c.logged) << c.path;
}

TEST(CheckOutputTest, QuietColumnsAndSarif) {
  const std::string clean = SourcePath("tests/tools/findings/clean.ini");
  const std::string space = SourcePath("tests/tools/findings/no-break-space.ini");
  // --quiet: no information lines, and a file without findings says nothing at all.
  ToolRun quiet = RunTool({Wide("check"), Wide(clean), Wide(space), Wide("--quiet")});
  EXPECT_EQ(quiet.code, 0);
  EXPECT_EQ(quiet.out.find("info:"), std::string::npos) << quiet.out;
  EXPECT_EQ(quiet.out.find(clean), std::string::npos) << quiet.out;
  // The column of the invisible character, in text and JSON: "I_Title=Light" is 13 characters.
  EXPECT_NE(quiet.out.find(space + ":13:14: warning: "), std::string::npos) << quiet.out;
  ToolRun json = RunTool({Wide("check"), Wide(space), Wide("--format"), Wide("json"), Wide("--quiet")});
  nlohmann::json findings = nlohmann::json::parse(json.out, nullptr, false);
  ASSERT_TRUE(findings.is_array() && findings.size() == 1) << json.out;
  EXPECT_EQ(findings[0]["column"], 14);
  // SARIF: one run, the registry as its rules, one result with its place.
  ToolRun sarif = RunTool({Wide("check"), Wide(space), Wide("--format"), Wide("sarif")});
  nlohmann::json log = nlohmann::json::parse(sarif.out, nullptr, false);
  ASSERT_TRUE(log.is_object()) << sarif.out;
  EXPECT_EQ(log["version"], "2.1.0");
  const nlohmann::json &run = log["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["rules"].size(), prnset::kFindingKinds.size());
  int warnings = 0;
  for (const nlohmann::json &result : run["results"])
    if (result["level"] == "warning") {
      ++warnings;
      EXPECT_EQ(result["ruleId"], "invisible-character");
      EXPECT_EQ(result["locations"][0]["physicalLocation"]["region"]["startLine"], 13);
      EXPECT_EQ(result["locations"][0]["physicalLocation"]["region"]["startColumn"], 14);
      // The one character, as a viewer marks it.
      EXPECT_EQ(result["locations"][0]["physicalLocation"]["region"]["endColumn"], 15);
    }
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(run["columnKind"], "utf16CodeUnits");
  const std::string root = run["originalUriBaseIds"]["SRCROOT"]["uri"];
  EXPECT_TRUE(root.rfind("file:", 0) == 0 && root.back() == '/') << root;
  EXPECT_EQ(run["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"], prnset::FileUri(space));
  // Output that is not a terminal is never coloured.
  EXPECT_EQ(quiet.out.find('\033'), std::string::npos);
  // A file of code page 936 is shown so by its author's editor, on the lines of English sections too: the quotation
  // mark after two Chinese characters stands in column 19 there (it is the 21st byte).
  const std::string chinese = SourcePath("tests/tools/findings/quote-after-chinese.ini");
  ToolRun wide = RunTool({Wide("check"), Wide(chinese), Wide("--quiet")});
  EXPECT_NE(wide.out.find(chinese + ":15:19: warning: "), std::string::npos) << wide.out;
}

}  // namespace
