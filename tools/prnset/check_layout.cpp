// The file's own layout: what the reader passes over without a word.
#include <map>

#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// A name as the reader compares it, for maps of names already seen.
std::string Folded(const WString &name) {
  WString folded = name;
  for (WCHAR &c : folded)
    if (c >= 'A' && c <= 'Z') c = WCHAR(c + ('a' - 'A'));
  return Utf8(folded);
}

bool IsComment(const WString &name) { return !name.empty() && (name[0] == ';' || name[0] == '#'); }

bool IsDigits(const WString &text, size_t from, size_t to) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

// For a name of the form <prefix><digits><suffix> (letters in any case): the name the loader reads for that
// number. Empty when the name has another form or the number is too large to mean anything.
WString NameForNumber(const WString &name, const char *prefix, const char *suffix) {
  WString p = Ascii(prefix), s = Ascii(suffix);
  if (name.size() <= p.size() + s.size()) return WString();
  if (!SameName(name.substr(0, p.size()), p) || !SameName(name.substr(name.size() - s.size()), s)) return WString();
  size_t end = name.size() - s.size();
  if (!IsDigits(name, p.size(), end) || end - p.size() > 9) return WString();
  long number = std::stol(Utf8(name.substr(p.size(), end - p.size())));
  return Numbered(prefix, number, suffix);
}

// Warns about a numbered name the loader never reads, such as Section1 for Section01.
void CheckNumbering(const WString &name, int line, const char *prefix, const char *suffix, const std::string &where,
                    Findings &findings) {
  WString expected = NameForNumber(name, prefix, suffix);
  if (!expected.empty() && !SameName(expected, name))
    findings.Warning(line, where + Utf8(name) + " is never read: the plug-in looks for " + Utf8(expected));
}

}  // namespace

void CheckFileLayout(const IniFile &ini, Findings &findings) {
  std::map<std::string, int> seenSections;  // folded name -> first header line
  for (const IniFile::Section &section : ini.sections()) {
    WString name = ini.Text(section.name, section.nameLength);
    if (section.line == 0) {
      for (const IniFile::Entry &entry : section.entries)
        if (!IsComment(ini.Text(entry.name, entry.nameLength))) {
          findings.Warning(entry.line, "lines before the first [section] header are never read");
          break;
        }
      continue;
    }
    std::string folded = Folded(name);
    auto first = seenSections.find(folded);
    if (first != seenSections.end()) {
      findings.Warning(section.line, "[" + Utf8(name) + "] appears again (first at line " +
                                         std::to_string(first->second) + "): only the first one is read");
      continue;
    }
    seenSections.emplace(folded, section.line);
    CheckNumbering(name, section.line, "Section", "", "[", findings);

    bool numberSection = !NameForNumber(name, "Section", "").empty();
    bool namesSection = SameName(name, Ascii("SectionNames"));
    std::map<std::string, int> seenKeys;
    for (const IniFile::Entry &entry : section.entries) {
      WString key = ini.Text(entry.name, entry.nameLength);
      if (IsComment(key)) continue;
      const std::string where = "[" + Utf8(name) + "] ";
      if (entry.valueLength == WString::npos) {
        findings.Warning(entry.line, where + Quoted(key) + " has no '=': it reads as a key with an empty value");
      }
      std::string foldedKey = Folded(key);
      auto firstKey = seenKeys.find(foldedKey);
      if (firstKey != seenKeys.end()) {
        findings.Warning(entry.line, where + Utf8(key) + " appears again (first at line " +
                                         std::to_string(firstKey->second) + "): only the first one is read");
        continue;
      }
      seenKeys.emplace(foldedKey, entry.line);
      if (namesSection) CheckNumbering(key, entry.line, "Section", "", where, findings);
      if (numberSection) {
        CheckNumbering(key, entry.line, "Item", "", where, findings);
        CheckNumbering(key, entry.line, "Item", "Instruction", where, findings);
        CheckNumbering(key, entry.line, "Item", "ParameterCount", where, findings);
      }
    }
  }
}

}  // namespace prnset
