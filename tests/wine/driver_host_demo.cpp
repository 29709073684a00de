// The driver host's demo mode and its entry point: `driver_host_tests.exe --demo FILE` shows what a printer's real
// property sheet makes of the settings file FILE with the real DLL; without --demo the program is the driver host's
// test suite.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/wine/driver_host.h"

namespace driver_host {

namespace {

// Output as UTF-8, with no line-end translation, whether it goes to a pipe or to Wine's console.
void Print(const std::string &text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
}

void Line(const std::string &text = std::string()) { Print(text + "\n"); }

std::string Hex(const std::vector<BYTE> &bytes, size_t from, size_t count) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = from; i < from + count && i < bytes.size(); ++i) {
    if (i > from) out += ' ';
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

std::string Number(unsigned long long value, bool hex = false) {
  char text[32];
  std::snprintf(text, sizeof(text), hex ? "0x%llX" : "%llu", value);
  return text;
}

// Texts of a list box's or combo box's rows.
std::vector<std::string> Rows(HWND control, bool combo) {
  std::vector<std::string> rows;
  const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
  LRESULT count = SendMessageW(control, countMessage, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WString text(size_t(SendMessageW(control, lengthMessage, WPARAM(i), 0)) + 1, L'\0');
    SendMessageW(control, textMessage, WPARAM(i), reinterpret_cast<LPARAM>(&text[0]));
    rows.push_back(Utf8(text.c_str()));
  }
  return rows;
}

bool RowSelected(HWND list, bool multi, LRESULT row) {
  return multi ? SendMessageW(list, LB_GETSEL, WPARAM(row), 0) > 0 : SendMessageW(list, LB_GETCURSEL, 0, 0) == row;
}

// The hint's lines, indented under their label.
std::string Indented(const std::string &text, const std::string &indent) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    out += c;
    if (c == '\n') out += indent;
  }
  return out;
}

// The settings file's model name: the file name without "_Settings.Dat".
bool ModelOfSettingsFile(const WString &path, WString &model) {
  size_t slash = path.find_last_of(L"\\/");
  WString name = slash == WString::npos ? path : path.substr(slash + 1);
  const WString suffix = L"_Settings.Dat";
  if (name.size() <= suffix.size() ||
      lstrcmpiW(name.c_str() + name.size() - suffix.size(), suffix.c_str()) != 0)
    return false;
  model = name.substr(0, name.size() - suffix.size());
  return true;
}

void ShowPage(HWND page) {
  HWND classes = GetDlgItem(page, IDC_CLASS_LIST);
  LRESULT chosenClass = SendMessageW(classes, CB_GETCURSEL, 0, 0);
  std::vector<std::string> classRows = Rows(classes, true);
  Line("Classes (list 1002):");
  for (size_t i = 0; i < classRows.size(); ++i)
    Line(std::string(LRESULT(i) == chosenClass ? "  > " : "    ") + classRows[i]);

  HWND items = GetDlgItem(page, IDC_ITEM_LIST);
  LRESULT chosenItem = SendMessageW(items, LB_GETCURSEL, 0, 0);
  std::vector<std::string> itemRows = Rows(items, false);
  Line("Items of the first class (list 1003):");
  for (size_t i = 0; i < itemRows.size(); ++i)
    Line(std::string(LRESULT(i) == chosenItem ? "  > " : "    ") + itemRows[i]);

  const bool multi = IsWindowVisible(GetDlgItem(page, IDC_MULTI_OPTIONS)) != FALSE;
  HWND options = GetDlgItem(page, multi ? IDC_MULTI_OPTIONS : IDC_SINGLE_OPTIONS);
  std::vector<std::string> optionRows = Rows(options, false);
  Line(std::string("Options of the first item (list ") + (multi ? "1004, several may be chosen" : "1009") + "):");
  for (size_t i = 0; i < optionRows.size(); ++i)
    Line(std::string(RowSelected(options, multi, LRESULT(i)) ? "  > " : "    ") + optionRows[i]);
  Line("Hint (1007): " + Indented(sheet_harness::WindowText(GetDlgItem(page, IDC_HINTS)), "              "));
}

// The items the plug-in adds to the printer's own settings, built as the driver builds them.
void ShowPrinterItems(IPrintOemUI *plugin, HMODULE module, const OpenedPrinter &printer) {
  HANDLE heap = HeapCreate(0, 0, 0);
  if (!heap) return;
  OEMCUIPPARAM param = {};
  param.cbSize = sizeof(param);
  param.hPrinter = printer.Handle();
  param.pPrinterName = const_cast<LPWSTR>(printer.Name().c_str());
  param.hModule = module;
  param.hOEMHeap = heap;
  if (SUCCEEDED(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param)) && param.cOEMOptItems > 0) {
    param.pOEMOptItems =
        static_cast<POPTITEM>(HeapAlloc(heap, HEAP_ZERO_MEMORY, param.cOEMOptItems * sizeof(OPTITEM)));
    if (param.pOEMOptItems && SUCCEEDED(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param))) {
      Line("Items the plug-in adds to the printer's settings (CommonUIProp, OEMCUIP_PRNPROP):");
      for (DWORD i = 0; i < param.cOEMOptItems; ++i) {
        const OPTITEM &item = param.pOEMOptItems[i];
        std::string line = "    " + Utf8(item.pName) + ": ";
        if (item.pOptType && item.pOptType->Type == TVOT_COMBOBOX) {
          for (WORD k = 0; k < item.pOptType->Count; ++k) {
            const WCHAR *text = static_cast<const WCHAR *>(item.pOptType->pOptParam[k].pData);
            line += std::string(k ? " | " : "") + (LONG(k) == item.Sel ? "> " : "") + Utf8(text);
          }
        } else if (item.pOptType && item.pOptType->Count > 1) {
          const OPTPARAM &range = item.pOptType->pOptParam[1];
          line += std::to_string(item.Sel) + " (from " + std::to_string(LONG(range.IconID)) + " to " +
                  std::to_string(LONG(range.lParam)) + ")";
        }
        Line(line);
      }
    }
  } else {
    Line("Items the plug-in adds to the printer's settings: none (switched off in [Settings])");
  }
  HeapDestroy(heap);
}

}  // namespace

