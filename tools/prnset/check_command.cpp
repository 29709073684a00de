// prnset check FILE...: the findings of each file in both languages (or the one of --lang), as lines for people or
// as JSON for a vendor's build, with an exit code that a build can act on.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>

#include "tools/prnset/check.h"
#include "tools/prnset/prnset.h"
#include "tools/prnset/system.h"

namespace prnset {

// '/' between folders, and every byte but plain letters, digits and "-._~" percent-encoded.
std::string FileUri(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  const bool drive =
      path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '/';
  // A network path ("//host/share/...") names its host.
  const bool network = path.size() > 2 && path[0] == '/' && path[1] == '/';
  std::string uri = drive ? "file:///" : network ? "file:" : !path.empty() && path[0] == '/' ? "file://" : "";
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (std::isalnum(c) || std::strchr("-._~/", c) || (drive && i == 1)) {
      uri += char(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    }
  }
  return uri;
}

namespace {

// The language --lang en or --lang cn gives.
ToolLanguage LanguageOf(const char *option) {
  Arguments arguments;
  arguments.Set("lang", Ascii(option));
  ToolLanguage language;
  std::string error;
  ParseLanguage(arguments, language, error);
  return language;
}

// The file's sections by their first line, with the page whose texts each holds (Both: a section both pages read,
// such as [SectionNames] or [S_Default]), and whether its _CN sections hold text beyond ASCII, as a file written in
// code page 936 does: its other sections' text is then quoted as the Chinese page reads it.
struct FileSections {
  std::vector<std::pair<int, FindingLanguage>> lines;
  bool chineseText = false;
  bool ansi = false;  // the file is in a code page, not in UTF-8 or UTF-16
  std::set<int> beyondAscii;  // lines that hold characters beyond ASCII, which each reading decodes its own way
  // The reading that quotes line `line` as its author wrote it.
  bool ChineseQuotes(int line) const {
    const FindingLanguage tongue = LanguageOf(line);
    return tongue == FindingLanguage::Chinese || (tongue == FindingLanguage::Both && chineseText);
  }
  // The page that reads line `line`: a _CN or _EN section's, or both.
  FindingLanguage LanguageOf(int line) const {
    auto after = std::upper_bound(lines.begin(), lines.end(), std::make_pair(line, FindingLanguage::Both));
    return after == lines.begin() ? FindingLanguage::Both : std::prev(after)->second;
  }
};

// Reads the file in one language; `sections` gets the file's sections as this reading sees them.
Reading CheckIn(const std::vector<BYTE> &bytes, const ToolLanguage &language, bool bothLanguages,
                FileSections *sections = nullptr) {
  IniFile ini;
  ini.Parse(bytes.data(), bytes.size(), language.load.codePage);
  Reading reading{NewCatalogue(), {}, {}};
  if (!reading.catalogue) throw std::bad_alloc();
  const IniSource source(ini);
  LoadCatalogue(*reading.catalogue.get(), source, language.load.language, &reading.account);
  LoadAccount everyListed;
  UniqueCatalogue scratch = NewCatalogue();
  if (!scratch) throw std::bad_alloc();
  LoadCatalogue(*scratch.get(), source, language.load.language, &everyListed, LoadWalk::EveryListed);
  const KnownNames known(ini, everyListed);
  if (sections) sections->ansi = ini.encoding() == IniFile::Encoding::Ansi;
  for (size_t i = 0; sections && i < ini.sections().size(); ++i) {
    const IniFile::Section &section = ini.sections()[i];
    const WString name = ini.Text(section.name, section.nameLength);
    const FindingLanguage tongue = !Stem(name, kChineseSuffix).empty()   ? FindingLanguage::Chinese
                                   : !Stem(name, kEnglishSuffix).empty() ? FindingLanguage::English
                                                                         : FindingLanguage::Both;
    sections->lines.push_back({section.line, tongue});
    for (const IniFile::Entry &entry : section.entries) {
      const WString text = ini.Text(entry.name, entry.nameLength) +
                           (entry.valueLength == WString::npos ? WString() : ini.Text(entry.value, entry.valueLength));
      if (std::any_of(text.begin(), text.end(), [](WCHAR c) { return c >= 0x80; }))
        sections->beyondAscii.insert(entry.line);
      for (size_t c = 0; tongue == FindingLanguage::Chinese && entry.valueLength != WString::npos &&
                         c < entry.valueLength && !sections->chineseText;
           ++c)
        sections->chineseText = ini.Text(entry.value, entry.valueLength)[c] >= 0x80;
    }
  }
  reading.findings =
      CheckSettingsFile({ini, *reading.catalogue.get(), reading.account, everyListed, known, language,
                                              bothLanguages, bytes});
  return reading;
}

// The findings of one reading, each marked with the language it concerns.
std::vector<Finding> Concerning(const Findings &findings, const ToolLanguage &language) {
  std::vector<Finding> list = findings.list();
  const FindingLanguage concerns =
      language.load.language == kChineseLanguage ? FindingLanguage::Chinese : FindingLanguage::English;
  for (Finding &finding : list)
    if (finding.language == FindingLanguage::Both) finding.language = concerns;
  return list;
}

// The findings about the file's own lines (its layout, names the plug-in never reads, invisible characters) hold
// for both pages; each is told from the reading that quotes its line as written, so that a _CN section's text is
// quoted as Chinese and never as the English page's reading of its bytes.
std::vector<Finding> FileWide(std::vector<Finding> findings, const FileSections &sections, bool chinese) {
  static const char *const kFileCodes[] = {"duplicate-section",    "duplicate-key", "repeated-line",
                                           "before-first-section", "no-equals",     "misnumbered",
                                           "unknown-section",      "unknown-key",   "invisible-character"};
  std::vector<Finding> kept;
  for (Finding &finding : findings) {
    bool fileWide = false;
    for (const char *code : kFileCodes) fileWide = fileWide || finding.code == code;
    if (fileWide && finding.line > 0) {
      if (sections.ChineseQuotes(finding.line) != chinese) continue;
      // A character no editor shows spoils the text of the page that reads its section.
      finding.language =
          finding.code == "invisible-character" ? sections.LanguageOf(finding.line) : FindingLanguage::Both;
    }
    kept.push_back(finding);
  }
  return kept;
}

// A message with its text beyond ASCII left out, and the naming of such a character that only the reading which
// decodes it can give: what two readings say alike when only their decoding differs.
std::string AsciiOf(std::string message) {
  const size_t holds = message.find("; it holds U+"), belongs = message.find(" belongs", holds);
  if (holds != std::string::npos && belongs != std::string::npos) message.erase(holds, belongs + 8 - holds);
  // The option whose text a default names, which one reading finds in its own texts only.
  const size_t text = message.find(kOptionTextHint);
  const size_t from = text == std::string::npos ? text : message.rfind("; \"", text);
  const size_t write = from == std::string::npos ? from : message.find(": write ", text);
  if (write != std::string::npos) message.erase(from, message.find_first_of(";(", write + 8) - from);
  // A number in Chinese numerals, which only the reading that decodes them as Chinese can give.
  const size_t numerals = message.find(" in Chinese numerals: write ");
  const size_t numeral = numerals == std::string::npos ? numerals : message.rfind("; \"", numerals);
  if (numeral != std::string::npos)
    message.erase(numeral, message.find_first_of(";(", numerals + 1) - numeral);
  // (With the values to write, which a reading that names the option does not give.)
  const size_t digits = message.find(kDecimalDigitsHint);
  if (digits != std::string::npos) message.erase(digits, message.find("; ", digits + 2) - digits);
  // The text to write instead, which only the reading that decodes the line's characters can give.
  const size_t instead = message.find("; write \"");
  const size_t quote = instead == std::string::npos ? instead : message.find('"', instead + 9);
  if (quote != std::string::npos) message.erase(instead, quote + 1 - instead);
  std::string ascii;
  for (char c : message.substr(0, message.find("; U+")))
    if (static_cast<unsigned char>(c) < 0x80) ascii += c;
  return ascii;
}

// A default that is an option's text and a program's word for the same number ("Off"): the other reading's hint,
// kept for the merge, says again what the option's text says.
void OneWrite(std::string &message) {
  const size_t text = message.find(kOptionTextHint);
  if (text == std::string::npos) return;
  const size_t write = message.find(": write ", text);
  const std::string number = message.substr(write + 8, message.find_first_of(";( ", write + 8) - write - 8);
  const std::string program = " to a program: write " + number;
  const size_t said = message.find(program, write + 8);
  const size_t from = said == std::string::npos ? said : message.rfind("; \"", said);
  if (from != std::string::npos && from > write) message.erase(from, said + program.size() - from);
}

// A finding both readings make about a line, worded alike but for how each decodes the line's text, is one
// finding: the reading that quotes the line as written keeps it.
void OneQuoting(std::vector<Finding> &english, std::vector<Finding> &chinese, const FileSections &sections) {
  // A line of one language's section holds one name, which the two readings may decode apart past telling by
  // their ASCII ("Densi\u00A0ty" and "Densi爐y"): there a code on the line is the same finding.
  // A line of the sections both pages read, holding characters beyond ASCII, is one name or value decoded two
  // ways: the same code on it is the same finding, whatever each decoding made of the wording.
  const auto keyOf = [&](const Finding &finding) {
    return std::make_tuple(
        finding.line, finding.code,
        sections.LanguageOf(finding.line) == FindingLanguage::Both && !sections.beyondAscii.count(finding.line)
            ? AsciiOf(finding.message)
            : std::string());
  };
  // What the English reading tells of a Chinese section's missing key, the Chinese reading, which decodes the
  // section, may tell on the line that holds the key misspelt: that one is kept.
  const auto missingKey = [](const Finding &finding) {
    const size_t end = finding.message.find(" is missing");
    return finding.language == FindingLanguage::Chinese && end != std::string::npos
               ? finding.code + "\n" + finding.message.substr(0, end)
               : std::string();
  };
  std::set<std::string> missingInChinese;
  for (const Finding &finding : chinese)
    if (!missingKey(finding).empty()) missingInChinese.insert(missingKey(finding));
  english.erase(std::remove_if(english.begin(), english.end(),
                               [&](const Finding &finding) {
                                 return !missingKey(finding).empty() && missingInChinese.count(missingKey(finding)) &&
                                        std::none_of(chinese.begin(), chinese.end(), [&](const Finding &other) {
                                          return other.line == finding.line && other.code == finding.code;
                                        });
                               }),
                english.end());
  std::map<std::tuple<int, std::string, std::string>, size_t> inChinese;
  for (size_t i = 0; i < chinese.size(); ++i)
    if (chinese[i].line > 0) inChinese.emplace(keyOf(chinese[i]), i);
  std::vector<bool> dropChinese(chinese.size(), false);
  std::vector<Finding> keptEnglish;
  for (Finding &finding : english) {
    auto same = finding.line > 0 ? inChinese.find(keyOf(finding)) : inChinese.end();
    if (same == inChinese.end() || chinese[same->second].message == finding.message) {
      keptEnglish.push_back(finding);
      continue;
    }
    Finding &other = chinese[same->second];
    const FindingLanguage concerns = other.language == finding.language ? finding.language : FindingLanguage::Both;
    // The reading that found the option a default names keeps it; else the one that quotes the line as written.
    const auto names = [](const Finding &told) { return told.message.find(kOptionTextHint) != std::string::npos; };
    if (names(finding) != names(other) ? names(other) : sections.ChineseQuotes(finding.line)) {
      other.language = concerns;
    } else {
      finding.language = concerns;
      keptEnglish.push_back(finding);
      dropChinese[same->second] = true;
    }
    inChinese.erase(same);
  }
  std::vector<Finding> keptChinese;
  for (size_t i = 0; i < chinese.size(); ++i)
    if (!dropChinese[i]) keptChinese.push_back(chinese[i]);
  english.swap(keptEnglish);
  chinese.swap(keptChinese);
}

const char *SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : severity == Severity::Warning ? "warning" : "info";
}

const char *LanguageCode(FindingLanguage language) {
  return language == FindingLanguage::English ? "en" : language == FindingLanguage::Chinese ? "cn" : "both";
}

}  // namespace

