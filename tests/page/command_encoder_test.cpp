// Command text of one item: the Instruction, the parameter groups by the catalogue's rule, then the tail.
#include "page/command_encoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/test_machine.h"

namespace {

// A catalogue of the test's own with one section of one item; option nodes belong to the test.
class EncoderCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    catalogue_.reset(new SettingsCatalogue());
    catalogue_->SectionCount = 1;
    catalogue_->Sections[0].ItemCount = 1;
    Set(WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("High256"));
  }

  void Set(const WString &instruction, LONG parameterCount, const WString &tail, const WString &rule) {
    SettingsItem &item = Item();
    lstrcpynW(item.Instruction, instruction.c_str(), ARRAYSIZE(item.Instruction));
    item.ParameterCount = parameterCount;
    lstrcpynW(catalogue_->InstructionTail, tail.c_str(), ARRAYSIZE(catalogue_->InstructionTail));
    lstrcpynW(catalogue_->ParameterRule, rule.c_str(), ARRAYSIZE(catalogue_->ParameterRule));
  }

  void SetOptions(const std::vector<LONG> &values) {
    options_.assign(values.size(), SettingsOption());
    for (size_t i = 0; i < values.size(); ++i) {
      options_[i].Value = values[i];
      options_[i].Next = i + 1 < values.size() ? &options_[i + 1] : nullptr;
    }
    Item().Options = options_.empty() ? nullptr : options_.data();
    Item().OptionCount = DWORD(values.size());
  }

  SettingsItem &Item() { return catalogue_->Sections[0].Items[0]; }

  // The text written for `value` through the size query, or "<none: reason>".
  std::string Encode(LONG value, bool choice = false) {
    DWORD size = 0;
    NoText why = NoText::kNone;
    auto encode = [&](LPWSTR text, DWORD *n) {
      return choice ? EncodeItemChoice(*catalogue_, 0, 0, value, text, n, &why)
                    : EncodeItemValue(*catalogue_, 0, 0, value, text, n, &why);
    };
    if (encode(nullptr, &size) != 0) return "<returned text for capacity 0>";
    if (size == 0) return std::string("<none: ") + ReasonName(why) + ">";
    EXPECT_EQ(why, NoText::kNone);
    std::vector<WCHAR> text(size + 1, WCHAR('#'));
    DWORD capacity = size;
    DWORD written = encode(text.data(), &capacity);
    EXPECT_EQ(written, size);
    EXPECT_EQ(capacity, size);
    EXPECT_EQ(text[size - 1], 0) << "the text fills its needed size exactly";
    EXPECT_EQ(text[size], WCHAR('#')) << "nothing past the capacity";
    return Utf8(text.data());
  }

  static const char *ReasonName(NoText why) {
    switch (why) {
      case NoText::kNone: return "none given";
      case NoText::kNoItem: return "no item";
      case NoText::kNoOption: return "no option";
      case NoText::kNoCommandOption: return "no-command option";
      case NoText::kUnknownRule: return "unknown rule";
      case NoText::kNegativeDigits: return "negative digits";
      case NoText::kTooLong: return "too long";
    }
    return "?";
  }

  std::unique_ptr<SettingsCatalogue> catalogue_;
  std::vector<SettingsOption> options_;
};

struct EncodeCase {
  const char *name;
  LPCWSTR instruction;
  LONG parameterCount;
  LPCWSTR tail;
  LPCWSTR rule;
  LONG value;
  const char *text;
};

