// Characters the page would show otherwise than the author sees them in an editor: invisible ones, a lone quotation
// mark, and text in another encoding than the page of its language reads.
#include <algorithm>
#include <cstring>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// Where the first character an editor does not show stands in a text, or npos.
size_t FirstInvisible(const WString &text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (IsInvisible(text[i])) return i;
  return WString::npos;
}

// A no-break or thin space is typography where a plain blank in its place would read alike: in a title or a note,
// and inside an option's text ("300 dpi"). Between two options it joins them, which the rule's own findings tell.
bool TypographicBlanks(const LoadAccount &account, const LoadAccount::Reading &reading) {
  if (reading.field == FileField::SectionTitle || reading.field == FileField::SectionNote ||
      reading.field == FileField::ItemTitle || reading.field == FileField::ItemNote)
    return true;
  if (reading.field != FileField::Rule) return false;
  const LoadAccount::Reading *type = account.Find(FileField::RuleType, reading.sectionNumber, reading.itemNumber);
  if (!type) return false;
  WString blanks = reading.text;
  for (WCHAR &c : blanks)
    if (c >= 0x80 && PlainForm(c) == ' ') c = ' ';
  const auto values = [&](const WString &rule) {
    std::vector<LONG> read;
    SettingsOption *options = nullptr;
    const DWORD count = ParseOptionRule(type->text.c_str(), rule.c_str(), &options);
    for (SettingsOption *option = options; option && read.size() < count; option = option->Next)
      read.push_back(option->Value);
    FreeOptionList(options, count);
    return read;
  };
  return values(blanks) == values(reading.text);
}

// A blank separates the pairs of a command and the options of a rule; elsewhere one is part of a name or a number.
bool SeparatedByBlanks(FileField field) {
  return field == FileField::Rule || field == FileField::Instruction || field == FileField::EnterInstruction ||
         field == FileField::SaveInstruction || field == FileField::InstructionTail;
}

// Characters of a Chinese text: Han, CJK and full-width punctuation, general punctuation.
bool IsChineseText(unsigned c) {
  return (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x9FFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

// Whether bytes with some above 127 are valid UTF-8 throughout, and with `chinese` whether they are Chinese text: a
// short text of code page 936 can be valid UTF-8 by chance (pairs that read as Cyrillic and Hebrew letters), but then
// not as Chinese characters.
bool IsUtf8(const BYTE *p, size_t n, bool chinese) {
  bool high = false;
  for (size_t i = 0; i < n;) {
    BYTE b = p[i];
    size_t more = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 9;
    if (more == 9 || i + more >= n + (more ? 0 : 1)) return false;
    unsigned c = more ? b & (0x3F >> more) : b;
    for (size_t k = 1; k <= more; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      c = (c << 6) | (p[i + k] & 0x3F);
    }
    if (more && chinese && !IsChineseText(c)) return false;
    high = high || more;
    i += more + 1;
  }
  return high;
}

// Whether a text decodes strictly in a code page.
bool Decodes(UINT codePage, const BYTE *p, size_t n) {
  if (n == 0) return true;
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, reinterpret_cast<LPCSTR>(p), int(n), nullptr, 0) > 0;
}

// Chinese text that an editor read in code page 1252 and saved again ("´òÓ¡" for "打印"): the text it was, or empty.
WString Unmangled(const WString &value) {
  if (std::count_if(value.begin(), value.end(), [](WCHAR c) { return c >= 0x80; }) < 2) return WString();
  const WString meant = SeenIn936(value);
  return std::any_of(meant.begin(), meant.end(), IsHan) ? meant : WString();
}

// The bytes of a text in code page 936, from a table of every pair the code page decodes (made once); empty when a
// character has none.
std::string BytesIn936(const WString &text) {
  static const std::unordered_map<WCHAR, unsigned> kPairs = [] {
    std::unordered_map<WCHAR, unsigned> pairs;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        const char pair[2] = {char(lead), char(trail)};
        WCHAR decoded[2];
        if (trail != 0x7F && MultiByteToWideChar(kChineseCodePage, MB_ERR_INVALID_CHARS, pair, 2, decoded, 2) == 1)
          pairs.emplace(decoded[0], lead << 8 | trail);
      }
    return pairs;
  }();
  std::string bytes;
  for (WCHAR c : text) {
    if (c < 0x80) {
      bytes += char(c);
      continue;
    }
    const auto pair = kPairs.find(c);
    if (pair == kPairs.end()) return std::string();
    bytes += char(pair->second >> 8);
    bytes += char(pair->second & 0xFF);
  }
  return bytes;
}

// Chinese text saved as UTF-8 that a program read in code page 936 and saved again ("鎵撳嵃" for "打印"): the text it
// was, or empty.
WString FromUtf8ReadIn936(const WString &value) {
  if (std::count_if(value.begin(), value.end(), [](WCHAR c) { return c >= 0x80; }) < 3) return WString();
  const std::string bytes = BytesIn936(value);
  if (bytes.empty() || !IsUtf8(reinterpret_cast<const BYTE *>(bytes.data()), bytes.size(), true)) return WString();
  WString meant(bytes.size(), WCHAR(0));
  const int chars =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), &meant[0], int(meant.size()));
  if (chars <= 0) return WString();
  meant.resize(size_t(chars));
  return std::count_if(meant.begin(), meant.end(), IsHan) >= 2 ? meant : WString();
}

// Whether bytes hold a common Chinese character of code page 936: a pair from its first plane (lead B0 to F7, trail
// A1 to FE). A code-page-1252 letter before an ASCII one ("’s" is 92 73) makes a pair of the rare extension only.
bool HasCommonHan(const BYTE *p, size_t n) {
  for (size_t i = 0; i + 1 < n; ++i) {
    if (p[i] < 0x81) continue;
    if (p[i] >= 0xB0 && p[i] <= 0xF7 && p[i + 1] >= 0xA1 && p[i + 1] <= 0xFE) return true;
    ++i;  // the trail byte of this pair
  }
  return false;
}

// The code points that findings already on a line name ("U+3000"): a character is named once on its line.
std::set<std::pair<int, std::string>> NamedCharacters(const Findings &findings) {
  std::set<std::pair<int, std::string>> named;
  for (const Finding &finding : findings.list())
    for (size_t at = finding.message.find("U+"); at != std::string::npos; at = finding.message.find("U+", at + 2))
      named.insert({finding.line, finding.message.substr(at, 6)});
  return named;
}

