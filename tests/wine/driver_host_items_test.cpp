// The driver host: the items the plug-in adds to the driver's settings trees, built on the driver's heap for a real
// printer and applied into its printer data.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

struct StoredValue {
  bool found = false;
  DWORD type = 0;
  std::vector<BYTE> bytes;
};

StoredValue ReadStored(HANDLE printer, const wchar_t *name) {
  StoredValue value;
  BYTE buffer[512];
  DWORD needed = 0;
  if (GetPrinterDataW(printer, const_cast<LPWSTR>(name), &value.type, buffer, sizeof(buffer), &needed) ==
      ERROR_SUCCESS) {
    value.found = true;
    value.bytes.assign(buffer, buffer + needed);
  }
  return value;
}

// UTF-16 bytes of an ASCII text, without a terminator, as the plug-in stores texts.
std::vector<BYTE> TextBytes(const std::string &text) {
  std::vector<BYTE> bytes;
  for (char c : text) {
    bytes.push_back(BYTE(c));
    bytes.push_back(0);
  }
  return bytes;
}

std::vector<BYTE> DwordBytes(DWORD value) {
  std::vector<BYTE> bytes(sizeof(value));
  std::memcpy(bytes.data(), &value, sizeof(value));
  return bytes;
}

// A stored text as the plug-in meant it. The plug-in gives the spooler its texts without a terminator, but the
// registry under it adds the null that follows the text in the caller's buffer (NT does so, and Wine with it).
std::vector<BYTE> StoredText(const StoredValue &value) {
  std::vector<BYTE> bytes = value.bytes;
  if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0)
    bytes.resize(bytes.size() - 2);
  return bytes;
}

bool Store(HANDLE printer, const wchar_t *name, DWORD type, const std::vector<BYTE> &bytes) {
  return SetPrinterDataW(printer, const_cast<LPWSTR>(name), type, const_cast<LPBYTE>(bytes.data()),
                         DWORD(bytes.size())) == ERROR_SUCCESS;
}

// The driver's part of CommonUIProp: its heap, its own items, and the two calls.
class SettingsTree {
 public:
  SettingsTree(IPrintOemUI *plugin, HMODULE module, const OpenedPrinter &printer, DriverDevmode *devmode)
      : plugin_(plugin), heap_(HeapCreate(0, 0, 0)) {
    std::memset(driverItems_, 0x5A, sizeof(driverItems_));
    param_.cbSize = sizeof(param_);
    param_.poemuiobj = reinterpret_cast<POEMUIOBJ>(&driverObject_);
    param_.hPrinter = printer.Handle();
    param_.pPrinterName = const_cast<LPWSTR>(printer.Name().c_str());
    param_.hModule = module;
    param_.hOEMHeap = heap_;
    param_.pPublicDM = devmode ? devmode->Public() : nullptr;
    param_.pOEMDM = devmode ? devmode->Private() : nullptr;
    param_.pDrvOptItems = driverItems_;
    param_.cDrvOptItems = ARRAYSIZE(driverItems_);
  }
  ~SettingsTree() {
    if (heap_) HeapDestroy(heap_);
  }

  // The first call: how many items the plug-in adds.
  HRESULT Count(DWORD mode) {
    param_.pOEMOptItems = nullptr;
    param_.cOEMOptItems = 0;
    return plugin_->CommonUIProp(mode, &param_);
  }
  // The second call, on slots the driver allocated (and that held its heap's leftovers).
  HRESULT Fill(DWORD mode) {
    param_.pOEMOptItems = static_cast<POPTITEM>(HeapAlloc(heap_, 0, param_.cOEMOptItems * sizeof(OPTITEM)));
    if (!param_.pOEMOptItems) return E_OUTOFMEMORY;
    std::memset(param_.pOEMOptItems, 0xAB, param_.cOEMOptItems * sizeof(OPTITEM));
    return plugin_->CommonUIProp(mode, &param_);
  }
  // The driver's call of the plug-in's callback for a page event.
  LONG Event(WORD reason, DWORD slot = 0) {
    CPSUICBPARAM callback = {};
    callback.cbSize = sizeof(callback);
    callback.Reason = reason;
    callback.pOptItem = param_.pOEMOptItems;
    callback.cOptItem = WORD(param_.cOEMOptItems);
    callback.pCurItem = param_.pOEMOptItems + slot;
    return param_.OEMCUIPCallback ? param_.OEMCUIPCallback(&callback, &param_) : -1;
  }

