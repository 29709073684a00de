// What the tool does differently on Linux and on Windows.
#pragma once

#include <vector>

#include "tools/prnset/text.h"

namespace prnset {

// Makes the language a load previews the one the whole process sees. On Linux the emulated system language (and
// with it the ANSI code page) follows it; on Windows the system's language is the machine's and stays as it is.
void UseSystemLanguage(LANGID language);

// Added to the complaint when the spooler refuses a job: the Linux build's spooler holds no real printers.
const char *SpoolerNote();

// Writes bytes to a file, replacing it. False when the file cannot be written.
bool WriteBinaryFile(const WString &path, const std::vector<BYTE> &bytes);

}  // namespace prnset
