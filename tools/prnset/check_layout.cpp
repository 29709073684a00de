// The file's own layout: what the reader passes over without a word.
#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/vocabulary.h"
#include "page/job_bytes.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// What a page lacks without a class's titles or options section, told by the form of its name; empty for others.
std::string LostSectionConsequence(const WString &section) {
  const std::string folded = FoldedName(section);
  for (LPCWSTR suffix : {kEnglishSuffix, kChineseSuffix})
    for (SectionForm form : {SectionForm::Language, SectionForm::Rules}) {
      WCHAR ending[kPathChars];
      SectionName(form, WTEXT(""), 0, suffix, ending);
      const std::string end = FoldedName(ending);
      if (folded.size() <= end.size() || folded.compare(folded.size() - end.size(), end.size(), end) != 0) continue;
      const std::string page = suffix == kChineseSuffix ? "the Chinese page" : "the English page";
      return form == SectionForm::Language ? "; so the plug-in finds no [" + Utf8(section) + "], and " + page +
                                                 " shows that class and its items without titles, as empty rows"
                                           : "; so the plug-in finds no [" + Utf8(section) + "], and on " + page +
                                                 " that class's items have no options";
    }
  return std::string();
}

// Warns about a numbered name the loader never reads, such as Section1 for Section01. Names numbered from 0 (a
// spreadsheet's row index) are counted into `zero` and told once for their section.
void CheckNumbering(const WString &name, int line, LPCWSTR form, const std::string &shown, Findings &findings,
                    std::pair<int, int> *zero = nullptr) {
  WString expected = NameForNumber(name, form);
  if (!expected.empty() && SameName(expected, Numbered(form, 0))) {
    if (zero && zero->second++ == 0) zero->first = line;
    if (!zero) findings.Add(line, "misnumbered", shown + " is never read: the plug-in counts from " + Utf8(Numbered(form, 1)));
  } else if (!expected.empty() && !SameName(expected, name)) {
    findings.Add(line, "misnumbered", shown + " is never read: the plug-in looks for " + Utf8(expected));
  }
}

// The item lines of one [SectionNN] and the keys numbered as items, in the order written, with where each key
// stands: under which item line, and above which.
struct ItemKeys {
  struct Key {
    int line;
    long number, above, below;
    WString name;
    FileField field;
  };
  std::vector<Key> keys;
  std::map<long, WString> items;  // number -> its line as written
  std::set<long> commands;
  bool twice = false;  // a command written twice
  // Keys under their own item line, and keys above their own: where this section writes an item's keys.
  int afterVotes = 0, beforeVotes = 0;
};

ItemKeys ReadItemKeys(const IniFile &ini, const IniFile::Section &section) {
  const LPCWSTR itemForm = KeyOf(FileField::ItemKey).key;
  ItemKeys read;
  long above = -1;
  for (const IniFile::Entry &entry : section.entries) {
    const WString key = ini.Text(entry.name, entry.nameLength);
    if (IsComment(key)) continue;
    const long item = NumberIn(key, itemForm);
    if (item > 0) {
      for (ItemKeys::Key &written : read.keys)
        if (written.below < 0) written.below = item;
      above = item;
      read.items[item] = key + Ascii("=") +
                         (entry.valueLength == WString::npos ? WString() : ini.Text(entry.value, entry.valueLength));
      continue;
    }
    for (FileField field : {FileField::Instruction, FileField::ParameterCount}) {
      const long number = NumberIn(key, KeyOf(field).key);
      if (number <= 0) continue;
      if (field == FileField::Instruction) read.twice = !read.commands.insert(number).second || read.twice;
      read.keys.push_back({entry.line, number, above, -1, key, field});
    }
  }
  for (const ItemKeys::Key &key : read.keys) {
    read.afterVotes += key.number == key.above;
    read.beforeVotes += key.number == key.below;
  }
  return read;
}

// A key past the last item, where an item was taken out of the list and the items after it numbered down, their
// keys not: the texts of an item the list no longer names stand before those of a listed one. The items from there
// on read the keys of the item before them, the first the one taken out's. Empty when the texts say nothing so.
std::string TakenOutHint(const IniFile &ini, const WString &section, const std::map<long, WString> &items,
                         FileField field, long past) {
  const WString classKey =
      ReadWhole(ini, kNamesSection, Numbered(KeyOf(FileField::SectionKey).key, NumberIn(section, kNumberedSection)));
  WCHAR texts[kPathChars];
  SectionName(SectionForm::Language, classKey.c_str(), 0, kEnglishSuffix, texts);
  const IniFile::Section *language = classKey.empty() ? nullptr : FirstSection(ini, texts);
  if (!language) return std::string();
  // Each item key's title line in the class's English texts.
  std::map<std::string, std::pair<WString, int>> titled;        // folded item key -> the key, its title's line
  const WString titleSuffix = NameOf(FileField::ItemTitle, 0);  // "_Title"
  for (const IniFile::Entry &entry : language->entries) {
    const WString name = ini.Text(entry.name, entry.nameLength);
    if (name.size() > titleSuffix.size() && SameName(name.substr(name.size() - titleSuffix.size()), titleSuffix))
      titled.emplace(FoldedName(name.substr(0, name.size() - titleSuffix.size())),
                     std::make_pair(name.substr(0, name.size() - titleSuffix.size()), entry.line));
  }
  std::map<std::string, long> listed;  // folded item key -> its number
  for (const auto &item : items) {
    const size_t equals = item.second.find(WCHAR('='));
    if (equals != WString::npos) listed[FoldedName(Trimmed(item.second.substr(equals + 1)))] = item.first;
  }
  for (const auto &unlisted : titled) {
    if (listed.count(unlisted.first)) continue;
    long from = 0;  // the first listed item whose texts stand after the unlisted one's
    for (const auto &item : listed) {
      const auto title = titled.find(item.first);
      if (title != titled.end() && title->second.second > unlisted.second.second && (!from || item.second < from))
        from = item.second;
    }
    if (!from || from >= past) continue;
    const LPCWSTR form = KeyOf(field).key;
    const WString sent = ReadWhole(ini, section, Numbered(form, from));
    // The key already holds what the one after it does: that one is a leftover, as its finding says.
    if (sent == ReadWhole(ini, section, Numbered(form, from + 1))) return std::string();
    std::string down;
    for (long n = from + 1; n <= past; ++n)
      down += (down.empty() ? "" : ", ") + Utf8(Numbered(form, n)) + " as " + Utf8(Numbered(form, n - 1));
    return "; the class's texts name " + Utf8(unlisted.second.first) + ", which the list no longer names, before " +
           Utf8(items.at(from)) + ": was " + Utf8(unlisted.second.first) +
           " taken out and the items after it numbered down, and their keys not? Then " + Utf8(items.at(from)) +
           " reads " + Utf8(Numbered(form, from)) + " = " + Quoted(sent) + ", " + Utf8(unlisted.second.first) +
           "'s; delete " + Utf8(Numbered(form, from)) + " and number the keys after it down: " + down;
  }
  return std::string();
}

