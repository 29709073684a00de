#include "page/command_job.h"

#include "catalogue/registry.h"
#include "resources/module_instance.h"
#include "resources/resource.h"

namespace {

constexpr int kDocumentNameChars = 100;

// Whether a text fits a path buffer whole: a cut name would name another printer.
bool FitsPath(LPCWSTR text) { return text && lstrlenW(text) < kPathChars; }

}  // namespace

BOOL SendRawJob(const BYTE *bytes, DWORD count, LPCWSTR printerName) {
  if (!printerName || (!bytes && count)) return FALSE;
  // A name the buffer cannot hold whole would open a different printer, if any.
  if (!FitsPath(printerName)) return FALSE;
  UniquePrinter printer = OpenPrinterByName(printerName);
  if (!printer) return FALSE;

  WCHAR document[kDocumentNameChars] = {};
  LoadStringW(ModuleInstance(), IDS_JOB_NAME, document, ARRAYSIZE(document));
  WCHAR datatype[] = WTEXT("RAW");
  DOC_INFO_1W info = {document, nullptr, datatype};
  if (!StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info))) return FALSE;
  // A raw job needs no page; a spooler that refuses one still takes the bytes.
  BOOL inPage = StartPagePrinter(printer.get());

  SetLastError(0);
  DWORD written = 0;
  BOOL ok = WritePrinter(printer.get(), const_cast<BYTE *>(bytes), count, &written) && written == count;
  if (inPage) EndPagePrinter(printer.get());
  // The spooler hands the job on at its end: a job it could not end has not gone to the printer.
  if (!EndDocPrinter(printer.get())) ok = FALSE;
  return ok;
}

BOOL WriteJobFile(const BYTE *bytes, DWORD count, LPCWSTR path) {
  if (!path || (!bytes && count)) return FALSE;
  UniqueFile file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FALSE;
  DWORD written = 0;
  BOOL ok = count == 0 || (WriteFile(file.get(), bytes, count, &written, nullptr) && written == count);
  // The system may write the last of the bytes only as the file closes: a close that fails leaves the job short.
  return CloseHandle(file.release()) && ok;
}

int SendJobBytes(const JobBytes &job, LPCWSTR printerName, LPCWSTR jobFile) {
  if (job.count == 0) return 0;
  if (jobFile && *jobFile) return WriteJobFile(job.bytes.get(), job.count, jobFile) ? 1 : 0;
  return SendRawJob(job.bytes.get(), job.count, printerName) ? 1 : 0;
}

// The catalogue is held only while the bytes are built: they are the job's own, and the spooler may take long.
int SendItemCommand(LONG choice, LONG item, LONG section, LPCWSTR printerName) {
  if (!printerName) return 0;
  JobBytes job;
  {
    CatalogueHold catalogue = HoldCatalogue(printerName);
    if (!catalogue) return 0;
    job = BuildItemJob(*catalogue.get(), section, item, choice);
  }
  return SendJobBytes(job, printerName);
}

int SendAllCommands(LPCWSTR printerName) {
  if (!printerName) return 0;
  JobBytes job;
  {
    CatalogueHold catalogue = HoldCatalogue(printerName);
    if (!catalogue) return 0;
    job = BuildAllItemsJob(*catalogue.get());
  }
  return SendJobBytes(job, printerName);
}
