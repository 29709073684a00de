// The "Settings" section: the switches and values of the driver's own landscape items, as the document options
// read them when the printer has no printer data of the same name.
#include "docoptions/compress_choices.h"
#include "docoptions/settings_lookup.h"
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

void CheckSettingsSection(const IniFile &ini, Findings &findings) {
  const WString settings = kSettingsSection;
  auto line = [&](LPCWSTR key) { return ini.LineOf(settings.c_str(), key); };
  INT compress = 0, move = 0;
  ReadSwitches(ini, &compress, &move);

  if (compress) {
    const CompressChoices choices =
        ReadCompressChoices([&](LPCWSTR name, LONG *value) { return LookupFileValue(ini, name, value); });
    const int countLine = line(kCompressCountKey);
    const std::string count = "[Settings] Count " + std::to_string(choices.declared);
    if (choices.declared < 0)
      findings.Add(countLine, "settings-count", count + " is negative: the compression list offers the single choice 100");
    else if (choices.declared > kMaxCompressChoices)
      findings.Add(countLine, "settings-count", count + ": the compression list holds only the first " +
                                                    std::to_string(kMaxCompressChoices) + " choices");
    WCHAR first[kPathChars];
    wsprintfW(first, kCompressChoiceForm, 1);
    if (choices.declared <= 0 && line(first))
      findings.Add(countLine, "settings-count",
                   "[Settings] has COMPRESS_VALUE1 but no Count above 0: the compression list offers the single "
                   "choice 100");
    if (choices.declared > 0)
      for (LONG n = 1; n <= choices.count; ++n) {
        WCHAR key[kPathChars];
        wsprintfW(key, kCompressChoiceForm, int(n));
        if (!line(key))
          findings.Add(countLine, "settings-choice-missing",
                       "[Settings] Count is " + std::to_string(choices.declared) + " but " + Utf8(key) +
                           " is missing: that choice reads 0");
        else if (!choices.answered[n - 1])
          findings.Add(line(key), "settings-choice-missing",
                       "[Settings] " + Utf8(key) + " is empty: that choice repeats the one before it (" +
                           std::to_string(choices.values[n - 1]) + ")");
      }
    if (choices.declared > 0 && !choices.matched)
      findings.Add(line(kCompressValueKey), "settings-current",
                   "[Settings] COMPRESS_VALUE " + std::to_string(choices.current) +
                       " is none of the compression choices: the list starts at its first choice");
  }
  if (move) {
    LONG value = 0;
    LookupFileValue(ini, kMoveKey, &value);
    if (StartingMove(value) != value)
      findings.Add(line(kMoveKey), "settings-xmove",
                   "[Settings] XMove " + std::to_string(value) + " is outside " + std::to_string(kMinMoveMillimetres) +
                       " to " + std::to_string(kMaxMoveMillimetres) + ": the move item starts at 0");
  }
}

}  // namespace prnset
