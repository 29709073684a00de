// prnset check: what the plug-in will silently make of a settings file that its author probably did not mean.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/ini_file.h"
#include "tools/prnset/session.h"

namespace prnset {

enum class Severity { Info, Warning, Error };

struct Finding {
  int line;  // line of the key concerned, or 0
  Severity severity;
  std::string message;
};

class Findings {
 public:
  void Info(int line, const std::string &message) { Add({line, Severity::Info, message}); }
  void Warning(int line, const std::string &message) { Add({line, Severity::Warning, message}); }
  void Error(int line, const std::string &message) { Add({line, Severity::Error, message}); }
  const std::vector<Finding> &list() const { return list_; }
  int Count(Severity severity) const;

 private:
  // Items that share a key share their rule: the same finding is told once.
  void Add(const Finding &finding);

  std::vector<Finding> list_;
};

// The settings file as read for checking: the parsed file (for lines and whole values) and the catalogue the
// plug-in loads from it in the chosen language.
struct CheckedFile {
  const IniFile &ini;
  const SettingsCatalogue &catalogue;
  const ToolLanguage &language;
};

// Every finding about the file, in the order in which the plug-in reads it.
Findings CheckSettingsFile(const CheckedFile &file);

// Parts of the check, each adding its findings.
void CheckFileLayout(const IniFile &ini, Findings &findings);      // duplicates, lines without '=', misnumbered keys
void CheckCatalogueWalk(const CheckedFile &file, Findings &findings);  // sections, items, texts, commands, rules
void CheckSettingsSection(const IniFile &ini, Findings &findings);     // the document options' switches and values

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

}  // namespace prnset
