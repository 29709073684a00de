// Kernel objects of the Linux emulation behind HANDLE values (internal to platform/host).
#pragma once

#include <string>

#include "platform/host/win_base.h"

namespace host {

struct KernelObject {
  enum class Kind { File, Printer } kind;
  explicit KernelObject(Kind k) : kind(k) {}
  virtual ~KernelObject() = default;
};

template <typename T>
T *ObjectOf(HANDLE handle, KernelObject::Kind kind) {
  if (!handle || handle == INVALID_HANDLE_VALUE) return nullptr;
  auto *object = static_cast<KernelObject *>(handle);
  return object->kind == kind ? static_cast<T *>(object) : nullptr;
}

}  // namespace host
