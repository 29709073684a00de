// The settings file's INI reader. One pass over the decoded text records every section header and key line as
// offsets into that text; reads then search the records the way the platform's profile reader searches its own.
#include "catalogue/ini_file.h"

#include <cstdint>
#include <cstring>
#include <mutex>
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

// FNV-1a over the folded name: equal names (in the platform's sense) hash alike.
unsigned NameHash(const WCHAR *name, size_t length) {
  unsigned hash = 2166136261u;
  for (size_t i = 0; i < length; ++i) hash = (hash ^ Folded(name[i])) * 16777619u;
  return hash;
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
size_t UpToNull(const WCHAR *text, size_t begin, size_t end) {
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

// The end of the line that starts at `pos`: its first CR or LF, or `end`. `hasNull` tells whether a null character
// comes before it. Four characters are looked at at once while none of them is below 14 (CR, LF and null are),
// which is most of a long value.
size_t LineEnd(const WCHAR *text, size_t pos, size_t end, bool &hasNull) {
  hasNull = false;
  for (;;) {
    for (; pos + 4 <= end; pos += 4) {
      uint64_t four;
      std::memcpy(&four, text + pos, sizeof(four));
      if (((four - 0x000E000E000E000EULL) & ~four & 0x8000800080008000ULL) != 0) break;
    }
    const size_t stop = pos + 4 < end ? pos + 4 : end;
    for (; pos < stop; ++pos) {
      WCHAR c = text[pos];
      if (c == '\r' || c == '\n') return pos;
      if (c == 0) hasNull = true;
    }
    if (pos >= end) return end;
  }
}

// True when the bytes hold a sequence that no UTF-8 reader accepts: a byte that cannot start a sequence, or a
// start byte without the continuation bytes it announces. Files in an ANSI code page usually show one at their
// first byte above 127, which spares the strict conversion of the whole file (as dear as reading it). The finer
// rules (overlong forms, surrogates) are left to that conversion.
bool CannotBeUtf8(const BYTE *data, size_t size) {
  for (size_t i = 0; i < size;) {
    BYTE lead = data[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t follow = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2 : lead >= 0xF0 && lead <= 0xF4 ? 3 : 0;
    if (follow == 0 || size - i <= follow) return true;
    for (size_t k = 1; k <= follow; ++k)
      if ((data[i + k] & 0xC0) != 0x80) return true;
    i += follow + 1;
  }
  return false;
}

// The platform's default text: trailing spaces dropped, though never its first character.
size_t DefaultLength(LPCWSTR text) {
  size_t length = 0;
  while (text[length]) ++length;
  while (length > 1 && text[length - 1] == ' ') --length;
  return length;
}

// The storage of the last file read, kept for the next one. A page opened again reads the same file, and blocks of
// this size are fresh memory from the system every time, which costs more than reading the file; one block of
// each kind is kept, up to kSpareLimit bytes.
constexpr size_t kSpareLimit = 4u << 20;
struct Spare {
  std::mutex lock;
  std::unique_ptr<BYTE[]> bytes;
  size_t bytesCapacity = 0;
  std::unique_ptr<WCHAR[]> text;
  size_t textCapacity = 0;
};
Spare &TheSpare() {
  static Spare spare;
  return spare;
}

// Takes the spare block when it is large enough.
template <typename T>
bool TakeSpare(std::unique_ptr<T[]> &spare, size_t &spareCapacity, std::unique_ptr<T[]> &data, size_t &capacity,
               size_t count) {
  if (!spare || spareCapacity < count) return false;
  data = std::move(spare);
  capacity = spareCapacity;
  spareCapacity = 0;
  return true;
}

template <typename T>
void KeepSpare(std::unique_ptr<T[]> &spare, size_t &spareCapacity, std::unique_ptr<T[]> &data, size_t &capacity) {
  if (data && capacity * sizeof(T) <= kSpareLimit && capacity > spareCapacity) {
    spare = std::move(data);
    spareCapacity = capacity;
  }
  data.reset();
  capacity = 0;
}

bool TakeSpareFor(std::unique_ptr<BYTE[]> &data, size_t &capacity, size_t count) {
  Spare &spare = TheSpare();
  std::lock_guard<std::mutex> guard(spare.lock);
  return TakeSpare(spare.bytes, spare.bytesCapacity, data, capacity, count);
}
bool TakeSpareFor(std::unique_ptr<WCHAR[]> &data, size_t &capacity, size_t count) {
  Spare &spare = TheSpare();
  std::lock_guard<std::mutex> guard(spare.lock);
  return TakeSpare(spare.text, spare.textCapacity, data, capacity, count);
}

}  // namespace

template <typename T>
bool IniFile::Storage<T>::Reserve(size_t count) {
  if (count <= capacity) return true;
  data.reset();
  capacity = 0;
  if (TakeSpareFor(data, capacity, count)) return true;
  data.reset(new (std::nothrow) T[count]);
  if (!data) return false;
  capacity = count;
  return true;
}

IniFile::~IniFile() { GiveStorageBack(); }

IniFile::IniFile(IniFile &&other) noexcept { *this = std::move(other); }

IniFile &IniFile::operator=(IniFile &&other) noexcept {
  if (this == &other) return *this;
  GiveStorageBack();
  bytes_ = std::move(other.bytes_);
  text_ = std::move(other.text_);
  textLength_ = other.textLength_;
  sections_ = std::move(other.sections_);
  firstOfName_ = std::move(other.firstOfName_);
  joinedLines_ = std::move(other.joinedLines_);
  encoding_ = other.encoding_;
  other.bytes_.capacity = other.text_.capacity = 0;
  other.Clear();
  return *this;
}

void IniFile::GiveStorageBack() {
  Spare &spare = TheSpare();
  std::lock_guard<std::mutex> guard(spare.lock);
  KeepSpare(spare.bytes, spare.bytesCapacity, bytes_.data, bytes_.capacity);
  KeepSpare(spare.text, spare.textCapacity, text_.data, text_.capacity);
}

void IniFile::Clear() {
  textLength_ = 0;
  std::vector<Section>().swap(sections_);
  std::unordered_multimap<unsigned, size_t>().swap(firstOfName_);
  std::vector<int>().swap(joinedLines_);
  encoding_ = Encoding::None;
}

std::basic_string<WCHAR> IniFile::Text(size_t offset, size_t length) const {
  if (offset >= textLength_) return {};
  if (length > textLength_ - offset) length = textLength_ - offset;
  return std::basic_string<WCHAR>(text_.data.get() + offset, length);
}

int IniFile::ColumnOf(size_t offset) const {
  if (offset > textLength_) offset = textLength_;
  size_t start = offset;
  while (start > 0 && text_.data[start - 1] != WCHAR('\n') && text_.data[start - 1] != WCHAR('\r')) --start;
  return int(offset - start) + 1;
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
  if (!bytes_.Reserve(size_t(size.QuadPart) + 1)) return false;  // never empty, so the buffer is a real one
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes_.data.get(), DWORD(size.QuadPart), &read, nullptr)) return false;
  Parse(bytes_.data.get(), read, codePage);
  return encoding_ != Encoding::None;
}

