// The page's texts, the settings file of the scenarios, and the helpers that drive and read the page.
#include "tests/page/settings_page_scenarios.h"

namespace page_scenarios {

const Texts &TextsIn(bool chinese) {
  static const Texts english{
      false,
      "Printer Settings",
      "Reset All",
      "Set Current",
      "Set All",
      "All setting commands have been sent to the printer !",
      "The setting command has been sent to the printer !",
      "That some error while sending commands , please retry !",
      "The job has been written to the file:\r\n",
      "Sure to reset the whole menu in the driver Printer Setting label?\r\n(Note:The settings worn't be sent to the "
      "printer until the \"Set All\" button is clicked.)",
      "Printer has been calibrated.",
      "OEM UI Customization DLL",
      "Default",
      {"Print quality", "Paper"},
      {"Density", "Mode", "Keep"},
      {"Light", "Normal", "Dark"},
      "Darker print uses more toner."};
  static const Texts chineseTexts{
      true,
      "打印机设置",
      "重置所有项为默认值",
      "设置当前项",
      "设置所有项",
      "已将所有设置命令发送到打印机。",
      "已经发送指定的设置命令到打印机。",
      "命令发送过程出错，请稍后再试！",
      "设置任务已写入文件：\r\n",
      "你确定需要将所有设置选项重置为默认值吗？\r\n此操作不会改变打印机设置。",
      "打印机已经被调整。",
      "OEM UI 自定义DLL",
      "默认值",
      {"打印质量", "纸张"},
      {"浓度", "模式", "保持"},
      {"浅", "标准", "深"},
      "浓度越高，耗粉越多。"};
  return chinese ? chineseTexts : english;
}

const WString &Printer() {
  static const WString name = Wide("Page Test Printer");
  return name;
}

const WString &Driver() {
  static const WString name = Wide("Prnset PageTest");
  return name;
}

std::string SettingsFile() {
  std::string sizes;
  for (int k = 0; k < 26; ++k) sizes += (k ? " " : "") + std::to_string(k) + "=" + std::string(1, char('A' + k));
  std::string text =
      "[SectionNames]\nSectionCount=3\nSection01=Print\nSection02=Paper\nSection03=Empty\n"
      "EnterInstruction=1B 45\nSaveInstruction=1B 53\nInstructionTail=0D\nParameterRule=High256\n"
      "[Section01]\nItemCount=3\nItem01=Density\nItem01Instruction=1B 44\nItem02=Mode\nItem02Instruction=1B 4D\n"
      "Item03=Keep\nItem03Instruction=1B 4B\n"
      "[Section02]\nItemCount=2\nItem01=Sizes\nItem01Instruction=1B 5A\nItem01ParameterCount=3\n"
      "Item02=Offset\nItem02Instruction=1B 4F\n"
      "[Section03]\nItemCount=0\n"
      "[Print_Lang_EN]\nTitle=Print quality\nDensity_Title=Density\nDensity_Note=Darker print uses more toner.\n"
      "Mode_Title=Mode\nMode_Note=How the page is laid down.\nKeep_Title=Keep\nKeep_Note=What stays as it is.\n"
      "[Print_Lang_CN]\nTitle=打印质量\nDensity_Title=浓度\nDensity_Note=浓度越高，耗粉越多。\n"
      "Mode_Title=模式\nMode_Note=页面的打印方式。\nKeep_Title=保持\nKeep_Note=保持不变的设置。\n"
      "[Print_Rule_EN]\nDensity_RuleType=Enum\nDensity_Rule=0=Light 1=Normal 2=Dark\n"
      "Mode_RuleType=Enum\nMode_Rule=1=Fast 2=Fine 1=Quick 2=Best\n"
      "Keep_RuleType=Enum\nKeep_Rule=-1=Leave 5=Five 6=Six\n"
      "[Print_Rule_CN]\nDensity_RuleType=Enum\nDensity_Rule=0=浅 1=标准 2=深\n"
      "Mode_RuleType=Enum\nMode_Rule=1=快速 2=精细 1=迅速 2=最佳\n"
      "Keep_RuleType=Enum\nKeep_Rule=-1=不变 5=五 6=六\n"
      "[Print_Default]\nDensity=1\nMode=2\nKeep=9\n"
      "[Paper_Lang_EN]\nTitle=Paper\nSizes_Title=Sizes\nSizes_Note=Choose one or more.\n"
      "Offset_Title=Offset of the printed page from the top edge of the sheet\nOffset_Note=Millimetres.\n"
      "[Paper_Lang_CN]\nTitle=纸张\nSizes_Title=尺寸\nSizes_Note=可选一个或多个。\n"
      "Offset_Title=Offset of the printed page from the top edge of the sheet\nOffset_Note=毫米。\n"
      "[Paper_Rule_EN]\nSizes_RuleType=Enum\nSizes_Rule=" + sizes + "\nOffset_RuleType=Enum\nOffset_Rule=0=None 1=One\n"
      "[Paper_Rule_CN]\nSizes_RuleType=Enum\nSizes_Rule=" + sizes + "\nOffset_RuleType=Enum\nOffset_Rule=0=无 1=一\n"
      "[Paper_Default]\nSizes=10485760\nOffset=1\n"
      "[Empty_Lang_EN]\nTitle=A class of settings that has no items at all in this file, none\n"
      "[Empty_Lang_CN]\nTitle=A class of settings that has no items at all in this file, none\n";
  return text;
}

std::vector<BYTE> Bytes(const std::string &hex) {
  std::vector<BYTE> out;
  for (size_t i = 0; i + 1 < hex.size();) {
    if (hex[i] == ' ') {
      ++i;
      continue;
    }
    out.push_back(BYTE(std::stoi(hex.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return out;
}

std::string DefaultSetAll() {
  return "1B 45 1B 44 01 0D 1B 4D 02 0D 1B 4B 09 0D 1B 5A A0 00 00 0D 1B 4F 01 0D 1B 53";
}

HWND Control(HWND page, int id) { return GetDlgItem(page, id); }

void Notify(HWND page, int id, WORD code) {
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(page, id)));
}

void ChooseClass(HWND page, int row) {
  SendMessageW(Control(page, IDC_CLASS_LIST), CB_SETCURSEL, WPARAM(row), 0);
  Notify(page, IDC_CLASS_LIST, CBN_SELENDOK);
}

void ChooseItem(HWND page, int row) {
  SendMessageW(Control(page, IDC_ITEM_LIST), LB_SETCURSEL, WPARAM(row), 0);
  Notify(page, IDC_ITEM_LIST, LBN_SELCHANGE);
}

void ChooseSingle(HWND page, int row) {
  SendMessageW(Control(page, IDC_SINGLE_OPTIONS), LB_SETCURSEL, WPARAM(row), 0);
  Notify(page, IDC_SINGLE_OPTIONS, LBN_SELCHANGE);
}

void ToggleMulti(HWND page, int row) {
  HWND list = Control(page, IDC_MULTI_OPTIONS);
  LRESULT selected = SendMessageW(list, LB_GETSEL, WPARAM(row), 0);
  SendMessageW(list, LB_SETSEL, selected > 0 ? FALSE : TRUE, LPARAM(row));
  Notify(page, IDC_MULTI_OPTIONS, LBN_SELCHANGE);
}

void Click(HWND page, int id) { SendMessageW(Control(page, id), BM_CLICK, 0, 0); }

std::string WindowText(HWND window) {
  WCHAR text[600] = {};
  GetWindowTextW(window, text, ARRAYSIZE(text));
  return Utf8(text);
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WString text(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, 0);
    SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(&text[0]));
    rows.push_back(Utf8(text.c_str()));
  }
  return rows;
}

std::vector<std::string> ComboRows(HWND combo) {
  std::vector<std::string> rows;
  LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WString text(size_t(SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, 0);
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(&text[0]));
    rows.push_back(Utf8(text.c_str()));
  }
  return rows;
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (SendMessageW(list, LB_GETSEL, WPARAM(i), 0) > 0) rows.push_back(int(i));
  return rows;
}

