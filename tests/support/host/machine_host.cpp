// The test machine on Linux: the emulation's control API and the real disk.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/host/control.h"
#include "tests/support/test_machine.h"

namespace {

std::string scratch;  // this process's scratch folder, made on first use
int resets = 0;

const std::string &Scratch() {
  if (scratch.empty()) {
    char pattern[] = "/tmp/prnset-tests-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    scratch = pattern;
  }
  return scratch;
}

void MakeParents(const std::string &path) {
  for (size_t i = 1; i < path.size(); ++i)
    if (path[i] == '/') ::mkdir(path.substr(0, i).c_str(), 0755);
}

std::string LinuxPathOf(const WString &path) {
  std::string p = Utf8(path);
  for (char &c : p)
    if (c == '\\') c = '/';
  return p;
}

bool OpenPrinterHandleFor(const WString &printer) {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr)) return false;
  ClosePrinter(handle);
  return true;
}

}  // namespace

WString Wide(const std::string &utf8) { return host::Widen(utf8); }
std::string Utf8(const WString &text) { return host::Narrow(text); }
std::string Utf8(LPCWSTR text) { return host::Narrow(text ? WString(text) : WString()); }

namespace testing_machine {

void Reset() {
  host::ResetSpooler();
  host::SetSystemLanguage(1033);
  host::SetThreadUILanguage(0);
  host::FailAllocationAfter(0);
  std::string directory = Scratch() + "/drivers" + std::to_string(++resets);
  ::mkdir(directory.c_str(), 0755);
  host::SetDriverDirectory(directory);
}

WString DriverDirectory() {
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
  WString directory(needed / sizeof(WCHAR), u'\0');
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory.data()), needed, &needed);
  directory.resize(lstrlenW(directory.c_str()));
  return directory;
}

bool AddTestPrinter(const WString &printer, const WString &driver) {
  host::AddDriver(driver);
  // A printer that is there already counts, as on Windows.
  return host::AddPrinter(printer, driver) || OpenPrinterHandleFor(printer);
}

bool WriteFileBytes(const WString &path, const std::string &bytes) {
  std::string p = LinuxPathOf(path);
  MakeParents(p);
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
  return bool(out);
}

WString WriteSettingsFile(const WString &driver, const std::string &bytes) {
  size_t blank = driver.find(u' ');
  WString stem = blank == WString::npos ? driver : driver.substr(blank + 1);
  WString path = DriverDirectory() + u"\\3\\" + stem + u"_Settings.Dat";
  WriteFileBytes(path, bytes);
  return path;
}

WString WriteTempFile(const std::string &name, const std::string &bytes) {
  WString path = Wide(Scratch() + "/files/" + name);
  WriteFileBytes(path, bytes);
  return path;
}

bool UseSystemLanguage(LANGID language) {
  host::SetSystemLanguage(language);
  return true;
}

}  // namespace testing_machine