int RunDemo(const WString &settingsFile) {
  // The Unix path, when Wine was given one the Windows side does not read as it is.
  WString path = settingsFile;
  std::string bytes;
  if (!sheet_harness::ReadWholeFile(path, bytes)) {
    path = sheet_harness::DosPath(Utf8(settingsFile));
    if (path.empty() || !sheet_harness::ReadWholeFile(path, bytes)) {
      Line("Cannot read the settings file " + Utf8(settingsFile) + ".");
      return 2;
    }
  }
  WString model;
  if (!ModelOfSettingsFile(settingsFile, model)) {
    Line("A settings file is named after its driver: <model>_Settings.Dat, not " + Utf8(settingsFile) + ".");
    return 2;
  }
  // The driver's name is the file's model after a first word, and the printer is named after the model.
  const WString driver = L"Generic " + model, printerName = model;
  if (!testing_machine::AddTestPrinter(printerName, driver)) {
    Line("The spooler did not add the printer " + Utf8(printerName) + ".");
    return 1;
  }
  WString installed = testing_machine::WriteSettingsFile(driver, bytes);
  sheet_harness::PortFile port;
  if (!port.Ready()) {
    Line("The printer's port cannot be pointed at a file.");
    return 1;
  }
  Line("Printer \"" + Utf8(printerName) + "\", driver \"" + Utf8(driver) + "\", port LPT1:");
  Line("Settings file: " + Utf8(installed));

  PluginLibrary library;
  if (!library.Ready()) {
    Line("Cannot load " + Utf8(library.Path()) + " (error " + Number(library.LoadError()) + ").");
    return 1;
  }
  HRESULT created = E_FAIL;
  IPrintOemUI *plugin = CreatePlugin(library, &created);
  if (!plugin) {
    Line("The DLL gave no plug-in object (" + Number(ULONG(created), true) + ").");
    return 1;
  }
  DriverInterface driverInterface;
  plugin->PublishDriverInterface(&driverInterface);
  DWORD signature = 0, version = 0, needed = 0;
  plugin->GetInfo(OEMGI_GETSIGNATURE, &signature, sizeof(signature), &needed);
  plugin->GetInfo(OEMGI_GETVERSION, &version, sizeof(version), &needed);
  OEMDMPARAM dm = {};
  dm.cbSize = sizeof(dm);
  plugin->DevMode(OEMDM_SIZE, &dm);
  Line("Loaded " + Utf8(library.Path()));
  Line("Plug-in object: signature " + Number(signature, true) + ", version " + Number(version) + ", private devmode " +
       Number(dm.cbBufSize) + " bytes");

  int exitCode = 0;
  {
    OpenedPrinter printer(printerName);
    ShowPrinterItems(plugin, library.Module(), printer);

    DeviceSheet sheet(plugin, printerName);
    if (!sheet.Open()) {
      Line("The printer's property sheet did not open.");
      exitCode = 1;
    } else {
      HWND page = sheet.Page();
      Line();
      Line("Sheet \"" + sheet_harness::WindowText(sheet.Sheet().Sheet()) + "\", page \"" + sheet.Sheet().TabTitle() +
           "\" from " + Utf8(library.Path()));
      ShowPage(page);
      Line();
      WString setAll(64, L'\0');
      GetWindowTextW(GetDlgItem(page, IDC_SET_ALL), &setAll[0], int(setAll.size()));
      Line("Pressing \"" + Utf8(setAll.c_str()) + "\" (1008)");
      port.Take();
      sheet.Sheet().Answer(IDOK);
      SendMessageW(GetDlgItem(page, IDC_SET_ALL), BM_CLICK, 0, 0);
      for (const sheet_harness::ShownBox &box : sheet.Sheet().TakeBoxes())
        Line("Message box \"" + box.caption + "\": " + box.text);
      sheet_harness::SentJob job = port.Take();
      if (!job.sent) {
        Line("Nothing reached the printer's port.");
        exitCode = 1;
      } else {
        Line("Raw job at the printer's port, " + Number(job.bytes.size()) + " bytes:");
        for (size_t at = 0; at < job.bytes.size(); at += 16) Line("    " + Hex(job.bytes, at, 16));
      }
      sheet.Close();
    }
  }
  plugin->Release();
  HRESULT unload = library.CanUnloadNow();
  bool unloaded = library.Unload();
  Line();
  Line(std::string("Plug-in released: DllCanUnloadNow ") + (unload == S_OK ? "S_OK" : "S_FALSE") + ", " +
       (unloaded ? "DLL unloaded" : "DLL still loaded"));
  if (unload != S_OK || !unloaded) exitCode = 1;
  return exitCode;
}

}  // namespace driver_host

int main(int argc, char **argv) {
  int wideCount = 0;
  LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
  if (wide && wideCount >= 2 && lstrcmpW(wide[1], L"--demo") == 0) {
    SetConsoleOutputCP(CP_UTF8);
    int code = 2;
    if (wideCount == 3) code = driver_host::RunDemo(wide[2]);
    else std::fputs("usage: driver_host_tests.exe --demo FILE\n", stderr);
    LocalFree(wide);
    return code;
  }
  if (wide) LocalFree(wide);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
