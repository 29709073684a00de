// A printer of the test's own with its settings file, an OEM heap like the driver's, and the driver's side of the
// two-call item protocol, for the same tests on the emulation and on the real spooler.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devmode/private_devmode.h"
#include "docoptions/property_items.h"
#include "platform/platform.h"
#include "platform/owner.h"
#include "tests/support/test_machine.h"

// Printer data as the spooler hands it back.
struct StoredValue {
  DWORD status = ERROR_FILE_NOT_FOUND;
  DWORD type = 0;
  std::vector<BYTE> bytes;
};

// UTF-16 bytes of a text, without a terminator unless asked for.
std::vector<BYTE> TextBytes(const std::string &text, bool terminated = false);
std::vector<BYTE> DwordBytes(DWORD value);
// A value the plug-in stored as REG_SZ without terminator. The emulation hands back exactly the bytes stored, as
// the platform's registry keeps them; Wine's spooler hands such a value back with a terminator of its own.
void ExpectStoredText(const StoredValue &value, const std::string &text);

// The module whose string table holds the item titles.
HANDLE ResourceModule();
// String `id` of the module as the resource loader gives it.
WString ModuleString(UINT id);

// Blocks in use in a heap of HeapCreate.
long LiveBlocks(HANDLE heap);

// The slots the driver set aside after the first call, and the parameter block of both calls.
struct DriverItems {
  std::vector<OPTITEM> items;
  OEMCUIPPARAM param = {};
};

class DocOptionsTest : public ::testing::Test {
 protected:
  static const WString kDriver;  // "PrnSet DocModel": settings file DocModel_Settings.Dat

  void SetUp() override;
  void TearDown() override;

  HANDLE printer() const { return printer_.get(); }
  const WString &printerName() const { return printerName_; }
  HANDLE heap() const { return heap_; }

  void WriteSettings(const std::string &text);
  void SetValue(const std::string &name, DWORD type, const std::vector<BYTE> &bytes);
  StoredValue Value(const std::string &name) const;
  // The printer's data as the value the lookup finds.
  int Lookup(const std::string &name, LONG *value) const;

  // A parameter block as the driver fills it for this printer.
  OEMCUIPPARAM Param(POPTITEM items, DWORD count, OemPrivateDevmode *devmode = nullptr) const;
  // Both calls of the protocol, the slots sized by the first one's answer.
  std::unique_ptr<DriverItems> BuildPrinterItems();
  std::unique_ptr<DriverItems> BuildDocumentItems(OemPrivateDevmode *devmode);
  // The driver calling an item callback.
  static LONG Notify(DriverItems &items, WORD reason);

 private:
  WString printerName_;
  UniquePrinter printer_;
  HANDLE heap_ = nullptr;
};

// The choice texts of a drop-down item, in order.
std::vector<std::string> ChoiceTexts(const OPTITEM &item);

// The document options switched on for both items.
inline constexpr char kBothOn[] = "[Settings]\nLandscape_Compress=1\nXMoveEnable=1\n";

// The plug-in's private DEVMODE area as it stands after OEMDM_DEFAULT, with the given percentage.
OemPrivateDevmode DefaultDevmode(DWORD percent);

// The fields every slot carries; an up-down item with its title, range and selection; a drop-down item of the
// compression title with its choices and selection.
void ExpectSlot(const OPTITEM &item);
void ExpectUpDown(const OPTITEM &item, UINT titleId, LONG low, LONG high, LONG sel);
void ExpectList(const OPTITEM &item, const std::vector<std::string> &choices, LONG sel);
