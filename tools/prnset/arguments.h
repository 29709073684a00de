// Arguments of one command of the settings-file tool, and the numbers its options take.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/prnset/text.h"

namespace prnset {

// A command's arguments once the command line has been parsed: its files and the options given, with their values.
class Arguments {
 public:
  void AddPositional(const WString &value) { positional_.push_back(value); }
  void Set(const std::string &name, const WString &value) { options_.emplace_back(name, value); }

  const std::vector<WString> &positional() const { return positional_; }
  bool Has(const std::string &name) const;
  // The option's value; empty when it was not given.
  WString Value(const std::string &name) const;

 private:
  std::vector<WString> positional_;
  std::vector<std::pair<std::string, WString>> options_;
};

// A whole 32-bit number as an option value: decimal with an optional sign, or hexadecimal after 0x (up to
// 0xFFFFFFFF, taken as the 32-bit pattern, for bit masks). False for anything else.
bool ParseNumber(const WString &text, LONG &value);

// The number of option --name: false with `error` when the option is missing or is not a whole number.
bool NumberOption(const Arguments &arguments, const std::string &name, LONG &value, std::string &error);

// The item a command works on, as the command line names it: by its page position (--section S --item I) or, with
// --item alone, by its keys ("Paper/TopOffset", class key and item key, as check names items).
struct ItemName {
  bool byKeys = false;
  LONG section = 0, item = 0;  // the position; with byKeys, where the keys were found
  WString keys;
};

// Reads --section and --item. False with `error` when --item is missing, --section is not a whole number, or
// --item is neither a position that goes with --section nor two keys joined by '/'.
bool ItemOption(const Arguments &arguments, ItemName &name, std::string &error);

}  // namespace prnset
