// Strings, last error and counters as the domain code uses them, checked against the emulation on Linux and the
// platform under Wine with the same table, so the two cannot drift apart unseen.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace {

struct PrintCase {
  const char *what;
  std::function<int(LPWSTR)> print;
  const WCHAR *expected;
};

#define PRINTS(format, ...) [](LPWSTR out) { return wsprintfW(out, WTEXT(format), __VA_ARGS__); }

TEST(Kernel, FormatsAsThePlatform) {
  const PrintCase cases[] = {
      {"number", PRINTS("%d", 42), WTEXT("42")},
      {"negative", PRINTS("%d", -7), WTEXT("-7")},
      {"smallest", PRINTS("%d", INT_MIN), WTEXT("-2147483648")},
      {"i", PRINTS("%i", 12), WTEXT("12")},
      {"unsigned", PRINTS("%u", 4294967295u), WTEXT("4294967295")},
      {"hex", PRINTS("%x|%X", 255, 0xABCu), WTEXT("ff|ABC")},
      {"two digits", PRINTS("Section%.2d", 3), WTEXT("Section03")},
      {"two digits, more", PRINTS("Item%.2d", 123), WTEXT("Item123")},
      {"zero precision of zero", PRINTS("[%.0d]", 0), WTEXT("[0]")},  // unlike C's printf
      {"width", PRINTS("[%5d]", 42), WTEXT("[   42]")},
      {"left", PRINTS("[%-5d]", 42), WTEXT("[42   ]")},
      {"zero fill", PRINTS("[%05d]", 42), WTEXT("[00042]")},
      {"text", PRINTS("%s_Filter", WTEXT("Section01")), WTEXT("Section01_Filter")},
      {"number and text", PRINTS("%d%s", 90, WTEXT(" %")), WTEXT("90 %")},
      {"texts", PRINTS("%s \r\n* %s = %s *", WTEXT("note"), WTEXT("label"), WTEXT("text")),
       WTEXT("note \r\n* label = text *")},
      {"cut text", PRINTS("[%.3s]", WTEXT("abcdef")), WTEXT("[abc]")},
      {"padded text", PRINTS("[%5s|%-4s]", WTEXT("ab"), WTEXT("c")), WTEXT("[   ab|c   ]")},
      {"wide text", PRINTS("%s", WTEXT("\u6253\u5370")), WTEXT("\u6253\u5370")},
      {"character", PRINTS("%c%c", 'o', 'k'), WTEXT("ok")},
      {"percent", PRINTS("100%%%s", WTEXT("")), WTEXT("100%")},
  };
  for (const PrintCase &c : cases) {
    SCOPED_TRACE(c.what);
    WCHAR out[1100];
    const int length = c.print(out);
    EXPECT_EQ(WString(out), WString(c.expected));
    EXPECT_EQ(length, lstrlenW(c.expected));
  }
}

// The platform writes at most 1024 characters, the terminator among them, whatever the arguments hold. What it
// answers for a cut output differs: 1023 characters stored, Wine counts 1024.
TEST(Kernel, FormatStopsAtItsLimit) {
  const WString longText(1500, WCHAR('w'));
  WString out(1600, WCHAR('#'));
  const int length = wsprintfW(&out[0], WTEXT("%s"), longText.c_str());
  EXPECT_TRUE(length == 1023 || length == 1024) << length;
  EXPECT_EQ(out[1023], WCHAR(0));
  EXPECT_EQ(out[1024], WCHAR('#'));
  EXPECT_EQ(out.substr(0, 1023), longText.substr(0, 1023));
}

TEST(Kernel, ComparesAndCopiesAsThePlatform) {
  struct Compare {
    const WCHAR *a, *b;
    bool equal, equalIgnoringCase;
  };
  const Compare compares[] = {
      {WTEXT("Enum"), WTEXT("Enum"), true, true},
      {WTEXT("enum"), WTEXT("ENUM"), false, true},
      {WTEXT("High256"), WTEXT("high256"), false, true},
      {WTEXT("Enum"), WTEXT("Enums"), false, false},
      {WTEXT(""), WTEXT(""), true, true},
      {WTEXT(""), WTEXT("a"), false, false},
      {WTEXT("\u7EB8\u5F20"), WTEXT("\u7EB8\u5F20"), true, true},
      {WTEXT("\u7EB8\u5F20"), WTEXT("\u7EB8"), false, false},
  };
  for (const Compare &c : compares) {
    SCOPED_TRACE(Utf8(c.a) + " / " + Utf8(c.b));
    EXPECT_EQ(lstrcmpW(c.a, c.b) == 0, c.equal);
    EXPECT_EQ(lstrcmpiW(c.a, c.b) == 0, c.equalIgnoringCase);
    EXPECT_EQ(lstrcmpiW(c.b, c.a) == 0, c.equalIgnoringCase);
  }
  EXPECT_LT(lstrcmpW(WTEXT("a"), WTEXT("b")), 0);
  EXPECT_GT(lstrcmpW(WTEXT("ab"), WTEXT("a")), 0);

  struct Copy {
    int capacity;
    const WCHAR *expected;
  };
  const Copy copies[] = {{1, WTEXT("")}, {2, WTEXT("a")}, {4, WTEXT("abc")}, {5, WTEXT("abcd")}, {50, WTEXT("abcd")}};
  for (const Copy &c : copies) {
    SCOPED_TRACE(c.capacity);
    WCHAR out[64];
    for (WCHAR &ch : out) ch = WCHAR('#');
    EXPECT_EQ(lstrcpynW(out, WTEXT("abcd"), c.capacity), out);
    EXPECT_EQ(WString(out), WString(c.expected));
    EXPECT_EQ(out[lstrlenW(c.expected) + 1], WCHAR('#'));  // nothing written past the terminator
  }
  WCHAR untouched[2] = {WCHAR('#'), 0};
  lstrcpynW(untouched, WTEXT("abcd"), 0);
  EXPECT_EQ(untouched[0], WCHAR('#'));

  WCHAR joined[16];
  lstrcpyW(joined, WTEXT("ab"));
  lstrcatW(joined, WTEXT("cd"));
  EXPECT_EQ(WString(joined), WString(WTEXT("abcd")));
  EXPECT_EQ(lstrlenW(joined), 4);
  EXPECT_EQ(lstrlenW(nullptr), 0);
}

TEST(Kernel, LastErrorAndCounters) {
  SetLastError(ERROR_MORE_DATA);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MORE_DATA));
  SetLastError(0);
  EXPECT_EQ(GetLastError(), 0u);

  LONG volatile count = 0;
  EXPECT_EQ(InterlockedIncrement(&count), 1);
  EXPECT_EQ(InterlockedIncrement(&count), 2);
  EXPECT_EQ(InterlockedDecrement(&count), 1);
  EXPECT_EQ(InterlockedExchange(&count, 7), 1);
  EXPECT_EQ(InterlockedCompareExchange(&count, 9, 3), 7);  // no match: unchanged
  EXPECT_EQ(count, 7);
  EXPECT_EQ(InterlockedCompareExchange(&count, 9, 7), 7);
  EXPECT_EQ(count, 9);
}

}  // namespace
