#include "tools/prnset/commands_text.h"

namespace prnset {

namespace {

std::string Position(LONG section, LONG item) {
  return "item " + std::to_string(item) + " of section " + std::to_string(section);
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

std::string NoTextReason(const SettingsCatalogue &catalogue, const CommandText &text, LONG choice, bool all) {
  switch (text.failure) {
    case NoJob::kNoItems:
      return "the file shows no items";
    case NoJob::kNoMemory:
      return "there was no memory for the command text";
    case NoJob::kNoText:
      return (all ? Position(text.section, text.item) + ": " : std::string()) +
             EncoderReason(catalogue, text, choice);
    case NoJob::kNotHex:
    case NoJob::kNone:
      break;
  }
  return "the encoder gave no text";
}

std::string NoJobReason(const SettingsCatalogue &catalogue, const JobBytes &job, LONG choice, bool all) {
  if (job.failure == NoJob::kNotHex)
    return "the command text \"" + Utf8(TextOf(job.text)) +
           "\" is not whole bytes of hexadecimal digits, so the page sends nothing";
  if (job.failure == NoJob::kNoMemory && job.text.size) return "there was no memory for the job";
  return NoTextReason(catalogue, job.text, choice, all);
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