LRESULT CurrentRow(HWND list) { return SendMessageW(list, LB_GETCURSEL, 0, 0); }

std::string Hint(HWND page) { return WindowText(Control(page, IDC_HINTS)); }

std::string HintWithDefault(const Texts &t, const std::string &note, const std::string &option) {
  return note + " \r\n* " + t.defaultLabel + " = " + option + " *";
}

bool Visible(HWND page, int id) { return IsWindowVisible(Control(page, id)) != FALSE; }

int VisibleOptionList(HWND page) {
  bool single = Visible(page, IDC_SINGLE_OPTIONS), multi = Visible(page, IDC_MULTI_OPTIONS);
  if (single && multi) return -1;  // never right
  return single ? IDC_SINGLE_OPTIONS : multi ? IDC_MULTI_OPTIONS : 0;
}

bool EnsurePrinter(const WString &printer, const WString &driver) {
  if (testing_machine::AddTestPrinter(printer, driver)) return true;
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr)) return false;
  ClosePrinter(handle);
  return true;
}

bool Run::OpenPage(const WString &name, bool withFile) {
  printer = name;
  if (!EnsurePrinter(name, withFile ? Driver() : Wide("Prnset NoSettingsFile"))) return false;
  if (withFile) testing_machine::WriteSettingsFile(Driver(), SettingsFile());
  if (!host.Open(name + Wide(" Properties"))) return false;
  page = host.Page();
  host.TakeBoxes();
  host.TakeJob();
  return page != nullptr;
}

ShownBox Run::Press(int id, int answer) {
  host.Answer(answer);
  Click(page, id);
  std::vector<ShownBox> boxes = host.TakeBoxes();
  EXPECT_EQ(boxes.size(), 1u) << "button " << id;
  return boxes.empty() ? ShownBox() : boxes.front();
}

void Run::ExpectSent(int id, const std::string &bytes, const char *message) {
  ShownBox box = Press(id);
  EXPECT_EQ(box.text, message);
  EXPECT_EQ(box.caption, Utf8(printer));
  EXPECT_EQ(box.style, UINT(MB_OK));
  SentJob job = host.TakeJob();
  EXPECT_TRUE(job.sent) << "button " << id;
  EXPECT_EQ(Hex(job.bytes), bytes);
}

void Run::ExpectFailed(int id) {
  ShownBox box = Press(id);
  EXPECT_EQ(box.text, t.failed);
  EXPECT_EQ(box.caption, Utf8(printer));
  EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(host.TakeJob().sent) << "button " << id;
}

}  // namespace page_scenarios
