// The settings file's INI reader against the platform's own profile reader: a corpus of awkward files is written
// to disk and every key of it (and keys that are not there) is read through both, with several buffer sizes, as
// text and as numbers. Any difference fails with the file, the names and both answers.
//
// Two differences are intended and are not counted as failures:
// - A file without a byte order mark that is valid UTF-8 (and not plain ASCII) is read as UTF-8 by our reader;
//   the platform reads every unmarked file in the ANSI code page. Such files are left out.
// - A quoted value whose text fits the buffer exactly: the platform's reader cuts one more character than the
//   buffer needs ("abc" in quotes comes back as "ab" in a buffer of 4). Ours returns the whole text. The case is
//   checked to be exactly that and nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/ini_file.h"
#include "tests/support/test_machine.h"

namespace {

const DWORD kCapacities[] = {1, 2, 3, 20, 29, 30, 31, 50, 128, 1023, 1024, 1025, 4096};
const INT kDefaults[] = {1, 0, -5};
// Default texts: the one the settings lookup reads with ("0"), and those the platform treats in its own way
// (trailing spaces dropped but never the first character, quotes around it, a text longer than small buffers).
const wchar_t *const kDefaultTexts[] = {L"0", L" lead", L"   ", L"'quoted'", L"\"q\"", L"'", L"'0 '  "};
const DWORD kDefaultCapacities[] = {1, 2, 3, 100};

std::string Shown(const WString &text) {
  std::string out;
  for (WCHAR c : text) {
    char hex[8];
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += char(c);
    } else {
      std::snprintf(hex, sizeof(hex), "\\u%04x", unsigned(c));
      out += hex;
    }
  }
  return out.size() > 200 ? out.substr(0, 200) + "...(" + std::to_string(text.size()) + " chars)" : out;
}

