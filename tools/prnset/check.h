// prnset check: what the plug-in will silently make of a settings file that its author probably did not mean. The
// facts come from the plug-in itself (the loader's account of its reads, the option rules' notes, the encoder's and
// the job's refusals, the document options' reading of [Settings]); this part decides what is worth telling and how.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/ini_file.h"
#include "catalogue/loader.h"
#include "tools/prnset/check_names.h"
#include "tools/prnset/session.h"

namespace prnset {

enum class Severity { Info, Warning, Error };

// Which reading of the file a finding concerns: the English page's (_EN sections, code page 1252), the Chinese
// page's (_CN sections, code page 936), or both.
enum class FindingLanguage { English, Chinese, Both };

// One kind of finding, defined once: its code, severity, a one-line title and the heading of
// docs/settings-file.md that explains it.
struct FindingKind {
  const char *code;
  Severity severity;
  const char *title;
  const char *section;
};
extern const std::vector<FindingKind> kFindingKinds;
const FindingKind *KindOf(const std::string &code);

struct Finding {
  int line;  // line of the offending text, or 0 for the file as a whole
  Severity severity;
  std::string code;  // a short stable name of the kind of finding, such as "unknown-key"
  std::string message;
  FindingLanguage language = FindingLanguage::Both;
  int column = 0;  // 1-based column on the line, 0 when the whole line is meant
};

class Findings {
 public:
  // A finding of a kind of the registry: its severity is the kind's.
  void Add(int line, const char *code, const std::string &message, int column = 0);
  void Add(const Finding &finding);
  const std::vector<Finding> &list() const { return list_; }
  int Count(Severity severity) const;
  // Whether a finding of `code` is told on `line` already.
  bool Told(int line, const std::string &code) const;

  // A line whose fault another finding already tells as its root cause (a misspelt key reported as the key it
  // should have been): the layout's and the names' findings about that line are dropped.
  void Claim(int line) { claimed_.insert(line); }
  bool Claimed(int line) const { return claimed_.count(line) != 0; }
  void Unclaim(int line) { claimed_.erase(line); }
  void DropClaimed(const std::vector<std::string> &codes);
  // The findings of `codes` on `lines`.
  void Drop(const std::set<int> &lines, const std::vector<std::string> &codes);
  // The findings of `code` whose message holds `part`: another finding tells their mistake.
  void DropHolding(const std::string &code, const std::string &part);
  // The findings of `code` as one, on the first one's line, worded by `say` from the first and their count.
  void Fold(const std::string &code, const std::function<std::string(const Finding &, size_t)> &say);
  void ClaimAlso(const Findings &other) { claimed_.insert(other.claimed_.begin(), other.claimed_.end()); }
  // A line whose findings of `codes`, told later, follow from a finding told now: they are dropped at the end.
  void ClaimFor(int line, const std::vector<std::string> &codes) {
    claimedFor_[line].insert(codes.begin(), codes.end());
  }
  void DropClaimedFor();

 private:
  std::vector<Finding> list_;
  std::set<std::tuple<int, std::string, std::string>> told_;
  std::set<int> claimed_;
  std::map<int, std::set<std::string>> claimedFor_;
};

// Past kToldOneByOne findings of one kind in one place the rest are told as one count: a generated or pasted file
// must not bury its other findings.
class Overflow {
 public:
  static constexpr int kToldOneByOne = 50;
  // `what` completes "N more ...", such as "keys of [Paper_Lang_EN] are never read".
  explicit Overflow(std::string what) : what_(std::move(what)) {}
  // Whether the finding on `line` is one too many, to be counted rather than told.
  bool Full(int line);
  // Tells the count, when there was any.
  void Tell(Findings &findings, const char *code) const;

 private:
  std::string what_;
  int told_ = 0, more_ = 0, first_ = 0;
};

// What the loader told of one load: every read, where each listed class and item went, the rules' notes and where
// the walks ended.
class LoadAccount : public LoadObserver {
 public:
  struct Reading {
    FileField field;
    WString section, key;
    LONG sectionNumber, itemNumber;
    WString text;
    LONG value;
    int line;
    DWORD width;
  };
  struct Entry {
    LONG sectionNumber, itemNumber;
    LONG slot;  // -1: hidden
  };
  struct Stop {
    LONG next;
    WalkStop why;
  };

