// The loader's account of one load, told as findings: for the classes and items that the page shows, every count,
// text and command that does not come out as written. The walk is the loader's; this only reads its account.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <unordered_set>

#include "catalogue/option_rules.h"
#include "page/command_encoder.h"
#include "page/job_bytes.h"
#include "page/settings_page.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"
#include "tools/prnset/commands_text.h"

namespace prnset {

namespace {

struct Language {
  LANGID language;
  const char *name;
  const char *system;  // "an English system"
  FindingLanguage concerns;
};
const Language kLanguages[] = {{kEnglishLanguage, "English", "an English system", FindingLanguage::English},
                               {kChineseLanguage, "Chinese", "a Chinese system", FindingLanguage::Chinese}};

// A shown class or item without a title in one language.
struct MissingTitle {
  int line;
  std::string message;
  bool meant;  // the line holds a misspelt name of the title, which tells nothing more
};

// Filter values that say "hide" in words: read as 0, they hide as meant.
bool SaysHide(const WString &value) {
  for (const char *word : {"no", "off", "false", "hide", "hidden", "disable", "disabled"})
    if (SameName(value, Ascii(word))) return true;
  // The same in Chinese: no, off, close, hide, disable, none.
  for (const WString &word : {WString{0x5426}, WString{0x5173}, WString{0x5173, 0x95ED}, WString{0x9690, 0x85CF},
                              WString{0x7981, 0x7528}, WString{0x65E0}})
    if (value == word) return true;
  return false;
}

// The rule type a rule text is written for, when it is plainly the other one: MIN= or MAX= make a Serial rule, a
// number and '=' at the start an Enum rule. nullptr when the text fits its type or fits neither.
LPCWSTR WrittenFor(bool isEnum, const WString &rule) {
  std::string folded = FoldedName(rule);
  const bool range = folded.find("min=") != std::string::npos || folded.find("max=") != std::string::npos;
  size_t digits = !folded.empty() && folded[0] == '-' ? 1 : 0;
  while (digits < folded.size() && folded[digits] >= '0' && folded[digits] <= '9') ++digits;
  const bool pairs = digits > 0 && folded[digits - 1] != '-' && digits < folded.size() && folded[digits] == '=';
  if (isEnum && range && !pairs) return kSerialRuleType;
  if (!isEnum && pairs && !range) return kEnumRuleType;
  return nullptr;
}

using AccountRead = LoadAccount::Reading;

// A command written as the characters the printer gets ("^XA", "ESC @", "<CR>"): its bytes in the file's form, when
// every word is a printable character or the name of a control byte. Empty otherwise.
std::string CommandAsBytes(const WString &command) {
  static const std::pair<const char *, BYTE> kNames[] = {{"ESC", 0x1B}, {"CR", 0x0D}, {"LF", 0x0A}, {"FS", 0x1C},
                                                         {"GS", 0x1D},  {"STX", 0x02}, {"ETX", 0x03}, {"NUL", 0x00}};
  // A name in angle brackets stands apart from the characters around it ("<ESC>%-12345X").
  WString text = command;
  for (const auto &name : kNames) {
    const WString bracketed = Ascii("<") + Ascii(name.first) + Ascii(">");
    for (size_t at = text.find(bracketed); at != WString::npos; at = text.find(bracketed))
      text.replace(at, bracketed.size(), Ascii(" ") + Ascii(name.first) + Ascii(" "));
  }
  std::vector<BYTE> bytes;
  bool named = false, mnemonic = false;
  // Characters in quotes beside the bytes ("1B "s" "D""): there the bytes are hexadecimal pairs.
  const auto isQuoted = [](const WString &word) {
    return word.size() >= 3 && (word[0] == '"' || word[0] == '\'') && word.back() == word[0];
  };
  bool quoted = false, letters = true;
  for (size_t i = 0; i < text.size(); ++i) {
    quoted = quoted || ((i == 0 || text[i - 1] == ' ') && isQuoted(text.substr(i, text.find(WCHAR(' '), i) - i)));
    letters = letters && (text[i] == ' ' || (text[i] < 0x80 && std::isalpha(text[i])));
  }
  for (size_t i = 0; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = text.find(WCHAR(' '), i);
    WString word = text.substr(i, end == WString::npos ? WString::npos : end - i);
    i = end == WString::npos ? text.size() : end;
    const bool pair = word.size() == 2 && IsHexDigit(word[0]) && IsHexDigit(word[1]);
    if (quoted && (pair || isQuoted(word))) {
      if (pair) bytes.push_back(BYTE(std::stoi(Utf8(word), nullptr, 16)));
      for (size_t k = 1; !pair && k + 1 < word.size(); ++k) bytes.push_back(BYTE(word[k]));
      named = named || !pair;
      continue;
    }
    // Hexadecimal written another way ("1B", "0x1B", "\x1B") is no text of characters.
    if (pair || (word.size() > 2 && (word[0] == '0' || word[0] == '\\') && (word[1] | 0x20) == 'x'))
      return std::string();
    bool known = false;
    for (const auto &name : kNames)
      if (SameName(word, Ascii(name.first))) bytes.push_back(name.second), known = named = true;
    for (size_t k = 0; !known && k < word.size(); ++k) {
      // A program's escape ("\r") is the control byte it stands for.
      const WCHAR next = k + 1 < word.size() ? word[k + 1] : 0;
      const BYTE escaped = word[k] != '\\' ? 0 : next == 'r' ? 0x0D : next == 'n' ? 0x0A : next == 'e' ? 0x1B : 0;
      if (escaped) {
        bytes.push_back(escaped);
        named = true;
        ++k;
        continue;
      }
      if (word[k] < 0x21 || word[k] > 0x7E) return std::string();
      mnemonic = mnemonic || std::strchr("^~<>!@#$%&*{}[]|", char(word[k])) != nullptr;
      bytes.push_back(BYTE(word[k]));
    }
  }
  // Only a text that reads as a printer's characters: a named control byte, the marks its commands use, or a word
  // of a text command, whose blank before the value the reader drops at the line's end.
  const bool word = letters && bytes.size() >= 3;
  if (bytes.empty() || !(named || mnemonic || word)) return std::string();
  return std::string("; if ") + (named ? "these are the names and characters" : "these are the characters") +
         " the printer reads, write " + Quoted(Ascii(HexPairs(bytes.data(), DWORD(bytes.size())).c_str())) +
         (word && !named && !mnemonic ? ", with 20 after it if the printer's manual has a blank before the value"
                                      : std::string());
}

// A command of hexadecimal pairs written as another program writes them ("0x1B, 0x44", "\x1B\x44", "1Bh 44h",
// "1B-44", the tabs of a spreadsheet, digits typed full-width, quotes): the pairs without the marks, or empty when
// that is no hexadecimal text either.
WString PairsOf(const WString &text) {
  WString pairs;
  for (size_t i = 0; i < text.size(); ++i) {
    const WCHAR c = text[i];
    const bool prefix = (c == '\\' || (c == '0' && (i == 0 || !IsHexDigit(text[i - 1])))) && i + 1 < text.size() &&
                        (text[i + 1] | 0x20) == 'x';
    const bool suffix = (c | 0x20) == 'h' && i >= 2 && IsHexDigit(text[i - 1]) && IsHexDigit(text[i - 2]);
    if (prefix) ++i;
    // A manual's "<1B>H": the pair in angle brackets, and H for hexadecimal after them.
    const bool bracketed =
        (c | 0x20) == 'h' && i >= 3 && text[i - 1] == '>' && IsHexDigit(text[i - 2]) && IsHexDigit(text[i - 3]);
    if (prefix || suffix || bracketed || c == ',' || c == '-' || c == ':' || c == '"' || c == '\'' || c == '\t' ||
        c == ' ' || c == '<' || c == '>') {
      if (!pairs.empty() && pairs.back() != ' ') pairs += ' ';
      continue;
    }
    // Typed full-width, or from print with O for 0 and l for 1.
    const WCHAR plain = c >= 0xFF01 && c <= 0xFF5E ? WCHAR(c - 0xFEE0) : c;
    const WString digit = DigitsMeant(WString(1, plain));
    pairs += digit.empty() ? plain : digit[0];
  }
  while (!pairs.empty() && pairs.back() == ' ') pairs.pop_back();
  return !pairs.empty() && CheckHexText(pairs.c_str()).fault == HexTextCheck::kWhole ? pairs : WString();
}

// A manual's placeholder for a command's parameter ("n", "nn", "<n>"), folded to lower case.
bool IsPlaceholder(const std::string &folded) {
  static const std::set<std::string> kPlaceholders = {"n",   "nn",  "nnn", "nnnn", "x", "xx", "xxx",
                                                      "<n>", "(n)", "[n]", "{n}",  "#", "##", "?",
                                                      "??",  "p",   "pp",  "v",    "vv"};
  return kPlaceholders.count(folded) != 0;
}

// A command typed from a manual's decimal column ("27 115 68"): the bytes its groups give as decimal numbers, or
// none when a group is no decimal code of a byte.
std::vector<BYTE> DecimalCodes(const WString &text) {
  std::vector<BYTE> codes;
  for (size_t from = 0; from < text.size();) {
    const size_t to = std::min(text.find(WCHAR(' '), from), text.size());
    const WString group = text.substr(from, to - from);
    if (!group.empty() && (group.size() > 3 || !IsPlainDecimal(group) || std::stoi(Utf8(group)) > 255)) return {};
    if (!group.empty()) codes.push_back(BYTE(std::stoi(Utf8(group))));
    from = to + 1;
  }
  return codes;
}

std::string DecimalCodesHint(const WString &text) {
  const std::vector<BYTE> codes = DecimalCodes(text);
  return "; the groups read as decimal codes, as a manual's decimal column gives them: in hexadecimal write " +
         Quoted(Ascii(HexPairs(codes.data(), DWORD(codes.size())).c_str()));
}

// A title the page shows as its author wrote it: not empty, and not lost to a code page (U+FFFD, or all '?').
bool ShownAsWritten(const WString &text) {
  return !text.empty() && text.find(WCHAR(0xFFFD)) == WString::npos &&
         text.find_first_not_of(Ascii("? ")) != WString::npos;
}

// Declared entries past the highest listed number: the walk reads them with an empty key, and they are told as one
// run from the first of them.
struct UnlistedRun {
  long from = 0;
  std::vector<LONG> shown;  // the slots of those the page shows
  // Takes entry `number` into the run when it lies past `listed`.
  bool Take(long number, long listed, LONG slot) {
    if (number <= listed) return false;
    if (!from) from = number;
    if (slot >= 0) shown.push_back(slot);
    return true;
  }
};

class Walker {
 public:
  Walker(const CheckedFile &file, const std::vector<WString> &misspelt, Findings &findings)
      : misspelt_(misspelt), ini_(file.ini), catalogue_(file.catalogue), account_(file.account),
        everyListed_(file.everyListed), findings_(findings), known_(file.known),
        suffix_(LanguageSuffix(file.language.load.language)),
        languageName_(file.language.load.language == kChineseLanguage ? "Chinese" : "English") {}

  void Run();

 private:
  WString Read(const WString &section, const WString &key) const { return ReadWhole(ini_, section, key); }
  int Line(const WString &section, const WString &key) const { return ini_.LineOf(section.c_str(), key.c_str()); }
  bool Has(const WString &section, const WString &key) const { return !Read(section, key).empty(); }
  bool HasSection(const WString &section) const { return SectionLine(ini_, section) > 0; }

  // Numbers and widths of the reads the page depends on.
  // True when it told the number as no plain number; `consequence` completes the finding then.
  // `digits`: the advice for a number in other characters when no hint names the slip.
  bool CheckNumber(const AccountRead *read, const std::string &consequence = std::string(),
                   const std::string &digits = kDecimalDigitsHint);
  void CheckWidth(const AccountRead *read);
  std::string RuleCutHint(const AccountRead *rule, const WString &whole) const;
  void CheckTitle(const AccountRead *read);
  void CheckCommandText(const AccountRead *read, const std::string &consequence, bool tail);
  void CheckFilter(const AccountRead *read, const std::string &what);
  void CheckTailInInstruction(const AccountRead *instruction, LONG slot, LONG itemSlot, const std::string &where);
  // `itemKey`: of an item's title, whose language without any of the item's lines is told as untranslated instead.
  void NoteTitles(const WString &key, LONG n, const WString &titleKey, const std::string &what, int fallbackLine,
                  const WString &itemKey = WString());
  bool ClassGone(const WString &key, LONG n, const WString &numberName, int declaredLine);
  void TellShiftedLists();
  void DropShiftedKeysSymptoms();
  // A key the loader reads and does not find: one finding, on the line of the entry that was probably meant for
  // it (which then tells nothing else), or on `fallbackLine`. True when such an entry was found.
  // `value`, when known, is the one to write.
  bool MissingKey(const WString &section, const WString &key, int fallbackLine, const char *code,
                  const std::string &consequence, const std::string &value = std::string());
  // Whether a language section gives any item a note.
  bool HasNotes(const WString &section) const;
  // Whether any section of this reading's language gives an item a note.
  bool LanguageHasNotes();
  std::optional<bool> languageHasNotes_;
  // The sections, other than `section`, that hold `key` where the plug-in does not read it there.
  std::vector<const IniFile::Section *> SectionsHolding(const WString &key, const WString &section) const;
  // The same for a whole section; told once however many keys the loader looks for in it.
  void MissingSection(const WString &section, int fallbackLine, const char *code, const std::string &consequence,
                      const WString &signatureKey = WString());
  // Shown classes (n 0) or items of class n that the file lists past the declared count: the loader never reads
  // them. Told on the count's line; true when there are any.
  // *renumbered: its advice numbers the list anew without its gaps, which mends the entries missing there too.
  bool ListedBeyondCount(LONG n, long declared, const AccountRead *count, const std::string &what,
                         bool *renumbered = nullptr);
  // The highest number the file lists: of a class (n 0), or of an item of class n.
  LONG HighestListed(LONG n) const;
  // For entry `missing` of list n (0: the classes) with listed entries after it: both mends, to write it or to number
  // the rest down, as one taken out of the middle needs. Empty when nothing is listed after it, or when a line of
  // `section` was meant for it.
  // Whether the file has a title, note or rule of an item, in either language.
  bool DescribedItem(const WString &classKey, LONG n, const WString &itemKey) const;
  std::string TakenOutHint(const WString &section, LONG n, LONG missing) const;
  std::string RoomForItems() const;
  // A second [SectionNN] of a number the file has already, not yet named for a class, whose items all have titles
  // in class `classKey`'s language section: its list, merged in from another file and not renumbered. Or nullptr.
  const IniFile::Section *RepeatedList(const WString &classKey, LONG n);
  // For a count the file does not give as a number: "; write ItemCount=4 (Item01 to Item04 are listed)", or empty
  // when nothing is listed.
  std::string ListedHint(LONG n, const AccountRead *count) const;
  // Declared entries from `first` to `last` that the file does not list, told as one finding; true when it names
  // the entry meant for the first.
  bool DeclaredMissing(const WString &section, FileField numbered, long declared, long first, long last,
                       const std::string &countKey, const std::string &where, const std::string &shown);
  // What the page and Set All make of shown entries that have no key: classes (`classSlot` -1, `slots` are class
  // slots) or items of class `classSlot`. Empty when there are none.
  std::string Unnamed(LONG classSlot, const std::vector<LONG> &slots) const;

  // The misnumbered names of a section ("Item001"): a finding that names one as the entry meant tells them all.
  void ClaimMisnumbered(const WString &section) {
    if (const IniFile::Section *found = FirstSection(ini_, section))
      for (const IniFile::Entry &entry : found->entries)
        if (IsMisnumbered(ini_.Text(entry.name, entry.nameLength))) findings_.Claim(entry.line);
  }
  // A default the file does not give, where nothing else tells it: the whole section lost, or one line of a
  // section that gives the class's other items theirs. Gathered, and told by TellMissingDefaults for the class and
  // at the end of the walk for lost sections.
  void MissingDefault(const AccountRead *read, LONG n, LONG m, LONG slot, LONG itemSlot);
  void TellMissingDefaults(const WString &section, const WString &classKey);
  void CheckSection(const LoadAccount::Entry &entry, const WString &key);
  void CheckItem(LONG n, LONG m, LONG slot, LONG itemSlot, const WString &sectionKey, const WString &itemKey);
  // A shown item whose instruction is a whole hexadecimal text: its bytes, and the item as findings name it.
  struct ShownCommand {
    const AccountRead *instruction;
    std::vector<BYTE> bytes;
    LONG slot, itemSlot;
    int keyLine;  // the line that lists the item
    std::string name;
    const SettingsCatalogue *catalogue;
    const SettingsItem &item() const { return catalogue->Sections[slot].Items[itemSlot]; }
  };
  std::vector<ShownCommand> ShownCommands() const;
  void CheckSetAll(const std::vector<ShownCommand> &shown);
  void CheckCommandShapes(const std::vector<ShownCommand> &shown);
  void ReportTitles();
  // Whether no shown item of class n found a title or a rule type in this reading.
  bool NothingFor(LONG n) const;
  // For an item of class `sectionKey` that finds no name of its own: the key its class's sections name it by
  // (one slip away, or the one key they have that no listed item takes), with the lines of those names.
  // For the title `titleKey` missing from a class's language section `section`: the one title key of the section
  // that no listed item takes and `twin`, the class's section of the other language, lacks, where the twin has
  // `titleKey` (an item renamed in the list and in one language only). Empty when there is none, or more than one.
  MeantEntry RenamedInTwin(const WString &section, const WString &twin, const WString &titleKey) const;
  // A key written twice in `section` whose second line was meant as `key`, the next number's ("Item02Instruction"
  // again where Item03Instruction is missing): that line and the name repeated, or line 0.
  std::pair<int, WString> RepeatMeantAs(const WString &section, const WString &key);
  // A shown class of actions only: every Set All runs them, where a class for service staff is meant to be hidden.
  void TellClassesOfActions();
  // For a repeat of an item's key meant for another item, the other repeated lines of that item, to rename with it.
  std::string CopiedWith(const WString &section, const WString &written, const WString &meant);
  // The finding of the section's keys standing under item lines of another number (items renumbered), or nullptr.
  const Finding *Shifted(const WString &section) const;
  MeantEntry MeantItemKey(const WString &sectionKey, LONG n, const WString &itemKey, std::vector<int> &lines) const;
  // The read of the list entry of class `classKey` that names item `itemKey`, or nullptr.
  const AccountRead *ListedIn(const WString &classKey, const WString &itemKey) const;
  // Another listed class whose sections hold keys of item `itemKey` (their lines into `lines`), or empty.
  WString ClassHolding(const WString &sectionKey, const WString &itemKey, std::vector<int> &lines) const;
  // A listed item none of whose lines (titles, rules, default) the sections of its class have in any language, and
  // no other class's or misspelt key holds: taken out and left on the list. Told once, with both ways out; true when
  // it is, and its missing lines are not told one by one.
  bool ItemGone(LONG n, LONG m, LONG slot, LONG itemSlot, const WString &sectionKey, const WString &itemKey,
                const std::string &where);
  // An item none of whose lines this language's sections of its class have, where the other language's have them:
  // an item added and never translated. Told once, with the lines to add; true when it is.
  bool ItemUntranslated(LONG n, const WString &sectionKey, const WString &itemKey, const std::string &where);
  // The same, for the language of `suffix`, without telling it: the keys the other language has and their lines.
  bool Untranslated(LONG n, const WString &sectionKey, const WString &itemKey, LPCWSTR suffix, std::string *names,
                    std::string *lines) const;