// Decodes the whole of `data` into the text at once. The code pages a settings file comes in give at most one
// UTF-16 unit per byte; should one give more, the text grows to what the conversion asks for.
bool IniFile::DecodeWith(UINT codePage, DWORD flags, const BYTE *data, size_t size) {
  textLength_ = 0;
  if (size == 0) return true;
  LPCSTR bytes = reinterpret_cast<LPCSTR>(data);
  if (!text_.Reserve(size)) return false;
  int chars = MultiByteToWideChar(codePage, flags, bytes, int(size), text_.data.get(), int(size));
  if (chars <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    chars = MultiByteToWideChar(codePage, flags, bytes, int(size), nullptr, 0);
    if (chars <= 0 || !text_.Reserve(size_t(chars))) return false;
    if (MultiByteToWideChar(codePage, flags, bytes, int(size), text_.data.get(), chars) != chars) return false;
  }
  if (chars <= 0) return false;
  textLength_ = size_t(chars);
  return true;
}

bool IniFile::Decode(const BYTE *data, size_t size, UINT codePage) {
  textLength_ = 0;
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
    encoding_ = Encoding::Utf8Bom;
    return DecodeWith(CP_UTF8, 0, data + 3, size - 3);
  }
  if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
    bool little = data[0] == 0xFF;
    encoding_ = little ? Encoding::Utf16Le : Encoding::Utf16Be;
    size_t chars = (size - 2) / 2;  // an odd last byte is no character
    if (!text_.Reserve(chars ? chars : 1)) return false;
    WCHAR *text = text_.data.get();
    const BYTE *units = data + 2;
    for (size_t i = 0; i < chars; ++i, units += 2)
      text[i] = little ? WCHAR(units[0] | units[1] << 8) : WCHAR(units[1] | units[0] << 8);
    textLength_ = chars;
    return true;
  }
  bool high = false;
  for (size_t i = 0; i < size && !high; ++i) high = data[i] >= 0x80;
  if (!high) {  // ASCII reads alike in every code page
    encoding_ = Encoding::Ansi;
    if (!text_.Reserve(size ? size : 1)) return false;
    WCHAR *text = text_.data.get();
    for (size_t i = 0; i < size; ++i) text[i] = data[i];
    textLength_ = size;
    return true;
  }
  // A file saved as UTF-8 without a mark is read as such; anything that is not valid UTF-8 throughout is taken to
  // be in the ANSI code page, as the platform takes every unmarked file.
  if (!CannotBeUtf8(data, size) && DecodeWith(CP_UTF8, MB_ERR_INVALID_CHARS, data, size)) {
    encoding_ = Encoding::Utf8;
    return true;
  }
  encoding_ = Encoding::Ansi;
  return DecodeWith(codePage, 0, data, size);
}

