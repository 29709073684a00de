// Heaps of the Linux emulation: blocks carry their heap and size, every heap counts what is live in it, and
// destroying a heap releases every block still in it, as the platform does.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/host/control.h"
#include "platform/host/win_base.h"

namespace {

struct BlockHeader;

struct Heap {
  std::atomic<long> blocks{0};
  std::atomic<long long> bytes{0};
  std::atomic<bool> destroyed{false};
  std::mutex lock;               // guards the list of live blocks
  BlockHeader *first = nullptr;  // live blocks, for HeapDestroy
};

struct alignas(16) BlockHeader {
  Heap *heap;
  SIZE_T size;
  BlockHeader *previous;
  BlockHeader *next;
};

Heap processHeap;
void Link(Heap *heap, BlockHeader *header) {
  if (heap == &processHeap) return;
  std::lock_guard<std::mutex> guard(heap->lock);
  header->previous = nullptr;
  header->next = heap->first;
  if (heap->first) heap->first->previous = header;
  heap->first = header;
}

void Unlink(Heap *heap, BlockHeader *header) {
  if (heap == &processHeap) return;
  std::lock_guard<std::mutex> guard(heap->lock);
  if (header->previous) header->previous->next = header->next;
  else heap->first = header->next;
  if (header->next) header->next->previous = header->previous;
}

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

HANDLE WINAPI HeapCreate(DWORD, SIZE_T, SIZE_T) {
  // Heaps are never deleted (see HeapDestroy); the process keeps them all.
  static std::mutex lock;
  static std::vector<std::unique_ptr<Heap>> heaps;
  std::lock_guard<std::mutex> guard(lock);
  heaps.push_back(std::make_unique<Heap>());
  return heaps.back().get();
}

BOOL WINAPI HeapDestroy(HANDLE heap) {
  if (!heap || heap == &processHeap) return FALSE;
  // Every block goes with the heap. The heap itself is kept, so that a later allocation from it fails.
  Heap *h = HeapOf(heap);
  std::lock_guard<std::mutex> guard(h->lock);
  h->destroyed = true;
  for (BlockHeader *header = h->first; header;) {
    BlockHeader *next = header->next;
    std::free(header);
    header = next;
  }
  h->first = nullptr;
  h->blocks = 0;
  h->bytes = 0;
  return TRUE;
}

constexpr SIZE_T kLargestBlock = SIZE_T(1) << 40;

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  // The platform faults on a null heap rather than answering null; so does the emulation, so that no caller
  // relies on an answer.
  if (!heap) std::abort();
  if (HeapOf(heap)->destroyed || ShouldFail()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  // A request past any block the platform's heap hands out is refused before the header is added to its size,
  // where it would wrap around to a small block.
  if (bytes > kLargestBlock) return nullptr;
  auto *header = static_cast<BlockHeader *>(std::malloc(sizeof(BlockHeader) + (bytes ? bytes : 1)));
  if (!header) return nullptr;
  header->heap = HeapOf(heap);
  header->size = bytes;
  if (flags & HEAP_ZERO_MEMORY) std::memset(header + 1, 0, bytes);
  Link(HeapOf(heap), header);
  HeapOf(heap)->blocks++;
  HeapOf(heap)->bytes += (long long)bytes;
  return header + 1;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID block) {
  if (!block) return TRUE;
  BlockHeader *header = HeaderOf(block);
  if (header->heap != HeapOf(heap)) std::abort();  // freeing into the wrong heap corrupts it on Windows
  Unlink(header->heap, header);
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
