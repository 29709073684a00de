// prnset show: the catalogue for people, as the Printer Settings page presents it right after it opens.
#include <iomanip>
#include <sstream>

#include "docoptions/compress_choices.h"
#include "docoptions/settings_lookup.h"
#include "page/command_encoder.h"
#include "page/settings_page.h"
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

// A text of the file as the terminal may print it: control characters and invisible ones written as escapes.
std::string Shown(const WString &text) { return EscapeText(Utf8(text)); }

std::string Titled(const WCHAR *field, size_t capacity) {
  WString title = Cut(WString(field, BoundedLength(field, capacity)), kShownTitleChars - 1);
  return title.empty() ? "(no title)" : Shown(title);
}

std::string Hex(DWORD value) {
  std::ostringstream text;
  text << "0x" << std::uppercase << std::hex << std::setw(6) << std::setfill('0') << value;
  return text.str();
}

// A text as the hint box, a static control, shows it: '&' marks the next character as underlined and is not shown
// itself; "&&" shows one '&'.
std::string Hinted(const WString &text) {
  WString shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return Shown(shown);
}

std::string CommandText(const WString &text) { return text.empty() ? "(none)" : Shown(text); }

bool MultiChoice(const SettingsItem &item) { return DWORD(item.ParameterCount) > 1; }

// The page's own word for the default option (its string 5) in the language of the catalogue's texts.
std::string DefaultLabel(const ToolLanguage &language) {
  return language.load.language == kChineseLanguage ? Utf8(WString(WTEXT("默认值"))) : "Default";
}

void ShowOptions(const SettingsItem &item, std::ostream &out) {
  const SettingsOption *option = item.OptionCount ? item.Options : nullptr;
  if (!option) {
    out << "    Options: none\n";
    return;
  }
  // The page selects the last option whose value is the current one and names the last one whose value is the
  // default in its hint; a multi-choice item selects the rows whose bits are set.
  LONG selected = -1, named = -1;
  {
    const SettingsOption *o = option;
    for (LONG row = 0; o && DWORD(row) < item.OptionCount; ++row, o = o->Next) {
      if (o->Value == item.CurrentValue) selected = row;
      if (o->Value == item.DefaultValue) named = row;
    }
  }
  out << "    Options:\n";
  for (LONG row = 0; option && DWORD(row) < item.OptionCount; ++row, option = option->Next) {
    std::string mark, note;
    if (MultiChoice(item)) {
      bool bit = row < kMaskRows && (DWORD(item.CurrentValue) >> (kMaskRows - 1 - row)) & 1;
      mark = bit ? "[x]" : "[ ]";
      note = row < kMaskRows ? "bit " + Hex(DWORD(1) << (kMaskRows - 1 - row)) : "no bit: cannot be chosen";
    } else {
      mark = row == selected ? " * " : "   ";
      note = "value " + std::to_string(option->Value);
      if (row == named) note += ", default";
    }
    out << "    " << mark << std::setw(3) << row << "  " << Shown(FieldText(option->Text)) << "  (" << note << ")\n";
  }
  if (!MultiChoice(item) && selected < 0)
    out << "    No option has the default value " << item.DefaultValue << ": no row is selected.\n";
}

// Each class and item is named by its keys too, as check names it and encode and job take it (--item CLASS/ITEM).
void ShowItem(const SettingsItem &item, LONG index, const std::string &classKey, const ToolLanguage &language,
              std::ostream &out) {
  out << "\n  Item " << index << ": " << Titled(item.Title, ARRAYSIZE(item.Title)) << "  (" << classKey << "/"
      << Shown(FieldText(item.Key)) << ")\n";
  // The hint box: the note, then the default option's text when an option has the default value.
  WString defaultText;
  bool hasDefault = false;
  const SettingsOption *option = item.OptionCount ? item.Options : nullptr;
  for (DWORD i = 0; option && i < item.OptionCount; ++i, option = option->Next)
    if (option->Value == item.DefaultValue) {
      defaultText = FieldText(option->Text);
      hasDefault = true;
    }
  out << "    Hint: " << Hinted(FieldText(item.Note)) << "\n";
  if (hasDefault) out << "          * " << DefaultLabel(language) << " = " << Hinted(defaultText) << " *\n";
  out << "    Command: " << CommandText(FieldText(item.Instruction)) << "  (ParameterCount " << item.ParameterCount
      << (MultiChoice(item) ? ": multi-choice" : ": single choice") << ")\n";
  if (MultiChoice(item))
    out << "    Default: mask " << Hex(DWORD(item.DefaultValue)) << "\n";
  else
    out << "    Default: value " << item.DefaultValue << "\n";
  ShowOptions(item, out);
}

