// Last error, strings, interlocked counters and locale of the Linux emulation.
#include <atomic>
#include <cstdarg>
#include <mutex>

#include "platform/host/control.h"
#include "platform/host/win_base.h"

namespace {
thread_local DWORD lastError = 0;
std::atomic<LANGID> systemLanguage{1033};
thread_local LANGID threadUILanguage = 0;

WCHAR FoldCase(WCHAR c) { return (c >= u'A' && c <= u'Z') ? WCHAR(c - u'A' + u'a') : c; }
}  // namespace

DWORD WINAPI GetLastError(void) { return lastError; }
void WINAPI SetLastError(DWORD code) { lastError = code; }

int WINAPI lstrlenW(LPCWSTR s) {
  if (!s) return 0;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b) {
  if (!a) a = u"";
  if (!b) b = u"";
  while (*a && *a == *b) ++a, ++b;
  return (*a < *b) ? -1 : (*a > *b) ? 1 : 0;
}

int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  if (!a) a = u"";
  if (!b) b = u"";
  while (*a && FoldCase(*a) == FoldCase(*b)) ++a, ++b;
  WCHAR x = FoldCase(*a), y = FoldCase(*b);
  return (x < y) ? -1 : (x > y) ? 1 : 0;
}

LPWSTR WINAPI lstrcpynW(LPWSTR dst, LPCWSTR src, int max) {
  if (!dst || max <= 0) return dst;
  int i = 0;
  if (src)
    for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPWSTR WINAPI lstrcpyW(LPWSTR dst, LPCWSTR src) {
  int i = 0;
  for (; src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPWSTR WINAPI lstrcatW(LPWSTR dst, LPCWSTR src) {
  lstrcpyW(dst + lstrlenW(dst), src);
  return dst;
}

int wsprintfW(LPWSTR dst, LPCWSTR format, ...) {
  const int limit = 1024;  // the platform's output limit, terminator included
  va_list args;
  va_start(args, format);
  int n = 0;
  auto put = [&](WCHAR c) {
    if (n < limit - 1) dst[n++] = c;
  };
  for (const WCHAR *p = format; *p; ++p) {
    if (*p != u'%') {
      put(*p);
      continue;
    }
    ++p;
    bool left = false, zero = false;
    for (; *p == u'-' || *p == u'0'; ++p) (*p == u'-' ? left : zero) = true;
    int width = 0, precision = -1;
    for (; *p >= u'0' && *p <= u'9'; ++p) width = width * 10 + (*p - u'0');
    if (*p == u'.') {
      precision = 0;
      for (++p; *p >= u'0' && *p <= u'9'; ++p) precision = precision * 10 + (*p - u'0');
    }
    WCHAR body[64];
    const WCHAR *text = body;
    int length = 0;
    bool numeric = true;
    switch (*p) {
      case u'd':
      case u'i':
      case u'u':
      case u'x':
      case u'X': {
        unsigned long long magnitude;
        bool negative = false;
        if (*p == u'd' || *p == u'i') {
          long long v = va_arg(args, int);
          negative = v < 0;
          magnitude = negative ? (unsigned long long)(-v) : (unsigned long long)v;
        } else {
          magnitude = va_arg(args, unsigned int);
        }
        unsigned base = (*p == u'x' || *p == u'X') ? 16 : 10;
        const char *digits = (*p == u'X') ? "0123456789ABCDEF" : "0123456789abcdef";
        WCHAR reversed[32];
        int count = 0;
        do {
          reversed[count++] = WCHAR(digits[magnitude % base]);
          magnitude /= base;
        } while (magnitude);
        if (negative) body[length++] = u'-';
        for (int pad = precision - count; pad > 0; --pad) body[length++] = u'0';
        while (count) body[length++] = reversed[--count];
        break;
      }
      case u's': {
        numeric = false;
        text = va_arg(args, const WCHAR *);
        if (!text) text = u"(null)";
        length = lstrlenW(text);
        if (precision >= 0 && length > precision) length = precision;
        break;
      }
      case u'c':
        numeric = false;
        body[0] = WCHAR(va_arg(args, int));
        length = 1;
        break;
      case u'%':
        put(u'%');
        continue;
      case 0:
        --p;
        continue;
      default:
        put(*p);
        continue;
    }
    WCHAR fill = (zero && !left && numeric && precision < 0) ? u'0' : u' ';
    int pad = width - length;
    if (!left)
      for (; pad > 0; --pad) put(fill);
    for (int i = 0; i < length; ++i) put(text[i]);
    if (left)
      for (; pad > 0; --pad) put(u' ');
  }
  dst[n] = 0;
  va_end(args);
  return n;
}

LONG InterlockedIncrement(LONG volatile *value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedDecrement(LONG volatile *value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedExchange(LONG volatile *target, LONG value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
LONG InterlockedCompareExchange(LONG volatile *target, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}

LANGID WINAPI GetSystemDefaultLangID(void) { return systemLanguage.load(); }
LANGID WINAPI GetUserDefaultUILanguage(void) { return systemLanguage.load(); }
LANGID WINAPI GetThreadUILanguage(void) { return threadUILanguage ? threadUILanguage : systemLanguage.load(); }
UINT WINAPI GetACP(void) { return systemLanguage.load() == 2052 ? 936 : 1252; }

namespace host {
void SetSystemLanguage(LANGID language) { systemLanguage = language; }
void SetThreadUILanguage(LANGID language) { threadUILanguage = language; }
}  // namespace host
