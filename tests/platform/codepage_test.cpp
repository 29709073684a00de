// Code page conversions as the settings file reader and the tool use them, checked against the emulation on Linux
// and the platform under Wine with the same table.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace {

struct Decoding {
  const char *what;
  UINT codePage;
  DWORD flags;
  std::string bytes;
  WString text;     // when not refused
  DWORD error = 0;  // when refused
};

WString Units(std::initializer_list<unsigned> units) {
  WString text;
  for (unsigned unit : units) text += WCHAR(unit);
  return text;
}

TEST(Codepage, DecodesAsThePlatform) {
  const DWORD strict = MB_ERR_INVALID_CHARS;
  std::vector<Decoding> cases = {
      {"ASCII", CP_UTF8, strict, "Title=A4", WTEXT("Title=A4")},
      {"UTF-8 Chinese", CP_UTF8, strict, "\xE6\x89\x93\xE5\x8D\xB0", Units({0x6253, 0x5370})},
      {"UTF-8 beyond the first plane", CP_UTF8, strict, "\xF0\x9F\x96\xA8", Units({0xD83D, 0xDDA8})},
      {"UTF-8 mark kept", CP_UTF8, strict,
       "\xEF\xBB\xBF"
       "a",
       Units({0xFEFF, 'a'})},
      {"broken UTF-8, strict",
       CP_UTF8,
       strict,
       "a\xFF"
       "b",
       {},
       ERROR_NO_UNICODE_TRANSLATION},
      {"overlong UTF-8, strict", CP_UTF8, strict, "\xC0\x80", {}, ERROR_NO_UNICODE_TRANSLATION},
      {"encoded surrogate, strict", CP_UTF8, strict, "\xED\xA0\x80", {}, ERROR_NO_UNICODE_TRANSLATION},
      {"cut UTF-8, strict", CP_UTF8, strict, "a\xE6\x89", {}, ERROR_NO_UNICODE_TRANSLATION},
      {"broken UTF-8, lenient", CP_UTF8, 0,
       "a\xFF"
       "b",
       Units({'a', 0xFFFD, 'b'})},
      {"1252", 1252, 0, "\x80\x9F\xE9 x", Units({0x20AC, 0x0178, 0x00E9, ' ', 'x'})},
      {"936", 936, strict, "\xB4\xF2\xD3\xA1=2", Units({0x6253, 0x5370, '=', '2'})},
      {"936 ASCII", 936, strict, "[Section01]", WTEXT("[Section01]")},
      {"936 lines, plain and Chinese", 936, strict, "a=1\r\n\xB4\xF2=2\nb",
       Units({'a', '=', '1', '\r', '\n', 0x6253, '=', '2', '\n', 'b'})},
      {"936 lead byte before a line end, strict", 936, strict, "a=1\n\xB4\nb", {}, ERROR_NO_UNICODE_TRANSLATION},
      // A lead byte takes the byte after it, whatever it is but a null, and the two read as one '?'.
      {"936 lead byte before a blank", 936, 0, "Qualit\xE9 d", WTEXT("Qualit?d")},
      {"936 lead byte before a line end", 936, 0, "a\xE9\nb=1", WTEXT("a?b=1")},
      {"936 lead byte before CR LF", 936, 0, "a\xE9\r\nb", Units({'a', '?', '\n', 'b'})},
      {"936 lead byte before a null", 936, 0, std::string("a\xE9\0b", 4), Units({'a', '?', 0, 'b'})},
      {"936 lead byte last", 936, 0, "a\xE9", WTEXT("a?")},
  };
  for (const Decoding &c : cases) {
    SCOPED_TRACE(c.what);
    const int size = int(c.bytes.size());
    SetLastError(0);
    const int needed = MultiByteToWideChar(c.codePage, c.flags, c.bytes.data(), size, nullptr, 0);
    WCHAR out[64];
    for (WCHAR &unit : out) unit = WCHAR(0x5A5A);
    SetLastError(0);
    const int chars = MultiByteToWideChar(c.codePage, c.flags, c.bytes.data(), size, out, 64);
    if (c.error) {
      EXPECT_EQ(needed, 0);
      EXPECT_EQ(chars, 0);
      EXPECT_EQ(GetLastError(), c.error);
      continue;
    }
    EXPECT_EQ(needed, int(c.text.size()));
    ASSERT_EQ(chars, int(c.text.size()));
    EXPECT_EQ(WString(out, size_t(chars)), c.text);
    EXPECT_EQ(out[chars], WCHAR(0x5A5A));  // no terminator added to a counted text
    // One unit short. Not where that would split a surrogate pair: Wine then stores the first half.
    const bool endsInPair = c.text.back() >= 0xDC00 && c.text.back() <= 0xDFFF;
    if (chars > 1 && !endsInPair) {
      SetLastError(0);
      EXPECT_EQ(MultiByteToWideChar(c.codePage, c.flags, c.bytes.data(), size, out, chars - 1), 0);
      EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    }
  }
}

