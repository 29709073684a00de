// The test machine on Windows (under Wine): the real spooler and file system.
#include <windows.h>
#include <winspool.h>

#include <vector>

#include "tests/support/test_machine.h"

namespace {

WString ScratchFolder() {
  WCHAR temp[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, temp);
  WString folder = WString(temp, n) + L"prnset-tests-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void MakeParents(const WString &path) {
  for (size_t i = 3; i < path.size(); ++i)
    if (path[i] == L'\\' || path[i] == L'/') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
}

bool DriverInstalled(const WString &driver) {
  DWORD needed = 0, count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), needed, &needed, &count)) return false;
  auto *info = reinterpret_cast<DRIVER_INFO_1W *>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (driver == info[i].pName) return true;
  return false;
}

bool InstallDriver(const WString &driver) {
  if (DriverInstalled(driver)) return true;
  WString directory = testing_machine::DriverDirectory();
  const wchar_t *files[] = {L"prnsetdrv.dll", L"prnsetdrv.gpd", L"prnsetui0.dll"};
  for (const wchar_t *file : files) testing_machine::WriteFileBytes(directory + L"\\" + file, "");
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<LPWSTR>(driver.c_str());
  info.pDriverPath = const_cast<LPWSTR>(files[0]);
  info.pDataFile = const_cast<LPWSTR>(files[1]);
  info.pConfigFile = const_cast<LPWSTR>(files[2]);
  return AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) || DriverInstalled(driver);
}

}  // namespace

WString Wide(const std::string &utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
  WString out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), out.data(), n);
  return out;
}

std::string Utf8(const WString &text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Utf8(LPCWSTR text) { return Utf8(text ? WString(text) : WString()); }

namespace testing_machine {

void Reset() {}

WString DriverDirectory() {
  WCHAR directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory), sizeof(directory), &needed);
  return directory;
}

bool AddTestPrinter(const WString &printer, const WString &driver) {
  HANDLE handle = nullptr;
  if (OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr)) {
    ClosePrinter(handle);
    return true;
  }
  if (!InstallDriver(driver)) return false;
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<LPWSTR>(printer.c_str());
  info.pPortName = const_cast<LPWSTR>(L"LPT1:");
  info.pDriverName = const_cast<LPWSTR>(driver.c_str());
  info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  handle = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (handle) ClosePrinter(handle);
  if (OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr)) {
    ClosePrinter(handle);
    return true;
  }
  return false;
}

bool WriteFileBytes(const WString &path, const std::string &bytes) {
  MakeParents(path);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

WString WriteSettingsFile(const WString &driver, const std::string &bytes) {
  size_t blank = driver.find(L' ');
  WString stem = blank == WString::npos ? driver : driver.substr(blank + 1);
  WString path = DriverDirectory() + L"\\3\\" + stem + L"_Settings.Dat";
  WriteFileBytes(path, bytes);
  return path;
}

WString WriteTempFile(const std::string &name, const std::string &bytes) {
  WString path = ScratchFolder() + L"\\" + Wide(name);
  WriteFileBytes(path, bytes);
  return path;
}

bool UseSystemLanguage(LANGID language) { return GetSystemDefaultLangID() == language; }

}  // namespace testing_machine
