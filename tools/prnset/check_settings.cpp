// The "Settings" section: the switches and values of the driver's own landscape items, as the document options
// read them when the printer has no printer data of the same name.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_set>

#include "docoptions/compress_choices.h"
#include "docoptions/property_items.h"
#include "docoptions/settings_lookup.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// What a [Settings] switch offers on the driver's page.
const char *SwitchedItem(const WString &key) {
  return SameName(key, kCompressSwitchKey.key) ? "the landscape compression list" : "the horizontal move";
}

// A compression choice written as a fraction of one ("0.9" for 90 percent): the percentage meant, or -1.
int PercentOf(const WString &raw) {
  const size_t point = raw.find(WCHAR('.'));
  if (point == WString::npos || point > 1 || point + 1 == raw.size() || (point == 1 && raw[0] != '0' && raw[0] != '1'))
    return -1;
  double fraction = point == 1 && raw[0] == '1' ? 1.0 : 0.0, scale = 0.1;
  for (size_t i = point + 1; i < raw.size(); ++i, scale /= 10) {
    if (raw[i] < '0' || raw[i] > '9') return -1;
    fraction += (raw[i] - '0') * scale;
  }
  return fraction > 0 && fraction <= 1 ? int(fraction * 100 + 0.5) : -1;
}

// Count written as the choices themselves ("100,90,80,70"): the numbers listed, else none. The plug-in reads the
// first of them as the count.
std::vector<LONG> ChoicesInCount(const WString &raw) {
  std::vector<LONG> listed;
  for (size_t i = 0; i < raw.size();) {
    size_t end = i;
    while (end < raw.size() && raw[end] >= '0' && raw[end] <= '9') ++end;
    if (end == i || end - i > 9) return {};
    listed.push_back(LONG(std::stol(Utf8(raw.substr(i, end - i)))));
    bool mark = false;
    for (i = end; i < raw.size() && (raw[i] == ',' || raw[i] == ' ' || raw[i] == '\t' || raw[i] == 0xFF0C); ++i)
      mark = true;
    if (i < raw.size() && !mark) return {};
  }
  return listed.size() > 1 ? listed : std::vector<LONG>();
}

// An entry meant for `key` and spelt otherwise: a near miss the plug-in does not read, or the key with a
// few letters added ("Landscape_Compression", "CompressCount": `added` at the most, after it or, with `before`,
// before it too). Empty name when none.
MeantEntry KeySlip(const IniFile &ini, const KnownNames &known, LPCWSTR key, size_t added, bool before) {
  const MeantEntry meant = MeantKey(ini, known, kSettingsSection, key);
  const IniFile::Section *section = FirstSection(ini, kSettingsSection);
  if (!meant.name.empty() || !section) return meant;
  const WString wanted = key;
  for (const IniFile::Entry &entry : section->entries) {
    const WString name = ini.Text(entry.name, entry.nameLength);
    if (name.size() <= wanted.size() || name.size() > wanted.size() + added || known.IsKey(kSettingsSection, name))
      continue;
    if (SameName(name.substr(0, wanted.size()), wanted) ||
        (before && SameName(name.substr(name.size() - wanted.size()), wanted)))
      return {name, entry.line};
  }
  return meant;
}

// A move written in another unit or as a fraction ("0.2in", "2,5"): the hint that says what the item takes, with
// the whole millimetres meant; empty when the text is neither.
std::string MoveHint(const WString &raw, LONG read) {
  size_t end = raw[0] == '-' || raw[0] == '+' ? 1 : 0;
  while (end < raw.size() && ((raw[end] >= '0' && raw[end] <= '9') || raw[end] == '.' || raw[end] == ',')) ++end;
  std::string number = Utf8(raw.substr(0, end));
  std::replace(number.begin(), number.end(), ',', '.');
  char *stop = nullptr;
  const double written = number.empty() ? 0 : std::strtod(number.c_str(), &stop);
  if (number.empty() || *stop) return std::string();
  const std::string unit = FoldedName(Trimmed(raw.substr(end)));
  const double scale = unit.empty() || unit == "mm"                                         ? 1
                       : unit == "cm"                                                       ? 10
                       : unit == "in" || unit == "inch" || unit == "inches" || unit == "\"" ? 25.4
                                                                                            : 0;
  if (scale == 0 || (scale == 1 && number.find('.') == std::string::npos)) return std::string();
  const long meant = std::lround(written * scale);
  return "; XMove is in whole millimetres: write " +
         (scale == 1 && meant != read ? std::to_string(read) + " or " + std::to_string(meant) : std::to_string(meant));
}

