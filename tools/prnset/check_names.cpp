#include "tools/prnset/check_names.h"

#include <vector>

namespace prnset {

namespace {
WCHAR Folded(WCHAR c) { return c >= 'A' && c <= 'Z' ? WCHAR(c + ('a' - 'A')) : c; }
}  // namespace

bool SameName(const WString &a, const WString &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

WString Numbered(const char *prefix, long number, const char *suffix) {
  std::string digits = std::to_string(number);
  if (number >= 0 && digits.size() < 2) digits = "0" + digits;
  return Ascii(prefix) + Ascii(digits.c_str()) + Ascii(suffix);
}

WString ReadWhole(const IniFile &ini, const WString &section, const WString &key) {
  // No value can be longer than the file's text; grow until the read is not cut.
  std::vector<WCHAR> buffer(512);
  for (;;) {
    DWORD n = ini.ReadString(section.c_str(), key.c_str(), buffer.data(), DWORD(buffer.size()));
    if (n + 1 < buffer.size() || buffer.size() > IniFile::kMaxFileBytes) return WString(buffer.data(), n);
    buffer.resize(buffer.size() * 4);
  }
}

int SectionLine(const IniFile &ini, const WString &section) {
  for (const IniFile::Section &candidate : ini.sections())
    if (SameName(ini.Text(candidate.name, candidate.nameLength), section) && !(candidate.line == 0 && !section.empty()))
      return candidate.line;
  return -1;
}

std::string Place(const WString &section, const WString &key) { return "[" + Utf8(section) + "] " + Utf8(key); }

std::string Quoted(const WString &text) {
  constexpr size_t kShown = 60;
  if (text.size() <= kShown) return "\"" + Utf8(text) + "\"";
  return "\"" + Utf8(text.substr(0, kShown)) + "...\"";
}

}  // namespace prnset
