#include "tools/prnset/check.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "tools/prnset/check_names.h"
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

const char *EncodingName(const IniFile &ini, const std::vector<BYTE> &bytes, const ToolLanguage &language,
                         bool bothLanguages, std::string &name) {
  switch (ini.encoding()) {
    case IniFile::Encoding::Utf16Le: return "UTF-16 little-endian with byte order mark";
    case IniFile::Encoding::Utf16Be: return "UTF-16 big-endian with byte order mark";
    case IniFile::Encoding::Utf8Bom: return "UTF-8 with byte order mark";
    case IniFile::Encoding::Utf8: return "UTF-8 without byte order mark";
    case IniFile::Encoding::None: return "unreadable";
    case IniFile::Encoding::Ansi: break;
  }
  // An unmarked file that is not UTF-8: plain ASCII reads alike everywhere, anything else in the ANSI code page. The
  // bytes tell, not the text a code page made of them (bytes of no character read as '?').
  if (std::all_of(bytes.begin(), bytes.end(), [](BYTE b) { return b < 0x80; }))
    return "plain ASCII (reads alike in every code page)";
  name = "ANSI, read in code page " + std::to_string(language.load.codePage) +
         (language.load.codePage == kChineseCodePage || bothLanguages
              ? ""
              : " (Chinese texts saved in code page 936 need --lang cn)");
  return name.c_str();
}

}  // namespace

namespace {

// A message that quotes a name of megabytes (a header or key a broken program wrote on one line) is cut in its
// middle: its start names the place, its end gives the advice.
std::string Bounded(const std::string &message) {
  constexpr size_t kLongest = 2000, kHead = 1200, kTail = 400;
  if (message.size() <= kLongest) return message;
  auto boundary = [&](size_t at) {  // not inside a character of UTF-8
    while (at > 0 && (static_cast<unsigned char>(message[at]) & 0xC0) == 0x80) --at;
    return at;
  };
  const size_t head = boundary(kHead), tail = boundary(message.size() - kTail);
  return message.substr(0, head) + " ... (" + std::to_string(tail - head) + " bytes left out) ... " +
         message.substr(tail);
}

}  // namespace

