// Shared pieces of the settings-file check: reading whole values, naming places in the file.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue/ini_file.h"
#include "catalogue/vocabulary.h"
#include "tools/prnset/text.h"

namespace prnset {

// Case-blind comparison of ASCII letters, as the reader matches names.
bool SameName(const WString &a, const WString &b);
// A name as the reader compares it (ASCII letters in small), for maps and lists of names already seen.
std::string FoldedName(const WString &name);

// A numbered form of the vocabulary ("Section%.2d" and its kin) for a number.
WString Numbered(LPCWSTR form, long number);

// A value whole, however long, as the reader gives it (trimmed, one pair of quotes dropped).
WString ReadWhole(const IniFile &ini, const WString &section, const WString &key);

// The first header line of an INI section, or -1 when the file has none of that name.
int SectionLine(const IniFile &ini, const WString &section);

// "[Section] Key" for messages.
std::string Place(const WString &section, const WString &key);

// "1 item", "3 classes": a count with its word.
std::string Count(long count, const std::string &word);

// Up to three names, then how many more: "a, b, c and 2 more".
std::string FirstNames(const std::vector<std::string> &names);

// A text quoted for a message, shortened when long.
std::string Quoted(const WString &text);

// The advice for a rule without options, and for a text longer than the page keeps.
constexpr char kWritePairs[] = "write its options as value=text pairs, such as \"0=Off 1=On\"";
std::string Shorten(size_t kept);
// A number typed from print with the letters O for 0 and l or I for 1 ("1O", "l"): the digits meant, or empty when
// the text holds other characters or no such letter.
// A number typed with the letter O for the digit 0 that reads as meant ("O" for 0), and what is said of it.
bool LetterForDigit(const WString &text, LONG value);
std::string LetterForDigitMessage(const std::string &place, const WString &text, LONG value);
WString DigitsMeant(const WString &text);
// "; the letters O and l are no digits: write 10" for "1O", else "".
std::string DigitsMeantHint(const WString &text);
// A text with its full-width and look-alike characters as the plain ones meant, without blanks around it or one pair
// of quotation marks around it ("“0”" is 0).
WString PlainText(const WString &text);

// A spreadsheet's or a program's word for 0 or 1 ("False", "on"): "0" or "1"; nullptr for any other text.
const char *WordMeant(const WString &text);
// A number in Chinese numerals, as a translator writes it ("五", "十二", "二十"): its decimal digits; empty otherwise.
WString ChineseNumber(const WString &text);
// A whole number in a spreadsheet's scientific notation ("1.048576E+07", "1e9") that fits 32 bits, into `value`.
bool ScientificWhole(const std::string &written, long long *value);
// For a number written otherwise than in plain digits (thousands separators, scientific notation, Chinese numerals,
// binary, masks combined with '|' or '+', an accountant's brackets, a sign apart) or past 32 bits: the hint that
// says what to write; empty otherwise.
std::string NumberHint(const WString &text);
// Values for a message: the first eight, then "...".
std::string Shown(const std::vector<LONG> &values);

// For a name of a numbered form with any digits (letters in any case): the name the loader reads for that number.
// Empty when the name has another form or the number is too large to mean anything.
WString NameForNumber(const WString &name, LPCWSTR form);
// The number n when `name` is exactly the form's name for n (n from 1), otherwise -1.
long NumberIn(const WString &name, LPCWSTR form);
// The numbered forms of the vocabulary: the numbered section and the numbered keys.
const std::vector<LPCWSTR> &NumberedForms();
// What follows an item's key in the names made from it, of the titles, notes and rules: "_Title", "_Rule".
const std::vector<WString> &ItemKeySuffixes();
// A numbered name written twice where the next was meant ("Item04" copied, "Item05" not written): that next name.
// Empty when the name is of no numbered form.
WString NextNumbered(const WString &name);
// Section1, Item2Instruction and the like: a number written with fewer (or more) digits than the loader writes it,
// or a number 0, which the loader never reads (it counts from 1).
bool IsMisnumbered(const WString &name);

// Lines the reader passes over as a key nobody looks up: by custom, remarks start with ';' or '#'.
// The file's names, as the loader makes them: a class's section, and a key of the file.
WString Name(SectionForm form, const WString &classKey, LONG number, LPCWSTR suffix);
WString NameOf(FileField field, LONG number, const WString &itemKey = WString());
bool IsComment(const WString &name);
// A line of a section turned into a remark that holds the key ("；Item01Instruction=1B 44"): switched off, not lost.
const IniFile::Entry *RemarkedEntry(const IniFile &ini, const WString &section, const WString &key);
// " (line N has it as a remark, ";KEY=value", ...)" for such a line, or nothing.
std::string RemarkedHint(const IniFile &ini, const IniFile::Entry *remarked);
// A header with a stray mark typed before its '[' ("`[Power_Lang_EN]", ".[Print_Default]"): the section's name, or
// nothing.
WString StrayMarkHeader(const WString &key);
// A header turned into a remark (";[Panel_Rule_CN]"): the section's name, or nothing.
WString RemarkedHeader(const WString &key);
// The lines under a header turned into a remark, up to the next such header, that are no remarks: still read, as
// keys of the section above.
std::vector<int> LinesReadOn(const IniFile &ini, const IniFile::Section &section, const IniFile::Entry &header);
// Text as code page 1252 read it, read again in code page 936, as the editor of a file whose Chinese text is saved
// in 936 shows it ("£´" as "４"); empty when it reads alike or is no text of 936.
WString SeenIn936(const WString &read);
// A header typed with full-width brackets ("【Paper_Lang_CN】", or "¡¾Paper_Lang_CN¡¿" as an English system reads
// its bytes of code page 936): the opening mark, and in `name` the section meant; 0 for any other text.
WCHAR WideHeader(const WString &key, WString *name);
// The line of `section`'s header as the reader does not see it, typed with full-width brackets ("【Paper_Lang_CN】")
// or after a byte order mark where two files were joined: it takes the line for a key of the section before it. 0
// when there is none.
int HiddenHeaderLine(const IniFile &ini, const WString &section);
// The item keys a [SectionNN] block lists (the values of its ItemNN lines), as written; any copy of the block.
std::vector<WString> ListedItems(const IniFile &ini, const IniFile::Section &block);

// For a value that holds a remark (" ; ..." after it), the hint that remarks go on their own line; empty otherwise.
// Where a remark starts in a value (a ';' or '#' after a blank), or npos.
size_t RemarkAt(const WString &value);
std::string RemarkHint(const WString &value);
// Whether a value is a number followed by a remark ("3 ; normal") whose number is the one read: it reads as meant.
bool NumberThenRemark(const WString &value, LONG read);

// For a value that runs on into a second entry ("3 Resolution=2", a line break lost), the hint that names it; empty
// otherwise.
std::string JoinedHint(const WString &value);
// For a value that ends in a section header ("0[Panel_Default]", a line end lost before a pasted block), the hint
// that names it; empty otherwise.
std::string GluedHeaderHint(const WString &value);

// The mark of a list pasted before a key ("2.\t", "· "), when `name` is the mark and then `key`; else empty.
WString ListMark(const WString &name, const WString &key);

// For a text typed with a Chinese input method (a full-width digit, colon or equals sign), the hint that names the
// first such character and gives the text in ASCII; empty when it holds none.
std::string PlainHint(const WString &text);
// " It holds U+200B (zero-width space), which an editor does not show." for a name with such a character, else "".
std::string InvisibleHint(const WString &name);
// What keeps a name written for `key` from reading as it: a list's mark before it, a mark where '=' belongs, a
// character no editor shows, a full-width look-alike; empty when none of these.
std::string SlipHint(const WString &name, const WString &key);
// The column of the first character no editor shows in the name on `line` (or in its value), or 0.
int HiddenColumn(const IniFile &ini, int line, bool inValue = false);
// Where a line the reader took as a name without a value holds the tab, ':' or full-width sign typed where '='
// belongs; npos when it holds none.
size_t EqualsMarkAt(const WString &line);
// For such a line: the hint that names the mark; empty when it holds none.
std::string EqualsHint(const WString &line);
// "; it holds U+FB00 (ligature ff), ...": a character of a name that looks like plain characters (a ligature of a
// manual's PDF, a full-width letter); empty when the equals or the invisible hint tells the name.
std::string LookAlikeHint(const WString &name);

// A name a program wrote in quotation marks ("\"Section01\""): the reader keeps them as part of the name.
bool IsQuotedName(const WString &name);
constexpr char kQuotedNameHint[] = "the reader keeps the quotation marks around a name as part of it: write the "
                                   "names without them";

// A character named by its code point ("U+3000", "U+1F600"), as findings name the ones an editor does not show
// plainly.
std::string CodePoint(unsigned c);
// What a character that authors meet by mistake is ("ideographic space"); empty for others.
std::string CharacterKind(WCHAR c);
// The code point and, when known, what the character is: "U+3000 (ideographic space)".
std::string CharacterName(WCHAR c);
// For punctuation of a Chinese input method and the full-width forms (curly quotes, U+FF0C, U+3000, a full-width
// digit) and for a no-break space: the ASCII character it stands for; 0 for any other character.
WCHAR PlainForm(WCHAR c);

// Only a sign and decimal digits: the one number form that every reader of the file takes alike.
bool IsPlainDecimal(const WString &text);
bool IsHexDigit(WCHAR c);
// "14.0" (or "14,0" in a locale's way) read as 14: a whole number written by a program that writes every number as a
// decimal, read as meant.
bool IsWholeDecimal(const WString &text, LONG value);

// How far apart two names are, as typing goes: insertions, deletions, changes and swaps of neighbours, letters
// compared without regard to case. Stops counting above `limit`.
size_t NameDistance(const WString &a, const WString &b, size_t limit);
// Whether `written` looks like a misspelling of `meant`: close enough for the length of the name.
bool IsNearMiss(const WString &written, const WString &meant);

// The first section of a name (the only one the reader searches), or nullptr.
const IniFile::Section *FirstSection(const IniFile &ini, const WString &name);

class LoadAccount;

// Every section and key name the plug-in reads from this file: the fixed ones, the numbered ones, and those built
// from the class and item keys that the file lists (hidden ones included: their names are right).
class KnownNames {
 public:
  // From the loader's walk of every listed class and item.
  KnownNames(const IniFile &ini, const LoadAccount &everyListed);
  bool IsSection(const WString &section) const;
  bool IsKey(const WString &section, const WString &key) const;
  // The names of a section's keys, for suggestions (numbered keys as far as the file lists them).
  std::vector<WString> KeysOf(const WString &section) const;
  std::vector<WString> Sections() const;
  // Whether the file lists any class at all; without one no class's sections can be told from unknown ones.
  bool ListsClasses() const { return !classKeys_.empty(); }
  const std::vector<WString> &ClassKeys() const { return classKeys_; }
  // Whether a name has the form of a class's own section (S_Filter, S_Lang_EN, ...) whatever S is.
  static bool IsClassSectionForm(const WString &section);