// Items renumbered without the keys written under them ("Item02=Density" over "Item01Instruction"): each item reads
// the keys numbered as it is, which are written under another. Keys may stand above or below their item line, and
// items may be listed in pairs or first, so where a key stands says little alone: it counts where the section also
// shows the renumbering (a command twice or missing, or keys out of their numbers' order). Told once for the section
// when two keys or more are out of place. `fileVotes` are the votes of every [SectionNN] of the file.
void CheckShiftedKeys(const IniFile &ini, const IniFile::Section &section, std::pair<int, int> fileVotes,
                      const std::string &where, Findings &findings) {
  using Key = ItemKeys::Key;
  const ItemKeys read = ReadItemKeys(ini, section);
  const std::vector<Key> &keys = read.keys;
  std::map<long, WString> items = read.items;  // the lines of the numbers the message names
  const std::set<long> &commands = read.commands;
  const bool twice = read.twice;
  bool uncommanded = false;
  for (const auto &item : items) uncommanded = uncommanded || !commands.count(item.first);
  // Keys written in another order than their numbers (Item04Instruction after Item05Instruction): the items were
  // renumbered around them.
  bool unordered = false;
  for (size_t k = 1; k < keys.size(); ++k) unordered = unordered || keys[k].number < keys[k - 1].number;
  const bool harmed = twice || uncommanded || unordered;
  // Where the section writes an item's keys: after its item line, as the examples do, or before it. The first key,
  // of an item that renumbering below it leaves alone, decides a tie. Where renumbering harmed the section, the
  // other classes of the file say it, when they agree.
  const int otherAfter = fileVotes.first - read.afterVotes, otherBefore = fileVotes.second - read.beforeVotes;
  const bool othersSay = harmed && (otherAfter == 0) != (otherBefore == 0);
  const int afterVotes = othersSay ? otherAfter : read.afterVotes,
            beforeVotes = othersSay ? otherBefore : read.beforeVotes;
  const bool after = afterVotes > beforeVotes ||
                     (afterVotes == beforeVotes && !keys.empty() && keys.front().number == keys.front().above);
  // Keys written after their items, two or more of them one item line off alike: an item inserted or taken out and
  // the item lines renumbered around keys that kept their numbers.
  std::map<long, int> offAlike;
  for (const Key &key : keys)
    if (after && key.above > 0 && key.number != key.above) ++offAlike[key.above - key.number];
  const bool renumbered = std::any_of(offAlike.begin(), offAlike.end(),
                                      [](const std::pair<const long, int> &off) { return off.second >= 2; });
  // Out of place: a key whose number is neither its neighbours' where the section shows the harm of renumbering,
  // or two keys under each other's item lines (two item lines swapped, or their keys).
  std::vector<const Key *> shifted;
  std::set<long> offsets;  // item line's number less the key's, of the keys out of place between two item lines
  for (const Key &key : keys) {
    bool crossed = false;
    for (const Key &other : keys)
      crossed = crossed || (key.above > 0 && other.above == key.number && other.number == key.above);
    // Keys written after their items belong to the item line above them, whatever the number of the one below.
    const bool between = key.below > 0 && (key.number != key.below || after);
    if (key.above > 0 && key.number != key.above && (crossed || ((harmed || renumbered) && between))) {
      shifted.push_back(&key);
      offsets.insert(key.above - key.number);
    }
  }
  // A key after the last item line has no line below to say where it belongs (items listed first): it is out of
  // place when it is shifted as the keys between item lines are, or, where items and keys stand in pairs, as
  // another key after it is.
  const bool pairs = std::any_of(keys.begin(), keys.end(), [](const Key &key) { return key.below > 0; });
  for (const Key &key : keys)
    if (key.below < 0 && key.above > 0 && key.number != key.above && (harmed || renumbered) &&
        (offsets.count(key.above - key.number) || (after && pairs && offAlike[key.above - key.number] >= 2)) &&
        std::find(shifted.begin(), shifted.end(), &key) == shifted.end())
      shifted.push_back(&key);
  if (shifted.size() < 2) {
    // A key of an item number past the count that no item line lists (left when an item was taken out and the ones
    // below it renumbered): never read. The item line above it, without a key of its own of that kind, was probably
    // meant to have it.
    const WString name = ini.Text(section.name, section.nameLength);
    const KeyName &count = KeyOf(FileField::ItemCount);
    const long declared = long(LONG(ini.ReadInt(name.c_str(), count.key, count.defaultValue)));
    for (const Key &key : keys) {
      if (key.number <= declared || items.count(key.number)) continue;
      const bool ownToo = std::any_of(keys.begin(), keys.end(), [&](const Key &other) {
        return other.field == key.field && other.number == key.above;
      });
      const std::string kind = key.field == FileField::Instruction ? "Instruction" : "ParameterCount";
      const std::string takenOut =
          ownToo && key.above == declared ? TakenOutHint(ini, name, items, key.field, key.number) : std::string();
      findings.Add(key.line, "unknown-key",
                   where + Utf8(key.name) + " is never read: the section lists no " +
                       Utf8(Numbered(KeyOf(FileField::ItemKey).key, key.number)) +
                       (key.above > 0 && !ownToo ? "; it stands under " + Utf8(items[key.above]) + ", which has no " +
                                                       kind + " of its own: is it meant as " +
                                                       Utf8(Numbered(KeyOf(key.field).key, key.above)) + "? Rename it"
                        : !takenOut.empty() ? takenOut
                                            : "; delete it, or list its item"));
    }
    return;
  }
  // Renumbered so, the commands of all items but one may be theirs, and a command written for an inserted item
  // under the last one's number stands twice: it is the one item's.
  std::map<long, int> renumberedCommands;
  for (const Key &key : keys)
    if (key.field == FileField::Instruction)
      ++renumberedCommands[std::find(shifted.begin(), shifted.end(), &key) == shifted.end() ? key.number : key.above];
  std::vector<long> lacking, twiceOver;
  for (const auto &item : items)
    if (!renumberedCommands.count(item.first)) lacking.push_back(item.first);
  for (const auto &command : renumberedCommands)
    if (command.second > 1) twiceOver.push_back(command.first);
  const LPCWSTR commandForm = KeyOf(FileField::Instruction).key;
  const std::string last = lacking.size() == 1 && twiceOver.size() == 1
                               ? "; then " + Utf8(Numbered(commandForm, twiceOver[0])) +
                                     " stands twice: the one written last was meant as " +
                                     Utf8(Numbered(commandForm, lacking[0])) + ", for " + Utf8(items[lacking[0]]) +
                                     ", which has none"
                               : std::string();
  // A key written after the item line's own key of that kind is left from an item taken out: renamed as the line
  // above, it would stand twice. The item of its number reads it. (Written before it, it is the item's, inserted.)
  std::string leftover;
  for (const Key *key : shifted) {
    const bool own = std::any_of(keys.begin(), keys.end(), [&](const Key &other) {
      return other.field == key->field && other.number == key->above && other.above == key->above &&
             other.line < key->line;
    });
    if (own && leftover.empty() && last.empty())
      leftover = "; but " + Utf8(key->name) + " on line " + std::to_string(key->line) + " stands under " +
                 Utf8(items[key->above]) + ", which has its own: it is left from an item taken out" +
                 (items.count(key->number) ? ", and " + Utf8(items[key->number]) + " reads it" : std::string()) +
                 ": delete it";
  }
  findings.Add(shifted.front()->line, "keys-shifted",
               where + std::to_string(shifted.size()) + " keys stand under item lines of another number (first " +
                   Utf8(shifted.front()->name) + " under " + Utf8(items[shifted.front()->above]) +
                   "): were the items renumbered and their keys not? Each item reads the keys numbered as it is, "
                   "written under another item; renumber each key as the item line above it" +
                   leftover + last);
  // What their repeats and gaps would tell one by one is this.
  for (const Key *key : shifted) findings.Claim(key->line);
}

}  // namespace

