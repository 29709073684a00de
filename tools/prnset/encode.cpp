// prnset encode: the command of one item, as the bytes of the text the encoder writes for it.
#include <algorithm>

#include "catalogue/vocabulary.h"
#include "page/job_bytes.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"
#include "tools/prnset/commands_text.h"
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

// A multi-choice item's page sends masks of its rows, whatever bytes a value would make: which rows `value` ticks,
// or that it ticks none of them. Empty for a single choice.
std::string MaskNote(const SettingsItem &item, LONG value) {
  if (DWORD(item.ParameterCount) <= 1) return std::string();
  std::vector<std::string> rows;
  for (int row = 0; row < kMaskRows; ++row)
    if (DWORD(value) & RowBits(item.OptionCount) & (1u << (kMaskRows - 1 - row))) rows.push_back(std::to_string(row));
  // A mask of rows that no option has as its value was meant as the mask it is.
  const std::vector<LONG> values = ValuesOf(item);
  if (!rows.empty() && !(DWORD(value) & ~RowBits(item.OptionCount)) &&
      std::find(values.begin(), values.end(), value) == values.end())
    return std::string();
  return (DWORD(value) & ~RowBits(item.OptionCount) ? std::string("is no mask of the item's rows")
          : rows.empty()
              ? std::string("ticks no row")
              : "is the mask that ticks " + std::string(rows.size() == 1 ? "row " : "rows ") + FirstNames(rows)) +
         ": the item is multi-choice (ParameterCount " + std::to_string(item.ParameterCount) +
         "), and the page sends masks of its rows, not values (--choice takes a mask)";
}

// When the parameter bytes the encoder wrote into `written` do not stand for `value` as the printer reads them:
// what was sent instead. Empty when they do.
std::string CutNote(const SettingsCatalogue &catalogue, const SettingsItem &item, LONG value, const WString &written) {
  // BaseOn30 writes every digit; four bytes or more hold any value of 32 bits.
  const DWORD count = DWORD(item.ParameterCount);
  if (IsBaseOn30(catalogue) || count >= 4) return std::string();
  if (count == 0)
    return value == 0 ? std::string() : "the item has no parameter bytes: its command goes without the value";
  const std::pair<long long, long long> fits = ValueRange(item);
  if (value >= fits.first && value <= fits.second) return std::string();
  // The groups stand after the instruction and its blank, two digits and a blank each (page/command_encoder.h).
  const size_t from = FieldLength(item.Instruction) + 1;
  BYTE bytes[4];
  if (written.size() < from + 3 * count ||
      HexTextToBytes(written.substr(from, 3 * count).c_str(), bytes, count) != count)
    return std::string();
  long long read = 0;  // as the printer reads the bytes without a sign
  for (DWORD i = 0; i < count; ++i) read = read << 8 | bytes[i];
  // After a high byte 00 in the instruction the printer reads no sign.
  const long long range = 1LL << (8 * count),
                  signedRead = read >= range / 2 && !HighByteFixed(item) ? read - range : read;
  return "does not fit " +
         (HighByteFixed(item) ? std::string("the byte after the instruction's high byte 00")
                              : Count(long(count), "parameter byte")) +
         ": it is cut to " + HexPairs(bytes, count) + ", which the printer reads as " + std::to_string(read) +
         (signedRead != read ? " or " + std::to_string(signedRead) : "") + "; a value from " +
         std::to_string(fits.first) + " to " + std::to_string(fits.second) + " fits";
}

}  // namespace

int EncodeCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const std::string command = "encode";
  std::string error;
  ItemName name;
  LONG number = 0;
  bool byValue = parsed.options.Has("value");
  if (byValue == parsed.options.Has("choice")) error = "give exactly one of --choice and --value";
  if (error.empty()) {
    ItemOption(parsed.options, name, error) &&
        NumberOption(parsed.options, byValue ? "value" : "choice", number, error);
  }
  if (!error.empty()) {
    Complain(err, command, error + "; usage: " + UsageOf(command));
    return kExitUsage;
  }

  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  const SettingsCatalogue &catalogue = session.catalogue();
  const SettingsItem *item = NamedItem(catalogue, name, parsed.file, parsed.language.load, error);
  if (item && !byValue) error = ChoiceError(*item, number);
  if (!item || !error.empty()) {
    Complain(err, command, parsed.shownFiles[0] + ": " + error);
    return kExitUsage;
  }
  CommandText text = byValue ? ItemValueText(catalogue, name.section, name.item, number)
                             : ItemChoiceText(catalogue, name.section, name.item, number);
  if (!text.size) {
    Complain(err, command, "no command text: " + NoTextReason(catalogue, text, number, false));
    return kExitFailure;
  }
  // Printed as the bytes the text stands for, in the same form as prnset job prints a job.
  const WString written = TextOf(text);
  std::vector<BYTE> bytes(written.size() / 2 + 1);
  DWORD count = HexTextToBytes(written.c_str(), bytes.data(), DWORD(bytes.size()));
  if (count == 0) {
    Complain(err, command, "the command text \"" + EscapeText(Utf8(written)) +
                               "\" is not whole bytes of hexadecimal digits, so the page sends nothing");
    return kExitFailure;
  }
  // Sent as the page would send it, so told rather than failed.
  if (byValue) {
    const std::string cut = CutNote(catalogue, *item, number, written), mask = MaskNote(*item, number);
    if (!cut.empty() || !mask.empty())
      Complain(err, command,
               "note: --value " + Utf8(parsed.options.Value("value")) + " " +
                   (cut.empty()    ? mask
                    : mask.empty() ? cut
                                   : cut + "; it " + mask));
  }
  out << HexPairs(bytes.data(), count) << "\n";
  return kExitSuccess;
}

}  // namespace prnset
