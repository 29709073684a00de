// prnset check on the small files of tests/tools/findings, one per kind of mistake, and at the exact edges of its
// thresholds; the languages, the output formats, several files, standard input and the exit codes.
#include <nlohmann/json.hpp>

#include "tests/tools/tool_fixture.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace {

using FindingsTest = ToolTest;

std::string FindingsFile(const std::string &name) { return SourcePath("tests/tools/findings/" + name + ".ini"); }

// The findings of a run of --format json, information left out.
nlohmann::json Findings(const ToolRun &run) {
  nlohmann::json all = nlohmann::json::parse(run.out, nullptr, false);
  nlohmann::json kept = nlohmann::json::array();
  if (!all.is_array()) {
    ADD_FAILURE() << run.out << run.err;
    return kept;
  }
  for (const nlohmann::json &finding : all)
    if (finding["severity"] != "info") kept.push_back(finding);
  return kept;
}

TEST_F(FindingsTest, EachFileHasExactlyItsOneFinding) {
  const struct {
    const char *file;
    int line;  // 0: the file as a whole
    const char *severity;
    const char *code;
    const char *language;
    const char *says;
  } cases[] = {
      {"unknown-key", 10, "warning", "unknown-key", "both", "Item01Colour is never read"},
      {"unknown-key-suggestion", 13, "warning", "unknown-key", "both", "I_Notes is never read: did you mean I_Note?"},
      {"unknown-section", 24, "warning", "unknown-section", "both", "[Extras] is never read"},
      {"rule-section-misspelt", 16, "warning", "rule-section-missing", "en",
       "line 16 has [S_Rules_EN], which the plug-in does not read as [S_Rule_EN]"},
      {"instruction-misspelt", 9, "error", "no-instruction", "both",
       "\"Item01Instuction\", which the plug-in does not read as Item01Instruction): item S/I sends its parameter "
       "bytes to the printer with no command in front"},
      {"parameter-rule-misspelt", 5, "error", "unknown-parameter-rule", "both", "\"ParamterRule\""},
      {"no-instruction", 9, "error", "no-instruction", "both",
       "Item01Instruction is empty: item S/I sends its parameter bytes to the printer with no command in front"},
      {"section-count-drops", 3, "error", "count-drops-entries", "both",
       "SectionCount is 1, but [SectionNames] also lists Section02 (T): the page never shows that class"},
      {"item-count-drops", 7, "error", "count-drops-entries", "both", "also lists Item02 (J)"},
      {"filter-yes", 34, "error", "filter-not-number", "both",
       "\"yes\" is not a number: the plug-in reads 0 and hides item S/I"},
      {"filter-off", 34, "warning", "filter-word", "both", "\"off\" is not a number"},
      {"no-section-names", 0, "error", "no-section-names", "both", "the file has no [SectionNames]"},
      {"no-section-count", 2, "error", "no-section-count", "both",
       "SectionCount is missing: the page shows no classes"},
      {"no-shown-class", 3, "error", "no-shown-class", "both", "every declared class is hidden"},
      {"section-count-zero", 3, "error", "no-shown-class", "both", "SectionCount is 0"},
      {"misnumbered-section", 4, "error", "declared-missing", "both", "line 4 has \"Section1\""},
      {"serial-en-dash", 18, "warning", "serial-not-number", "en",
       "MIN=\"\u20136\" is not a number: the rule reads MIN=0, so the item has 4 options; U+2013 (en dash) is no "
       "ASCII \"-\": write \"-6\""},
      {"serial-word", 18, "warning", "serial-not-number", "en",
       "STEP=\"fast\" is not a number: the rule reads STEP=0, so the item has no options"},
      {"chinese-rule", 21, "warning", "enum-last-text-cut", "cn", "[S_Rule_CN] I_Rule: the last option's text"},
      {"control-character", 9, "error", "bad-command-text", "both", "holds \"\\x1B\", which is neither"},
      // Marks of a list or of a Chinese input method between Enum pairs: named, with the rule as meant.
      {"enum-semicolons", 19, "warning", "enum-no-blank", "en",
       "separated by \";\", not by blanks: the plug-in "
       "reads 3 options (such as \"Off;1\"); write \"0=Off 1=On 2=Dark\""},
      {"enum-chinese-comma", 22, "warning", "enum-no-blank", "cn",
       "\"\uFF0C\" (U+FF0C, full-width comma), not by blanks: the plug-in reads 2 options (such as "
       "\"\u5173\uFF0C1\"); write \"0=\u5173 1=\u5F00\""},
      // The same comma in the English rule reaches the English page as the two letters of its bytes.
      {"enum-chinese-comma-english", 20, "warning", "enum-no-blank", "en",
       "(U+FF0C, full-width comma) saved in code page 936, which an English system reads as \"\u00A3\u00AC\", not by "
       "blanks: the plug-in reads 2 options (such as \"Off\u00A3\u00AC1\"); write \"0=Off 1=On\""},
      {"enum-ideographic-space", 22, "warning", "enum-no-blank", "cn", "(U+3000, ideographic space), not by blanks"},
      {"enum-text-commas", 19, "warning", "enum-text-mark", "en",
       "2 of its 3 option texts end in \",\" (first \"Off,\"): pairs are separated by blanks alone, so the page "
       "shows the mark; write \"0=Off 1=On 2=Dark\""},
      {"language-sections-swapped", 11, "warning", "language-sections-swapped", "en",
       "[S_Lang_EN] holds Chinese text and [S_Lang_CN] English: are the two headers swapped?"},
      {"curly-quotes-in-english", 12, "warning", "not-in-code-page", "en",
       "Title holds '\u201C' (U+201C) and '\u201D' (U+201D) saved in code page 936: an English system reads the "
       "file in code page 1252 and shows \"\u00A1\u00B0Class\u00A1\u00B1\"; type '\"' instead"},
      // Other spellings of a name, and what the page does until it is written right.
      {"filter-enable", 25, "warning", "unknown-key", "both",
       "Enable is never read: did you mean SectionEnable? Until then the page shows the class"},
      {"parameter-count-abbreviated", 10, "warning", "unknown-key", "both", "did you mean Item01ParameterCount?"},
      {"tail-misspelt", 6, "warning", "unknown-key", "both",
       "did you mean InstructionTail? Until then no command ends with the tail"},
      {"note-key-plural", 17, "warning", "unknown-key", "both", "I_Notes is never read: did you mean I_Note?"},
      {"mask-with-one-byte", 11, "warning", "value-too-large", "both",
       "the default 10485760 is the mask of rows 0, 2, but ParameterCount 1 makes the item single-choice and Set "
       "All sends 1B 44 00; for tick boxes, write ParameterCount=3"},
      {"default-as-option-text", 23, "warning", "not-a-number", "both",
       "I = \"On\" is not a plain decimal number: the plug-in reads 0; \"On\" is the text of the option of value 1: "
       "write 1"},
      // What each of these says is what mends the file: the value that counts, the bytes sent, the line to change.
      {"header-with-entry", 23, "warning", "text-after-header", "both", "has \"I=0\" after its ']'"},
      {"chinese-rule-in-both", 19, "warning", "not-in-code-page", "en",
       "[S_Rule_CN] has its own I_Rule: write the English text here"},
      {"replacement-characters", 16, "warning", "not-in-code-page", "both",
       "1 line holds U+FFFD replacement characters (the first is this one), written into the file by a conversion"},
      {"utf8-spoilt-by-one-line", 13, "warning", "utf8-in-ansi", "both", "the file is UTF-8 but for this line"},
      {"languages-row-dropped", 23, "warning", "languages-differ", "cn",
       "the Chinese page does not offer the values 2"},
      {"serial-title-remark", 19, "warning", "serial-title-not-last", "en",
       "the title \" dots (8 dots = 1 mm)\" holds '='"},
      {"filter-minus-one", 35, "warning", "filter-word", "both",
       "I = -1: the plug-in shows item S/I, since only 0 hides"},
      {"same-command", 12, "warning", "same-command", "both",
       "Item02Instruction is 1B 44, the command of item S/I too: Set All sends each, and the printer keeps the value "
       "of item S/J"},
      {"item-command-is-save", 12, "warning", "same-command", "both", "1B 7D, the same bytes as the SaveInstruction"},
      {"duplicate-titles", 16, "warning", "duplicate-titles", "en", "J_Title is \"Item\", the title of item S/I too"},
      {"class-title-copied", 31, "warning", "duplicate-titles", "en", "Title is \"Class\", the title of class S too"},
      {"default-line-missing", 31, "warning", "default-missing", "both",
       "gives no default for J, though it gives the other items of class S theirs: the page starts it at 1, and Set "
       "All sends 1B 45 01"},
      {"settings-choice-range", 30, "warning", "settings-choice-range", "both",
       "COMPRESS_VALUE3 = 20, COMPRESS_VALUE4 = 150 lie outside 25 to 100 percent"},
      {"settings-choice-repeated", 30, "warning", "settings-choice-repeated", "both",
       "COMPRESS_VALUE3 is 90, as COMPRESS_VALUE2 is"},
      {"settings-choices-gap", 27, "warning", "settings-choice-missing", "both",
       "COMPRESS_VALUE3 is missing: that choice reads 0, and COMPRESS_VALUE4 stands past Count"},
      {"merge-conflict", 24, "warning", "merge-conflict", "both", "lines 24 to 28 are an unresolved merge conflict"},
      {"enum-texts-quoted", 19, "warning", "enum-text-mark", "en", "quotation marks (first \"\"Off\"\")"},
      {"enum-empty-middle-text", 19, "warning", "enum-empty-text", "en", "option 2 has no text"},
      {"parameter-count-large", 11, "warning", "parameter-count-large", "both",
       "00 00 00 80 00 00, with 20 leading bytes of 00; write ParameterCount=3 for tick boxes"},
      {"bom-before-names", 3, "error", "no-section-names", "both", "line 3 has it behind a byte order mark"},
      {"class-key-invisible", 6, "warning", "class-key-misspelt", "both",
       "did you mean T? It holds U+200B (zero-width space)"},
      {"language-header-kept", 14, "warning", "title-missing", "cn",
       "line 14 has a second [S_Lang_EN], which the plug-in does not read: is it meant as [S_Lang_CN]?"},
      {"class-key-merged", 6, "warning", "same-class-key", "both", "Section02 = \"S\" names the class of Section01"},
      {"enum-values-padded", 19, "warning", "enum-value-cut", "en",
       "2 values are longer than the rule reads (\"00001\" reads 0, \"00002\" reads 0): write them without the "
       "leading zeros"},
      {"default-section-misnamed", 23, "warning", "unknown-section", "both",
       "did you mean [S_Default]? Until then the page starts I at 1, not 15"},
      // Only the English page has the text: one finding for both, with the value to write.
      {"default-as-english-option-text", 24, "warning", "not-a-number", "both",
       "\"On\" is the text of the option of value 1: write 1"},
      {"escape-in-note", 14, "warning", "escape-in-text", "en", "I_Note holds \"\\n\": the page shows"},
      // Web pages' character references and Serial rules written by a script or a translator.
      {"reference-outside-code-page", 12, "warning", "escape-in-text", "en",
       "U+6253 is no character of code page 1252, which the English page reads: write the text in characters it holds"},
      {"serial-title-quoted", 23, "warning", "escape-in-text", "en",
       "the title \" mm\" keeps its quotation marks, and the options show them: -6\" MM\"; write TITLE= mm"},
      {"serial-title-translated", 29, "warning", "serial-unknown-setting", "cn",
       "\"标题=\" is no setting of a Serial rule (MIN=, MAX=, STEP=, TITLE=): the rule ignores it, and the "
       "item has 12 options, so the options show no unit"},
      // A character no editor shows spoils the page that reads its section.
      {"no-break-space", 13, "warning", "invisible-character", "en", "I_Title holds U+00A0 (no-break space)"},
      {"serial-full-width-equals", 29, "warning", "serial-no-range", "cn",
       "it gives the single option 0; U+FF1D (full-width equals sign) is no ASCII"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.file);
    ToolRun run = RunTool({"check", FindingsFile(c.file), "--format", "json"});
    nlohmann::json findings = Findings(run);
    ASSERT_EQ(findings.size(), 1u) << run.out;
    const nlohmann::json &finding = findings[0];
    EXPECT_EQ(finding["line"].is_null() ? 0 : finding["line"].get<int>(), c.line);
    EXPECT_EQ(finding["severity"], c.severity);
    EXPECT_EQ(finding["code"], c.code);
    EXPECT_EQ(finding["language"], c.language);
    EXPECT_NE(finding["message"].get<std::string>().find(c.says), std::string::npos) << finding["message"];
    const bool error = std::string(c.severity) == "error";
    EXPECT_EQ(run.code, error ? 1 : 0);
    EXPECT_EQ(RunTool({"check", FindingsFile(c.file), "--strict"}).code, 1);
  }
}

// A command written as a manual prints it is given back as the bytes to write, names and escapes of control bytes
// included; hexadecimal written another way is not taken for characters.
TEST_F(FindingsTest, CommandsWrittenAsCharactersAreGivenBackAsBytes) {
  const nlohmann::json findings =
      Findings(RunTool({"check", FindingsFile("commands-as-characters"), "--format", "json"}));
  std::vector<std::string> advice;
  for (const nlohmann::json &finding : findings) {
    const std::string message = finding["message"];
    const size_t at = message.find("write \"");
    advice.push_back(at == std::string::npos ? std::string() : message.substr(at));
  }
  EXPECT_EQ(advice, (std::vector<std::string>{"write \"1B 25 2D 31 32 33 34 35 58\"", "write \"1B 40\"",
                                              "write \"0D 0A\"", "write \"5E 4D 44\""}));
  const nlohmann::json hex = Findings(RunTool({"check", File(Edit(ReadSourceFile("tests/tools/findings/clean.ini"),
                                                                   "Item01Instruction=1B 44",
                                                                   "Item01Instruction=1B-44")),
                                               "--format", "json"}));
  // Hexadecimal with other marks between the pairs is given back as the pairs, not as the bytes of its characters.
  ASSERT_EQ(hex.size(), 1u);
  const std::string said = hex[0]["message"];
  EXPECT_EQ(said.substr(said.find("; write")), "; write \"1B 44\"") << said;
}

