// Control API of the Linux emulation: tests and the tool set up the emulated machine through it. Domain code never
// includes this header.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host/win_base.h"

namespace host {

using WString = std::u16string;

WString Widen(const std::string &utf8);
std::string Narrow(const WString &text);

// A Windows path as the Linux file system names it: UTF-8 with '\' turned into '/'. A lone U+DC80 to U+DCFF stands
// for the byte of a name that is no UTF-8 (a Latin-1 or code-page-936 name), as the tool reads such a name.
std::string LinuxPath(LPCWSTR windowsPath);

// Locale: the system's default language (1033 unless set) also picks the ANSI code page (936 for 2052, else 1252).
void SetSystemLanguage(LANGID language);
// The UI language of the calling thread (what the resource loader picks); follows the system language unless set.
void SetThreadUILanguage(LANGID language);

// Resources: the process image is a .res file, by default the one the build compiles from the module's scripts.
// Loading another (or an empty path, which leaves the process without resources) replaces it; pointers into an
// earlier image stay valid.
bool LoadResourceFile(const std::string &path);
std::string DefaultResourceFile();

// Heaps: live blocks and bytes of one heap, for leak checks.
struct HeapStats {
  long blocks = 0;
  long long bytes = 0;
};
HeapStats GetHeapStats(HANDLE heap);
// Makes the n-th following allocation on any heap fail (1 = the next one); 0 turns it off.
void FailAllocationAfter(long n);

// Files: makes the next close of a file opened for writing fail, as a full disk's close does when the system wrote
// the last of the bytes only then.
void FailNextWrittenFileClose();

// Spooler.
void ResetSpooler();
void SetDriverDirectory(const std::string &directory);  // a Linux directory; reported with Windows separators kept
void AddDriver(const WString &driverName);
bool AddPrinter(const WString &printerName, const WString &driverName);
void RemovePrinter(const WString &printerName);
// Makes the given spooler operation fail from now on ("OpenPrinterW", "GetPrinterDriverDirectoryW",
// "GetPrinterDriverW", "StartDocPrinterW", "StartPagePrinter", "WritePrinter", "EndPagePrinter", "EndDocPrinter",
// "SetPrinterDataW"); an empty name clears all failures.
void FailSpoolerCall(const std::string &function);
// Calls `hook` with the printer's name as OpenPrinterW starts, outside the spooler's lock, so that a test can make
// the spooler slow for one printer (a network printer) while others go on; an empty hook removes it.
void SetOpenPrinterHook(std::function<void(const WString &printerName)> hook);
long OpenPrinterHandles();

struct PrinterValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};
std::map<WString, PrinterValue> PrinterData(const WString &printerName);
void SetPrinterValue(const WString &printerName, const WString &valueName, DWORD type, const std::vector<BYTE> &data);

struct Job {
  WString printer;
  WString document;
  WString datatype;
  std::vector<BYTE> bytes;
  int pages = 0;
  bool ended = false;   // EndDocPrinter was called
  bool closed = false;  // the printer handle it was started on has been closed
};
std::vector<Job> Jobs();
// Forgets the recorded jobs (printers, drivers and their data stay).
void ClearJobs();

}  // namespace host
