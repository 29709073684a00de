// Reads a settings file into a catalogue record, and can tell an observer what it read and where it placed it.
#pragma once

#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/ini_file.h"
#include "catalogue/option_rules.h"
#include "catalogue/vocabulary.h"

// Language and ANSI code page a load is made in.
struct LoadLanguage {
  LANGID language;  // kChineseLanguage picks the _CN sections, anything else the _EN ones
  UINT codePage;    // code page of files that are neither UTF-16 nor UTF-8
};

// The system's: GetSystemDefaultLangID() and CP_ACP.
LoadLanguage SystemLoadLanguage();

// Where a load's reads go: the parsed settings file, or (to compare against) the platform's profile functions.
class LoadSource {
 public:
  virtual ~LoadSource() = default;
  // As GetPrivateProfileStringW with an empty default, into `capacity` characters.
  virtual void ReadText(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const = 0;
  // As GetPrivateProfileIntW.
  virtual LONG ReadNumber(LPCWSTR section, LPCWSTR key, INT defaultValue) const = 0;
  // Into `numbers`, ascending, every n whose name `format` of n is a key of the section. False when the source
  // cannot tell: the walk then reads every declared entry.
  virtual bool ListedNumbers(LPCWSTR section, LPCWSTR format, std::vector<LONG> &numbers) const = 0;
  // The line of the key the read uses, or 0 when the source has none (or does not know lines).
  virtual int LineOf(LPCWSTR section, LPCWSTR key) const { return 0; }
};

// A parsed settings file as the source.
class IniSource : public LoadSource {
 public:
  explicit IniSource(const IniFile &ini) : ini_(ini) {}
  void ReadText(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const override;
  LONG ReadNumber(LPCWSTR section, LPCWSTR key, INT defaultValue) const override;
  bool ListedNumbers(LPCWSTR section, LPCWSTR format, std::vector<LONG> &numbers) const override;
  int LineOf(LPCWSTR section, LPCWSTR key) const override { return ini_.LineOf(section, key); }

 private:
  const IniFile &ini_;
};

// One read of a load: which name, what it gave, and whether the file had it.
struct LoadRead {
  const KeyName &name;
  LPCWSTR section, key;  // as built for this read
  LONG sectionNumber;    // the class's number in the list (0: a read of [SectionNames]'s own keys)
  LONG itemNumber;       // the item's number in its class's list (0: a read about the class)
  LPCWSTR text;          // ReadKind::Text: the text as held, cut to the width
  LONG value;            // ReadKind::Number: the value read
  int line;              // line of the key in the file; 0 when the file has none
};

// Why a walk over the listed classes, or over one class's items, ended.
enum class WalkStop {
  Declared,    // every declared entry was read
  RecordFull,  // the record has no room for more shown entries (10 classes, 32 items)
  PastListed,  // a hidden entry past the highest listed number: all that follow read the same
};

// What a load walks and keeps.
enum class LoadWalk {
  Page,          // the record the page shows, option lists built
  PageReadOnly,  // the same walk and reads, no option list built
  // Every listed class and item, whatever the declared counts, the filters and the record's room: all the names
  // the plug-in reads from the file under some filter. For the observer: the record keeps no class. A source
  // that cannot list its numbered keys gives nothing.
  EveryListed,
};

// Told of a load as it goes. Every call has a default that does nothing.
class LoadObserver {
 public:
  virtual ~LoadObserver() = default;
  virtual void Read(const LoadRead &read) {}
  // Class `number` of the list went to `slot`, or is hidden (slot -1). (LoadWalk::EveryListed: slot 0 when shown.)
  virtual void Section(LONG number, LONG slot) {}
  // Item `itemNumber` of class `sectionNumber` went to `itemSlot` of the class's slot, or is hidden (-1).
  virtual void Item(LONG sectionNumber, LONG itemNumber, LONG sectionSlot, LONG itemSlot) {}
  // The option rule of a shown item, and what the rules made of it.
  virtual void Rule(LONG sectionNumber, LONG itemNumber, const RuleReport &report) {}
  // The walk over the classes (sectionNumber 0) or over the items of class `sectionNumber` ended; `next` is the
  // first number it did not take.
  virtual void Stopped(LONG sectionNumber, LONG next, WalkStop why) {}
};

// Fills `catalogue` from `source` in the language's sections. The record's PrinterName is left as it is; option
// lists it held before are not freed.
void LoadCatalogue(SettingsCatalogue &catalogue, const LoadSource &source, LANGID language,
                   LoadObserver *observer = nullptr, LoadWalk walk = LoadWalk::Page);

// Fills `catalogue` from the file at `path` (null: no file) in the given language. A missing file gives a catalogue
// with no sections.
void LoadCatalogue(SettingsCatalogue &catalogue, LPCWSTR path, const LoadLanguage &language);
