#include <gtest/gtest.h>

#include <random>
#include <string>

#include "catalogue/ini_file.h"
#include "tests/support/test_machine.h"

namespace {

IniFile Parsed(const std::string &bytes, UINT codePage = 1252) {
  IniFile ini;
  ini.Parse(reinterpret_cast<const BYTE *>(bytes.data()), bytes.size(), codePage);
  return ini;
}

// Reads through a buffer with guard characters behind `capacity`: a read must stay inside, end in a null and
// report the length it wrote.
std::string Read(const IniFile &ini, const std::string &section, const std::string &key, DWORD capacity = 256) {
  const WCHAR kGuard = 0x5A5A;
  WString buffer(capacity + 8, kGuard);
  WString s = Wide(section), k = Wide(key);
  DWORD n = ini.ReadString(s.c_str(), k.c_str(), &buffer[0], capacity);
  for (size_t i = capacity; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], kGuard) << "written past the buffer";
  if (capacity == 0) return "";
  EXPECT_LT(n, capacity);
  EXPECT_EQ(buffer[n], 0);
  EXPECT_EQ(size_t(n), std::char_traits<WCHAR>::length(buffer.c_str()));
  return Utf8(buffer.substr(0, n));
}

int ReadNumber(const IniFile &ini, const std::string &section, const std::string &key, INT defaultValue) {
  WString s = Wide(section), k = Wide(key);
  return int(ini.ReadInt(s.c_str(), k.c_str(), defaultValue));
}

int LineOf(const IniFile &ini, const std::string &section, const std::string &key) {
  WString s = Wide(section), k = Wide(key);
  return ini.LineOf(s.c_str(), k.c_str());
}

