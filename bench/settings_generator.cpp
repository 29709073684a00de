#include "bench/settings_generator.h"

#include <cstdio>
#include <vector>

namespace bench {
namespace {

// Chinese words in code page 936.
const char *const kStems[10] = {"\xBC\xD7", "\xD2\xD2", "\xB1\xFB", "\xB6\xA1", "\xCE\xEC",
                                "\xBC\xBA", "\xB8\xFD", "\xD0\xC1", "\xC8\xC9", "\xB9\xEF"};  // 甲乙丙丁戊己庚辛壬癸
const char kOrdinal[] = "\xB5\xDA";                                                         // 第
const char kClass[] = "\xC0\xE0";                                                           // 类
const char kItem[] = "\xCF\xEE";                                                            // 项
const char kSettings[] = "\xC9\xE8\xD6\xC3";                                                // 设置
const char kPrinter[] = "\xB4\xF2\xD3\xA1\xBB\xFA";                                         // 打印机
const char kNextJob[] = "\xCF\xC2\xD2\xBB\xB4\xCE\xD7\xF7\xD2\xB5\xCA\xB1\xC9\xFA\xD0\xA7";  // 下一次作业时生效
const char *const kLevels[5] = {"\xB9\xD8", "\xBF\xAA", "\xB5\xCD", "\xD6\xD0", "\xB8\xDF"};  // 关开低中高
const char *const kWords[10] = {"Off", "On", "Low", "Medium", "High", "Auto", "Fast", "Slow", "Quiet", "Normal"};

std::string Printed(const char *format, int a, int b = 0) {
  char text[128];
  std::snprintf(text, sizeof(text), format, a, b);
  return text;
}

class Writer {
 public:
  void Section(const std::string &name) {
    if (!out_.empty()) out_ += "\r\n";
    out_ += "[" + name + "]\r\n";
  }
  void Key(const std::string &key, const std::string &value) { out_ += key + "=" + value + "\r\n"; }
  void Key(const std::string &key, int value) { Key(key, std::to_string(value)); }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

struct Class {
  std::string key;
  bool shown;
  int items;       // declared
  int hiddenItem;  // 1-based number of the filtered item, or 0
};

std::vector<Class> ClassesOf(const FileShape &shape) {
  std::vector<Class> classes;
  int shown = 0, hidden = 0, withHiddenItem = 0;
  // Hidden classes stand between shown ones, so that the loader meets each of them before the record is full.
  while (shown < shape.shownSections || hidden < shape.hiddenSections) {
    bool hideNext = hidden < shape.hiddenSections &&
                    (shown == shape.shownSections || shown >= (hidden + 1) * shape.shownSections / (shape.hiddenSections + 1));
    Class c;
    c.shown = !hideNext;
    c.key = (c.shown ? "Class" : "Factory") + Printed("%.2d", int(classes.size()) + 1);
    // A hidden class is a short one for the factory; the loader never reads its items.
    c.items = c.shown ? shape.itemsPerSection : (shape.itemsPerSection + 7) / 8;
    c.hiddenItem = 0;
    if (c.shown && withHiddenItem < shape.hiddenItems) {
      ++withHiddenItem;
      c.items += 1;
      c.hiddenItem = shape.itemsPerSection / 2 + 1;
    }
    (c.shown ? shown : hidden)++;
    classes.push_back(c);
  }
  return classes;
}

std::string ItemKey(int m) { return Printed("Setting%.2d", m); }

std::string EnglishRule(const FileShape &shape) {
  std::string rule;
  for (int i = 0; i < shape.optionsPerItem; ++i) {
    if (i) rule += ' ';
    if (shape.compactRules)
      rule += Printed("%d=%c", i % 10, 'A' + i % 26);
    else
      rule += Printed("%d=", i) + kWords[i % 10];
  }
  return rule;
}

std::string ChineseRule(const FileShape &shape) {
  std::string rule;
  for (int i = 0; i < shape.optionsPerItem; ++i) {
    if (i) rule += ' ';
    if (shape.compactRules)
      rule += Printed("%d=", i % 10) + kStems[i % 10];
    else
      rule += Printed("%d=", i) + kStems[i % 10] + kLevels[i % 5];
  }
  return rule;
}

}  // namespace

FileShape LargestCatalogue() { return FileShape{10, 3, 32, 4, 256, true, 0}; }

FileShape UsualPrinterFile() { return FileShape{5, 1, 12, 1, 6, false, 49}; }

int LoaderReads(const FileShape &shape) {
  const int shown = shape.shownSections < 10 ? shape.shownSections : 10;
  const int items = shape.itemsPerSection < 32 ? shape.itemsPerSection : 32;
  return 5 + 3 * (shown + shape.hiddenSections) + 2 * shown + shown * items * 9 + 4 * shape.hiddenItems;
}

std::string SettingsFileBytes(const FileShape &shape) {
  const std::vector<Class> classes = ClassesOf(shape);
  Writer w;
  w.Section("SectionNames");
  w.Key("SectionCount", int(classes.size()));
  for (size_t n = 0; n < classes.size(); ++n) w.Key(Printed("Section%.2d", int(n) + 1), classes[n].key);
  w.Key("EnterInstruction", "1B 7B 53 31");
  w.Key("SaveInstruction", "1B 7D 57");
  w.Key("InstructionTail", "0D");
  w.Key("ParameterRule", "High256");

  for (size_t n = 0; n < classes.size(); ++n) {
    const Class &c = classes[n];
    w.Section(Printed("Section%.2d", int(n) + 1));
    w.Key("ItemCount", c.items);
    for (int m = 1; m <= c.items; ++m) {
      w.Key(Printed("Item%.2d", m), ItemKey(m));
      w.Key(Printed("Item%.2dInstruction", m), Printed("1B %.2X ", 0x40 + int(n)) + Printed("%.2X", m));
      // Every eighth item takes a 2-byte parameter.
      if (m % 8 == 0) w.Key(Printed("Item%.2dParameterCount", m), 2);
    }
  }

  const std::string englishRule = EnglishRule(shape), chineseRule = ChineseRule(shape);
  for (size_t n = 0; n < classes.size(); ++n) {
    const Class &c = classes[n];
    const int number = int(n) + 1;
    w.Section(c.key + "_Filter");
    w.Key("SectionEnable", c.shown ? 1 : 0);
    if (c.hiddenItem) w.Key(ItemKey(c.hiddenItem), 0);

    w.Section(c.key + "_Lang_EN");
    w.Key("Title", Printed("Class %.2d settings", number));
    w.Key("Note", Printed("Settings of class %.2d that the printer keeps until they are sent again.", number));
    for (int m = 1; m <= c.items; ++m) {
      w.Key(ItemKey(m) + "_Title", Printed("Setting %.2d of class %.2d", m, number));
      w.Key(ItemKey(m) + "_Note", Printed("Sets setting %.2d of class %.2d; it takes effect with the next job.", m, number));
    }
    w.Section(c.key + "_Lang_CN");
    w.Key("Title", kOrdinal + Printed("%.2d", number) + kClass + kSettings);
    w.Key("Note", kPrinter + std::string(kOrdinal) + Printed("%.2d", number) + kClass + kSettings + "; " + kNextJob);
    for (int m = 1; m <= c.items; ++m) {
      w.Key(ItemKey(m) + "_Title", kOrdinal + Printed("%.2d", number) + kClass + " " + kOrdinal + Printed("%.2d", m) + kItem);
      w.Key(ItemKey(m) + "_Note", kSettings + std::string(kOrdinal) + Printed("%.2d", m) + kItem + "; " + kNextJob);
    }

    w.Section(c.key + "_Rule_EN");
    for (int m = 1; m <= c.items; ++m) {
      w.Key(ItemKey(m) + "_RuleType", "Enum");
      w.Key(ItemKey(m) + "_Rule", englishRule);
    }
    w.Section(c.key + "_Rule_CN");
    for (int m = 1; m <= c.items; ++m) {
      w.Key(ItemKey(m) + "_RuleType", "Enum");
      w.Key(ItemKey(m) + "_Rule", chineseRule);
    }

    w.Section(c.key + "_Default");
    for (int m = 1; m <= c.items; ++m) w.Key(ItemKey(m), m % (shape.optionsPerItem < 10 ? shape.optionsPerItem : 10));
  }

  if (shape.compressChoices > 0) {
    w.Section("Settings");
    w.Key("Landscape_Compress", 1);
    w.Key("XMoveEnable", 1);
    w.Key("Count", shape.compressChoices);
    for (int n = 1; n <= shape.compressChoices; ++n) w.Key(Printed("COMPRESS_VALUE%d", n), 101 - n);
    w.Key("COMPRESS_VALUE", kCurrentCompressValue);
    w.Key("XMove", 5);
  }
  return w.take();
}

}  // namespace bench
