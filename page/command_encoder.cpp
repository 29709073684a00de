#include "page/command_encoder.h"

#include "catalogue/vocabulary.h"

namespace {

enum class Rule { High256, BaseOn30, Other };

Rule RuleOf(const SettingsCatalogue &catalogue) {
  WCHAR rule[ARRAYSIZE(catalogue.ParameterRule)];
  lstrcpynW(rule, catalogue.ParameterRule, ARRAYSIZE(rule));
  if (lstrcmpiW(rule, kHigh256Rule) == 0) return Rule::High256;
  if (lstrcmpiW(rule, kBaseOn30Rule) == 0) return Rule::BaseOn30;
  return Rule::Other;
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
  FormatHexByte(group, text + at);
  at += 2;
  text[at++] = WCHAR(' ');
}

DWORD NoTextBecause(NoText reason, NoText *why) {
  if (why) *why = reason;
  return 0;
}

}  // namespace

void FormatHexByte(BYTE value, WCHAR *digits) {
  static const char kDigits[] = "0123456789abcdef";
  digits[0] = WCHAR(kDigits[value >> 4]);
  digits[1] = WCHAR(kDigits[value & 0xF]);
}

DWORD EncodeItemValue(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value, LPWSTR text,
                      DWORD *size, NoText *why) {
  if (why) *why = NoText::kNone;
  if (!size) return 0;
  const SettingsItem *entry = ItemAt(catalogue, section, item);
  if (!entry) return NoTextBecause(NoText::kNoItem, why);

  Rule rule = RuleOf(catalogue);
  unsigned long long groups = DWORD(entry->ParameterCount);
  if (rule == Rule::BaseOn30) {
    // A digit group for a negative value would not be a digit.
    if (value < 0) return NoTextBecause(NoText::kNegativeDigits, why);
    // Below 1000 the value's own digits count, whatever ParameterCount says; from 1000 on ParameterCount pads with
    // leading '0' groups but never cuts a digit off.
    DWORD digits = DigitCount(value);
    if (value < 1000 || digits > groups) groups = digits;
  } else if (rule == Rule::Other && groups > 0) {
    // No rule says how a value becomes bytes: a command with parameters would be incomplete.
    return NoTextBecause(NoText::kUnknownRule, why);
  }

  const DWORD instructionLength = FieldLength(entry->Instruction);
  DWORD tailLength = FieldLength(catalogue.InstructionTail);
  if (tailLength < 2) tailLength = 0;  // a single digit is not a byte
  unsigned long long needed = instructionLength + 1 + 3 * groups + 1 + (tailLength ? tailLength + 1 : 0);
  if (needed > kMaxCommandChars) return NoTextBecause(NoText::kTooLong, why);

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
    Put(text, at, catalogue.InstructionTail, tailLength);
    text[at++] = WCHAR(' ');
  }
  text[at] = 0;
  return DWORD(needed);
}

DWORD EncodeItemChoice(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice, LPWSTR text,
                       DWORD *size, NoText *why) {
  if (why) *why = NoText::kNone;
  const SettingsItem *entry = ItemAt(catalogue, section, item);
  if (!entry) return NoTextBecause(NoText::kNoItem, why);
  if (!size) return 0;
  LONG value = choice;
  if (!ChoiceValue(*entry, choice, &value)) return NoTextBecause(NoText::kNoOption, why);
  if (DWORD(entry->ParameterCount) <= 1 && value == kNoCommandValue)
    return NoTextBecause(NoText::kNoCommandOption, why);
  return EncodeItemValue(catalogue, section, item, value, text, size, why);
}

bool ChoiceValue(const SettingsItem &item, LONG choice, LONG *value) {
  *value = choice;
  if (DWORD(item.ParameterCount) > 1) return true;
  const SettingsOption *option = OptionAt(item, choice);
  if (!option) return false;
  *value = option->Value;
  return true;
}