// Marks looked for on every line: made once.
const WString kOurs = Ascii("<<<<<<<"), kTheirs = Ascii(">>>>>>>"), kColumnMarks = Ascii(";,\t");

// An unresolved merge conflict: the reader takes its marker lines and both sides as entries, and the first of each
// key wins. Told once, on its first line; what the lines inside would tell one by one is this. A marker line left
// alone where a conflict was resolved by hand is told as such.
void CheckConflicts(const IniFile &ini, Findings &findings) {
  enum Mark { kNone, kOpen, kBase, kSplit, kClose };
  const auto markOf = [&](const IniFile::Entry &entry) {
    const WString key = ini.Text(entry.name, entry.nameLength);
    if (key.compare(0, 7, kOurs) == 0) return kOpen;
    if (key.compare(0, 7, kTheirs) == 0) return kClose;
    if (key.compare(0, 7, Ascii("|||||||")) == 0) return kBase;
    const WString value = entry.valueLength == WString::npos ? WString() : ini.Text(entry.value, entry.valueLength);
    return key.empty() && value.compare(0, 6, Ascii("======")) == 0 ? kSplit : kNone;
  };
  std::vector<const IniFile::Entry *> all;                     // in the order of the file
  std::vector<std::pair<const IniFile::Entry *, Mark>> marks;  // every marker line
  std::vector<size_t> at;                                      // where each stands in `all`
  for (const IniFile::Section &section : ini.sections())
    for (const IniFile::Entry &entry : section.entries) {
      if (const Mark mark = markOf(entry)) marks.push_back({&entry, mark}), at.push_back(all.size());
      all.push_back(&entry);
    }
  std::set<int> inConflict;
  for (size_t k = 0; k < marks.size(); ++k) {
    if (marks[k].second != kOpen) continue;
    // A whole conflict: an opening, a split, a closing, and the merge base's lines between the first two or none.
    size_t split = k + 1, base = 0;
    if (split < marks.size() && marks[split].second == kBase) base = split++;
    if (split + 1 >= marks.size() || marks[split].second != kSplit || marks[split + 1].second != kClose) continue;
    const int from = marks[k].first->line, to = marks[split + 1].first->line;
    const int baseLine = base ? marks[base].first->line : 0, splitLine = marks[split].first->line;
    // A numbered key both sides add with other values (two new classes or items given one number): keeping one
    // side drops the other's.
    std::map<std::string, std::pair<std::string, std::string>> sides;  // name -> its value on our side, on theirs
    std::string added, count;
    for (size_t e = at[k] + 1; e < at[split + 1]; ++e) {
      const IniFile::Entry *entry = all[e];
      if (baseLine && entry->line > baseLine && entry->line < splitLine) continue;
      const WString name = ini.Text(entry->name, entry->nameLength);
      if (NumberIn(name, KeyOf(FileField::SectionKey).key) <= 0 && NumberIn(name, KeyOf(FileField::ItemKey).key) <= 0)
        continue;
      const std::string value =
          entry->valueLength == WString::npos ? "" : Utf8(ini.Text(entry->value, entry->valueLength));
      auto &pair = sides[FoldedName(name)];
      (entry->line < (baseLine ? baseLine : splitLine) ? pair.first : pair.second) = value;
      if (added.empty() && !pair.first.empty() && !pair.second.empty() && pair.first != pair.second) {
        added = Utf8(name) + " (" + pair.first + " and " + pair.second + ")";
        count = Utf8(
            KeyOf(NumberIn(name, KeyOf(FileField::ItemKey).key) > 0 ? FileField::ItemCount : FileField::SectionCount)
                .key);
      }
    }
    findings.Add(from, "merge-conflict",
                 "lines " + std::to_string(from) + " to " + std::to_string(to) +
                     " are an unresolved merge conflict: the plug-in reads " +
                     (base ? "every side, the merge base's lines after '|||||||' too, and of a key written more than "
                             "once the first wins"
                           : "both sides, and of a key on both the side above '=======' wins") +
                     (added.empty() ? "; keep one side and delete the marker lines"
                                    : "; both sides add " + added + ": to keep both, keep both sides" +
                                          (base ? " but not the base" : "") + ", number the second after the last, " +
                                          "raise " + count + " and delete the marker lines"));
    for (int line = from; line <= to; ++line) findings.Claim(line), inConflict.insert(line);
    k = split + 1;
  }
  for (const auto &mark : marks)
    if (!inConflict.count(mark.first->line)) {
      findings.Claim(mark.first->line);
      findings.Add(
          mark.first->line, "merge-conflict",
          "line " + std::to_string(mark.first->line) +
              " is a merge conflict's marker line, left where the "
              "conflict was resolved: the plug-in reads it as a key; delete it, and see that the lines around it "
              "are those meant");
    }
}

bool CheckColumns(const IniFile &ini, Findings &findings) {
  // Entries without '=' whose key runs on after a column mark: "SectionCount;8".
  int entries = 0, columns = 0, first = 0;
  WCHAR mark = 0;
  std::string example;
  for (const IniFile::Section &section : ini.sections())
    for (const IniFile::Entry &entry : section.entries) {
      // An entry with '=' is one of the file's (a remark written with '=' counts too: it changes little).
      if (entry.valueLength != WString::npos) {
        entries += entry.nameLength > 0;
        continue;
      }
      const WString key = ini.Text(entry.name, entry.nameLength);
      if (key.empty() || IsComment(key)) continue;
      ++entries;
      const size_t at = key.find_first_of(kColumnMarks);
      if (at == WString::npos || !std::iswalnum(key[0]) || key[0] > 0x7F || (mark && key[at] != mark)) continue;
      if (!columns++) first = entry.line, mark = key[at], example = Quoted(key);
    }
  // A few such lines are slips, told one by one; most of the file is a spreadsheet's save.
  if (columns < 5 || columns * 2 < entries) return false;
  findings.Add(first, "spreadsheet-columns",
               std::to_string(columns) + " of the file's " + std::to_string(entries) + " entries are written as a "
               "spreadsheet saves two columns, such as " + example + ": the plug-in finds no '=' in them and reads "
               "none of them; turn every line back into key=value: the first " + Quoted(WString(1, mark)) +
               " of each line is its '=', and one at the end of a line goes");
  return true;
}

