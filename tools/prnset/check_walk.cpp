// Walks the settings file the way the loader does and reports, for the sections and items that the page shows,
// every count, text and command that does not come out as written.
#include <algorithm>
#include <map>

#include "page/command_encoder.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

constexpr size_t kShownTitleChars = 49;  // the page shows titles through a 50-character buffer
constexpr size_t kKeyChars = ARRAYSIZE(SettingsSection{}.Key) - 1;
constexpr size_t kRuleTypeChars = 31;
constexpr size_t kRuleChars = 1023;

bool IsHexDigit(WCHAR c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

struct Language {
  const char *suffix;  // "_EN" or "_CN"
  const char *name;
  const char *system;  // "an English system"
  FindingLanguage concerns;
};
const Language kLanguages[] = {{"_EN", "English", "an English system", FindingLanguage::English},
                               {"_CN", "Chinese", "a Chinese system", FindingLanguage::Chinese}};

// A shown class or item without a title in one language.
struct MissingTitle {
  int line;
  std::string message;
};

// Filter values that say "hide" in words: read as 0, they hide as meant.
bool SaysHide(const WString &value) {
  for (const char *word : {"no", "off", "false", "hide", "hidden", "disable", "disabled"})
    if (SameName(value, Ascii(word))) return true;
  return false;
}

std::string Count(long count, const std::string &word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : word.back() == 's' ? "es" : "s");
}

class Walker {
 public:
  Walker(const CheckedFile &file, Findings &findings)
      : ini_(file.ini), catalogue_(file.catalogue), findings_(findings), known_(file.ini),
        suffix_(Ascii(file.language.load.language == 2052 ? "_CN" : "_EN")),
        languageName_(file.language.load.language == 2052 ? "Chinese" : "English") {}

  void Run();

 private:
  WString Read(const WString &section, const WString &key) const { return ReadWhole(ini_, section, key); }
  LONG ReadNumber(const WString &section, const WString &key, INT fallback) const {
    return LONG(ini_.ReadInt(section.c_str(), key.c_str(), fallback));
  }
  int Line(const WString &section, const WString &key) const { return ini_.LineOf(section.c_str(), key.c_str()); }
  bool Has(const WString &section, const WString &key) const { return !Read(section, key).empty(); }
  bool HasSection(const WString &section) const { return SectionLine(ini_, section) > 0; }

  void CheckNumber(const WString &section, const WString &key);
  void CheckWidth(const WString &section, const WString &key, size_t capacity);
  void CheckTitle(const WString &section, const WString &key, size_t capacity);
  void CheckCommandText(const WString &section, const WString &key, const WString &loaded, size_t capacity,
                        const std::string &consequence, bool tail);
  void CheckFilter(const WString &filter, const WString &key, const std::string &what);
  void NoteTitles(const WString &key, const WString &titleKey, const std::string &what, int fallbackLine);
  // A key the loader reads and does not find: one finding, on the line of the entry that was probably meant for
  // it (which then tells nothing else), or on `fallbackLine`.
  void MissingKey(const WString &section, const WString &key, int fallbackLine, Severity severity, const char *code,
                  const std::string &consequence);
  // The same for a whole section; told once however many keys the loader looks for in it.
  void MissingSection(const WString &section, int fallbackLine, const char *code, const std::string &consequence,
                      const WString &signatureKey = WString());
  bool ListedBeyondCount(const WString &section, const char *prefix, long declared, long listed,
                         const WString &countKey, const std::string &what, const WString &filter);

  void CheckSection(long n, const WString &key, int slot);
  void CheckItem(long n, long m, const WString &sectionKey, const WString &itemKey, const SettingsItem *loaded);
  void ReportTitles();

  const IniFile &ini_;
  const SettingsCatalogue &catalogue_;
  Findings &findings_;
  const KnownNames known_;
  WString suffix_;
  const char *languageName_;
  const WString names_ = Ascii("SectionNames");
  int needParameters_ = 0;
  std::string firstNeedingParameters_;
  int titlesPresent_[2] = {0, 0};
  std::vector<MissingTitle> missingTitles_[2];
  std::vector<std::string> missingSections_;  // folded names already told
};

