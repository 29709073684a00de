// Arbitrary rule types and rule texts: the first byte picks the type, the rest is the text as UTF-16.
#include <cstdint>
#include <cstring>

#include "catalogue/option_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  static const char16_t *types[] = {u"Enum", u"Serial", u"enum", u"SERIAL", u"", u"Other"};
  const char16_t *type = types[data[0] % 6];
  // The loader reads rule texts into 1024 characters.
  char16_t rule[1024] = {};
  size_t chars = (size - 1) / 2;
  if (chars > 1023) chars = 1023;
  memcpy(rule, data + 1, chars * 2);
  SettingsOption *head = nullptr;
  DWORD count = ParseOptionRule(type, rule, &head);
  DWORD walked = 0;
  for (SettingsOption *p = head; p && walked <= count; p = p->Next, ++walked) {
    if (p->Text[49] != 0 && lstrlenW(p->Text) > 49) __builtin_trap();
  }
  if (count && walked != count) __builtin_trap();
  if (count > 4096) __builtin_trap();
  FreeOptionList(head, count);
  return 0;
}
