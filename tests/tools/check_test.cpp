// prnset check: each kind of finding on a small file that has just that fault, its line, and the exit codes.
#include <nlohmann/json.hpp>

#include <chrono>
#include <functional>

#include "tests/tools/tool_fixture.h"

namespace {

// A settings file with nothing to report, line by line (the comments give the line numbers the cases rely on).
const char *const kClean =
    "[SectionNames]\n"            // 1
    "SectionCount=1\n"            // 2
    "Section01=S\n"               // 3
    "EnterInstruction=1B 40\n"    // 4
    "SaveInstruction=1B 53\n"     // 5
    "InstructionTail=0D\n"        // 6
    "ParameterRule=High256\n"     // 7
    "[Section01]\n"               // 8
    "ItemCount=1\n"               // 9
    "Item01=I\n"                  // 10
    "Item01Instruction=1B 44\n"   // 11
    "[S_Lang_EN]\n"               // 12
    "Title=Class\n"               // 13
    "I_Title=Item\n"              // 14
    "[S_Lang_CN]\n"               // 15
    "Title=Class CN\n"            // 16
    "I_Title=Item CN\n"           // 17
    "[S_Rule_EN]\n"               // 18
    "I_RuleType=Enum\n"           // 19
    "I_Rule=0=Off 1=On\n"         // 20
    "[S_Rule_CN]\n"               // 21
    "I_RuleType=Enum\n"           // 22
    "I_Rule=1=On 0=Off\n"         // 23
    "[S_Default]\n"               // 24
    "I=1\n";                      // 25

struct Reported {
  int line;
  std::string kind;
  std::string message;
  std::string code;
  std::string language;
};

struct CheckRun {
  int code;
  std::vector<Reported> findings;  // warnings and errors; the information line is kept apart
  std::string info;
  std::string summary;
  std::string out;
};

class CheckTest : public ToolTest {
 protected:
  // The findings as --format json gives them, the summary line as the text output ends.
  CheckRun Check(const std::string &text, const std::string &lang = "en") {
    std::string file = File(text);
    std::vector<std::string> args = {"check", file};
    if (!lang.empty()) args.insert(args.end(), {"--lang", lang});
    ToolRun run = RunTool(Args(args));
    CheckRun result{run.code, {}, "", "", run.out};
    EXPECT_EQ(run.err, "");
    size_t last = run.out.rfind('\n', run.out.size() - 2);
    std::string summary = run.out.substr(last == std::string::npos ? 0 : last + 1);
    EXPECT_EQ(summary.rfind(file + ": ", 0), 0u) << summary;
    if (summary.size() > file.size() + 2) result.summary = summary.substr(file.size() + 2, summary.size() - file.size() - 3);

    args.insert(args.end(), {"--format", "json"});
    ToolRun json = RunTool(Args(args));
    EXPECT_EQ(json.code, run.code);
    nlohmann::json parsed = nlohmann::json::parse(json.out, nullptr, false);
    EXPECT_TRUE(parsed.is_array()) << json.out;
    if (!parsed.is_array()) return result;
    for (const nlohmann::json &finding : parsed) {
      EXPECT_EQ(finding["file"], file);
      Reported reported{finding["line"].is_null() ? 0 : finding["line"].get<int>(), finding["severity"],
                        finding["message"], finding["code"], finding["language"]};
      if (reported.kind == "info") result.info = reported.message;
      else result.findings.push_back(reported);
    }
    return result;
  }

