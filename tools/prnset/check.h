// prnset check: what the plug-in will silently make of a settings file that its author probably did not mean.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/ini_file.h"
#include "tools/prnset/session.h"

namespace prnset {

enum class Severity { Info, Warning, Error };

// Which reading of the file a finding concerns: the English page's (_EN sections, code page 1252), the Chinese
// page's (_CN sections, code page 936), or both.
enum class FindingLanguage { English, Chinese, Both };

struct Finding {
  int line;  // line of the offending text, or 0 for the file as a whole
  Severity severity;
  std::string code;  // a short stable name of the kind of finding, such as "unknown-key"
  std::string message;
  FindingLanguage language = FindingLanguage::Both;
};

class Findings {
 public:
  void Info(int line, const char *code, const std::string &message) { Add({line, Severity::Info, code, message}); }
  void Warning(int line, const char *code, const std::string &message) {
    Add({line, Severity::Warning, code, message});
  }
  void Error(int line, const char *code, const std::string &message) { Add({line, Severity::Error, code, message}); }
  // Items that share a key share their rule: the same finding is told once.
  void Add(const Finding &finding);
  const std::vector<Finding> &list() const { return list_; }
  int Count(Severity severity) const;

  // A line whose fault another finding already tells as its root cause (a misspelt key reported as the key it
  // should have been): the layout's and the names' findings about that line are dropped.
  void Claim(int line) { claimed_.insert(line); }
  bool Claimed(int line) const { return claimed_.count(line) != 0; }
  // Drops the findings of the given codes on claimed lines.
  void DropClaimed(const std::vector<std::string> &codes);
  // Takes the other reading's claims too: a name misspelt for one language is no unknown name in the other.
  void ClaimAlso(const Findings &other) { claimed_.insert(other.claimed_.begin(), other.claimed_.end()); }

 private:
  std::vector<Finding> list_;
  std::set<int> claimed_;
};

// The settings file as read for checking: the parsed file (for lines and whole values) and the catalogue the
// plug-in loads from it in the chosen language.
struct CheckedFile {
  const IniFile &ini;
  const SettingsCatalogue &catalogue;
  const ToolLanguage &language;
  bool bothLanguages;  // the other language is checked too
};

// Every finding about the file in one language.
Findings CheckSettingsFile(const CheckedFile &file);
// The codes of findings about a line that another finding tells as its root cause.
extern const std::vector<std::string> kClaimableCodes;

// The raw bytes before any reading: an empty file, binary content or UTF-16 without a byte order mark. Adds one
// error and returns false when the file is not a text the plug-in can read, so that nothing else is checked.
bool CheckFileContent(const std::vector<BYTE> &bytes, Findings &findings);

// Parts of the check, each adding its findings.
void CheckFileLayout(const IniFile &ini, Findings &findings);      // duplicates, lines without '=', misnumbered keys
void CheckCatalogueWalk(const CheckedFile &file, Findings &findings);  // sections, items, texts, commands, rules
void CheckSettingsSection(const IniFile &ini, Findings &findings);     // the document options' switches and values
void CheckUnknownNames(const IniFile &ini, Findings &findings);        // sections and keys the plug-in never reads

// The rule text of one shown item, as the option rules take it apart.
void CheckEnumRule(const std::basic_string<WCHAR> &rule, int line, const std::string &where, Findings &findings);
void CheckSerialRule(const std::basic_string<WCHAR> &rule, int line, const std::string &where, Findings &findings);
// The lines of an item's keys that its values come from (0 for a key that is missing).
struct ItemLines {
  int defaultValue;
  int rule;
  int parameterCount;
};
// The loaded item's options and default against its ParameterCount and the catalogue's ParameterRule.
void CheckItemValues(const SettingsCatalogue &catalogue, const SettingsItem &item, bool enumRule,
                     const ItemLines &lines, const std::string &where, Findings &findings);

// The findings of the English and the Chinese reading as one list: a finding both readings make is told once, for
// both. Sorted by line, file-wide findings first.
std::vector<Finding> MergeLanguages(const std::vector<Finding> &english, const std::vector<Finding> &chinese);

}  // namespace prnset
