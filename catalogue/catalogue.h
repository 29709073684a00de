// The in-memory form of one printer's settings file: one fixed-size record, option lists as heap nodes.
#pragma once

#include "platform/owner.h"
#include "platform/platform.h"

constexpr int kMaxSections = 10;        // sections the record has room for
constexpr int kMaxItems = 32;           // items per section
constexpr int kMaxEnumOptions = 256;    // options an "Enum" rule yields at most
constexpr int kMaxSerialOptions = 4096; // options a "Serial" rule yields at most
constexpr int kPathChars = 260;         // paths and built INI names

struct SettingsOption {
  LONG Value;
  WCHAR Text[50];
  SettingsOption *Next;
};

struct SettingsItem {
  WCHAR Key[128];
  WCHAR Title[128];
  WCHAR Note[128];
  WCHAR Instruction[64];
  LONG CurrentValue;
  LONG DefaultValue;
  LONG ParameterCount;
  DWORD OptionCount;
  SettingsOption *Options;
};

struct SettingsSection {
  WCHAR Key[128];
  WCHAR Title[128];
  WCHAR Note[256];
  LONG ItemCount;
  SettingsItem Items[kMaxItems];
};

struct SettingsCatalogue {
  WCHAR PrinterName[50];
  LONG SectionCount;
  SettingsSection Sections[kMaxSections];
  WCHAR InstructionTail[50];
  WCHAR EnterInstruction[50];
  WCHAR SaveInstruction[50];
  WCHAR ParameterRule[20];
};

// Length of a fixed-width text field, never reading past its width.
template <size_t N>
DWORD FieldLength(const WCHAR (&field)[N]) {
  DWORD n = 0;
  while (n + 1 < N && field[n]) ++n;
  return n;
}

// The sections and items in use, within the record's room whatever the counts say.
LONG SectionCountOf(const SettingsCatalogue &catalogue);
LONG ItemCountOf(const SettingsSection &section);

// The section or item at a page position, or nullptr when the catalogue has none there.
const SettingsSection *SectionAt(const SettingsCatalogue &catalogue, LONG section);
SettingsSection *SectionAt(SettingsCatalogue &catalogue, LONG section);
const SettingsItem *ItemAt(const SettingsCatalogue &catalogue, LONG section, LONG item);
SettingsItem *ItemAt(SettingsCatalogue &catalogue, LONG section, LONG item);

// The option at a position of an item's list, or nullptr when the list has no such position.
const SettingsOption *OptionAt(const SettingsItem &item, LONG position);

// Frees the option nodes of every item in use and leaves the record with no sections.
void FreeCatalogueOptions(SettingsCatalogue &catalogue);

// A catalogue record of the process heap, freed with its option lists when its owner goes.
struct FreeCatalogueRecord {
  void operator()(SettingsCatalogue *catalogue) const;
};
using UniqueCatalogue = UniqueAny<SettingsCatalogue *, FreeCatalogueRecord>;
// A new record with no sections; empty when the heap has no room.
UniqueCatalogue NewCatalogue();