void Walker::CheckNumber(const WString &section, const WString &key) {
  WString raw = Read(section, key);
  if (raw.empty()) return;
  LONG read = ReadNumber(section, key, 0);
  // Eleven characters hold every 32-bit number, -2147483648 included.
  bool plain = IsPlainDecimal(raw) && raw.size() <= 11 && std::stoll(Utf8(raw)) == read;
  if (!plain)
    findings_.Warning(Line(section, key), "not-a-number",
                      Place(section, key) + " = " + Quoted(raw) + " is not a plain decimal number: the plug-in reads " +
                          std::to_string(read));
}

void Walker::CheckWidth(const WString &section, const WString &key, size_t capacity) {
  WString raw = Read(section, key);
  if (raw.size() > capacity - 1)
    findings_.Warning(Line(section, key), "text-cut",
                      Place(section, key) + " has " + std::to_string(raw.size()) + " characters and is cut to " +
                          std::to_string(capacity - 1) + ": " + Quoted(raw.substr(0, capacity - 1)));
}

void Walker::CheckTitle(const WString &section, const WString &key, size_t capacity) {
  CheckWidth(section, key, capacity);
  WString held = Cut(Read(section, key), capacity - 1);
  if (held.size() > kShownTitleChars)
    findings_.Warning(Line(section, key), "title-cut",
                      Place(section, key) + " has " + std::to_string(held.size()) +
                          " characters: the page shows only the first 49, " +
                          Quoted(held.substr(0, kShownTitleChars)));
}

// Command texts become bytes only when they are blanks and whole pairs of hexadecimal digits.
void Walker::CheckCommandText(const WString &section, const WString &key, const WString &loaded, size_t capacity,
                              const std::string &consequence, bool tail) {
  CheckWidth(section, key, capacity);
  int line = Line(section, key);
  size_t digits = 0;
  for (WCHAR c : loaded) {
    if (c == ' ') continue;
    if (!IsHexDigit(c)) {
      findings_.Error(line, "bad-command-text",
                      Place(section, key) + " holds " + Quoted(WString(1, c)) +
                          ", which is neither a blank nor a hexadecimal digit: " + consequence);
      return;
    }
    ++digits;
  }
  if (tail && loaded.size() == 1) {
    findings_.Error(line, "tail-one-char",
                    Place(section, key) + " has one character, which is not a byte: it is left out of every command");
    return;
  }
  if (digits % 2)
    findings_.Error(line, "odd-hex-digits",
                    Place(section, key) + " has an odd number of hexadecimal digits (" + std::to_string(digits) +
                        "): " + consequence);
}

// A filter value is a number: a word reads as 0 and hides what it filters.
void Walker::CheckFilter(const WString &filter, const WString &key, const std::string &what) {
  WString raw = Read(filter, key);
  if (raw.empty() || IsPlainDecimal(raw)) return;
  LONG read = ReadNumber(filter, key, 1);
  std::string message = Place(filter, key) + " = " + Quoted(raw) + " is not a number: the plug-in reads " +
                        std::to_string(read) + (read == 0 ? " and hides " : " and shows ") + what;
  if (read == 0 && !SaysHide(raw))
    findings_.Error(Line(filter, key), "filter-not-number", message + "; write 1 to show it, 0 to hide it");
  else
    findings_.Warning(Line(filter, key), "filter-not-number", message + "; write 1 or 0");
}

void Walker::MissingKey(const WString &section, const WString &key, int fallbackLine, Severity severity,
                        const char *code, const std::string &consequence) {
  MeantEntry meant = MeantKey(ini_, known_, section, key);
  std::string message = Place(section, key) + " is missing";
  int line = fallbackLine;
  if (!meant.name.empty()) {
    message += " (line " + std::to_string(meant.line) + " has " + Quoted(meant.name) +
               ", which the plug-in does not read as " + Utf8(key) + ")";
    line = meant.line;
    findings_.Claim(meant.line);
  }
  message += ": " + consequence;
  if (severity == Severity::Error)
    findings_.Error(line, code, message);
  else
    findings_.Warning(line, code, message);
}

