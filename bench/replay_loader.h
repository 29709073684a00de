// The catalogue loader's reads replayed through a reader of the benchmark's choice: the same keys in the same
// order as LoadCatalogue asks them, filling the record the same way. With the platform's profile functions as
// the reader it is what the loader would cost without its INI reader; with our INI reader and the option rules
// left out it is the reading alone, to set against the platform's reading alone.
//
// The loader's early stop after the last listed section or item (for huge declared counts of hidden entries) is
// left out: it looks at the parsed file's keys, and on the benchmark's file it never ends a walk, which the
// benchmark checks by counting the reads.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/ini_file.h"
#include "catalogue/option_rules.h"
#include "catalogue/loader.h"

namespace bench {

// A reader over our INI reader's parsed file.
struct IniReader {
  const IniFile &file;
  void Text(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const {
    file.ReadString(section, key, buffer, capacity);
  }
  LONG Number(LPCWSTR section, LPCWSTR key, INT defaultValue) const {
    return LONG(file.ReadInt(section, key, defaultValue));
  }
};

// Fills `record` through `reader` (Text and Number as above), with the language suffix the loader would choose;
// builds the option lists only when `buildOptions` is set. Returns the reads made.
template <typename Reader>
int ReplayLoad(SettingsCatalogue &record, const Reader &reader, LANGID language, bool buildOptions) {
  SettingsCatalogue *catalogue = &record;
  const LPCWSTR suffix = LanguageSuffix(language);
  int reads = 0;
  auto text = [&](LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) {
    ++reads;
    reader.Text(section, key, buffer, capacity);
  };
  auto number = [&](LPCWSTR section, LPCWSTR key, INT defaultValue) {
    ++reads;
    return reader.Number(section, key, defaultValue);
  };
  WCHAR numberName[kPathChars], itemName[kPathChars], name[kPathChars], key[kPathChars];

  catalogue->SectionCount = 0;
  const LPCWSTR names = WTEXT("SectionNames");
  const LONG declared = number(names, WTEXT("SectionCount"), 0);
  text(names, WTEXT("InstructionTail"), catalogue->InstructionTail, ARRAYSIZE(catalogue->InstructionTail));
  text(names, WTEXT("EnterInstruction"), catalogue->EnterInstruction, ARRAYSIZE(catalogue->EnterInstruction));
  text(names, WTEXT("SaveInstruction"), catalogue->SaveInstruction, ARRAYSIZE(catalogue->SaveInstruction));
  text(names, WTEXT("ParameterRule"), catalogue->ParameterRule, ARRAYSIZE(catalogue->ParameterRule));

  int slot = 0;
  for (LONG n = 1; n <= declared && slot < kMaxSections; ++n) {
    catalogue->SectionCount = slot + 1;
    SettingsSection &section = catalogue->Sections[slot];
    wsprintfW(numberName, WTEXT("Section%.2d"), int(n));
    text(names, numberName, section.Key, ARRAYSIZE(section.Key));
    section.ItemCount = number(numberName, WTEXT("ItemCount"), 0);
    wsprintfW(name, WTEXT("%s_Filter"), section.Key);
    if (number(name, WTEXT("SectionEnable"), 1) == 0) continue;
    wsprintfW(name, WTEXT("%s_Lang%s"), section.Key, suffix);
    text(name, WTEXT("Title"), section.Title, ARRAYSIZE(section.Title));
    text(name, WTEXT("Note"), section.Note, ARRAYSIZE(section.Note));

    const LONG items = section.ItemCount;
    int itemSlot = 0;
    for (LONG m = 1; m <= items && itemSlot < kMaxItems; ++m) {
      section.ItemCount = itemSlot + 1;
      SettingsItem &item = section.Items[itemSlot];
      wsprintfW(itemName, WTEXT("Item%.2d"), int(m));
      text(numberName, itemName, item.Key, ARRAYSIZE(item.Key));
      wsprintfW(key, WTEXT("%sInstruction"), itemName);
      text(numberName, key, item.Instruction, ARRAYSIZE(item.Instruction));
      wsprintfW(key, WTEXT("Item%.2dParameterCount"), int(m));
      item.ParameterCount = number(numberName, key, 1);
      wsprintfW(name, WTEXT("%s_Filter"), section.Key);
      if (number(name, item.Key, 1) == 0) continue;

      wsprintfW(name, WTEXT("%s_Lang%s"), section.Key, suffix);
      wsprintfW(key, WTEXT("%s_Title"), item.Key);
      text(name, key, item.Title, ARRAYSIZE(item.Title));
      wsprintfW(key, WTEXT("%s_Note"), item.Key);
      text(name, key, item.Note, ARRAYSIZE(item.Note));
      WCHAR ruleType[32], rule[1024];
      wsprintfW(name, WTEXT("%s_Rule%s"), section.Key, suffix);
      wsprintfW(key, WTEXT("%s_RuleType"), item.Key);
      text(name, key, ruleType, ARRAYSIZE(ruleType));
      wsprintfW(key, WTEXT("%s_Rule"), item.Key);
      text(name, key, rule, ARRAYSIZE(rule));
      item.Options = nullptr;
      item.OptionCount = buildOptions ? ParseOptionRule(ruleType, rule, &item.Options) : 0;
      if (item.OptionCount == 0) item.Options = nullptr;

      wsprintfW(name, WTEXT("%s_Default"), section.Key);
      item.DefaultValue = number(name, item.Key, 1);
      item.CurrentValue = item.DefaultValue;
      ++itemSlot;
    }
    section.ItemCount = itemSlot;
    ++slot;
  }
  catalogue->SectionCount = slot;
  return reads;
}

}  // namespace bench
