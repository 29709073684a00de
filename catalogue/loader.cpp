#include "catalogue/loader.h"

#include <algorithm>
#include <new>

namespace {

// One load: where it reads, the language suffix, the record being filled, who is told and what is walked.
struct Load {
  const LoadSource &source;
  LPCWSTR suffix;  // "_CN" or "_EN"
  SettingsCatalogue &catalogue;
  LoadObserver *observer;
  LoadWalk walk;
};

// The listed numbers of a numbered form in one section. An unlisted entry reads an empty key, so all of them read
// alike: one hidden unlisted entry stands for every unlisted one, and the walk goes on at the next listed number.
class Listing {
 public:
  Listing(const LoadSource &source, LPCWSTR section, FileField field)
      : known_(source.ListedNumbers(section, KeyOf(field).key, numbers)) {}
  bool Listed(LONG n) const { return !known_ || std::binary_search(numbers.begin(), numbers.end(), n); }
  // Past hidden unlisted entry n: n becomes the entry before the next listed number, so that the walk's next step
  // takes it; false (n one past) when no listed number follows.
  bool PassUnlisted(LONG &n) const {
    auto next = std::upper_bound(numbers.begin(), numbers.end(), n);
    if (next == numbers.end()) {
      ++n;
      return false;
    }
    n = *next - 1;
    return true;
  }
  std::vector<LONG> numbers;