// A second [SectionNames], another file's list merged in: the classes it lists that the first does not are never
// read, and neither are their sections, which are told with it.
std::string MergedNames(const IniFile &ini, const IniFile::Section &first, const IniFile::Section &second,
                        Findings &findings) {
  const LPCWSTR form = KeyOf(FileField::SectionKey).key;
  long highest = 0;
  std::set<std::string> listed;
  for (const IniFile::Entry &entry : first.entries) {
    const WString key = ini.Text(entry.name, entry.nameLength);
    if (NumberIn(key, form) > 0) listed.insert(FoldedName(key)), highest = std::max(highest, NumberIn(key, form));
  }
  std::vector<std::string> added;
  std::set<std::string> classes;
  std::set<long> numbers;
  for (const IniFile::Entry &entry : second.entries) {
    const WString key = ini.Text(entry.name, entry.nameLength);
    const long number = NumberIn(key, form);
    if (number <= 0 || listed.count(FoldedName(key)) || entry.valueLength == WString::npos) continue;
    const WString value = ini.Text(entry.value, entry.valueLength);
    added.push_back(Utf8(key) + "=" + Utf8(value));
    classes.insert(FoldedName(value));
    numbers.insert(number);
    highest = std::max(highest, number);
  }
  if (added.empty()) return "";
  for (const IniFile::Section &section : ini.sections()) {
    const WString name = ini.Text(section.name, section.nameLength);
    if (numbers.count(NumberIn(name, kNumberedSection)) || classes.count(FoldedName(ClassPrefix(name))))
      findings.Claim(section.line);
  }
  return "the first does not list its " + FirstNames(added) + ", so " +
         (added.size() == 1 ? "that class" : "those classes") + " and " + (added.size() == 1 ? "its" : "their") +
         " sections are never read; move " + (added.size() == 1 ? "that line" : "those lines") +
         " into the first, write SectionCount=" + std::to_string(highest) + " there, and delete this header";
}

// What the page tells of another class's items read as a class's own: their texts and rules missing.
const std::vector<std::string> kReadAsOtherClass = {"title-missing",        "note-missing",       "rule-type-missing",
                                                    "rule-section-missing", "default-missing",    "enum-no-pairs",
                                                    "item-key-misspelt",    "item-in-other-class"};

// The advice for a section written twice: a second [SectionNN] that lists other items than the first is another
// class's list, merged in under a number already taken: it goes under the first number no section has.
std::string OtherList(const IniFile &ini, const WString &name, const IniFile::Section &first,
                      const IniFile::Section &second, Findings &findings) {
  const std::string merge = "move what is meant here into the first and delete this header";
  if (SameName(name, kNamesSection)) {
    const std::string names = MergedNames(ini, first, second, findings);
    return names.empty() ? merge : names;
  }
  const long n = NumberIn(name, kNumberedSection);
  if (n < 1) return merge;
  auto items = [&](const IniFile::Section &section) {
    std::set<std::string> keys;
    for (const WString &item : ListedItems(ini, section)) keys.insert(FoldedName(item));
    return keys;
  };
  const std::set<std::string> firstItems = items(first), secondItems = items(second);
  if (secondItems.empty() || std::any_of(secondItems.begin(), secondItems.end(),
                                         [&](const std::string &key) { return firstItems.count(key); }))
    return merge;
  // The second lists the items of the class [SectionNames] names at this number, and the first does not: the first
  // is a block left from a class taken out of the list, the second the one renumbered into its place.
  const WString classKey = Numbered(KeyOf(FileField::SectionKey).key, n);
  const WString listed = ReadWhole(ini, kNamesSection, classKey);
  // The lines of class `owner`'s sections that name one of `keys`' items.
  auto holding = [&](const WString &owner, const std::set<std::string> &keys) {
    std::vector<int> lines;
    for (const IniFile::Section &section : ini.sections()) {
      const WString sectionName = ini.Text(section.name, section.nameLength);
      if (owner.empty() || !SameName(ClassPrefix(sectionName), owner)) continue;
      for (const IniFile::Entry &entry : section.entries)
        for (const std::string &key : keys)
          for (FileField field : {FileField::ItemTitle, FileField::ItemNote, FileField::RuleType, FileField::Rule})
            if (SameName(ini.Text(entry.name, entry.nameLength), NameOf(field, 0, Widen(key))))
              lines.push_back(entry.line);
    }
    return lines;
  };
  // [SectionNames] gives the number to a second class too (two branches each added a class under it): each block
  // is one class's list, and the second class goes under the first number no section has.
  WString other;
  int otherLine = 0;
  if (const IniFile::Section *names = FirstSection(ini, kNamesSection))
    for (const IniFile::Entry &entry : names->entries)
      if (!otherLine && entry.valueLength != WString::npos &&
          SameName(ini.Text(entry.name, entry.nameLength), classKey) &&
          !SameName(ini.Text(entry.value, entry.valueLength), listed)) {
        other = ini.Text(entry.value, entry.valueLength);
        otherLine = entry.line;
      }
  const bool firstIsOthers = !holding(other, firstItems).empty(), secondIsOthers = !holding(other, secondItems).empty();
  if (otherLine && firstIsOthers != secondIsOthers) {
    long free = n + 1;
    while (FirstSection(ini, Numbered(kNumberedSection, free)) ||
           ini.LineOf(kNamesSection, Numbered(KeyOf(FileField::SectionKey).key, free).c_str()))
      ++free;
    const IniFile::Section &block = firstIsOthers ? first : second;
    for (const IniFile::Entry &entry : block.entries) findings.ClaimFor(entry.line, kReadAsOtherClass);
    const KeyName &count = KeyOf(FileField::SectionCount);
    const long classes = std::max(long(ini.ReadInt(kNamesSection, count.key, count.defaultValue)), free);
    // The repeat of the number, and what the page would tell of the other class's items read as the first's.
    findings.Claim(otherLine);
    for (const IniFile::Section &section : ini.sections()) {
      const WString sectionName = ini.Text(section.name, section.nameLength);
      const bool others = SameName(ClassPrefix(sectionName), other);
      if (!others && !SameName(ClassPrefix(sectionName), listed)) continue;
      if (others) findings.Claim(section.line);
      findings.ClaimFor(section.line, kReadAsOtherClass);
      for (const IniFile::Entry &entry : section.entries)
        if (others) findings.ClaimFor(entry.line, kReadAsOtherClass);
    }
    const WString meant = Numbered(kNumberedSection, free);
    return "[" + Utf8(kNamesSection) + "] gives " + Utf8(classKey) + " to two classes, " + Utf8(listed) + " (line " +
           std::to_string(ini.LineOf(kNamesSection, classKey.c_str())) + ") and " + Utf8(other) + " (line " +
           std::to_string(otherLine) + "), and the [" + Utf8(name) + "] of line " + std::to_string(block.line) +
           " lists the items of " + Utf8(other) + ": the page shows " +
           (firstIsOthers ? Utf8(other) + "'s items as " + Utf8(listed) + "'s" : Utf8(listed) + "'s items alone") +
           "; write " + Utf8(Numbered(KeyOf(FileField::SectionKey).key, free)) + "=" + Utf8(other) + " on line " +
           std::to_string(otherLine) + ", rename the [" + Utf8(name) + "] of line " + std::to_string(block.line) +
           " [" + Utf8(meant) + "], and write " + Utf8(count.key) + "=" + std::to_string(classes);
  }
  const std::vector<int> secondLines = holding(listed, secondItems);
  if (!secondLines.empty() && holding(listed, firstItems).empty()) {
    // What the first block's items and the texts of the second's would tell one by one is this.
    for (int line : secondLines) findings.Claim(line);
    for (const IniFile::Entry &entry : first.entries) findings.Claim(entry.line);
    return "its items are those of " + Utf8(listed) + ", which [" + Utf8(kNamesSection) + "] lists as " +
           Utf8(Numbered(KeyOf(FileField::SectionKey).key, n)) + ", and the first's are not: the first is left from " +
           "a class taken out of the list; delete the first [" + Utf8(name) + "] (line " + std::to_string(first.line) +
           ") with its lines";
  }
  long free = n + 1;
  while (FirstSection(ini, Numbered(kNumberedSection, free))) ++free;
  const WString meant = Numbered(kNumberedSection, free);
  return "its items are none of the first's, so it lists another class: rename it [" + Utf8(meant) +
         "], and list that class as " + Utf8(meant) + " in [" + Utf8(kNamesSection) + "]";
}

