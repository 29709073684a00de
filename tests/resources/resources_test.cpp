// The module's resources, read back through the platform's loader: on Linux from the .res the build compiles, under
// Wine from the test executable, which links the same scripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/module_instance.h"
#include "resources/resource.h"
#include "platform/host/dialog_template.h"
#include "tests/support/test_machine.h"

namespace {

constexpr WORD kEnglish = 1033;
constexpr WORD kChinese = 2052;

struct StringCase {
  UINT id;
  const char *english;
  const char *chinese;
  int buffer;  // characters of the buffer its user loads it into; 0 when nothing loads it
};

const StringCase kStrings[] = {
    {IDS_ADDED_ITEM, "OEM UI Added Item", "OEM UI 附加选项", 0},
    {IDS_CALIBRATED, "Printer has been calibrated.", "打印机已经被调整。", 260},
    {IDS_CUSTOMIZATION_DLL, "OEM UI Customization DLL", "OEM UI 自定义DLL", 260},
    {IDS_DEVICE_ADDED_ITEM, "Device Settings OEM UI Added Item", "设备设置 OEM UI 附加选项", 0},
    {IDS_DEFAULT, "Default", "默认值", 64},
    {IDS_ALL_COMMANDS_SENT, "All setting commands have been sent to the printer !", "已将所有设置命令发送到打印机。",
     100},
    {IDS_COMMAND_SENT, "The setting command has been sent to the printer !", "已经发送指定的设置命令到打印机。",
     100},
    {IDS_SEND_FAILED, "That some error while sending commands , please retry !", "命令发送过程出错，请稍后再试！",
     100},
    {IDS_JOB_NAME, "Printer Setting Job", "打印机设置任务", 100},
    {IDS_COMPRESS_TITLE, "Landscape orientation compressibility(%)", "图形打印横向压缩率(%)", 260},
    {IDS_RESET_CONFIRM,
     "Sure to reset the whole menu in the driver Printer Setting label?\r\n"
     "(Note:The settings worn't be sent to the printer until the \"Set All\" button is clicked.)",
     "你确定需要将所有设置选项重置为默认值吗？\r\n此操作不会改变打印机设置。", 250},
    {IDS_XMOVE_TITLE, "landscape orientation move (mm) ", "打印内容横向移动(mm)", 260},
    {IDS_JOB_WRITTEN, "The job has been written to the file:\r\n%s", "设置任务已写入文件：\r\n%s", 100},
};

// The process runs with the thread UI language the resource loader picks by (on Linux the test sets it; under Wine
// it is the environment's, so a test of the other language skips).
bool ThreadSpeaks(LANGID language) {
  return testing_machine::UseSystemLanguage(language) && GetThreadUILanguage() == language;
}

class ModuleResources : public ::testing::Test {
 protected:
  void SetUp() override { testing_machine::Reset(); }
  void TearDown() override { testing_machine::Reset(); }
};

// String `id` of one language, read from its string-table block without the loader's language pick.
WString StringOf(UINT id, WORD language) {
  HRSRC block = FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW((id >> 4) + 1), language);
  if (!block) return Wide("<no block>");
  const WCHAR *p = static_cast<const WCHAR *>(LockResource(LoadResource(nullptr, block)));
  DWORD units = SizeofResource(nullptr, block) / sizeof(WCHAR);
  DWORD at = 0;
  for (UINT i = 0; i < (id & 15); ++i) {
    if (at >= units) return WString();
    at += 1 + p[at];
  }
  if (at >= units || at + 1 + p[at] > units) return WString();
  return WString(p + at + 1, p[at]);
}

host::DialogTemplate TemplateOf(WORD id, WORD language) {
  host::DialogTemplate dialog;
  HRSRC resource = FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(id), language);
  EXPECT_NE(resource, nullptr) << "template " << id << " language " << language;
  if (!resource) return dialog;
  const void *data = LockResource(LoadResource(nullptr, resource));
  EXPECT_TRUE(ParseDialogTemplate(data, SizeofResource(nullptr, resource), dialog));
  return dialog;
}