 private:
  bool known_;
};

// The section of `form` for a class.
struct Place {
  WCHAR name[kPathChars];
  Place(const Load &load, SectionForm form, LPCWSTR classKey, LONG number) {
    SectionName(form, classKey, number, load.suffix, name);
  }
};

void Tell(const Load &load, FileField field, LPCWSTR section, LPCWSTR key, LONG n, LONG m, LPCWSTR text, LONG value) {
  if (load.observer)
    load.observer->Read({KeyOf(field), section, key, n, m, text, value, load.source.LineOf(section, key)});
}

// Reads the text of `field` into `buffer` (of the field's width).
void ReadText(const Load &load, FileField field, LPCWSTR section, LONG n, LONG m, LPCWSTR itemKey, LPWSTR buffer) {
  WCHAR key[kPathChars];
  KeyNameOf(field, field == FileField::SectionKey ? n : m, itemKey, key);
  load.source.ReadText(section, key, buffer, KeyOf(field).width);
  Tell(load, field, section, key, n, m, buffer, 0);
}

LONG ReadNumber(const Load &load, FileField field, LPCWSTR section, LONG n, LONG m, LPCWSTR itemKey) {
  WCHAR key[kPathChars];
  KeyNameOf(field, m, itemKey, key);
  LONG value = load.source.ReadNumber(section, key, KeyOf(field).defaultValue);
  Tell(load, field, section, key, n, m, nullptr, value);
  return value;
}

// Fills section `slot` from file section n; returns its "SectionEnable" value (0 when hidden).
LONG LoadSection(Load &load, LONG n, int slot) {
  SettingsSection &section = load.catalogue.Sections[slot];
  Place numbered(load, SectionForm::Numbered, nullptr, n);
  ReadText(load, FileField::SectionKey, kNamesSection, n, 0, nullptr, section.Key);
  section.ItemCount = ReadNumber(load, FileField::ItemCount, numbered.name, n, 0, nullptr);

  LONG enable = ReadNumber(load, FileField::SectionEnable, Place(load, SectionForm::Filter, section.Key, n).name, n,
                           0, nullptr);
  if (enable == 0 && load.walk != LoadWalk::EveryListed) return 0;

  Place language(load, SectionForm::Language, section.Key, n);
  ReadText(load, FileField::SectionTitle, language.name, n, 0, nullptr, section.Title);
  ReadText(load, FileField::SectionNote, language.name, n, 0, nullptr, section.Note);
  return enable;
}

// Fills item `itemSlot` of section `slot` from item m of file section n; returns its filter value (0 when hidden).
LONG LoadItem(Load &load, LONG n, LONG m, int slot, int itemSlot) {
  SettingsSection &section = load.catalogue.Sections[slot];
  SettingsItem &item = section.Items[itemSlot];
  Place numbered(load, SectionForm::Numbered, nullptr, n);
  ReadText(load, FileField::ItemKey, numbered.name, n, m, nullptr, item.Key);
  ReadText(load, FileField::Instruction, numbered.name, n, m, nullptr, item.Instruction);
  item.ParameterCount = ReadNumber(load, FileField::ParameterCount, numbered.name, n, m, nullptr);

  LONG enable =
      ReadNumber(load, FileField::ItemEnable, Place(load, SectionForm::Filter, section.Key, n).name, n, m, item.Key);
  if (enable == 0 && load.walk != LoadWalk::EveryListed) return 0;

  Place language(load, SectionForm::Language, section.Key, n);
  ReadText(load, FileField::ItemTitle, language.name, n, m, item.Key, item.Title);
  ReadText(load, FileField::ItemNote, language.name, n, m, item.Key, item.Note);

  WCHAR ruleType[32], rule[1024];
  static_assert(ARRAYSIZE(ruleType) == 32 && ARRAYSIZE(rule) == 1024, "the rule buffers are the vocabulary's widths");
  Place rules(load, SectionForm::Rules, section.Key, n);
  ReadText(load, FileField::RuleType, rules.name, n, m, item.Key, ruleType);
  ReadText(load, FileField::Rule, rules.name, n, m, item.Key, rule);
  item.Options = nullptr;
  item.OptionCount = 0;
  const bool buildOptions = load.walk == LoadWalk::Page;
  if (buildOptions || load.observer) {
    RuleReport report;
    item.OptionCount = ParseOptionRule(ruleType, rule, &item.Options, load.observer ? &report : nullptr);
    if (load.observer) load.observer->Rule(n, m, report);
    if (!buildOptions) {
      FreeOptionList(item.Options, item.OptionCount);
      item.OptionCount = 0;
    }
  }
  if (item.OptionCount == 0) item.Options = nullptr;

  item.DefaultValue =
      ReadNumber(load, FileField::Default, Place(load, SectionForm::Defaults, section.Key, n).name, n, m, item.Key);
  item.CurrentValue = item.DefaultValue;
  return enable;
}

void Stopped(const Load &load, LONG sectionNumber, LONG next, WalkStop why) {
  if (load.observer) load.observer->Stopped(sectionNumber, next, why);
}

void LoadItems(Load &load, LONG n, int slot) {
  SettingsSection &section = load.catalogue.Sections[slot];
  const LONG items = section.ItemCount;
  Place numbered(load, SectionForm::Numbered, nullptr, n);
  const Listing listing(load.source, numbered.name, FileField::ItemKey);
  int itemSlot = 0;
  LONG m = 1;
  WalkStop why = WalkStop::Declared;
  for (; m <= items; ++m) {
    if (itemSlot >= kMaxItems) {
      why = WalkStop::RecordFull;
      break;
    }
    section.ItemCount = itemSlot + 1;
    bool shown = LoadItem(load, n, m, slot, itemSlot) != 0;
    if (load.observer) load.observer->Item(n, m, slot, shown ? itemSlot : -1);
    if (shown) {
      ++itemSlot;
    } else if (!listing.Listed(m) && !listing.PassUnlisted(m)) {
      why = WalkStop::PastListed;
      break;
    }
  }
  section.ItemCount = itemSlot;
  Stopped(load, n, m, why);
}

// Every listed class and every listed item of it, read into the record's first slots.
void WalkListed(Load &load, const Listing &classes) {
  for (LONG n : classes.numbers) {
    load.catalogue.SectionCount = 1;
    const bool shown = LoadSection(load, n, 0) != 0;
    if (load.observer) load.observer->Section(n, shown ? 0 : -1);
    load.catalogue.Sections[0].ItemCount = 1;
    Place numbered(load, SectionForm::Numbered, nullptr, n);
    for (LONG m : Listing(load.source, numbered.name, FileField::ItemKey).numbers) {
      const bool itemShown = LoadItem(load, n, m, 0, 0) != 0;
      if (load.observer) load.observer->Item(n, m, 0, itemShown ? 0 : -1);
    }
  }
  load.catalogue.SectionCount = 0;
}

void LoadAll(Load &load) {
  SettingsCatalogue &catalogue = load.catalogue;
  LONG declared = ReadNumber(load, FileField::SectionCount, kNamesSection, 0, 0, nullptr);
  ReadText(load, FileField::InstructionTail, kNamesSection, 0, 0, nullptr, catalogue.InstructionTail);
  ReadText(load, FileField::EnterInstruction, kNamesSection, 0, 0, nullptr, catalogue.EnterInstruction);
  ReadText(load, FileField::SaveInstruction, kNamesSection, 0, 0, nullptr, catalogue.SaveInstruction);
  ReadText(load, FileField::ParameterRule, kNamesSection, 0, 0, nullptr, catalogue.ParameterRule);

  // Hidden sections and items use up no slot; shown ones beyond the record's room are not loaded.
  // Past the highest listed number a hidden entry stands for all that follow, so the walk stops there.
  const Listing listing(load.source, kNamesSection, FileField::SectionKey);
  if (load.walk == LoadWalk::EveryListed) return WalkListed(load, listing);
  int slot = 0;
  LONG n = 1;
  WalkStop why = WalkStop::Declared;
  for (; n <= declared; ++n) {
    if (slot >= kMaxSections) {
      why = WalkStop::RecordFull;
      break;
    }
    catalogue.SectionCount = slot + 1;  // the section being filled counts while its items are read
    if (LoadSection(load, n, slot) == 0) {
      if (load.observer) load.observer->Section(n, -1);
      if (!listing.Listed(n) && !listing.PassUnlisted(n)) {
        why = WalkStop::PastListed;
        break;
      }
      continue;
    }
    if (load.observer) load.observer->Section(n, slot);
    LoadItems(load, n, slot);
    ++slot;
  }
  catalogue.SectionCount = slot;
  Stopped(load, 0, n, why);
}

}  // namespace

