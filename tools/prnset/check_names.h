// Shared pieces of the settings-file check: reading whole values, naming places in the file.
#pragma once

#include <string>

#include "catalogue/ini_file.h"
#include "tools/prnset/text.h"

namespace prnset {

// Case-blind comparison of ASCII letters, as the reader matches names.
bool SameName(const WString &a, const WString &b);

// "Section%.2d" and its kin: the number with at least two digits.
WString Numbered(const char *prefix, long number, const char *suffix = "");

// A value whole, however long, as the reader gives it (trimmed, one pair of quotes dropped).
WString ReadWhole(const IniFile &ini, const WString &section, const WString &key);

// The first header line of an INI section, or -1 when the file has none of that name.
int SectionLine(const IniFile &ini, const WString &section);

// "[Section] Key" for messages.
std::string Place(const WString &section, const WString &key);

// A text quoted for a message, shortened when long.
std::string Quoted(const WString &text);

}  // namespace prnset
