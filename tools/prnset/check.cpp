#include "tools/prnset/check.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

const char *EncodingName(const IniFile &ini, const ToolLanguage &language, bool bothLanguages, std::string &name) {
  switch (ini.encoding()) {
    case IniFile::Encoding::Utf16Le: return "UTF-16 little-endian with byte order mark";
    case IniFile::Encoding::Utf16Be: return "UTF-16 big-endian with byte order mark";
    case IniFile::Encoding::Utf8Bom: return "UTF-8 with byte order mark";
    case IniFile::Encoding::Utf8: return "UTF-8 without byte order mark";
    case IniFile::Encoding::None: return "unreadable";
    case IniFile::Encoding::Ansi: break;
  }
  // An unmarked file that is not UTF-8: plain ASCII reads alike everywhere, anything else in the ANSI code page.
  bool ascii = true;
  for (const IniFile::Section &section : ini.sections()) {
    for (WCHAR c : ini.Text(section.name, section.nameLength)) ascii = ascii && c < 0x80;
    for (const IniFile::Entry &entry : section.entries) {
      for (WCHAR c : ini.Text(entry.name, entry.nameLength)) ascii = ascii && c < 0x80;
      if (entry.valueLength != std::basic_string<WCHAR>::npos)
        for (WCHAR c : ini.Text(entry.value, entry.valueLength)) ascii = ascii && c < 0x80;
    }
  }
  if (ascii) return "plain ASCII (reads alike in every code page)";
  name = "ANSI, read in code page " + std::to_string(language.load.codePage) +
         (language.load.codePage == kChineseCodePage || bothLanguages
              ? ""
              : " (Chinese texts saved in code page 936 need --lang cn)");
  return name.c_str();
}

}  // namespace

void Findings::Add(int line, const char *code, const std::string &message, int column) {
  const FindingKind *kind = KindOf(code);
  Finding finding{line, kind ? kind->severity : Severity::Error, code, message};
  finding.column = column;
  Add(finding);
}

void Findings::Add(const Finding &finding) {
  // Items that share a key share their rule: the same finding is told once.
  if (!told_.insert({finding.line, finding.code, finding.message}).second) return;
  list_.push_back(finding);
}

int Findings::Count(Severity severity) const {
  int n = 0;
  for (const Finding &finding : list_) n += finding.severity == severity;
  return n;
}

void Findings::DropClaimed(const std::vector<std::string> &codes) {
  std::vector<Finding> kept;
  for (const Finding &finding : list_) {
    bool drop = Claimed(finding.line) && std::find(codes.begin(), codes.end(), finding.code) != codes.end();
    if (!drop) kept.push_back(finding);
  }
  list_.swap(kept);
}

bool CheckFileContent(const std::vector<BYTE> &bytes, Findings &findings) {
  size_t blanks = 0;
  for (BYTE b : bytes) blanks += b == ' ' || b == '\t' || b == '\r' || b == '\n';
  if (blanks == bytes.size()) {
    findings.Add(0, "file-empty", "the file is empty: the page shows no classes");
    return false;
  }
  if (bytes.size() > IniFile::kMaxFileBytes) {
    findings.Add(0, "file-too-large", "the file is larger than " + std::to_string(IniFile::kMaxFileBytes >> 20) +
                                            " MB: the plug-in reads none of it, and the page shows no classes");
    return false;
  }
  const bool utf16Mark = bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
  if (utf16Mark) return true;
  // Text without a mark has no null bytes; UTF-16 without one has them in every other byte.
  size_t nullsEven = 0, nullsOdd = 0, controls = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    BYTE b = bytes[i];
    if (b == 0) ++(i % 2 ? nullsOdd : nullsEven);
    else if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v' && b != 0x1A) || b == 0x7F)
      ++controls;
  }
  const size_t nulls = nullsEven + nullsOdd, half = (bytes.size() + 1) / 2;
  if (nulls > 0 && (nullsOdd * 10 >= half * 9 || nullsEven * 10 >= half * 9)) {
    findings.Add(0, "file-utf16-no-bom",
                   std::string("the file is UTF-16 (") + (nullsOdd > nullsEven ? "little" : "big") +
                       "-endian) without a byte order mark: the plug-in reads it as ANSI, finds no sections, and the "
                       "page shows no classes; save it as UTF-16 with a byte order mark");
    return false;
  }
  // A stray control character is a fault of one line, told where it stands; many of them are no text at all.
  if (nulls > 0 || controls > 64 || (controls > 8 && controls * 20 > bytes.size())) {
    findings.Add(0, "file-binary",
                   "the file is not text (" + std::to_string(nulls + controls) +
                       " null or control bytes): the page shows whatever sections happen to read from it");
    return false;
  }
  return true;
}

