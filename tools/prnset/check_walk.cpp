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

bool IsDecimal(const WString &text) {
  size_t i = text.size() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

struct Language {
  const char *suffix;  // "_EN" or "_CN"
  const char *name;
  const char *system;  // "an English system"
};
const Language kLanguages[] = {{"_EN", "English", "an English system"}, {"_CN", "Chinese", "a Chinese system"}};

// A shown class or item without a title in one language.
struct MissingTitle {
  int line;
  std::string message;
};

class Walker {
 public:
  Walker(const CheckedFile &file, Findings &findings)
      : ini_(file.ini), catalogue_(file.catalogue), findings_(findings),
        suffix_(Ascii(file.language.load.language == 2052 ? "_CN" : "_EN")) {}

  void Run();

 private:
  WString Read(const WString &section, const WString &key) const { return ReadWhole(ini_, section, key); }
  LONG ReadNumber(const WString &section, const WString &key, INT fallback) const {
    return LONG(ini_.ReadInt(section.c_str(), key.c_str(), fallback));
  }
  int Line(const WString &section, const WString &key) const { return ini_.LineOf(section.c_str(), key.c_str()); }
  bool Has(const WString &section, const WString &key) const { return !Read(section, key).empty(); }

  void CheckNumber(const WString &section, const WString &key);
  void CheckWidth(const WString &section, const WString &key, size_t capacity);
  void CheckTitle(const WString &section, const WString &key, size_t capacity);
  void CheckCommandText(const WString &section, const WString &key, const WString &loaded, size_t capacity,
                        const std::string &consequence, bool tail);
  void NoteTitles(const WString &key, const WString &titleKey, const std::string &what);
  long LastNumbered(const WString &section, const char *prefix) const;

  void CheckSection(long n, const WString &key, int slot);
  void CheckItem(long n, long m, const WString &sectionKey, const WString &itemKey, const SettingsItem *loaded);
  void ReportTitles();

  const IniFile &ini_;
  const SettingsCatalogue &catalogue_;
  Findings &findings_;
  WString suffix_;
  const WString names_ = Ascii("SectionNames");
  int needParameters_ = 0;
  std::string firstNeedingParameters_;
  int titlesPresent_[2] = {0, 0};
  std::vector<MissingTitle> missingTitles_[2];
};

void Walker::CheckNumber(const WString &section, const WString &key) {
  WString raw = Read(section, key);
  if (raw.empty()) return;
  LONG read = ReadNumber(section, key, 0);
  bool plain = IsDecimal(raw) && raw.size() <= 11 && std::stoll(Utf8(raw)) == read;
  if (!plain)
    findings_.Warning(Line(section, key), Place(section, key) + " = " + Quoted(raw) +
                                              " is not a plain decimal number: the plug-in reads " +
                                              std::to_string(read));
}

void Walker::CheckWidth(const WString &section, const WString &key, size_t capacity) {
  WString raw = Read(section, key);
  if (raw.size() > capacity - 1)
    findings_.Warning(Line(section, key), Place(section, key) + " has " + std::to_string(raw.size()) +
                                              " characters and is cut to " + std::to_string(capacity - 1) + ": " +
                                              Quoted(raw.substr(0, capacity - 1)));
}

void Walker::CheckTitle(const WString &section, const WString &key, size_t capacity) {
  CheckWidth(section, key, capacity);
  WString held = Cut(Read(section, key), capacity - 1);
  if (held.size() > kShownTitleChars)
    findings_.Warning(Line(section, key), Place(section, key) + " has " + std::to_string(held.size()) +
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
      findings_.Error(line, Place(section, key) + " holds " + Quoted(WString(1, c)) +
                                ", which is neither a blank nor a hexadecimal digit: " + consequence);
      return;
    }
    ++digits;
  }
  if (tail && loaded.size() == 1) {
    findings_.Error(line, Place(section, key) + " has one character, which is not a byte: it is left out of "
                                                "every command");
    return;
  }
  if (digits % 2)
    findings_.Error(line, Place(section, key) + " has an odd number of hexadecimal digits (" +
                              std::to_string(digits) + "): " + consequence);
}