const EncodeCase kEncodeCases[] = {
    // The worked example: Instruction 1B 40, two parameter bytes, tail 0D, value 300.
    {"high256", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("High256"), 300, "1B 40 01 2c 0D "},
    {"baseon30 writes three digits", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("BaseOn30"), 300, "1B 40 33 30 30 0D "},
    {"high256 negative", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("High256"), -1, "1B 40 ff ff 0D "},
    {"no parameters", WTEXT("1B 40"), 0, WTEXT("0D"), WTEXT("High256"), 300, "1B 40 0D "},
    {"empty tail", WTEXT("1B 40"), 2, WTEXT(""), WTEXT("High256"), 300, "1B 40 01 2c "},
    {"baseon30 one digit", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("BaseOn30"), 7, "1B 40 37 0D "},
    {"baseon30 four digits", WTEXT("1B 40"), 4, WTEXT("0D"), WTEXT("BaseOn30"), 1234, "1B 40 31 32 33 34 0D "},
    {"baseon30 padded", WTEXT("1B 40"), 6, WTEXT("0D"), WTEXT("BaseOn30"), 1234, "1B 40 30 30 31 32 33 34 0D "},
    {"multi-choice mask", WTEXT("1B 40"), 3, WTEXT("0D"), WTEXT("High256"), 0xA00000, "1B 40 a0 00 00 0D "},
    {"density dark", WTEXT("1B 44"), 1, WTEXT(""), WTEXT("High256"), 2, "1B 44 02 "},
    // Rule names are matched without regard to case.
    {"high256 small letters", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("high256"), 300, "1B 40 01 2c 0D "},
    {"baseon30 mixed case", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT("bASEoN30"), 300, "1B 40 33 30 30 0D "},
    {"empty instruction", WTEXT(""), 1, WTEXT(""), WTEXT("High256"), 5, " 05 "},
    // Digit borders.
    {"9", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), 9, "1B 39 "},
    {"10", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), 10, "1B 31 30 "},
    {"99", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), 99, "1B 39 39 "},
    {"100", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), 100, "1B 31 30 30 "},
    {"999", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), 999, "1B 39 39 39 "},
    {"1000 in four", WTEXT("1B"), 4, WTEXT(""), WTEXT("BaseOn30"), 1000, "1B 31 30 30 30 "},
    {"1000 in five", WTEXT("1B"), 5, WTEXT(""), WTEXT("BaseOn30"), 1000, "1B 30 31 30 30 30 "},
    {"0", WTEXT("1B"), 3, WTEXT(""), WTEXT("BaseOn30"), 0, "1B 30 "},
    {"high256 four bytes of -1", WTEXT("1B"), 4, WTEXT(""), WTEXT("High256"), -1, "1B ff ff ff ff "},
    {"high256 reduced modulo", WTEXT("1B"), 1, WTEXT(""), WTEXT("High256"), 300, "1B 2c "},
    {"high256 small values keep two digits", WTEXT("1B"), 4, WTEXT(""), WTEXT("High256"), 0x0102030A,
     "1B 01 02 03 0a "},
    // Beyond four bytes comes the sign.
    {"high256 six bytes", WTEXT("1B"), 6, WTEXT(""), WTEXT("High256"), 258, "1B 00 00 00 00 01 02 "},
    {"high256 six bytes negative", WTEXT("1B"), 6, WTEXT(""), WTEXT("High256"), -2, "1B ff ff ff ff ff fe "},
    // BaseOn30 never cuts a digit, and has no digit for a negative value.
    {"baseon30 more digits than groups", WTEXT("1B"), 2, WTEXT(""), WTEXT("BaseOn30"), 12345, "1B 31 32 33 34 35 "},
    {"baseon30 largest", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), 2147483647, "1B 32 31 34 37 34 38 33 36 34 37 "},
    {"baseon30 negative", WTEXT("1B"), 1, WTEXT(""), WTEXT("BaseOn30"), -1, "<none: negative digits>"},
    // Another rule: only an item without parameters has a whole command.
    {"unknown rule without parameters", WTEXT("1B 40"), 0, WTEXT("0D"), WTEXT("Ascii"), 5, "1B 40 0D "},
    {"unknown rule with parameters", WTEXT("1B 40"), 1, WTEXT("0D"), WTEXT("Ascii"), 5, "<none: unknown rule>"},
    {"empty rule with parameters", WTEXT("1B 40"), 2, WTEXT("0D"), WTEXT(""), 5, "<none: unknown rule>"},
    {"empty rule without parameters", WTEXT("1B 40"), 0, WTEXT(""), WTEXT(""), 5, "1B 40 "},
    // A tail of one digit is no byte: left out.
    {"tail of one digit", WTEXT("1B"), 1, WTEXT("0"), WTEXT("High256"), 1, "1B 01 "},
    {"tail of two bytes", WTEXT("1B"), 1, WTEXT("0D 0A"), WTEXT("High256"), 1, "1B 01 0D 0A "},
    // A ParameterCount read as -1 asks for four thousand million groups.
    {"huge parameter count", WTEXT("1B"), -1, WTEXT(""), WTEXT("High256"), 1, "<none: too long>"},
    {"huge parameter count, small decimal", WTEXT("1B"), -1, WTEXT(""), WTEXT("BaseOn30"), 5, "1B 35 "},
    {"huge parameter count, large decimal", WTEXT("1B"), -1, WTEXT(""), WTEXT("BaseOn30"), 5000, "<none: too long>"},
};