void Walker::MissingSection(const WString &section, int fallbackLine, const char *code,
                            const std::string &consequence, const WString &signatureKey) {
  const std::string folded = FoldedName(section);
  if (std::find(missingSections_.begin(), missingSections_.end(), folded) != missingSections_.end()) return;
  missingSections_.push_back(folded);
  MeantEntry meant = MeantSection(ini_, known_, section, signatureKey);
  std::string message = "[" + Utf8(section) + "] is missing";
  int line = fallbackLine;
  if (!meant.name.empty()) {
    message += " (line " + std::to_string(meant.line) + " has [" + Utf8(meant.name) +
               "], which the plug-in does not read as [" + Utf8(section) + "])";
    line = meant.line;
    findings_.Claim(meant.line);
  }
  findings_.Warning(line, code, message + ": " + consequence);
}

// The loader reads numbered entries only up to the declared count: shown entries listed after it are dropped.
bool Walker::ListedBeyondCount(const WString &section, const char *prefix, long declared, long listed,
                               const WString &countKey, const std::string &what, const WString &filterSuffix) {
  if (declared < 0 || listed <= declared) return false;
  std::vector<std::string> dropped;
  for (long n = declared + 1; n <= listed; ++n) {
    const WString name = Numbered(prefix, n);
    if (!Line(section, name)) continue;
    const WString key = Cut(Read(section, name), kKeyChars);
    // A class is shown unless its filter says SectionEnable=0; an item unless its key is 0 in its class's filter.
    bool shown = filterSuffix.empty() ? ReadNumber(key + Ascii("_Filter"), Ascii("SectionEnable"), 1) != 0
                                      : ReadNumber(filterSuffix, key, 1) != 0;
    if (shown) dropped.push_back(Utf8(name) + " (" + Utf8(key) + ")");
  }
  if (dropped.empty()) return false;
  std::string list;
  for (size_t i = 0; i < dropped.size() && i < 3; ++i) list += (i ? ", " : "") + dropped[i];
  if (dropped.size() > 3) list += " and " + std::to_string(dropped.size() - 3) + " more";
  findings_.Error(Line(section, countKey), "count-drops-entries",
                  Place(section, countKey) + " is " + std::to_string(declared) + ", but [" + Utf8(section) +
                      "] also lists " + list + ": the page never shows " +
                      (dropped.size() == 1 ? "that " + what : "those " + Count(2, what).substr(2)));
  return true;
}

// Titles are checked in both languages: a shown class or item with no title is an empty row on the page.
void Walker::NoteTitles(const WString &key, const WString &titleKey, const std::string &what, int fallbackLine) {
  for (int l = 0; l < 2; ++l) {
    WString section = key + Ascii("_Lang") + Ascii(kLanguages[l].suffix);
    if (Has(section, titleKey)) {
      ++titlesPresent_[l];
    } else {
      int line = Line(section, titleKey);
      if (!line) line = HasSection(section) ? SectionLine(ini_, section) : fallbackLine;
      missingTitles_[l].push_back({line, Place(section, titleKey) + " is missing: in " + kLanguages[l].name +
                                             " the " + what + " shows as an empty row"});
    }
  }
}

// The highest number N for which <prefix>NN is a key of the section (0 when there is none).
long LastNumberedIn(const IniFile &ini, const WString &section, const char *prefix) {
  long last = 0;
  WString p = Ascii(prefix);
  const IniFile::Section *found = FirstSection(ini, section);
  if (!found) return 0;  // only the first section of a name is read
  for (const IniFile::Entry &entry : found->entries) {
    WString name = ini.Text(entry.name, entry.nameLength);
    if (name.size() <= p.size() || name.size() > p.size() + 9 || !SameName(name.substr(0, p.size()), p)) continue;
    bool digits = true;
    for (size_t i = p.size(); i < name.size(); ++i) digits = digits && name[i] >= '0' && name[i] <= '9';
    if (digits && SameName(NameForNumber(name, prefix, ""), name)) last = std::max(last, std::stol(Utf8(name.substr(p.size()))));
  }
  return last;
}

