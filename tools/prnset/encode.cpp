// prnset encode: the command of one item, as the bytes of the text the encoder writes for it.
#include "catalogue/vocabulary.h"
#include "page/job_bytes.h"
#include "tools/prnset/check_names.h"
#include "tools/prnset/commands_text.h"
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

// When the parameter bytes the encoder wrote into `written` do not stand for `value`: what was sent instead. Empty
// when they do.
std::string CutValue(const SettingsCatalogue &catalogue, const SettingsItem &item, LONG value, const WString &written) {
  // BaseOn30 writes every digit; four bytes or more hold any value of 32 bits.
  const DWORD count = DWORD(item.ParameterCount);
  if (lstrcmpiW(FieldText(catalogue.ParameterRule).c_str(), kBaseOn30Rule) == 0 || count >= 4) return std::string();
  // The groups stand after the instruction and its blank, two digits and a blank each (page/command_encoder.h).
  const size_t from = FieldLength(item.Instruction) + 1;
  BYTE bytes[4];
  if (written.size() < from + 3 * count ||
      HexTextToBytes(written.substr(from, 3 * count).c_str(), bytes, count) != count)
    return std::string();
  long long read = 0;  // as the printer reads the bytes without a sign
  for (DWORD i = 0; i < count; ++i) read = read << 8 | bytes[i];
  const long long range = 1LL << (8 * count), signedRead = read >= range / 2 ? read - range : read;
  if (value == read || value == signedRead) return std::string();
  if (count == 0) return "the item has no parameter bytes: its command goes without the value";
  return "does not fit " + Count(long(count), "parameter byte") + ": it is cut to " + HexPairs(bytes, count) +
         ", which the printer reads as " + std::to_string(read) +
         (signedRead != read ? " or " + std::to_string(signedRead) : "") + "; a value from " +
         std::to_string(-range / 2) + " to " + std::to_string(range - 1) + " fits";
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
  const std::string cut = byValue ? CutValue(catalogue, *item, number, written) : std::string();
  if (!cut.empty()) Complain(err, command, "note: --value " + Utf8(parsed.options.Value("value")) + " " + cut);
  out << HexPairs(bytes.data(), count) << "\n";
  return kExitSuccess;
}

}  // namespace prnset
