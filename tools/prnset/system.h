// What the tool does differently on Linux and on Windows.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/prnset/text.h"

namespace prnset {

// Added to the complaint when the spooler refuses a job: the Linux build's spooler holds no real printers.
const char *SpoolerNote();

// Shows the Printer Settings page (the plug-in's template, strings and dialog procedure) alone on a modal property
// sheet under the caption, in the language, until the operator closes the sheet. `open` opens the page as it is
// initialised (instead of the driver's page opening its printer's catalogue); `opening` runs just before the sheet
// opens. False with `error` where no window can be shown: the Linux build has none.
bool ShowPageSheet(const WString &caption, LANGID language, const std::function<void(HWND page)> &open,
                   const std::function<void()> &opening, std::string &error);

// The path made absolute, for messages that say where a file went; the path as it is when that fails.
WString FullPathOf(const WString &path);
// The path a log names a file by: as given when it is absolute or relative to the working folder; on Windows, a path
// relative to a drive's folder ("Z:files\a.Dat") or to the drive's root ("\work\a.Dat") made absolute, and the
// "\\?\" of a long path left out ("\\?\UNC\host\share" as "\\host\share").
WString LoggedPathOf(const WString &path);

// Whether two paths name one existing file, however each is written.
bool SameFile(const WString &a, const WString &b);

// Writes bytes to a file, replacing it. False when the file cannot be written.
bool WriteBinaryFile(const WString &path, const std::vector<BYTE> &bytes);

// Readies `out` for raw bytes. Windows' C runtime turns every line feed written to standard output in text mode into
// CR LF, so the process's standard output is switched to binary mode; other streams, and Linux, take bytes as they
// are. False when the mode cannot be set.
bool KeepBytesAsTheyAre(std::ostream &out);

// Why a settings file cannot be read ("it does not exist", "it is a folder", "permission denied"), or empty when
// it can.
std::string UnreadableReason(const WString &path);

// Why a file cannot be written ("it is a folder", "its folder ... does not exist"), for a write that failed.
std::string UnwritableReason(const WString &path);

// A pipe (such as bash's <(iconv ...)) can be read only once, and the loader reads files by path: true when `path`
// is one, with its bytes (up to one more than the reader takes) in `bytes`; false for a file, which is read as such.
bool ReadStream(const WString &path, std::vector<BYTE> &bytes);

// Files of the tool's own, such as standard input kept for the loader, which reads files by path. Removed when the
// holder goes.
class TemporaryFiles {
 public:
  TemporaryFiles() = default;
  TemporaryFiles(const TemporaryFiles &) = delete;
  TemporaryFiles &operator=(const TemporaryFiles &) = delete;
  ~TemporaryFiles();
  // A new file holding the bytes; its path, or an empty one when it cannot be written.
  WString Add(const std::vector<BYTE> &bytes);

 private:
  std::vector<WString> paths_;
};

// Whether the process's standard output is a terminal (colour is for people, not for files and pipes).
bool StandardOutputIsTerminal();

}  // namespace prnset
