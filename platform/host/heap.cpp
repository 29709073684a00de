// Heaps of the Linux emulation: blocks carry their heap and size, and every heap counts what is live in it.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/host/control.h"
#include "platform/host/win_base.h"

namespace {

struct Heap {
  std::atomic<long> blocks{0};
  std::atomic<long long> bytes{0};
  std::atomic<bool> destroyed{false};
};

struct alignas(16) BlockHeader {
  Heap *heap;
  SIZE_T size;
};

Heap processHeap;
std::atomic<long> failCountdown{0};

bool ShouldFail() {
  long n = failCountdown.load();
  while (n > 0) {
    if (failCountdown.compare_exchange_weak(n, n - 1)) return n == 1;
  }
  return false;
}

Heap *HeapOf(HANDLE handle) { return static_cast<Heap *>(handle); }
BlockHeader *HeaderOf(LPCVOID block) {
  return reinterpret_cast<BlockHeader *>(const_cast<char *>(static_cast<const char *>(block))) - 1;
}

}  // namespace

HANDLE WINAPI GetProcessHeap(void) { return &processHeap; }

HANDLE WINAPI HeapCreate(DWORD, SIZE_T, SIZE_T) { return new Heap; }

BOOL WINAPI HeapDestroy(HANDLE heap) {
  if (!heap || heap == &processHeap) return FALSE;
  // Blocks still live are left to the process; a destroyed heap is kept so that stray frees are caught.
  HeapOf(heap)->destroyed = true;
  return TRUE;
}

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (!heap || HeapOf(heap)->destroyed || ShouldFail()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto *header = static_cast<BlockHeader *>(std::malloc(sizeof(BlockHeader) + (bytes ? bytes : 1)));
  if (!header) return nullptr;
  header->heap = HeapOf(heap);
  header->size = bytes;
  if (flags & HEAP_ZERO_MEMORY) std::memset(header + 1, 0, bytes);
  HeapOf(heap)->blocks++;
  HeapOf(heap)->bytes += (long long)bytes;
  return header + 1;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID block) {
  if (!block) return TRUE;
  BlockHeader *header = HeaderOf(block);
  if (header->heap != HeapOf(heap)) std::abort();  // freeing into the wrong heap corrupts it on Windows
  header->heap->blocks--;
  header->heap->bytes -= (long long)header->size;
  std::free(header);
  return TRUE;
}

LPVOID WINAPI HeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T bytes) {
  if (!block) return nullptr;
  BlockHeader *old = HeaderOf(block);
  if (old->heap != HeapOf(heap)) std::abort();
  LPVOID fresh = HeapAlloc(heap, 0, bytes);
  if (!fresh) return nullptr;
  SIZE_T keep = old->size < bytes ? old->size : bytes;
  std::memcpy(fresh, block, keep);
  if ((flags & HEAP_ZERO_MEMORY) && bytes > keep) std::memset(static_cast<char *>(fresh) + keep, 0, bytes - keep);
  HeapFree(heap, 0, block);
  return fresh;
}

SIZE_T WINAPI HeapSize(HANDLE heap, DWORD, LPCVOID block) {
  if (!block) return (SIZE_T)-1;
  return HeaderOf(block)->size;
}

namespace host {
HeapStats GetHeapStats(HANDLE heap) {
  HeapStats stats;
  stats.blocks = HeapOf(heap)->blocks.load();
  stats.bytes = HeapOf(heap)->bytes.load();
  return stats;
}
void FailAllocationAfter(long n) { failCountdown = n; }
}  // namespace host