std::string Utf16(const std::wstring &text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t c : text) {
    char low = char(c & 0xFF), high = char((c >> 8) & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// A literal's bytes, null characters inside it included.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

struct Corpus {
  const char *name;
  std::string bytes;
  std::vector<std::pair<std::wstring, std::wstring>> queries;  // besides every section and key the files hold
};

std::vector<Corpus> MakeCorpus() {
  std::vector<Corpus> corpus;
  corpus.push_back({"quotes",
                    "[q]\r\na='\r\nb=\"\r\nc=''\r\nd=\"\"\r\ne='x\"\r\nf=\"x'\r\ng=' x '\r\nh=\"abc\"\r\ni=\"abc\r\n"
                    "j=abc\"\r\nk= \" q \" \r\nl='a'b'\r\nm=\"'\"\r\nn='\"'\r\no=\"\"\"\"\r\np=x'y'\r\n"
                    "r=\"12345678901234567890123456789\"\r\ns=\"1234567890123456789012345678\"\r\n"
                    "t='42'\r\nu=\" 7 \"\r\n'v'=quoted name\r\n",
                    {}});
  corpus.push_back({"blanks",
                    "  [ blanks ]  \r\n\t key \t=\t value \t\r\n  two  words  =  a  b  \r\n\x0B"
                    "vt\x0C=\x1A"
                    "ctrl-z\x1A\r\nnone=\r\nspaces=   \r\n\x01lead=x\r\ntrail\x1F=y\x1F\r\n",
                    {{L"blanks", L"two words"}, {L"blanks", L"two  words"}, {L"  blanks\t", L"\tkey\t"}}});
  corpus.push_back({"comments",
                    "; leading comment\r\n[c]\r\n;x=1\r\n#y=2\r\n//z=3\r\nREM w=4\r\n  ; spaced=5\r\nx=6\r\n[;s]\r\n"
                    "k=7\r\n",
                    {{L"c", L"x"}, {L"c", L"y"}, {L"c", L"; spaced"}, {L"", L"; leading comment"}}});
  corpus.push_back({"duplicates",
                    "[a]\r\nx=1\r\nX=dup\r\n[b]\r\nx=2\r\n[A]\r\nx=3\r\ny=4\r\n[b]\r\nz=5\r\n",
                    {{L"a", L"y"}, {L"b", L"z"}, {L"B", L"X"}}});
  corpus.push_back({"case", "[MiXeD Case]\r\nKeY=v\r\nkey2=V2\r\n",
                    {{L"mixed case", L"key"}, {L"MIXED CASE", L"KEY2"}, {L"mixed  case", L"key"}}});
  corpus.push_back({"missing equals",
                    "[m]\r\nbare\r\nbare=hidden\r\n  spaced bare  \r\nk=v\r\n[n]\r\nx\r\n",
                    {{L"m", L"bare"}, {L"m", L"spaced bare"}, {L"n", L"x"}}});
  corpus.push_back({"settings section",
                    "[Settings]\r\nCount=3\r\nCOMPRESS_VALUE1=80\r\nCOMPRESS_VALUE2\r\nCOMPRESS_VALUE3=\r\n"
                    "  XMove  \r\nXMoveEnable = \r\n",
                    {{L"Settings", L"COMPRESS_VALUE2"}, {L"Settings", L"COMPRESS_VALUE4"}, {L"settings", L"xmove"},
                     {L"Other", L"Count"}}});
  corpus.push_back({"equals lines", "[e]\r\n=\r\n==\r\n=v\r\n = w \r\n[f]\r\nk=1\r\n=first\r\n=second\r\n[g]\r\n =\r\n",
                    {{L"e", L""}, {L"f", L""}, {L"g", L" "}, {L"e", L"="}}});
  corpus.push_back({"before first section", "top=1\r\n=nameless\r\nbare\r\n[]\r\ntop=2\r\n[ ]\r\nk=3\r\n[s]\r\nk=4\r\n",
                    {{L"", L"top"}, {L" ", L"k"}, {L"", L""}, {L"s", L"top"}}});
  corpus.push_back({"empty header only", "[a]\r\n[]\r\nk=1\r\n", {{L"", L"k"}}});
  corpus.push_back({"headers",
                    "[ name ]\r\nk=1\r\n[\ttabbed\t]\r\nk=2\r\n[open\r\nk=3\r\n[x]y]\r\nk=4\r\n[z] junk\r\nk=5\r\n"
                    "  [indented]  \r\nk=6\r\n[[double]]\r\nk=7\r\n[x=y]\r\nk=8\r\n[open=v\r\n[]]\r\nk=9\r\n"
                    "[w] ]\r\nk=10\r\n",
                    {{L"name", L"k"}, {L" name ", L"k"}, {L"tabbed", L"k"}, {L"name", L"[open"},
                     {L"x]y", L"k"}, {L"x", L"k"}, {L"z", L"k"}, {L"[double]", L"k"}, {L"x=y", L"k"},
                     {L"tabbed", L"[open"}, {L"]", L"k"}, {L"w]", L"k"}, {L"w", L"k"}}});
  corpus.push_back({"line ends", "[l]\rcr=1\r\rlf=2\n\ncrlf=3\r\n\r\nlfcr=4\n\rlast=5",
                    {{L"l", L"cr"}, {L"l", L"last"}}});
  corpus.push_back({"numbers",
                    "[n]\r\ndec=12\r\nneg=-12\r\nplus=+7\r\nhex=0x1F\r\nhexup=0X1F\r\nhexlow=0xff\r\noct=0o17\r\n"
                    "octup=0O17\r\nbin=0b101\r\nbinup=0B101\r\nbadbin=0b2\r\nbadoct=0o8\r\nneghex=-0x10\r\nprefix=0x\r\n"
                    "sign=-\r\nsigns=+-1\r\ntail=12abc\r\nalpha=abc\r\nctrl=\x01\x02 7\r\nquoted=\"42\"\r\n"
                    "wrap=4294967297\r\nmax=0xffffffff\r\nbig=0x123456789\r\nint_min=-2147483648\r\n"
                    "over=2147483648\r\nzeros=00000000000000000000000000000999\r\n"
                    "long=1234567890123456789012345678901234567890\r\nlead0=08\r\ninner=1 2\r\nempty=\r\n"
                    "emptyq=''\r\nblank=   \r\nspaced= 5 \r\n",
                    {{L"n", L"missing"}}});
  {
    std::string values = "[long]\r\n";
    for (int n : {127, 128, 1022, 1023, 1024, 1025, 4095, 4096, 5000, 70000})
      values += "v" + std::to_string(n) + "=" + std::string(size_t(n), char('a' + n % 26)) + "\r\n";
    values += "q1023=\"" + std::string(1023, 'q') + "\"\r\n";
    values += std::string(3000, 'k') + "=long name\r\nafter=1\r\n";
    corpus.push_back({"long values", values, {}});
  }
  corpus.push_back({"nul bytes", Bytes("[z]\r\nab\0cd=v\0w\r\nk=x \0y\r\n\0=nul name\r\n[t\0u]\r\nm=1\r\n"),
                    {{L"z", L"ab"}, {L"z", L""}, {L"t", L"m"}}});
  corpus.push_back({"control characters", "[c]\r\n\x1C" "fs=1\r\nk\x7F=2\r\n\x1B=3\r\n", {}});
  corpus.push_back({"empty file", "", {{L"a", L"k"}, {L"", L""}}});
  corpus.push_back({"only a UTF-8 mark", "\xEF\xBB\xBF", {{L"", L""}}});
  corpus.push_back({"only a UTF-16 mark", "\xFF\xFE", {{L"", L""}}});
  corpus.push_back({"UTF-8 without a mark", "[a]\r\nk=\xE6\x89\x93\xE5\x8D\xB0\r\n", {}});
  corpus.push_back({"UTF-8 mark",
                    "\xEF\xBB\xBF[\xE6\x89\x93\xE5\x8D\xB0]\r\n\xE6\xA0\x87\xE9\xA2\x98=\xE8\xB4\xA8\xE9\x87\x8F\r\n"
                    "[a]\r\nk=v\r\nbroken=\xFF\xE4\xB8 \xED\xA0\x80z\r\n",
                    {}});
  const std::wstring chinese =
      L"[\u6253\u5370_Lang_CN]\r\nTitle=\u6253\u5370\u8D28\u91CF\r\n\u5BC6\u5EA6_Title=\u5BC6\u5EA6\r\n"
      L"[Case\u00C9]\r\nK\u00E9=1\r\n[\u3000wide\u3000]\r\n\u00A0k\u00A0=\u3000v\u3000\r\n[odd]\r\nsurrogate=\xD800x\r\n";
  corpus.push_back({"UTF-16LE mark", Utf16(chinese, false),
                    {{L"case\u00E9", L"k\u00E9"}, {L"CASE\u00C9", L"K\u00C9"}, {L"wide", L"k"}}});
  corpus.push_back({"UTF-16BE mark", Utf16(chinese, true), {}});
  // 打印质量 and 纸张类型 in code page 936: read alike by both in any ANSI code page.
  corpus.push_back({"code page 936",
                    "[SectionNames]\r\nSection01=Print\r\n[Print_Lang_CN]\r\nTitle=\xB4\xF2\xD3\xA1\xD6\xCA\xC1\xBF\r\n"
                    "Note=\xD6\xBD\xD5\xC5\xC0\xE0\xD0\xCD\r\n[\xD6\xBD\xD5\xC5]\r\n\xC0\xE0\xD0\xCD=2\r\n",
                    {}});
  corpus.push_back({"code page 1252", "[a]\r\nk=caf\xE9 \x80\r\n[\xC9t\xE9]\r\n\xC9K=1\r\n", {}});
  {
    // Deterministic garbage: bytes heavy in the characters a profile parser looks at.
    const char alphabet[] = "[]=\r\n \t\"';\x1A\x00\xFF\xE9\x80\xB4" "aK";
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    std::string ansi, wide = "\xFF\xFE";
    for (int i = 0; i < 6000; ++i) ansi += next() % 3 ? alphabet[next() % (sizeof(alphabet) - 1)] : char(next());
    for (int i = 0; i < 3000; ++i) {
      wide += next() % 2 ? alphabet[next() % (sizeof(alphabet) - 1)] : char(next());
      wide += next() % 3 ? '\0' : char(next());
    }
    corpus.push_back({"garbage", ansi, {}});
    corpus.push_back({"UTF-16 garbage", wide, {}});
  }
  return corpus;
}

WString AsciiCase(WString text, bool upper) {
  for (WCHAR &c : text) {
    if (upper && c >= 'a' && c <= 'z') c = WCHAR(c - 32);
    if (!upper && c >= 'A' && c <= 'Z') c = WCHAR(c + 32);
  }
  return text;
}

// A list of names, each ending in a null, the list ending in an empty name.
std::vector<WString> Names(const std::vector<WCHAR> &buffer) {
  std::vector<WString> names;
  for (const WCHAR *p = buffer.data(); *p; p += lstrlenW(p) + 1) names.push_back(p);
  return names;
}

// Every (section, key) pair worth asking about: what our reader found, what the platform lists, the file's own
// extra queries, and for each of them the names in other case, padded with blanks, and slightly wrong.
std::set<std::pair<WString, WString>> Queries(const IniFile &ini, const std::wstring &path, const Corpus &file) {
  std::set<std::pair<WString, WString>> base;
  for (const IniFile::Section &section : ini.sections()) {
    WString name = ini.Text(section.name, section.nameLength);
    base.insert({name, L"NoSuchKey"});
    for (const IniFile::Entry &entry : section.entries) base.insert({name, ini.Text(entry.name, entry.nameLength)});
  }
  std::vector<WCHAR> buffer(1 << 16);
  GetPrivateProfileSectionNamesW(buffer.data(), DWORD(buffer.size()), path.c_str());
  for (const WString &section : Names(buffer)) {
    std::vector<WCHAR> keys(1 << 16);
    GetPrivateProfileStringW(section.c_str(), nullptr, L"", keys.data(), DWORD(keys.size()), path.c_str());
    base.insert({section, L"NoSuchKey"});
    for (const WString &key : Names(keys)) base.insert({section, key});
  }
  for (const auto &query : file.queries) base.insert(query);
  base.insert({L"NoSuchSection", L"k"});
  std::set<std::pair<WString, WString>> all = base;
  for (const auto &[section, key] : base) {
    all.insert({AsciiCase(section, true), AsciiCase(key, false)});
    all.insert({L" \t" + section + L"\t ", L"\t" + key + L"  "});
    all.insert({section + L"x", key});
    all.insert({section, key + L"x"});
  }
  return all;
}

struct Tally {
  int compared = 0;
  int quotedFit = 0;
  int leftOut = 0;  // files read as UTF-8 by design
};

// The raw value (quotes kept) of the key our reader uses, or nothing.
bool RawValue(const IniFile &ini, const WString &section, const WString &key, WString &value) {
  int line = ini.LineOf(section.c_str(), key.c_str());
  for (const IniFile::Section &s : ini.sections())
    for (const IniFile::Entry &e : s.entries)
      if (line && e.line == line && e.valueLength != WString::npos) {
        value = ini.Text(e.value, e.valueLength);
        return true;
      }
  return false;
}

// The platform cuts a quoted text that fits the buffer exactly one character short (see above): `raw` is the
// text as the file holds it (or the default text the read fell back to), quotes included.
bool QuotedFitOf(const WString &raw, DWORD capacity, const WString &ours, const WString &platform) {
  if (raw.size() < 2) return false;
  bool quoted = (raw[0] == '"' || raw[0] == '\'') && raw.back() == raw[0];
  return quoted && raw.size() - 2 == capacity - 1 && !ours.empty() && platform == ours.substr(0, ours.size() - 1);
}

bool QuotedFit(const IniFile &ini, const WString &section, const WString &key, DWORD capacity,
               const WString &ours, const WString &platform) {
  WString raw;
  return RawValue(ini, section, key, raw) && QuotedFitOf(raw, capacity, ours, platform);
}

// A default text as the platform uses it: its trailing spaces dropped, though never its first character.
WString TrimmedDefault(WString text) {
  while (text.size() > 1 && text.back() == L' ') text.pop_back();
  return text;
}

void CompareFile(const Corpus &file, const std::wstring &path, Tally &tally) {
  IniFile ini;
  ASSERT_TRUE(ini.Load(path.c_str(), CP_ACP) || file.bytes.empty()) << file.name;
  if (ini.encoding() == IniFile::Encoding::Utf8) {
    std::printf("  %s: valid UTF-8 without a mark, read differently by design; left out\n", file.name);
    ++tally.leftOut;
    return;
  }
  const WCHAR kGuard = 0x5A5A;
  std::vector<WCHAR> buffer(8192 + 16);
  for (const auto &[section, key] : Queries(ini, path, file)) {
    for (DWORD capacity : kCapacities) {
      WString ours(capacity, kGuard);
      DWORD ourLength = ini.ReadString(section.c_str(), key.c_str(), &ours[0], capacity);
      ours.resize(ourLength);
      // The platform may write one character in front of the buffer for a quoted empty value: keep room there.
      std::fill(buffer.begin(), buffer.end(), kGuard);
      WCHAR *platformBuffer = buffer.data() + 8;
      DWORD platformLength =
          GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", platformBuffer, capacity, path.c_str());
      WString platform(platformBuffer);
      ++tally.compared;
      if (ourLength == platformLength && ours == platform) continue;
      if (QuotedFit(ini, section, key, capacity, ours, platform) && platformLength == platform.size()) {
        ++tally.quotedFit;
        continue;
      }
      ADD_FAILURE() << file.name << ": [" << Shown(section) << "] " << Shown(key) << " in " << capacity
                    << " characters:\n  ours     " << ourLength << " <" << Shown(ours) << ">\n  platform "
                    << platformLength << " <" << Shown(platform) << ">";
    }
    for (INT fallback : kDefaults) {
      UINT ours = ini.ReadInt(section.c_str(), key.c_str(), fallback);
      UINT platform = GetPrivateProfileIntW(section.c_str(), key.c_str(), fallback, path.c_str());
      ++tally.compared;
      if (ours == platform) continue;
      WString text(30, 0);
      text.resize(ini.ReadString(section.c_str(), key.c_str(), &text[0], 30));
      WCHAR platformText[30];
      GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", platformText, 30, path.c_str());
      if (QuotedFit(ini, section, key, 30, text, platformText)) {
        ++tally.quotedFit;
        continue;
      }
      ADD_FAILURE() << file.name << ": [" << Shown(section) << "] " << Shown(key) << " as a number, default "
                    << fallback << ": ours " << ours << ", platform " << platform;
    }
    // Reads with a default text: it stands in for a missing file, section or key and for a line without '=',
    // never for an empty value.
    for (const wchar_t *fallback : kDefaultTexts) {
      for (DWORD capacity : kDefaultCapacities) {
        WString ours(capacity, kGuard);
        DWORD ourLength = ini.ReadString(section.c_str(), key.c_str(), &ours[0], capacity, fallback);
        ours.resize(ourLength);
        std::fill(buffer.begin(), buffer.end(), kGuard);
        WCHAR *platformBuffer = buffer.data() + 8;
        DWORD platformLength =
            GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback, platformBuffer, capacity, path.c_str());
        WString platform(platformBuffer);
        ++tally.compared;
        if (ourLength == platformLength && ours == platform) continue;
        WString raw;
        if (!RawValue(ini, section, key, raw)) raw = TrimmedDefault(fallback);
        if (QuotedFitOf(raw, capacity, ours, platform) &&
            platformLength == platform.size()) {
          ++tally.quotedFit;
          continue;
        }
        ADD_FAILURE() << file.name << ": [" << Shown(section) << "] " << Shown(key) << " with the default <"
                      << Shown(fallback) << "> in " << capacity << " characters:\n  ours     " << ourLength << " <"
                      << Shown(ours) << ">\n  platform " << platformLength << " <" << Shown(platform) << ">";
      }
    }
  }
}

TEST(IniConformance, ReadsEveryKeyOfTheCorpusAsThePlatform) {
  std::printf("  ANSI code page %u\n", GetACP());
  Tally tally;
  int index = 0;
  for (const Corpus &file : MakeCorpus()) {
    WString path = testing_machine::WriteTempFile("corpus" + std::to_string(++index) + ".ini", file.bytes);
    SCOPED_TRACE(file.name);
    const int before = tally.compared, leftOutBefore = tally.leftOut;
    CompareFile(file, path, tally);
    // A file whose keys were never read compares nothing and proves nothing.
    if (tally.leftOut == leftOutBefore) {
      EXPECT_GT(tally.compared, before) << file.name << ": no read compared";
    }
  }
  // Only the few files meant to be UTF-8 are left out; a reader that took every file for UTF-8 would compare none.
  EXPECT_LT(tally.leftOut * 4, index) << tally.leftOut << " of " << index << " files left out";
  std::printf("  %d reads compared, %d quoted values that fit exactly (cut one shorter by the platform)\n",
              tally.compared, tally.quotedFit);
}

TEST(IniConformance, MissingFileGivesDefaults) {
  WString path = testing_machine::WriteTempFile("placeholder.ini", "") + L".absent";
  Corpus none{"missing file", "", {{L"a", L"k"}, {L"", L""}}};
  Tally tally;
  CompareFile(none, path, tally);
  EXPECT_GT(tally.compared, 0);
}

// The example settings files that ship with the driver, as both readers see them.
TEST(IniConformance, ExampleSettingsFiles) {
  WString folder = L"Z:" + Wide(PRNSET_SOURCE_DIR) + L"\\examples\\";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*_Settings.Dat").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no example settings files";
  Tally tally;
  do {
    Corpus example{"example", "", {}};
    std::string name = Utf8(WString(found.cFileName));
    example.name = name.c_str();
    CompareFile(example, folder + found.cFileName, tally);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_GT(tally.compared, 0);
}

// The titles of a Chinese settings file saved in code page 936 come out right on a Chinese system.
TEST(IniConformance, ChineseTitlesInCodePage936) {
  if (GetACP() != 936) GTEST_SKIP() << "needs the Chinese system code page";
  const std::string file =
      "[Print_Lang_CN]\r\nTitle=\xB4\xF2\xD3\xA1\xD6\xCA\xC1\xBF\r\n[\xD6\xBD\xD5\xC5]\r\n\xC0\xE0\xD0\xCD=2\r\n";
  WString path = testing_machine::WriteTempFile("chinese.ini", file);
  IniFile ini;
  ASSERT_TRUE(ini.Load(path.c_str(), CP_ACP));
  EXPECT_EQ(ini.encoding(), IniFile::Encoding::Ansi);
  WCHAR title[128];
  ini.ReadString(L"Print_Lang_CN", L"Title", title, ARRAYSIZE(title));
  EXPECT_EQ(WString(title), L"\u6253\u5370\u8D28\u91CF");
  EXPECT_EQ(ini.ReadInt(L"\u7EB8\u5F20", L"\u7C7B\u578B", 0), 2u);
  GetPrivateProfileStringW(L"Print_Lang_CN", L"Title", L"", title, ARRAYSIZE(title), path.c_str());
  EXPECT_EQ(WString(title), L"\u6253\u5370\u8D28\u91CF");
}

}  // namespace