TEST_F(FindingsTest, CleanFilesPassEvenStrictlyInBothLanguages) {
  for (const std::string &file :
       {FindingsFile("clean"), FindingsFile("hash-comment"), SourcePath(kOfficeLaser), SourcePath(kLabelPrinter)}) {
    SCOPED_TRACE(file);
    ToolRun run = RunTool({"check", file, "--strict", "--format", "json"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(Findings(run).empty()) << run.out;
    ToolRun text = RunTool({"check", file, "--strict"});
    EXPECT_NE(text.out.find(": 0 errors, 0 warnings (English and Chinese)\n"), std::string::npos) << text.out;
  }
}

TEST_F(FindingsTest, FilesThatAreNoTextGiveOneErrorAndNothingElse) {
  std::string text = ReadSourceFile("tests/tools/findings/clean.ini");
  std::string little, big;
  for (char c : text) {
    little += c;
    little += '\0';
    big += '\0';
    big += c;
  }
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += char((i * 7919) % 256);
  std::string noisy = text;
  for (int i = 0; i < 65; ++i) noisy += '\a';
  const struct {
    std::string bytes;
    const char *code;
    std::string says;
  } cases[] = {
      {"", "file-empty", "the file is empty"},
      {" \r\n\t\n", "file-empty", "the file is empty"},
      {little, "file-utf16-no-bom", "UTF-16 (little-endian) without a byte order mark"},
      {big, "file-utf16-no-bom", "UTF-16 (big-endian) without a byte order mark"},
      {binary, "file-binary", "the file is not text"},
      {noisy, "file-binary", "(65 null or control bytes)"},
      // A word processor's document, and a UTF-16 file joined to the end of a plain one.
      {"{\\rtf1\\ansi\\par\n" + text, "file-binary", "rich-text (RTF) document"},
      {text + "\xFF\xFE" + little, "file-binary",
       "line " + std::to_string(std::count(text.begin(), text.end(), '\n') + 1) + " on is UTF-16"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.code);
    ToolRun run = RunTool({"check", File(c.bytes), "--format", "json"});
    nlohmann::json findings = Findings(run);
    ASSERT_EQ(findings.size(), 1u) << run.out;
    EXPECT_EQ(findings[0]["code"], c.code);
    EXPECT_TRUE(findings[0]["line"].is_null());
    EXPECT_NE(findings[0]["message"].get<std::string>().find(c.says), std::string::npos);
    EXPECT_EQ(run.code, 1);
  }
  // A few stray control characters are faults of their lines, not a binary file; a byte order mark makes UTF-16.
  std::string stray = text + "[Other]\nA=\a\n";
  EXPECT_EQ(Findings(RunTool({"check", File(stray), "--format", "json"}))[0]["code"], "unknown-section");
  ToolRun marked = RunTool({"check", File("\xFF\xFE" + little), "--format", "json"});
  EXPECT_TRUE(Findings(marked).empty()) << marked.out;
  // Null bytes after the last line only: every line reads, so one warning, and the file is checked on.
  ToolRun padded = RunTool({"check", File(text + std::string(64, '\0')), "--format", "json"});
  nlohmann::json told = Findings(padded);
  ASSERT_EQ(told.size(), 1u) << padded.out;
  EXPECT_EQ(told[0]["code"], "trailing-nulls");
  EXPECT_EQ(padded.code, 0);
  // One null in mid-file cuts its line there, which is told where it stands, and the file is checked on; many are no
  // text.
  nlohmann::json cut = Findings(RunTool({"check", File(text + std::string(1, '\0') + "[More]\n"), "--format", "json"}));
  ASSERT_FALSE(cut.empty());
  EXPECT_EQ(cut[0]["code"], "null-byte");
  EXPECT_EQ(cut[0]["line"], std::count(text.begin(), text.end(), '\n') + 1);
  // Lines end as the reader ends them, at a lone CR too.
  std::string mac = text;
  std::replace(mac.begin(), mac.end(), '\n', '\r');
  nlohmann::json macCut =
      Findings(RunTool({"check", File(mac + std::string(1, '\0') + "[More]\r"), "--format", "json"}));
  ASSERT_FALSE(macCut.empty());
  EXPECT_EQ(macCut[0]["line"], std::count(text.begin(), text.end(), '\n') + 1);
  EXPECT_EQ(Findings(RunTool({"check", File(text + std::string(9, '\0') + "[More]\n"), "--format", "json"}))[0]["code"],
            "file-binary");
  // The column and the text kept count characters as an editor shows them, past a byte order mark, in UTF-8 and in
  // the code page of a file of Chinese text ("打印质量": four characters, 12 bytes or 8).
  const std::string title = "I_Title=\xE6\x89\x93\xE5\x8D\xB0\xE8\xB4\xA8\xE9\x87\x8F",
                    gbkTitle = "I_Title=\xB4\xF2\xD3\xA1\xD6\xCA\xC1\xBF";
  for (const std::string &file :
       {"\xEF\xBB\xBF" + Edit(text, "I_Title=Item\n[S_Rule_EN]", title + std::string(1, '\0') + "x\n[S_Rule_EN]"),
        Edit(text, "I_Title=Item\n[S_Rule_EN]", gbkTitle + std::string(1, '\0') + "x\n[S_Rule_EN]")}) {
    nlohmann::json kept = Findings(RunTool({"check", File(file), "--format", "json"}));
    ASSERT_EQ(kept.size(), 1u) << kept.dump();
    EXPECT_EQ(kept[0]["column"], 13);
    EXPECT_NE(kept[0]["message"].get<std::string>().find("\"" + title + "\""), std::string::npos) << kept.dump();
  }
  // An invisible character in a command or in an item's key is pointed at, and one character is one finding.
  for (const std::string &file : {Edit(text, "Item01Instruction=1B 44",
                                       "Item01Instruction=1B\xE2\x80\x8B"
                                       "44"),
                                  Edit(text, "Item01=I\n", "Item01=I\xC2\xA0\n")}) {
    nlohmann::json told = Findings(RunTool({"check", File(file), "--format", "json"}));
    ASSERT_EQ(told.size(), 1u) << told.dump();
    EXPECT_EQ(told[0]["column"], file.find("Item01Instruction=1B\xE2") != std::string::npos ? 21 : 9) << told.dump();
  }
  // The byte order mark before a null on the first line is none of the line's text.
  nlohmann::json first =
      Findings(RunTool({"check", File("\xEF\xBB\xBF;" + std::string(1, '\0') + "\n" + text), "--format", "json"}));
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first[0]["column"], 2);
}

TEST_F(FindingsTest, ACopyCutShortIsToldFirst) {
  const std::string text = ReadSourceFile("tests/tools/findings/clean.ini");
  // "打印" in code page 936, and in UTF-8.
  const std::string gbk = "\xB4\xF2\xD3\xA1", utf8 = "\xE6\x89\x93\xE5\x8D\xB0";
  const std::string chinese = Edit(text, "[S_Lang_CN]\nTitle=Class", "[S_Lang_CN]\nTitle=" + gbk + gbk);
  const std::string english = Edit(Edit(text, "[S_Lang_CN]\nTitle=Class\nI_Title=Item\n", ""),
                                   "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n", "");
  const struct {
    const char *name;
    std::string bytes;
    bool cut;
  } cases[] = {
      {"half a pair of code page 936", chinese + "; " + gbk.substr(0, 3), true},
      {"a whole pair", chinese + "; " + gbk, false},
      {"half a pair, then a line end", chinese + "; " + gbk.substr(0, 3) + "\n", false},
      {"a Western file ending in an accented letter", text + "; caf\xE9", false},
      {"half a UTF-8 character", Edit(text, "Title=Class", "Title=" + utf8) + "; " + utf8.substr(0, 4), true},
      // Between characters: no line end, and the last section lacks keys its class needs.
      {"cut inside the last section", text.substr(0, text.find("[S_Lang_CN]\nTitle=Cl") + 20), true},
      {"a header cut before its ']'", text.substr(0, text.find("[S_Rule_CN]") + 5), true},
      {"a whole file without its last line end", text.substr(0, text.size() - 1), false},
      {"an English file without its last line end", english.substr(0, english.size() - 1), false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    nlohmann::json told = Findings(RunTool({"check", File(c.bytes), "--format", "json"}));
    const bool cut = !told.empty() && told[0]["code"] == "file-cut-short";
    EXPECT_EQ(cut, c.cut) << told.dump();
    // Told where the file ends, so that an editor or a code-scanning service can go to it.
    if (cut) {
      EXPECT_EQ(told[0]["line"], std::count(c.bytes.begin(), c.bytes.end(), '\n') + 1);
    }
    // What the cut lost is told as its loss, not once for each section and key.
    for (size_t i = 1; cut && i < told.size(); ++i)
      EXPECT_EQ(told[i]["message"].get<std::string>().find(" missing"), std::string::npos) << told.dump();
  }
  nlohmann::json lost = Findings(RunTool({"check", File(cases[5].bytes), "--format", "json"}));
  ASSERT_FALSE(lost.empty());
  EXPECT_NE(lost[0]["message"].get<std::string>().find("lost ([S_Lang_CN] I_Title, [S_Rule_EN], [S_Rule_CN]"),
            std::string::npos)
      << lost.dump();
}

TEST_F(FindingsTest, MessagesAreEscapedAndSortedByLine) {
  ToolRun run = RunTool({"check", FindingsFile("control-character")});
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
  EXPECT_NE(run.out.find("\\x1B"), std::string::npos) << run.out;
  // Faults found late in the walk about early lines still come out in line order.
  std::string text = ReadSourceFile("tests/tools/findings/clean.ini");
  text = Edit(Edit(Edit(text, "I=1\n", "I=7\n"), "SectionCount=1", "SectionCount=1\nEnterInstruction=1B 4"),
              "I_Rule=0=Off 1=On", "I_Rule=0=Off 1=On 12345=Big");
  nlohmann::json findings = Findings(RunTool({"check", File(text), "--format", "json"}));
  ASSERT_GE(findings.size(), 3u);
  for (size_t i = 1; i < findings.size(); ++i)
    EXPECT_LE(findings[i - 1]["line"].get<int>(), findings[i]["line"].get<int>()) << findings.dump();
}

TEST(EscapeTextTest, ControlAndReorderingCharactersAreWrittenOut) {
  const struct {
    std::string text, shown;
  } cases[] = {
      {"plain", "plain"},
      {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
      {"\x1b[31m\x07", "\\x1B[31m\\x07"},
      {"\x7f", "\\x7F"},
      {"\xC2\x85", "\\u{0085}"},           // NEXT LINE, a C1 control
      {"\xE2\x80\xAE" "abc", "\\u{202E}abc"},  // RIGHT-TO-LEFT OVERRIDE
      {"a\xC2\xA0" "b", "a\\u{00A0}b"},       // NO-BREAK SPACE, which looks like a blank
      {"\xEF\xBB\xBF" "x\xE2\x80\x8B", "\\u{FEFF}x\\u{200B}"},  // byte order mark, zero-width space
      {"\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"},
  };
  for (const auto &c : cases) EXPECT_EQ(prnset::EscapeText(c.text), c.shown) << c.shown;
}

// The number a value written otherwise than in plain digits was meant as, and the values that mean none.
TEST(NumberHintTest, GivesTheNumberMeantAndNothingForText) {
  const struct {
    const char *written, *says;  // says: the end of the hint, or "" for no hint
  } cases[] = {
      {"10,485,760", "write 10485760"},  {"10 485 760", "write 10485760"},     {"-1,000", "write -1000"},
      {"1,00,000", ""},                  {"1.048576E+07", "write 10485760"},    {"1.5E1", "write 15"},
      {"3E10", ""},                      {"0b11", "write 3"},                   {"110000000000000000000000", "write 12582912"},
      {"0x800000|0x200000", "write 10485760"}, {"8388608 + 2097152", "write 10485760"}, {"1|x", ""},
      {"(5)", "write -5"},               {"(-5)", ""},                          {"- 10", "write -10"},
      {"4294967295", "2147483647 only: write one of them"}, {"000000000001", ""}, {"Normal", ""},
      {"\xE4\xBA\x8C\xE5\x8D\x81\xE4\xBA\x94", "write 25"},  // 二十五
  };
  for (const auto &c : cases) {
    const std::string hint = prnset::NumberHint(prnset::Widen(c.written));
    SCOPED_TRACE(c.written);
    const size_t tail = std::min(hint.size(), std::strlen(c.says));
    EXPECT_EQ(hint.substr(hint.size() - tail), c.says) << hint;
    if (*c.says == 0) {
      EXPECT_EQ(hint, "");
    }
  }
}

// A header typed with full-width brackets, as typed and as an English system reads its bytes; other text is none.
TEST(WideHeaderTest, NamesTheSectionMeant) {
  const struct {
    const char *key;
    WCHAR mark;
    const char *name;
  } cases[] = {
      {"\u3010Paper_Lang_CN\u3011", 0x3010, "Paper_Lang_CN"}, {"\uFF3BPaper\uFF3D", 0xFF3B, "Paper"},
      {"\u00A1\u00BEPaper\u00A1\u00BF", 0x3010, "Paper"},    {"\u3010Paper", 0x3010, "Paper"},
      {"[Paper]", 0, ""},                                       {"\u3010", 0, ""},
  };
  for (const auto &c : cases) {
    prnset::WString name;
    EXPECT_EQ(prnset::WideHeader(prnset::Widen(c.key), &name), c.mark) << c.name;
    if (c.mark) {
      EXPECT_EQ(prnset::Utf8(name), c.name);
    }
  }
}

// Lines the reader takes for keys nobody looks up, written as remarks; a header typed with full-width brackets is
// none, as it names a section.
TEST(IsCommentTest, RemarksOfOtherHandsAreRemarks) {
  const struct {
    const char *line;
    bool remark;
  } cases[] = {
      {"; remark", true},           {"# remark", true},
      {"// remark", true},          {"\uFF1B remark", true},
      {"\uFEFF; remark", true},    {"\u3010\u5F85\u5BA1\u6821\u3011", true},
      {"\uFF3B\u5F85\u5BA1\uFF3D", true}, {"\u3010Paper_Lang_CN\u3011", false},
      {"\u3010\u8282\u80FD_Lang_CN\u3011", false}, {"\u3010\u5F85\u5BA1\u6821\u3011Note", false},
      {"/ half", false},            {"Title", false},
  };
  for (const auto &c : cases) EXPECT_EQ(prnset::IsComment(prnset::Widen(c.line)), c.remark) << c.line;
}

// Where a remark begins after a value: a mark after a blank, as other languages and a Chinese input method type it;
// a number sign before a digit and a path's slashes are none.
TEST(RemarkAtTest, MarksAfterABlankBeginARemark) {
  const struct {
    const char *value;
    size_t at;
  } cases[] = {
      {"Title ; was Tray", 6},
      {"Title # old", 6},
      {"Paper source // was Tray", 13},
      {"\u6253\u5370 \uFF1B\u65E7", 3},
      {"Tray \uFF03 old", 5},
      {"Item #1", std::string::npos},
      {"Tray \uFF032", std::string::npos},
      {"http://host/x", std::string::npos},
      {"a;b", std::string::npos},
      {"; first", std::string::npos},
  };
  for (const auto &c : cases) EXPECT_EQ(prnset::RemarkAt(prnset::Widen(c.value)), c.at) << c.value;
}

// A header made a remark names the section switched off; a mark typed before a header's '[' spoils it. Neither is
// a plain remark or a header.
TEST(HeaderLinesTest, RemarkedAndStrayMarkedHeadersNameTheirSection) {
  const struct {
    const char *line, *remarked, *stray;
  } cases[] = {
      {";[Panel_Rule_CN]", "Panel_Rule_CN", ""},
      {"// [S_Lang_CN] old", "S_Lang_CN", ""},
      {"\uFF1B[S_Default]", "S_Default", ""},
      {"; a remark", "", ""},
      {"`[Power_Lang_EN]", "", "Power_Lang_EN"},
      {".[S_Default]", "", "S_Default"},
      {"a[S_Default]", "", ""},
      {"[S_Default]", "", ""},
      {"`[]", "", ""},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(prnset::Utf8(prnset::RemarkedHeader(prnset::Widen(c.line))), c.remarked) << c.line;
    EXPECT_EQ(prnset::Utf8(prnset::StrayMarkHeader(prnset::Widen(c.line))), c.stray) << c.line;
  }
}

// The letter O typed for 0 where the number still reads as meant; a letter that changes the number is no such slip.
TEST(LetterForDigitTest, OnlyWhereTheNumberReadsAsMeant) {
  const struct {
    const char *written;
    LONG read;
    bool asMeant;
  } cases[] = {{"O", 0, true}, {"OO", 0, true}, {"1O", 1, false}, {"l", 0, false}, {"0", 0, false}, {"Off", 0, false}};
  for (const auto &c : cases)
    EXPECT_EQ(prnset::LetterForDigit(prnset::Widen(c.written), c.read), c.asMeant) << c.written;
}

TEST(CharacterNameTest, MarksOfAChineseInputMethodAreNamedWithWhatTheyStandFor) {
  const struct {
    WCHAR c;
    const char *name;
    WCHAR plain;
  } cases[] = {
      {0x3000, "U+3000 (ideographic space)", ' '},
      {0x00A0, "U+00A0 (no-break space)", ' '},
      {0xFF0C, "U+FF0C (full-width comma)", ','},
      {0x3001, "U+3001 (ideographic comma)", ','},
      {0xFF13, "U+FF13 (full-width digit 3)", '3'},
      {0xFF41, "U+FF41 (full-width letter a)", 'a'},
      {0xFF08, "U+FF08 (full-width sign ()", '('},
      {0xFF5E, "U+FF5E (full-width sign ~)", '~'},
      {0x201D, "U+201D (curly double quote)", '"'},
      {0x202F, "U+202F (narrow no-break space)", ' '},
      {0x2009, "U+2009 (thin space)", ' '},
      {0x2030, "U+2030", 0},
      {0x4E2D, "U+4E2D", 0},
      {0xFF5F, "U+FF5F", 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(prnset::CharacterName(c.c), c.name);
    EXPECT_EQ(prnset::PlainForm(c.c), c.plain) << c.name;
  }
}

// What to type for text pasted from a manual or typed in a Chinese input mode, and marks pasted before a name.
TEST(PastedTextTest, HintsGiveWhatToType) {
  const struct {
    const char *text;
    const char *hint;  // "" for none
  } plain[] = {
      {"10\u2009485\u2009760", "; U+2009 (thin space) is no plain blank: write \"10485760\""},
      {"\u201C3\u201D", "; U+201C (curly double quote) is no ASCII \"\"\": write \"3\""},
      {"\u00A090", "; U+00A0 (no-break space) is no plain blank: write \"90\""},
      {"\u22122", "; U+2212 (minus sign) is no ASCII \"-\": write \"-2\""},
      {"300\u00A0dpi", "; U+00A0 (no-break space) is no plain blank: write \"300 dpi\""},
      {"3", ""},
  };
  for (const auto &c : plain) EXPECT_EQ(prnset::PlainHint(Wide(c.text)), c.hint) << c.text;
  const struct {
    const char *name, *key, *mark;
  } marks[] = {
      {"2.\tTitle", "Title", "2.\t"},
      {"\u00B7 Item02", "Item02", "\u00B7 "},
      {"12. Key", "Key", "12. "},
      {"b) Key", "Key", "b) "},
      {"- Key", "Key", "- "},
      {"2.Key", "Key", ""},
      {"x Key", "Key", ""},
      {"Keys", "Key", ""},
      {"Key", "Key", ""},
      {"12345. Key", "Key", ""},
  };
  for (const auto &c : marks) EXPECT_EQ(Utf8(prnset::ListMark(Wide(c.name), Wide(c.key))), c.mark) << c.name;
  const struct {
    const char *name, *next;
  } numbered[] = {{"Item04", "Item05"},
                  {"item04instruction", "Item05Instruction"},
                  {"Section09", "Section10"},
                  {"COMPRESS_VALUE3", "COMPRESS_VALUE4"},
                  {"Title", ""},
                  {"Item4", ""}};
  for (const auto &c : numbered) EXPECT_EQ(Utf8(prnset::NextNumbered(Wide(c.name))), c.next) << c.name;
  EXPECT_NE(prnset::GluedHeaderHint(Wide("0[Panel_Default]")).find("[Panel_Default], glued"), std::string::npos);
  EXPECT_EQ(prnset::GluedHeaderHint(Wide("[Panel_Default]")), "");
  EXPECT_EQ(prnset::GluedHeaderHint(Wide("0 [2]x")), "");
}

TEST_F(FindingsTest, BothLanguagesAreReadUnlessOneIsAskedFor) {
  const std::string file = FindingsFile("chinese-rule");
  nlohmann::json both = Findings(RunTool({"check", file, "--format", "json"}));
  ASSERT_EQ(both.size(), 1u);
  EXPECT_EQ(both[0]["language"], "cn");
  EXPECT_TRUE(Findings(RunTool({"check", file, "--lang", "en", "--format", "json"})).empty());
  EXPECT_EQ(Findings(RunTool({"check", file, "--lang", "cn", "--format", "json"})).size(), 1u);
  ToolRun text = RunTool({"check", file});
  EXPECT_NE(text.out.find(":21: warning: (Chinese) [S_Rule_CN] I_Rule"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("[enum-last-text-cut]\n"), std::string::npos) << text.out;
  // A file without Chinese sections asked for in English: nothing is said of the Chinese page.
  std::string english = ReadSourceFile("tests/tools/findings/clean.ini");
  english = Edit(Edit(english, "[S_Lang_CN]\nTitle=Class\nI_Title=Item\n", ""),
                 "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n", "");
  EXPECT_TRUE(Findings(RunTool({"check", File(english), "--lang", "en", "--format", "json"})).empty());
  EXPECT_FALSE(Findings(RunTool({"check", File(english), "--format", "json"})).empty());
}

// A line both readings find fault with is told once, quoted as the file's author wrote it: a code-page-936 file's
// full-width digit as "３", never as the English page's "£³".
TEST_F(FindingsTest, ALineIsQuotedAsWrittenOnce) {
  nlohmann::json findings = Findings(RunTool({"check", FindingsFile("full-width-default"), "--format", "json"}));
  int told = 0;
  for (const nlohmann::json &finding : findings)
    if (finding["code"] == "not-a-number") {
      ++told;
      EXPECT_NE(finding["message"].get<std::string>().find("\"\xEF\xBC\x93\""), std::string::npos) << finding;
      EXPECT_NE(finding["message"].get<std::string>().find("U+FF13 (full-width digit 3) is no ASCII \"3\": write \"3\""),
                std::string::npos)
          << finding;
      EXPECT_EQ(finding["language"], "both");
    }
  EXPECT_EQ(told, 1) << findings.dump();
  const std::string colon = RunTool({"check", FindingsFile("full-width-colon")}).out;
  EXPECT_NE(colon.find("it holds U+FF1A (full-width colon) where '=' belongs"), std::string::npos) << colon;
}

TEST_F(FindingsTest, SeveralFilesStandardInputAndExitCodes) {
  const std::string clean = FindingsFile("clean"), off = FindingsFile("filter-off"), yes = FindingsFile("filter-yes");
  ToolRun two = RunTool({"check", clean, off});
  EXPECT_EQ(two.code, 0);
  EXPECT_NE(two.out.find(clean + ": 0 errors, 0 warnings"), std::string::npos) << two.out;
  EXPECT_NE(two.out.find(off + ": 0 errors, 1 warning"), std::string::npos) << two.out;
  EXPECT_EQ(RunTool({"check", clean, off, "--strict"}).code, 1);
  EXPECT_EQ(RunTool({"check", clean, yes}).code, 1);
  nlohmann::json findings = Findings(RunTool({"check", off, yes, "--format", "json"}));
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0]["file"], off);
  EXPECT_EQ(findings[1]["file"], yes);
  // An unreadable file among them is a finding with its reason: the others are still checked, the JSON stays
  // whole, and the run ends with 2.
  ToolRun missing = RunTool({"check", clean + ".missing", clean});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.out.find("cannot read " + clean + ".missing: it does not exist [file-unreadable]"),
            std::string::npos)
      << missing.out;
  EXPECT_NE(missing.out.find(clean + ": 0 errors, 0 warnings"), std::string::npos) << missing.out;
  ToolRun missingJson = RunTool({"check", clean + ".missing", yes, "--format", "json"});
  EXPECT_EQ(missingJson.code, 2);
  nlohmann::json both = Findings(missingJson);
  ASSERT_EQ(both.size(), 2u) << missingJson.out;
  EXPECT_EQ(both[0]["code"], "file-unreadable");
  EXPECT_EQ(both[1]["code"], "filter-not-number");
  // "-" is standard input, named "-" in the findings.
  ToolRun piped = RunToolWith({"check", "-", "--format", "json"}, ReadSourceFile("tests/tools/findings/filter-yes.ini"));
  EXPECT_EQ(piped.code, 1);
  nlohmann::json fromInput = Findings(piped);
  ASSERT_EQ(fromInput.size(), 1u);
  EXPECT_EQ(fromInput[0]["file"], "-");
  EXPECT_EQ(fromInput[0]["code"], "filter-not-number");
  EXPECT_EQ(RunToolWith({"check", "-", "-"}, "").code, 2);
  // An endless standard input ('yes | prnset check -') is read as far as a file may be long, and told too large.
  struct Endless : std::streambuf {
    char line[4] = {'[', 'A', ']', '\n'};
    int_type underflow() override {
      setg(line, line, line + sizeof line);
      return traits_type::to_int_type(line[0]);
    }
  } endless;
  std::istream endlessInput(&endless);
  std::ostringstream endlessOut, endlessErr;
  EXPECT_EQ(prnset::Run({Wide("check"), Wide("-"), Wide("--format"), Wide("json")}, endlessInput, endlessOut,
                        endlessErr),
            1);
  EXPECT_NE(endlessOut.str().find("file-too-large"), std::string::npos) << endlessOut.str().substr(0, 300);
  ToolRun format = RunTool({"check", clean, "--format", "xml"});
  EXPECT_EQ(format.code, 2);
  EXPECT_NE(format.err.find("--format takes text, json or sarif, not xml"), std::string::npos);
  // A file named twice, as a list and a wildcard may both name it, is checked once: its findings count once.
  const std::string broken = File(Edit(ReadSourceFile("tests/tools/findings/clean.ini"), "I=1", "I=7"), "twice.ini");
  const size_t once = Findings(RunTool({"check", broken, "--format", "json"})).size();
  ASSERT_GT(once, 0u);
  EXPECT_EQ(Findings(RunTool({"check", broken, broken, "--format", "json"})).size(), once);
}

// The checker's thresholds at their exact edges: one step inside says nothing, one step outside says it.
TEST_F(FindingsTest, ThresholdsAtTheirEdges) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  auto rule = [&](const std::string &text) { return Edit(clean, "I_Rule=0=Off 1=On\n", "I_Rule=" + text + "\n"); };
  auto rules = [&](const std::string &text) { return Edit(rule(text), "I_Rule=0=Off 1=On\n", "I_Rule=" + text + "\n"); };
  auto settings = [&](const std::string &keys) { return clean + "[Settings]\n" + keys; };
  // A compression list of 50 choices, one more than it holds.
  std::string fiftyChoices = "Landscape_Compress=1\nCount=50\nCOMPRESS_VALUE=100\n";
  for (int n = 1; n <= 50; ++n)
    fiftyChoices += "COMPRESS_VALUE" + std::to_string(n) + "=" + std::to_string(101 - n) + "\n";
  fiftyChoices = settings(fiftyChoices);
  auto inEach = [&](const std::string &english, const std::string &chinese) {
    const std::string cn = "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=";
    return Edit(Edit(clean, cn + "0=Off 1=On\n", cn + chinese + "\n"), "I_Rule=0=Off 1=On\n",
                "I_Rule=" + english + "\n");
  };
  const std::string twoClean = ReadSourceFile("tests/tools/findings/two-items.ini");
  // Item I renamed everywhere to a key of 128 characters, which its field cuts to 127.
  const std::string key(128, 'k');
  std::string longKey =
      Edit(Edit(clean, "Item01=I\n", "Item01=" + key + "\n"), "[S_Default]\nI=", "[S_Default]\n" + key + "=");
  for (const char *name : {"I_Title=", "I_Title=", "I_RuleType=", "I_RuleType=", "I_Rule=", "I_Rule="})
    longKey = Edit(longKey, name, key + std::string(name).substr(1));
  // A rule of 40 options that its field cuts in the text of the 37th, 22 characters in.
  std::string longRule;
  for (int i = 0; i < 40; ++i) longRule += (i ? " " : "") + std::to_string(i) + "=" + std::string(24, 'x');
  // A class of 33 items with a 34th; past the 32 the page holds, item 33 or 34 hidden or both.
  auto fullClass = [](const std::string &hidden) {
    std::string text = Edit(ReadSourceFile("tests/tools/findings/too-many-items.ini"), "ItemCount=33", "ItemCount=34");
    text = Edit(text, "Item33Instruction=1B 33\n", "Item33Instruction=1B 33\nItem34=I34\nItem34Instruction=1B 34\n");
    for (const char *language : {"EN", "CN"}) {
      text = Edit(text, std::string("[S_Lang_") + language + "]\n",
                  std::string("[S_Lang_") + language + "]\nI34_Title=T34\n");
      text = Edit(text, std::string("[S_Rule_") + language + "]\n",
                  std::string("[S_Rule_") + language + "]\nI34_RuleType=Enum\nI34_Rule=0=a 1=b\n");
    }
    return Edit(text, "SectionEnable=1\n", "SectionEnable=1\n" + hidden);
  };
  const struct {
    std::string name, text, code;  // code: the finding expected (or, after "!", not expected); empty for none at all
  } cases[] = {
      {"items past a full class all hidden", fullClass("I33=0\nI34=0\n"), ""},
      {"item key cut at its field's end", longKey, "text-cut"},
      {"item key cut at its field's end, its sections not told misnamed", longKey, "!item-key-misspelt"},
      {"rule cut at its field's end", rule(longRule), "text-cut"},
      {"rule cut at its field's end, not told by its last text", rule(longRule), "!enum-last-text-cut"},
      {"an item past a full class shown", fullClass("I33=0\n"), "too-many-items"},
      {"last enum text of 18", rule("0=Off 1=" + std::string(18, 'x')), ""},
      {"middle enum text of 49", rule("0=" + std::string(49, 'x') + " 1=On"), ""},
      {"middle enum text of 50", rule("0=" + std::string(50, 'x') + " 1=On"), "enum-text-cut"},
      {"last enum text of 19", rule("0=Off 1=" + std::string(19, 'x')), "enum-last-text-cut"},
      {"first enum value of five characters", rule("12345=Big 1=On"), "!enum-value-cut"},
      {"later enum value of four characters", rule("0=Off 1234=Big 1=On"), "!enum-value-cut"},
      {"later enum value of five characters", rule("0=Off 12345=Big 1=On"), "enum-value-cut"},
      {"a choice outside the range is the slip, not the current value it was meant as",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=110\nCOMPRESS_VALUE2=90\nCOMPRESS_VALUE=100\n"),
       "!settings-current"},
      {"a list in a second [Settings] is that section's slip",
       settings("Landscape_Compress=1\n[Settings]\nCount=1\nCOMPRESS_VALUE1=100\n"), "!settings-count"},
      {"a letter O in a choice is no unit", settings("Landscape_Compress=1\nCount=1\nCOMPRESS_VALUE1=1O0\n"),
       "not-a-number"},
      // Code page 936 takes the line end after a Western letter's byte with it: in an English section, which the
      // Chinese page never reads, that changes nothing but where a header is taken in.
      {"an English key taken in by the Chinese reading",
       Edit(clean, "Title=Class\nI_Title=Item", "Title=Caf\xE9\nI_Title=Item"), ""},
      {"a Chinese header taken in by the Chinese reading",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Caf\xE9\n[S_Lang_CN]"), "line-joined"},
      // Filters that hide as they say are warnings, with what to type; one that hides against what it says is an
      // error.
      {"a filter of a capital 0X and 1", clean + "[S_Filter]\nI=0X1\n", "filter-not-number"},
      {"a filter of a full-width 0", clean + "[S_Filter]\nI=\uFF10\n", "!filter-not-number"},
      {"a filter of a Chinese no", clean + "[S_Filter]\nI=\u5426\n", "!filter-not-number"},
      {"a filter of a word and a remark", clean + "[S_Filter]\nI=hidden ; factory only\n", "!filter-not-number"},
      {"a filter of a word and a remark, told", clean + "[S_Filter]\nI=hidden ; factory only\n", "filter-word"},
      // A rule told for values it cuts: a default of a value written follows from it, one of none is a slip too.
      {"a default of no value written, under a rule that cuts two",
       inEach("0=A 12345=B 23456=C 7=D", "0=A 12345=B 23456=C 7=D"), "default-no-option"},
      {"a default of a value the rule cuts",
       Edit(inEach("0=A 12345=B 23456=C 7=D", "0=A 12345=B 23456=C 7=D"), "[S_Default]\nI=1", "[S_Default]\nI=12345"),
       "!default-no-option"},
      // One byte read signed or unsigned, not both: options on both sides of it.
      {"options below 0 and past 127 sent as one byte", inEach("-100=a 156=b 1=c", "-100=a 156=b 1=c"), "value-sign"},
      {"options below 0 and past 127, apart", inEach("-50=a 150=b 1=c", "-50=a 150=b 1=c"), "value-sign"},
      {"255 written for -1 among small negatives", inEach("-6=a 255=b 1=c", "-6=a 255=b 1=c"), "!value-sign"},
      {"options of one byte unsigned", inEach("0=a 200=b 1=c", "0=a 200=b 1=c"), "!value-sign"},
      {"options of one byte signed", inEach("-128=a 127=b 1=c", "-128=a 127=b 1=c"), "!value-sign"},
      {"move at -50", settings("XMoveEnable=1\nXMove=-50\n"), ""},
      {"move at -51", settings("XMoveEnable=1\nXMove=-51\n"), "settings-xmove"},
      {"move at 50", settings("XMoveEnable=1\nXMove=50\n"), ""},
      {"move at 51", settings("XMoveEnable=1\nXMove=51\n"), "settings-xmove"},
      {"49 compression choices",
       settings("Landscape_Compress=1\nCount=49\nCOMPRESS_VALUE=52\n" +
                [] {
                  std::string keys;
                  for (int n = 1; n <= 49; ++n)
                    keys += "COMPRESS_VALUE" + std::to_string(n) + "=" + std::to_string(n + 51) + "\n";
                  return keys;
                }()),
       ""},
      {"50 compression choices", fiftyChoices, "settings-count"},
      {"50 compression choices, the 50th not told as a misspelt name", fiftyChoices, "!unknown-key"},
      // Count past the list's end with most choices missing: the missing ones give the Count to write.
      {"50 compression choices, one written",
       settings("Landscape_Compress=1\nCount=50\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\n"), "!settings-count"},
      {"compression choices of 25 and 100",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=25\nCOMPRESS_VALUE1=25\nCOMPRESS_VALUE2=100\n"), ""},
      {"compression choice of 24",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=24\n"),
       "settings-choice-range"},
      {"compression choice of 101",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=101\nCOMPRESS_VALUE2=100\n"),
       "settings-choice-range"},
      {"count of -2147483648", Edit(clean, "ItemCount=1", "ItemCount=-2147483648"), "item-count-negative"},
      {"count of -2147483649", Edit(clean, "ItemCount=1", "ItemCount=-2147483649"), "not-a-number"},
      {"hash remark", Edit(clean, "[S_Default]\n", "[S_Default]\n#I=5\n"), ""},
      {"semicolon remark", Edit(clean, "[S_Default]\n", "[S_Default]\n; I 5\n"), ""},
      {"hash key that is no remark", Edit(clean, "[S_Default]\n", "[S_Default]\nJ#=5\n"), "unknown-key"},
      {"title of 49", Edit(clean, "I_Title=Item\n", "I_Title=" + std::string(49, 't') + "\n"), ""},
      {"title of 50", Edit(clean, "I_Title=Item\n", "I_Title=" + std::string(50, 't') + "\n"), "title-cut"},
      {"one misspelling in a short name", Edit(clean, "I_Title=Item\n", "I_Title=Item\nI_Nota=n\n"), "unknown-key"},
      {"two keys before the first header", "Version=2\nBuild=7\n" + clean, "before-first-section"},
      // Written otherwise, read as meant: nothing to warn of.
      {"header with blanks inside its brackets", Edit(clean, "[S_Default]\n", "[ S_Default ]\n"), ""},
      {"header with a remark after it", Edit(clean, "[S_Default]\n", "[S_Default] ; defaults\n"), ""},
      {"count written as 1.0", Edit(clean, "ItemCount=1", "ItemCount=1.0"), ""},
      {"count written as 1.", Edit(clean, "ItemCount=1", "ItemCount=1."), ""},
      // A translation that says a number more or fewer than the other language.
      {"a note with a number more in English",
       Edit(Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Item\nI_Note=Steps of 2 mm, up to 10 mm\n[S_Lang_CN]"),
            "I_Title=Item\n[S_Rule_EN]", "I_Title=Item\nI_Note=Steps of 2 mm\n[S_Rule_EN]"),
       ""},
      // A default section renamed by a remark that holds a ']': its one finding says what the page starts at.
      {"default header with a remark holding ']'",
       Edit(rules("2=Low 3=High"), "[S_Default]\nI=1", "[S_Default] ; see [2]\nI=2"), "!default-no-option"},
      // The letter O for the digit 0, where it reads 0 as meant.
      {"default of the letter O", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=O"), ""},
      {"first value of the letter O", rules("O=Off 1=On"), ""},
      {"horizontal move of the letter O", settings("XMoveEnable=1\nXMove=O\n"), ""},
      {"filter of the letter O",
       Edit(Edit(ReadSourceFile("tests/tools/findings/two-items.ini"), "[S_Default]", "[S_Filter]\nJ=O\n[S_Default]"),
            "J=1\n", ""),
       ""},
      {"enter and save alike",
       Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nEnterInstruction=1B 40\nSaveInstruction=1B 40"),
       ""},
      {"title with a number sign", Edit(clean, "I_Title=Item\n", "I_Title=Item #1\n"), ""},
      {"filter of 1", Edit(clean, "[S_Default]\n", "[S_Filter]\nI=1\n[S_Default]\n"), ""},
      // A class taken off the list by a remark while SectionCount still declares it: the page reads its items.
      {"class list line made a remark",
       Edit(clean, "SectionCount=1\nSection01=S\n", "SectionCount=2\nSection01=S\n;Section02=T\n") +
           "[Section02]\nItemCount=1\nItem01=K\n",
       "!unknown-section"},
      // A class's list line misspelt: its sections are right, and the finding on that line tells the mend.
      {"class list line misspelt",
       Edit(clean, "SectionCount=1\nSection01=S\n", "SectionCount=2\nSection01=S\nSectoin02=T\n") +
           "[Section02]\nItemCount=1\nItem01=K\n[T_Lang_EN]\nTitle=T\nK_Title=K\n",
       "!unknown-section"},
      // A compression switch written as a number the list could hold was meant as its percentage.
      {"compression switch of 24",
       settings("Landscape_Compress=24\nCount=1\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\n"), ""},
      {"compression switch of 25",
       settings("Landscape_Compress=25\nCount=1\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\n"), "settings-switch"},
      // A value typed twice in one language keeps its count of options: no pair was lost.
      {"value typed twice in one language",
       Edit(rules("0=Off 1=On 4=After 4 hours"), "I_Rule=0=Off 1=On 4=After", "I_Rule=0=Off 1=On 1=After"),
       "!enum-pair-no-equals"},
      // Item lists written in other orders: each item reads the keys of its own number.
      {"keys above their item lines",
       Edit(twoClean, "Item01=I\nItem01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45\n",
            "Item01Instruction=1B 44\nItem01=I\nItem02Instruction=1B 45\nItem02=J\n"),
       ""},
      {"items listed first",
       Edit(twoClean, "Item01=I\nItem01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45\n",
            "Item01=I\nItem02=J\nItem01Instruction=1B 44\nItem02Instruction=1B 45\n"),
       ""},
      // A key copied and not renumbered where the items are listed first: told as the key written twice.
      {"items listed first, a key copied",
       Edit(twoClean, "Item01=I\nItem01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45\n",
            "Item01=I\nItem02=J\nItem01Instruction=1B 44\nItem01Instruction=1B 45\n"),
       "!keys-shifted"},
      {"two items' keys under each other's lines",
       Edit(twoClean, "Item01Instruction=1B 44\nItem02=J\nItem02Instruction",
            "Item02Instruction=1B 44\nItem02=J\nItem01Instruction"),
       "keys-shifted"},
      // Numbers in option texts are the texts' own.
      {"option texts with numbers", rules("0=Off 1=After 1 hour 2=After 2 or 3 hours 4=After 4 hours"), ""},
      // Chinese typing: the wide blank indents and spaces text, and ';' typed full-width still makes a remark.
      {"ideographic blanks in Chinese text",
       "\xEF\xBB\xBF" + Edit(clean, "[S_Lang_CN]\nTitle=Class\n",
                             "[S_Lang_CN]\u3000\n\uFF1B\u6CE8=x\nTitle=Class\nI_Note=\u3000\u3000\u6CE8\n"),
       ""},
      {"filter of 2", Edit(clean, "[S_Default]\n", "[S_Filter]\nI=2\n[S_Default]\n"), "filter-word"},
      // Values written whole after the instruction's last byte, their high byte, go out as meant; one of another
      // high byte does not.
      {"values written whole after their high byte",
       Edit(Edit(Edit(Edit(clean, "1B 44", "1B 44 01"), "0=Off 1=On", "304=A 400=B"), "0=Off 1=On", "304=A 400=B"),
            "I=1", "I=400"),
       ""},
      {"a value of another high byte",
       Edit(Edit(Edit(Edit(clean, "1B 44", "1B 44 01"), "0=Off 1=On", "304=A 600=B"), "0=Off 1=On", "304=A 600=B"),
            "I=1", "I=304"),
       "value-too-large"},
      // An option's texts in each language, value by value.
      {"an option's number changed in one language", inEach("0=Never 1=After 1 hour", "0=Never 1=After 4 hours"),
       "numbers-differ"},
      {"an option's number said once more in one language",
       inEach("0=Never 1=After 1 hour 2=Off", "0=Never 1=After 1 hour, 60 min 2=Off"), ""},
      {"an option's numbers in another order", inEach("0=A4 210 x 297 1=On", "0=A4 297 x 210 1=On"), ""},
      {"a switch's texts the opposite in Chinese", inEach("0=Off 1=On", "0=开 1=关"), "numbers-differ"},
      {"a switch's texts translated", inEach("0=Off 1=On", "0=关 1=开"), "!numbers-differ"},
      {"an option whose text begins with another value", rules("1=1 in/s 2=2 in/s 6=5 in/s"), "text-names-other-value"},
      {"options whose texts count from another number", rules("0=1 copy 1=2 copies 2=3 copies"),
       "!text-names-other-value"},
      {"two options whose texts begin with other values", rules("1=1 in/s 2=2 in/s 6=5 in/s 8=7 in/s"),
       "!text-names-other-value"},
      {"a range in a mail's quoted-printable, its default as meant",
       Edit(Edit(Edit(rules("MIN=3D0 MAX=3D30 STEP=3D1"), "I_RuleType=Enum", "I_RuleType=Serial"), "I_RuleType=Enum",
                 "I_RuleType=Serial"),
            "I=1", "I=15"),
       "!default-no-option"},
      {"a default with its unit and a manual's leading zeros", Edit(rules("0=Off 600=Long"), "I=1", "I=0600 dots"),
       "!not-a-number"},
      // The option list shows an option's text as written; only the default's goes to the hint box too.
      {"'&&' in an option that is not the default", rules("0=Off 1=On 2=Black && white"), "ampersand-in-note"},
      {"'&' in an option that is not the default", rules("0=Off 1=On 2=Black & white"), "!ampersand-in-note"},
      {"a unit in one language only", inEach("0=0 mm 1=1 mm", "0=0 1=1"), "unit-one-language"},
      {"a unit in both", inEach("0=0 mm 1=1 mm", "0=0 毫米 1=1 毫米"), "!unit-one-language"},
      // Words a save had no character for, in Chinese text.
      {"a Chinese title ending in a '?' for a lost word",
       Edit(clean, "[S_Lang_CN]\nTitle=Class\nI_Title=Item", "[S_Lang_CN]\nTitle=Class\nI_Title=打印 ?"), "text-lost"},
      {"a Chinese title asking a question",
       Edit(clean, "[S_Lang_CN]\nTitle=Class\nI_Title=Item", "[S_Lang_CN]\nTitle=Class\nI_Title=打印吗?"),
       "!text-lost"},
      {"a Chinese option of question marks", inEach("0=Off 1=On", "0=关 1=???"), "text-lost"},
      {"an English option of question marks", inEach("0=Off 1=???", "0=关 1=开"), "!text-lost"},
      {"a value written twice, its texts apart", inEach("0=Off 1=Tray 1 1=Tray 2", "0=Off 1=Tray 1"),
       "!numbers-differ"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    nlohmann::json findings = Findings(RunTool({"check", File(c.text), "--format", "json"}));
    if (c.code.empty()) {
      EXPECT_TRUE(findings.empty()) << findings.dump();
      continue;
    }
    const bool wanted = c.code[0] != '!';
    const std::string code = wanted ? c.code : c.code.substr(1);
    bool found = false;
    for (const nlohmann::json &finding : findings) found = found || finding["code"] == code;
    EXPECT_EQ(found, wanted) << findings.dump();
    if (c.name == "two keys before the first header") {
      int told = 0;
      for (const nlohmann::json &finding : findings) told += finding["code"] == "before-first-section";
      EXPECT_EQ(told, 1) << findings.dump();
    }
    if (c.code == "item-count-negative") {
      for (const nlohmann::json &finding : findings) EXPECT_NE(finding["code"], "not-a-number") << findings.dump();
    }
  }
}

// The advice of a finding, done as it says, leaves nothing to tell: each row is the file as written, what the
// finding advises and the file after doing it.
TEST_F(FindingsTest, DoingWhatTheAdviceSaysMendsTheFile) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  // An item's title and rule in both languages and its default 0, added to class S.
  auto itemTexts = [&](std::string text, const std::string &key, const std::string &title) {
    for (const char *language : {"EN", "CN"}) {
      text = Edit(text, std::string("[S_Lang_") + language + "]\nTitle=Class\n",
                  std::string("[S_Lang_") + language + "]\nTitle=Class\n" + key + "_Title=" + title + "\n");
      text = Edit(text, std::string("[S_Rule_") + language + "]\n",
                  std::string("[S_Rule_") + language + "]\n" + key + "_RuleType=Enum\n" + key + "_Rule=0=Off 1=On\n");
    }
    return Edit(text, "[S_Default]\n", "[S_Default]\n" + key + "=0\n");
  };
  // Class S with a second item, J, listed as ItemNN under ItemCount=count.
  auto twoItems = [&](int count, const std::string &number) {
    std::string text = Edit(clean, "ItemCount=1", "ItemCount=" + std::to_string(count));
    text = Edit(text, "Item01Instruction=1B 44\n", "Item01Instruction=1B 44\nItem" + number + "=J\nItem" + number +
                                                       "Instruction=1B 45\n");
    return itemTexts(text, "J", "Other");
  };
  auto rules = [&](const std::string &type, const std::string &text) {  // the item's rule in both languages
    std::string edited = clean;
    for (int language = 0; language < 2; ++language)
      edited = Edit(edited, "I_RuleType=Enum\nI_Rule=0=Off 1=On\n", "I_RuleType=" + type + "\nI_Rule=" + text + "\n");
    return edited;
  };
  auto frame = [&](const std::string &enter) {
    return Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nEnterInstruction=" + enter + "\nSaveInstruction=1B 7D");
  };
  auto settings = [&](const std::string &keys) { return clean + "[Settings]\n" + keys; };
  auto compress = [&](int current) {
    return settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=" + std::to_string(current) +
                    "\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\n");
  };
  auto mask = [&](const std::string &value) {
    return Edit(Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=3"), "[S_Default]\nI=1",
                "[S_Default]\nI=" + value);
  };
  auto columns = [](std::string text) {  // as a spreadsheet saves two columns
    for (size_t at = text.find('='); at != std::string::npos; at = text.find('=', text.find('\n', at)))
      text[at] = ';';
    return text;
  };
  const std::string swapped = ReadSourceFile("tests/tools/findings/sections-swapped.ini");
  std::string run;  // "1=1 2=2 ... 200=200", longer than a rule's field
  for (int value = 1; value <= 200; ++value)
    run += (value > 1 ? " " : "") + std::to_string(value) + "=" + std::to_string(value);
  // A text printer's length padded to four digits, its range in both languages as given.
  auto textRange = [&](const std::string &range, const std::string &instruction = "5E 4C 4C 30") {
    const std::string padded = ReadSourceFile("tests/tools/findings/pad-too-short.ini");
    return Edit(Edit(Edit(padded, "MIN=100 MAX=1200 STEP=100", range), "MIN=100 MAX=1200 STEP=100", range),
                "5E 4C 4C 30", instruction);
  };
  auto withFilter = [&](bool lineEnd) {  // a filter section after the defaults, its header on a line of its own or not
    std::string text = clean;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text + (lineEnd ? "\n" : "") + "[S_Filter]\nI=1\n";
  };
  auto serialInChinese = [&](const std::string &rule) {  // the English rule as meant, the Chinese one as written
    std::string text = Edit(clean, "I_RuleType=Enum\nI_Rule=0=Off 1=On\n",
                            "I_RuleType=Serial\nI_Rule=MIN=5 MAX=60 STEP=5 TITLE= min\n");
    text = Edit(text, "I_RuleType=Enum\nI_Rule=0=Off 1=On\n", "I_RuleType=Serial\nI_Rule=" + rule + "\n");
    return Edit(text, "[S_Default]\nI=1", "[S_Default]\nI=5");
  };
  auto chineseTitle = [&](const std::string &title) {
    return Edit(clean, "[S_Lang_CN]\nTitle=Class\nI_Title=Item", "[S_Lang_CN]\nTitle=Class\nI_Title=" + title);
  };
  // Item J renamed `to` in the list, its texts and rules, hidden by `filter`=0 and started at 0 by `preset`=0.
  auto jRenamed = [&](const std::string &to, const std::string &filter, const std::string &preset) {
    std::string text = Edit(twoItems(2, "02"), "Item02=J\n", "Item02=" + to + "\n");
    for (int language = 0; language < 2; ++language)
      for (const char *name : {"\nJ_Title=", "\nJ_RuleType=", "\nJ_Rule="})
        text = Edit(text, name, "\n" + to + std::string(name + 2));
    text = Edit(text, "\nJ=0\n", "\n" + preset + "=0\n");
    return Edit(text, "[S_Default]", "[S_Filter]\n" + filter + "=0\n[S_Default]");
  };
  // Item N put first in the list of I and J, numbered Item01, and the items after it renumbered or not.
  auto insertedFirst = [&](bool renumbered) {
    std::string text = Edit(twoItems(3, "02"), "Item01=I\nItem01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45",
                            renumbered ? "Item01=N\nItem01Instruction=1B 4E\nItem02=I\nItem02Instruction=1B 44\n"
                                         "Item03=J\nItem03Instruction=1B 45"
                                       : "Item01=N\nItem01Instruction=1B 4E\nItem01=I\nItem01Instruction=1B 44\n"
                                         "Item02=J\nItem02Instruction=1B 45");
    return itemTexts(text, "N", "New");
  };
  // Item J renamed `to` everywhere and shown (no filter line), and that file with the keys of its texts and rules,
  // in both languages, written `as`.
  auto jShown = [&](const std::string &to) { return Edit(jRenamed(to, to, to), "[S_Filter]\n" + to + "=0\n", ""); };
  auto textKeysAs = [&](const std::string &to, const std::string &as) {
    std::string text = jShown(to);
    for (int key = 0; key < 6; ++key) text = Edit(text, "\n" + to + "_", "\n" + as + "_");
    return text;
  };
  const std::string shifted = Edit(twoItems(2, "02"), "Item01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45",
                                   "Item02Instruction=1B 44\nItem02=J\nItem01Instruction=1B 45");
  const std::string renamed = [&] {
    std::string text = Edit(clean, "Section01=S", "Section01=T");
    for (const char *section : {"[S_Lang_EN]", "[S_Lang_CN]", "[S_Default]"})
      text = Edit(text, section, std::string("[T") + (section + 2));
    return text;
  }();
  // Item I renamed J in the list, its default and its English sections, and in the Chinese ones too or not.
  auto keyRenamed = [&](bool chinese) {
    std::string text = Edit(Edit(clean, "Item01=I\n", "Item01=J\n"), "[S_Default]\nI=", "[S_Default]\nJ=");
    for (int language = 0; language < (chinese ? 2 : 1); ++language)
      for (const char *name : {"I_Title=", "I_RuleType=", "I_Rule="})
        text = Edit(text, name, "J" + std::string(name + 1));
    return text;
  };
  // Item I named Profile, its English title's key pasted with the ligature fi or typed.
  auto ligature = [&](bool pasted) {
    std::string text = Edit(Edit(clean, "Item01=I\n", "Item01=Profile\n"), "[S_Default]\nI=", "[S_Default]\nProfile=");
    for (int language = 0; language < 2; ++language)
      for (const char *name : {"I_Title=", "I_RuleType=", "I_Rule="})
        text = Edit(text, std::string("\n") + name, std::string("\nProfile") + (name + 1));
    return pasted ? Edit(text, "Profile_Title", "Pro\uFB01le_Title") : text;
  };
  // Class S renamed Printing in the list and its sections, with the default section given.
  auto classRenamed = [&](const std::string &defaults) {
    std::string text = Edit(Edit(clean, "Section01=S", "Section01=Printing"), "[S_Default]\nI=1\n", defaults);
    for (const char *section : {"[S_Lang_EN]", "[S_Lang_CN]", "[S_Rule_EN]", "[S_Rule_CN]"})
      text = Edit(text, section, "[Printing" + std::string(section + 2));
    return text;
  };
  // A class of 33 items, and the same class without its 33rd.
  const std::string fullClass33 =
      Edit(ReadSourceFile("tests/tools/findings/too-many-items.ini"), "; expect: warning too-many-items\n", "");
  std::string fullClass32 =
      Edit(Edit(fullClass33, "ItemCount=33", "ItemCount=32"), "Item33=I33\nItem33Instruction=1B 33\n", "");
  for (const char *line : {"I33_Title=T33\n", "I33_Title=T33\n", "I33_RuleType=Enum\nI33_Rule=0=a 1=b\n",
                           "I33_RuleType=Enum\nI33_Rule=0=a 1=b\n"})
    fullClass32 = Edit(fullClass32, line, "");
  // A second class, T, of one item J, for a file that lists two.
  const std::string otherClass =
      "[Section02]\nItemCount=1\nItem01=J\nItem01Instruction=1B 45\n[T_Lang_EN]\nTitle=Other\nJ_Title=Other\n"
      "[T_Lang_CN]\nTitle=Other\nJ_Title=Other\n[T_Rule_EN]\nJ_RuleType=Enum\nJ_Rule=0=Off 1=On\n[T_Rule_CN]\n"
      "J_RuleType=Enum\nJ_Rule=0=Off 1=On\n[T_Default]\nJ=1\n";
  // Class T lists a second item, K, whose title, rule and default stand in the sections of class `owner`.
  auto itemMoved = [&](const std::string &owner) {
    std::string text = Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") +
                       Edit(Edit(otherClass, "ItemCount=1", "ItemCount=2"), "Item01Instruction=1B 45\n",
                            "Item01Instruction=1B 45\nItem02=K\nItem02Instruction=1B 46\n");
    for (const char *language : {"EN", "CN"}) {
      text = Edit(text, "[" + owner + "_Lang_" + language + "]\nTitle=",
                  "[" + owner + "_Lang_" + language + "]\nK_Title=K\nTitle=");
      text = Edit(text, "[" + owner + "_Rule_" + language + "]\n",
                  "[" + owner + "_Rule_" + language + "]\nK_RuleType=Enum\nK_Rule=0=Off 1=On\n");
    }
    return Edit(text, "[" + owner + "_Default]\n", "[" + owner + "_Default]\nK=1\n");
  };
  // Class T taken off the list before S, its [Section01] left: S is listed as Section02.
  const std::string classGone =
      Edit(Edit(clean, "Section01=S", "Section02=S"), "[Section01]", "[Section02]") +
      "\n[Section01]\nItemCount=1\nItem01=J\nItem01Instruction=1B 45\n";
  const std::string takenOut = ReadSourceFile("tests/tools/findings/class-taken-out-blocks-kept.ini");
  const std::string blockLeft = ReadSourceFile("tests/tools/findings/class-taken-out-block-left.ini");
  // The sections of the class taken out, and the file with its block deleted and the blocks after it renumbered.
  const std::string blockLeftClass =
      "; expect: warning unknown-section\n[T_Lang_EN]\nTitle=Class T\nJ_Title=Item J\n[T_Lang_CN]\nTitle=Class "
      "T\nJ_Title="
      "Item J\n[T_Rule_EN]\nJ_RuleType=Enum\nJ_Rule=0=Off 1=On\n[T_Rule_CN]\nJ_RuleType=Enum\nJ_Rule=0=Off 1=On\n"
      "[T_Default]\nJ=1\n";
  const std::string blockLeftMended =
      Edit(Edit(Edit(Edit(blockLeft, "[Section02]\nItemCount=1\nItem01=J\nItem01Instruction=1B 42\n", ""),
                     "[Section03]", "[Section02]"),
                "[Section04]", "[Section03]"),
           blockLeftClass, "");
  const std::string itemTakenOut = ReadSourceFile("tests/tools/findings/keys-shifted-item-taken-out.ini");
  const std::string splitOff = ReadSourceFile("tests/tools/findings/defaults-left-in-old-class.ini");
  const std::string twoVersions = ReadSourceFile("tests/tools/findings/two-versions-joined.ini");
  const std::string merged = ReadSourceFile("tests/tools/findings/defaults-left-from-merged-class.ini");
  const std::string itemInserted = ReadSourceFile("tests/tools/findings/keys-shifted-item-inserted.ini");
  const std::string untranslated = ReadSourceFile("tests/tools/findings/item-untranslated.ini");
  const std::string textHigh256 = Edit(ReadSourceFile("tests/tools/findings/text-commands-high256.ini"),
                                       "; expect: warning text-commands-high256\n", "");
  const std::string textCommands = ReadSourceFile("tests/tools/findings/text-commands.ini");
  std::string crlfInInstructions = Edit(textCommands, "InstructionTail=0D 0A\n", "");
  for (const char *command : {"5E 4D 44\n", "5E 50 52\n", "5E 4C 4C\n"})
    crlfInInstructions = Edit(crlfInInstructions, command, std::string(command, 8) + " 0D 0A\n");
  std::string padded = textCommands;  // the third item's values of four digits, written with a leading zero
  for (int language = 0; language < 2; ++language)
    padded = Edit(padded, "K_RuleType=Serial\nK_Rule=MIN=1 MAX=30 STEP=1", "K_RuleType=Enum\nK_Rule=0200=Short 0400=Long");
  padded = Edit(padded, "K=15", "K=200");
  const std::string endInInstruction = Edit(ReadSourceFile("tests/tools/findings/end-in-instruction.ini"),
                                            "; expect: warning end-in-instruction\n", "");
  // Text commands with the blank before their value ("SP 5"), under a tail of tail and ended as `ends`.
  auto textWords = [&](const std::string &tail, const std::string &ends) {
    std::string text = Edit(endInInstruction, "ParameterRule=High256", "ParameterRule=BaseOn30" + tail);
    for (const char *word : {"1B 7E 44 03|53 50 20", "1B 7E 53 03|46 4C 20", "1B 7E 48 03|54 4F 20"})
      text = Edit(text, std::string(word, 11), std::string(word + 12) + ends);
    return text;
  };
  const std::string textWordsEnded = textWords("\nInstructionTail=0D 0A", "");
  std::string tailEverywhere =
      Edit(endInInstruction, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=03");
  const std::string tailOnce =
      Edit(Edit(Edit(tailEverywhere, "1B 7E 44 03", "1B 7E 44"), "1B 7E 53 03", "1B 7E 53"), "1B 7E 48 03", "1B 7E 48");
  const struct {
    const char *name;
    std::string broken, says, mended;
  } cases[] = {
      {"class merged in with its list not renumbered",
       ReadSourceFile("tests/tools/findings/class-list-not-renumbered.ini"), "rename that header [Section02]",
       Edit(ReadSourceFile("tests/tools/findings/class-list-not-renumbered.ini"),
            "; expect: warning section-missing\n[Section01]\nItemCount=1\nItem01=J",
            "[Section02]\nItemCount=1\nItem01=J")},
      {"class deleted, left on the list",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T"),
       "has none of its sections ([Section02], [T_Lang_EN] and the others): the page shows it as an empty class; to "
       "drop it, delete Section02=T and write SectionCount=1",
       clean},
      {"class taken off the list, its section left", classGone, "to drop that class, delete [Section01], then", clean},
      {"class taken out of the list, its block left at the freed number", blockLeft,
       "delete [Section02], which holds the items of T, a class the list no longer names, then renumber",
       blockLeftMended},
      {"class taken out of the list with its sections, its block left at the freed number",
       Edit(blockLeft, blockLeftClass, ""),
       "delete [Section02], which holds items no class of the file has texts or rules for (J), left from a class "
       "taken out of the list, then renumber",
       blockLeftMended},
      {"blocks renumbered after a class taken out, its block left",
       Edit(Edit(blockLeft, "[Section04]", "[Section03]"), "[Section03]\nItemCount=1\nItem01=K", "[Section02]\nItemCount=1\nItem01=K"),
       "the first is left from a class taken out of the list; delete the first [Section02] (line 13)",
       blockLeftMended},
      {"class taken out of the middle of the list, the blocks left with their numbers", takenOut,
       "renumber the blocks to follow [SectionNames]: [Section03] as [Section02], [Section04] as [Section03]",
       Edit(Edit(takenOut, "[Section03]", "[Section02]"), "[Section04]", "[Section03]")},
      {"serial step of 0", rules("Serial", "MIN=1 MAX=5 STEP=0"), "write STEP=1",
       rules("Serial", "MIN=1 MAX=5 STEP=1")},
      {"serial steps short of MAX", rules("Serial", "MIN=1 MAX=200 STEP=15"), "write MAX=196",
       rules("Serial", "MIN=1 MAX=196 STEP=15")},
      {"serial step that lands on -1 and steps past the default",
       Edit(rules("Serial", "MIN=-36 MAX=36 STEP=5"), "[S_Default]\nI=1", "[S_Default]\nI=0"),
       "land on -1, which Set All never sends, and step past the default 0; write STEP=4 or STEP=6",
       Edit(rules("Serial", "MIN=-36 MAX=36 STEP=6"), "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"a count of the printer's two bytes for one value",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=2"),
       "end the command with the high byte 00, which every option's value has (Item01Instruction=1B 44 00)",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44 00")},
      {"values written as a manual's codes of the digits under BaseOn30",
       Edit(Edit(rules("Enum", "30=Gap 31=Mark"), "High256", "BaseOn30"), "[S_Default]\nI=1", "[S_Default]\nI=30"),
       "write \"0=Gap 1=Mark\", and the default as one of them",
       Edit(Edit(rules("Enum", "0=Gap 1=Mark"), "High256", "BaseOn30"), "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"an item taken out, the item lines renumbered and their commands not", itemTakenOut,
       "renumber each key as the item line above it",
       Edit(Edit(itemTakenOut, "Item03Instruction", "Item02Instruction"), "Item04Instruction", "Item03Instruction")},
      {"an item's lines deleted, its lines in the list left",
       Edit(Edit(clean, "ItemCount=1", "ItemCount=2"), "Item01Instruction=1B 44\n",
            "Item01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45\n"),
       "to drop it, delete Item02 and Item02Instruction from [Section01] and write ItemCount=1", clean},
      {"an item inserted, the item lines renumbered and their commands not, the new command written last", itemInserted,
       "Item04Instruction stands twice: the one written last was meant as Item02Instruction, for Item02=N",
       Edit(Edit(Edit(Edit(itemInserted, "Item04Instruction=1B 4E", "Item02Instruction=1B 4E"), "Item03Instruction",
                      "Item04Instruction"),
                 "Item02Instruction=1B 43", "Item03Instruction=1B 43"),
            "; expect: warning keys-shifted\n", "")},
      {"an item added in English and never translated", untranslated, "add J_Title, J_RuleType, J_Rule, translated",
       Edit(Edit(untranslated, "[S_Lang_CN]\nTitle=Class\nI_Title=Item\n",
                 "[S_Lang_CN]\nTitle=Class\nI_Title=Item\nJ_Title=Other\n"),
            "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n",
            "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\nJ_RuleType=Enum\nJ_Rule=0=Off 1=On\n")},
      {"an '&' in the default option's text", rules("Enum", "0=Off 1=Trays 1 & 2"),
       "the default option \"Trays 1 & 2\" holds '&'", rules("Enum", "0=Off 1=Trays 1 and 2")},
      {"the compression switch written as the one percentage meant", settings("Landscape_Compress=90\n"),
       "to offer 90, write Landscape_Compress=1, Count=2, COMPRESS_VALUE1=100, COMPRESS_VALUE2=90 and "
       "COMPRESS_VALUE=90",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\nCOMPRESS_VALUE=90\n")},
      {"pairs with the full-width '=' of a Chinese input method", rules("Enum", "0\uFF1DOff 1\uFF1DOn"),
       "U+FF1D (full-width equals sign) where '=' belongs: the item has no options; write \"0=Off 1=On\"",
       rules("Enum", "0=Off 1=On")},
      {"a Serial title after a full-width colon", serialInChinese("MIN=5 MAX=60 STEP=5 TITLE\uFF1A min"),
       "so the options show no unit; U+FF1A (full-width colon) is no '=': write TITLE=",
       serialInChinese("MIN=5 MAX=60 STEP=5 TITLE= min")},
      {"pairs separated by no-break spaces from a web page", rules("Enum", "0=Tray 1\u00A01=Tray 2"),
       "separated by \"\\u{00A0}\" (U+00A0, no-break space), not by blanks: the plug-in reads 2 options (such as "
       "\"1\\u{00A0}1\"); write \"0=Tray 1 1=Tray 2\"",
       rules("Enum", "0=Tray 1 1=Tray 2")},
      {"pairs of texts with blanks separated by full-width commas", rules("Enum", "0=2 in/s\uFF0C1=3 in/s"),
       "separated by \"\uFF0C\" (U+FF0C, full-width comma), not by blanks", rules("Enum", "0=2 in/s 1=3 in/s")},
      {"serial title before a setting", rules("Serial", "MIN=1 TITLE= mm MAX=5"), "write \"MIN=1 MAX=5 TITLE= mm\"",
       rules("Serial", "MIN=1 MAX=5 TITLE= mm")},
      {"rule of no type", rules("List", "0=Off 1=On"), "write I_RuleType=Enum", clean},
      {"enum without pairs", rules("Enum", "Off On"), "such as \"0=Off 1=On\"", clean},
      {"default of no option", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=5"),
       "write the value of an option: 1, 0", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"mask of row numbers", mask("3"), "to tick rows 0, 1, write 12582912", mask("12582912")},
      {"mask written as a list of rows", mask("0, 1"), "to tick rows 0, 1, write 12582912", mask("12582912")},
      {"mask in hexadecimal without its 0x", mask("C00000"), "is the mask of rows 0, 1 in hexadecimal: write 12582912",
       mask("12582912")},
      {"move negative in brackets", settings("XMoveEnable=1\nXMove=(5)\n"),
       "brackets do not make a number negative: write -5", settings("XMoveEnable=1\nXMove=-5\n")},
      {"move with a typographic minus", settings("XMoveEnable=1\nXMove=\u221210\n"), "U+2212 (minus sign) is no ASCII",
       settings("XMoveEnable=1\nXMove=-10\n")},
      {"move with its unit", settings("XMoveEnable=1\nXMove=-10mm\n"), "XMove = \"-10mm\" carries a unit after the number",
       settings("XMoveEnable=1\nXMove=-10\n")},
      {"command with a zero-width space for its blank",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B\u200B" "44"),
       "U+200B (zero-width space), which an editor does not show, and which is no hexadecimal digit: Set Current "
       "sends nothing for item S/I, and Set All sends nothing; delete it: write \"1B 44\"",
       clean},
      {"a rule cut by a carriage return alone", Edit(clean, "I_Rule=0=Off 1=On\n", "I_Rule=0=Off\r1=On\n"),
       "cut from it by a carriage return alone (CR), which the plug-in takes for a line end and many editors do not "
       "show; delete it",
       clean},
      // An item taken out of the list and the item after it numbered down, its command not: J reads I's.
      {"an item taken out, the one after it renumbered and its command not",
       Edit(Edit(ReadSourceFile("tests/tools/findings/two-items.ini"), "ItemCount=2\nItem01=I\n", "ItemCount=1\n"),
            "Item02=J\n", "Item01=J\n"),
       "the class's texts name I, which the list no longer names, before Item01=J: was I taken out and the items after "
       "it numbered down, and their keys not? Then Item01=J reads Item01Instruction = \"1B 44\", I's; delete "
       "Item01Instruction and number the keys after it down: Item02Instruction as Item01Instruction",
       [] {
         std::string text = ReadSourceFile("tests/tools/findings/two-items.ini");
         for (const char *line : {"Item01=I\nItem01Instruction=1B 44\n", "I_Title=Item\n", "I_Title=Item\n",
                                  "I_RuleType=Enum\nI_Rule=0=Off 1=On\n", "I_RuleType=Enum\nI_Rule=0=Off 1=On\n",
                                  "I=1\n"})
           text = Edit(text, line, "");
         return Edit(Edit(Edit(text, "ItemCount=2", "ItemCount=1"), "Item02=J", "Item01=J"), "Item02Instruction",
                     "Item01Instruction");
       }()},
      {"every class hidden", clean + "[S_Filter]\nSectionEnable=0\n",
       "every declared class is hidden (SectionEnable=0 on line 25): the page shows no classes; write SectionEnable=1 "
       "in the filter of each class the operator is meant to see",
       clean + "[S_Filter]\nSectionEnable=1\n"},
      {"a class hidden in a filter of no class",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") + otherClass +
           "[Filter]\nT=0\n",
       "T is a class, and a class's filter is a section of its own, named after it: write SectionEnable=0 in "
       "[T_Filter] to hide it. Until then the page shows class T",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") + otherClass +
           "[T_Filter]\nSectionEnable=0\n"},
      {"move with a letter O for its zero", settings("XMoveEnable=1\nXMove=1O\n"), "no digits: write 10",
       settings("XMoveEnable=1\nXMove=10\n")},
      {"move in inches", settings("XMoveEnable=1\nXMove=0.2in\n"), "whole millimetres: write 5",
       settings("XMoveEnable=1\nXMove=5\n")},
      {"current compression with a letter O for its zero",
       Edit(compress(90), "COMPRESS_VALUE=90", "COMPRESS_VALUE=9O"), "no digits: write 90", compress(90)},
      {"compression count negative", Edit(compress(90), "Count=2", "Count=-2"), "write Count=2, as the section has 2",
       compress(90)},
      {"compression count under another name", Edit(compress(90), "Count=2", "CompressCount=2"),
       "has \"CompressCount\", which the plug-in does not read as Count", compress(90)},
      {"current compression numbered as a choice 0", Edit(compress(90), "COMPRESS_VALUE=90", "COMPRESS_VALUE0=90"),
       "has COMPRESS_VALUE0, which the plug-in does not read as it", compress(90)},
      {"compression choice's line pasted and not renumbered",
       Edit(compress(90), "COMPRESS_VALUE2=90", "COMPRESS_VALUE1=90"), "meant as COMPRESS_VALUE2? Rename it",
       compress(90)},
      {"option of -1 as the default",
       Edit(rules("Enum", "-1=Keep 0=Off 1=On"), "[S_Default]\nI=1", "[S_Default]\nI=-1"),
       "Set All never sends -1 once another row was chosen; until then Set All sends the default -1: 1B 44 FF",
       Edit(rules("Enum", "255=Keep 0=Off 1=On"), "[S_Default]\nI=1", "[S_Default]\nI=255")},
      {"title left empty by a translator", Edit(clean, "[S_Lang_CN]\nTitle=Class", "[S_Lang_CN]\nTitle="),
       "Title is empty: in Chinese the class S shows as an empty row; write the title after Title=", clean},
      {"section named after the class's number", Edit(clean, "[S_Default]", "[Section01_Default]"),
       "did you mean [S_Default]? Section01 lists class S, and a class's sections are named after its key", clean},
      {"command in a manual's decimal codes", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=27 101"),
       "the groups read as decimal codes, as a manual's decimal column gives them: in hexadecimal write \"1B 65\"",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 65")},
      {"commands and tail in a manual's decimal codes",
       Edit(Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=13"),
            "Item01Instruction=1B 44", "Item01Instruction=27 101"),
       "in hexadecimal write \"1B 65\"; so is InstructionTail=13 (line 6), which reads as the byte 13: write 0D",
       Edit(Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=0D"),
            "Item01Instruction=1B 44", "Item01Instruction=1B 65")},
      {"rule given back by a spreadsheet with a tab",
       Edit(clean, "I_Rule=0=Off 1=On\n[S_Rule_CN]", "I_Rule\t0=Off 1=On\n[S_Rule_CN]"),
       "a tab stands where '=' belongs after I_Rule; write \"I_Rule=0=Off 1=On\"", clean},
      {"class copied with its key left",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=S") + otherClass,
       "the sections of T (line 29) are listed by no class: write Section02=T",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") + otherClass},
      {"action of one option, the only item of its class",
       Edit(rules("Enum", "1=Start"), "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") +
           otherClass,
       "if it is an action, hide its class with SectionEnable=0 in [S_Filter]",
       Edit(rules("Enum", "1=Start"), "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") +
           otherClass + "[S_Filter]\nSectionEnable=0\n"},
      {"item taken out of the middle of the list", twoItems(3, "03"),
       "or, if it was taken out, number the items after it down, renaming each one's Instruction and ParameterCount "
       "keys with it, and write ItemCount=2",
       twoItems(2, "02")},
      {"second class list merged in with its class", clean + "[SectionNames]\nSection02=T\n" + otherClass,
       "only the first one is read; the first does not list its Section02=T, so that class and its sections are never "
       "read; move that line into the first, write SectionCount=2 there, and delete this header",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") + otherClass},
      {"default pasted from a spreadsheet's two cells", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI\t0"),
       "holds a tab where '=' belongs: it reads as a key with an empty value; write \"I=0\"",
       Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"rule wrapped by an editor", Edit(clean, "I_Rule=0=Off 1=On\n[S_Rule_CN]", "I_Rule=0=Off\n1=On\n[S_Rule_CN]"),
       "\"1=On\" is never read: it looks like the end of I_Rule on line 18, wrapped by an editor, and the rule ends "
       "with its line; join the two lines",
       clean},
      {"note with a web page's markup",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Item\nI_Note=First line<br />Second <b>line</b>\n[S_Lang_CN]"),
       "holds \"<br />\", markup of a web page or an XML file: the page shows it as written; write \"First line "
       "Second line\"",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Item\nI_Note=First line Second line\n[S_Lang_CN]")},
      {"serial STEP with a locale's decimal comma",
       Edit(rules("Serial", "MIN=0 MAX=200 STEP=0,5"), "[S_Default]\nI=1", "[S_Default]\nI=0"),
       "STEP=0,5 ends at \",\" and reads STEP=0: the settings are whole numbers; write the whole number meant",
       Edit(rules("Serial", "MIN=0 MAX=200 STEP=1"), "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"serial MIN written through an unsigned column",
       Edit(rules("Serial", "MIN=4294967290 MAX=6 STEP=2"), "[S_Default]\nI=1", "[S_Default]\nI=0"),
       "MIN=4294967290 is past the largest number a setting holds and reads MIN=2147483647: as a 32-bit number it is "
       "-6 written without its sign; write MIN=-6",
       Edit(rules("Serial", "MIN=-6 MAX=6 STEP=2"), "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"default with a locale's decimal comma", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=1,0"),
       "is written with a decimal point: it reads as its whole part, as meant", clean},
      {"texts quoted twice by a program",
       Edit(clean, "Title=Class\nI_Title=Item\n[S_Lang_CN]",
            "Title=\"\"Class\"\"\nI_Title=\"\"Item\"\"\nI_Note=\"\"Note\"\"\n[S_Lang_CN]"),
       "[S_Lang_EN] Title = \"\"Class\"\" and 2 more texts are written in two pairs of quotation marks: the reader "
       "drops one pair, and the page shows the other around each text; if a program quoted them twice, write each in "
       "one pair or none",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Item\nI_Note=Note\n[S_Lang_CN]")},
      {"title left in an XML export's CDATA marks",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=<![CDATA[Item]]>\n[S_Lang_CN]"),
       "holds \"<![CDATA[\", markup of a web page or an XML file: the page shows it as written; write \"Item\"", clean},
      {"item numbered with one digit", twoItems(2, "2"), "the same slip stands in \"Item2Instruction\" on line 11",
       twoItems(2, "02")},
      {"placeholder of a manual left in a command",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44 nn"),
       "holds \"nn\", a placeholder for the parameter", clean},
      {"tail given to one item",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01InstructionTail=0D"),
       "InstructionTail is one for the whole file, read in [SectionNames], and no item has its own", clean},
      {"title that starts and ends with a quoted word",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=\"On\" or \"Off\"\n[S_Lang_CN]"),
       "to keep them, write the text inside one more pair of quotation marks",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=\"\"On\" or \"Off\"\"\n[S_Lang_CN]")},
      {"enum values in a manual's hexadecimal",
       Edit(rules("Enum", "0Ah=Off 0Bh=On"), "[S_Default]\nI=1", "[S_Default]\nI=11"), "write 10, 11",
       Edit(rules("Enum", "10=Off 11=On"), "[S_Default]\nI=1", "[S_Default]\nI=11")},
      {"class merged in under a list number already taken",
       Edit(clean, "Section01=S", "Section01=S\nSection01=T") + Edit(otherClass, "[Section02]", "[Section01]"),
       "write Section02=T on line 5, rename the [Section01] of line 25 [Section02], and write SectionCount=2",
       Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T") + otherClass},
      // As a merge of two branches that each added a class leaves it: the other class's list comes first, and the
      // page shows its items as the listed class's.
      {"class merged in under a list number already taken, its list first",
       Edit(Edit(clean, "Section01=S", "Section01=S\nSection01=T"), "[Section01]",
            Edit(otherClass, "[Section02]", "[Section01]") + "[Section01]"),
       "the page shows T's items as S's; write Section02=T on line 5, rename the [Section01] of line 7 [Section02]",
       Edit(Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=T"), "[Section01]",
            otherClass + "[Section01]")},
      {"item renamed but in the Chinese sections", keyRenamed(false),
       "the sections of _CN still name it \"I\" (first at line 15): the item shows without title or options there; "
       "rename the I lines of those sections to J",
       keyRenamed(true)},
      {"line end written in one instruction for want of a tail",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44 0D 0A"),
       "ends with 0D 0A, a line end, which goes out before the value: item S/I is sent as 1B 44 0D 0A 01; write "
       "InstructionTail=0D 0A in [SectionNames]",
       Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=0D 0A")},
      {"class renamed but its default section", classRenamed("[S_Default]\nI=0\n"),
       "did you mean [Printing_Default]? Its keys are items of class Printing: was the class renamed, or merged from "
       "others, and this section not?",
       classRenamed("[Printing_Default]\nI=0\n")},
      {"item moved to another class, its lines left behind", itemMoved("S"),
       "but those of class S, which does not list it, have them (first at line 12): the page shows it without title "
       "or options, and Set All sends 1B 46 01; move its lines to the sections of T",
       itemMoved("T")},
      {"item count kept at the most a class holds", Edit(fullClass33, "ItemCount=33", "ItemCount=32"),
       "the page holds 32 items in a class at most: move the rest to a class of their own", fullClass32},
      {"mask combined as a program writes it", mask("0x800000|0x400000"),
       "combines numbers, which the plug-in does not: write 12582912", mask("12582912")},
      {"mask in binary digits", mask("110000000000000000000000"), "is 12582912 in binary: write 12582912",
       mask("12582912")},
      {"mask beyond the numbers the file holds", mask("4294967295"), "from -2147483648 to 2147483647 only",
       mask("12582912")},
      {"mask beyond the rows", mask("16777215"), "to tick every row, write 12582912", mask("12582912")},
      {"mask of a row taken off the list", mask("14680064"), "its bit 0x200000 is that of row 2", mask("12582912")},
      {"mask written as the value of the option meant", mask("0"), "to tick it, write 8388608", mask("8388608")},
      {"command in another language's hexadecimal",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=\\x1B\\x44"), "write \"1B 44\"", clean},
      {"command with an assembler's marks", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1Bh 44h"),
       "write \"1B 44\"", clean},
      {"command missing", Edit(clean, "Item01Instruction=1B 44\n", ""),
       "add Item01Instruction= and its value to [Section01]", clean},
      {"enum value in hexadecimal", rules("Enum", "0=Off 1=On 0F=Max"), "reads decimal values only: write 15",
       rules("Enum", "0=Off 1=On 15=Max")},
      {"serial step left empty", rules("Serial", "MIN=1 MAX=5 STEP="),
       "write a number after STEP=", rules("Serial", "MIN=1 MAX=5 STEP=1")},
      {"serial step wider than the range", rules("Serial", "MIN=1 MAX=5 STEP=9"),
       "STEP is wider than MAX - MIN, so the item has one option: write the step meant",
       rules("Serial", "MIN=1 MAX=5 STEP=1")},
      {"tail written again for a class",
       Edit(Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=0D"), "ItemCount=1",
            "ItemCount=1\nInstructionTail=0A"),
       "only in [SectionNames], once for the whole file, and that has its own",
       Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=0D")},
      {"class listed past the count with nothing of its own",
       Edit(clean, "Section01=S\n", "Section01=S\nSection02=T\n"), "the file has nothing else of it: delete the line",
       clean},
      {"default written FALSE", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=FALSE"),
       "\"FALSE\" is 0 to a program: write 0", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"default with '=' twice", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI==1"), "'=' is written twice: write 1",
       clean},
      {"line written twice", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=1\nI=1"),
       "with the same value: the repeat changes nothing; delete it", clean},
      {"title wrapped by an editor", Edit(clean, "I_Title=Item\n", "I_Title=The item\nof the class\n"),
       "if it goes on the text of line 12, join the two lines",
       Edit(clean, "I_Title=Item\n", "I_Title=The item of the class\n")},
      {"rule type under a short name",
       Edit(clean, "I_RuleType=Enum\nI_Rule=0=Off 1=On\n[S_Rule_CN]", "I_Type=Enum\nI_Rule=0=Off 1=On\n[S_Rule_CN]"),
       "this section takes ITEM_RuleType, ITEM_Rule (ITEM an item's key)", clean},
      {"two classes' rule sections swapped", swapped,
       "are the two headers swapped? Until then neither class's items find theirs; swap the two headers",
       Edit(Edit(Edit(swapped, "[A_Rule_CN]", "[X]"), "[B_Rule_CN]", "[A_Rule_CN]"), "[X]", "[B_Rule_CN]")},
      {"two items' keys under each other's lines", shifted, "renumber each key as the item line above it",
       twoItems(2, "02")},
      {"pair that lost its '='", rules("Enum", "0=Off 1 On 2=Auto"), "offers no 1; write \"1=On\"",
       rules("Enum", "0=Off 1=On 2=Auto")},
      {"header glued to a value", withFilter(false),
       "glued to it where a line end was lost: put the header on a line of its own", withFilter(true)},
      {"class list with no class of its number", clean + "[Section02]\nItemCount=1\n",
       "[SectionNames] lists no Section02; list its class there, or delete the section", clean},
      {"mask default of a single choice",
       Edit(rules("Enum", "0=Off 1=On 2=Auto"), "[S_Default]\nI=1", "[S_Default]\nI=12582912"),
       "is the mask of rows 0, 1, but ParameterCount 1 makes the item single-choice and Set All sends 1B 44 00; "
       "for tick boxes, write ParameterCount=3",
       Edit(Edit(rules("Enum", "0=Off 1=On 2=Auto"), "[S_Default]\nI=1", "[S_Default]\nI=12582912"),
            "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=3")},
      {"serial range through -1 under BaseOn30", Edit(rules("Serial", "MIN=-2 MAX=2"), "High256", "BaseOn30"),
       "BaseOn30 cannot send negative values, and 2 options are negative (first \"-2\" (-2)): choosing one sends "
       "nothing for it, and while one stands chosen no Set All goes out either; write MIN=0 or more",
       Edit(rules("Serial", "MIN=0 MAX=2"), "High256", "BaseOn30")},
      {"serial title that leaves its values no room", rules("Serial", "MIN=0 MAX=10 TITLE=" + std::string(60, 'a')),
       "shorten it to 47 characters", rules("Serial", "MIN=0 MAX=10 TITLE=" + std::string(47, 'a'))},
      {"class without ItemCount", Edit(clean, "ItemCount=1\n", ""), "add ItemCount=1 to [Section01]", clean},
      {"enum value padded with a zero", rules("Enum", "0=Off 00001=On"), "write it without the leading zeros", clean},
      {"enum value wider than the rule reads", rules("Enum", "0=Off 1=On 12345=Max"), "values of up to 4 characters",
       rules("Enum", "0=Off 1=On 123=Max")},
      {"enum value written 0x", rules("Enum", "0=Off 0x01=On"), "the rule reads decimal values only: write 1", clean},
      {"default typed with the letter l", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=l"),
       "the letters O and l are no digits: write 1", clean},
      {"enum value typed with the letter l", rules("Enum", "0=Off l=On"), "the letters O and l are no digits: write 1",
       clean},
      {"command typed with the letter O", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 4O"),
       "write \"1B 40\"", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 40")},
      {"item line pasted again past the count",
       Edit(clean, "Item01Instruction=1B 44\n", "Item01Instruction=1B 44\nItem02=I\n"),
       "the list names it within the count already: delete the line", clean},
      {"title left out", Edit(clean, "I_Title=Item\n", ""), "add I_Title= and the title to [S_Lang_EN]", clean},
      {"compression count of 0",
       settings("Landscape_Compress=1\nCount=0\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\n"),
       "write Count=2", compress(100)},
      // A digit lost is not told as a guessed byte: the manual gives the byte.
      {"command digit lost", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 4"),
       "\"4\" lacks a digit or has one too many: write each byte as two digits", clean},
      {"command cut", frame("1B 7B 53 31 1B 7B 53 32 1B 7B 53 33 1B 7B 53 34 1B"),
       "write it without blanks, \"1B7B53311B7B53321B7B53331B7B53341B\"", frame("1B7B53311B7B53321B7B53331B7B53341B")},
      {"tail in a class's list", Edit(clean, "ItemCount=1", "ItemCount=1\nInstructionTail=0D"), "move it there",
       Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=0D")},
      {"item count one short", twoItems(1, "02"), "write ItemCount=2", twoItems(2, "02")},
      {"item deleted from the middle", twoItems(2, "03"),
       "the numbers skip Item02: number the 2 items Item01 to Item02 without a gap", twoItems(2, "02")},
      {"item copied and not renumbered", twoItems(2, "01"), "line 10 has Item01 again, which the plug-in reads once: is it meant as Item02? Rename it",
       twoItems(2, "02")},
      {"item count raised", Edit(clean, "ItemCount=1", "ItemCount=2"), "list Item02, or write ItemCount=1", clean},
      {"serial settings in hexadecimal", rules("Serial", "MIN=0x01 MAX=0x0A STEP=0x01"),
       "are written in hexadecimal, which the rule reads only up to its first letter: write MIN=1 MAX=10 STEP=1",
       rules("Serial", "MIN=1 MAX=10 STEP=1")},
      {"serial step in scientific notation", rules("Serial", "MIN=1 MAX=41 STEP=2E1"),
       "is written in scientific notation, which the rule reads only up to its first letter: write STEP=20",
       rules("Serial", "MIN=1 MAX=41 STEP=20")},
      {"compression count kept from a longer list", Edit(compress(100), "Count=2", "Count=3"),
       "write Count=2, or add it", compress(100)},
      {"serial MIN above MAX", rules("Serial", "MIN=5 MAX=1"), "write MIN=1 MAX=5", rules("Serial", "MIN=1 MAX=5")},
      {"default in hexadecimal", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=0x1"), "reads 1; write 1", clean},
      {"count in words", Edit(clean, "ItemCount=1", "ItemCount=one"), "write ItemCount=1 (Item01 is listed)", clean},
      {"count as a spreadsheet's true", Edit(twoItems(2, "02"), "ItemCount=2", "ItemCount=True"),
       "write ItemCount=2 (Item01 to Item02 are listed)", twoItems(2, "02")},
      {"switch as a spreadsheet's false", settings("XMoveEnable=False\n"), "\"False\" is 0 to a program: write 0",
       settings("XMoveEnable=0\n")},
      {"mask with thousands separators", mask("12,582,912"), "has thousands separators: write 12582912",
       mask("12582912")},
      {"mask in scientific notation", mask("1.2582912E+07"), "is 12582912 in scientific notation: write 12582912",
       mask("12582912")},
      {"mask rounded by a spreadsheet's scientific notation", mask("1.26E+07"),
       "is 12600000 in scientific notation, rounded to the digits shown, and sets bits of no row: the mask was "
       "probably 12582912, rows 0, 1",
       mask("12582912")},
      {"command in an editor's curly quotes",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=\u201C1B 44\u201D"),
       "U+201C (curly double quote) is no straight quotation mark, which the reader drops around a value: it keeps "
       "this one: write \"1B 44\"",
       clean},
      {"command with a web page's no-break space",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B\u00A044"),
       "U+00A0 (no-break space) is no plain blank: write \"1B 44\"", clean},
      {"title key pasted from a manual's PDF with a ligature", ligature(true),
       "it holds U+FB01 (ligature fi), which looks like a plain character and is not", ligature(false)},
      {"parameter rule missing", Edit(clean, "ParameterRule=High256\n", ""), "write ParameterRule=High256", clean},
      {"current compression of no choice", compress(95), "write one of 100, 90", compress(90)},
      {"current compression as the place of a choice", compress(2), "for choice 2 write 90", compress(90)},
      {"compression choices as fractions",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=1.0\nCOMPRESS_VALUE2=0.9\n"),
       "the plug-in reads 1, 0; write 100, 90", compress(100)},
      {"compression count in hexadecimal",
       settings("Landscape_Compress=1\nCount=0x2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\n"),
       "reads 0; the section reads decimal digits only: write 2", compress(100)},
      {"compression switch written as the percentage",
       settings("Landscape_Compress=90\nCount=2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\n"),
       "write Landscape_Compress=1, and COMPRESS_VALUE=90", compress(90)},
      {"compression switch deleted", settings("Count=2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\n"),
       "write Landscape_Compress=1", compress(100)},
      {"move out of range", settings("XMoveEnable=1\nXMove=80\n"), "write a value from -50 to 50",
       settings("XMoveEnable=1\nXMove=50\n")},
      {"class renamed in some sections", renamed,
       "line 16 has [S_Rule_EN], which the plug-in does not read as [T_Rule_EN]",
       Edit(Edit(renamed, "[S_Rule_EN]", "[T_Rule_EN]"), "[S_Rule_CN]", "[T_Rule_CN]")},
      {"serial title in Chinese words", serialInChinese("MIN=5 MAX=60 STEP=5 标题= 分钟"), "write \"TITLE= 分钟\"",
       serialInChinese("MIN=5 MAX=60 STEP=5 TITLE= 分钟")},
      {"serial settings with full-width equals signs", serialInChinese("MIN＝5 MAX＝60 STEP＝5 TITLE＝ 分钟"),
       "U+FF1D (full-width equals sign) is no ASCII \"=\": write \"MIN=5 MAX=60 STEP=5 TITLE= 分钟\"",
       serialInChinese("MIN=5 MAX=60 STEP=5 TITLE= 分钟")},
      {"serial title in quotation marks", rules("Serial", "MIN=1 MAX=7 STEP=2 TITLE=\" mm\""),
       "the options show them: 1\" MM\"; write TITLE= mm, without the marks",
       rules("Serial", "MIN=1 MAX=7 STEP=2 TITLE= mm")},
      {"title as a web page's character references", chineseTitle("&#25171;&#x5370;"), "write \"打印\"",
       chineseTitle("打印")},
      {"title with a JSON writer's escapes", chineseTitle("\\u6253\\u5370"),
       "holds \"\\u6253\": the page shows the escape as written, not the character it stands for; write the "
       "characters, \"打印\"",
       chineseTitle("打印")},
      {"title with an ampersand of a web page", Edit(clean, "I_Title=Item", "I_Title=Black &amp; White&nbsp;Paper"),
       "write \"Black & White Paper\"", Edit(clean, "I_Title=Item", "I_Title=Black & White Paper")},
      {"a class split off, its items' defaults left in the old class's defaults", splitOff,
       "they are keys of [T_Default], which the file lacks",
       Edit(Edit(splitOff, "; expect: warning unknown-key\n", "[T_Default]\n"),
            "; expect: info default-section-missing\n", "")},
      {"two versions of the file joined", twoVersions, "a second version of the file follows the first",
       twoVersions.substr(0, twoVersions.find("; expect: warning duplicate-section"))},
      {"a command and the next entry on one line", frame("1B 7B InstructionTail=0D"),
       "it holds \"InstructionTail=0D\": two entries on one line", frame("1B 7B\nInstructionTail=0D")},
      {"classes merged, the defaults of one left under its old header", merged, "did you mean [Device_Default]?",
       Edit(merged, "[Power_Default]", "[Device_Default]")},
      {"a compression choice taken out, the current one with it",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE2=90\nCOMPRESS_VALUE3=80\n"),
       "COMPRESS_VALUE 100 is none of the choices written either: write one of 90, 80",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=90\nCOMPRESS_VALUE1=90\nCOMPRESS_VALUE2=80\n")},
      {"a rule taken from a mail's quoted-printable text", rules("Enum", "0=3DOff 1=3DOn"),
       "the plug-in reads \"3DOff\" where \"Off\" was meant; write '=' for each \"=3D\"", clean},
      {"a note broken by a mail's soft line break", Edit(clean, "I_Title=Item\n", "I_Title=Item\nI_Note=On or=\noff\n"),
       "delete that '=' and join the two lines",
       Edit(Edit(clean, "I_Title=Item\n", "I_Title=Item\nI_Note=On or off\n"), "I_Title=Item\n[S_Rule_EN]",
            "I_Title=Item\nI_Note=On or off\n[S_Rule_EN]")},
      {"the byte that ends each command written into every instruction", endInInstruction,
       "write InstructionTail=03 in [SectionNames]",
       Edit(Edit(Edit(Edit(endInInstruction, "ParameterRule=High256", "ParameterRule=High256\nInstructionTail=03"),
                      "1B 7E 44 03", "1B 7E 44"),
                 "1B 7E 53 03", "1B 7E 53"),
            "1B 7E 48 03", "1B 7E 48")},
      {"a text printer's line end written into every instruction, after the blank before the value",
       Edit(Edit(Edit(Edit(endInInstruction, "ParameterRule=High256", "ParameterRule=BaseOn30"), "1B 7E 44 03",
                      "53 50 20 0D 0A"),
                 "1B 7E 53 03", "46 4C 20 0D 0A"),
            "1B 7E 48 03", "54 4F 20 0D 0A"),
       "write InstructionTail=0D 0A in [SectionNames]",
       Edit(Edit(Edit(Edit(endInInstruction, "ParameterRule=High256", "ParameterRule=BaseOn30\nInstructionTail=0D 0A"),
                      "1B 7E 44 03", "53 50 20"),
                 "1B 7E 53 03", "46 4C 20"),
            "1B 7E 48 03", "54 4F 20")},
      {"a range past one byte", Edit(rules("Serial", "MIN=0 MAX=300 STEP=20"), "I=1\n", "I=20\n"), "write MAX=240",
       Edit(rules("Serial", "MIN=0 MAX=240 STEP=20"), "I=1\n", "I=20\n")},
      {"a manual's hexadecimal codes as values", Edit(rules("Enum", "14=Low 28=Mid 3C=High"), "I=1\n", "I=14\n"),
       "every value is hexadecimal", Edit(rules("Enum", "20=Low 40=Mid 60=High"), "I=1\n", "I=20\n")},
      {"a manual's codes of the digits as the values of a binary command",
       Edit(rules("Enum", "30=Low 31=Medium 32=High"), "I=1\n", "I=31\n"),
       "if the printer's values are 0 to 2, write \"0=Low 1=Medium 2=High\"", rules("Enum", "0=Low 1=Medium 2=High")},
      // Lines switched off with a remark for a while: the mark is what to take off.
      {"a command switched off with a remark", Edit(clean, "Item01Instruction=1B 44", ";Item01Instruction=1B 44"),
       "take the remark mark off line 9 to switch it on again", clean},
      {"a rule switched off in one language", Edit(clean, "I_RuleType=Enum\nI_Rule=0=Off 1=On\n[S_Rule_CN]",
                                                   "I_RuleType=Enum\n# I_Rule=0=Off 1=On\n[S_Rule_CN]"),
       "take the remark mark off line 18 to switch it on again", clean},
      {"an item line switched off, its count kept", Edit(clean, "Item01=I", "// Item01=I"),
       "take the remark mark off line 8 to switch it on again", clean},
      {"a default switched off where the class gives the other item its own",
       Edit(ReadSourceFile("tests/tools/findings/two-items.ini"), "[S_Default]\nI=1", "[S_Default]\n;I=1"),
       "take the remark mark off line 31 to switch it on again", ReadSourceFile("tests/tools/findings/two-items.ini")},
      {"an option switched off with a remark mark inside the rule", rules("Enum", "0=Off 1=On 2=Auto ; 3=Eco"),
       "a rule holds no remarks: \"3=Eco\" after the \";\" is still read", rules("Enum", "0=Off 1=On 2=Auto")},
      {"a Serial setting switched off with a remark mark", rules("Serial", "MIN=0 MAX=20 ;STEP=5"),
       "\"STEP=5\" after the \";\" is still read", rules("Serial", "MIN=0 MAX=20")},
      {"a remark after a Serial title", rules("Serial", "MIN=0 MAX=20 TITLE= mm // was cm"), "write \"TITLE= mm\"",
       rules("Serial", "MIN=0 MAX=20 TITLE= mm")},
      {"a remark typed with a full-width mark after a title", Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Item \xEF\xBC\x9B old\n[S_Lang_CN]"),
       "the page shows the remark as part of the text", clean},
      {"a header switched off with a remark, its lines left", Edit(clean, "[S_Rule_CN]", "// [S_Rule_CN]"),
       "to keep it, take the remark mark off the header", clean},
      {"an item's key left with the number of an item taken out",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem02ParameterCount=1"),
       "is it meant as Item01ParameterCount? Rename it",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=1")},
      {"a command left for an item taken out", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem02Instruction=1B 45"),
       "Item02Instruction is never read: the section lists no Item02; delete it", clean},
      {"a blank lost before a value, after a word of the letters a to f", rules("Enum", "0=Off 1=Manual feed2=Auto"),
       "a blank is missing before 2: write \"feed 2=\"", rules("Enum", "0=Off 1=Manual feed 2=Auto")},
      {"an item's rule type and rule written under its titles",
       Edit(Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title=Item\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n[S_Lang_CN]"),
            "[S_Rule_EN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n", "[S_Rule_EN]\n"),
       "move it, with I_Rule (line 14), to [S_Rule_EN]", clean},
      {"a Serial unit whose letter case matters",
       Edit(rules("Serial", "MIN=0 MAX=200 STEP=50 TITLE= ms"), "I=1\n", "I=0\n"),
       "the title \"ms\" shows as \"MS\", which reads as another unit",
       Edit(Edit(Edit(rules("Serial", "MIN=0 MAX=200 STEP=50"), "I=1\n", "I=0\n"), "I_Title=Item\n",
                 "I_Title=Item (ms)\n"),
            "I_Title=Item\n", "I_Title=Item (ms)\n")},
      {"a text printer's tail with two digits swapped", Edit(textCommands, "InstructionTail=0D 0A", "InstructionTail=0D A0"),
       "InstructionTail is 0D A0, with bytes that are no text, where every item's command is text", textCommands},
      {"a title after '=' typed twice", Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title==Item\n[S_Lang_CN]"),
       "'=' is typed twice, and the page shows the second; delete it", clean},
      {"a title after a quotation mark it does not close",
       Edit(clean, "I_Title=Item\n[S_Lang_CN]", "I_Title='Item\n[S_Lang_CN]"),
       "starts with a quotation mark it does not close", clean},
      {"a class renamed in its list and texts, its defaults and filter left under the old key",
       Edit(Edit(Edit(Edit(Edit(clean, "Section01=S", "Section01=P"), "[S_Lang_EN]", "[P_Lang_EN]"), "[S_Lang_CN]",
                      "[P_Lang_CN]"),
                 "[S_Rule_EN]", "[P_Rule_EN]"),
            "[S_Rule_CN]", "[P_Rule_CN]") +
           "[S_Filter]\nI=1\n",
       "was the class renamed, and these sections not? Rename each after P",
       Edit(Edit(Edit(Edit(Edit(Edit(clean, "Section01=S", "Section01=P"), "[S_Lang_EN]", "[P_Lang_EN]"), "[S_Lang_CN]",
                           "[P_Lang_CN]"),
                      "[S_Rule_EN]", "[P_Rule_EN]"),
                 "[S_Rule_CN]", "[P_Rule_CN]"),
            "[S_Default]", "[P_Default]") +
           "[P_Filter]\nI=1\n"},
      {"a Serial step typed with the letter O", Edit(rules("Serial", "MIN=0 MAX=40 STEP=1O"), "I=1\n", "I=10\n"),
       "write STEP=10", Edit(rules("Serial", "MIN=0 MAX=40 STEP=10"), "I=1\n", "I=10\n")},
      {"the one default of a class switched off with a remark", Edit(clean, "[S_Default]\nI=1", "[S_Default]\n# I=1"),
       "take the remark mark off line 23 to switch it on again", clean},
      {"no rules written yet in either language",
       Edit(Edit(clean, "[S_Rule_EN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n", ""),
            "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n", ""),
       "add it, with two lines for each item, such as I_RuleType=Enum and I_Rule=0=Off 1=On", clean},
      {"a header's ']' typed twice", Edit(clean, "[S_Default]\nI=1", "[S_Default]]\nI=0"),
       "a ']' typed twice is part of the name; delete one", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=0")},
      {"an item's count lowered, its lines left",
       Edit(ReadSourceFile("tests/tools/findings/two-items.ini"), "ItemCount=2", "ItemCount=1"),
       "write ItemCount=2, or, to drop it, delete its line and keys", ReadSourceFile("tests/tools/findings/two-items.ini")},
      {"a default option's '&' doubled as in a note", rules("Enum", "0=Off 1=Tray 1 && 2"),
       "holds '&&': the hint box, which shows the default's text, shows one '&', but the option list shows both",
       rules("Enum", "0=Off 1=Tray 1 and 2")},
      {"a language section named without its kind", Edit(clean, "[S_Lang_CN]", "[S_CN]"),
       "(line 13 has [S_CN], which the plug-in does not read as [S_Lang_CN])", clean},
      {"a mark typed before a header's '['", Edit(clean, "[S_Lang_CN]", "`[S_Lang_CN]"),
       "has \"`\" before its '[', which makes no header", clean},
      {"a value typed onto its text, its '=' left out", rules("Enum", "0=Off 1=Low 2High 3=Top"),
       "holds \"2High\", a pair without its '='", rules("Enum", "0=Off 1=Low 2=High 3=Top")},
      {"a Serial setting without its '='", Edit(rules("Serial", "MIN=0 MAX=20 STEP5"), "I=1\n", "I=5\n"),
       "write STEP=5", Edit(rules("Serial", "MIN=0 MAX=20 STEP=5"), "I=1\n", "I=5\n")},
      {"a value typed after its '='", rules("Enum", "0=Off 1=On =2Auto"), "write \"2=Auto\" for \"=2Auto\"",
       rules("Enum", "0=Off 1=On 2=Auto")},
      {"a stray backslash after a command, above an entry of its own",
       Edit(ReadSourceFile("tests/tools/findings/two-items.ini"), "Item01Instruction=1B 44", "Item01Instruction=1B 44\\"),
       "holds \"\\\"", ReadSourceFile("tests/tools/findings/two-items.ini")},
      {"a manual's codes of the digits from 1 as the values of a setting counted from 1",
       Edit(rules("Enum", "31=Low 32=Medium 33=High"), "I=1\n", "I=31\n"),
       "if the printer's values are 1 to 3, write \"1=Low 2=Medium 3=High\"", rules("Enum", "1=Low 2=Medium 3=High")},
      {"a text printer's commands under the rule for binary values", textHigh256, "write ParameterRule=BaseOn30",
       Edit(textHigh256, "ParameterRule=High256", "ParameterRule=BaseOn30")},
      {"the line end written into every instruction, with no tail", crlfInInstructions,
       "write InstructionTail=0D 0A in [SectionNames]", textCommands},
      {"a text printer's commands ending in the blank before the value, with no tail", textWords("", ""),
       "the commands run together in the job", textWordsEnded},
      {"a text printer's commands of words with no tail, one ending in a field's digit",
       Edit(textWords("", ""), "46 4C 20", "46 4C 20 30"), "the commands run together in the job",
       Edit(textWordsEnded, "46 4C 20", "46 4C 20 30")},
      {"a text command typed from a manual's decimal column", Edit(textWordsEnded, "53 50 20", "83 80 32"),
       "in hexadecimal write \"53 50 20\"", textWordsEnded},
      {"a text command without the blank before its value", Edit(textWordsEnded, "46 4C 20", "46 4C"),
       "write Item02Instruction=46 4C 20", textWordsEnded},
      {"a manual's placeholder converted with a text command", Edit(textWordsEnded, "46 4C 20", "46 4C 20 6E"),
       "write Item02Instruction=46 4C 20", textWordsEnded},
      {"the tail written into every instruction as well", tailEverywhere,
       "every item's instruction ends with 03, the InstructionTail", tailOnce},
      {"an escape sequence typed from a manual's decimal column",
       Edit(frame("1B 7B"), "Item01Instruction=1B 44", "Item01Instruction=27 68"), "in hexadecimal write \"1B 44\"",
       frame("1B 7B")},
      {"a manual's bytes in angle brackets", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=<1B>H<44>H"),
       "write \"1B 44\"", clean},
      {"a byte and a character in quotes", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B \"D\""),
       "write \"1B 44\"", clean},
      {"a text command typed as its word", Edit(textWordsEnded, "53 50 20", "SPEED"),
       "write \"53 50 45 45 44\", with 20 after it", Edit(textWordsEnded, "53 50 20", "53 50 45 45 44 20")},
      {"a value's high byte written into the command and counted too",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44 00\nItem01ParameterCount=2"),
       "the command ends with the high byte 00 already", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B 44 00")},
      {"a fixed width of digits written as leading zeros", padded, "(Item03Instruction=5E 4C 4C 30)",
       Edit(Edit(Edit(padded, "5E 4C 4C\n", "5E 4C 4C 30\n"), "0200=Short 0400=Long", "200=Short 400=Long"),
            "0200=Short 0400=Long", "200=Short 400=Long")},
      {"a default written with ';' for '='", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI;1"), "write \"I=1\"",
       clean},
      {"spreadsheet columns", columns(clean),
       "turn every line back into key=value: the first \";\" of each line is its '='", clean},
      {"a step that misses MAX, mended at the other end",
       Edit(rules("Serial", "MIN=5 MAX=60 STEP=10"), "I=1\n", "I=5\n"), "or MIN=10 (steps from there reach 60)",
       Edit(rules("Serial", "MIN=10 MAX=60 STEP=10"), "I=1\n", "I=10\n")},
      {"a run of numbers as an Enum rule, cut", rules("Enum", run),
       "for a run of numbers write I_RuleType=Serial and I_Rule=MIN=1 MAX=200 STEP=1",
       rules("Serial", "MIN=1 MAX=200 STEP=1")},
      {"a range of -6 to 6 whose -1 cannot be chosen", Edit(rules("Serial", "MIN=-6 MAX=6 STEP=1"), "I=1\n", "I=0\n"),
       "list the values as an Enum rule with 255 for -1",
       Edit(rules("Enum", "-6=-6 -5=-5 -4=-4 -3=-3 -2=-2 255=-1 0=0 1=1 2=2 3=3 4=4 5=5 6=6"), "I=1\n", "I=0\n")},
      {"a pad for values of one width, and wider values", textRange("MIN=100 MAX=2000 STEP=10"),
       "one pad cannot give values of 3 and 4 digits one width: if the printer takes values of any length, take the "
       "30 off the instruction", textRange("MIN=100 MAX=2000 STEP=10", "5E 4C 4C")},
      {"a range of a hundred thousand rows", Edit(textRange("MIN=1 MAX=100000 STEP=1", "5E 4C 4C"), "K=600", "K=201"),
       "write STEP=200 and MAX=99801 (the last step)",
       Edit(textRange("MIN=1 MAX=99801 STEP=200", "5E 4C 4C"), "K=600", "K=201")},
      {"the store command written into the tail", frame("1B 7B\nInstructionTail=0D 1B 7D 57"),
       "write SaveInstruction=1B 7D 57, which the page sends once, at the end of each job, and keep 0D in it",
       Edit(frame("1B 7B\nInstructionTail=0D"), "SaveInstruction=1B 7D", "SaveInstruction=1B 7D 57")},
      {"a remark holding ']' after a header", Edit(clean, "[S_Default]", "[S_Default] ; see [2]"),
       "put the remark on a line of its own", Edit(clean, "[S_Default]", "[S_Default]\n; see [2]")},
      {"the blank before a value lost", rules("Enum", "0=Off 1=On 2K2=Auto"), "write \"2K 2=\"",
       rules("Enum", "0=Off 1=On 2K 2=Auto")},
      {"a default in octal", Edit(clean, "I=1\n", "I=0o1\n"), "\"0o1\" is 1 in octal: write 1", clean},
      {"an item inserted and the next command's number not changed",
       Edit(twoItems(2, "02"), "Item02Instruction=1B 45", "Item01Instruction=1B 45"),
       "is it meant as Item02Instruction? Rename it", twoItems(2, "02")},
      {"a language's rules left out", Edit(clean, "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On\n", ""),
       "add it after [S_Rule_EN], with the same values and the texts in Chinese", clean},
      {"a name alone above its key", Edit(clean, "[S_Default]\n", "[S_Default]\nI\n"), "delete this line", clean},
      {"pairs written text=value", rules("Enum", "Off=0 On=1"), "write \"0=Off 1=On\"", clean},
      {"a range's MAX slipped in one language", Edit(rules("Serial", "MIN=0 MAX=72 STEP=1"), "MAX=72", "MAX=720"),
       "the Chinese rule, \"MIN=0 MAX=72 STEP=1\", fits: if its range is the one meant, write it here too",
       rules("Serial", "MIN=0 MAX=72 STEP=1")},
      {"a default written as its option's text", Edit(rules("Enum", "1=Off 2=On"), "I=1\n", "I=On\n"),
       "and Set All sends 1B 44 00; \"On\" is the text of the option of value 2: write 2",
       Edit(rules("Enum", "1=Off 2=On"), "I=1\n", "I=2\n")},
      {"a pad of two digits and wider values",
       Edit(textRange("MIN=10 MAX=120 STEP=10", "5E 4C 4C 30 30"), "K=600", "K=100"),
       "its instruction ends in 2 digits 0 (30 30), which pads its values to 4 digits",
       Edit(textRange("MIN=10 MAX=120 STEP=10", "5E 4C 4C"), "K=600", "K=100")},
      {"a pad made for most values, and a shorter one", textRange("MIN=60 MAX=900 STEP=60", "5E 4C 4C 30 30"),
       "which pads most of its values to 5 digits, but values of 2 digits go out with 4: \"60\" (60) as "
       "5E 4C 4C 30 30 36 30 0D 0A; keep every value to 3 digits (MIN=120)",
       textRange("MIN=120 MAX=900 STEP=60", "5E 4C 4C 30 30")},
      {"a value changed in one language",
       Edit(clean, "I_RuleType=Enum\nI_Rule=0=Off 1=On\n[S_Default]",
            "I_RuleType=Enum\nI_Rule=0=Off 2=On\n[S_Default]"),
       "option 2 sends 1 in English, 2 in Chinese: the same row sends other bytes in the other language; give both "
       "rules the same values; the default 1 is an option in English only: the Chinese page selects no row, so the "
       "Chinese rule is the one to mend",
       clean},
      {"a count one short, a hidden class among the listed",
       ReadSourceFile("tests/tools/findings/count-short-hidden-class.ini"), "write SectionCount=11",
       Edit(ReadSourceFile("tests/tools/findings/count-short-hidden-class.ini"), "SectionCount=10", "SectionCount=11")},
      {"a class's key misspelt in the list", Edit(clean, "Section01=S", "Section01=Sx"), "write Section01=S", clean},
      {"a default written as the option's place", Edit(rules("Enum", "0=Off 5=On 9=Auto"), "I=1\n", "I=3\n"),
       "(if the option in place 3 was meant: counted from 1, 9)",
       Edit(rules("Enum", "0=Off 5=On 9=Auto"), "I=1\n", "I=9\n")},
      {"an empty compression choice, the last",
       settings("Landscape_Compress=1\nCount=2\nCOMPRESS_VALUE=100\n"
                "COMPRESS_VALUE1=100\nCOMPRESS_VALUE2=\n"),
       "write the percentage meant, or delete the line and write Count=1",
       settings("Landscape_Compress=1\nCount=1\nCOMPRESS_VALUE=100\nCOMPRESS_VALUE1=100\n")},
      {"an item's line taken out, its command left",
       Edit(twoItems(2, "02"), "Item02=J\nItem02Instruction=1B 45",
            "Item02Instruction=1B 43\nItem02=J\nItem03Instruction=1B 45"),
       "it is left from an item taken out, and Item02=J reads it: delete it", twoItems(2, "02")},
      {"item lines renumbered over the last item's keys",
       Edit(twoItems(2, "02"), "Item02Instruction=1B 45", "Item03Instruction=1B 45\nItem03ParameterCount=1"),
       "2 keys stand under item lines of another number (first Item03Instruction under Item02=J)",
       Edit(twoItems(2, "02"), "Item02Instruction=1B 45", "Item02Instruction=1B 45\nItem02ParameterCount=1")},
      {"an item's lines cut and pasted at the end of the file",
       Edit(twoItems(2, "02"), "Item02=J\nItem02Instruction=1B 45\n", "") +
           "[Settings]\nXMoveEnable=1\nXMove=0\nItem02=J\nItem02Instruction=1B 45\n",
       "they are lines of [Section01], which declares 2 items and lacks Item02: move them there",
       twoItems(2, "02") + "[Settings]\nXMoveEnable=1\nXMove=0\n"},
      {"an item renamed and its filter not", jRenamed("Calibrate", "Calibration", "Calibrate"),
       "did you mean Calibrate? Until then", jRenamed("Calibrate", "Calibrate", "Calibrate")},
      {"an item renamed and its default not", jRenamed("PaperSize", "PaperSize", "Size"),
       "[S_Default] Size is never read: did you mean PaperSize? Until then the page starts PaperSize at 1, not 0",
       jRenamed("PaperSize", "PaperSize", "PaperSize")},
      {"a class renamed with a blank typed after its new name",
       [&] {
         std::string text = classRenamed("[Printing_Default]\nI=1\n");
         for (int section = 0; section < 5; ++section) text = Edit(text, "[Printing_", "[Printing _");
         return text;
       }(),
       "take the blank out of those sections' names, as [Printing_Lang_EN]", classRenamed("[Printing_Default]\nI=1\n")},
      {"an item renamed with a blank typed after its new name",
       textKeysAs("Offset", "Offset "), "take the blank out of those keys, as Offset_Title", jShown("Offset")},
      {"a tick-box count copied onto one choice", mask("1"),
       "if the item is one choice, ParameterCount 3 makes it tick boxes: write ParameterCount=1", clean},
      {"a filter section named after the class's number",
       Edit(twoItems(2, "02"), "[S_Default]", "[S_Filter]\nSectionEnable=1\n[Section01_Filter]\nJ=0\n[S_Default]"),
       "the file has [S_Filter]: move these lines into it",
       Edit(twoItems(2, "02"), "[S_Default]", "[S_Filter]\nSectionEnable=1\nJ=0\n[S_Default]")},
      {"a class's sections named after its number",
       [&] {
         std::string text = clean;
         for (const char *section : {"[S_Lang_EN]", "[S_Lang_CN]", "[S_Rule_EN]", "[S_Rule_CN]", "[S_Default]"})
           text = Edit(text, section, "[Section01" + std::string(section + 2));
         return text;
       }(),
       "a class's sections are named after its key: rename them, as [S_Lang_EN]", clean},
      {"an item's rule lines copied from another, their key not changed",
       Edit(Edit(twoItems(2, "02"), "J_RuleType=Enum\nJ_Rule=", "I_RuleType=Enum\nI_Rule="),
            "J_RuleType=Enum\nJ_Rule=", "I_RuleType=Enum\nI_Rule="),
       "is it meant as J_RuleType? Rename it, and line 24 as J_Rule", twoItems(2, "02")},
      {"an option taken out of the middle of tick boxes",
       Edit(Edit(mask("4194304"), "I_Rule=0=Off 1=On", "I_Rule=0=A 2=C 3=D"), "I_Rule=0=Off 1=On", "I_Rule=0=A 2=C 3=D"),
       "the values skip 1, so \"C\" (2) sends the bit of row 1, and the default ticks \"C\" (2); if an option was "
       "taken out, every row after it sends the bit of the one before",
       Edit(Edit(mask("4194304"), "I_Rule=0=Off 1=On", "I_Rule=0=A 1=B 2=C 3=D"), "I_Rule=0=Off 1=On",
            "I_Rule=0=A 1=B 2=C 3=D")},
      {"a key wrapped by an editor", Edit(clean, "I_Title=Item", "I_Ti\ntle=Item"),
       "an editor wrapped the line, and line 13 reads as a key of its own: join the two lines", clean},
      {"a command wrapped by a manual's page", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B\n44"),
       "if its bytes go on the command of line 9, join the two lines", clean},
      {"a rule wrapped inside an option's text",
       Edit(rules("Enum", "0=Off 1=Very light 2=Dark"), "1=Very light", "1=Very\nlight"),
       "\"light 2=Dark\" is never read: it looks like the end of I_Rule on line 18, wrapped by an editor",
       rules("Enum", "0=Off 1=Very light 2=Dark")},
      {"a class renamed, its title kept, and its filter not",
       classRenamed("[Printing_Default]\nI=1\n[Class_Filter]\nSectionEnable=1\n"),
       "did you mean [Printing_Filter]? Class Printing has the title \"Class\": was the class renamed",
       classRenamed("[Printing_Default]\nI=1\n[Printing_Filter]\nSectionEnable=1\n")},
      {"a tick-box default drawn as the manual draws the rows",
       Edit(Edit(mask("101"), "I_Rule=0=Off 1=On", "I_Rule=0=A 1=B 2=C"), "I_Rule=0=Off 1=On", "I_Rule=0=A 1=B 2=C"),
       "if \"101\" draws the rows, row 0 first, it ticks rows 0, 2: write 10485760",
       Edit(Edit(mask("10485760"), "I_Rule=0=Off 1=On", "I_Rule=0=A 1=B 2=C"), "I_Rule=0=Off 1=On",
            "I_Rule=0=A 1=B 2=C")},
      {"a Chinese title wrapped by an editor",
       Edit(clean, "[S_Lang_CN]\nTitle=Class\nI_Title=Item", "[S_Lang_CN]\nTitle=Class\nI_Title=\u6253\n\u5370"),
       "if it goes on the text of line 15, join the two lines",
       Edit(clean, "[S_Lang_CN]\nTitle=Class\nI_Title=Item", "[S_Lang_CN]\nTitle=Class\nI_Title=\u6253\u5370")},
      {"a command left with the number of an item taken out",
       Edit(twoItems(2, "02"), "Item02Instruction=1B 45", "Item03Instruction=1B 45"),
       "has Item03Instruction, and the section lists no item of its number: is it meant as Item02Instruction? Rename "
       "it",
       twoItems(2, "02")},
      {"an item renamed in its list and default, and not in its texts",
       textKeysAs("Jumper", "J"),
       "has the new name already: was the item renamed halfway? Rename the J lines of those sections to Jumper",
       jShown("Jumper")},
      {"a default named by its item's title", Edit(twoItems(2, "02"), "\nJ=0\n", "\nOther=0\n"),
       "[S_Default] Other is never read: did you mean J? Until then the page starts J at 1, not 0", twoItems(2, "02")},
      {"a default written under the class's texts",
       Edit(Edit(rules("Enum", "0=Off 1=On 2=Auto"), "[S_Default]\nI=1", "[S_Default]"), "I_Title=Item\n",
            "I_Title=Item\nI=2\n"),
       "an item's default goes in [S_Default]: move this line there. Until then the page starts I at 1, not 2",
       Edit(rules("Enum", "0=Off 1=On 2=Auto"), "[S_Default]\nI=1", "[S_Default]\nI=2")},
      {"defaults written for one language", clean + "[S_Default_CN]\nI=0\n",
       "defaults have no language, and both pages read [S_Default], so the two start alike", clean},
      {"a service class of actions left shown", ReadSourceFile("tests/tools/findings/class-of-actions.ini"),
       "hide it with SectionEnable=0 in [S_Filter]",
       ReadSourceFile("tests/tools/findings/class-of-actions.ini") + "[S_Filter]\nSectionEnable=0\n"},
      {"an item taken out, its filter left", Edit(clean, "[S_Default]", "[S_Filter]\nGone=0\n[S_Default]"),
       "[Section01] lists no item Gone, whose filter this would be: delete the line", clean},
      {"the compression list deleted, its switch left on", settings("Landscape_Compress=1\n"),
       "write Landscape_Compress=0 to leave the list out", settings("Landscape_Compress=0\n")},
      {"an item inserted before the first with its number, the items after it not renumbered",
       insertedFirst(false), "was an item inserted and the items after it not renumbered? Number this one and those "
       "after it up by one, Item01 to Item02 as Item02 to Item03",
       insertedFirst(true)},
      {"a class's texts copied from another under the other's header",
       [&] {
         std::string text = ReadSourceFile("tests/tools/findings/defaults-header-pasted-twice.ini");
         text = Edit(text, "; expect: warning duplicate-section\n[S_Default]\nK=2\n", "[T_Default]\nK=2\n");
         return Edit(text, "[T_Lang_CN]", "[S_Lang_CN]");
       }(),
       "its keys are items of class T, which has no [T_Lang_CN]: rename this header [T_Lang_CN]",
       Edit(ReadSourceFile("tests/tools/findings/defaults-header-pasted-twice.ini"),
            "; expect: warning duplicate-section\n[S_Default]\nK=2\n", "[T_Default]\nK=2\n")},
      {"a title line copied for a new item, its key not changed",
       Edit(twoItems(2, "02"), "[S_Lang_EN]\nTitle=Class\nJ_Title=Other\nI_Title=Item",
            "[S_Lang_EN]\nTitle=Class\nI_Title=Item\nI_Title=Other"),
       "has I_Title again, which the plug-in reads once: is it meant as J_Title? Rename it", twoItems(2, "02")},
      {"an option's value typed full-width", rules("Enum", "0=Off \uFF11=On"),
       "U+FF11 (full-width digit 1) is no ASCII \"1\": write \"1\"", clean},
      {"a note missing in one language in a class of one item",
       [&] {
         std::string text = Edit(ReadSourceFile("tests/tools/findings/defaults-header-pasted-twice.ini"),
                                 "; expect: warning duplicate-section\n[S_Default]\nK=2\n", "[T_Default]\nK=2\n");
         for (const char *language : {"EN", "CN"})
           text = Edit(text, std::string("[S_Lang_") + language + "]\nTitle=Class\nI_Title=Item\n",
                       std::string("[S_Lang_") + language + "]\nTitle=Class\nI_Title=Item\nI_Note=Hint\n");
         return Edit(text, "[T_Lang_EN]\nTitle=Second\nK_Title=Kay\n", "[T_Lang_EN]\nTitle=Second\nK_Title=Kay\nK_Note=Hint\n");
       }(),
       "[T_Lang_CN] K_Note is missing: in Chinese the hint box of item T/K is empty",
       [&] {
         std::string text = Edit(ReadSourceFile("tests/tools/findings/defaults-header-pasted-twice.ini"),
                                 "; expect: warning duplicate-section\n[S_Default]\nK=2\n", "[T_Default]\nK=2\n");
         for (const char *language : {"EN", "CN"}) {
           text = Edit(text, std::string("[S_Lang_") + language + "]\nTitle=Class\nI_Title=Item\n",
                       std::string("[S_Lang_") + language + "]\nTitle=Class\nI_Title=Item\nI_Note=Hint\n");
           text = Edit(text, std::string("[T_Lang_") + language + "]\nTitle=Second\nK_Title=Kay\n",
                       std::string("[T_Lang_") + language + "]\nTitle=Second\nK_Title=Kay\nK_Note=Hint\n");
         }
         return text;
       }()},
      {"a command's digits typed full-width",
       Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=\uFF11\uFF22 44"),
       "U+FF11 (full-width digit 1) is no \"1\": write \"1B 44\"", clean},
      {"a number in curly quotes", Edit(clean, "I=1\n", "I=\u201C1\u201D\n"), "write \"1\"", clean},
      {"a mask grouped with thin spaces", mask("12\u2009582\u2009912"),
       "U+2009 (thin space) is no plain blank: write \"12582912\"", mask("12582912")},
      {"a list's number pasted before a key", Edit(clean, "I_Title=Item", "2.\tI_Title=Item"),
       "it starts with \"2.\\t\", the mark of a list it was pasted from: delete the mark", clean},
      {"a bullet pasted before a key", Edit(clean, "Item01=I", "\u2022 Item01=I"), "delete the mark", clean},
      {"a no-break space before '='", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI\u00A0=1"),
       "reads no I from this line; delete the character", clean},
      {"a block pasted after a last line without its line end",
       Edit(clean, "[S_Default]\nI=1\n", "[Settings]\nXMoveEnable=1\nXMove=0[S_Default]\nI=1\n"),
       "it is a key of [S_Default], whose header stands at the end of line 24",
       Edit(clean, "[S_Default]\nI=1\n", "[Settings]\nXMoveEnable=1\nXMove=0\n[S_Default]\nI=1\n")},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ToolRun broken = RunTool({"check", File(c.broken)});
    EXPECT_NE(broken.out.find(c.says), std::string::npos) << broken.out;
    EXPECT_TRUE(Findings(RunTool({"check", File(c.mended), "--format", "json"})).empty()) << c.mended;
  }
}

// A no-break or thin space between words is typography the page shows as a blank: told only where a blank would
// read otherwise (at a text's end, between two options) or where no blank belongs (a command, a name).
TEST_F(FindingsTest, TypographicBlanksAreToldWhereTheyChangeWhatIsRead) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  const auto rule = [&](const std::string &text) {
    return Edit(Edit(clean, "I_Rule=0=Off 1=On", "I_Rule=" + text), "I_Rule=0=Off 1=On", "I_Rule=" + text);
  };
  const struct {
    const char *name;
    std::string text;
    const char *code;  // nullptr: nothing to tell
  } cases[] = {
      {"inside a title", Edit(clean, "I_Title=Item", "I_Title=300\u00A0dpi"), nullptr},
      {"inside an option's text", rule("0=300\u2009dpi 1=600\u2009dpi"), nullptr},
      {"at a title's end", Edit(clean, "I_Title=Item", "I_Title=Item\u00A0"), "invisible-character"},
      {"between two options", rule("0=Off\u00A01=On"), "enum-no-blank"},
      {"in a command", Edit(clean, "Item01Instruction=1B 44", "Item01Instruction=1B\u00A044"), "bad-command-text"},
      {"a zero-width space inside a title", Edit(clean, "I_Title=Item", "I_Title=It\u200Bem"), "invisible-character"},
      {"a wide blank after a default", Edit(clean, "[S_Default]\nI=1", "[S_Default]\nI=1\u3000"), nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const nlohmann::json found = Findings(RunTool({"check", File(c.text), "--format", "json"}));
    if (!c.code) {
      EXPECT_TRUE(found.empty()) << found.dump();
      continue;
    }
    bool told = false;
    for (const nlohmann::json &finding : found) told = told || finding["code"] == c.code;
    EXPECT_TRUE(told) << found.dump();
  }
}

// Texts the page cuts: two that read alike once cut are told as rows alike, and a cut hides no difference of the
// languages' values.
TEST_F(FindingsTest, TextsCutShortAreToldWithWhatTheyHide) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  const std::string longText = "Cut after each label and feed the next one to the tear bar";
  auto rules = [&](const std::string &english, const std::string &chinese) {
    return Edit(Edit(clean, "I_Rule=0=Off 1=On", "I_Rule=" + english), "I_Rule=0=Off 1=On", "I_Rule=" + chinese);
  };
  std::string twoTitles =
      Edit(Edit(Edit(clean, "ItemCount=1", "ItemCount=2"), "Item01Instruction=1B 44\n",
                "Item01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45\n"),
           "[S_Lang_EN]\nTitle=Class\nI_Title=Item\n",
           "[S_Lang_EN]\nTitle=Class\nI_Title=" + longText + " 1\nJ_Title=" + longText + " 2\n");
  twoTitles = Edit(Edit(twoTitles, "[S_Lang_CN]\nTitle=Class\n", "[S_Lang_CN]\nTitle=Class\nJ_Title=J\n"),
                   "[S_Default]\n", "[S_Default]\nJ=0\n");
  for (const char *language : {"EN", "CN"})
    twoTitles = Edit(twoTitles, std::string("[S_Rule_") + language + "]\n",
                     std::string("[S_Rule_") + language + "]\nJ_RuleType=Enum\nJ_Rule=0=Off 1=On\n");
  const struct {
    const char *name;
    std::string file;
    std::vector<std::string> codes, says;
  } cases[] = {
      {"two options alike once cut",
       rules("0=Off 1=" + longText + " 1 2=" + longText + " 2 3=On",
             "0=Off 1=" + longText + " 1 2=" + longText + " 2 3=On"),
       {"duplicate-texts", "duplicate-texts"},
       {"as the page cuts them to 49 characters", "shorten each to a text of its own of 49 characters or fewer"}},
      {"two titles alike once cut", twoTitles, {"title-cut", "title-cut"}, {"as it shows the title of line 14"}},
      {"a last text cut, and a value the other language lacks", rules("0=Off 1=On 2=" + longText, "0=Off 1=On"),
       {"enum-last-text-cut", "languages-differ"},
       {"the Chinese page does not offer the values 2"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ToolRun run = RunTool({"check", File(c.file), "--format", "json"});
    std::vector<std::string> codes;
    std::string messages;
    for (const nlohmann::json &finding : Findings(run)) {
      codes.push_back(finding["code"]);
      messages += finding["message"].get<std::string>() + "\n";
    }
    EXPECT_EQ(codes, c.codes) << run.out;
    for (const std::string &says : c.says) EXPECT_NE(messages.find(says), std::string::npos) << messages;
  }
}

// Tick boxes and filters: each slip told once, with the mend that fits the file's rule and layout.
TEST_F(FindingsTest, TickBoxesAndFiltersAreToldWithTheirOwnMends) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  auto rules = [&](const std::string &rule) {
    std::string text = clean;
    for (int language = 0; language < 2; ++language) text = Edit(text, "I_Rule=0=Off 1=On", "I_Rule=" + rule);
    return text;
  };
  auto withDefault = [&](const std::string &text, const std::string &value) {
    return Edit(text, "[S_Default]\nI=1", "[S_Default]\nI=" + value);
  };
  auto multi = [&](const std::string &text) {
    return Edit(text, "Item01Instruction=1B 44\n", "Item01Instruction=1B 44\nItem01ParameterCount=3\n");
  };
  // Class T of the key S again, its one item J hidden in the filter both classes read.
  const std::string shared =
      Edit(Edit(clean, "SectionCount=1\nSection01=S", "SectionCount=2\nSection01=S\nSection02=S"),
           "[S_Lang_EN]", "[Section02]\nItemCount=1\nItem01=J\nItem01Instruction=1B 45\n[S_Filter]\nJ=0\n[S_Lang_EN]");
  const struct {
    const char *name;
    std::string file;
    size_t findings;
    std::string says;
  } cases[] = {
      {"a mask default under BaseOn30 with no count",
       withDefault(Edit(rules("0=A 1=B 2=C"), "ParameterRule=High256", "ParameterRule=BaseOn30"), "8388608"), 1,
       "give the item ParameterCount=8, a mask's digits"},
      {"a mask default under High256 with no count: one finding for both languages",
       withDefault(rules("0=A 1=B 2=C"), "12582912"), 1, "is the mask of rows 0, 1"},
      {"a multi-choice default written as an option's value", withDefault(multi(rules("0=A 1=B 2=C")), "1"), 1,
       "if it names the option of that value, row 1, write 4194304"},
      {"a class whose one item is hidden in a filter another class reads", shared, 1,
       "give this class a key of its own"},
      {"an item's default 0 meant to hide it", withDefault(rules("1=A 2=B"), "0"), 1,
       "if 0 was meant to hide the item, it belongs in the class's _Filter section"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ToolRun run = RunTool({"check", File(c.file), "--format", "json"});
    const nlohmann::json findings = Findings(run);
    EXPECT_EQ(findings.size(), c.findings) << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
  }
}

// An action shown as an item of one option sends a value byte after its command; the way to send none is told, and
// the bytes it names are the ones the job then holds.
TEST_F(FindingsTest, AnActionIsToldHowToSendNoValue) {
  std::string action = ReadSourceFile("tests/tools/findings/clean.ini");
  for (int language = 0; language < 2; ++language) action = Edit(action, "I_Rule=0=Off 1=On", "I_Rule=1=Run");
  ToolRun told = RunTool({"check", File(action)});
  const std::string says = "write Item01ParameterCount=0 in [Section01], and it sends 1B 44 without the 01 after 1B 44";
  EXPECT_NE(told.out.find(says), std::string::npos) << told.out;
  ToolRun job = RunTool({"job", File(Edit(action, "Item01Instruction=1B 44\n",
                                          "Item01Instruction=1B 44\nItem01ParameterCount=0\n")), "--all"});
  EXPECT_EQ(job.out, "1B 44\n") << job.err;
}

// What the job makes of a frame or a command text, told as it goes out: paired wrong or not at all, a frame part
// written as an item, a command too long for its field however it is written.
TEST_F(FindingsTest, TheJobIsToldAsItGoesOut) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  const std::string two = Edit(Edit(clean, "ItemCount=1\nItem01=I\nItem01Instruction=1B 44",
                                    "ItemCount=2\nItem01=I\nItem02=J\nItem01Instruction=1B 4\nItem02Instruction=1B 45"),
                               "[S_Default]\nI=1", "[S_Default]\nI=1\nJ=1");
  std::string both = two;
  for (int language = 0; language < 2; ++language)
    both = Edit(Edit(both, "I_Title=Item\n", "I_Title=Item\nJ_Title=Other\n"), "I_Rule=0=Off 1=On\n",
                "I_Rule=0=Off 1=On\nJ_RuleType=Enum\nJ_Rule=0=Off 1=On\n");
  const struct {
    const char *name;
    std::string file, says;
  } cases[] = {
      {"one text of an odd number of digits", both,
       "Set Current sends nothing for item S/I, and Set All sends nothing"},
      {"two, which pair the job's bytes wrong", Edit(both, "Item02Instruction=1B 45", "Item02Instruction=1B 455"),
       "Set All goes out with the bytes after it paired wrong"},
      {"the store command written as the last item, with no value",
       Edit(Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nEnterInstruction=1B 7B"),
            "Item01Instruction=1B 44", "Item01Instruction=1B 7D\nItem01ParameterCount=0"),
       "item S/I, the last on the page, is the command 1B 7D with ParameterCount 0: if that is the one meant, write "
       "SaveInstruction=1B 7D and delete the item"},
      {"an opening of 25 bytes",
       Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nEnterInstruction=" + std::string(50, '1')),
       "the field holds 24 bytes at most, written without blanks, and this command has 25"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ToolRun run = RunTool({"check", File(c.file)});
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
  }
}

// The name a near miss is told to mean: two slips allowed from ten characters on, and between two names as near the
// one the file lacks first, then the earlier.
TEST_F(FindingsTest, SuggestionsNameTheMeantName) {
  const std::string clean = ReadSourceFile("tests/tools/findings/clean.ini");
  // Ten classes, the page's most, the first listing 33 items: no class of their own is left for the rest.
  std::string items;
  for (int n = 1; n <= 33; ++n) {
    const std::string number = (n < 10 ? "0" : "") + std::to_string(n);
    items += "Item" + number + "=I" + number + "\nItem" + number + "Instruction=1B 01\n";
  }
  const std::string tenFull =
      Edit(Edit(Edit(ReadSourceFile("tests/tools/findings/too-many-classes.ini"), "SectionCount=11", "SectionCount=10"),
                "; expect: warning too-many-classes\nSection11=S11\n", ""),
           "[Section01]\nItemCount=1\nItem01=I\nItem01Instruction=1B 01\n", "[Section01]\nItemCount=33\n" + items);
  const struct {
    std::string text, says;
  } cases[] = {
      // Values a printer reads in two bytes, written for an item of one.
      {[&] {
         std::string text = clean;
         for (int language = 0; language < 2; ++language)
           text = Edit(text, "I_Rule=0=Off 1=On\n", "I_Rule=300=Low 600=High 1200=Best\n");
         return Edit(text, "[S_Default]\nI=1", "[S_Default]\nI=300");
       }(),
       "a single choice goes out in one byte: if the printer reads these values in two, write the codes its manual "
       "gives for them"},
      // Merges: a marker line left alone, two new items given one number on both sides, the merge base read too.
      {Edit(clean, "I=1\n", "I=1\n>>>>>>> vendor\n"),
       "line 24 is a merge conflict's marker line, left where the conflict was resolved: the plug-in reads it as a "
       "key; "
       "delete it"},
      {Edit(clean, "Item01Instruction=1B 44\n",
            "Item01Instruction=1B 44\n<<<<<<< HEAD\nItem02=J\n=======\nItem02=K\n>>>>>>> other\n"),
       "both sides add Item02 (J and K): to keep both, keep both sides, number the second after the last, raise "
       "ItemCount and delete the marker lines"},
      {Edit(clean, "I=1\n", "<<<<<<< HEAD\n||||||| base\nI=1\n=======\nI=0\n>>>>>>> other\n"),
       "the plug-in reads every side, the merge base's lines after '|||||||' too"},
      {clean + "[Settings]\nXMovEnabel=1\n", "XMovEnabel is never read: did you mean XMoveEnable?"},
      {tenFull, "with 10 classes shown, the page's most, hide an item of this class in its filter section"},
      {Edit(clean, "I_Rule=0=Off 1=On\n", "I_Rule=0=Off 1=On 2.5=Half\n"),
       "values are whole numbers, and this one sends 2"},
      // One option left in English among translated ones.
      {Edit(Edit(clean, "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=Off 1=On",
                 "[S_Rule_CN]\nI_RuleType=Enum\nI_Rule=0=关 1=开 2=Automatic"),
            "I_Rule=0=Off 1=On", "I_Rule=0=Off 1=On 2=Automatic"),
       "its option \"Automatic\" in [S_Rule_CN] is the English one, though its other options are translated"},
      // A default written as an option's row, as prnset show numbers them from 0, or as counted from 1.
      {Edit(Edit(Edit(clean, "I_Rule=0=Off 1=On", "I_Rule=0=Off 1=On 5=Auto"), "I_Rule=0=Off 1=On",
                 "I_Rule=0=Off 1=On 5=Auto"),
            "I=1", "I=2"),
       "counted from 0, as prnset show numbers the rows, 5; counted from 1, 1"},
      // A rule cut in the text of its last option kept: named as the page shows it, a last text at most 18.
      {Edit(
           clean, "I_Rule=0=Off 1=On\n",
           "I_Rule=" +
               [] {
                 std::string rule;
                 for (int i = 0; i < 40; ++i) rule += (i ? " " : "") + std::to_string(i) + "=" + std::string(24, 'x');
                 return rule;
               }() +
               "\n"),
       "up to \"" + std::string(18, 'x') + "\", cut from \"" + std::string(24, 'x') + "\""},
      {clean + "[S_Lang_XN]\nTitle=x\n", "[S_Lang_XN] is never read: did you mean [S_Lang_EN]?"},
      // A key one slip from a key the section has already: renaming it would write that key twice.
      {Edit(clean, "I_Title=Item\n", "I_Title=Item\nI_Titel=Other\n"),
       "I_Titel is never read: it is I_Title misspelt, which line 12 has already and the page reads"},
      // A misspelt filter says what it leaves on the page.
      {ReadSourceFile("tests/tools/findings/filter-key-misspelt.ini"),
       "Calibraton is never read: did you mean Calibration? Until then the page shows item Calibration, which it is "
       "meant to hide"},
      {Edit(ReadSourceFile("tests/tools/findings/filter-key-misspelt.ini"), "[S_Filter]", "[S_Filters]"),
       "[S_Filters] is never read: did you mean [S_Filter]? Until then the page shows item Calibraton"},
      {Edit(ReadSourceFile("tests/tools/findings/filter-key-misspelt.ini"), "[S_Filter]",
            "[S_Default]\nDensty=0\n[S_Filter]"),
       "[S_Default] Densty is never read: did you mean Density? Until then the page starts Density at 1, not 0, and "
       "Set All sends that"},
      {Edit(ReadSourceFile("tests/tools/findings/filter-key-misspelt.ini"), "Calibraton=0", "S=0"),
       "[S_Filter] S is never read: a class is hidden by SectionEnable=0 in its filter section, not by its key. Until "
       "then the page shows the class"},
      {Edit(ReadSourceFile("tests/tools/findings/filter-key-misspelt.ini"), "Calibraton=0", "Item02=0"),
       "Item02 is Calibration; write Calibration. Until then the page shows item Calibration"},
      // What a [Settings] name in the wrong place leaves out, and sections that all miss one name, told once.
      {clean + "[Setting]\nLandscape_Compress=1\n",
       "[Setting] is never read: did you mean [Settings]? Until then the printer settings do not offer the landscape "
       "compression list"},
      {Edit(clean, "ParameterRule=High256", "ParameterRule=High256\nXMoveEnable=1"),
       "[SectionNames] XMoveEnable is never read: the plug-in reads XMoveEnable only in [Settings]; move it there. "
       "Until then the printer settings do not offer the horizontal move"},
      {Edit(clean, "[S_Default]\nI=1", "[S_Default_EN]\nI=0\n[S_Default_CN]\nI=0"),
       "[S_Default_EN] and 1 more (line 24) are never read: did you mean [S_Default]? Until then the page starts I "
       "at 1, not 0"},
      {ReadSourceFile("tests/tools/findings/item-in-two-classes.ini"),
       "and [Section01] Item01 (line 9) lists it there already: an item belongs to one class; here the page shows it "
       "without title or options, and Set All sends it again, as 1B 53 01"},
      {ReadSourceFile("tests/tools/findings/item-in-two-classes.ini") + "[Alpha_Filter]\nColour=0\n",
       "[Alpha_Filter] Colour is never read: Colour is an item of class Beta, whose filters are in [Beta_Filter]. "
       "Until then the page shows item Colour, which it is meant to hide"},
      {Edit(clean, "[S_Lang_CN]", "[S_Lang_ZN]"),
       "[S_Lang_CN] is missing (line 13 has [S_Lang_ZN], which the plug-in does not read as [S_Lang_CN])"},
  };
  for (const auto &c : cases) {
    ToolRun run = RunTool({"check", File(c.text)});
    EXPECT_NE(run.out.find(c.says), std::string::npos) << c.says << "\n" << run.out;
  }
}

TEST(NearMissTest, OneSlipInAShortNameTwoInALongOne) {
  const struct {
    const char *written, *meant;
    bool nearMiss;
  } cases[] = {
      {"Item01Instuction", "Item01Instruction", true},
      {"ParamterRule", "ParameterRule", true},
      {"Print_Rules_EN", "Print_Rule_EN", true},
      {"Tilte", "Title", true},            // two neighbours swapped count once
      {"note", "Note", false},             // the same name: case does not count
      {"Nota", "Note", true},
      {"Nxtx", "Note", false},             // two slips in four characters
      {"Abc", "Abd", false},               // too short to guess
      {"Density_Nots", "Density_Note", true},
      {"Desnity_Ntoe", "Density_Note", true},
      {"Dxnsity_Nxtx", "Density_Note", false},
  };
  for (const auto &c : cases)
    EXPECT_EQ(prnset::IsNearMiss(Wide(c.written), Wide(c.meant)), c.nearMiss) << c.written << " / " << c.meant;
}

// Digits typed from print: the letters O, l and I read as 0 and 1 only in a text that is otherwise a number.
TEST(DigitsMeantTest, LettersForDigitsOnlyInANumber) {
  const struct {
    const char *written, *meant;  // meant: empty when the text is no number typed so
  } cases[] = {{"1O0", "100"}, {"l", "1"}, {"I0", "10"}, {"o", "0"}, {"10", ""}, {"", ""}, {"lo w", ""},
               {"Off", ""}, {"1x", ""}};
  for (const auto &c : cases)
    EXPECT_EQ(prnset::Utf8(prnset::DigitsMeant(Wide(c.written))), c.meant) << c.written;
}

}  // namespace