namespace {

// One finding as JSON, as --format json prints it.
nlohmann::ordered_json JsonFinding(const std::string &file, const Finding &finding) {
  nlohmann::ordered_json entry;
  entry["file"] = file;
  entry["line"] = finding.line > 0 ? nlohmann::ordered_json(finding.line) : nlohmann::ordered_json(nullptr);
  entry["column"] = finding.column > 0 ? nlohmann::ordered_json(finding.column) : nlohmann::ordered_json(nullptr);
  entry["severity"] = SeverityName(finding.severity);
  entry["code"] = finding.code;
  entry["message"] = EscapeText(finding.message);
  entry["language"] = LanguageCode(finding.language);
  return entry;
}

// A SARIF 2.1.0 log: one run of the tool, its rules from the registry, one result per finding.
nlohmann::ordered_json SarifLog(const std::vector<std::pair<std::string, Finding>> &results) {
  nlohmann::ordered_json rules = nlohmann::ordered_json::array();
  for (const FindingKind &kind : kFindingKinds) {
    nlohmann::ordered_json rule;
    rule["id"] = kind.code;
    rule["shortDescription"]["text"] = kind.title;
    rule["defaultConfiguration"]["level"] = kind.severity == Severity::Error     ? "error"
                                            : kind.severity == Severity::Warning ? "warning"
                                                                                 : "note";
    rules.push_back(rule);
  }
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const auto &result : results) {
    const Finding &finding = result.second;
    nlohmann::ordered_json entry;
    entry["ruleId"] = finding.code;
    entry["level"] = finding.severity == Severity::Error     ? "error"
                     : finding.severity == Severity::Warning ? "warning"
                                                             : "note";
    entry["message"]["text"] = EscapeText(finding.message);
    nlohmann::ordered_json location;
    const std::string uri = FileUri(Utf8(LoggedPathOf(Widen(result.first))));
    location["physicalLocation"]["artifactLocation"]["uri"] = uri;
    // A relative path is relative to the folder the run was made in.
    if (uri.compare(0, 5, "file:") != 0) location["physicalLocation"]["artifactLocation"]["uriBaseId"] = "SRCROOT";
    if (finding.line > 0) {
      location["physicalLocation"]["region"]["startLine"] = finding.line;
      // A column names one character, which a viewer marks; without one, the line is marked.
      if (finding.column > 0) {
        location["physicalLocation"]["region"]["startColumn"] = finding.column;
        location["physicalLocation"]["region"]["endColumn"] = finding.column + 1;
      }
    }
    entry["locations"] = nlohmann::ordered_json::array({location});
    if (finding.language != FindingLanguage::Both) entry["properties"]["language"] = LanguageCode(finding.language);
    list.push_back(entry);
  }
  nlohmann::ordered_json run;
  run["tool"]["driver"]["name"] = "prnset";
  run["tool"]["driver"]["version"] = Version();
  run["tool"]["driver"]["rules"] = rules;
  // Columns count UTF-16 units of the line as decoded, and relative paths start at the folder of the run.
  run["columnKind"] = "utf16CodeUnits";
  const WString inFolder = FullPathOf(Ascii("x"));
  if (inFolder.size() > 1)
    run["originalUriBaseIds"]["SRCROOT"]["uri"] = FileUri(Utf8(inFolder.substr(0, inFolder.size() - 1)));
  run["results"] = list;
  nlohmann::ordered_json log;
  log["$schema"] = "https://json.schemastore.org/sarif-2.1.0.json";
  log["version"] = "2.1.0";
  log["runs"] = nlohmann::ordered_json::array({run});
  return log;
}