std::string Utf16(const std::u16string &text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    char low = char(c & 0xFF), high = char(c >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

struct ReadCase {
  const char *what;
  std::string file;
  const char *section;
  const char *key;
  const char *expected;
};

TEST(IniFileRead, FollowsThePlatformsProfileSyntax) {
  const ReadCase cases[] = {
      {"plain key", "[a]\nk=v\n", "a", "k", "v"},
      {"names ignore ASCII case", "[Print]\nDensity=v\n", "PRINT", "dENSITY", "v"},
      {"only ASCII letters fold", "[a]\n\xC3\x89t\xC3\xA9=v\n", "a", "\xC3\xA9t\xC3\xA9", ""},
      {"blanks around name and value", "[a]\n \t k \t= \t v v \t\n", "a", "k", "v v"},
      {"query names are trimmed", "[a]\nk=v\n", " \ta ", "\tk  ", "v"},
      {"blanks inside a name count", "[a]\nmy key=v\n", "a", "my  key", ""},
      {"vertical tab, form feed and Ctrl-Z are blanks", "[a]\n\x0Bk\x0C=\x1Av\x1A\n", "a", "k", "v"},
      {"no-break space is no blank", "[a]\n\xC2\xA0k=v\n", "a", "k", ""},
      {"blanks inside the brackets", "[ \ta\t ]\nk=v\n", "a", "k", "v"},
      {"text after the closing bracket", "[a] old name\nk=v\n", "a", "k", "v"},
      {"header ends at the last bracket", "[x]y] z\nk=v\n", "x]y", "k", "v"},
      {"header lines may be indented", "  [a]  \nk=v\n", "a", "k", "v"},
      {"unterminated header is a key of the section before", "[a]\n[b\nk=v\n", "a", "k", "v"},
      {"unterminated header with '='", "[a]\n[b=c\n", "a", "[b", "c"},
      {"first section of a name wins", "[a]\nk=1\n[b]\nk=2\n[A]\nk=3\n", "a", "k", "1"},
      {"later sections of the name are not searched", "[a]\nx=1\n[a]\nk=2\n", "a", "k", ""},
      {"first key of a name wins", "[a]\nk=1\nK=2\n", "a", "k", "1"},
      {"keys before the first header", "k=0\n[a]\nk=1\n", "", "k", "0"},
      {"blank section name reaches them too", "k=0\n[a]\nk=1\n", "  ", "k", "0"},
      {"they are not in the first section", "k=0\n[a]\nj=1\n", "a", "k", ""},
      {"an empty header cannot be reached", "[a]\n[]\nk=1\n", "", "k", ""},
      {"';' starts no comment", "[a]\n;k=1\n", "a", ";k", "1"},
      {"a commented key is not the key", "[a]\n;k=1\n", "a", "k", ""},
      {"'#' starts no comment", "[a]\n#k=1\n", "a", "#k", "1"},
      {"line without '=' has no value", "[a]\nk\n", "a", "k", ""},
      {"and hides a later value", "[a]\nk\nk=1\n", "a", "k", ""},
      {"empty value", "[a]\nk=\n", "a", "k", ""},
      {"value with '='", "[a]\nk==x=y\n", "a", "k", "=x=y"},
      {"empty key name", "[a]\n=v\n", "a", "", "v"},
      {"line of only '='", "[a]\n=\nk=v\n", "a", "", ""},
      {"double quotes dropped", "[a]\nk=\"v w\"\n", "a", "k", "v w"},
      {"single quotes dropped", "[a]\nk='v'\n", "a", "k", "v"},
      {"blanks inside quotes kept", "[a]\nk= \"  v  \" \n", "a", "k", "  v  "},
      {"empty quotes", "[a]\nk=''\n", "a", "k", ""},
      {"lone quote", "[a]\nk='\n", "a", "k", "'"},
      {"lone double quote", "[a]\nk=\"\n", "a", "k", "\""},
      {"quotes that do not match", "[a]\nk='v\"\n", "a", "k", "'v\""},
      {"opening quote only", "[a]\nk=\"v\n", "a", "k", "\"v"},
      {"closing quote only", "[a]\nk=v\"\n", "a", "k", "v\""},
      {"only the outer pair goes", "[a]\nk='a'b'\n", "a", "k", "a'b"},
      {"quotes in names are kept", "[a]\n'k'=v\n", "a", "'k'", "v"},
      {"CR LF", "[a]\r\nk=v\r\nj=w\r\n", "a", "j", "w"},
      {"lone CR", "[a]\rk=v\rj=w\r", "a", "j", "w"},
      {"mixed ends and blank lines", "[a]\n\r\n\r\rk=v\n\n", "a", "k", "v"},
      {"no end at the last line", "[a]\nk=v", "a", "k", "v"},
      {"null ends a value", std::string("[a]\nk=v \0w\n", 11), "a", "k", "v "},
      {"null ends a key name", std::string("[a]\nab\0cd=v\n", 12), "a", "ab", "v"},
      {"null ends a section name", std::string("[a\0b]\nk=v\n", 10), "a", "k", "v"},
      {"missing key", "[a]\nk=v\n", "a", "j", ""},
      {"missing section", "[a]\nk=v\n", "b", "k", ""},
      {"empty file", "", "a", "k", ""},
  };
  for (const ReadCase &c : cases) {
    SCOPED_TRACE(c.what);
    IniFile ini = Parsed(c.file);
    EXPECT_EQ(Read(ini, c.section, c.key), c.expected);
  }
}

TEST(IniFileRead, NullNamesReadAsMissing) {
  IniFile ini = Parsed("[a]\nk=v\n");
  WCHAR buffer[8] = {'x', 'x'};
  EXPECT_EQ(ini.ReadString(nullptr, WTEXT("k"), buffer, ARRAYSIZE(buffer)), 0u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(ini.ReadString(WTEXT("a"), nullptr, buffer, ARRAYSIZE(buffer)), 0u);
  EXPECT_EQ(ini.ReadInt(WTEXT("a"), nullptr, 7), 7u);
  EXPECT_EQ(ini.ReadString(WTEXT("a"), WTEXT("k"), nullptr, 8), 0u);
}

// A default text stands in for a missing file, section or key and for a line without '=', never for an empty
// value; it is trimmed and unquoted as the platform treats it, and cut to the buffer.
TEST(IniFileRead, DefaultTextStandsInForWhatIsNotThere) {
  const std::string file = "[a]\nk=v\nempty=\nbare\nq=''\n";
  struct {
    const char *what, *section, *key;
    const char16_t *fallback;
    DWORD capacity;
    const char *expected;
  } cases[] = {
      {"value", "a", "k", u"0", 10, "v"},
      {"missing key", "a", "none", u"0", 10, "0"},
      {"missing section", "b", "k", u"0", 10, "0"},
      {"line without '='", "a", "bare", u"0", 10, "0"},
      {"empty value", "a", "empty", u"0", 10, ""},
      {"empty quotes", "a", "q", u"0", 10, ""},
      {"null default", "a", "none", nullptr, 10, ""},
      {"trailing spaces dropped", "a", "none", u"d  ", 10, "d"},
      {"leading spaces kept", "a", "none", u"  d", 10, "  d"},
      {"all spaces keep the first", "a", "none", u"   ", 10, " "},
      {"quotes dropped", "a", "none", u"'d e'", 10, "d e"},
      {"lone quote kept", "a", "none", u"\"", 10, "\""},
      {"cut to the buffer", "a", "none", u"default", 4, "def"},
      {"quotes dropped before the cut", "a", "none", u"\"default\"", 4, "def"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    for (bool fromFile : {true, false}) {
      IniFile ini = fromFile ? Parsed(file) : IniFile();
      if (!fromFile && std::string(c.section) == "a" && std::string(c.key) != "none") continue;
      const WCHAR kGuard = 0x5A5A;
      WString buffer(c.capacity + 4, kGuard);
      WString section = Wide(c.section), key = Wide(c.key);
      DWORD n = ini.ReadString(section.c_str(), key.c_str(), &buffer[0], c.capacity,
                               reinterpret_cast<LPCWSTR>(c.fallback));
      EXPECT_EQ(Utf8(buffer.substr(0, n)), c.expected);
      EXPECT_EQ(buffer[n], 0);
      EXPECT_EQ(buffer[c.capacity], kGuard);
    }
  }
}

// Lines are scanned several characters at a time: a line end or a null character is found wherever it stands in
// the line and however the line lies in the text.
TEST(IniFileRead, LineEndsAndNullsAnywhereInALine) {
  for (size_t shift = 0; shift < 4; ++shift) {
    for (size_t length = 1; length < 12; ++length) {
      for (size_t at = 0; at < length; ++at) {
        SCOPED_TRACE("shift " + std::to_string(shift) + ", length " + std::to_string(length) + ", at " +
                     std::to_string(at));
        const std::string head = "[a]\n" + std::string(shift, ' ') + "k=";
        std::string value(length, 'v');
        for (size_t i = 0; i < length; ++i) value[i] = char('a' + i);
        for (char stop : {'\0', '\r'}) {
          std::string cut = value;
          cut[at] = stop;
          IniFile ini = Parsed(head + cut + "\nnext=1\n");
          EXPECT_EQ(Read(ini, "a", "k"), value.substr(0, at));
          EXPECT_EQ(ReadNumber(ini, "a", "next", 0), 1);
          // A CR ends the line (CR LF as one end); what follows it is a line of its own.
          if (stop == '\r') {
            EXPECT_EQ(LineOf(ini, "a", "next"), at + 1 < length ? 4 : 3);
          }
        }
      }
    }
  }
}

TEST(IniFileRead, CutsValuesToTheBuffer) {
  IniFile ini = Parsed("[a]\nk=abcdef\nq=\"abc\"\n");
  struct {
    const char *key;
    DWORD capacity;
    const char *expected;
  } cases[] = {
      {"k", 0, ""}, {"k", 1, ""}, {"k", 2, "a"}, {"k", 6, "abcde"}, {"k", 7, "abcdef"}, {"k", 50, "abcdef"},
      // The quotes are dropped before cutting: "abc" fits a buffer of 4.
      {"q", 2, "a"}, {"q", 3, "ab"}, {"q", 4, "abc"}, {"q", 5, "abc"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.key) + " in " + std::to_string(c.capacity));
    EXPECT_EQ(Read(ini, "a", c.key, c.capacity), c.expected);
  }
}

TEST(IniFileRead, ConvertsNumbersAsThePlatform) {
  struct {
    const char *value;
    int expected;
  } cases[] = {
      {"12", 12},
      {"-12", -12},
      {"+7", 7},
      {"007", 7},
      {"08", 8},
      {"0x1F", 31},
      {"0xff", 255},
      {"0X1F", 0},
      {"0o17", 15},
      {"0O17", 0},
      {"0o8", 0},
      {"0b101", 5},
      {"0B101", 0},
      {"0b2", 0},
      {"-0x10", -16},
      {"0x", 0},
      {"-", 0},
      {"+-1", 0},
      {"12abc", 12},
      {"1 2", 1},
      {"abc", 0},
      {"\x01\x02 7", 7},
      {"\"42\"", 42},
      {"' 42'", 42},
      {"2147483648", int(0x80000000u)},
      {"-2147483649", 2147483647},
      {"4294967297", 1},
      {"0xffffffff", -1},
      {"0x123456789", 0x23456789},
      // Read as text into 30 characters first: the 30th digit and later are gone.
      {"00000000000000000000000000000999", 0},
      {"1234567890123456789012345678901234567890", 1849262357},
      {"''", -5},
      {"\"\"", -5},
      {"", -5},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.value);
    IniFile ini = Parsed(std::string("[n]\nk=") + c.value + "\n");
    EXPECT_EQ(ReadNumber(ini, "n", "k", -5), c.expected);
  }
  IniFile ini = Parsed("[n]\nbare\n");
  for (int fallback : {1, 0, -5, 2147483647}) {
    EXPECT_EQ(ReadNumber(ini, "n", "bare", fallback), fallback);
    EXPECT_EQ(ReadNumber(ini, "n", "missing", fallback), fallback);
    EXPECT_EQ(ReadNumber(ini, "none", "k", fallback), fallback);
  }
}

TEST(IniFileEncoding, DecodesMarksUtf8AndTheCodePage) {
  const std::string gbkTitle = "\xB4\xF2\xD3\xA1\xD6\xCA\xC1\xBF";  // 打印质量 in code page 936
  const std::string title = "\xE6\x89\x93\xE5\x8D\xB0\xE8\xB4\xA8\xE9\x87\x8F";  // the same in UTF-8
  struct {
    const char *what;
    std::string file;
    UINT codePage;
    IniFile::Encoding encoding;
    std::string expected;  // [a] k, as UTF-8
  } cases[] = {
      {"plain ASCII", "[a]\nk=v\n", 1252, IniFile::Encoding::Ansi, "v"},
      {"code page 936", "[a]\nk=" + gbkTitle + "\n", 936, IniFile::Encoding::Ansi, title},
      {"936 names", "[" + gbkTitle + "]\n" + gbkTitle + "=1\n[a]\nk=" + gbkTitle, 936, IniFile::Encoding::Ansi,
       title},
      {"code page 1252", "[a]\nk=caf\xE9 \x80\n", 1252, IniFile::Encoding::Ansi, "caf\xC3\xA9 \xE2\x82\xAC"},
      {"UTF-8 without mark", "[a]\nk=" + title + "\n", 936, IniFile::Encoding::Utf8, title},
      {"UTF-8 with mark", "\xEF\xBB\xBF[a]\nk=" + title + "\n", 936, IniFile::Encoding::Utf8Bom, title},
      {"UTF-8 mark, broken bytes elsewhere", "\xEF\xBB\xBF[a]\nk=v\nj=\xFF\n", 936, IniFile::Encoding::Utf8Bom, "v"},
      {"one bad byte makes it ANSI", "[a]\nk=" + title + "\nj=\xE9\n", 1252, IniFile::Encoding::Ansi,
       "\xC3\xA6\xE2\x80\xB0\xE2\x80\x9C\xC3\xA5\xC2\x8D\xC2\xB0\xC3\xA8\xC2\xB4\xC2\xA8\xC3\xA9\xE2\x80\xA1\xC2\x8F"},
      {"UTF-16LE", Utf16(u"[a]\r\nk=\u6253\u5370\u8D28\u91CF\r\n", false), 1252, IniFile::Encoding::Utf16Le, title},
      {"UTF-16BE", Utf16(u"[a]\r\nk=\u6253\u5370\u8D28\u91CF\r\n", true), 1252, IniFile::Encoding::Utf16Be, title},
      {"UTF-16 odd last byte", Utf16(u"[a]\nk=v", false) + "w", 1252, IniFile::Encoding::Utf16Le, "v"},
      {"UTF-16 mark only", "\xFF\xFE", 1252, IniFile::Encoding::Utf16Le, ""},
      {"UTF-8 mark only", "\xEF\xBB\xBF", 1252, IniFile::Encoding::Utf8Bom, ""},
      {"empty", "", 1252, IniFile::Encoding::Ansi, ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    IniFile ini = Parsed(c.file, c.codePage);
    EXPECT_EQ(ini.encoding(), c.encoding);
    EXPECT_EQ(Read(ini, "a", "k"), c.expected);
  }
  IniFile names = Parsed("[" + gbkTitle + "]\n" + gbkTitle + "=1\n", 936);
  EXPECT_EQ(ReadNumber(names, title, title, 0), 1);
}

TEST(IniFileLines, NumbersTheLineOfTheKeyThatIsRead) {
  IniFile ini = Parsed("top=1\r\n[a]\r\n\r\nk=1\nj\rk=2\r\n\n[b]\n  x = 3  \n[A]\ny=4\n");
  struct {
    const char *section, *key;
    int line;
  } cases[] = {
      {"", "top", 1}, {"a", "k", 4}, {"A", "K", 4}, {"a", "j", 5}, {"b", "x", 9},
      {"a", "y", 0},  {"a", "top", 0}, {"c", "k", 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(LineOf(ini, c.section, c.key), c.line);
  }
}

// A line ending in a lead byte of code page 936 takes the line end with it, as the platform decodes the file: the
// next line is part of its value, and the lines after keep the file's own numbers.
TEST(IniFileLines, ALineEndTakenByALeadByteJoinsTwoLines) {
  const std::string file = "[a]\nTitle=Qualit\xE9\nNote=x\r\nk=1\nl=\xE9\r\nm=2\r\n";
  IniFile western = Parsed(file, 1252), chinese = Parsed(file, 936);
  EXPECT_EQ(Read(western, "a", "Title"), "Qualit\xC3\xA9");
  EXPECT_EQ(Read(chinese, "a", "Title"), "Qualit?Note=x");
  EXPECT_EQ(Read(chinese, "a", "Note"), "");
  EXPECT_TRUE(western.JoinedLines().empty());
  // Taken before CR LF, the CR goes and the LF still ends the line.
  EXPECT_EQ(chinese.JoinedLines(), std::vector<int>{2});
  for (const IniFile *ini : {&western, &chinese}) {
    EXPECT_EQ(LineOf(*ini, "a", "k"), 4);
    EXPECT_EQ(LineOf(*ini, "a", "m"), 6);
  }
  EXPECT_EQ(Read(chinese, "a", "l"), "?");
}

TEST(IniFileLines, ListsSectionsAndKeysInFileOrder) {
  IniFile ini = Parsed("lead=0\n[ First ]\nk = 'q' \nbare\n[Second]\n");
  const auto &sections = ini.sections();
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].line, 0);
  EXPECT_EQ(sections[0].nameLength, 0u);
  ASSERT_EQ(sections[0].entries.size(), 1u);
  EXPECT_EQ(Utf8(ini.Text(sections[0].entries[0].name, sections[0].entries[0].nameLength)), "lead");
  EXPECT_EQ(Utf8(ini.Text(sections[1].name, sections[1].nameLength)), "First");
  EXPECT_EQ(sections[1].line, 2);
  ASSERT_EQ(sections[1].entries.size(), 2u);
  const IniFile::Entry &k = sections[1].entries[0];
  EXPECT_EQ(Utf8(ini.Text(k.name, k.nameLength)), "k");
  EXPECT_EQ(Utf8(ini.Text(k.value, k.valueLength)), "'q'");
  EXPECT_EQ(k.line, 3);
  EXPECT_EQ(sections[1].entries[1].valueLength, WString::npos);
  EXPECT_TRUE(sections[2].entries.empty());
  EXPECT_TRUE(Parsed("[a]\n").sections()[0].line == 1);
}

TEST(IniFileLoad, ReadsFilesAndRefusesWhatItCannot) {
  IniFile ini;
  WString path = testing_machine::WriteTempFile("ini-load.ini", "[a]\r\nk=v\r\n");
  EXPECT_TRUE(ini.Load(path.c_str(), CP_ACP));
  EXPECT_EQ(Read(ini, "a", "k"), "v");

  // A failed load leaves nothing of the one before.
  EXPECT_FALSE(ini.Load((path + WTEXT(".missing")).c_str(), CP_ACP));
  EXPECT_EQ(ini.encoding(), IniFile::Encoding::None);
  EXPECT_EQ(Read(ini, "a", "k"), "");
  EXPECT_EQ(ReadNumber(ini, "a", "k", 3), 3);
  EXPECT_FALSE(ini.Load(nullptr, CP_ACP));

  EXPECT_TRUE(ini.Load(testing_machine::WriteTempFile("ini-empty.ini", "").c_str(), CP_ACP));
  EXPECT_TRUE(ini.sections().empty());
}

// The storage of one file serves the next: whatever sizes and encodings follow one another, through one reader or
// through readers made and dropped in turn, each read sees its own file and nothing of the one before.
TEST(IniFileLoad, FilesReadOneAfterAnotherKeepNothingOfEachOther) {
  const std::string big = "[a]\nk=" + std::string(5000, 'b') + "\nonly=big\n";
  const struct {
    std::string bytes;
    const char *k;  // [a] k as read
    const char *only;
  } files[] = {
      {big, nullptr, "big"},
      {"[a]\nk=small\n", "small", ""},
      {Utf16(u"[a]\r\nk=wide\r\n", false), "wide", ""},
      {"\xEF\xBB\xBF[a]\nk=\xE6\x89\x93\n", "\xE6\x89\x93", ""},
      {"", "", ""},
      {big, nullptr, "big"},
      {"[b]\nk=other\n", "", ""},
  };
  IniFile kept;
  int index = 0;
  for (const auto &file : files) {
    SCOPED_TRACE(index);
    WString path = testing_machine::WriteTempFile("ini-turn" + std::to_string(index++) + ".ini", file.bytes);
    const std::string k = file.k ? file.k : std::string(1023, 'b');
    ASSERT_TRUE(kept.Load(path.c_str(), 1252));
    EXPECT_EQ(Read(kept, "a", "k", 1024), k);
    EXPECT_EQ(Read(kept, "a", "only"), file.only);
    IniFile fresh;
    ASSERT_TRUE(fresh.Load(path.c_str(), 1252));
    IniFile moved(std::move(fresh));
    EXPECT_EQ(Read(moved, "a", "k", 1024), k);
    EXPECT_EQ(Read(fresh, "a", "k"), "");  // a reader moved from holds nothing
    fresh = std::move(moved);
    EXPECT_EQ(Read(fresh, "a", "only"), file.only);
  }
}

TEST(IniFileLoad, HugeLinesAndTheSizeLimit) {
  const size_t limit = IniFile::kMaxFileBytes;
  std::string head = "[a]\nk=", tail = "\nlast=1";
  std::string file = head + std::string(limit - head.size() - tail.size(), 'x') + tail;
  ASSERT_EQ(file.size(), limit);
  IniFile ini;
  ASSERT_TRUE(ini.Load(testing_machine::WriteTempFile("ini-limit.ini", file).c_str(), 1252));
  EXPECT_EQ(Read(ini, "a", "k", 1024), std::string(1023, 'x'));
  EXPECT_EQ(ReadNumber(ini, "a", "last", 0), 1);
  EXPECT_EQ(LineOf(ini, "a", "last"), 3);

  file += "\n";
  EXPECT_FALSE(ini.Load(testing_machine::WriteTempFile("ini-over.ini", file).c_str(), 1252));
  EXPECT_EQ(ReadNumber(ini, "a", "last", 0), 0);
  ini.Parse(reinterpret_cast<const BYTE *>(file.data()), file.size(), 1252);
  EXPECT_EQ(ini.encoding(), IniFile::Encoding::None);
  EXPECT_TRUE(ini.sections().empty());
}

TEST(IniFileLoad, ManyKeysAreAllFound) {
  std::string file = "[a]\n";
  for (int i = 0; i < 20000; ++i) file += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  IniFile ini = Parsed(file);
  for (int i : {0, 9999, 19999}) {
    EXPECT_EQ(ReadNumber(ini, "a", "KEY" + std::to_string(i), -1), i);
    EXPECT_EQ(LineOf(ini, "a", "key" + std::to_string(i)), i + 2);
  }
}

// Random bytes heavy in the characters the parser looks at: every read stays inside its buffer and every record
// lies inside the decoded text.
TEST(IniFileLoad, SurvivesBinaryGarbage) {
  const char alphabet[] = "[]=\r\n \t\"';\x1A\x00\xFF\xFE\xEF\xBB\xBF\x80\xC3\xE4\xB4\xD8\xDC" "aK";
  std::mt19937 random(20240601);
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    switch (round % 4) {
      case 0: bytes = "\xFF\xFE"; break;
      case 1: bytes = "\xEF\xBB\xBF"; break;
      default: break;
    }
    size_t length = random() % 3000;
    for (size_t i = 0; i < length; ++i)
      bytes += random() % 3 ? alphabet[random() % (sizeof(alphabet) - 1)] : char(random());
    for (UINT codePage : {936u, 1252u}) {
      IniFile ini = Parsed(bytes, codePage);
      for (const IniFile::Section &section : ini.sections()) {
        WString name = ini.Text(section.name, section.nameLength);
        ASSERT_EQ(name.size(), section.nameLength);
        for (const IniFile::Entry &entry : section.entries) {
          WString key = ini.Text(entry.name, entry.nameLength);
          ASSERT_EQ(key.size(), entry.nameLength);
          if (entry.valueLength != WString::npos) {
            ASSERT_EQ(ini.Text(entry.value, entry.valueLength).size(), entry.valueLength);
          }
          for (DWORD capacity : {1u, 3u, 64u}) Read(ini, Utf8(name), Utf8(key), capacity);
          ini.ReadInt(name.c_str(), key.c_str(), 0);
        }
      }
    }
  }
}

}  // namespace
