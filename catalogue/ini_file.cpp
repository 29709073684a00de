// The settings file's INI reader. One pass over the decoded text records every section header and key line as
// offsets into that text; reads then search the records the way the platform's profile reader searches its own.
#include "catalogue/ini_file.h"

#include <new>

#include "platform/owner.h"

namespace {

typedef std::basic_string<WCHAR> WideText;

// Blanks as the profile reader trims them: tab to carriage return, Ctrl-Z (an old end-of-file mark) and space.
// Wider spaces such as U+00A0 or U+3000 belong to names and values.
bool IsBlank(WCHAR c) { return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20; }

// Names match without regard to case in the ASCII letters only, as the platform's reader compares them.
WCHAR Folded(WCHAR c) { return c >= 'A' && c <= 'Z' ? WCHAR(c + ('a' - 'A')) : c; }

bool SameName(const WCHAR *stored, size_t storedLength, const WCHAR *query, size_t queryLength) {
  if (storedLength != queryLength) return false;
  for (size_t i = 0; i < queryLength; ++i)
    if (Folded(stored[i]) != Folded(query[i])) return false;
  return true;
}

// A caller's section or key name, trimmed as the platform trims it before searching.
struct Name {
  const WCHAR *text;
  size_t length;
};
Name Trimmed(LPCWSTR name) {
  while (IsBlank(*name)) ++name;
  size_t length = 0;
  while (name[length]) ++length;
  while (length > 0 && IsBlank(name[length - 1])) --length;
  return {name, length};
}

// The platform stores names and values as C strings: whatever follows a null character inside a line is lost.
size_t UpToNull(const WideText &text, size_t begin, size_t end) {
  size_t i = begin;
  while (i < end && text[i]) ++i;
  return i - begin;
}

// RtlUnicodeStringToInteger in base 0: leading characters up to the blank skipped, one sign, a "0x", "0o" or "0b"
// prefix (lowercase only), then digits up to the first one that does not belong to the base. The total wraps
// around in 32 bits and is negated for '-'.
UINT ToInteger(const WCHAR *s, size_t n) {
  size_t i = 0;
  while (i < n && s[i] <= ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  UINT base = 10;
  if (n - i >= 2 && s[i] == '0') {
    WCHAR prefix = s[i + 1];
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  UINT total = 0;
  for (; i < n; ++i) {
    WCHAR c = s[i];
    UINT digit = c >= '0' && c <= '9' ? UINT(c - '0')
                 : c >= 'A' && c <= 'Z' ? UINT(c - 'A' + 10)
                 : c >= 'a' && c <= 'z' ? UINT(c - 'a' + 10)
                                        : 99;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}

bool Decoded(UINT codePage, DWORD flags, const BYTE *data, size_t size, WideText &out) {
  out.clear();
  if (size == 0) return true;
  LPCSTR bytes = reinterpret_cast<LPCSTR>(data);
  // The code pages a settings file comes in give at most one UTF-16 unit per byte, so one pass usually decodes it.
  out.resize(size);
  int chars = MultiByteToWideChar(codePage, flags, bytes, int(size), &out[0], int(size));
  if (chars <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    chars = MultiByteToWideChar(codePage, flags, bytes, int(size), nullptr, 0);
    if (chars <= 0) return false;
    out.resize(size_t(chars));
    if (MultiByteToWideChar(codePage, flags, bytes, int(size), &out[0], chars) != chars) return false;
  }
  if (chars <= 0) return false;
  out.resize(size_t(chars));
  return true;
}

}  // namespace

void IniFile::Clear() {
  WideText().swap(text_);
  std::vector<Section>().swap(sections_);
  encoding_ = Encoding::None;
}

bool IniFile::Load(LPCWSTR path, UINT codePage) {
  Clear();
  if (!path) return false;
  UniqueFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || ULONGLONG(size.QuadPart) > kMaxFileBytes)
    return false;
  std::vector<BYTE> bytes;
  try {
    bytes.resize(size_t(size.QuadPart) + 1);  // never empty, so data() is a real buffer
  } catch (const std::bad_alloc &) {
    return false;
  }
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), DWORD(size.QuadPart), &read, nullptr)) return false;
  Parse(bytes.data(), read, codePage);
  return encoding_ != Encoding::None;
}

bool IniFile::Decode(const BYTE *data, size_t size, UINT codePage) {
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
    encoding_ = Encoding::Utf8Bom;
    return Decoded(CP_UTF8, 0, data + 3, size - 3, text_);
  }
  if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
    bool little = data[0] == 0xFF;
    encoding_ = little ? Encoding::Utf16Le : Encoding::Utf16Be;
    size_t chars = (size - 2) / 2;  // an odd last byte is no character
    text_.resize(chars);
    for (size_t i = 0; i < chars; ++i) {
      BYTE first = data[2 + 2 * i], second = data[3 + 2 * i];
      text_[i] = little ? WCHAR(first | second << 8) : WCHAR(second | first << 8);
    }
    return true;
  }
  bool high = false;
  for (size_t i = 0; i < size && !high; ++i) high = data[i] >= 0x80;
  if (!high) {  // ASCII reads alike in every code page
    encoding_ = Encoding::Ansi;
    text_.assign(data, data + size);
    return true;
  }
  // A file saved as UTF-8 without a mark is read as such; anything that is not valid UTF-8 throughout is taken to
  // be in the ANSI code page, as the platform takes every unmarked file.
  if (Decoded(CP_UTF8, MB_ERR_INVALID_CHARS, data, size, text_)) {
    encoding_ = Encoding::Utf8;
    return true;
  }
  encoding_ = Encoding::Ansi;
  return Decoded(codePage, 0, data, size, text_);
}

