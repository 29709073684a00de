#include "tools/prnset/arguments.h"

namespace prnset {

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

bool NumberOption(const Arguments &arguments, const std::string &name, LONG &value, std::string &error) {
  if (!arguments.Has(name)) {
    error = "--" + name + " is missing";
    return false;
  }
  const WString text = arguments.Value(name);
  if (!ParseNumber(text, value)) {
    // Digits alone, too many of them: a number past what the page holds, not a word.
    const size_t digits = text.find_first_not_of(Ascii("+-"));
    const bool number =
        digits != WString::npos && digits <= 1 && text.find_first_not_of(Ascii("0123456789"), digits) == WString::npos;
    error = number ? "--" + name + " " + Utf8(text) +
                         " is out of range: a number is from -2147483648 to 2147483647 (or 0x0 to 0xFFFFFFFF)"
                   : "--" + name + " takes a whole number, not " + Utf8(text);
    return false;
  }
  return true;
}

bool ItemOption(const Arguments &arguments, ItemName &name, std::string &error) {
  if (arguments.Has("section")) {
    name.byKeys = false;
    return NumberOption(arguments, "section", name.section, error) && NumberOption(arguments, "item", name.item, error);
  }
  if (!arguments.Has("item")) {
    error = "--item is missing";
    return false;
  }
  const WString keys = arguments.Value("item");
  LONG position = 0;
  const size_t slash = keys.find(WCHAR('/'));
  if (ParseNumber(keys, position)) {
    error = "--section is missing: give it with --item I, or name the item by its keys as --item CLASS/ITEM";
    return false;
  }
  if (slash == 0 || slash == WString::npos || slash + 1 == keys.size()) {
    error = "--item takes the keys of an item as CLASS/ITEM (such as Paper/TopOffset), not " + Utf8(keys);
    return false;
  }
  name.byKeys = true;
  name.keys = keys;
  return true;
}

}  // namespace prnset
