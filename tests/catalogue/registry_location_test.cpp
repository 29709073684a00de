#include <gtest/gtest.h>

#include <string>

#include "catalogue/registry.h"
#include "catalogue/settings_location.h"
#include "tests/support/test_machine.h"

namespace {

const char kOneSection[] =
    "[SectionNames]\nSectionCount=1\nSection01=Print\n[Section01]\nItemCount=1\nItem01=Density\n"
    "[Print_Lang_EN]\nTitle=Print quality\n[Print_Lang_CN]\nTitle=CN\n";

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

struct LocationCase {
  const char *driver;
  const char *fileName;
};

TEST_F(Catalogues, SettingsFileIsNamedAfterTheDriver) {
  const LocationCase cases[] = {
      {"Brand Laser 5", "Laser 5_Settings.Dat"},
      {"Brand Laser 5 Series", "Laser 5 Series_Settings.Dat"},
      {"Laser5", "Laser5_Settings.Dat"},
      {"Trailing ", "_Settings.Dat"},
  };
  int n = 0;
  for (const LocationCase &c : cases) {
    WString printer = Printer("Location printer " + std::to_string(n++), c.driver, "");
    WCHAR path[260] = {};
    ASSERT_EQ(LocateSettingsFile(printer.c_str(), path), 1) << c.driver;
    EXPECT_EQ(Utf8(path), Utf8(testing_machine::DriverDirectory()) + "\\3\\" + c.fileName);
  }
}

TEST_F(Catalogues, PrintersOfOneDriverShareTheFile) {
  WString a = Printer("Shared driver A", "Brand Shared 1", ""), b = Printer("Shared driver B", "Brand Shared 1", "");
  WCHAR pa[260], pb[260];
  ASSERT_EQ(LocateSettingsFile(a.c_str(), pa), 1);
  ASSERT_EQ(LocateSettingsFile(b.c_str(), pb), 1);
  EXPECT_EQ(Utf8(pa), Utf8(pb));
}

TEST_F(Catalogues, UnknownPrinterLeavesThePathUntouched) {
  WCHAR path[260];
  for (WCHAR &c : path) c = WCHAR('#');
  EXPECT_EQ(LocateSettingsFile(Wide("No such printer here").c_str(), path), 0);
  for (WCHAR c : path) ASSERT_EQ(c, WCHAR('#'));
}

TEST_F(Catalogues, OpenLoadsAndMakesCurrentReleaseForgets) {
  WString a = Printer("Registry A", "Brand Registry A", kOneSection);
  WString b = Printer("Registry B", "Brand Registry B", "");
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  SettingsCatalogue *ca = CurrentCatalogue();
  ASSERT_NE(ca, nullptr);
  EXPECT_EQ(FindCatalogue(a.c_str()), ca);
  EXPECT_EQ(Utf8(ca->PrinterName), "Registry A");
  ASSERT_EQ(ca->SectionCount, 1);
  ca->Sections[0].Items[0].CurrentValue = 42;

  ASSERT_EQ(OpenCatalogue(b.c_str()), 1);
  SettingsCatalogue *cb = CurrentCatalogue();
  EXPECT_NE(cb, ca);
  EXPECT_EQ(cb->SectionCount, 0);

  ReleaseCatalogue(a.c_str());
  EXPECT_EQ(FindCatalogue(a.c_str()), nullptr);
  EXPECT_EQ(FindCatalogue(b.c_str()), cb);
  EXPECT_EQ(OpenCatalogueCount(), 1);
  ReleaseCatalogue(b.c_str());

  // A later open reads the file afresh: the value chosen before is gone.
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  EXPECT_EQ(CurrentCatalogue()->Sections[0].Items[0].CurrentValue, 1);
  ReleaseCatalogue(a.c_str());
}

TEST_F(Catalogues, NamesDifferingInCaseAreDifferentKeys) {
  WString upper = Printer("CASE printer", "Brand Case 1", kOneSection);
  WString lower = Printer("case printer", "Brand Case 1", kOneSection);
  ASSERT_EQ(OpenCatalogue(upper.c_str()), 1);
  EXPECT_EQ(FindCatalogue(lower.c_str()), nullptr);
  ASSERT_EQ(OpenCatalogue(lower.c_str()), 1);
  EXPECT_NE(FindCatalogue(lower.c_str()), FindCatalogue(upper.c_str()));
  ReleaseCatalogue(upper.c_str());
  ReleaseCatalogue(lower.c_str());
}

TEST_F(Catalogues, TwoPagesOfOnePrinterShareOneCatalogue) {
  WString a = Printer("Two pages", "Brand Two Pages", kOneSection);
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  SettingsCatalogue *first = CurrentCatalogue();
  first->Sections[0].Items[0].CurrentValue = 9;
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  EXPECT_EQ(CurrentCatalogue(), first);
  EXPECT_EQ(first->Sections[0].Items[0].CurrentValue, 9) << "the second page must not reload";
  EXPECT_EQ(OpenCatalogueCount(), 1);
  ReleaseCatalogue(a.c_str());
  EXPECT_EQ(FindCatalogue(a.c_str()), first);
  ReleaseCatalogue(a.c_str());
  EXPECT_EQ(FindCatalogue(a.c_str()), nullptr);
  ReleaseCatalogue(a.c_str());  // one release too many does nothing
}

// A preview registers a record it loaded itself under a name no spooler knows; pages of that name share it, and a
// later record under the same name is dropped in its favour.
TEST_F(Catalogues, ARecordLoadedElsewhereIsSharedUnderItsName) {
  const WString name = Wide("Settings.Dat of a preview");
  UniqueCatalogue loaded = NewCatalogue();
  ASSERT_TRUE(loaded);
  loaded.get()->SectionCount = 1;
  SettingsCatalogue *record = loaded.get();
  ASSERT_EQ(OpenCatalogue(name.c_str(), std::move(loaded)), 1);
  EXPECT_EQ(CurrentCatalogue(), record);
  EXPECT_EQ(Utf8(record->PrinterName), Utf8(name));

  SetCurrentCatalogue(nullptr);
  ASSERT_EQ(OpenCatalogue(name.c_str()), 1);  // the page: no settings file is looked for
  EXPECT_EQ(CurrentCatalogue(), record);
  EXPECT_EQ(record->SectionCount, 1);
  ASSERT_EQ(OpenCatalogue(name.c_str(), NewCatalogue()), 1);
  EXPECT_EQ(CurrentCatalogue(), record);
  EXPECT_EQ(OpenCatalogueCount(), 1);
  for (int page = 0; page < 3; ++page) {
    EXPECT_EQ(FindCatalogue(name.c_str()), record);
    ReleaseCatalogue(name.c_str());
  }
  EXPECT_EQ(FindCatalogue(name.c_str()), nullptr);
  EXPECT_EQ(OpenCatalogue(name.c_str(), UniqueCatalogue()), 0) << "no record, nothing to register";
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

TEST_F(Catalogues, LongPrinterNamesAreKeyedWhole) {
  std::string stem(60, 'p');
  WString one = Wide(stem + "1"), two = Wide(stem + "2");
  ASSERT_EQ(OpenCatalogue(one.c_str()), 1);
  ASSERT_EQ(OpenCatalogue(two.c_str()), 1);
  EXPECT_NE(FindCatalogue(one.c_str()), FindCatalogue(two.c_str()));
  EXPECT_EQ(Utf8(FindCatalogue(one.c_str())->PrinterName), std::string(49, 'p'));
  ReleaseCatalogue(one.c_str());
  EXPECT_NE(FindCatalogue(two.c_str()), nullptr);
  ReleaseCatalogue(two.c_str());
}

TEST_F(Catalogues, UnknownPrinterGetsAnEmptyCatalogue) {
  ASSERT_EQ(OpenCatalogue(Wide("Printer nobody knows").c_str()), 1);
  ASSERT_NE(CurrentCatalogue(), nullptr);
  EXPECT_EQ(CurrentCatalogue()->SectionCount, 0);
  ReleaseCatalogue(Wide("Printer nobody knows").c_str());
}

TEST_F(Catalogues, LanguageFollowsTheSystem) {
  if (!testing_machine::UseSystemLanguage(2052)) GTEST_SKIP() << "the system language is not Chinese";
  WString a = Printer("Language printer", "Brand Language 1", kOneSection);
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  EXPECT_EQ(Utf8(CurrentCatalogue()->Sections[0].Title), "CN");
  ReleaseCatalogue(a.c_str());
}

}  // namespace
