// Reads a settings file into the current catalogue.
#pragma once

#include "catalogue/catalogue.h"

// Language and ANSI code page a load is made in.
struct LoadLanguage {
  LANGID language;  // 2052 picks the _CN sections, anything else the _EN ones
  UINT codePage;    // code page of files that are neither UTF-16 nor UTF-8
};

// The system's: GetSystemDefaultLangID() and CP_ACP.
LoadLanguage SystemLoadLanguage();

// Fills the current catalogue from the file at `path` in the system's language. Always returns 1; a missing file
// gives a catalogue with no sections.
int LoadCatalogue(LPCWSTR path);

// The same, in a given language: the settings-file tool previews either language with it.
int LoadCatalogueIn(LPCWSTR path, const LoadLanguage &language);
