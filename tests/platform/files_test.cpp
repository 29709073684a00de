// Files as the domain code uses them (the settings file read whole, a job written to a file), checked against the
// emulation on Linux and the platform under Wine with the same cases.
#include <gtest/gtest.h>

#include <string>

#include "platform/owner.h"
#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace {

HANDLE OpenToRead(const WString &path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE OpenToWrite(const WString &path) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The folder of a path as the test machine writes it: with the platform's separator, or with '/' on Linux.
WString FolderOf(const WString &path) {
  const WCHAR separators[] = {WCHAR('\\'), WCHAR('/'), 0};
  return path.substr(0, path.find_last_of(separators));
}

TEST(Files, ReadsAFileWholeAndInPieces) {
  const std::string bytes = std::string("[a]\r\nk=v\r\n") + std::string(5000, 'x') + std::string("\0end", 4);
  const WString path = testing_machine::WriteTempFile("files-read.ini", bytes);
  for (DWORD piece : {DWORD(1), DWORD(7), DWORD(4096), DWORD(bytes.size()), DWORD(bytes.size() + 100)}) {
    SCOPED_TRACE(piece);
    UniqueFile file(OpenToRead(path));
    ASSERT_TRUE(file) << GetLastError();
    LARGE_INTEGER size = {};
    ASSERT_TRUE(GetFileSizeEx(file.get(), &size));
    EXPECT_EQ(size.QuadPart, LONGLONG(bytes.size()));
    std::string got;
    std::string buffer(piece, '\0');
    DWORD read = 1;
    while (read) {
      ASSERT_TRUE(ReadFile(file.get(), &buffer[0], piece, &read, nullptr));
      got.append(buffer, 0, read);
      ASSERT_LE(got.size(), bytes.size());
    }
    EXPECT_EQ(got, bytes);  // and a read at the end answers TRUE with nothing
  }
}

TEST(Files, WritingMakesTheFileAnew) {
  const WString path = testing_machine::WriteTempFile("files-write.prn", std::string(300, 'o'));
  for (const std::string &bytes : {std::string("\x1B" "E\r\n", 4), std::string(), std::string(70000, '\xA5')}) {
    SCOPED_TRACE(bytes.size());
    {
      UniqueFile file(OpenToWrite(path));
      ASSERT_TRUE(file) << GetLastError();
      DWORD written = 12345;
      EXPECT_TRUE(WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr));
      EXPECT_EQ(written, DWORD(bytes.size()));
    }
    std::string back;
    ASSERT_TRUE(testing_machine::ReadFileBytes(path, back));
    EXPECT_EQ(back, bytes);  // nothing of the earlier, longer content is left
  }
}

TEST(Files, RefusalsSayWhy) {
  const WString existing = testing_machine::WriteTempFile("files-there.ini", "x");
  const WString folder = FolderOf(existing);
  struct Case {
    const char *what;
    WString path;
    bool write;
    DWORD error;
  };
  const Case cases[] = {
      {"missing file", folder + WTEXT("\\files-missing.ini"), false, ERROR_FILE_NOT_FOUND},
      {"missing folder", folder + WTEXT("\\no-such-folder\\files.ini"), false, ERROR_PATH_NOT_FOUND},
      {"missing folder, to write", folder + WTEXT("\\no-such-folder\\files.prn"), true, ERROR_PATH_NOT_FOUND},
      {"a folder, to read", folder, false, ERROR_ACCESS_DENIED},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(0);
    HANDLE file = c.write ? OpenToWrite(c.path) : OpenToRead(c.path);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

}  // namespace