// Titles are checked in both languages: a shown class or item with no title is an empty row on the page.
void Walker::NoteTitles(const WString &key, const WString &titleKey, const std::string &what) {
  for (int l = 0; l < 2; ++l) {
    WString section = key + Ascii("_Lang") + Ascii(kLanguages[l].suffix);
    if (Has(section, titleKey)) {
      ++titlesPresent_[l];
    } else {
      missingTitles_[l].push_back({Line(section, titleKey), Place(section, titleKey) + " is missing: in " +
                                                                kLanguages[l].name + " the " + what +
                                                                " shows as an empty row"});
    }
  }
}

// The highest number N for which <prefix>NN is a key of the section (0 when there is none).
long LastNumberedIn(const IniFile &ini, const WString &section, const char *prefix) {
  long last = 0;
  WString p = Ascii(prefix);
  for (const IniFile::Section &candidate : ini.sections()) {
    if (!SameName(ini.Text(candidate.name, candidate.nameLength), section)) continue;
    for (const IniFile::Entry &entry : candidate.entries) {
      WString name = ini.Text(entry.name, entry.nameLength);
      if (name.size() <= p.size() || name.size() > p.size() + 9 || !SameName(name.substr(0, p.size()), p)) continue;
      bool digits = true;
      for (size_t i = p.size(); i < name.size(); ++i) digits = digits && name[i] >= '0' && name[i] <= '9';
      if (digits) last = std::max(last, std::stol(Utf8(name.substr(p.size()))));
    }
    break;  // only the first section of a name is read
  }
  return last;
}

long Walker::LastNumbered(const WString &section, const char *prefix) const {
  return LastNumberedIn(ini_, section, prefix);
}

void Walker::Run() {
  const WString countKey = Ascii("SectionCount");
  const int countLine = Line(names_, countKey);
  if (SectionLine(ini_, names_) < 0)
    findings_.Warning(0, "the file has no [SectionNames]: the page shows no classes");
  else if (!Has(names_, countKey))
    findings_.Warning(countLine, "[SectionNames] has no SectionCount: the page shows no classes");
  CheckNumber(names_, countKey);
  const LONG declared = ReadNumber(names_, countKey, 0);
  if (declared < 0)
    findings_.Warning(countLine, "[SectionNames] SectionCount " + std::to_string(declared) +
                                     " is negative: no classes are loaded");

  const std::string frameConsequence = "the page leaves it out of every job";
  CheckCommandText(names_, Ascii("EnterInstruction"), FieldText(catalogue_.EnterInstruction), 50,
                   frameConsequence, false);
  CheckCommandText(names_, Ascii("SaveInstruction"), FieldText(catalogue_.SaveInstruction), 50, frameConsequence,
                   false);
  CheckCommandText(names_, Ascii("InstructionTail"), FieldText(catalogue_.InstructionTail), 50,
                   "it ends every item's command, so Set Current and Set All send nothing or the wrong bytes", true);
  CheckWidth(names_, Ascii("ParameterRule"), ARRAYSIZE(catalogue_.ParameterRule));

  // Sections as the loader takes them: hidden ones use no slot, shown ones beyond the record's room are ignored.
  const long listed = LastNumbered(names_, "Section");
  const long walked = declared < listed ? declared : listed;
  int slot = 0;
  for (long n = 1; n <= walked; ++n) {
    const WString numberName = Numbered("Section", n);
    const WString key = Cut(Read(names_, numberName), kKeyChars);
    const bool shown = ReadNumber(key + Ascii("_Filter"), Ascii("SectionEnable"), 1) != 0;
    if (slot >= kMaxSections) {
      if (shown)
        findings_.Warning(Line(names_, numberName), Place(names_, numberName) + " (" + Utf8(key) +
                                                        ") is ignored: the page holds at most 10 classes");
      continue;
    }
    if (key.empty()) {
      findings_.Warning(Line(names_, numberName) ? Line(names_, numberName) : countLine,
                        "SectionCount declares " + std::to_string(declared) + " classes, but [SectionNames] has no " +
                            Utf8(numberName) + (shown ? ": the page shows a class without title or items" : ""));
    } else {
      CheckWidth(names_, numberName, kKeyChars + 1);
    }
    if (!shown) continue;
    CheckSection(n, key, slot);
    ++slot;
  }
  if (declared > walked && walked >= 0) {
    const bool shown = ReadNumber(Ascii("_Filter"), Ascii("SectionEnable"), 1) != 0;
    findings_.Warning(countLine, "SectionCount declares " + std::to_string(declared) + " classes, but " +
                                     Utf8(Numbered("Section", walked + 1)) +
                                     (declared > walked + 1 ? " to " + Utf8(Numbered("Section", declared)) + " are"
                                                            : std::string(" is")) +
                                     " missing from [SectionNames]" +
                                     (shown && slot < kMaxSections ? ": the page shows classes without title or items"
                                                                   : ""));
  }

  const WString rule = FieldText(catalogue_.ParameterRule);
  const bool known = lstrcmpiW(rule.c_str(), WTEXT("High256")) == 0 || lstrcmpiW(rule.c_str(), WTEXT("BaseOn30")) == 0;
  if (!known && needParameters_ > 0)
    findings_.Error(Line(names_, Ascii("ParameterRule")),
                    "[SectionNames] ParameterRule " + Quoted(rule) + " is neither High256 nor BaseOn30, and " +
                        std::to_string(needParameters_) + (needParameters_ == 1 ? " item needs" : " items need") +
                        " parameter bytes (first " + firstNeedingParameters_ +
                        "): they send nothing, and Set All sends nothing at all");
  ReportTitles();
}