void ShowSection(const SettingsSection &section, LONG index, const ToolLanguage &language, std::ostream &out) {
  const std::string key = Shown(FieldText(section.Key));
  out << "\nClass " << index << ": " << Titled(section.Title, ARRAYSIZE(section.Title)) << "  (" << key << ")\n";
  WString note = FieldText(section.Note);
  if (!note.empty()) out << "  Note (not shown on the page): " << Shown(note) << "\n";
  LONG items = section.ItemCount < 0 ? 0 : section.ItemCount > kMaxItems ? kMaxItems : section.ItemCount;
  if (items == 0) out << "  No items: the item list is empty.\n";
  for (LONG i = 0; i < items; ++i) ShowItem(section.Items[i], i, key, language, out);
}

void ShowDriverItems(const DriverItems &items, std::ostream &out) {
  out << "\nDriver items ([" << Utf8(kSettingsSection) << "]):\n  Landscape compression: ";
  if (!items.compressOffered) {
    out << "not offered (" << Utf8(kCompressSwitchKey.key) << " is 0 or missing)\n";
  } else {
    const CompressChoices &choices = items.compress;
    out << "choices";
    for (LONG n = 0; n < choices.count; ++n) out << (n ? ", " : " ") << choices.values[n];
    out << "; starts at " << choices.values[choices.selected]
        << (choices.matched || choices.values[choices.selected] == choices.current
                ? ""
                : " (no choice is the current value, so the first)")
        << "\n";
  }
  out << "  Horizontal move: ";
  if (!items.moveOffered)
    out << "not offered (" << Utf8(kMoveSwitchKey.key) << " is 0 or missing)\n";
  else
    out << "from " << kMinMoveMillimetres << " to " << kMaxMoveMillimetres << " mm; starts at " << items.moveStart
        << "\n";
}

}  // namespace

int ShowCommand(const FileArguments &parsed, std::ostream &out, std::ostream &) {
  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  const SettingsCatalogue &catalogue = session.catalogue();

  out << "Settings file: " << EscapeText(parsed.shownFiles[0]) << "\n"
      << "Language: " << parsed.language.name << " (" << (Utf8(LanguageSuffix(parsed.language.load.language)))
      << " sections, code page " << parsed.language.load.codePage << ")\n"
      << "Parameter rule: " << CommandText(FieldText(catalogue.ParameterRule)) << "\n"
      << "Enter instruction: " << CommandText(FieldText(catalogue.EnterInstruction)) << "\n"
      << "Save instruction: " << CommandText(FieldText(catalogue.SaveInstruction)) << "\n"
      << "Instruction tail: " << CommandText(FieldText(catalogue.InstructionTail)) << "\n";
  LONG sections = catalogue.SectionCount < 0            ? 0
                  : catalogue.SectionCount > kMaxSections ? kMaxSections
                                                          : catalogue.SectionCount;
  if (sections == 0) out << "\nNo classes: the page shows an empty class list.\n";
  for (LONG s = 0; s < sections; ++s) ShowSection(catalogue.Sections[s], s, parsed.language, out);
  ShowDriverItems(ReadDriverItems(parsed.file, parsed.language), out);
  return kExitSuccess;
}

}  // namespace prnset
