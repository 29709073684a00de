#include "bench/set_all_bytes.h"

#include "catalogue/catalogue.h"
#include "catalogue/registry.h"
#include "page/command_encoder.h"
#include "page/command_job.h"

namespace bench {
namespace {

// A block of the process heap, as the job takes its text and byte buffers.
template <typename T>
struct Block {
  explicit Block(SIZE_T count) : data(static_cast<T *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * sizeof(T)))) {}
  ~Block() {
    if (data) HeapFree(GetProcessHeap(), 0, data);
  }
  Block(const Block &) = delete;
  Block &operator=(const Block &) = delete;
  T *data;
};

LONG Bounded(LONG count, LONG capacity) { return count < 0 ? 0 : count < capacity ? count : capacity; }

// Runs the steps and hands the framed bytes to `use`; 0 when no job would go out.
template <typename Use>
DWORD Build(Use use) {
  const SettingsCatalogue *catalogue = CurrentCatalogue();
  if (!catalogue) return 0;
  const LONG sections = Bounded(catalogue->SectionCount, kMaxSections);

  DWORD total = 1;  // each text overwrites the terminator of the one before
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue->Sections[s];
    for (LONG i = 0; i < Bounded(section.ItemCount, kMaxItems); ++i) {
      DWORD size = 0;
      EncodeItemValue(s, i, section.Items[i].CurrentValue, nullptr, &size);
      if (size == 0) return 0;
      total += size - 1;
    }
  }
  Block<WCHAR> text(total);
  if (!text.data) return 0;
  DWORD at = 0;
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue->Sections[s];
    for (LONG i = 0; i < Bounded(section.ItemCount, kMaxItems); ++i) {
      DWORD room = total - at;
      DWORD written = EncodeItemValue(s, i, section.Items[i].CurrentValue, text.data + at, &room);
      if (written == 0) return 0;
      at += written - 1;
    }
  }

  WCHAR enter[ARRAYSIZE(catalogue->EnterInstruction)], save[ARRAYSIZE(catalogue->SaveInstruction)];
  lstrcpynW(enter, catalogue->EnterInstruction, ARRAYSIZE(enter));
  lstrcpynW(save, catalogue->SaveInstruction, ARRAYSIZE(save));
  const DWORD capacity = DWORD(lstrlenW(enter)) / 2 + DWORD(lstrlenW(save)) / 2 + total / 2 + 3;
  Block<BYTE> bytes(capacity);
  if (!bytes.data) return 0;
  DWORD c = HexTextToBytes(enter, bytes.data, capacity);
  DWORD d = HexTextToBytes(text.data, bytes.data + c, capacity - c);
  DWORD e = HexTextToBytes(save, bytes.data + c + d, capacity - c - d);
  if (d == 0) return 0;
  use(bytes.data, c + d + e);
  return c + d + e;
}

}  // namespace

std::vector<BYTE> SetAllBytes() {
  std::vector<BYTE> job;
  Build([&](const BYTE *bytes, DWORD count) { job.assign(bytes, bytes + count); });
  return job;
}

DWORD SetAllByteCount() {
  return Build([](const BYTE *, DWORD) {});
}

}  // namespace bench