TEST(Codepage, LeadBytesOfTheDoubleByteCodePage) {
  EXPECT_TRUE(IsDBCSLeadByteEx(936, 0xE9));
  EXPECT_TRUE(IsDBCSLeadByteEx(936, 0x81));
  EXPECT_FALSE(IsDBCSLeadByteEx(936, 0x41));
  EXPECT_FALSE(IsDBCSLeadByteEx(936, 0x80));
  EXPECT_FALSE(IsDBCSLeadByteEx(1252, 0xE9));
}

TEST(Codepage, TerminatedAndRefusedInput) {
  WCHAR out[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, out, 8), 3);  // the terminator counts
  EXPECT_EQ(WString(out), WString(WTEXT("ab")));
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", 0, out, 8), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, nullptr, 4, out, 8), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(Codepage, EncodesAsThePlatform) {
  struct Encoding {
    const char *what;
    UINT codePage;
    WString text;
    std::string bytes;
    BOOL defaulted = FALSE;  // asked for code page 1252 only: the platform refuses the question for UTF-8
  };
  const Encoding cases[] = {
      {"ASCII", CP_UTF8, WTEXT("Set All"), "Set All"},
      {"Chinese", CP_UTF8, Units({0x6253, 0x5370}), "\xE6\x89\x93\xE5\x8D\xB0"},
      {"pair", CP_UTF8, Units({'x', 0xD83D, 0xDDA8}), "x\xF0\x9F\x96\xA8"},
      {"lone surrogate", CP_UTF8, Units({'a', 0xD800, 'b'}), "a\xEF\xBF\xBD" "b"},
      // The letters code page 936 bytes become when read in 1252 go back to those bytes.
      {"1252 Latin-1 and high letters", 1252, Units({0xA3, 0xAC, 0x20AC, 0x2019, 0x0178}), "\xA3\xAC\x80\x92\x9F"},
      {"1252 without the character", 1252, Units({'a', 0x6253}), "a?", TRUE},
  };
  for (const Encoding &c : cases) {
    SCOPED_TRACE(c.what);
    const int length = int(c.text.size());
    BOOL defaulted = FALSE, *asked = c.codePage == CP_UTF8 ? nullptr : &defaulted;
    const int needed = WideCharToMultiByte(c.codePage, 0, c.text.data(), length, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(needed, int(c.bytes.size()));
    char out[32] = {};
    const int bytes = WideCharToMultiByte(c.codePage, 0, c.text.data(), length, out, 32, nullptr, asked);
    EXPECT_EQ(std::string(out, size_t(bytes > 0 ? bytes : 0)), c.bytes);
    EXPECT_EQ(defaulted, c.defaulted);
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(c.codePage, 0, c.text.data(), length, out, needed - 1, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  }
}

}  // namespace