void Walker::CheckSection(long n, const WString &key, int slot) {
  const WString numberName = Numbered("Section", n);
  const WString countKey = Ascii("ItemCount");
  const int countLine = Line(numberName, countKey);
  const std::string label = "class " + Utf8(key);
  if (SectionLine(ini_, numberName) < 0)
    findings_.Warning(Line(names_, numberName), "[" + Utf8(numberName) + "] is missing: " + label + " shows no items");
  else if (!Has(numberName, countKey))
    findings_.Warning(countLine, "[" + Utf8(numberName) + "] has no ItemCount: " + label + " shows no items");
  CheckNumber(numberName, countKey);
  const LONG declared = ReadNumber(numberName, countKey, 0);
  if (declared < 0)
    findings_.Warning(countLine, Place(numberName, countKey) + " " + std::to_string(declared) +
                                     " is negative: " + label + " shows no items");

  const WString language = key + Ascii("_Lang") + suffix_;
  CheckTitle(language, Ascii("Title"), ARRAYSIZE(SettingsSection{}.Title));
  CheckWidth(language, Ascii("Note"), ARRAYSIZE(SettingsSection{}.Note));
  NoteTitles(key, Ascii("Title"), "class " + Utf8(key));

  const SettingsSection *section = slot < catalogue_.SectionCount ? &catalogue_.Sections[slot] : nullptr;
  const long listed = LastNumbered(numberName, "Item");
  const long walked = declared < listed ? declared : listed;
  std::map<std::string, WString> keys;  // item keys seen, folded, with the number name that gave them
  int itemSlot = 0;
  for (long m = 1; m <= walked; ++m) {
    const WString itemName = Numbered("Item", m);
    const WString itemKey = Cut(Read(numberName, itemName), kKeyChars);
    const bool shown = ReadNumber(key + Ascii("_Filter"), itemKey, 1) != 0;
    if (itemSlot >= kMaxItems) {
      if (shown)
        findings_.Warning(Line(numberName, itemName), Place(numberName, itemName) + " (" + Utf8(itemKey) +
                                                          ") is ignored: a class holds at most 32 items");
      continue;
    }
    if (itemKey.empty()) {
      findings_.Warning(Line(numberName, itemName) ? Line(numberName, itemName) : countLine,
                        "ItemCount declares " + std::to_string(declared) + " items in [" + Utf8(numberName) +
                            "], but it has no " + Utf8(itemName) +
                            (shown ? ": the page shows an item without title or options" : ""));
    } else {
      CheckWidth(numberName, itemName, kKeyChars + 1);
      WString folded = itemKey;
      for (WCHAR &c : folded)
        if (c >= 'A' && c <= 'Z') c = WCHAR(c + ('a' - 'A'));
      auto first = keys.find(Utf8(folded));
      if (first != keys.end())
        findings_.Warning(Line(numberName, itemName),
                          Place(numberName, itemName) + " has the same key as " + Utf8(first->second) +
                              ": the two items share their filter, titles, rule and default");
      else
        keys.emplace(Utf8(folded), itemName);
    }
    if (!shown) continue;
    const SettingsItem *loaded = section && itemSlot < section->ItemCount ? &section->Items[itemSlot] : nullptr;
    CheckItem(n, m, key, itemKey, loaded);
    ++itemSlot;
  }
  if (declared > walked && walked >= 0)
    findings_.Warning(countLine, "ItemCount declares " + std::to_string(declared) + " items in [" +
                                     Utf8(numberName) + "], but " + Utf8(Numbered("Item", walked + 1)) +
                                     (declared > walked + 1 ? " to " + Utf8(Numbered("Item", declared)) + " are"
                                                            : std::string(" is")) +
                                     " missing");
}

