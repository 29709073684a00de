// The settings file's INI reader: the file is parsed once per load and every read of that load is served from the
// parsed form, with the semantics of the platform's GetPrivateProfileStringW / GetPrivateProfileIntW.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

class IniFile {
 public:
  // How the text of the file was decoded. Utf8 is a file without a byte order mark that is valid UTF-8 and holds
  // bytes above 127: the platform's own reader would take it as ANSI. A file of plain ASCII (or an empty file)
  // counts as Ansi, since every code page reads it alike. None: nothing was read.
  enum class Encoding { None, Utf16Le, Utf16Be, Utf8Bom, Utf8, Ansi };

  // Larger files are refused as unreadable: no settings file comes near this, and a runaway file must not take
  // the process's memory.
  static constexpr size_t kMaxFileBytes = 16u << 20;

  // Parses the file; a missing or unreadable file leaves an empty file (every read gives its default). Returns
  // whether the file could be read. `codePage` decodes files that are neither UTF-16 nor UTF-8.
  bool Load(LPCWSTR path, UINT codePage);
  // Parses bytes already in memory, as Load does.
  void Parse(const BYTE *data, size_t size, UINT codePage);

  // GetPrivateProfileStringW: copies the key's value, cut to capacity - 1 characters, and returns the number of
  // characters copied. `defaultText` (null reads as empty) stands in for a missing file, section or key and for a
  // key whose line has no '='; a key with an empty value gives an empty text. The default loses its trailing
  // spaces (never its first character) and the quotes around it, as a value does. A null section or key reads as
  // missing.
  DWORD ReadString(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity, LPCWSTR defaultText) const;
  // The same with an empty default.
  DWORD ReadString(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const {
    return ReadString(section, key, buffer, capacity, nullptr);
  }
  // GetPrivateProfileIntW: the default for a missing or empty value, otherwise the value as the platform converts it.
  UINT ReadInt(LPCWSTR section, LPCWSTR key, INT defaultValue) const;

  Encoding encoding() const { return encoding_; }
  // 1-based line of the key that ReadString would use, or 0 when there is none.
  int LineOf(LPCWSTR section, LPCWSTR key) const;

  // Sections and keys in file order, for the settings-file tool. Names are trimmed and end at a null character, as
  // the platform compares them; values are trimmed and keep their quotes. Keys before the first section header
  // belong to a first section with an empty name and line 0, present only when there are such keys.
  struct Entry {
    size_t name, nameLength;    // into the decoded text
    size_t value, valueLength;  // valueLength npos: a line without '='
    int line;
    unsigned nameHash;  // of the name without regard to case, so that a search compares few names
  };
  struct Section {
    size_t name, nameLength;
    int line;
    std::vector<Entry> entries;
    unsigned nameHash;
  };
  const std::vector<Section> &sections() const { return sections_; }
  // The first section of a name that stands under a header (the one every read of that name is served from), or
  // null; found through an index, so that a file of many sections is searched in constant time.
  const Section *FirstSection(const WCHAR *name, size_t length) const;
  // The decoded text at `offset`, at most `length` characters of it.
  std::basic_string<WCHAR> Text(size_t offset, size_t length) const;
  // 1-based column of the decoded text's `offset` on its line.
  int ColumnOf(size_t offset) const;
  // Lines of the file that end in a lead byte of the ANSI code page, which takes the line end with it: the next
  // line reads as part of this one.
  const std::vector<int> &JoinedLines() const { return joinedLines_; }

  IniFile() = default;
  ~IniFile();
  IniFile(IniFile &&other) noexcept;
  IniFile &operator=(IniFile &&other) noexcept;
  IniFile(const IniFile &) = delete;
  IniFile &operator=(const IniFile &) = delete;

 private:
  // A block that grows and is never cleared: the file's bytes, or its decoded text.
  template <typename T>
  struct Storage {
    std::unique_ptr<T[]> data;
    size_t capacity = 0;
    bool Reserve(size_t count);  // false when there is no memory
  };

  void Clear();
  bool Decode(const BYTE *data, size_t size, UINT codePage);
  bool DecodeWith(UINT codePage, DWORD flags, const BYTE *data, size_t size);
  void ParseLine(size_t begin, size_t end, int line, bool hasNull);
  void IndexSections();
  const Entry *Find(LPCWSTR section, LPCWSTR key) const;
  void GiveStorageBack();

  Storage<BYTE> bytes_;  // only while a file is being read
  Storage<WCHAR> text_;
  size_t textLength_ = 0;
  std::vector<Section> sections_;
  std::unordered_multimap<unsigned, size_t> firstOfName_;  // name hash to the first section of each name
  std::vector<int> joinedLines_;
  Encoding encoding_ = Encoding::None;
};
