// Disk files for the Linux emulation: read from an existing file, or written to one made anew.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/host/control.h"
#include "platform/host/handles.h"

namespace {
struct File : host::KernelObject {
  int fd;
  bool writes;
  File(int f, bool w) : KernelObject(Kind::File), fd(f), writes(w) {}
  ~File() override { ::close(fd); }
};
std::atomic<bool> failNextWrittenClose{false};

// The platform tells a missing file from a missing folder on its way.
bool FolderExists(const std::string &path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return true;
  struct stat st;
  return ::stat(path.substr(0, slash ? slash : 1).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

void host::FailNextWrittenFileClose() { failNextWrittenClose = true; }

std::string host::LinuxPath(LPCWSTR windowsPath) {
  const WString wide(windowsPath);
  std::string path;
  size_t run = 0;  // the start of the characters not yet converted
  for (size_t i = 0; i <= wide.size(); ++i) {
    const bool raw = i < wide.size() && wide[i] >= 0xDC80 && wide[i] <= 0xDCFF &&
                     (i == 0 || wide[i - 1] < 0xD800 || wide[i - 1] > 0xDBFF);
    if (!raw && i < wide.size()) continue;
    path += Narrow(wide.substr(run, i - run));
    if (raw) path += char(wide[i] - 0xDC00);
    run = i + 1;
  }
  for (char &c : path)
    if (c == '\\') c = '/';
  return path;
}

HANDLE WINAPI CreateFileW(LPCWSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                          HANDLE) {
  const bool reads = access == GENERIC_READ && disposition == OPEN_EXISTING;
  const bool writes = access == GENERIC_WRITE && disposition == CREATE_ALWAYS;
  if (!path || (!reads && !writes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  // Without waiting: a named pipe would hold the open until a writer (or reader) came, and it is refused below
  // anyway, as a disk file is all the platform's call opens here.
  int fd = reads ? ::open(host::LinuxPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)
                 : ::open(host::LinuxPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
  struct stat st;
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd);
    fd = -1;
    errno = EACCES;
  }
  if (fd < 0) {
    SetLastError(errno == ENOENT ? (FolderExists(host::LinuxPath(path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND)
                 : errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                    : ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return static_cast<host::KernelObject *>(new File(fd, writes));
}

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
  File *file = host::ObjectOf<File>(handle, host::KernelObject::Kind::File);
  if (read) *read = 0;
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD total = 0;
  while (total < toRead) {
    ssize_t n = ::read(file->fd, static_cast<char *>(buffer) + total, toRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (n == 0) break;
    total += (DWORD)n;
  }
  if (read) *read = total;
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED) {
  File *file = host::ObjectOf<File>(handle, host::KernelObject::Kind::File);
  if (written) *written = 0;
  if (!file || (!buffer && toWrite)) {
    SetLastError(file ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD total = 0;
  while (total < toWrite) {
    ssize_t n = ::write(file->fd, static_cast<const char *>(buffer) + total, toWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      if (written) *written = total;
      return FALSE;
    }
    total += (DWORD)n;
  }
  if (written) *written = total;
  return TRUE;
}

BOOL WINAPI GetFileSizeEx(HANDLE handle, PLARGE_INTEGER size) {
  File *file = host::ObjectOf<File>(handle, host::KernelObject::Kind::File);
  struct stat st;
  if (!file || !size || ::fstat(file->fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  size->QuadPart = st.st_size;
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  File *file = host::ObjectOf<File>(handle, host::KernelObject::Kind::File);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const bool fails = file->writes && failNextWrittenClose.exchange(false);
  delete file;
  if (fails) SetLastError(ERROR_ACCESS_DENIED);
  return fails ? FALSE : TRUE;
}