void IniSource::ReadText(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const {
  ini_.ReadString(section, key, buffer, capacity);
}

LONG IniSource::ReadNumber(LPCWSTR section, LPCWSTR key, INT defaultValue) const {
  return LONG(ini_.ReadInt(section, key, defaultValue));
}

bool IniSource::ListedNumbers(LPCWSTR section, LPCWSTR format, std::vector<LONG> &numbers) const {
  // The digits stand where the form's "%.2d" does.
  int prefixLength = 0;
  while (format[prefixLength] && format[prefixLength] != WTEXT('%')) ++prefixLength;
  for (const IniFile::Section &s : ini_.sections()) {
    if (lstrcmpiW(ini_.Text(s.name, s.nameLength).c_str(), section) != 0) continue;
    for (const IniFile::Entry &e : s.entries) {
      std::basic_string<WCHAR> name = ini_.Text(e.name, e.nameLength);
      if (int(name.size()) <= prefixLength || name.size() > size_t(prefixLength) + kMaxNumberDigits) continue;
      long long n = 0;
      bool digits = true;
      for (size_t i = prefixLength; i < name.size() && digits; ++i) {
        digits = name[i] >= WTEXT('0') && name[i] <= WTEXT('9');
        n = n * 10 + (name[i] - WTEXT('0'));
      }
      if (!digits || n > 2147483647LL) continue;
      WCHAR built[kPathChars];
      wsprintfW(built, format, int(n));
      if (lstrcmpiW(built, name.c_str()) == 0) numbers.push_back(LONG(n));
    }
    break;  // only the first section of a name is ever read
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return true;
}

LoadLanguage SystemLoadLanguage() { return LoadLanguage{GetSystemDefaultLangID(), CP_ACP}; }

void LoadCatalogue(SettingsCatalogue &catalogue, const LoadSource &source, LANGID language, LoadObserver *observer,
                   LoadWalk walk) {
  catalogue.SectionCount = 0;
  catalogue.InstructionTail[0] = catalogue.EnterInstruction[0] = catalogue.SaveInstruction[0] = 0;
  catalogue.ParameterRule[0] = 0;
  try {
    Load load{source, LanguageSuffix(language), catalogue, observer, walk};
    LoadAll(load);
  } catch (const std::bad_alloc &) {
    // No room to read the file: the page shows no classes rather than half a catalogue.
    FreeCatalogueOptions(catalogue);
  }
}

void LoadCatalogue(SettingsCatalogue &catalogue, LPCWSTR path, const LoadLanguage &language) {
  try {
    IniFile ini;
    if (path) ini.Load(path, language.codePage);
    LoadCatalogue(catalogue, IniSource(ini), language.language);
  } catch (const std::bad_alloc &) {
    catalogue.SectionCount = 0;
    catalogue.InstructionTail[0] = catalogue.EnterInstruction[0] = catalogue.SaveInstruction[0] = 0;
    catalogue.ParameterRule[0] = 0;
  }
}
