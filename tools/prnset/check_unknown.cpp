// Sections and keys that the plug-in never reads: a misspelt name is silently a missing one.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/vocabulary.h"

#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// The best suggestion for a name among candidates: the nearest near miss; between two as near, a name the file
// does not have yet (the one the author most likely meant to write), then the earlier one.
// A name's words as one lower-case run, abbreviations written out: how two spellings of one name compare.
std::string Spelling(const WString &name) {
  std::string out;
  for (WCHAR c : name)
    if (c != '_' && c != ' ' && c != '-') out += c < 0x80 ? char(std::tolower(c)) : '?';
  for (const auto &word : {std::make_pair("paramcount", "parametercount"), std::make_pair("cnt", "count"),
                           std::make_pair("instr", "instruction"), std::make_pair("param", "parameter")}) {
    const size_t at = out.find(word.first);
    if (at != std::string::npos && out.compare(at, std::strlen(word.second), word.second) != 0)
      out.replace(at, std::strlen(word.first), word.second);
  }
  return out;
}

// An item renamed and its filter or default line not ("Calibration" left for "Calibrate", "Size" for "PaperSize"):
// the one name the section lacks that starts as `name` does, over four letters and half the shorter of the two at
// least, or that ends in the whole of the other.
WString RenamedFrom(const WString &name, const std::vector<WString> &candidates,
                    const std::function<bool(const WString &)> &present) {
  WString best;
  size_t longest = 0;
  bool tie = false;
  for (const WString &candidate : candidates) {
    size_t same = 0;
    while (same < name.size() && same < candidate.size() && SameName(name.substr(same, 1), candidate.substr(same, 1)))
      ++same;
    const size_t shorter = std::min(name.size(), candidate.size());
    const WString &longer = name.size() > candidate.size() ? name : candidate;
    if (shorter >= 4 && SameName(longer.substr(longer.size() - shorter), shorter == name.size() ? name : candidate))
      same = shorter;
    if (same < 4 || same * 2 < shorter || same < longest || present(candidate)) continue;
    tie = same == longest;
    longest = same;
    best = candidate;
  }
  return tie ? WString() : best;
}

WString Nearest(const WString &name, const std::vector<WString> &candidates,
                const std::function<bool(const WString &)> &present) {
  WString best;
  size_t bestDistance = 3;
  bool bestPresent = true;
  for (const WString &candidate : candidates) {
    if (!IsNearMiss(name, candidate)) continue;
    size_t d = NameDistance(name, candidate, 2);
    bool here = present(candidate);
    if (d < bestDistance || (d == bestDistance && bestPresent && !here)) {
      best = candidate;
      bestDistance = d;
      bestPresent = here;
    }
  }
  // No near miss: a name the file lacks with something added to it ("Density_Default" for "Density").
  for (const WString &candidate : candidates)
    if (best.empty() && name.size() > candidate.size() + 1 && name[candidate.size()] == '_' &&
        SameName(name.substr(0, candidate.size()), candidate) && !present(candidate))
      best = candidate;
  // Nor that: the same words spelt otherwise, another program's name for them ("Item01_ParamCount",
  // "Landscape_Compression"), or the last word alone ("Enable" for SectionEnable).
  const std::string written = Spelling(name);
  for (const WString &candidate : candidates) {
    const std::string meant = Spelling(candidate);
    if (!best.empty() || present(candidate) || written.size() < 5) continue;
    const bool longer = written.size() > meant.size() && written.size() <= meant.size() + 3 &&
                        written.compare(0, meant.size(), meant) == 0;
    const bool last = meant.size() > written.size() &&
                      meant.compare(meant.size() - written.size(), std::string::npos, written) == 0;
    if (written == meant || longer || last) best = candidate;
  }
  return best;
}

// The key forms of the vocabulary read from sections of `form`.
const std::vector<const KeyName *> &KeysIn(SectionForm form) {
  static const std::map<SectionForm, std::vector<const KeyName *>> forms = [] {
    std::map<SectionForm, std::vector<const KeyName *>> all;
    for (const KeyName &key : kFileKeys) all[key.section].push_back(&key);
    return all;
  }();
  static const std::vector<const KeyName *> none;
  auto found = forms.find(form);
  return found == forms.end() ? none : found->second;
}

// "%s_Title" -> "_Title": what follows the item's key in an item-keyed name.
// The suffix of an item-keyed name ("_Title" of "%s_Title"), made once per name: it is asked for every key.
const WString &ItemSuffix(const KeyName &key) {
  static const std::vector<WString> suffixes = [] {
    std::vector<WString> all;
    for (const KeyName &name : kFileKeys) all.push_back(WString(name.key).substr(2));
    return all;
  }();
  return suffixes[size_t(&key - kFileKeys)];
}

