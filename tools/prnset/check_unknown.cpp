// Sections and keys that the plug-in never reads: a misspelt name is silently a missing one.
#include <algorithm>

#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// The number n when `name` is exactly the name the loader builds for n ("Item%.2d" and its kin), otherwise -1.
long NumberIn(const WString &name, const char *prefix, const char *suffix) {
  WString p = Ascii(prefix), s = Ascii(suffix);
  if (name.size() <= p.size() + s.size()) return -1;
  if (!SameName(name.substr(0, p.size()), p) || !SameName(name.substr(name.size() - s.size()), s)) return -1;
  size_t end = name.size() - s.size();
  if (end - p.size() > 9) return -1;
  for (size_t i = p.size(); i < end; ++i)
    if (name[i] < '0' || name[i] > '9') return -1;
  long n = std::stol(Utf8(name.substr(p.size(), end - p.size())));
  return n >= 1 && SameName(Numbered(prefix, n, suffix), name) ? n : -1;
}

const char *const kNamesKeys[] = {"SectionCount", "InstructionTail", "EnterInstruction", "SaveInstruction",
                                  "ParameterRule"};
const char *const kSettingsKeys[] = {"Landscape_Compress", "XMoveEnable", "Count", "COMPRESS_VALUE", "XMove"};
constexpr long kCompressChoices = 49;

struct Suffixed {
  const char *suffix;
  int kind;
};

bool HasOneOf(const WString &key, const char *const *names, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (SameName(key, Ascii(names[i]))) return true;
  return false;
}

