#include "tools/prnset/text.h"

#include <climits>

namespace prnset {

std::string Utf8(const WCHAR *text, size_t length) {
  if (!text || length == 0 || length > size_t(INT_MAX / 4)) return std::string();
  // The platform's converter: a lone surrogate becomes U+FFFD, so the output is always valid UTF-8.
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, int(length), &out[0], bytes, nullptr, nullptr);
  return out;
}

std::string Utf8(const WString &text) { return Utf8(text.data(), text.size()); }

std::string Utf8(LPCWSTR text) { return text ? Utf8(text, size_t(lstrlenW(text))) : std::string(); }

WString Widen(const std::string &utf8) {
  if (utf8.empty() || utf8.size() > size_t(INT_MAX)) return WString();
  int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  WString out(size_t(chars > 0 ? chars : 0), WCHAR(0));
  if (chars > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &out[0], chars);
  return out;
}

WString Ascii(const char *text) {
  WString out;
  for (; text && *text; ++text) out += WCHAR(static_cast<unsigned char>(*text));
  return out;
}

std::string JsonString(const WString &text) {
  static const char kHex[] = "0123456789abcdef";
  std::string utf8 = Utf8(text);
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (char ch : utf8) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

size_t BoundedLength(const WCHAR *text, size_t capacity) {
  size_t n = 0;
  while (n < capacity && text[n]) ++n;
  return n;
}

WString Cut(const WString &text, size_t count) { return text.size() > count ? text.substr(0, count) : text; }

}  // namespace prnset