void Walker::CheckItem(long n, long m, const WString &sectionKey, const WString &itemKey, const SettingsItem *loaded) {
  const WString numberName = Numbered("Section", n);
  const std::string where = "item " + Utf8(sectionKey) + "/" + Utf8(itemKey);
  const WString instructionKey = Numbered("Item", m, "Instruction");
  const WString countKey = Numbered("Item", m, "ParameterCount");
  const int countLine = Line(numberName, countKey);

  if (loaded)
    CheckCommandText(numberName, instructionKey, FieldText(loaded->Instruction), ARRAYSIZE(loaded->Instruction),
                     "Set Current sends nothing for " + where + ", and Set All sends nothing or the wrong bytes",
                     false);
  CheckNumber(numberName, countKey);
  const LONG parameters = loaded ? loaded->ParameterCount : ReadNumber(numberName, countKey, 1);
  if (parameters < 0)
    findings_.Warning(countLine, Place(numberName, countKey) + " " + std::to_string(parameters) +
                                     " is negative: " + where + " sends nothing, and the page treats it as multi-choice");
  else if (DWORD(parameters) > kMaxCommandChars / 3)
    findings_.Warning(countLine, Place(numberName, countKey) + " " + std::to_string(parameters) +
                                     " asks for more parameter bytes than a command holds: " + where +
                                     " sends nothing");
  if (parameters != 0 && needParameters_++ == 0) firstNeedingParameters_ = where;

  const WString language = sectionKey + Ascii("_Lang") + suffix_;
  CheckTitle(language, itemKey + Ascii("_Title"), ARRAYSIZE(SettingsItem{}.Title));
  CheckWidth(language, itemKey + Ascii("_Note"), ARRAYSIZE(SettingsItem{}.Note));
  NoteTitles(sectionKey, itemKey + Ascii("_Title"), where);

  const WString rules = sectionKey + Ascii("_Rule") + suffix_;
  const WString typeKey = itemKey + Ascii("_RuleType"), ruleKey = itemKey + Ascii("_Rule");
  const WString type = Cut(Read(rules, typeKey), kRuleTypeChars);
  const int typeLine = Line(rules, typeKey), ruleLine = Line(rules, ruleKey);
  CheckWidth(rules, ruleKey, kRuleChars + 1);
  const WString rule = Cut(Read(rules, ruleKey), kRuleChars);
  const bool isEnum = lstrcmpiW(type.c_str(), WTEXT("Enum")) == 0;
  if (type.empty())
    findings_.Warning(typeLine, Place(rules, typeKey) + " is missing: " + where +
                                    " has no options, so Set Current sends nothing for it");
  else if (isEnum)
    CheckEnumRule(rule, ruleLine, Place(rules, ruleKey), findings_);
  else if (lstrcmpiW(type.c_str(), WTEXT("Serial")) == 0)
    CheckSerialRule(rule, ruleLine, Place(rules, ruleKey), findings_);
  else
    findings_.Warning(typeLine, Place(rules, typeKey) + " " + Quoted(type) +
                                    " is neither Enum nor Serial: " + where + " has no options");

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
      findings_.Warning(0, std::string("the file has no ") + kLanguages[l].suffix + " titles: on " +
                               kLanguages[l].system + " every class and item shows as an empty row");
      continue;
    }
    for (const MissingTitle &missing : missingTitles_[l]) findings_.Warning(missing.line, missing.message);
  }
}

}  // namespace

void CheckCatalogueWalk(const CheckedFile &file, Findings &findings) { Walker(file, findings).Run(); }

}  // namespace prnset
