// The tool on Windows.
#include "platform/owner.h"
#include "tools/prnset/system.h"

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <prsht.h>

#include <cstdio>
#include <iostream>

#include "catalogue/ini_file.h"
#include "page/settings_page.h"
#include "resources/module_instance.h"
#include "resources/resource.h"

namespace prnset {

namespace {

// The page's own procedure, except that the tool opens it: the sheet hands WM_INITDIALOG the page's
// PROPSHEETPAGEW, whose lParam is the tool's opener.
INT_PTR CALLBACK ToolPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG || !lParam) return PrinterSettingsPageProc(page, message, wParam, lParam);
  const auto *sheetPage = reinterpret_cast<const PROPSHEETPAGEW *>(lParam);
  const auto *open = reinterpret_cast<const std::function<void(HWND)> *>(sheetPage->lParam);
  if (!open) return PrinterSettingsPageProc(page, message, wParam, lParam);
  (*open)(page);
  return FALSE;
}

}  // namespace

const char *SpoolerNote() { return ""; }

bool ShowPageSheet(const WString &caption, LANGID language, const std::function<void(HWND page)> &open,
                   const std::function<void()> &opening, std::string &error) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // Windows picks the template and the strings of the thread's UI language, as the plug-in's page gets them in a
  // driver's property dialog shown in that language.
  SetThreadUILanguage(language);
  HINSTANCE self = GetModuleHandleW(nullptr);
  SetModuleInstance(self);

  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof(page);
  page.hInstance = self;
  page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS);
  page.pfnDlgProc = ToolPageProc;
  page.lParam = reinterpret_cast<LPARAM>(&open);
  PROPSHEETHEADERW sheet = {};
  sheet.dwSize = sizeof(sheet);
  sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  sheet.hInstance = self;
  sheet.pszCaption = caption.c_str();
  sheet.nPages = 1;
  sheet.ppsp = &page;
  opening();
  if (PropertySheetW(&sheet) < 0) {
    error = "the property sheet cannot be shown (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return true;
}

WString FullPathOf(const WString &path) {
  WCHAR full[MAX_PATH];
  DWORD length = GetFullPathNameW(path.c_str(), ARRAYSIZE(full), full, nullptr);
  return length == 0 || length >= ARRAYSIZE(full) ? path : WString(full, length);
}

bool SameFile(const WString &a, const WString &b) {
  return GetFileAttributesW(a.c_str()) != INVALID_FILE_ATTRIBUTES &&
         lstrcmpiW(FullPathOf(a).c_str(), FullPathOf(b).c_str()) == 0;
}

WString LoggedPathOf(const WString &path) {
  auto slash = [](WCHAR c) { return c == '\\' || c == '/'; };
  if (path.size() >= 4 && slash(path[0]) && slash(path[1]) && path[2] == '?' && slash(path[3])) {
    const WString rest = path.substr(4);
    return rest.size() >= 4 && lstrcmpiW(rest.substr(0, 4).c_str(), L"UNC\\") == 0 ? L"\\\\" + rest.substr(4) : rest;
  }
  const bool driveRelative = path.size() >= 2 && path[1] == ':' && (path.size() == 2 || !slash(path[2]));
  const bool rootRelative = !path.empty() && slash(path[0]) && !(path.size() > 1 && slash(path[1]));
  return driveRelative || rootRelative ? FullPathOf(path) : path;
}

bool WriteBinaryFile(const WString &path, const std::vector<BYTE> &bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                              written == bytes.size());
  return CloseHandle(file) && ok;
}

bool KeepBytesAsTheyAre(std::ostream &out) {
  if (&out != &std::cout) return true;
  // What is already written keeps the mode it was written in.
  out.flush();
  std::fflush(stdout);
  return _setmode(_fileno(stdout), _O_BINARY) != -1;
}

std::string UnwritableReason(const WString &path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "it is a folder";
  const size_t slash = path.find_last_of(WTEXT("\\/"));
  if (slash != WString::npos) {
    WString folder = path.substr(0, slash);
    if (folder.empty() || folder.back() == WCHAR(':')) folder += WCHAR('\\');
    const DWORD held = GetFileAttributesW(folder.c_str());
    if (held == INVALID_FILE_ATTRIBUTES || !(held & FILE_ATTRIBUTE_DIRECTORY))
      return "its folder " + Utf8(folder) + " does not exist";
  }
  // Characters no file name on Windows may hold, in the name itself (a drive's ':' and the separators aside).
  const WString name = slash == WString::npos ? path : path.substr(slash + 1);
  const size_t reserved = name.find_first_of(L"<>:\"|?*");
  if (reserved != WString::npos && !(reserved == 1 && slash == WString::npos))
    return "its name holds '" + Utf8(name.substr(reserved, 1)) + "', which no file name on Windows may hold";
  return "permission denied, the disk is full or the file is locked";
}

bool ReadStream(const WString &path, std::vector<BYTE> &bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || GetFileType(file.get()) != FILE_TYPE_PIPE) return false;
  bytes.clear();
  BYTE block[1 << 16];
  DWORD read = 0;
  while (bytes.size() <= IniFile::kMaxFileBytes && ReadFile(file.get(), block, DWORD(sizeof block), &read, nullptr) &&
         read > 0)
    bytes.insert(bytes.end(), block, block + read);
  return true;
}

std::string UnreadableReason(const WString &path) {
  if (path.empty()) return "the name is empty";
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
               ? "it does not exist"
           : error == ERROR_ACCESS_DENIED ? "permission denied"
                                          : "it cannot be opened (error " + std::to_string(error) + ")";
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "it is a folder";
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED        ? "permission denied"
           : error == ERROR_SHARING_VIOLATION ? "another program holds it open"
                                              : "it cannot be opened (error " + std::to_string(error) + ")";
  }
  return std::string();
}

TemporaryFiles::~TemporaryFiles() {
  for (const WString &path : paths_) DeleteFileW(path.c_str());
}

WString TemporaryFiles::Add(const std::vector<BYTE> &bytes) {
  WCHAR folder[MAX_PATH + 1], name[MAX_PATH + 1];
  DWORD length = GetTempPathW(ARRAYSIZE(folder), folder);
  if (length == 0 || length > MAX_PATH || !GetTempFileNameW(folder, L"pst", 0, name)) return WString();
  WString path = name;
  paths_.push_back(path);
  return WriteBinaryFile(path, bytes) ? path : WString();
}

bool StandardOutputIsTerminal() {
  DWORD mode = 0;
  // A console has a mode; a file or a pipe has none. Colour needs the console to read escape sequences.
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  return GetConsoleMode(out, &mode) && SetConsoleMode(out, mode | 0x0004 /* ENABLE_VIRTUAL_TERMINAL_PROCESSING */);
}

}  // namespace prnset
