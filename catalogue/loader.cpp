#include "catalogue/loader.h"

#include <new>

#include "catalogue/ini_file.h"
#include "catalogue/option_rules.h"

namespace {

// One load: the parsed file, the language suffix and the catalogue being filled.
struct Load {
  IniFile ini;
  LPCWSTR suffix;  // "_CN" or "_EN"
  SettingsCatalogue *catalogue;
};

void ReadText(const Load &load, LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) {
  load.ini.ReadString(section, key, buffer, capacity);
}

LONG ReadNumber(const Load &load, LPCWSTR section, LPCWSTR key, INT defaultValue) {
  return LONG(load.ini.ReadInt(section, key, defaultValue));
}

// The highest n whose name `format` of n (such as "Section%.2d") is a key of the INI section, or 0. Beyond it every
// declared entry reads the same (no key, so no filter of its own), which bounds the loops over huge declared counts.
LONG HighestNumbered(const IniFile &ini, LPCWSTR section, LPCWSTR prefix, LPCWSTR format) {
  int prefixLength = lstrlenW(prefix);
  for (const IniFile::Section &s : ini.sections()) {
    if (lstrcmpiW(ini.Text(s.name, s.nameLength).c_str(), section) != 0) continue;
    LONG highest = 0;
    for (const IniFile::Entry &e : s.entries) {
      std::basic_string<WCHAR> name = ini.Text(e.name, e.nameLength);
      if (int(name.size()) <= prefixLength || name.size() > size_t(prefixLength) + 10) continue;
      long long n = 0;
      bool digits = true;
      for (size_t i = prefixLength; i < name.size() && digits; ++i) {
        digits = name[i] >= WTEXT('0') && name[i] <= WTEXT('9');
        n = n * 10 + (name[i] - WTEXT('0'));
      }
      if (!digits || n > 2147483647LL || n <= highest) continue;
      WCHAR built[kPathChars];
      wsprintfW(built, format, int(n));
      if (lstrcmpiW(built, name.c_str()) == 0) highest = LONG(n);
    }
    return highest;  // only the first section of a name is ever read
  }
  return 0;
}

// Fills section `slot` from file section n; returns its "SectionEnable" value (0 when hidden).
LONG LoadSection(Load &load, int n, int slot) {
  SettingsSection &section = load.catalogue->Sections[slot];
  WCHAR numberName[kPathChars], name[kPathChars];
  wsprintfW(numberName, WTEXT("Section%.2d"), n);
  ReadText(load, WTEXT("SectionNames"), numberName, section.Key, ARRAYSIZE(section.Key));
  section.ItemCount = ReadNumber(load, numberName, WTEXT("ItemCount"), 0);

  wsprintfW(name, WTEXT("%s_Filter"), section.Key);
  LONG enable = ReadNumber(load, name, WTEXT("SectionEnable"), 1);
  if (enable == 0) return 0;

  wsprintfW(name, WTEXT("%s_Lang%s"), section.Key, load.suffix);
  ReadText(load, name, WTEXT("Title"), section.Title, ARRAYSIZE(section.Title));
  ReadText(load, name, WTEXT("Note"), section.Note, ARRAYSIZE(section.Note));
  return enable;
}

// Fills item `itemSlot` of section `slot` from item m of file section n; returns its filter value (0 when hidden).
LONG LoadItem(Load &load, int n, int m, int slot, int itemSlot) {
  SettingsSection &section = load.catalogue->Sections[slot];
  SettingsItem &item = section.Items[itemSlot];
  WCHAR sectionName[kPathChars], itemName[kPathChars], name[kPathChars], key[kPathChars];
  wsprintfW(sectionName, WTEXT("Section%.2d"), n);
  wsprintfW(itemName, WTEXT("Item%.2d"), m);

  ReadText(load, sectionName, itemName, item.Key, ARRAYSIZE(item.Key));
  wsprintfW(key, WTEXT("%sInstruction"), itemName);
  ReadText(load, sectionName, key, item.Instruction, ARRAYSIZE(item.Instruction));
  wsprintfW(key, WTEXT("Item%.2dParameterCount"), m);
  item.ParameterCount = ReadNumber(load, sectionName, key, 1);

  wsprintfW(name, WTEXT("%s_Filter"), section.Key);
  LONG enable = ReadNumber(load, name, item.Key, 1);
  if (enable == 0) return 0;

  wsprintfW(name, WTEXT("%s_Lang%s"), section.Key, load.suffix);
  wsprintfW(key, WTEXT("%s_Title"), item.Key);
  ReadText(load, name, key, item.Title, ARRAYSIZE(item.Title));
  wsprintfW(key, WTEXT("%s_Note"), item.Key);
  ReadText(load, name, key, item.Note, ARRAYSIZE(item.Note));

  WCHAR ruleType[32], rule[1024];
  wsprintfW(name, WTEXT("%s_Rule%s"), section.Key, load.suffix);
  wsprintfW(key, WTEXT("%s_RuleType"), item.Key);
  ReadText(load, name, key, ruleType, ARRAYSIZE(ruleType));
  wsprintfW(key, WTEXT("%s_Rule"), item.Key);
  ReadText(load, name, key, rule, ARRAYSIZE(rule));
  item.Options = nullptr;
  item.OptionCount = ParseOptionRule(ruleType, rule, &item.Options);
  if (item.OptionCount == 0) item.Options = nullptr;

  wsprintfW(name, WTEXT("%s_Default"), section.Key);
  item.DefaultValue = ReadNumber(load, name, item.Key, 1);
  item.CurrentValue = item.DefaultValue;
  return enable;
}

void LoadAll(Load &load) {
  SettingsCatalogue &catalogue = *load.catalogue;
  const LPCWSTR names = WTEXT("SectionNames");
  LONG declared = ReadNumber(load, names, WTEXT("SectionCount"), 0);
  ReadText(load, names, WTEXT("InstructionTail"), catalogue.InstructionTail, ARRAYSIZE(catalogue.InstructionTail));
  ReadText(load, names, WTEXT("EnterInstruction"), catalogue.EnterInstruction,
           ARRAYSIZE(catalogue.EnterInstruction));
  ReadText(load, names, WTEXT("SaveInstruction"), catalogue.SaveInstruction, ARRAYSIZE(catalogue.SaveInstruction));
  ReadText(load, names, WTEXT("ParameterRule"), catalogue.ParameterRule, ARRAYSIZE(catalogue.ParameterRule));

  // Hidden sections and items use up no slot; shown ones beyond the record's room are not loaded.
  // Past the highest listed number a hidden entry stands for all that follow, so the walk stops there.
  LONG listedSections = HighestNumbered(load.ini, names, WTEXT("Section"), WTEXT("Section%.2d"));
  int slot = 0;
  for (LONG n = 1; n <= declared && slot < kMaxSections; ++n) {
    catalogue.SectionCount = slot + 1;  // the section being filled counts while its items are read
    if (LoadSection(load, n, slot) == 0) {
      if (n > listedSections) break;
      continue;
    }
    SettingsSection &section = catalogue.Sections[slot];
    LONG items = section.ItemCount;
    WCHAR sectionName[kPathChars];
    wsprintfW(sectionName, WTEXT("Section%.2d"), int(n));
    LONG listedItems = HighestNumbered(load.ini, sectionName, WTEXT("Item"), WTEXT("Item%.2d"));
    int itemSlot = 0;
    for (LONG m = 1; m <= items && itemSlot < kMaxItems; ++m) {
      section.ItemCount = itemSlot + 1;
      if (LoadItem(load, n, m, slot, itemSlot) != 0) ++itemSlot;
      else if (m > listedItems) break;
    }
    section.ItemCount = itemSlot;
    ++slot;
  }
  catalogue.SectionCount = slot;
}

}  // namespace

LPCWSTR LanguageSuffix(LANGID language) { return language == kChineseLanguage ? WTEXT("_CN") : WTEXT("_EN"); }

LoadLanguage SystemLoadLanguage() { return LoadLanguage{GetSystemDefaultLangID(), CP_ACP}; }

void LoadCatalogue(SettingsCatalogue &catalogue, LPCWSTR path, const LoadLanguage &language) {
  catalogue.SectionCount = 0;
  catalogue.InstructionTail[0] = catalogue.EnterInstruction[0] = catalogue.SaveInstruction[0] = 0;
  catalogue.ParameterRule[0] = 0;
  try {
    Load load{IniFile(), LanguageSuffix(language.language), &catalogue};
    if (path) load.ini.Load(path, language.codePage);
    LoadAll(load);
  } catch (const std::bad_alloc &) {
    // No room to read the file: the page shows no classes rather than half a catalogue.
    FreeCatalogueOptions(catalogue);
  }
}
