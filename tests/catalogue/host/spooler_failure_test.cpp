// Spooler answers that a real machine rarely gives, made by the emulation on demand.
#include <gtest/gtest.h>

#include "catalogue/registry.h"
#include "catalogue/settings_location.h"
#include "platform/host/control.h"
#include "tests/support/test_machine.h"

namespace {

TEST(LocationFailures, FailedSpoolerQueriesLeaveThePathUntouched) {
  for (const char *failing : {"GetPrinterDriverDirectoryW", "GetPrinterDriverW"}) {
    testing_machine::Reset();
    ASSERT_TRUE(testing_machine::AddTestPrinter(u"P", u"Brand Model"));
    host::FailSpoolerCall(failing);
    WCHAR path[260] = u"untouched";
    EXPECT_EQ(LocateSettingsFile(u"P", path), 0) << failing;
    EXPECT_EQ(Utf8(path), "untouched");
    EXPECT_EQ(host::OpenPrinterHandles(), 0) << failing;
    // The page still gets a valid, empty catalogue.
    ASSERT_EQ(OpenCatalogue(u"P"), 1);
    EXPECT_EQ(CurrentCatalogue()->SectionCount, 0);
    ReleaseCatalogue(u"P");
  }
}

TEST(LocationFailures, PathsThatDoNotFitAreRefused) {
  testing_machine::Reset();
  host::SetDriverDirectory("/tmp/" + std::string(230, 'd'));
  ASSERT_TRUE(testing_machine::AddTestPrinter(u"P", u"Brand " + std::u16string(20, u'm')));
  WCHAR path[260] = u"untouched";
  EXPECT_EQ(LocateSettingsFile(u"P", path), 0);
  EXPECT_EQ(Utf8(path), "untouched");
  ASSERT_TRUE(testing_machine::AddTestPrinter(u"Q", u"Brand m"));
  EXPECT_EQ(LocateSettingsFile(u"Q", path), 1);
  EXPECT_EQ(lstrlenW(path), 5 + 230 + 3 + 1 + 13);
}

}  // namespace
