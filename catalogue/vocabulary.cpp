#include "catalogue/vocabulary.h"

namespace {
constexpr DWORD kKeyChars = ARRAYSIZE(SettingsItem{}.Key);
constexpr DWORD kRuleTypeChars = 32;
constexpr DWORD kRuleChars = 1024;
}  // namespace

const KeyName kFileKeys[19] = {
    {FileField::SectionCount, SectionForm::Names, KeyShape::Fixed, WTEXT("SectionCount"), ReadKind::Number, 0, 0},
    {FileField::InstructionTail, SectionForm::Names, KeyShape::Fixed, WTEXT("InstructionTail"), ReadKind::Text,
     ARRAYSIZE(SettingsCatalogue{}.InstructionTail), 0},
    {FileField::EnterInstruction, SectionForm::Names, KeyShape::Fixed, WTEXT("EnterInstruction"), ReadKind::Text,
     ARRAYSIZE(SettingsCatalogue{}.EnterInstruction), 0},
    {FileField::SaveInstruction, SectionForm::Names, KeyShape::Fixed, WTEXT("SaveInstruction"), ReadKind::Text,
     ARRAYSIZE(SettingsCatalogue{}.SaveInstruction), 0},
    {FileField::ParameterRule, SectionForm::Names, KeyShape::Fixed, WTEXT("ParameterRule"), ReadKind::Text,
     ARRAYSIZE(SettingsCatalogue{}.ParameterRule), 0},
    {FileField::SectionKey, SectionForm::Names, KeyShape::Numbered, WTEXT("Section%.2d"), ReadKind::Text, kKeyChars, 0},
    {FileField::ItemCount, SectionForm::Numbered, KeyShape::Fixed, WTEXT("ItemCount"), ReadKind::Number, 0, 0},
    {FileField::ItemKey, SectionForm::Numbered, KeyShape::Numbered, WTEXT("Item%.2d"), ReadKind::Text, kKeyChars, 0},
    {FileField::Instruction, SectionForm::Numbered, KeyShape::Numbered, WTEXT("Item%.2dInstruction"), ReadKind::Text,
     ARRAYSIZE(SettingsItem{}.Instruction), 0},
    {FileField::ParameterCount, SectionForm::Numbered, KeyShape::Numbered, WTEXT("Item%.2dParameterCount"),
     ReadKind::Number, 0, 1},
    {FileField::SectionEnable, SectionForm::Filter, KeyShape::Fixed, WTEXT("SectionEnable"), ReadKind::Number, 0, 1},
    {FileField::ItemEnable, SectionForm::Filter, KeyShape::ItemKeyed, WTEXT("%s"), ReadKind::Number, 0, 1},
    {FileField::SectionTitle, SectionForm::Language, KeyShape::Fixed, WTEXT("Title"), ReadKind::Text,
     ARRAYSIZE(SettingsSection{}.Title), 0},
    {FileField::SectionNote, SectionForm::Language, KeyShape::Fixed, WTEXT("Note"), ReadKind::Text,
     ARRAYSIZE(SettingsSection{}.Note), 0},
    {FileField::ItemTitle, SectionForm::Language, KeyShape::ItemKeyed, WTEXT("%s_Title"), ReadKind::Text,
     ARRAYSIZE(SettingsItem{}.Title), 0},
    {FileField::ItemNote, SectionForm::Language, KeyShape::ItemKeyed, WTEXT("%s_Note"), ReadKind::Text,
     ARRAYSIZE(SettingsItem{}.Note), 0},
    {FileField::RuleType, SectionForm::Rules, KeyShape::ItemKeyed, WTEXT("%s_RuleType"), ReadKind::Text,
     kRuleTypeChars, 0},
    {FileField::Rule, SectionForm::Rules, KeyShape::ItemKeyed, WTEXT("%s_Rule"), ReadKind::Text, kRuleChars, 0},
    {FileField::Default, SectionForm::Defaults, KeyShape::ItemKeyed, WTEXT("%s"), ReadKind::Number, 0, 1},
};

const ClassSection kClassSections[4] = {{SectionForm::Filter, WTEXT("_Filter"), false},
                                        {SectionForm::Language, WTEXT("_Lang"), true},
                                        {SectionForm::Rules, WTEXT("_Rule"), true},
                                        {SectionForm::Defaults, WTEXT("_Default"), false}};

const KeyName &KeyOf(FileField field) { return kFileKeys[int(field)]; }

LPCWSTR LanguageSuffix(LANGID language) { return language == kChineseLanguage ? kChineseSuffix : kEnglishSuffix; }

void SectionName(SectionForm form, LPCWSTR classKey, LONG number, LPCWSTR suffix, WCHAR (&name)[kPathChars]) {
  switch (form) {
    case SectionForm::Names: lstrcpynW(name, kNamesSection, kPathChars); return;
    case SectionForm::Settings: lstrcpynW(name, kSettingsSection, kPathChars); return;
    case SectionForm::Numbered: wsprintfW(name, kNumberedSection, int(number)); return;
    default: break;
  }
  for (const ClassSection &s : kClassSections)
    if (s.form == form) {
      // Keys are at most 127 characters, so the name fits.
      lstrcpynW(name, classKey, kPathChars);
      lstrcatW(name, s.suffix);
      if (s.byLanguage) lstrcatW(name, suffix);
      return;
    }
}

void KeyNameOf(FileField field, LONG number, LPCWSTR itemKey, WCHAR (&name)[kPathChars]) {
  const KeyName &key = KeyOf(field);
  switch (key.shape) {
    case KeyShape::Fixed: lstrcpynW(name, key.key, kPathChars); return;
    case KeyShape::Numbered: wsprintfW(name, key.key, int(number)); return;
    case KeyShape::ItemKeyed: wsprintfW(name, key.key, itemKey); return;
  }
}