void Findings::Add(int line, const char *code, const std::string &message, int column) {
  const FindingKind *kind = KindOf(code);
  Finding finding{line, kind ? kind->severity : Severity::Error, code, Bounded(message)};
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

bool Findings::Told(int line, const std::string &code) const {
  return std::any_of(list_.begin(), list_.end(),
                     [&](const Finding &finding) { return finding.line == line && finding.code == code; });
}

void Findings::Fold(const std::string &code, const std::function<std::string(const Finding &, size_t)> &say) {
  std::vector<Finding> kept;
  size_t count = 0, first = 0;
  for (const Finding &finding : list_) {
    if (finding.code == code && count++ > 0) continue;
    if (finding.code == code) first = kept.size();
    kept.push_back(finding);
  }
  if (count) kept[first].message = say(kept[first], count);
  list_.swap(kept);
}

void Findings::DropClaimed(const std::vector<std::string> &codes) { Drop(claimed_, codes); }

void Findings::DropClaimedFor() {
  list_.erase(std::remove_if(list_.begin(), list_.end(),
                             [&](const Finding &finding) {
                               const auto codes = claimedFor_.find(finding.line);
                               return codes != claimedFor_.end() && codes->second.count(finding.code);
                             }),
              list_.end());
}

void Findings::DropHolding(const std::string &code, const std::string &part) {
  list_.erase(std::remove_if(list_.begin(), list_.end(),
                             [&](const Finding &finding) {
                               return finding.code == code && finding.message.find(part) != std::string::npos;
                             }),
              list_.end());
}

void Findings::Drop(const std::set<int> &lines, const std::vector<std::string> &codes) {
  std::vector<Finding> kept;
  for (const Finding &finding : list_) {
    bool drop = lines.count(finding.line) && std::find(codes.begin(), codes.end(), finding.code) != codes.end();
    if (!drop) kept.push_back(finding);
  }
  list_.swap(kept);
}

std::vector<std::pair<size_t, size_t>> LineBytes(const std::vector<BYTE> &bytes) {
  std::vector<std::pair<size_t, size_t>> lines(1, {0, 0});
  size_t start = 0;
  for (size_t i = 0; i <= bytes.size(); ++i)
    if (i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\r') {
      lines.push_back({start, i});
      if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  return lines;
}

namespace {

std::string CutShort(size_t line, bool halfCharacter, const std::vector<std::string> &lost, bool noSettings) {
  return "the file ends in the middle of line " + std::to_string(line) + ", without a line end" +
         (halfCharacter ? " and with half a character" : "") +
         ": it looks cut short by a failed copy, and what came after is lost" +
         (lost.empty() ? std::string() : " (" + FirstNames(lost) + ", which the page reads)") +
         (noSettings ? ", with [Settings] if it had one (the compression choices and the move)" : "") +
         "; copy the file again";
}

}  // namespace

bool CheckFileContent(const std::vector<BYTE> &bytes, Findings &findings) {
  size_t blanks = 0;
  for (BYTE b : bytes) blanks += b == ' ' || b == '\t' || b == '\r' || b == '\n';
  if (blanks == bytes.size()) {
    findings.Add(0, "file-empty",
                 "the file is empty: the page shows no classes; a settings file starts with [SectionNames], "
                 "SectionCount= and a line Section01= naming the first class");
    return false;
  }
  if (bytes.size() > IniFile::kMaxFileBytes) {
    findings.Add(0, "file-too-large", "the file is larger than " + std::to_string(IniFile::kMaxFileBytes >> 20) +
                                            " MB: the plug-in reads none of it, and the page shows no classes");
    return false;
  }
  const bool utf16Mark = bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
  if (utf16Mark) return true;
  // A word processor's document: every value would carry its formatting codes.
  const size_t bom = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
  if (bytes.size() >= bom + 5 && std::equal(bytes.begin() + bom, bytes.begin() + bom + 5, "{\\rtf")) {
    findings.Add(0, "file-binary", "the file is a rich-text (RTF) document, not plain text: every line carries its "
                                   "formatting codes (\\par), and nothing reads as written; save it as plain text");
    return false;
  }
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
  // Null bytes after the last line only (a copy tool's padding): the reader stops each line at a null, so every
  // line before them reads as written.
  size_t trailing = 0;
  while (trailing < bytes.size() && bytes[bytes.size() - 1 - trailing] == 0) ++trailing;
  const bool padding = nulls > 0 && trailing == nulls;
  if (padding)
    findings.Add(0, "trailing-nulls",
                 "the file ends with " + std::to_string(trailing) + " null bytes after its last line: the plug-in "
                 "reads the lines before them as written; remove them");
  // A file that ends inside a character without a line end: a copy cut short, which lost what came after. Told
  // first, as the page's missing classes, titles and defaults follow from it. Half a code-page-936 pair counts
  // in a file of Chinese text only: a Western file may end in an accented letter.
  const std::vector<std::pair<size_t, size_t>> lines = LineBytes(bytes);
  size_t pairs = 0;
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] >= 0xA1 && bytes[i] <= 0xFE && bytes[i + 1] >= 0xA1) ++pairs, ++i;
  bool halfPair = false;
  for (size_t i = lines.back().first; i < bytes.size(); ++i)
    if (bytes[i] >= 0x81 && bytes[i] <= 0xFE) halfPair = halfPair || i + 1 == bytes.size(), ++i;
  size_t continuation = 0;
  while (continuation < 3 && continuation < bytes.size() && (bytes[bytes.size() - 1 - continuation] & 0xC0) == 0x80)
    ++continuation;
  const BYTE lead = continuation < bytes.size() ? bytes[bytes.size() - 1 - continuation] : 0;
  // Half a UTF-8 character counts in a file of UTF-8 text up to it.
  const size_t whole = bytes.size() - std::min(bytes.size(), continuation + 1);
  const bool halfUtf8 = lead >= 0xC2 && lead <= 0xF4 &&
                        continuation < size_t(lead >= 0xF0   ? 3
                                              : lead >= 0xE0 ? 2
                                                             : 1) &&
                        std::any_of(bytes.begin(), bytes.begin() + whole, [](BYTE b) { return b >= 0x80; }) &&
                        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<LPCSTR>(bytes.data()),
                                            int(whole), nullptr, 0) > 0;
  // A header cut before its ']' ends no file that was saved whole.
  std::string last(bytes.begin() + long(lines.back().first), bytes.end());
  last.erase(0, last.find_first_not_of(" \t"));
  const bool halfHeader = !last.empty() && last[0] == '[' && last.find(']') == std::string::npos;
  if (nulls == 0 && ((halfPair && pairs >= 4) || halfUtf8 || halfHeader))
    findings.Add(int(lines.size() - 1), "file-cut-short", CutShort(lines.size() - 1, !halfHeader, {}, false));
  // A few null bytes inside lines (an editor's or a copy's slip): the reader keeps each line only up to one, and the
  // lines after it read as written. Each is told where it stands.
  const bool strayNulls = nulls > 0 && !padding && nulls <= 8 && controls <= 8;
  for (size_t line = 1; strayNulls && line < lines.size(); ++line)
    for (size_t i = lines[line].first; i < lines[line].second; ++i) {
      if (bytes[i] != 0) continue;
      // What is kept, and the column, in characters as an editor shows them: UTF-8 where the bytes are, else the
      // Chinese code page in a file of Chinese text; a byte order mark is no character.
      size_t from = lines[line].first;
      if (line == 1 && bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) from += 3;
      const LPCSTR start = reinterpret_cast<LPCSTR>(bytes.data() + from);
      const int n = int(i - from);
      const UINT page = n == 0 || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, start, n, nullptr, 0) > 0 ? CP_UTF8
                        : pairs >= 4 ? kChineseCodePage
                                     : kEnglishCodePage;
      WString kept(size_t(n), WCHAR(0));
      kept.resize(size_t(std::max(0, MultiByteToWideChar(page, 0, start, n, &kept[0], n))));
      findings.Add(int(line), "null-byte",
                   "the line holds a null byte: the plug-in reads it only up to there, " + Quoted(kept) +
                       ", and loses the rest of the line; delete the byte",
                   int(kept.size()) + 1);
    }
  // A stray control character is a fault of one line, told where it stands; many of them are no text at all.
  if ((nulls > 0 && !padding && !strayNulls) || controls > 64 || (controls > 8 && controls * 20 > bytes.size())) {
    // Two files joined, the second in UTF-16: its byte order mark stands at the start of a line.
    int line = 1;
    std::string joined;
    for (size_t i = 0; i + 1 < bytes.size() && joined.empty(); ++i) {
      line += bytes[i] == '\n';
      const bool mark = (bytes[i] == 0xFF && bytes[i + 1] == 0xFE) || (bytes[i] == 0xFE && bytes[i + 1] == 0xFF);
      if (i > 0 && bytes[i - 1] == '\n' && mark)
        joined = "; line " + std::to_string(line) + " on is UTF-16 (its byte order mark starts that line), where two "
                 "files were joined: save the whole file in one encoding";
    }
    findings.Add(0, "file-binary",
                   "the file is not text (" + std::to_string(nulls + controls) +
                       " null or control bytes): the page shows whatever sections happen to read from it" + joined);
    return false;
  }
  return true;
}