  void Read(const LoadRead &read) override;
  void Section(LONG number, LONG slot) override { sections.push_back({number, 0, slot}); }
  void Item(LONG sectionNumber, LONG itemNumber, LONG sectionSlot, LONG itemSlot) override {
    items[sectionNumber].push_back({sectionNumber, itemNumber, itemSlot});
  }
  void Rule(LONG sectionNumber, LONG itemNumber, const RuleReport &report) override {
    rules[{sectionNumber, itemNumber}] = report;
  }
  void Stopped(LONG sectionNumber, LONG next, WalkStop why) override { stops[sectionNumber] = {next, why}; }

  // The read of `field` for class n and item m, or nullptr when the load made none.
  const Reading *Find(FileField field, LONG n, LONG m = 0) const;
  // The load's read of this name (sections and keys compared as the reader compares them), or nullptr.
  const Reading *ReadOf(const WString &section, const WString &key) const;
  bool ReadSection(const WString &section) const;

  std::vector<Reading> reads;
  std::vector<Entry> sections;
  std::map<LONG, std::vector<Entry>> items;
  std::map<std::pair<LONG, LONG>, RuleReport> rules;
  std::map<LONG, Stop> stops;

 private:
  std::map<std::tuple<int, LONG, LONG>, size_t> byField_;
  std::unordered_map<std::string, size_t> names_;  // folded section and key, a line end between -> first read
  std::unordered_set<std::string> sectionNames_;
};

// The settings file as read for checking: the parsed file (for lines and whole values), the catalogue the plug-in
// loads from it in the chosen language and the loader's account of that load.
struct CheckedFile {
  const IniFile &ini;
  const SettingsCatalogue &catalogue;
  const LoadAccount &account;
  const LoadAccount &everyListed;  // the loader's walk of every listed class and item (LoadWalk::EveryListed)
  const KnownNames &known;         // every name the plug-in reads from this file
  const ToolLanguage &language;
  bool bothLanguages;  // the other language is checked too
  const std::vector<BYTE> &bytes;
};

// Every finding about the file in one language.
Findings CheckSettingsFile(const CheckedFile &file);
// The codes of findings about a line that another finding tells as its root cause.
extern const std::vector<std::string> kClaimableCodes;

// Where each line of the file starts and ends (1-based), without the line end. Lines end as the reader ends them: at
// CR LF, a lone LF or a lone CR (no byte of a code-page-936 pair is either).
std::vector<std::pair<size_t, size_t>> LineBytes(const std::vector<BYTE> &bytes);

// The raw bytes before any reading: an empty file, binary content or UTF-16 without a byte order mark. Adds one
// error and returns false when the file is not a text the plug-in can read, so that nothing else is checked.
bool CheckFileContent(const std::vector<BYTE> &bytes, Findings &findings);
// A copy cut short, told by CheckFileContent (half a character) or seen here (no line end, and the loss begins in
// the class of the last section): the sections and keys it lost are told as that one finding's loss.
void FoldCutShort(const std::vector<BYTE> &bytes, std::vector<Finding> &findings);

// Parts of the check, each adding its findings.
void CheckFileLayout(const IniFile &ini, Findings &findings);      // duplicates, lines without '=', misnumbered keys
// A file whose entries are mostly a spreadsheet's columns ("SectionCount;8"): one error, and true, so that nothing
// else is told of it.
bool CheckColumns(const IniFile &ini, Findings &findings);
// Sections, items, texts, commands and rules, but for the classes whose key is told as misspelt.
void CheckCatalogueWalk(const CheckedFile &file, const std::vector<WString> &misspelt, Findings &findings);
void CheckSettingsSection(const CheckedFile &file, Findings &findings);  // the document options' switches and values
void CheckUnknownNames(const CheckedFile &file, Findings &findings);   // sections and keys the plug-in never reads
// Two classes' sections of one kind under each other's headers: one finding for the pair. Returns the lines of
// both sections, which tell nothing more.
std::set<int> CheckSwappedSections(const CheckedFile &file, Findings &findings);
// Listed class keys that are themselves the misspelling (the file's sections are named one slip away): told once
// each, and returned so that nothing else is told about those classes.
std::vector<WString> CheckMisspeltClassKeys(const CheckedFile &file, Findings &findings);
void CheckTexts(const CheckedFile &file, Findings &findings);          // characters the page would show wrong

// What the option rules made of one shown item's rule text (of `options` options), worded. True when it told a
// mistake of the whole rule, whose consequences for the item's values are then not told again.
bool CheckRuleNotes(const RuleReport &report, const WString &rule, int line, const std::string &where,
                    Findings &findings, DWORD options);
// Words of a Serial rule that are no setting of it ("INC=5", "TITLE＝ mm"): the rule ignores them.
void CheckSerialSettings(const WString &rule, int line, const std::string &where, Findings &findings, DWORD options);
// Enum values written with leading zeros ("01=Black mark") under BaseOn30, which sends a value's own digits only.
void CheckLeadingZeros(const SettingsCatalogue &catalogue, LONG section, LONG item, const WString &rule, int line,
                       const WString &instructionKey, const std::string &where, Findings &findings);
// For a multi-choice default written as a list of the rows to tick ("0,2") or as a mask in hexadecimal without its
// 0x ("A00000"): the mask to write; empty otherwise.
std::string RowListHint(const WString &written, DWORD options);
// The lines of an item's keys that its values come from (0 for a key that is missing).
struct ItemLines {
  int defaultValue;
  int rule;
  int parameterCount;
  int key;  // the item's key in its list: findings about a default the file does not give go there
  bool defaultSectionMisnamed = false;  // its finding says at what the item starts until it is renamed
  bool defaultMisread = false;  // written as no plain number: its finding says what to write, not its bits
  std::optional<long long> missedMax;  // the MAX a Serial range's steps end short of
  bool defaultUnread = false;          // written on a line the reader takes otherwise, whose finding tells it
  WString instruction;                 // the key of the item's command, as advice names it
};
// What a default written as an option's text is told with ("; "Normal" is the text of the option of value 3"):
// only the reading whose rule holds that text can say it.
constexpr char kOptionTextHint[] = " is the text of the option of value ";
// What a number written otherwise is told with when no hint names its slip; a reading that names an option's text
// says more.
constexpr char kDecimalDigitsHint[] = "; write it in decimal digits";
// What a pair that lost its '=' makes of the text it ran into ("... holds "1 On", a pair without its '=': the page
// shows it in the row of 0 and offers no 1; write "1=On""): the pair of `value` stands at `at` in the text of the
// option of value `row`; `page` names the page that shows it.
std::string PairWithoutEquals(const WString &text, size_t at, LONG row, LONG value, const std::string &page);
// The bytes the printer gets for an item's value, as prnset job prints them; empty when it gets none.
std::string ItemBytes(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value);
bool IsHigh256(const SettingsCatalogue &catalogue);
bool IsBaseOn30(const SettingsCatalogue &catalogue);
// The values of an item's options, in the order of its rows.
std::vector<LONG> ValuesOf(const SettingsItem &item);
// Whether a single choice's one parameter byte follows an instruction ending in 00, the high byte of a two-byte
// value; the values its parameter bytes carry under High256, as the printer reads them.
bool HighByteFixed(const SettingsItem &item);
std::pair<long long, long long> ValueRange(const SettingsItem &item);
// The bits of a multi-choice item's mask that stand for its rows.
DWORD RowBits(size_t options);
// The loaded item's options and default against what the encoder makes of them.
void CheckItemValues(const SettingsCatalogue &catalogue, LONG section, LONG item, bool enumRule,
                     const ItemLines &lines, const std::string &where, Findings &findings);

// One reading of the file: the catalogue the page of one language loads, the loader's account of that load, and the
// findings about it.
struct Reading {
  UniqueCatalogue catalogue;
  LoadAccount account;
  Findings findings;
};

// Items whose options differ between the English and the Chinese page (their values, or how many): the same row
// sends other bytes in the other language. Told on the rule of the language to mend: the one that lacks the default
// the other offers, else the Chinese one; a pair that lost its '=' in one language is told on that language's rule.
void CheckLanguagesAgree(Reading &english, Reading &chinese);

// The findings of the English and the Chinese reading as one list: a finding both readings make is told once, for
// both. Sorted by line, file-wide findings first.
std::vector<Finding> MergeLanguages(const std::vector<Finding> &english, const std::vector<Finding> &chinese);

// A file's path as a SARIF log names it: a URI ("file:///C:/...") for an absolute path, a relative reference for a
// relative one.
std::string FileUri(std::string path);

}  // namespace prnset
