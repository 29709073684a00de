// Loads settings texts into a catalogue of the test's own, made current for the loader.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue/loader.h"
#include "catalogue/registry.h"
#include "tests/support/test_machine.h"

class LoadedCatalogue {
 public:
  LoadedCatalogue() : record_(new SettingsCatalogue()) {}
  ~LoadedCatalogue() {
    FreeCatalogueOptions(*record_);
    if (CurrentCatalogue() == record_.get()) SetCurrentCatalogue(nullptr);
  }

  // Writes `text` to a scratch file and loads it in the given language.
  SettingsCatalogue &Load(const std::string &text, LANGID language = 1033, UINT codePage = 1252) {
    FreeCatalogueOptions(*record_);
    WString path = testing_machine::WriteTempFile("settings.ini", text);
    SetCurrentCatalogue(record_.get());
    EXPECT_EQ(LoadCatalogueIn(path.c_str(), LoadLanguage{language, codePage}), 1);
    return *record_;
  }

 private:
  std::unique_ptr<SettingsCatalogue> record_;
};

inline std::string Text(const WCHAR *s) { return Utf8(s); }
