// The tool on Linux: the emulated machine is the tool's own, so it takes the language asked for.
#include <cstdio>

#include "platform/host/control.h"
#include "tools/prnset/system.h"

namespace prnset {

void UseSystemLanguage(LANGID language) { host::SetSystemLanguage(language); }

const char *SpoolerNote() { return " (prnset on Linux has no printers of its own: send jobs with prnset.exe on Windows)"; }

bool WriteBinaryFile(const WString &path, const std::vector<BYTE> &bytes) {
  // The same path rules as the emulation's file reads: '\' separates folders.
  std::string name = Utf8(path);
  for (char &c : name)
    if (c == '\\') c = '/';
  std::FILE *file = std::fopen(name.c_str(), "wb");
  if (!file) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace prnset
