#include "tests/page/job_capture.h"

#if defined(_WIN32)

#include <windows.h>

namespace {

// Wine's name of a Windows path on the Linux side; absent on Windows itself.
std::string UnixPath(const WString &path) {
  using Converter = char *(CDECL *)(LPCWSTR);
  auto convert = reinterpret_cast<Converter>(
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return std::string();
  char *unix = convert(path.c_str());
  if (!unix) return std::string();
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

}  // namespace

JobCapture::JobCapture() {
  WCHAR temp[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, temp);
  file_ = WString(temp, n) + L"prnset-job-" + std::to_wstring(GetCurrentProcessId()) + L".prn";
  DeleteFileW(file_.c_str());
  std::string unix = UnixPath(file_);
  if (unix.empty()) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  WString value = Wide(unix);
  ready_ = RegSetValueExW(key, L"LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
  RegCloseKey(key);
}

JobCapture::~JobCapture() { DeleteFileW(file_.c_str()); }

CapturedJob JobCapture::Take() {
  CapturedJob job;
  HANDLE file = CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return job;
  job.sent = true;
  BYTE buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read) job.bytes.insert(job.bytes.end(), buffer,
                                                                                         buffer + read);
  CloseHandle(file);
  DeleteFileW(file_.c_str());
  return job;
}

long OpenPrinterHandleCount() { return -1; }

bool FailSpooler(const char *) { return false; }

#else

#include "platform/host/control.h"

JobCapture::JobCapture() : ready_(true), seen_(host::Jobs().size()) {}

JobCapture::~JobCapture() = default;

CapturedJob JobCapture::Take() {
  CapturedJob job;
  std::vector<host::Job> jobs = host::Jobs();
  if (jobs.size() > seen_) {
    job.sent = true;
    job.bytes = jobs.back().bytes;
  }
  seen_ = jobs.size();
  return job;
}

long OpenPrinterHandleCount() { return host::OpenPrinterHandles(); }

bool FailSpooler(const char *function) {
  host::FailSpoolerCall(function);
  return true;
}

#endif
