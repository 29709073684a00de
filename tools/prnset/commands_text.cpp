#include "tools/prnset/commands_text.h"


#include "catalogue/ini_file.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

// The keys of the shown classes, or of one class's shown items, for a message.
std::string KeyList(const SettingsCatalogue &catalogue, const SettingsSection *section) {
  std::string list;
  const LONG count = section ? ItemCountOf(*section) : SectionCountOf(catalogue);
  for (LONG i = 0; i < count; ++i) {
    const WString key = section ? FieldText(section->Items[i].Key) : FieldText(catalogue.Sections[i].Key);
    list += (i ? ", " : "") + EscapeText(Utf8(key));
  }
  return list;
}

// One way of reading "CLASS/ITEM": the text split at one of its slashes.
struct KeyPair {
  WString section, item;
};

std::vector<KeyPair> KeyPairs(const WString &keys) {
  std::vector<KeyPair> pairs;
  for (size_t slash = keys.find(WCHAR('/')); slash != WString::npos; slash = keys.find(WCHAR('/'), slash + 1))
    pairs.push_back({keys.substr(0, slash), keys.substr(slash + 1)});
  return pairs;
}

// How the file hides a class or item that the catalogue does not show, or empty when it does not hide it: the
// loader's own account of the classes and items it left out, and the filter read that left each out.
std::string HiddenReason(const WString &path, const LoadLanguage &language, const KeyPair &keys) {
  IniFile ini;
  UniqueCatalogue catalogue = NewCatalogue();
  if (!catalogue || !ini.Load(path.c_str(), language.codePage)) return std::string();
  LoadAccount account;
  LoadCatalogue(*catalogue.get(), IniSource(ini), language.language, &account);
  auto because = [](const LoadAccount::Reading *filter) {
    return " is hidden by [" + EscapeText(Utf8(filter->section)) + "] " + EscapeText(Utf8(filter->key));
  };
  for (const LoadAccount::Entry &entry : account.sections) {
    const WString key = account.Find(FileField::SectionKey, entry.sectionNumber)->text;
    if (!SameName(key, keys.section)) continue;
    if (entry.slot < 0)
      return "class " + EscapeText(Utf8(key)) + because(account.Find(FileField::SectionEnable, entry.sectionNumber));
    auto items = account.items.find(entry.sectionNumber);
    if (items == account.items.end()) continue;
    for (const LoadAccount::Entry &item : items->second) {
      const WString itemKey = account.Find(FileField::ItemKey, item.sectionNumber, item.itemNumber)->text;
      if (item.slot < 0 && SameName(itemKey, keys.item))
        return "item " + EscapeText(Utf8(key)) + "/" + EscapeText(Utf8(itemKey)) +
               because(account.Find(FileField::ItemEnable, item.sectionNumber, item.itemNumber));
    }
  }
  return std::string();
}

std::string Position(LONG section, LONG item) {
  return "item " + std::to_string(item) + " of section " + std::to_string(section);
}

// An item as check names it, by its keys, with its page position: "item Print/Density (item 0 of section 0)".
std::string KeysAndPosition(const SettingsCatalogue &catalogue, LONG section, LONG item) {
  const SettingsItem *entry = ::ItemAt(catalogue, section, item);
  if (!entry) return Position(section, item);
  return "item " + EscapeText(Utf8(FieldText(catalogue.Sections[section].Key))) + "/" +
         EscapeText(Utf8(FieldText(entry->Key))) + " (" + Position(section, item) + ")";
}

// The encoder's reason for one item, with what of the file it concerns.
std::string EncoderReason(const SettingsCatalogue &catalogue, const CommandText &text, LONG choice) {
  const SettingsItem *entry = ::ItemAt(catalogue, text.section, text.item);
  switch (text.why) {
    case NoText::kNoItem:
      return "there is no " + Position(text.section, text.item);
    case NoText::kNoOption: {
      DWORD options = entry ? entry->OptionCount : 0;
      return "there is no option at position " + std::to_string(choice) + " (the item has " +
             std::to_string(options) + (options == 1 ? " option)" : " options)");
    }
    case NoText::kNoCommandOption:
      return "the option at position " + std::to_string(choice) + " has the no-command value " +
             std::to_string(kNoCommandValue);
    case NoText::kUnknownRule:
      return "ParameterRule \"" + Utf8(FieldText(catalogue.ParameterRule)) +
             "\" is neither High256 nor BaseOn30, and the item needs parameter bytes";
    case NoText::kNegativeDigits:
      return "BaseOn30 cannot send the negative value " + std::to_string(text.value);
    case NoText::kTooLong:
      return "ParameterCount " + std::to_string(entry ? entry->ParameterCount : 0) +
             " asks for more parameter bytes than a command holds";
    case NoText::kNone:
      break;
  }
  return "the encoder gave no text for the value " + std::to_string(text.value);
}

}  // namespace