  OEMCUIPPARAM &Param() { return param_; }
  OPTITEM &Item(DWORD slot) { return param_.pOEMOptItems[slot]; }
  bool FromHeap(const void *block) const { return block && HeapValidate(heap_, 0, block); }
  bool DriverItemsUntouched() const {
    const BYTE *bytes = reinterpret_cast<const BYTE *>(driverItems_);
    return std::all_of(bytes, bytes + sizeof(driverItems_), [](BYTE b) { return b == 0x5A; });
  }

 private:
  IPrintOemUI *plugin_;
  HANDLE heap_;
  int driverObject_ = 0;
  OPTITEM driverItems_[2];
  OEMCUIPPARAM param_ = {};
};

std::vector<std::string> Choices(const OPTITEM &item) {
  std::vector<std::string> texts;
  if (!item.pOptType) return texts;
  for (WORD k = 0; k < item.pOptType->Count; ++k)
    texts.push_back(Utf8(static_cast<const WCHAR *>(item.pOptType->pOptParam[k].pData)));
  return texts;
}

void ExpectUpDown(const SettingsTree &tree, const OPTITEM &item, const char *title, LONG low, LONG high) {
  EXPECT_EQ(item.cbSize, sizeof(OPTITEM));
  EXPECT_EQ(item.Level, 1);
  EXPECT_EQ(item.Flags, DWORD(OPTIF_COLLAPSE));
  EXPECT_EQ(item.UserData, 0u) << "the slot was not cleared";
  EXPECT_EQ(item.DMPubID, DMPUB_NONE);
  EXPECT_EQ(Utf8(item.pName), title);
  EXPECT_TRUE(tree.FromHeap(item.pName)) << "title outside the driver's heap";
  ASSERT_NE(item.pOptType, nullptr);
  EXPECT_TRUE(tree.FromHeap(item.pOptType));
  EXPECT_EQ(item.pOptType->cbSize, sizeof(OPTTYPE));
  EXPECT_EQ(item.pOptType->Type, TVOT_UDARROW);
  ASSERT_EQ(item.pOptType->Count, 2);
  EXPECT_TRUE(tree.FromHeap(item.pOptType->pOptParam));
  EXPECT_EQ(item.pOptType->pOptParam[0].pData, nullptr);
  EXPECT_EQ(LONG(item.pOptType->pOptParam[1].IconID), low);
  EXPECT_EQ(LONG(item.pOptType->pOptParam[1].lParam), high);
}

DWORD CompressPercent(DriverDevmode &devmode) { return devmode.Record()[4]; }

