#include "tools/prnset/arguments.h"

#include <algorithm>

namespace prnset {

namespace {

bool Contains(const std::vector<std::string> &names, const std::string &name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Option names are ASCII; anything else cannot name an option.
bool AsciiName(const WString &text, std::string &name) {
  name.clear();
  for (WCHAR c : text) {
    if (c < 0x20 || c > 0x7E) return false;
    name += char(c);
  }
  return true;
}

}  // namespace

bool Arguments::Parse(const std::vector<WString> &args, const AcceptedOptions &accepted, std::string &error) {
  positional_.clear();
  options_.clear();
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const WString &arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != WCHAR('-') || arg[1] != WCHAR('-')) {
      positional_.push_back(arg);
      continue;
    }
    if (arg.size() == 2) {  // "--": everything after it is positional, even a file named --x
      optionsEnded = true;
      continue;
    }
    WString body = arg.substr(2), value;
    bool inlineValue = false;
    size_t equals = body.find(WCHAR('='));
    if (equals != WString::npos) {
      value = body.substr(equals + 1);
      body.resize(equals);
      inlineValue = true;
    }
    std::string name;
    if (!AsciiName(body, name) || (!Contains(accepted.valued, name) && !Contains(accepted.flags, name))) {
      error = "unknown option " + Utf8(arg);
      return false;
    }
    if (Has(name)) {
      error = "option --" + name + " given twice";
      return false;
    }
    if (Contains(accepted.flags, name)) {
      if (inlineValue) {
        error = "option --" + name + " takes no value";
        return false;
      }
    } else if (!inlineValue) {
      if (i + 1 >= args.size()) {
        error = "option --" + name + " needs a value";
        return false;
      }
      value = args[++i];
    }
    options_.emplace_back(name, value);
  }
  return true;
}

bool Arguments::Has(const std::string &name) const {
  for (const auto &option : options_)
    if (option.first == name) return true;
  return false;
}

WString Arguments::Value(const std::string &name) const {
  for (const auto &option : options_)
    if (option.first == name) return option.second;
  return WString();
}

bool ParseNumber(const WString &text, LONG &value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == WCHAR('-') || text[i] == WCHAR('+'))) negative = text[i++] == WCHAR('-');
  bool hex = i + 1 < text.size() && text[i] == WCHAR('0') && (text[i + 1] == WCHAR('x') || text[i + 1] == WCHAR('X'));
  if (hex) {
    if (negative) return false;
    i += 2;
  }
  if (i >= text.size()) return false;
  unsigned long long magnitude = 0;
  for (; i < text.size(); ++i) {
    WCHAR c = text[i];
    int digit = c >= WCHAR('0') && c <= WCHAR('9')          ? c - WCHAR('0')
                : hex && c >= WCHAR('a') && c <= WCHAR('f') ? c - WCHAR('a') + 10
                : hex && c >= WCHAR('A') && c <= WCHAR('F') ? c - WCHAR('A') + 10
                                                            : -1;
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + unsigned(digit);
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  if (hex) {
    value = LONG(DWORD(magnitude));
    return true;
  }
  if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull) return false;
  value = negative ? LONG(-(long long)magnitude) : LONG(magnitude);
  return true;
}

}  // namespace prnset