// The best suggestion for a name among candidates: the nearest near miss.
WString Nearest(const WString &name, const std::vector<WString> &candidates) {
  WString best;
  size_t bestDistance = 3;
  for (const WString &candidate : candidates) {
    if (!IsNearMiss(name, candidate)) continue;
    size_t d = NameDistance(name, candidate, 2);
    if (d < bestDistance) {
      best = candidate;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

KnownNames::KnownNames(const IniFile &ini) {
  const IniFile::Section *names = FirstSection(ini, Ascii("SectionNames"));
  if (!names) return;
  for (const IniFile::Entry &entry : names->entries) {
    WString name = ini.Text(entry.name, entry.nameLength);
    // A misnumbered Section1 still names its class: its sections are told as the numbering's fault, not as unknown.
    long n = NumberIn(name, "Section", "");
    if ((n < 0 && NameForNumber(name, "Section", "").empty()) || entry.valueLength == WString::npos) continue;
    sectionsListed_ = std::max(sectionsListed_, n);
    WString classKey = Cut(ReadWhole(ini, Ascii("SectionNames"), name), ARRAYSIZE(SettingsSection{}.Key) - 1);
    classKeys_.push_back(classKey);
    std::vector<WString> &items = itemsOfClass_[FoldedName(classKey)];
    const WString numberName = NameForNumber(name, "Section", "");  // the loader's [SectionNN] for this number
    const IniFile::Section *numbered = FirstSection(ini, numberName);
    if (!numbered) {
      // Without its item list the class's item keys are unknown: its sections' keys are not told one by one.
      openClasses_.push_back(FoldedName(classKey));
      continue;
    }
    long &listed = itemsListed_[FoldedName(numberName)];
    for (const IniFile::Entry &item : numbered->entries) {
      WString itemName = ini.Text(item.name, item.nameLength);
      long m = NumberIn(itemName, "Item", "");
      if ((m < 0 && NameForNumber(itemName, "Item", "").empty()) || item.valueLength == WString::npos) continue;
      listed = std::max(listed, m);
      items.push_back(Cut(ReadWhole(ini, numberName, itemName), ARRAYSIZE(SettingsItem{}.Key) - 1));
    }
  }
}

KnownNames::Kind KnownNames::KindOf(const WString &section, std::string *classKey) const {
  if (SameName(section, Ascii("SectionNames"))) return Kind::Names;
  if (SameName(section, Ascii("Settings"))) return Kind::Settings;
  if (NumberIn(section, "Section", "") > 0) return Kind::Numbered;
  static const struct {
    const char *suffix;
    Kind kind;
  } kSuffixes[] = {{"_Filter", Kind::Filter},   {"_Lang_EN", Kind::Language}, {"_Lang_CN", Kind::Language},
                   {"_Rule_EN", Kind::Rule},    {"_Rule_CN", Kind::Rule},     {"_Default", Kind::Default}};
  for (const auto &s : kSuffixes) {
    WString suffix = Ascii(s.suffix);
    if (section.size() < suffix.size() || !SameName(section.substr(section.size() - suffix.size()), suffix)) continue;
    WString key = section.substr(0, section.size() - suffix.size());
    auto found = itemsOfClass_.find(FoldedName(key));
    if (found == itemsOfClass_.end()) continue;
    if (classKey) *classKey = found->first;
    return s.kind;
  }
  return Kind::None;
}

bool KnownNames::IsClassSectionForm(const WString &section) {
  for (const char *suffix : {"_Filter", "_Lang_EN", "_Lang_CN", "_Rule_EN", "_Rule_CN", "_Default"}) {
    WString s = Ascii(suffix);
    if (section.size() >= s.size() && SameName(section.substr(section.size() - s.size()), s)) return true;
  }
  return false;
}

bool KnownNames::IsSection(const WString &section) const { return KindOf(section, nullptr) != Kind::None; }

bool KnownNames::IsKey(const WString &section, const WString &key) const {
  std::string classKey;
  Kind kind = KindOf(section, &classKey);
  auto isItem = [&](const char *suffix) {
    if (std::find(openClasses_.begin(), openClasses_.end(), classKey) != openClasses_.end()) return true;
    auto found = itemsOfClass_.find(classKey);
    if (found == itemsOfClass_.end()) return false;
    for (const WString &item : found->second)
      if (SameName(item + Ascii(suffix), key)) return true;
    return false;
  };
  switch (kind) {
    case Kind::None: return false;
    case Kind::Names:
      return HasOneOf(key, kNamesKeys, ARRAYSIZE(kNamesKeys)) || NumberIn(key, "Section", "") > 0;
    case Kind::Numbered:
      return SameName(key, Ascii("ItemCount")) || NumberIn(key, "Item", "") > 0 ||
             NumberIn(key, "Item", "Instruction") > 0 || NumberIn(key, "Item", "ParameterCount") > 0;
    case Kind::Filter: return SameName(key, Ascii("SectionEnable")) || isItem("");
    case Kind::Language:
      return SameName(key, Ascii("Title")) || SameName(key, Ascii("Note")) || isItem("_Title") || isItem("_Note");
    case Kind::Rule: return isItem("_RuleType") || isItem("_Rule");
    case Kind::Default: return isItem("");
    case Kind::Settings: {
      if (HasOneOf(key, kSettingsKeys, ARRAYSIZE(kSettingsKeys))) return true;
      // COMPRESS_VALUE1 to COMPRESS_VALUE49, written without leading zeros.
      WString prefix = Ascii("COMPRESS_VALUE");
      if (key.size() <= prefix.size() || !SameName(key.substr(0, prefix.size()), prefix)) return false;
      WString digits = key.substr(prefix.size());
      if (digits.size() > 2 || digits[0] == '0' || !IsPlainDecimal(digits) || digits[0] == '+' || digits[0] == '-')
        return false;
      long n = std::stol(Utf8(digits));
      return n >= 1 && n <= kCompressChoices;
    }
  }
  return false;
}

std::vector<WString> KnownNames::KeysOf(const WString &section) const {
  std::vector<WString> keys;
  std::string classKey;
  Kind kind = KindOf(section, &classKey);
  auto items = [&](const char *suffix) {
    auto found = itemsOfClass_.find(classKey);
    if (found != itemsOfClass_.end())
      for (const WString &item : found->second) keys.push_back(item + Ascii(suffix));
  };
  switch (kind) {
    case Kind::None: break;
    case Kind::Names:
      for (const char *key : kNamesKeys) keys.push_back(Ascii(key));
      for (long n = 1; n <= sectionsListed_ + 1; ++n) keys.push_back(Numbered("Section", n));
      break;
    case Kind::Numbered: {
      keys.push_back(Ascii("ItemCount"));
      auto listed = itemsListed_.find(FoldedName(section));
      long last = listed == itemsListed_.end() ? 1 : listed->second + 1;
      for (long m = 1; m <= last; ++m)
        for (const char *suffix : {"", "Instruction", "ParameterCount"}) keys.push_back(Numbered("Item", m, suffix));
      break;
    }
    case Kind::Filter:
      keys.push_back(Ascii("SectionEnable"));
      items("");
      break;
    case Kind::Language:
      keys.push_back(Ascii("Title"));
      keys.push_back(Ascii("Note"));
      items("_Title");
      items("_Note");
      break;
    case Kind::Rule:
      items("_RuleType");
      items("_Rule");
      break;
    case Kind::Default: items(""); break;
    case Kind::Settings:
      for (const char *key : kSettingsKeys) keys.push_back(Ascii(key));
      for (long n = 1; n <= kCompressChoices; ++n) keys.push_back(Ascii(("COMPRESS_VALUE" + std::to_string(n)).c_str()));
      break;
  }
  return keys;
}

std::vector<WString> KnownNames::Sections() const {
  std::vector<WString> sections = {Ascii("SectionNames"), Ascii("Settings")};
  for (long n = 1; n <= sectionsListed_; ++n) sections.push_back(Numbered("Section", n));
  for (const WString &key : classKeys_)
    for (const char *suffix : {"_Filter", "_Lang_EN", "_Lang_CN", "_Rule_EN", "_Rule_CN", "_Default"})
      sections.push_back(key + Ascii(suffix));
  return sections;
}

void CheckUnknownNames(const IniFile &ini, Findings &findings) {
  const KnownNames known(ini);
  const std::vector<WString> sections = known.Sections();
  for (const IniFile::Section &section : ini.sections()) {
    if (section.line == 0) continue;  // keys before the first header: the layout tells of them
    WString name = ini.Text(section.name, section.nameLength);
    if (FirstSection(ini, name) != &section) continue;  // a repeated section: the layout tells of it
    if (!known.IsSection(name)) {
      if (IsMisnumbered(name)) continue;  // the layout tells which name the loader looks for
      // With no class listed, the missing list is the one fault to tell, not each class's sections.
      if (!known.ListsClasses() && KnownNames::IsClassSectionForm(name)) continue;
      WString meant = Nearest(name, sections);
      findings.Warning(section.line, "unknown-section",
                       "[" + Utf8(name) + "] is never read" +
                           (meant.empty() ? ": no class of the file is named so, and it is no section the plug-in knows"
                                          : ": did you mean [" + Utf8(meant) + "]?"));
      continue;
    }
    const std::vector<WString> keys = known.KeysOf(name);
    for (const IniFile::Entry &entry : section.entries) {
      WString key = ini.Text(entry.name, entry.nameLength);
      if (IsComment(key) || entry.valueLength == WString::npos || known.IsKey(name, key) || IsMisnumbered(key))
        continue;
      WString meant = Nearest(key, keys);
      findings.Warning(entry.line, "unknown-key",
                       "[" + Utf8(name) + "] " + Utf8(key) + " is never read" +
                           (meant.empty() ? ": the plug-in reads no key of that name here"
                                          : ": did you mean " + Utf8(meant) + "?"));
    }
  }
}

}  // namespace prnset
