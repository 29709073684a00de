// Option rules and values, worded: what the option rules noted about a rule text, and where an item's options or
// default send other bytes than meant, as the encoder makes them.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "catalogue/option_rules.h"
#include "page/command_encoder.h"
#include "page/job_bytes.h"
#include "platform/owner.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"
#include "tools/prnset/commands_text.h"

namespace prnset {

namespace {

std::string Ordinal(DWORD index) { return "option " + std::to_string(index + 1); }

// The bytes the printer gets for an item's value, or "nothing".
std::string SentBytes(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value) {
  const std::string bytes = ItemBytes(catalogue, section, item, value);
  return bytes.empty() ? "nothing" : bytes;
}

std::string HexMask(DWORD mask) {
  static const char kDigits[] = "0123456789ABCDEF";
  if (mask >> 24) return std::to_string(mask);
  std::string out = "0x";
  for (int i = 5; i >= 0; --i) out += kDigits[(mask >> (4 * i)) & 15];
  return out;
}

struct Option {
  LONG value;
  WString text;
};

std::string ValueBytes(const SettingsItem &item) {
  if (HighByteFixed(item)) return "one byte after the instruction's high byte 00";
  return std::to_string(item.ParameterCount) + " parameter byte" + (item.ParameterCount == 1 ? "" : "s");
}

std::string Named(const Option &option) { return Quoted(option.text) + " (" + std::to_string(option.value) + ")"; }

// "1, 2, 3 and 2 more": the values an author may write, those nearest `around` first. Without their texts, which
// differ by language, so that both pages' findings about one default line are told as one.
std::string ValueList(std::vector<Option> options, LONG around) {
  std::stable_sort(options.begin(), options.end(), [around](const Option &a, const Option &b) {
    return std::llabs(1LL * a.value - around) < std::llabs(1LL * b.value - around);
  });
  std::vector<std::string> values;
  for (const Option &option : options) values.push_back(std::to_string(option.value));
  return FirstNames(values);
}

// "0, 1, 2": the rows whose numbers are the set bits of `bits`.
std::string RowNumbers(DWORD bits) {
  std::vector<std::string> rows;
  for (int row = 0; row < 32; ++row)
    if (bits & (1u << row)) rows.push_back(std::to_string(row));
  return (rows.size() == 1 ? "row " : "rows ") + FirstNames(rows);
}

// The rows a multi-choice item of `options` options has bits for, and the mask of all of them (row 0 the highest
// of 24 bits).
int MaskRows(size_t options) { return options < size_t(kMaskRows) ? int(options) : kMaskRows; }
// For a single choice whose default is a mask of its rows (pasted from a multi-choice item, or its ParameterCount
// written under another item): the other way to mend it.
std::string MaskHint(const std::vector<Option> &options, LONG value, bool baseOn30) {
  const int rows = MaskRows(options.size());
  const DWORD rowBits = RowBits(options.size());
  if (rows < 2 || value <= 0 || (DWORD(value) & ~rowBits) || DWORD(value) < (1u << (kMaskRows - rows))) return "";
  DWORD ticked = 0;  // by row number, as both languages count them
  for (int row = 0; row < rows; ++row)
    if (DWORD(value) & (1u << (kMaskRows - 1 - row))) ticked |= 1u << row;
  return "; it is the mask of " + RowNumbers(ticked) +
         ": for tick boxes, give the item ParameterCount=" + (baseOn30 ? "8, a mask's digits" : "3, a mask's bytes");
}

// A mark that separates the entries of a list, typed plainly or with a Chinese input method.
bool IsListMark(WCHAR c) {
  const WCHAR plain = c < 0x80 ? c : PlainForm(c);
  return plain == ';' || plain == ',' || plain == '|' || plain == '/' || plain == '\t' || plain == ' ';
}

}  // namespace

std::string RowListHint(const WString &written, DWORD options) {
  const int rows = MaskRows(options);
  DWORD ticked = 0, mask = 0;
  // A mask a spreadsheet showed in scientific notation keeps the digits shown: the rest were rounded, and the low bits
  // they set belong to no row. The rows' bits of it are what was ticked.
  long long rounded = 0;
  if (ScientificWhole(Utf8(written), &rounded) && rounded > 0 && rounded <= 0xFFFFFF &&
      (DWORD(rounded) & ~RowBits(options)) && (DWORD(rounded) & RowBits(options))) {
    mask = DWORD(rounded) & RowBits(options);
    for (int row = 0; row < rows; ++row)
      if (mask & (1u << (kMaskRows - 1 - row))) ticked |= 1u << row;
    return "; " + Quoted(written) + " is " + std::to_string(rounded) +
           " in scientific notation, rounded to the digits shown, and sets bits of no row: the mask was probably " +
           std::to_string(mask) + ", " + RowNumbers(ticked) +
           "; write it, or take the mask from the file as it was before";
  }
  // The manual's drawing of the rows, row 0 first, a 1 for each row ticked ("101000", "0b101000").
  const bool prefixed = written.size() > 2 && written[0] == '0' && (written[1] | 0x20) == 'b';
  const WString drawn = written.substr(prefixed ? 2 : 0);
  if (drawn.size() >= (prefixed ? 1u : 3u) && drawn.size() <= size_t(rows) && drawn.find(WCHAR('1')) != WString::npos &&
      drawn.find_first_not_of(Ascii("01")) == WString::npos) {
    for (size_t row = 0; row < drawn.size(); ++row)
      if (drawn[row] == '1') ticked |= 1u << row, mask |= 1u << (kMaskRows - 1 - row);
    return "; if " + Quoted(written) + " draws the rows, row 0 first, it ticks " + RowNumbers(ticked) + ": write " +
           std::to_string(mask);
  }
  // The mask in hexadecimal without its 0x ("A00000"), as a program prints it.
  const bool hex = written.size() > 1 && written.size() <= 6 && std::all_of(written.begin(), written.end(), IsHexDigit) &&
                   std::any_of(written.begin(), written.end(), [](WCHAR c) { return c > '9'; });
  if (hex) {
    mask = DWORD(std::stoul(Utf8(written), nullptr, 16));
    if (mask & ~RowBits(options)) return "";
    for (int row = 0; row < rows; ++row)
      if (mask & (1u << (kMaskRows - 1 - row))) ticked |= 1u << row;
    return "; " + Quoted(written) + " is the mask of " + RowNumbers(ticked) + " in hexadecimal: write " +
           std::to_string(mask);
  }
  size_t numbers = 0;
  for (size_t at = 0; at < written.size();) {
    if (IsListMark(written[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < written.size() && end - at < 3 && written[end] >= '0' && written[end] <= '9') ++end;
    if (end == at || (end < written.size() && !IsListMark(written[end]))) return "";
    const int row = std::stoi(Utf8(written.substr(at, end - at)));
    if (row >= rows) return "";
    ticked |= 1u << row;
    mask |= 1u << (kMaskRows - 1 - row);
    ++numbers, at = end;
  }
  if (numbers < 2) return "";
  return "; a default lists no rows, it is their mask: to tick " + RowNumbers(ticked) + ", write " +
         std::to_string(mask);
}

// The values a single-choice item's parameter bytes carry under High256: two's complement, but for one byte after
// an instruction ending in 00, the high byte of a two-byte value, which carries 0 to 255 only.
bool HighByteFixed(const SettingsItem &item) {
  BYTE bytes[64];
  const DWORD count = HexTextToBytes(item.Instruction, bytes, sizeof bytes);
  return item.ParameterCount == 1 && count > 0 && bytes[count - 1] == 0;
}

long long FixedHigh(const SettingsItem &item) {
  BYTE bytes[64];
  const DWORD count = HexTextToBytes(item.Instruction, bytes, sizeof bytes);
  return item.ParameterCount == 1 && count > 1 ? 256LL * bytes[count - 1] : 0;
}

std::pair<long long, long long> ValueRange(const SettingsItem &item) {
  const LONG parameters = std::max<LONG>(1, std::min<LONG>(item.ParameterCount, 3));
  if (HighByteFixed(item)) return {0, 255};
  // A last instruction byte that is the high byte of every option's value (01 before 304 to 480 dots): the values
  // are written whole, and each goes out as its low byte after it, as meant.
  const long long high = FixedHigh(item);
  bool whole = high > 0 && item.OptionCount > 0;
  for (const SettingsOption *option = item.Options; whole && option; option = option->Next)
    whole = option->Value >= high && option->Value <= high + 255;
  if (whole) return {high, high + 255};
  return {-(1LL << (8 * parameters - 1)), (1LL << (8 * parameters)) - 1};
}

DWORD RowBits(size_t options) {
  const int rows = MaskRows(options);
  return rows ? (0xFFFFFFu & ~((1u << (kMaskRows - rows)) - 1)) : 0;
}

bool IsHigh256(const SettingsCatalogue &catalogue) {
  return lstrcmpiW(FieldText(catalogue.ParameterRule).c_str(), kHigh256Rule) == 0;
}

bool IsBaseOn30(const SettingsCatalogue &catalogue) {
  return lstrcmpiW(FieldText(catalogue.ParameterRule).c_str(), kBaseOn30Rule) == 0;
}

namespace {

// The character of code page 936 whose two bytes code page 1252 reads as `lead` and `trail`, or 0.
WCHAR SavedIn936(WCHAR lead, WCHAR trail) {
  const WString seen = SeenIn936(WString{lead, trail});
  return seen.size() == 1 ? seen[0] : 0;
}

// A mark quoted for a message; one outside ASCII is named by its code point too.
std::string Mark(WCHAR c) {
  if (c < 0x80) return Quoted(WString(1, c));
  const std::string kind = CharacterKind(c);
  return Quoted(WString(1, c)) + " (" + CodePoint(c) + (kind.empty() ? "" : ", " + kind) + ")";
}

// The rule with each `mark` before a pair (and the blanks around it) made one blank, as the pairs are meant.
WString Separated(const WString &rule, WCHAR mark) {
  WString out;
  for (size_t i = 0; i < rule.size(); ++i) {
    size_t next = i + 1;
    while (next < rule.size() && rule[next] == ' ') ++next;
    if (rule[i] != mark || next == rule.size() || !(rule[next] == '-' || (rule[next] >= '0' && rule[next] <= '9'))) {
      out += rule[i];
      continue;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += ' ';
    i = next - 1;
  }
  return out;
}

// More rows than an operator scrolls through to pick one.
constexpr DWORD kLongList = 1000;

// The step of a round size (1, 2, 2.5 or 5 times a power of ten) that keeps a Serial range within `rows` options,
// told with the end it then reaches: the range's own MAX when the step divides it, else the end to write.
std::string CoarserStep(const RuleReport &report, long long rows) {
  const long long span = report.maximum - report.minimum, least = (span + rows - 2) / (rows - 1);
  long long step = 0;
  for (long long power = 1; !step; power *= 10)
    for (long long size : {10, 20, 25, 50})
      if (!step && size * power / 10 >= least && size * power % 10 == 0) step = size * power / 10;
  if (span % step == 0) return "write STEP=" + std::to_string(step);
  return "write STEP=" + std::to_string(step) + " and MAX=" + std::to_string(report.minimum + span / step * step) +
         " (the last step), or STEP=" + std::to_string(step) +
         " and MIN=" + std::to_string(report.maximum - span / step * step) +
         " to reach MAX=" + std::to_string(report.maximum);
}

// A setting whose number a separator ends ("MAX=1.200", a thousands separator of a locale; "STEP=0,5", a decimal
// comma), or that is past the largest number: what the rule reads, and what to write. Empty when no setting has one.
std::string SettingNumberHint(const WString &rule, const char *first = "min=") {
  const std::string text = Utf8(rule);
  std::string folded = text;
  for (char &c : folded) c = char(std::tolower(static_cast<unsigned char>(c)));
  for (const char *key : {first, "min=", "max=", "step="}) {
    const size_t at = folded.find(key);
    if (at == std::string::npos || (at > 0 && folded[at - 1] != ' ')) continue;
    const size_t from = at + std::strlen(key);
    size_t end = from < text.size() && text[from] == '-' ? from + 1 : from;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end == from) continue;
    const std::string name = text.substr(at, from - at), digits = text.substr(from, end - from);
    // Past the largest number a setting holds (a negative value written by an unsigned column): it reads the
    // largest, and the number it stands for is its 32-bit pair.
    const std::string significant = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits[0] != '-' && (significant.size() > 10 || std::stoll("0" + significant) > 0x7FFFFFFFLL)) {
      const long long value = significant.size() <= 10 ? std::stoll(significant) : 0;
      const bool paired = value > 0 && value <= 0xFFFFFFFFLL;
      return "; " + name + digits + " is past the largest number a setting holds and reads " + name + "2147483647" +
             (paired ? ": as a 32-bit number it is " + std::to_string(value - 0x100000000LL) +
                           " written without its sign; write " + name + std::to_string(value - 0x100000000LL)
                     : ": write the number meant");
    }
    if (end + 1 >= text.size() || (text[end] != ',' && text[end] != '.') ||
        !std::isdigit(static_cast<unsigned char>(text[end + 1])))
      continue;
    size_t after = end + 1;
    while (after < text.size() && std::isdigit(static_cast<unsigned char>(text[after]))) ++after;
    // Three digits after the mark group thousands; other counts are a fraction, which no setting has.
    // A fraction counted in a finer unit: "0.5" is 5 tenths.
    const std::string finer = digits + text.substr(end + 1, after - end - 1);
    const size_t places = after - end - 1;
    return "; " + name + text.substr(from, after - from) + " ends at " + Quoted(WString(1, WCHAR(text[end]))) +
           " and reads " + name + digits +
           (places == 3
                ? ": write " + name + digits + text.substr(end + 1, 3) + " without the separator"
                : ": the settings are whole numbers; write the whole number meant, or count in a finer unit "
                  "if the printer takes one (" +
                      name + text.substr(from, after - from) + " is " + std::to_string(std::stoll(finer)) + " " +
                      (places == 1   ? "tenths"
                       : places == 2 ? "hundredths"
                                     : "parts in 10^" + std::to_string(places)) +
                      ")");
  }
  return std::string();
}

// A character of the word before a Serial rule's '=': a letter, or a character of another script (a setting's name
// typed in Chinese). Blanks and the full-width forms of ASCII are not.
bool IsSettingWordChar(WCHAR c) {
  if (c < 0x80) return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
  return !IsInvisible(c) && PlainForm(c) == 0 && !(c >= 0xFF01 && c <= 0xFF5E);
}

// For a Serial rule typed with a Chinese input method ("MIN＝5"): the hint that names the character and gives the
// rule in ASCII; empty when the rule, so typed again, would still have neither MIN= nor MAX=.
std::string TypedSettingsHint(const WString &rule) {
  WString typed;
  for (WCHAR c : rule) typed += c >= 0x80 && PlainForm(c) ? PlainForm(c) : c;
  const std::string folded = FoldedName(typed);
  return folded.find("min=") == std::string::npos && folded.find("max=") == std::string::npos ? std::string()
                                                                                                 : PlainHint(rule);
}

struct FreeOptions {
  DWORD count;
  void operator()(SettingsOption *head) const { FreeOptionList(head, count); }
};

// The text of the first option a Serial rule gives, as the page shows it; empty when it gives none.
WString FirstSerialText(const WString &rule) {
  SettingsOption *head = nullptr;
  const DWORD count = ParseOptionRule(kSerialRuleType, rule.c_str(), &head);
  const UniqueAny<SettingsOption *, FreeOptions> options(head, FreeOptions{count});
  return count && head ? FieldText(head->Text) : WString();
}

}  // namespace

void CheckSerialSettings(const WString &rule, int line, const std::string &where, Findings &findings,
                         DWORD options) {
  // The settings before TITLE=, which takes the rest of the text. Folded to lower case in place, so that
  // positions stay those of the rule.
  std::string folded;
  for (WCHAR c : rule) folded += c < 0x80 ? char(std::tolower(c)) : '?';
  const size_t title = folded.find("title=");
  // A setting whose '=' was left out ("STEP5"): the rule ignores the word, and the setting keeps its default.
  for (size_t from = 0; from < title && from < folded.size();) {
    const size_t end = std::min(folded.find(' ', from), title);
    const std::string word = folded.substr(from, end - from);
    for (const char *key : {"min", "max", "step"}) {
      const size_t length = std::strlen(key);
      if (word.size() <= length || word.compare(0, length, key) != 0) continue;
      const std::string number = word.substr(length);
      // (STEP1 leaves the step at the 1 meant.)
      if (number.find_first_not_of("0123456789", number[0] == '-' ? 1 : 0) != std::string::npos || number == "-" ||
          (std::strcmp(key, "step") == 0 && number == "1"))
        continue;
      const std::string written = Utf8(rule.substr(from, end - from));
      findings.Add(line, "serial-unknown-setting",
                   where + ": " + Quoted(rule.substr(from, end - from)) + " lacks its '=': the rule ignores it, and " +
                       "the item has " + Count(long(options), "option") + "; write " + written.substr(0, length) + "=" +
                       number);
      return;
    }
    from = end == std::string::npos ? end : end + 1;
  }
  for (size_t i = 0; i < rule.size() && i < title; ++i) {
    // '=' typed full-width by a Chinese input method, or as a colon of either width.
    const bool wide = rule[i] == 0xFF1D || rule[i] == 0xFF1A || rule[i] == ':';
    if (rule[i] != '=' && !wide) continue;
    size_t from = i;
    while (from > 0 && IsSettingWordChar(rule[from - 1])) --from;
    const std::string word = folded.substr(from, i - from);
    const auto known = [&](const char *key) {
      const size_t length = std::strlen(key);
      return word.size() >= length && word.compare(word.size() - length, std::string::npos, key) == 0;
    };
    if (word.empty() || (!wide && (known("min") || known("max") || known("step") || known("title")))) continue;
    // What the word was probably meant as: a full-width '=' after a setting, or another name for the step.
    std::string hint;
    if (wide)
      hint = std::string(known("title") ? ", so the options show no unit" : "") + "; " + CharacterName(rule[i]) +
             " is no '=': write " + Utf8(rule.substr(from, i - from)) + "=";
    for (const char *step : {"inc", "increment", "steps", "stepsize", "interval", "delta"})
      if (word == step) hint = "; write STEP= for the step";
    // A translated name with text after it, last in the rule, was meant as the title: the unit the options lack.
    const WString rest = rule.substr(i + 1);
    const bool last = rest.find(WCHAR('=')) == WString::npos && rest.find(WCHAR(0xFF1D)) == WString::npos;
    if (word.find('?') != std::string::npos && last && !Trimmed(rest).empty())
      hint = ", so the options show no unit: a Serial rule's settings keep their English names in every language; "
             "write " + Quoted(Ascii("TITLE=") + rest);
    findings.Add(line, "serial-unknown-setting",
                 where + ": " + Quoted(rule.substr(from, i + 1 - from)) +
                     " is no setting of a Serial rule (MIN=, MAX=, STEP=, TITLE=): the rule ignores it, and the item "
                     "has " + Count(long(options), "option") + hint);
    return;
  }
  // A setting written twice ("MAX=200 ... MAX=300", an edit appended): the rule reads the first only.
  const std::string settings = folded.substr(0, title);
  for (const char *key : {"min=", "max=", "step="}) {
    const size_t first = settings.find(key),
                 second = first == std::string::npos ? first : settings.find(key, first + 1);
    if (second == std::string::npos) continue;
    auto written = [&](size_t at) { return rule.substr(at, rule.find(WCHAR(' '), at) - at); };
    findings.Add(line, "serial-setting-twice",
                 where + ": " + Quoted(written(first)) + " and " + Quoted(written(second)) +
                     " set one thing twice: the rule reads the first and ignores the other; keep the one meant");
    return;
  }
  if (title == std::string::npos) return;
  // The title follows each number as written after TITLE=: a remark after it ("TITLE= dots (8 dots = 1 mm)") is
  // part of it.
  const WString text = rule.substr(title + 6);
  const std::string after = folded.substr(title + 6);
  const bool setting = after.find("min=") != std::string::npos || after.find("max=") != std::string::npos ||
                       after.find("step=") != std::string::npos;  // told as TITLE= not written last
  if (text.find(WCHAR('=')) != WString::npos && !setting)
    findings.Add(line, "serial-title-not-last",
                 where + ": the title " + Quoted(text) + " holds '=': TITLE= takes the rest of the rule, so every "
                 "option shows it all; put remarks on a line of their own");
  else if (const size_t remark = setting ? WString::npos : RemarkAt(text); remark != WString::npos)
    findings.Add(
        line, "serial-title-not-last",
        where + ": the title " + Quoted(text) + " takes in the remark after it, so every option shows it; " + "write " +
            Quoted(Ascii("TITLE=") + text.substr(0, text.find_last_not_of(Ascii(" \t\u3000"), remark - 1) + 1)) +
            ", and put remarks on a line of their own");
  // The rule is read in capitals: a unit whose letter case tells it from another ("ms", "kB") reads otherwise.
  {
    const WString unit = Trimmed(text);
    std::string small;
    for (WCHAR c : unit) small += c < 0x80 ? char(std::tolower(int(c))) : '?';
    static const std::set<std::string> kCased = {"ms",  "us",  "ns",   "mv",   "ma",   "mw",   "mb",
                                                 "kb",  "gb",  "kbit", "mbit", "kbps", "mbps", "mhz",
                                                 "khz", "ghz", "mpa",  "kpa",  "mg",   "ml"};
    if (!setting && kCased.count(small) &&
        std::any_of(unit.begin(), unit.end(), [](WCHAR c) { return c >= 'a' && c <= 'z'; })) {
      WString shown = unit;
      for (WCHAR &c : shown) c = c < 0x80 ? WCHAR(std::toupper(int(c))) : c;
      findings.Add(line, "serial-title-capitals",
                   where + ": the rule is read in capitals, so the title " + Quoted(unit) + " shows as " +
                       Quoted(shown) + ", which reads as another unit; give the unit in the item's title instead, " +
                       "where the page shows it as written, and leave TITLE= out of the rule");
      return;
    }
  }
  // A title quoted by a script (TITLE=" mm"): the rule takes it as written, marks and all.
  const size_t open = text.find_first_not_of(WCHAR(' '));
  if (setting || open == WString::npos || text.size() - open < 2 || (text[open] != '"' && text[open] != '\'') ||
      text.back() != text[open])
    return;
  WString meant = text.substr(open + 1, text.size() - open - 2);
  if (meant.empty() || meant[0] != ' ') meant = text.substr(0, open) + meant;
  const WString shown = FirstSerialText(rule);
  // Quoted again, the marks would only confuse: the title and the option are shown as they stand.
  findings.Add(line, "escape-in-text",
               where + ": the title " + Utf8(Cut(text, 60)) + " keeps its quotation marks, and the options show them" +
                   (shown.empty() ? std::string() : ": " + Utf8(shown)) + "; write TITLE=" + Utf8(meant) +
                   ", without the marks");
}

std::string PairWithoutEquals(const WString &text, size_t at, LONG row, LONG value, const std::string &page) {
  const WString number = Ascii(std::to_string(value).c_str()), pair = text.substr(at + 1);
  const size_t blank = pair.size() > number.size() && pair[number.size()] == ' ' ? 1 : 0;
  return "the text " + Quoted(text) + " holds " + Quoted(pair) + ", a pair without its '=': the " + page +
         " shows it in the row of " + std::to_string(row) + " and offers no " + Utf8(number) + "; write " +
         Quoted(number + Ascii("=") + pair.substr(number.size() + blank));
}

std::string ItemBytes(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value) {
  CommandText text = ItemValueText(catalogue, section, item, value);
  std::vector<BYTE> bytes(text.size);
  const DWORD count = text.size ? HexTextToBytes(text.text.get(), bytes.data(), DWORD(bytes.size())) : 0;
  return HexPairs(bytes.data(), count);
}

// The values of an Enum rule as written, each the word before its '='.
std::vector<WString> WrittenValues(const WString &rule) {
  std::vector<WString> values;
  for (size_t at = rule.find('='); at != WString::npos; at = rule.find('=', at + 1)) {
    size_t from = at;
    while (from > 0 && rule[from - 1] != ' ' && rule[from - 1] != '\t' && rule[from - 1] != '=') --from;
    if (from < at) values.push_back(rule.substr(from, at - from));
  }
  return values;
}

std::string HexRowHint(const WString &rule) {
  const std::vector<WString> values = WrittenValues(rule);
  bool letters = false, tens = false;  // values with letters, and values of digits alone that hexadecimal changes
  std::vector<std::string> meant;
  for (const WString &value : values) {
    if (value.size() > 4 || !std::all_of(value.begin(), value.end(), IsHexDigit)) return std::string();
    const bool letter = std::any_of(value.begin(), value.end(), [](WCHAR c) { return c > '9'; });
    letters = letters || letter;
    const size_t lead = value.find_first_not_of('0');
    tens = tens || (!letter && lead != WString::npos && lead + 1 < value.size());
    const std::string digits = Utf8(value);
    meant.push_back(digits + " is " + std::to_string(std::stol(digits, nullptr, 16)));
  }
  if (!letters || !tens) return std::string();
  return "every value is hexadecimal, as a manual's table writes them, and the rule reads decimal only (" +
         FirstNames(meant) + "): write each in decimal, and the item's default too if it is written so";
}

bool CheckRuleNotes(const RuleReport &report, const WString &rule, int line, const std::string &where,
                    Findings &findings, DWORD options) {
  auto part = [&](const RuleNote &note) {
    return rule.substr(note.from < rule.size() ? note.from : rule.size(), note.to > note.from ? note.to - note.from : 0);
  };
  // A remark mark inside a rule, to switch an option or a setting off for a while ("4=Dark ; 5=Darkest",
  // ";STEP=10"): a rule holds no remarks, and what follows the mark is still read. One mark among pairs written with
  // blanks; marks between every pair are separators, told below.
  const WString spaced = Ascii(" ") + rule;
  if (const size_t mark = RemarkAt(spaced);
      mark != WString::npos && RemarkAt(spaced.substr(mark + 2)) == WString::npos) {
    const bool serial = !rule.empty() && !(rule[0] == '-' || (rule[0] >= '0' && rule[0] <= '9'));
    size_t rest = mark - 1;
    while (rest < rule.size() && (rule[rest] == ';' || rule[rest] == '#' || rule[rest] == '/' || rule[rest] == ' ' ||
                                  rule[rest] == 0xFF1B || rule[rest] == 0xFF03))
      ++rest;
    WString word;  // a Serial setting's name after the mark, in small letters
    for (size_t i = rest; i < rule.size() && rule[i] != '='; ++i) word += WCHAR(rule[i] | 0x20);
    const bool setting =
        serial && rule.find('=', rest) != WString::npos &&
        (word == Ascii("min") || word == Ascii("max") || word == Ascii("step") || word == Ascii("title"));
    const bool pairsBefore = std::count(rule.begin(), rule.begin() + long(mark - 1), WCHAR('=')) >= 2;
    const WString still = rest < rule.size() ? Trimmed(rule.substr(rest)) : WString();
    if ((setting || (!serial && pairsBefore && still.find('=') != WString::npos))) {
      findings.Add(line, "remark-in-text",
                   where + ": a rule holds no remarks: " + Quoted(Cut(still, 40)) + " after the " +
                       Mark(rule[mark - 1]) + " is still read" +
                       (serial ? std::string()
                               : ", and the option before it shows the " + Mark(rule[mark - 1]) + " in its text") +
                       "; to switch " + (serial ? "a setting" : "an option") + " off, delete it from the rule, and " +
                       "keep the old rule, if wanted, as a remark on a line of its own");
      return true;
    }
  }
  // Serial settings in hexadecimal ("MIN=0x05") or in scientific notation ("STEP=1E9"): each reads its leading
  // digits, and the rule is told once with them in decimal.
  {
    WString folded = rule;  // letters in small, places kept
    for (WCHAR &c : folded) c = c >= 'A' && c <= 'Z' ? WCHAR(c | 0x20) : c;
    std::vector<std::string> written;
    std::string meant, forms;
    for (const char *key : {"min=", "max=", "step="}) {
      const size_t at = folded.find(Ascii(key)), from = at + std::strlen(key);
      if (at == WString::npos || (at > 0 && folded[at - 1] != ' ')) continue;
      const std::string token = Utf8(folded.substr(from, folded.find(WCHAR(' '), from) - from));
      long long value = 0;
      const char *form = nullptr;
      if (token.size() > 2 && token.size() <= 10 && token[0] == '0' && token[1] == 'x' &&
          token.find_first_not_of("0123456789abcdef", 2) == std::string::npos) {
        value = std::stoll(token.substr(2), nullptr, 16), form = "hexadecimal";
      } else if (ScientificWhole(token, &value)) {
        form = "scientific notation";
      } else if (const WString digits = DigitsMeant(Widen(token)); !digits.empty() && digits.size() <= 10) {
        value = std::stoll(Utf8(digits)), form = "a letter for a digit (O for 0, l for 1)";
      } else {
        continue;
      }
      written.push_back(Utf8(rule.substr(at, from - at + token.size())));
      meant += (meant.empty() ? "" : " ") + Utf8(rule.substr(at, from - at)) + std::to_string(value);
      if (forms.find(form) == std::string::npos) forms += (forms.empty() ? "" : " or ") + std::string(form);
    }
    if (!written.empty()) {
      findings.Add(line, "serial-not-number",
                   where + ": " + FirstNames(written) + (written.size() == 1 ? " is" : " are") + " written " +
                       (forms.find("a letter") == 0 ? "with " : "in ") + forms +
                       ", which the rule reads only up to its first letter: write " + meant);
      return true;
    }
  }
  // Pairs separated by another mark than a blank: one mistake, whatever the parser made of each pair.
  for (const RuleNote &note : report.notes) {
    // The mark stands before a value with no blank ("0=Off;1=On"), or after a text the value runs into ("2=2 in/s，3").
    if (note.kind != RuleNoteKind::EnumNoBlank && note.kind != RuleNoteKind::EnumValueNotNumber) continue;
    const WString text = part(note);
    size_t digits = text.size();
    while (digits > 0 && ((text[digits - 1] >= '0' && text[digits - 1] <= '9') || text[digits - 1] == '-')) --digits;
    if (digits == 0 || digits == text.size()) continue;
    // A Chinese input method's comma or space looks like the mark it stands for; it is named by its code point.
    // Saved in code page 936, it reaches an English system as two letters of code page 1252.
    WCHAR mark = text[digits - 1];
    WString written(1, mark), meant = rule;
    if (!IsListMark(mark) && digits >= 2 && (mark = SavedIn936(text[digits - 2], text[digits - 1])) != 0) {
      written = text.substr(digits - 2, 2);
      for (size_t at = meant.find(written); at != WString::npos; at = meant.find(written, at + 1))
        meant.replace(at, 2, 1, mark);
    }
    // A plain blank before the value is the blank that separates pairs: the text before it is empty.
    if (mark == ' ' || !IsListMark(mark)) continue;
    // A number before the mark is no text: a value written with a second field ("2,6=2 in/s"), which the rule
    // reads up to the mark.
    // Told when the rule's first value has the field too ("2,6=..."): a list's first value stands alone.
    const WString first = Trimmed(rule.substr(0, rule.find('=')));
    const size_t firstMark = first.find(mark);
    const bool fields = firstMark != WString::npos && firstMark > 0 && IsPlainDecimal(first.substr(0, firstMark)) &&
                        IsPlainDecimal(first.substr(firstMark + 1));
    if (note.kind == RuleNoteKind::EnumValueNotNumber && fields) {
      findings.Add(line, "enum-value-not-number",
                   where + ": the value " + Quoted(text) + " holds a second field after " + Mark(mark) +
                       ": an Enum value is one number, which the page sends last, before the tail; the plug-in "
                       "reads " +
                       std::to_string(note.value) +
                       " and drops the rest. Write each value alone; a "
                       "field the printer wants with every value belongs in the instruction only if it comes first");
      return true;
    }
    findings.Add(line, "enum-no-blank",
                 where + ": the pairs are separated by " + Mark(mark) +
                     (written.size() > 1
                          ? " saved in code page 936, which an English system reads as " + Quoted(written)
                          : std::string()) +
                     ", not by blanks: the plug-in reads " + std::to_string(options) + " option" +
                     (options == 1 ? "" : "s") + " (such as " + Quoted(text) + "); write " +
                     Quoted(Separated(meant, mark)));
    return true;
  }
  // Blanks before '=' ("1 = Lightest"): the value is read up to the blank and the rest runs into the texts, one
  // mistake however many options it spoils.
  bool enumNotes = false;
  for (const RuleNote &note : report.notes) enumNotes = enumNotes || note.kind == RuleNoteKind::EnumValueNotNumber;
  for (size_t i = 1; enumNotes && i < rule.size(); ++i) {
    if (rule[i] != '=' || rule[i - 1] != ' ') continue;
    size_t start = i - 1;
    while (start > 0 && rule[start - 1] == ' ') --start;
    if (start == 0 || rule[start - 1] < '0' || rule[start - 1] > '9') continue;
    size_t from = start - 1;
    while (from > 0 && rule[from - 1] >= '0' && rule[from - 1] <= '9') --from;
    const WString pair = rule.substr(from, std::min(rule.size(), i + 2) - from);
    findings.Add(line, "enum-value-not-number",
                 where + ": " + Quoted(pair) + " has a blank before '=': the plug-in reads " + std::to_string(options) +
                     " option" + (options == 1 ? "" : "s") + " with wrong values; write the pairs without blanks "
                     "around '=', as \"1=Lightest 2=Light\"");
    return true;
  }
  // Values written as words, in hexadecimal or in full-width digits: such values read alike, so the options cannot
  // be told apart; as decimals ("2.0") they read as their whole part. One mistake of the whole rule, told once with
  // what the values should be.
  std::vector<WString> notNumbers;
  std::set<LONG> readAs;
  std::string readList;
  for (const RuleNote &note : report.notes)
    if (note.kind == RuleNoteKind::EnumValueNotNumber) {
      notNumbers.push_back(part(note));
      if (readAs.insert(note.value).second && readAs.size() <= 6)
        readList += (readAs.size() > 1 ? ", " : "") + std::to_string(note.value);
    }
  if (notNumbers.size() > 1) {
    const bool apart = readAs.size() == notNumbers.size();
    std::string hint = "write each value as a decimal number";
    std::vector<std::string> quoted;
    for (const WString &value : notNumbers) quoted.push_back(Quoted(value));
    const std::string list = FirstNames(quoted);
    // Hexadecimal as a manual writes it, "0Ah": the values meant, in decimal.
    std::string meant;
    for (const WString &value : notNumbers) {
      const std::string digits = Utf8(value.substr(0, value.empty() ? 0 : value.size() - 1));
      if (value.size() < 2 || (value.back() | 0x20) != 'h' || digits.size() > 6 ||
          digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        meant.clear();
        break;
      }
      meant += (meant.empty() ? "" : ", ") + std::to_string(std::stol(digits, nullptr, 16));
    }
    if (!meant.empty())
      hint = "they are hexadecimal as a manual writes it, and the rule reads decimal only: write " + meant;
    // A manual's column of hexadecimal codes copied as it stands ("14=... 28=... 3C=..."): the values that read as
    // numbers are hexadecimal too.
    const std::string row = HexRowHint(rule);
    if (!row.empty()) hint = row;
    for (const WString &value : notNumbers) {
      if (value.size() > 2 && value[0] == '0' && (value[1] | 0x20) == 'x')
        hint = "the rule reads decimal values only: write 1 for 0x01";
      for (WCHAR c : value)
        if (c >= 0xFF10 && c <= 0xFF19)
          hint = "full-width digits such as " + Mark(c) + " are no digits to the rule: write " + char('0' + c - 0xFF10);
    }
    // Pairs written the other way round, text=value ("English=0 Chinese=1").
    WString reversed;
    size_t pairs = 0;
    for (size_t at = 0; at < rule.size() && pairs != WString::npos;) {
      const size_t end = std::min(rule.find(WCHAR(' '), at), rule.size());
      const WString token = rule.substr(at, end - at);
      const size_t equals = token.find(WCHAR('='));
      at = end + 1;
      if (token.empty()) continue;
      if (equals == WString::npos || equals == 0 || IsPlainDecimal(token.substr(0, equals)) ||
          !IsPlainDecimal(token.substr(equals + 1))) {
        pairs = WString::npos;
        continue;
      }
      reversed += (pairs++ ? Ascii(" ") : WString()) + token.substr(equals + 1) + Ascii("=") + token.substr(0, equals);
    }
    if (pairs != WString::npos && pairs >= 2) hint = "the pairs are written text=value: write " + Quoted(reversed);
    findings.Add(line, "enum-value-not-number",
                 where + ": " + std::to_string(notNumbers.size()) + " values are not numbers (" + list + "): " +
                     (apart ? "they read as " + readList + (readAs.size() > 6 ? " and so on" : "") +
                                  ", which may not be what they say"
                            : std::string("the options cannot be told apart by what they send")) +
                     "; " + hint);
    return true;
  }
  // Values longer than the rule reads, padded with zeros by a spreadsheet ("00002"): one mistake of the rule.
  std::vector<std::string> cut;
  bool padded = true;
  for (const RuleNote &note : report.notes)
    if (note.kind == RuleNoteKind::EnumValueCut) {
      const WString value = part(note);
      cut.push_back(Quoted(value) + " reads " + std::to_string(note.value));
      padded = padded && value.size() > 1 && value[0] == '0';
    }
  if (cut.size() > 1) {
    findings.Add(line, "enum-value-cut",
                 where + ": " + std::to_string(cut.size()) + " values are longer than the rule reads (" +
                     FirstNames(cut) + ")" +
                     (padded ? ": write them without the leading zeros"
                             : ": write shorter values, each the code the printer reads for its option rather than "
                               "the quantity its text names"));
    return true;
  }
  // A setting written as a word reads as 0; that is the one thing to tell about the rule.
  // What the page then offers is told with the last of them.
  size_t words = 0, lastWord = 0;
  for (size_t i = 0; i < report.notes.size(); ++i)
    if (report.notes[i].kind == RuleNoteKind::SerialNotNumber) ++words, lastWord = i;
  for (size_t i = 0; words && i <= lastWord; ++i) {
    const RuleNote &note = report.notes[i];
    if (note.kind != RuleNoteKind::SerialNotNumber) continue;
    WString text = part(note);
    size_t equals = text.find(WCHAR('='));
    std::string key = Utf8(text.substr(0, equals + 1));
    const WString chinese = ChineseNumber(text.substr(equals + 1));
    findings.Add(line, "serial-not-number",
                 where + ": " + key + Quoted(text.substr(equals + 1)) + " is not a number: the rule reads " + key +
                     "0" +
                     (i != lastWord    ? std::string()
                      : options == 0   ? ", so the item has no options"
                      : options == 1   ? ", so the item has a single option"
                                       : ", so the item has " + std::to_string(options) + " options") +
                     PlainHint(text.substr(equals + 1)) +
                     (!chinese.empty() ? "; " + Quoted(text.substr(equals + 1)) + " is " + Utf8(chinese) +
                                             " in Chinese numerals: write " + key + Utf8(chinese)
                      : equals + 1 == text.size() ? "; write a number after " + key
                                                  : std::string()));
  }
  if (words) return true;
  bool whole = false;  // a mistake of the whole rule, whose consequences for the values are not told again
  std::vector<std::string> empty;  // options without text: told once for the rule
  const RuleNote *titleCut = nullptr, *textCut = nullptr;
  for (const RuleNote &note : report.notes) {
    if (note.kind == RuleNoteKind::SerialTitleCut) titleCut = &note;
    if (note.kind == RuleNoteKind::SerialTextCut) textCut = &note;
  }
  // A Serial setting whose number a separator ends or that is past the largest number: what the notes follow from.
  const std::string numberHint = SettingNumberHint(rule);
  for (const RuleNote &note : report.notes) {
    const std::string option = Ordinal(note.option);
    switch (note.kind) {
      case RuleNoteKind::EnumNoPairs: {
        // '=' typed full-width by a Chinese input method, or as a colon: the rule as meant.
        const size_t mark = EqualsMarkAt(rule);
        WString meant = rule;
        if (mark != WString::npos) std::replace(meant.begin(), meant.end(), rule[mark], WCHAR('='));
        findings.Add(line, "enum-no-pairs",
                     where + " has no value=text pair" + EqualsHint(rule) + ": the item has no options; " +
                         (mark != WString::npos ? "write " + Quoted(meant) : std::string(kWritePairs)));
        break;
      }
      case RuleNoteKind::EnumNoBlank:
        // Only blanks before the value: the option before it has no text, which its own note tells.
        if (part(note).find_first_not_of(Ascii(" 0123456789-")) == WString::npos) break;
        findings.Add(line, "enum-no-blank", where + ": " + option + " has no blank before its value, " +
                                                Quoted(part(note)) + ": it runs together with the text before it");
        break;
      case RuleNoteKind::EnumValueNotNumber: {
        // A value in hexadecimal ("0F"), or the word before a '=' inside a text ("On (saves=20%)").
        const WString value = part(note);
        // A character an editor does not show after the digits reads as meant; its own finding names it.
        WString shown;
        for (WCHAR c : value)
          if (!IsInvisible(c)) shown += c;
        if (shown != value && IsPlainDecimal(shown) && shown == Ascii(std::to_string(note.value).c_str())) break;
        if (LetterForDigit(value, note.value)) {
          findings.Add(line, "letter-for-digit",
                       LetterForDigitMessage(where + ": the value of " + option, value, note.value));
          break;
        }
        const bool prefixed = value.size() > 2 && value[0] == '0' && (value[1] | 0x20) == 'x';
        bool hex = value.size() > (prefixed ? 2u : 0u) && value.size() < 9;
        for (size_t k = prefixed ? 2 : 0; k < value.size(); ++k) hex = hex && IsHexDigit(value[k]);
        const WString digits = DigitsMeant(value);
        // A rule an editor wrapped in quotation marks of its own: the reader keeps them, the first one in the value.
        const WCHAR opening = value.empty() ? 0 : value[0] < 0x80 ? value[0] : PlainForm(value[0]);
        const bool quoted = note.option == 0 && (opening == '"' || opening == '\'') && value.size() > 1 &&
                            IsPlainDecimal(value.substr(1));
        // A manual's column of codes copied as it stands is hexadecimal in every value, not in this one alone.
        const std::string row = hex && !prefixed ? HexRowHint(rule) : std::string();
        // The blank before a value lost ("32=Big 32K33=Card"): the end of a text runs into the value after it.
        size_t tail = value.size();
        while (tail > 0 && value[tail - 1] >= '0' && value[tail - 1] <= '9') --tail;
        // So too a last word of the text before it ("Manual feed7=", "英寸/秒6="), which only looks hexadecimal
        // when it is a word of the letters a to f.
        const bool startsWithDigit = !value.empty() && value[0] >= '0' && value[0] <= '9';
        const bool glued = tail > 0 && tail < value.size() && row.empty() &&
                           ((!hex && startsWithDigit &&
                             std::any_of(value.begin(), value.begin() + LONG(tail),
                                         [](WCHAR c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; })) ||
                            (!startsWithDigit && note.option > 0 && (!hex || tail >= 3)));
        // A value typed after its '=' ("hours =8After"): the pair as meant.
        size_t swapped = 0;
        const size_t equals = note.from;
        if (value.empty() && equals < rule.size() && rule[equals] == '=')
          while (equals + 1 + swapped < rule.size() && rule[equals + 1 + swapped] >= '0' &&
                 rule[equals + 1 + swapped] <= '9')
            ++swapped;
        const size_t point = value.find_first_of(Ascii(".,"));
        const bool fraction = point != WString::npos && point > 0 && point + 1 < value.size() &&
                              IsPlainDecimal(value.substr(0, point)) && IsPlainDecimal(value.substr(point + 1));
        // The blank missing before a value is this one slip, told with the text as meant.
        if (glued) findings.DropHolding("enum-no-blank", where + ": " + option + " has no blank");
        const std::string advice =
            glued ? "; a blank is missing before " + Utf8(value.substr(tail)) + ": write " +
                        Quoted(value.substr(0, tail) + Ascii(" ") + value.substr(tail) + Ascii("="))
            : swapped ? "; the value is typed after its '=': write " +
                            Quoted(rule.substr(equals + 1, swapped) + Ascii("=") +
                                   rule.substr(equals + 1 + swapped,
                                               rule.find(WCHAR(' '), equals + 1 + swapped) - equals - 1 - swapped)) +
                            " for " + Quoted(rule.substr(equals, rule.find(WCHAR(' '), equals) - equals))
            : quoted
                ? "; the rule begins with " + (value[0] < 0x80 ? Utf8(value.substr(0, 1)) : CharacterName(value[0])) +
                      ", which the reader keeps: write the rule without quotation marks"
            : !digits.empty()           ? "; the letters O and l are no digits: write " + Utf8(digits)
            : !PlainHint(value).empty() ? PlainHint(value)
            : !row.empty()              ? "; " + row
            : hex                       ? "; the rule reads decimal values only: write " +
                        std::to_string(std::stol(Utf8(value.substr(prefixed ? 2 : 0)), nullptr, 16))
            // A fraction ("2.5"): the rule reads whole numbers, and the printer gets the part before the point.
            : fraction ? "; values are whole numbers, and this one sends " + std::to_string(note.value) +
                             ": if the printer takes a finer unit (tenths, quarters), write every value in it"
                       : "; a text cannot hold '=': the rule takes the word before it for the next value; "
                         "write the text without '='";
        findings.Add(line, "enum-value-not-number", where + ": the value " + Quoted(value) + " of " + option +
                                                        " is not a number: it reads as " +
                                                        std::to_string(note.value) + advice);
        break;
      }
      case RuleNoteKind::EnumValueCut: {
        // What was read filled the whole width the rule reads, unless zeros padded the value.
        const WString value = part(note);
        const std::string read = std::to_string(note.value);
        findings.Add(
            line, "enum-value-cut",
            where + ": the value " + Quoted(value) + " of " + option + " is longer than the rule reads: it reads as " +
                read +
                (value.size() > 1 && value[0] == '0'
                     ? "; write it without the leading zeros"
                     : "; the rule reads values of up to " + std::to_string(read.size()) + " characters here (" +
                           (note.option == 0
                                ? "the others, after the blank that counts among them, " +
                                      std::to_string(read.size() - 1)
                                : "the first option's, with no blank before it, " + std::to_string(read.size() + 1)) +
                           "): write a smaller number, in a larger unit if need be"));
        break;
      }
      case RuleNoteKind::EnumTextCut:
        // Texts that read alike once cut are told as that, with the item's options.
        if (std::count_if(report.notes.begin(), report.notes.end(), [&](const RuleNote &other) {
              return other.kind == RuleNoteKind::EnumTextCut &&
                     part(other).substr(0, other.kept) == part(note).substr(0, note.kept);
            }) > 1)
          break;
        findings.Add(line, "enum-text-cut", where + ": the text of " + option + ", " + Quoted(part(note)) + ", has " +
                                                std::to_string(note.to - note.from) + " characters: it is cut to " +
                                                std::to_string(note.kept) + "; " + Shorten(note.kept));
        break;
      case RuleNoteKind::EnumLastTextCut: {
        WString text = part(note);
        // A last text that holds a number between blanks may hold a pair that lost its '=' ("After 4 hours 8 After
        // 8 hours"), whose value only the author can tell: that is the mend then, not a shorter text.
        bool number = false;
        for (size_t at = 1; at + 2 < text.size() && !number; ++at) {
          size_t end = at;
          while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
          // (Or a value typed onto its text: "Black mark 2Continuous".)
          number = text[at - 1] == ' ' && end > at && end + 1 < text.size() &&
                   (text[end] == ' ' || (text[end] < 0x80 && std::isalpha(int(text[end]))) ||
                    (text[end] >= 0x4E00 && text[end] <= 0x9FFF));
        }
        const std::string lostPair =
            number ? ", or, if it holds a pair that lost its '=', write the '=' after that pair's value" : std::string();
        findings.Add(line, "enum-last-text-cut", where + ": the last option's text " + Quoted(text) + " has " +
                                                     std::to_string(text.size()) + " characters: it is cut to " +
                                                     std::to_string(note.kept) + ", " +
                                                     Quoted(text.substr(0, note.kept)) +
                                                     (!RemarkHint(text).empty() ? RemarkHint(text)
                                                                                 : "; " + Shorten(note.kept) + lostPair));
        break;
      }
      case RuleNoteKind::EnumEmptyText:
        empty.push_back(std::to_string(note.option + 1));
        break;
      case RuleNoteKind::EnumTooMany:
        findings.Add(line, "enum-too-many", where + " has more than " + std::to_string(note.kept) +
                                                " options: only the first " + std::to_string(note.kept) +
                                                " are kept");
        break;
      case RuleNoteKind::SerialNotNumber: break;
      case RuleNoteKind::SerialNoRange: {
        // "MIN = 0": the rule looks for MIN= written together.
        const std::string folded = FoldedName(rule);
        const bool spaced = folded.find("min =") != std::string::npos || folded.find("max =") != std::string::npos;
        // "1-8" or "1~8": a range written as a spreadsheet or a manual writes it.
        std::string range;
        size_t mark = rule.find_first_of(Ascii("-~"), 1);
        if (mark != WString::npos && IsPlainDecimal(Trimmed(rule.substr(0, mark))) &&
            IsPlainDecimal(Trimmed(rule.substr(mark + 1))))
          range = "; a range is written \"MIN=" + Utf8(Trimmed(rule.substr(0, mark))) + " MAX=" +
                  Utf8(Trimmed(rule.substr(mark + 1))) + "\"";
        // The rule as meant: its own settings, without the blanks around '='.
        WString joined;
        for (size_t i = 0; i < rule.size(); ++i) {
          // The blank after TITLE= is the title's own: it stands between each number and the title.
          const bool title = joined.size() >= 6 && FoldedName(joined.substr(joined.size() - 6)) == "title=";
          if (rule[i] == ' ' && ((i + 1 < rule.size() && rule[i + 1] == '=') ||
                                 (!joined.empty() && joined.back() == '=' && !title)))
            continue;
          joined += rule[i];
        }
        // Settings written in other words ("最小=5"): the rule's words are the same in every language.
        const bool otherWords =
            !spaced && range.empty() && rule.find_first_of(WString{WCHAR('='), WCHAR(0xFF1D)}) != WString::npos;
        const std::string typed = TypedSettingsHint(rule);
        whole = true;
        findings.Add(line, "serial-no-range",
                     where + " has neither MIN= nor MAX=: it gives the single option 0" +
                         (spaced ? "; MIN and MAX are written with a blank before '=': write " + Quoted(joined)
                          : !typed.empty() ? typed
                          : otherWords     ? std::string("; a Serial rule's settings are MIN=, MAX=, STEP= and TITLE=, "
                                                     "written so in both languages")
                                       : range));
        break;
      }
      case RuleNoteKind::SerialEmpty: {
        findings.Add(
            line, "serial-empty",
            where + ": MIN=" + std::to_string(note.value) + " is above MAX=" + std::to_string(note.limit) +
                ": the item has no options" +
                (numberHint.empty() ? "; write MIN=" + std::to_string(note.limit) + " MAX=" + std::to_string(note.value)
                                    : numberHint));
        break;
      }
      case RuleNoteKind::SerialStep: {
        // The step's own fraction ("STEP=0.5") is the cause, before any other setting's.
        const std::string stepHint = SettingNumberHint(rule, "step=");
        findings.Add(
            line, "serial-step",
            where + ": STEP=" + std::to_string(note.value) + " is below 1: the item has no options" +
                (stepHint.empty() ? "; write STEP=1 for every number from MIN to MAX, or the step meant" : stepHint));
        break;
      }
      case RuleNoteKind::SerialTooMany: {
        findings.Add(line, "serial-too-many",
                     where + " gives " + std::to_string(note.value) + " options: only the first " +
                         std::to_string(note.kept) + " are kept, up to " +
                         std::to_string(report.minimum + (note.kept - 1) * report.step) + "; " +
                         CoarserStep(report, kLongList) + ", or a narrower MIN to MAX");
        break;
      } break;
      case RuleNoteKind::SerialMissesMax:
        // One option: the step is wider than the range, and the step is what to mend.
        findings.Add(
            line, "serial-misses-max",
            where + ": the steps end at " + std::to_string(note.value) +
                ", short of MAX=" + std::to_string(note.limit) + ": the page offers no " + std::to_string(note.limit) +
                (!numberHint.empty() ? numberHint
                 : options == 1 ? "; STEP is wider than MAX - MIN, so the item has one option: write the step meant"
                                : "; write MAX=" + std::to_string(note.value) + " (the last step), or MIN=" +
                                      std::to_string(report.minimum + note.limit - note.value) +
                                      " (steps from there reach " + std::to_string(note.limit) + ")"));
        break;
      case RuleNoteKind::SerialTitleCut:
        // With the values before it the texts are cut again: the title must leave them room.
        findings.Add(line, "serial-title-cut",
                     where + ": the title has " + std::to_string(note.value) + " characters and is cut to " +
                         std::to_string(note.kept) +
                         (textCut ? ", and with the value before it an option's text is cut to " +
                                        std::to_string(textCut->kept) + " again; " +
                                        Shorten(size_t(note.kept - (textCut->limit - textCut->kept)))
                                  : "; " + Shorten(note.kept)));
        break;
      case RuleNoteKind::SerialTitleNotLast: {
        // The title as meant ends where the first setting after it begins: it goes last, the settings before it.
        const WString rest = part(note);
        std::string folded;  // position for position
        for (WCHAR c : rest) folded += c < 0x80 ? char(std::tolower(c)) : '?';
        size_t cut = rest.size();
        for (const char *key : {" min=", " max=", " step="}) cut = std::min(cut, folded.find(key));
        const WString before = note.from >= 6 ? Trimmed(rule.substr(0, note.from - 6)) : WString();
        const WString meant = before + (before.empty() ? WString() : Ascii(" ")) + Trimmed(rest.substr(cut)) +
                              Ascii(" TITLE=") + rest.substr(0, cut);
        findings.Add(line, "serial-title-not-last",
                     where + ": TITLE= is not written last, so the title takes in the rest: " + Quoted(rest) +
                         "; write " + Quoted(meant));
        break;
      }
      case RuleNoteKind::SerialTextCut:
        if (titleCut) break;  // told with the title
        findings.Add(line, "serial-text-cut", where + ": option texts such as the one of " +
                                                  std::to_string(note.value) + " have more than " +
                                                  std::to_string(note.kept) + " characters and are cut; shorten the "
                                                  "title by " + Count(long(note.limit - note.kept), "character"));
        break;
    }
  }
  if (empty.size() == 1)
    findings.Add(line, "enum-empty-text", where + ": option " + empty[0] + " has no text: its row is empty; write its "
                                              "text after its '='");
  else if (!empty.empty())
    findings.Add(line, "enum-empty-text", where + ": options " + FirstNames(empty) + " have no text: their rows are "
                                              "empty; write their texts after their '='");
  // A setting cut at a decimal point or a separator in a range that still gives options: other numbers than written.
  const bool hintTold = std::any_of(findings.list().begin(), findings.list().end(), [&](const Finding &f) {
    return f.line == line && !numberHint.empty() && f.message.find(numberHint.substr(2)) != std::string::npos;
  });
  if (report.step > 0 && options > 0 && !numberHint.empty() && !hintTold && !whole)
    findings.Add(line, "serial-number-cut",
                 where + ": " + numberHint.substr(2) + "; the page offers " + std::to_string(report.minimum) + " to " +
                     std::to_string(report.minimum + (long long)(options - 1) * report.step) + " by " +
                     std::to_string(report.step));
  // A list the operator scrolls a long way through (a length in dots by 1): legal, and worth a coarser step.
  if (report.step > 0 && options > kLongList && !findings.Told(line, "serial-too-many"))
    findings.Add(line, "serial-long-list",
                 where + ": the page lists " + std::to_string(options) + " rows for it, " +
                     std::to_string(report.minimum) + " to " +
                     std::to_string(report.minimum + (long long)(options - 1) * report.step) +
                     ", which the operator scrolls through to pick one; if the printer needs no finer step, " +
                     CoarserStep(report, kLongList));
  return whole;
}

// A printer that takes a fixed number of digits gets them from BaseOn30 only through the instruction: it ends with
// the digit 0 (30) for each digit the values lack, when every value has as many digits. Empty when they differ.
std::string ZeroPadHint(const SettingsItem &item, const std::vector<LONG> &values, size_t width,
                        const WString &instructionKey, const std::string &then = std::string()) {
  std::set<size_t> digits;
  for (LONG value : values) digits.insert(value < 0 ? 0 : std::to_string(value).size());
  if (digits.size() != 1 || *digits.begin() == 0 || *digits.begin() >= width || width - *digits.begin() > 3)
    return std::string();
  std::string pad;
  for (size_t i = *digits.begin(); i < width; ++i) pad += " 30";
  return "; if the printer takes " + std::to_string(width) + " digits, end the instruction with the digit 0 (30) for " +
         "each digit the values lack (" + Utf8(instructionKey) + "=" + Utf8(FieldText(item.Instruction)) + pad + ")" +
         then;
}

void CheckLeadingZeros(const SettingsCatalogue &catalogue, LONG section, LONG item, const WString &rule, int line,
                       const WString &instructionKey, const std::string &where, Findings &findings) {
  const SettingsItem &loaded = *ItemAt(catalogue, section, item);
  if (!IsBaseOn30(catalogue) || DWORD(loaded.ParameterCount) > 1) return;
  std::vector<std::string> padded;
  for (size_t at = 0; at < rule.size(); ++at) {
    if (at > 0 && rule[at - 1] != ' ') continue;
    size_t end = at;
    while (end < rule.size() && rule[end] >= '0' && rule[end] <= '9') ++end;
    // (The rule reads at most a few digits of a value: a longer run is told as a value cut.)
    if (end < rule.size() && rule[end] == '=' && end - at >= 2 && end - at <= 9 && rule[at] == '0')
      padded.push_back(Utf8(rule.substr(at, end - at)));
  }
  if (padded.empty()) return;
  const LONG value = std::stol(padded[0]);
  findings.Add(line, "values-leading-zeros",
               where + ": the values " + FirstNames(padded) +
                   " are written with leading zeros, which the rule does not keep: BaseOn30 sends a value below 1000 "
                   "with its own digits, " +
                   padded[0] + " as " + SentBytes(catalogue, section, item, value) + ": the printer gets " +
                   Count(long(std::to_string(value).size()), "digit") + " where " + std::to_string(padded[0].size()) +
                   " are written" +
                   ZeroPadHint(loaded, ValuesOf(loaded), padded[0].size(), instructionKey,
                               " and write the values without zeros"));
}

namespace {

// A STEP that does not divide MAX - MIN, and so also lands on -1 or steps past the default, is one slip: told once,
// with the steps nearest it that reach MAX and the default and step over -1. False when no such step is found.
bool TellStepSlip(const std::vector<Option> &options, const ItemLines &lines, LONG defaultValue, bool matched,
                  const std::string &where, Findings &findings) {
  if (!lines.missedMax || options.size() < 2) return false;
  const long long low = options[0].value, high = *lines.missedMax, step = options[1].value - low, span = high - low;
  const bool defaultMissed = !matched && lines.defaultValue && defaultValue > low && defaultValue < high;
  bool minusOne = false;
  for (const Option &option : options) minusOne = minusOne || option.value == -1;
  if (!minusOne && !defaultMissed) return false;
  const auto fits = [&](long long d) {
    return span / d < kMaxSerialOptions && (!defaultMissed || (defaultValue - low) % d == 0) &&
           !(low <= -1 && -1 <= high && (-1 - low) % d == 0);
  };
  long long below = 0, above = 0;
  for (long long d = 1; d * d <= span; ++d) {
    if (span % d) continue;
    for (long long divisor : {d, span / d}) {
      if (!fits(divisor)) continue;
      if (divisor < step && divisor > below) below = divisor;
      if (divisor > step && (!above || divisor < above)) above = divisor;
    }
  }
  if (!below && !above) return false;
  findings.Drop({lines.rule}, {"serial-misses-max"});
  findings.Add(
      lines.rule, "serial-misses-max",
      where + ": STEP=" + std::to_string(step) + " does not divide MAX - MIN (" + std::to_string(span) +
          "): the steps end at " + std::to_string(options.back().value) + ", short of MAX=" + std::to_string(high) +
          (minusOne ? ", land on -1, which Set All never sends" : "") +
          (defaultMissed
               ? std::string(minusOne ? "," : "") + " and step past the default " + std::to_string(defaultValue)
               : std::string()) +
          "; write " + (below ? "STEP=" + std::to_string(below) : std::string()) + (below && above ? " or " : "") +
          (above ? "STEP=" + std::to_string(above) : std::string()));
  return true;
}

}  // namespace

void CheckItemValues(const SettingsCatalogue &catalogue, LONG section, LONG itemIndex, bool enumRule,
                     const ItemLines &lines, const std::string &where, Findings &findings) {
  const SettingsItem &item = *ItemAt(catalogue, section, itemIndex);
  std::vector<Option> options;
  const SettingsOption *node = item.OptionCount ? item.Options : nullptr;
  for (DWORD i = 0; node && i < item.OptionCount; ++i, node = node->Next)
    options.push_back({node->Value, FieldText(node->Text)});
  const bool multiChoice = DWORD(item.ParameterCount) > 1;
  const LONG parameters = item.ParameterCount;
  const LONG defaultValue = item.DefaultValue;
  const std::string defaultText = lines.defaultValue ? "the default " + std::to_string(defaultValue)
                                                     : "with no default given, the value " + std::to_string(defaultValue);
  const int defaultLine = lines.defaultValue ? lines.defaultValue : lines.key;

  // Values written as the bytes of their digits, in hexadecimal (32=2 in/s) or as character codes (50=2 in/s):
  // BaseOn30 sends a value's own digits, so 32 goes out as 33 32. Told when every option's text starts with the
  // digit its value names the byte of.
  const bool baseOn30 = IsBaseOn30(catalogue);
  bool asBytes = false;
  for (const LONG zero : {30, 48}) {
    asBytes = baseOn30 && enumRule && !multiChoice && options.size() > 1;
    for (const Option &option : options)
      asBytes = asBytes && option.value >= zero && option.value <= zero + 9 && !option.text.empty() &&
                option.text[0] == WCHAR('0' + option.value - zero);
    if (!asBytes) continue;
    const bool defaultToo = defaultValue >= zero && defaultValue <= zero + 9;
    findings.Add(lines.rule, "values-as-bytes",
                 where + ": its values are the " + (zero == 30 ? "bytes" : "character codes") +
                     " of the digits its texts begin with (" + std::to_string(options[0].value) + " for " +
                     Quoted(options[0].text) + "), but BaseOn30 sends a value's own digits: for " +
                     std::to_string(options[0].value) + " the printer gets " +
                     SentBytes(catalogue, section, itemIndex, options[0].value) + "; write the numbers themselves (" +
                     char('0' + options[0].value - zero) + "=" + Utf8(options[0].text) + ")" +
                     (defaultToo ? ", and the default as " + std::to_string(defaultValue - zero) : std::string()));
    break;
  }
  // An instruction ending in the digit 0 pads values to a fixed number of digits; values of more digits than the
  // pad was made for go out with one digit too many.
  if (baseOn30 && !multiChoice && options.size() > 1) {
    BYTE command[ARRAYSIZE(SettingsItem{}.Instruction)];
    const DWORD size = HexTextToBytes(item.Instruction, command, sizeof command);
    DWORD pad = 0;
    while (pad < size && command[size - 1 - pad] == '0') ++pad;
    std::map<size_t, const Option *> byDigits, smallest;  // the largest and smallest option of each count of digits
    std::map<size_t, size_t> many;                        // how many options have each count
    for (const Option &option : options) {
      const size_t digits = option.value < 0 ? 0 : std::to_string(option.value).size();
      const Option *&largest = byDigits[digits], *&least = smallest[digits];
      if (!largest || option.value > largest->value) largest = &option;
      if (!least || option.value < least->value) least = &option;
      ++many[digits];
    }
    // Nearly every value of more digits than the fewest (a range whose MIN alone is shorter): the pad was made for
    // them, and the few shorter values go out short.
    const size_t most = std::max_element(many.begin(), many.end(), [](const auto &a, const auto &b) {
                          return a.second < b.second;
                        })->first;
    const std::string zeros = pad == 1 ? std::string("30") : HexPairs(command + size - pad, pad);
    if (pad > 0 && pad < size && byDigits.size() > 1 && byDigits.begin()->first > 0 && most > byDigits.begin()->first &&
        many.begin()->second * 10 <= options.size()) {
      const Option &shortest = *smallest.begin()->second;
      findings.Add(lines.rule, "pad-too-short",
                   where + ": its instruction ends in " + Count(long(pad), "digit") + " 0 (" + zeros +
                       "), which pads most of its values to " + std::to_string(pad + most) + " digits, but values of " +
                       std::to_string(byDigits.begin()->first) + " digits go out with " +
                       std::to_string(pad + byDigits.begin()->first) + ": " + Named(shortest) + " as " +
                       SentBytes(catalogue, section, itemIndex, shortest.value) + "; keep every value to " +
                       Count(long(most), "digit") +
                       (enumRule ? std::string() : " (MIN=" + std::to_string(smallest[most]->value) + ")") +
                       ", or, if the printer takes values of any length, take the " + zeros + " off the instruction");
    } else if (pad > 0 && pad < size && byDigits.size() > 1 && byDigits.begin()->first > 0) {
      const Option &fits = *byDigits.begin()->second, &longest = *byDigits.rbegin()->second;
      const size_t width = pad + byDigits.begin()->first;
      findings.Add(lines.rule, "pad-too-short",
                   where + ": its instruction ends in " +
                       (pad == 1 ? std::string("the digit 0 (30)")
                                 : std::to_string(pad) + " digits 0 (" + HexPairs(command + size - pad, pad) + ")") +
                       ", which pads its values to " + std::to_string(width) + " digits, but values of " +
                       std::to_string(byDigits.rbegin()->first) + " digits go out with " +
                       std::to_string(pad + byDigits.rbegin()->first) + ": " + Named(longest) + " as " +
                       SentBytes(catalogue, section, itemIndex, longest.value) +
                       // Many such values: keeping to the shorter ones would drop them, and one pad cannot give the
                       // range one width.
                       ((options.size() - many[byDigits.begin()->first]) * 10 > options.size()
                            ? "; one pad cannot give values of " + std::to_string(byDigits.begin()->first) + " and " +
                                  std::to_string(byDigits.rbegin()->first) +
                                  " digits one width: if the printer takes values of any length, take the " + zeros +
                                  " off the instruction; else keep every value to " +
                                  Count(long(byDigits.begin()->first), "digit") +
                                  (enumRule ? std::string() : " (MAX=" + std::to_string(fits.value) + ")")
                            : "; keep every value to " + Count(long(byDigits.begin()->first), "digit") +
                                  (enumRule ? std::string() : " (MAX=" + std::to_string(fits.value) + ")") +
                                  // (Two items of one command would both go out with Set All: the pad is one item's.)
                                  ", or, if the printer takes values of any length, take the " + zeros +
                                  " off the instruction"));
    }
  }
  // Values that are the character codes of their texts' first letters (78=No 89=Yes): a printer that wants a letter,
  // which BaseOn30 cannot send; it sends the code's digits.
  bool letters = baseOn30 && enumRule && !multiChoice && options.size() > 1;
  for (const Option &option : options)
    letters = letters && !option.text.empty() && option.text[0] < 0x80 && std::isalpha(int(option.text[0])) &&
              option.value == LONG(std::toupper(int(option.text[0])));
  if (letters)
    findings.Add(lines.rule, "values-as-bytes",
                 where + ": its values are the character codes of its texts' first letters (" +
                     std::to_string(options[0].value) + " for " + Quoted(WString(1, options[0].text[0])) +
                     "), but BaseOn30 sends a value's digits: for " + std::to_string(options[0].value) +
                     " the printer gets " + SentBytes(catalogue, section, itemIndex, options[0].value) +
                     ", not the letter; BaseOn30 sends no letters, so such a setting cannot be one of the page's "
                     "items: if every job is to set it, write the command with its letter into the EnterInstruction");
  // Values running 30, 31, 32 as a manual's hexadecimal codes of the digits 0, 1, 2 do, under texts without digits;
  // or from 31, for a setting counted from 1.
  const LONG first = options.empty() ? 0 : options[0].value - 30;
  bool codes = (baseOn30 || IsHigh256(catalogue)) && enumRule && !multiChoice && !asBytes && options.size() > 1 &&
               (first == 0 || first == 1) && first + options.size() <= 10;
  for (size_t i = 0; codes && i < options.size(); ++i)
    codes = options[i].value == LONG(30 + first + i) && !options[i].text.empty() &&
            !(options[i].text[0] >= WCHAR('0') && options[i].text[0] <= WCHAR('9'));
  if (codes) {
    const std::string from = std::to_string(first), to = std::to_string(first + options.size() - 1);
    WString meant;
    for (size_t i = 0; i < options.size(); ++i)
      meant += (i ? Ascii(" ") : WString()) + WCHAR('0' + first + i) + Ascii("=") + options[i].text;
    // High256 sends the value as a byte: the characters' codes are the decimal 48 on.
    std::string characters;
    for (size_t i = 0; i < options.size(); ++i)
      characters += (i ? " " : "") + std::to_string(48 + first + i) + "=" + Utf8(options[i].text);
    findings.Add(lines.rule, "values-as-bytes",
                 where + ": its values run " + std::to_string(options[0].value) + " to " +
                     std::to_string(options.back().value) + " as a manual's hexadecimal codes of the digits " + from +
                     " to " + to + " do, but " +
                     (baseOn30 ? "BaseOn30 sends a value's own digits" : std::string("the rule reads decimal")) +
                     ": for " + std::to_string(options[0].value) + " the printer gets " +
                     SentBytes(catalogue, section, itemIndex, options[0].value) + "; if the printer's values are " +
                     from + " to " + to + ", write " + Quoted(meant) +
                     (baseOn30 ? std::string()
                               : "; if it wants the characters " + from + " to " + to +
                                     ", write their codes in decimal, " + Quoted(Widen(characters))) +
                     ", and the default as one of them");
  }

  // The hint box shows the default option's text, and takes an '&' in it as the mark of an underlined letter, as a
  // dialog's label does; the option list shows the text as written, so "&&" mends one and spoils the other.
  const Option *named = nullptr;
  for (const Option &option : options)
    if (option.value == defaultValue) named = &option;
  const bool doubled = named && named->text.find(Ascii("&&")) != WString::npos;
  if (named && named->text.find(WCHAR('&')) != WString::npos)
    findings.Add(lines.rule, "ampersand-in-note",
                 where + ": the default option " + Quoted(named->text) +
                     (doubled ? " holds '&&': the hint box, which shows the default's text, shows one '&', but the "
                                "option list shows both"
                              : " holds '&': the hint box, which shows the default's text, underlines the character "
                                "after it and does not show the '&', while the option list shows it") +
                     "; write the text without '&' (such as \"and\")");
  // Another option's "&&", written as a note's one '&' is: the option list shows both.
  for (const Option &option : options)
    if (&option != named && option.text.find(Ascii("&&")) != WString::npos) {
      findings.Add(lines.rule, "ampersand-in-note",
                   where + ": the option " + Quoted(option.text) +
                       " holds '&&', which the option list shows as two, as it shows the text as written; write "
                       "one '&'");
      break;
    }

  // Text commands (printable bytes, ended by a tail of CR and LF) whose values go out as bytes: a value whose byte
  // is one of the tail's ends the command early. A printer that reads text wants digits: told once for the file.
  if (IsHigh256(catalogue) && parameters == 1 &&
      std::none_of(findings.list().begin(), findings.list().end(),
                   [](const Finding &f) { return f.code == "value-ends-command"; })) {
    auto bytesOf = [](const WCHAR *text) {
      BYTE bytes[64];
      const DWORD count = HexTextToBytes(text, bytes, sizeof bytes);
      return std::vector<BYTE>(bytes, bytes + count);
    };
    const std::vector<BYTE> command = bytesOf(item.Instruction), tail = bytesOf(catalogue.InstructionTail);
    const bool text = !command.empty() && !tail.empty() &&
                      std::all_of(command.begin(), command.end(), [](BYTE b) { return b >= 0x20 && b < 0x7F; }) &&
                      std::all_of(tail.begin(), tail.end(), [](BYTE b) { return b == 0x0D || b == 0x0A; });
    for (const Option &option : options) {
      const BYTE sent = BYTE(option.value);
      if (!text || std::find(tail.begin(), tail.end(), sent) == tail.end()) continue;
      findings.Add(lines.key, "value-ends-command",
                   where + ": its command is text, ended by the tail " + HexPairs(tail.data(), DWORD(tail.size())) +
                       ", but High256 sends the value as a byte: the value " + std::to_string(option.value) +
                       " goes out as " + HexPairs(&sent, 1) +
                       ", a byte of the tail, and the printer takes the command as ending there; a printer that "
                       "reads text commands takes values as digits: write ParameterRule=BaseOn30 for the file");
      break;
    }
  }

  // More bytes than a value has (a count of bits or digits meant): the leading ones are always 00.
  // (A count too large for any command is told as what it does to Set All.)
  if (IsHigh256(catalogue) && parameters > 4 && !ItemBytes(catalogue, section, itemIndex, defaultValue).empty())
    findings.Add(lines.parameterCount ? lines.parameterCount : lines.rule, "parameter-count-large",
                 where + " has ParameterCount " + std::to_string(parameters) + ", but a value fills 4 bytes at most: " +
                     "Set All sends " + SentBytes(catalogue, section, itemIndex, defaultValue) + ", with " +
                     std::to_string(parameters - 4) + " leading bytes of " + (defaultValue < 0 ? "FF" : "00") + "; " +
                     "write ParameterCount=3 for tick boxes, or ParameterCount=1 for one choice");
  // A count of 0 written for an action, a command without a parameter: BaseOn30 sends a value's own digits all the
  // same. (Where options differ, their digits are what the count was not needed for.)
  if (baseOn30 && !multiChoice && lines.parameterCount && parameters == 0 && options.size() == 1)
    findings.Add(lines.parameterCount, "parameter-count-zero",
                 where +
                     " has ParameterCount 0, but BaseOn30 sends the digits of a value below 1000 whatever "
                     "ParameterCount says: Set All sends " +
                     SentBytes(catalogue, section, itemIndex, defaultValue) +
                     "; under BaseOn30 every item's command carries its value's digits, and a command that takes none "
                     "cannot be an item");
  // Under BaseOn30 a mask has eight digits at most: more are leading '0' digits that no row sets.
  if (multiChoice && baseOn30 && parameters > 8)
    findings.Add(lines.parameterCount ? lines.parameterCount : lines.rule, "parameter-count-large",
                 where + " has ParameterCount " + std::to_string(parameters) +
                     ", but a mask of its rows has 8 digits at most: a mask from 1000 on goes out with " +
                     std::to_string(parameters - 8) +
                     " or more leading digits 0 (30); write ParameterCount=8 for tick boxes, or ParameterCount=1 "
                     "for one choice");
  if (multiChoice && baseOn30 && parameters < 0 && defaultValue >= 0 && defaultValue < 1000) {
    // No count of digits at all: the default's own digits still go out, but a ticked box's mask asks for that many.
    findings.Add(lines.parameterCount ? lines.parameterCount : lines.rule, "set-all-nothing",
                 where + " has ParameterCount " + std::to_string(parameters) +
                     ", which makes it multi-choice: Set All sends " +
                     SentBytes(catalogue, section, itemIndex, defaultValue) +
                     " until a box is ticked, and then nothing: a mask goes out with ParameterCount digits, and " +
                     std::to_string(parameters) + " asks for more than a command holds; write ParameterCount=1 for "
                     "one choice");
    return;
  }
  if (multiChoice) {
    // A count above 1 reads like a number of digits (BaseOn30) or bytes (High256), but it makes the item
    // multi-choice: told when its default is one option's value, as a single choice's is (a mask that ticks the
    // first rows is far larger; 0, no tick, counts for a Serial range only).
    bool valueDefault = false;
    for (const Option &option : options) valueDefault = valueDefault || option.value == defaultValue;
    // An Enum item with three bytes under High256 has room for every row's bit: it is written as multi-choice, and
    // a wrong default is told as the mask it is.
    const bool wholeMask = enumRule && IsHigh256(catalogue) && parameters == 3;
    // A default the file does not give says nothing of what was meant.
    const bool oneValue =
        lines.defaultValue && valueDefault && defaultValue >= (enumRule ? 1 : 0) &&
        (baseOn30 ? defaultValue < 1000
                  : IsHigh256(catalogue) && !wholeMask && defaultValue < (1 << (kMaskRows - 8)));
    if (oneValue) {
      // A count written as the printer's bytes for the value: one choice sends one byte, and when every value fits
      // it, the bytes before it are 00, which the command can carry.
      bool small = !baseOn30 && parameters >= 2;
      for (const Option &option : options) small = small && option.value >= 0 && option.value <= 255;
      const std::string command = Utf8(FieldText(item.Instruction));
      std::string zeros;
      for (long i = 1; i < parameters && i < 8; ++i) zeros += " 00";
      // The high bytes may be in the command already: the count then only doubled them.
      BYTE bytes[64];
      const DWORD size = HexTextToBytes(item.Instruction, bytes, sizeof bytes);
      long written = 0;
      while (written < long(size) && bytes[size - 1 - written] == 0) ++written;
      const std::string highBytes =
          small && !command.empty() && written >= parameters - 1
              ? " (the command ends with " + (parameters == 2 ? std::string("the high byte") : "high bytes") + zeros +
                    " already, which, with one byte for the value, make the " + std::to_string(parameters) + " bytes)"
          : small && !command.empty()
              ? ", and if the printer takes the value in " + std::to_string(parameters) +
                    " bytes, end the command with the high " + (parameters == 2 ? "byte" : "bytes") + zeros +
                    ", which every option's value has (" + Utf8(lines.instruction) + "=" + command + zeros + ")"
          : !baseOn30 && parameters >= 2
              ? " (one choice sends one byte: values outside 0 to 255, which this item has, cannot reach a "
                "printer that takes them in " +
                    std::to_string(parameters) + " bytes from one item)"
              : std::string();
      findings.Add(
          lines.parameterCount ? lines.parameterCount : lines.rule, "multi-choice-count",
          where + " has ParameterCount " + std::to_string(parameters) +
              ", which makes it multi-choice: the page offers a tick box for each option and sends a mask "
              "of them, so its default " +
              std::to_string(defaultValue) +
              (DWORD(defaultValue) & RowBits(options.size()) ? " ticks other rows than meant" : " ticks no row") +
              (baseOn30 ? ". BaseOn30 sends a value below 1000 with its own digits whatever ParameterCount "
                          "says"
                        : " and Set All sends " + SentBytes(catalogue, section, itemIndex, defaultValue)) +
              "; for one choice, write ParameterCount=1" +
              (baseOn30 ? ZeroPadHint(item, ValuesOf(item), size_t(std::min<LONG>(parameters, 9)), lines.instruction)
                        : highBytes) +
              "; for tick boxes, write the default as the mask of the rows to tick (row 0 is " +
              std::to_string(1L << (kMaskRows - 1)) + ")");
      return;
    }
    // The hint box names the option whose value is the default, as for one choice; the rows the mask ticks may be
    // others, or none.
    const Option *named = nullptr;
    for (const Option &option : options)
      if (option.value == defaultValue) named = &option;
    const size_t namedRow = named ? size_t(named - options.data()) : 0;
    // Told of a default the file gives, whose bits are all rows' (other masks are told as such), under a count
    // that makes the item multi-choice as meant.
    if (named && namedRow < size_t(kMaskRows) && DWORD(defaultValue) != 1u << (kMaskRows - 1 - namedRow) &&
        lines.defaultValue && parameters > 1 && !(DWORD(defaultValue) & ~RowBits(options.size())) &&
        std::none_of(findings.list().begin(), findings.list().end(),
                     [&](const Finding &f) { return f.line == lines.defaultValue; })) {
      DWORD ticked = 0;
      for (size_t row = 0; row < options.size() && row < size_t(kMaskRows); ++row)
        if (DWORD(defaultValue) & (1u << (kMaskRows - 1 - row))) ticked |= 1u << row;
      // A default that ticks nothing, written as the value of the option meant, as for one choice: the page ticks
      // no box while its hint names that option.
      if (!ticked)
        findings.Add(defaultLine, "mask-default-as-value",
                     where + " is multi-choice: its default " + std::to_string(defaultValue) +
                         " ticks no row, and Set All sends " + SentBytes(catalogue, section, itemIndex, defaultValue) +
                         ", but the hint box names as the default the option of value " + std::to_string(defaultValue) +
                         ", " + RowNumbers(1u << namedRow) + "; to tick it, write " +
                         std::to_string(1L << (kMaskRows - 1 - namedRow)) +
                         ", its row's mask; to tick none, give that option another value than " +
                         std::to_string(defaultValue) + "; if the item is one choice, ParameterCount " +
                         std::to_string(parameters) + " makes it tick boxes: write ParameterCount=1");
      else
        findings.Add(lines.defaultValue ? defaultLine : lines.rule, "mask-hint",
                     where + " is multi-choice: its hint box names as the default the option of value " +
                         std::to_string(defaultValue) + ", which is the default mask, but that mask ticks " +
                         RowNumbers(ticked) +
                         "; a multi-choice option's value sends nothing, so give that option "
                         "another value");
    }
    // Rows from 14 on alone make masks below 1000, which no count of digits pads.
    if (baseOn30 && parameters >= 8 && options.size() > 14)
      findings.Add(lines.parameterCount ? lines.parameterCount : lines.rule, "mask-digits",
                   where + " is multi-choice with " + std::to_string(options.size()) +
                       " rows, but the masks of rows 14 on alone are below 1000 and go out with their own digits, "
                       "unpadded: row 23 alone sends " +
                       SentBytes(catalogue, section, itemIndex, 1) +
                       "; keep 14 rows, and make the others a second item");
    if (options.size() > size_t(kMaskRows))
      findings.Add(lines.rule, "mask-too-many-options",
                   where + " is multi-choice with " + std::to_string(options.size()) + " options: rows from " +
                       std::to_string(kMaskRows) + " on have no bit and cannot be chosen; keep " +
                       std::to_string(kMaskRows) + " options, and make the others a second item");
    const int rows = MaskRows(options.size());
    const DWORD allowed = RowBits(options.size());
    // Under BaseOn30 a mask from 1000 on goes out padded to ParameterCount digits, and a count below its digits pads
    // nothing: the masks go out as long as the rows ticked make them. A count written for bytes (3, from High256)
    // does that; a printer that reads a fixed number of digits wants them all.
    const DWORD lastRow = rows > 0 ? 1u << (kMaskRows - rows) : 0;
    const size_t fewest = std::to_string(lastRow).size(), most = std::to_string(allowed).size();
    if (baseOn30 && lastRow >= 1000 && size_t(parameters) < most && std::max(size_t(parameters), fewest) < most)
      findings.Add(lines.parameterCount ? lines.parameterCount : lines.rule, "mask-digits",
                   where + " is multi-choice with ParameterCount " + std::to_string(parameters) +
                       ": BaseOn30 sends each mask with its own digits, " +
                       std::to_string(std::max(size_t(parameters), fewest)) + " to " + std::to_string(most) +
                       " of them by the rows ticked; if the printer reads a fixed number of digits, write "
                       "ParameterCount=" + std::to_string(most));
    if (rows > 0 && (DWORD(defaultValue) & ~allowed) && !lines.defaultSectionMisnamed && !lines.defaultMisread &&
        !lines.defaultUnread) {
      // The mask as probably meant: every row when the default sets bits beyond them all, or the rows whose
      // numbers the default's low bits are.
      std::string meant;
      if (DWORD(defaultValue) >= allowed) {
        meant = "; to tick every row, write " + std::to_string(allowed);
      } else if (DWORD(defaultValue) < (1u << rows)) {
        DWORD mask = 0;
        for (int row = 0; row < rows; ++row)
          if (DWORD(defaultValue) & (1u << row)) mask |= 1u << (kMaskRows - 1 - row);
        meant = "; to tick " + RowNumbers(DWORD(defaultValue)) + ", write " + std::to_string(mask);
      }
      // The default as the manual draws the rows ("101000"): the mask of them.
      if (lines.defaultValue)
        meant = RowListHint(Ascii(std::to_string(defaultValue).c_str()), DWORD(options.size())) + meant;
      // A default written as one option's value, as for a single choice: that option's row.
      for (size_t row = 0; row < options.size() && row < size_t(rows); ++row)
        if (options[row].value == defaultValue && (meant.empty() || DWORD(defaultValue) != (1u << row))) {
          meant += std::string(meant.empty() ? "; " : ", or, ") + "if it names the option of that value, " +
                   RowNumbers(1u << row) + ", write " + std::to_string(1L << (kMaskRows - 1 - row)) +
                   // A count copied from a tick-box item onto one choice: the count is the slip.
                   "; if the item is one choice, ParameterCount " + std::to_string(parameters) +
                   " makes it tick boxes: write ParameterCount=1";
          break;
        }
      // Values that are single bits (1, 2, 4, 8) are the printer's own bit order, which the page does not keep.
      bool bits = options.size() > 1;
      for (size_t row = 0; row < options.size(); ++row)
        bits = bits && options[row].value > 0 && (options[row].value & (options[row].value - 1)) == 0;
      if (bits)
        meant +=
            "; the values are single bits, as the printer may number its switches, but the page sends row 0 as "
            "bit 23, row 1 as bit 22 and so on, whatever the values";
      // Rows taken off the end of the list, their bits left in the default: Set All still sends them, and the rows
      // kept are the mask without them.
      const DWORD stray = DWORD(defaultValue) & ~allowed, kept = DWORD(defaultValue) & allowed;
      std::string left;
      DWORD rowsOfStray = 0;
      for (int row = 0; row < kMaskRows; ++row)
        if (stray & (1u << (kMaskRows - 1 - row))) rowsOfStray |= 1u << row;
      // (The rows just past the list, one to three of them.)
      const DWORD pastList = rowsOfStray >> rows;
      if (kept && !(stray >> kMaskRows) && (pastList & 1) && !(pastList & (pastList + 1)) && pastList < 8) {
        const bool one = !(stray & (stray - 1));
        left = (one ? "; its bit " : "; its bits ") + HexMask(stray) + (one ? " is that of " : " are those of ") +
               RowNumbers(rowsOfStray) + ", which the list no longer has, and Set All sends " +
               (one ? "it (" : "them (") + SentBytes(catalogue, section, itemIndex, defaultValue) +
               "); to keep the rows it ticks, write " + std::to_string(kept);
      }
      findings.Add(
          defaultLine, "mask-bits",
          where + ": " + defaultText + " (mask " + HexMask(DWORD(defaultValue)) +
              ") sets bits that no option row stands for" +
              (left.empty() ? "; row 0 is bit " + std::to_string(kMaskRows - 1) + ", so " + Quoted(options[0].text) +
                                  " alone is " + std::to_string(1L << (kMaskRows - 1)) + meant
                            : left));
    }
    // Values out of order (options sorted by their texts): a row's bit comes from its place, not its value.
    std::vector<Option> byValue = options;
    std::stable_sort(byValue.begin(), byValue.end(),
                     [](const Option &a, const Option &b) { return a.value < b.value; });
    size_t row = 0;
    while (row < options.size() && options[row].value == byValue[row].value) ++row;
    const bool distinct = std::adjacent_find(byValue.begin(), byValue.end(), [](const Option &a, const Option &b) {
                            return a.value == b.value;
                          }) == byValue.end();
    if (enumRule && distinct && row < options.size()) {
      std::vector<LONG> values;
      for (const Option &option : options) values.push_back(option.value);
      findings.Add(lines.rule, "mask-values-order",
                   where + " is multi-choice, and a row's bit comes from its place in the list, not from its value: "
                           "the values " + Shown(values) + " stand out of order, so " + Named(options[row]) +
                       " sends the bit of row " + std::to_string(row) + "; list the options in the order of their "
                       "values");
    }
    // Values in order but one skipped (an option taken out of the middle): each row after the gap sends the bit of
    // the row before it, which the printer knows as another option. Values counted from 0 or 1 only: others are
    // the printer's own numbers.
    size_t gap = 1;
    while (gap < options.size() && options[gap].value == options[gap - 1].value + 1) ++gap;
    bool oneTakenOut = gap < options.size() && options[gap].value == options[gap - 1].value + 2;
    for (size_t after = gap + 1; oneTakenOut && after < options.size(); ++after)
      oneTakenOut = options[after].value == options[after - 1].value + 1;
    if (enumRule && distinct && row == options.size() && oneTakenOut && options[0].value >= 0 &&
        options[0].value <= 1 && gap < size_t(kMaskRows)) {
      std::vector<std::string> ticked;
      for (size_t shifted = gap; shifted < options.size() && shifted < size_t(kMaskRows); ++shifted)
        if (DWORD(defaultValue) & (1u << (kMaskRows - 1 - shifted))) ticked.push_back(Named(options[shifted]));
      findings.Add(lines.rule, "mask-values-order",
                   where +
                       " is multi-choice, and a row's bit comes from its place in the list, not from its value: "
                       "the values skip " +
                       std::to_string(options[gap - 1].value + 1) + ", so " + Named(options[gap]) +
                       " sends the bit of row " + std::to_string(gap) +
                       (ticked.empty() ? std::string() : ", and the default ticks " + FirstNames(ticked)) +
                       "; if an option was taken out, every row after it sends the bit of the one before: put it "
                       "back, or, if the printer's bits moved with it, number the values without a gap");
    }
    if (IsHigh256(catalogue) && parameters >= 1 && parameters < 3 && !options.empty())
      findings.Add(lines.parameterCount, "mask-too-few-bytes",
                   where + " is multi-choice with ParameterCount " + std::to_string(parameters) +
                       ": the bits of rows 0 to " + std::to_string(kMaskRows - 1 - 8 * parameters) + " do not fit " +
                       std::to_string(parameters) + " parameter bytes and are never sent; write ParameterCount=3 if " +
                       "the printer takes the mask in three bytes (one that takes " + std::to_string(parameters) +
                       " gets the bits of rows " + std::to_string(kMaskRows - 8 * parameters) + " to " +
                       std::to_string(kMaskRows - 1) + " only)");
    return;
  }
  bool matched = false;
  for (const Option &option : options) matched = matched || option.value == defaultValue;
  const std::pair<long long, long long> range = ValueRange(item);
  if (IsHigh256(catalogue) && parameters >= 1 && parameters <= 3) {
    const long long low = range.first, high = range.second;
    // A default that is a mask of the item's rows: the item was meant as multi-choice, with three bytes.
    const int rows = MaskRows(options.size());
    const DWORD rowBits = RowBits(options.size());
    if (enumRule && defaultValue > high && defaultValue > 0 && !(DWORD(defaultValue) & ~rowBits)) {
      // Rows by number, which both languages share, so that the two readings tell it as one.
      DWORD ticked = 0;
      for (int row = 0; row < rows; ++row)
        if (DWORD(defaultValue) & (1u << (kMaskRows - 1 - row))) ticked |= 1u << row;
      findings.Add(lines.parameterCount ? lines.parameterCount : defaultLine, "value-too-large",
                   where + ": " + defaultText + " is the mask of " + RowNumbers(ticked) + ", but ParameterCount " +
                       std::to_string(parameters) + " makes the item single-choice and Set All sends " +
                       SentBytes(catalogue, section, itemIndex, defaultValue) +
                       "; for tick boxes, write ParameterCount=3; for one choice, write the value of an option: " +
                       ValueList(options, defaultValue));
      return;
    }
    // A default of no option is told as that, with the values to pick from.
    // (A default written whole after its high byte, as its options are, goes out as meant.)
    const long long fixedHigh = FixedHigh(item);
    if ((defaultValue < low || defaultValue > high) && (matched || options.empty()) &&
        !(fixedHigh > 0 && defaultValue >= fixedHigh && defaultValue <= fixedHigh + 255))
      findings.Add(defaultLine, "value-too-large",
                   where + ": " + defaultText + " does not fit " + ValueBytes(item) + ": Set All sends " +
                       SentBytes(catalogue, section, itemIndex, defaultValue) + "; write a value from " +
                       std::to_string(low) + " to " + std::to_string(high));
  }
  if (options.empty()) return;
  // A pair that lost its '=' ("0=English 1 Chinese 2=Automatic"): it runs into the text before it, and its value
  // is the one missing from the even steps of the others.
  std::optional<LONG> lost;  // the value of the pair, which a default may name
  for (size_t i = 0; enumRule && i < options.size(); ++i) {
    // The one option of a rule of two pairs holds the other ("0=Off 1 On"); else the lost value is the one the
    // others' even steps skip.
    // The last option's text holds the pair after it when the others' step goes on past it.
    const bool alone = options.size() == 1, last = !alone && i + 1 == options.size();
    const LONG low = options[i].value, high = alone  ? low + 2
                                              : last ? low + 2 * (options[1].value - options[0].value)
                                                     : options[i + 1].value;
    const LONG step = (high - low) / 2;
    bool even = step > 0 && high - low == 2 * step;
    for (size_t k = 0; even && k + 1 < options.size(); ++k)
      even = k == i || options[k + 1].value - options[k].value == step;
    const WString missing = Ascii(std::to_string(low + step).c_str()), &text = options[i].text;
    size_t at = even ? text.find(Ascii(" ") + missing + Ascii(" ")) : WString::npos;
    // Or the value typed onto its text ("Light 3Normal"), a letter after its digits.
    if (even && at == WString::npos) {
      const size_t glued = text.find(Ascii(" ") + missing), after = glued + 1 + missing.size();
      if (glued != WString::npos && after < text.size() &&
          ((text[after] < 0x80 && std::isalpha(int(text[after]))) || (text[after] >= 0x4E00 && text[after] <= 0x9FFF)))
        at = glued;
    }
    // A number after another in the text is part of it ("After 2 or 3 hours", "4 to 6 ppm").
    if (at == WString::npos || text.substr(0, at).find_first_of(Ascii("0123456789")) != WString::npos) continue;
    lost = low + step;
    findings.Add(lines.rule, "enum-pair-no-equals", where + ": " + PairWithoutEquals(text, at, low, low + step, "page"));
    break;
  }
  const bool stepTold = !enumRule && TellStepSlip(options, lines, defaultValue, matched, where, findings);
  // (A default that is no number is told with what it reads as.)
  if (!matched && !stepTold && !lines.defaultSectionMisnamed && !lines.defaultUnread && lost != defaultValue &&
      !lines.defaultMisread)
    findings.Add(defaultLine, "default-no-option",
                 where + ": " + defaultText +
                     " matches no option: the page selects no row, Set Current sends nothing until one is chosen, "
                     "and Set All sends " +
                     SentBytes(catalogue, section, itemIndex, defaultValue) +
                     "; write the value of an option: " + ValueList(options, defaultValue) +
                     // A default written as the option's place in the list ("Source=4" for the fourth).
                     // Counted from 0, as `prnset show` numbers the rows, or from 1, as an author counts them.
                     (enumRule && defaultValue >= 1 && size_t(defaultValue) <= options.size() && options.size() > 1
                          ? " (if the option in place " + std::to_string(defaultValue) + " was meant: " +
                                (size_t(defaultValue) < options.size()
                                     ? "counted from 0, as prnset show numbers the rows, " +
                                           std::to_string(options[size_t(defaultValue)].value) + "; "
                                     : std::string()) +
                                "counted from 1, " + std::to_string(options[size_t(defaultValue) - 1].value) + ")"
                          : std::string()) +
                     (enumRule ? std::string() : ", or mend MIN, MAX or STEP if the range is what is wrong") +
                     (enumRule ? MaskHint(options, defaultValue, baseOn30) : std::string()) +
                     (defaultValue == 0 && lines.defaultValue && enumRule && !lines.defaultMisread
                          ? "; if 0 was meant to hide the item, it belongs in the class's _Filter section"
                          : std::string()));
  if (enumRule) {
    // One finding for the item however many values repeat.
    std::map<LONG, size_t> first;
    int repeats = 0;
    std::string example;
    WString later;
    for (size_t i = 0; i < options.size(); ++i) {
      auto seen = first.emplace(options[i].value, i);
      if (!seen.second && repeats++ == 0) {
        example = Quoted(options[seen.first->second].text) + " and " + Quoted(options[i].text) +
                  " have the same value " + std::to_string(options[i].value);
        later = options[i].text;
      }
    }
    if (repeats)
      findings.Add(lines.rule, "duplicate-values",
                   where + ": options " + example +
                       (repeats > 1 ? " (" + std::to_string(repeats) + " options repeat an earlier value)" : "") +
                       ": the page selects the later one; give " + Quoted(later) + " the value the printer reads "
                       "for it");
    // Rows of one text with other values: the operator cannot tell which one sends what.
    std::map<std::string, size_t> texts;
    for (size_t i = 0; i < options.size(); ++i) {
      // Texts a conversion lost (U+FFFD for each character) read alike by that damage, which is told as such.
      if (options[i].text.find(WCHAR(0xFFFD)) != WString::npos) continue;
      auto seen = texts.emplace(Utf8(options[i].text), i);
      if (seen.second || options[seen.first->second].value == options[i].value) continue;
      // A text as long as an option holds was probably cut there, and read alike only then.
      const size_t held = ARRAYSIZE(SettingsOption{}.Text) - 1;
      const bool cut = options[i].text.size() == held;
      findings.Add(lines.rule, "duplicate-texts",
                   where + ": the options of the values " + std::to_string(options[seen.first->second].value) +
                       " and " + std::to_string(options[i].value) + " have the same text " + Quoted(options[i].text) +
                       (cut ? ", as the page cuts them to " + std::to_string(held) + " characters" : std::string()) +
                       ": the operator sees two rows alike that send other bytes; " +
                       (cut ? "shorten each to a text of its own of " + std::to_string(held) + " characters or fewer"
                            : std::string("give each its own text")));
      break;
    }
  }
  // Texts that begin with their option's value ("4=4 in/s"), but for one that begins with another number: the
  // operator reads one number and the printer gets the other.
  if (enumRule && options.size() >= 3) {
    auto leading = [](const WString &text) {
      size_t digits = 0;
      while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9') ++digits;
      return digits && (digits == text.size() || text[digits] < '0' || text[digits] > '9')
                 ? std::stol(Utf8(text.substr(0, digits)))
                 : -1L;
    };
    const Option *odd = nullptr;
    size_t own = 0, others = 0;
    for (const Option &option : options) {
      const long number = leading(option.text);
      if (number == option.value) ++own;
      if (number >= 0 && number != option.value && !others++) odd = &option;
    }
    // (A value misread, told on the rule's line already, is that one slip.)
    const bool told = std::any_of(findings.list().begin(), findings.list().end(),
                                  [&](const Finding &finding) { return finding.line == lines.rule; });
    if (own + 1 == options.size() && others == 1 && own >= 2 && !told)
      findings.Add(lines.rule, "text-names-other-value",
                   where + ": the option of value " + std::to_string(odd->value) + " reads " + Quoted(odd->text) +
                       ", where every other option's text begins with its value: the page shows " + Quoted(odd->text) +
                       " and sends " + std::to_string(odd->value) + "; if " + std::to_string(leading(odd->text)) +
                       " is the value the printer reads for it, write " + std::to_string(leading(odd->text)) + "=" +
                       Utf8(odd->text));
  }
  // Pairs written as a list ("2=2 in/s, 3=3 in/s"): the blank alone separates them, and each text keeps the mark.
  const WCHAR mark = enumRule && options.size() > 1 && !options[0].text.empty() ? options[0].text.back() : 0;
  if (mark != ' ' && IsListMark(mark)) {
    size_t marked = 0;
    WString meant;
    for (size_t i = 0; i < options.size(); ++i) {
      WString text = options[i].text;
      marked += !text.empty() && text.back() == mark;
      while (!text.empty() && (text.back() == mark || text.back() == ' ')) text.pop_back();
      meant += (i ? Ascii(" ") : WString()) + Ascii(std::to_string(options[i].value).c_str()) + Ascii("=") + text;
    }
    if (marked + 1 >= options.size())  // all but one (the last, as a rule)
      findings.Add(lines.rule, "enum-text-mark",
                   where + ": " + std::to_string(marked) + " of its " + std::to_string(options.size()) +
                       " option texts end in " + Mark(mark) + " (first " + Quoted(options[0].text) +
                       "): pairs are separated by blanks alone, so the page shows the mark; write " + Quoted(meant));
  }
  // Option texts in quotation marks (0="Off" 1="On"): the reader drops quotes around a whole value only.
  size_t quoted = 0;
  WString unquoted;
  for (size_t i = 0; enumRule && i < options.size(); ++i) {
    const WString &text = options[i].text;
    const bool marks = text.size() > 1 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0];
    quoted += marks;
    unquoted += (i ? Ascii(" ") : WString()) + Ascii(std::to_string(options[i].value).c_str()) + Ascii("=") +
                (marks ? text.substr(1, text.size() - 2) : text);
  }
  if (quoted > 0 && quoted == options.size())
    findings.Add(lines.rule, "enum-text-mark",
                 where + ": its option texts are in quotation marks (first " + Quoted(options[0].text) +
                     "): the page shows the marks; write " + Quoted(unquoted));
  const Option *minusOne = nullptr;
  for (const Option &option : options)
    if (option.value == -1) {
      minusOne = &option;
      break;
    }
  std::map<LONG, int> values;
  for (const Option &option : options) values[option.value]++;
  // What the encoder makes of each value: BaseOn30 sends a small value's digits whatever ParameterCount says.
  std::set<std::string> sent;
  for (const auto &value : values) sent.insert(SentBytes(catalogue, section, itemIndex, value.first));
  const int countLine = lines.parameterCount ? lines.parameterCount : lines.rule;
  if (parameters == 0 && values.size() > 1 && sent.size() == 1 && !findings.Told(countLine, "not-a-number"))
    findings.Add(countLine, "parameter-count-zero",
                 where + " has ParameterCount 0: its options send no value, so every option sends " + *sent.begin() +
                     "; write ParameterCount=1");
  if (IsHigh256(catalogue) && parameters >= 1 && parameters <= 3) {
    const long long low = range.first, high = range.second;
    int outside = 0;
    const Option *firstOutside = nullptr, *lowest = nullptr, *highest = nullptr;
    for (const Option &option : options) {
      // The example is one the printer gets as chosen: -32767 sends nothing on Set Current.
      if ((option.value < low || option.value > high) &&
          (!outside++ || (firstOutside->value == kNoCommandValue && parameters <= 1)))
        firstOutside = &option;
      if (option.value >= low && option.value <= high) {
        if (!lowest || option.value < lowest->value) lowest = &option;
        if (!highest || option.value > highest->value) highest = &option;
      }
    }
    // A Serial range is mended at its ends: the last of its steps that fits, within the signed bytes when it keeps
    // values below 0 (a printer reads its bytes signed or unsigned, not both).
    const long long top = (1LL << (8 * parameters - 1)) - 1;
    const bool signedRange = lowest && lowest->value < 0 && low < 0;
    if (signedRange)
      for (const Option &option : options)
        if (option.value <= top && option.value >= low &&
            (!highest || highest->value > top || option.value > highest->value))
          highest = &option;
    std::string mend;
    if (!enumRule && lowest && options.front().value < low) mend += "MIN=" + std::to_string(lowest->value);
    if (!enumRule && highest && options.back().value > (signedRange ? top : high))
      mend += (mend.empty() ? "" : " and ") + ("MAX=" + std::to_string(highest->value));
    // Some values written whole after a last instruction byte that is their high byte, others with another one.
    const long long fixed = FixedHigh(item);
    const auto inWindow = [&](const Option &option) { return option.value >= fixed && option.value <= fixed + 255; };
    const auto other = std::find_if_not(options.begin(), options.end(), inWindow);
    if (firstOutside && fixed > 0 && std::any_of(options.begin(), options.end(), inWindow))
      findings.Add(
          lines.rule, "value-too-large",
          where + ": its instruction ends in " +
              [&] {
                const BYTE last = BYTE(fixed / 256);
                return HexPairs(&last, 1);
              }() +
              ", the high byte of the values from " + std::to_string(fixed) + " to " + std::to_string(fixed + 255) +
              ", which go out as meant, but " + Named(*other) + " has another high byte and is sent as " +
              SentBytes(catalogue, section, itemIndex, other->value) +
              "; a value of another high byte needs an item of its own, whose instruction ends in its high "
              "byte");
    else if (firstOutside)
      findings.Add(
          lines.rule, "value-too-large",
          where + ": " + std::to_string(outside) + (outside == 1 ? " option does" : " options do") + " not fit " +
              ValueBytes(item) + " and " + (outside == 1 ? "is" : "are") +
              " cut to the low bytes: " + Named(*firstOutside) +
              (firstOutside->value == kNoCommandValue && parameters <= 1
                   ? " sends nothing when chosen, and Set All sends "
                   : " is sent as ") +
              SentBytes(catalogue, section, itemIndex, firstOutside->value) +
              (mend.empty() ? "; write each value as the number the printer reads, from "
                            : "; write " + mend + ": values from ") +
              std::to_string(low) + " to " + std::to_string(signedRange && !mend.empty() ? top : high) +
              (mend.empty() ? "" : " fit") +
              // A range past one byte for a printer that takes two: one choice sends one byte, after a
              // high byte written into the instruction.
              (!enumRule && parameters == 1 && !HighByteFixed(item) && options.back().value > high
                   ? "; if the printer takes the value in two bytes, the page can send 0 to 255 of it: end "
                     "the instruction with 00, the high byte; for more, count in a coarser unit the printer "
                     "offers"
               // Values the printer reads in two bytes (300, 600, 1200 dpi): a single choice goes out in one.
               : enumRule && parameters == 1 && !HighByteFixed(item) && outside >= 2 && firstOutside->value > high
                   ? "; a single choice goes out in one byte: if the printer reads these values in two, "
                     "write the codes its manual gives for them, or end the instruction with their high "
                     "byte, an item for each high byte"
                   : ""));
    // Options that fit the bytes each alone, some below 0 and some past the signed top: a printer reads the bytes
    // signed or unsigned, not both, so one side goes out as other numbers (and -100 and 156 as the same byte).
    // (255 written for -1, which the page cannot send, is the byte of -1 as meant, among -6 to 6.)
    const Option *negative = nullptr, *past = nullptr;
    for (const Option &option : options)
      if (option.value >= low && option.value < 0 && (!negative || option.value < negative->value)) negative = &option;
    const long long span = 1LL << (8 * parameters);
    for (const Option &option : options) {
      const long long wrapped = option.value - span;
      const bool meantNegative = negative && wrapped >= negative->value && !values.count(LONG(wrapped));
      if (option.value > top && option.value <= high && !meantNegative && (!past || option.value > past->value))
        past = &option;
    }
    if (!firstOutside && negative && past && low < 0) {
      const Option *twin = nullptr;  // an option sent as the same bytes as another
      for (const Option &option : options)
        for (const Option &other : options)
          if (!twin && option.value < 0 && other.value == option.value + span) twin = &option;
      findings.Add(lines.rule, "value-sign",
                   where + ": its options run from " + std::to_string(negative->value) + " to " +
                       std::to_string(past->value) + ", but " + ValueBytes(item) +
                       (parameters == 1 ? " holds " : " hold ") + std::to_string(-top - 1) + " to " +
                       std::to_string(top) + " as a printer that takes negative values reads them, and 0 to " +
                       std::to_string(span - 1) + " as one that does not: " +
                       (twin ? Named(*twin) + " and " + std::to_string(twin->value + span) + " are both sent as " +
                                   SentBytes(catalogue, section, itemIndex, twin->value)
                             : Named(*past) + " is sent as " + SentBytes(catalogue, section, itemIndex, past->value) +
                                   ", which the first reads as " + std::to_string(past->value - span)) +
                       "; keep the values within " + std::to_string(-top - 1) + " to " + std::to_string(top) +
                       ", or within 0 to " + std::to_string(span - 1) + ", as the printer's manual gives them");
    }
  }
  // Options the encoder cannot write: choosing one on the page sends nothing.
  int refused = 0;
  const Option *firstRefused = nullptr;
  for (const Option &option : options) {
    NoText why = NoText::kNone;
    DWORD size = 0;
    EncodeItemValue(catalogue, section, itemIndex, option.value, nullptr, &size, &why);
    if (why == NoText::kNegativeDigits && !refused++) firstRefused = &option;
  }
  // The -1 option is one finding: what the page makes of it, and what BaseOn30 makes of it when it is the one
  // negative option (among other negative options under BaseOn30, it is told with them).
  if (minusOne && refused <= 1 && !stepTold)
    findings.Add(lines.rule, "option-minus-one",
                 where + ": the option " + Quoted(minusOne->text) +
                     " has the value -1: choosing it keeps the item's previous value, so Set All never sends -1" +
                     (defaultValue == -1 ? " once another row was chosen; until then Set All sends the default -1: " +
                                               SentBytes(catalogue, section, itemIndex, -1)
                                         : std::string()) +
                     (refused == 1 ? ", and under BaseOn30 Set Current sends nothing for it" : "") +
                     (!enumRule && baseOn30 ? "; BaseOn30 sends no negative value: write MIN=0 or more"
                      : !enumRule && IsHigh256(catalogue) && parameters == 1
                          ? "; choose MIN and STEP so that the range steps over -1, or list the values as an Enum "
                            "rule with 255 for -1: it sends the byte FF, as -1 would, and can be chosen"
                      : !enumRule            ? "; choose MIN and STEP so that the range steps over -1, or list the "
                                               "values as an Enum rule without it"
                      : IsHigh256(catalogue) ? "; give it a value of its own (255 sends the byte FF)"
                                             : "; give it a value of its own") +
                     (enumRule && defaultValue == -1 ? ", and write that value as the default too" : ""));
  if (firstRefused && !(minusOne && refused == 1))
    findings.Add(lines.rule, "negative-base-on-30",
                 where + ": BaseOn30 cannot send negative values, and " + std::to_string(refused) +
                     (refused == 1 ? " option is" : " options are") + " negative (first " + Named(*firstRefused) +
                     "): choosing one sends nothing for it, and while one stands chosen no Set All goes out "
                     "either; " +
                     (enumRule ? "give them values of 0 or more" : std::string("write MIN=0 or more")) +
                     ", or, if the printer takes its values as binary bytes, write ParameterRule=High256 for the file");
}

}  // namespace prnset