TEST_F(ModuleResources, EveryStringIsStoredInBothLanguages) {
  for (const StringCase &c : kStrings) {
    EXPECT_EQ(Utf8(StringOf(c.id, kEnglish)), c.english) << "id " << c.id;
    EXPECT_EQ(Utf8(StringOf(c.id, kChinese)), c.chinese) << "id " << c.id;
  }
}

// The loader picks the thread's language, and every text fits the buffer its user loads it into.
void ExpectLoadedStrings(LANGID language) {
  for (const StringCase &c : kStrings) {
    std::string expected = language == kChinese ? c.chinese : c.english;
    WCHAR buffer[300];
    int n = LoadStringW(ModuleInstance(), c.id, buffer, ARRAYSIZE(buffer));
    EXPECT_EQ(Utf8(buffer), expected) << "id " << c.id;
    EXPECT_EQ(n, lstrlenW(buffer));
    if (c.buffer) {
      EXPECT_LT(n, c.buffer) << "id " << c.id << " would be cut in its buffer";
    }
  }
}

TEST_F(ModuleResources, LoadsEnglishStringsOnAnEnglishThread) {
  if (!ThreadSpeaks(kEnglish)) GTEST_SKIP() << "the process's UI language is not English";
  ExpectLoadedStrings(kEnglish);
}

TEST_F(ModuleResources, LoadsChineseStringsOnAChineseThread) {
  if (!ThreadSpeaks(kChinese)) GTEST_SKIP() << "the process's UI language is not Chinese";
  ExpectLoadedStrings(kChinese);
}

TEST_F(ModuleResources, LoadStringCutsToTheBufferAndCanPointIntoTheImage) {
  const bool chinese = GetThreadUILanguage() == kChinese;
  auto text = [&](UINT id) { return Wide(chinese ? kStrings[id - 1].chinese : kStrings[id - 1].english); };

  WCHAR small[8];
  for (WCHAR &c : small) c = u'#';
  EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_RESET_CONFIRM, small, ARRAYSIZE(small)), 7);
  EXPECT_EQ(WString(small), text(IDS_RESET_CONFIRM).substr(0, 7));

  const WCHAR *image = nullptr;
  int length = LoadStringW(ModuleInstance(), IDS_XMOVE_TITLE, reinterpret_cast<LPWSTR>(&image), 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(WString(image, length), text(IDS_XMOVE_TITLE));

  WCHAR buffer[16] = {u'x'};
  EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_JOB_WRITTEN + 1, buffer, ARRAYSIZE(buffer)), 0);  // past the table
  EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_DEFAULT, nullptr, 10), 0);
}

// Predefined window classes as the template stores them.
constexpr WORD kButton = 0x80, kStatic = 0x82, kListBox = 0x83, kComboBox = 0x85;
constexpr DWORD kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr DWORD kTabStop = 0x00010000, kGroup = 0x00020000, kBorder = 0x00800000, kVScroll = 0x00200000;
constexpr DWORD kDropDownList = 0x0003, kNotify = 0x0001, kMultipleSel = 0x0008, kNoIntegralHeight = 0x0100;
constexpr DWORD kGroupBox = 0x0007, kCenter = 0x0001;
constexpr DWORD kListStyle = kNotify | kNoIntegralHeight | kBorder | kVScroll | kTabStop;

struct ControlCase {
  LONG id;
  WORD windowClass;
  const char *english;
  const char *chinese;
  SHORT x, y, cx, cy;
  DWORD style;  // beyond WS_CHILD | WS_VISIBLE
};