// Where a remark's rest would stand, and whether the remark ended in a mail's soft line break ('=' at the end of a
// line broken by quoted-printable), after which the rest may be a single word.
struct RemarkWrap {
  int line = 0;
  bool soft = false;
};

// Whether a value ends in '=': the mark of a soft line break where a mail program sent the file as quoted-printable.
bool SoftBreak(const IniFile &ini, const IniFile::Entry &entry) {
  if (entry.valueLength == WString::npos) return false;
  const WString line =
      Trimmed(ini.Text(entry.name, entry.nameLength) + Ascii("=") + ini.Text(entry.value, entry.valueLength));
  return line.back() == '=';
}

// A remark's rest on the next line, where a mail program or an editor wrapped it: a line of words without '=' right
// after a long remark (or after such a rest). Nothing reads it, so it is told as harmless, and its line is not told
// otherwise. Returns whether it was; `wrap` is kept from entry to entry.
bool TellWrappedRemark(const IniFile &ini, const IniFile::Entry &entry, RemarkWrap &wrap, Findings &findings) {
  const WString key = ini.Text(entry.name, entry.nameLength);
  const size_t length = key.size() + (entry.valueLength == WString::npos ? 0 : entry.valueLength + 1);
  if (IsComment(key)) {
    wrap.soft = SoftBreak(ini, entry);
    wrap.line = length >= 50 || wrap.soft ? entry.line + 1 : 0;
    return false;
  }
  const bool rest = entry.line == wrap.line && entry.valueLength == WString::npos &&
                    (wrap.soft || key.find(WCHAR(' ')) != WString::npos) && key[0] != '[';
  wrap = {rest ? entry.line + 1 : 0, false};
  if (!rest) return false;
  findings.Claim(entry.line);
  findings.Add(entry.line, "remark-wrapped",
               Quoted(key) + " looks like the rest of the remark above it, wrapped onto a line of its own: the "
                   "plug-in reads it as a key nobody looks up, which is harmless; start it with ';' or join it to the "
                   "remark");
  return true;
}

// "=3D" for '=': how quoted-printable writes it, left in a file taken from a mail's text. Told where it stands twice
// in one value ("1=3DLightest 2=3DLight") or glues the byte 3D to a command's first ("=3D1B 7B 53 31").
void TellQuotedPrintable(const std::string &where, const WString &key, const WString &value, Findings &findings,
                         int line) {
  const WString written = Ascii("=") + value, mark = Ascii("=3D");
  size_t count = 0, first = written.find(mark);
  for (size_t at = first; at != WString::npos; at = written.find(mark, at + 1)) ++count;
  std::vector<WString> tokens;
  for (size_t at = value.find_first_not_of(Ascii(" \t")); at != WString::npos;) {
    const size_t end = value.find_first_of(Ascii(" \t"), at);
    tokens.push_back(value.substr(at, end - at));
    at = value.find_first_not_of(Ascii(" \t"), end);
  }
  const bool command = first == 0 && !tokens.empty() && tokens[0].size() > 2 && tokens.size() > 1 &&
                       std::all_of(tokens.begin(), tokens.end(),
                                   [](const WString &t) { return std::all_of(t.begin(), t.end(), IsHexDigit); }) &&
                       std::all_of(tokens.begin() + 1, tokens.end(), [](const WString &t) { return t.size() == 2; });
  if (count < 2 && !command) return;
  const size_t end = written.find_first_of(Ascii(" \t="), first + 1);
  const WString read = written.substr(first + 1, end == WString::npos ? WString::npos : end - first - 1);
  findings.Add(line, "quoted-printable",
               where + Utf8(key) + " holds \"=3D\"" + (count > 1 ? " " + Count(count, "time") : "") +
                   ", which is how a mail program writes '=' in quoted-printable: " +
                   (command ? "the plug-in sends 3D, the byte of '=', before the command"
                            : "the plug-in reads " + Quoted(read) + " where " + Quoted(read.substr(2)) + " was meant") +
                   "; write '=' for each \"=3D\", or take the file from the mail's attachment");
}