void Walker::Run() {
  const WString countKey = Ascii("SectionCount");
  if (!HasSection(names_)) {
    MeantEntry meant = MeantSection(ini_, known_, names_);
    if (!meant.name.empty()) findings_.Claim(meant.line);
    findings_.Error(meant.line, "no-section-names",
                    "the file has no [SectionNames]" +
                        (meant.name.empty() ? std::string()
                                            : " (line " + std::to_string(meant.line) + " has [" + Utf8(meant.name) +
                                                  "], which the plug-in does not read as [SectionNames])") +
                        ": the page shows no classes");
    return;
  }
  const int countLine = Line(names_, countKey);
  bool rootCauseTold = false;  // the page shows no class for a reason already told
  if (!Has(names_, countKey)) {
    MissingKey(names_, countKey, SectionLine(ini_, names_), Severity::Error, "no-section-count",
               "the page shows no classes");
    rootCauseTold = true;
  }
  CheckNumber(names_, countKey);
  const LONG declared = ReadNumber(names_, countKey, 0);
  if (declared < 0) {
    findings_.Error(countLine, "count-negative",
                    "[SectionNames] SectionCount " + std::to_string(declared) + " is negative: no classes are loaded");
    rootCauseTold = true;
  }

  const std::string frameConsequence = "the page leaves it out of every job";
  CheckCommandText(names_, Ascii("EnterInstruction"), FieldText(catalogue_.EnterInstruction), 50,
                   frameConsequence, false);
  CheckCommandText(names_, Ascii("SaveInstruction"), FieldText(catalogue_.SaveInstruction), 50, frameConsequence,
                   false);
  CheckCommandText(names_, Ascii("InstructionTail"), FieldText(catalogue_.InstructionTail), 50,
                   "it ends every item's command, so Set Current and Set All send nothing or the wrong bytes", true);
  CheckWidth(names_, Ascii("ParameterRule"), ARRAYSIZE(catalogue_.ParameterRule));

  // Sections as the loader takes them: hidden ones use no slot, shown ones beyond the record's room are ignored.
  const long listed = LastNumberedIn(ini_, names_, "Section");
  const long walked = declared < listed ? declared : listed;
  if (!rootCauseTold && ListedBeyondCount(names_, "Section", declared, listed, countKey, "class", WString()))
    rootCauseTold = true;
  int slot = 0;
  for (long n = 1; n <= walked; ++n) {
    const WString numberName = Numbered("Section", n);
    const WString key = Cut(Read(names_, numberName), kKeyChars);
    const bool shown = ReadNumber(key + Ascii("_Filter"), Ascii("SectionEnable"), 1) != 0;
    if (slot >= kMaxSections) {
      if (shown)
        findings_.Warning(Line(names_, numberName), "too-many-classes",
                          Place(names_, numberName) + " (" + Utf8(key) + ") is ignored: the page holds at most 10 classes");
      continue;
    }
    if (key.empty()) {
      // The class has no name to find its titles, rules and defaults by: that is all there is to tell about it.
      MissingKey(names_, numberName, Line(names_, numberName) ? Line(names_, numberName) : countLine,
                 Severity::Warning, "declared-missing",
                 "SectionCount declares " + Count(declared, "class") + ", but [SectionNames] has no " +
                     Utf8(numberName) + (shown ? ": the page shows a class without title or items" : ""));
      if (shown) ++slot;
      continue;
    }
    CheckWidth(names_, numberName, kKeyChars + 1);
    CheckFilter(key + Ascii("_Filter"), Ascii("SectionEnable"), "class " + Utf8(key));
    if (!shown) continue;
    CheckSection(n, key, slot);
    ++slot;
  }
  if (declared > walked && walked >= 0) {
    const bool shown = ReadNumber(Ascii("_Filter"), Ascii("SectionEnable"), 1) != 0;
    const std::string consequence =
        "SectionCount declares " + Count(declared, "class") + ", but " + Utf8(Numbered("Section", walked + 1)) +
        (declared > walked + 1 ? " to " + Utf8(Numbered("Section", declared)) + " are" : std::string(" is")) +
        " missing from [SectionNames]" +
        (shown && slot < kMaxSections ? ": the page shows classes without title or items" : "");
    if (!MeantKey(ini_, known_, names_, Numbered("Section", walked + 1)).name.empty())
      MissingKey(names_, Numbered("Section", walked + 1), countLine, Severity::Warning, "declared-missing", consequence);
    else
      findings_.Warning(countLine, "declared-missing", consequence);
    if (shown) rootCauseTold = true;
  }
  if (slot == 0 && !rootCauseTold)
    findings_.Error(countLine, "no-shown-class",
                    declared == 0 ? "[SectionNames] SectionCount is 0: the page shows no classes"
                                  : "every declared class is hidden: the page shows no classes");

  const WString rule = FieldText(catalogue_.ParameterRule);
  const bool known = lstrcmpiW(rule.c_str(), WTEXT("High256")) == 0 || lstrcmpiW(rule.c_str(), WTEXT("BaseOn30")) == 0;
  if (!known && needParameters_ > 0) {
    const std::string consequence = std::to_string(needParameters_) +
                                    (needParameters_ == 1 ? " item needs" : " items need") +
                                    " parameter bytes (first " + firstNeedingParameters_ +
                                    "): they send nothing, and Set All sends nothing at all";
    if (Line(names_, Ascii("ParameterRule")))
      findings_.Error(Line(names_, Ascii("ParameterRule")), "unknown-parameter-rule",
                      "[SectionNames] ParameterRule " + Quoted(rule) + " is neither High256 nor BaseOn30, and " +
                          consequence);
    else
      MissingKey(names_, Ascii("ParameterRule"), SectionLine(ini_, names_), Severity::Error,
                 "unknown-parameter-rule", "it is neither High256 nor BaseOn30, and " + consequence);
  }
  ReportTitles();
}