void IniFile::Parse(const BYTE *data, size_t size, UINT codePage) {
  Clear();
  if (!data || size > kMaxFileBytes) return;
  try {
    if (!Decode(data, size, codePage)) {
      Clear();
      return;
    }
    // Lines end at CR LF, a lone LF or a lone CR.
    const size_t end = text_.size();
    int line = 1;
    for (size_t pos = 0; pos < end; ++line) {
      size_t begin = pos;
      while (pos < end && text_[pos] != '\r' && text_[pos] != '\n') ++pos;
      ParseLine(begin, pos, line);
      if (pos < end) pos += text_[pos] == '\r' && pos + 1 < end && text_[pos + 1] == '\n' ? 2 : 1;
    }
  } catch (const std::bad_alloc &) {
    Clear();
  }
}

void IniFile::ParseLine(size_t begin, size_t end, int line) {
  while (begin < end && IsBlank(text_[begin])) ++begin;
  while (end > begin && IsBlank(text_[end - 1])) --end;
  if (begin == end) return;

  // A section header runs from '[' to the last ']' of the line; text after it is ignored. A '[' without a
  // closing ']' makes an ordinary key line.
  if (text_[begin] == '[') {
    size_t close = end;
    while (close > begin + 1 && text_[close - 1] != ']') --close;
    if (close > begin + 1) {
      size_t name = begin + 1, nameEnd = close - 1;
      while (name < nameEnd && IsBlank(text_[name])) ++name;
      while (nameEnd > name && IsBlank(text_[nameEnd - 1])) --nameEnd;
      sections_.push_back(Section{name, UpToNull(text_, name, nameEnd), line, {}});
      return;
    }
  }

  // Everything up to the first '=' is the key, the rest its value; a line without '=' is a key with no value.
  // There is no comment syntax: ";x=1" is the key ";x".
  size_t equals = begin;
  while (equals < end && text_[equals] != '=') ++equals;
  size_t nameEnd = equals;
  while (nameEnd > begin && IsBlank(text_[nameEnd - 1])) --nameEnd;
  Entry entry{begin, UpToNull(text_, begin, nameEnd), end, WideText::npos, line};
  if (equals < end) {
    size_t value = equals + 1;
    while (value < end && IsBlank(text_[value])) ++value;
    entry.value = value;
    entry.valueLength = UpToNull(text_, value, end);
  }
  if (sections_.empty()) sections_.push_back(Section{0, 0, 0, {}});
  sections_.back().entries.push_back(entry);
}

const IniFile::Entry *IniFile::Find(LPCWSTR section, LPCWSTR key) const {
  if (!section || !key) return nullptr;
  Name wantedSection = Trimmed(section), wantedKey = Trimmed(key);
  for (const Section &candidate : sections_) {
    // The platform keeps the keys before the first header in a nameless section that always comes first, so an
    // empty section name never reaches a later "[]".
    if (wantedSection.length == 0 && candidate.line != 0) return nullptr;
    if (!SameName(text_.data() + candidate.name, candidate.nameLength, wantedSection.text, wantedSection.length))
      continue;
    for (const Entry &entry : candidate.entries)
      if (SameName(text_.data() + entry.name, entry.nameLength, wantedKey.text, wantedKey.length)) return &entry;
    return nullptr;  // only the first section of a name is searched, and its first key of a name wins
  }
  return nullptr;
}

DWORD IniFile::ReadString(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const {
  if (!buffer || capacity == 0) return 0;
  buffer[0] = 0;
  const Entry *entry = Find(section, key);
  if (!entry || entry->valueLength == WideText::npos) return 0;
  size_t value = entry->value, length = entry->valueLength;
  // One pair of matching quotes around the whole value is dropped; a lone quote character is a value.
  WCHAR first = length ? text_[value] : 0;
  if (length >= 2 && (first == '"' || first == '\'') && text_[value + length - 1] == first) {
    ++value;
    length -= 2;
  }
  if (length > capacity - 1) length = capacity - 1;
  for (size_t i = 0; i < length; ++i) buffer[i] = text_[value + i];
  buffer[length] = 0;
  return DWORD(length);
}

UINT IniFile::ReadInt(LPCWSTR section, LPCWSTR key, INT defaultValue) const {
  WCHAR text[30];  // the platform reads the number as text into 30 characters
  DWORD length = ReadString(section, key, text, ARRAYSIZE(text));
  return length ? ToInteger(text, length) : UINT(defaultValue);
}

int IniFile::LineOf(LPCWSTR section, LPCWSTR key) const {
  const Entry *entry = Find(section, key);
  return entry ? entry->line : 0;
}
