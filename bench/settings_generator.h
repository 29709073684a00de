// Settings files for the benchmarks, written the way a driver's settings file is written: [SectionNames], the
// item lists [Section01]..., then the filter, language, rule and default sections of every class, English and
// Chinese, the Chinese texts in code page 936 as the example files have them.
#pragma once

#include <string>

namespace bench {

struct FileShape {
  int shownSections;    // classes the page shows (the record holds 10)
  int hiddenSections;   // classes switched off with SectionEnable=0 (with an eighth as many items), declared
                        // between shown ones
  int itemsPerSection;  // shown items of every shown class (the record holds 32)
  int hiddenItems;      // items switched off in their class's filter, one in each of the first shown classes
  int optionsPerItem;   // pairs of each item's "Enum" rule
  // Pairs of one-digit values and one-character texts ("0=A 1=B ... 9=J 0=K ..."): four characters a pair, so 256
  // pairs take exactly the 1023 characters the loader reads of a rule. Values 0..255 with one-letter texts would
  // take 1425 characters and be cut to 189 pairs; "Enum" values need not be unique. Otherwise the pairs are
  // words with values 0, 1, 2, ...
  bool compactRules;
  int compressChoices;  // "Count" of the [Settings] section; 0 writes no [Settings] section
};

// The largest catalogue the record holds: 10 shown classes of 32 items, each an "Enum" of 256 options, with 3
// hidden classes and 4 hidden items among them (a load makes 2,960 reads of it).
FileShape LargestCatalogue();
// A printer's usual file of about 30 KB: 5 classes of 12 items with short rules, and the printer settings'
// compression list with 49 choices.
FileShape UsualPrinterFile();

// The bytes of a settings file of that shape.
std::string SettingsFileBytes(const FileShape &shape);

// The INI reads the catalogue loader makes on such a file: 5 in [SectionNames], 3 for every declared class and 2
// more for a shown one, 4 for every item of a shown class and 5 more for a shown item.
int LoaderReads(const FileShape &shape);

// The value "COMPRESS_VALUE" of the [Settings] section, one of the choices, so that the build selects one.
constexpr int kCurrentCompressValue = 80;

}  // namespace bench
