// Reads a settings file into a catalogue record.
#pragma once

#include "catalogue/catalogue.h"

// The one language whose sections are the _CN ones: Chinese as used in the People's Republic of China (2052).
constexpr LANGID kChineseLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// Language and ANSI code page a load is made in.
struct LoadLanguage {
  LANGID language;  // kChineseLanguage picks the _CN sections, anything else the _EN ones
  UINT codePage;    // code page of files that are neither UTF-16 nor UTF-8
};

// "_CN" or "_EN": the suffix of the language and rule sections a load in `language` reads.
LPCWSTR LanguageSuffix(LANGID language);

// The system's: GetSystemDefaultLangID() and CP_ACP.
LoadLanguage SystemLoadLanguage();

// Fills `catalogue` from the file at `path` (null: no file) in the given language. A missing file gives a catalogue
// with no sections. The record's PrinterName is left as it is; option lists it held before are not freed.
void LoadCatalogue(SettingsCatalogue &catalogue, LPCWSTR path, const LoadLanguage &language);
