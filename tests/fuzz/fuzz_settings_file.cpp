// Arbitrary bytes as a printer's settings file: the page opens it in both languages, every class and item is
// shown, every item is encoded with its value and with every choice, Set All is assembled, and the page closes.
#include <cstdint>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue/registry.h"
#include "resources/module_instance.h"
#include "page/command_encoder.h"
#include "page/command_job.h"
#include "page/settings_page.h"
#include "platform/host/control.h"
#include "platform/host/window_control.h"
#include "tests/fuzz/fuzz_machine.h"

namespace {

const char16_t kPrinter[] = u"Fuzz Printer";
std::string settingsPath;

void Prepare() {
  if (settingsPath.empty()) settingsPath = fuzz_machine::PrinterWithSettingsFile(kPrinter, u"Brand Fuzz", "Fuzz");
}

void EncodeEverything(const SettingsCatalogue &catalogue) {
  for (LONG s = 0; s < catalogue.SectionCount; ++s) {
    const SettingsSection &section = catalogue.Sections[s];
    for (LONG i = 0; i < section.ItemCount; ++i) {
      const SettingsItem &item = section.Items[i];
      WCHAR small[8];
      DWORD size = 0;
      EncodeItemValue(catalogue, s, i, item.CurrentValue, nullptr, &size);
      DWORD need = size;
      size = ARRAYSIZE(small);
      EncodeItemValue(catalogue, s, i, item.CurrentValue, small, &size);
      if (need) {
        std::u16string text(need, u'\0');
        size = need;
        if (EncodeItemValue(catalogue, s, i, item.CurrentValue, text.data(), &size) != need) abort();
      }
      LONG choices = item.ParameterCount > 1 ? 3 : LONG(item.OptionCount) + 1;
      if (choices > 300) choices = 300;
      for (LONG k = -1; k < choices; ++k) {
        WCHAR text[256];
        size = ARRAYSIZE(text);
        EncodeItemChoice(catalogue, s, i, item.ParameterCount > 1 ? (k << 20) : k, text, &size);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Prepare();
  if (!fuzz_machine::WriteBytes(settingsPath, data, size)) return 0;

  for (LANGID language : {LANGID(1033), LANGID(2052)}) {
    host::SetSystemLanguage(language);
    host::SetThreadUILanguage(language);
    HWND sheet = host::CreateSheetWindow(std::u16string(kPrinter) + u" Properties");
    HWND page = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(106), sheet, PrinterSettingsPageProc, 0);
    if (!page) abort();  // the page opens whatever the file holds
    SettingsCatalogue *catalogue = FindCatalogue(kPrinter);
    if (catalogue) {
      for (LONG s = 0; s < catalogue->SectionCount; ++s) {
        ShowSectionItems(page, s);
        for (LONG i = 0; i < catalogue->Sections[s].ItemCount; ++i) ShowItemOptions(page, s, i);
      }
      EncodeEverything(*catalogue);
      SendAllCommands(kPrinter);
    }
    host::ClearMessageBoxes();
    DestroyWindow(sheet);
    host::DestroyThreadWindows();
  }
  host::ClearJobs();
  if (OpenCatalogueCount() != 0) abort();  // the page's close must release its catalogue
  return 0;
}