TEST_F(EncoderCatalogue, EncodesValuesByRule) {
  for (const EncodeCase &c : kEncodeCases) {
    Set(c.instruction, c.parameterCount, c.tail, c.rule);
    EXPECT_EQ(Encode(c.value), c.text) << c.name;
  }
}

TEST_F(EncoderCatalogue, NeededSizeIsExact) {
  struct {
    LPCWSTR tail, rule;
    LONG value;
    DWORD size;
  } cases[] = {{WTEXT("0D"), WTEXT("High256"), 300, 16},
               {WTEXT("0D"), WTEXT("BaseOn30"), 300, 19},
               {WTEXT(""), WTEXT("High256"), 300, 13},
               {WTEXT("0"), WTEXT("High256"), 300, 13}};
  for (const auto &c : cases) {
    Set(WTEXT("1B 40"), 2, c.tail, c.rule);
    DWORD size = 0;
    EXPECT_EQ(EncodeItemValue(*catalogue_, 0, 0, c.value, nullptr, &size), 0u);
    EXPECT_EQ(size, c.size);
  }
}

TEST_F(EncoderCatalogue, ACapacityTooSmallStoresTheNeedAndWritesNothing) {
  WCHAR text[32];
  for (DWORD capacity : {0u, 1u, 15u}) {
    for (WCHAR &c : text) c = WCHAR('#');
    DWORD size = capacity;
    EXPECT_EQ(EncodeItemValue(*catalogue_, 0, 0, 300, text, &size), 0u) << capacity;
    EXPECT_EQ(size, 16u);
    for (WCHAR c : text) ASSERT_EQ(c, WCHAR('#')) << capacity;
  }
  DWORD size = ARRAYSIZE(text);
  EXPECT_EQ(EncodeItemValue(*catalogue_, 0, 0, 300, text, &size), 16u);
  EXPECT_EQ(size, DWORD(ARRAYSIZE(text))) << "a large enough capacity is left as it was";
  EXPECT_EQ(Utf8(text), "1B 40 01 2c 0D ");
}

TEST_F(EncoderCatalogue, LongestFieldsAreReadWithinTheirWidth) {
  // Fields filled to the last character, without a terminator: read as 63 and 49 characters.
  for (WCHAR &c : Item().Instruction) c = WCHAR('A');
  for (WCHAR &c : catalogue_->InstructionTail) c = WCHAR('B');
  lstrcpynW(catalogue_->ParameterRule, WTEXT("High256"), 20);
  Item().ParameterCount = 1;
  std::string text = Encode(1);
  EXPECT_EQ(text, std::string(63, 'A') + " 01 " + std::string(49, 'B') + " ");
}

