#include "tools/prnset/commands_text.h"

#include "page/command_encoder.h"
#include "page/command_job.h"

namespace prnset {

namespace {

std::string Position(LONG section, LONG item) {
  return "item " + std::to_string(item) + " of section " + std::to_string(section);
}

bool IsRule(const SettingsCatalogue &catalogue, const char *name) {
  return lstrcmpiW(FieldText(catalogue.ParameterRule).c_str(), Ascii(name).c_str()) == 0;
}

// Why the encoder gave no text for a value of an item that exists.
std::string NoTextReason(const SettingsCatalogue &catalogue, const SettingsItem &entry, LONG value) {
  bool high = IsRule(catalogue, "High256"), base = IsRule(catalogue, "BaseOn30");
  if (!high && !base && entry.ParameterCount != 0)
    return "ParameterRule \"" + Utf8(FieldText(catalogue.ParameterRule)) +
           "\" is neither High256 nor BaseOn30, and the item needs parameter bytes";
  if (base && value < 0) return "BaseOn30 cannot send the negative value " + std::to_string(value);
  if (entry.ParameterCount < 0 || DWORD(entry.ParameterCount) > kMaxCommandChars / 3)
    return "ParameterCount " + std::to_string(entry.ParameterCount) + " asks for more parameter bytes than a command holds";
  return "the encoder gave no text for the value " + std::to_string(value);
}

// The size query, then the text: what the page's job does with the encoder.
template <typename Encode>
CommandText Query(Encode encode) {
  CommandText result;
  DWORD size = 0;
  encode(nullptr, &size);
  if (size == 0) return result;
  std::vector<WCHAR> text(size);
  DWORD capacity = size;
  if (encode(text.data(), &capacity) != size) return result;
  result.ok = true;
  result.text.assign(text.data(), BoundedLength(text.data(), size));
  return result;
}

}  // namespace

const SettingsItem *ItemAt(const SettingsCatalogue &catalogue, LONG section, LONG item, std::string &error) {
  LONG sections = catalogue.SectionCount < kMaxSections ? catalogue.SectionCount : kMaxSections;
  if (section < 0 || section >= sections) {
    error = "there is no section " + std::to_string(section) +
            (sections > 0 ? " (sections 0 to " + std::to_string(sections - 1) + ")" : " (the file shows none)");
    return nullptr;
  }
  const SettingsSection &s = catalogue.Sections[section];
  LONG items = s.ItemCount < kMaxItems ? s.ItemCount : kMaxItems;
  if (item < 0 || item >= items) {
    error = "section " + std::to_string(section) + " has no item " + std::to_string(item) +
            (items > 0 ? " (items 0 to " + std::to_string(items - 1) + ")" : " (it shows none)");
    return nullptr;
  }
  return &s.Items[item];
}

CommandText ItemValueText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value) {
  CommandText result = Query([&](LPWSTR text, DWORD *size) { return EncodeItemValue(section, item, value, text, size); });
  std::string error;
  const SettingsItem *entry = ItemAt(catalogue, section, item, error);
  if (!result.ok) result.reason = entry ? NoTextReason(catalogue, *entry, value) : error;
  return result;
}

CommandText ItemChoiceText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice) {
  CommandText result =
      Query([&](LPWSTR text, DWORD *size) { return EncodeItemChoice(section, item, choice, text, size); });
  if (result.ok) return result;
  std::string error;
  const SettingsItem *entry = ItemAt(catalogue, section, item, error);
  if (!entry) {
    result.reason = error;
  } else if (DWORD(entry->ParameterCount) > 1) {
    result.reason = NoTextReason(catalogue, *entry, choice);
  } else if (const SettingsOption *option = OptionAt(*entry, choice)) {
    result.reason = option->Value == kNoCommandValue
                        ? "the option at position " + std::to_string(choice) + " has the no-command value " +
                              std::to_string(kNoCommandValue)
                        : NoTextReason(catalogue, *entry, option->Value);
  } else {
    result.reason = "there is no option at position " + std::to_string(choice) + " (the item has " +
                    std::to_string(entry->OptionCount) + (entry->OptionCount == 1 ? " option)" : " options)");
  }
  return result;
}

CommandText AllItemsText(const SettingsCatalogue &catalogue) {
  CommandText result;
  LONG sections = catalogue.SectionCount < kMaxSections ? catalogue.SectionCount : kMaxSections;
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue.Sections[s];
    LONG items = section.ItemCount < kMaxItems ? section.ItemCount : kMaxItems;
    for (LONG i = 0; i < items; ++i) {
      CommandText one = ItemValueText(catalogue, s, i, section.Items[i].CurrentValue);
      if (!one.ok) {
        // Set All sends nothing rather than a partial set.
        result.text.clear();
        result.reason = Position(s, i) + ": " + one.reason;
        return result;
      }
      result.text += one.text;
    }
  }
  result.ok = !result.text.empty();
  if (!result.ok) result.reason = "the file shows no items";
  return result;
}

bool JobBytes(const SettingsCatalogue &catalogue, const WString &command, std::vector<BYTE> &bytes,
              std::string &reason) {
  WString enter = FieldText(catalogue.EnterInstruction), save = FieldText(catalogue.SaveInstruction);
  // Two characters per byte at the least: room for any valid text.
  DWORD capacity = DWORD(enter.size() / 2 + command.size() / 2 + save.size() / 2 + 3);
  bytes.assign(capacity, 0);
  DWORD c = HexTextToBytes(enter.c_str(), bytes.data(), capacity);
  DWORD d = HexTextToBytes(command.c_str(), bytes.data() + c, capacity - c);
  DWORD e = HexTextToBytes(save.c_str(), bytes.data() + c + d, capacity - c - d);
  if (d == 0) {
    bytes.clear();
    reason = "the command text \"" + Utf8(command) +
             "\" is not whole bytes of hexadecimal digits, so the page sends nothing";
    return false;
  }
  bytes.resize(c + d + e);
  return true;
}

std::string HexPairs(const std::vector<BYTE> &bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ' ';
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 15];
  }
  return out;
}

}  // namespace prnset
