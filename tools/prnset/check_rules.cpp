// Option rules and values: where an "Enum" or "Serial" rule, a default or an option value does not come out as the
// author wrote it.
#include <map>
#include <utility>

#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

constexpr size_t kEnumValueChars = 5;     // a value is read from this many characters
constexpr size_t kEnumStretchChars = 49;  // an option's text and the next value fit in this many
constexpr size_t kEnumLastTextChars = 18;
constexpr DWORD kEnumMaxOptions = 256;
constexpr size_t kOptionTextChars = 49;
constexpr long long kSerialMaxOptions = 4096;
constexpr int kMaskRows = 24;

// The option rules' integer reading: blanks, a sign, digits up to the first non-digit; held to 32 bits.
LONG ReadInteger(const WString &text, size_t from, size_t to) {
  if (to > text.size()) to = text.size();
  size_t p = from;
  while (p < to && text[p] == ' ') ++p;
  bool negative = false;
  if (p < to && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
  long long magnitude = 0;
  for (; p < to && text[p] >= '0' && text[p] <= '9'; ++p) {
    magnitude = magnitude * 10 + (text[p] - '0');
    if (magnitude > 2147483648LL) magnitude = 2147483648LL;
  }
  long long value = negative ? -magnitude : magnitude;
  return LONG(value > 2147483647LL ? 2147483647LL : value);
}

// Whether a number starts at `from`: blanks, a sign, then at least one digit.
bool StartsWithNumber(const WString &text, size_t from) {
  size_t p = from;
  while (p < text.size() && text[p] == ' ') ++p;
  if (p < text.size() && (text[p] == '-' || text[p] == '+')) ++p;
  return p < text.size() && text[p] >= '0' && text[p] <= '9';
}

bool IsNumberText(const WString &text) {
  size_t p = 0;
  while (p < text.size() && text[p] == ' ') ++p;
  if (p < text.size() && (text[p] == '-' || text[p] == '+')) ++p;
  if (p >= text.size()) return false;
  for (; p < text.size(); ++p)
    if (text[p] < '0' || text[p] > '9') return false;
  return true;
}

std::string Ordinal(DWORD index) { return "option " + std::to_string(index + 1); }

// Bytes as prnset encode and job print them: capital digits, one blank between.
std::string HexBytes(LONG value, int count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (int i = count - 1; i >= 0; --i) {
    BYTE b = BYTE(DWORD(value) >> (8 * i));
    if (!out.empty()) out += ' ';
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::string HexMask(DWORD mask) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (int i = 5; i >= 0; --i) out += kDigits[(mask >> (4 * i)) & 15];
  if (mask >> 24) out = std::to_string(mask);
  else out = "0x" + out;
  return out;
}

enum class Rule { High256, BaseOn30, Other };

Rule RuleOf(const SettingsCatalogue &catalogue) {
  WString rule = FieldText(catalogue.ParameterRule);
  if (lstrcmpiW(rule.c_str(), WTEXT("High256")) == 0) return Rule::High256;
  if (lstrcmpiW(rule.c_str(), WTEXT("BaseOn30")) == 0) return Rule::BaseOn30;
  return Rule::Other;
}

struct Option {
  LONG value;
  WString text;
};

std::string Named(const Option &option) {
  return Quoted(option.text) + " (" + std::to_string(option.value) + ")";
}

}  // namespace

void CheckEnumRule(const WString &rule, int line, const std::string &where, Findings &findings) {
  DWORD count = 0;
  size_t q = 0;
  for (; count < kEnumMaxOptions; ++count) {
    size_t equals = rule.find(WCHAR('='), q);
    if (equals == WString::npos) break;

    // The value: from the start of the rule for the first pair, else from the last blank before its '='.
    size_t valueStart = 0, tokenStart = 0;
    if (count > 0) {
      size_t blank = rule.rfind(WCHAR(' '), equals);
      if (blank == WString::npos || blank < q) {
        findings.Warning(line, "enum-no-blank", where + ": " + Ordinal(count) + " has no blank before its value, " +
                                   Quoted(rule.substr(q, equals - q)) +
                                   ": it runs together with the text before it");
        valueStart = tokenStart = q;
      } else {
        valueStart = blank;
        tokenStart = blank + 1;
      }
    }
    WString token = rule.substr(tokenStart, equals - tokenStart);
    LONG value = ReadInteger(rule, valueStart, valueStart + kEnumValueChars);
    if (!IsNumberText(token))
      findings.Warning(line, "enum-value-not-number", where + ": the value " + Quoted(token) + " of " + Ordinal(count) +
                                 " is not a number: it reads as " + std::to_string(value));
    else if (equals > valueStart + kEnumValueChars)
      findings.Warning(line, "enum-value-cut", where + ": the value " + Quoted(token) + " of " + Ordinal(count) +
                                 " is longer than the rule reads: it reads as " + std::to_string(value));

    // The text: up to the blank before the next value, or to the end for the last option.
    q = equals + 1;
    size_t next = rule.find(WCHAR('='), q);
    WString text;
    if (next != WString::npos) {
      if (next - q > kEnumStretchChars)
        findings.Warning(line, "enum-text-cut", where + ": the text of " + Ordinal(count) + " and the value after it, " +
                                   Quoted(rule.substr(q, next - q)) + ", run " + std::to_string(next - q) +
                                   " characters: the text is cut to 49");
      size_t blank = rule.rfind(WCHAR(' '), next);
      text = rule.substr(q, (blank == WString::npos || blank < q ? next : blank) - q);
    } else {
      text = rule.substr(q);
      if (text.size() > kEnumLastTextChars)
        findings.Warning(line, "enum-last-text-cut", where + ": the last option's text " + Quoted(text) + " has " +
                                   std::to_string(text.size()) + " characters: it is cut to 18, " +
                                   Quoted(text.substr(0, kEnumLastTextChars)));
    }
    if (text.empty()) findings.Warning(line, "enum-empty-text", where + ": " + Ordinal(count) + " has no text: its row is empty");
  }
  if (count == 0)
    findings.Warning(line, "enum-no-pairs", where + " has no value=text pair: the item has no options");
  else if (count == kEnumMaxOptions && rule.find(WCHAR('='), q) != WString::npos)
    findings.Warning(line, "enum-too-many", where + " has more than 256 options: only the first 256 are kept");
}

void CheckSerialRule(const WString &rule, int line, const std::string &where, Findings &findings) {
  // Keys are found in a capitalised copy, and the title is taken from it.
  WString upper = rule;
  for (WCHAR &c : upper)
    if (c >= 'a' && c <= 'z') c = WCHAR(c - 'a' + 'A');
  auto after = [&](const char *key) {
    size_t at = upper.find(Ascii(key));
    return at == WString::npos ? at : at + std::char_traits<char>::length(key);
  };
  size_t minAt = after("MIN="), maxAt = after("MAX="), stepAt = after("STEP="), titleAt = after("TITLE=");
  long long minimum = minAt == WString::npos ? 0 : ReadInteger(upper, minAt, upper.size());
  long long maximum = maxAt == WString::npos ? 0 : ReadInteger(upper, maxAt, upper.size());
  long long step = stepAt == WString::npos ? 1 : ReadInteger(upper, stepAt, upper.size());
  WString title = titleAt == WString::npos ? WString() : upper.substr(titleAt);

  // A setting written as a word reads as 0; that is the one thing to tell about the rule.
  bool words = false;
  const std::pair<const char *, size_t> settings[] = {{"MIN=", minAt}, {"MAX=", maxAt}, {"STEP=", stepAt}};
  for (const auto &setting : settings) {
    if (setting.second == WString::npos || StartsWithNumber(upper, setting.second)) continue;
    size_t end = rule.find(WCHAR(' '), setting.second);
    WString word = rule.substr(setting.second, end == WString::npos ? WString::npos : end - setting.second);
    findings.Warning(line, "serial-not-number", where + ": " + setting.first + Quoted(word) +
                                                    " is not a number: the rule reads " + setting.first + "0");
    words = true;
  }
  if (words) return;

  if (minAt == WString::npos && maxAt == WString::npos)
    findings.Warning(line, "serial-no-range", where + " has neither MIN= nor MAX=: it gives the single option 0");
  if (minimum > maximum) {
    findings.Warning(line, "serial-empty", where + ": MIN=" + std::to_string(minimum) + " is above MAX=" + std::to_string(maximum) +
                               ": the item has no options");
    return;
  }
  if (step < 1) {
    findings.Warning(line, "serial-step", where + ": STEP=" + std::to_string(step) + " is below 1: the item has no options");
    return;
  }
  long long count = (maximum - minimum) / step + 1;
  if (count > kSerialMaxOptions)
    findings.Warning(line, "serial-too-many", where + " gives " + std::to_string(count) + " options: only the first 4096 are kept");
  if (title.size() > kOptionTextChars)
    findings.Warning(line, "serial-title-cut", where + ": the title has " + std::to_string(title.size()) +
                               " characters and is cut to 49");
  title = Cut(title, kOptionTextChars);
  for (const char *key : {"MIN=", "MAX=", "STEP="})
    if (title.find(Ascii(key)) != WString::npos) {
      findings.Warning(line, "serial-title-not-last", where + ": TITLE= is not written last, so the title takes in the rest: " + Quoted(title));
      break;
    }
  // The longest texts belong to the ends of the range.
  long long last = minimum + ((count < kSerialMaxOptions ? count : kSerialMaxOptions) - 1) * step;
  for (long long v : {minimum, last}) {
    WString text = Ascii(std::to_string(v).c_str()) + title;
    if (text.size() > kOptionTextChars) {
      findings.Warning(line, "serial-text-cut", where + ": option texts such as " + Quoted(text) +
                                 " have more than 49 characters and are cut");
      break;
    }
  }
}

void CheckItemValues(const SettingsCatalogue &catalogue, const SettingsItem &item, bool enumRule,
                     const ItemLines &lines, const std::string &where, Findings &findings) {
  std::vector<Option> options;
  const SettingsOption *node = item.OptionCount ? item.Options : nullptr;
  for (DWORD i = 0; node && i < item.OptionCount; ++i, node = node->Next)
    options.push_back({node->Value, FieldText(node->Text)});
  const Rule rule = RuleOf(catalogue);
  const bool multiChoice = DWORD(item.ParameterCount) > 1;
  const LONG parameters = item.ParameterCount;
  const LONG defaultValue = item.DefaultValue;
  const std::string defaultText = lines.defaultValue ? "the default " + std::to_string(defaultValue)
                                                     : "with no default given, the value 1";

  if (multiChoice) {
    if (options.size() > size_t(kMaskRows))
      findings.Warning(lines.rule, "mask-too-many-options", where + " is multi-choice with " + std::to_string(options.size()) +
                                       " options: rows from 24 on have no bit and cannot be chosen");
    int rows = options.size() < size_t(kMaskRows) ? int(options.size()) : kMaskRows;
    DWORD allowed = rows ? (0xFFFFFFu & ~((1u << (kMaskRows - rows)) - 1)) : 0;
    if (rows > 0 && (DWORD(defaultValue) & ~allowed))
      findings.Warning(lines.defaultValue, "mask-bits", where + ": " + defaultText + " (mask " + HexMask(DWORD(defaultValue)) +
                                               ") sets bits that no option row stands for");
    if (rule == Rule::High256 && parameters >= 1 && parameters < 3 && !options.empty())
      findings.Warning(lines.parameterCount, "mask-too-few-bytes",
                       where + " is multi-choice with ParameterCount " + std::to_string(parameters) +
                           ": the bits of rows 0 to " + std::to_string(23 - 8 * parameters) + " do not fit " +
                           std::to_string(parameters) + " parameter bytes and are never sent");
  } else if (!options.empty()) {
    bool matched = false;
    for (const Option &option : options) matched = matched || option.value == defaultValue;
    if (!matched)
      findings.Warning(lines.defaultValue, "default-no-option", where + ": " + defaultText +
                                               " matches no option: the page selects no row, and Set Current "
                                               "sends nothing until one is chosen");
    if (enumRule) {
      std::map<LONG, size_t> first;
      for (size_t i = 0; i < options.size(); ++i) {
        auto seen = first.emplace(options[i].value, i);
        if (!seen.second)
          findings.Warning(lines.rule, "duplicate-values", where + ": options " + Quoted(options[seen.first->second].text) + " and " +
                                           Quoted(options[i].text) + " have the same value " +
                                           std::to_string(options[i].value) + ": the page selects the later one");
      }
    }
    for (const Option &option : options)
      if (option.value == -1) {
        findings.Warning(lines.rule, "option-minus-one", where + ": the option " + Quoted(option.text) +
                                         " has the value -1: choosing it keeps the item's previous value, so Set "
                                         "All never sends -1");
        break;
      }
    std::map<LONG, int> values;
    for (const Option &option : options) values[option.value]++;
    if (parameters == 0 && values.size() > 1)
      findings.Warning(lines.parameterCount ? lines.parameterCount : lines.rule, "parameter-count-zero",
                       where + " has ParameterCount 0: its options send no value, so every option sends the same "
                               "command");
    if (rule == Rule::High256 && parameters >= 1 && parameters <= 3) {
      long long low = -(1LL << (8 * parameters - 1)), high = (1LL << (8 * parameters)) - 1;
      int outside = 0;
      const Option *firstOutside = nullptr;
      for (const Option &option : options)
        if (option.value < low || option.value > high) {
          if (!outside++) firstOutside = &option;
        }
      if (firstOutside)
        findings.Warning(lines.rule, "value-too-large", where + ": " + std::to_string(outside) +
                                         (outside == 1 ? " option does" : " options do") + " not fit " +
                                         std::to_string(parameters) + " parameter byte" +
                                         (parameters == 1 ? "" : "s") + " and " + (outside == 1 ? "is" : "are") +
                                         " cut to the low bytes: " + Named(*firstOutside) + " is sent as " +
                                         HexBytes(firstOutside->value, parameters));
    }
    if (rule == Rule::BaseOn30) {
      int negative = 0;
      const Option *firstNegative = nullptr;
      for (const Option &option : options)
        if (option.value < 0 && !negative++) firstNegative = &option;
      if (firstNegative)
        findings.Warning(lines.rule, "negative-base-on-30", where + ": BaseOn30 cannot send negative values, and " +
                                         std::to_string(negative) + (negative == 1 ? " option is" : " options are") +
                                         " negative (first " + Named(*firstNegative) +
                                         "): choosing one sends nothing");
    }
  }
  if (!multiChoice && rule == Rule::High256 && parameters >= 1 && parameters <= 3) {
    long long low = -(1LL << (8 * parameters - 1)), high = (1LL << (8 * parameters)) - 1;
    if (defaultValue < low || defaultValue > high)
      findings.Warning(lines.defaultValue, "value-too-large", where + ": " + defaultText + " does not fit " +
                                               std::to_string(parameters) + " parameter byte" +
                                               (parameters == 1 ? "" : "s") + ": Set All sends " +
                                               HexBytes(defaultValue, parameters));
  }
  if (rule == Rule::BaseOn30 && defaultValue < 0)
    findings.Warning(lines.defaultValue, "negative-base-on-30", where + ": " + defaultText +
                                             " is negative: BaseOn30 cannot send it, so Set All sends nothing at all");
}

}  // namespace prnset
