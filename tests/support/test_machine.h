// A printer machine for the tests: drivers, printers and settings files, set up through the emulation on Linux and
// through the real spooler under Wine, so that one test source checks both.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

using WString = std::basic_string<WCHAR>;

// UTF-8 to the platform's wide text and back.
WString Wide(const std::string &utf8);
std::string Utf8(const WString &text);
std::string Utf8(LPCWSTR text);

namespace testing_machine {

// Starts every test from a known machine: on Linux an empty spooler with a fresh driver directory and English as
// the system language; on Windows the real spooler as it is.
void Reset();

// The printer driver directory, as GetPrinterDriverDirectoryW reports it.
WString DriverDirectory();

// Adds a printer that uses the given driver (the driver is added first when needed). True when the printer exists.
bool AddTestPrinter(const WString &printer, const WString &driver);

// Writes a file of raw bytes at a Windows-style path; missing folders are made.
bool WriteFileBytes(const WString &path, const std::string &bytes);

// Bytes as the tests write them: "1B 45 ...", uppercase pairs split by one blank.
std::string Hex(const std::vector<BYTE> &bytes);

// The whole content of a file; false when it cannot be read (or is larger than any file a test writes).
bool ReadFileBytes(const WString &path, std::string &bytes);

// Writes the settings file of a driver: <driver directory>\3\<stem>_Settings.Dat. Returns its path.
WString WriteSettingsFile(const WString &driver, const std::string &bytes);

// A fresh file with the given bytes in a scratch folder. Returns its path.
WString WriteTempFile(const std::string &name, const std::string &bytes);

// Makes the system default language `language` when the platform allows it (Linux); on Windows it is the
// process's, so this reports whether the process runs in that language. Tests skip when it returns false.
bool UseSystemLanguage(LANGID language);

// Printer names about the 260-character path buffer: the longest it holds (259 characters of `fill`), and two
// longer ones that begin with it, which must be refused and never cut down to the first.
struct LongName {
  WString name;
  bool fits;
};
std::vector<LongName> NamesAroundThePathBuffer(WCHAR fill);

}  // namespace testing_machine