const ControlCase kPageControls[] = {
    {IDC_CLASS_LIST, kComboBox, "", "", 7, 33, 122, 73, kDropDownList | kVScroll | kTabStop},
    {IDC_ITEM_LIST, kListBox, "", "", 10, 61, 120, 127, kListStyle},
    {IDC_MULTI_OPTIONS, kListBox, "", "", 134, 87, 127, 101, kListStyle | kMultipleSel},
    {IDC_RESET_ALL, kButton, "Reset All", "重置所有项为默认值", 134, 33, 93, 13, kTabStop},
    {IDC_SET_CURRENT, kButton, "Set Current", "设置当前项", 133, 195, 66, 16, kTabStop},
    {-1, kButton, "Options :", "设置选项：", 7, 50, 257, 140, kGroupBox},
    {-1, kStatic, "Printer Setting Menu", "打印机设置菜单", 98, 9, 87, 13, kGroup},
    {-1, kStatic, "Select Printer Setting Class :", "请选择设置类别：", 7, 20, 121, 13, kGroup},
    {IDC_HINTS, kStatic, "Hints :", "Hints :", 136, 58, 120, 29, kGroup | kCenter},
    {IDC_SET_ALL, kButton, "Set All", "设置所有项", 7, 195, 66, 16, kTabStop},
    {IDC_SINGLE_OPTIONS, kListBox, "", "", 134, 87, 127, 101, kListStyle},
};

constexpr DWORD kPageStyle = 0x40000000 | 0x08000000 | 0x00C00000 | 0x40 | 0x08;  // child, disabled, caption,
                                                                                   // set font, fixed system font

TEST_F(ModuleResources, PrinterSettingsTemplateInBothLanguages) {
  for (WORD language : {kEnglish, kChinese}) {
    SCOPED_TRACE(language);
    host::DialogTemplate page = TemplateOf(IDD_PRINTER_SETTINGS, language);
    EXPECT_TRUE(page.extended);
    EXPECT_EQ(page.style, kPageStyle);
    EXPECT_EQ(page.exStyle, 0u);
    EXPECT_EQ(page.helpId, 0u);
    EXPECT_FALSE(page.menu.isOrdinal || !page.menu.text.empty());
    EXPECT_FALSE(page.windowClass.isOrdinal || !page.windowClass.text.empty());
    EXPECT_EQ(page.cx, 272);
    EXPECT_EQ(page.cy, 218);
    EXPECT_EQ(Utf8(page.caption), language == kEnglish ? "Printer Settings" : "打印机设置");
    EXPECT_TRUE(page.hasFont);
    EXPECT_EQ(page.pointSize, 8);
    EXPECT_EQ(page.weight, 0);
    EXPECT_EQ(page.italic, 0);
    EXPECT_EQ(page.charset, 0);
    EXPECT_EQ(Utf8(page.typeface), "MS Shell Dlg");

    ASSERT_EQ(page.items.size(), ARRAYSIZE(kPageControls));
    for (size_t i = 0; i < page.items.size(); ++i) {
      const ControlCase &want = kPageControls[i];
      const host::DialogItemTemplate &have = page.items[i];
      SCOPED_TRACE(i);
      EXPECT_EQ(have.id, want.id);
      EXPECT_TRUE(have.windowClass.isOrdinal);
      EXPECT_EQ(have.windowClass.ordinal, want.windowClass);
      EXPECT_FALSE(have.text.isOrdinal);
      EXPECT_EQ(Utf8(have.text.text), language == kEnglish ? want.english : want.chinese);
      DWORD style = want.style;
      SHORT x = want.x, cx = want.cx;
      if (language == kChinese && i == 6) x = 110, cx = 61;       // the heading sits differently
      if (language == kChinese && want.id == IDC_HINTS) style &= ~kCenter;  // left-aligned hint
      EXPECT_EQ(have.style, kChildVisible | style) << std::hex << have.style;
      EXPECT_EQ(have.exStyle, 0u);
      EXPECT_EQ(have.x, x);
      EXPECT_EQ(have.y, want.y);
      EXPECT_EQ(have.cx, cx);
      EXPECT_EQ(have.cy, want.cy);
    }
  }
}

