// The registry of open catalogues: one record per printer name, shared by its pages, kept by holds.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/registry.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

const char kOneSection[] =
    "[SectionNames]\nSectionCount=1\nSection01=Print\n[Section01]\nItemCount=1\nItem01=Density\n"
    "[Print_Lang_EN]\nTitle=Print quality\n[Print_Lang_CN]\nTitle=CN\n";

TEST_F(Catalogues, OpenLoadsReleaseForgets) {
  WString a = Printer("Registry A", "Brand Registry A", kOneSection);
  WString b = Printer("Registry B", "Brand Registry B", "");
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  SettingsCatalogue *ca = FindCatalogue(a.c_str());
  ASSERT_NE(ca, nullptr);
  EXPECT_EQ(Utf8(ca->PrinterName), "Registry A");
  ASSERT_EQ(ca->SectionCount, 1);
  ca->Sections[0].Items[0].CurrentValue = 42;

  ASSERT_EQ(OpenCatalogue(b.c_str()), 1);
  SettingsCatalogue *cb = FindCatalogue(b.c_str());
  EXPECT_NE(cb, ca);
  EXPECT_EQ(cb->SectionCount, 0);

  ReleaseCatalogue(a.c_str());
  EXPECT_EQ(FindCatalogue(a.c_str()), nullptr);
  EXPECT_EQ(FindCatalogue(b.c_str()), cb);
  EXPECT_EQ(OpenCatalogueCount(), 1);
  ReleaseCatalogue(b.c_str());

  // A later open reads the file afresh: the value chosen before is gone.
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  EXPECT_EQ(FindCatalogue(a.c_str())->Sections[0].Items[0].CurrentValue, 1);
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
  SettingsCatalogue *first = FindCatalogue(a.c_str());
  first->Sections[0].Items[0].CurrentValue = 9;
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  EXPECT_EQ(FindCatalogue(a.c_str()), first);
  EXPECT_EQ(first->Sections[0].Items[0].CurrentValue, 9) << "the second page must not reload";
  EXPECT_EQ(OpenCatalogueCount(), 1);
  ReleaseCatalogue(a.c_str());
  EXPECT_EQ(FindCatalogue(a.c_str()), first);
  ReleaseCatalogue(a.c_str());
  EXPECT_EQ(FindCatalogue(a.c_str()), nullptr);
  ReleaseCatalogue(a.c_str());  // one release too many does nothing
}

// A hold keeps a record alive, and counted, but no longer open: the next page loads the file afresh.
TEST_F(Catalogues, AHeldRecordOutlivesItsPagesUnfound) {
  WString p = Printer("Held printer", "Brand Held 1", kOneSection);
  ASSERT_EQ(OpenCatalogue(p.c_str()), 1);
  SettingsCatalogue *first = FindCatalogue(p.c_str());
  {
    CatalogueHold hold = HoldCatalogue(p.c_str());
    ASSERT_EQ(hold.get(), first);
    ReleaseCatalogue(p.c_str());
    EXPECT_EQ(FindCatalogue(p.c_str()), nullptr) << "a held record was found after its last page";
    EXPECT_FALSE(HoldCatalogue(p.c_str()));
    EXPECT_EQ(OpenCatalogueCount(), 1) << "the hold did not keep its record";
    ASSERT_EQ(OpenCatalogue(p.c_str()), 1);
    EXPECT_NE(FindCatalogue(p.c_str()), first) << "a new page took the record only a hold kept";
    EXPECT_EQ(OpenCatalogueCount(), 2);
  }
  EXPECT_EQ(OpenCatalogueCount(), 1);
  ReleaseCatalogue(p.c_str());
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
  ASSERT_NE(FindCatalogue(Wide("Printer nobody knows").c_str()), nullptr);
  EXPECT_EQ(FindCatalogue(Wide("Printer nobody knows").c_str())->SectionCount, 0);
  ReleaseCatalogue(Wide("Printer nobody knows").c_str());
}

TEST_F(Catalogues, LanguageFollowsTheSystem) {
  if (!testing_machine::UseSystemLanguage(2052)) GTEST_SKIP() << "the system language is not Chinese";
  WString a = Printer("Language printer", "Brand Language 1", kOneSection);
  ASSERT_EQ(OpenCatalogue(a.c_str()), 1);
  EXPECT_EQ(Utf8(FindCatalogue(a.c_str())->Sections[0].Title), "CN");
  ReleaseCatalogue(a.c_str());
}

}  // namespace
