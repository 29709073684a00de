// Catalogue records of the test's own, and printers whose settings files the registry and the location find.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "catalogue/loader.h"
#include "catalogue/registry.h"
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

// A fresh machine; no test leaves a catalogue open.
class Catalogues : public ::testing::Test {
 protected:
  void SetUp() override { testing_machine::Reset(); }
  void TearDown() override { EXPECT_EQ(OpenCatalogueCount(), 0) << "a catalogue was left open"; }

  // A printer on a driver of its own, so that tests never share a settings file.
  WString Printer(const std::string &name, const std::string &driver, const std::string &settings) {
    WString wdriver = Wide(driver);
    EXPECT_TRUE(testing_machine::AddTestPrinter(Wide(name), wdriver));
    if (!settings.empty()) testing_machine::WriteSettingsFile(wdriver, settings);
    return Wide(name);
  }
};
