#include "bench/catalogue_check.h"

namespace bench {
namespace {

template <size_t N>
bool SameText(const WCHAR (&a)[N], const WCHAR (&b)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  return true;
}

std::string At(int s, int i = -1, int o = -1) {
  std::string where = "class " + std::to_string(s);
  if (i >= 0) where += " item " + std::to_string(i);
  if (o >= 0) where += " option " + std::to_string(o);
  return where + ": ";
}

}  // namespace

std::string ShapeMismatch(const SettingsCatalogue &catalogue, const FileShape &shape) {
  const int sections = shape.shownSections < kMaxSections ? shape.shownSections : kMaxSections;
  const int items = shape.itemsPerSection < kMaxItems ? shape.itemsPerSection : kMaxItems;
  const DWORD options = DWORD(shape.optionsPerItem < kMaxEnumOptions ? shape.optionsPerItem : kMaxEnumOptions);
  if (catalogue.SectionCount != sections)
    return "SectionCount " + std::to_string(catalogue.SectionCount) + ", expected " + std::to_string(sections);
  for (int s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue.Sections[s];
    if (section.ItemCount != items) return At(s) + "ItemCount " + std::to_string(section.ItemCount);
    if (section.Title[0] == 0) return At(s) + "no title";
    for (int i = 0; i < items; ++i) {
      const SettingsItem &item = section.Items[i];
      if (item.OptionCount != options) return At(s, i) + "OptionCount " + std::to_string(item.OptionCount);
      if (item.Title[0] == 0 || item.Note[0] == 0 || item.Instruction[0] == 0) return At(s, i) + "empty text";
    }
  }
  return "";
}

std::string CatalogueMismatch(const SettingsCatalogue &a, const SettingsCatalogue &b) {
  if (a.SectionCount != b.SectionCount) return "SectionCount differs";
  if (!SameText(a.InstructionTail, b.InstructionTail) || !SameText(a.EnterInstruction, b.EnterInstruction) ||
      !SameText(a.SaveInstruction, b.SaveInstruction) || !SameText(a.ParameterRule, b.ParameterRule))
    return "instructions differ";
  for (int s = 0; s < a.SectionCount && s < kMaxSections; ++s) {
    const SettingsSection &x = a.Sections[s], &y = b.Sections[s];
    if (!SameText(x.Key, y.Key) || !SameText(x.Title, y.Title) || !SameText(x.Note, y.Note)) return At(s) + "texts";
    if (x.ItemCount != y.ItemCount) return At(s) + "ItemCount";
    for (int i = 0; i < x.ItemCount && i < kMaxItems; ++i) {
      const SettingsItem &p = x.Items[i], &q = y.Items[i];
      if (!SameText(p.Key, q.Key) || !SameText(p.Title, q.Title) || !SameText(p.Note, q.Note) ||
          !SameText(p.Instruction, q.Instruction))
        return At(s, i) + "texts";
      if (p.CurrentValue != q.CurrentValue || p.DefaultValue != q.DefaultValue ||
          p.ParameterCount != q.ParameterCount || p.OptionCount != q.OptionCount)
        return At(s, i) + "numbers";
      const SettingsOption *m = p.OptionCount ? p.Options : nullptr;
      const SettingsOption *n = q.OptionCount ? q.Options : nullptr;
      for (int o = 0; m || n; ++o, m = m->Next, n = n->Next) {
        if (!m || !n) return At(s, i, o) + "list length";
        if (m->Value != n->Value || !SameText(m->Text, n->Text)) return At(s, i, o) + "option";
      }
    }
  }
  return "";
}

void ClearCatalogue(SettingsCatalogue &catalogue) { FreeCatalogueOptions(catalogue); }

}  // namespace bench