// Every value of the section is a number: a word or a unit after the digits reads otherwise than it says. Returns
// the lines told, whose values nothing else needs to tell.
std::set<int> CheckNumbers(const IniFile &ini, INT compress, INT move, Findings &findings) {
  std::set<int> told;
  const IniFile::Section *section = FirstSection(ini, kSettingsSection);
  if (!section) return told;
  std::vector<std::string> fractions;
  std::string readAs, meant;  // the numbers read and meant, in the order of the lines
  int fractionLine = 0;
  std::unordered_set<std::string> seen;  // only the first line of a name is read
  std::map<std::string, std::pair<std::pair<int, std::string>, int>> units;  // unit -> first line and place, count
  for (const IniFile::Entry &entry : section->entries) {
    const WString key = ini.Text(entry.name, entry.nameLength);
    if (!seen.insert(FoldedName(key)).second) continue;
    const bool isSwitch = SameName(key, kCompressSwitchKey.key) || SameName(key, kMoveSwitchKey.key);
    const bool compressValue = SameName(key, kCompressCountKey) || SameName(key, kCompressValueKey) ||
                               NumberIn(key, kCompressChoiceForm) > 0;
    const bool used = isSwitch || (compress && compressValue) || (move && SameName(key, kMoveKey));
    if (!used || entry.valueLength == WString::npos) continue;
    const WString raw = ReadWhole(ini, kSettingsSection, key);
    if (raw.empty() || IsPlainDecimal(raw)) continue;
    // A list in Count is told with what it offers, beside the choices.
    if (SameName(key, kCompressCountKey) && !ChoicesInCount(raw).empty()) {
      told.insert(entry.line);
      continue;
    }
    // The switches are read as profile integers, the values as the document options read them: decimal digits.
    LONG value = 0;
    if (isSwitch)
      value = LONG(ini.ReadInt(kSettingsSection, key.c_str(), 0));
    else
      LookupFileValue(ini, key.c_str(), &value);
    told.insert(entry.line);
    // Hexadecimal, which the switches' profile read takes and the values' decimal read does not.
    bool hexadecimal = raw.size() > 2 && raw.size() <= 10 && raw[0] == '0' && (raw[1] | 0x20) == 'x';
    for (size_t k = 2; hexadecimal && k < raw.size(); ++k) hexadecimal = IsHexDigit(raw[k]);
    const int percent = compressValue && !SameName(key, kCompressCountKey) ? PercentOf(raw) : -1;
    if (percent > 0) {
      if (fractions.empty()) fractionLine = entry.line;
      fractions.push_back((fractions.empty() ? Place(kSettingsSection, key) : Utf8(key)) + " = " + Quoted(raw));
      readAs += (readAs.empty() ? "" : ", ") + std::to_string(value);
      meant += (meant.empty() ? "" : ", ") + std::to_string(percent);
      continue;
    }
    if (IsWholeDecimal(raw, value)) {
      told.erase(entry.line);
      findings.Add(entry.line, "whole-decimal", Place(kSettingsSection, key) + " = " + Quoted(raw));
      continue;
    }
    // Numbers written with their unit after them ("90%", "5 mm") read as meant: told once for all of them. A letter
    // typed for a digit ("8O") is no unit.
    const bool isMove = SameName(key, kMoveKey);
    size_t digits = raw[0] == '-' ? 1 : 0;
    while (digits < raw.size() && raw[digits] >= '0' && raw[digits] <= '9') ++digits;
    const WString unit = raw.substr(digits);
    const bool unitOfItem = compressValue ? unit.size() <= 3 : isMove && FoldedName(Trimmed(unit)) == "mm";
    if (unitOfItem && !hexadecimal && DigitsMeant(raw).empty() &&
        std::to_string(value) == Utf8(raw.substr(0, digits))) {
      told.erase(entry.line);
      auto &run = units[FoldedName(unit)];
      if (run.second++ == 0) run.first = {entry.line, Place(kSettingsSection, key) + " = " + Quoted(raw)};
      continue;
    }
    if (LetterForDigit(raw, value)) {
      told.erase(entry.line);
      findings.Add(entry.line, "letter-for-digit", LetterForDigitMessage(Place(kSettingsSection, key), raw, value));
      continue;
    }
    // A remark after the number reads as meant, as in the other sections.
    if (NumberThenRemark(raw, value)) {
      findings.Add(entry.line, "remark-after-number",
                   Place(kSettingsSection, key) + " = " + Quoted(raw) + ": the plug-in reads " + std::to_string(value) +
                       ", as meant" + RemarkHint(raw));
      continue;
    }
    // A value that names another key of the section ("COMPRESS_VALUE1"): its value was meant.
    const WString named = ini.LineOf(kSettingsSection, raw.c_str()) ? ReadWhole(ini, kSettingsSection, raw) : WString();
    const LONG hex = hexadecimal ? LONG(std::stoul(Utf8(raw.substr(2)), nullptr, 16)) : 0;
    // Else the hints a number of the other sections gets: what was typed for the sign or digits, or the number the
    // plug-in reads before a unit, as meant.
    std::string typed;
    if (!WordMeant(raw) && named.empty() && !hexadecimal && !(isSwitch && value == 0)) {
      typed = PlainHint(raw) + JoinedHint(raw);
      if (typed.empty()) typed = GluedHeaderHint(raw);
      if (typed.empty()) typed = NumberHint(raw);
      if (typed.empty() && isMove) typed = MoveHint(raw, value);
      if (typed.empty()) typed = DigitsMeantHint(raw);
      const size_t sign = raw[0] == '-' ? 1 : 0, end = raw.find_first_not_of(Ascii("0123456789"), sign);
      if (typed.empty() && RemarkHint(raw).empty() && end > sign && end != WString::npos &&
          Utf8(raw.substr(0, end)) == std::to_string(value))
        typed = "; write " + std::to_string(value);
    }
    findings.Add(
        entry.line, "not-a-number",
        Place(kSettingsSection, key) + " = " + Quoted(raw) + " is not a plain decimal number: the plug-in reads " +
            std::to_string(value) +
            (isSwitch && value == 0 ? std::string(", so ") + SwitchedItem(key) + " is left out" : std::string()) +
            (WordMeant(raw) ? "; " + Quoted(raw) + " is " + WordMeant(raw) + " to a program: write " + WordMeant(raw)
             : isSwitch && value == 0 ? std::string("; write 1 to offer it")
                                      : std::string()) +
            (named.empty() ? std::string()
                           : "; it names " + Utf8(raw) + ", whose value is " + Utf8(named) + ": write " + Utf8(named)) +
            (hexadecimal && !isSwitch ? "; the section reads decimal digits only: write " + std::to_string(hex)
                                      : std::string()) +
            typed + RemarkHint(raw));
  }
  if (!fractions.empty())
    findings.Add(fractionLine, "not-a-number",
                 FirstNames(fractions) + (fractions.size() == 1 ? " is a fraction" : " are fractions") +
                     ", but the compression choices are whole percentages: the plug-in reads " + readAs +
                     "; write " + meant);
  for (const auto &run : units) {
    // A mark left after the number ("100,") is no unit, but reads as meant all the same.
    const WString unit = Widen(run.first);
    const bool mark = std::none_of(unit.begin(), unit.end(),
                                   [](WCHAR c) { return c == '%' || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); });
    const int more = run.second.second - 1;
    findings.Add(run.second.first.first, "number-with-unit",
                 run.second.first.second +
                     (more > 0 ? " and " + std::to_string(more) + (more == 1 ? " more value" : " more values") : "") +
                     (more > 0 ? " carry " : " carries ") +
                     (mark ? Quoted(Trimmed(unit)) + " after the number" : std::string("a unit after the number")) +
                     ": the plug-in reads the number before it, which is meant; write " +
                     (more > 0 ? "plain numbers" : "a plain number"));
  }
  return told;
}

}  // namespace

