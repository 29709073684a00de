// The tool on Windows.
#include "tools/prnset/system.h"

namespace prnset {

void UseSystemLanguage(LANGID) {}

const char *SpoolerNote() { return ""; }

bool WriteBinaryFile(const WString &path, const std::vector<BYTE> &bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                              written == bytes.size());
  return CloseHandle(file) && ok;
}

}  // namespace prnset