const char *Colour(Severity severity) {
  return severity == Severity::Error ? "\033[1;31m" : severity == Severity::Warning ? "\033[1;33m" : "\033[36m";
}

}  // namespace

int CheckCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const WString format = parsed.options.Has("format") ? parsed.options.Value("format") : Ascii("text");
  const bool json = format == Ascii("json"), sarif = format == Ascii("sarif");
  if (!json && !sarif && format != Ascii("text")) {
    Complain(err, "check", "--format takes text, json or sarif, not " + Utf8(format) + "; usage: " + UsageOf("check"));
    return kExitUsage;
  }
  const bool strict = parsed.options.Has("strict"), quiet = parsed.options.Has("quiet");
  const bool both = !parsed.options.Has("lang");
  // Colour only for people: standard output on a terminal that the environment lets show it.
  const bool colour = !json && !sarif && &out == &std::cout && EnvironmentAllowsColour() && StandardOutputIsTerminal();
  const ToolLanguage english = LanguageOf("en"), chinese = LanguageOf("cn");
  nlohmann::ordered_json all = nlohmann::ordered_json::array();
  std::vector<std::pair<std::string, Finding>> results;
  bool failing = false, unreadable = false;

  for (size_t f = 0; f < parsed.files.size(); ++f) {
    // A file named twice (a list and a wildcard that both hold it) is checked once: its findings count once.
    if (parsed.files[f] != Ascii("-") &&
        std::any_of(parsed.files.begin(), parsed.files.begin() + long(f), [&](const WString &earlier) {
          return earlier != Ascii("-") && SameFile(earlier, parsed.files[f]);
        }))
      continue;
    const std::string shown = EscapeText(parsed.shownFiles[f]);
    std::vector<BYTE> bytes;
    std::vector<Finding> findings;
    Findings content;
    bool readOn = false;  // the file is read as settings, beyond its raw bytes
    std::string reason = f < parsed.unreadable.size() ? parsed.unreadable[f] : std::string();
    if (reason.empty() && !ReadBytes(parsed.files[f], bytes)) reason = "it cannot be read to its end";
    if (!reason.empty()) {
      // One file that cannot be read stops nothing: the others are checked, and the run ends with 2.
      unreadable = true;
      content.Add(0, "file-unreadable", "cannot read " + shown + ": " + reason);
      findings = content.list();
    } else if (!CheckFileContent(bytes, content)) {
      findings = content.list();
    } else {
      readOn = true;
      if (both) {
        // Section names are ASCII in every reading: the English reading's sections place every line.
        FileSections sections;
        Reading englishReading = CheckIn(bytes, english, true, &sections);
        Reading chineseReading = CheckIn(bytes, chinese, true);
        Findings &inEnglish = englishReading.findings, &inChinese = chineseReading.findings;
        CheckLanguagesAgree(englishReading, chineseReading);
        // A character no editor shows in a name claims its line for the reading that quotes the line; the other
        // reading's claim would silence the finding that is told (its name of a lost default, say).
        for (auto mine : {std::make_pair(&inEnglish, false), std::make_pair(&inChinese, true)})
          for (const Finding &finding : mine.first->list())
            if (finding.code == "invisible-character" && sections.ChineseQuotes(finding.line) != mine.second)
              mine.first->Unclaim(finding.line);
        inEnglish.ClaimAlso(inChinese);
        inChinese.ClaimAlso(inEnglish);
        inEnglish.DropClaimed(kClaimableCodes);
        inChinese.DropClaimed(kClaimableCodes);
        std::vector<Finding> fromEnglish = FileWide(Concerning(inEnglish, english), sections, false),
                             fromChinese = FileWide(Concerning(inChinese, chinese), sections, true);
        OneQuoting(fromEnglish, fromChinese, sections);
        findings = MergeLanguages(fromEnglish, fromChinese);
        // The author's editor shows a file of Chinese text in code page 936 throughout: a column the English reading
        // counted, one byte a character, is counted again as the editor shows the line.
        const std::vector<std::pair<size_t, size_t>> lines =
            sections.ansi && sections.chineseText ? LineBytes(bytes) : std::vector<std::pair<size_t, size_t>>();
        for (Finding &finding : findings)
          if (finding.column > 1 && size_t(finding.line) < lines.size() && !sections.ChineseQuotes(finding.line)) {
            const size_t start = lines[size_t(finding.line)].first;
            const size_t length = std::min(size_t(finding.column - 1), lines[size_t(finding.line)].second - start);
            finding.column =
                1 + MultiByteToWideChar(kChineseCodePage, 0, reinterpret_cast<LPCSTR>(bytes.data() + start),
                                        int(length), nullptr, 0);
          }
        for (Finding &finding : findings) OneWrite(finding.message);
      } else {
        findings = Concerning(CheckIn(bytes, parsed.language, false).findings, parsed.language);
        // The titles of both languages are looked at in either reading: with one language asked for, only its own.
        const FindingLanguage asked =
            parsed.language.load.language == kChineseLanguage ? FindingLanguage::Chinese : FindingLanguage::English;
        findings.erase(std::remove_if(findings.begin(), findings.end(),
                                      [&](const Finding &finding) { return finding.language != asked; }),
                       findings.end());
        for (Finding &finding : findings) OneWrite(finding.message);
      }
    }
    // What the raw bytes told of a file that reads on (padding after its last line, a line cut by a null byte)
    // takes its place by line, and the findings are told in the order of their lines.
    if (readOn) {
      const int last = int(LineBytes(bytes).size()) - 1;
      // The half character a cut copy ends in is its own finding's, and so is a command or a rule a null byte cut
      // short.
      findings.erase(std::remove_if(findings.begin(), findings.end(),
                                    [&](const Finding &f) {
                                      return (f.line == last && f.code == "not-in-code-page" &&
                                              content.Told(0, "file-cut-short")) ||
                                             ((f.code == "command-prefix" || f.code == "languages-differ") &&
                                              content.Told(f.line, "null-byte"));
                                    }),
                     findings.end());
      findings.insert(findings.begin(), content.list().begin(), content.list().end());
      std::stable_sort(findings.begin(), findings.end(),
                       [](const Finding &a, const Finding &b) { return a.line < b.line; });
      FoldCutShort(bytes, findings);
    }

    int errors = 0, warnings = 0;
    const FindingLanguage checked = both ? FindingLanguage::Both
                                    : parsed.language.load.language == kChineseLanguage ? FindingLanguage::Chinese
                                                                                         : FindingLanguage::English;
    for (const Finding &finding : findings) {
      errors += finding.severity == Severity::Error;
      warnings += finding.severity == Severity::Warning;
      if (quiet && finding.severity == Severity::Info) continue;
      if (json) {
        all.push_back(JsonFinding(parsed.shownFiles[f], finding));
        continue;
      }
      if (sarif) {
        results.push_back({parsed.shownFiles[f], finding});
        continue;
      }
      out << shown;
      if (finding.line > 0) out << ':' << finding.line;
      if (finding.line > 0 && finding.column > 0) out << ':' << finding.column;
      out << ": " << (colour ? Colour(finding.severity) : "") << SeverityName(finding.severity)
          << (colour ? "\033[0m" : "") << ": ";
      if (finding.language != checked)
        out << (finding.language == FindingLanguage::Chinese ? "(Chinese) " : "(English) ");
      out << EscapeText(finding.message) << " [" << finding.code << "]\n";
    }
    failing = failing || errors > 0 || (strict && warnings > 0);
    if (!json && !sarif && !(quiet && errors == 0 && warnings == 0))
      out << shown << ": " << Count(errors, "error") << ", " << Count(warnings, "warning") << " ("
          << (both ? "English and Chinese" : parsed.language.name) << ")\n";
  }
  if (json) out << TerminalSafeJson(all.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)) << "\n";
  if (sarif)
    out << TerminalSafeJson(SarifLog(results).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
        << "\n";
  return unreadable ? kExitUsage : failing ? kExitFailure : kExitSuccess;
}

}  // namespace prnset