  const std::vector<WString> &misspelt_;  // class keys told as the mistake: nothing more is told of them
  const IniFile &ini_;
  const SettingsCatalogue &catalogue_;
  const LoadAccount &account_;
  const LoadAccount &everyListed_;
  Findings &findings_;
  // Whether Set All sends anything: a text of an odd number of digits leaves it empty or paired wrong.
  const bool setAllSends_ = BuildAllItemsJob(catalogue_).count > 0;
  const KnownNames &known_;
  LPCWSTR suffix_;
  const char *languageName_;
  const WString names_ = kNamesSection;
  // By folded section: the key each repeated numbered key was probably meant as, and the repeat's line.
  std::map<std::string, std::map<std::string, std::pair<int, WString>>> repeats_;
  int titlesPresent_[2] = {0, 0};
  std::vector<MissingTitle> missingTitles_[2];
  std::vector<std::string> missingSections_;  // folded names already told
  std::map<std::pair<std::string, WString>, int> shownTitles_;  // (folded section, title as shown) -> its line
  std::set<int> repeatedLists_;               // lines of second [SectionNN] headers already named for a class
  struct ListOffset {
    LONG by;         // how many places away the class whose items a list holds stands in [SectionNames]
    int line;        // the line of the item that was told
    WString holder;  // that class
  };
  std::map<LONG, std::vector<ListOffset>> listOffsets_;  // by class number: its items that are another class's
  std::vector<std::string> lostDefaults_;     // default sections lost where other classes have theirs
  int lostDefaultsLine_ = 0;
  bool decimalTailTold_ = false;              // a tail in decimal, told with the first command in decimal codes
  std::vector<std::string> missingDefaults_;  // items of the class at hand without a default
  std::string firstMissingBytes_;
};

bool Walker::CheckNumber(const AccountRead *read, const std::string &consequence, const std::string &digits) {
  if (!read || !read->line) return false;
  WString raw = Read(read->section, read->key);
  if (raw.empty()) return false;
  // Leading zeros aside, eleven characters hold every 32-bit number; eighteen are read whole. A wide or no-break
  // blank after it ("15　", from a Chinese input mode) leaves it as meant.
  const WString seen = SeenIn936(raw);  // in a file of code page 936, as its author's editor shows it
  WString number = seen.empty() ? raw : seen;
  while (!number.empty() && number.back() >= 0x80 && PlainForm(number.back()) == ' ') number.pop_back();
  number = Trimmed(number);
  bool plain = IsPlainDecimal(number) && number.size() <= 18 && std::stoll(Utf8(number)) == read->value;
  // The key written again below (an old line kept above a new one): the finding on the repeat tells which is read,
  // and how this line is written is beside the point.
  // (A header glued to this value is why the key stands twice, and is told here.)
  const IniFile::Section *holder = plain || !GluedHeaderHint(raw).empty() ? nullptr : FirstSection(ini_, read->section);
  if (holder && std::count_if(holder->entries.begin(), holder->entries.end(), [&](const IniFile::Entry &entry) {
                  return SameName(ini_.Text(entry.name, entry.nameLength), read->key);
                }) > 1)
    return true;
  if (!plain && IsWholeDecimal(raw, read->value)) {
    findings_.Add(read->line, "whole-decimal", Place(read->section, read->key) + " = " + Quoted(raw));
    return false;
  }
  if (!plain && LetterForDigit(raw, read->value)) {
    findings_.Add(read->line, "letter-for-digit",
                  LetterForDigitMessage(Place(read->section, read->key), raw, read->value));
    return false;
  }
  if (!plain && NumberThenRemark(raw, read->value)) {
    findings_.Add(read->line, "remark-after-number",
                  Place(read->section, read->key) + " = " + Quoted(raw) + ": the plug-in reads " +
                      std::to_string(read->value) + ", as meant" + RemarkHint(raw));
    return false;
  }
  if (!plain) {
    // The hints that name the slip; else what to write: the number read, when a hexadecimal one was read as meant.
    // Text in other characters reads otherwise in each language, and its hints say what to type.
    std::string hint = RemarkHint(raw) + PlainHint(raw) + JoinedHint(raw);
    if (hint.empty()) hint = GluedHeaderHint(raw);
    const bool hex = raw.size() > 2 && raw[0] == '0' && (raw[1] | 0x20) == 'x' && read->value != 0;
    const bool ascii = std::all_of(raw.begin(), raw.end(), [](WCHAR c) { return c < 0x80; });
    // A consequence that carries its own advice (an option's text, rows to tick, the count listed) says what to
    // write; else a spreadsheet's or a program's forms of the number meant, and '=' typed twice.
    const bool advised = consequence.find("; ") != std::string::npos &&
                         consequence.find(kOptionTextHint) == std::string::npos;  // told alike in both readings
    if (hint.empty() && !advised) hint = NumberHint(raw);
    if (hint.empty() && !advised && WordMeant(raw))
      hint = "; " + Quoted(raw) + " is " + WordMeant(raw) + " to a program: write " + WordMeant(raw);
    if (hint.empty() && !advised) hint = DigitsMeantHint(raw);
    if (hint.empty() && !advised && raw[0] == '=' && IsPlainDecimal(Trimmed(raw.substr(1))))
      hint = "; '=' is written twice: write " + Utf8(Trimmed(raw.substr(1)));
    if (hint.empty() && ascii && consequence.find("; ") == std::string::npos)
      hint = hex ? "; write " + std::to_string(read->value) : digits;
    findings_.Add(read->line, "not-a-number",
                  Place(read->section, read->key) + " = " + Quoted(raw) + " is not a plain decimal number: the plug-in reads " +
                      std::to_string(read->value) + consequence + hint);
  }
  return !plain;
}

// An Enum rule cut to its field loses its last options: which the page still offers, and for a run of numbers
// ("1=1 2=2 ... 200=200") the Serial rule that offers them all.
std::string Walker::RuleCutHint(const AccountRead *rule, const WString &whole) const {
  const AccountRead *type = account_.Find(FileField::RuleType, rule->sectionNumber, rule->itemNumber);
  if (!type || lstrcmpiW(type->text.c_str(), kEnumRuleType) != 0) return std::string();
  std::vector<std::pair<LONG, WString>> all;
  SettingsOption *options = nullptr;
  const DWORD count = ParseOptionRule(type->text.c_str(), whole.c_str(), &options);
  for (SettingsOption *option = options; option && all.size() < count; option = option->Next)
    all.emplace_back(option->Value, FieldText(option->Text));
  FreeOptionList(options, count);
  SettingsOption *keptOptions = nullptr;
  const DWORD kept = ParseOptionRule(type->text.c_str(), rule->text.c_str(), &keptOptions);
  WString last;  // the last option's text as the page shows it, which the cut may fall in
  DWORD n = 0;
  for (SettingsOption *option = keptOptions; option && n < kept; option = option->Next, ++n)
    last = Trimmed(FieldText(option->Text));
  FreeOptionList(keptOptions, kept);
  if (kept == 0 || kept > all.size()) return std::string();
  const std::string lastShown = last == Trimmed(all[kept - 1].second)
                                    ? Quoted(last)
                                    : Quoted(last) + ", cut from " + Quoted(all[kept - 1].second);
  if (kept == all.size())
    return last == Trimmed(all[kept - 1].second)
               ? std::string()
               : "; the page shows its last option as " + lastShown + "; " + Shorten(rule->width - 1);
  std::string hint = "; the page offers " + std::to_string(kept) + " of its " + std::to_string(all.size()) +
                     " options, up to " + lastShown + ", and none from " + Quoted(all[kept].second);
  // Texts that are their values, with one unit after them, at one step: a range of numbers.
  const long long step = all.size() > 2 ? (long long)all[1].first - all[0].first : 0;
  const WString unit = all[0].second.substr(std::min(all[0].second.size(), std::to_string(all[0].first).size()));
  bool run = step > 0;
  for (size_t i = 0; run && i < all.size(); ++i)
    run = (i == 0 || all[i].first - all[i - 1].first == step) &&
          Utf8(all[i].second) == std::to_string(all[i].first) + Utf8(unit);
  return hint +
         (run ? "; for a run of numbers write " + Utf8(type->key) + "=Serial and " + Utf8(rule->key) +
                    "=MIN=" + std::to_string(all.front().first) + " MAX=" + std::to_string(all.back().first) +
                    " STEP=" + std::to_string(step) + (Trimmed(unit).empty() ? std::string() : " TITLE=" + Utf8(unit))
              : "; " + Shorten(rule->width - 1));
}

void Walker::CheckWidth(const AccountRead *read) {
  if (!read || !read->line) return;
  WString raw = Read(read->section, read->key);
  if (raw.size() <= read->width - 1) return;
  const std::string hint = read->field == FileField::Rule ? RuleCutHint(read, raw) : std::string();
  findings_.Add(read->line, "text-cut",
                Place(read->section, read->key) + " has " + std::to_string(raw.size()) + " characters and is cut to " +
                    std::to_string(read->width - 1) + ": " + Quoted(raw.substr(0, read->width - 1)) +
                    (hint.empty() ? "; " + Shorten(read->width - 1) : hint) +
                    (read->field == FileField::ItemKey || read->field == FileField::SectionKey
                         ? ", here and in every section that names it"
                         : std::string()));
}

void Walker::CheckTitle(const AccountRead *read) {
  if (!read) return;
  constexpr size_t kShown = kShownTitleChars - 1;  // the page shows titles through its own buffer
  // The page's cut is shorter than the loader's: it is the one to tell, whatever the loader kept. Two titles that
  // differ only past it show as two rows alike.
  const auto shown =
      shownTitles_.emplace(std::make_pair(FoldedName(read->section), read->text.substr(0, kShown)), read->line);
  if (read->text.size() > kShown)
    findings_.Add(read->line, "title-cut",
                  Place(read->section, read->key) + " has " + std::to_string(Read(read->section, read->key).size()) +
                      " characters: the page shows only the first " + std::to_string(kShown) + ", " +
                      Quoted(read->text.substr(0, kShown)) +
                      (shown.second ? std::string()
                                    : ", as it shows the title of line " + std::to_string(shown.first->second) +
                                          ": the two rows read alike") +
                      "; " + Shorten(kShown));
}

// Command texts become bytes only when they are blanks and whole pairs of hexadecimal digits.
void Walker::CheckCommandText(const AccountRead *read, const std::string &consequence, bool tail) {
  if (!read) return;
  const HexTextCheck check = CheckHexText(read->text.c_str());
  const std::string where = Place(read->section, read->key);
  // A command cut to its field is other bytes than written: an error, told with what remains of it.
  const WString raw = read->line ? Read(read->section, read->key) : WString();
  if (raw.size() > read->width - 1) {
    // The blanks between pairs are for reading only: without them the command may fit.
    WString packed;
    for (WCHAR c : raw)
      if (c != ' ') packed += c;
    const bool fits = packed.size() <= read->width - 1 && CheckHexText(packed.c_str()).fault == HexTextCheck::kWhole;
    findings_.Add(read->line, "command-cut",
                  where + " has " + std::to_string(raw.size()) + " characters and is cut to " +
                      std::to_string(read->width - 1) + ", " + Quoted(read->text) + ", losing " +
                      Quoted(raw.substr(read->width - 1)) + ": " +
                      (check.fault == HexTextCheck::kWhole ? "the printer gets the cut command" : consequence) +
                      (fits ? "; write it without blanks, " + Quoted(packed)
                       : CheckHexText(packed.c_str()).fault == HexTextCheck::kWhole
                           ? "; the field holds " + std::to_string((read->width - 1) / 2) +
                                 " bytes at most, written without blanks, and this command has " +
                                 std::to_string(packed.size() / 2) + ": leave out what the printer does not need " +
                                 (read->field == FileField::Instruction ? "with the item's value" : "in every job")
                           : std::string()));
    return;
  }
  if (check.fault == HexTextCheck::kNotHex) {
    // A manual's placeholder for the parameter ("1B 73 52 nn"): the page adds the parameter bytes itself.
    const size_t from = read->text.rfind(WCHAR(' '), check.position) == WString::npos
                            ? 0
                            : read->text.rfind(WCHAR(' '), check.position) + 1;
    const WString token = read->text.substr(from, read->text.find(WCHAR(' '), check.position) - from);
    std::string folded;
    // Full-width digits and letters typed in a Chinese input mode are the pairs meant, not a placeholder.
    for (WCHAR c : token)
      folded += c < 0x80 ? char(std::tolower(c)) : PlainForm(c) ? char(std::tolower(PlainForm(c))) : '?';
    if (IsPlaceholder(folded)) {
      findings_.Add(read->line, "bad-command-text",
                    where + " holds " + Quoted(token) + ", a placeholder for the parameter: " + consequence +
                        "; delete it: the page writes the parameter after the command itself, as ParameterCount and "
                        "the rule say");
      return;
    }
    // A look-alike of a blank or of a quotation mark (a web page's no-break space, an editor's curly quotes): the
    // command meant has the blank, and no marks.
    const WCHAR bad = read->text[check.position], plain = bad < 0x80 ? 0 : PlainForm(bad);
    WString meant;
    for (WCHAR c : read->text) {
      const WCHAR ascii = c < 0x80 ? c : PlainForm(c) ? PlainForm(c) : c;
      if (ascii != '"' && ascii != '\'') meant += ascii;
    }
    meant = Trimmed(meant);
    std::string lookAlike;
    // A character no editor shows is named, and where it stands.
    WString shown;  // the character as the blank it looks like, between pairs
    for (WCHAR c : read->text)
      if (!IsInvisible(c))
        shown += c;
      else if (!shown.empty() && shown.back() != ' ')
        shown += ' ';
    if (IsInvisible(bad) && !plain && CheckHexText(shown.c_str()).fault == HexTextCheck::kWhole) {
      findings_.Add(read->line, "bad-command-text",
                    where + " holds " + CharacterName(bad) + ", which an editor does not show, and which is no " +
                        "hexadecimal digit: " + consequence + "; delete it: write " + Quoted(Trimmed(shown)),
                    HiddenColumn(ini_, read->line, true));
      return;
    }
    if (plain && CheckHexText(meant.c_str()).fault == HexTextCheck::kWhole)
      lookAlike = "; " + CharacterName(bad) +
                  (plain == ' '                    ? " is no plain blank"
                   : plain == '"' || plain == '\'' ? " is no straight quotation mark, which the reader drops around a "
                                                     "value: it keeps this one"
                                                   : " is no " + Quoted(WString(1, plain))) +
                  ": write " + Quoted(meant);
    const WString pairs = PairsOf(read->text);
    const std::string joined = JoinedHint(read->text);  // a line end lost between two entries
    findings_.Add(
        read->line, "bad-command-text",
        where + " holds " + Quoted(WString(1, bad)) +
            ", which is neither a blank nor a hexadecimal digit: " + consequence + RemarkHint(read->text) +
            (!joined.empty()      ? joined
             : !lookAlike.empty() ? lookAlike
             : pairs.empty()      ? CommandAsBytes(read->text)
             // O for 0 and l for 1 are a guess: the manual tells whether the byte was meant so.
             : bad == 'O' || bad == 'o' || bad == 'l' || bad == 'I'
                 ? "; if the " + Quoted(WString(1, bad)) + " is the digit " + (bad == 'l' || bad == 'I' ? "1" : "0") +
                       ", write " + Quoted(pairs) + "; else write the byte the printer's manual gives"
                 : "; write " + Quoted(pairs)),
        IsInvisible(bad) ? HiddenColumn(ini_, read->line, true) : 0);
    return;
  }
  if (tail && read->text.size() == 1) {
    findings_.Add(read->line, "tail-one-char",
                  where + " has one character, which is not a byte: it is left out of every command; write the "
                  "byte as two hexadecimal digits" + (check.digits ? ", 0" + Utf8(read->text) : std::string()));
    return;
  }
  if (check.fault != HexTextCheck::kOddDigits) return;
  // The group of digits between blanks that is odd: a lone digit lost its 0, a longer group a digit.
  WString odd;
  for (size_t from = 0; from < read->text.size() && odd.empty();) {
    const size_t to = std::min(read->text.find(WCHAR(' '), from), read->text.size());
    if ((to - from) % 2) odd = read->text.substr(from, to - from);
    from = to + 1;
  }
  // Codes copied from a manual's decimal column ("27 101 83"): every group the decimal number of a byte, and the odd
  // one of three digits.
  std::string asCodes;
  if (!DecimalCodes(read->text).empty() && odd.size() == 3) {
    asCodes = DecimalCodesHint(read->text);
    odd.clear();
    // The tail of such a file is a decimal code too, whose two digits read as another byte ("13" for 0D): told
    // once, with the first command.
    const AccountRead *tail = account_.Find(FileField::InstructionTail, 0);
    const WString tailText = tail && tail->line ? Read(tail->section, tail->key) : WString();
    // (A code below 10 reads as the same byte either way: nothing to mend.)
    const BYTE byte = tailText.size() >= 2 && tailText.size() <= 3 && IsPlainDecimal(tailText)
                          ? BYTE(std::min(255, std::stoi(Utf8(tailText))))
                          : 0;
    if (!decimalTailTold_ && byte >= 10 && std::stoi(Utf8(tailText)) <= 255) {
      decimalTailTold_ = true;
      asCodes += "; so is InstructionTail=" + Utf8(tailText) + " (line " + std::to_string(tail->line) +
                 "), which reads as the byte " + Utf8(tailText) + ": write " + HexPairs(&byte, 1);
    }
  }
  findings_.Add(read->line, "odd-hex-digits",
                where + " has an odd number of hexadecimal digits (" + std::to_string(check.digits) +
                    "): " + consequence + asCodes +
                    (odd.empty() ? std::string()
                                 : "; " + Quoted(odd) +
                                       " lacks a digit or has one too many: write each byte as two "
                                       "digits, as the printer's manual gives it"));
}

// The encoder ends every item's command with the InstructionTail after the value: an instruction that already ends
// with it has the printer read the command as ended before the value comes.
void Walker::CheckTailInInstruction(const AccountRead *instruction, LONG slot, LONG itemSlot,
                                    const std::string &where) {
  BYTE tail[ARRAYSIZE(SettingsCatalogue{}.InstructionTail)], command[ARRAYSIZE(SettingsItem{}.Instruction)];
  const DWORD tailBytes = HexTextToBytes(catalogue_.InstructionTail, tail, sizeof tail);
  const DWORD commandBytes = HexTextToBytes(instruction->text.c_str(), command, sizeof command);
  const std::string sent =
      ItemBytes(catalogue_, slot, itemSlot, catalogue_.Sections[slot].Items[itemSlot].CurrentValue);
  // With no tail, a line end written at the end of one instruction goes out before the value that follows it.
  // (A lone 0D or 0A may be a byte of the command itself.)
  const DWORD lineEnd =
      commandBytes > 2 && command[commandBytes - 2] == 0x0D && command[commandBytes - 1] == 0x0A ? 2 : 0;
  if (!tailBytes && lineEnd && sent.size() > HexPairs(command, commandBytes).size()) {
    const std::string end = HexPairs(command + commandBytes - lineEnd, lineEnd);
    findings_.Add(instruction->line, "tail-in-instruction",
                  Place(instruction->section, instruction->key) + " ends with " + end +
                      ", a line end, which goes out before the value: " + where + " is sent as " + sent +
                      "; write InstructionTail=" + end + " in [" + Utf8(kNamesSection) +
                      "], which the page adds after every value, and leave it out of the instruction");
    return;
  }
  if (!tailBytes || commandBytes <= tailBytes || memcmp(command + commandBytes - tailBytes, tail, tailBytes) != 0)
    return;
  findings_.Add(instruction->line, "tail-in-instruction",
                Place(instruction->section, instruction->key) + " ends with " + HexPairs(tail, tailBytes) +
                    ", the InstructionTail, which the page adds after the value itself: " + where + " is sent as " +
                    sent + "; leave the tail out of the instruction");
}

// A filter value is a number: a word reads as 0 and hides what it filters.
void Walker::CheckFilter(const AccountRead *read, const std::string &what) {
  if (!read || !read->line) return;
  WString raw = Read(read->section, read->key);
  if (raw.empty()) {
    // A cell left blank: the page shows, as for a line not written, which is mostly what a blank cell means.
    findings_.Add(read->line, "empty-filter",
                  Place(read->section, read->key) + " is empty: the plug-in reads " + std::to_string(read->value) +
                      ", as if the line were not there, and shows " + what + "; write 1 to show it, 0 to hide it");
    return;
  }
  if (IsWholeDecimal(raw, read->value)) {
    findings_.Add(read->line, "whole-decimal", Place(read->section, read->key) + " = " + Quoted(raw));
    raw = raw.substr(0, raw.find(WCHAR('.')));
  }
  // Only 0 hides: -1 (a true of some languages) or 2 shows as 1 does.
  if (IsPlainDecimal(raw)) {
    if (read->value != 0 && read->value != 1)
      findings_.Add(read->line, "filter-word",
                    Place(read->section, read->key) + " = " + Utf8(raw) + ": the plug-in shows " + what +
                        ", since only 0 hides; write 1 to show it, 0 to hide it");
    return;
  }
  if (LetterForDigit(raw, read->value)) {
    findings_.Add(read->line, "letter-for-digit",
                  LetterForDigitMessage(Place(read->section, read->key), raw, read->value));
    return;
  }
  if (NumberThenRemark(raw, read->value) && (read->value == 0 || read->value == 1)) {
    findings_.Add(read->line, "remark-after-number",
                  Place(read->section, read->key) + " = " + Quoted(raw) + ": the plug-in reads " +
                      std::to_string(read->value) + (read->value == 0 ? " and hides " : " and shows ") + what +
                      ", as meant" + RemarkHint(raw));
    return;
  }
  const std::string message = Place(read->section, read->key) + " = " + Quoted(raw) +
                              " is not a number: the plug-in reads " + std::to_string(read->value) +
                              (read->value == 0 ? " and hides " : " and shows ") + what;
  // A number followed by a remark or a word ("0 ; service only") reads as its number, as meant; a capital 0X
  // ends the number at its 0.
  size_t digits = 0;
  while (digits < raw.size() && raw[digits] >= '0' && raw[digits] <= '9') ++digits;
  const bool hexadecimal = digits == 1 && raw.size() > 2 && raw[1] == 'X';
  // A number in other characters ("０", "“0”") or a word of Chinese hides or shows as it says, and is told with
  // what to type; text saved in code page 936 says it as its editor shows it.
  const WString seen = SeenIn936(raw), &says = seen.empty() ? raw : seen;
  const std::string plain = PlainHint(says);
  const size_t remark = RemarkAt(says);
  const bool saysHide = SaysHide(Trimmed(remark == WString::npos ? says : says.substr(0, remark))) ||
                        (!plain.empty() && PlainText(says) == Ascii("0"));
  if (digits > 0 && !hexadecimal && std::to_string(read->value) == Utf8(raw.substr(0, digits)))
    findings_.Add(read->line, "filter-word",
                  message + ", as its number says" + RemarkHint(raw) + "; write 1 or 0 alone");
  else if (read->value == 0 && !saysHide)
    findings_.Add(
        read->line, "filter-not-number",
        message + RemarkHint(raw) +
            (hexadecimal ? "; a capital 0X is no hexadecimal to the reader, which reads the 0 before it" : plain) +
            "; write 1 to show it, 0 to hide it");
  else if (!plain.empty())
    findings_.Add(read->line, "filter-word", message + ", as it says" + plain);
  else
    findings_.Add(read->line, "filter-word",
                  message + RemarkHint(raw) +
                      (read->value == 0 ? "; write 0 to keep it hidden, 1 to show it"
                                        : "; write 1 to keep it shown, 0 to hide it"));
}

const Finding *Walker::Shifted(const WString &section) const {
  const std::string list = "[" + Utf8(section) + "] ";
  for (const Finding &finding : findings_.list())
    if (finding.code == "keys-shifted" && finding.message.compare(0, list.size(), list) == 0) return &finding;
  return nullptr;
}

std::pair<int, WString> Walker::RepeatMeantAs(const WString &section, const WString &key) {
  auto made = repeats_.emplace(FoldedName(section), std::map<std::string, std::pair<int, WString>>());
  std::map<std::string, std::pair<int, WString>> &meant = made.first->second;
  const IniFile::Section *found = made.second ? FirstSection(ini_, section) : nullptr;
  std::unordered_set<std::string> seen;
  for (size_t i = 0; found && i < found->entries.size(); ++i) {
    const IniFile::Entry &entry = found->entries[i];
    const WString name = ini_.Text(entry.name, entry.nameLength);
    if (seen.insert(FoldedName(name)).second) continue;
    if (const WString next = NextNumbered(name); !next.empty())
      meant.emplace(FoldedName(next), std::make_pair(entry.line, name));
    // An item's lines copied for a new item, the item's key not changed ("TonerSaver_Rule" twice): the one repeat
    // of a kind is meant for the item that lacks its key of that kind (kept under "_Rule" and the like; 0 where
    // several repeat).
    for (const WString &suffix : ItemKeySuffixes())
      if (name.size() > suffix.size() && SameName(name.substr(name.size() - suffix.size()), suffix)) {
        auto kind = meant.emplace(FoldedName(suffix), std::make_pair(entry.line, name));
        if (!kind.second) kind.first->second.first = 0;
      }
  }
  auto repeat = meant.find(FoldedName(key));
  if (repeat != meant.end()) return repeat->second;
  for (const WString &suffix : ItemKeySuffixes())
    if (key.size() > suffix.size() && SameName(key.substr(key.size() - suffix.size()), suffix) &&
        (repeat = meant.find(FoldedName(suffix))) != meant.end())
      return repeat->second;
  return std::make_pair(0, WString());
}

std::string Walker::CopiedWith(const WString &section, const WString &written, const WString &meant) {
  // The other lines of one item copied with it: the repeats of the same item's keys of other kinds.
  WString stem, meantStem;
  for (const WString &suffix : ItemKeySuffixes())
    if (written.size() > suffix.size() && SameName(written.substr(written.size() - suffix.size()), suffix) &&
        meant.size() > suffix.size() && SameName(meant.substr(meant.size() - suffix.size()), suffix)) {
      stem = written.substr(0, written.size() - suffix.size());
      meantStem = meant.substr(0, meant.size() - suffix.size());
    }
  const IniFile::Section *found = stem.empty() ? nullptr : FirstSection(ini_, section);
  std::string also;
  std::unordered_set<std::string> seen;
  for (size_t i = 0; found && i < found->entries.size(); ++i) {
    const IniFile::Entry &entry = found->entries[i];
    const WString name = ini_.Text(entry.name, entry.nameLength);
    if (seen.insert(FoldedName(name)).second || SameName(name, written)) continue;
    for (const WString &suffix : ItemKeySuffixes())
      if (SameName(name, stem + suffix)) {
        also += ", and line " + std::to_string(entry.line) + " as " + Utf8(meantStem + suffix);
        findings_.Drop({entry.line}, {"duplicate-key", "repeated-line"});
        findings_.Claim(entry.line);
      }
  }
  return also;
}

bool Walker::MissingKey(const WString &section, const WString &key, int fallbackLine, const char *code,
                        const std::string &consequence, const std::string &value) {
  MeantEntry meant = MeantKey(ini_, known_, section, key);
  // A copied line not renumbered: the repeat of the number before, which the layout tells as a repeat. (Keys
  // shifted under other item lines are told as that.)
  if (meant.name.empty() && !Line(section, key) && !Shifted(section))
    if (const std::pair<int, WString> repeat = RepeatMeantAs(section, key); repeat.first) {
      findings_.Claim(repeat.first);
      findings_.Add(repeat.first, code,
                    Place(section, key) + " is missing (line " + std::to_string(repeat.first) + " has " +
                        Utf8(repeat.second) + " again, which the plug-in reads once: is it meant as " + Utf8(key) +
                        "? Rename it" + CopiedWith(section, repeat.second, key) + "): " + consequence);
      return true;
    }
  // An item's key left with the number of an item taken out ("Item02Instruction" under "Item01=Speed", no Item02):
  // the one such key of its kind was meant for this item.
  if (meant.name.empty() && !Line(section, key) && !Shifted(section))
    for (LPCWSTR form : {KeyOf(FileField::Instruction).key, KeyOf(FileField::ParameterCount).key}) {
      if (NumberIn(key, form) <= 0) continue;
      const IniFile::Section *found = FirstSection(ini_, section);
      const IniFile::Entry *stranded = nullptr;
      int strandedCount = 0;
      for (size_t i = 0; found && i < found->entries.size(); ++i) {
        const WString name = ini_.Text(found->entries[i].name, found->entries[i].nameLength);
        const long number = NumberIn(name, form);
        if (number > 0 && !ini_.LineOf(section.c_str(), Numbered(KeyOf(FileField::ItemKey).key, number).c_str()))
          stranded = &found->entries[i], ++strandedCount;
      }
      if (strandedCount != 1) continue;
      const WString name = ini_.Text(stranded->name, stranded->nameLength);
      findings_.Claim(stranded->line);
      findings_.Add(stranded->line, code,
                    Place(section, key) + " is missing (line " + std::to_string(stranded->line) + " has " + Utf8(name) +
                        ", and the section lists no item of its number: is it meant as " + Utf8(key) +
                        "? Rename it): " + consequence);
      return true;
    }
  std::string message = Place(section, key) + " is missing", advice;
  int line = fallbackLine;
  if (const int empty = Line(section, key)) {
    // The line is there with nothing after its '=': a cell left blank.
    message = Place(section, key) + " is empty";
    line = empty;
    if (consequence.find("add ") == std::string::npos && consequence.find("write ") == std::string::npos)
      advice = value.empty() ? "; give " + Utf8(key) + " its value" : "; write " + Utf8(key) + "=" + value;
  } else if (const IniFile::Entry *off = meant.name.empty() ? RemarkedEntry(ini_, section, key) : nullptr) {
    // Switched off for a while: the remark mark is what to take off.
    message += RemarkedHint(ini_, off);
    line = off->line;
    findings_.Claim(off->line);
    if (consequence.find("remark mark") == std::string::npos)
      advice = "; take the remark mark off line " + std::to_string(off->line) + " to switch it on again";
  } else if (!meant.name.empty()) {
    // The same slip in the keys made from the name ("Item2Instruction" beside "Item2"): one rename mends them all.
    std::vector<std::string> alike;
    for (const IniFile::Section &other : ini_.sections()) {
      if (!SameName(ini_.Text(other.name, other.nameLength), section) || !IsMisnumbered(meant.name)) continue;
      for (const IniFile::Entry &entry : other.entries) {
        const WString name = ini_.Text(entry.name, entry.nameLength);
        const size_t stem = meant.name.size();
        if (name.size() > stem && SameName(name.substr(0, stem), meant.name) && std::isalpha(int(name[stem] & 0x7F))) {
          alike.push_back(Quoted(name) + " on line " + std::to_string(entry.line));
          findings_.Claim(entry.line);
        }
      }
    }
    message += " (line " + std::to_string(meant.line) + " has " + Quoted(meant.name) +
               ", which the plug-in does not read as " + Utf8(key) +
               (meant.wrapped ? WrapHint(meant) : SlipHint(meant.name, key)) +
               (alike.empty() ? std::string() : "; the same slip stands in " + FirstNames(alike)) + ")";
    if (IsQuotedName(meant.name)) advice = std::string("; ") + kQuotedNameHint;
    line = meant.line;
    findings_.Claim(meant.line);
    if (meant.wrapped) findings_.Claim(meant.wrapped);
  } else if (const std::vector<const IniFile::Section *> others = SectionsHolding(key, section); !others.empty()) {
    // The key itself, in a section that does not read it: told here, where it is to be moved from. Written in
    // several (one for each language's page), it is told once: the plug-in reads one, for both languages.
    std::vector<std::string> places;
    for (const IniFile::Section *other : others) {
      const WString otherName = ini_.Text(other->name, other->nameLength);
      if (places.empty()) line = Line(otherName, key);
      places.push_back("line " + std::to_string(Line(otherName, key)) + " in [" + Utf8(otherName) + "]");
      findings_.Claim(Line(otherName, key));
    }
    const WString first = ini_.Text(others[0]->name, others[0]->nameLength);
    message += others.size() == 1 ? " (line " + std::to_string(line) + " has it in [" + Utf8(first) +
                                        "], where the plug-in does not read it)"
                                  : " (it stands on " + FirstNames(places) + ", where the plug-in does not read it)";
    // The other keys of that section that belong where this one does (an item's rule beside its rule type): they
    // go with it, told here once.
    std::vector<std::string> along;
    for (const IniFile::Entry &entry : others.size() == 1 ? others[0]->entries : std::vector<IniFile::Entry>()) {
      const WString name = ini_.Text(entry.name, entry.nameLength);
      if (entry.line == line || entry.valueLength == WString::npos || IsComment(name) || !known_.IsKey(section, name) ||
          known_.IsKey(first, name) || Line(section, name))
        continue;
      along.push_back(Utf8(name) + " (line " + std::to_string(entry.line) + ")");
      findings_.Claim(entry.line);
    }
    advice = others.size() == 1 ? "; move it" + (along.empty() ? std::string() : ", with " + FirstNames(along) + ",") +
                                      " to [" + Utf8(section) + "]"
                                : "; the plug-in reads one " + Utf8(key) + ", in [" + Utf8(section) +
                                      "]: move one there and delete the others";
  } else if (consequence.find("add ") == std::string::npos && consequence.find("write ") == std::string::npos) {
    // A title or a note is text of the section's language, not a copy of the other's.
    const WString language = Ascii("_Lang") + suffix_;
    const bool text =
        section.size() > language.size() && SameName(section.substr(section.size() - language.size()), language);
    advice = "; add " + Utf8(key) +
             (!value.empty() ? "=" + value
              : text         ? std::string("= and its text in ") + languageName_
                             : std::string("= and its value")) +
             " to [" + Utf8(section) + "]";
  }
  findings_.Add(line, code, message + ": " + consequence + advice, meant.name.empty() ? 0 : HiddenColumn(ini_, line));
  return !meant.name.empty();
}

bool Walker::LanguageHasNotes() {
  // Once for the file: a language that gives any item a note gives them where the other language does.
  if (!languageHasNotes_) {
    languageHasNotes_ = false;
    for (const IniFile::Section &section : ini_.sections()) {
      const WString name = ini_.Text(section.name, section.nameLength);
      if (!Stem(name, suffix_).empty() && HasNotes(name)) {
        languageHasNotes_ = true;
        break;
      }
    }
  }
  return *languageHasNotes_;
}

bool Walker::HasNotes(const WString &section) const {
  const WString suffix = NameOf(FileField::ItemNote, 0, WString());  // "_Note"
  const IniFile::Section *found = FirstSection(ini_, section);
  for (size_t i = 0; found && i < found->entries.size(); ++i) {
    const IniFile::Entry &entry = found->entries[i];
    const WString key = ini_.Text(entry.name, entry.nameLength);
    if (!Stem(key, suffix).empty() && !Read(section, key).empty())
      return true;
  }
  return false;
}

std::vector<const IniFile::Section *> Walker::SectionsHolding(const WString &key, const WString &section) const {
  std::vector<const IniFile::Section *> holding;
  for (const IniFile::Section &candidate : ini_.sections()) {
    const WString name = ini_.Text(candidate.name, candidate.nameLength);
    if (candidate.line == 0 || SameName(name, section) || known_.IsKey(name, key) || !Line(name, key)) continue;
    holding.push_back(&candidate);
  }
  return holding;
}

void Walker::MissingSection(const WString &section, int fallbackLine, const char *code,
                            const std::string &consequence, const WString &signatureKey) {
  const std::string folded = FoldedName(section);
  if (std::find(missingSections_.begin(), missingSections_.end(), folded) != missingSections_.end()) return;
  missingSections_.push_back(folded);
  if (HiddenHeaderLine(ini_, section)) return;  // its header, unseen by the reader, is told on its line
  MeantEntry meant = MeantSection(ini_, known_, section, signatureKey);
  std::string message = "[" + Utf8(section) + "] is missing";
  int line = fallbackLine;
  std::string advice;
  if (!meant.name.empty()) {
    message += " (line " + std::to_string(meant.line) + " has [" + Utf8(meant.name) +
               "], which the plug-in does not read as [" + Utf8(section) + "])";
    line = meant.line;
    findings_.Claim(meant.line);
  } else {
    // Switched off for a while, its header and lines made remarks.
    for (const IniFile::Section &candidate : ini_.sections())
      for (const IniFile::Entry &entry : candidate.entries)
        if (!advice.size() && entry.valueLength == WString::npos &&
            SameName(RemarkedHeader(ini_.Text(entry.name, entry.nameLength)), section)) {
          message += " (line " + std::to_string(entry.line) + " has its header as a remark)";
          line = entry.line;
          advice = "; to switch it on again, take the remark marks off its header and lines";
        }
  }
  findings_.Add(line, code, message + ": " + consequence + advice);
}

void Walker::MissingDefault(const AccountRead *read, LONG n, LONG m, LONG slot, LONG itemSlot) {
  if (!HasSection(read->section)) {
    // Told where other classes have theirs (a section lost in an edit); a misspelt header is told among the
    // sections never read.
    bool othersHave = false;
    for (const LoadAccount::Entry &other : account_.sections)
      othersHave = othersHave || (other.sectionNumber != n &&
                                  HasSection(Name(SectionForm::Defaults, Read(names_, NameOf(FileField::SectionKey,
                                                                                             other.sectionNumber)),
                                                  other.sectionNumber, suffix_)));
    const std::string name = "[" + Utf8(read->section) + "]";
    if (othersHave && MeantSection(ini_, known_, read->section, WString()).name.empty() &&
        std::find(lostDefaults_.begin(), lostDefaults_.end(), name) == lostDefaults_.end()) {
      if (lostDefaults_.empty())
        lostDefaultsLine_ = SectionLine(ini_, Name(SectionForm::Numbered, WString(), n, suffix_));
      lostDefaults_.push_back(name);
    }
    return;
  }
  // A misspelt key, or the key under another section, is told where it stands.
  if (!MeantKey(ini_, known_, read->section, read->key).name.empty() ||
      !SectionsHolding(read->key, read->section).empty())
    return;
  bool othersGiven = false;
  for (const LoadAccount::Entry &other : account_.items.at(n)) {
    const AccountRead *given = other.itemNumber != m ? account_.Find(FileField::Default, n, other.itemNumber) : nullptr;
    othersGiven = othersGiven || (given && given->line);
  }
  const SettingsItem &item = catalogue_.Sections[slot].Items[itemSlot];
  // Without an option of that value, the default matching no option tells it.
  bool option = false;
  for (const SettingsOption *node = item.Options; node; node = node->Next)
    option = option || node->Value == item.DefaultValue;
  if (!othersGiven || !option) return;
  if (missingDefaults_.empty()) firstMissingBytes_ = ItemBytes(catalogue_, slot, itemSlot, item.CurrentValue);
  missingDefaults_.push_back(Utf8(read->key));
}

void Walker::TellMissingDefaults(const WString &section, const WString &classKey) {
  if (missingDefaults_.empty()) return;
  const bool one = missingDefaults_.size() == 1;
  findings_.Add(SectionLine(ini_, section), "default-missing",
                "[" + Utf8(section) + "] gives no default for " + FirstNames(missingDefaults_) +
                    ", though it gives the other items of class " + Utf8(classKey) + " theirs: the page starts " +
                    (one ? "it" : "them") + " at " + std::to_string(KeyOf(FileField::Default).defaultValue) +
                    (one ? ", and Set All sends " + firstMissingBytes_ + "; write " + missingDefaults_.front() +
                               "= and the value it is meant to start at"
                         : std::string("; write a line key=value for each")));
  missingDefaults_.clear();
}

void Walker::TellClassesOfActions() {
  // A SectionEnable=0 the loader does not read (in a section of another name, under an old class key): the finding
  // about that line tells why the class shows.
  std::set<std::string> hidingFilters;  // folded names of the filters that hide a class
  for (const LoadAccount::Entry &entry : account_.sections)
    if (const AccountRead *key = entry.slot < 0 ? account_.Find(FileField::SectionKey, entry.sectionNumber) : nullptr)
      hidingFilters.insert(FoldedName(Name(SectionForm::Filter, key->text, entry.sectionNumber, suffix_)));
  const WString enable = KeyOf(FileField::SectionEnable).key;
  for (const IniFile::Section &section : ini_.sections())
    if (!hidingFilters.count(FoldedName(ini_.Text(section.name, section.nameLength))))
      for (const IniFile::Entry &entry : section.entries)
        if (entry.valueLength != WString::npos && SameName(ini_.Text(entry.name, entry.nameLength), enable) &&
            Trimmed(ini_.Text(entry.value, entry.valueLength)) == Ascii("0"))
          return;
  for (const LoadAccount::Entry &entry : account_.sections) {
    if (entry.slot < 0) continue;
    const SettingsSection &section = catalogue_.Sections[entry.slot];
    bool actions = section.ItemCount >= 2;
    std::vector<std::string> sent;
    for (LONG i = 0; actions && i < section.ItemCount; ++i) {
      const SettingsItem &item = section.Items[i];
      actions = item.OptionCount == 1 && DWORD(item.ParameterCount) <= 1 && item.Options->Value == item.CurrentValue;
      sent.push_back(ItemBytes(catalogue_, entry.slot, i, item.CurrentValue));
    }
    const AccountRead *key = account_.Find(FileField::SectionKey, entry.sectionNumber);
    if (!actions || !key) continue;
    // A class for service staff left shown (its filter lost, or renamed with its class): told once for the class,
    // not as each item's single option.
    findings_.DropHolding("single-option", "item " + Utf8(section.Key) + "/");
    sent.erase(std::remove(sent.begin(), sent.end(), std::string()), sent.end());
    findings_.Add(key->line, "class-of-actions",
                  "class " + Utf8(section.Key) + " is shown, and each of its " + std::to_string(section.ItemCount) +
                      " items is an action of one option: every Set All sends them all (" + FirstNames(sent) +
                      "); if the class is for service staff, hide it with " +
                      Utf8(KeyOf(FileField::SectionEnable).key) + "=0 in [" +
                      Utf8(Name(SectionForm::Filter, section.Key, entry.sectionNumber, suffix_)) + "]");
  }
}

const IniFile::Section *Walker::RepeatedList(const WString &classKey, LONG n) {
  const WString language = Name(SectionForm::Language, classKey, n, suffix_);
  if (!HasSection(language)) return nullptr;
  for (const IniFile::Section &section : ini_.sections()) {
    const WString name = ini_.Text(section.name, section.nameLength);
    if (NumberIn(name, kNumberedSection) <= 0 || section.line == SectionLine(ini_, name) ||
        repeatedLists_.count(section.line))
      continue;
    const std::vector<WString> items = ListedItems(ini_, section);
    const bool own = std::all_of(items.begin(), items.end(), [&](const WString &item) {
      return Line(language, NameOf(FileField::ItemTitle, 0, item)) != 0;
    });
    if (!items.empty() && own) {
      repeatedLists_.insert(section.line);
      return &section;
    }
  }
  return nullptr;
}

std::string Walker::ListedHint(LONG n, const AccountRead *count) const {
  const LONG highest = HighestListed(n);
  if (highest <= 0 || !count->line || IsPlainDecimal(Read(count->section, count->key))) return std::string();
  const FileField field = n ? FileField::ItemKey : FileField::SectionKey;
  return "; write " + Utf8(count->key) + "=" + std::to_string(highest) + " (" + Utf8(NameOf(field, 1)) +
         (highest == 1 ? " is listed)" : " to " + Utf8(NameOf(field, highest)) + " are listed)");
}

LONG Walker::HighestListed(LONG n) const {
  if (n == 0) return everyListed_.sections.empty() ? 0 : everyListed_.sections.back().sectionNumber;
  auto items = everyListed_.items.find(n);
  return items == everyListed_.items.end() || items->second.empty() ? 0 : items->second.back().itemNumber;
}

// Where items past a full class can go: a class of their own while the page has room for one, or else a shown
// class with room, or a place freed by hiding an item of the same class.
std::string Walker::RoomForItems() const {
  const LONG classes = SectionCountOf(catalogue_);
  if (classes < kMaxSections) return "move the rest to a class of their own";
  LONG roomiest = -1;
  for (LONG s = 0; s < classes; ++s)
    if (ItemCountOf(catalogue_.Sections[s]) < kMaxItems &&
        (roomiest < 0 || ItemCountOf(catalogue_.Sections[s]) < ItemCountOf(catalogue_.Sections[roomiest])))
      roomiest = s;
  return "with " + std::to_string(kMaxSections) +
         " classes shown, the page's most, hide an item of this class in "
         "its filter section to free a place" +
         (roomiest < 0
              ? std::string()
              : ", or move the rest into a class with room (" + Utf8(FieldText(catalogue_.Sections[roomiest].Key)) +
                    " has " + Count(ItemCountOf(catalogue_.Sections[roomiest]), "item") + ")");
}

bool Walker::DescribedItem(const WString &classKey, LONG n, const WString &itemKey) const {
  // In either language: what one language has of the item is the author's work, whatever the other lacks.
  for (LPCWSTR suffix : {kEnglishSuffix, kChineseSuffix})
    for (const auto &field : {std::make_pair(SectionForm::Language, FileField::ItemTitle),
                              std::make_pair(SectionForm::Language, FileField::ItemNote),
                              std::make_pair(SectionForm::Rules, FileField::Rule)})
      if (Line(Name(field.first, classKey, n, suffix), NameOf(field.second, 0, itemKey))) return true;
  return false;
}

std::string Walker::TakenOutHint(const WString &section, LONG n, LONG missing) const {
  const WString name = NameOf(n ? FileField::ItemKey : FileField::SectionKey, missing);
  if (HighestListed(n) < missing || !MeantKey(ini_, known_, section, name).name.empty()) return "";
  auto items = everyListed_.items.find(n);
  const size_t listed = n == 0                              ? everyListed_.sections.size()
                        : items == everyListed_.items.end() ? 0
                                                            : items->second.size();
  const IniFile::Entry *off = RemarkedEntry(ini_, section, name);
  return (off ? "; take the remark mark off line " + std::to_string(off->line) + " to switch it on again"
              : "; add " + Utf8(name) + "= and its value") +
         ", or, if it was taken out, number the " + (n ? "items" : "classes") + " after it down, " +
         (n ? "renaming each one's Instruction and ParameterCount keys with it"
            : "renaming each one's [SectionNN] with it") +
         ", and write " + (n ? "ItemCount=" : "SectionCount=") + std::to_string(listed);
}

bool Walker::ListedBeyondCount(LONG n, long declared, const AccountRead *count, const std::string &what,
                               bool *renumbered) {
  if (declared < 0 || !count) return false;
  const FileField field = n ? FileField::ItemKey : FileField::SectionKey;
  std::vector<std::string> dropped;
  std::set<LONG> listed;  // the numbers the file lists
  std::set<std::string> shownKeys;  // folded keys of the entries within the count
  bool described = false;  // the file has sections or titles of a dropped entry
  bool again = true;       // every dropped entry names a key listed within the count already (a line pasted twice)
  const AccountRead *classKey = n ? everyListed_.Find(FileField::SectionKey, n) : nullptr;
  std::string home;  // the list an item's lines were cut from: its class's texts hold it, and that list lacks it
  auto take = [&](const LoadAccount::Entry &entry) {
    const LONG number = n ? entry.itemNumber : entry.sectionNumber;
    const AccountRead *key = everyListed_.Find(field, entry.sectionNumber, entry.itemNumber);
    if (key && key->line) listed.insert(number);
    if (key && key->line && number <= declared) shownKeys.insert(FoldedName(key->text));
    if (number > declared && entry.slot >= 0 && key) {
      dropped.push_back(Utf8(key->key) + " (" + Utf8(key->text) + ")");
      described = described || (n == 0 ? HasSection(Name(SectionForm::Numbered, WString(), number, suffix_)) ||
                                             HasSection(Name(SectionForm::Language, key->text, number, suffix_))
                                       : classKey && DescribedItem(classKey->text, n, key->text));
      for (const LoadAccount::Entry &other :
           n &&home.empty() ? everyListed_.sections : std::vector<LoadAccount::Entry>()) {
        const AccountRead *otherKey = everyListed_.Find(FileField::SectionKey, other.sectionNumber);
        const AccountRead *otherCount = everyListed_.Find(FileField::ItemCount, other.sectionNumber);
        if (other.sectionNumber == n || !otherKey || !otherCount || otherCount->value < number ||
            everyListed_.Find(FileField::ItemKey, other.sectionNumber, number) ||
            !Line(Name(SectionForm::Language, otherKey->text, other.sectionNumber, suffix_),
                  NameOf(FileField::ItemTitle, 0, key->text)))
          continue;
        home = "; " + Utf8(key->text) + "'s texts are in the sections of class " + Utf8(otherKey->text) + ", and [" +
               Utf8(Name(SectionForm::Numbered, WString(), other.sectionNumber, suffix_)) + "] declares " +
               std::to_string(otherCount->value) + " items but lacks " + Utf8(key->key) + ": move the lines of " +
               Utf8(key->key) + " there, above [" + Utf8(Name(SectionForm::Numbered, WString(), n, suffix_)) + "]";
        // That list's missing entry is this one.
        findings_.DropHolding("declared-missing",
                              "[" + Utf8(Name(SectionForm::Numbered, WString(), other.sectionNumber, suffix_)) +
                                  "], but " + Utf8(key->key) + " is missing");
      }
    }
  };
  if (n == 0) std::for_each(everyListed_.sections.begin(), everyListed_.sections.end(), take);
  auto items = everyListed_.items.find(n);
  if (n != 0 && items != everyListed_.items.end()) std::for_each(items->second.begin(), items->second.end(), take);
  if (dropped.empty()) return false;
  // The mend: a count up to the highest number, or, where the numbers skip one (an entry deleted from the middle),
  // the entries numbered without the gap.
  const LONG highest = listed.empty() ? 0 : *listed.rbegin(), entries = LONG(listed.size());
  LONG gap = 1;
  while (listed.count(gap)) ++gap;
  LONG shown = 0;  // the entries the page would show with every listed one counted: hidden ones take no room
  for (const LoadAccount::Entry &entry : n ? items->second : everyListed_.sections) {
    const LONG number = n ? entry.itemNumber : entry.sectionNumber;
    const AccountRead *key = everyListed_.Find(field, entry.sectionNumber, entry.itemNumber);
    if (number > declared && entry.slot >= 0 && key) again = again && shownKeys.count(FoldedName(key->text));
    shown += entry.slot >= 0 && key && key->line;
  }
  // A class taken off the list whose [SectionNN] stays: the walk still reads it, as a class without a title.
  const WString gapSection = Name(SectionForm::Numbered, WString(), gap, suffix_);
  const bool gapHeld = n == 0 && gap < highest && HasSection(gapSection);
  const std::string renumber =
      "number the " + Count(entries, what) + " " + Utf8(NameOf(field, 1)) + " to " + Utf8(NameOf(field, entries)) +
      " without a gap, " +
      (n ? "renaming each one's Instruction and ParameterCount keys with it" : "renaming each one's [SectionNN] with it") +
      (entries != declared ? ", and write " + Utf8(count->key) + "=" + std::to_string(entries) : std::string());
  const LONG limit = n ? kMaxItems : kMaxSections;
  const std::string advice =
      !home.empty() && dropped.size() == 1 ? home
      : again                              ? "; the list names " + std::string(dropped.size() == 1 ? "it" : "them") +
                    " within the count already: delete the line" + (dropped.size() == 1 ? "" : "s")
      : !described ? "; the file has nothing else of " + std::string(dropped.size() == 1 ? "it" : "them") +
                         ": delete the line" + (dropped.size() == 1 ? "" : "s") + ", or write what the page needs"
      : gapHeld
          ? "; the numbers skip " + Utf8(NameOf(field, gap)) + ", though [" + Utf8(gapSection) +
                "] is still read, as a class without a title: to drop that class, delete [" + Utf8(gapSection) +
                "], then " + renumber + "; to hide it, list it again and write SectionEnable=0 in its filter section"
      : gap < highest ? "; the numbers skip " + Utf8(NameOf(field, gap)) + ": " + renumber
      // More than the page holds: a higher count would only tell the same of them again.
      : shown > limit
          ? (declared < limit ? "; write " + Utf8(count->key) + "=" + std::to_string(limit) + ", and" : ";") +
                " the page holds " + std::to_string(limit) + " " + Count(2, what).substr(2) + (n ? " in a class" : "") +
                " at most: " + (n ? RoomForItems() : "move the rest into other classes")
          // (Or the count was lowered on purpose, to drop them, and their lines stayed.)
          : "; write " + Utf8(count->key) + "=" + std::to_string(highest) + ", or, to drop " +
                (dropped.size() == 1 ? "it" : "them") + ", delete " +
                (dropped.size() == 1 ? "its line" : "their lines") + (n ? " and keys" : ", [SectionNN] and sections");
  if (renumbered) *renumbered = !again && described && gap < highest && highest <= limit;
  const std::string list = FirstNames(dropped);
  const WString listing = n ? Name(SectionForm::Numbered, WString(), n, suffix_) : names_;
  findings_.Add(count->line, "count-drops-entries",
                Place(count->section, count->key) + " is " + std::to_string(declared) + ", but [" + Utf8(listing) +
                    "] also lists " + list + ": the page never shows " +
                    (dropped.size() == 1 ? "that " + what : "those " + Count(2, what).substr(2)) + advice);
  return true;
}

std::string Walker::Unnamed(LONG classSlot, const std::vector<LONG> &slots) const {
  if (slots.empty()) return std::string();
  const bool classes = classSlot < 0, many = slots.size() > 1;
  std::string sent;
  LONG items = 0;
  for (LONG slot : slots) {
    const LONG section = classes ? slot : classSlot;
    for (LONG i = classes ? 0 : slot; i < (classes ? catalogue_.Sections[slot].ItemCount : slot + 1); ++i, ++items) {
      const std::string bytes = ItemBytes(catalogue_, section, i, catalogue_.Sections[section].Items[i].CurrentValue);
      if (!bytes.empty()) sent += (sent.empty() ? "" : " ") + bytes;
    }
  }
  std::string said = std::string(": the page shows ") +
                     (classes ? (many ? "classes" : "a class") : (many ? "items" : "an item")) +
                     (!classes ? " without title or options"
                      : items  ? " without title, holding " + Count(items, "item") + " without titles or options"
                               : " without title or items");
  if (!sent.empty()) said += ", and Set All sends " + sent + " for " + (items > 1 ? "them" : "it");
  return said;
}

bool Walker::DeclaredMissing(const WString &section, FileField numbered, long declared, long first, long last,
                             const std::string &countKey, const std::string &where, const std::string &shown) {
  // A list numbered from 00: the finding that says to number it from 01 mends the last entry too.
  if (Line(section, NameOf(numbered, 0))) return false;
  const std::string what = numbered == FileField::SectionKey ? "class" : "item";
  const WString firstName = NameOf(numbered, first);
  const int countLine = Line(section, Ascii(countKey.c_str()));
  std::string consequence = countKey + " declares " + Count(declared, what) + where + ", but " + Utf8(firstName) +
                            (last > first ? " to " + Utf8(NameOf(numbered, last)) + " are" : std::string(" is")) +
                            " missing" + std::string(numbered == FileField::SectionKey ? " from [SectionNames]" : "");
  consequence += shown;
  // A line meant for the first (misspelt, misnumbered, or a copied line not renumbered) is the mend, told as such.
  if (!MeantKey(ini_, known_, section, firstName).name.empty() ||
      (first == last && !Shifted(section) && RepeatMeantAs(section, firstName).first))
    return MissingKey(section, firstName, countLine, "declared-missing", consequence);
  // An entry switched off with a remark, its count left: either mends it.
  if (const IniFile::Entry *off = first == last ? RemarkedEntry(ini_, section, firstName) : nullptr) {
    findings_.Claim(off->line);
    findings_.Add(countLine, "declared-missing",
                  consequence + RemarkedHint(ini_, off) + "; take the remark mark off line " +
                      std::to_string(off->line) + " to switch it on again" +
                      (last == declared && first > 1
                           ? ", or write " + countKey + "=" + std::to_string(first - 1) + " to leave it out"
                           : std::string()));
    return true;
  }
  // Entries missing at the end of the list: the count was raised, or the entries are still to be written.
  if (last == declared)
    consequence += "; list " + (last > first ? "them" : Utf8(firstName)) + ", or write " + countKey + "=" +
                   std::to_string(first - 1);
  findings_.Add(countLine, "declared-missing", consequence);
  return false;
}

// Titles are checked in both languages: a shown class or item with no title is an empty row on the page.
void Walker::NoteTitles(const WString &key, LONG n, const WString &titleKey, const std::string &what, int fallbackLine,
                        const WString &itemKey) {
  for (int l = 0; l < 2; ++l) {
    std::string names, lines;
    if (!itemKey.empty() && Untranslated(n, key, itemKey, LanguageSuffix(kLanguages[l].language), &names, &lines))
      continue;  // told by the reading of that language, as an item never translated
    const WString section = Name(SectionForm::Language, key, n, LanguageSuffix(kLanguages[l].language));
    const MeantEntry meantSection = HasSection(section) ? MeantEntry() : MeantSection(ini_, known_, section);
    // Blanks the reader does not drop (an ideographic space, a no-break space) show as an empty row all the same.
    const WString title = Read(section, titleKey);
    const bool blanks = !title.empty() && std::all_of(title.begin(), title.end(), [](WCHAR c) {
      return c == ' ' || c == '\t' || PlainForm(c) == ' ';
    });
    if (blanks) {
      const WCHAR shown = *std::find_if(title.begin(), title.end(), [](WCHAR c) { return PlainForm(c) == ' '; });
      missingTitles_[l].push_back({Line(section, titleKey),
                                   Place(section, titleKey) + " holds only blanks, " + CharacterName(shown) +
                                       " among them, which the reader keeps: in " + kLanguages[l].name + " the " +
                                       what + " shows as an empty row; write the title after " + Utf8(titleKey) + "=",
                                   true});
    } else if (Has(section, titleKey)) {
      ++titlesPresent_[l];
    } else if (!meantSection.name.empty()) {
      // A misnamed language section: told once, on its header, instead of each title it holds.
      const MeantEntry &meant = meantSection;
      if (std::find(missingSections_.begin(), missingSections_.end(), FoldedName(section)) != missingSections_.end())
        continue;
      missingSections_.push_back(FoldedName(section));
      missingTitles_[l].push_back({meant.line,
                                   "[" + Utf8(section) + "] is missing (line " + std::to_string(meant.line) +
                                       " has [" + Utf8(meant.name) + "], which the plug-in does not read as [" +
                                       Utf8(section) + "]): in " + kLanguages[l].name + " class " + Utf8(key) +
                                       " and its items show as empty rows",
                                   true});
    } else if (!HasSection(section)) {
      // The whole section lacking: told once for the class. A second header of the other language's section,
      // which is never read, is probably it (a translated copy whose header was not renamed).
      if (std::find(missingSections_.begin(), missingSections_.end(), FoldedName(section)) != missingSections_.end())
        continue;
      missingSections_.push_back(FoldedName(section));
      if (HiddenHeaderLine(ini_, section)) continue;  // its header, unseen by the reader, is told on its line
      const WString twin = Name(SectionForm::Language, key, n, LanguageSuffix(kLanguages[1 - l].language));
      int copy = 0, seen = 0;
      for (const IniFile::Section &other : ini_.sections())
        if (SameName(ini_.Text(other.name, other.nameLength), twin) && seen++ == 1) copy = other.line;
      if (copy) findings_.Claim(copy);
      // Its header at the end of a line, where two files were joined without a line end: the reader does not see it.
      int glued = 0;
      const WString header = Ascii("[") + section + Ascii("]");
      for (const IniFile::Section &other : ini_.sections())
        for (const IniFile::Entry &entry : other.entries) {
          const WString value = entry.valueLength == WString::npos ? WString() : ini_.Text(entry.value, entry.valueLength);
          if (!glued && value.size() > header.size() && SameName(value.substr(value.size() - header.size()), header))
            glued = entry.line;
        }
      missingTitles_[l].push_back(
          {copy ? copy : glued ? glued : fallbackLine,
           "[" + Utf8(section) + "] is missing" +
               (copy    ? " (line " + std::to_string(copy) + " has a second [" + Utf8(twin) +
                              "], which the plug-in does not read: is it meant as [" + Utf8(section) + "]?)"
                : glued ? " (line " + std::to_string(glued) + " ends in its header, which the reader does not see "
                          "there)"
                        : std::string()) +
               ": in " + kLanguages[l].name + " class " + Utf8(key) + " and its items show as empty rows" +
               (copy    ? std::string()
                : glued ? "; put the header on a line of its own"
                        : "; add the section, with Title= and the titles of the items"),
           copy != 0 || glued != 0});
    } else {
      int line = Line(section, titleKey);
      const bool empty = line != 0;  // the line is there, with nothing after its '='
      if (!line) line = SectionLine(ini_, section);
      MeantEntry meant = line && !Line(section, titleKey) ? MeantKey(ini_, known_, section, titleKey) : MeantEntry();
      if (meant.name.empty() && !empty)
        meant = RenamedInTwin(section, Name(SectionForm::Language, key, n, LanguageSuffix(kLanguages[1 - l].language)),
                              titleKey);
      if (empty) {
        missingTitles_[l].push_back({line,
                                     Place(section, titleKey) + " is empty: in " + kLanguages[l].name + " the " + what +
                                         " shows as an empty row; write the title after " + Utf8(titleKey) + "=",
                                     true});
        continue;
      }
      std::string message = Place(section, titleKey) + " is missing";
      // A title line copied for a new item, its key not changed: the repeat was meant as this one.
      const std::pair<int, WString> repeat = meant.name.empty() && line && !itemKey.empty()
                                                 ? RepeatMeantAs(section, titleKey)
                                                 : std::make_pair(0, WString());
      if (repeat.first) {
        message += " (line " + std::to_string(repeat.first) + " has " + Utf8(repeat.second) +
                   " again, which the plug-in reads once: is it meant as " + Utf8(titleKey) + "? Rename it" +
                   CopiedWith(section, repeat.second, titleKey) + ")";
        line = repeat.first;
        findings_.Claim(repeat.first);
        findings_.Drop({repeat.first}, {"duplicate-key", "repeated-line"});  // this finding tells the repeat
        meant.name = repeat.second;
      } else if (!meant.name.empty()) {
        message += " (line " + std::to_string(meant.line) + " has " + Quoted(meant.name) +
                   ", which the plug-in does not read as " + Utf8(titleKey) +
                   (meant.wrapped ? WrapHint(meant) : SlipHint(meant.name, titleKey)) + ")";
        line = meant.line;
        if (meant.wrapped) findings_.Claim(meant.wrapped);
      }
      missingTitles_[l].push_back(
          {line,
           message + ": in " + kLanguages[l].name + " the " + what + " shows as an empty row" +
               (meant.name.empty() ? "; add " + Utf8(titleKey) + "= and the title to [" + Utf8(section) + "]"
                                   : std::string()),
           !meant.name.empty()});
    }
  }
}

void Walker::Run() {
  const AccountRead *count = account_.Find(FileField::SectionCount, 0);
  if (!HasSection(names_)) {
    MeantEntry meant = MeantSection(ini_, known_, names_);
    if (!meant.name.empty()) findings_.Claim(meant.line);
    // The header behind a byte order mark left where two files were joined: to the reader it is no header.
    int marked = 0;
    for (const IniFile::Section &section : ini_.sections())
      for (const IniFile::Entry &entry : section.entries) {
        const WString key = ini_.Text(entry.name, entry.nameLength);
        if (!marked && key.size() > 1 && key[0] == 0xFEFF && SameName(key.substr(1), Ascii("[") + names_ + Ascii("]")))
          marked = entry.line;
      }
    findings_.Add(marked ? marked : meant.line, "no-section-names",
                  "the file has no [SectionNames]" +
                      (marked ? " (line " + std::to_string(marked) + " has it behind a byte order mark, U+FEFF, left "
                                "where two files were joined: delete the mark)"
                       : meant.name.empty() ? std::string()
                                            : " (line " + std::to_string(meant.line) + " has [" + Utf8(meant.name) +
                                                  "], which the plug-in does not read as [SectionNames])") +
                      ": the page shows no classes");
    return;
  }
  const int countLine = count ? count->line : 0;
  bool rootCauseTold = false;  // the page shows no class for a reason already told
  if (count && !Has(names_, count->key)) {
    MissingKey(names_, count->key, SectionLine(ini_, names_), "no-section-count", "the page shows no classes",
               HighestListed(0) > 0 ? std::to_string(HighestListed(0)) : std::string());
    rootCauseTold = true;
  }
  // A count that reads 0 for a word: the page's emptiness is the error to tell with it, not the classes it drops.
  const bool countWord = CheckNumber(count, count ? ListedHint(0, count) : std::string()) && count->value == 0;
  const LONG declared = count ? count->value : 0;
  if (declared < 0) {
    findings_.Add(countLine, "count-negative",
                  "[SectionNames] SectionCount " + std::to_string(declared) + " is negative: no classes are loaded");
    rootCauseTold = true;
  }

  const std::string frameConsequence = "the page leaves it out of every job";
  CheckCommandText(account_.Find(FileField::EnterInstruction, 0), frameConsequence, false);
  CheckCommandText(account_.Find(FileField::SaveInstruction, 0), frameConsequence, false);
  CheckCommandText(account_.Find(FileField::InstructionTail, 0),
                   std::string("it ends every item's command, so Set Current ") +
                       (setAllSends_ ? "sends nothing, and Set All goes out with its bytes paired wrong"
                                     : "and Set All send nothing"),
                   true);
  CheckWidth(account_.Find(FileField::ParameterRule, 0));
  // A frame with one end: set-up mode entered and never stored, or values stored without entering it.
  const AccountRead *enter = account_.Find(FileField::EnterInstruction, 0),
                    *save = account_.Find(FileField::SaveInstruction, 0);
  auto bytesOf = [](const AccountRead *read) {
    BYTE bytes[ARRAYSIZE(SettingsCatalogue{}.EnterInstruction)];
    return read ? HexPairs(bytes, HexTextToBytes(read->text.c_str(), bytes, sizeof bytes)) : std::string();
  };
  // A line end written the other way round: the printer waits for the CR LF that ends a command.
  const AccountRead *tail = account_.Find(FileField::InstructionTail, 0);
  if (tail && tail->line && bytesOf(tail) == "0A 0D")
    findings_.Add(tail->line, "tail-reversed",
                  Place(tail->section, tail->key) +
                      " is 0A 0D, a line end written the other way round: every "
                      "command ends in LF CR, where a line end is CR LF; write " +
                      Utf8(tail->key) + "=0D 0A");
  if (enter && save && !bytesOf(enter).empty() && bytesOf(enter) == bytesOf(save))
    findings_.Add(save->line, "frame-same",
                  "[SectionNames] SaveInstruction is " + Quoted(save->text) + ", the same as EnterInstruction: "
                  "every job ends with the command it starts with; if the printer stores its values with another "
                  "command, write that one");
  // A command written into the tail (a store after the line end): the page sends the tail after every item's value.
  // ESC and one byte (a string terminator) may end a command; a longer command there is a command of its own.
  bool tailStores = false;
  if (tail && tail->line) {
    BYTE bytes[ARRAYSIZE(SettingsCatalogue{}.InstructionTail)];
    const DWORD size = HexTextToBytes(tail->text.c_str(), bytes, sizeof bytes);
    const BYTE *escape = std::find(bytes, bytes + size, BYTE(0x1B));
    const std::string command = HexPairs(escape, DWORD(bytes + size - escape));
    const bool isSave = command == bytesOf(save), isEnter = command == bytesOf(enter);
    if (bytes + size - escape >= 3 || (!command.empty() && (isSave || isEnter))) {
      tailStores = save && save->text.empty();
      LONG items = 0;
      for (LONG s = 0; s < SectionCountOf(catalogue_); ++s) items += ItemCountOf(catalogue_.Sections[s]);
      const std::string keep = escape == bytes ? std::string("delete the tail")
                                               : "keep " + HexPairs(bytes, DWORD(escape - bytes)) + " in it";
      findings_.Add(
          tail->line, "tail-command",
          Place(tail->section, tail->key) + " is " + bytesOf(tail) + ", which holds the command " + command +
              ": the page sends the tail after every item's value, so Set All sends " + command + " " +
              std::to_string(items) + (items == 1 ? " time" : " times") +
              (isSave || isEnter ? std::string("; it is the ") + (isSave ? "SaveInstruction" : "EnterInstruction") +
                                       ", which the page sends once a job: take it out of the tail and " + keep
                                 : "; if it stores the values, write SaveInstruction=" + command +
                                       ", which the page sends once, at the end of each job, and " + keep));
    }
  }
  if (enter && save && enter->text.empty() != save->text.empty() && !tailStores) {
    const AccountRead *missing = enter->text.empty() ? enter : save;
    // The frame's missing half written as an action item, first or last on the page: Set All sends it in its
    // place, Set Current of every other item never does.
    std::string standIn;
    if (const LONG sections = SectionCountOf(catalogue_); sections > 0) {
      const LONG s = enter->text.empty() ? 0 : sections - 1;
      const LONG items = ItemCountOf(catalogue_.Sections[s]);
      const LONG i = enter->text.empty() ? 0 : items - 1;
      const SettingsItem &item = catalogue_.Sections[s].Items[i >= 0 ? i : 0];
      BYTE command[ARRAYSIZE(SettingsItem{}.Instruction)];
      const DWORD size = HexTextToBytes(item.Instruction, command, sizeof command);
      if (items > 0 && item.ParameterCount == 0 && size > 0)
        standIn = "; item " + Utf8(FieldText(catalogue_.Sections[s].Key)) + "/" + Utf8(FieldText(item.Key)) + ", the " +
                  (enter->text.empty() ? "first" : "last") + " on the page, is the command " + HexPairs(command, size) +
                  " with ParameterCount 0: if that is the one meant, write " + Utf8(missing->key) + "=" +
                  HexPairs(command, size) + " and delete the item, which Set Current of the others never sends";
    }
    const bool elsewhere = !SectionsHolding(missing->key, names_).empty();
    MissingKey(names_, missing->key, SectionLine(ini_, names_), "frame-half",
               (enter->text.empty() ? "every job ends with SaveInstruction, with no EnterInstruction sent first"
                                    : "every job starts with EnterInstruction, and the page sends no SaveInstruction "
                                      "after the values") +
                   (elsewhere || !standIn.empty() ? standIn
                    : enter->text.empty()         ? std::string("; if the printer needs it, add EnterInstruction")
                                                  : std::string("; if the printer needs a command to store them, add "
                                                                        "SaveInstruction")));
  }

  bool renumbered = false;
  if (!rootCauseTold && !countWord && ListedBeyondCount(0, declared, count, "class", &renumbered)) rootCauseTold = true;
  // Classes the file does not list: the walk reads them as classes with an empty key.
  const long listed = HighestListed(0);
  UnlistedRun unlisted;
  int shownClasses = 0;
  std::map<std::string, WString> classKeys;  // class keys seen, folded, with the number name that gave them
  std::map<std::string, WString> classTitles;  // titles of shown classes, folded, with the class's key
  for (const LoadAccount::Entry &entry : account_.sections) {
    const LONG n = entry.sectionNumber;
    const AccountRead *keyRead = account_.Find(FileField::SectionKey, n);
    const WString key = keyRead ? keyRead->text : WString();
    if (entry.slot >= 0) ++shownClasses;
    if (!keyRead || !keyRead->line) {
      if (unlisted.Take(n, listed, entry.slot) || renumbered) continue;
      // The class has no name to find its titles, rules and defaults by: that is all there is to tell about it.
      const WString numberName = NameOf(FileField::SectionKey, n);
      MissingKey(names_, numberName, countLine, "declared-missing",
                 "SectionCount declares " + Count(declared, "class") + ", but [SectionNames] has no " +
                     Utf8(numberName) +
                     Unnamed(-1, entry.slot >= 0 ? std::vector<LONG>{entry.slot} : std::vector<LONG>()) +
                     TakenOutHint(names_, 0, n));
      continue;
    }
    const bool misspelt = std::find(misspelt_.begin(), misspelt_.end(), key) != misspelt_.end();
    if (key.empty() && !misspelt) {
      // Listed with no key: the page finds nothing of the class, as for one the file does not list.
      findings_.Add(keyRead->line, "declared-missing",
                    Place(names_, keyRead->key) + " is empty" +
                        Unnamed(-1, entry.slot >= 0 ? std::vector<LONG>{entry.slot} : std::vector<LONG>()));
      continue;
    }
    CheckWidth(keyRead);
    // Classes may share a key, and then its sections. When the later class's items find no titles and no rules
    // there, the key is the mistake: told once, instead of every title and rule they miss.
    auto same = classKeys.find(FoldedName(key));
    if (same != classKeys.end() && entry.slot >= 0 && NothingFor(n)) {
      // A class copied with its key left as it was: the sections written for it stand under a key nobody lists.
      std::set<std::string> listedKeys;
      for (const LoadAccount::Reading &read : everyListed_.reads)
        if (read.field == FileField::SectionKey) listedKeys.insert(FoldedName(read.text));
      WString unlisted;
      std::vector<int> unlistedLines;
      for (const IniFile::Section &section : ini_.sections()) {
        const WString prefix = ClassPrefix(ini_.Text(section.name, section.nameLength));
        if (prefix.empty() || listedKeys.count(FoldedName(prefix))) continue;
        if (unlisted.empty()) unlisted = prefix;
        if (SameName(prefix, unlisted)) unlistedLines.push_back(section.line);
      }
      for (int line : unlistedLines) findings_.Claim(line);
      findings_.Add(
          keyRead->line, "same-class-key",
          Place(names_, keyRead->key) + " = " + Quoted(key) + " names the class of " + Utf8(same->second) +
              " again, and the items of [" + Utf8(Name(SectionForm::Numbered, WString(), n, suffix_)) +
              "] find no titles or rules in the sections of " + Utf8(key) +
              ": the page shows them as empty rows without options" +
              (unlisted.empty() ? "; give " + Utf8(keyRead->key) + " a key of its own, and name its sections after it"
                                : "; the sections of " + Utf8(unlisted) + " (line " + std::to_string(unlistedLines[0]) +
                                      ") are listed by no class: write " + Utf8(keyRead->key) + "=" + Utf8(unlisted)));
      // The class's sections written again for it (another file's class merged under the same key) are never
      // read: that is this mistake too.
      std::set<std::string> seen;
      for (const IniFile::Section &section : ini_.sections()) {
        const WString name = ini_.Text(section.name, section.nameLength);
        if (SameName(ClassPrefix(name), key) && !seen.insert(FoldedName(name)).second) findings_.Claim(section.line);
      }
      continue;
    }
    classKeys.emplace(FoldedName(key), keyRead->key);
    // Two classes of one title (a block copied for a new class): the operator sees two alike in the list. Classes
    // that share a key share their title on purpose; text the page cannot show is told as such.
    const AccountRead *title = account_.Find(FileField::SectionTitle, n);
    if (entry.slot >= 0 && title && ShownAsWritten(title->text)) {
      auto same = classTitles.emplace(FoldedName(title->text), key);
      if (!same.second && !SameName(same.first->second, key))
        findings_.Add(title->line, "duplicate-titles",
                      Place(title->section, title->key) + " is " + Quoted(title->text) + ", the title of class " +
                          Utf8(same.first->second) + " too: the operator sees two classes alike; give it its own title");
    }
    CheckFilter(account_.Find(FileField::SectionEnable, n), "class " + Utf8(key));
    if (entry.slot >= 0 && !misspelt) CheckSection(entry, key);
  }
  if (unlisted.from) {
    DeclaredMissing(names_, FileField::SectionKey, declared, unlisted.from, declared, "SectionCount", "",
                    Unnamed(-1, unlisted.shown));
    if (!unlisted.shown.empty()) rootCauseTold = true;
  }
  auto stop = account_.stops.find(0);
  if (stop != account_.stops.end() && stop->second.why == WalkStop::RecordFull) {
    // Classes past the full record that their own filters hide lose nothing: the page would not show them anyway.
    // The first shown one is named, and how many more the page loses.
    WString lost;
    LONG lostCount = 0;
    for (LONG next = stop->second.next; Line(names_, NameOf(FileField::SectionKey, next)); ++next) {
      const WString classKey = Read(names_, NameOf(FileField::SectionKey, next));
      const WString enable =
          Trimmed(Read(Name(SectionForm::Filter, classKey, next, suffix_), KeyOf(FileField::SectionEnable).key));
      const bool hidden = IsPlainDecimal(enable) && enable.find_first_not_of(WCHAR('0')) == WString::npos;
      if (!hidden && !lostCount++) lost = NameOf(FileField::SectionKey, next);
    }
    if (lostCount)
      findings_.Add(Line(names_, lost), "too-many-classes",
                    Place(names_, lost) + " (" + Utf8(Read(names_, lost)) + ") is ignored" +
                        (lostCount > 1 ? ", and " + std::to_string(lostCount - 1) +
                                             (lostCount == 2 ? " shown class after it" : " shown classes after it")
                                       : std::string()) +
                        ": the page holds at most " + std::to_string(kMaxSections) +
                        " shown classes; move its items into another class, or hide a class the operator need not "
                        "see with SectionEnable=0 in its filter section");
  }
  if (shownClasses == 0 && !rootCauseTold) {
    // A count the plug-in reads as 0 for how it is written ("５"): why it is 0 is this error's, with its mend.
    std::string misread;
    for (const Finding &finding : findings_.list())
      if (finding.line == countLine && countLine && finding.code == "not-a-number") misread = finding.message;
    const std::string reads = "the plug-in reads 0";
    const size_t at = misread.find(reads);
    if (declared == 0 && at != std::string::npos) {
      findings_.Drop({countLine}, {"not-a-number"});
      findings_.Add(
          countLine, "no-shown-class",
          misread.substr(0, at + reads.size()) + ", and the page shows no classes" + misread.substr(at + reads.size()));
    } else {
      // The filter lines that hide them, as two models' filters pasted into one file leave them.
      std::vector<std::string> hiding;
      for (const LoadAccount::Reading &read : account_.reads)
        if (read.field == FileField::SectionEnable && read.line && read.value == 0)
          hiding.push_back(std::to_string(read.line));
      findings_.Add(countLine, "no-shown-class",
                    declared == 0
                        ? "[SectionNames] SectionCount is 0: the page shows no classes"
                        : "every declared class is hidden" +
                              (hiding.empty() ? std::string()
                                              : std::string(" (SectionEnable=0 on line") +
                                                    (hiding.size() == 1 ? " " : "s ") + FirstNames(hiding) + ")") +
                              ": the page shows no classes" +
                              (hiding.empty() ? std::string()
                                              : "; write SectionEnable=1 in the filter of each class the "
                                                "operator is meant to see"));
    }
  }

  // Every shown row that needs parameter bytes counts, also one whose item line the walk never reached (a list
  // numbered from 00 leaves a row without key).
  int unknownRule = 0;
  std::string firstUnknownRule;
  for (LONG s = 0; s < SectionCountOf(catalogue_); ++s)
    for (LONG i = 0; i < catalogue_.Sections[s].ItemCount; ++i) {
      const SettingsItem &item = catalogue_.Sections[s].Items[i];
      NoText why = NoText::kNone;
      DWORD size = 0;
      EncodeItemValue(catalogue_, s, i, item.CurrentValue, nullptr, &size, &why);
      if (why == NoText::kUnknownRule && unknownRule++ == 0)
        firstUnknownRule = item.Key[0] ? "item " + Utf8(catalogue_.Sections[s].Key) + "/" + Utf8(item.Key)
                                       : "an item of class " + Utf8(catalogue_.Sections[s].Key) + " without key";
    }
  if (unknownRule > 0) {
    constexpr char kWriteRule[] = "; write ParameterRule=High256 for binary bytes, or ParameterRule=BaseOn30 for digits";
    const AccountRead *rule = account_.Find(FileField::ParameterRule, 0);
    const std::string consequence = std::to_string(unknownRule) + (unknownRule == 1 ? " item needs" : " items need") +
                                    " parameter bytes (first " + firstUnknownRule +
                                    "): they send nothing, and Set All sends nothing at all";
    // A rule name one slip away ("BaseOn 30", "High265") is named.
    std::string meant;
    for (LPCWSTR name : {kHigh256Rule, kBaseOn30Rule})
      if (rule && IsNearMiss(rule->text, name)) meant = " (did you mean " + Utf8(name) + "?)";
    if (rule && rule->line)
      findings_.Add(rule->line, "unknown-parameter-rule",
                    "[SectionNames] ParameterRule " + Quoted(rule->text) + " is neither High256 nor BaseOn30" + meant +
                        ", and " + consequence + RemarkHint(rule->text) + kWriteRule);
    else
      MissingKey(names_, KeyOf(FileField::ParameterRule).key, SectionLine(ini_, names_), "unknown-parameter-rule",
                 "it is neither High256 nor BaseOn30, and " + consequence + kWriteRule);
  }
  if (!lostDefaults_.empty())
    // A class may rely on the defaults on purpose: told, but not as a fault.
    findings_.Add(lostDefaultsLine_, "default-section-missing",
                  FirstNames(lostDefaults_) + (lostDefaults_.size() == 1 ? " is" : " are") +
                      " missing, though the file gives other classes theirs: every item of " +
                      (lostDefaults_.size() == 1 ? "that class" : "those classes") + " starts at " +
                      std::to_string(KeyOf(FileField::Default).defaultValue) + ", and Set All sends that; if " +
                      (lostDefaults_.size() == 1 ? "it was" : "they were") +
                      " lost in an edit, add it with a line item=value for each item");
  TellClassesOfActions();
  TellShiftedLists();
  const std::vector<ShownCommand> shown = ShownCommands();
  CheckSetAll(shown);
  CheckCommandShapes(shown);
  ReportTitles();
  DropShiftedKeysSymptoms();
}

// Keys read by items of other numbers (items renumbered, their keys not) give those items other commands and counts:
// what the counts then make of the items' values is the one renumbering, told as such.
void Walker::DropShiftedKeysSymptoms() {
  std::vector<std::string> classes;  // "item Class/", of the items whose keys are shifted
  for (const Finding &finding : findings_.list()) {
    if (finding.code != "keys-shifted" || finding.message.compare(0, 8, "[Section") != 0) continue;
    const LONG n = NumberIn(Ascii(finding.message.substr(1, finding.message.find(']') - 1).c_str()), kNumberedSection);
    const AccountRead *key = n > 0 ? account_.Find(FileField::SectionKey, n) : nullptr;
    if (key) classes.push_back("item " + Utf8(key->text) + "/");
  }
  std::set<int> lines;
  for (const Finding &finding : findings_.list())
    for (const std::string &prefix : classes)
      if (finding.message.compare(0, prefix.size(), prefix) == 0) lines.insert(finding.line);
  findings_.Drop(
      lines, {"multi-choice-count", "value-too-large", "parameter-count-large", "parameter-count-zero", "mask-bits"});
}

// Classes inserted in, taken out of or moved about [SectionNames] while the [SectionNN] blocks kept their numbers:
// blocks list the items of other listed classes, and after a class taken out the last class's items stand in a
// block past the list. One finding for the blocks, with the number each is to have; the sections of the classes
// whose items no block lists now, and their blocks told missing, are not told one by one.
void Walker::TellShiftedLists() {
  struct Shift {
    LONG block, meant;  // the block's number, and the number of the class whose items it lists
    WString holder;     // that class
  };
  std::vector<Shift> shifts;
  std::set<int> lines;
  auto numberOf = [&](const WString &key) {
    for (const AccountRead &read : everyListed_.reads)
      if (read.field == FileField::SectionKey && read.line && SameName(read.text, key)) return read.sectionNumber;
    return LONG(0);
  };
  for (const auto &list : listOffsets_) {
    const ListOffset &first = list.second.front();
    if (!std::all_of(list.second.begin(), list.second.end(),
                     [&](const ListOffset &o) { return o.by == first.by && SameName(o.holder, first.holder); }))
      continue;
    shifts.push_back({list.first, list.first + first.by, first.holder});
    for (const ListOffset &offset : list.second) lines.insert(offset.line);
  }
  if (shifts.empty()) return;
  std::set<int> unreadBlocks;
  for (const IniFile::Section &block : ini_.sections()) {
    const LONG k = NumberIn(ini_.Text(block.name, block.nameLength), kNumberedSection);
    if (k <= 0 || account_.Find(FileField::SectionKey, k)) continue;
    WString holder;
    bool one = true;
    std::vector<int> itemLines;
    for (const WString &item : ListedItems(ini_, block)) {
      const WString holds = ClassHolding(WString(), item, itemLines);
      one = one && !holds.empty() && (holder.empty() || SameName(holds, holder));
      holder = holds;
    }
    const LONG meant = one && !holder.empty() ? numberOf(holder) : 0;
    if (meant <= 0 || meant == k) continue;
    shifts.push_back({k, meant, holder});
    unreadBlocks.insert(block.line);
  }
  if (shifts.size() < 2) return;
  for (const Shift &shift : shifts) {
    const AccountRead *key = account_.Find(FileField::SectionKey, shift.block);
    for (const IniFile::Section &section : ini_.sections()) {
      const WString name = ini_.Text(section.name, section.nameLength);
      if ((key && SameName(ClassPrefix(name), key->text)) || unreadBlocks.count(section.line))
        for (const IniFile::Entry &entry : section.entries) findings_.Claim(entry.line);
    }
  }
  std::sort(shifts.begin(), shifts.end(), [](const Shift &a, const Shift &b) { return a.block < b.block; });
  // A block a renumbered one is to take the place of, holding the items of a class taken out of the list: it goes
  // first, or the renumbered block stands second under its number and is never read.
  std::vector<std::string> leftBlocks;
  for (const Shift &shift : shifts) {
    if (std::any_of(shifts.begin(), shifts.end(), [&](const Shift &other) { return other.block == shift.meant; }))
      continue;
    const WString name = Name(SectionForm::Numbered, WString(), shift.meant, suffix_);
    const IniFile::Section *block = FirstSection(ini_, name);
    if (!block) continue;
    // The class whose sections hold the titles or rules of every item the block lists, among those not listed.
    auto unlistedHolder = [&](const WString &item) {
      for (const IniFile::Section &section : ini_.sections()) {
        const WString sectionName = ini_.Text(section.name, section.nameLength), prefix = ClassPrefix(sectionName);
        if (!prefix.empty() && numberOf(prefix) == 0 &&
            (Line(sectionName, NameOf(FileField::ItemTitle, 0, item)) ||
             Line(sectionName, NameOf(FileField::RuleType, 0, item))))
          return prefix;
      }
      return WString();
    };
    WString holder;
    for (const WString &item : ListedItems(ini_, *block)) {
      const WString holds = unlistedHolder(item);
      const bool same = !holds.empty() && (holder.empty() || SameName(holds, holder));
      holder = same ? holds : WString();
      if (!same) break;
    }
    // Or items no class has texts or rules for, the class's sections deleted with its list line.
    std::vector<std::string> orphans;
    std::vector<int> itemLines;
    for (const WString &item : holder.empty() ? ListedItems(ini_, *block) : std::vector<WString>())
      if (ClassHolding(WString(), item, itemLines).empty() && unlistedHolder(item).empty())
        orphans.push_back(Utf8(item));
    const bool empty = ListedItems(ini_, *block).empty();  // emptied, the block itself left
    if (holder.empty() && !empty && orphans.size() != ListedItems(ini_, *block).size()) continue;
    leftBlocks.push_back("[" + Utf8(name) + "], which " +
                         (empty ? std::string("lists no items")
                          : holder.empty()
                              ? "holds items no class of the file has texts or rules for (" + FirstNames(orphans) +
                                    "), left from a class taken out of the list"
                              : "holds the items of " + Utf8(holder) + ", a class the list no longer names"));
    std::set<int> blockLines;
    for (const IniFile::Entry &entry : block->entries) blockLines.insert(entry.line), findings_.Claim(entry.line);
    findings_.Drop(blockLines, {"item-lines-missing", "item-key-misspelt", "class-all-hidden"});
  }
  std::vector<std::string> holds, renumbered;
  for (const Shift &shift : shifts) {
    const std::string block = "[" + Utf8(Name(SectionForm::Numbered, WString(), shift.block, suffix_)) + "]";
    holds.push_back(block + " those of " + Utf8(shift.holder));
    renumbered.push_back(block + " as [" + Utf8(Name(SectionForm::Numbered, WString(), shift.meant, suffix_)) + "]");
  }
  findings_.Drop(lines, {"item-in-other-class"});
  findings_.Drop(unreadBlocks, {"section-missing"});
  for (int line : unreadBlocks) findings_.Claim(line);  // a block past the list, renumbered by the advice
  const WString firstBlock = Name(SectionForm::Numbered, WString(), shifts.front().block, suffix_);
  findings_.Add(SectionLine(ini_, firstBlock), "item-in-other-class",
                "the [SectionNN] blocks do not follow [" + Utf8(names_) + "]: they hold the items of other classes (" +
                    FirstNames(holds) +
                    "), as when classes are inserted, taken out or moved in the list and the "
                    "blocks keep their numbers; the page shows those items without titles or options; " +
                    (leftBlocks.empty() ? std::string() : "delete " + FirstNames(leftBlocks) + ", then ") +
                    "renumber the blocks to follow [" + Utf8(names_) + "]: " + FirstNames(renumbered));
}

// A listed class none of whose sections the file has, under its name or near it: a class deleted and left on the
// list. Told once, with both ways out; its missing titles are not told again.
bool Walker::ClassGone(const WString &key, LONG n, const WString &numberName, int declaredLine) {
  std::vector<WString> sections = {Name(SectionForm::Numbered, WString(), n, suffix_),
                                   Name(SectionForm::Filter, key, n, suffix_),
                                   Name(SectionForm::Defaults, key, n, suffix_)};
  for (const auto &language : kLanguages)
    for (SectionForm form : {SectionForm::Language, SectionForm::Rules})
      sections.push_back(Name(form, key, n, LanguageSuffix(language.language)));
  for (const WString &section : sections)
    if (HasSection(section) || !MeantSection(ini_, known_, section).name.empty()) return false;
  for (const WString &section : sections) missingSections_.push_back(FoldedName(section));
  const AccountRead *count = account_.Find(FileField::SectionCount, 0);
  const std::string countKey = Utf8(KeyOf(FileField::SectionCount).key);
  findings_.Add(declaredLine, "section-missing",
                "class " + Utf8(key) + " has none of its sections ([" + Utf8(sections[0]) + "], [" + Utf8(sections[3]) +
                    "] and the others): the page shows it as an empty class; to drop it, delete " + Utf8(numberName) +
                    "=" + Utf8(key) +
                    (!count || count->value < 1 ? std::string()
                     : count->value == n        ? " and write " + countKey + "=" + std::to_string(n - 1)
                                         : ", number the classes after it one lower and write " + countKey + "=" +
                                               std::to_string(count->value - 1)) +
                    ", or hide it with " + Utf8(KeyOf(FileField::SectionEnable).key) + "=0 in [" + Utf8(sections[1]) +
                    "]; to keep it, add its sections");
  return true;
}

void Walker::CheckSection(const LoadAccount::Entry &entry, const WString &key) {
  const LONG n = entry.sectionNumber;
  const WString numberName = NameOf(FileField::SectionKey, n);
  const WString numbered = Name(SectionForm::Numbered, WString(), n, suffix_);
  const AccountRead *count = account_.Find(FileField::ItemCount, n);
  const std::string label = "class " + Utf8(key);
  const int declaredLine = Line(names_, numberName);
  if (!HasSection(numbered)) {
    if (const IniFile::Section *repeated = RepeatedList(key, n)) {
      findings_.Claim(repeated->line);
      findings_.Add(repeated->line, "section-missing",
                    "[" + Utf8(numbered) + "] is missing (line " + std::to_string(repeated->line) + " has a second [" +
                        Utf8(ini_.Text(repeated->name, repeated->nameLength)) + "], whose items are " + label +
                        "'s): " + label + " shows no items; rename that header [" + Utf8(numbered) + "]");
    } else if (!ClassGone(key, n, numberName, declaredLine)) {
      MissingSection(numbered, declaredLine, "section-missing", label + " shows no items", count->key);
    }
  }
  const bool countMissing = HasSection(numbered) && !Has(numbered, count->key);
  if (countMissing)
    MissingKey(numbered, count->key, SectionLine(ini_, numbered), "no-item-count", label + " shows no items",
               HighestListed(n) > 0 ? std::to_string(HighestListed(n)) : std::string());
  const int countLine = count->line;
  const bool countWord =
      CheckNumber(count, (count->value == 0 ? ", and " + label + " shows no items" : "") + ListedHint(n, count)) &&
      count->value == 0;
  const LONG declared = count->value;
  if (declared < 0)
    findings_.Add(countLine, "item-count-negative",
                  Place(numbered, count->key) + " " + std::to_string(declared) + " is negative: " + label +
                      " shows no items");

  CheckTitle(account_.Find(FileField::SectionTitle, n));
  // A class's note is not shown on the page: how much of it is kept matters to nobody.
  NoteTitles(key, n, KeyOf(FileField::SectionTitle).key, label, declaredLine);

  const WString filter = Name(SectionForm::Filter, key, n, suffix_);
  bool renumbered = false;
  if (!countWord && !countMissing) ListedBeyondCount(n, declared, count, "item", &renumbered);
  const long listed = HighestListed(n);
  std::map<std::string, WString> keys;  // item keys seen, folded, with the number name that gave them
  std::map<std::string, WString> titles;  // titles of shown items, folded, with the item's key
  UnlistedRun unlisted;
  int shownItems = 0, hiddenItems = 0;
  auto items = account_.items.find(n);
  if (items != account_.items.end())
    for (const LoadAccount::Entry &item : items->second) {
      const LONG m = item.itemNumber;
      const AccountRead *keyRead = account_.Find(FileField::ItemKey, n, m);
      const WString itemKey = keyRead ? keyRead->text : WString();
      (item.slot >= 0 ? shownItems : hiddenItems)++;
      if (!keyRead || !keyRead->line) {
        if (unlisted.Take(m, listed, item.slot) || renumbered) continue;
        // No key, so no titles, rules or defaults to look at: one finding says it all.
        const WString itemName = NameOf(FileField::ItemKey, m);
        if (MissingKey(numbered, itemName, countLine, "declared-missing",
                       "ItemCount declares " + Count(declared, "item") + " in [" + Utf8(numbered) +
                           "], but it has no " + Utf8(itemName) +
                           Unnamed(entry.slot, item.slot >= 0 ? std::vector<LONG>{item.slot} : std::vector<LONG>()) +
                           TakenOutHint(numbered, n, m)))
          ClaimMisnumbered(numbered);
        continue;
      }
      CheckWidth(keyRead);
      const std::string folded = FoldedName(itemKey);
      auto first = keys.find(folded);
      if (first != keys.end()) {
        // A key copied and not renamed: what the second item reads is the first one's, told with it. Lines written
        // for the second under that key stand second in their sections: the reader never reads them.
        std::vector<int> seconds;
        const WString stem = itemKey + Ascii("_");
        for (const IniFile::Section &section : ini_.sections()) {
          if (!SameName(ClassPrefix(ini_.Text(section.name, section.nameLength)), key)) continue;
          std::set<std::string> seen;
          for (const IniFile::Entry &entry : section.entries) {
            const WString name = ini_.Text(entry.name, entry.nameLength);
            const bool its =
                SameName(name, itemKey) || (name.size() > stem.size() && SameName(name.substr(0, stem.size()), stem));
            if (its && !seen.insert(FoldedName(name)).second) seconds.push_back(entry.line);
          }
        }
        for (int line : seconds) findings_.Claim(line);
        findings_.Add(keyRead->line, "same-item-key",
                      Place(numbered, keyRead->key) + " has the same key as " + Utf8(first->second) +
                          ": the two items share their filter, titles, rule and default; give " + Utf8(keyRead->key) +
                          " a key of its own" +
                          (seconds.empty()
                               ? std::string()
                               : ", and give it the " + Count(long(seconds.size()), "line") + " written for it under " +
                                     Utf8(itemKey) + ", which stand second in their sections (first on line " +
                                     std::to_string(seconds.front()) + ") and are never read"));
        continue;
      }
      keys.emplace(folded, keyRead->key);
      CheckFilter(account_.Find(FileField::ItemEnable, n, m), "item " + Utf8(key) + "/" + Utf8(itemKey));
      // An item that finds neither a title nor a rule: when another class's sections name it, the list is that
      // class's; when its own class's sections name another key, the listed key is the mistake. Told once, on its
      // line.
      const AccountRead *title = account_.Find(FileField::ItemTitle, n, m);
      const AccountRead *type = account_.Find(FileField::RuleType, n, m);
      const bool findsNothing = item.slot >= 0 && title && type && title->text.empty() && type->text.empty();
      std::vector<int> lines;
      const WString holder = findsNothing ? ClassHolding(key, itemKey, lines) : WString();
      if (!holder.empty()) {
        for (int line : lines) findings_.Claim(line);
        const AccountRead *twin = ListedIn(holder, itemKey);
        const std::string sent =
            ItemBytes(catalogue_, entry.slot, item.slot, catalogue_.Sections[entry.slot].Items[item.slot].CurrentValue);
        // Another item of this list finds its title here, or the class it stands in lists its own items rightly:
        // the lists are right, and this item's lines stayed behind in the class it was moved from.
        auto titled = [&](LONG classNumber, LONG itemNumber) {
          const AccountRead *title = account_.Find(FileField::ItemTitle, classNumber, itemNumber);
          return title && !title->text.empty();
        };
        bool othersFound = false;
        for (const LoadAccount::Entry &other : items->second)
          othersFound = othersFound || (other.itemNumber != m && titled(n, other.itemNumber));
        for (const LoadAccount::Reading &read : everyListed_.reads) {
          if (read.field != FileField::SectionKey || !SameName(read.text, holder)) continue;
          // The place of the class whose items these are: lists off their classes all point alike.
          if (read.line) listOffsets_[n].push_back({read.sectionNumber - n, keyRead->line, holder});
          auto holderItems = account_.items.find(read.sectionNumber);
          if (holderItems != account_.items.end())
            for (const LoadAccount::Entry &own : holderItems->second)
              othersFound = othersFound || titled(own.sectionNumber, own.itemNumber);
        }
        if (!twin && othersFound) {
          findings_.Add(keyRead->line, "item-in-other-class",
                        Place(numbered, keyRead->key) + " = " + Quoted(itemKey) + " finds no title or rule in the "
                            "sections of class " + Utf8(key) + ", but those of class " + Utf8(holder) +
                            ", which does not list it, have them (first at line " + std::to_string(lines.front()) +
                            "): the page shows it without title or options" +
                            (sent.empty() ? std::string() : ", and Set All sends " + sent) +
                            "; move its lines to the sections of " + Utf8(key));
          continue;
        }
        findings_.Add(keyRead->line, "item-in-other-class",
                      Place(numbered, keyRead->key) + " = " + Quoted(itemKey) + " finds no title or rule in the "
                          "sections of class " + Utf8(key) + ", but those of class " + Utf8(holder) +
                          " have them (first at line " + std::to_string(lines.front()) +
                          (twin ? "), and " + Place(twin->section, twin->key) + " (line " +
                                      std::to_string(twin->line) + ") lists it there already: an item belongs to one "
                                      "class; here the page shows it without title or options, and Set All sends it "
                                      "again" + (sent.empty() ? std::string() : ", as " + sent)
                                : "): is [" + Utf8(numbered) + "] meant to list the items of " + Utf8(holder) + "?"));
        continue;
      }
      // (A list line another finding tells, as a block left from a class taken out, is not told again.)
      const MeantEntry meant =
          findsNothing && !findings_.Claimed(keyRead->line) ? MeantItemKey(key, n, itemKey, lines) : MeantEntry();
      // The other language's sections name the listed key: the key was renamed, and this language's sections not.
      const LPCWSTR otherSuffix = SameName(suffix_, kEnglishSuffix) ? kChineseSuffix : kEnglishSuffix;
      const bool renamedElsewhere =
          !meant.name.empty() &&
          (Has(Name(SectionForm::Language, key, n, otherSuffix), NameOf(FileField::ItemTitle, 0, itemKey)) ||
           Has(Name(SectionForm::Rules, key, n, otherSuffix), NameOf(FileField::RuleType, 0, itemKey)));
      if (renamedElsewhere) {
        for (int line : lines) findings_.Claim(line);
        findings_.Add(meant.line, "item-key-misspelt",
                      Place(numbered, keyRead->key) + " = " + Quoted(itemKey) + " is named so in the sections of " +
                          Utf8(otherSuffix) + ", but the sections of " + Utf8(suffix_) + " still name it " +
                          Quoted(meant.name) + " (first at line " + std::to_string(meant.line) +
                          "): the item shows without title or options there; rename the " + Utf8(meant.name) +
                          " lines of those sections to " + Utf8(itemKey));
        continue;
      }
      if (!meant.name.empty()) {
        for (int line : lines) findings_.Claim(line);
        // The item's default or filter under the listed key: a rename done in some sections and not in the others.
        WString renamedIn;
        int renamedLine = 0;
        for (const SectionForm form : {SectionForm::Defaults, SectionForm::Filter})
          if (const WString own = Name(form, key, n, suffix_); !renamedLine && (renamedLine = Line(own, itemKey)))
            renamedIn = own;
        findings_.Add(
            keyRead->line, "item-key-misspelt",
            Place(numbered, keyRead->key) + " = " + Quoted(itemKey) + " names no title or rule of class " + Utf8(key) +
                ", but its sections name " + Quoted(meant.name) + " (first at line " + std::to_string(meant.line) +
                ")" +
                // A blank typed into the new name of a rename: the item line cannot keep it.
                (SameName(Trimmed(meant.name), itemKey) && !SameName(meant.name, itemKey)
                     ? ", with a blank that no value keeps: the reader drops blanks at a value's ends; take "
                       "the blank out of those keys, as " +
                           Utf8(NameOf(FileField::ItemTitle, 0, itemKey))
                 : renamedLine ? ", and " + Place(renamedIn, itemKey) + " (line " + std::to_string(renamedLine) +
                                     ") has the new name already: was the item renamed halfway? Rename the " +
                                     Utf8(meant.name) + " lines of those sections to " + Utf8(itemKey) +
                                     ", or this line and line " + std::to_string(renamedLine) + " back"
                               : ": did you mean " + Utf8(meant.name) + "?" + InvisibleHint(itemKey)),
            InvisibleHint(itemKey).empty() ? 0 : HiddenColumn(ini_, keyRead->line, true));
        continue;
      }
      if (itemKey.empty()) {
        // Listed with no key: the page finds nothing of the item, as for one the file does not list.
        findings_.Add(keyRead->line, "declared-missing",
                      Place(numbered, keyRead->key) + " is empty" +
                          Unnamed(entry.slot, item.slot >= 0 ? std::vector<LONG>{item.slot} : std::vector<LONG>()));
        continue;
      }
      if (item.slot < 0) continue;
      CheckItem(n, m, entry.slot, item.slot, key, itemKey);
      // Two rows of one title (a line copied for a new item): the operator cannot tell them apart.
      const AccountRead *shownTitle = account_.Find(FileField::ItemTitle, n, m);
      // Text the page cannot show is told as such; an item listed twice, as its key.
      if (!shownTitle || !ShownAsWritten(shownTitle->text)) continue;
      auto same = titles.emplace(FoldedName(shownTitle->text), itemKey);
      if (!same.second && !SameName(same.first->second, itemKey))
        findings_.Add(shownTitle->line, "duplicate-titles",
                      Place(shownTitle->section, shownTitle->key) + " is " + Quoted(shownTitle->text) +
                          ", the title of item " + Utf8(key) + "/" + Utf8(same.first->second) +
                          " too: the operator sees two rows alike; give it its own title");
    }
  if (unlisted.from && DeclaredMissing(numbered, FileField::ItemKey, declared, unlisted.from, declared, "ItemCount",
                                       " in [" + Utf8(numbered) + "]", Unnamed(entry.slot, unlisted.shown)))
    ClaimMisnumbered(numbered);
  TellMissingDefaults(Name(SectionForm::Defaults, key, n, suffix_), key);
  // A class kept as a place for items to come, beside classes that have theirs: the page shows it with an empty list.
  bool othersHaveItems = false;
  for (LONG other = 0; other < SectionCountOf(catalogue_); ++other)
    othersHaveItems = othersHaveItems || catalogue_.Sections[other].ItemCount > 0;
  if (declared == 0 && listed == 0 && countLine && !countWord && othersHaveItems)
    findings_.Add(countLine, "class-all-hidden",
                  label + " has " + Utf8(count->key) + "=0: the page shows it with an empty list; hide it with " +
                      Utf8(KeyOf(FileField::SectionEnable).key) + "=0 in [" + Utf8(filter) +
                      "] until it has items, or take it off the list");
  // Another shown class of the same key (the catalogue holds this one too) reads the same filter: hiding the class
  // there hides both.
  LONG sharing = 0;
  for (LONG other = 0; other < SectionCountOf(catalogue_); ++other)
    sharing += SameName(FieldText(catalogue_.Sections[other].Key), key);
  if (shownItems == 0 && hiddenItems > 0)
    findings_.Add(
        declaredLine, "class-all-hidden",
        label + " is shown, but " +
            (hiddenItems == 1 ? std::string("its only item is") : "all its " + Count(hiddenItems, "item") + " are") +
            " hidden in [" + Utf8(filter) + "]: the page shows an empty class; " +
            (sharing > 1 ? "another class of the key " + Utf8(key) +
                               " reads the same filter, so hiding the class or an item there hides it in "
                               "both: give this class a key of its own, with its own sections"
                         : "hide the class with SectionEnable=0, or show an item"));
  auto stop = account_.stops.find(n);
  auto everyItem = everyListed_.items.find(n);
  if (stop != account_.stops.end() && stop->second.why == WalkStop::RecordFull &&
      everyItem != everyListed_.items.end()) {
    // The first item past the full record that would be shown: hidden ones take no slot anyway.
    auto past = std::find_if(everyItem->second.begin(), everyItem->second.end(), [&](const LoadAccount::Entry &item) {
      return item.itemNumber >= stop->second.next && item.slot >= 0;
    });
    const WString name = past == everyItem->second.end() ? WString() : NameOf(FileField::ItemKey, past->itemNumber);
    if (!name.empty() && Line(numbered, name))
      findings_.Add(Line(numbered, name), "too-many-items",
                    Place(numbered, name) + " (" + Utf8(Read(numbered, name)) + ") is ignored: a class holds at most " +
                        std::to_string(kMaxItems) + " items; " + RoomForItems());
  }
}

bool Walker::ItemGone(LONG n, LONG m, LONG slot, LONG itemSlot, const WString &sectionKey, const WString &itemKey,
                      const std::string &where) {
  std::vector<int> lines;
  if (!ClassHolding(sectionKey, itemKey, lines).empty() || !MeantItemKey(sectionKey, n, itemKey, lines).name.empty())
    return false;
  const WString defaults = Name(SectionForm::Defaults, sectionKey, n, suffix_);
  if (!HasSection(defaults) || Has(defaults, itemKey)) return false;
  for (const auto &language : kLanguages)
    for (SectionForm form : {SectionForm::Language, SectionForm::Rules}) {
      const WString section = Name(form, sectionKey, n, LanguageSuffix(language.language));
      if (!HasSection(section)) return false;
      for (const KeyName &key : kFileKeys)
        if (key.shape == KeyShape::ItemKeyed && key.section == form && Has(section, NameOf(key.field, 0, itemKey)))
          return false;
    }
  const AccountRead *keyRead = account_.Find(FileField::ItemKey, n, m);
  const AccountRead *count = account_.Find(FileField::ItemCount, n);
  const std::string sent =
      ItemBytes(catalogue_, slot, itemSlot, catalogue_.Sections[slot].Items[itemSlot].CurrentValue);
  const std::string countKey = Utf8(KeyOf(FileField::ItemCount).key);
  findings_.Add(
      keyRead->line, "item-lines-missing",
      where +
          " has none of its lines in the sections of its class (titles, rules or default, in either "
          "language): the page shows it as an empty row" +
          (sent.empty() ? std::string() : ", and Set All sends " + sent + " for it") + "; to drop it, delete " +
          Utf8(keyRead->key) +
          // (its ParameterCount too, which the item after it would take when renumbered)
          (Line(keyRead->section, NameOf(FileField::ParameterCount, m))
               ? ", " + Utf8(NameOf(FileField::Instruction, m)) + " and " + Utf8(NameOf(FileField::ParameterCount, m))
               : " and " + Utf8(NameOf(FileField::Instruction, m))) +
          " from [" + Utf8(keyRead->section) + "]" +
          (!count || count->value < 1 ? std::string()
           : count->value == m        ? " and write " + countKey + "=" + std::to_string(m - 1)
                                      : ", number the items after it one lower and write " + countKey + "=" +
                                     std::to_string(count->value - 1)) +
          "; to keep it, add its lines");
  return true;
}

bool Walker::Untranslated(LONG n, const WString &sectionKey, const WString &itemKey, LPCWSTR suffix, std::string *names,
                          std::string *lines) const {
  const LPCWSTR other = SameName(suffix, kEnglishSuffix) ? kChineseSuffix : kEnglishSuffix;
  for (SectionForm form : {SectionForm::Language, SectionForm::Rules}) {
    const WString own = Name(form, sectionKey, n, suffix);
    if (!HasSection(own)) return false;
    for (const KeyName &key : kFileKeys) {
      if (key.shape != KeyShape::ItemKeyed || key.section != form) continue;
      const WString name = NameOf(key.field, 0, itemKey);
      if (Has(own, name)) return false;
      if (const int line = Line(Name(form, sectionKey, n, other), name)) {
        *names += (names->empty() ? "" : ", ") + Utf8(name);
        *lines += (lines->empty() ? "" : ", ") + std::to_string(line);
      }
    }
  }
  return !names->empty();
}

bool Walker::ItemUntranslated(LONG n, const WString &sectionKey, const WString &itemKey, const std::string &where) {
  std::string names, lines;
  if (!Untranslated(n, sectionKey, itemKey, suffix_, &names, &lines)) return false;
  const WString texts = Name(SectionForm::Language, sectionKey, n, suffix_);
  findings_.Add(SectionLine(ini_, texts), "title-missing",
                where + " has none of its lines in [" + Utf8(texts) + "] or [" +
                    Utf8(Name(SectionForm::Rules, sectionKey, n, suffix_)) +
                    "], though the other language's sections have them (lines " + lines + "): in " + languageName_ +
                    " it shows as an empty row without options; add " + names + ", translated");
  return true;
}

void Walker::CheckItem(LONG n, LONG m, LONG slot, LONG itemSlot, const WString &sectionKey, const WString &itemKey) {
  const std::string where = "item " + Utf8(sectionKey) + "/" + Utf8(itemKey);
  const SettingsItem &loaded = catalogue_.Sections[slot].Items[itemSlot];
  const AccountRead *keyRead = account_.Find(FileField::ItemKey, n, m);
  const AccountRead *instruction = account_.Find(FileField::Instruction, n, m);
  const AccountRead *parameters = account_.Find(FileField::ParameterCount, n, m);
  const std::string sent = ItemBytes(catalogue_, slot, itemSlot, loaded.CurrentValue);
  CheckNumber(parameters, ", and Set All sends " + (sent.empty() ? std::string("nothing") : sent) + " for " + where);
  if (instruction->text.empty()) {
    // Without its own command the item's parameter bytes reach the printer with nothing to tell it what they set.
    const bool tail = FieldLength(catalogue_.InstructionTail) >= 2;
    // Its command left under another item line when the items were renumbered: the keys are to be renumbered, not
    // one more written.
    const Finding *shifted = Shifted(instruction->section);
    MissingKey(instruction->section, instruction->key, keyRead->line, "no-instruction",
               (loaded.ParameterCount != 0
                    ? where + " sends its parameter bytes to the printer with no command in front"
                    : where + " has no command: the printer gets " + (tail ? "only the InstructionTail" : "nothing")) +
                   (!shifted ? std::string()
                             : "; the section's commands stand under item lines of another number (line " +
                                   std::to_string(shifted->line) + "): renumber them, rather than write another"));
  } else {
    CheckCommandText(instruction,
                     "Set Current sends nothing for " + where + ", and Set All " +
                         (setAllSends_ ? "goes out with the bytes after it paired wrong" : "sends nothing"),
                     false);
    CheckTailInInstruction(instruction, slot, itemSlot, where);
  }

  CheckTitle(account_.Find(FileField::ItemTitle, n, m));
  const bool gone = ItemGone(n, m, slot, itemSlot, sectionKey, itemKey, where);
  const bool untranslated = !gone && ItemUntranslated(n, sectionKey, itemKey, where);
  const AccountRead *note = account_.Find(FileField::ItemNote, n, m);
  CheckWidth(note);
  // A note the other language has, where this language gives other items theirs: the hint box of this page is
  // empty (a translator's line deleted or missed).
  const WString otherNotes =
      Name(SectionForm::Language, sectionKey, n, suffix_ == kEnglishSuffix ? kChineseSuffix : kEnglishSuffix);
  if (!untranslated && note && note->text.empty() && Has(otherNotes, note->key) && HasSection(note->section) &&
      LanguageHasNotes()) {
    const int titleLine = Line(note->section, NameOf(FileField::ItemTitle, 0, itemKey));
    const std::string empty = "in " + std::string(languageName_) + " the hint box of " + where + " is empty";
    if (note->line)
      findings_.Add(note->line, "note-missing",
                    Place(note->section, note->key) + " is empty, though [" + Utf8(otherNotes) + "] has it: " + empty);
    else
      MissingKey(note->section, note->key, titleLine ? titleLine : SectionLine(ini_, note->section), "note-missing",
                 empty + ", though [" + Utf8(otherNotes) + "] has it");
  }
  if (!gone && !untranslated)
    NoteTitles(sectionKey, n, NameOf(FileField::ItemTitle, 0, itemKey), where, keyRead->line, itemKey);

  const AccountRead *type = account_.Find(FileField::RuleType, n, m);
  const AccountRead *rule = account_.Find(FileField::Rule, n, m);
  CheckWidth(rule);
  auto report = account_.rules.find({n, m});
  const bool isEnum = lstrcmpiW(type->text.c_str(), kEnumRuleType) == 0;
  const int ruleLine = rule->line ? rule->line : type->line;
  bool ruleTold = false;
  if (!HasSection(type->section)) {
    // The other language's rules, where the file has them, are the ones to copy: told on their header.
    const WString twin = Name(SectionForm::Rules, sectionKey, n,
                              lstrcmpiW(suffix_, kEnglishSuffix) == 0 ? kChineseSuffix : kEnglishSuffix);
    // (Unless its keys stand under another header: the header was lost, and its finding says so.)
    const int twinLine = SectionsHolding(type->key, type->section).empty() ? SectionLine(ini_, twin) : 0;
    // Neither language's rules written yet (a file being built): what the section holds.
    const bool neither = twinLine < 0 && SectionsHolding(type->key, type->section).empty();
    MissingSection(
        type->section, twinLine > 0 ? twinLine : SectionLine(ini_, keyRead->section), "rule-section-missing",
        "in " + std::string(languageName_) + " the items of class " + Utf8(sectionKey) +
            " have no options, so Set Current sends nothing for them" +
            (twinLine > 0
                 ? "; add it after [" + Utf8(twin) + "], with the same values and the texts in " + languageName_
             : neither ? "; add it, with two lines for each item, such as " + Utf8(type->key) + "=Enum and " +
                             Utf8(rule->key) + "=0=Off 1=On (the values and texts of its options)"
                       : std::string()));
  } else if (type->text.empty()) {
    if (!gone && !untranslated)
      MissingKey(type->section, type->key, SectionLine(ini_, type->section), "rule-type-missing",
                 where + " has no options, so Set Current sends nothing for it");
  } else if (isEnum && !rule->line) {
    // No rule at all: told once, on the line of the name that was probably meant for it.
    MissingKey(rule->section, rule->key, type->line, "enum-no-pairs",
               where + " has no options" +
                   (RemarkedEntry(ini_, rule->section, rule->key) ? std::string() : "; " + std::string(kWritePairs)));
    ruleTold = true;
  } else if (LPCWSTR form =
                 report != account_.rules.end() && report->second.known ? WrittenFor(isEnum, rule->text) : nullptr) {
    // Told where the fix goes: the type's line.
    findings_.Add(type->line, "rule-type-mismatch",
                  Place(type->section, type->key) + " is " + Utf8(type->text) + ", but " + Utf8(rule->key) +
                      " is written as " + (isEnum ? "a " : "an ") + Utf8(form) + " rule: write " + Utf8(type->key) +
                      "=" + Utf8(form));
    ruleTold = true;
  } else if (report != account_.rules.end() && report->second.known) {
    ruleTold = CheckRuleNotes(report->second, rule->text, rule->line, Place(rule->section, rule->key), findings_,
                              loaded.OptionCount);
    if (!isEnum && !ruleTold)
      CheckSerialSettings(rule->text, rule->line, Place(rule->section, rule->key), findings_, loaded.OptionCount);
    if (isEnum && !ruleTold)
      CheckLeadingZeros(catalogue_, slot, itemSlot, rule->text, rule->line, instruction->key, where, findings_);
  } else {
    // The rest of a text where the type belongs, under a note that opens a quotation mark and does not close it: a
    // program split the item's cells at a comma inside the quotes, and each cell after it moved one on.
    const AccountRead *note = account_.Find(FileField::ItemNote, n, m);
    const bool split = note && note->line && !note->text.empty() && note->text[0] == '"' && note->text.back() != '"' &&
                       type->text.find(WCHAR(' ')) != WString::npos;
    findings_.Add(type->line, "rule-type-unknown",
                  Place(type->section, type->key) + " " + Quoted(type->text) + " is neither Enum nor Serial: " + where +
                      " has no options; " +
                      (split ? "it reads like the rest of the note on line " + std::to_string(note->line) +
                                   ", which opens a quotation mark and does not close it: a program that split the "
                                   "item's cells at a comma inside the quotes moved each cell after it one on; write "
                                   "the item's lines again from their source"
                             : "write " + Utf8(type->key) + "=Enum for value=text pairs, or " + Utf8(type->key) +
                                   "=Serial for a range"));
  }
  // A rule cut at its line end by a '\\' is told on that line; what the cut does to the values follows from it.
  ruleTold = ruleTold || (rule && rule->line && findings_.Told(rule->line, "line-continued"));

  const AccountRead *defaultValue = account_.Find(FileField::Default, n, m);
  // A default written as the text of an option ("Normal"): its value was meant.
  std::string meantValue;
  const WString written = defaultValue->line ? Read(defaultValue->section, defaultValue->key) : WString();
  for (const SettingsOption *option = loaded.Options; option && !written.empty(); option = option->Next)
    if (SameName(FieldText(option->Text), written))
      meantValue = "; " + Quoted(written) + kOptionTextHint + std::to_string(option->Value) +
                   ": write " + std::to_string(option->Value);
  if (meantValue.empty() && DWORD(loaded.ParameterCount) > 1) meantValue = RowListHint(written, loaded.OptionCount);
  // A default written with its unit ("15 min"), as the option's text shows it: its number is an option's value,
  // read as meant in either language.
  // (With the zeros a manual pads the number with, "0600 dots", it reads as meant all the same.)
  size_t zeros = 0;
  while (zeros + 1 < written.size() && written[zeros] == '0' && written[zeros + 1] >= '0' && written[zeros + 1] <= '9')
    ++zeros;
  const std::string number = std::string(zeros, '0') + std::to_string(defaultValue->value);
  const WString unit = written.size() > number.size() && Utf8(written.substr(0, number.size())) == number
                           ? Trimmed(written.substr(number.size()))
                           : WString();
  bool option = false;
  for (const SettingsOption *o = loaded.Options; o && !unit.empty(); o = o->Next)
    option = option || o->Value == defaultValue->value;
  const bool withUnit = option && DWORD(loaded.ParameterCount) <= 1 && unit.size() <= 12 &&
                        written[number.size()] == ' ' && unit.find_first_of(Ascii("0123456789=;#")) == WString::npos;
  if (withUnit)
    findings_.Add(defaultValue->line, "number-with-unit",
                  Place(defaultValue->section, defaultValue->key) + " = " + Quoted(written) + ": the plug-in reads " +
                      std::to_string(defaultValue->value) + ", the option's value, as meant");
  // A word for the default that reads as no option's value: what the page then shows is told with the word.
  bool readsOption = DWORD(loaded.ParameterCount) > 1 || loaded.OptionCount == 0;
  std::vector<std::string> values;
  for (const SettingsOption *o = loaded.Options; o && values.size() < loaded.OptionCount; o = o->Next) {
    readsOption = readsOption || o->Value == defaultValue->value;
    values.push_back(std::to_string(o->Value));
  }
  const std::string noOption =
      readsOption ? std::string()
                  : ", which no option has: the page selects no row, Set Current sends nothing until one is chosen, "
                    "and Set All sends " +
                        [&] {
                          const std::string sent = ItemBytes(catalogue_, slot, itemSlot, defaultValue->value);
                          return sent.empty() ? std::string("nothing for it") : sent;
                        }();
  const bool misread =
      !withUnit &&
      CheckNumber(defaultValue, noOption + meantValue,
                  readsOption ? std::string(kDecimalDigitsHint)
                              : kDecimalDigitsHint + std::string(", the value of an option: ") + FirstNames(values));
  if (defaultValue->line && written.empty()) {
    // A cell left blank: the page starts at the default of a missing line, which nobody chose.
    std::string starts;
    const SettingsOption *option = loaded.OptionCount ? loaded.Options : nullptr;
    for (DWORD i = 0; option && i < loaded.OptionCount; ++i, option = option->Next)
      if (option->Value == defaultValue->value)  // the page selects the last of equal values
        starts = ": the page starts at " + Quoted(FieldText(option->Text));
    findings_.Add(defaultValue->line, "empty-value",
                  Place(defaultValue->section, defaultValue->key) + " is empty: the plug-in reads " +
                      std::to_string(defaultValue->value) + ", as if the line were not there" + starts +
                      "; write the value meant");
  }
  // A default switched off with a remark: the mark is what to take off, and what the page starts at until then
  // is told with it.
  const IniFile::Entry *defaultOff =
      !defaultValue->line && !gone ? RemarkedEntry(ini_, defaultValue->section, defaultValue->key) : nullptr;
  if (defaultOff) {
    findings_.Claim(defaultOff->line);
    findings_.Add(defaultOff->line, "default-missing",
                  Place(defaultValue->section, defaultValue->key) + " is missing" + RemarkedHint(ini_, defaultOff) +
                      ": the page starts " + where + " at " + std::to_string(loaded.CurrentValue) +
                      ", and Set All sends " + ItemBytes(catalogue_, slot, itemSlot, loaded.CurrentValue) +
                      "; take the remark mark off line " + std::to_string(defaultOff->line) + " to switch it on again");
  } else if (!defaultValue->line && !gone) {
    MissingDefault(defaultValue, n, m, slot, itemSlot);
  }
  const int countLine = parameters->line;
  std::optional<long long> missedMax;
  for (const RuleNote &note : report != account_.rules.end() ? report->second.notes : std::vector<RuleNote>())
    if (note.kind == RuleNoteKind::SerialMissesMax) missedMax = note.limit;
  const ItemLines itemLines = {
      defaultValue->line, ruleLine, countLine, keyRead->line,
      !HasSection(defaultValue->section) && !MeantSection(ini_, known_, defaultValue->section, WString()).name.empty(),
      misread, missedMax,
      // (or written in another section, where its finding says to move it)
      !defaultValue->line &&
          (defaultOff || !MeantKey(ini_, known_, defaultValue->section, defaultValue->key).name.empty() ||
           !SectionsHolding(defaultValue->key, defaultValue->section).empty()),
      instruction->key};
  if (!ruleTold) {
    CheckItemValues(catalogue_, slot, itemSlot, isEnum, itemLines, where, findings_);
  } else if (rule->line &&
             (findings_.Told(rule->line, "enum-value-cut") || findings_.Told(rule->line, "remark-in-text"))) {
    // A rule that reads its values cut or past a remark gives other options than written, and a default of a
    // value written follows from it; a default the written values do not offer either is a slip of its own.
    std::vector<long long> numbers;  // of the rule's text as written ("00001" is 1)
    for (size_t at = 0; at < rule->text.size();) {
      const size_t end = rule->text.find_first_not_of(Ascii("0123456789"), at);
      const WString digits = rule->text.substr(at, end == WString::npos ? WString::npos : end - at);
      if (!digits.empty() && digits.size() <= 12)
        numbers.push_back((at > 0 && rule->text[at - 1] == '-' ? -1 : 1) * std::stoll(Utf8(digits)));
      at = digits.empty() ? at + 1 : at + digits.size();
    }
    const long long value = loaded.CurrentValue;
    const bool offered = numbers.empty() || (isEnum ? std::count(numbers.begin(), numbers.end(), value) > 0
                                                    : value >= *std::min_element(numbers.begin(), numbers.end()) &&
                                                          value <= *std::max_element(numbers.begin(), numbers.end()));
    Findings values;
    if (!offered) CheckItemValues(catalogue_, slot, itemSlot, isEnum, itemLines, where, values);
    for (const Finding &finding : values.list())
      if (finding.code == "default-no-option") findings_.Add(finding);
  }
  // One option offers no choice: showing it has every Set All send it. A command the operator is meant to send
  // with Set Current may be shown so on purpose, so this is told as information; a rule that gives one option by a
  // mistake of its own is told as that mistake.
  const bool ruleNoted = report != account_.rules.end() && !report->second.notes.empty();
  if (!ruleTold && !ruleNoted && !findings_.Told(ruleLine, "enum-pair-no-equals") && loaded.OptionCount == 1 &&
      DWORD(loaded.ParameterCount) <= 1 &&
      loaded.Options->Value == loaded.CurrentValue) {
    const std::string sent = ItemBytes(catalogue_, slot, itemSlot, loaded.CurrentValue);
    // An action's command often takes no value: the byte the page adds for it is a stray one to the printer.
    std::string bare;
    BYTE command[ARRAYSIZE(SettingsItem{}.Instruction)];
    const size_t commandBytes = HexTextToBytes(loaded.Instruction, command, sizeof command);
    if (IsHigh256(catalogue_) && loaded.ParameterCount == 1 && commandBytes && sent.size() >= 3 * commandBytes + 2) {
      const std::string command = sent.substr(0, 3 * commandBytes - 1), value = sent.substr(3 * commandBytes, 2);
      bare = "; if its command takes no value, write " + Utf8(parameters->key) + "=0 in [" + Utf8(parameters->section) +
             "], and it sends " + command + sent.substr(3 * commandBytes + 2) + " without the " + value + " after " +
             command;
    }
    findings_.Add(keyRead->line, "single-option",
                  where + " has a single option: the operator has nothing to choose, and every Set All sends " +
                      (sent.empty() ? std::string("nothing") : sent) + " for it; if it is an action, hide " +
                      // The class's one item hidden would leave an empty class: the class is what to hide, when
                      // the page has others.
                      (catalogue_.Sections[slot].ItemCount == 1 && SectionCountOf(catalogue_) > 1
                           ? "its class with " + Utf8(KeyOf(FileField::SectionEnable).key)
                           : "it with " + Utf8(itemKey)) +
                      "=0 in [" + Utf8(Name(SectionForm::Filter, sectionKey, n, suffix_)) +
                      "]; if it is a setting, write its other options" + bare);
  }

  // What Set All makes of the item's value: an item without text leaves Set All with nothing to send.
  NoText why = NoText::kNone;
  DWORD size = 0;
  EncodeItemValue(catalogue_, slot, itemSlot, loaded.CurrentValue, nullptr, &size, &why);
  const std::string parameterName = Place(parameters->section, parameters->key);
  switch (why) {
    case NoText::kTooLong:
      // What such a count would mean for tick boxes or bytes follows from the same slip.
      findings_.Drop({countLine ? countLine : keyRead->line}, {"multi-choice-count", "parameter-count-large"});
      findings_.Add(countLine ? countLine : keyRead->line, "set-all-nothing",
                    parameterName + " " + std::to_string(loaded.ParameterCount) +
                        " asks for more parameter bytes than a command holds: " + where +
                        " gives no command, so Set All sends nothing" +
                        (loaded.ParameterCount < 0 ? " (and the page treats it as multi-choice)" : "") + "; write " +
                        Utf8(parameters->key) + "=1 for one choice, or " + (IsBaseOn30(catalogue_) ? "8" : "3") +
                        " for tick boxes");
      break;
    case NoText::kNegativeDigits: {
      // One finding for the default: that it is no option as well follows from the same slip.
      const int line = defaultValue->line ? defaultValue->line : keyRead->line;
      findings_.Drop({line}, {"default-no-option"});
      std::vector<std::string> values;
      for (const SettingsOption *option = loaded.Options; option && values.size() < loaded.OptionCount;
           option = option->Next)
        if (option->Value >= 0) values.push_back(std::to_string(option->Value));
      findings_.Add(line, "set-all-nothing",
                    where + ": the default " + std::to_string(loaded.CurrentValue) +
                        " is negative: BaseOn30 cannot send it, so Set All sends nothing at all" +
                        (values.empty() ? std::string() : "; write the value of an option: " + FirstNames(values)));
      break;
    }
    default: break;
  }
}

MeantEntry Walker::RenamedInTwin(const WString &section, const WString &twin, const WString &titleKey) const {
  const IniFile::Section *own = FirstSection(ini_, section);
  if (!own || !Line(twin, titleKey)) return MeantEntry();
  const WString tail = NameOf(FileField::ItemTitle, 0, WString());  // "_Title"
  if (titleKey.size() <= tail.size() || !SameName(titleKey.substr(titleKey.size() - tail.size()), tail))
    return MeantEntry();  // a class's own title
  MeantEntry meant;
  int found = 0;
  for (const IniFile::Entry &entry : own->entries) {
    const WString name = ini_.Text(entry.name, entry.nameLength);
    if (name.size() <= tail.size() || !SameName(name.substr(name.size() - tail.size()), tail) ||
        known_.IsKey(section, name) || Line(twin, name))
      continue;
    if (++found == 1) meant = {name, entry.line};
  }
  return found == 1 ? meant : MeantEntry();
}

MeantEntry Walker::MeantItemKey(const WString &sectionKey, LONG n, const WString &itemKey,
                                std::vector<int> &lines) const {
  std::map<std::string, std::pair<WString, std::set<int>>> orphans;  // folded item part -> part, lines
  for (const KeyName &form : kFileKeys) {
    if (form.shape != KeyShape::ItemKeyed) continue;
    const WString suffix = WString(form.key).substr(2);  // "%s_Title" -> "_Title"
    for (LPCWSTR language : {kEnglishSuffix, kChineseSuffix}) {
      const IniFile::Section *section = FirstSection(ini_, Name(form.section, sectionKey, n, language));
      for (size_t e = 0; section && e < section->entries.size(); ++e) {
        const IniFile::Entry &entry = section->entries[e];
        const WString key = ini_.Text(entry.name, entry.nameLength);
        const WString sectionName = ini_.Text(section->name, section->nameLength);
        const WString part = Stem(key, suffix);
        if (IsComment(key) || part.empty() || known_.IsKey(sectionName, key)) continue;
        auto &orphan = orphans[FoldedName(part)];
        orphan.first = part;
        orphan.second.insert(entry.line);  // a section both languages read is looked through twice
      }
    }
  }
  MeantEntry meant;
  for (const auto &orphan : orphans)
    if (IsNearMiss(orphan.second.first, itemKey) || orphans.size() == 1) {
      meant = {orphan.second.first, *orphan.second.second.begin()};
      lines.assign(orphan.second.second.begin(), orphan.second.second.end());
      if (IsNearMiss(orphan.second.first, itemKey)) break;
    }
  return meant;
}

const AccountRead *Walker::ListedIn(const WString &classKey, const WString &itemKey) const {
  std::set<LONG> numbers;  // the class's numbers in the list
  for (const AccountRead &read : everyListed_.reads)
    if (read.field == FileField::SectionKey && read.line && SameName(read.text, classKey))
      numbers.insert(read.sectionNumber);
  for (const AccountRead &read : everyListed_.reads)
    if (read.field == FileField::ItemKey && read.line && numbers.count(read.sectionNumber) &&
        SameName(read.text, itemKey))
      return &read;
  return nullptr;
}

WString Walker::ClassHolding(const WString &sectionKey, const WString &itemKey, std::vector<int> &lines) const {
  for (const AccountRead &read : everyListed_.reads) {
    if (read.field != FileField::SectionKey || !read.line || SameName(read.text, sectionKey)) continue;
    lines.clear();
    for (const KeyName &form : kFileKeys)
      for (LPCWSTR language : {kEnglishSuffix, kChineseSuffix})
        if (form.shape == KeyShape::ItemKeyed && form.section != SectionForm::Filter)
          if (int line = Line(Name(form.section, read.text, 0, language), NameOf(form.field, 0, itemKey)))
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
    if (!lines.empty()) {
      std::sort(lines.begin(), lines.end());
      return read.text;
    }
  }
  return WString();
}

bool Walker::NothingFor(LONG n) const {
  auto items = account_.items.find(n);
  if (items == account_.items.end()) return false;
  bool shown = false;
  for (const LoadAccount::Entry &item : items->second) {
    if (item.slot < 0) continue;
    shown = true;
    for (FileField field : {FileField::ItemTitle, FileField::RuleType}) {
      const AccountRead *read = account_.Find(field, n, item.itemNumber);
      if (read && !read->text.empty()) return false;
    }
  }
  return shown;
}

// Set All as the page sends it: a file whose classes hold no item at all sends nothing.
std::vector<Walker::ShownCommand> Walker::ShownCommands() const {
  std::vector<ShownCommand> shown;
  for (const LoadAccount::Entry &section : account_.sections) {
    auto items = account_.items.find(section.sectionNumber);
    if (section.slot < 0 || items == account_.items.end()) continue;
    for (const LoadAccount::Entry &item : items->second) {
      const AccountRead *instruction = account_.Find(FileField::Instruction, item.sectionNumber, item.itemNumber);
      if (item.slot < 0 || !instruction || !instruction->line || instruction->text.empty() ||
          CheckHexText(instruction->text.c_str()).fault != HexTextCheck::kWhole)
        continue;
      BYTE command[ARRAYSIZE(SettingsItem{}.Instruction)];
      const DWORD size = HexTextToBytes(instruction->text.c_str(), command, sizeof command);
      const AccountRead *keyRead = account_.Find(FileField::ItemKey, item.sectionNumber, item.itemNumber);
      const SettingsSection &slot = catalogue_.Sections[section.slot];
      shown.push_back({instruction, std::vector<BYTE>(command, command + size), section.slot, item.slot,
                       keyRead ? keyRead->line : 0,
                       "item " + Utf8(FieldText(slot.Key)) + "/" + Utf8(FieldText(slot.Items[item.slot].Key)),
                       &catalogue_});
    }
  }
  return shown;
}

// What an item's instruction tells beside the other items': a command that is how others begin, and a byte that
// ends every command where the file has no tail to end them after the value.
void Walker::CheckCommandShapes(const std::vector<ShownCommand> &shown) {
  for (const ShownCommand &item : shown) {
    std::vector<std::string> longer;  // "S/J", without the word "item"
    const ShownCommand *first = nullptr;
    for (const ShownCommand &other : shown)
      if (other.bytes.size() > item.bytes.size() &&
          std::equal(item.bytes.begin(), item.bytes.end(), other.bytes.begin()) &&
          !longer.emplace_back(other.name.substr(5)).empty() && !first)
        first = &other;
    if (!first || item.item().ParameterCount < 1) continue;
    findings_.Add(item.instruction->line, "command-prefix",
                  Place(item.instruction->section, item.instruction->key) + " is " +
                      HexPairs(item.bytes.data(), DWORD(item.bytes.size())) + ", how the command of " +
                      (longer.size() == 1 ? "item " : "items ") + FirstNames(longer) + " begins (" +
                      HexPairs(first->bytes.data(), DWORD(first->bytes.size())) + "): the printer takes " + item.name +
                      "'s value for the byte that tells those commands apart; " +
                      "if a byte of its command is missing, add it");
  }
  // A command of printable text, as a printer that reads text commands takes (a line end in it is told apart).
  const auto textByte = [](BYTE b) { return (b >= 0x20 && b < 0x7F) || b == 0x0D || b == 0x0A; };
  auto printable = [&](const ShownCommand &item) { return std::all_of(item.bytes.begin(), item.bytes.end(), textByte); };
  // Commands of printable text ended by a line end, under a rule that sends values as binary bytes: the rule is the
  // one mistake, whatever each value's byte then does.
  BYTE lineEnd[ARRAYSIZE(SettingsCatalogue{}.InstructionTail)];
  const DWORD lineEndBytes = HexTextToBytes(catalogue_.InstructionTail, lineEnd, sizeof lineEnd);
  const AccountRead *rule = account_.Find(FileField::ParameterRule, 0);
  const bool text = IsHigh256(catalogue_) && rule && rule->line && shown.size() >= 2 && lineEndBytes > 0 &&
                    std::all_of(lineEnd, lineEnd + lineEndBytes, [](BYTE b) { return b == 0x0D || b == 0x0A; }) &&
                    std::all_of(shown.begin(), shown.end(), printable);
  if (text) {
    std::set<int> told;
    for (const Finding &finding : findings_.list())
      if (finding.code == "value-too-large" || finding.code == "value-ends-command") told.insert(finding.line);
    findings_.Drop(told, {"value-too-large", "value-ends-command"});
    const ShownCommand &example = shown[0];
    findings_.Add(rule->line, "text-commands-high256",
                  Place(rule->section, rule->key) + " is " + Utf8(rule->text) +
                      ", which sends each value as a binary byte, but the commands are text ended by a line end: " +
                      example.name + " sends " +
                      ItemBytes(catalogue_, example.slot, example.itemSlot, example.item().CurrentValue) +
                      "; a printer that reads text commands takes values as digits: write " + Utf8(rule->key) +
                      "=BaseOn30");
  }
  // A binary command among text ones under BaseOn30, which sends values as digits: copied from another printer's
  // file, most likely. Told when the others are all text.
  const size_t textCommands = size_t(std::count_if(shown.begin(), shown.end(), printable));
  if (IsBaseOn30(catalogue_) && textCommands >= 2 && textCommands + 1 == shown.size()) {
    const ShownCommand &odd = *std::find_if_not(shown.begin(), shown.end(), printable);
    const std::vector<BYTE> codes = DecimalCodes(odd.instruction->text);
    findings_.Add(odd.instruction->line, "command-not-text",
                  Place(odd.instruction->section, odd.instruction->key) + " is " +
                      HexPairs(odd.bytes.data(), DWORD(odd.bytes.size())) +
                      ", with bytes that are no text, where the file's other commands are text, as BaseOn30 sends "
                      "values: " +
                      odd.name + " sends " + ItemBytes(catalogue_, odd.slot, odd.itemSlot, odd.item().CurrentValue) +
                      (std::all_of(codes.begin(), codes.end(), textByte) && codes.size() > 1
                           ? DecimalCodesHint(odd.instruction->text)
                           : "; if it was copied from another printer's file, write this printer's command"));
  }
  // Text commands that put a blank before their value: one without it has the value run into its word, and one
  // with the manual's placeholder after it sends the placeholder.
  const auto blankEnded = [](const ShownCommand &item) { return !item.bytes.empty() && item.bytes.back() == 0x20; };
  const size_t blanks = size_t(std::count_if(shown.begin(), shown.end(), blankEnded));
  for (const ShownCommand &item : shown) {
    if (!IsBaseOn30(catalogue_) || textCommands != shown.size() || item.item().ParameterCount < 1 ||
        blanks < size_t(2 + blankEnded(item)))
      continue;
    const auto blank = std::find(item.bytes.rbegin(), item.bytes.rend(), BYTE(0x20));
    std::string last;  // the command's last word, after its last blank
    for (auto b = blank.base(); b != item.bytes.end(); ++b) last += char(std::tolower(*b));
    const bool placeholder = blank != item.bytes.rend() && IsPlaceholder(last);
    if (!placeholder && !std::isalpha(item.bytes.back())) continue;
    const std::vector<BYTE> meant(item.bytes.begin(), placeholder ? blank.base() : item.bytes.end());
    findings_.Add(item.instruction->line, "text-command-unlike",
                  Place(item.instruction->section, item.instruction->key) + " is the text " +
                      Quoted(WString(item.bytes.begin(), item.bytes.end())) +
                      (placeholder ? ", which ends in " + Quoted(Ascii(last.c_str())) +
                                         ", a manual's placeholder for the value, which the page sends as it stands"
                                   : ", with no blank before the value, where the file's other commands end in one") +
                      ": " + item.name + " sends " +
                      ItemBytes(catalogue_, item.slot, item.itemSlot, item.item().CurrentValue) + "; write " +
                      Utf8(item.instruction->key) + "=" + HexPairs(meant.data(), DWORD(meant.size())) +
                      (placeholder ? std::string() : " 20"));
  }
  // An escape sequence typed from a manual's decimal column ("27 68" for ESC D), where the file's other commands
  // begin with an escape byte: the digits read as other bytes.
  const auto escape = [](BYTE b) { return b >= 0x1B && b <= 0x1D; };
  std::vector<const AccountRead *> commands;
  for (const ShownCommand &item : shown) commands.push_back(item.instruction);
  for (FileField frame : {FileField::EnterInstruction, FileField::SaveInstruction})
    if (const AccountRead *read = account_.Find(frame, 0); read && read->line) commands.push_back(read);
  size_t escaped = 0;
  for (const AccountRead *read : commands) {
    BYTE command[ARRAYSIZE(SettingsCatalogue{}.EnterInstruction)];
    escaped += HexTextToBytes(read->text.c_str(), command, sizeof command) > 0 && escape(command[0]);
  }
  for (const AccountRead *read : commands) {
    const std::vector<BYTE> codes = DecimalCodes(read->text);
    if (codes.size() < 2 || !escape(codes[0]) || escaped < 2 ||
        CheckHexText(read->text.c_str()).fault != HexTextCheck::kWhole)
      continue;
    findings_.Add(read->line, "decimal-codes",
                  Place(read->section, read->key) + " is " + Utf8(read->text) +
                      ", which the page sends as those hexadecimal bytes, where the file's other commands begin "
                      "with an escape byte" +
                      DecimalCodesHint(read->text));
  }
  // So is a frame of bytes that are no text around the commands of a text printer, or a tail after them.
  for (FileField frame : {FileField::EnterInstruction, FileField::SaveInstruction, FileField::InstructionTail}) {
    const AccountRead *read = account_.Find(frame, 0);
    BYTE command[ARRAYSIZE(SettingsCatalogue{}.EnterInstruction)];
    const DWORD size = read && read->line ? HexTextToBytes(read->text.c_str(), command, sizeof command) : 0;
    if (!IsBaseOn30(catalogue_) || textCommands < 2 || textCommands != shown.size() || !size ||
        std::all_of(command, command + size, textByte))
      continue;
    findings_.Add(read->line, "command-not-text",
                  Place(read->section, read->key) + " is " + HexPairs(command, size) +
                      ", with bytes that are no text, where every item's command is text, as BaseOn30 sends values: "
                      "if it was copied from another printer's file, write this printer's command");
  }
  // The reverse under High256: a text command awaiting digits among binary ones, from a manual's text interface.
  // The value goes out as a byte; only a value of one digit can be written as its character's code.
  std::vector<std::string> texts;  // "S/J", without the word "item"
  std::set<int> textKeys;          // their lines in the list, where a value that ends the command is told
  const ShownCommand *firstText = nullptr;
  for (const ShownCommand &item : shown)
    if (item.bytes.size() >= 3 && item.item().ParameterCount >= 1 &&
        std::all_of(item.bytes.begin(), item.bytes.end(), [](BYTE b) { return b >= 0x20 && b < 0x7F; }) &&
        !texts.emplace_back(item.name.substr(5)).empty() && textKeys.insert(item.keyLine).second && !firstText)
      firstText = &item;
  // (The text command's value that ends it early is this one slip: its advice, a rule of digits for the whole
  // file, would turn the binary commands' values into digits.)
  if (IsHigh256(catalogue_) && firstText && shown.size() - textCommands >= 2 * texts.size()) {
    findings_.Drop(textKeys, {"value-ends-command"});
    findings_.Add(firstText->instruction->line, "text-command-binary",
                  Place(firstText->instruction->section, firstText->instruction->key) + " is the text " +
                      Quoted(WString(firstText->bytes.begin(), firstText->bytes.end())) +
                      ", where the file's other commands are binary: High256 sends the value as a byte (" +
                      firstText->name + " sends " +
                      ItemBytes(catalogue_, firstText->slot, firstText->itemSlot, firstText->item().CurrentValue) +
                      ")" + (texts.size() > 1 ? ", and so it does for items " + FirstNames(texts) : std::string()) +
                      "; if it was copied from another printer's file, write this printer's command; if the "
                      "printer reads the value as digits, write each option's value as its digit's character code "
                      "(48 for 0 to 57 for 9): High256 can send one digit, no more");
  }
  // The tail written into every instruction as well: one slip, told once.
  std::set<int> tailed;
  for (const Finding &finding : findings_.list())
    if (finding.code == "tail-in-instruction") tailed.insert(finding.line);
  if (shown.size() >= 3 && std::all_of(shown.begin(), shown.end(), [&](const ShownCommand &item) {
        return tailed.count(item.instruction->line) != 0;
      })) {
    std::set<int> lines;
    for (const ShownCommand &item : shown) lines.insert(item.instruction->line);
    findings_.Drop(lines, {"tail-in-instruction"});
    const ShownCommand &example = shown[0];
    findings_.Add(example.instruction->line, "tail-in-instruction",
                  "every item's instruction ends with " + Utf8(FieldText(catalogue_.InstructionTail)) + ", the " +
                      Utf8(KeyOf(FileField::InstructionTail).key) +
                      ", which the page adds after the value itself: " + example.name + " is sent as " +
                      ItemBytes(catalogue_, example.slot, example.itemSlot, example.item().CurrentValue) +
                      "; leave the tail out of the instructions");
  }
  // Text commands of words ("DENSITY 8", "SPEED ") with no tail: nothing ends one before the next begins. (Caret
  // commands, "^PR4^MD8", begin with their own mark and may run together.)
  BYTE anyTail[ARRAYSIZE(SettingsCatalogue{}.InstructionTail)];
  const auto wordCommand = [](const ShownCommand &item) {
    return item.bytes.size() >= 3 && std::isupper(item.bytes[0]) && std::isupper(item.bytes[1]) &&
           std::find(item.bytes.begin(), item.bytes.end(), BYTE(0x20)) != item.bytes.end();
  };
  if (shown.size() >= 2 && textCommands == shown.size() && IsBaseOn30(catalogue_) &&
      HexTextToBytes(catalogue_.InstructionTail, anyTail, sizeof anyTail) == 0 &&
      std::all_of(shown.begin(), shown.end(), wordCommand) &&
      !std::all_of(shown.begin(), shown.end(), [](const ShownCommand &item) {
        return item.bytes.back() == 0x0D || item.bytes.back() == 0x0A;  // a line end in each, told as such below
      })) {
    const ShownCommand &example = shown[0];
    findings_.Add(example.instruction->line, "text-commands-unended",
                  "every item's command is a text command of words, and the file has no " +
                      Utf8(KeyOf(FileField::InstructionTail).key) + ": the commands run together in the job (" +
                      example.name + " sends " +
                      ItemBytes(catalogue_, example.slot, example.itemSlot, example.item().CurrentValue) +
                      ", and the next command follows at once); if the printer ends each command with a line end, "
                      "write " +
                      Utf8(KeyOf(FileField::InstructionTail).key) + "=0D 0A in [" + Utf8(kNamesSection) + "]");
    return;
  }
  // Every command ending in one byte, and no tail: the byte that ends a command was written into each instruction,
  // and the value goes out after it. 00 is the high byte of a two-byte value, which an instruction may end with.
  BYTE tail[ARRAYSIZE(SettingsCatalogue{}.InstructionTail)];
  std::set<std::string> distinct;
  size_t valued = 0;
  for (const ShownCommand &item : shown) {
    distinct.insert(HexPairs(item.bytes.data(), DWORD(item.bytes.size())));
    valued += item.item().ParameterCount >= 1;
  }
  if (shown.size() < 3 || distinct.size() < 3 || valued < 3 ||
      HexTextToBytes(catalogue_.InstructionTail, tail, sizeof tail) > 0 ||
      std::any_of(shown.begin(), shown.end(),
                  [&](const ShownCommand &item) {
                    return item.bytes.size() < 2 || item.bytes.back() != shown[0].bytes.back();
                  }) ||
      shown[0].bytes.back() == 0)
    return;
  // The bytes every instruction ends with (a line end is two), short of a whole instruction: each item's line end
  // told on its own is this one mistake. A line end is the tail, not the blank a text command writes before its
  // value ("SPEED \r\n").
  auto isLineEnd = [](BYTE b) { return b == 0x0D || b == 0x0A; };
  const bool endsLine = isLineEnd(shown[0].bytes.back());
  size_t common = 1;
  for (bool alike = true; alike; common += alike) {
    const BYTE before = shown[0].bytes.size() > common ? shown[0].bytes[shown[0].bytes.size() - 1 - common] : 0;
    alike = !endsLine || isLineEnd(before);
    for (const ShownCommand &item : shown)
      alike = alike && item.bytes.size() > common + 1 && item.bytes[item.bytes.size() - 1 - common] == before;
  }
  std::set<int> lines;
  for (const ShownCommand &item : shown) lines.insert(item.instruction->line);
  findings_.Drop(lines, {"tail-in-instruction"});
  const std::string end = HexPairs(&shown[0].bytes[shown[0].bytes.size() - common], DWORD(common));
  const ShownCommand &example = *std::find_if(shown.begin(), shown.end(),
                                              [](const ShownCommand &item) { return item.item().ParameterCount >= 1; });
  findings_.Add(example.instruction->line, "end-in-instruction",
                "every item's instruction ends in " + end + " and the file has no " +
                    Utf8(KeyOf(FileField::InstructionTail).key) + ": the value goes out after the " + end + " (" +
                    example.name + " sends " +
                    ItemBytes(catalogue_, example.slot, example.itemSlot, example.item().CurrentValue) + "); if " +
                    end + " ends each command, write " + Utf8(KeyOf(FileField::InstructionTail).key) + "=" + end +
                    " in [" + Utf8(kNamesSection) +
                    "], which the page adds after every value, and take it off the "
                    "instructions");
}

void Walker::CheckSetAll(const std::vector<ShownCommand> &shownCommands) {
  const JobBytes job = BuildAllItemsJob(catalogue_);
  if (job.failure == NoJob::kNoItems && SectionCountOf(catalogue_) > 0)
    findings_.Add(account_.Find(FileField::SectionCount, 0)->line, "set-all-nothing",
                  "no shown class has a shown item: Set All sends nothing");
  // Shown items with one command (a line copied and not changed): Set All sends each, and the printer keeps the
  // value of the last. An item listed twice under its key is told as such.
  struct Sharing {
    std::vector<std::string> items;
    std::string itemKey;  // folded key of the first
    const AccountRead *second = nullptr;
    std::string classKey;  // folded key of the first's class
    bool moved = false;    // the second is the first's key in another class
    int movedKeyLine = 0;  // and the line that lists it there
  };
  std::map<std::string, Sharing> commands;  // the command's bytes -> the items that send it
  std::vector<std::string> order;
  // The frame's commands too: an item that sends one of them enters set-up mode or stores the values mid-job.
  for (FileField frame : {FileField::EnterInstruction, FileField::SaveInstruction}) {
    const AccountRead *read = account_.Find(frame, 0);
    BYTE command[ARRAYSIZE(SettingsCatalogue{}.EnterInstruction)];
    const DWORD size = read ? HexTextToBytes(read->text.c_str(), command, sizeof command) : 0;
    if (size && !commands.count(HexPairs(command, size)))
      commands[HexPairs(command, size)] = {{"the " + Utf8(read->key)}, "", nullptr, "", false, 0};
    // A frame of two commands that start alike ("^JUS^XZ"): an item that sends the first stores mid-job too.
    for (DWORD from = 0, to = 1; to <= size; ++to) {
      if (to < size && command[to] != command[0]) continue;
      if ((from > 0 || to < size) && to - from >= 2)
        commands.emplace(HexPairs(command + from, to - from),
                         Sharing{{"a command within the " + Utf8(read->key)}, "", nullptr, "", false, 0});
      from = to;
    }
  }
  // The job's opening command, which an item's command may still begin with from before the frame was written.
  const AccountRead *enter = account_.Find(FileField::EnterInstruction, 0);
  BYTE opening[ARRAYSIZE(SettingsCatalogue{}.EnterInstruction)];
  const DWORD openingSize = enter ? HexTextToBytes(enter->text.c_str(), opening, sizeof opening) : 0;
  std::vector<const ShownCommand *> opened;  // items whose command begins with the job's opening command
  for (const ShownCommand &shown : shownCommands) {
    const AccountRead *instruction = shown.instruction;
    const std::vector<BYTE> &command = shown.bytes;
    const std::string bytes = HexPairs(command.data(), DWORD(command.size()));
    if (openingSize && command.size() > openingSize && std::equal(opening, opening + openingSize, command.begin()))
      opened.push_back(&shown);
    const WString itemKey = FieldText(catalogue_.Sections[shown.slot].Items[shown.itemSlot].Key);
    Sharing &sharing = commands[bytes];
    const std::string classKey = FoldedName(FieldText(catalogue_.Sections[shown.slot].Key));
    if (sharing.items.empty()) {
      order.push_back(bytes);
      sharing.itemKey = FoldedName(itemKey);
      sharing.classKey = classKey;
    } else if (sharing.itemKey == FoldedName(itemKey) && sharing.classKey == classKey) {
      continue;
    } else if (!sharing.second) {
      sharing.second = instruction;
      // An item moved to another class and left in the first: both send, and the later value stays.
      sharing.moved = sharing.itemKey == FoldedName(itemKey);
      sharing.movedKeyLine = shown.keyLine;
    }
    sharing.items.push_back(shown.name);
  }
  // The opening written in front of every command is one edit: told once.
  if (opened.size() == 1) {
    const AccountRead *instruction = opened[0]->instruction;
    findings_.Add(instruction->line, "frame-in-command",
                  Place(instruction->section, instruction->key) + " begins with " + HexPairs(opening, openingSize) +
                      ", the " + Utf8(enter->key) +
                      " that every job sends first: the printer gets it twice; take it out of the item's command");
  } else if (!opened.empty()) {
    std::vector<std::string> names;
    for (const ShownCommand *shown : opened) names.push_back(shown->name.substr(5));
    findings_.Add(opened[0]->instruction->line, "frame-in-command",
                  std::to_string(opened.size()) + " items' commands begin with " + HexPairs(opening, openingSize) +
                      ", the " + Utf8(enter->key) + " that every job sends first (items " + FirstNames(names) +
                      "): the printer gets it again with each; take it out of their commands");
  }
  // A shown item that alone sends the command of an item the page hides (a line copied from it): the printer takes
  // its value for the hidden item's setting.
  std::set<std::pair<LONG, LONG>> shownItems;
  std::set<std::string> toldHidden;
  for (const ShownCommand &shown : shownCommands)
    shownItems.insert({shown.instruction->sectionNumber, shown.instruction->itemNumber});
  for (const LoadAccount::Reading &hidden : everyListed_.reads) {
    if (hidden.field != FileField::Instruction || !hidden.line ||
        shownItems.count({hidden.sectionNumber, hidden.itemNumber}))
      continue;
    BYTE command[ARRAYSIZE(SettingsItem{}.Instruction)];
    const DWORD size = CheckHexText(hidden.text.c_str()).fault == HexTextCheck::kWhole
                           ? HexTextToBytes(hidden.text.c_str(), command, sizeof command)
                           : 0;
    auto same = size ? commands.find(HexPairs(command, size)) : commands.end();
    if (same == commands.end() || same->second.itemKey.empty() || same->second.items.size() != 1 ||
        toldHidden.count(same->first))
      continue;
    const AccountRead *classKey = everyListed_.Find(FileField::SectionKey, hidden.sectionNumber),
                      *itemKey = everyListed_.Find(FileField::ItemKey, hidden.sectionNumber, hidden.itemNumber);
    if (!classKey || !itemKey || SameName(itemKey->text, Ascii(same->second.itemKey.c_str()))) continue;
    const ShownCommand &shown = *std::find_if(shownCommands.begin(), shownCommands.end(), [&](const ShownCommand &c) {
      return HexPairs(c.bytes.data(), DWORD(c.bytes.size())) == same->first;
    });
    findings_.Add(shown.instruction->line, "same-command",
                  Place(shown.instruction->section, shown.instruction->key) + " is " + same->first +
                      ", the command of item " + Utf8(classKey->text) + "/" + Utf8(itemKey->text) + " too (line " +
                      std::to_string(hidden.line) + "), which the page hides: the printer takes " + shown.name +
                      "'s value as that setting's; give the item its own command");
    toldHidden.insert(same->first);
  }
  for (auto &frame : commands) {
    const Sharing &sharing = frame.second;
    if (sharing.itemKey.empty() && sharing.items.size() > 1)
      findings_.Add(sharing.second->line, "same-command",
                    Place(sharing.second->section, sharing.second->key) + " is " + frame.first +
                        ", the same bytes as " + sharing.items.front() +
                        ": Set Current and Set All send them again in the middle of the job; " +
                        (sharing.items.front().compare(0, 4, "the ") == 0
                             ? "if the item stood in for the " + sharing.items.front().substr(4) +
                                   ", delete it; if not, give it its own command"
                             : std::string("give the item its own command")));
  }
  for (const std::string &bytes : order) {
    const Sharing &sharing = commands[bytes];
    if (!sharing.second || sharing.itemKey.empty()) continue;
    // Listed again without its sections is told as the list's mistake, on the key's line.
    if (sharing.moved && findings_.Told(sharing.movedKeyLine, "item-in-other-class")) continue;
    if (sharing.moved) {
      findings_.Add(sharing.second->line, "same-command",
                    Place(sharing.second->section, sharing.second->key) + " is " + bytes + ", the command of " +
                        sharing.items.front() +
                        ", an item of the same key in another class: Set All sends both, "
                        "and the printer keeps the value of " +
                        sharing.items[1] +
                        " whatever the other shows; if the item moved, delete it from the class it left");
      continue;
    }
    findings_.Add(sharing.second->line, "same-command",
                  Place(sharing.second->section, sharing.second->key) + " is " + bytes + ", the command of " +
                      (sharing.items.size() == 2
                           ? sharing.items.front() + " too"
                           : std::to_string(sharing.items.size()) + " items alike (" +
                                 FirstNames(sharing.items) + ")") +
                      ": Set All sends each, and the printer keeps the value of " + sharing.items.back() +
                      "; give each item its own command");
  }
}

void Walker::ReportTitles() {
  for (int l = 0; l < 2; ++l) {
    if (missingTitles_[l].empty()) continue;
    // With no title at all in a language, the misspelt names are told one by one and the rest as one finding.
    const bool none = titlesPresent_[l] == 0;
    bool unmeant = false;
    for (const MissingTitle &missing : missingTitles_[l]) unmeant = unmeant || !missing.meant;
    if (none && unmeant) {
      Finding finding{0, Severity::Warning, "titles-missing",
                      std::string("the file has no ") + Utf8(LanguageSuffix(kLanguages[l].language)) +
                          " titles: on " + kLanguages[l].system + " every class and item shows as an empty row",
                      kLanguages[l].concerns};
      findings_.Add(finding);
    }
    for (const MissingTitle &missing : missingTitles_[l]) {
      if (none && !missing.meant) continue;
      if (missing.meant && findings_.Told(missing.line, "not-a-number")) continue;  // its line's finding tells it
      findings_.Add({missing.line, Severity::Warning, "title-missing", missing.message, kLanguages[l].concerns,
                     missing.meant ? HiddenColumn(ini_, missing.line) : 0});
      if (missing.meant) findings_.Claim(missing.line);
    }
  }
}

}  // namespace

void CheckCatalogueWalk(const CheckedFile &file, const std::vector<WString> &misspelt, Findings &findings) {
  Walker(file, misspelt, findings).Run();
}

}  // namespace prnset
