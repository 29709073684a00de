// Code page conversions of the Linux emulation: UTF-8 and 1252 by hand, 936 through glibc's iconv.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/host/control.h"
#include "platform/host/win_base.h"

namespace {

const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void Append(std::u16string &out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out += char16_t(0xD800 + (c >> 10));
    out += char16_t(0xDC00 + (c & 0x3FF));
  } else {
    out += char16_t(c);
  }
}

// Strict UTF-8: overlong forms, surrogates and values beyond U+10FFFF are invalid.
bool DecodeUtf8(const unsigned char *s, size_t n, std::u16string &out, bool strict) {
  size_t i = 0;
  while (i < n) {
    unsigned char b = s[i];
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + extra < n;
    for (int k = 1; ok && k <= extra; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (s[i + k] & 0x3F);
    }
    static const char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (ok && (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
    if (!ok) {
      if (strict) return false;
      out += char16_t(0xFFFD);
      ++i;
      continue;
    }
    Append(out, c);
    i += extra + 1;
  }
  return true;
}

// Code page 936's lead bytes: the first of a double-byte character.
bool IsLead936(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// One stretch of bytes through iconv; an invalid byte is a failure when strict, otherwise a '?'. As the platform
// does, a lead byte takes the byte after it whatever that is (a blank, a line end), but for a null: the two are one
// '?'.
bool IconvStretch(iconv_t cd, char *&in, size_t left, std::u16string &out, bool strict) {
  char16_t buffer[256];
  while (left > 0) {
    char *o = reinterpret_cast<char *>(buffer);
    size_t room = sizeof(buffer);
    size_t r = iconv(cd, &in, &left, &o, &room);
    out.append(buffer, (sizeof(buffer) - room) / sizeof(char16_t));
    if (r == (size_t)-1 && errno != E2BIG) {
      if (strict) return false;
      out += u'?';
      const size_t taken = IsLead936(static_cast<unsigned char>(in[0])) && left > 1 && in[1] != 0 ? 2 : 1;
      in += taken;
      left -= taken;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return true;
}

bool DecodeIconv(const char *charset, const char *s, size_t n, std::u16string &out, bool strict) {
  iconv_t cd = iconv_open("UTF-16LE", charset);
  if (cd == (iconv_t)-1) return false;
  char *in = const_cast<char *>(s);
  const char *end = s + n;
  bool ok = true;
  while (ok && in < end) {
    // Line by line, a line of ASCII bytes as it stands: a large file of mostly plain lines would otherwise spend
    // seconds in iconv. A line ending in a lead byte goes on with the next, whose first byte the lead byte takes.
    const char *lineEnd = in;
    do {
      lineEnd = static_cast<const char *>(std::memchr(lineEnd, '\n', size_t(end - lineEnd)));
      lineEnd = lineEnd ? lineEnd + 1 : end;
    } while (lineEnd < end && lineEnd - in >= 2 && IsLead936(static_cast<unsigned char>(lineEnd[-2])));
    bool ascii = true;
    for (const char *p = in; p < lineEnd && ascii; ++p) ascii = static_cast<unsigned char>(*p) < 0x80;
    if (ascii) {
      out.append(static_cast<const char *>(in), lineEnd);
      in = const_cast<char *>(lineEnd);
    } else {
      ok = IconvStretch(cd, in, size_t(lineEnd - in), out, strict);
    }
  }
  iconv_close(cd);
  return ok;
}

bool Decode(UINT codePage, DWORD flags, const char *s, size_t n, std::u16string &out) {
  bool strict = (flags & MB_ERR_INVALID_CHARS) != 0;
  out.reserve(n);  // at most one unit per byte: one mapping, not a growth per character
  if (codePage == CP_ACP) codePage = GetACP();
  switch (codePage) {
    case CP_UTF8:
      return DecodeUtf8(reinterpret_cast<const unsigned char *>(s), n, out, strict);
    case 1252:
      for (size_t i = 0; i < n; ++i) {
        unsigned char b = (unsigned char)s[i];
        out += (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char16_t(b);
      }
      return true;
    case 936:
      return DecodeIconv("CP936", s, n, out, strict);
    default:
      return false;
  }
}

// Code page 1252's byte of a character, or 0 when it has none.
char Cp1252Byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c) return char(0x80 + i);
  return 0;
}

void EncodeUtf8(LPCWSTR src, size_t n, std::string &out) {
  for (size_t i = 0; i < n; ++i) {
    char32_t c = src[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (src[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
}

}  // namespace

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcBytes, LPWSTR dst, int dstChars) {
  if (!src || srcBytes == 0 || dstChars < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = srcBytes < 0 ? std::strlen(src) + 1 : (size_t)srcBytes;
  std::u16string out;
  if (!Decode(codePage, flags, src, n, out)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (dstChars == 0) return (int)out.size();
  if (out.size() > (size_t)dstChars) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(dst, out.data(), out.size() * sizeof(WCHAR));
  return (int)out.size();
}

BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar) {
  if (codePage == CP_ACP) codePage = GetACP();
  return codePage == 936 && IsLead936(testChar);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR src, int srcChars, LPSTR dst, int dstBytes, LPCSTR,
                               BOOL *usedDefault) {
  if (codePage == CP_ACP) codePage = GetACP();
  if ((codePage != CP_UTF8 && codePage != 1252) || !src || srcChars == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = srcChars < 0 ? (size_t)lstrlenW(src) + 1 : (size_t)srcChars;
  std::string out;
  bool defaulted = false;
  if (codePage == CP_UTF8) {
    EncodeUtf8(src, n, out);
  } else {
    // A character the code page lacks becomes '?', as the platform's default character.
    for (size_t i = 0; i < n; ++i) {
      const char b = Cp1252Byte(src[i]);
      defaulted = defaulted || (b == 0 && src[i] != 0);
      out += b == 0 && src[i] != 0 ? '?' : b;
    }
  }
  if (usedDefault) *usedDefault = defaulted;
  if (dstBytes == 0) return (int)out.size();
  if (out.size() > (size_t)dstBytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(dst, out.data(), out.size());
  return (int)out.size();
}

namespace host {

WString Widen(const std::string &utf8) {
  std::u16string out;
  DecodeUtf8(reinterpret_cast<const unsigned char *>(utf8.data()), utf8.size(), out, false);
  return out;
}

std::string Narrow(const WString &text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace host
