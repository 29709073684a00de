// The settings file's vocabulary: every section and key name the plug-in reads, how it is built, what it is read
// as, its width or default, and the limits of the numbered names. The loader builds its names from these tables and
// the settings-file tool iterates them; nothing else writes a name of the file format.
#pragma once

#include "catalogue/catalogue.h"

// The INI sections the plug-in reads, by how their names are made.
enum class SectionForm {
  Names,     // "SectionNames": the file's frame and its list of classes
  Numbered,  // "Section%.2d": the items of the n-th listed class
  Filter,    // S "_Filter": which of class S and its items are hidden
  Language,  // S "_Lang" L: titles and notes of class S in language L
  Rules,     // S "_Rule" L: option rules of class S's items in language L
  Defaults,  // S "_Default": default values of class S's items
  Settings,  // "Settings": the document options' switches and values
};

// How a key's name is made within its section.
enum class KeyShape {
  Fixed,     // the name as written
  Numbered,  // a printf form of one number ("Item%.2dInstruction")
  ItemKeyed, // a printf form of the item's key ("%s_Title")
};

enum class ReadKind { Text, Number };

// What a read fills.
enum class FileField {
  SectionCount, InstructionTail, EnterInstruction, SaveInstruction, ParameterRule, SectionKey,
  ItemCount, ItemKey, Instruction, ParameterCount,
  SectionEnable, ItemEnable, SectionTitle, SectionNote, ItemTitle, ItemNote, RuleType, Rule, Default,
};

struct KeyName {
  FileField field;
  SectionForm section;
  KeyShape shape;
  LPCWSTR key;        // the name, or its printf form
  ReadKind kind;
  DWORD width;        // text: characters read, terminator included
  INT defaultValue;   // number: what a missing or empty value reads as
};

// Every read of a load, in the order the loader makes them for one class and one item.
extern const KeyName kFileKeys[19];
const KeyName &KeyOf(FileField field);

// A class's own sections: its key followed by the suffix, and the language suffix where `byLanguage`.
struct ClassSection {
  SectionForm form;
  LPCWSTR suffix;
  bool byLanguage;
};
extern const ClassSection kClassSections[4];

constexpr LPCWSTR kNamesSection = WTEXT("SectionNames");
constexpr LPCWSTR kSettingsSection = WTEXT("Settings");
constexpr LPCWSTR kNumberedSection = WTEXT("Section%.2d");

// Numbers of listed classes and items: written with at least two digits, read with at most this many.
constexpr int kMaxNumberDigits = 10;

// The language suffixes of the _Lang and _Rule sections, and the one language whose suffix is "_CN": Chinese as
// used in the People's Republic of China.
constexpr LPCWSTR kEnglishSuffix = WTEXT("_EN");
constexpr LPCWSTR kChineseSuffix = WTEXT("_CN");
constexpr LANGID kChineseLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
// The code pages a file without a byte order mark is read in on an English and on a Chinese system.
constexpr UINT kEnglishCodePage = 1252;
constexpr UINT kChineseCodePage = 936;
constexpr LANGID kEnglishLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// "_CN" or "_EN": the suffix of the language and rule sections a load in `language` reads.
LPCWSTR LanguageSuffix(LANGID language);

// The name of section `form` for class key `classKey` (or number `number`) in the language of `suffix`, into a
// buffer of kPathChars.
void SectionName(SectionForm form, LPCWSTR classKey, LONG number, LPCWSTR suffix, WCHAR (&name)[kPathChars]);
// The name of key `field` for number `number` or item key `itemKey`, into a buffer of kPathChars.
void KeyNameOf(FileField field, LONG number, LPCWSTR itemKey, WCHAR (&name)[kPathChars]);

// The values of an item's _RuleType the option rules know (in any case).
constexpr LPCWSTR kEnumRuleType = WTEXT("Enum");
constexpr LPCWSTR kSerialRuleType = WTEXT("Serial");

// The values of [SectionNames] ParameterRule the encoder knows (in any case): values as binary bytes, or as decimal
// digits.
constexpr LPCWSTR kHigh256Rule = WTEXT("High256");
constexpr LPCWSTR kBaseOn30Rule = WTEXT("BaseOn30");

// The [Settings] keys of the document options, read through the settings value lookup.
struct SettingsKey {
  LPCWSTR key;
  INT defaultValue;
};
constexpr SettingsKey kCompressSwitchKey{WTEXT("Landscape_Compress"), 0};
constexpr SettingsKey kMoveSwitchKey{WTEXT("XMoveEnable"), 0};
constexpr LPCWSTR kCompressCountKey = WTEXT("Count");
constexpr LPCWSTR kCompressValueKey = WTEXT("COMPRESS_VALUE");
constexpr LPCWSTR kCompressChoiceForm = WTEXT("COMPRESS_VALUE%d");  // choices 1 to kMaxCompressChoices
constexpr LPCWSTR kMoveKey = WTEXT("XMove");
constexpr LONG kMaxCompressChoices = 49;  // "Count" is cut to this
constexpr LONG kMinMoveMillimetres = -50;
constexpr LONG kMaxMoveMillimetres = 50;