  // The section forms of the vocabulary, shifted by one so that None comes first.
  enum class Kind { None, Names, Numbered, Filter, Language, Rules, Defaults, Settings };
  // What a section is, and the folded key of its class: found once for all the section's keys.
  Kind KindOf(const WString &section, std::string *classKey) const;
  bool IsKeyOf(Kind kind, const std::string &classKey, const WString &key) const;

 private:

  std::map<std::string, std::vector<WString>> itemsOfClass_;  // folded class key -> item keys of all its classes
  std::map<std::string, std::set<std::string>> itemKeys_;     // the same item keys, folded, to look names up
  std::map<std::string, std::vector<long>> itemNumbers_;      // folded [SectionNN] -> the ItemNN it lists, ascending
  std::vector<WString> classKeys_;
  std::vector<std::string> openClasses_;  // folded keys of classes whose [SectionNN] is missing
  std::vector<long> sectionNumbers_;  // the SectionNN [SectionNames] lists, ascending
  long declaredSections_ = 0;         // SectionCount as read: the walk reads every [SectionNN] up to it
};

// A key the loader looks for and does not find in a section that is there: the entry of that section that was
// probably meant for it (a near miss that is no name of its own, or a line without '=' that starts with the key).
// Empty name when none.
struct MeantEntry {
  WString name;
  int line = 0;
  int wrapped = 0;  // the line of the name's rest, where an editor wrapped it ("Density_Ti" over "tle=...")
};
// For a name an editor wrapped, the hint that says to join its lines.
std::string WrapHint(const MeantEntry &meant);
MeantEntry MeantKey(const IniFile &ini, const KnownNames &known, const WString &section, const WString &key);
// A section the loader looks for and does not find: a header of the file that was probably meant for it.
// A section that is no name of its own and holds `signatureKey` (such as ItemCount for a [SectionNN]) counts too.
MeantEntry MeantSection(const IniFile &ini, const KnownNames &known, const WString &section,
                        const WString &signatureKey = WString());

// Every name a class's own sections can have ("_Lang_EN", "_Default", ...), with the form each stands for.
const std::vector<std::pair<WString, SectionForm>> &ClassSectionSuffixes();
// A name without its suffix, the suffix compared without regard to case ("Paper" of "Paper_Lang_EN" and "_Lang_EN");
// empty when the name does not end in the suffix or is nothing more.
WString Stem(const WString &name, const WString &suffix);
// The class key a name of a class's own section is made from ("Paper" for Paper_Lang_EN), or empty.
WString ClassPrefix(const WString &section);

}  // namespace prnset
