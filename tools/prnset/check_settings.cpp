// The "Settings" section: the switches and values of the driver's own landscape items, as the document options
// read them when the printer has no printer data of the same name.
#include "tools/prnset/check.h"
#include "tools/prnset/check_names.h"

namespace prnset {

namespace {

constexpr LONG kMaxCompressChoices = 49;  // the compression list holds this many choices
constexpr LONG kMinMove = -50, kMaxMove = 50;

// The lookup's reading of a value: blanks, a sign, decimal digits; anything else ends the number.
LONG LookupNumber(const WString &text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 2147483648LL) magnitude = 2147483648LL;
  }
  long long value = negative ? -magnitude : magnitude;
  return LONG(value > 2147483647LL ? 2147483647LL : value);
}

}  // namespace

void CheckSettingsSection(const IniFile &ini, Findings &findings) {
  const WString settings = Ascii("Settings");
  auto line = [&](const WString &key) { return ini.LineOf(settings.c_str(), key.c_str()); };
  auto number = [&](const WString &key) { return LookupNumber(ReadWhole(ini, settings, key)); };
  const WString compressKey = Ascii("Landscape_Compress"), moveKey = Ascii("XMoveEnable");
  const bool compress = LONG(ini.ReadInt(settings.c_str(), compressKey.c_str(), 0)) != 0;
  const bool move = LONG(ini.ReadInt(settings.c_str(), moveKey.c_str(), 0)) != 0;

  if (compress) {
    const WString countKey = Ascii("Count");
    LONG count = number(countKey);
    if (count < 0)
      findings.Warning(line(countKey), "settings-count", "[Settings] Count " + std::to_string(count) +
                                           " is negative: the compression list offers the single choice 100");
    else if (count > kMaxCompressChoices)
      findings.Warning(line(countKey), "settings-count", "[Settings] Count " + std::to_string(count) +
                                           ": the compression list holds only the first 49 choices");
    if (count <= 0 && line(Ascii("COMPRESS_VALUE1")))
      findings.Warning(line(countKey), "settings-count", "[Settings] has COMPRESS_VALUE1 but no Count above 0: the compression list "
                                       "offers the single choice 100");
    LONG shown = count < 0 ? 0 : count > kMaxCompressChoices ? kMaxCompressChoices : count;
    bool matched = shown == 0;
    LONG current = number(Ascii("COMPRESS_VALUE")), previous = 0;
    for (LONG n = 1; n <= shown; ++n) {
      WString key = Ascii(("COMPRESS_VALUE" + std::to_string(n)).c_str());
      if (!line(key))
        findings.Warning(line(countKey), "settings-choice-missing", "[Settings] Count is " + std::to_string(count) + " but " + Utf8(key) +
                                             " is missing: that choice repeats the one before it");
      else
        previous = number(key);
      matched = matched || previous == current;
    }
    if (!matched)
      findings.Warning(line(Ascii("COMPRESS_VALUE")), "settings-current",
                       "[Settings] COMPRESS_VALUE " + std::to_string(current) +
                           " is none of the compression choices: the list starts at its first choice");
  }
  if (move) {
    const WString key = Ascii("XMove");
    LONG value = number(key);
    if (value < kMinMove || value > kMaxMove)
      findings.Warning(line(key), "settings-xmove", "[Settings] XMove " + std::to_string(value) +
                                      " is outside -50 to 50: the move item starts at 0");
  }
}

}  // namespace prnset