TEST_F(EncoderCatalogue, ChoicesBecomeValues) {
  Set(WTEXT("1B"), 1, WTEXT(""), WTEXT("High256"));
  SetOptions({0, -1, -32767, 7});
  struct {
    LONG choice;
    const char *text;
  } cases[] = {
      {0, "1B 00 "},  {1, "1B ff "},  // -1 is an ordinary value
      {2, "<none: no-command option>"},             // the no-command value
      {3, "1B 07 "},  {4, "<none: no option>"},     // no option there
      {-1, "<none: no option>"},                    // nothing chosen
  };
  for (const auto &c : cases) EXPECT_EQ(Encode(c.choice, true), c.text) << c.choice;

  SetOptions({});
  EXPECT_EQ(Encode(0, true), "<none: no option>");

  // A multi-choice item passes its mask through, even 0, whatever its options.
  Set(WTEXT("1B"), 3, WTEXT(""), WTEXT("High256"));
  EXPECT_EQ(Encode(0, true), "1B 00 00 00 ");
  EXPECT_EQ(Encode(0x800001, true), "1B 80 00 01 ");
}

TEST_F(EncoderCatalogue, NoTextLeavesTheSizeAlone) {
  SetOptions({-32767});
  Set(WTEXT("1B"), 1, WTEXT(""), WTEXT("High256"));
  WCHAR text[8] = {WCHAR('#')};
  DWORD size = 5;
  EXPECT_EQ(EncodeItemChoice(*catalogue_, 0, 0, 0, text, &size), 0u);
  EXPECT_EQ(EncodeItemChoice(*catalogue_, 0, 0, 9, text, &size), 0u);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(text[0], WCHAR('#'));
}

TEST_F(EncoderCatalogue, ItemsOutsideTheCatalogueHaveNoText) {
  struct {
    LONG section, item;
  } cases[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {10, 0}, {0, 32}};
  for (const auto &c : cases) {
    DWORD size = 0;
    EXPECT_EQ(EncodeItemValue(*catalogue_, c.section, c.item, 1, nullptr, &size), 0u);
    EXPECT_EQ(EncodeItemChoice(*catalogue_, c.section, c.item, 0, nullptr, &size), 0u);
    EXPECT_EQ(size, 0u) << c.section << "/" << c.item;
  }
  // Counts beyond the record's room are not followed.
  catalogue_->SectionCount = 50;
  catalogue_->Sections[0].ItemCount = 1000;
  DWORD size = 0;
  EXPECT_EQ(EncodeItemValue(*catalogue_, 10, 0, 1, nullptr, &size), 0u);
  EXPECT_EQ(EncodeItemValue(*catalogue_, 0, 32, 1, nullptr, &size), 0u);
  EXPECT_EQ(size, 0u);

  NoText why = NoText::kNone;
  EXPECT_EQ(EncodeItemChoice(*catalogue_, 10, 0, 0, nullptr, &size, &why), 0u);
  EXPECT_EQ(why, NoText::kNoItem);
}

// Sizes and texts of a choice: the mask of a multi-choice item, the row of a single-choice one.
TEST_F(EncoderCatalogue, ChoicesEncodeTheirItem) {
  DWORD size = 0;
  EXPECT_EQ(EncodeItemValue(*catalogue_, 0, 0, 300, nullptr, &size), 0u);
  EXPECT_EQ(size, 16u);
  WCHAR text[32];
  Set(WTEXT("1B 40"), 3, WTEXT("0D"), WTEXT("High256"));
  size = ARRAYSIZE(text);
  EXPECT_EQ(EncodeItemChoice(*catalogue_, 0, 0, 0x0102, text, &size), 19u);
  EXPECT_EQ(Utf8(text), "1B 40 00 01 02 0D ");
  Set(WTEXT("1B 40"), 1, WTEXT("0D"), WTEXT("High256"));
  SetOptions({7});
  EXPECT_EQ(EncodeItemChoice(*catalogue_, 0, 0, 1, text, &size), 0u) << "a single-choice item has no option at row 1";
}

}  // namespace