const SettingsItem *ItemAt(const SettingsCatalogue &catalogue, LONG section, LONG item, std::string &error) {
  const SettingsSection *s = ::SectionAt(catalogue, section);
  if (!s) {
    const LONG sections = SectionCountOf(catalogue);
    error = "there is no section " + std::to_string(section) +
            (sections > 0 ? " (sections 0 to " + std::to_string(sections - 1) + ")" : " (the file shows none)");
    return nullptr;
  }
  const SettingsItem *found = ::ItemAt(catalogue, section, item);
  if (!found) {
    const LONG items = ItemCountOf(*s);
    error = "section " + std::to_string(section) + " has no item " + std::to_string(item) +
            (items > 0 ? " (items 0 to " + std::to_string(items - 1) + ")" : " (it shows none)");
  }
  return found;
}

const SettingsItem *NamedItem(const SettingsCatalogue &catalogue, ItemName &name, const WString &path,
                              const LoadLanguage &language,
                              std::string &error) {
  if (!name.byKeys) return ItemAt(catalogue, name.section, name.item, error);
  const std::vector<KeyPair> pairs = KeyPairs(name.keys);
  const SettingsSection *named = nullptr;  // a shown class that one reading names
  const SettingsItem *found = nullptr;
  const KeyPair *meant = pairs.empty() ? nullptr : &pairs.front();
  for (const KeyPair &keys : pairs) {
    for (LONG s = 0; s < SectionCountOf(catalogue); ++s) {
      const SettingsSection &section = catalogue.Sections[s];
      if (!SameName(FieldText(section.Key), keys.section)) continue;
      if (!named) {
        named = &section;
        meant = &keys;
      }
      for (LONG i = 0; i < ItemCountOf(section); ++i) {
        if (!SameName(FieldText(section.Items[i].Key), keys.item)) continue;
        if (found) {
          // Two shown classes of one key, each with the item: the keys name neither.
          error = "--item " + EscapeText(Utf8(name.keys)) + " names two items, " + Position(name.section, name.item) +
                  " and " + Position(s, i) + ": give it by its position (--section S --item I)";
          return nullptr;
        }
        found = &section.Items[i];
        name.section = s;
        name.item = i;
      }
    }
  }
  if (found) return found;
  if (!meant) {
    error = "--item " + EscapeText(Utf8(name.keys)) + " names no class and item";
    return nullptr;
  }
  std::string hidden = HiddenReason(path, language, *meant);
  for (size_t i = 0; !named && hidden.empty() && i < pairs.size(); ++i) hidden = HiddenReason(path, language, pairs[i]);
  if (named) {
    const std::string items = KeyList(catalogue, named), key = EscapeText(Utf8(FieldText(named->Key)));
    error = hidden.empty() ? "class " + key + " shows no item " + EscapeText(Utf8(meant->item)) +
                                 (items.empty() ? " (it shows none)" : " (it shows " + items + ")")
                           : hidden + " (class " + key + (items.empty() ? " shows none)" : " shows " + items + ")");
  } else {
    const std::string classes = KeyList(catalogue, nullptr);
    error = (hidden.empty() ? "there is no shown class " + EscapeText(Utf8(meant->section)) : hidden) +
            (classes.empty() ? " (the file shows none)" : " (the file shows " + classes + ")");
  }
  return nullptr;
}

std::string ChoiceError(const SettingsItem &item, LONG choice) {
  // A multi-choice item's choice is a mask, and any mask goes out as the page sends its default.
  const DWORD options = item.OptionCount;
  if (DWORD(item.ParameterCount) > 1 || (choice >= 0 && DWORD(choice) < options)) return std::string();
  return "--choice " + std::to_string(choice) + ": the item has " +
         (options == 0   ? std::string("no options")
          : options == 1 ? std::string("one option, at position 0")
                         : std::to_string(options) + " options, at positions 0 to " + std::to_string(options - 1));
}

std::string NoTextReason(const SettingsCatalogue &catalogue, const CommandText &text, LONG choice, bool all) {
  switch (text.failure) {
    case NoJob::kNoItems:
      return "the file shows no items";
    case NoJob::kNoMemory:
      return "there was no memory for the command text";
    case NoJob::kNoText:
      return (all ? KeysAndPosition(catalogue, text.section, text.item) + ": " : std::string()) +
             EncoderReason(catalogue, text, choice);
    case NoJob::kNotHex:
    case NoJob::kNone:
      break;
  }
  return "the encoder gave no text";
}

namespace {

// The command texts a job is made of, each named as check names it: the instruction of every shown item (or of
// `only`), then the InstructionTail, which ends each (a tail of one character is not a byte: the encoder leaves it
// out).
std::vector<std::pair<std::string, WString>> JobTexts(const SettingsCatalogue &catalogue, const SettingsItem *only) {
  std::vector<std::pair<std::string, WString>> texts;
  for (LONG s = 0; s < SectionCountOf(catalogue); ++s)
    for (LONG i = 0; i < ItemCountOf(catalogue.Sections[s]); ++i) {
      const SettingsItem &item = catalogue.Sections[s].Items[i];
      if (!only || only == &item)
        texts.emplace_back("item " + Utf8(FieldText(catalogue.Sections[s].Key)) + "/" + Utf8(FieldText(item.Key)),
                           FieldText(item.Instruction));
    }
  if (FieldLength(catalogue.InstructionTail) >= 2)
    texts.emplace_back(Place(kNamesSection, KeyOf(FileField::InstructionTail).key),
                       FieldText(catalogue.InstructionTail));
  return texts;
}

}  // namespace

