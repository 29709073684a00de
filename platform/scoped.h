// Owners of platform handles and heap blocks, so that no early return leaks a printer handle or a block.
#pragma once

#include "platform/platform.h"

// An open printer, closed when the owner goes.
class ScopedPrinter {
 public:
  ScopedPrinter() = default;
  ~ScopedPrinter() { Close(); }
  ScopedPrinter(const ScopedPrinter &) = delete;
  ScopedPrinter &operator=(const ScopedPrinter &) = delete;

  // Opens the named printer without printer defaults.
  bool Open(LPCWSTR name) {
    Close();
    return OpenPrinterW(const_cast<LPWSTR>(name), &handle_, nullptr) != FALSE;
  }
  void Close() {
    if (handle_) ClosePrinter(handle_);
    handle_ = nullptr;
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// A block of one heap, freed into the same heap when the owner goes.
template <typename T = BYTE>
class ScopedHeapBlock {
 public:
  explicit ScopedHeapBlock(HANDLE heap = GetProcessHeap()) : heap_(heap) {}
  ~ScopedHeapBlock() { Free(); }
  ScopedHeapBlock(const ScopedHeapBlock &) = delete;
  ScopedHeapBlock &operator=(const ScopedHeapBlock &) = delete;

  // Allocates `bytes` zeroed bytes; false when the heap has no room.
  bool Allocate(SIZE_T bytes) {
    Free();
    block_ = static_cast<T *>(HeapAlloc(heap_, HEAP_ZERO_MEMORY, bytes ? bytes : 1));
    return block_ != nullptr;
  }
  void Free() {
    if (block_) HeapFree(heap_, 0, block_);
    block_ = nullptr;
  }
  // Hands the block over; the caller frees it.
  T *release() {
    T *block = block_;
    block_ = nullptr;
    return block;
  }
  T *get() const { return block_; }

 private:
  HANDLE heap_;
  T *block_ = nullptr;
};