void Walker::CheckSection(long n, const WString &key, int slot) {
  const WString numberName = Numbered("Section", n);
  const WString countKey = Ascii("ItemCount");
  const std::string label = "class " + Utf8(key);
  const int declaredLine = Line(names_, numberName);
  const bool listedItems = HasSection(numberName);
  if (!listedItems)
    MissingSection(numberName, declaredLine, "section-missing", label + " shows no items", countKey);
  else if (!Has(numberName, countKey))
    MissingKey(numberName, countKey, SectionLine(ini_, numberName), Severity::Warning, "no-item-count",
               label + " shows no items");
  const int countLine = Line(numberName, countKey);
  CheckNumber(numberName, countKey);
  const LONG declared = ReadNumber(numberName, countKey, 0);
  if (declared < 0)
    findings_.Warning(countLine, "count-negative",
                      Place(numberName, countKey) + " " + std::to_string(declared) + " is negative: " + label +
                          " shows no items");

  const WString language = key + Ascii("_Lang") + suffix_;
  CheckTitle(language, Ascii("Title"), ARRAYSIZE(SettingsSection{}.Title));
  CheckWidth(language, Ascii("Note"), ARRAYSIZE(SettingsSection{}.Note));
  NoteTitles(key, Ascii("Title"), label, declaredLine);

  const SettingsSection *section = slot < catalogue_.SectionCount ? &catalogue_.Sections[slot] : nullptr;
  const long listed = LastNumberedIn(ini_, numberName, "Item");
  const long walked = declared < listed ? declared : listed;
  const WString filter = key + Ascii("_Filter");
  ListedBeyondCount(numberName, "Item", declared, listed, countKey, "item", filter);
  std::map<std::string, WString> keys;  // item keys seen, folded, with the number name that gave them
  int itemSlot = 0;
  for (long m = 1; m <= walked; ++m) {
    const WString itemName = Numbered("Item", m);
    const WString itemKey = Cut(Read(numberName, itemName), kKeyChars);
    const bool shown = ReadNumber(filter, itemKey, 1) != 0;
    if (itemSlot >= kMaxItems) {
      if (shown)
        findings_.Warning(Line(numberName, itemName), "too-many-items",
                          Place(numberName, itemName) + " (" + Utf8(itemKey) + ") is ignored: a class holds at most 32 items");
      continue;
    }
    if (itemKey.empty()) {
      // No key, so no titles, rules or defaults to look at: one finding says it all.
      MissingKey(numberName, itemName, Line(numberName, itemName) ? Line(numberName, itemName) : countLine,
                 Severity::Warning, "declared-missing",
                 "ItemCount declares " + Count(declared, "item") + " in [" + Utf8(numberName) + "], but it has no " +
                     Utf8(itemName) + (shown ? ": the page shows an item without title or options" : ""));
      if (shown) ++itemSlot;
      continue;
    }
    CheckWidth(numberName, itemName, kKeyChars + 1);
    const std::string folded = FoldedName(itemKey);
    auto first = keys.find(folded);
    if (first != keys.end())
      findings_.Warning(Line(numberName, itemName), "same-item-key",
                        Place(numberName, itemName) + " has the same key as " + Utf8(first->second) +
                            ": the two items share their filter, titles, rule and default");
    else
      keys.emplace(folded, itemName);
    CheckFilter(filter, itemKey, "item " + Utf8(key) + "/" + Utf8(itemKey));
    if (!shown) continue;
    const SettingsItem *loaded = section && itemSlot < section->ItemCount ? &section->Items[itemSlot] : nullptr;
    CheckItem(n, m, key, itemKey, loaded);
    ++itemSlot;
  }
  if (declared > walked && walked >= 0) {
    const std::string consequence =
        "ItemCount declares " + Count(declared, "item") + " in [" + Utf8(numberName) + "], but " +
        Utf8(Numbered("Item", walked + 1)) +
        (declared > walked + 1 ? " to " + Utf8(Numbered("Item", declared)) + " are" : std::string(" is")) + " missing";
    if (!MeantKey(ini_, known_, numberName, Numbered("Item", walked + 1)).name.empty())
      MissingKey(numberName, Numbered("Item", walked + 1), countLine, Severity::Warning, "declared-missing",
                 consequence);
    else
      findings_.Warning(countLine, "declared-missing", consequence);
  }
}

