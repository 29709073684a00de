// prnset dump: the catalogue the page would load, as one JSON object, indented so that two versions diff line by line.
#include <nlohmann/json.hpp>

#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

// Only the counted entries are defined; the counts never exceed the record's room, but a reader stays inside it.
LONG Bounded(LONG count, LONG capacity) { return count < 0 ? 0 : count > capacity ? capacity : count; }

using Json = nlohmann::ordered_json;  // keeps the keys in the record's field order

Json ItemJson(const SettingsItem &item) {
  Json options = Json::array();
  const SettingsOption *option = item.OptionCount ? item.Options : nullptr;
  for (DWORD i = 0; option && i < item.OptionCount; ++i, option = option->Next)
    options.push_back(Json{{"Value", option->Value}, {"Text", Utf8(FieldText(option->Text))}});
  return Json{{"Key", Utf8(FieldText(item.Key))},
              {"Title", Utf8(FieldText(item.Title))},
              {"Note", Utf8(FieldText(item.Note))},
              {"Instruction", Utf8(FieldText(item.Instruction))},
              {"ParameterCount", item.ParameterCount},
              {"DefaultValue", item.DefaultValue},
              {"CurrentValue", item.CurrentValue},
              {"OptionCount", item.OptionCount},
              {"Options", options}};
}

Json SectionJson(const SettingsSection &section) {
  Json items = Json::array();
  LONG count = Bounded(section.ItemCount, kMaxItems);
  for (LONG i = 0; i < count; ++i) items.push_back(ItemJson(section.Items[i]));
  return Json{{"Key", Utf8(FieldText(section.Key))},
              {"Title", Utf8(FieldText(section.Title))},
              {"Note", Utf8(FieldText(section.Note))},
              {"ItemCount", section.ItemCount},
              {"Items", items}};
}

}  // namespace

void WriteCatalogueJson(const SettingsCatalogue &catalogue, const DriverItems &driver, std::ostream &out) {
  Json sections = Json::array();
  LONG count = Bounded(catalogue.SectionCount, kMaxSections);
  for (LONG s = 0; s < count; ++s) sections.push_back(SectionJson(catalogue.Sections[s]));
  Json root{{"SectionCount", catalogue.SectionCount},
            {"InstructionTail", Utf8(FieldText(catalogue.InstructionTail))},
            {"EnterInstruction", Utf8(FieldText(catalogue.EnterInstruction))},
            {"SaveInstruction", Utf8(FieldText(catalogue.SaveInstruction))},
            {"ParameterRule", Utf8(FieldText(catalogue.ParameterRule))},
            {"Sections", sections}};
  // The driver's own items, as [Settings] gives them: a version that loses one diffs too.
  Json choices = Json::array();
  for (LONG n = 0; driver.compressOffered && n < driver.compress.count; ++n)
    choices.push_back(driver.compress.values[n]);
  root["DriverItems"] =
      Json{{"LandscapeCompression",
            Json{{"Offered", driver.compressOffered},
                 {"Choices", choices},
                 {"Starts", driver.compressOffered ? Json(driver.compress.values[driver.compress.selected]) : Json()}}},
           {"HorizontalMove", Json{{"Offered", driver.moveOffered},
                                   {"From", kMinMoveMillimetres},
                                   {"To", kMaxMoveMillimetres},
                                   {"Starts", driver.moveOffered ? Json(driver.moveStart) : Json()}}}};
  out << TerminalSafeJson(root.dump(2, ' ', false, Json::error_handler_t::replace)) << "\n";
}

int DumpCommand(const FileArguments &parsed, std::ostream &out, std::ostream &) {
  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  WriteCatalogueJson(session.catalogue(), ReadDriverItems(parsed.file, parsed.language), out);
  return kExitSuccess;
}

}  // namespace prnset
