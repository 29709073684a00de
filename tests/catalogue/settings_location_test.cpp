// Where the settings file of a printer is: in the driver directory's "3" folder, named after its driver.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/settings_location.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

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

}  // namespace
