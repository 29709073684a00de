// Hexadecimal command text to bytes, with arbitrary texts and capacities.
#include <cstdint>
#include <cstring>
#include <vector>

#include "page/command_job.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) return 0;
  DWORD capacity = data[0] | (data[1] << 8);
  capacity %= 2048;
  std::vector<char16_t> text((size - 2) / 2 + 1, u'\0');
  memcpy(text.data(), data + 2, (size - 2) / 2 * 2);
  // Guard bytes after the capacity catch a write past it.
  std::vector<BYTE> out(capacity + 16, 0xA5);
  DWORD n = HexTextToBytes(reinterpret_cast<LPCWSTR>(text.data()), capacity ? out.data() : nullptr, capacity);
  if (n > capacity) __builtin_trap();
  for (size_t i = capacity; i < out.size(); ++i)
    if (out[i] != 0xA5) __builtin_trap();
  return 0;
}
