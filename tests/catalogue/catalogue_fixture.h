// Loads settings texts into a catalogue record of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "catalogue/loader.h"
#include "tests/support/test_machine.h"

class LoadedCatalogue {
 public:
  LoadedCatalogue() : record_(NewCatalogue()) {}

  // Writes `text` to a scratch file and loads it in the given language.
  SettingsCatalogue &Load(const std::string &text, LANGID language = 1033, UINT codePage = 1252) {
    FreeCatalogueOptions(*record_.get());
    WString path = testing_machine::WriteTempFile("settings.ini", text);
    LoadCatalogue(*record_.get(), path.c_str(), LoadLanguage{language, codePage});
    return *record_.get();
  }

 private:
  UniqueCatalogue record_;
};

inline std::string Text(const WCHAR *s) { return Utf8(s); }