namespace {

// The file's own line of each line of the decoded text, when they differ: the platform's decoder lets a lead byte of
// a double-byte code page take the byte after it, a line end too, which joins two of the file's lines into one line
// of the text. Empty when no line end was taken; `joined` gets the lines whose end was.
std::vector<int> FileLines(const BYTE *data, size_t size, UINT codePage, std::vector<int> &joined) {
  std::vector<int> lines(1, 1);
  int line = 1;
  for (size_t i = 0; i < size; ++i) {
    const BYTE b = data[i];
    if (IsDBCSLeadByteEx(codePage, b) && i + 1 < size && data[i + 1] != 0) {
      ++i;
      // A lone LF or CR taken ends no line of the text; a CR taken before an LF leaves the LF to end it.
      if (data[i] == '\n' || (data[i] == '\r' && !(i + 1 < size && data[i + 1] == '\n'))) joined.push_back(line++);
      continue;
    }
    if (b == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
    if (b == '\r' || b == '\n') lines.push_back(++line);
  }
  return joined.empty() ? std::vector<int>() : lines;
}

}  // namespace

void IniFile::Parse(const BYTE *data, size_t size, UINT codePage) {
  Clear();
  if (!data || size > kMaxFileBytes) return;
  try {
    if (!Decode(data, size, codePage)) {
      Clear();
      return;
    }
    // Lines end at CR LF, a lone LF or a lone CR; each is numbered as the file's line it starts on.
    const std::vector<int> fileLines =
        encoding_ == Encoding::Ansi ? FileLines(data, size, codePage, joinedLines_) : std::vector<int>();
    const WCHAR *text = text_.data.get();
    const size_t end = textLength_;
    int line = 1;
    for (size_t pos = 0; pos < end; ++line) {
      size_t begin = pos;
      bool hasNull;
      pos = LineEnd(text, pos, end, hasNull);
      ParseLine(begin, pos, size_t(line) <= fileLines.size() ? fileLines[size_t(line) - 1] : line, hasNull);
      if (pos < end) pos += text[pos] == '\r' && pos + 1 < end && text[pos + 1] == '\n' ? 2 : 1;
    }
    IndexSections();
  } catch (const std::bad_alloc &) {
    Clear();
  }
}

void IniFile::ParseLine(size_t begin, size_t end, int line, bool hasNull) {
  const WCHAR *text = text_.data.get();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return;

  // A section header runs from '[' to the last ']' of the line; text after it is ignored. A '[' without a
  // closing ']' makes an ordinary key line.
  if (text[begin] == '[') {
    size_t close = end;
    while (close > begin + 1 && text[close - 1] != ']') --close;
    if (close > begin + 1) {
      size_t name = begin + 1, nameEnd = close - 1;
      while (name < nameEnd && IsBlank(text[name])) ++name;
      while (nameEnd > name && IsBlank(text[nameEnd - 1])) --nameEnd;
      size_t length = hasNull ? UpToNull(text, name, nameEnd) : nameEnd - name;
      sections_.push_back(Section{name, length, line, {}, NameHash(text + name, length)});
      return;
    }
  }

  // Everything up to the first '=' is the key, the rest its value; a line without '=' is a key with no value.
  // There is no comment syntax: ";x=1" is the key ";x".
  size_t equals = begin;
  while (equals < end && text[equals] != '=') ++equals;
  size_t nameEnd = equals;
  while (nameEnd > begin && IsBlank(text[nameEnd - 1])) --nameEnd;
  size_t nameLength = hasNull ? UpToNull(text, begin, nameEnd) : nameEnd - begin;
  Entry entry{begin, nameLength, end, WideText::npos, line, NameHash(text + begin, nameLength)};
  if (equals < end) {
    size_t value = equals + 1;
    while (value < end && IsBlank(text[value])) ++value;
    entry.value = value;
    entry.valueLength = hasNull ? UpToNull(text, value, end) : end - value;
  }
  if (sections_.empty()) sections_.push_back(Section{0, 0, 0, {}, NameHash(nullptr, 0)});
  sections_.back().entries.push_back(entry);
}

void IniFile::IndexSections() {
  firstOfName_.reserve(sections_.size());
  for (size_t i = 0; i < sections_.size(); ++i) {
    const Section &section = sections_[i];
    if (section.line != 0 && !FirstSection(text_.data.get() + section.name, section.nameLength))
      firstOfName_.emplace(section.nameHash, i);
  }
}

const IniFile::Section *IniFile::FirstSection(const WCHAR *name, size_t length) const {
  const auto range = firstOfName_.equal_range(NameHash(name, length));
  for (auto it = range.first; it != range.second; ++it) {
    const Section &candidate = sections_[it->second];
    if (SameName(text_.data.get() + candidate.name, candidate.nameLength, name, length)) return &candidate;
  }
  return nullptr;
}

const IniFile::Entry *IniFile::Find(LPCWSTR section, LPCWSTR key) const {
  if (!section || !key) return nullptr;
  Name wantedSection = Trimmed(section), wantedKey = Trimmed(key);
  // The platform keeps the keys before the first header in a nameless section that always comes first, so an
  // empty section name never reaches a later "[]". Only the first section of a name is searched.
  const Section *found = nullptr;
  if (wantedSection.length != 0)
    found = FirstSection(wantedSection.text, wantedSection.length);
  else if (!sections_.empty() && sections_[0].line == 0)
    found = &sections_[0];
  if (!found) return nullptr;
  const unsigned keyHash = NameHash(wantedKey.text, wantedKey.length);
  const WCHAR *text = text_.data.get();
  for (const Entry &entry : found->entries)  // its first key of a name wins
    if (entry.nameHash == keyHash && SameName(text + entry.name, entry.nameLength, wantedKey.text, wantedKey.length))
      return &entry;
  return nullptr;
}

DWORD IniFile::ReadString(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity, LPCWSTR defaultText) const {
  if (!buffer || capacity == 0) return 0;
  buffer[0] = 0;
  if (!defaultText) defaultText = WTEXT("");
  const Entry *entry = Find(section, key);
  const WCHAR *value;
  size_t length;
  if (entry && entry->valueLength != WideText::npos) {
    value = text_.data.get() + entry->value;
    length = entry->valueLength;
  } else {
    value = defaultText;
    length = DefaultLength(defaultText);
  }
  // One pair of matching quotes around the whole value (or default) is dropped; a lone quote character is a value.
  WCHAR first = length ? value[0] : 0;
  if (length >= 2 && (first == '"' || first == '\'') && value[length - 1] == first) {
    ++value;
    length -= 2;
  }
  if (length > capacity - 1) length = capacity - 1;
  std::memcpy(buffer, value, length * sizeof(WCHAR));
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