// A mail's signature left at the end of a file sent as text: from a line "--" on, no line has '=', so nothing of
// it is a setting. Told once, and its lines are not told one by one.
void TellSignature(const IniFile &ini, Findings &findings) {
  int mark = 0, last = 0;
  for (const IniFile::Section &section : ini.sections()) {
    if (mark) last = std::max(last, section.line);
    for (const IniFile::Entry &entry : section.entries) {
      const bool bare = entry.valueLength == WString::npos;
      if (bare && Trimmed(ini.Text(entry.name, entry.nameLength)) == Ascii("--")) {
        mark = entry.line;
        last = 0;
      } else if (mark && !bare && !IsComment(ini.Text(entry.name, entry.nameLength))) {
        mark = 0;  // a setting after it: no signature
      } else if (mark) {
        last = std::max(last, entry.line);
      }
    }
  }
  if (!mark || !last) return;
  findings.Add(mark, "mail-signature",
               "\"--\" starts a mail signature (to line " + std::to_string(last) +
                   "), left at the end of a file sent as text: the plug-in reads none of it as a setting; delete it");
  for (int line = mark; line <= last; ++line) findings.Claim(line);
}

void CheckFileLayout(const IniFile &ini, Findings &findings) {
  CheckConflicts(ini, findings);
  TellSignature(ini, findings);
  std::unordered_map<std::string, int> seenSections;  // folded name -> first header line
  Overflow moreSections("sections appear again");
  // Where the file's classes write an item's keys, told by each of its [SectionNN].
  std::pair<int, int> fileVotes{0, 0};
  for (const IniFile::Section &section : ini.sections())
    if (!section.entries.empty() &&
        !NameForNumber(ini.Text(section.name, section.nameLength), kNumberedSection).empty()) {
      const ItemKeys read = ReadItemKeys(ini, section);
      fileVotes.first += read.afterVotes;
      fileVotes.second += read.beforeVotes;
    }
  // A second version of the file after the first (two files joined, or an edit pasted below the old text): a
  // second [SectionNames] after which most sections repeat earlier ones is told once, as the version it is.
  const IniFile::Section *version = nullptr;
  size_t versionRepeats = 0;
  {
    std::unordered_set<std::string> before;
    size_t after = 0;
    for (const IniFile::Section &section : ini.sections()) {
      const WString name = ini.Text(section.name, section.nameLength);
      if (section.line == 0) continue;
      if (!version && SameName(name, kNamesSection) && before.count(FoldedName(name))) version = &section;
      if (!version) {
        before.insert(FoldedName(name));
      } else {
        ++after;
        versionRepeats += before.count(FoldedName(name));
      }
    }
    if (versionRepeats < 4 || versionRepeats * 2 < after) version = nullptr;
  }
  for (const IniFile::Section &section : ini.sections()) {
    WString name = ini.Text(section.name, section.nameLength);
    if (section.line == 0) {
      // A header behind a byte order mark is told as the mark, and the lines after it as its own.
      RemarkWrap wrap;
      for (const IniFile::Entry &entry : section.entries) {
        const WString key = ini.Text(entry.name, entry.nameLength);
        if (!key.empty() && key[0] == 0xFEFF && !IsComment(key)) break;
        if (TellWrappedRemark(ini, entry, wrap, findings)) continue;
        if (!IsComment(key)) {
          findings.Add(entry.line, "before-first-section", "lines before the first [section] header are never read");
          break;
        }
      }
      continue;
    }
    std::string folded = FoldedName(name);
    auto first = seenSections.find(folded);
    if (first != seenSections.end()) {
      if (version == &section)
        findings.Add(section.line, "duplicate-section",
                     "[" + Utf8(name) + "] appears again (first at line " + std::to_string(first->second) +
                         "), as do " + Count(versionRepeats - 1, "section") +
                         " after it: a second version of the file follows the first, and only the first of each "
                         "section is read; keep the version meant and delete the other");
      if (version && section.line >= version->line) continue;
      // A merge that kept both sides of an unchanged section: the copy reads as nothing more.
      const IniFile::Section &original = *FirstSection(ini, name);
      const auto lines = [&](const IniFile::Section &of) {
        std::vector<std::pair<std::string, WString>> kept;
        for (const IniFile::Entry &entry : of.entries) {
          const WString key = ini.Text(entry.name, entry.nameLength);
          if (!IsComment(key))
            kept.push_back({FoldedName(key), entry.valueLength == WString::npos
                                                 ? WString()
                                                 : Trimmed(ini.Text(entry.value, entry.valueLength))});
        }
        return kept;
      };
      if (!section.entries.empty() && lines(section) == lines(original)) {
        findings.Add(section.line, "repeated-line",
                     "[" + Utf8(name) + "] appears again (first at line " + std::to_string(first->second) +
                         ") with the same lines: the copy changes nothing; delete it");
        for (const IniFile::Entry &entry : section.entries) findings.Claim(entry.line);
        continue;
      }
      if (!moreSections.Full(section.line))
        findings.Add(section.line, "duplicate-section",
                     "[" + Utf8(name) + "] appears again (first at line " + std::to_string(first->second) +
                         "): only the first one is read; " +
                         OtherList(ini, name, *FirstSection(ini, name), section, findings));
      continue;
    }
    seenSections.emplace(folded, section.line);
    CheckNumbering(name, section.line, kNumberedSection, "[" + Utf8(name) + "]", findings);
    // An entry glued to its header when a line end was lost: the reader ignores what follows the ']'. A remark
    // there is harmless.
    WString after = ini.Text(section.name, section.nameLength + kPathChars);
    after = after.substr(0, after.find_first_of(Ascii("\r\n")));
    const size_t close = after.rfind(WCHAR(']'));  // the header ends at its last ']'
    after = close == WString::npos ? WString() : after.substr(close + 1);
    // What a spreadsheet's round trip leaves there ("[Section01]=", "[Section01],,") reads as nothing. An entry
    // glued there has ASCII letters or digits; other text (a blank typed with a Chinese input method, as either
    // reading decodes it) is harmless.
    const size_t text = after.find_first_not_of(Ascii(" \t=,;"));
    const bool entry = std::any_of(after.begin(), after.end(), [](WCHAR c) { return c < 0x80 && std::iswalnum(c); });
    if (entry && text != WString::npos && after.find_first_of(Ascii(";#")) != after.find_first_not_of(Ascii(" \t")))
      findings.Add(section.line, "text-after-header",
                   "[" + Utf8(name) + "] has " + Quoted(after.substr(text)) +
                       " after its ']': the plug-in ignores it; put it on a line of its own");

    // The rest is about the section's lines: a generated file has a million sections without any.
    if (section.entries.empty()) continue;
    bool numberSection = !NameForNumber(name, kNumberedSection).empty();
    bool namesSection = SameName(name, kNamesSection);
    const bool settingsSection = SameName(name, kSettingsSection);
    // Keys seen, by the reader's own hash of the name: a generated section has a million.
    std::unordered_multimap<unsigned, const IniFile::Entry *> seenKeys;
    seenKeys.reserve(section.entries.size());
    // The entries with a value, by the hash of their name, made at the first line without '='.
    std::unordered_multimap<unsigned, const IniFile::Entry *> valued;
    const auto laterValued = [&](const IniFile::Entry &bare, const WString &key) -> const IniFile::Entry * {
      if (valued.empty())
        for (const IniFile::Entry &other : section.entries)
          if (other.valueLength != WString::npos) valued.emplace(other.nameHash, &other);
      const IniFile::Entry *first = nullptr;
      const auto alike = valued.equal_range(bare.nameHash);
      for (auto it = alike.first; it != alike.second; ++it)
        if (it->second->line > bare.line && (!first || it->second->line < first->line) &&
            SameName(ini.Text(it->second->name, it->second->nameLength), key))
          first = it->second;
      return first;
    };
    std::set<int> toldBefore;  // lines of a key told with the line without '=' above them
    const std::string where = "[" + Utf8(name) + "] ";
    Overflow moreKeys("keys of " + where + "appear again"), moreLines("lines of " + where + "have no '='");
    std::pair<int, int> zero{0, 0};  // the first line numbered from 0, and how many are
    if (numberSection) CheckShiftedKeys(ini, section, fileVotes, where, findings);
    const IniFile::Entry *previous = nullptr;
    RemarkWrap wrap;
    for (const IniFile::Entry &entry : section.entries) {
      WString key = ini.Text(entry.name, entry.nameLength);
      if (TellWrappedRemark(ini, entry, wrap, findings)) continue;
      // A header turned into a remark to switch its section off, its lines left as they were: they are read as
      // this section's keys, and told as that once.
      if (const WString off = RemarkedHeader(key); !off.empty())
        if (const std::vector<int> lines = LinesReadOn(ini, section, entry); !lines.empty()) {
          findings.Add(
              entry.line, "header-remarked",
              "line " + std::to_string(entry.line) + " turns the header [" + Utf8(off) + "] into a remark, but " +
                  (lines.size() == 1
                       ? "line " + std::to_string(lines[0]) + " under it is"
                       : Count(long(lines.size()), "line") + " under it (lines " + std::to_string(lines.front()) +
                             (lines.size() == 2 ? " and " : " to ") + std::to_string(lines.back()) + ") are") +
                  " still read, as keys of " + where.substr(0, where.size() - 1) +
                  ": to switch the section off, turn " + (lines.size() == 1 ? "it" : "them") +
                  " into remarks too; to keep it, take the remark mark off the header");
          for (int line : lines) findings.Claim(line);
        }
      if (IsComment(key)) continue;
      if (entry.valueLength != WString::npos)
        TellQuotedPrintable(where, key, ini.Text(entry.value, entry.valueLength), findings, entry.line);
      // A value continued with '\' as in other languages' files: the reader ends every value with its line.
      const IniFile::Entry *before = previous;
      previous = &entry;
      const WString carried = before && before->valueLength != WString::npos && before->line == entry.line - 1
                                  ? Trimmed(ini.Text(before->value, before->valueLength))
                                  : WString();
      // (A next line that is an entry of its own, "Item02=AutoOff", makes the '\' a stray character, which the
      // value's own findings tell.)
      const bool ownEntry =
          entry.valueLength != WString::npos && !key.empty() && std::isalpha(int(key[0] & 0x7F)) && key[0] < 0x80 &&
          std::all_of(key.begin(), key.end(), [](WCHAR c) { return c < 0x80 && (std::isalnum(int(c)) || c == '_'); });
      if (!carried.empty() && carried.back() == '\\' && !ownEntry) {
        findings.Add(
            before->line, "line-continued",
            where + Utf8(ini.Text(before->name, before->nameLength)) +
                " ends in '\\', but a value ends with its line: line " + std::to_string(entry.line) + " reads as " +
                (entry.valueLength == WString::npos ? std::string("a line of its own") : "the key " + Quoted(key)) +
                "; join the two lines, without the '\\'");
        findings.Claim(entry.line);
      }
      // A header that lost its ']', or was typed with the brackets of a Chinese input method: what follows it is
      // read as this section's, and told as that once.
      WString inside;
      const WCHAR mark = WideHeader(key, &inside);
      const bool wide = mark != 0;
      const WString strayHeader = entry.valueLength == WString::npos ? StrayMarkHeader(key) : WString();
      if (!strayHeader.empty()) {
        // A mark typed before a header's '[': no header, and its lines read on as this section's.
        const WString mark = key.substr(0, key.find(WCHAR('[')));
        findings.Add(entry.line, "no-equals",
                     Quoted(key) + " has " + Quoted(mark) + " before its '[', which makes no header: the plug-in " +
                         "reads it as a key of [" + Utf8(name) + "], and the lines after it, up to the next header, " +
                         "as keys of [" + Utf8(name) + "] too" + LostSectionConsequence(strayHeader) + "; delete the " +
                         Quoted(mark));
        for (const IniFile::Entry &after : section.entries)
          if (after.line > entry.line) findings.Claim(after.line);
      } else if (entry.valueLength == WString::npos && !key.empty() && (key[0] == '[' || wide)) {
        const WString meant = Ascii("[") + inside + Ascii("]");
        findings.Add(entry.line, "no-equals",
                     (wide ? Quoted(meant) + " is typed with " + CharacterName(mark) +
                                 " and its pair, which make no header: type ASCII '[' and ']'"
                           : Quoted(key) + " lacks its ']'") +
                         ": the plug-in reads it as a key of [" + Utf8(name) +
                         "], and the lines after it, up to the next header, as keys of [" + Utf8(name) + "] too" +
                         LostSectionConsequence(wide ? inside : Trimmed(key.substr(1))));
        for (const IniFile::Entry &after : section.entries)
          if (after.line > entry.line) findings.Claim(after.line);
      } else if (const IniFile::Entry *hidden =
                     entry.valueLength == WString::npos && !key.empty() ? laterValued(entry, key) : nullptr) {
        // A name alone above the key's line (a placeholder): only the first line of a key is read.
        findings.Add(entry.line, "duplicate-key",
                     where + Quoted(key) + " has no '=' and stands before " + Utf8(key) + "=" +
                         Utf8(ini.Text(hidden->value, hidden->valueLength)) + " on line " +
                         std::to_string(hidden->line) + ": the plug-in reads this line, as an empty value, not that " +
                         "one; delete this line");
        toldBefore.insert(hidden->line);
      } else if (entry.valueLength == WString::npos && !key.empty() && !moreLines.Full(entry.line)) {
        // Text of the line before, wrapped by an editor or continued with '\\': a value ends with its line.
        const IniFile::Entry *before = nullptr;
        for (const IniFile::Entry &other : section.entries)
          if (other.line < entry.line) before = &other;
        const bool continued = before && before->line == entry.line - 1 && before->valueLength != WString::npos;
        // A mail's soft line break: the line before ends in the '=' quoted-printable breaks a long line with.
        const bool soft = continued && SoftBreak(ini, *before);
        // Words with blanks between them, or Chinese text, which has none.
        const bool text = soft || ((key.find(WCHAR(' ')) != WString::npos ||
                                    std::any_of(key.begin(), key.end(), [](WCHAR c) { return c >= 0x3000; })) &&
                                   EqualsHint(key).empty());
        // Bytes of a command wrapped by an editor or a manual's page: the command ends with its line.
        const WString beforeValue = continued ? ini.Text(before->value, before->valueLength) : WString();
        const bool bytes = continued && !beforeValue.empty() &&
                           CheckHexText(key.c_str()).fault == HexTextCheck::kWhole &&
                           CheckHexText(beforeValue.c_str()).fault == HexTextCheck::kWhole;
        // A tab or a colon where '=' belongs (a spreadsheet's cell, a manual's table): the line as meant.
        // So is a ';' after a name (a list's separator): the reader takes it for the name's, not a remark's.
        const size_t semicolon = key.find(WCHAR(';'));
        const bool named = semicolon != WString::npos && semicolon > 0 && semicolon + 1 < key.size() &&
                           std::all_of(key.begin(), key.begin() + LONG(semicolon),
                                       [](WCHAR c) { return c < 0x80 && (std::isalnum(int(c)) || c == '_'); });
        const size_t mark = named ? semicolon : EqualsMarkAt(key);
        const WString meant = mark == WString::npos
                                  ? WString()
                                  : Trimmed(key.substr(0, mark)) + Ascii("=") + Trimmed(key.substr(mark + 1));
        findings.Add(entry.line, "no-equals",
                     where + Quoted(key) + " has no '='" + EqualsHint(key) + ": it reads as a key with an empty value" +
                         (soft ? "; a mail program broke line " + std::to_string(before->line) +
                                     " there, with the '=' it ends in (quoted-printable): delete that '=' and join "
                                     "the two lines"
                          : bytes ? "; if its bytes go on the command of line " + std::to_string(before->line) +
                                        ", join the two lines: a command ends with its line"
                          : text && continued ? "; if it goes on the text of line " + std::to_string(before->line) +
                                                    ", join the two lines: a value ends with its line"
                          : !meant.empty() ? "; write " + Quoted(meant)
                                           : std::string()));
      }
      const IniFile::Entry *earlierEntry = nullptr;
      const auto alike = seenKeys.equal_range(entry.nameHash);
      for (auto seen = alike.first; seen != alike.second && !earlierEntry; ++seen)
        if (SameName(ini.Text(seen->second->name, seen->second->nameLength), key)) earlierEntry = seen->second;
      if (earlierEntry) {
        if (toldBefore.count(entry.line) || moreKeys.Full(entry.line)) continue;
        // Which value counts, when the two differ: the author keeps the line meant and deletes the other.
        const IniFile::Entry &earlier = *earlierEntry;
        const auto valueOf = [&](const IniFile::Entry &e) {
          return e.valueLength == WString::npos ? WString() : ini.Text(e.value, e.valueLength);
        };
        // A numbered entry copied and not renumbered ("Item04" twice, no "Item05" in the section): the next number
        // was meant.
        const WString next = NextNumbered(key);
        const bool nextWritten = !next.empty() && ini.LineOf(name.c_str(), next.c_str());
        // An item inserted with the number of the one it was put before, the items after it not renumbered: every
        // number up to the last is written, and the count declares one more.
        const LPCWSTR itemForm = KeyOf(FileField::ItemKey).key;
        const long number = numberSection ? NumberIn(key, itemForm) : -1;
        long last = number;
        while (number > 0 && ini.LineOf(name.c_str(), Numbered(itemForm, last + 1).c_str())) ++last;
        const KeyName &count = KeyOf(FileField::ItemCount);
        const bool inserted =
            number > 0 && nextWritten && long(ini.ReadInt(name.c_str(), count.key, count.defaultValue)) == last + 1;
        // The same line twice (a merge that kept both sides of an unchanged line) reads as once.
        const bool repeated = valueOf(entry) == valueOf(earlier);
        if (inserted && !repeated) {
          findings.Add(entry.line, "duplicate-key",
                       where + Utf8(key) + " appears again (first at line " + std::to_string(earlier.line) +
                           "): only the first one is read, " + Quoted(valueOf(earlier)) + ", not this " +
                           Quoted(valueOf(entry)) + ", and " + Utf8(count.key) + " declares " +
                           std::to_string(last + 1) +
                           " items: was an item inserted and the items after it not "
                           "renumbered? " +
                           (last == number ? "Number this one " + Utf8(next) + ", with its"
                                           : "Number this one and those after it up by one, " + Utf8(key) + " to " +
                                                 Utf8(Numbered(itemForm, last)) + " as " + Utf8(next) + " to " +
                                                 Utf8(Numbered(itemForm, last + 1)) + ", with their") +
                           " Instruction and ParameterCount keys");
          // Its command's key, repeated with it, is renumbered with it.
          const size_t at = size_t(&entry - section.entries.data());
          for (size_t k = at + 1; k < section.entries.size() && k <= at + 2; ++k)
            for (FileField field : {FileField::Instruction, FileField::ParameterCount})
              if (NumberIn(ini.Text(section.entries[k].name, section.entries[k].nameLength), KeyOf(field).key) ==
                  number)
                toldBefore.insert(section.entries[k].line);
          continue;
        }
        findings.Add(entry.line, repeated ? "repeated-line" : "duplicate-key",
                     where + Utf8(key) + " appears again (first at line " + std::to_string(earlier.line) +
                         (repeated ? ") with the same value: the repeat changes nothing; delete it"
                                   : "): only the first one is read, " + Quoted(valueOf(earlier)) + ", not this " +
                                         Quoted(valueOf(entry)) +
                                         (next.empty() || nextWritten
                                              ? "; delete the line that is not meant"
                                              : "; is this line meant as " + Utf8(next) + "? Rename it")));
        continue;
      }
      seenKeys.emplace(entry.nameHash, &entry);
      // Numbered keys stand in three sections only: a generated file has a million keys elsewhere.
      if (!settingsSection && !namesSection && !numberSection) continue;
      const std::string shown = where + Utf8(key);
      if (settingsSection) CheckNumbering(key, entry.line, kCompressChoiceForm, shown, findings);
      if (!namesSection && !numberSection) continue;
      for (const KeyName &form : kFileKeys)
        if (form.shape == KeyShape::Numbered &&
            ((namesSection && form.section == SectionForm::Names) ||
             (numberSection && form.section == SectionForm::Numbered)))
          CheckNumbering(key, entry.line, form.key, shown, findings, &zero);
    }
    if (zero.second)
      findings.Add(zero.first, "misnumbered",
                   where + "numbers " + Count(zero.second, "name") +
                       " from 00 (first on this line): the plug-in counts from 01 and never reads " +
                       (zero.second == 1 ? "it" : "them") + "; number the list from 01");
    moreKeys.Tell(findings, "duplicate-key");
    moreLines.Tell(findings, "no-equals");
  }
  moreSections.Tell(findings, "duplicate-section");
}

}  // namespace prnset
