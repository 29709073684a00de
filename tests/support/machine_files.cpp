// Files read back through the platform's own file calls, the same on both sides, and bytes as text.
#include "platform/owner.h"
#include "tests/support/test_machine.h"

namespace testing_machine {

std::string Hex(const std::vector<BYTE> &bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (BYTE b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

bool ReadFileBytes(const WString &path, std::string &bytes) {
  bytes.clear();
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 26)) return false;
  bytes.resize(size_t(size.QuadPart));
  DWORD read = 0;
  return bytes.empty() || (ReadFile(file.get(), &bytes[0], DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
}

std::vector<LongName> NamesAroundThePathBuffer(WCHAR fill) {
  const WString longest(259, fill);
  return {{longest, true}, {longest + fill, false}, {longest + WString(60, fill), false}};
}

}  // namespace testing_machine