// Where a title or note holds an escape of program text ("\n", "\t", "\u6253"), and how long it is; npos when it
// holds none. A backslash before a word ("C:\temp") is a path, not an escape, unless the text is words with no
// other mark of a path ("Prints drafts\nwith less toner").
size_t EscapeAt(const WString &text, size_t *length) {
  const bool words = text.find(WCHAR(' ')) != WString::npos && text.find_first_of(Ascii(":/")) == WString::npos &&
                     std::count(text.begin(), text.end(), WCHAR('\\')) == 1;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const WCHAR c = text[i + 1];
    if (text[i] != '\\') continue;
    if ((c == 'n' || c == 'r' || c == 't') &&
        (i + 2 == text.size() || text[i + 2] < 'a' || text[i + 2] > 'z' || words)) {
      *length = 2;
      return i;
    }
    if (c == 'u' && i + 6 <= text.size() && std::all_of(text.begin() + i + 2, text.begin() + i + 6, IsHexDigit)) {
      *length = 6;
      return i;
    }
  }
  return WString::npos;
}

// A character reference of a web page at `at` ("&#25171;", "&#x6253;", "&amp;"): the code point it stands for, and in
// `length` how long it is; 0 when none starts there. A lone '&' ("Black & White") starts none.
unsigned ReferenceAt(const WString &text, size_t at, size_t *length) {
  if (text[at] != '&') return 0;
  static const struct {
    const char *name;
    unsigned code;
  } kNamed[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&nbsp;", 0xA0}};
  for (const auto &named : kNamed)
    if (text.compare(at, std::strlen(named.name), Ascii(named.name)) == 0) {
      *length = std::strlen(named.name);
      return named.code;
    }
  if (at + 2 >= text.size() || text[at + 1] != '#') return 0;
  const bool hex = (text[at + 2] | 0x20) == 'x';
  size_t end = at + (hex ? 3 : 2);
  unsigned code = 0;
  for (; end < text.size() && end - at < 10 && (hex ? IsHexDigit(text[end]) : text[end] >= '0' && text[end] <= '9');
       ++end)
    code = code * (hex ? 16 : 10) + (text[end] <= '9' ? text[end] - '0' : (text[end] | 0x20) - 'a' + 10);
  if (end == at + (hex ? 3 : 2) || end >= text.size() || text[end] != ';' || code == 0 || code > 0x10FFFF ||
      (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  *length = end + 1 - at;
  return code;
}

// The characters of a code page: those that one byte, or a pair of a double-byte code page, reads as.
std::unordered_set<WCHAR> CharactersOf(UINT codePage) {
  std::unordered_set<WCHAR> held;
  for (unsigned lead = 1; lead < 256; ++lead)
    for (unsigned trail = 0; trail < (lead < 0x80 ? 1u : 0xFFu); ++trail) {
      const char bytes[2] = {char(lead), char(trail)};
      WCHAR read[2];
      if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, trail ? 2 : 1, read, 2) == 1) held.insert(read[0]);
    }
  return held;
}

// Whether the page of a language can show a character, in the code page it reads: gathered once for each.
bool Holds(UINT codePage, unsigned code) {
  if (code > 0xFFFF) return false;
  if (codePage == kChineseCodePage) {
    static const std::unordered_set<WCHAR> chinese = CharactersOf(kChineseCodePage);
    return chinese.count(WCHAR(code)) != 0;
  }
  static const std::unordered_set<WCHAR> english = CharactersOf(kEnglishCodePage);
  return english.count(WCHAR(code)) != 0;
}

// A text with its character references put as the characters meant, and in `first` where the first stands (npos
// when it holds none). Control characters and the no-break space become a plain blank; in a note the hint box
// wants && for one &. Empty `meant` when a character is none of the code page of the text's language.
// A web page's markup at `at` ("<br>", "</b>", "<br />", an XML section's "<![CDATA[" and "]]>"): its length, and in
// *breaks whether it breaks the line (then a blank stands for it); 0 for any other text.
size_t TagAt(const WString &text, size_t at, bool *breaks) {
  // The marks of an XML export's CDATA section around a text.
  *breaks = false;
  for (const char *mark : {"<![CDATA[", "]]>"})
    if (text.compare(at, std::strlen(mark), Ascii(mark)) == 0) return std::strlen(mark);
  if (text[at] != '<') return 0;
  const size_t close = text.find(WCHAR('>'), at);
  if (close == WString::npos || close - at > 10) return 0;
  std::string name;
  for (size_t k = at + 1; k < close; ++k)
    if (text[k] != '/' && text[k] != ' ') name += char(std::tolower(int(text[k] & 0x7F)));
  static const std::set<std::string> kBreaks = {"br", "p", "div"}, kInline = {"b", "i", "u", "em", "strong", "span"};
  if (!kBreaks.count(name) && !kInline.count(name)) return 0;
  *breaks = kBreaks.count(name) != 0;
  return close + 1 - at;
}

struct References {
  size_t first = WString::npos, count = 0;
  size_t firstTag = WString::npos, tags = 0;  // markup, which the page shows as written too
  WString meant;
  unsigned lacking = 0;  // a character the code page lacks
};
References PutReferences(const WString &text, UINT codePage, bool note) {
  References out;
  for (size_t i = 0; i < text.size(); ++i) {
    bool breaks = false;
    if (const size_t tag = TagAt(text, i, &breaks)) {
      if (out.firstTag == WString::npos) out.firstTag = i;
      ++out.tags;
      if (breaks && !out.meant.empty() && out.meant.back() != ' ') out.meant += ' ';
      i += tag - 1;
      continue;
    }
    size_t length = 0;
    unsigned code = ReferenceAt(text, i, &length);
    if (!code) {
      if (text[i] == ' ' && !out.meant.empty() && out.meant.back() == ' ' && i > 0 && text[i - 1] == '>') continue;
      out.meant += text[i];
      continue;
    }
    if (out.first == WString::npos) out.first = i;
    ++out.count;
    i += length - 1;
    if (code < 0x20 || code == 0xA0) code = ' ';
    WString character = code > 0xFFFF ? WString{WCHAR(0xD800 + ((code - 0x10000) >> 10)),
                                                WCHAR(0xDC00 + ((code - 0x10000) & 0x3FF))}
                                      : WString(1, WCHAR(code));
    if (!out.lacking && !Holds(codePage, code)) out.lacking = code;
    out.meant += note && code == '&' ? Ascii("&&") : character;
  }
  if (out.lacking) out.meant.clear();
  return out;
}

// " and 4 more lines of [Power_Lang_CN] hold" after the first line's place, or " holds" for one line.
std::string MoreLines(int lines, const WString &section) {
  if (lines < 2) return " holds";
  return " and " + std::to_string(lines - 1) + (lines == 2 ? " more line of [" : " more lines of [") + Utf8(section) +
         "] hold";
}

// A program's word for an empty value, written out by a generator.
bool IsEmptyWord(const WString &text) {
  for (const char *word : {"None", "null", "NULL", "nil", "NaN", "nan", "undefined", "#N/A"})
    if (text == Ascii(word)) return true;
  return false;
}

// The _CN section of an _EN section's name.
WString ChineseTwin(const WString &englishName) {
  return englishName.substr(0, englishName.size() - WString(kEnglishSuffix).size()) + kChineseSuffix;
}

// Where Chinese text found in an _EN section belongs: the _CN section, unless that has the key already.
std::string WhereChineseGoes(const IniFile &ini, const WString &englishName, const WString &key) {
  const WString twin = ChineseTwin(englishName);
  return ReadWhole(ini, twin, key).empty() ? "; put it in the _CN section"
                                           : "; [" + Utf8(twin) + "] has its own " + Utf8(key) +
                                                 ": write the English text here";
}

// Whether the _CN section of an _EN section's name holds English: text, and none outside ASCII.
bool TwinHoldsEnglish(const IniFile &ini, const WString &englishName) {
  const IniFile::Section *section = FirstSection(ini, ChineseTwin(englishName));
  if (!section) return false;
  bool letters = false;
  for (const IniFile::Entry &entry : section->entries) {
    if (entry.valueLength == WString::npos || IsComment(ini.Text(entry.name, entry.nameLength))) continue;
    for (WCHAR c : ini.Text(entry.value, entry.valueLength)) {
      if (c >= 0x80) return false;
      letters = letters || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    }
  }
  return letters;
}

// The text of a line of code page 936 after its '=', as the author's editor shows it.
WString ValueIn936(const BYTE *p, size_t n) {
  std::vector<WCHAR> wide(n + 1);
  const int chars = MultiByteToWideChar(kChineseCodePage, 0, reinterpret_cast<LPCSTR>(p), int(n), wide.data(),
                                        int(wide.size()));
  WString line(wide.data(), size_t(chars > 0 ? chars : 0));
  size_t from = line.find(WCHAR('='));
  from = from == WString::npos ? line.size() : from + 1;
  while (from < line.size() && (line[from] == ' ' || line[from] == '\t')) ++from;
  return line.substr(from);
}

// The marks of a text outside ASCII, named (at most three), and in `hint` what to type for them instead.
std::string NamedMarks(const WString &text, std::string *hint) {
  std::vector<std::string> named;
  std::string plain;
  bool allPlain = true;
  for (size_t i = 0; i < text.size(); ++i) {
    const WCHAR c = text[i];
    if (c < 0x80 || text.find(c) != i) continue;
    named.push_back("'" + Utf8(WString(1, c)) + "' (" + CodePoint(c) + ")");
    const WCHAR meant = PlainForm(c);
    allPlain = allPlain && meant;
    const std::string typed = "'" + std::string(1, char(meant)) + "'";
    if (meant && plain.find(typed) == std::string::npos) plain += (plain.empty() ? "" : " and ") + typed;
  }
  *hint = allPlain ? "type " + plain + " instead" : "type them in plain ASCII";
  std::string out;
  for (size_t i = 0; i < named.size() && i < 3; ++i)
    out += (i == 0 ? "" : i + 1 == named.size() ? " and " : ", ") + named[i];
  return named.size() > 3 ? out + " and " + std::to_string(named.size() - 3) + " more" : out;
}

// Whether every pair of bytes above ASCII is one of code page 936's rows of symbols (lead bytes A1 to A9: ± ° ×
// and the like), which code page 1252 shows as two letters such as "¡À".
bool SymbolRowsOnly(const BYTE *p, size_t n) {
  bool any = false;
  for (size_t i = 0; i < n; ++i) {
    if (p[i] < 0x80) continue;
    if (p[i] < 0xA1 || p[i] > 0xA9) return false;
    any = true;
    ++i;
  }
  return any;
}

}  // namespace