  static std::vector<WString> Args(const std::vector<std::string> &args) {
    std::vector<WString> wide;
    for (const std::string &arg : args) wide.push_back(Wide(arg));
    return wide;
  }
};

TEST_F(CheckTest, TheCleanFileAndTheExamplesHaveNothingToReport) {
  CheckRun clean = Check(kClean);
  EXPECT_EQ(clean.code, 0);
  EXPECT_TRUE(clean.findings.empty()) << clean.out;
  EXPECT_EQ(clean.summary, "0 errors, 0 warnings (English)");
  for (const std::string &example : {kOfficeLaser, kLabelPrinter})
    for (const char *lang : {"en", "cn"}) {
      SCOPED_TRACE(example + " " + lang);
      ToolRun run = RunTool({"check", SourcePath(example), "--lang", lang});
      EXPECT_EQ(run.code, 0);
      EXPECT_NE(run.out.find(": 0 errors, 0 warnings ("), std::string::npos) << run.out;
      EXPECT_EQ(run.out.find("warning:"), std::string::npos) << run.out;
    }
}

struct Case {
  const char *name;
  std::function<std::string()> file;
  int line;
  const char *kind;
  const char *says;
  int count;  // findings expected in all (-1: not counted)
  const char *lang = "en";  // the reading asked for: a finding about the Chinese page is told in the Chinese one
};

std::string Repeat(const std::string &text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// A file with `count` shown sections, or one section with `count` shown items.
std::string ManySections(int count) {
  std::string text = "[SectionNames]\nSectionCount=" + std::to_string(count) + "\nParameterRule=High256\n";
  for (int n = 1; n <= count; ++n) text += "Section" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=S\n";
  text += "[S_Lang_EN]\nTitle=T\n[S_Lang_CN]\nTitle=T\n";
  for (int n = 1; n <= count; ++n) text += "[Section" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "]\nItemCount=0\n";
  return text;
}
std::string ManyItems(int count) {
  std::string text = "[SectionNames]\nSectionCount=1\nSection01=S\nParameterRule=High256\n[Section01]\nItemCount=" +
                     std::to_string(count) + "\n";
  for (int m = 1; m <= count; ++m) text += "Item" + std::string(m < 10 ? "0" : "") + std::to_string(m) + "=I" + std::to_string(m) + "\n";
  for (int m = 1; m <= count; ++m)
    text += "Item" + std::string(m < 10 ? "0" : "") + std::to_string(m) + "Instruction=1B 40 " +
            "0123456789ABCDEF"[m / 16] + "0123456789ABCDEF"[m % 16] + "\n";  // a command of its own
  std::string titles, rules;
  for (int m = 1; m <= count; ++m) {
    std::string key = "I" + std::to_string(m);
    rules += key + "_RuleType=Enum\n" + key + "_Rule=1=On\n";
    titles += key + "_Title=t" + std::to_string(m) + "\n";
  }
  return text + "[S_Lang_EN]\nTitle=T\n" + titles + "[S_Lang_CN]\nTitle=T\n" + titles + "[S_Rule_EN]\n" + rules;
}

const Case kCases[] = {
    // Command texts.
    {"enter with a stray character", [] { return Edit(kClean, "EnterInstruction=1B 40", "EnterInstruction=1B\t40"); },
     4, "error", "neither a blank nor a hexadecimal digit", 1},
    {"save with an odd number of digits", [] { return Edit(kClean, "SaveInstruction=1B 53", "SaveInstruction=1B 5"); },
     5, "error", "odd number of hexadecimal digits (3)", 1},
    {"one-character tail", [] { return Edit(kClean, "InstructionTail=0D", "InstructionTail=D"); }, 6, "error",
     "one character", 1},
    {"tail with a stray character", [] { return Edit(kClean, "InstructionTail=0D", "InstructionTail=0D;"); }, 6,
     "error", "\";\"", 1},
    {"item instruction with a stray character",
     [] { return Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=1B 4G"); }, 11, "error",
     "\"G\", which is neither", 1},
    {"item instruction with an odd number of digits",
     [] { return Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=1B4"); }, 11, "error",
     "odd number of hexadecimal digits (3)", 1},
    {"unknown parameter rule", [] { return Edit(kClean, "ParameterRule=High256", "ParameterRule=Binary"); }, 7, "error",
     "\"Binary\" is neither High256 nor BaseOn30, and 1 item needs parameter bytes", 1},
    {"parameter rule one slip from a known one",
     [] { return Edit(kClean, "ParameterRule=High256", "ParameterRule=High 256"); }, 7, "error",
     "\"High 256\" is neither High256 nor BaseOn30 (did you mean High256?), and 1 item needs", 1},
    {"missing parameter rule", [] { return Edit(kClean, "ParameterRule=High256\n", ""); }, 1, "error",
     "is neither High256 nor BaseOn30", 1},
    // Declared entries missing, capacity, negative counts.
    {"declared section missing", [] { return Edit(kClean, "SectionCount=1", "SectionCount=2"); }, 2, "error",
     "declares 2 classes, but Section02 is missing from [SectionNames]", 1},
    {"declared section missing in the middle",
     [] {
       return Edit(Edit(kClean, "SectionCount=1", "SectionCount=3"), "Section01=S\n", "Section01=S\nSection03=S\n");
     },
     2, "error", "has no Section02: the page shows a class without title or items", -1},
    {"declared item missing", [] { return Edit(kClean, "ItemCount=1", "ItemCount=3"); }, 9, "error",
     "but Item02 to Item03 are missing: the page shows items without title or options, and Set All sends 01 0D 01 0D "
     "for them",
     1},
    // An unlisted class still reads its own [SectionNN]: its items are on the page and in Set All.
    {"declared section missing with its items",
     [] {
       return Edit(kClean, "SectionCount=1", "SectionCount=2") +
              "[Section02]\nItem01=Z\nItem01Instruction=1B 5A\nItemCount=1\n";
     },
     2, "error", "holding 1 item without titles or options, and Set All sends 1B 5A 01 0D for it", -1},
    {"number section missing", [] { return Edit(kClean, "[Section01]\nItemCount=1\n", "[Other]\nItemCount=1\n"); }, 8,
     "warning",
     "[Section01] is missing (line 8 has [Other], which the plug-in does not read as [Section01]): class S shows no "
     "items",
     2},
    {"eleven shown sections", [] { return ManySections(11); }, 14, "warning",
     "Section11 (S) is ignored: the page holds at most 10 shown classes", 2},
    // An item listed past the count whose texts only one language has yet: the count is the slip, in both readings.
    {"item past the count, described in English only",
     [] {
       return Edit(
           Edit(kClean, "Item01Instruction=1B 44\n", "Item01Instruction=1B 44\nItem02=J\nItem02Instruction=1B 45\n"),
           "I_Title=Item\n", "I_Title=Item\nJ_Title=Other\n");
     },
     9, "error", "also lists Item02 (J): the page never shows that item; write ItemCount=2", -1},
    // (Its items, of one option each, are a class of actions too.)
    {"thirty-three shown items", [] { return ManyItems(33); }, 39, "warning",
     "Item33 (I33) is ignored: a class holds at most 32 items", 2},
    {"negative section count", [] { return Edit(kClean, "SectionCount=1", "SectionCount=-1"); }, 2, "error",
     "SectionCount -1 is negative: no classes are loaded", 1},
    {"negative item count", [] { return Edit(kClean, "ItemCount=1", "ItemCount=-3"); }, 9, "warning",
     "ItemCount -3 is negative: class S shows no items", 2},
    {"count that is not a decimal number", [] { return Edit(kClean, "ItemCount=1", "ItemCount=0x1"); }, 9, "warning",
     "\"0x1\" is not a plain decimal number: the plug-in reads 1", 1},
    // Texts cut by their fields or by the page.
    {"title over 49 characters", [] { return Edit(kClean, "I_Title=Item\n", "I_Title=" + Repeat("t", 60) + "\n"); }, 14,
     "warning", "I_Title has 60 characters: the page shows only the first 49", 1},
    {"title over its field", [] { return Edit(kClean, "Title=Class\n", "Title=" + Repeat("c", 130) + "\n"); }, 13,
     "warning", "Title has 130 characters: the page shows only the first 49", 1},
    {"item note over its field",
     [] { return Edit(kClean, "I_Title=Item\n", "I_Title=Item\nI_Note=" + Repeat("n", 128) + "\n"); }, 15, "warning",
     "I_Note has 128 characters and is cut to 127", 1},
    {"instruction over its field",
     [] { return Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=" + Repeat("1B 44 ", 11)); }, 11, "error",
     "Item01Instruction has 65 characters and is cut to 63, \"1B 44 1B 44 1B 44 1B 44 1B 44 1B 44 1B 44 1B 44 1B 44 "
     "1B 44 ...\", losing \"44\": the printer gets the cut command",
     1},
    {"enter instruction over its field",
     [] { return Edit(kClean, "EnterInstruction=1B 40", "EnterInstruction=" + Repeat("1B40", 13)); }, 4, "error",
     "EnterInstruction has 52 characters and is cut to 49, \"1B401B401B401B401B401B401B401B401B401B401B401B401\", "
     "losing \"B40\": the page leaves it out of every job",
     1},
    // Enum rules.
    {"later enum value of five characters",
     [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=0=Off 1=On 12345=Big"); }, 20, "warning",
     "the value \"12345\" of option 3 is longer than the rule reads: it reads as 1234", 2},
    {"last enum text over 18 characters",
     [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=0=Off 1=On and on and on and on"); }, 20, "warning",
     "has 23 characters: it is cut to 18, \"On and on and on a", 1},
    {"enum text of 50 characters",
     [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=0=" + Repeat("x", 50) + " 1=On"); }, 20, "warning",
     "\", has 50 characters: it is cut to 49", 1},
    {"enum value without a blank before it", [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=1=On0=Off"); }, 20,
     "warning", "a blank is missing before 0: write \"On 0=\"", 1},
    {"enum without pairs", [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=Off On"); }, 20, "warning",
     "has no value=text pair", 1},
    {"duplicate enum values", [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=0=Off 1=On 1=Also on"); }, 20,
     "warning", "\"On\" and \"Also on\" have the same value 1", 1},
    {"unknown rule type", [] { return Edit(kClean, "I_RuleType=Enum", "I_RuleType=List"); }, 19, "warning",
     "\"List\" is neither Enum nor Serial", 1},
    {"missing rule type", [] { return Edit(kClean, "I_RuleType=Enum\n", ""); }, 18, "warning", "I_RuleType is missing",
     1},
    // Serial rules.
    {"serial minimum above maximum",
     [] {
       return Edit(Edit(kClean, "I_RuleType=Enum", "I_RuleType=Serial"), "I_Rule=0=Off 1=On", "I_Rule=MIN=5 MAX=1");
     },
     20, "warning", "MIN=5 is above MAX=1", 1},
    {"serial step below 1",
     [] {
       return Edit(Edit(kClean, "I_RuleType=Enum", "I_RuleType=serial"), "I_Rule=0=Off 1=On",
                   "I_Rule=min=0 max=5 step=0");
     },
     20, "warning", "STEP=0 is below 1", 1},
    {"serial with more options than the bound",
     [] {
       return Edit(Edit(kClean, "I_RuleType=Enum", "I_RuleType=Serial"), "I_Rule=0=Off 1=On", "I_Rule=MIN=0 MAX=5000");
     },
     20, "warning", "gives 5001 options: only the first 4096 are kept", 2},
    {"serial title over 49 characters",
     [] {
       return Edit(Edit(kClean, "I_RuleType=Enum", "I_RuleType=Serial"), "I_Rule=0=Off 1=On",
                   "I_Rule=MIN=0 MAX=1 TITLE=" + Repeat("m", 50));
     },
     20, "warning",
     "the title has 50 characters and is cut to 49, and with the value before it an option's text is "
     "cut to 49 again; shorten it to 48 characters",
     1},
    {"serial title before other keys",
     [] {
       return Edit(Edit(kClean, "I_RuleType=Enum", "I_RuleType=Serial"), "I_Rule=0=Off 1=On",
                   "I_Rule=TITLE= mm MIN=0 MAX=1");
     },
     20, "warning", "TITLE= is not written last", 1},
    // Defaults and values.
    {"default matching no option", [] { return Edit(kClean, "I=1\n", "I=5\n"); }, 25, "warning",
     "the default 5 matches no option", 1},
    {"missing default matching no option", [] { return Edit(Edit(kClean, "I=1\n", ""), "1=On", "2=On"); }, 10,
     "warning", "with no default given, the value 1 matches no option", 1},
    {"multi-choice item with more than 24 options",
     [] {
       return Edit(Edit(Edit(Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=3"),
                             "I_RuleType=Enum", "I_RuleType=Serial"),
                        "I_Rule=0=Off 1=On", "I_Rule=MIN=1 MAX=30"),
                   "I=1\n", "I=8388608\n");
     },
     21, "warning", "multi-choice with 30 options: rows from 24 on have no bit", 1},
    {"ParameterCount meant as bytes under High256",
     [] { return Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=2"); }, 12,
     "warning",
     "item S/I has ParameterCount 2, which makes it multi-choice: the page offers a tick box for each option and sends "
     "a mask of them, so its default 1 ticks no row and Set All sends 1B 44 00 01 0D; for one choice, "
     "write ParameterCount=1",
     1},
    {"multi-choice default with bits of no row",
     [] {
       return Edit(Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=3"),
                   "I=1\n", "I=1048576\n");
     },
     26, "warning", "(mask 0x100000) sets bits that no option row stands for", 1},
    {"BaseOn30 with negative options",
     [] {
       return Edit(Edit(kClean, "ParameterRule=High256", "ParameterRule=BaseOn30"), "I_Rule=0=Off 1=On",
                   "I_Rule=-2=Less 1=On");
     },
     20, "error", "BaseOn30 cannot send negative values, and 1 option is negative (first \"Less\" (-2))", 1},
    {"BaseOn30 with a negative default",
     [] { return Edit(Edit(kClean, "ParameterRule=High256", "ParameterRule=baseon30"), "I=1\n", "I=-3\n"); }, 25,
     "error",
     "the default -3 is negative: BaseOn30 cannot send it, so Set All sends nothing at all; write the value of an "
     "option: 0, 1",
     1},
    {"High256 value that does not fit its byte",
     [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=1=On 300=Max"); }, 20, "warning",
     "\"Max\" (300) is sent as 1B 44 2C 0D", 1},
    {"option with the value -1", [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=-1=Keep 1=On"); }, 20, "warning",
     "has the value -1", 1},
    {"multi-choice with too few parameter bytes",
     [] {
       // (No option of the value 0, which the hint box would name while no row is ticked.)
       const std::string rows =
           Edit(Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=1=Off 2=On"), "I_Rule=1=On 0=Off", "I_Rule=2=On 1=Off");
       return Edit(Edit(rows, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=2"), "I=1\n",
                   "I=0\n");
     },
     12, "warning", "the bits of rows 0 to 7 do not fit 2 parameter bytes", 1},
    {"negative parameter count",
     [] {
       return Edit(Edit(kClean, "Item01Instruction=1B 44", "Item01Instruction=1B 44\nItem01ParameterCount=-1"), "I=1\n",
                   "I=0\n");
     },
     12, "error",
     "Item01ParameterCount -1 asks for more parameter bytes than a command holds: item S/I gives no command, so Set "
     "All sends nothing (and the page treats it as multi-choice)",
     1},
    // Languages.
    {"item without a Chinese title", [] { return Edit(kClean, "I_Title=Item CN\n", ""); }, 15, "warning",
     "[S_Lang_CN] I_Title is missing: in Chinese the item S/I shows as an empty row", 1, "cn"},
    {"no Chinese titles at all", [] { return Edit(kClean, "[S_Lang_CN]\nTitle=Class CN\nI_Title=Item CN\n", ""); }, 0,
     "warning", "the file has no _CN titles", 1, "cn"},
    // The document options' section.
    {"more compression choices than the list holds",
     [] { return std::string(kClean) + "[Settings]\nLandscape_Compress=1\nCount=60\nCOMPRESS_VALUE=0\n"; }, 28,
     "warning", "[Settings] Count is 60 (the list holds 49 at most) but COMPRESS_VALUE1", -1},
    {"compression choice missing",
     [] {
       return std::string(kClean) +
              "[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE=100\n";
     },
     28, "warning", "COMPRESS_VALUE2 is missing: that choice reads 0", 1},
    {"compression choice empty",
     [] {
       return std::string(kClean) +
              "[Settings]\nLandscape_Compress=1\nCount=2\nCOMPRESS_VALUE1=80\nCOMPRESS_VALUE2=\nCOMPRESS_VALUE=80\n";
     },
     30, "warning", "COMPRESS_VALUE2 is empty: that choice repeats the one before it (80)", 1},
    {"current compression among no choice",
     [] {
       return std::string(kClean) +
              "[Settings]\nLandscape_Compress=1\nCount=1\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE=55\n";
     },
     30, "warning", "COMPRESS_VALUE 55 is none of the compression choices", 1},
    {"move outside its range", [] { return std::string(kClean) + "[Settings]\nXMoveEnable=2\nXMove=-75\n"; }, 28,
     "warning", "XMove -75 is outside -50 to 50: the move item starts at 0", 1},
    // The file's layout.
    {"duplicate section", [] { return std::string(kClean) + "[S_Default]\nI=0\n"; }, 26, "warning",
     "[S_Default] appears again (first at line 24): only the first one is read", 1},
    {"duplicate key", [] { return std::string(kClean) + "i=0\n"; }, 26, "warning",
     "[S_Default] i appears again (first at line 25)", 1},
    {"a key repeated eighty times, told fifty times and then counted",
     [] { return std::string(kClean) + Repeat("i=0\n", 80); }, 76, "warning",
     "30 more keys of [S_Default] appear again (from this line on): the first 50 are told one by one", 51},
    {"parameter rule moved to another section",
     [] { return Edit(kClean, "ParameterRule=High256\n", "") + "[Settings]\nParameterRule=High256\n"; }, 26, "error",
     "[SectionNames] ParameterRule is missing (line 26 has it in [Settings], where the plug-in does not read it)", 1},
    {"serial rule with blanks before its signs",
     [] {
       return Edit(Edit(kClean, "I_RuleType=Enum\nI_Rule=0=Off 1=On", "I_RuleType=Serial\nI_Rule=MIN = 0 MAX = 1"),
                   "I=1\n", "I=0\n");
     },
     20, "warning", "MIN and MAX are written with a blank before '=': write \"MIN=0 MAX=1\"", 1},
    {"fixed key in another section", [] { return Edit(kClean, "ItemCount=1\n", "ItemCount=1\nInstructionTail=0D\n"); },
     10, "warning",
     "[Section01] InstructionTail is never read: the plug-in reads InstructionTail only in [SectionNames]", 1},
    {"default keyed by the item's number", [] { return Edit(kClean, "[S_Default]\nI=1\n", "[S_Default]\nItem01=1\n"); },
     25, "warning",
     "[S_Default] Item01 is never read: these sections take an item by its key, not its number in the "
     "list: Item01 is I; write I",
     1},
    {"enum values written as decimals", [] { return Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=0.0=Off 1.0=On"); }, 20,
     "warning", "2 values are not numbers (\"0.0\", \"1.0\"): they read as 0, 1, which may not be what they say", 1},
    {"option -1 under BaseOn30",
     [] {
       return Edit(Edit(Edit(kClean, "I_Rule=0=Off 1=On", "I_Rule=-1=Auto 0=Off 1=On"), "I_Rule=1=On 0=Off",
                        "I_Rule=-1=Auto 1=On 0=Off"),
                   "ParameterRule=High256", "ParameterRule=BaseOn30");
     },
     20, "warning",
     "the option \"Auto\" has the value -1: choosing it keeps the item's previous value, so Set All never sends -1, "
     "and under BaseOn30 Set Current sends nothing for it",
     1},
    {"two entries on one line", [] { return Edit(kClean, "I=1\n", "I=1 J=2\n"); }, 25, "warning",
     "[S_Default] I = \"1 J=2\" is not a plain decimal number: the plug-in reads 1; it holds \"J=2\": two entries on "
     "one "
     "line, of which the second is never read; put it on a line of its own",
     1},
    {"another program's word for the instruction", [] { return Edit(kClean, "Item01Instruction=", "Item01Command="); },
     11, "error",
     "[Section01] Item01Instruction is missing (line 11 has \"Item01Command\", which the plug-in does not read as "
     "Item01Instruction)",
     1},
    {"default written among the titles",
     [] { return Edit(Edit(kClean, "I=1\n", ""), "I_Title=Item\n", "I_Title=Item\nI=1\n"); }, 15, "warning",
     "[S_Lang_EN] I is never read: an item's default goes in [S_Default], what hides it in [S_Filter]", 1},
    {"default written with a suffix", [] { return Edit(kClean, "I=1\n", "I_Default=1\n"); }, 25, "warning",
     "[S_Default] I_Default is never read: did you mean I?", 1},
    {"keys before the first header", [] { return "Version=2\n" + std::string(kClean); }, 1, "warning",
     "before the first [section] header", 1},
    {"misnumbered key", [] { return Edit(kClean, "Item01=I", "Item1=I\nItem01=I"); }, 10, "warning",
     "Item1 is never read: the plug-in looks for Item01", 1},
    {"a colon for the equals sign", [] { return Edit(kClean, "I=1\n", "I: 1\n"); }, 25, "warning",
     "[S_Default] \"I: 1\" has no '='; it holds \":\" where '=' belongs: it reads as a key with an empty value", 1},
    {"key written twice with another value",
     [] { return Edit(kClean, "I_Title=Item\n", "I_Title=Item\nI_Title=Other\n"); }, 15, "warning",
     "only the first one is read, \"Item\", not this \"Other\"; delete the line that is not meant", 1},
    {"line without an equals sign", [] { return Edit(kClean, "I_Title=Item\n", "I_Title=Item\nI_Note Hello\n"); }, 15,
     "warning", "\"I_Note Hello\" has no '='", 1},
};

TEST_F(CheckTest, EachFaultIsReportedOnItsLine) {
  for (const Case &c : kCases) {
    SCOPED_TRACE(c.name);
    CheckRun run = Check(c.file(), c.lang);
    bool found = false;
    for (const Reported &r : run.findings)
      found = found || (r.line == c.line && r.kind == c.kind && r.message.find(c.says) != std::string::npos);
    EXPECT_TRUE(found) << run.out;
    if (c.count >= 0) {
      EXPECT_EQ(int(run.findings.size()), c.count) << run.out;
    }
    bool errors = false;
    for (const Reported &r : run.findings) errors = errors || r.kind == "error";
    EXPECT_EQ(run.code, errors ? 1 : 0);
  }
}

TEST_F(CheckTest, TheSummaryCountsErrorsAndWarnings) {
  std::string text = Edit(Edit(kClean, "SaveInstruction=1B 53", "SaveInstruction=1B 5"), "I=1\n", "I=9\n");
  CheckRun run = Check(text);
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.summary, "1 error, 1 warning (English)");
  EXPECT_EQ(Check(Edit(text, "SaveInstruction=1B 5", "SaveInstruction=1B 53"), "cn").summary,
            "0 errors, 1 warning (Chinese)");
}

// A file of many sections is checked in time linear in it: every search for a section by name goes through the
// file's index, not along the whole file (20,000 empty sections took over a minute when one did).
TEST_F(CheckTest, ManySectionsAreCheckedInLinearTime) {
  std::string text;  // no class list, so that the checker looks among them for the one meant
  for (int n = 0; n < 20000; ++n) text += "[S" + std::to_string(1000000 + n) + "]\n";
  const auto start = std::chrono::steady_clock::now();
  CheckRun run = Check(text);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
  EXPECT_EQ(run.summary, "1 error, 51 warnings (English)");
}

TEST_F(CheckTest, TheEncodingIsReported) {
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string(kClean)) {
    utf16 += c;
    utf16 += '\0';
  }
  const struct {
    std::string bytes, lang, says;
  } cases[] = {
      {kClean, "en", "encoding: plain ASCII"},
      {"\xEF\xBB\xBF" + std::string(kClean), "en", "encoding: UTF-8 with byte order mark"},
      {Edit(kClean, "Title=Class CN", "Title=\xE7\xB1\xBB"), "cn", "encoding: UTF-8 without byte order mark"},
      {utf16, "en", "encoding: UTF-16 little-endian with byte order mark"},
      {Edit(kClean, "Title=Class CN", "Title=\xC0\xE0"), "cn", "encoding: ANSI, read in code page 936"},
      {Edit(kClean, "Title=Class CN", "Title=\xC0\xE0"), "en", "encoding: ANSI, read in code page 1252 (Chinese texts saved in code page 936"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.says);
    CheckRun run = Check(c.bytes, c.lang);
    EXPECT_EQ(run.info.rfind(c.says, 0), 0u) << run.out;
    EXPECT_TRUE(run.findings.empty()) << run.out;
  }
  // Bytes that are no character of the code page read as '?', which is ASCII; the file is not.
  CheckRun western = Check(Edit(kClean, "Title=Class CN", "Title=Qualit\xE9"), "cn");
  EXPECT_EQ(western.info.rfind("encoding: ANSI, read in code page 936", 0), 0u) << western.out;
}

TEST_F(CheckTest, TextsAreCheckedInTheChosenLanguage) {
  // Only the Chinese rule is broken: English checks clean, Chinese does not.
  std::string text = Edit(kClean, "I_Rule=1=On 0=Off", "I_Rule=1=On 0=Off and off and off and off");
  EXPECT_TRUE(Check(text, "en").findings.empty());
  CheckRun chinese = Check(text, "cn");
  ASSERT_EQ(chinese.findings.size(), 1u) << chinese.out;
  EXPECT_EQ(chinese.findings[0].line, 23);
  EXPECT_NE(chinese.findings[0].message.find("[S_Rule_CN] I_Rule"), std::string::npos);
}

TEST_F(CheckTest, SwitchedOffDocumentOptionsAreNotChecked) {
  CheckRun run = Check(std::string(kClean) + "[Settings]\nLandscape_Compress=0\nCount=60\nXMove=99\n");
  EXPECT_TRUE(run.findings.empty()) << run.out;
  // Values written without their switch at all (a switch deleted, or left out on purpose): told as information.
  run = Check(std::string(kClean) + "[Settings]\nCount=2\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=90\nXMove=9\n");
  EXPECT_TRUE(run.findings.empty()) << run.out;
  EXPECT_NE(run.out.find("no Landscape_Compress: the printer settings do not offer the landscape compression list; "
                         "write Landscape_Compress=1 [settings-switch-missing]"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("no XMoveEnable"), std::string::npos) << run.out;
}

TEST_F(CheckTest, HiddenSectionsAndItemsAreNotChecked) {
  std::string text = Edit(Edit(kClean, "SectionCount=1", "SectionCount=2"), "Section01=S\n",
                          "Section01=S\nSection02=Gone\n") +
                     "[Gone_Filter]\nSectionEnable=0\n[Section02]\nItemCount=1\nItem01=Bad\nItem01Instruction=XYZ\n";
  EXPECT_TRUE(Check(text).findings.empty()) << Check(text).out;
  std::string item = Edit(Edit(kClean, "ItemCount=1", "ItemCount=2"), "Item01Instruction=1B 44\n",
                          "Item01Instruction=1B 44\nItem02=H\nItem02Instruction=XYZ\n") +
                     "[S_Filter]\nH=0\n";
  EXPECT_TRUE(Check(item).findings.empty()) << Check(item).out;
}

}  // namespace