TEST_F(ModuleResources, EnglishOnlyTemplates) {
  host::DialogTemplate others = TemplateOf(IDD_OTHERS, kEnglish);
  EXPECT_TRUE(others.extended);
  EXPECT_EQ(others.style, kPageStyle);
  EXPECT_EQ(others.cx, 272);
  EXPECT_EQ(others.cy, 218);
  EXPECT_EQ(Utf8(others.typeface), "MS Shell Dlg");
  ASSERT_EQ(others.items.size(), 3u);
  const ControlCase kOthers[] = {
      {IDC_OTHERS_OK, kButton, "OK", "", 199, 177, 66, 16, kTabStop},
      {-1, kStatic, "Other Settings", "", 110, 9, 61, 13, kGroup},
      {IDC_OTHERS_CANCEL, kButton, "Cancle", "", 199, 195, 66, 16, kTabStop},
  };
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(others.items[i].id, kOthers[i].id);
    EXPECT_EQ(others.items[i].windowClass.ordinal, kOthers[i].windowClass);
    EXPECT_EQ(Utf8(others.items[i].text.text), kOthers[i].english);
    EXPECT_EQ(others.items[i].style, kChildVisible | kOthers[i].style);
    EXPECT_EQ(others.items[i].x, kOthers[i].x);
    EXPECT_EQ(others.items[i].y, kOthers[i].y);
  }

  host::DialogTemplate document = TemplateOf(IDD_DOCUMENT_PAGE, kEnglish);
  EXPECT_FALSE(document.extended);
  EXPECT_EQ(document.style, 0x40000000u | 0x08000000u | 0x00C00000u | 0x40u);
  EXPECT_EQ(document.cx, 210);
  EXPECT_EQ(document.cy, 154);
  EXPECT_EQ(document.pointSize, 8);
  EXPECT_EQ(Utf8(document.typeface), "MS Shell Dialog");
  ASSERT_EQ(document.items.size(), 1u);
  EXPECT_EQ(document.items[0].id, -1);
  EXPECT_EQ(document.items[0].windowClass.ordinal, kStatic);
  EXPECT_EQ(Utf8(document.items[0].text.text), "OEM UI Document Property Page");
  EXPECT_EQ(document.items[0].style, kChildVisible | kGroup);
  EXPECT_EQ(document.items[0].x, 60);
  EXPECT_EQ(document.items[0].cx, 108);

  for (WORD id : {IDD_OTHERS, IDD_DOCUMENT_PAGE})
    EXPECT_EQ(FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(id), kChinese), nullptr) << id;
}

// A UTF-16 key of the version resource, as it is stored.
bool HoldsText(const BYTE *data, DWORD size, const char *ascii) {
  std::vector<BYTE> key;
  for (const char *p = ascii; *p; ++p) key.insert(key.end(), {BYTE(*p), 0});
  return std::search(data, data + size, key.begin(), key.end()) != data + size;
}

TEST_F(ModuleResources, VersionDescribesAnNtDllInTwoLanguages) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_VERSION);
  ASSERT_NE(resource, nullptr);
  const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, resource)));
  DWORD size = SizeofResource(nullptr, resource);
  const BYTE signature[] = {0xBD, 0x04, 0xEF, 0xFE};
  const BYTE *fixed = std::search(data, data + size, signature, signature + 4);
  ASSERT_LE(fixed + 52, data + size);
  auto dword = [&](int field) {
    const BYTE *p = fixed + 4 * field;
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
  };
  EXPECT_EQ(dword(2), 0x00000001u);  // file version 0.1
  EXPECT_EQ(dword(3), 0x00000000u);  // .0.0
  EXPECT_EQ(dword(8), 0x00040004u);  // VOS_NT_WINDOWS32
  EXPECT_EQ(dword(9), 0x00000002u);  // VFT_DLL
  EXPECT_TRUE(HoldsText(data, size, "040904b0"));
  EXPECT_TRUE(HoldsText(data, size, "080404b0"));
  const BYTE translation[] = {0x09, 0x04, 0xB0, 0x04, 0x04, 0x08, 0xB0, 0x04};
  EXPECT_NE(std::search(data, data + size, translation, translation + 8), data + size);
}

TEST_F(ModuleResources, ManifestIsAnEmptyAssembly) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(24));
  ASSERT_NE(resource, nullptr);
  const char *data = static_cast<const char *>(LockResource(LoadResource(nullptr, resource)));
  std::string manifest(data, SizeofResource(nullptr, resource));
  EXPECT_NE(manifest.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"),
            std::string::npos);
  EXPECT_EQ(manifest.find("dependency"), std::string::npos);
  EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
}

}  // namespace