void CheckTexts(const CheckedFile &file, Findings &findings) {
  const IniFile &ini = file.ini;
  const bool english = file.language.load.language != kChineseLanguage;
  const bool ansi = ini.encoding() == IniFile::Encoding::Ansi;
  const auto lines = ansi ? LineBytes(file.bytes) : std::vector<std::pair<size_t, size_t>>();
  const std::set<std::pair<int, std::string>> named = NamedCharacters(findings);
  // A UTF-8 file but for a line or two (a byte of another code page pasted in): the reader takes a file as UTF-8
  // only when all of it is, so it reads this one as ANSI. Told once, on the line that spoils it.
  int utf8Lines = 0, otherLines = 0, spoiling = 0;
  for (size_t l = 1; ansi && l < lines.size(); ++l) {
    const BYTE *p = file.bytes.data() + lines[l].first;
    const size_t n = lines[l].second - lines[l].first;
    if (std::none_of(p, p + n, [](BYTE b) { return b >= 0x80; })) continue;
    if (IsUtf8(p, n, false)) ++utf8Lines;
    else if (!otherLines++) spoiling = int(l);
  }
  const bool spoilt = utf8Lines >= 5 && otherLines > 0 && otherLines <= 2;
  if (spoilt)
    findings.Add(spoiling, "utf8-in-ansi",
                 "the file is UTF-8 but for " + std::string(otherLines == 1 ? "this line" : "this line and one more") +
                     ", whose bytes are of another code page: the plug-in reads a file as UTF-8 only when all of it "
                     "is, so it reads this one in the ANSI code page, and the pages show its " +
                     std::to_string(utf8Lines) + " UTF-8 lines garbled; retype the line in UTF-8, or save the file "
                     "as UTF-8 with a byte order mark");
  // A file that says it is UTF-8 (or is read as UTF-8) with lines that are not: each bad byte reads as U+FFFD on
  // both pages. Told once, on the first such line.
  int badLines = 0, firstBad = 0;
  const bool utf8 = ini.encoding() == IniFile::Encoding::Utf8 || ini.encoding() == IniFile::Encoding::Utf8Bom;
  for (const IniFile::Section &section : ini.sections())
    for (const IniFile::Entry &entry : section.entries)
      if (utf8 && entry.valueLength != WString::npos &&
          ini.Text(entry.value, entry.valueLength).find(WCHAR(0xFFFD)) != WString::npos && !badLines++)
        firstBad = entry.line;
  // Replacement characters written into the file itself: a conversion before this one lost those characters.
  const BYTE replacement[] = {0xEF, 0xBF, 0xBD};
  const bool written = std::search(file.bytes.begin(), file.bytes.end(), replacement, replacement + 3) !=
                       file.bytes.end();
  if (badLines && written)
    findings.Add(
        firstBad, "not-in-code-page",
        std::to_string(badLines) + (badLines == 1 ? " line holds" : " lines hold") +
            " U+FFFD replacement characters (the first is this one), written into the file by a conversion "
            "that could not read their text (a file opened in the wrong encoding and saved): the pages show them as "
            "they stand; convert the file once from its original, or type the texts again");
  else if (badLines)
    findings.Add(firstBad, "not-in-code-page",
                 std::to_string(badLines) + (badLines == 1 ? " line is" : " lines are") + " not UTF-8 (the first is " +
                     "this one), though the file " +
                     (ini.encoding() == IniFile::Encoding::Utf8Bom ? "starts with a UTF-8 byte order mark"
                                                                     : "reads as UTF-8") +
                     ": both pages show their bytes as U+FFFD replacement characters; save the whole file as UTF-8, "
                     "or in code page 936 without the byte order mark");
  std::unordered_set<std::string> seen;
  // A file saved in another code page (Big5) fails on most of its Chinese lines: past a few, they are counted.
  Overflow foreign("lines of Chinese text hold bytes that are no characters of code page 936");
  std::vector<std::pair<int, WString>> swapped;      // English sections of Chinese text whose twins hold English
  std::vector<std::pair<int, std::string>> lost;     // Chinese texts saved as question marks: line, place and text
  std::vector<std::pair<int, std::string>> garbled;  // Chinese texts read in code page 1252 and saved again
  std::vector<std::pair<int, std::string>> garbledUtf8;  // Chinese texts of UTF-8 read in code page 936 and saved
  std::vector<std::pair<int, std::string>> twiceQuoted;  // texts in two pairs of quotation marks
  struct Escaped {
    int line;
    std::string place, meant;  // meant: the text decoded, empty when the page's code page lacks a character
    int column;
  };
  std::vector<Escaped> escaped;  // texts with a JSON writer's \u escapes
  for (const IniFile::Section &section : ini.sections()) {
    const WString name = ini.Text(section.name, section.nameLength);
    // Only the first section of a name is read: the page shows no text of a later one.
    const bool read = seen.insert(FoldedName(name)).second && file.account.ReadSection(name);
    const bool english_section = !Stem(name, kEnglishSuffix).empty(),
               chinese_section = !Stem(name, kChineseSuffix).empty();
    // The English section's lines of Chinese text, told one by one unless the section is the Chinese one misnamed.
    struct Told {
      int line;
      std::string message;
      int column;
    };
    std::vector<Told> chinese;
    // UTF-8 lines of a section pasted from another file, and lines in another code page than 936 (a section pasted
    // from a file in Big5): each told once for the section.
    int sectionUtf8Lines = 0, sectionForeignLines = 0;
    std::pair<int, std::string> utf8First, foreignFirst;
    size_t plainEnglish = 0;  // lines of ASCII text with small letters
    size_t hanLines = 0;      // lines of Chinese characters, not only full-width marks and digits
    bool swallowed = false;  // the lines after a mark that hid a header belong to the section it hid
    for (const IniFile::Entry &entry : section.entries) {
      const WString key = ini.Text(entry.name, entry.nameLength);
      if (swallowed) findings.Claim(entry.line);
      if (IsComment(key)) continue;
      const bool hasValue = entry.valueLength != WString::npos;
      const WString value = hasValue ? ini.Text(entry.value, entry.valueLength) : WString();
      // A byte order mark where files were joined: the header after it is no header to the reader.
      if (!key.empty() && key[0] == 0xFEFF) {
        if (!named.count({entry.line, CodePoint(0xFEFF)}))
          findings.Add(entry.line, "invisible-character",
                       "the line starts with a byte order mark (U+FEFF), left where two files were joined: the "
                       "reader does not see " +
                           Quoted(key.substr(1)) + " as what it says" +
                           (key[1] == '[' ? std::string(", and reads the lines under it as part of the section before")
                                          : std::string()) +
                           "; delete the mark",
                       1);
        findings.Claim(entry.line);
        swallowed = true;
        continue;
      }
      // A misspelt name is told as the name it was meant to be, with the character in it.
      const size_t inKey = FirstInvisible(key);
      if (inKey != WString::npos && !findings.Claimed(entry.line)) {
        WString meant;
        for (WCHAR c : key)
          if (!IsInvisible(c)) meant += c;
        findings.Add(entry.line, "invisible-character",
                     Place(name, key) + ": the name holds " + CharacterName(key[inKey]) +
                         ", which an editor does not show: the plug-in takes it for a name of its own and reads no " +
                         Utf8(Trimmed(meant)) + " from this line; delete the character",
                     ini.ColumnOf(entry.name + inKey));
        findings.Claim(entry.line);
      }
      const LoadAccount::Reading *reading = read ? file.account.ReadOf(name, key) : nullptr;
      if (!reading) continue;  // only what the page reads is shown
      // A Chinese editor shows the ideographic space as the wide blank it is, which Chinese text uses to indent and
      // to space words: only where it changes the reading (between the options of a rule) is it told, as such.
      const bool typography = FirstInvisible(value) != WString::npos && TypographicBlanks(file.account, *reading);
      const auto between = [&](size_t at) {  // a blank at either end of a text shows where the author sees none
        return at > 0 && at + 1 < value.size() && value[at - 1] != ' ' && !IsInvisible(value[at - 1]) &&
               value[at + 1] != ' ' && !IsInvisible(value[at + 1]);
      };
      // A wide or no-break blank after a number ("15　" from a Chinese input mode): the number reads as meant.
      const auto afterNumber = [&](size_t at) {
        if (KeyOf(reading->field).kind != ReadKind::Number || !IsPlainDecimal(Trimmed(value.substr(0, at))))
          return false;
        for (size_t rest = at; rest < value.size(); ++rest)
          if (value[rest] != ' ' && PlainForm(value[rest]) != ' ') return false;
        return true;
      };
      size_t inValue = FirstInvisible(value);
      while (inValue != WString::npos &&
             ((chinese_section && value[inValue] == 0x3000) ||
              (typography && PlainForm(value[inValue]) == ' ' && between(inValue)) || afterNumber(inValue))) {
        const size_t next = FirstInvisible(value.substr(inValue + 1));
        inValue = next == WString::npos ? next : inValue + 1 + next;
      }
      // A character that a finding of its line names already (a blank of a Chinese input method between the options
      // of a rule) is not named again. In an ANSI file the English reading may see half of a code-page-936 pair
      // (A1 AD, '…', reads "¡" and a soft hyphen): the line's Chinese reading tells what it holds.
      const bool pairHalf = english && ansi && inValue != WString::npos && entry.line > 0 &&
                            size_t(entry.line) < lines.size() &&
                            Decodes(kChineseCodePage, file.bytes.data() + lines[entry.line].first,
                                    lines[entry.line].second - lines[entry.line].first);
      if (inValue != WString::npos && !pairHalf && !named.count({entry.line, CodePoint(value[inValue])}))
        findings.Add(
            entry.line, "invisible-character",
            Place(name, key) + " holds " + CharacterName(value[inValue]) +
                ", which an editor does not show; delete it" +
                (PlainForm(value[inValue]) == ' ' && SeparatedByBlanks(reading->field) ? ", or type a plain blank"
                                                                                       : ""),
            ini.ColumnOf(entry.value + inValue));
      // The reader drops a pair of quotation marks around a value; one alone stays in the text. A text that quotes
      // a word at one end ("Eco" prints drafts) has its marks in pairs and shows as meant.
      const bool opens = !value.empty() && value.front() == '"', closes = value.size() > 1 && value.back() == '"';
      const bool paired = std::count(value.begin(), value.end(), WCHAR('"')) % 2 == 0;
      // Only titles, notes and options are shown: a mark in a command, a name or a number is told as what it does
      // to the bytes, the name or the number (a remark after a default, "100 ; about 4\"", reads as meant).
      const FileField field = reading->field;
      const bool shownText = field == FileField::SectionTitle || field == FileField::SectionNote ||
                             field == FileField::ItemTitle || field == FileField::ItemNote;
      const bool onPage = shownText || field == FileField::Rule;
      // An apostrophe typed as a quotation mark before a title ('Paper handling), alone in it.
      const bool apostrophe = shownText && value.size() > 1 && value.front() == '\'' &&
                              std::count(value.begin(), value.end(), WCHAR('\'')) == 1;
      if (apostrophe)
        findings.Add(entry.line, "unbalanced-quote",
                     Place(name, key) + " starts with a quotation mark it does not close: the page shows it, " +
                         Quoted(value) + "; delete it, or write its pair at the other end",
                     ini.ColumnOf(entry.value));
      // '=' typed twice: everything after the first is the text, the second '=' too.
      if (shownText && value.size() > 1 && value.front() == '=')
        findings.Add(entry.line, "equals-twice",
                     Place(name, key) + " = " + Quoted(value) + ": '=' is typed twice, and the page shows the " +
                         "second; delete it",
                     ini.ColumnOf(entry.value));
      if (onPage && ((opens != closes && !paired) || value == Ascii("\"")))
        findings.Add(entry.line, "unbalanced-quote",
                     Place(name, key) + " has a quotation mark at one end only: the page shows it, " +
                         Quoted(ReadWhole(ini, name, key)) + "; delete it, or write its pair at the other end",
                     ini.ColumnOf(opens ? entry.value : entry.value + value.size() - 1));
      // A text that starts and ends with a quoted word ('Auto' picks the 'Tray'): the reader takes the two outer
      // marks for quotes around the whole value and drops them.
      const WCHAR outer = value.size() > 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]
                              ? value[0] : 0;
      // A spreadsheet's doubled marks inside ("Item ""one""") are told as such below.
      if (onPage && outer && value.find(outer, 1) != value.size() - 1 && value.find(WString(2, outer)) == WString::npos)
        findings.Add(entry.line, "unbalanced-quote",
                     Place(name, key) + " starts and ends with " + Quoted(WString(1, outer)) +
                         ": the reader drops both as quotes around the value, so the page shows the text without "
                         "its first and last marks; to keep them, write the text inside one more pair of quotation "
                         "marks",
                     ini.ColumnOf(entry.value));
      if (shownText && value.size() > 4 && value.compare(0, 2, Ascii("\"\"")) == 0 &&
          value.compare(value.size() - 2, 2, Ascii("\"\"")) == 0)
        twiceQuoted.push_back({entry.line, Place(name, key) + " = " + Utf8(value)});
      // Chinese text saved by a program that had no code page for it: each character became a '?'. One save
      // spoils every text: told once for the file, the options that now share a text with it.
      // A rule's texts of one character each ("0=? 1=?") hold no two marks in a row, nor any letter.
      const bool lostRule =
          field == FileField::Rule && value.find(Ascii("=?")) != WString::npos &&
          std::none_of(value.begin(), value.end(), [](WCHAR c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
      if ((shownText || field == FileField::Rule) && chinese_section &&
          (value.find(Ascii("??")) != WString::npos || lostRule) &&
          std::all_of(value.begin(), value.end(), [](WCHAR c) { return c < 0x80; }))
        lost.push_back({entry.line, Place(name, key) + " = " + Quoted(value)});
      const WString unmangled =
          (shownText || field == FileField::Rule) && chinese_section ? Unmangled(value) : WString();
      if (!unmangled.empty())
        garbled.push_back(
            {entry.line, Place(name, key) + " = " + Quoted(value) + " (it was " + Quoted(unmangled) + ")"});
      // (In a file of code page 936 such text is the UTF-8 bytes as they were, told as UTF-8 in that file.)
      const WString fromUtf8 = !ansi && unmangled.empty() && (shownText || field == FileField::Rule) && chinese_section
                                   ? FromUtf8ReadIn936(value)
                                   : WString();
      if (!fromUtf8.empty())
        garbledUtf8.push_back(
            {entry.line, Place(name, key) + " = " + Quoted(value) + " (it was " + Quoted(fromUtf8) + ")"});
      // One character lost in a conversion (from Big5, or a character code page 936 lacks): a '?' between two
      // Chinese characters, which no Chinese text writes so.
      // Only in text that reads as characters: a line in another code page is told as such.
      const bool readable =
          value.find(WCHAR(0xFFFD)) == WString::npos &&
          (!ansi || (entry.line > 0 && size_t(entry.line) < lines.size() &&
                     Decodes(kChineseCodePage, file.bytes.data() + lines[entry.line].first,
                             lines[entry.line].second - lines[entry.line].first) &&
                     !IsUtf8(file.bytes.data() + lines[entry.line].first,
                             lines[entry.line].second - lines[entry.line].first, true)));
      // A '?' alone between blanks in the middle of Chinese text is one too: a symbol (a bullet, a dash) lost.
      auto alone = [&](size_t i) {
        if (value[i - 1] != ' ' || value[i + 1] != ' ') return false;
        const size_t before = value.find_last_not_of(WCHAR(' '), i - 1),
                     after = value.find_first_not_of(WCHAR(' '), i + 1);
        return before != WString::npos && after != WString::npos && (IsHan(value[before]) || IsHan(value[after]));
      };
      // So is a word of nothing but '?' in Chinese text, or an option's whole text ("3=???"): a word the code page
      // lacked (another script's, an emoji).
      const bool han = std::any_of(value.begin(), value.end(), IsHan);
      auto lostWord = [&](size_t i) {
        size_t from = i;
        while (from > 0 && value[from - 1] == '?') --from;
        size_t to = i;
        while (to < value.size() && value[to] == '?') ++to;
        const bool ended = to == value.size() || value[to] == ' ';
        const bool option = from >= 2 && value[from - 1] == '=' && value[from - 2] >= '0' && value[from - 2] <= '9';
        return ended && ((from > 0 && value[from - 1] == ' ' && han) ||
                         (option && field == FileField::Rule && (han || to - from >= 2)));
      };
      for (size_t i = 1; readable && (shownText || field == FileField::Rule) && chinese_section && i < value.size();
           ++i) {
        if (value[i] != '?') continue;
        const bool between = shownText && i + 1 < value.size() && IsHan(value[i - 1]) && IsHan(value[i + 1]);
        const bool single = !between && shownText && i + 1 < value.size() && alone(i);
        if (!between && !single && !lostWord(i)) continue;
        findings.Add(entry.line, "text-lost",
                     Place(name, key) + " = " + Quoted(value) + " holds " +
                         (between  ? "a '?' between Chinese characters"
                          : single ? "a '?' alone in Chinese text"
                                   : "question marks where a word stood") +
                         ": a conversion had no character for the one meant there, and the Chinese page shows the "
                         "question mark; type the character again",
                     ini.ColumnOf(entry.value + i));
        break;
      }
      // The hint box takes '&' as the mark of an underlined letter, as every label of a dialog does; "&&" shows one.
      size_t lone = WString::npos;
      size_t referenceLength = 0;
      for (size_t i = 0; field == FileField::ItemNote && i < value.size() && lone == WString::npos; ++i)
        if (value[i] == '&' && i + 1 < value.size() && value[i + 1] == '&') ++i;
        else if (value[i] == '&' && !ReferenceAt(value, i, &referenceLength)) lone = i;
      if (lone != WString::npos)
        findings.Add(entry.line, "ampersand-in-note",
                     Place(name, key) + " holds '&': the hint box underlines the character after it and does not "
                     "show the '&'; write && for one &",
                     ini.ColumnOf(entry.value + lone));
      // A remark after a title or a note is shown as part of it; after an Enum rule, as part of its last option.
      const size_t remark = RemarkAt(value);
      const bool enumRule =
          field == FileField::Rule && !value.empty() && (value[0] == '-' || (value[0] >= '0' && value[0] <= '9'));
      const size_t lastPair = enumRule ? value.rfind(WCHAR('='), remark) : WString::npos;
      if (shownText && remark != WString::npos)
        findings.Add(entry.line, "remark-in-text",
                     Place(name, key) + " = " + Quoted(value) + ": the page shows the remark as part of the text" +
                         RemarkHint(value));
      else if (lastPair != WString::npos && remark != WString::npos && value.find(WCHAR('='), remark) == WString::npos)
        findings.Add(entry.line, "remark-in-text",
                     Place(name, key) + ": the page shows the remark as part of the last option's text, " +
                         Quoted(Trimmed(value.substr(lastPair + 1))) + RemarkHint(value),
                     ini.ColumnOf(entry.value + remark));
      // The file's texts are taken as written: "\n" is a backslash and a letter to the page.
      size_t length = 0;
      const size_t escape = shownText ? EscapeAt(value, &length) : WString::npos;
      if (escape != WString::npos && length == 2)
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " holds " + Quoted(value.substr(escape, length)) +
                         ": the page shows the backslash and the letter as written, not as a line break or a tab; "
                         "write a blank instead",
                     ini.ColumnOf(entry.value + escape));
      if (escape != WString::npos && length == 6) {
        // A JSON writer's escapes: the text as meant, when the page's code page holds its characters.
        WString decoded;
        bool held = true;
        for (size_t i = 0; i < value.size(); ++i) {
          size_t at = 0;
          const bool unicode = EscapeAt(value.substr(i, 6), &at) == 0 && at == 6;
          const WCHAR c = unicode ? WCHAR(std::stoul(Utf8(value.substr(i + 2, 4)), nullptr, 16)) : value[i];
          held = held && (c < 0x80 || Holds(chinese_section ? kChineseCodePage : kEnglishCodePage, c));
          decoded += c;
          if (unicode) i += 5;
        }
        // The reader drops one pair of quotation marks around the value: so does the text meant.
        if (decoded.size() > 1 && decoded.front() == '"' && decoded.back() == '"')
          decoded = decoded.substr(1, decoded.size() - 2);
        escaped.push_back({entry.line, Place(name, key) + " holds " + Quoted(value.substr(escape, length)),
                           held ? Quoted(decoded) : std::string(), ini.ColumnOf(entry.value + escape)});
      }
      // A web page's character references, written out by an export: the page shows their marks.
      const References references =
          shownText ? PutReferences(value, chinese_section ? kChineseCodePage : kEnglishCodePage,
                                    field == FileField::ItemNote)
                    : References();
      if (!references.count && references.tags && !references.lacking) {
        bool breaks = false;
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " holds " +
                         Quoted(value.substr(references.firstTag, TagAt(value, references.firstTag, &breaks))) +
                         ", markup of a web page or an XML file: the page shows it as written; write " +
                         Quoted(Trimmed(references.meant)),
                     ini.ColumnOf(entry.value + references.firstTag));
      }
      if (references.count) {
        size_t length = 0;
        ReferenceAt(value, references.first, &length);
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " holds " + Quoted(value.substr(references.first, length)) +
                         (references.count == 1
                              ? std::string(", a character reference of a web page: the page shows it")
                              : " and " + std::to_string(references.count - 1) +
                                    (references.count == 2 ? " more character reference"
                                                           : " more character references") +
                                    " of a web page: the page shows them") +
                         " as written, not the character" + std::string(references.count > 1 ? "s" : "") + " meant" +
                         (references.lacking
                              ? "; " + CodePoint(references.lacking) + " is no character of code page " +
                                    std::to_string(chinese_section ? kChineseCodePage : kEnglishCodePage) +
                                    ", which the " + (chinese_section ? "Chinese" : "English") +
                                    " page reads: write the text in characters it holds"
                              : "; write " + Quoted(references.meant)),
                     ini.ColumnOf(entry.value + references.first));
      }
      // What a spreadsheet or a generator leaves in a text: a tab of a cell, the commas of empty cells, a word for
      // nothing. The page shows each as written.
      const WString whole = shownText ? ReadWhole(ini, name, key) : WString();
      const size_t tab = whole.find(WCHAR('\t'));
      if (tab != WString::npos)
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " holds a tab, which the page shows as a gap or a box; write a blank");
      size_t marks = whole.size();
      while (marks > 0 && (whole[marks - 1] == ',' || whole[marks - 1] == ';')) --marks;
      if (whole.size() - marks >= 2 && marks > 0)
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " ends in " + Quoted(whole.substr(marks)) +
                         ", the marks of a spreadsheet's empty cells: the page shows them; delete them");
      if (IsEmptyWord(whole))
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " is " + Quoted(whole) +
                         ", a program's word for an empty value: the page shows the word; leave the value empty");
      // Marks doubled for another program (a spreadsheet's "" in a quoted cell, a format string's %%): the page
      // shows both.
      const WString shown = shownText ? ReadWhole(ini, name, key) : WString();
      for (const char *twice : {"\"\"", "%%"}) {
        if (shown.find(Ascii(twice)) == WString::npos) continue;
        findings.Add(entry.line, "escape-in-text",
                     Place(name, key) + " holds a doubled " + (twice[0] == '"' ? "quotation mark" : "'%'") +
                         ", which the page shows as two: " + Quoted(shown) + "; write it once");
        break;
      }
      // English words have small letters; a rule's settings (MIN=1 MAX=8) and its type, never shown, are no text.
      bool letters = false, ascii = true;
      for (WCHAR c : value) {
        letters = letters || (c >= 'a' && c <= 'z');
        ascii = ascii && c < 0x80;
      }
      const bool unshown = field == FileField::Instruction || field == FileField::EnterInstruction ||
                           field == FileField::SaveInstruction || field == FileField::InstructionTail ||
                           field == FileField::RuleType;
      plainEnglish += english_section && letters && ascii && !unshown;
      if (english_section && english && !ansi) {
        for (WCHAR c : value)
          if (IsHan(c)) {
            ++hanLines;
            chinese.push_back({entry.line,
                               Place(name, key) + " holds Chinese text in an English section: an English system "
                               "shows it in the English page" + WhereChineseGoes(ini, name, key),
                               0});
            break;
          }
      }
      if (!ansi || entry.line <= 0 || size_t(entry.line) >= lines.size()) continue;
      const BYTE *p = file.bytes.data() + lines[entry.line].first;
      const size_t n = lines[entry.line].second - lines[entry.line].first;
      bool high = false;
      for (size_t i = 0; i < n; ++i) high = high || p[i] >= 0x80;
      if (!high) continue;
      // UTF-8 pasted into an English section of a file read as ANSI (a dash, a curly apostrophe): the English page
      // shows each character as two or three others.
      if (english_section && english && IsUtf8(p, n, true)) {
        if (!sectionUtf8Lines++) utf8First = {entry.line, Place(name, key) + " = " + Quoted(value) + ","};
        continue;
      }
      if (chinese_section && !english) {
        if (IsUtf8(p, n, true)) {
          if (!sectionUtf8Lines++) utf8First = {entry.line, Place(name, key)};
        } else if (!Decodes(kChineseCodePage, p, n) && !sectionForeignLines++) {
          foreignFirst = {entry.line, Place(name, key)};
        }
      }
      // A rule's type is a word the page never shows: what is wrong with it is told as the type it is not.
      if (english_section && english && field != FileField::RuleType && Decodes(kChineseCodePage, p, n) &&
          !IsUtf8(p, n, false)) {
        // Text saved by an editor set to code page 936: Chinese characters, or the punctuation of a Chinese input
        // method (curly quotes, full-width forms), which code page 1252 reads as other characters.
        const WString meant = ValueIn936(p, n);
        // Chinese in the key alone reads alike wherever the key is written: only the text after '=' counts. No
        // trail byte of code page 936 is an '='.
        const BYTE *equals = static_cast<const BYTE *>(std::memchr(p, '=', n));
        const size_t keyBytes = equals ? size_t(equals - p) + 1 : 0;
        bool han = HasCommonHan(p + keyBytes, n - keyBytes), punctuation = false, other = false;
        size_t highs = 0, namedBefore = 0;
        for (WCHAR c : meant) {  // a rare Han character is a code-page-1252 letter read as half of a pair
          punctuation = punctuation || (c >= 0x80 && IsChineseText(c) && !IsHan(c));
          other = other || (c >= 0x80 && (!IsChineseText(c) || IsHan(c)));
          highs += c >= 0x80;
          namedBefore += c >= 0x80 && named.count({entry.line, CodePoint(c)});
        }
        if (highs && namedBefore == highs) continue;  // a finding of the line (a rule's separator) names each already
        size_t first = 0;
        while (first < value.size() && value[first] < 0x80) ++first;
        std::string hint;
        const std::string marks = han || !punctuation || other ? std::string() : NamedMarks(meant, &hint);
        hanLines += han;
        if (han)
          chinese.push_back({entry.line,
                             Place(name, key) + " looks like Chinese text in code page 936 in an English section: "
                             "an English system reads it in code page 1252 and shows " + Quoted(value) +
                                 WhereChineseGoes(ini, name, key),
                             0});
        else if (!marks.empty())
          chinese.push_back({entry.line,
                             Place(name, key) + " holds " + marks +
                                 " saved in code page 936: an English system reads the file in code page 1252 and shows " +
                                 Quoted(value) + "; " + hint,
                             ini.ColumnOf(entry.value + first)});
        else if (other && SymbolRowsOnly(p + keyBytes, n - keyBytes))
          chinese.push_back({entry.line,
                             Place(name, key) + " holds " + NamedMarks(meant, &hint) +
                                 " saved in code page 936: an English system reads the file in code page 1252 and "
                                 "shows " + Quoted(value) + "; save the file as UTF-8 with a byte order mark, which "
                                 "both pages read as written",
                             ini.ColumnOf(entry.value + first)});
      }
    }
    if (sectionForeignLines && !foreign.Full(foreignFirst.first))
      findings.Add(foreignFirst.first, "not-in-code-page",
                   foreignFirst.second + MoreLines(sectionForeignLines, name) +
                       " bytes that are no characters of code page 936: the Chinese page shows them as other "
                       "characters; save the text in code page 936 (a section saved in another code page, such as "
                       "Big5, is to be converted from it)");
    if (sectionUtf8Lines && english_section && !spoilt)
      findings.Add(utf8First.first, "utf8-in-ansi",
                   utf8First.second + " as the English page shows it," + MoreLines(sectionUtf8Lines, name) +
                       " UTF-8 text in a file read in code page 1252: type its characters as plain ASCII (a '-' for a "
                       "dash, a ' for a curly apostrophe), or save the whole file as UTF-8 with a byte order mark "
                       "after converting the rest");
    else if (sectionUtf8Lines && !spoilt && !english_section)
      findings.Add(utf8First.first, "utf8-in-ansi",
                   utf8First.second + MoreLines(sectionUtf8Lines, name) +
                       " UTF-8 text in a file the Chinese page reads in code page 936: it shows garbled; convert " +
                       (sectionUtf8Lines > 1 ? "those lines" : "the line") +
                       " from UTF-8 to code page 936 (an editor that opens the file in code page 936 shows " +
                       (sectionUtf8Lines > 1 ? "them" : "it") +
                       " garbled too), or save the whole file as UTF-8 with a byte order mark after converting "
                       "the rest");
    if (chinese.empty()) continue;
    // Chinese throughout, while the _CN section of the same name holds English: the two headers are swapped.
    // Where the halves of other sections were swapped, as many Chinese lines as English ones (names of paper sizes
    // left in English) are enough.
    if (hanLines > 0 && (chinese.size() > plainEnglish || (!swapped.empty() && chinese.size() == plainEnglish)) &&
        TwinHoldsEnglish(ini, name)) {
      swapped.push_back({section.line, name});
      continue;
    }
    for (const Told &told : chinese) findings.Add(told.line, "not-in-code-page", told.message, told.column);
  }
  foreign.Tell(findings, "not-in-code-page");
  // The halves of a whole file swapped are one mistake: past two sections, told once.
  const std::string swappedSays =
      " English: are the two headers swapped? The English page shows the Chinese texts garbled, and the Chinese page "
      "the English ones; swap the two headers";
  if (swapped.size() <= 2)
    for (const auto &section : swapped)
      findings.Add(section.first, "language-sections-swapped",
                   "[" + Utf8(section.second) + "] holds Chinese text and [" + Utf8(ChineseTwin(section.second)) + "]" +
                       swappedSays);
  else {
    std::vector<std::string> others;
    for (size_t i = 1; i < swapped.size(); ++i) others.push_back("[" + Utf8(swapped[i].second) + "]");
    findings.Add(swapped[0].first, "language-sections-swapped",
                 "[" + Utf8(swapped[0].second) + "] and " + Count(long(others.size()), "more English section") + " (" +
                     FirstNames(others) +
                     ") hold Chinese text and their _CN sections English: the _EN and _CN headers of the file are "
                     "swapped; the English page shows the Chinese texts garbled, and the Chinese page the English "
                     "ones; swap the headers of each pair");
  }
  // One save spoils every Chinese text alike: told once, on the first, with how many more and where.
  auto tellOnce = [&](const std::vector<std::pair<int, std::string>> &texts, const char *code, const char *why,
                      const std::vector<std::string> &dropped) {
    std::set<int> lines;
    for (const auto &text : texts) lines.insert(text.first);
    findings.Drop(lines, dropped);
    if (texts.empty()) return;
    const std::string more = texts.size() == 1
                                 ? std::string()
                                 : " and " + Count(long(texts.size() - 1), "more Chinese text") + " (line" +
                                       (texts.size() > 2 ? "s " + std::to_string(texts[1].first) + " to " +
                                                               std::to_string(texts.back().first)
                                                         : " " + std::to_string(texts[1].first)) +
                                       ")";
    findings.Add(texts[0].first, code, texts[0].second + more + why);
  };
  // A JSON writer escapes every text alike: past a few, told once with the first.
  const std::string unescaped =
      ": the page shows the escape as written, not the character it stands for; write the character";
  for (const Escaped &text : escaped)
    if (escaped.size() < 3)
      findings.Add(text.line, "escape-in-text", text.place + unescaped + (text.meant.empty() ? "" : "s, " + text.meant),
                   text.column);
  if (escaped.size() >= 3)
    findings.Add(escaped[0].line, "escape-in-text",
                 escaped[0].place + ", and " + Count(long(escaped.size() - 1), "more text") +
                     " hold escapes of a JSON writer: the page shows them as written, not the characters they stand "
                     "for; write the texts decoded" +
                     (escaped[0].meant.empty() ? "" : ", the first as " + escaped[0].meant),
                 escaped[0].column);
  // One text in two pairs of quotation marks keeps one pair on purpose; many are a program's that quoted twice.
  if (twiceQuoted.size() >= 3)
    findings.Add(twiceQuoted[0].first, "escape-in-text",
                 twiceQuoted[0].second + " and " + Count(long(twiceQuoted.size() - 1), "more text") +
                     " are written in two pairs of quotation marks: the reader drops one pair, and the page shows the "
                     "other around each text; if a program quoted them twice, write each in one pair or none");
  tellOnce(garbled, "text-garbled",
           ": an editor read the Chinese text in code page 1252 and saved what it showed; the Chinese page shows it "
           "garbled; take the texts from the file as it was before, or type them again",
           {"invisible-character", "not-in-code-page", "utf8-in-ansi"});
  tellOnce(garbledUtf8, "text-garbled",
           ": a program read the Chinese text, saved as UTF-8, in code page 936 and saved what it read; the Chinese "
           "page shows it garbled; take the texts from the file as it was before, or convert it from UTF-8 once only",
           {"invisible-character", "not-in-code-page", "utf8-in-ansi"});
  // A save that lost whole texts lost words in others: the one slip, told once.
  std::set<int> wordsLost;
  for (const Finding &finding : findings.list())
    if (!lost.empty() && finding.code == "text-lost" && wordsLost.insert(finding.line).second)
      lost.push_back({finding.line, finding.message.substr(0, finding.message.find(" holds "))});
  findings.Drop(wordsLost, {"text-lost"});
  std::stable_sort(lost.begin(), lost.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
  tellOnce(lost, "text-lost",
           ": a program that saved the file had no code page for its Chinese text and wrote a '?' for each "
           "character; the Chinese page shows the question marks; type the text again and save in code page 936 or "
           "as UTF-8 with a byte order mark",
           {"duplicate-texts"});
}

}  // namespace prnset
