// The in-memory spooler of the Linux emulation: drivers, printers with their data, and raw jobs.
#include <algorithm>
#include <cstring>
#include <functional>
#include <mutex>
#include <set>

#include "platform/host/control.h"
#include "platform/host/handles.h"
#include "platform/host/win_spool.h"

namespace {

struct Printer {
  host::WString name;
  host::WString driver;
  std::map<host::WString, host::PrinterValue> data;
};

struct PrinterHandle : host::KernelObject {
  host::WString printer;
  long job = -1;  // index into the job list while a document is open
  std::vector<long> jobs;  // every job started through this handle, marked closed when the handle goes
  bool inPage = false;
  PrinterHandle() : KernelObject(Kind::Printer) {}
};

struct Spooler {
  std::mutex lock;
  std::string driverDirectory = "/tmp";
  std::set<host::WString> drivers;
  std::vector<Printer> printers;
  std::vector<host::Job> jobs;
  std::set<std::string> failing;
  long openHandles = 0;
};

Spooler &TheSpooler() {
  static Spooler spooler;
  return spooler;
}

Printer *FindPrinter(Spooler &s, const host::WString &name) {
  for (Printer &p : s.printers)
    if (p.name == name) return &p;
  return nullptr;
}

// Looks the handle up under the spooler lock; also applies a failure set by the tests.
PrinterHandle *Handle(Spooler &s, HANDLE h, const char *function) {
  PrinterHandle *handle = host::ObjectOf<PrinterHandle>(h, host::KernelObject::Kind::Printer);
  if (!handle || !FindPrinter(s, handle->printer)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (s.failing.count(function)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return handle;
}

host::WString Text(LPCWSTR s) { return s ? host::WString(s) : host::WString(); }

std::mutex hookLock;
std::function<void(const host::WString &)> openPrinterHook;

void RunOpenPrinterHook(LPCWSTR name) {
  std::function<void(const host::WString &)> hook;
  {
    std::lock_guard<std::mutex> guard(hookLock);
    hook = openPrinterHook;
  }
  if (hook) hook(Text(name));
}

}  // namespace

BOOL WINAPI OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW) {
  RunOpenPrinterHook(name);
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  if (!printer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!name || !FindPrinter(s, name)) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return FALSE;
  }
  if (s.failing.count("OpenPrinterW")) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  auto *handle = new PrinterHandle;
  handle->printer = name;
  s.openHandles++;
  *printer = static_cast<host::KernelObject *>(handle);
  return TRUE;
}

BOOL WINAPI ClosePrinter(HANDLE h) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = host::ObjectOf<PrinterHandle>(h, host::KernelObject::Kind::Printer);
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  s.openHandles--;
  for (long job : handle->jobs)
    if (job < long(s.jobs.size())) s.jobs[job].closed = true;
  delete handle;
  return TRUE;
}

BOOL WINAPI GetPrinterDriverW(HANDLE h, LPWSTR, DWORD level, LPBYTE buffer, DWORD bytes, LPDWORD needed) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "GetPrinterDriverW");
  if (!handle) return FALSE;
  if (level != 1 || !needed) {
    SetLastError(level != 1 ? 124 /* ERROR_INVALID_LEVEL */ : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const host::WString &driver = FindPrinter(s, handle->printer)->driver;
  DWORD size = DWORD(sizeof(DRIVER_INFO_1W) + (driver.size() + 1) * sizeof(WCHAR));
  *needed = size;
  if (!buffer || bytes < size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto *info = reinterpret_cast<DRIVER_INFO_1W *>(buffer);
  info->pName = reinterpret_cast<LPWSTR>(buffer + sizeof(DRIVER_INFO_1W));
  std::memcpy(info->pName, driver.c_str(), (driver.size() + 1) * sizeof(WCHAR));
  return TRUE;
}

BOOL WINAPI GetPrinterDriverDirectoryW(LPWSTR, LPWSTR, DWORD level, LPBYTE buffer, DWORD bytes, LPDWORD needed) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  if (s.failing.count("GetPrinterDriverDirectoryW")) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (level != 1 || !needed) {
    SetLastError(level != 1 ? 124 /* ERROR_INVALID_LEVEL */ : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  host::WString directory = host::Widen(s.driverDirectory);
  DWORD size = DWORD((directory.size() + 1) * sizeof(WCHAR));
  *needed = size;
  if (!buffer || bytes < size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, directory.c_str(), size);
  return TRUE;
}

DWORD WINAPI GetPrinterDataW(HANDLE h, LPWSTR name, LPDWORD type, LPBYTE data, DWORD bytes, LPDWORD needed) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "GetPrinterDataW");
  if (!handle) return GetLastError();
  if (!needed) return ERROR_INVALID_PARAMETER;
  Printer *printer = FindPrinter(s, handle->printer);
  auto it = printer->data.find(Text(name));
  if (it == printer->data.end()) return ERROR_FILE_NOT_FOUND;
  if (type) *type = it->second.type;
  *needed = DWORD(it->second.data.size());
  if (!data || bytes < it->second.data.size()) return ERROR_MORE_DATA;
  if (!it->second.data.empty()) std::memcpy(data, it->second.data.data(), it->second.data.size());
  return ERROR_SUCCESS;
}

DWORD WINAPI SetPrinterDataW(HANDLE h, LPWSTR name, DWORD type, LPBYTE data, DWORD bytes) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "SetPrinterDataW");
  if (!handle) return GetLastError();
  if (!name || (!data && bytes)) return ERROR_INVALID_PARAMETER;
  host::PrinterValue value;
  value.type = type;
  if (bytes) value.data.assign(data, data + bytes);
  FindPrinter(s, handle->printer)->data[name] = value;
  return ERROR_SUCCESS;
}

