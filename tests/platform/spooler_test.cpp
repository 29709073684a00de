// The spooler as the domain code uses it (the driver's folder and name, printer data, a raw job), checked against
// the emulation on Linux and the platform's spooler under Wine with the same cases.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/owner.h"
#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace {

const WString kDriver = WTEXT("Generic Conformance Laser 9");
const WString kPrinter = WTEXT("Conformance Printer");

class Spooler : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_machine::Reset();
    ASSERT_TRUE(testing_machine::AddTestPrinter(kPrinter, kDriver));
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter.c_str()), &handle, nullptr)) << GetLastError();
    printer_.reset(handle);
  }
  HANDLE printer() const { return printer_.get(); }

 private:
  UniquePrinter printer_;
};

TEST_F(Spooler, AnUnknownPrinterIsNotOpened) {
  HANDLE handle = reinterpret_cast<HANDLE>(1);
  SetLastError(0);
  EXPECT_FALSE(OpenPrinterW(const_cast<LPWSTR>(WTEXT("No Such Printer 42")), &handle, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PRINTER_NAME));
}

TEST_F(Spooler, DriverNameAndFolderTellTheirSize) {
  DWORD needed = 0;
  SetLastError(0);
  EXPECT_FALSE(GetPrinterDriverW(printer(), nullptr, 1, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(needed, DWORD(sizeof(DRIVER_INFO_1W)));
  std::string info(needed, '\0');
  ASSERT_TRUE(GetPrinterDriverW(printer(), nullptr, 1, reinterpret_cast<LPBYTE>(&info[0]), needed, &needed));
  EXPECT_EQ(WString(reinterpret_cast<DRIVER_INFO_1W *>(&info[0])->pName), kDriver);

  const WString folder = testing_machine::DriverDirectory();
  WCHAR small[2];
  SetLastError(0);
  EXPECT_FALSE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(small), sizeof(small),
                                          &needed));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, DWORD((folder.size() + 1) * sizeof(WCHAR)));
  WCHAR whole[520];
  ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(whole), sizeof(whole),
                                         &needed));
  EXPECT_EQ(WString(whole), folder);
}

TEST_F(Spooler, PrinterDataKeepsTypeAndBytes) {
  struct Value {
    const WCHAR *name;
    DWORD type;
    std::string bytes;
  };
  const DWORD ninety = 90;
  const WCHAR text[] = WTEXT("80");
  const Value values[] = {
      {WTEXT("COMPRESS_VALUE"), REG_DWORD, std::string(reinterpret_cast<const char *>(&ninety), sizeof(ninety))},
      {WTEXT("XMoveValue"), REG_SZ, std::string(reinterpret_cast<const char *>(text), sizeof(text))},
      {WTEXT("Conformance Bytes"), REG_BINARY, std::string("\x00\x01\xFF", 3)},
  };
  for (const Value &v : values) {
    SCOPED_TRACE(Utf8(v.name));
    std::string bytes = v.bytes;
    ASSERT_EQ(SetPrinterDataW(printer(), const_cast<LPWSTR>(v.name), v.type, reinterpret_cast<LPBYTE>(&bytes[0]),
                              DWORD(bytes.size())),
              DWORD(ERROR_SUCCESS));
    DWORD type = 0, needed = 0;
    BYTE small[1];
    EXPECT_EQ(GetPrinterDataW(printer(), const_cast<LPWSTR>(v.name), &type, small, 1, &needed),
              DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(needed, DWORD(bytes.size()));
    std::string back(bytes.size() + 8, '\x5A');
    type = 0;
    EXPECT_EQ(GetPrinterDataW(printer(), const_cast<LPWSTR>(v.name), &type, reinterpret_cast<LPBYTE>(&back[0]),
                              DWORD(back.size()), &needed),
              DWORD(ERROR_SUCCESS));
    EXPECT_EQ(type, v.type);
    EXPECT_EQ(needed, DWORD(bytes.size()));
    EXPECT_EQ(back.substr(0, bytes.size()), bytes);
    EXPECT_EQ(back.substr(bytes.size()), std::string(8, '\x5A'));
  }
  DWORD type = 0, needed = 0;
  BYTE buffer[16];
  EXPECT_EQ(GetPrinterDataW(printer(), const_cast<LPWSTR>(WTEXT("No Such Value 42")), &type, buffer, sizeof(buffer),
                            &needed),
            DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(Spooler, ARawJobTakesItsBytes) {
  DOC_INFO_1W document = {};
  document.pDocName = const_cast<LPWSTR>(WTEXT("Conformance job"));
  document.pDatatype = const_cast<LPWSTR>(WTEXT("RAW"));
  const DWORD job = StartDocPrinterW(printer(), 1, reinterpret_cast<LPBYTE>(&document));
  ASSERT_NE(job, 0u) << GetLastError();
  EXPECT_TRUE(StartPagePrinter(printer()));
  BYTE bytes[] = {0x1B, 0x45, 0x0D, 0x00};
  DWORD written = 0;
  EXPECT_TRUE(WritePrinter(printer(), bytes, sizeof(bytes), &written));
  EXPECT_EQ(written, DWORD(sizeof(bytes)));
  EXPECT_TRUE(EndPagePrinter(printer()));
  EXPECT_TRUE(EndDocPrinter(printer()));
}

}  // namespace
