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

WString WidenEscaped(const std::string &name) {
  WString wide;
  for (size_t i = 0; i < name.size();) {
    const unsigned char lead = static_cast<unsigned char>(name[i]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    WCHAR decoded[2];
    const int n = length && i + length <= name.size()
                      ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data() + i, int(length), decoded, 2)
                      : 0;
    if (n > 0) {
      wide.append(decoded, size_t(n));
      i += length;
    } else {
      wide += WCHAR(0xDC00 + lead);
      ++i;
    }
  }
  return wide;
}

std::string Utf8Escaped(const WString &name) {
  std::string bytes;
  size_t run = 0;  // the start of the characters not yet converted
  for (size_t i = 0; i <= name.size(); ++i) {
    const bool raw = i < name.size() && name[i] >= 0xDC80 && name[i] <= 0xDCFF &&
                     (i == 0 || name[i - 1] < 0xD800 || name[i - 1] > 0xDBFF);
    if (!raw && i < name.size()) continue;
    bytes += Utf8(name.substr(run, i - run));
    if (raw) bytes += char(name[i] - 0xDC00);
    run = i + 1;
  }
  return bytes;
}

WString Ascii(const char *text) {
  WString out;
  for (; text && *text; ++text) out += WCHAR(static_cast<unsigned char>(*text));
  return out;
}

bool IsHan(WCHAR c) { return c >= 0x3400 && c <= 0x9FFF; }

bool IsInvisible(WCHAR c) {
  return c == 0x00A0 || c == 0x00AD || c == 0xFEFF || (c >= 0x2002 && c <= 0x200F) || c == 0x2060 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
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
             (c >= 0x2066 && c <= 0x2069) || c == 0x061C || (IsInvisible(c) && c != 0x3000)) {
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

std::string TerminalSafeJson(const std::string &json) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(json.size());
  for (size_t i = 0; i < json.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(json[i]);
    // U+0080 to U+009F (C2 80 to C2 9F), U+061C (D8 9C), U+2028 to U+202E (E2 80 A8 to AE), U+2066 to U+2069
    // (E2 81 A6 to A9): controls a terminal acts on or that reorder what it shows. JSON is ASCII outside its strings.
    unsigned code = 0;
    size_t length = 0;
    if (b == 0xC2 && i + 1 < json.size() && (json[i + 1] & 0xE0) == 0x80) {
      code = (static_cast<unsigned char>(json[i + 1]) & 0x1F) | 0x80, length = 2;
    } else if (b == 0xD8 && i + 1 < json.size() && static_cast<unsigned char>(json[i + 1]) == 0x9C) {
      code = 0x061C, length = 2;
    } else if (b == 0xE2 && i + 2 < json.size()) {
      const unsigned char b1 = static_cast<unsigned char>(json[i + 1]), b2 = static_cast<unsigned char>(json[i + 2]);
      if ((b1 == 0x80 && b2 >= 0xA8 && b2 <= 0xAE) || (b1 == 0x81 && b2 >= 0xA6 && b2 <= 0xA9))
        code = 0x2000 | ((b1 & 0x0F) << 6) | (b2 & 0x3F), length = 3;
    }
    if (!length) {
      out += char(b);
      continue;
    }
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 15];
    i += length - 1;
  }
  return out;
}

size_t BoundedLength(const WCHAR *text, size_t capacity) {
  size_t n = 0;
  while (n < capacity && text[n]) ++n;
  return n;
}

WString Cut(const WString &text, size_t count) { return text.size() > count ? text.substr(0, count) : text; }

WString Trimmed(const WString &text) {
  const size_t from = text.find_first_not_of(Ascii(" \t"));
  return from == WString::npos ? WString() : text.substr(from, text.find_last_not_of(Ascii(" \t")) + 1 - from);
}

LineBuffer::int_type LineBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_ += traits_type::to_char_type(c);
  if (c == '\n') Hand(pending_.size());
  return c;
}

std::streamsize LineBuffer::xsputn(const char *text, std::streamsize n) {
  pending_.append(text, size_t(n));
  const size_t line = pending_.rfind('\n');
  if (line != std::string::npos) Hand(line + 1);
  return n;
}

int LineBuffer::sync() {
  // A lead byte at the end, or followed by fewer continuation bytes than it announces, waits for the rest.
  size_t whole = pending_.size(), lead = whole;
  while (lead > 0 && (static_cast<unsigned char>(pending_[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead > 0) {
    const unsigned char first = static_cast<unsigned char>(pending_[lead - 1]);
    const size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (whole - (lead - 1) < length) whole = lead - 1;
  }
  Hand(whole);
  return 0;
}

void LineBuffer::Hand(size_t bytes) {
  if (bytes == 0) return;
  sink_(pending_.substr(0, bytes));
  pending_.erase(0, bytes);
}

}  // namespace prnset
