#include "catalogue/catalogue.h"

#include "catalogue/option_rules.h"

LONG SectionCountOf(const SettingsCatalogue &catalogue) {
  if (catalogue.SectionCount < 0) return 0;
  return catalogue.SectionCount < kMaxSections ? catalogue.SectionCount : kMaxSections;
}

LONG ItemCountOf(const SettingsSection &section) {
  if (section.ItemCount < 0) return 0;
  return section.ItemCount < kMaxItems ? section.ItemCount : kMaxItems;
}

const SettingsSection *SectionAt(const SettingsCatalogue &catalogue, LONG section) {
  if (section < 0 || section >= SectionCountOf(catalogue)) return nullptr;
  return &catalogue.Sections[section];
}

SettingsSection *SectionAt(SettingsCatalogue &catalogue, LONG section) {
  return const_cast<SettingsSection *>(SectionAt(static_cast<const SettingsCatalogue &>(catalogue), section));
}

const SettingsItem *ItemAt(const SettingsCatalogue &catalogue, LONG section, LONG item) {
  const SettingsSection *s = SectionAt(catalogue, section);
  if (!s || item < 0 || item >= ItemCountOf(*s)) return nullptr;
  return &s->Items[item];
}

SettingsItem *ItemAt(SettingsCatalogue &catalogue, LONG section, LONG item) {
  return const_cast<SettingsItem *>(ItemAt(static_cast<const SettingsCatalogue &>(catalogue), section, item));
}

const SettingsOption *OptionAt(const SettingsItem &item, LONG position) {
  if (position < 0 || item.OptionCount == 0 || DWORD(position) >= item.OptionCount) return nullptr;
  const SettingsOption *option = item.Options;
  for (LONG i = 0; option && i < position; ++i) option = option->Next;
  return option;
}

void FreeCatalogueOptions(SettingsCatalogue &catalogue) {
  const LONG sections = SectionCountOf(catalogue);
  for (LONG s = 0; s < sections; ++s) {
    SettingsSection &section = catalogue.Sections[s];
    const LONG items = ItemCountOf(section);
    for (LONG i = 0; i < items; ++i) {
      SettingsItem &item = section.Items[i];
      if (item.OptionCount) FreeOptionList(item.Options, item.OptionCount);
      item.Options = nullptr;
      item.OptionCount = 0;
    }
  }
  catalogue.SectionCount = 0;
}

void FreeCatalogueRecord::operator()(SettingsCatalogue *catalogue) const {
  FreeCatalogueOptions(*catalogue);
  HeapFree(GetProcessHeap(), 0, catalogue);
}

UniqueCatalogue NewCatalogue() {
  // Zeroed: no sections, empty texts.
  return UniqueCatalogue(
      static_cast<SettingsCatalogue *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsCatalogue))));
}