const std::vector<std::string> kClaimableCodes = {"unknown-key", "unknown-section", "no-equals", "misnumbered",
                                                  "duplicate-key"};

Findings CheckSettingsFile(const CheckedFile &file) {
  Findings findings;
  std::string name;
  findings.Add(0, "encoding", std::string("encoding: ") + EncodingName(file.ini, file.language, file.bothLanguages, name));
  CheckFileLayout(file.ini, findings);
  const std::vector<WString> misspelt = CheckMisspeltClassKeys(file, findings);
  CheckCatalogueWalk(file, misspelt, findings);
  CheckSettingsSection(file.ini, findings);
  CheckUnknownNames(file, findings);
  CheckTexts(file, findings);
  // A misspelt name is told as the name it should have been; its line tells nothing more.
  findings.DropClaimed(kClaimableCodes);
  return findings;
}

std::vector<Finding> MergeLanguages(const std::vector<Finding> &english, const std::vector<Finding> &chinese) {
  // The Chinese reading's findings by what they say, each told once with the English one that says the same.
  std::map<std::tuple<int, Severity, std::string, std::string>, std::vector<size_t>> unmatched;
  for (size_t i = chinese.size(); i-- > 0;)
    unmatched[{chinese[i].line, chinese[i].severity, chinese[i].code, chinese[i].message}].push_back(i);
  std::vector<Finding> merged;
  std::vector<bool> matched(chinese.size(), false);
  for (const Finding &finding : english) {
    Finding told = finding;
    auto same = unmatched.find({finding.line, finding.severity, finding.code, finding.message});
    if (same != unmatched.end() && !same->second.empty()) {
      size_t i = same->second.back();
      same->second.pop_back();
      matched[i] = true;
      // Told by both readings: it concerns both, unless both readings tell it about the same language's texts.
      if (told.language != chinese[i].language) told.language = FindingLanguage::Both;
    }
    merged.push_back(told);
  }
  for (size_t i = 0; i < chinese.size(); ++i)
    if (!matched[i]) merged.push_back(chinese[i]);
  std::stable_sort(merged.begin(), merged.end(), [](const Finding &a, const Finding &b) { return a.line < b.line; });
  return merged;
}

namespace {
// Names as the reader compares them: ASCII letters without regard to case.
std::string Folded(const WString &name) {
  std::string out = Utf8(name);
  for (char &c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}
}  // namespace

void LoadAccount::Read(const LoadRead &read) {
  byField_[{int(read.name.field), read.sectionNumber, read.itemNumber}] = reads.size();
  reads.push_back({read.name.field, read.section, read.key, read.sectionNumber, read.itemNumber,
                   read.text ? WString(read.text) : WString(), read.value, read.line, read.name.width});
  names_.insert({Folded(read.section), Folded(read.key)});
  sectionNames_.insert(Folded(read.section));
}

const LoadAccount::Reading *LoadAccount::Find(FileField field, LONG n, LONG m) const {
  auto found = byField_.find({int(field), n, m});
  return found == byField_.end() ? nullptr : &reads[found->second];
}

bool LoadAccount::ReadName(const WString &section, const WString &key) const {
  return names_.count({Folded(section), Folded(key)}) != 0;
}

bool LoadAccount::ReadSection(const WString &section) const { return sectionNames_.count(Folded(section)) != 0; }

}  // namespace prnset
