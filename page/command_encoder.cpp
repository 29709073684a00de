#include "page/command_encoder.h"

#include "catalogue/catalogue.h"
#include "catalogue/registry.h"

namespace {

enum class Rule { High256, BaseOn30, Other };

// Length of a fixed-width text field, never reading past its width.
DWORD FieldLength(const WCHAR *field, DWORD width) {
  DWORD n = 0;
  while (n + 1 < width && field[n]) ++n;
  return n;
}

Rule RuleOf(const SettingsCatalogue &catalogue) {
  WCHAR rule[ARRAYSIZE(catalogue.ParameterRule)];
  lstrcpynW(rule, catalogue.ParameterRule, ARRAYSIZE(rule));
  if (lstrcmpiW(rule, WTEXT("High256")) == 0) return Rule::High256;
  if (lstrcmpiW(rule, WTEXT("BaseOn30")) == 0) return Rule::BaseOn30;
  return Rule::Other;
}

const SettingsItem *ItemOf(const SettingsCatalogue *catalogue, LONG section, LONG item) {
  if (!catalogue || section < 0 || section >= catalogue->SectionCount || section >= kMaxSections) return nullptr;
  const SettingsSection &s = catalogue->Sections[section];
  if (item < 0 || item >= s.ItemCount || item >= kMaxItems) return nullptr;
  return &s.Items[item];
}

// Decimal digits of a value that is not negative.
DWORD DigitCount(LONG value) {
  DWORD digits = 1;
  for (LONG v = value; v >= 10; v /= 10) ++digits;
  return digits;
}

// The parameter bytes of one command, most significant first.
class Parameters {
 public:
  Parameters(Rule rule, LONG value, DWORD count) : rule_(rule), value_(value), count_(count) {}

  BYTE Group(DWORD i) const {
    DWORD position = count_ - 1 - i;  // groups after this one
    if (rule_ == Rule::High256) {
      // Beyond the value's four bytes comes its sign: 00 for a positive value, ff for a negative one.
      if (position >= 4) return value_ < 0 ? 0xFF : 0x00;
      return BYTE(DWORD(value_) >> (8 * position));
    }
    // BaseOn30: the decimal digit at this position as its character code; leading positions are '0'.
    LONG v = value_;
    for (DWORD p = 0; p < position && v; ++p) v /= 10;
    return BYTE(0x30 + v % 10);
  }

 private:
  Rule rule_;
  LONG value_;
  DWORD count_;
};

void Put(LPWSTR text, DWORD &at, const WCHAR *from, DWORD count) {
  for (DWORD i = 0; i < count; ++i) text[at++] = from[i];
}

void PutGroup(LPWSTR text, DWORD &at, BYTE group) {
  static const char digits[] = "0123456789abcdef";
  text[at++] = WCHAR(digits[group >> 4]);
  text[at++] = WCHAR(digits[group & 0xF]);
  text[at++] = WCHAR(' ');
}

}  // namespace

DWORD EncodeItemValue(LONG section, LONG item, LONG value, LPWSTR text, DWORD *size) {
  if (!size) return 0;
  const SettingsCatalogue *catalogue = CurrentCatalogue();
  const SettingsItem *entry = ItemOf(catalogue, section, item);
  if (!entry) return 0;

  Rule rule = RuleOf(*catalogue);
  unsigned long long groups = DWORD(entry->ParameterCount);
  if (rule == Rule::BaseOn30) {
    // A digit group for a negative value would not be a digit.
    if (value < 0) return 0;
    // Below 1000 the value's own digits count, whatever ParameterCount says; from 1000 on ParameterCount pads with
    // leading '0' groups but never cuts a digit off.
    DWORD digits = DigitCount(value);
    if (value < 1000 || digits > groups) groups = digits;
  } else if (rule == Rule::Other && groups > 0) {
    // No rule says how a value becomes bytes: a command with parameters would be incomplete.
    return 0;
  }

  const DWORD instructionLength = FieldLength(entry->Instruction, ARRAYSIZE(entry->Instruction));
  DWORD tailLength = FieldLength(catalogue->InstructionTail, ARRAYSIZE(catalogue->InstructionTail));
  if (tailLength < 2) tailLength = 0;  // a single digit is not a byte
  unsigned long long needed = instructionLength + 1 + 3 * groups + 1 + (tailLength ? tailLength + 1 : 0);
  if (needed > kMaxCommandChars) return 0;

  if (!text || *size < needed) {
    *size = DWORD(needed);
    return 0;
  }

  DWORD at = 0;
  Put(text, at, entry->Instruction, instructionLength);
  text[at++] = WCHAR(' ');
  Parameters parameters(rule, value, DWORD(groups));
  for (DWORD i = 0; i < groups; ++i) PutGroup(text, at, parameters.Group(i));
  if (tailLength) {
    Put(text, at, catalogue->InstructionTail, tailLength);
    text[at++] = WCHAR(' ');
  }
  text[at] = 0;
  return DWORD(needed);
}

DWORD EncodeItemChoice(LONG section, LONG item, LONG choice, LPWSTR text, DWORD *size) {
  const SettingsItem *entry = ItemOf(CurrentCatalogue(), section, item);
  if (!entry || !size) return 0;
  LONG value = choice;
  if (DWORD(entry->ParameterCount) <= 1) {
    const SettingsOption *option = OptionAt(*entry, choice);
    if (!option || option->Value == kNoCommandValue) return 0;
    value = option->Value;
  }
  return EncodeItemValue(section, item, value, text, size);
}