std::string NoJobReason(const SettingsCatalogue &catalogue, const JobBytes &job, LONG choice,
                        const SettingsItem *only) {
  if (job.failure == NoJob::kNotHex) {
    // The text at fault, named: a character that is no digit, or the odd digit that leaves the job's digits odd.
    for (const auto &text : JobTexts(catalogue, only)) {
      const HexTextCheck check = CheckHexText(text.second.c_str());
      if (check.fault == HexTextCheck::kWhole) continue;
      // A character beyond ASCII is named, and text saved in code page 936 and read in 1252 shown as its editor
      // shows it ("£±" is "１").
      const WCHAR c = check.fault == HexTextCheck::kNotHex ? text.second[check.position] : 0;
      const WString seen = SeenIn936(text.second);
      return text.first + (text.first[0] == '[' ? std::string(" ") : std::string("'s instruction ")) + "\"" +
             EscapeText(Utf8(text.second)) + "\" " +
             (check.fault == HexTextCheck::kNotHex
                  ? "holds " + (c < 0x80 ? "\"" + EscapeText(Utf8(WString(1, c))) + "\"" : CharacterName(c)) +
                        ", which is neither a blank nor a hexadecimal digit"
                  : "has an odd number of hexadecimal digits (" + std::to_string(check.digits) + ")") +
             ", so the page sends nothing" +
             (seen.empty() ? std::string()
                           : " (the text is " + Quoted(seen) + " saved in code page 936, read in code page 1252)");
    }
    return "the command text \"" + Utf8(TextOf(job.text)) +
           "\" is not whole bytes of hexadecimal digits, so the page sends nothing";
  }
  if (job.failure == NoJob::kNoMemory && job.text.size) return "there was no memory for the job";
  return NoTextReason(catalogue, job.text, choice, !only);
}

std::vector<std::string> LeftOutOfJob(const SettingsCatalogue &catalogue, const JobBytes &job,
                                      const SettingsItem *only) {
  std::vector<std::string> notes;
  // Texts of an odd number of digits that still make an even whole: the job goes out with bytes paired wrong.
  std::vector<std::string> odd;
  for (const auto &text : JobTexts(catalogue, only))
    if (CheckHexText(text.second.c_str()).fault == HexTextCheck::kOddDigits) odd.push_back(text.first);
  if (!odd.empty())
    notes.push_back((odd.size() == 1 ? "the command text of " : "the command texts of ") + FirstNames(odd) +
                    (odd.size() == 1 ? " has" : " have") +
                    " an odd number of hexadecimal digits: the page pairs the job's digits from the start, so bytes "
                    "after " +
                    (odd.size() == 1 ? "it" : "them") + " are paired wrong, as the printer gets them");
  auto name = [](FileField field) { return Place(kNamesSection, KeyOf(field).key); };
  // The frame goes through the same conversion as the page's job: a part it refuses is left out.
  for (FileField field : {FileField::EnterInstruction, FileField::SaveInstruction}) {
    const WString text = FieldText(field == FileField::EnterInstruction ? catalogue.EnterInstruction
                                                                        : catalogue.SaveInstruction);
    const HexTextCheck check = CheckHexText(text.c_str());
    if (check.fault == HexTextCheck::kNotHex)
      notes.push_back(name(field) + " holds \"" + EscapeText(Utf8(text.substr(check.position, 1))) +
                      "\", which is neither a blank nor a hexadecimal digit: the page leaves it out of every job");
    else if (check.fault == HexTextCheck::kOddDigits)
      notes.push_back(name(field) + " has an odd number of hexadecimal digits (" + std::to_string(check.digits) +
                      "): the page leaves it out of every job");
  }
  // The encoder ends every command with the tail it uses, after a blank.
  const WString tail = FieldText(catalogue.InstructionTail), text = TextOf(job.text);
  const WString end = Ascii(" ") + tail + Ascii(" ");
  if (!Trimmed(tail).empty() &&
      (text.size() < end.size() || text.compare(text.size() - end.size(), end.size(), end) != 0))
    notes.push_back(name(FileField::InstructionTail) +
                    " has one character, which is not a byte: it is left out of every command");
  return notes;
}

WString TextOf(const CommandText &text) {
  return text.size ? WString(text.text.get(), BoundedLength(text.text.get(), text.size)) : WString();
}

std::string HexPairs(const BYTE *bytes, DWORD count) {
  std::string out;
  for (DWORD i = 0; i < count; ++i) {
    WCHAR digits[2];
    FormatHexByte(bytes[i], digits);
    if (i) out += ' ';
    for (WCHAR d : digits) out += char(d >= 'a' ? d - 'a' + 'A' : d);
  }
  return out;
}

}  // namespace prnset
