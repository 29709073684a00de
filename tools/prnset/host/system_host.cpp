// The tool on Linux: the emulated machine is the tool's own, so it takes the language asked for.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "catalogue/ini_file.h"
#include "platform/host/control.h"
#include "tools/prnset/system.h"

namespace prnset {

namespace {
// The same path rules as the emulation's file reads: '\\' separates folders.
std::string LinuxPath(const WString &path) { return host::LinuxPath(path.c_str()); }
}  // namespace

const char *SpoolerNote() { return " (prnset on Linux has no printers of its own: send jobs with prnset.exe on Windows)"; }

bool ShowPageSheet(const WString &, LANGID, const std::function<void(HWND)> &, const std::function<void()> &,
                   std::string &error) {
  error = "the page is a Windows window: run prnset.exe preview on Windows, or scripts/preview FILE OUT.png here, "
          "which runs it under Wine";
  return false;
}

WString FullPathOf(const WString &path) {
  if (path.empty() || path[0] == '/' || path[0] == '\\') return path;
  char *folder = ::getcwd(nullptr, 0);
  if (!folder) return path;
  WString full = Widen(std::string(folder) + "/") + path;
  std::free(folder);
  return full;
}

WString LoggedPathOf(const WString &path) { return path; }

bool SameFile(const WString &a, const WString &b) {
  struct stat first, second;
  return ::stat(LinuxPath(a).c_str(), &first) == 0 && ::stat(LinuxPath(b).c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool WriteBinaryFile(const WString &path, const std::vector<BYTE> &bytes) {
  std::FILE *file = std::fopen(LinuxPath(path).c_str(), "wb");
  if (!file) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool KeepBytesAsTheyAre(std::ostream &) { return true; }

std::string UnreadableReason(const WString &path) {
  if (path.empty()) return "the name is empty";
  const std::string name = LinuxPath(path);
  struct stat st;
  if (::stat(name.c_str(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? "it does not exist" : errno == EACCES ? "permission denied"
                                                                                        : "it cannot be opened";
  if (S_ISDIR(st.st_mode)) return "it is a folder";
  if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode)) return "it is not a plain file";
  if (::access(name.c_str(), R_OK) != 0) return "permission denied";
  return std::string();
}

std::string UnwritableReason(const WString &path) {
  const std::string name = LinuxPath(path);
  struct stat st;
  if (::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return "it is a folder";
  const size_t slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "its folder " + folder + " does not exist";
  return ::access(folder.c_str(), W_OK) != 0 ? "permission denied" : "the disk is full or the file is locked";
}

bool ReadStream(const WString &path, std::vector<BYTE> &bytes) {
  struct stat st;
  if (::stat(LinuxPath(path).c_str(), &st) != 0 || !S_ISFIFO(st.st_mode)) return false;
  bytes.clear();
  std::FILE *stream = std::fopen(LinuxPath(path).c_str(), "rb");
  if (!stream) return true;
  BYTE block[1 << 16];
  size_t read;
  while (bytes.size() <= IniFile::kMaxFileBytes && (read = std::fread(block, 1, sizeof block, stream)) > 0)
    bytes.insert(bytes.end(), block, block + read);
  std::fclose(stream);
  return true;
}

TemporaryFiles::~TemporaryFiles() {
  for (const WString &path : paths_) ::unlink(LinuxPath(path).c_str());
}

WString TemporaryFiles::Add(const std::vector<BYTE> &bytes) {
  const char *folder = std::getenv("TMPDIR");
  std::string name = std::string(folder && *folder ? folder : "/tmp") + "/prnset-input-XXXXXX";
  int fd = ::mkstemp(&name[0]);
  if (fd < 0) return WString();
  ::close(fd);
  WString path = Widen(name);
  paths_.push_back(path);
  return WriteBinaryFile(path, bytes) ? path : WString();
}

bool StandardOutputIsTerminal() { return ::isatty(1) != 0; }

}  // namespace prnset
