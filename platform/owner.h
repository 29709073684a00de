// The one owner type for every handle, heap block and interface pointer the code holds: the handle's type, and a
// close type that says how it is closed and, where "none" is not null, which value means none. It closes what it
// owns when it goes, moves but never copies, so no early return leaks a printer handle, a file or a block.
#pragma once

#include <utility>

#include "platform/platform.h"

namespace owner_detail {
// The value that means "none": the close type's own Invalid() where it has one, else a null value.
template <typename T, typename Close>
auto InvalidOf(int) -> decltype(T(Close::Invalid())) {
  return Close::Invalid();
}
template <typename T, typename Close>
T InvalidOf(long) {
  return T();
}
}  // namespace owner_detail

template <typename T, typename Close>
class UniqueAny {
 public:
  static T InvalidValue() { return owner_detail::InvalidOf<T, Close>(0); }

  UniqueAny() = default;
  explicit UniqueAny(T value, Close close = Close()) : value_(value), close_(close) {}
  ~UniqueAny() { reset(); }
  UniqueAny(UniqueAny &&other) noexcept : value_(other.release()), close_(other.close_) {}
  UniqueAny &operator=(UniqueAny &&other) noexcept {
    if (this != &other) {
      reset(other.release());
      close_ = other.close_;
    }
    return *this;
  }
  UniqueAny(const UniqueAny &) = delete;
  UniqueAny &operator=(const UniqueAny &) = delete;

  T get() const { return value_; }
  explicit operator bool() const { return value_ != InvalidValue(); }
  // Closes what is owned and hands out the slot, for functions that return a handle through a pointer.
  T *put() {
    reset();
    return &value_;
  }
  // Gives up ownership: the caller closes what it gets.
  T release() { return std::exchange(value_, InvalidValue()); }
  void reset(T value = InvalidValue()) {
    T old = std::exchange(value_, value);
    if (old != InvalidValue()) close_(old);
  }

 private:
  T value_ = InvalidValue();
  Close close_;
};

struct ClosePrinterHandle {
  void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
struct CloseFileHandle {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  void operator()(HANDLE file) const { CloseHandle(file); }
};
// Frees into the heap the block came from: the process heap unless another is named.
struct FreeHeapBlock {
  HANDLE heap = GetProcessHeap();
  void operator()(void *block) const { HeapFree(heap, 0, block); }
};
struct ReleaseInterface {
  template <typename I>
  void operator()(I *object) const { object->Release(); }
};

using UniquePrinter = UniqueAny<HANDLE, ClosePrinterHandle>;
using UniqueFile = UniqueAny<HANDLE, CloseFileHandle>;
template <typename T>
using UniqueHeapBlock = UniqueAny<T *, FreeHeapBlock>;
template <typename I>
using UniqueInterface = UniqueAny<I *, ReleaseInterface>;

// `count` zeroed elements of T from `heap`; empty when the heap has no room.
template <typename T>
UniqueHeapBlock<T> AllocateHeapBlock(SIZE_T count, HANDLE heap = GetProcessHeap()) {
  if (!heap) return UniqueHeapBlock<T>();
  void *block = HeapAlloc(heap, HEAP_ZERO_MEMORY, count * sizeof(T));
  return UniqueHeapBlock<T>(static_cast<T *>(block), FreeHeapBlock{heap});
}

// Opens a printer by name without printer defaults; empty when the spooler refuses.
inline UniquePrinter OpenPrinterByName(LPCWSTR name) {
  UniquePrinter printer;
  if (!OpenPrinterW(const_cast<LPWSTR>(name), printer.put(), nullptr)) printer.release();
  return printer;
}