DWORD WINAPI StartDocPrinterW(HANDLE h, DWORD level, LPBYTE docInfo) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "StartDocPrinterW");
  if (!handle) return 0;
  auto *info = reinterpret_cast<DOC_INFO_1W *>(docInfo);
  if (level != 1 || !info || handle->job >= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  host::WString datatype = info->pDatatype ? host::WString(info->pDatatype) : host::WString(u"RAW");
  if (lstrcmpiW(datatype.c_str(), u"RAW") != 0) {
    SetLastError(ERROR_INVALID_DATATYPE);
    return 0;
  }
  host::Job job;
  job.printer = handle->printer;
  job.document = Text(info->pDocName);
  job.datatype = datatype;
  s.jobs.push_back(job);
  handle->job = long(s.jobs.size() - 1);
  handle->jobs.push_back(handle->job);
  return DWORD(s.jobs.size());
}

BOOL WINAPI StartPagePrinter(HANDLE h) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "StartPagePrinter");
  if (!handle) return FALSE;
  if (handle->job < 0 || handle->inPage) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  handle->inPage = true;
  s.jobs[handle->job].pages++;
  return TRUE;
}

BOOL WINAPI WritePrinter(HANDLE h, LPVOID data, DWORD bytes, LPDWORD written) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  if (written) *written = 0;
  PrinterHandle *handle = Handle(s, h, "WritePrinter");
  if (!handle) return FALSE;
  if (handle->job < 0 || !written || (!data && bytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto *p = static_cast<const BYTE *>(data);
  s.jobs[handle->job].bytes.insert(s.jobs[handle->job].bytes.end(), p, p + bytes);
  *written = bytes;
  return TRUE;
}

BOOL WINAPI EndPagePrinter(HANDLE h) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "EndPagePrinter");
  if (!handle) return FALSE;
  if (!handle->inPage) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  handle->inPage = false;
  return TRUE;
}

BOOL WINAPI EndDocPrinter(HANDLE h) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  PrinterHandle *handle = Handle(s, h, "EndDocPrinter");
  if (!handle) return FALSE;
  if (handle->job < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  s.jobs[handle->job].ended = true;
  handle->job = -1;
  handle->inPage = false;
  return TRUE;
}

namespace host {

void ResetSpooler() {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  s.drivers.clear();
  s.printers.clear();
  s.jobs.clear();
  s.failing.clear();
  s.driverDirectory = "/tmp";
  std::lock_guard<std::mutex> hookGuard(hookLock);
  openPrinterHook = nullptr;
}

void SetDriverDirectory(const std::string &directory) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  s.driverDirectory = directory;
}

void AddDriver(const WString &driverName) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  s.drivers.insert(driverName);
}

bool AddPrinter(const WString &printerName, const WString &driverName) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  if (!s.drivers.count(driverName) || FindPrinter(s, printerName)) return false;
  s.printers.push_back(Printer{printerName, driverName, {}});
  return true;
}

void RemovePrinter(const WString &printerName) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  s.printers.erase(std::remove_if(s.printers.begin(), s.printers.end(),
                                  [&](const Printer &p) { return p.name == printerName; }),
                   s.printers.end());
}

void FailSpoolerCall(const std::string &function) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  if (function.empty()) s.failing.clear();
  else s.failing.insert(function);
}

void SetOpenPrinterHook(std::function<void(const WString &printerName)> hook) {
  std::lock_guard<std::mutex> guard(hookLock);
  openPrinterHook = std::move(hook);
}

long OpenPrinterHandles() {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.openHandles;
}

std::map<WString, PrinterValue> PrinterData(const WString &printerName) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  Printer *p = FindPrinter(s, printerName);
  return p ? p->data : std::map<WString, PrinterValue>();
}

void SetPrinterValue(const WString &printerName, const WString &valueName, DWORD type, const std::vector<BYTE> &data) {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  if (Printer *p = FindPrinter(s, printerName)) p->data[valueName] = PrinterValue{type, data};
}

void ClearJobs() {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  // Open handles still point into the job list; it is cleared only when none is left.
  if (s.openHandles == 0) s.jobs.clear();
}

std::vector<Job> Jobs() {
  Spooler &s = TheSpooler();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.jobs;
}

}  // namespace host
