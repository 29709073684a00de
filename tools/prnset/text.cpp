#include "tools/prnset/text.h"

namespace prnset {

namespace {

void AppendUtf8(std::string &out, char32_t c) {
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

void AppendUtf16(WString &out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out += WCHAR(0xD800 + (c >> 10));
    out += WCHAR(0xDC00 + (c & 0x3FF));
  } else {
    out += WCHAR(c);
  }
}

}  // namespace

std::string Utf8(const WCHAR *text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    char32_t c = char16_t(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && char16_t(text[i + 1]) >= 0xDC00 &&
        char16_t(text[i + 1]) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (char16_t(text[i + 1]) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8(const WString &text) { return Utf8(text.data(), text.size()); }

std::string Utf8(LPCWSTR text) { return text ? Utf8(text, size_t(lstrlenW(text))) : std::string(); }

WString Widen(const std::string &utf8) {
  WString out;
  const auto *s = reinterpret_cast<const unsigned char *>(utf8.data());
  size_t n = utf8.size(), i = 0;
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
      out += WCHAR(0xFFFD);
      ++i;
      continue;
    }
    AppendUtf16(out, c);
    i += extra + 1;
  }
  return out;
}

WString Ascii(const char *text) {
  WString out;
  for (; text && *text; ++text) out += WCHAR(static_cast<unsigned char>(*text));
  return out;
}

std::string EscapeText(const std::string &utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  WString text = Widen(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = char16_t(text[i]);
    if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c < 0x20 || c == 0x7F) out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
    else if ((c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
             (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C) {
      out += "\\u{";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 15];
      out += "}";
    } else {
      out += Utf8(&text[i], c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() ? 2 : 1);
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) ++i;
    }
  }
  return out;
}

size_t BoundedLength(const WCHAR *text, size_t capacity) {
  size_t n = 0;
  while (n < capacity && text[n]) ++n;
  return n;
}

WString Cut(const WString &text, size_t count) { return text.size() > count ? text.substr(0, count) : text; }

}  // namespace prnset
