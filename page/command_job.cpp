#include "page/command_job.h"

#include "catalogue/catalogue.h"
#include "catalogue/registry.h"
#include "resources/module_instance.h"
#include "resources/resource.h"
#include "page/command_encoder.h"

namespace {

constexpr int kPrinterNameChars = 260;
constexpr int kDocumentNameChars = 100;

// A block of the process heap, freed when it goes out of scope.
template <typename T>
class HeapBlock {
 public:
  explicit HeapBlock(SIZE_T count)
      : data_(static_cast<T *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * sizeof(T)))) {}
  ~HeapBlock() {
    if (data_) HeapFree(GetProcessHeap(), 0, data_);
  }
  HeapBlock(const HeapBlock &) = delete;
  HeapBlock &operator=(const HeapBlock &) = delete;
  T *get() const { return data_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  T *data_;
};

// An open printer, closed when it goes out of scope.
class PrinterHandle {
 public:
  PrinterHandle() = default;
  ~PrinterHandle() {
    if (handle_) ClosePrinter(handle_);
  }
  PrinterHandle(const PrinterHandle &) = delete;
  PrinterHandle &operator=(const PrinterHandle &) = delete;
  bool Open(LPWSTR name) { return OpenPrinterW(name, &handle_, nullptr) && handle_; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

int HexDigit(WCHAR c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Frames the command text with the catalogue's EnterInstruction and SaveInstruction and sends the bytes. A command
// text that gives no bytes sends nothing; a frame part that gives none is left out.
int SendFramedCommand(const SettingsCatalogue &catalogue, LPCWSTR commandText, DWORD commandSize,
                      LPCWSTR printerName) {
  WCHAR enter[ARRAYSIZE(catalogue.EnterInstruction)];
  WCHAR save[ARRAYSIZE(catalogue.SaveInstruction)];
  lstrcpynW(enter, catalogue.EnterInstruction, ARRAYSIZE(enter));
  lstrcpynW(save, catalogue.SaveInstruction, ARRAYSIZE(save));
  // Two characters per byte at the least: room for any valid text, with or without blanks between the groups.
  DWORD capacity = DWORD(lstrlenW(enter)) / 2 + DWORD(lstrlenW(save)) / 2 + commandSize / 2 + 3;
  HeapBlock<BYTE> bytes(capacity);
  if (!bytes) return 0;
  DWORD c = HexTextToBytes(enter, bytes.get(), capacity);
  DWORD d = HexTextToBytes(commandText, bytes.get() + c, capacity - c);
  DWORD e = HexTextToBytes(save, bytes.get() + c + d, capacity - c - d);
  if (d == 0) return 0;
  return SendRawJob(bytes.get(), c + d + e, printerName) ? 1 : 0;
}

bool ItemExists(const SettingsCatalogue &catalogue, LONG section, LONG item) {
  if (section < 0 || section >= catalogue.SectionCount || section >= kMaxSections) return false;
  const SettingsSection &s = catalogue.Sections[section];
  return item >= 0 && item < s.ItemCount && item < kMaxItems;
}

}  // namespace

DWORD HexTextToBytes(LPCWSTR text, BYTE *out, DWORD capacity) {
  if (!text) return 0;
  DWORD digits = 0;
  for (const WCHAR *p = text; *p; ++p) {
    if (*p == ' ') continue;
    if (HexDigit(*p) < 0) return 0;
    ++digits;
  }
  if (digits % 2 || digits / 2 > capacity || (digits && !out)) return 0;
  DWORD count = 0;
  int high = -1;
  for (const WCHAR *p = text; *p; ++p) {
    if (*p == ' ') continue;
    int digit = HexDigit(*p);
    if (high < 0) {
      high = digit;
    } else {
      out[count++] = BYTE(high << 4 | digit);
      high = -1;
    }
  }
  return count;
}

BOOL SendRawJob(const BYTE *bytes, DWORD count, LPCWSTR printerName) {
  if (!printerName || (!bytes && count)) return FALSE;
  // A name the buffer cannot hold whole would open a different printer, if any.
  if (lstrlenW(printerName) >= kPrinterNameChars) return FALSE;
  WCHAR name[kPrinterNameChars];
  lstrcpynW(name, printerName, ARRAYSIZE(name));

  PrinterHandle printer;
  if (!printer.Open(name)) return FALSE;

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

int SendItemCommand(LONG choice, LONG item, LONG section, LPCWSTR printerName) {
  SettingsCatalogue *catalogue = printerName ? FindCatalogue(printerName) : nullptr;
  SetCurrentCatalogue(catalogue);
  if (!catalogue || !ItemExists(*catalogue, section, item)) return 0;

  DWORD size = 0;
  EncodeItemChoice(section, item, choice, nullptr, &size);
  if (size == 0) return 0;
  HeapBlock<WCHAR> text(size);
  if (!text) return 0;
  DWORD capacity = size;
  if (EncodeItemChoice(section, item, choice, text.get(), &capacity) != size) return 0;
  return SendFramedCommand(*catalogue, text.get(), size, printerName);
}

int SendAllCommands(LPCWSTR printerName) {
  SettingsCatalogue *catalogue = printerName ? FindCatalogue(printerName) : nullptr;
  SetCurrentCatalogue(catalogue);
  if (!catalogue) return 0;
  const LONG sections = catalogue->SectionCount < kMaxSections ? catalogue->SectionCount : kMaxSections;

  // First the size of every item's text: each overwrites the terminator of the one before. An item without text
  // would leave a gap in the settings, so then nothing is sent.
  DWORD total = 1;
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue->Sections[s];
    const LONG items = section.ItemCount < kMaxItems ? section.ItemCount : kMaxItems;
    for (LONG i = 0; i < items; ++i) {
      DWORD size = 0;
      EncodeItemValue(s, i, section.Items[i].CurrentValue, nullptr, &size);
      if (size == 0) return 0;
      total += size - 1;
    }
  }

  HeapBlock<WCHAR> text(total);
  if (!text) return 0;
  DWORD at = 0;
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue->Sections[s];
    const LONG items = section.ItemCount < kMaxItems ? section.ItemCount : kMaxItems;
    for (LONG i = 0; i < items; ++i) {
      DWORD room = total - at;
      DWORD written = EncodeItemValue(s, i, section.Items[i].CurrentValue, text.get() + at, &room);
      if (written == 0) return 0;
      at += written - 1;
    }
  }
  return SendFramedCommand(*catalogue, text.get(), total, printerName);
}