TEST_F(DriverHost, DocumentItemFollowsTheDevmodeAndStoresItsValue) {
  if (!SameLanguages()) GTEST_SKIP() << "mixed languages";
  ASSERT_TRUE(PreparePrinter());
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  OpenedPrinter printer(kPrinter);
  ASSERT_NE(printer.Handle(), nullptr);

  // The devmode's percentage as the item starts from it: values below 25 are raised to 100 in the devmode too.
  const std::pair<DWORD, LONG> starts[] = {{10, 100}, {24, 100}, {25, 25}, {80, 80}, {100, 100}};
  for (const auto &start : starts) {
    SCOPED_TRACE(testing::Message() << "CompressPercent " << start.first);
    DriverDevmode devmode(20);
    devmode.Write({20, kSignature, 1, 0, start.first});
    SettingsTree tree(plugin, library_.Module(), printer, &devmode);
    ASSERT_EQ(tree.Count(OEMCUIP_DOCPROP), S_OK);
    ASSERT_EQ(tree.Param().cOEMOptItems, 1u);
    ASSERT_EQ(tree.Fill(OEMCUIP_DOCPROP), S_OK) << "the driver shows the item only on success";
    ASSERT_NE(tree.Param().OEMCUIPCallback, nullptr);
    ExpectUpDown(tree, tree.Item(0), ItemTitlesInProcessLanguage().compress, 25, 100);
    EXPECT_EQ(tree.Item(0).Sel, start.second);
    EXPECT_EQ(CompressPercent(devmode), DWORD(start.second));
    EXPECT_TRUE(tree.DriverItemsUntouched());
  }

  DriverDevmode devmode(20);
  devmode.Write({20, kSignature, 1, 0, 100});
  SettingsTree tree(plugin, library_.Module(), printer, &devmode);
  ASSERT_EQ(tree.Count(OEMCUIP_DOCPROP), S_OK);
  ASSERT_EQ(tree.Fill(OEMCUIP_DOCPROP), S_OK);
  OPTITEM &item = tree.Item(0);

  // Coming back to the page: the devmode's value wins and the driver is told to redraw the item.
  devmode.Write({20, kSignature, 1, 0, 60});
  item.Sel = 70;
  EXPECT_EQ(tree.Event(CPSUICB_REASON_SETACTIVE), CPSUICB_ACTION_OPTIF_CHANGED);
  EXPECT_EQ(item.Sel, 60);
  EXPECT_TRUE(item.Flags & OPTIF_CHANGED);
  EXPECT_EQ(tree.Event(CPSUICB_REASON_SETACTIVE), CPSUICB_ACTION_NONE);
  // Leaving it: the item's value goes into the devmode, not yet into printer data.
  item.Sel = 45;
  EXPECT_EQ(tree.Event(CPSUICB_REASON_KILLACTIVE), CPSUICB_ACTION_NONE);
  EXPECT_EQ(CompressPercent(devmode), 45u);
  EXPECT_FALSE(ReadStored(printer.Handle(), L"COMPRESS_VALUE").found);
  // Applying: the devmode and the printer's data.
  item.Sel = 80;
  EXPECT_EQ(tree.Event(CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  EXPECT_EQ(CompressPercent(devmode), 80u);
  StoredValue stored = ReadStored(printer.Handle(), L"COMPRESS_VALUE");
  EXPECT_TRUE(stored.found);
  EXPECT_EQ(stored.type, DWORD(REG_DWORD));
  EXPECT_EQ(stored.bytes, DwordBytes(80));

  // The printer's own compression list reads the document's number back as the choice "80".
  SettingsTree printerTree(plugin, library_.Module(), printer, nullptr);
  ASSERT_EQ(printerTree.Count(OEMCUIP_PRNPROP), S_OK);
  ASSERT_EQ(printerTree.Fill(OEMCUIP_PRNPROP), S_OK);
  ASSERT_EQ(Choices(printerTree.Item(0)), (std::vector<std::string>{"100", "80", "60"}));
  EXPECT_EQ(printerTree.Item(0).Sel, 1);
  plugin->Release();
}

struct StoredCase {
  const char *name;
  const wchar_t *value;
  DWORD type;
  std::vector<BYTE> bytes;
  LONG compressSel;
  LONG move;
};

TEST_F(DriverHost, PrinterItemsComeFromTheSettingsFileAndThePrintersData) {
  if (!SameLanguages()) GTEST_SKIP() << "mixed languages";
  ASSERT_TRUE(PreparePrinter());
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  OpenedPrinter printer(kPrinter);
  ASSERT_NE(printer.Handle(), nullptr);
  const ItemTitles &titles = ItemTitlesInProcessLanguage();

  {
    SettingsTree tree(plugin, library_.Module(), printer, nullptr);
    ASSERT_EQ(tree.Count(OEMCUIP_PRNPROP), S_OK);
    ASSERT_EQ(tree.Param().cOEMOptItems, 2u);
    ASSERT_EQ(tree.Fill(OEMCUIP_PRNPROP), S_OK);
    ASSERT_NE(tree.Param().OEMCUIPCallback, nullptr);
    EXPECT_TRUE(tree.DriverItemsUntouched());

    OPTITEM &compress = tree.Item(0);
    EXPECT_EQ(compress.cbSize, sizeof(OPTITEM));
    EXPECT_EQ(compress.Level, 1);
    EXPECT_EQ(compress.Flags, DWORD(OPTIF_COLLAPSE));
    EXPECT_EQ(Utf8(compress.pName), titles.compress);
    EXPECT_TRUE(tree.FromHeap(compress.pName));
    ASSERT_NE(compress.pOptType, nullptr);
    EXPECT_TRUE(tree.FromHeap(compress.pOptType));
    EXPECT_TRUE(tree.FromHeap(compress.pOptType->pOptParam));
    EXPECT_EQ(compress.pOptType->Type, TVOT_COMBOBOX);
    // The file's "060" is the number 60, and "COMPRESS_VALUE=80" selects the second choice.
    EXPECT_EQ(Choices(compress), (std::vector<std::string>{"100", "80", "60"}));
    EXPECT_EQ(compress.Sel, 1);
    ExpectUpDown(tree, tree.Item(1), titles.move, -50, 50);
    EXPECT_EQ(tree.Item(1).Sel, 5);

    // Only applying stores anything.
    compress.Sel = 2;
    tree.Item(1).Sel = -7;
    const WORD otherReasons[] = {CPSUICB_REASON_SETACTIVE, CPSUICB_REASON_KILLACTIVE, CPSUICB_REASON_SEL_CHANGED};
    for (WORD reason : otherReasons) EXPECT_EQ(tree.Event(reason), CPSUICB_ACTION_NONE);
    for (const wchar_t *name : kStoredNames) EXPECT_FALSE(ReadStored(printer.Handle(), name).found) << Utf8(name);
    EXPECT_EQ(tree.Event(CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
    StoredValue compressValue = ReadStored(printer.Handle(), L"COMPRESS_VALUE");
    EXPECT_EQ(compressValue.type, DWORD(REG_SZ));
    EXPECT_EQ(StoredText(compressValue), TextBytes("60"));
    StoredValue move = ReadStored(printer.Handle(), L"XMove");
    EXPECT_EQ(move.type, DWORD(REG_SZ));
    EXPECT_EQ(StoredText(move), TextBytes("-7"));
  }

  // The next opening of the printer's settings starts from what the printer holds, whatever it holds.
  const StoredCase cases[] = {
      {"applied values", nullptr, 0, {}, 2, -7},
      {"the move's bounds", L"XMove", REG_SZ, TextBytes("-50"), 2, -50},
      {"a move out of range", L"XMove", REG_SZ, TextBytes("75"), 2, 0},
      {"a document's number", L"COMPRESS_VALUE", REG_DWORD, DwordBytes(100), 0, 0},
      {"a text no choice has", L"COMPRESS_VALUE", REG_SZ, TextBytes("55"), 0, 0},
      {"a value too large to read", L"COMPRESS_VALUE", REG_SZ, TextBytes(std::string(150, '6')), 1, 0},
      {"an empty value", L"XMove", REG_SZ, {}, 1, 0},
  };
  for (const StoredCase &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.value) {
      ASSERT_TRUE(Store(printer.Handle(), c.value, c.type, c.bytes));
    }
    SettingsTree tree(plugin, library_.Module(), printer, nullptr);
    ASSERT_EQ(tree.Count(OEMCUIP_PRNPROP), S_OK);
    ASSERT_EQ(tree.Param().cOEMOptItems, 2u);
    ASSERT_EQ(tree.Fill(OEMCUIP_PRNPROP), S_OK);
    EXPECT_EQ(tree.Item(0).Sel, c.compressSel);
    EXPECT_EQ(tree.Item(1).Sel, c.move);
  }

  // A printer whose driver has no settings file has both switches off: no items at all.
  ASSERT_TRUE(PreparePrinter(kPrinterWithoutFile, false));
  OpenedPrinter bare(kPrinterWithoutFile);
  SettingsTree tree(plugin, library_.Module(), bare, nullptr);
  EXPECT_EQ(tree.Count(OEMCUIP_PRNPROP), S_OK);
  EXPECT_EQ(tree.Param().cOEMOptItems, 0u);
  plugin->Release();
}

}  // namespace
