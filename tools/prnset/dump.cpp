// prnset dump: the catalogue the page would load, as one JSON object.
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

// Only the counted entries are defined; the counts never exceed the record's room, but a reader stays inside it.
LONG Bounded(LONG count, LONG capacity) { return count < 0 ? 0 : count > capacity ? capacity : count; }

void WriteOptions(const SettingsItem &item, std::ostream &out) {
  out << "\"Options\":[";
  const SettingsOption *option = item.OptionCount ? item.Options : nullptr;
  for (DWORD i = 0; option && i < item.OptionCount; ++i, option = option->Next) {
    if (i) out << ',';
    out << "{\"Value\":" << option->Value << ",\"Text\":" << JsonString(FieldText(option->Text)) << '}';
  }
  out << ']';
}

void WriteItem(const SettingsItem &item, std::ostream &out) {
  out << "{\"Key\":" << JsonString(FieldText(item.Key)) << ",\"Title\":" << JsonString(FieldText(item.Title))
      << ",\"Note\":" << JsonString(FieldText(item.Note))
      << ",\"Instruction\":" << JsonString(FieldText(item.Instruction))
      << ",\"ParameterCount\":" << item.ParameterCount << ",\"DefaultValue\":" << item.DefaultValue
      << ",\"CurrentValue\":" << item.CurrentValue << ",\"OptionCount\":" << item.OptionCount << ',';
  WriteOptions(item, out);
  out << '}';
}

void WriteSection(const SettingsSection &section, std::ostream &out) {
  LONG items = Bounded(section.ItemCount, kMaxItems);
  out << "{\"Key\":" << JsonString(FieldText(section.Key)) << ",\"Title\":" << JsonString(FieldText(section.Title))
      << ",\"Note\":" << JsonString(FieldText(section.Note)) << ",\"ItemCount\":" << section.ItemCount
      << ",\"Items\":[";
  for (LONG i = 0; i < items; ++i) {
    if (i) out << ',';
    WriteItem(section.Items[i], out);
  }
  out << "]}";
}

}  // namespace

void WriteCatalogueJson(const SettingsCatalogue &catalogue, std::ostream &out) {
  LONG sections = Bounded(catalogue.SectionCount, kMaxSections);
  out << "{\"SectionCount\":" << catalogue.SectionCount
      << ",\"InstructionTail\":" << JsonString(FieldText(catalogue.InstructionTail))
      << ",\"EnterInstruction\":" << JsonString(FieldText(catalogue.EnterInstruction))
      << ",\"SaveInstruction\":" << JsonString(FieldText(catalogue.SaveInstruction))
      << ",\"ParameterRule\":" << JsonString(FieldText(catalogue.ParameterRule)) << ",\"Sections\":[";
  for (LONG s = 0; s < sections; ++s) {
    if (s) out << ',';
    WriteSection(catalogue.Sections[s], out);
  }
  out << "]}\n";
}

int DumpCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err) {
  FileArguments parsed;
  if (!ParseFileArguments("dump", args, {}, parsed, err)) return kExitUsage;
  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  WriteCatalogueJson(session.catalogue(), out);
  return kExitSuccess;
}

}  // namespace prnset