void CheckSettingsSection(const CheckedFile &file, Findings &findings) {
  const IniFile &ini = file.ini;
  const WString settings = kSettingsSection;
  auto line = [&](LPCWSTR key) { return ini.LineOf(settings.c_str(), key); };
  INT compress = 0, move = 0;
  ReadSwitches(ini, &compress, &move);
  const std::set<int> told = CheckNumbers(ini, compress, move, findings);
  // The switches offer the items; their values are elsewhere. A list or a move written without its switch is not
  // offered (a switch written 0 keeps them for later on purpose), and a compression switch written as a percentage
  // is only on.
  WCHAR firstChoice[kPathChars];
  wsprintfW(firstChoice, kCompressChoiceForm, 1);
  const struct {
    const SettingsKey &key;
    int valueLine;
    const char *value, *values, *item;
  } switches[] = {
      {kCompressSwitchKey, line(kCompressCountKey) ? line(kCompressCountKey) : line(firstChoice), "COMPRESS_VALUE",
       "compression choices", SwitchedItem(kCompressSwitchKey.key)},
      {kMoveSwitchKey, line(kMoveKey), "XMove", "an XMove", SwitchedItem(kMoveSwitchKey.key)},
  };
  bool listGiven = false;  // the compression switch's finding gave the whole list to write
  for (const auto &s : switches) {
    const int switchLine = line(s.key.key);
    const LONG written = LONG(ini.ReadInt(settings.c_str(), s.key.key, 0));
    const MeantEntry slip = switchLine ? MeantEntry() : KeySlip(ini, file.known, s.key.key, 3, false);
    if (!switchLine && s.valueLine && !slip.name.empty()) {
      // Told as the switch the plug-in looked for, on the line of the slip, once. A slip written on meant the item
      // to be offered: no list kept for later, so it warns as the name it hides did.
      findings.Claim(slip.line);
      const bool meantOn = ini.ReadInt(settings.c_str(), slip.name.c_str(), 0) != 0;
      findings.Add(slip.line, meantOn ? "settings-switch-misspelt" : "settings-switch-missing",
                   "[Settings] " + Utf8(s.key.key) + " is missing (line " + std::to_string(slip.line) + " has " +
                       Quoted(slip.name) + ", which the plug-in does not read as " + Utf8(s.key.key) +
                       EqualsHint(slip.name) + LookAlikeHint(slip.name) + "): the printer settings do not offer " +
                       s.item + "; rename it " + Utf8(s.key.key) +
                       (meantOn ? "" : ", and write 1 to offer it or leave 0 to keep it for later"));
    } else if (!switchLine && s.valueLine)  // a list kept for later may be left so on purpose
      findings.Add(s.valueLine, "settings-switch-missing",
                   "[Settings] has " + std::string(s.values) + " but no " + Utf8(s.key.key) +
                       ": the printer settings do not offer " + s.item + "; write " + Utf8(s.key.key) + "=1");
    else if (switchLine && s.valueLine && written == 0 && !told.count(switchLine))  // told, but not as a fault
      findings.Add(switchLine, "settings-switch-missing",
                   "[Settings] has " + std::string(s.values) + ", but " + Utf8(s.key.key) +
                       " is 0: the printer settings do not offer " + s.item + "; write " + Utf8(s.key.key) +
                       "=1 to offer it, or leave 0 to keep it for later");
    else if (switchLine && !told.count(switchLine) && &s.key == &kCompressSwitchKey && written >= kMinCompressPercent &&
             written <= kMaxCompressPercent) {
      // With no list written, the percentage is the one choice meant beside 100: the whole list is given.
      listGiven = !s.valueLine;
      const std::string percent = std::to_string(written);
      findings.Add(
          switchLine, "settings-switch",
          "[Settings] " + Utf8(s.key.key) + " is " + percent +
              ", but it is a switch, on for any number but 0: the value the item starts at is " + s.value +
              (listGiven ? " and the choices are COMPRESS_VALUEn, of which the section has none, so the list "
                           "offers the single choice 100; to offer " +
                               percent + ", write " + Utf8(s.key.key) + "=1, " +
                               (written == 100 ? "Count=1, COMPRESS_VALUE1=100"
                                               : "Count=2, COMPRESS_VALUE1=100, COMPRESS_VALUE2=" + percent) +
                               " and " + s.value + "=" + percent
                         : "; write " + Utf8(s.key.key) + "=1, and " + s.value + "=" + percent + " if that is meant"));
    }
  }

  if (compress) {
    auto choiceName = [](LONG n) {
      WCHAR key[kPathChars];
      wsprintfW(key, kCompressChoiceForm, int(n));
      return WString(key);
    };
    LONG written = 0;  // the choices written from COMPRESS_VALUE1 on
    for (WCHAR key[kPathChars]; written < kMaxCompressChoices; ++written) {
      wsprintfW(key, kCompressChoiceForm, int(written + 1));
      if (!line(key)) break;
    }
    const CompressChoices asWritten =
        ReadCompressChoices([&](LPCWSTR name, LONG *value) { return LookupFileValue(ini, name, value); });
    // Count written as the choices: told once, with the Count that mends it; the rest is checked as mended, so that
    // nothing else tells the same Count.
    const std::vector<LONG> listed = ChoicesInCount(ReadWhole(ini, settings, kCompressCountKey));
    const LONG mended = written > 0 ? written : LONG(listed.size());
    const CompressChoices choices =
        listed.empty() ? asWritten : ReadCompressChoices([&](LPCWSTR name, LONG *value) {
          if (!SameName(name, kCompressCountKey)) return LookupFileValue(ini, name, value);
          *value = mended;
          return 1;
        });
    const int countLine = line(kCompressCountKey);
    if (!listed.empty()) {
      LONG zeros = 0;  // missing choices read 0
      for (LONG n = 1; asWritten.declared > 0 && n <= asWritten.count; ++n)
        zeros += line(choiceName(n).c_str()) == 0;
      std::vector<std::string> pairs;
      for (size_t i = 0; i < listed.size(); ++i)
        pairs.push_back(Utf8(choiceName(LONG(i + 1))) + "=" + std::to_string(listed[i]));
      std::string all;
      for (const std::string &pair : pairs) all += (all.empty() ? "" : ", ") + pair;
      findings.Add(
          countLine, "not-a-number",
          "[Settings] Count = " + Quoted(ReadWhole(ini, settings, kCompressCountKey)) +
              " lists the choices, but Count is how many there are: the plug-in reads " +
              std::to_string(asWritten.declared) + ", so the compression list offers " +
              (asWritten.declared <= 0 ? std::string("the single choice 100")
                                       : std::to_string(asWritten.count) +
                                             (asWritten.count == 1 ? " choice" : " choices") +
                                             (zeros == asWritten.count ? ", all 0"
                                              : zeros ? ", " + std::to_string(zeros) + " of them 0"
                                                      : "")) +
              "; write Count=" + std::to_string(mended) +
              (written > 0 ? ", as the section has the choices in " +
                                 Utf8(choiceName(1)) + (written == 1 ? "" : " to " + Utf8(choiceName(written)))
                           : " and the choices as " + all));
    }
    const std::string count = "[Settings] Count " + std::to_string(choices.declared);
    if (choices.declared < 0)
      findings.Add(countLine, "settings-count",
                   count + " is negative: the compression list offers the single choice 100; write " +
                       (written > 0 ? "Count=" + std::to_string(written) + ", as the section has " +
                                          std::to_string(written) + (written == 1 ? " choice" : " choices")
                                    : std::string("Count and the choices COMPRESS_VALUE1, COMPRESS_VALUE2, ...")));
    // (With choices missing below the 49th, their finding gives the Count that mends both.)
    else if (choices.declared > kMaxCompressChoices && written == kMaxCompressChoices) {
      findings.Add(countLine, "settings-count", count + ": the compression list holds only the first " +
                                                    std::to_string(kMaxCompressChoices) + " choices; keep " +
                                                    std::to_string(kMaxCompressChoices) + " and write Count=" +
                                                    std::to_string(kMaxCompressChoices));
      // The choices past the list's room are this one slip, not names to mend.
      // (Looked for as far as an author numbers them: a Count of a million names no million lines.)
      for (LONG n = kMaxCompressChoices + 1; n <= std::min<LONG>(choices.declared, 1000); ++n)
        if (const int past = line(choiceName(n).c_str())) findings.Claim(past);
    }
    WCHAR first[kPathChars];
    wsprintfW(first, kCompressChoiceForm, 1);
    // (A list written in a second [Settings] is told as that section, never read.)
    bool listInRepeat = false;
    for (const IniFile::Section &repeat : ini.sections())
      listInRepeat = listInRepeat || (&repeat != FirstSection(ini, settings) &&
                                      SameName(ini.Text(repeat.name, repeat.nameLength), settings) &&
                                      std::any_of(repeat.entries.begin(), repeat.entries.end(), [&](const auto &entry) {
                                        const WString name = ini.Text(entry.name, entry.nameLength);
                                        return SameName(name, kCompressCountKey) || SameName(name, first);
                                      }));
    if (choices.declared <= 0 && !line(first) && !line(kCompressCountKey) && !listGiven && !listInRepeat)
      findings.Add(line(kCompressSwitchKey.key), "settings-count",
                   "[Settings] Landscape_Compress is on but the section has no Count and no COMPRESS_VALUE1: the "
                   "compression list offers the single choice 100; write Landscape_Compress=0 to leave the list "
                   "out, or Count and the choices COMPRESS_VALUE1, COMPRESS_VALUE2, ...");
    // (A Count negative, or no plain number, is told as such.)
    if (choices.declared == 0 && line(first) && !told.count(countLine)) {
      // A Count turned into a remark ("to switch the list off") leaves the switch on, and the list of one choice.
      const MeantEntry meant = countLine ? MeantEntry() : KeySlip(ini, file.known, kCompressCountKey, 8, true);
      if (meant.line) findings.Claim(meant.line);
      findings.Add(countLine    ? countLine
                   : meant.line ? meant.line
                                : line(first),
                   "settings-count",
                   "[Settings] has COMPRESS_VALUE1 but no Count above 0" +
                       (meant.name.empty() ? std::string()
                                           : " (line " + std::to_string(meant.line) + " has " + Quoted(meant.name) +
                                                 ", which the plug-in does not read as Count)") +
                       ": the compression list offers the single choice 100; write Count=" + std::to_string(written) +
                       ", or Landscape_Compress=0 to leave the list out");
    }
    // Missing choices read 0: told once, on the line of the first entry meant for one of them.
    std::vector<std::string> missing, meantNames;
    int missingLine = 0;
    for (LONG n = 1; choices.declared > 0 && n <= choices.count; ++n) {
      WCHAR key[kPathChars];
      wsprintfW(key, kCompressChoiceForm, int(n));
      if (line(key)) {
        if (!choices.answered[n - 1])
          findings.Add(
              line(key), "settings-choice-missing",
              "[Settings] " + Utf8(key) + " is empty: that choice repeats the one before it (" +
                  std::to_string(choices.values[n - 1]) + "); write the percentage meant" +
                  (n == choices.count && n > 1 ? ", or delete the line and write Count=" + std::to_string(n - 1)
                                               : std::string()));
        continue;
      }
      missing.push_back(Utf8(key));
      const MeantEntry meant = MeantKey(ini, file.known, settings, key);
      if (meant.name.empty()) continue;
      findings.Claim(meant.line);
      if (std::find(meantNames.begin(), meantNames.end(), Utf8(meant.name)) == meantNames.end())
        meantNames.push_back(Utf8(meant.name));
      if (!missingLine) missingLine = meant.line;
    }
    // Choices past Count are never offered: told once, with the Count that would offer them. When as many choices
    // are missing below Count, they were numbered wrong, and the missing ones tell it.
    LONG beyond = 0, highest = 0;
    int firstLine = 0;
    std::vector<std::string> past;
    for (LONG n = choices.count + 1; choices.declared > 0 && n <= kMaxCompressChoices; ++n) {
      WCHAR key[kPathChars];
      wsprintfW(key, kCompressChoiceForm, int(n));
      if (!line(key)) continue;
      if (!beyond++) firstLine = line(key);
      highest = n;
      past.push_back(Utf8(key));
    }
    const bool renumbered = beyond > 0 && size_t(beyond) == missing.size() && meantNames.empty();
    // Choices numbered from 0, as a program counts: the first is never read, and the last missing reads 0.
    WCHAR zero[kPathChars];
    wsprintfW(zero, kCompressChoiceForm, 0);
    const bool fromZero = !missing.empty() && meantNames.empty() && line(zero);
    if (fromZero) {
      findings.Claim(line(zero));
      missingLine = line(zero);
    }
    if (beyond && !renumbered)
      findings.Add(firstLine, "settings-count",
                   count + ", but " + std::to_string(beyond) + (beyond == 1 ? " choice follows" : " choices follow") +
                       " (up to COMPRESS_VALUE" + std::to_string(highest) +
                       "): the compression list never offers " + (beyond == 1 ? "it" : "them") +
                       "; write Count=" + std::to_string(highest));
    // Renumbered, the list offers the choices written: a current value that is none of them stays wrong after it.
    std::string currentToo;
    const WString current = ReadWhole(ini, settings, kCompressValueKey);
    if ((renumbered || fromZero) && IsPlainDecimal(current)) {
      std::vector<std::string> writtenValues;
      bool among = false;
      for (LONG n = 0; n <= kMaxCompressChoices; ++n) {
        WCHAR key[kPathChars];
        wsprintfW(key, kCompressChoiceForm, int(n));
        if (!line(key)) continue;
        const LONG value = LONG(ini.ReadInt(settings.c_str(), key, 0));
        among = among || value == choices.current;
        writtenValues.push_back(std::to_string(value));
      }
      if (!among)
        currentToo = "; and COMPRESS_VALUE " + std::to_string(choices.current) +
                     " is none of the choices written either: write one of " + FirstNames(writtenValues);
    }
    // A choice's line pasted and not renumbered: the repeat's finding offers the missing name.
    bool pastedOver = false;
    if (const IniFile::Section *section = FirstSection(ini, settings); missing.size() == 1 && meantNames.empty())
      pastedOver = std::count_if(section->entries.begin(), section->entries.end(), [&](const IniFile::Entry &entry) {
                     return NumberIn(ini.Text(entry.name, entry.nameLength), kCompressChoiceForm) + 1 ==
                            NumberIn(Widen(missing[0]), kCompressChoiceForm);
                   }) > 1;
    // With Count a list and no choices, its finding gave them all.
    if (!missing.empty() && !pastedOver && (listed.empty() || written > 0))
      findings.Add(
          missingLine ? missingLine : countLine, "settings-choice-missing",
          "[Settings] Count is " + std::to_string(choices.declared) +
              (choices.declared > kMaxCompressChoices
                   ? " (the list holds " + std::to_string(kMaxCompressChoices) + " at most)"
                   : std::string()) +
              " but " + FirstNames(missing) + (missing.size() == 1 ? " is" : " are") + " missing" +
              (meantNames.empty()
                   ? std::string()
                   : " (the file has " + FirstNames(meantNames) + ", which the plug-in does not read as " +
                         (missing.size() == 1 ? "it" : "those") + LookAlikeHint(Widen(meantNames[0])) +
                         (meantNames.size() < missing.size() && meantNames.size() == 1
                              ? ": one key holds one value; write one key per choice"
                              : "") +
                         ")") +
              (missing.size() == 1 ? ": that choice reads 0" : ": those choices read 0") +
              (renumbered ? ", and " + FirstNames(past) + (beyond == 1 ? " stands" : " stand") +
                                " past Count, never offered: number the choices from 1 without a gap"
               : fromZero ? ", and " + Utf8(zero) +
                                " is never read, as the plug-in counts from 1: number "
                                "the choices from 1"
               // The last choices missing: a Count kept from a longer list.
               : meantNames.empty() && written > 0 && written + LONG(missing.size()) == choices.count
                   ? "; write Count=" + std::to_string(written) + ", or add " + (missing.size() == 1 ? "it" : "them")
               : written == 0 && meantNames.empty() ? "; write the choices from COMPRESS_VALUE1 on, and Count to match"
                                                    : std::string()) +
              currentToo);
    // A choice that repeats an earlier one (a line copied and not changed): the list offers it twice.
    std::map<LONG, LONG> firstOf;  // value -> the choice that offers it first
    for (LONG n = 1; choices.declared > 0 && n <= choices.count; ++n) {
      WCHAR key[kPathChars];
      wsprintfW(key, kCompressChoiceForm, int(n));
      const auto first = firstOf.emplace(choices.values[n - 1], n);
      if (!first.second && line(key) && choices.answered[n - 1] && !told.count(line(key)))
        findings.Add(line(key), "settings-choice-repeated",
                     "[Settings] " + Utf8(key) + " is " + std::to_string(choices.values[n - 1]) +
                         ", as COMPRESS_VALUE" +
                         std::to_string(first.first->second) + " is: the compression list offers it twice; "
                         "write the percentage meant, or delete it and lower Count");
    }
    // Percentages the document settings' compression item cannot take: a document never prints with such a choice.
    // Choices that are missing or no number are told as such.
    std::vector<std::string> outside;
    int outsideLine = 0;
    for (LONG n = 1; choices.declared > 0 && n <= choices.count; ++n) {
      WCHAR key[kPathChars];
      wsprintfW(key, kCompressChoiceForm, int(n));
      const LONG value = choices.values[n - 1];
      if (!line(key) || told.count(line(key)) ||
          (value >= kMinCompressPercent && value <= kMaxCompressPercent))
        continue;
      if (!outsideLine) outsideLine = line(key);
      outside.push_back(Utf8(key) + " = " + std::to_string(value));
    }
    if (!outside.empty())
      findings.Add(outsideLine, "settings-choice-range",
                   "[Settings] " + FirstNames(outside) + (outside.size() == 1 ? " lies" : " lie") + " outside " +
                       std::to_string(kMinCompressPercent) + " to " + std::to_string(kMaxCompressPercent) +
                       " percent: the printer settings offer " + (outside.size() == 1 ? "it" : "them") +
                       ", but the document settings' compression item takes only that range; write percentages "
                       "from " + std::to_string(kMinCompressPercent) + " to " + std::to_string(kMaxCompressPercent));
    // Else the missing choices are the cause, or a current value that is no number, told as such.
    std::vector<std::string> offered;
    for (LONG n = 1; n <= choices.count; ++n) offered.push_back(std::to_string(choices.values[n - 1]));
    // The current value written as a choice numbered 0, as a program counts, where the list is whole.
    const bool currentAsZero =
        !line(kCompressValueKey) && line(zero) &&
        std::count(offered.begin(), offered.end(), std::to_string(ini.ReadInt(settings.c_str(), zero, -1))) > 0;
    // A choice no number or outside the range is the likelier slip: told as such, the current value after it.
    const bool choiceTold = std::any_of(choices.values, choices.values + choices.count, [&](LONG value) {
      return value < kMinCompressPercent || value > kMaxCompressPercent;
    });
    if (choices.declared > 0 && !choices.matched && missing.empty() && currentAsZero) {
      findings.Claim(line(zero));
      findings.Add(line(zero), "settings-current",
                   "[Settings] has no COMPRESS_VALUE (line " + std::to_string(line(zero)) + " has " + Utf8(zero) +
                       ", which the plug-in does not read as it: it counts the choices from " + Utf8(choiceName(1)) +
                       "): the list starts at its first choice, " + offered[0] + "; rename it COMPRESS_VALUE");
    } else if (choices.declared > 0 && !choices.matched && missing.empty() && !choiceTold &&
               (current.empty() || IsPlainDecimal(current)))
      findings.Add(
          line(kCompressValueKey) ? line(kCompressValueKey) : SectionLine(ini, settings), "settings-current",
          (line(kCompressValueKey)
               ? "[Settings] COMPRESS_VALUE " + std::to_string(choices.current) + " is none of the compression choices"
               : "[Settings] has no COMPRESS_VALUE, which reads " + std::to_string(choices.current) +
                     ", none of the choices") +
              ": the list starts at its first choice; " +
              (choices.current >= 1 && choices.current <= choices.count
                   ? "it is a percentage, not the place of a choice: for choice " + std::to_string(choices.current) +
                         " write " + std::to_string(choices.values[choices.current - 1])
                   : "write one of " + FirstNames(offered)));
  }
  if (move) {
    LONG value = 0;
    LookupFileValue(ini, kMoveKey, &value);
    if (StartingMove(value) != value)
      findings.Add(line(kMoveKey), "settings-xmove",
                   "[Settings] XMove " + std::to_string(value) + " is outside " + std::to_string(kMinMoveMillimetres) +
                       " to " + std::to_string(kMaxMoveMillimetres) + ": the move item starts at 0; XMove is in "
                       "millimetres: write a value from " + std::to_string(kMinMoveMillimetres) + " to " +
                       std::to_string(kMaxMoveMillimetres));
  }
}

}  // namespace prnset
