#include "tools/prnset/check_names.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "catalogue/vocabulary.h"

namespace prnset {

namespace {
WCHAR Folded(WCHAR c) { return c >= 'A' && c <= 'Z' ? WCHAR(c + ('a' - 'A')) : c; }
}  // namespace

bool SameName(const WString &a, const WString &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

std::string FoldedName(const WString &name) {
  std::string ascii;
  for (WCHAR c : name) {
    if (c >= 0x80) break;
    ascii += char(Folded(c));
  }
  if (ascii.size() == name.size()) return ascii;  // names are ASCII but for a few: no conversion for them
  WString folded = name;
  for (WCHAR &c : folded) c = Folded(c);
  return Utf8(folded);
}

WString Numbered(LPCWSTR form, long number) {
  WCHAR name[kPathChars];
  wsprintfW(name, form, int(number));
  return name;
}

namespace {
// Names compared in place, letters without regard to case.
bool SameAt(const WString &name, size_t at, const WString &part) {
  if (at + part.size() > name.size()) return false;
  for (size_t i = 0; i < part.size(); ++i)
    if (Folded(name[at + i]) != Folded(part[i])) return false;
  return true;
}

// A numbered form split around its "%.2d", once per form.
struct SplitForm {
  WString prefix, suffix;
  SplitForm() = default;
  explicit SplitForm(LPCWSTR form) {
    WString text = form;
    const size_t at = text.find(WCHAR('%')), end = text.find(WCHAR('d'), at);  // "%.2d" or "%d"
    prefix = text.substr(0, at);
    suffix = end == WString::npos ? WString() : text.substr(end + 1);
  }
};

// The vocabulary's numbered forms, split once; another form is split as it comes, into `other`.
const SplitForm &SplitOf(LPCWSTR form, SplitForm &other) {
  static const std::vector<std::pair<LPCWSTR, SplitForm>> splits = [] {
    std::vector<std::pair<LPCWSTR, SplitForm>> all = {{kNumberedSection, SplitForm(kNumberedSection)},
                                                       {kCompressChoiceForm, SplitForm(kCompressChoiceForm)}};
    for (const KeyName &key : kFileKeys)
      if (key.shape == KeyShape::Numbered) all.push_back({key.key, SplitForm(key.key)});
    return all;
  }();
  for (const auto &split : splits)
    if (split.first == form) return split.second;
  other = SplitForm(form);
  return other;
}
}  // namespace

WString ReadWhole(const IniFile &ini, const WString &section, const WString &key) {
  // No value can be longer than the file's text; grow until the read is not cut.
  std::vector<WCHAR> buffer(512);
  for (;;) {
    DWORD n = ini.ReadString(section.c_str(), key.c_str(), buffer.data(), DWORD(buffer.size()));
    if (n + 1 < buffer.size() || buffer.size() > IniFile::kMaxFileBytes) return WString(buffer.data(), n);
    buffer.resize(buffer.size() * 4);
  }
}

int SectionLine(const IniFile &ini, const WString &section) {
  for (const IniFile::Section &candidate : ini.sections())
    if (SameName(ini.Text(candidate.name, candidate.nameLength), section) && !(candidate.line == 0 && !section.empty()))
      return candidate.line;
  return -1;
}

std::string Place(const WString &section, const WString &key) { return "[" + Utf8(section) + "] " + Utf8(key); }

std::string Quoted(const WString &text) {
  constexpr size_t kShown = 60;
  if (text.size() <= kShown) return "\"" + Utf8(text) + "\"";
  return "\"" + Utf8(text.substr(0, kShown)) + "...\"";
}

namespace {
bool IsDigits(const WString &text, size_t from, size_t to) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}
}  // namespace

WString NameForNumber(const WString &name, LPCWSTR form) {
  if (std::none_of(name.begin(), name.end(), [](WCHAR c) { return c >= '0' && c <= '9'; })) return WString();
  SplitForm other;
  const SplitForm &split = SplitOf(form, other);
  const WString &p = split.prefix, &s = split.suffix;
  if (name.size() <= p.size() + s.size() || !SameAt(name, 0, p) || !SameAt(name, name.size() - s.size(), s))
    return WString();
  size_t end = name.size() - s.size();
  // The loader reads numbers of up to kMaxNumberDigits digits; a longer one means nothing to it.
  if (!IsDigits(name, p.size(), end) || end - p.size() > size_t(kMaxNumberDigits)) return WString();
  long long number = std::stoll(Utf8(name.substr(p.size(), end - p.size())));
  if (number > 2147483647LL) return WString();
  return Numbered(form, long(number));
}

long NumberIn(const WString &name, LPCWSTR form) {
  WString expected = NameForNumber(name, form);
  if (expected.empty() || !SameName(expected, name)) return -1;
  SplitForm other;
  const SplitForm &split = SplitOf(form, other);
  long n = std::stol(Utf8(name.substr(split.prefix.size(), name.size() - split.suffix.size() - split.prefix.size())));
  return n >= 1 ? n : -1;
}

const std::vector<LPCWSTR> &NumberedForms() {
  static const std::vector<LPCWSTR> forms = [] {
    std::vector<LPCWSTR> all = {kNumberedSection, kCompressChoiceForm};
    for (const KeyName &key : kFileKeys)
      if (key.shape == KeyShape::Numbered) all.push_back(key.key);
    return all;
  }();
  return forms;
}

const std::vector<WString> &ItemKeySuffixes() {
  static const std::vector<WString> suffixes = [] {
    std::vector<WString> all;
    for (const KeyName &key : kFileKeys)
      if (key.shape == KeyShape::ItemKeyed && key.field != FileField::Default && key.field != FileField::ItemEnable)
        all.push_back(WString(key.key).substr(2));  // after "%s"
    return all;
  }();
  return suffixes;
}

WString NextNumbered(const WString &name) {
  for (LPCWSTR form : NumberedForms())
    if (const long number = NumberIn(name, form); number > 0) return Numbered(form, number + 1);
  return WString();
}

bool IsMisnumbered(const WString &name) {
  for (LPCWSTR form : NumberedForms()) {
    WString expected = NameForNumber(name, form);
    if (!expected.empty() && (!SameName(expected, name) || SameName(expected, Numbered(form, 0)))) return true;
  }
  return false;
}

WString SeenIn936(const WString &read) {
  if (std::all_of(read.begin(), read.end(), [](WCHAR c) { return c < 0x80; })) return WString();
  std::string bytes(read.size(), '\0');
  BOOL lost = FALSE;
  // No best fit: a full-width digit the 1252 reading cannot have made is no byte of it ("１" is not "1").
  if (WideCharToMultiByte(kEnglishCodePage, WC_NO_BEST_FIT_CHARS, read.data(), int(read.size()), &bytes[0],
                          int(bytes.size()), nullptr, &lost) != int(read.size()) ||
      lost)
    return WString();
  WString seen(read.size(), WCHAR(0));
  const int chars = MultiByteToWideChar(kChineseCodePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                        &seen[0], int(seen.size()));
  if (chars <= 0) return WString();
  seen.resize(size_t(chars));
  return seen == read ? WString() : seen;
}

bool IsComment(const WString &name) {
  // Read in code page 1252, a remark typed full-width in a file of code page 936 ("；" as "£»") is one too.
  const WString seen = SeenIn936(name);
  if (!seen.empty() && IsComment(seen)) return true;
  // A byte order mark left where two files were joined does not make a remark anything else.
  const size_t at = !name.empty() && name[0] == 0xFEFF ? 1 : 0;
  // "//" is a remark of other languages, and a Chinese input method types ';' full-width; read as a key nobody
  // looks up, each is one here too.
  if (name.size() > at && (name[at] == ';' || name[at] == '#' || name[at] == 0xFF1B || name[at] == 0xFF03 ||
                           (name[at] == '/' && name.size() > at + 1 && name[at + 1] == '/')))
    return true;
  // A translator's tag in full-width brackets ("【待审校】"): no section's name is without plain letters or digits.
  WString inside;
  return WideHeader(name, &inside) &&
         std::none_of(inside.begin(), inside.end(), [](WCHAR c) { return c < 0x80 && std::isalnum(c); });
}

WString Name(SectionForm form, const WString &classKey, LONG number, LPCWSTR suffix) {
  WCHAR name[kPathChars];
  SectionName(form, classKey.c_str(), number, suffix, name);
  return name;
}

WString NameOf(FileField field, LONG number, const WString &itemKey) {
  WCHAR name[kPathChars];
  KeyNameOf(field, number, itemKey.c_str(), name);
  return name;
}

const IniFile::Entry *RemarkedEntry(const IniFile &ini, const WString &section, const WString &key) {
  const IniFile::Section *found = FirstSection(ini, section);
  for (size_t i = 0; found && i < found->entries.size(); ++i) {
    const IniFile::Entry &entry = found->entries[i];
    const WString name = ini.Text(entry.name, entry.nameLength);
    if (entry.valueLength == WString::npos || !IsComment(name)) continue;
    size_t at = 0;
    while (at < name.size() && (name[at] == ';' || name[at] == '#' || name[at] == '/' || name[at] == ' ' ||
                                name[at] == '\t' || name[at] == 0xFF1B || name[at] == 0xFF03 || name[at] == 0xFEFF))
      ++at;
    if (at < name.size() && SameName(name.substr(at), key)) return &entry;
  }
  return nullptr;
}

WString StrayMarkHeader(const WString &key) {
  const size_t open = key.find(WCHAR('['));
  if (open == 0 || open > 2 || open == WString::npos || key.size() < open + 3 || key.back() != ']' || IsComment(key))
    return WString();
  for (size_t i = 0; i < open; ++i)
    if (key[i] >= 0x80 || std::isalnum(int(key[i])) || key[i] == ' ' || key[i] == '\t') return WString();
  return Trimmed(key.substr(open + 1, key.size() - open - 2));
}

WString RemarkedHeader(const WString &key) {
  if (!IsComment(key)) return WString();
  size_t at = 0;
  while (at < key.size() && (key[at] == ';' || key[at] == '#' || key[at] == '/' || key[at] == ' ' || key[at] == '\t' ||
                             key[at] == 0xFF1B || key[at] == 0xFF03 || key[at] == 0xFEFF))
    ++at;
  const size_t close = key.find(WCHAR(']'), at);
  if (at >= key.size() || key[at] != '[' || close == WString::npos || close == at + 1) return WString();
  return Trimmed(key.substr(at + 1, close - at - 1));
}

std::vector<int> LinesReadOn(const IniFile &ini, const IniFile::Section &section, const IniFile::Entry &header) {
  std::vector<int> lines;
  for (const IniFile::Entry &entry : section.entries) {
    if (entry.line <= header.line) continue;
    const WString key = ini.Text(entry.name, entry.nameLength);
    if (!RemarkedHeader(key).empty()) break;
    if (!key.empty() && !IsComment(key)) lines.push_back(entry.line);
  }
  return lines;
}

std::string RemarkedHint(const IniFile &ini, const IniFile::Entry *remarked) {
  if (!remarked) return std::string();
  return " (line " + std::to_string(remarked->line) + " has it as a remark, " +
         Quoted(Cut(ini.Text(remarked->name, remarked->nameLength) + Ascii("=") +
                        ini.Text(remarked->value, remarked->valueLength),
                    60)) +
         ", which the plug-in does not read)";
}

std::string FirstNames(const std::vector<std::string> &names) {
  std::string list;
  // "and 1 more" would take as long to read as the name it hides.
  const size_t shown = names.size() == 4 ? 4 : 3;
  for (size_t i = 0; i < names.size() && i < shown; ++i) list += (i ? ", " : "") + names[i];
  return names.size() > shown ? list + " and " + std::to_string(names.size() - shown) + " more" : list;
}

bool LetterForDigit(const WString &text, LONG value) {
  const WString digits = DigitsMeant(text);
  return !digits.empty() && digits.size() <= 10 && std::stoll(Utf8(digits)) == value;
}

std::string LetterForDigitMessage(const std::string &place, const WString &text, LONG value) {
  return place + " = " + Quoted(text) + ": the plug-in reads " + std::to_string(value) + ", as meant, though " +
         Quoted(text) + " is a letter, not a digit: write " + std::to_string(value);
}

WString DigitsMeant(const WString &text) {
  // "0o17" is a program's octal number, not a letter typed for a zero.
  if (text.size() > 2 && text[0] == '0' && text[1] == 'o' &&
      text.find_first_not_of(Ascii("01234567"), 2) == WString::npos)
    return WString();
  WString digits;
  bool letter = false;
  for (WCHAR c : text) {
    const WCHAR digit = c == 'O' || c == 'o' ? '0' : c == 'l' || c == 'I' ? '1' : c;
    if (digit < '0' || digit > '9') return WString();
    letter = letter || digit != c;
    digits += digit;
  }
  return letter ? digits : WString();
}

const char *WordMeant(const WString &text) {
  const std::string word = FoldedName(text);
  return word == "false" || word == "off" || word == "no"  ? "0"
         : word == "true" || word == "on" || word == "yes" ? "1"
                                                           : nullptr;
}

WString ChineseNumber(const WString &text) {
  static const WCHAR kDigits[] = {0x96F6, 0x4E00, 0x4E8C, 0x4E09, 0x56DB, 0x4E94, 0x516D, 0x4E03, 0x516B, 0x4E5D};
  constexpr WCHAR kTen = 0x5341, kCircle = 0x3007, kTwo = 0x4E24;  // 十, 〇 (a zero), 两 (two, counting)
  auto digit = [&](WCHAR c) {
    if (c == kCircle) return 0;
    if (c == kTwo) return 2;
    for (int d = 0; d < 10; ++d)
      if (kDigits[d] == c) return d;
    return -1;
  };
  const size_t ten = text.find(kTen);
  if (ten == WString::npos) {  // digit by digit: 一二〇 for 120
    WString digits;
    for (WCHAR c : text) {
      if (digit(c) < 0) return WString();
      digits += WCHAR('0' + digit(c));
    }
    return digits;
  }
  // 十, 十二, 二十, 二十五: tens and ones around 十.
  if (ten > 1 || text.size() > ten + 2) return WString();
  const int tens = ten == 0 ? 1 : digit(text[0]), ones = text.size() == ten + 2 ? digit(text[ten + 1]) : 0;
  if (tens < 1 || ones < 0) return WString();
  return Ascii(std::to_string(tens * 10 + ones).c_str());
}

std::string NumberHint(const WString &text) {
  const WString chinese = ChineseNumber(text);
  if (!chinese.empty())
    return "; " + Quoted(text) + " is " + Utf8(chinese) + " in Chinese numerals: write " + Utf8(chinese);
  const std::string written = Utf8(text);
  // Thousands separated by a program's or a country's habit: "10,485,760", "10 485 760".
  for (char separator : {',', ' ', '\''}) {
    std::string digits;
    size_t group = 0;
    bool grouped = true, separated = false;
    for (size_t i = 0; i < written.size() && grouped; ++i) {
      const char c = written[i];
      if (c >= '0' && c <= '9') {
        digits += c;
        grouped = ++group <= 3 || !separated;
      } else if (c == separator && group > 0 && (separated ? group == 3 : group <= 3)) {
        separated = true;
        group = 0;
      } else if (!(i == 0 && c == '-')) {
        grouped = false;
      }
    }
    if (grouped && separated && group == 3 && digits.size() <= 10)
      return "; " + Quoted(text) + " has thousands separators: write " + (written[0] == '-' ? "-" : "") +
             std::to_string(std::stoll(digits));
  }
  // A mask written in binary digits, as a program's bit list: "110000000000000000000000", "0b11".
  const bool prefixed = written.size() > 2 && written[0] == '0' && (written[1] | 0x20) == 'b';
  const std::string bits = written.substr(prefixed ? 2 : 0);
  if ((prefixed || (bits.size() > 10 && bits[0] == '1')) && bits.size() <= 31 &&
      bits.find_first_not_of("01") == std::string::npos)
    return "; " + Quoted(text) + " is " + std::to_string(std::stoll(bits, nullptr, 2)) + " in binary: write " +
           std::to_string(std::stoll(bits, nullptr, 2));
  // And in octal ("0o17"), which the platform's reader takes as such.
  const std::string octal = written.size() > 2 && written.compare(0, 2, "0o") == 0 ? written.substr(2) : "";
  if (!octal.empty() && octal.size() <= 10 && octal.find_first_not_of("01234567") == std::string::npos)
    return "; " + Quoted(text) + " is " + std::to_string(std::stoll(octal, nullptr, 8)) + " in octal: write " +
           std::to_string(std::stoll(octal, nullptr, 8));
  if (IsPlainDecimal(text)) {
    const size_t sign = written[0] == '-' || written[0] == '+';
    const std::string digits = written.substr(std::min(written.find_first_not_of('0', sign), written.size()));
    if (digits.size() > 10 || (digits.size() == 10 && digits > (written[0] == '-' ? "2147483648" : "2147483647")))
      return "; the file holds numbers from -2147483648 to 2147483647 only: write one of them";
  }
  // Masks combined as a program writes them: "0x800000|0x200000", "8388608 + 2097152".
  for (char mark : {'|', '+'}) {
    long long combined = 0;
    size_t parts = 0, at = 0;
    for (; at <= written.size(); ++parts) {
      const size_t end = std::min(written.find(mark, at), written.size());
      const std::string part = Utf8(Trimmed(Ascii(written.substr(at, end - at).c_str())));
      const bool hex = part.size() > 2 && part[0] == '0' && (part[1] | 0x20) == 'x';
      const std::string digits = hex ? part.substr(2) : part;
      if (digits.empty() || digits.size() > 8 ||
          digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
        break;
      const long long value = std::stoll(digits, nullptr, hex ? 16 : 10);
      combined = mark == '|' ? (combined | value) : combined + value;
      at = end + 1;
    }
    if (at > written.size() && parts > 1 && combined <= 0x7FFFFFFF)
      return "; " + Quoted(text) + " combines numbers, which the plug-in does not: write " + std::to_string(combined);
  }
  // A negative number as an accountant writes it, "(5)", or with a blank after its sign, "- 10".
  const bool bracketed = written.size() > 2 && written.front() == '(' && written.back() == ')' &&
                         IsPlainDecimal(text.substr(1, text.size() - 2)) && written[1] != '-';
  if (bracketed && written.size() <= 12)
    return "; brackets do not make a number negative: write -" + std::to_string(std::stoll(written.substr(1)));
  if (written.size() > 2 && written[0] == '-' && written.size() <= 14 && IsPlainDecimal(Trimmed(text.substr(1))) &&
      Trimmed(text.substr(1))[0] != '-' && text[1] == ' ')
    return "; the sign is parted from the number: write -" + Utf8(Trimmed(text.substr(1)));
  long long value = 0;
  if (ScientificWhole(written, &value))
    return "; " + Quoted(text) + " is " + std::to_string(value) + " in scientific notation: write " +
           std::to_string(value);
  return "";
}

bool ScientificWhole(const std::string &written, long long *value) {
  const size_t e = written.find_first_of("eE");
  if (e == std::string::npos || e == 0 || e + 1 == written.size() ||
      written.find_first_not_of("0123456789.-+eE") != std::string::npos)
    return false;
  char *end = nullptr;
  const double number = std::strtod(written.c_str(), &end);
  if (end != written.c_str() + written.size() || number != std::floor(number) || std::fabs(number) >= 2147483648.0)
    return false;
  *value = static_cast<long long>(number);
  return true;
}

std::string Shown(const std::vector<LONG> &values) {
  std::string text;
  for (size_t i = 0; i < values.size() && i < 8; ++i) text += (i ? " " : "") + std::to_string(values[i]);
  return text + (values.size() > 8 ? " ..." : "");
}

std::string Count(long count, const std::string &word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : word.back() == 's' ? "es" : "s");
}

std::string Shorten(size_t kept) { return "shorten it to " + std::to_string(kept) + " characters"; }

size_t RemarkAt(const WString &value) {
  for (size_t i = 1; i < value.size(); ++i) {
    // "#1" is a number sign, not a remark.
    const bool numberSign =
        (value[i] == '#' || value[i] == 0xFF03) && i + 1 < value.size() && value[i + 1] >= '0' && value[i + 1] <= '9';
    // The marks of other languages' remarks ("//"), and ';' and '#' as a Chinese input method types them.
    const bool mark = value[i] == ';' || value[i] == '#' || value[i] == 0xFF1B || value[i] == 0xFF03 ||
                      (value[i] == '/' && i + 1 < value.size() && value[i + 1] == '/');
    if (mark && !numberSign && (value[i - 1] == ' ' || value[i - 1] == '\t' || value[i - 1] == 0x3000)) return i;
  }
  return WString::npos;
}

std::string RemarkHint(const WString &value) {
  return RemarkAt(value) == WString::npos
             ? std::string()
             : " (a remark after a value is part of the value: put remarks on a line of their own)";
}

bool NumberThenRemark(const WString &value, LONG read) {
  const size_t remark = RemarkAt(value);
  if (remark == WString::npos) return false;
  const WString number = Trimmed(value.substr(0, remark));
  return IsPlainDecimal(number) && number.size() <= 11 && std::stoll(Utf8(number)) == read;
}

std::string JoinedHint(const WString &value) {
  for (size_t i = 1; i < value.size(); ++i) {
    if (value[i - 1] != ' ' || !((value[i] | 0x20) >= 'a' && (value[i] | 0x20) <= 'z')) continue;
    size_t end = i;
    while (end < value.size() && (((value[end] | 0x20) >= 'a' && (value[end] | 0x20) <= 'z') ||
                                  (value[end] >= '0' && value[end] <= '9') || value[end] == '_'))
      ++end;
    if (end < value.size() && value[end] == '=')
      return "; it holds " + Quoted(value.substr(i)) + ": two entries on one line, of which the second is never "
             "read; put it on a line of its own";
  }
  return std::string();
}

namespace {
bool IsDigit(WCHAR c) { return c >= '0' && c <= '9'; }
}  // namespace

WString PlainText(const WString &text) {
  WString plain;
  for (size_t i = 0; i < text.size(); ++i) {
    const WCHAR c = text[i], stands = c >= 0x80 ? PlainForm(c) : 0;
    // A thin or no-break space between digits groups thousands, as a manual prints numbers: the number has none.
    if (stands == ' ' && i > 0 && i + 1 < text.size() && IsDigit(text[i - 1]) && IsDigit(text[i + 1])) continue;
    plain += stands ? stands : c;
  }
  // The reader drops one pair of straight quotation marks around a value: the text inside is what to write.
  plain = Trimmed(plain);
  if (plain.size() > 2 && plain.front() == '"' && plain.back() == '"') plain = plain.substr(1, plain.size() - 2);
  return plain;
}

std::string PlainHint(const WString &text) {
  const auto first = std::find_if(text.begin(), text.end(), [](WCHAR c) { return c >= 0x80 && PlainForm(c); });
  if (first == text.end()) return std::string();
  const WCHAR stands = PlainForm(*first);
  return "; " + CharacterName(*first) + " is no " +
         (stands == ' ' ? std::string("plain blank") : "ASCII " + Quoted(WString(1, stands))) + ": write " +
         Quoted(PlainText(text));
}

std::string DigitsMeantHint(const WString &text) {
  const WString digits = DigitsMeant(text);
  return digits.empty() ? std::string() : "; the letters O and l are no digits: write " + Utf8(digits);
}

std::string GluedHeaderHint(const WString &value) {
  const size_t open = value.find(WCHAR('['));
  if (open == WString::npos || open == 0 || value.back() != ']') return std::string();
  return "; it ends in the header " + Utf8(value.substr(open)) +
         ", glued to it where a line end was lost: put the header on a line of its own";
}

std::string InvisibleHint(const WString &name) {
  for (WCHAR c : name)
    if (IsInvisible(c)) return " It holds " + CharacterName(c) + ", which an editor does not show.";
  return std::string();
}

namespace {
// The mark of a list pasted before a key ("2.\t", "· "), when `name` is the mark and then `key`; else empty.
WString ListMarkIn(const WString &name, const WString &key) {
  if (name.size() <= key.size() || !SameName(name.substr(name.size() - key.size()), key)) return WString();
  const WString mark = name.substr(0, name.size() - key.size());
  const size_t end = mark.find_last_not_of(Ascii(" \t"));
  if (end == WString::npos || end + 1 == mark.size()) return WString();  // a mark stands apart from its text
  const WString body = mark.substr(0, end + 1);
  // "2." or "b)": a number or a letter and its stop; "•", "·", "-": a bullet.
  const bool numbered = body.size() >= 2 && body.size() <= 4 && (body.back() == '.' || body.back() == ')') &&
                        (std::all_of(body.begin(), body.end() - 1, [](WCHAR c) { return c >= '0' && c <= '9'; }) ||
                         (body.size() == 2 && (body[0] | 0x20) >= 'a' && (body[0] | 0x20) <= 'z'));
  static const WString kBullets = {0x2022, 0x00B7, 0x25AA, 0x2023, 0x25E6,     0x25CF,     0x25CB,    0x25A0,
                                   0x25A1, 0x2013, 0x2014, 0x25BA, WCHAR('-'), WCHAR('*'), WCHAR('o')};
  const bool bullet = body.size() == 1 && kBullets.find(body[0]) != WString::npos;
  return numbered || bullet ? mark : WString();
}
}  // namespace

WString ListMark(const WString &name, const WString &key) {
  const WString mark = ListMarkIn(name, key);
  // A bullet of code page 936 ("·") reads as two other characters in the English reading.
  return mark.empty() ? ListMarkIn(SeenIn936(name), key) : mark;
}

std::string WrapHint(const MeantEntry &meant) {
  return "; an editor wrapped the line, and line " + std::to_string(meant.wrapped) +
         " reads as a key of its own: join the two lines";
}

std::string SlipHint(const WString &name, const WString &key) {
  if (const WString mark = ListMark(name, key); !mark.empty())
    return "; it starts with " + Quoted(mark) + ", the mark of a list it was pasted from: delete the mark";
  const auto hidden = std::find_if(name.begin(), name.end(), IsInvisible);
  if (hidden == name.end()) return EqualsHint(name) + LookAlikeHint(name);
  return EqualsHint(name) + "; it holds " + CharacterName(*hidden) + ", which an editor does not show: delete it";
}

int HiddenColumn(const IniFile &ini, int line, bool inValue) {
  // Sections and their entries stand in the order of their lines.
  const auto &sections = ini.sections();
  auto section = std::upper_bound(sections.begin(), sections.end(), line,
                                  [](int l, const IniFile::Section &s) { return l < s.line; });
  if (section == sections.begin()) return 0;
  for (const IniFile::Entry &entry : std::prev(section)->entries) {
    if (entry.line != line) continue;
    const size_t at = inValue ? entry.value : entry.name, length = inValue ? entry.valueLength : entry.nameLength;
    if (length == WString::npos) return 0;
    const WString text = ini.Text(at, length);
    const auto hidden = std::find_if(text.begin(), text.end(), IsInvisible);
    if (hidden != text.end()) return ini.ColumnOf(at + size_t(hidden - text.begin()));
  }
  return 0;
}

size_t EqualsMarkAt(const WString &line) {
  return line.find_first_of(WString{WCHAR(0xFF1D), WCHAR(0xFF1A), WCHAR(':'), WCHAR('\t')});
}

std::string EqualsHint(const WString &line) {
  const size_t at = EqualsMarkAt(line);
  if (at == WString::npos) return std::string();
  const WCHAR c = line[at];
  return "; it holds " +
         (c == '\t'  ? std::string("a tab")
          : c < 0x80 ? Quoted(WString(1, c))
                     : CharacterName(c)) +
         " where '=' belongs";
}

// Only forms of plain letters: accented letters are text of another code page, which the encoding findings tell.
std::string LookAlikeHint(const WString &name) {
  if (!EqualsHint(name).empty() || !InvisibleHint(name).empty()) return std::string();
  // Read in code page 1252, a full-width character of a file in code page 936 is two others ("４" as "£´"): the
  // author's editor shows the full-width one, which is named.
  const WString seen = SeenIn936(name);
  if (!EqualsHint(seen).empty() || !InvisibleHint(seen).empty()) return EqualsHint(seen) + InvisibleHint(seen);
  for (WCHAR c : seen.empty() ? name : seen)
    if ((c >= 0xFB00 && c <= 0xFB06) || (c >= 0xFF01 && c <= 0xFF5E))
      return "; it holds " + CharacterName(c) + ", which looks like a plain character and is not" +
             (c >= 0xFF01 ? ": type " + Quoted(WString(1, WCHAR(c - 0xFEE0))) : std::string());
  return std::string();
}

WCHAR WideHeader(const WString &key, WString *name) {
  // 【 】 and ［ ］ as a Chinese input method types them, and as an English system reads their bytes of code page 936.
  static const struct {
    WCHAR open[3], close[3], mark;
  } kPairs[] = {{{0x3010}, {0x3011}, 0x3010},
                {{0xFF3B}, {0xFF3D}, 0xFF3B},
                {{0xA1, 0xBE}, {0xA1, 0xBF}, 0x3010},
                {{0xA3, 0xDB}, {0xA3, 0xDD}, 0xFF3B}};
  for (const auto &pair : kPairs) {
    const WString open = pair.open, close = pair.close;
    if (key.size() <= open.size() || key.compare(0, open.size(), open) != 0) continue;
    const bool closed = key.size() > open.size() + close.size() &&
                        key.compare(key.size() - close.size(), close.size(), close) == 0;
    *name = key.substr(open.size(), key.size() - open.size() - (closed ? close.size() : 0));
    return pair.mark;
  }
  return 0;
}

int HiddenHeaderLine(const IniFile &ini, const WString &section) {
  for (const IniFile::Section &candidate : ini.sections())
    for (const IniFile::Entry &entry : candidate.entries) {
      if (entry.valueLength != WString::npos) continue;
      const WString key = ini.Text(entry.name, entry.nameLength);
      WString name;
      const bool marked = key.size() > 3 && key[0] == 0xFEFF && key[1] == '[' && key.back() == ']' &&
                          SameName(key.substr(2, key.size() - 3), section);
      // A header that lost its ']' is told as that.
      const bool unclosed = key.size() > 1 && key[0] == '[' && SameName(Trimmed(key.substr(1)), section);
      const bool stray = SameName(StrayMarkHeader(key), section);
      if (marked || unclosed || stray || (WideHeader(key, &name) && SameName(name, section))) return entry.line;
      // A header turned into a remark with its lines left read on: told with those lines.
      if (SameName(RemarkedHeader(key), section) && !LinesReadOn(ini, candidate, entry).empty()) return entry.line;
    }
  return 0;
}

std::vector<WString> ListedItems(const IniFile &ini, const IniFile::Section &block) {
  std::vector<WString> items;
  for (const IniFile::Entry &entry : block.entries)
    if (entry.valueLength != WString::npos &&
        NumberIn(ini.Text(entry.name, entry.nameLength), KeyOf(FileField::ItemKey).key) > 0)
      items.push_back(Trimmed(ini.Text(entry.value, entry.valueLength)));
  return items;
}

bool IsQuotedName(const WString &name) {
  return name.size() > 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front();
}

std::string CodePoint(unsigned c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", c);
  return text;
}

std::string CharacterKind(WCHAR c) {
  switch (c) {
    case 0x00A0: return "no-break space";
    case 0x2007:
      return "figure space";
    case 0x2009:
      return "thin space";
    case 0x202F:
      return "narrow no-break space";
    case 0x200C:
      return "zero-width non-joiner";
    case 0x200D:
      return "zero-width joiner";
    case 0x2060:
      return "word joiner";
    case 0x2014:
      return "em dash";
    case 0x00AD: return "soft hyphen";
    case 0x3010: return "left black lenticular bracket";
    case 0xFF3B: return "full-width left square bracket";
    case 0xFEFF: return "byte order mark";
    case 0x200B: return "zero-width space";
    case 0x3000: return "ideographic space";
    case 0x3001: return "ideographic comma";
    case 0x3002: return "ideographic full stop";
    case 0x2018: case 0x2019: return "curly single quote";
    case 0x201C: case 0x201D: return "curly double quote";
    case 0x2013: return "en dash";
    case 0x2212: return "minus sign";
    case 0xFF0C: return "full-width comma";
    case 0xFF1A: return "full-width colon";
    case 0xFF1B: return "full-width semicolon";
    case 0xFF1D: return "full-width equals sign";
    case 0xFB00:
      return "ligature ff";
    case 0xFB01:
      return "ligature fi";
    case 0xFB02:
      return "ligature fl";
    case 0xFB03:
      return "ligature ffi";
    case 0xFB04:
      return "ligature ffl";
    default: break;
  }
  if (c < 0xFF01 || c > 0xFF5E) return std::string();
  const char plain = char(PlainForm(c));
  const char *kind = plain >= '0' && plain <= '9' ? "digit" : std::isalpha(plain) ? "letter" : "sign";
  return std::string("full-width ") + kind + " " + plain;
}

std::string CharacterName(WCHAR c) {
  const std::string kind = CharacterKind(c);
  return kind.empty() ? CodePoint(c) : CodePoint(c) + " (" + kind + ")";
}

WCHAR PlainForm(WCHAR c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return WCHAR(c - 0xFEE0);  // the full-width forms of ASCII, in ASCII's order
  switch (c) {
    case 0x00A0:
    case 0x3000:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x2008:
    case 0x2009:
    case 0x200A:
    case 0x202F:
    case 0x205F:
      return ' ';
    case 0x3001: return ',';
    case 0x3002: return '.';
    case 0x2018: case 0x2019: return '\'';
    case 0x201C: case 0x201D: return '"';
    case 0x2013: case 0x2014: case 0x2015: case 0x2212: return '-';
    case 0x3010: return '[';
    case 0x3011: return ']';
    default: return 0;
  }
}

bool IsHexDigit(WCHAR c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

bool IsWholeDecimal(const WString &text, LONG value) {
  // A decimal comma as a locale writes it ("15,0"); three zeros after a comma group thousands ("1,000").
  const size_t point = text.find_first_of(Ascii(".,"));
  // A point with nothing after it ("4.") is one too; a comma there ends a list.
  if (point == WString::npos || point == 0 || (point + 1 == text.size() && text[point] != '.') ||
      !IsPlainDecimal(text.substr(0, point)) || (text[point] == ',' && text.size() - point - 1 == 3))
    return false;
  return text.find_first_not_of(WCHAR('0'), point + 1) == WString::npos &&
         text.substr(0, point) == Ascii(std::to_string(value).c_str());
}

bool IsPlainDecimal(const WString &text) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

size_t NameDistance(const WString &a, const WString &b, size_t limit) {
  const size_t n = a.size(), m = b.size();
  if ((n > m ? n - m : m - n) > limit) return limit + 1;
  // Three rows of the optimal string alignment distance.
  std::vector<size_t> before(m + 1), previous(m + 1), current(m + 1);
  for (size_t j = 0; j <= m; ++j) previous[j] = j;
  for (size_t i = 1; i <= n; ++i) {
    current[0] = i;
    size_t best = current[0];
    for (size_t j = 1; j <= m; ++j) {
      size_t cost = Folded(a[i - 1]) == Folded(b[j - 1]) ? 0 : 1;
      size_t d = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
      if (i > 1 && j > 1 && Folded(a[i - 1]) == Folded(b[j - 2]) && Folded(a[i - 2]) == Folded(b[j - 1]))
        d = std::min(d, before[j - 2] + 1);
      current[j] = d;
      best = std::min(best, d);
    }
    if (best > limit) return limit + 1;
    before.swap(previous);
    previous.swap(current);
  }
  return previous[m];
}

bool IsNearMiss(const WString &written, const WString &meant) {
  // One slip in a short name, two in a long one; a name of three characters or fewer has too many neighbours.
  size_t length = std::min(written.size(), meant.size());
  size_t allowed = length >= 10 ? 2 : length >= 4 ? 1 : 0;
  if (allowed == 0) return false;
  size_t d = NameDistance(written, meant, allowed);
  return d > 0 && d <= allowed;
}

const IniFile::Section *FirstSection(const IniFile &ini, const WString &name) {
  return ini.FirstSection(name.data(), name.size());
}

MeantEntry MeantKey(const IniFile &ini, const KnownNames &known, const WString &section, const WString &key) {
  MeantEntry meant;
  size_t best = 3;
  const IniFile::Section *found = FirstSection(ini, section);
  if (!found) return meant;
  // The length of the key up to the end of its number ("Item03" of Item03Instruction), or 0.
  size_t numbered = 0;
  for (size_t i = 0; i < key.size(); ++i)
    if (key[i] >= '0' && key[i] <= '9') numbered = i + 1;
    else if (numbered) break;
  for (size_t i = 0; i < found->entries.size(); ++i) {
    const IniFile::Entry &entry = found->entries[i];
    WString name = ini.Text(entry.name, entry.nameLength);
    if (IsComment(name) || (entry.valueLength != WString::npos && known.IsKey(section, name))) continue;
    // The name's start alone on a line, its rest starting the next: an editor wrapped the line.
    const IniFile::Entry *next = i + 1 < found->entries.size() ? &found->entries[i + 1] : nullptr;
    if (entry.valueLength == WString::npos && next && next->line == entry.line + 1 && name.size() >= 3 &&
        name.size() < key.size() && SameName(key.substr(0, name.size()), name) &&
        SameName(ini.Text(next->name, next->nameLength), key.substr(name.size()))) {
      meant.name = name;
      meant.line = entry.line;
      meant.wrapped = next->line;
      return meant;
    }
    // A numbered name stands only for the name of its own number (Item2 for Item02, not Item00 for Item02).
    bool otherNumber = false;
    for (LPCWSTR form : NumberedForms()) {
      const WString expected = NameForNumber(name, form);
      otherNumber = otherNumber || (!expected.empty() && !SameName(expected, key));
    }
    if (otherNumber) continue;
    bool withoutEquals =
        (entry.valueLength == WString::npos && name.size() > key.size() && SameName(name.substr(0, key.size()), key)) ||
        !ListMark(name, key).empty();
    // The nearest entry, the earlier of two as near: COMPRESS_VALUE02, not 01, stands for COMPRESS_VALUE2. A key
    // of the same number with another word after it (Item03Command for Item03Instruction) comes last.
    const bool sameNumber = numbered > 0 && key.size() > numbered && name.size() > numbered &&
                            SameName(name.substr(0, numbered), key.substr(0, numbered));
    const size_t distance = withoutEquals           ? 0
                            : IsNearMiss(name, key) ? NameDistance(name, key, 2)
                            : sameNumber            ? 2
                                                    : best;
    if (distance < best) {
      best = distance;
      meant.name = name;
      meant.line = entry.line;
    }
  }
  if (!meant.name.empty()) return meant;
  // A translated name (标题 for Title, 浓度_Title for Density_Title): the one name beyond ASCII that the plug-in does
  // not read and that keeps the key's ASCII tail.
  const size_t cut = key.rfind('_');
  const WString tail = cut == WString::npos ? WString() : key.substr(cut);
  int translated = 0;
  for (const IniFile::Entry &entry : found->entries) {
    const WString name = ini.Text(entry.name, entry.nameLength);
    const WString head = name.size() > tail.size() ? name.substr(0, name.size() - tail.size()) : WString();
    if (head.empty() || !SameName(name.substr(head.size()), tail) || known.IsKey(section, name) ||
        !std::all_of(head.begin(), head.end(), [](WCHAR c) { return c >= 0x80; }))
      continue;
    if (++translated == 1) meant = {name, entry.line};
  }
  return translated == 1 ? meant : MeantEntry();
}

MeantEntry MeantSection(const IniFile &ini, const KnownNames &known, const WString &section,
                        const WString &signatureKey) {
  MeantEntry meant;
  for (const IniFile::Section &candidate : ini.sections()) {
    if (candidate.line == 0) continue;
    WString name = ini.Text(candidate.name, candidate.nameLength);
    bool signed_ = false;
    for (const IniFile::Entry &entry : candidate.entries)
      signed_ = signed_ || (!signatureKey.empty() && SameName(ini.Text(entry.name, entry.nameLength), signatureKey));
    // A language suffix left off ([Paper_Lang] for [Paper_Lang_EN]) is too far for a slip, but plainly meant.
    const WString rest = section.size() > name.size() && SameName(section.substr(0, name.size()), name)
                             ? section.substr(name.size())
                             : WString();
    // And one added where the section has none ([Paper_Default_EN] for [Paper_Default]).
    const WString added = name.size() > section.size() && SameName(name.substr(0, section.size()), section)
                              ? name.substr(section.size())
                              : WString();
    // A remark after the header that holds a ']' ("[Power_Default] ; see [2]"): the name runs to that ']'.
    const bool suffixLeftOff = SameName(rest, kEnglishSuffix) || SameName(rest, kChineseSuffix) ||
                               SameName(added, kEnglishSuffix) || SameName(added, kChineseSuffix) ||
                               (!added.empty() && added[0] == ']');
    // A block copied and left under the header it was copied from: the repeat is never read, so it is free.
    const bool repeat = FirstSection(ini, name) != &candidate;
    // The section's kind left out of the name, or written in full ([Print_EN], [Print_Language_EN] for
    // [Print_Lang_EN]), where the keys are the section's.
    bool formLeftOut = false;
    for (const char *form : {"_lang", "_rule"}) {
      const std::string folded = FoldedName(section);
      const size_t at = folded.size() == section.size() ? folded.find(form) : std::string::npos;  // an ASCII name
      if (at == std::string::npos) continue;
      const WString without = section.substr(0, at) + section.substr(at + std::strlen(form));
      const WString full = section.substr(0, at) + Ascii(std::strcmp(form, "_lang") == 0 ? "_Language" : "_Rules") +
                           section.substr(at + std::strlen(form));
      formLeftOut = formLeftOut || SameName(name, without) || SameName(name, full);
    }
    bool holdsItsKeys = false;
    for (const IniFile::Entry &entry : formLeftOut ? candidate.entries : std::vector<IniFile::Entry>())
      holdsItsKeys = holdsItsKeys || known.IsKey(section, ini.Text(entry.name, entry.nameLength));
    if ((!known.IsSection(name) &&
         (IsNearMiss(name, section) || signed_ || suffixLeftOff || (formLeftOut && holdsItsKeys))) ||
        (repeat && signed_)) {
      meant.name = name;
      meant.line = candidate.line;
      return meant;
    }
  }
  // A class renamed in [SectionNames] and in some of its sections: the one section of the same kind that no listed
  // class reads is the one left under the old name.
  const WString prefix = ClassPrefix(section);
  if (prefix.empty()) return meant;
  const WString kind = section.substr(prefix.size());
  for (const IniFile::Section &candidate : ini.sections()) {
    const WString name = ini.Text(candidate.name, candidate.nameLength);
    const WString other = ClassPrefix(name);
    if (candidate.line == 0 || known.IsSection(name) || other.empty() || !SameName(name.substr(other.size()), kind))
      continue;
    if (!meant.name.empty()) return MeantEntry();  // two such: neither is plainly the one
    meant.name = name;
    meant.line = candidate.line;
  }
  return meant;
}

// Every name a class's own sections can have, with the form each stands for.
const std::vector<std::pair<WString, SectionForm>> &ClassSectionSuffixes() {
  static const std::vector<std::pair<WString, SectionForm>> suffixes = [] {
  std::vector<std::pair<WString, SectionForm>> all;
  const LPCWSTR languageSuffixes[] = {kEnglishSuffix, kChineseSuffix};
  for (const ClassSection &s : kClassSections) {
    if (!s.byLanguage) {
      all.push_back({s.suffix, s.form});
      continue;
    }
    for (LPCWSTR language : languageSuffixes) all.push_back({WString(s.suffix) + language, s.form});
  }
  return all;
  }();
  return suffixes;
}

WString Stem(const WString &name, const WString &suffix) {
  return name.size() > suffix.size() && SameName(name.substr(name.size() - suffix.size()), suffix)
             ? name.substr(0, name.size() - suffix.size())
             : WString();
}

WString ClassPrefix(const WString &section) {
  for (const auto &suffix : ClassSectionSuffixes())
    if (!Stem(section, suffix.first).empty()) return Stem(section, suffix.first);
  return WString();
}

}  // namespace prnset