void Walker::CheckItem(long n, long m, const WString &sectionKey, const WString &itemKey, const SettingsItem *loaded) {
  const WString numberName = Numbered("Section", n);
  const std::string where = "item " + Utf8(sectionKey) + "/" + Utf8(itemKey);
  const WString itemName = Numbered("Item", m);
  const WString instructionKey = Numbered("Item", m, "Instruction");
  const WString countKey = Numbered("Item", m, "ParameterCount");
  const int countLine = Line(numberName, countKey);
  const int itemLine = Line(numberName, itemName);

  CheckNumber(numberName, countKey);
  const LONG parameters = loaded ? loaded->ParameterCount : ReadNumber(numberName, countKey, 1);
  if (loaded && FieldText(loaded->Instruction).empty()) {
    // Without its own command the item's parameter bytes reach the printer with nothing to tell it what they set.
    const bool tail = FieldText(catalogue_.InstructionTail).size() >= 2;
    MissingKey(numberName, instructionKey, itemLine, Severity::Error, "no-instruction",
               parameters != 0 ? where + " sends its parameter bytes to the printer with no command in front"
                               : where + " has no command: the printer gets " +
                                     (tail ? "only the InstructionTail" : "nothing"));
  } else if (loaded) {
    CheckCommandText(numberName, instructionKey, FieldText(loaded->Instruction), ARRAYSIZE(loaded->Instruction),
                     "Set Current sends nothing for " + where + ", and Set All sends nothing or the wrong bytes",
                     false);
  }
  if (parameters < 0)
    findings_.Warning(countLine, "parameter-count-negative",
                      Place(numberName, countKey) + " " + std::to_string(parameters) + " is negative: " + where +
                          " sends nothing, and the page treats it as multi-choice");
  else if (DWORD(parameters) > kMaxCommandChars / 3)
    findings_.Warning(countLine, "parameter-count-large",
                      Place(numberName, countKey) + " " + std::to_string(parameters) +
                          " asks for more parameter bytes than a command holds: " + where + " sends nothing");
  if (parameters != 0 && needParameters_++ == 0) firstNeedingParameters_ = where;

  const WString language = sectionKey + Ascii("_Lang") + suffix_;
  CheckTitle(language, itemKey + Ascii("_Title"), ARRAYSIZE(SettingsItem{}.Title));
  CheckWidth(language, itemKey + Ascii("_Note"), ARRAYSIZE(SettingsItem{}.Note));
  NoteTitles(sectionKey, itemKey + Ascii("_Title"), where, itemLine);

  const WString rules = sectionKey + Ascii("_Rule") + suffix_;
  const WString typeKey = itemKey + Ascii("_RuleType"), ruleKey = itemKey + Ascii("_Rule");
  const WString type = Cut(Read(rules, typeKey), kRuleTypeChars);
  const int typeLine = Line(rules, typeKey), ruleLine = Line(rules, ruleKey);
  CheckWidth(rules, ruleKey, kRuleChars + 1);
  const WString rule = Cut(Read(rules, ruleKey), kRuleChars);
  const bool isEnum = lstrcmpiW(type.c_str(), WTEXT("Enum")) == 0;
  if (!HasSection(rules))
    MissingSection(rules, SectionLine(ini_, numberName), "rule-section-missing",
                   "in " + std::string(languageName_) + " the items of class " + Utf8(sectionKey) +
                       " have no options, so Set Current sends nothing for them");
  else if (type.empty())
    MissingKey(rules, typeKey, SectionLine(ini_, rules), Severity::Warning, "rule-type-missing",
               where + " has no options, so Set Current sends nothing for it");
  else if (isEnum)
    CheckEnumRule(rule, ruleLine, Place(rules, ruleKey), findings_);
  else if (lstrcmpiW(type.c_str(), WTEXT("Serial")) == 0)
    CheckSerialRule(rule, ruleLine, Place(rules, ruleKey), findings_);
  else
    findings_.Warning(typeLine, "rule-type-unknown",
                      Place(rules, typeKey) + " " + Quoted(type) + " is neither Enum nor Serial: " + where +
                          " has no options");

  const WString defaults = sectionKey + Ascii("_Default");
  CheckNumber(defaults, itemKey);
  if (loaded)
    CheckItemValues(catalogue_, *loaded, isEnum, {Line(defaults, itemKey), ruleLine ? ruleLine : typeLine, countLine},
                    where, findings_);
}

void Walker::ReportTitles() {
  for (int l = 0; l < 2; ++l) {
    if (missingTitles_[l].empty()) continue;
    if (titlesPresent_[l] == 0) {
      Finding finding{0, Severity::Warning, "titles-missing",
                      std::string("the file has no ") + kLanguages[l].suffix + " titles: on " + kLanguages[l].system +
                          " every class and item shows as an empty row",
                      kLanguages[l].concerns};
      findings_.Add(finding);
      continue;
    }
    for (const MissingTitle &missing : missingTitles_[l])
      findings_.Add({missing.line, Severity::Warning, "title-missing", missing.message, kLanguages[l].concerns});
  }
}

}  // namespace

void CheckCatalogueWalk(const CheckedFile &file, Findings &findings) { Walker(file, findings).Run(); }

}  // namespace prnset
