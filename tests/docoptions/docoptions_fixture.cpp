#include "tests/docoptions/docoptions_fixture.h"

#include "docoptions/settings_lookup.h"

#if !defined(_WIN32)
#include "platform/host/control.h"
#endif

const WString DocOptionsTest::kDriver = Wide("PrnSet DocModel");

std::vector<BYTE> TextBytes(const std::string &text, bool terminated) {
  WString wide = Wide(text);
  std::vector<BYTE> bytes;
  for (WCHAR c : wide) {
    bytes.push_back(BYTE(c & 0xFF));
    bytes.push_back(BYTE(c >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

std::vector<BYTE> DwordBytes(DWORD value) {
  return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

void ExpectStoredText(const StoredValue &value, const std::string &text) {
  EXPECT_EQ(value.status, DWORD(ERROR_SUCCESS));
  EXPECT_EQ(value.type, DWORD(REG_SZ));
#if defined(_WIN32)
  std::vector<BYTE> bytes = value.bytes;
  if (bytes.size() >= 2 && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0) bytes.resize(bytes.size() - 2);
  EXPECT_EQ(bytes, TextBytes(text));
#else
  EXPECT_EQ(value.bytes, TextBytes(text));
#endif
}

HANDLE ResourceModule() {
#if defined(_WIN32)
  return GetModuleHandleW(nullptr);  // the suite carries the module's resources
#else
  return nullptr;  // the emulation's process image is the module's compiled resources
#endif
}

WString ModuleString(UINT id) {
  WCHAR text[260] = {};
  int length = LoadStringW(static_cast<HINSTANCE>(ResourceModule()), id, text, ARRAYSIZE(text));
  return WString(text, length > 0 ? length : 0);
}

long LiveBlocks(HANDLE heap) {
#if defined(_WIN32)
  long blocks = 0;
  PROCESS_HEAP_ENTRY entry = {};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++blocks;
  HeapUnlock(heap);
  return blocks;
#else
  return host::GetHeapStats(heap).blocks;
#endif
}

void DocOptionsTest::SetUp() {
  testing_machine::Reset();
  const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
  printerName_ = Wide(std::string("DocOpt ") + info->test_suite_name() + " " + info->name());
  for (WCHAR &c : printerName_)
    if (c == '/') c = '-';
#if defined(_WIN32)
  // A printer of the real spooler outlives the run, with its data: start from a new one.
  HANDLE old = nullptr;
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(printerName_.data(), &old, &access)) {
    DeletePrinter(old);
    ClosePrinter(old);
  }
#endif
  ASSERT_TRUE(testing_machine::AddTestPrinter(printerName_, kDriver));
  printer_ = OpenPrinterByName(printerName_.c_str());
  ASSERT_TRUE(printer_);
  ASSERT_EQ(Value("XMove").status, DWORD(ERROR_FILE_NOT_FOUND));
  WriteSettings("");
  heap_ = HeapCreate(0, 0, 0);
  ASSERT_NE(heap_, nullptr);
}

void DocOptionsTest::TearDown() {
  if (heap_) HeapDestroy(heap_);
  printer_.reset();
}

void DocOptionsTest::WriteSettings(const std::string &text) { testing_machine::WriteSettingsFile(kDriver, text); }

void DocOptionsTest::SetValue(const std::string &name, DWORD type, const std::vector<BYTE> &bytes) {
  WString wide = Wide(name);
  std::vector<BYTE> data = bytes;
  data.push_back(0);  // a valid pointer even for no bytes
  ASSERT_EQ(SetPrinterDataW(printer_.get(), wide.data(), type, data.data(), DWORD(bytes.size())),
            DWORD(ERROR_SUCCESS));
}

StoredValue DocOptionsTest::Value(const std::string &name) const {
  WString wide = Wide(name);
  StoredValue value;
  DWORD needed = 0;
  BYTE probe[1];
  value.status = GetPrinterDataW(printer_.get(), wide.data(), &value.type, probe, 0, &needed);
  if (value.status != ERROR_MORE_DATA && value.status != ERROR_SUCCESS) return value;
  value.bytes.resize(needed + 1);
  value.status = GetPrinterDataW(printer_.get(), wide.data(), &value.type, value.bytes.data(), needed, &needed);
  value.bytes.resize(needed);
  return value;
}

int DocOptionsTest::Lookup(const std::string &name, LONG *value) const {
  WString wide = Wide(name);
  return LookupSettingValue(wide.c_str(), printer_.get(), value);
}

OEMCUIPPARAM DocOptionsTest::Param(POPTITEM items, DWORD count, OemPrivateDevmode *devmode) const {
  OEMCUIPPARAM param = {};
  param.cbSize = sizeof(param);
  param.hPrinter = printer_.get();
  param.pPrinterName = const_cast<PWSTR>(printerName_.c_str());
  param.hModule = ResourceModule();
  param.hOEMHeap = heap_;
  param.pOEMDM = devmode;
  param.pOEMOptItems = items;
  param.cOEMOptItems = count;
  return param;
}

std::unique_ptr<DriverItems> DocOptionsTest::BuildPrinterItems() {
  auto built = std::make_unique<DriverItems>();
  built->param = Param(nullptr, 0);
  EXPECT_EQ(BuildPrinterPropertyItems(&built->param), S_OK);
  built->items.assign(built->param.cOEMOptItems, OPTITEM{});
  built->param.pOEMOptItems = built->items.data();
  EXPECT_EQ(BuildPrinterPropertyItems(&built->param), S_OK);
  return built;
}

std::unique_ptr<DriverItems> DocOptionsTest::BuildDocumentItems(OemPrivateDevmode *devmode) {
  auto built = std::make_unique<DriverItems>();
  built->param = Param(nullptr, 0, devmode);
  EXPECT_EQ(BuildDocumentPropertyItems(&built->param), S_OK);
  built->items.assign(built->param.cOEMOptItems, OPTITEM{});
  built->param.pOEMOptItems = built->items.data();
  EXPECT_EQ(BuildDocumentPropertyItems(&built->param), S_OK);
  return built;
}

LONG DocOptionsTest::Notify(DriverItems &built, WORD reason) {
  CPSUICBPARAM callback = {};
  callback.cbSize = sizeof(callback);
  callback.Reason = reason;
  callback.pOptItem = built.items.data();
  callback.cOptItem = WORD(built.items.size());
  EXPECT_NE(built.param.OEMCUIPCallback, nullptr);
  if (!built.param.OEMCUIPCallback) return -1;
  return built.param.OEMCUIPCallback(&callback, &built.param);
}

std::vector<std::string> ChoiceTexts(const OPTITEM &item) {
  std::vector<std::string> texts;
  if (!item.pOptType) return texts;
  for (WORD i = 0; i < item.pOptType->Count; ++i) texts.push_back(Utf8(item.pOptType->pOptParam[i].pData));
  return texts;
}

OemPrivateDevmode DefaultDevmode(DWORD percent) {
  return OemPrivateDevmode{20, kPrivateDevmodeSignature, kPrivateDevmodeVersion, 0, percent};
}

// The fields every slot carries, and those of a built item.
void ExpectSlot(const OPTITEM &item) {
  EXPECT_EQ(item.cbSize, sizeof(OPTITEM));
  EXPECT_EQ(item.DMPubID, DMPUB_NONE);
  EXPECT_EQ(item.DlgPageIdx, 0);
  EXPECT_EQ(item.UserData, 0u);
  EXPECT_EQ(item.pExtChkBox, nullptr);
  EXPECT_EQ(item.HelpIndex, 0u);
  EXPECT_EQ(item.pOIExt, nullptr);
}

void ExpectUpDown(const OPTITEM &item, UINT titleId, LONG low, LONG high, LONG sel) {
  ExpectSlot(item);
  EXPECT_EQ(item.Level, 1);
  EXPECT_EQ(item.Flags, DWORD(OPTIF_COLLAPSE));
  ASSERT_NE(item.pName, nullptr);
  EXPECT_EQ(WString(item.pName), ModuleString(titleId));
  EXPECT_EQ(item.Sel, sel);
  ASSERT_NE(item.pOptType, nullptr);
  EXPECT_EQ(item.pOptType->cbSize, sizeof(OPTTYPE));
  EXPECT_EQ(item.pOptType->Type, TVOT_UDARROW);
  ASSERT_EQ(item.pOptType->Count, 2);
  const OPTPARAM &unit = item.pOptType->pOptParam[0];
  EXPECT_EQ(unit.cbSize, sizeof(OPTPARAM));
  EXPECT_EQ(unit.pData, nullptr);
  EXPECT_EQ(unit.IconID, 0u);
  EXPECT_EQ(unit.lParam, 0);
  const OPTPARAM &range = item.pOptType->pOptParam[1];
  EXPECT_EQ(range.cbSize, sizeof(OPTPARAM));
  EXPECT_EQ(LONG(range.IconID), low);
  EXPECT_EQ(range.lParam, high);
}

void ExpectList(const OPTITEM &item, const std::vector<std::string> &choices, LONG sel) {
  ExpectSlot(item);
  EXPECT_EQ(item.Level, 1);
  EXPECT_EQ(item.Flags, DWORD(OPTIF_COLLAPSE));
  ASSERT_NE(item.pName, nullptr);
  EXPECT_EQ(WString(item.pName), ModuleString(IDS_COMPRESS_TITLE));
  ASSERT_NE(item.pOptType, nullptr);
  EXPECT_EQ(item.pOptType->cbSize, sizeof(OPTTYPE));
  EXPECT_EQ(item.pOptType->Type, TVOT_COMBOBOX);
  EXPECT_EQ(ChoiceTexts(item), choices);
  for (WORD i = 0; i < item.pOptType->Count; ++i) EXPECT_EQ(item.pOptType->pOptParam[i].cbSize, sizeof(OPTPARAM));
  EXPECT_EQ(item.Sel, sel);
}
