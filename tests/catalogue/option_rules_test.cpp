#include "catalogue/option_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/test_machine.h"

namespace {

using Options = std::vector<std::pair<LONG, std::string>>;

// Builds the list and returns it as (value, text) pairs; checks the count and frees the nodes.
Options Parse(const std::string &type, const std::string &rule) {
  SettingsOption *head = nullptr;
  WString wtype = Wide(type), wrule = Wide(rule);
  DWORD count = ParseOptionRule(wtype.c_str(), wrule.c_str(), &head);
  Options out;
  for (SettingsOption *p = head; p; p = p->Next) out.emplace_back(p->Value, Utf8(p->Text));
  EXPECT_EQ(count, out.size());
  FreeOptionList(head, count);
  return out;
}

struct RuleCase {
  const char *type;
  const char *rule;
  Options expected;
};

class OptionRuleCases : public ::testing::TestWithParam<RuleCase> {};

TEST_P(OptionRuleCases, BuildsTheListInRuleOrder) {
  const RuleCase &c = GetParam();
  EXPECT_EQ(Parse(c.type, c.rule), c.expected) << c.type << " " << c.rule;
}

INSTANTIATE_TEST_SUITE_P(
    Enum, OptionRuleCases,
    ::testing::Values(
        RuleCase{"Enum", "0=Off 1=On 2=Very high", {{0, "Off"}, {1, "On"}, {2, "Very high"}}},
        RuleCase{"enum", "0=Off 1=On", {{0, "Off"}, {1, "On"}}},
        RuleCase{"ENUM", "5=Five", {{5, "Five"}}},
        // Values need not be sorted or unique; negative values are read as written.
        RuleCase{"Enum", "-1=None 3=Three 3=Again 0=Zero", {{-1, "None"}, {3, "Three"}, {3, "Again"}, {0, "Zero"}}},
        // The first value keeps five characters, a later one four.
        RuleCase{"Enum", "12345=A 12345=B -1234=C", {{12345, "A"}, {1234, "B"}, {-123, "C"}}},
        // The last text keeps 18 characters; a middle one everything before the blank ahead of the next value.
        RuleCase{"Enum", "1=abcdefghijklmnopqrstuvwxyz0123", {{1, "abcdefghijklmnopqr"}}},
        RuleCase{"Enum", "1=Two  blanks  2=x", {{1, "Two  blanks "}, {2, "x"}}},
        RuleCase{"Enum", "", {}},
        RuleCase{"Enum", "no pairs here", {}},
        RuleCase{"Enum", "=", {{0, ""}}},
        RuleCase{"Enum", "x=", {{0, ""}}},
        // A later value without a blank before it is read from where the previous text began.
        RuleCase{"Enum", "0=Off1=On", {{0, "Off1"}, {0, "On"}}}));

INSTANTIATE_TEST_SUITE_P(
    Serial, OptionRuleCases,
    ::testing::Values(
        RuleCase{"Serial", "MIN=1 MAX=10 STEP=3 TITLE= mm", {{1, "1 MM"}, {4, "4 MM"}, {7, "7 MM"}, {10, "10 MM"}}},
        RuleCase{"serial", "min=2 max=4", {{2, "2"}, {3, "3"}, {4, "4"}}},
        RuleCase{"Serial", "MIN=-3 MAX=3 STEP=2", {{-3, "-3"}, {-1, "-1"}, {1, "1"}, {3, "3"}}},
        RuleCase{"Serial", "TITLE=mm", {{0, "0MM"}}},
        RuleCase{"Serial", "MIN=5 MAX=4", {}},
        RuleCase{"Serial", "MIN=1 MAX=5 STEP=0", {}},
        RuleCase{"Serial", "MIN=1 MAX=5 STEP=-2", {}},
        // A range at the integer limit ends there instead of wrapping around.
        RuleCase{"Serial", "MIN=2147483646 MAX=99999999999 STEP=1", {{2147483646, "2147483646"},
                                                                     {2147483647, "2147483647"}}}));

INSTANTIATE_TEST_SUITE_P(Other, OptionRuleCases,
                         ::testing::Values(RuleCase{"", "0=Off", {}}, RuleCase{"List", "0=Off", {}},
                                           RuleCase{"Enumx", "0=Off", {}}));

TEST(OptionRules, EnumStopsAt256Options) {
  std::string rule;
  for (int i = 0; i < 300; ++i) rule += std::to_string(i % 1000) + "=T" + std::to_string(i) + " ";
  Options options = Parse("Enum", rule);
  ASSERT_EQ(options.size(), 256u);
  EXPECT_EQ(options[255], (std::pair<LONG, std::string>(255, "T255")));
}

TEST(OptionRules, SerialStopsAt4096Options) {
  EXPECT_EQ(Parse("Serial", "MIN=-2000000000 MAX=2000000000").size(), 4096u);
}

TEST(OptionRules, TextsStayWithinTheirField) {
  std::string longText(200, 'x');
  Options e = Parse("Enum", "1=" + longText + " 2=y");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].second, std::string(49, 'x'));
  Options s = Parse("Serial", "MIN=-2000000000 MAX=-2000000000 TITLE=" + longText);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].second, "-2000000000" + std::string(38, 'X'));
}

// The report gives a Serial rule's settings as read: what a decimal point or a word leaves of them, and the
// defaults of those not written.
TEST(OptionRules, ASerialReportGivesItsSettingsAsRead) {
  const struct {
    const char *rule;
    long long minimum, maximum, step;
  } cases[] = {
      {"MIN=2.5 MAX=60 STEP=2.5", 2, 60, 2},
      {"max=10", 0, 10, 1},
      {"MIN=-6 MAX=six STEP=2", -6, 0, 2},
  };
  for (const auto &c : cases) {
    RuleReport report;
    SettingsOption *head = nullptr;
    const DWORD count = ParseOptionRule(Wide("Serial").c_str(), Wide(c.rule).c_str(), &head, &report);
    FreeOptionList(head, count);
    EXPECT_EQ(report.minimum, c.minimum) << c.rule;
    EXPECT_EQ(report.maximum, c.maximum) << c.rule;
    EXPECT_EQ(report.step, c.step) << c.rule;
  }
}

}  // namespace
