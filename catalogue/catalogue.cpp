#include "catalogue/catalogue.h"

#include "catalogue/option_rules.h"

const SettingsOption *OptionAt(const SettingsItem &item, LONG position) {
  if (position < 0 || item.OptionCount == 0 || DWORD(position) >= item.OptionCount) return nullptr;
  const SettingsOption *option = item.Options;
  for (LONG i = 0; option && i < position; ++i) option = option->Next;
  return option;
}

void FreeCatalogueOptions(SettingsCatalogue &catalogue) {
  LONG sections = catalogue.SectionCount;
  if (sections > kMaxSections) sections = kMaxSections;
  for (LONG s = 0; s < sections; ++s) {
    SettingsSection &section = catalogue.Sections[s];
    LONG items = section.ItemCount > kMaxItems ? kMaxItems : section.ItemCount;
    for (LONG i = 0; i < items; ++i) {
      SettingsItem &item = section.Items[i];
      if (item.OptionCount) FreeOptionList(item.Options, item.OptionCount);
      item.Options = nullptr;
      item.OptionCount = 0;
    }
  }
  catalogue.SectionCount = 0;
}