void FoldCutShort(const std::vector<BYTE> &bytes, std::vector<Finding> &findings) {
  static const std::set<std::string> kLoss = {"title-missing",           "titles-missing",    "note-missing",
                                              "rule-section-missing",    "rule-type-missing", "section-missing",
                                              "default-section-missing", "default-missing",   "item-lines-missing"};
  const auto cut =
      std::find_if(findings.begin(), findings.end(), [](const Finding &f) { return f.code == "file-cut-short"; });
  if (bytes.empty() || (cut == findings.end() && (bytes.back() == '\n' || bytes.back() == '\r'))) return;
  // What each finding of a loss names: "[Paper_Rule_EN] Size_RuleType is missing", "[A], [B] are missing".
  std::vector<std::pair<int, std::string>> lost;  // from where the copy stopped: its section, its class, the rest
  std::set<std::string> seen;
  bool lastSectionShort = false;  // the last section lacks keys: the cut fell inside it
  const std::vector<std::pair<size_t, size_t>> lines = LineBytes(bytes);
  WString last;  // the last header of the file
  bool settings = false;
  for (size_t line = lines.size() - 1; line > 0; --line) {
    std::string text(bytes.begin() + lines[line].first, bytes.begin() + lines[line].second);
    const size_t open = text.find_first_not_of(" \t"), close = text.find(']');
    if (open == std::string::npos || text[open] != '[' || close == std::string::npos || close < open) continue;
    const WString header = Widen(text.substr(open + 1, close - open - 1));
    if (last.empty()) last = header;
    settings = settings || SameName(header, kSettingsSection);
  }
  std::vector<Finding> kept;
  for (const Finding &finding : findings) {
    const std::string &m = finding.message;
    const size_t missing = std::min(m.find(" is missing"), m.find(" are missing"));
    if (!kLoss.count(finding.code) || m.empty() || m[0] != '[' || missing == std::string::npos) {
      kept.push_back(finding);
      continue;
    }
    for (size_t at = 0; at < missing && m[at] == '[';) {
      const size_t close = m.find(']', at);
      if (close > missing) break;
      std::string name = m.substr(at, close + 1 - at);
      const WString section = Widen(name.substr(1, name.size() - 2)), stem = ClassPrefix(section);
      const int from = SameName(section, last) ? 0 : !stem.empty() && SameName(stem, ClassPrefix(last)) ? 1 : 2;
      at = close + 1;
      if (m.compare(at, 2, ", ") == 0) {
        at += 2;
      } else if (m.find(' ', at + 1) == missing) {  // a key of the section
        name += m.substr(at, missing - at);
        at = missing;
        lastSectionShort = lastSectionShort || from == 0;
      }
      if (seen.insert(name).second) lost.push_back({from, name});
    }
  }
  if (cut == findings.end() && !(lost.size() >= 2 && lastSectionShort)) return;
  const bool half = cut != findings.end();
  // Told on the last line, where the file was cut.
  Finding told = half ? *cut : Finding{int(lines.size() - 1), Severity::Warning, "file-cut-short", ""};
  std::stable_sort(lost.begin(), lost.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (const auto &name : lost) names.push_back(name.second);
  told.message =
      CutShort(lines.size() - 1, half && told.message.find("half a character") != std::string::npos, names, !settings);
  // A header cut before its ']' is this cut, not a line to mend.
  const int lastLine = int(lines.size() - 1);
  kept.erase(std::remove_if(kept.begin(), kept.end(),
                            [&](const Finding &f) {
                              return f.code == "file-cut-short" || (f.code == "no-equals" && f.line == lastLine);
                            }),
             kept.end());
  kept.insert(kept.begin(), told);
  findings.swap(kept);
}

bool Overflow::Full(int line) {
  if (told_ < kToldOneByOne) {
    ++told_;
    return false;
  }
  if (!more_++) first_ = line;
  return true;
}

void Overflow::Tell(Findings &findings, const char *code) const {
  if (more_)
    findings.Add(first_, code,
                 std::to_string(more_) + " more " + what_ + " (from this line on): the first " +
                     std::to_string(kToldOneByOne) + " are told one by one");
}

const std::vector<std::string> kClaimableCodes = {"unknown-key",       "unknown-section",  "no-equals",
                                                  "misnumbered",       "duplicate-key",    "repeated-line",
                                                  "duplicate-section", "text-after-header"};

Findings CheckSettingsFile(const CheckedFile &file) {
  Findings findings;
  std::string name;
  findings.Add(0, "encoding",
               std::string("encoding: ") + EncodingName(file.ini, file.bytes, file.language, file.bothLanguages, name));
  if (CheckColumns(file.ini, findings)) return findings;
  CheckFileLayout(file.ini, findings);
  const std::set<int> swapped = CheckSwappedSections(file, findings);
  const std::vector<WString> misspelt = CheckMisspeltClassKeys(file, findings);
  CheckCatalogueWalk(file, misspelt, findings);
  // A rule cut at its field's end loses its last options: the cut is the one mistake, not the last text it leaves.
  // A line without '=' above its key's line is read in its place: told as that, not as the empty value it reads.
  // A rule name no cut would mend ("High256 ; binary bytes") is told as unknown alone.
  std::set<int> cutLines, hiding, unknownRule, notNumber;
  for (const Finding &finding : findings.list()) {
    if (finding.code == "text-cut") cutLines.insert(finding.line);
    if (finding.code == "duplicate-key") hiding.insert(finding.line);
    if (finding.code == "unknown-parameter-rule") unknownRule.insert(finding.line);
    if (finding.code == "enum-value-not-number") notNumber.insert(finding.line);
  }
  // A value that is no number reads as its first digits: the value it then shares is that slip's.
  findings.Drop(notNumber, {"duplicate-values"});
  findings.Drop(hiding, {"empty-value", "title-missing", "note-missing"});
  findings.Drop(unknownRule, {"text-cut"});
  // A key cut so names none of its sections: the sections are right, the length is the mistake.
  findings.Drop(cutLines, {"enum-last-text-cut", "item-key-misspelt", "class-key-misspelt"});
  // The keys of swapped sections are told missing under the names written for the other class.
  findings.Drop(swapped, {"title-missing", "note-missing", "rule-type-missing", "enum-no-pairs", "default-missing"});
  CheckSettingsSection(file, findings);
  CheckUnknownNames(file, findings);
  CheckTexts(file, findings);
  // A rule a mail program wrote in quoted-printable reads other values than written: its default matching none of
  // them follows from it, and the values it offers are no advice.
  std::set<int> qpRules, qpDefaults;
  for (const Finding &finding : findings.list())
    if (finding.code == "quoted-printable") qpRules.insert(finding.line);
  for (const LoadAccount::Reading &read : file.account.reads)
    if (read.field == FileField::Rule && qpRules.count(read.line))
      if (const LoadAccount::Reading *byDefault =
              file.account.Find(FileField::Default, read.sectionNumber, read.itemNumber))
        qpDefaults.insert(byDefault->line);
  findings.Drop(qpDefaults, {"default-no-option"});
  // A remark after a rule's last option is what makes its text too long: told as the remark.
  std::set<int> remarks;
  for (const Finding &finding : findings.list())
    if (finding.code == "remark-in-text") remarks.insert(finding.line);
  findings.Drop(remarks, {"enum-last-text-cut"});
  // A last text cut short that holds a pair without its '=' is told with the cut, which names the whole text.
  std::set<int> cutLast;
  for (const Finding &finding : findings.list())
    if (finding.code == "enum-last-text-cut") cutLast.insert(finding.line);
  findings.Drop(cutLast, {"enum-pair-no-equals"});
  // A line that ends in the first byte of a double-byte character: the code page takes the line end with it.
  const std::vector<std::pair<size_t, size_t>> lineBytes = LineBytes(file.bytes);
  for (int line : file.ini.JoinedLines()) {
    std::string section, key;
    for (const IniFile::Section &s : file.ini.sections())
      for (const IniFile::Entry &entry : s.entries)
        if (entry.line == line)
          section = Utf8(file.ini.Text(s.name, s.nameLength)), key = Utf8(file.ini.Text(entry.name, entry.nameLength));
    auto lineText = [&](size_t n) {
      return n < lineBytes.size() ? std::string(file.bytes.begin() + long(lineBytes[n].first),
                                                file.bytes.begin() + long(lineBytes[n].second))
                                  : std::string();
    };
    auto isHeader = [&](size_t n) {
      const std::string text = lineText(n);
      const size_t first = text.find_first_not_of(" \t");
      return first != std::string::npos && text[first] == '[';
    };
    // A key of an English section taken in is nothing the Chinese page reads: only a header taken in changes it.
    // What this reading tells of it follows all the same.
    const WString sectionName = Widen(section);
    const bool unread = sectionName.size() > 3 &&
                        SameName(sectionName.substr(sectionName.size() - 3), kEnglishSuffix) &&
                        !isHeader(size_t(line) + 1);
    // The key of the line taken in, as written (a key is ASCII): what the page then lacks is this one slip.
    std::string lost;
    if (size_t(line) + 1 < lineBytes.size()) {
      const auto next = lineBytes[size_t(line) + 1];
      const auto equals = std::find(file.bytes.begin() + long(next.first), file.bytes.begin() + long(next.second), '=');
      if (equals != file.bytes.begin() + long(next.second))
        lost = Utf8(Trimmed(Ascii(std::string(file.bytes.begin() + long(next.first), equals).c_str())));
    }
    std::set<int> lostLines;
    for (const Finding &finding : findings.list())
      if (!lost.empty() && finding.message.rfind("[" + section + "] " + lost + " is missing", 0) == 0)
        lostLines.insert(finding.line);
    findings.Drop(lostLines,
                  {"title-missing", "note-missing", "rule-type-missing", "enum-no-pairs", "default-missing"});
    findings.Drop({line}, {"not-in-code-page"});
    // What the rule of the line makes of the key taken in ("Catal?Brightness_RuleType" as an option) is this slip.
    if (!lost.empty())
      for (const char *code : {"enum-no-blank", "enum-value-not-number", "enum-last-text-cut", "serial-not-number"})
        findings.DropHolding(code, lost);
    // A header taken in: the section's keys then read as the section's above, where they repeat its keys. That is
    // this one slip, not lines to delete.
    if (isHeader(size_t(line) + 1)) {
      std::set<int> underIt;
      for (size_t n = size_t(line) + 2; n < lineBytes.size() && !isHeader(n); ++n) underIt.insert(int(n));
      findings.Drop(underIt, {"duplicate-key", "repeated-line"});
    }
    if (!unread)
      findings.Add(line, "line-joined",
                   "line " + std::to_string(line) + " ends in a byte that code page " +
                       std::to_string(file.language.load.codePage) +
                       " reads as the first of a two-byte character, which takes the line end with it: the plug-in "
                       "reads line " +
                       std::to_string(line + 1) + " as part of " +
                       (key.empty() ? std::string("this line") : "[" + section + "] " + key) +
                       (lost.empty() ? std::string() : " and never reads " + lost) + "; save the text in code page " +
                       std::to_string(file.language.load.codePage));
  }
  // A rule typed with full-width marks or digits in code page 936 (MIN=１, 0＝Off), read in code page 1252: the
  // marks are the one slip, and what the rule then gives is told with them.
  for (const Finding &told : std::vector<Finding>(findings.list())) {
    if (told.code != "not-in-code-page" || told.message.find(" saved in code page 936: ") == std::string::npos)
      continue;
    std::string gives;
    for (const Finding &rule : findings.list())
      if (rule.line == told.line && (rule.code == "serial-not-number" || rule.code == "enum-no-pairs"))
        gives = rule.message.find("no options") != std::string::npos      ? "; until then the item has no options"
                : rule.message.find("single option") != std::string::npos ? "; until then the item has a single option"
                                                                          : gives;
    if (gives.empty()) continue;
    findings.Drop({told.line}, {"serial-not-number", "enum-no-pairs", "not-in-code-page"});
    findings.Add(told.line, "not-in-code-page", told.message + gives, told.column);
  }
  // A misspelt name is told as the name it should have been; its line tells nothing more.
  findings.DropClaimed(kClaimableCodes);
  findings.DropClaimedFor();
  // An item whose list line another finding tells (a block left from a class taken out) has no lines of its own.
  findings.DropClaimed({"item-lines-missing"});
  // Lines under a header the reader does not see are never read as their section's: how their text would show is
  // beside the point.
  findings.DropClaimed({"not-in-code-page"});
  // Numbers written as "14.0" read as meant: one note for the file, naming the first.
  findings.Fold("whole-decimal", [](const Finding &first, size_t count) {
    return first.message + (count > 1 ? " and " + std::to_string(count - 1) +
                                            (count == 2 ? " more number" : " more numbers") +
                                            " are written with a decimal point: they read as their whole part, as "
                                            "meant; write plain numbers"
                                      : std::string(" is written with a decimal point: it reads as its whole part, "
                                                    "as meant; write a plain number"));
  });
  return findings;
}

std::vector<LONG> ValuesOf(const SettingsItem &item) {
  std::vector<LONG> values;
  for (const SettingsOption *option = item.Options; option && values.size() < item.OptionCount; option = option->Next)
    values.push_back(option->Value);
  return values;
}

namespace {
// The values of an item's options in their order.

// Whether an item's options show more than their values: a Serial rule's TITLE.
bool Titled(const SettingsItem &item) {
  for (const SettingsOption *option = item.Options; option; option = option->Next)
    if (FieldText(option->Text) != Ascii(std::to_string(option->Value).c_str())) return true;
  return false;
}

// The read of `field` (the rule or its type) of the item in `itemSlot` of the class in `sectionSlot`, or nullptr.
const LoadAccount::Reading *RuleOf(const LoadAccount &account, LONG sectionSlot, LONG itemSlot,
                                   FileField field = FileField::Rule) {
  for (const LoadAccount::Entry &section : account.sections) {
    auto items = account.items.find(section.sectionNumber);
    if (section.slot != sectionSlot || items == account.items.end()) continue;
    for (const LoadAccount::Entry &item : items->second)
      if (item.slot == itemSlot) return account.Find(field, section.sectionNumber, item.itemNumber);
  }
  return nullptr;
}

// Whether a fault of the rule itself is told already on the line of an item's rule or rule type in one reading.
// Options that repeat a value, or a default that matches none, are no such fault: they do not say why the other
// language's rule gives other values.
bool RuleTold(const Reading &reading, LONG sectionSlot, LONG itemSlot) {
  // (Nor is a Serial range whose steps miss its MAX: a translator's other STEP is told as the languages' difference.
  // A text cut short leaves the values as they are.)
  static const std::set<std::string> kOfValues = {"duplicate-values",  "duplicate-texts", "default-no-option",
                                                  "serial-misses-max", "enum-text-cut",   "enum-last-text-cut"};
  for (FileField field : {FileField::Rule, FileField::RuleType}) {
    const LoadAccount::Reading *read = RuleOf(reading.account, sectionSlot, itemSlot, field);
    for (const Finding &finding : reading.findings.list())
      if (read && read->line && finding.line == read->line && !kOfValues.count(finding.code)) return true;
  }
  return false;
}
}  // namespace

// A Chinese page of translated texts with an item's title or note left as the English one: told as information,
// since a name (USB, Wi-Fi) stays as it is.
void TellUntranslated(const Reading &english, Reading &chinese) {
  const SettingsCatalogue &en = *english.catalogue.get(), &cn = *chinese.catalogue.get();
  auto ascii = [](const WString &text) {
    return std::all_of(text.begin(), text.end(), [](WCHAR c) { return c < 0x80; });
  };
  bool translated = false;
  for (LONG s = 0; s < SectionCountOf(cn); ++s) {
    translated = translated || !ascii(FieldText(cn.Sections[s].Title));
    for (LONG i = 0; i < cn.Sections[s].ItemCount; ++i)
      translated = translated || !ascii(FieldText(cn.Sections[s].Items[i].Title));
  }
  for (LONG s = 0; translated && s < SectionCountOf(en) && s < SectionCountOf(cn); ++s)
    for (LONG i = 0; i < en.Sections[s].ItemCount && i < cn.Sections[s].ItemCount; ++i) {
      const SettingsItem &a = en.Sections[s].Items[i], &b = cn.Sections[s].Items[i];
      const WString title = FieldText(b.Title), note = FieldText(b.Note);
      const bool sameTitle = !title.empty() && title == FieldText(a.Title) && ascii(title),
                 sameNote = !note.empty() && note == FieldText(a.Note) && ascii(note);
      const bool words = std::count(title.begin(), title.end(), WCHAR(' ')) > 0 || sameNote;
      // The options too: a rule copied from the English one and left so.
      bool sameOptions = b.OptionCount > 1 && b.OptionCount == a.OptionCount;
      for (const SettingsOption *x = a.Options, *y = b.Options; sameOptions && x && y; x = x->Next, y = y->Next) {
        const WString text = FieldText(y->Text);
        sameOptions = text == FieldText(x->Text) && ascii(text) &&
                      std::any_of(text.begin(), text.end(), [](WCHAR c) { return c < 0x80 && std::isalpha(int(c)); });
      }
      // Sizes, resolutions and names ("A4", "300 dpi", "Letter") stay as they are: words of a phrase ("Paper out")
      // are what a translator renders.
      bool phrase = false;
      for (const SettingsOption *y = b.Options; sameOptions && y; y = y->Next) {
        const WString text = FieldText(y->Text);
        int words = 0;
        for (size_t at = 0; at < text.size();) {
          const size_t end = std::min(text.find(WCHAR(' '), at), text.size());
          words += end - at >= 2 && std::all_of(text.begin() + LONG(at), text.begin() + LONG(end),
                                                [](WCHAR c) { return c < 0x80 && std::isalpha(int(c)); });
          at = end + 1;
        }
        phrase = phrase || words >= 2;
      }
      const LoadAccount::Reading *rule = RuleOf(chinese.account, s, i),
                                 *type = RuleOf(chinese.account, s, i, FileField::RuleType);
      // A range's unit copied with the English rule: the Chinese page shows it in English capitals.
      if (sameOptions && Titled(b) && type && lstrcmpiW(type->text.c_str(), kSerialRuleType) == 0 && rule &&
          rule->line && !sameTitle && !RuleTold(english, s, i) && !RuleTold(chinese, s, i)) {
        const WString first = FieldText(b.Options->Text);
        chinese.findings.Add(rule->line, "text-untranslated",
                             "item " + Utf8(cn.Sections[s].Key) + "/" + Utf8(b.Key) + ": its unit in [" +
                                 Utf8(rule->section) + "] is the English one (" + Quoted(first) +
                                 "), though the Chinese page's other texts are translated; write the Chinese unit "
                                 "after TITLE=, unless the page's readers know it as it is");
        continue;
      }
      if (sameOptions && phrase && !sameTitle && rule && rule->line)
        chinese.findings.Add(rule->line, "text-untranslated",
                             "item " + Utf8(cn.Sections[s].Key) + "/" + Utf8(b.Key) + ": its options in [" +
                                 Utf8(rule->section) + "] are the English ones (" + Quoted(FieldText(b.Options->Text)) +
                                 " and the rest), though the Chinese page's other texts are translated; translate "
                                 "them, unless they are names");
      const LoadAccount::Reading *read = RuleOf(chinese.account, s, i, FileField::ItemTitle);
      if (!sameTitle || !words || !read || !read->line) continue;
      chinese.findings.Add(read->line, "text-untranslated",
                           "item " + Utf8(cn.Sections[s].Key) + "/" + Utf8(b.Key) + ": its title " +
                               (sameNote ? std::string("and note ") : std::string()) + "in [" + Utf8(read->section) +
                               "] " + (sameNote ? "are the English ones" : "is the English one") + " (" +
                               Quoted(title) +
                               "), though the Chinese page's other texts are translated; translate them, unless they "
                               "are names");
    }
}

// The numbers a text names, in order ("Tray 3", "30 最深"; full-width digits as the plain ones).
std::vector<std::string> NumbersIn(const WString &text) {
  std::vector<std::string> numbers;
  std::string run;
  for (size_t i = 0; i <= text.size(); ++i) {
    const WCHAR c = i < text.size() ? (text[i] >= 0xFF10 && text[i] <= 0xFF19 ? WCHAR(text[i] - 0xFEE0) : text[i]) : 0;
    if (c >= '0' && c <= '9') {
      run += char(c);
    } else if (!run.empty()) {
      numbers.push_back(run);
      run.clear();
    }
  }
  return numbers;
}

// Whether one option only has `value` (a value written twice is told as such).
bool Once(const SettingsItem &item, LONG value) {
  int n = 0;
  for (const SettingsOption *option = item.Options; option; option = option->Next) n += option->Value == value;
  return n == 1;
}

// Texts of a switch that say the opposite in each language ("Off" and 开), the words an operator reads as on and off.
bool Opposite(const WString &english, const WString &chinese) {
  static const char *const kOff[] = {"off", "no", "disabled", "disable"};
  static const char *const kOn[] = {"on", "yes", "enabled", "enable"};
  static const WString kChineseOff[] = {WTEXT("\u5173"), WTEXT("\u5173\u95ed"), WTEXT("\u5426"),
                                        WTEXT("\u7981\u7528")};  // 关 关闭 否 禁用
  static const WString kChineseOn[] = {WTEXT("\u5f00"), WTEXT("\u5f00\u542f"), WTEXT("\u6253\u5f00"), WTEXT("\u662f"),
                                       WTEXT("\u542f\u7528")};  // 开 开启 打开 是 启用
  auto in = [](const auto &words, const auto &text) {
    return std::any_of(std::begin(words), std::end(words), [&](const auto &word) { return text == word; });
  };
  const std::string folded = FoldedName(Trimmed(english));
  const WString text = Trimmed(chinese);
  return (in(kOff, folded) && in(kChineseOn, text)) || (in(kOn, folded) && in(kChineseOff, text));
}

// A title or note changed in one language and not the other, where both name numbers: a tray, a range's end.
void TellNumbersDiffer(const Reading &english, Reading &chinese) {
  const SettingsCatalogue &en = *english.catalogue.get(), &cn = *chinese.catalogue.get();
  auto tell = [&](const WString &inEnglish, const WString &inChinese, const std::string &what, LONG s, LONG i,
                  FileField field) {
    std::vector<std::string> a = NumbersIn(inEnglish), b = NumbersIn(inChinese);
    if (a.empty() || b.empty()) return;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    // A translation may say a number more or fewer ("up to 10 mm"); one number for another is a change made once.
    if (std::includes(a.begin(), a.end(), b.begin(), b.end()) || std::includes(b.begin(), b.end(), a.begin(), a.end()))
      return;
    const LoadAccount::Reading *own = RuleOf(chinese.account, s, i, field),
                               *other = RuleOf(english.account, s, i, field);
    chinese.findings.Add(own ? own->line : 0, "numbers-differ",
                         what + " names other numbers in Chinese, " + Quoted(inChinese) + ", than in English, " +
                             Quoted(inEnglish) +
                             (other && other->line ? " (line " + std::to_string(other->line) + ")" : "") +
                             ": was one of them changed and the other not? Make both name the same");
  };
  for (LONG s = 0; s < SectionCountOf(en) && s < SectionCountOf(cn); ++s)
    for (LONG i = 0; i < en.Sections[s].ItemCount && i < cn.Sections[s].ItemCount; ++i) {
      const SettingsItem &a = en.Sections[s].Items[i], &b = cn.Sections[s].Items[i];
      const std::string item = "item " + Utf8(en.Sections[s].Key) + "/" + Utf8(a.Key);
      tell(FieldText(a.Title), FieldText(b.Title), item + ": its title", s, i, FileField::ItemTitle);
      tell(FieldText(a.Note), FieldText(b.Note), item + ": its note", s, i, FileField::ItemNote);
      // An option's texts, value by value: the first that differ, as one slip of the item's rule.
      // (A rule read wrong in either language is told by that language's findings.)
      if (RuleTold(english, s, i) || RuleTold(chinese, s, i)) continue;
      const size_t before = chinese.findings.list().size();
      for (const SettingsOption *x = a.Options; x && chinese.findings.list().size() == before; x = x->Next) {
        if (!Once(a, x->Value) || !Once(b, x->Value)) continue;
        for (const SettingsOption *y = b.Options; y; y = y->Next)
          if (x->Value == y->Value) {
            const WString inEnglish = FieldText(x->Text), inChinese = FieldText(y->Text);
            const std::string what = item + ": its option of value " + std::to_string(x->Value);
            tell(inEnglish, inChinese, what, s, i, FileField::Rule);
            if (chinese.findings.list().size() == before && Opposite(inEnglish, inChinese))
              chinese.findings.Add(
                  RuleOf(chinese.account, s, i) ? RuleOf(chinese.account, s, i)->line : 0, "numbers-differ",
                  what + " says " + Quoted(inChinese) + " in Chinese, the opposite of " + Quoted(inEnglish) +
                      " in English: the Chinese page sends " + std::to_string(x->Value) + " for " + Quoted(inChinese) +
                      "; make both say the same");
            break;
          }
      }
    }
}

// An Enum item's option texts in each language, value by value: a unit given in one language only ("4 in/s" and
// "4"), and one option left in English among translated ones.
void TellOptionTexts(Reading &english, Reading &chinese) {
  const SettingsCatalogue &en = *english.catalogue.get(), &cn = *chinese.catalogue.get();
  for (LONG s = 0; s < SectionCountOf(en) && s < SectionCountOf(cn); ++s)
    for (LONG i = 0; i < en.Sections[s].ItemCount && i < cn.Sections[s].ItemCount; ++i) {
      const SettingsItem &a = en.Sections[s].Items[i], &b = cn.Sections[s].Items[i];
      const LoadAccount::Reading *type = RuleOf(english.account, s, i, FileField::RuleType);
      if (!type || lstrcmpiW(type->text.c_str(), kEnumRuleType) != 0 || ValuesOf(a) != ValuesOf(b) ||
          a.OptionCount < 2 || RuleTold(english, s, i) || RuleTold(chinese, s, i))
        continue;
      const std::string item = "item " + Utf8(en.Sections[s].Key) + "/" + Utf8(a.Key);
      // The text after each option's number, the same for every option, or empty.
      auto unit = [](const SettingsItem &of) {
        WString common;
        for (const SettingsOption *option = of.Options; option; option = option->Next) {
          const WString text = FieldText(option->Text), number = Ascii(std::to_string(option->Value).c_str());
          if (text.size() <= number.size() || text.compare(0, number.size(), number) != 0) return WString();
          if (option != of.Options && text.substr(number.size()) != common) return WString();
          common = text.substr(number.size());
        }
        return Trimmed(common).empty() ? WString() : common;
      };
      for (int language = 0; language < 2; ++language) {
        const SettingsItem &bare = language ? b : a, &titled = language ? a : b;
        Reading &reading = language ? chinese : english;
        const LoadAccount::Reading *rule = RuleOf(reading.account, s, i);
        if (Titled(bare) || unit(titled).empty() || !rule || !rule->line) continue;
        reading.findings.Add(rule->line, "unit-one-language",
                             item + " shows its options with a unit in " + (language ? "English" : "Chinese") + " (" +
                                 Quoted(FieldText(titled.Options->Text)) + ") but as bare numbers in " +
                                 (language ? "Chinese" : "English") +
                                 ": write the unit after each option's number in that language too");
      }
      // One option's text the English one, where the item's other Chinese texts are Chinese.
      int han = 0;
      const SettingsOption *untranslated = nullptr;
      for (const SettingsOption *x = a.Options, *y = b.Options; x && y; x = x->Next, y = y->Next) {
        const WString inChinese = FieldText(y->Text);
        han += std::any_of(inChinese.begin(), inChinese.end(), IsHan);
        const size_t letters = size_t(std::count_if(inChinese.begin(), inChinese.end(),
                                                    [](WCHAR c) { return c < 0x80 && std::isalpha(int(c)); }));
        // (A measure, "1000 Mbit/s", reads alike in both.)
        const bool measure =
            std::any_of(inChinese.begin(), inChinese.end(), [](WCHAR c) { return c >= '0' && c <= '9'; });
        if (inChinese == FieldText(x->Text) && letters >= 3 && !measure && !untranslated) untranslated = y;
      }
      const LoadAccount::Reading *rule = RuleOf(chinese.account, s, i);
      if (untranslated && han + 1 == int(a.OptionCount) && rule && rule->line)
        chinese.findings.Add(rule->line, "text-untranslated",
                             item + ": its option " + Quoted(FieldText(untranslated->Text)) + " in [" +
                                 Utf8(rule->section) +
                                 "] is the English one, though its other options are translated; translate it, "
                                 "unless it is a name");
    }
}

void CheckLanguagesAgree(Reading &english, Reading &chinese) {
  TellUntranslated(english, chinese);
  TellNumbersDiffer(english, chinese);
  TellOptionTexts(english, chinese);
  // An item renamed in one language's sections only is told as the rename where the old name stands; the other
  // reading's missing title on that line is the same slip.
  std::set<int> renamed;
  for (const Reading *reading : {&english, &chinese})
    for (const Finding &finding : reading->findings.list())
      if (finding.code == "item-key-misspelt") renamed.insert(finding.line);
  english.findings.Drop(renamed, {"title-missing"});
  chinese.findings.Drop(renamed, {"title-missing"});
  const SettingsCatalogue &en = *english.catalogue.get(), &cn = *chinese.catalogue.get();
  // Both pages read the same filters, so their classes and items stand in the same slots.
  for (LONG s = 0; s < SectionCountOf(en) && s < SectionCountOf(cn); ++s)
    for (LONG i = 0; i < en.Sections[s].ItemCount && i < cn.Sections[s].ItemCount; ++i) {
      const SettingsItem &a = en.Sections[s].Items[i], &b = cn.Sections[s].Items[i];
      const std::vector<LONG> inEnglish = ValuesOf(a), inChinese = ValuesOf(b);
      // A Serial range given its unit in one language only: the other page shows bare numbers.
      const LoadAccount::Reading *typeEn = RuleOf(english.account, s, i, FileField::RuleType),
                                 *typeCn = RuleOf(chinese.account, s, i, FileField::RuleType);
      const bool serial = typeEn && typeCn && lstrcmpiW(typeEn->text.c_str(), kSerialRuleType) == 0 &&
                          lstrcmpiW(typeCn->text.c_str(), kSerialRuleType) == 0;
      // (A unit the page would show in capitals is given in the item's title there: "Key beep (ms)".)
      const WString bareTitle = FieldText((Titled(a) ? b : a).Title);
      if (serial && inEnglish == inChinese && !inEnglish.empty() && Titled(a) != Titled(b) &&
          !RuleTold(english, s, i) && !RuleTold(chinese, s, i) && (bareTitle.empty() || bareTitle.back() != ')')) {
        Reading &bare = Titled(a) ? chinese : english;
        const SettingsItem &titled = Titled(a) ? a : b;
        const LoadAccount::Reading *rule = RuleOf(bare.account, s, i);
        bare.findings.Add(rule ? rule->line : 0, "unit-one-language",
                          "item " + Utf8(en.Sections[s].Key) + "/" + Utf8(a.Key) +
                              " shows its options with a unit in " + (Titled(a) ? "English" : "Chinese") + " (" +
                              Quoted(FieldText(titled.Options->Text)) + ") but as bare numbers in " +
                              (Titled(a) ? "Chinese" : "English") +
                              ": its rule there has no TITLE=; write the unit after TITLE= in that language too");
      }
      // A range too wide for its bytes in one language only, whose other rule fits: a slip of that range (MAX=720
      // for 72), which the other language's rule shows.
      for (int language = 0; language < 2 && serial && inEnglish != inChinese; ++language) {
        Reading &wide = language ? chinese : english, &other = language ? english : chinese;
        const LoadAccount::Reading *rule = RuleOf(wide.account, s, i), *fits = RuleOf(other.account, s, i);
        if (!rule || !fits || !rule->line || RuleTold(other, s, i)) continue;
        for (const Finding &finding : wide.findings.list()) {
          if (finding.line != rule->line || finding.code != "value-too-large") continue;
          const Finding told = finding;
          wide.findings.Drop({told.line}, {"value-too-large"});
          wide.findings.Add(told.line, "value-too-large",
                            told.message + "; the " + (language ? "English" : "Chinese") + " rule, " +
                                Quoted(fits->text) + ", fits: if its range is the one meant, write it here too");
          break;
        }
      }
      // An item without options in one language, or whose rule is faulty, is told by that language's findings.
      if (inEnglish == inChinese || inEnglish.empty() || inChinese.empty() || RuleTold(english, s, i) ||
          RuleTold(chinese, s, i))
        continue;
      // The same values in another order: the page keeps a choice by its value, so only a multi-choice item, whose
      // mask counts rows, sends otherwise.
      std::vector<LONG> sortedEnglish = inEnglish, sortedChinese = inChinese;
      std::sort(sortedEnglish.begin(), sortedEnglish.end());
      std::sort(sortedChinese.begin(), sortedChinese.end());
      const bool reordered = sortedEnglish == sortedChinese;
      if (reordered && DWORD(a.ParameterCount) <= 1) continue;
      // The same values, one of them written twice in one language: the page keeps a choice by its value, and the
      // value told twice is that language's finding.
      const bool sameValues =
          std::set<LONG>(inEnglish.begin(), inEnglish.end()) == std::set<LONG>(inChinese.begin(), inChinese.end());
      if (sameValues && DWORD(a.ParameterCount) <= 1) continue;
      const LoadAccount::Reading *chineseRule = RuleOf(chinese.account, s, i);
      // A full-width equals sign or colon, typed with a Chinese input method, is no '=' to the rule.
      const WString ruleText = chineseRule ? chineseRule->text : WString();
      const size_t markAt = ruleText.find_first_of(WString{WCHAR(0xFF1D), WCHAR(0xFF1A)});
      const bool fullWidth = markAt != WString::npos;
      std::string markHint;
      if (fullWidth) {
        // The pair as meant: the value before the mark and the text after it, up to the next blank.
        size_t from = markAt, to = ruleText.find(WCHAR(' '), markAt);
        while (from > 0 && ruleText[from - 1] >= '0' && ruleText[from - 1] <= '9') --from;
        WString pair = ruleText.substr(from, (to == WString::npos ? ruleText.size() : to) - from);
        pair[markAt - from] = '=';
        markHint = "the Chinese rule holds " + CharacterName(ruleText[markAt]) + ", which the rule does not read as "
                   "'='" + (from < markAt ? ": write " + Quoted(pair) : std::string());
      }
      // One rule the other with its last rows cut: the rows both have send alike, and one page lacks the rest.
      const bool englishLonger = inEnglish.size() > inChinese.size();
      const std::vector<LONG> &longer = englishLonger ? inEnglish : inChinese;
      const std::vector<LONG> &shorter = englishLonger ? inChinese : inEnglish;
      const bool cut = std::equal(shorter.begin(), shorter.end(), longer.begin());
      const std::vector<LONG> lacked(longer.begin() + LONG(shorter.size()), longer.end());
      // A pair that lost its '=' in one language: its value stands in the text of the option before it, and that
      // language has an option fewer (a value typed twice keeps the count).
      bool lostPair = false;
      for (int language = 0; language < 2 && !lostPair; ++language) {
        const SettingsItem &item = language ? b : a;
        const std::vector<LONG> &other = language ? inEnglish : inChinese, &own = language ? inChinese : inEnglish;
        if (own.size() >= other.size()) continue;
        const SettingsOption *option = item.Options;
        for (DWORD k = 0; option && k < item.OptionCount && !lostPair; ++k, option = option->Next) {
          const WString text = FieldText(option->Text);
          for (LONG value : other) {
            const WString number = Ascii(std::to_string(value).c_str());
            const size_t at = text.find(Ascii(" ") + number + Ascii(" "));
            if (std::count(own.begin(), own.end(), value) || at == WString::npos) continue;
            Reading &reading = language ? chinese : english;
            const LoadAccount::Reading *rule = RuleOf(reading.account, s, i);
            // A default of the lost value matches no option for that reason alone.
            const LoadAccount::Reading *preset = RuleOf(reading.account, s, i, FileField::Default);
            if (preset && item.DefaultValue == value) reading.findings.Drop({preset->line}, {"default-no-option"});
            chinese.findings.Add({rule ? rule->line : 0, Severity::Warning, "enum-pair-no-equals",
                                  "item " + Utf8(en.Sections[s].Key) + "/" + Utf8(a.Key) + ": " +
                                      PairWithoutEquals(text, at, option->Value, value,
                                                        language ? "Chinese page" : "English page"),
                                  language ? FindingLanguage::Chinese : FindingLanguage::English});
            lostPair = true;
            break;
          }
        }
      }
      if (lostPair) continue;
      // A default that one language offers and the other lacks: the rules differ, not the default, which both
      // languages share; it is told here, not as a default to change.
      std::string unselected;
      Reading *slipped = &chinese;  // the reading whose rule lacks the default the other offers: the one to mend
      for (int language = 0; language < 2; ++language) {
        Reading &reading = language ? chinese : english;
        const std::vector<LONG> &own = language ? inChinese : inEnglish, &other = language ? inEnglish : inChinese;
        const LONG value = (language ? b : a).DefaultValue;
        const LoadAccount::Reading *preset = RuleOf(reading.account, s, i, FileField::Default);
        if (!std::count(own.begin(), own.end(), value) && std::count(other.begin(), other.end(), value)) {
          if (preset) reading.findings.Drop({preset->line}, {"default-no-option"});
          unselected = "; the default " + std::to_string(value) + " is an option in " +
                       (language ? "English" : "Chinese") + " only: the " + (language ? "Chinese" : "English") +
                       " page selects no row, so the " + (language ? "Chinese" : "English") +
                       " rule is the one to mend";
          slipped = &reading;
        }
      }
      const LoadAccount::Reading *englishRule = RuleOf(english.account, s, i);
      // Else, one rule the other with rows cut: told at the page that lacks them.
      if (unselected.empty() && cut) slipped = englishLonger ? &chinese : &english;
      // A range whose steps miss its MAX in one language only: the other STEP is the slip, not the MAX.
      const bool missesInEnglish = englishRule && english.findings.Told(englishRule->line, "serial-misses-max"),
                 missesInChinese = chineseRule && chinese.findings.Told(chineseRule->line, "serial-misses-max");
      if (missesInEnglish != missesInChinese) {
        english.findings.Drop({englishRule ? englishRule->line : 0}, {"serial-misses-max"});
        chinese.findings.Drop({chineseRule ? chineseRule->line : 0}, {"serial-misses-max"});
      }
      // As many rows in both, a few of them with other values: those rows, by number.
      std::vector<std::string> rows;
      for (size_t row = 0; inEnglish.size() == inChinese.size() && row < inEnglish.size(); ++row)
        if (inEnglish[row] != inChinese[row])
          rows.push_back("option " + std::to_string(row + 1) + " sends " + std::to_string(inEnglish[row]) +
                         " in English, " + std::to_string(inChinese[row]) + " in Chinese");
      const std::string counts =
          !rows.empty() && rows.size() <= 2 && !reordered
              ? " has " + std::to_string(inEnglish.size()) + " options in each language, but " + FirstNames(rows)
              : " has " + std::to_string(inEnglish.size()) + " options in English (values " + Shown(inEnglish) +
                    ") but " + std::to_string(inChinese.size()) + " in Chinese (values " + Shown(inChinese) + ")";
      const LoadAccount::Reading *slippedRule = slipped == &chinese ? chineseRule : englishRule;
      slipped->findings.Add(slippedRule ? slippedRule->line : 0, "languages-differ",
                            "item " + Utf8(en.Sections[s].Key) + "/" + Utf8(a.Key) + counts + ": " +
                                (cut ? std::string("the ") + (englishLonger ? "Chinese" : "English") +
                                           " page does not offer the values " + Shown(lacked) + "; "
                                 : reordered ? std::string("a multi-choice row's bit comes from its place, so the same "
                                                           "row stands for another option in each language; ")
                                             : std::string("the same row sends other bytes in the other language; ")) +
                                (fullWidth   ? markHint
                                 : reordered ? "list the options in the same order in both"
                                             : "give both rules the same values") +
                                // A tick box's bit is its row: a row inserted in one language shifts the rest.
                                (cut && !reordered && DWORD(a.ParameterCount) > 1
                                     ? ", the missing row at the place where the other language has it, since a "
                                       "multi-choice row's bit comes from its place"
                                     : std::string()) +
                                unselected);
    }
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

void LoadAccount::Read(const LoadRead &read) {
  byField_[{int(read.name.field), read.sectionNumber, read.itemNumber}] = reads.size();
  reads.push_back({read.name.field, read.section, read.key, read.sectionNumber, read.itemNumber,
                   read.text ? WString(read.text) : WString(), read.value, read.line, read.name.width});
  names_.emplace(FoldedName(read.section) + "\n" + FoldedName(read.key), reads.size() - 1);
  sectionNames_.insert(FoldedName(read.section));
}

const LoadAccount::Reading *LoadAccount::Find(FileField field, LONG n, LONG m) const {
  auto found = byField_.find({int(field), n, m});
  return found == byField_.end() ? nullptr : &reads[found->second];
}

const LoadAccount::Reading *LoadAccount::ReadOf(const WString &section, const WString &key) const {
  auto found = names_.find(FoldedName(section) + "\n" + FoldedName(key));
  return found == names_.end() ? nullptr : &reads[found->second];
}

bool LoadAccount::ReadSection(const WString &section) const { return sectionNames_.count(FoldedName(section)) != 0; }

}  // namespace prnset
