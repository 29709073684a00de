// Memory of one open page of the largest catalogue: what is held while the page lives, and the peak while it
// opens (the settings file's parsed text lives beside the growing option lists until the load ends); and what two
// pages of the printer hold together.
//
// Every block the page's opening takes is counted: the process heap's blocks through the emulation's own counts
// (the record and the option nodes come from there), and C++ allocations (the INI reader, the emulated windows)
// through the replaced operator new below, both as requested of the allocator. The peak is looked at on every
// allocation and release, so it is exact for those two. The process's resident peak is given beside it.
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "bench/settings_generator.h"
#include "bench/host/bench_machine.h"
#include "catalogue/catalogue.h"
#include "catalogue/registry.h"
#include "resources/module_instance.h"
#include "resources/resource.h"
#include "page/settings_page.h"
#include "platform/host/control.h"
#include "platform/host/window_control.h"

namespace {

std::atomic<long long> cppBytes{0};
std::atomic<bool> tracking{false};
long long heapBaseline = 0, cppBaseline = 0, peak = 0;

void NotePeak() {
  if (!tracking.load(std::memory_order_relaxed)) return;
  long long now = cppBytes.load() - cppBaseline + host::GetHeapStats(GetProcessHeap()).bytes - heapBaseline;
  if (now > peak) peak = now;
}

void *Take(size_t bytes) {
  void *p = std::malloc(bytes ? bytes : 1);
  if (!p) throw std::bad_alloc();
  cppBytes += (long long)malloc_usable_size(p);
  NotePeak();
  return p;
}

void Give(void *p) {
  if (!p) return;
  NotePeak();
  cppBytes -= (long long)malloc_usable_size(p);
  std::free(p);
}

// A value from /proc/self/status, in KB.
long StatusKb(const char *field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size() + 1);
  return -1;
}

std::string Megabytes(long long bytes) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f MB", double(bytes) / (1024.0 * 1024.0));
  return text;
}

void Row(const std::string &figure, const std::string &value) {
  std::printf("ROW\t%s\t%s\t-\t-\treport\treported\n", figure.c_str(), value.c_str());
}

}  // namespace

void *operator new(size_t bytes) { return Take(bytes); }
void *operator new[](size_t bytes) { return Take(bytes); }
void *operator new(size_t bytes, const std::nothrow_t &) noexcept {
  try {
    return Take(bytes);
  } catch (...) {
    return nullptr;
  }
}
void *operator new[](size_t bytes, const std::nothrow_t &t) noexcept { return operator new(bytes, t); }
void operator delete(void *p) noexcept { Give(p); }
void operator delete[](void *p) noexcept { Give(p); }
void operator delete(void *p, size_t) noexcept { Give(p); }
void operator delete[](void *p, size_t) noexcept { Give(p); }

int main() {
  const bench::BenchPrinter printer = bench::AddPrinterWithSettings(
      "Bench Largest", "Bench LargestModel", bench::SettingsFileBytes(bench::LargestCatalogue()));
  const bench::WString caption = printer.name + bench::Wide(" Properties");

  const host::HeapStats before = host::GetHeapStats(GetProcessHeap());
  const long rssBefore = StatusKb("VmRSS:");
  heapBaseline = before.bytes;
  cppBaseline = cppBytes.load();
  peak = 0;
  tracking = true;
  HWND sheet = host::CreateSheetWindow(caption);
  HWND page = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), sheet,
                                 PrinterSettingsPageProc, 0);
  tracking = false;
  const host::HeapStats open = host::GetHeapStats(GetProcessHeap());
  const long long cppHeld = cppBytes.load() - cppBaseline;
  const long hwm = StatusKb("VmHWM:");
  SettingsCatalogue *catalogue = FindCatalogue(printer.name.c_str());
  if (!page || !catalogue || catalogue->SectionCount != kMaxSections) {
    std::printf("ROW\tmemory, one open page of the largest catalogue\terror: the page did not open\t-\t-\treport\tno\n");
    return 1;
  }
  long options = 0;
  for (int s = 0; s < catalogue->SectionCount; ++s)
    for (int i = 0; i < catalogue->Sections[s].ItemCount; ++i) options += long(catalogue->Sections[s].Items[i].OptionCount);

  // A second sheet of the same printer shares the file's catalogue and keeps only its own choices and windows.
  HWND secondSheet = host::CreateSheetWindow(caption);
  HWND secondPage = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), secondSheet,
                                       PrinterSettingsPageProc, 0);
  const long long heldByTwo =
      host::GetHeapStats(GetProcessHeap()).bytes - before.bytes + cppBytes.load() - cppBaseline;
  DestroyWindow(secondSheet);
  DestroyWindow(sheet);
  const host::HeapStats closed = host::GetHeapStats(GetProcessHeap());
  if (!secondPage) {
    std::printf("ROW\tmemory, two open pages of the largest catalogue\terror: the second page did not open\t-\t-\treport\tno\n");
    return 1;
  }

  const long long held = open.bytes - before.bytes + cppHeld;
  Row("memory peak while the page opens (Linux)", Megabytes(peak));
  Row("memory held while the page is open (Linux)", Megabytes(held));
  Row("memory held while two pages of the printer are open (Linux)", Megabytes(heldByTwo));
  Row("resident peak growth of the process (Linux)", Megabytes((long long)(hwm - rssBefore) * 1024));

  std::printf("INFO\tsizeof(SettingsCatalogue) = %zu bytes (SettingsSection %zu, SettingsItem %zu)\n",
              sizeof(SettingsCatalogue), sizeof(SettingsSection), sizeof(SettingsItem));
  std::printf("INFO\tsizeof(SettingsOption) = %zu bytes; %ld option nodes = %s\n", sizeof(SettingsOption), options,
              Megabytes((long long)options * (long long)sizeof(SettingsOption)).c_str());
  std::printf("INFO\tprocess heap while open: %ld blocks, %lld bytes requested (host::GetHeapStats); after close: "
              "%ld blocks, %lld bytes (before open: %ld, %lld)\n",
              open.blocks - before.blocks, open.bytes - before.bytes, closed.blocks - before.blocks,
              closed.bytes - before.bytes, before.blocks, before.bytes);
  std::printf("INFO\tC++ blocks held while open (emulated windows and their texts, the INI reader's kept storage): "
              "%s\n",
              Megabytes(cppHeld).c_str());
  return closed.blocks == before.blocks && closed.bytes == before.bytes ? 0 : 1;
}
