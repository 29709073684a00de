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
    ASSERT_NE(FindCatalogue(u"P"), nullptr);
    EXPECT_EQ(FindCatalogue(u"P")->SectionCount, 0);
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

// A printer whose name fills the buffer (259 characters), and longer names that begin with it: those are refused,
// never cut down to that printer's name, by the location and by the registry, which opens nothing for them.
TEST(LocationFailures, NamesTheBufferCannotHoldAreRefusedNotCut) {
  testing_machine::Reset();
  const WString longest = testing_machine::NamesAroundThePathBuffer(u'n').front().name;
  ASSERT_TRUE(testing_machine::AddTestPrinter(longest, u"Brand Longest"));
  testing_machine::WriteSettingsFile(u"Brand Longest",
                                     "[SectionNames]\nSectionCount=1\nSection01=Print\n[Section01]\nItemCount=0\n");
  for (const testing_machine::LongName &c : testing_machine::NamesAroundThePathBuffer(u'n')) {
    SCOPED_TRACE(c.name.size());
    WCHAR path[260] = u"untouched";
    EXPECT_EQ(LocateSettingsFile(c.name.c_str(), path), c.fits ? 1 : 0);
    if (!c.fits) {
      EXPECT_EQ(Utf8(path), "untouched");
    }
    ASSERT_EQ(OpenCatalogue(c.name.c_str()), c.fits ? 1 : 0);
    if (c.fits) {
      ASSERT_NE(FindCatalogue(c.name.c_str()), nullptr);
      EXPECT_EQ(FindCatalogue(c.name.c_str())->SectionCount, 1);
    } else {
      EXPECT_EQ(OpenCatalogueCount(), 0);
    }
    ReleaseCatalogue(c.name.c_str());
    EXPECT_EQ(host::OpenPrinterHandles(), 0);
  }
}

}  // namespace
