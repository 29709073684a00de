// What the printer settings' compression list and move item start with, from a lookup of the named values: the
// one reading of "Count", "COMPRESS_VALUEn", "COMPRESS_VALUE" and "XMove" that the builder shows and the
// settings-file tool tells authors about.
#pragma once

#include "catalogue/vocabulary.h"

struct CompressChoices {
  LONG declared = 0;  // "Count" as read
  LONG count = 1;     // choices listed: "Count" held to 1 to kMaxCompressChoices; one choice "100" for none
  LONG values[kMaxCompressChoices] = {100};
  // Whether the lookup answered for choice n. A choice it does not answer for (the key is there with an empty
  // value) repeats the one before it; a missing key reads 0.
  bool answered[kMaxCompressChoices] = {};
  LONG current = 0;   // "COMPRESS_VALUE"
  LONG selected = 0;  // the last choice equal to the current value, else 0
  bool matched = false;
};

// `lookup(name, &value)` answers as LookupSettingValue: 1 with *value set, or 0 with *value as it was.
template <typename Lookup>
CompressChoices ReadCompressChoices(Lookup lookup) {
  CompressChoices choices;
  lookup(kCompressValueKey, &choices.current);
  lookup(kCompressCountKey, &choices.declared);
  LONG count = choices.declared < 0 ? 0 : choices.declared;
  if (count > kMaxCompressChoices) count = kMaxCompressChoices;
  if (count == 0) return choices;
  choices.count = count;
  LONG value = 0;
  for (LONG n = 1; n <= count; ++n) {
    WCHAR name[kPathChars];
    wsprintfW(name, kCompressChoiceForm, int(n));
    choices.answered[n - 1] = lookup(name, &value) != 0;
    choices.values[n - 1] = value;
    // Both sides are parsed numbers, so "080" in the file matches 80; the last equal choice wins.
    if (value == choices.current) {
      choices.selected = n - 1;
      choices.matched = true;
    }
  }
  return choices;
}

// The move item's starting value: "XMove" when it lies in the item's range, else 0.
inline LONG StartingMove(LONG move) {
  return move < kMinMoveMillimetres || move > kMaxMoveMillimetres ? 0 : move;
}
