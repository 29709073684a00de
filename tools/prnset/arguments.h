// Command-line arguments of the settings-file tool: one command, positional arguments and --options.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/prnset/text.h"

namespace prnset {

// What a command accepts: options that take a value (--lang cn or --lang=cn) and options that stand alone.
struct AcceptedOptions {
  std::vector<std::string> valued;
  std::vector<std::string> flags;
};

class Arguments {
 public:
  // Parses everything after the command name. Returns false with a one-line `error` for an unknown option, a
  // missing value, an option given twice, or a flag given a value.
  bool Parse(const std::vector<WString> &args, const AcceptedOptions &accepted, std::string &error);

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

}  // namespace prnset