// The names a section of this kind takes, as an author writes them: "Title, Note, ITEM_Title, ITEM_Note".
std::string KeysHint(KnownNames::Kind kind) {
  if (kind == KnownNames::Kind::None || kind == KnownNames::Kind::Settings) return std::string();
  std::vector<std::string> names;
  bool items = false;
  for (const KeyName *form : KeysIn(SectionForm(int(kind) - 1))) {
    const std::string name = form->shape == KeyShape::Fixed      ? Utf8(form->key)
                             : form->shape == KeyShape::Numbered ? Utf8(Numbered(form->key, 1))
                                                                 : "ITEM" + Utf8(ItemSuffix(*form));
    items = items || form->shape == KeyShape::ItemKeyed;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  std::string list;
  for (const std::string &name : names) list += (list.empty() ? "" : ", ") + name;
  return "; this section takes " + list + (items ? " (ITEM an item's key)" : "");
}

const std::vector<WString> &SettingsKeys() {
  static const std::vector<WString> all = [] {
  std::vector<WString> keys = {kCompressSwitchKey.key, kMoveSwitchKey.key, kCompressCountKey, kCompressValueKey,
                               kMoveKey};
  for (long n = 1; n <= kMaxCompressChoices; ++n) {
    WCHAR name[kPathChars];
    wsprintfW(name, kCompressChoiceForm, int(n));
    keys.push_back(name);
  }
  return keys;
  }();
  return all;
}

// The numbers a misspelt numbered name may have meant, given the ascending numbers the file lists: each of them,
// the next after the last, and every number up to one past their count, which holds the first gap in the list.
std::vector<long> SuggestedNumbers(const std::vector<long> &listed) {
  std::vector<long> numbers = listed;
  for (long n = 1; n <= long(listed.size()) + 1; ++n) numbers.push_back(n);
  if (!listed.empty()) numbers.push_back(listed.back() + 1);
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

}  // namespace

KnownNames::KnownNames(const IniFile &ini, const LoadAccount &everyListed) {
  std::map<LONG, std::string> classOf;  // class number -> its folded key
  for (const LoadAccount::Reading &read : everyListed.reads) {
    if (read.field == FileField::SectionCount) declaredSections_ = read.value;
    if (!read.line) continue;  // an entry the file does not list names nothing
    if (read.field == FileField::SectionKey) {
      const std::string folded = classOf[read.sectionNumber] = FoldedName(read.text);
      sectionNumbers_.push_back(read.sectionNumber);
      classKeys_.push_back(read.text);
      itemsOfClass_[folded];
      itemKeys_[folded];
      // Without its item list the class's item keys are unknown: its sections' keys are not told one by one.
      if (!FirstSection(ini, Numbered(kNumberedSection, read.sectionNumber))) openClasses_.push_back(folded);
    } else if (read.field == FileField::ItemKey) {
      const std::string &folded = classOf[read.sectionNumber];
      itemNumbers_[FoldedName(read.section)].push_back(read.itemNumber);
      if (itemKeys_[folded].insert(FoldedName(read.text)).second) itemsOfClass_[folded].push_back(read.text);
    }
  }
}

KnownNames::Kind KnownNames::KindOf(const WString &section, std::string *classKey) const {
  if (SameName(section, kNamesSection)) return Kind::Names;
  if (SameName(section, kSettingsSection)) return Kind::Settings;
  // A class's item list is read when [SectionNames] lists its number or SectionCount declares it; another is never
  // read.
  const long number = NumberIn(section, kNumberedSection);
  if (number > 0)
    return std::find(sectionNumbers_.begin(), sectionNumbers_.end(), number) != sectionNumbers_.end() ||
                   number <= declaredSections_ || !ListsClasses()
               ? Kind::Numbered
               : Kind::None;
  for (const auto &s : ClassSectionSuffixes()) {
    const WString key = Stem(section, s.first);
    if (key.empty()) continue;
    auto found = itemsOfClass_.find(FoldedName(key));
    if (found == itemsOfClass_.end()) continue;
    if (classKey) *classKey = found->first;
    return Kind(int(s.second) + 1);
  }
  return Kind::None;
}

bool KnownNames::IsClassSectionForm(const WString &section) { return !ClassPrefix(section).empty(); }

bool KnownNames::IsSection(const WString &section) const { return KindOf(section, nullptr) != Kind::None; }

bool KnownNames::IsKey(const WString &section, const WString &key) const {
  std::string classKey;
  Kind kind = KindOf(section, &classKey);
  return IsKeyOf(kind, classKey, key);
}

bool KnownNames::IsKeyOf(Kind kind, const std::string &classKey, const WString &key) const {
  if (kind == Kind::None) return false;
  if (kind == Kind::Settings) {
    for (const WString &name : SettingsKeys())
      if (SameName(name, key)) return true;
    return false;
  }
  const bool open = std::find(openClasses_.begin(), openClasses_.end(), classKey) != openClasses_.end();
  auto items = itemsOfClass_.find(classKey);
  for (const KeyName *form : KeysIn(SectionForm(int(kind) - 1))) {
    switch (form->shape) {
      case KeyShape::Fixed:
        if (SameName(key, form->key)) return true;
        break;
      case KeyShape::Numbered:
        if (NumberIn(key, form->key) > 0) return true;
        break;
      case KeyShape::ItemKeyed: {
        if (open) return true;
        const WString item = Stem(key, ItemSuffix(*form));
        if (items != itemsOfClass_.end() && !item.empty() && itemKeys_.at(classKey).count(FoldedName(item)))
          return true;
        break;
      }
    }
  }
  return false;
}

std::vector<WString> KnownNames::KeysOf(const WString &section) const {
  std::vector<WString> keys;
  std::string classKey;
  Kind kind = KindOf(section, &classKey);
  if (kind == Kind::None) return keys;
  if (kind == Kind::Settings) return SettingsKeys();
  static const std::vector<long> none;
  auto listed = itemNumbers_.find(FoldedName(section));
  const std::vector<long> &numbers =
      kind == Kind::Names ? sectionNumbers_ : listed == itemNumbers_.end() ? none : listed->second;
  auto items = itemsOfClass_.find(classKey);
  for (const KeyName *form : KeysIn(SectionForm(int(kind) - 1))) {
    switch (form->shape) {
      case KeyShape::Fixed: keys.push_back(form->key); break;
      case KeyShape::Numbered:
        for (long n : SuggestedNumbers(numbers)) keys.push_back(Numbered(form->key, n));
        break;
      case KeyShape::ItemKeyed:
        if (items != itemsOfClass_.end())
          for (const WString &item : items->second) keys.push_back(item + ItemSuffix(*form));
        break;
    }
  }
  return keys;
}

std::vector<WString> KnownNames::Sections() const {
  std::vector<WString> sections = {kNamesSection, kSettingsSection};
  for (long n : sectionNumbers_) sections.push_back(Numbered(kNumberedSection, n));
  for (const WString &key : classKeys_)
    for (const auto &s : ClassSectionSuffixes()) sections.push_back(key + s.first);
  return sections;
}

// A listed class key that names none of the file's sections while the file has sections of a key one slip away:
// the key is the mistake, not every section. Told once, on the key's line; the sections it meant tell nothing more.
namespace {
// The header of the section on `line`, its class key `from` written as `to`: "[Media_Lang_EN]".
std::string FirstRenamed(const IniFile &ini, int line, const WString &from, const WString &to) {
  for (const IniFile::Section &section : ini.sections())
    if (section.line == line)
      return "[" + Utf8(to + ini.Text(section.name, section.nameLength).substr(from.size())) + "]";
  return std::string();
}
}  // namespace

std::vector<WString> CheckMisspeltClassKeys(const CheckedFile &file, Findings &findings) {
  const IniFile &ini = file.ini;
  std::vector<WString> misspelt;
  for (const LoadAccount::Entry &entry : file.account.sections) {
    const LoadAccount::Reading *read = file.account.Find(FileField::SectionKey, entry.sectionNumber);
    if (!read || (read->text.empty() && !read->line)) continue;  // an empty key is the slip of a key wiped out
    const WString key = read->text;
    bool any = false;
    for (const auto &suffix : ClassSectionSuffixes()) any = any || SectionLine(ini, key + suffix.first) > 0;
    if (any) continue;
    std::map<std::string, std::pair<WString, std::vector<int>>> meant;  // folded key -> key, lines of its sections
    // The class sections of the file whose class key passes `fits`, gathered by that key.
    auto gather = [&](const std::function<bool(const WString &prefix, const WString &name)> &fits) {
      for (const IniFile::Section &section : ini.sections()) {
        const WString name = ini.Text(section.name, section.nameLength);
        const WString prefix = ClassPrefix(name);
        if (prefix.empty() || !fits(prefix, name)) continue;
        auto &found = meant[FoldedName(prefix)];
        found.first = prefix;
        found.second.push_back(section.line);
      }
    };
    gather([&](const WString &prefix, const WString &) { return IsNearMiss(prefix, key); });
    // No near miss: the one class whose sections the file has but lists under no key ("Quality" listed as
    // "Print Quality").
    if (meant.empty()) gather([&](const WString &, const WString &name) { return !file.known.IsSection(name); });
    if (meant.size() != 1) continue;
    const auto &found = meant.begin()->second;
    for (int line : found.second) findings.Claim(line);
    findings.Add(read->line, "class-key-misspelt",
                 Place(read->section, read->key) + " = " + Quoted(key) + " names no section of the file, but " +
                     std::to_string(found.second.size()) + " sections are named after " + Quoted(found.first) +
                     " (first at line " + std::to_string(found.second.front()) + ")" +
                     // A blank typed into the new name of a rename: the list's value cannot keep it.
                     (NumberIn(found.first, kNumberedSection) > 0
                          ? std::string(SameName(found.first, read->key) ? ", the class's number" : ", a number") +
                                ": a class's sections are named after its key: rename them, as " +
                                FirstRenamed(ini, found.second.front(), found.first, key) +
                                ". Until then the class and its items show as empty rows without options"
                      : SameName(Trimmed(found.first), key) && !SameName(found.first, key)
                          ? ", with a blank that no value keeps: the reader drops blanks at a value's ends. Until "
                            "then the class and its items show as empty rows without options; take the blank out of "
                            "those sections' names, as " +
                                FirstRenamed(ini, found.second.front(), found.first, key)
                          : ": did you mean " + Utf8(found.first) + "?" + InvisibleHint(key) +
                                " Until then the class and its items show as empty rows without options; write " +
                                Utf8(read->key) + "=" + Utf8(found.first)));
    misspelt.push_back(key);
  }
  return misspelt;
}


namespace {

// Names the plug-in never reads that belong together: the sections of one class key the file does not list, or the
// keys of one item key a class does not list. A group of one is told as its name; a larger one once, on its first
// line, since one missing listing is the cause.
struct Unread {
  std::string message;  // for a group of one
  std::string why;      // for a larger group: why none of it is read
  std::vector<std::pair<int, WString>> names;  // line, name
};

// The item key a key of a class's own section names ("Resolution" for Resolution_Title), or empty.
WString ItemPart(KnownNames::Kind kind, const WString &key) {
  for (const KeyName *form : KeysIn(SectionForm(int(kind) - 1))) {
    if (form->shape != KeyShape::ItemKeyed) continue;
    const WString item = Stem(key, ItemSuffix(*form));
    if (!item.empty()) return item;
  }
  return WString();
}

// The item a key of a class's section names: the key itself ("Density" in a filter or default), or the item part of
// a title, note or rule key ("Density_Title"). Empty for the class's own keys (Title, SectionEnable).
WString ItemOfKey(const WString &key) {
  for (const WString &suffix : ItemKeySuffixes())
    if (key.size() > suffix.size() && SameName(key.substr(key.size() - suffix.size()), suffix))
      return key.substr(0, key.size() - suffix.size());
  for (FileField own : {FileField::SectionEnable, FileField::SectionTitle, FileField::SectionNote})
    if (SameName(key, KeyOf(own).key)) return WString();
  return key;
}

void TellGroups(const std::vector<std::pair<std::string, Unread>> &groups, Findings &findings, const char *code) {
  for (const auto &group : groups) {
    const Unread &unread = group.second;
    if (unread.names.size() == 1) {
      findings.Add(unread.names.front().first, code, unread.message);
      continue;
    }
    std::string lines;
    for (size_t i = 1; i < unread.names.size() && i <= 4; ++i) lines += (i > 1 ? ", " : "") + std::to_string(unread.names[i].first);
    if (unread.names.size() > 5) lines += ", ...";
    findings.Add(unread.names.front().first, code,
                 Utf8(unread.names.front().second) + " and " + std::to_string(unread.names.size() - 1) +
                     (unread.names.size() == 2 ? " more (line " : " more (lines ") + lines +
                     ") are never read: " + unread.why);
  }
}

// Whether a class's list names the item under a key the loader does not read ("Item0l=Source"): that line is told
// where it stands, and the item's own keys are right as they are.
bool ListedUnread(const IniFile &ini, const KnownNames &known, const WString &list, const WString &item) {
  const IniFile::Section *section = FirstSection(ini, list);
  if (!section || item.empty()) return false;
  for (const IniFile::Entry &entry : section->entries)
    if (entry.valueLength != WString::npos && SameName(Trimmed(ini.Text(entry.value, entry.valueLength)), item) &&
        !known.IsKey(list, ini.Text(entry.name, entry.nameLength)))
      return true;
  return false;
}

// Adds a name to its group, keeping the groups in the order of their first names.
Unread &GroupOf(std::vector<std::pair<std::string, Unread>> &groups, std::map<std::string, size_t> &index,
                const std::string &key) {
  auto found = index.find(key);
  if (found != index.end()) return groups[found->second].second;
  index[key] = groups.size();
  groups.push_back({key, Unread()});
  return groups.back().second;
}


// Where a key that its section does not take is read: a fixed key of another section ("InstructionTail" only in
// [SectionNames]), or an item's list name where the class's sections take the item's key (`listed` is the read
// of that list name, if the class lists it). Empty when neither. Where the section that reads it has the key
// already, moving this one there would overwrite it: it is the one setting for the whole file.
std::string ReadElsewhere(const IniFile &ini, const WString &key, KnownNames::Kind kind, const WString &classKey,
                          const LoadAccount::Reading *listed, KnownNames::Kind &owner) {
  owner = kind;
  if (listed && listed->field == FileField::ItemKey && kind >= KnownNames::Kind::Filter)
    return ": these sections take an item by its key, not its number in the list: " + Utf8(key) + " is " +
           Utf8(listed->text) + "; write " + Utf8(listed->text);
  for (const WString &name : SettingsKeys())
    if (kind != KnownNames::Kind::Settings && SameName(key, name)) {
      owner = KnownNames::Kind::Settings;
      return ": the plug-in reads " + Utf8(name) + " only in [" + Utf8(kSettingsSection) + "]" +
             (ini.LineOf(kSettingsSection, name.c_str()) ? ", which has its own" : "; move it there");
    }
  for (const KeyName &form : kFileKeys) {
    if (form.shape != KeyShape::Fixed || !SameName(key, form.key) || int(form.section) + 1 == int(kind)) continue;
    owner = KnownNames::Kind(int(form.section) + 1);
    const WString owner = classKey.empty() ? Ascii("S") : classKey;
    std::string where;
    bool written = true;  // every section that reads it has it already
    for (LPCWSTR suffix : {kEnglishSuffix, kChineseSuffix}) {
      WCHAR section[kPathChars];
      SectionName(form.section, owner.c_str(), 0, suffix, section);
      const std::string named = form.section == SectionForm::Numbered ? "its class's [SectionNN]" : "[" + Utf8(section) + "]";
      if (where.find(named) == std::string::npos) where += (where.empty() ? "" : " and ") + named;
      written = written && ini.LineOf(section, form.key);
    }
    return ": the plug-in reads " + Utf8(form.key) + " only in " + where +
           (!written                               ? "; move it there"
            : form.section == SectionForm::Names ? ", once for the whole file, and that has its own"
                                                 : ", which has its own");
  }
  return std::string();
}

// What a misspelt filter or default name leaves undone. A filter hides nothing: what its 0s meant to hide (the
// class for SectionEnable, else the items of those keys) is on the page and in Set All. A default sets nothing: its
// items start at the value a missing default reads. `meant` names the one key's item when the name is a key. Empty
// when nothing differs.
std::string Undone(KnownNames::Kind kind, const IniFile &ini, const WString &section, const std::vector<WString> &keys,
                   const WString &meant = WString()) {
  const KeyName &filter = KeyOf(FileField::ItemEnable), &preset = KeyOf(FileField::Default);
  std::string names;
  for (const WString &key : keys) {
    const WString name = meant.empty() ? key : meant;
    const std::string item = Utf8(name);
    if (kind == KnownNames::Kind::Filter && ini.ReadInt(section.c_str(), key.c_str(), filter.defaultValue) == 0)
      names += (names.empty() ? "" : ", ") +
               (SameName(name, KeyOf(FileField::SectionEnable).key) ? std::string("the class") : "item " + item);
    const LONG value = LONG(ini.ReadInt(section.c_str(), key.c_str(), preset.defaultValue));
    if (kind == KnownNames::Kind::Defaults && value != preset.defaultValue)
      names += (names.empty() ? "" : ", ") + item + " at " + std::to_string(preset.defaultValue) + ", not " +
               std::to_string(value);
  }
  if (kind == KnownNames::Kind::Settings)
    for (const WString &key : keys)
      for (const auto &item : {std::make_pair(kCompressSwitchKey, "the landscape compression list"),
                               std::make_pair(kMoveSwitchKey, "the horizontal move")})
        if (SameName(key, item.first.key) && ini.ReadInt(section.c_str(), key.c_str(), item.first.defaultValue) != 0)
          names += (names.empty() ? "" : " and ") + std::string(item.second);
  // Without its tail every command ends at its value.
  if (kind == KnownNames::Kind::Names && SameName(meant, KeyOf(FileField::InstructionTail).key))
    return " Until then no command ends with the tail";
  if (names.empty()) return names;
  if (kind == KnownNames::Kind::Settings) return " Until then the printer settings do not offer " + names;
  return kind == KnownNames::Kind::Filter
             ? " Until then the page shows " + names + ", which it is meant to hide, and Set All sends it"
             : " Until then the page starts " + names + ", and Set All sends that";
}

}  // namespace

void CheckUnknownNames(const CheckedFile &file, Findings &findings) {
  std::vector<std::pair<size_t, size_t>> lineBytes;  // made when a finding needs a line's end
  const IniFile &ini = file.ini;
  const KnownNames &known = file.known;
  const std::vector<WString> sections = known.Sections();
  // The first section of each name, found once: a file of many sections is read in one pass.
  std::unordered_set<std::string> seen;
  for (const IniFile::Section &section : ini.sections())
    if (section.line != 0) seen.insert(FoldedName(ini.Text(section.name, section.nameLength)));
  auto present = [&](const WString &name) { return seen.count(FoldedName(name)) != 0; };
  std::unordered_set<std::string> told;
  Overflow moreSections("sections are never read");
  std::vector<std::pair<std::string, Unread>> classGroups, itemGroups;  // by folded class key, and class + item
  std::map<std::string, size_t> classIndex, itemIndex;
  std::map<std::string, WString> listOf;   // folded class key -> the [SectionNN] that lists its items
  std::map<std::string, WString> classOf;  // folded [SectionNN] -> the key of the class it lists items of
  std::map<LONG, WString> classNumbered;   // class number -> its key
  std::map<std::string, WString> itemClass;  // folded item key -> the key of the first class that lists it
  for (const LoadAccount::Reading &read : file.everyListed.reads)
    if (read.field == FileField::SectionKey && read.line) {
      listOf.emplace(FoldedName(read.text), Numbered(kNumberedSection, read.sectionNumber));
      classOf.emplace(FoldedName(Numbered(kNumberedSection, read.sectionNumber)), read.text);
      classNumbered.emplace(read.sectionNumber, read.text);
    } else if (read.field == FileField::ItemKey && read.line) {
      itemClass.emplace(FoldedName(read.text), classNumbered[read.sectionNumber]);
    }
  // Item lines cut from a class's [SectionNN] and pasted under another header ("Item04=SizeSensing" at the end of
  // the file): they go to the [SectionNN] that declares that many items and lacks the number, the one whose class's
  // texts hold the item's title where several do.
  std::map<std::pair<std::string, long>, WString> displaced;  // (folded section written in, number) -> [SectionNN]
  std::unordered_set<std::string> displacedItems;             // folded keys of the items those lines list
  const KeyName &itemLine = KeyOf(FileField::ItemKey), &itemCount = KeyOf(FileField::ItemCount);
  for (const IniFile::Section &section : ini.sections()) {
    const WString name = ini.Text(section.name, section.nameLength);
    // In a [SectionNN], only the lines past its own count are another list's.
    const bool isList = !NameForNumber(name, kNumberedSection).empty();
    if (section.line == 0) continue;
    for (const IniFile::Entry &entry : section.entries) {
      const WString key = ini.Text(entry.name, entry.nameLength);
      const long number = entry.valueLength == WString::npos ? -1 : NumberIn(key, itemLine.key);
      if (number <= 0 || (isList && number <= LONG(ini.ReadInt(name.c_str(), itemCount.key, itemCount.defaultValue))))
        continue;
      const WString item = Trimmed(ini.Text(entry.value, entry.valueLength));
      std::vector<WString> lists;
      WString meant;
      for (const auto &list : listOf) {
        const WString &numbered = list.second;
        if (SameName(numbered, name) || ini.LineOf(numbered.c_str(), key.c_str()) ||
            LONG(ini.ReadInt(numbered.c_str(), itemCount.key, itemCount.defaultValue)) < number)
          continue;
        lists.push_back(numbered);
        WCHAR texts[kPathChars];
        SectionName(SectionForm::Language, classOf[FoldedName(numbered)].c_str(), 0, kEnglishSuffix, texts);
        if (ini.LineOf(texts, (item + ItemSuffix(KeyOf(FileField::ItemTitle))).c_str())) meant = numbered;
      }
      if (meant.empty() && lists.size() == 1) meant = lists.front();
      if (meant.empty()) continue;
      displaced[{FoldedName(name), number}] = meant;
      displacedItems.insert(FoldedName(item));
    }
  }
  // Items listed on a line that repeats an item line's key ("Item02" copied for a new item, not renumbered): their
  // lines are read once the repeat is renamed, which the repeat's finding says.
  for (const IniFile::Section &section : ini.sections()) {
    if (NameForNumber(ini.Text(section.name, section.nameLength), kNumberedSection).empty()) continue;
    std::unordered_set<std::string> numbers;
    for (const IniFile::Entry &entry : section.entries) {
      const WString key = ini.Text(entry.name, entry.nameLength);
      if (entry.valueLength != WString::npos && NumberIn(key, itemLine.key) > 0 &&
          !numbers.insert(FoldedName(key)).second)
        displacedItems.insert(FoldedName(Trimmed(ini.Text(entry.value, entry.valueLength))));
    }
  }
  // The sections the plug-in reads that the file lacks: a run of their keys under another header lost its own.
  std::vector<WString> lacking;
  for (const WString &name : sections)
    if (!present(name)) lacking.push_back(name);
  for (const IniFile::Section &section : ini.sections()) {
    if (section.line == 0) continue;  // keys before the first header: the layout tells of them
    WString name = ini.Text(section.name, section.nameLength);
    if (!told.insert(FoldedName(name)).second) {
      // A repeated section: the layout tells of it. A class's defaults or filters header pasted over another class's
      // items: the header meant is that class's.
      std::string classKey;
      const KnownNames::Kind kind = known.KindOf(name, &classKey);
      if (kind == KnownNames::Kind::None || kind == KnownNames::Kind::Names || kind == KnownNames::Kind::Numbered ||
          kind == KnownNames::Kind::Settings)
        continue;
      std::set<std::string> owners;
      WString owner;
      std::string starts;  // the items this header's defaults would start otherwise
      const LONG preset = KeyOf(FileField::Default).defaultValue;
      for (const IniFile::Entry &entry : section.entries) {
        const WString key = ini.Text(entry.name, entry.nameLength);
        const WString item = ItemOfKey(key);
        if (IsComment(key) || item.empty()) continue;
        const WString value =
            entry.valueLength == WString::npos ? WString() : Trimmed(ini.Text(entry.value, entry.valueLength));
        if (kind == KnownNames::Kind::Defaults && IsPlainDecimal(value) &&
            value != Ascii(std::to_string(preset).c_str()))
          starts += (starts.empty() ? "" : ", ") + Utf8(key) + " at " + std::to_string(preset) + ", not " + Utf8(value);
        auto found = itemClass.find(FoldedName(item));
        owners.insert(found == itemClass.end() ? std::string() : FoldedName(found->second));
        if (found != itemClass.end()) owner = found->second;
      }
      const WString meant = owner + name.substr(ClassPrefix(name).size());
      if (owners.size() != 1 || owner.empty() || SameName(owner, ClassPrefix(name)) || present(meant)) continue;
      findings.Drop({section.line}, {"duplicate-section"});
      findings.DropHolding("default-section-missing", "[" + Utf8(meant) + "] is missing");
      findings.Add(section.line, "duplicate-section",
                   "[" + Utf8(name) + "] appears again (first at line " + std::to_string(SectionLine(ini, name)) +
                       "): its keys are items of class " + Utf8(owner) + ", which has no [" + Utf8(meant) +
                       "]: rename this header [" + Utf8(meant) + "]" +
                       (starts.empty() ? std::string() : "; until then the page starts " + starts));
      continue;
    }
    if (!known.IsSection(name)) {
      if (IsMisnumbered(name)) continue;  // the layout tells which name the loader looks for
      // With no class listed, the missing list is the one fault to tell, not each class's sections.
      if (!known.ListsClasses() && KnownNames::IsClassSectionForm(name)) continue;
      if (moreSections.Full(section.line)) continue;
      if (NumberIn(name, kNumberedSection) > 0) {
        findings.Add(section.line, "unknown-section",
                     "[" + Utf8(name) + "] is never read: [SectionNames] lists no " + Utf8(name) +
                         "; list its class there, or delete the section");
        continue;
      }
      // Texts for a language the plug-in has no section for ([Paper_Lang_TW]): every other system reads _EN.
      const auto read = [&](const WString &candidate) {  // a section the plug-in reads
        return std::any_of(sections.begin(), sections.end(), [&](const WString &s) { return SameName(s, candidate); });
      };
      const auto upper = [](WString text) {
        for (WCHAR &c : text) c = c >= 'a' && c <= 'z' ? WCHAR(c - 'a' + 'A') : c;
        return text;
      };
      const size_t mark = name.rfind(WCHAR('_'));
      const WString language = mark == WString::npos ? WString() : name.substr(mark);
      const bool letters = language.size() >= 3 && language.size() <= 4 &&
                           std::all_of(language.begin() + 1, language.end(),
                                       [](WCHAR c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
      // Told so only where both sections it could stand for are there and it is no slip of either ([S_Lang_XN]).
      const WString stem = name.substr(0, mark == WString::npos ? 0 : mark);
      bool bothThere = letters;
      for (LPCWSTR suffix : {kEnglishSuffix, kChineseSuffix})
        bothThere = bothThere && present(stem + suffix) && read(stem + suffix) &&
                    NameDistance(upper(language), upper(suffix), 1) > 1;
      if (bothThere) {
        findings.Add(section.line, "unknown-section",
                     "[" + Utf8(name) + "] is never read: the plug-in reads texts in " + Utf8(kEnglishSuffix) +
                         " and " + Utf8(kChineseSuffix) + " sections only, and every system whose language is not "
                         "Chinese (PRC) shows the " + Utf8(kEnglishSuffix) + " texts; delete the section, or keep it "
                         "for another program's use knowing the page never shows it");
        continue;
      }
      WString meant = Nearest(name, sections, present);
      std::string because;  // why the section meant is that one, when no slip of the name tells it
      bool renamedLeftover = false;  // a section left under a class's old key beside the one of its new key
      WString renamedTo;             // the listed class whose items its keys are, when it lacks this section
      const WString classKey = ClassPrefix(name);
      // A remark after the header that holds a ']' ("[P_Default] ; see [2]"): the name runs to the last one.
      const size_t close = name.find(WCHAR(']'));
      const WString head = close == WString::npos ? WString() : Trimmed(name.substr(0, close));
      if (!head.empty() && read(head) && !present(head)) {
        meant = head;
        because = name.find_first_not_of(WCHAR(']'), close) == WString::npos
                      ? " A header's name runs to the last ']' of its line, so a ']' typed twice is part of the "
                        "name; delete one."
                      : " A header's name runs to the last ']' of its line, so the remark after it is part of the "
                        "name; put the remark on a line of its own.";
      }
      // Named after the class's number ("[Section03_Filter]") where its key was meant.
      auto listed = classOf.find(FoldedName(classKey));
      if (!classKey.empty() && listed != classOf.end()) {
        const WString byKey = listed->second + name.substr(classKey.size());
        if (read(byKey)) {
          meant = byKey;
          because = " " + Utf8(classKey) + " lists class " + Utf8(listed->second) +
                    ", and a class's sections are named after its key" +
                    (present(byKey) ? "; the file has [" + Utf8(byKey) + "]: move these lines into it" : "") + ".";
        }
      }
      // Left under a class's old key when the class was renamed, or merged into another: its keys are the items
      // of a class listed now. That beats a near spelling of a section the file already has.
      if (because.empty() && !classKey.empty() && listOf.find(FoldedName(classKey)) == listOf.end()) {
        std::set<std::string> owners;
        WString owner;
        for (const IniFile::Entry &entry : section.entries) {
          const WString item = ItemOfKey(ini.Text(entry.name, entry.nameLength));
          if (IsComment(item) || item.empty()) continue;
          auto found = itemClass.find(FoldedName(item));
          owners.insert(found == itemClass.end() ? std::string() : FoldedName(found->second));
          if (found != itemClass.end()) owner = found->second;
        }
        const WString byKey = owner + name.substr(classKey.size());
        if (owners.size() == 1 && !owner.empty() && read(byKey) && !present(byKey)) renamedTo = owner;
        if (owners.size() == 1 && !owner.empty() && read(byKey) && (meant.empty() || present(meant))) {
          meant = byKey;
          because = " Its keys are items of class " + Utf8(owner) +
                    (present(byKey) ? ", whose [" + Utf8(byKey) +
                                          "] the file has: is this one left from a rename? "
                                          "Delete it, or move into [" +
                                          Utf8(byKey) + "] what that one lacks"
                                    : ": was the class renamed, or merged from others, and this section not?");
          renamedLeftover = present(byKey);
        }
      }
      // Defaults or filters for one language ([Panel_Default_CN]): the plug-in reads one section for both pages.
      bool oneLanguage = false;
      for (LPCWSTR suffix : {kEnglishSuffix, kChineseSuffix}) {
        const WString shared = Stem(name, suffix);
        const KnownNames::Kind sharedKind = shared.empty() ? KnownNames::Kind::None : known.KindOf(shared, nullptr);
        if ((sharedKind != KnownNames::Kind::Defaults && sharedKind != KnownNames::Kind::Filter) || !present(shared))
          continue;
        oneLanguage = true;
        findings.Add(section.line, "unknown-section",
                     "[" + Utf8(name) +
                         "] is never read: " + (sharedKind == KnownNames::Kind::Defaults ? "defaults" : "filters") +
                         " have no language, and both pages read [" + Utf8(shared) +
                         "], so the two start alike: delete this section, or move its lines into [" + Utf8(shared) +
                         "] for both");
      }
      if (oneLanguage) continue;
      // A class renamed, its title kept: the class whose title is the old key, and which lacks this section.
      if ((meant.empty() || present(meant)) && !classKey.empty() && listOf.find(FoldedName(classKey)) == listOf.end()) {
        WString titled;
        int count = 0;
        for (const auto &listed : classOf) {
          const WString byKey = listed.second + name.substr(classKey.size());
          WCHAR texts[kPathChars];
          SectionName(SectionForm::Language, listed.second.c_str(), 0, kEnglishSuffix, texts);
          if (!present(byKey) && read(byKey) &&
              SameName(ReadWhole(ini, texts, KeyOf(FileField::SectionTitle).key), classKey))
            titled = byKey, ++count;
        }
        if (count == 1) {
          meant = titled;
          because = " Class " + Utf8(ClassPrefix(titled)) + " has the title " + Quoted(classKey) +
                    ": was the class renamed, and this section not?";
        }
      }
      // The class's line in [SectionNames] misspelt or made a remark, which a finding of its own tells: its
      // sections are right, and what they lack is that line.
      bool listedAmiss = false;
      if (const IniFile::Section *names = classKey.empty() ? nullptr : FirstSection(ini, kNamesSection))
        for (const IniFile::Entry &entry : names->entries)
          listedAmiss = listedAmiss || (findings.Claimed(entry.line) && entry.valueLength != WString::npos &&
                                        SameName(Trimmed(ini.Text(entry.value, entry.valueLength)), classKey));
      if (listedAmiss) continue;
      // Keys that are classes, not items, in a filter of no class ([Filter] with Service=0): each class has its
      // own filter section, where SectionEnable hides it.
      std::vector<std::string> classes, hidden;
      size_t written = 0;
      for (const IniFile::Entry &entry : section.entries) {
        const WString key = ini.Text(entry.name, entry.nameLength);
        if (IsComment(key)) continue;
        ++written;
        for (const auto &listed : classOf)
          if (SameName(listed.second, key)) {
            classes.push_back(Utf8(listed.second));
            if (ini.ReadInt(name.c_str(), key.c_str(), 1) == 0) {
              hidden.push_back("class " + Utf8(listed.second));
              // That the class of actions is shown is this slip.
              findings.DropHolding("class-of-actions", hidden.back() + " is shown");
            }
            break;
          }
      }
      const bool classFilters = !meant.empty() && known.KindOf(meant, nullptr) == KnownNames::Kind::Filter &&
                                !classes.empty() && classes.size() == written;
      if (classFilters) {
        WCHAR own[kPathChars];
        SectionName(SectionForm::Filter, Widen(classes[0]).c_str(), 0, nullptr, own);
        findings.Add(section.line, "unknown-section",
                     "[" + Utf8(name) + "] is never read: " + FirstNames(classes) +
                         (classes.size() == 1 ? " is a class" : " are classes") +
                         ", and a class's filter is a section of its own, named after it: write " +
                         Utf8(KeyOf(FileField::SectionEnable).key) + "=0 in [" + Utf8(own) + "] to hide it" +
                         (classes.size() == 1 ? std::string() : ", and so for the others") +
                         (hidden.empty() ? std::string()
                                         : ". Until then the page shows " + FirstNames(hidden) +
                                               ", which it is meant to hide, and Set All sends it"));
        continue;
      }
      std::string message =
          "[" + Utf8(name) + "] is never read" +
          (meant.empty() ? ": no class of the file is named so, and it is no section the plug-in knows"
                         : ": did you mean [" + Utf8(meant) + "]?" + because);
      std::string undone;
      if (!meant.empty() && !renamedLeftover) {
        std::vector<WString> keys;
        for (const IniFile::Entry &entry : section.entries) keys.push_back(ini.Text(entry.name, entry.nameLength));
        undone = Undone(known.KindOf(meant, nullptr), ini, name, keys);
        message += undone;
      }
      // One group: the sections of a class key the file does not list, or sections that all miss one name
      // ([P_Default_EN] and [P_Default_CN] for [P_Default]).
      Unread &group = GroupOf(classGroups, classIndex,
                              !classKey.empty() ? FoldedName(classKey)
                              : !meant.empty()  ? "=" + FoldedName(meant)
                                                : "[" + FoldedName(name));
      if (group.names.empty()) {
        group.message = message;
        group.why = !classKey.empty() && !renamedTo.empty()
                        ? "[SectionNames] lists no class " + Utf8(classKey) + ", but their keys are items of class " +
                              Utf8(renamedTo) + ": was the class renamed, and these sections not? Rename each " +
                              "after " + Utf8(renamedTo) + ", as [" + Utf8(meant) + "]"
                    : !classKey.empty()
                        ? "[SectionNames] lists no class " + Utf8(classKey) + ": list it, or delete its sections"
                        : "did you mean [" + Utf8(meant) + "]?" + undone;
      }
      group.names.push_back({section.line, Ascii("[") + name + Ascii("]")});
      continue;
    }
    // The section's names and its keys, made once the first unknown key needs a suggestion.
    std::vector<WString> keys;
    std::unordered_map<std::string, bool> here;  // folded name -> the section has it
    Overflow moreKeys("keys of [" + Utf8(name) + "] are never read");
    std::string classKey;
    const KnownNames::Kind kind = known.KindOf(name, &classKey);
    const std::string keysHint = KeysHint(kind);  // once for the section: a generated file has a million keys
    // The lacking section that takes most of this section's unknown keys, two at least, and which keys those are.
    WString lost;
    std::unordered_set<std::string> lostKeys;
    if (!lacking.empty() && lacking.size() <= 200) {
      std::vector<WString> unknown;
      bool zeroOne = true;  // every value a filter's 0 or 1: else the keys are no filters
      for (const IniFile::Entry &entry : section.entries) {
        const WString key = ini.Text(entry.name, entry.nameLength);
        if (!IsComment(key) && entry.valueLength != WString::npos && !known.IsKeyOf(kind, classKey, key) &&
            unknown.size() < size_t(Overflow::kToldOneByOne)) {
          unknown.push_back(key);
          const WString value = Trimmed(ini.Text(entry.value, entry.valueLength));
          zeroOne = zeroOne && (value == Ascii("0") || value == Ascii("1"));
        }
      }
      // A header glued to the end of a value of this section, where a line end was lost, names the section meant.
      const auto gluedHere = [&](const WString &candidate) {
        const WString header = Ascii("[") + candidate + Ascii("]");
        return std::any_of(section.entries.begin(), section.entries.end(), [&](const IniFile::Entry &entry) {
          const WString value =
              entry.valueLength == WString::npos ? WString() : ini.Text(entry.value, entry.valueLength);
          return value.size() > header.size() && SameName(value.substr(value.size() - header.size()), header);
        });
      };
      size_t most = 1;
      bool lostGlued = false;
      for (const WString &candidate : lacking) {
        size_t taken = 0;
        for (const WString &key : unknown) taken += known.IsKey(candidate, key);
        // Item keys fit a class's filters and its defaults alike: a tie goes to the section of the kind they stand in
        // (defaults left in another class's [_Default] are that class's defaults, and a 0 in a filter would hide).
        const bool ofKind = !lost.empty() && known.KindOf(candidate, nullptr) == kind &&
                            known.KindOf(lost, nullptr) != kind;
        const bool glued = taken >= most && gluedHere(candidate);
        // Values other than 0 and 1 are an item's defaults, not its filters.
        const auto isKind = [&](const WString &section, KnownNames::Kind of) {
          return !section.empty() && known.KindOf(section, nullptr) == of;
        };
        const bool defaults =
            !zeroOne && isKind(candidate, KnownNames::Kind::Defaults) && isKind(lost, KnownNames::Kind::Filter);
        const bool filters =
            !zeroOne && isKind(candidate, KnownNames::Kind::Filter) && isKind(lost, KnownNames::Kind::Defaults);
        if (taken > most || (taken == most && !filters && (glued || defaults || (ofKind && !lostGlued)))) {
          most = taken;
          lost = candidate;
          lostGlued = glued;
        }
      }
      // Values other than 0 and 1 are no filters' (the class's defaults, written under the wrong header).
      if (!zeroOne && !lost.empty() && known.KindOf(lost, nullptr) == KnownNames::Kind::Filter) lost.clear();
      for (const WString &key : unknown)
        if (!lost.empty() && known.IsKey(lost, key)) lostKeys.insert(FoldedName(key));
    }
    for (const IniFile::Entry &entry : section.entries) {
      WString key = ini.Text(entry.name, entry.nameLength);
      // A line of a lone '=' (a spreadsheet's empty row) names nothing and says nothing.
      const bool emptyRow = key.empty() && entry.valueLength == 0;
      if (IsComment(key) || entry.valueLength == WString::npos || known.IsKeyOf(kind, classKey, key) ||
          IsMisnumbered(key) || emptyRow)
        continue;
      if (moreKeys.Full(entry.line)) continue;
      if (IsQuotedName(key) && known.IsKeyOf(kind, classKey, key.substr(1, key.size() - 2))) {
        // A program's quotation marks around every name: told once for the file.
        Unread &group = GroupOf(itemGroups, itemIndex, "\"");
        if (group.names.empty()) {
          group.message = "[" + Utf8(name) + "] " + Utf8(key) + " is never read: " + kQuotedNameHint;
          group.why = kQuotedNameHint;
        }
        group.names.push_back({entry.line, Ascii("[") + name + Ascii("] ") + key});
        continue;
      }
      // An item's lines pasted under this header: one group, for the [SectionNN] they were cut from.
      const auto home = std::find_if(displaced.begin(), displaced.end(), [&](const auto &line) {
        if (line.first.first != FoldedName(name)) return false;
        for (FileField field : {FileField::ItemKey, FileField::Instruction, FileField::ParameterCount})
          if (NumberIn(key, KeyOf(field).key) == line.first.second) return true;
        return false;
      });
      if (home != displaced.end()) {
        const std::string there = "[" + Utf8(home->second) + "], which declares " +
                                  std::to_string(ini.ReadInt(home->second.c_str(), itemCount.key, 0)) +
                                  " items and lacks " + Utf8(Numbered(itemLine.key, home->first.second));
        Unread &group = GroupOf(itemGroups, itemIndex, ">" + FoldedName(home->second));
        if (group.names.empty()) {
          group.message =
              "[" + Utf8(name) + "] " + Utf8(key) + " is never read: it is a line of " + there + ": move it there";
          group.why = "they are lines of " + there + ": move them there";
        }
        group.names.push_back({entry.line, Ascii("[") + name + Ascii("] ") + key});
        continue;
      }
      // The lines of an item whose item line stands in another list: read once it is back in its own.
      if (!displacedItems.empty() && displacedItems.count(FoldedName(ItemPart(kind, key)))) continue;
      if (keys.empty()) keys = known.KeysOf(name);
      // Whether the section has a name the suggestion would be: asked of the few names suggested, not of every key
      // (a generated file has a million).
      const auto presentHere = [&](const WString &candidate) {
        auto found = here.emplace(FoldedName(candidate), false);
        if (found.second) found.first->second = ini.LineOf(name.c_str(), candidate.c_str()) != 0;
        return found.first->second;
      };
      WString meant = Nearest(key, keys, presentHere);
      // (A key the section has already is read: renaming this line to it would only write it twice.)
      WString taken;
      if (!meant.empty() && presentHere(meant)) taken.swap(meant);
      if (meant.empty() && (kind == KnownNames::Kind::Filter || kind == KnownNames::Kind::Defaults) &&
          !itemClass.count(FoldedName(key))) {
        meant = RenamedFrom(key, keys, presentHere);
        // An item named by its title ("Switch off=4" for AutoOff): the item whose title it is, in either language.
        for (const WString &item : keys)
          for (LPCWSTR suffix : {kEnglishSuffix, kChineseSuffix}) {
            WCHAR texts[kPathChars], title[kPathChars];
            SectionName(SectionForm::Language, ClassPrefix(name).c_str(), 0, suffix, texts);
            KeyNameOf(FileField::ItemTitle, 0, item.c_str(), title);
            if (meant.empty() && !presentHere(item) && SameName(Trimmed(ReadWhole(ini, texts, title)), Trimmed(key)))
              meant = item;
          }
      }
      // The walk tells the renamed item's default as missing: it is this line.
      if (!meant.empty() && kind == KnownNames::Kind::Defaults) {
        findings.DropHolding("default-missing", " gives no default for " + Utf8(meant) + ", though");
      }
      // An item's own key among its titles or rules: a default (or a filter) written in the wrong section.
      const bool bare = (kind == KnownNames::Kind::Language || kind == KnownNames::Kind::Rules) &&
                        known.IsKeyOf(KnownNames::Kind::Defaults, classKey, key);
      const WString classWritten = kind == KnownNames::Kind::Numbered ? classOf[FoldedName(name)] : ClassPrefix(name);
      const LoadAccount::Reading *listedAs = file.everyListed.ReadOf(listOf[classKey], key);
      KnownNames::Kind owner;
      std::string elsewhere = ReadElsewhere(ini, key, kind, classWritten, listedAs, owner);
      WString standsFor = listedAs && listedAs->field == FileField::ItemKey ? listedAs->text : WString();
      auto otherClass = itemClass.find(FoldedName(key));
      if ((kind == KnownNames::Kind::Filter || kind == KnownNames::Kind::Defaults) && elsewhere.empty() &&
          otherClass != itemClass.end() && !SameName(otherClass->second, classWritten)) {
        // An item of another class: its filter or default goes in that class's section.
        WCHAR right[kPathChars];
        SectionName(SectionForm(int(kind) - 1), otherClass->second.c_str(), 0, kEnglishSuffix, right);
        elsewhere = ": " + Utf8(key) + " is an item of class " + Utf8(otherClass->second) + ", whose " +
                    (kind == KnownNames::Kind::Filter ? "filters" : "defaults") + " are in [" + Utf8(right) + "]";
        standsFor = key;
      }
      // A key of the whole file given to one item ("Item03InstructionTail"): the file has one, in [SectionNames].
      for (FileField field : {FileField::InstructionTail, FileField::EnterInstruction, FileField::SaveInstruction,
                              FileField::ParameterRule}) {
        const WString whole = KeyOf(field).key;
        if (elsewhere.empty() && key.size() > whole.size() && SameName(key.substr(key.size() - whole.size()), whole) &&
            !SameName(name, kNamesSection))
          elsewhere = ": " + Utf8(whole) + " is one for the whole file, read in [" + Utf8(kNamesSection) +
                      "], and no item has its own";
      }
      if (kind == KnownNames::Kind::Filter && SameName(key, classWritten)) {
        // The class's own key among its filters: meant to hide the class.
        standsFor = KeyOf(FileField::SectionEnable).key;
        elsewhere = ": a class is hidden by SectionEnable=0 in its filter section, not by its key";
      }
      const std::string undone = elsewhere.empty() ? std::string() : Undone(owner, ini, name, {key}, standsFor);
      if (!undone.empty()) elsewhere += "." + undone;
      // A tab where '=' belongs, as a spreadsheet's columns give it back: the key takes in the value's start.
      const size_t tab = key.find(WCHAR('\t'));
      if (!meant.empty() && tab != WString::npos && SameName(Trimmed(key.substr(0, tab)), meant)) {
        const WString value = entry.valueLength == WString::npos ? WString() : ini.Text(entry.value, entry.valueLength);
        findings.Add(entry.line, "unknown-key",
                     "[" + Utf8(name) + "] " + Utf8(key) + " is never read: a tab stands where '=' belongs after " +
                         Utf8(meant) + "; write " +
                         Quoted(meant + Ascii("=") + Trimmed(key.substr(tab + 1)) + Ascii("=") + value));
        continue;
      }
      // A value as a key, on the line after a rule (an Enum rule's last pairs, wrapped by an editor): the rule ends
      // with its line.
      // (or the rest of a text with the next value: "hours 8=After 8 hours" under "... 4=After 4").
      const size_t lastWord = key.rfind(WCHAR(' '));
      const bool textThenValue = lastWord != WString::npos && IsPlainDecimal(key.substr(lastWord + 1));
      if (kind == KnownNames::Kind::Rules && meant.empty() && elsewhere.empty() &&
          (IsPlainDecimal(key) || textThenValue)) {
        const size_t index = size_t(&entry - section.entries.data());
        const IniFile::Entry *before = index > 0 ? &section.entries[index - 1] : nullptr;
        if (before && (before->line != entry.line - 1 || before->valueLength == WString::npos)) before = nullptr;
        const WString ruleKey = before ? ini.Text(before->name, before->nameLength) : WString();
        const WString &rule = ItemSuffix(KeyOf(FileField::Rule));  // "_Rule"
        if (ruleKey.size() > rule.size() && SameName(ruleKey.substr(ruleKey.size() - rule.size()), rule) &&
            known.IsKeyOf(kind, classKey, ruleKey)) {
          const WString value = ini.Text(entry.value, entry.valueLength);
          // A carriage return alone (a line end converted halfway) is a line end to the reader that many editors
          // show as none: the two lines then look joined already.
          if (lineBytes.empty()) lineBytes = LineBytes(file.bytes);
          const size_t end = size_t(before->line) < lineBytes.size() ? lineBytes[size_t(before->line)].second : 0;
          const bool loneReturn = end + 1 < file.bytes.size() && file.bytes[end] == '\r' && file.bytes[end + 1] != '\n';
          findings.Add(
              entry.line, "unknown-key",
              "[" + Utf8(name) + "] " + Quoted(key + Ascii("=") + value) + " is never read: it looks like the end of " +
                  Utf8(ruleKey) + " on line " + std::to_string(before->line) +
                  (loneReturn ? ", cut from it by a carriage return alone (CR), which the plug-in takes for "
                                "a line end and many editors do not show; delete it"
                              : ", wrapped by an editor, and the rule ends with its line; join the two lines"));
          continue;
        }
      }
      // A value other than a filter's 0 or 1: the item's default, written under the class's texts or rules.
      const WString bareValue = Trimmed(ini.Text(entry.value, entry.valueLength));
      const bool bareDefault = bare && bareValue != Ascii("0") && bareValue != Ascii("1");
      if (bareDefault) {
        findings.DropHolding("default-no-option", Utf8(classWritten) + "/" + Utf8(key) + ": with no default given");
        findings.DropHolding("default-missing", " gives no default for " + Utf8(key) + ", though");
      }
      const std::string message =
          "[" + Utf8(name) + "] " + Utf8(key) + " is never read" +
          (bareDefault ? ": an item's default goes in [" + Utf8(ClassPrefix(name)) +
                             "_Default]: move this line there." + Undone(KnownNames::Kind::Defaults, ini, name, {key})
           : bare ? ": an item's default goes in [" + Utf8(ClassPrefix(name)) + "_Default], what hides it in [" +
                        Utf8(ClassPrefix(name)) + "_Filter]"
           : !elsewhere.empty() ? elsewhere
           // A filter or default left when its item was taken out of the list.
           : meant.empty() && (kind == KnownNames::Kind::Filter || kind == KnownNames::Kind::Defaults) &&
                   !listOf[classKey].empty() && key.find_first_of(Ascii(" :;\t")) == WString::npos
               ? ": [" + Utf8(listOf[classKey]) + "] lists no item " + Utf8(key) + ", whose " +
                     (kind == KnownNames::Kind::Filter ? "filter" : "default") +
                     " this would be: delete the line, or list the item"
           : meant.empty() && !taken.empty() ? ": it is " + Utf8(taken) + " misspelt, which line " +
                                                   std::to_string(ini.LineOf(name.c_str(), taken.c_str())) +
                                                   " has already and the page reads; delete the line that is not meant"
           : meant.empty() ? ": the plug-in reads no key of that name here" + keysHint
                           : ": did you mean " + Utf8(meant) + "?" + Undone(kind, ini, name, {key}, meant));
      // Keys of a section the file lacks, under this header: that section's header line is lost.
      if (lostKeys.count(FoldedName(key))) {
        Unread &group = GroupOf(itemGroups, itemIndex, "=" + FoldedName(lost));
        if (group.names.empty()) {
          // Its header at the end of the line before, where two files were joined without a line end.
          const IniFile::Entry *before = nullptr;
          for (const IniFile::Entry &other : section.entries)
            if (other.line < entry.line && other.valueLength != WString::npos) before = &other;
          const WString glued = before ? ini.Text(before->value, before->valueLength) : WString();
          const WString header = Ascii("[") + lost + Ascii("]");
          const bool atEnd =
              glued.size() > header.size() && SameName(glued.substr(glued.size() - header.size()), header);
          const std::string hidden = atEnd ? "], whose header stands at the end of line " +
                                                 std::to_string(before->line) + ", " + Quoted(glued) +
                                                 ", where the reader does not see it: put it on a line of its own"
                                           : std::string();
          group.why = atEnd ? "they are keys of [" + Utf8(lost) + hidden
                            : "they are keys of [" + Utf8(lost) +
                                  "], which the file lacks: is its header missing, "
                                  "or misspelt, above line " +
                                  std::to_string(entry.line) + "?";
          group.message = "[" + Utf8(name) + "] " + Utf8(key) + " is never read: it is a key of [" + Utf8(lost) +
                          (atEnd ? hidden : "], which the file lacks");
        }
        group.names.push_back({entry.line, Ascii("[") + name + Ascii("] ") + key});
        continue;
      }
      // The keys of an item its class does not list (deleted, or listed in another class): one group.
      if (ListedUnread(ini, known, listOf[classKey], ItemPart(kind, key))) continue;
      const WString item = meant.empty() ? ItemPart(kind, key) : WString();
      if (item.empty()) {
        findings.Add(entry.line, "unknown-key", message);
        continue;
      }
      Unread &group = GroupOf(itemGroups, itemIndex, classKey + "/" + FoldedName(item));
      if (group.names.empty()) {
        group.message = message;
        group.why = "[" + Utf8(listOf[classKey]) + "] lists no item " + Utf8(item) + ": list it, or delete its lines";
      }
      group.names.push_back({entry.line, Ascii("[") + name + Ascii("] ") + key});
    }
    moreKeys.Tell(findings, "unknown-key");
  }
  TellGroups(classGroups, findings, "unknown-section");
  TellGroups(itemGroups, findings, "unknown-key");
  moreSections.Tell(findings, "unknown-section");
}

std::set<int> CheckSwappedSections(const CheckedFile &file, Findings &findings) {
  std::set<int> lines;
  const IniFile &ini = file.ini;
  const KnownNames &known = file.known;
  // The keys of a section that name the items of class `of` and of no other: the class the section was written for.
  auto keysOf = [&](const IniFile::Section &section, KnownNames::Kind kind, const std::string &of) {
    size_t count = 0;
    for (const IniFile::Entry &entry : section.entries) {
      const WString key = ini.Text(entry.name, entry.nameLength);
      bool others = false;
      for (const WString &other : known.ClassKeys())
        others = others || (FoldedName(other) != of && known.IsKeyOf(kind, FoldedName(other), key));
      count += known.IsKeyOf(kind, of, key) && !others;
    }
    return count;
  };
  struct Swap {
    const IniFile::Section *section, *twin;
    WString name, twinName, prefix, other;
  };
  std::vector<Swap> swaps;
  std::map<std::pair<std::string, std::string>, std::pair<int, int>> pairs;  // classes -> kinds swapped, in common
  std::set<std::string> seen;
  for (const IniFile::Section &section : ini.sections()) {
    const WString name = ini.Text(section.name, section.nameLength);
    const WString prefix = ClassPrefix(name);
    if (section.line == 0 || prefix.empty()) continue;
    std::string classKey;
    const KnownNames::Kind kind = known.KindOf(name, &classKey);
    if (kind == KnownNames::Kind::None || seen.count(FoldedName(name)) || FirstSection(ini, name) != &section) continue;
    for (const WString &other : known.ClassKeys()) {
      const std::string otherKey = FoldedName(other);
      const WString twinName = other + name.substr(prefix.size());
      const IniFile::Section *twin = FirstSection(ini, twinName);
      if (otherKey <= classKey || !twin) continue;
      auto &pair = pairs[{classKey, otherKey}];
      ++pair.second;
      const size_t mine = keysOf(section, kind, classKey), theirs = keysOf(section, kind, otherKey);
      const size_t twinMine = keysOf(*twin, kind, otherKey), twinTheirs = keysOf(*twin, kind, classKey);
      if (theirs < 1 || twinTheirs < 1 || mine >= theirs || twinMine >= twinTheirs) continue;
      ++pair.first;
      if (theirs < 2 || twinTheirs < 2) continue;  // one key is too little to tell a swap by
      swaps.push_back({&section, twin, name, twinName, prefix, other});
      seen.insert(FoldedName(twinName));
    }
  }
  for (const Swap &swap : swaps) {
    // Every section of the two classes alike: the class list is what is swapped, and its items tell it.
    const auto &pair = pairs[{FoldedName(swap.prefix), FoldedName(swap.other)}];
    if (pair.first == pair.second) continue;
    findings.Add(swap.section->line, "sections-swapped",
                 "[" + Utf8(swap.name) + "] holds the keys of class " + Utf8(swap.other) + "'s items and [" +
                     Utf8(swap.twinName) + "] (line " + std::to_string(swap.twin->line) + ") those of class " +
                     Utf8(swap.prefix) + ": are the two headers swapped? Until then neither class's items find " +
                     "theirs; swap the two headers");
    for (const IniFile::Section *claimed : {swap.section, swap.twin})
      for (const IniFile::Entry &entry : claimed->entries) findings.Claim(entry.line), lines.insert(entry.line);
  }
  return lines;
}

}  // namespace prnset
