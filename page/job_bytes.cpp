#include "page/job_bytes.h"

namespace {

int HexDigit(WCHAR c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

CommandText NoCommandText(NoJob failure, NoText why = NoText::kNone, LONG section = -1, LONG item = -1,
                          LONG value = 0) {
  CommandText result;
  result.failure = failure;
  result.why = why;
  result.section = section;
  result.item = item;
  result.value = value;
  return result;
}

// The size query, then the text into a block of exactly that size: what every job does with the encoder.
template <typename Encode>
CommandText QueryText(LONG section, LONG item, LONG value, Encode encode) {
  NoText why = NoText::kNone;
  DWORD size = 0;
  encode(nullptr, &size, &why);
  if (size == 0) return NoCommandText(NoJob::kNoText, why, section, item, value);
  CommandText result;
  result.text = AllocateHeapBlock<WCHAR>(size);
  if (!result.text) return NoCommandText(NoJob::kNoMemory);
  DWORD capacity = size;
  if (encode(result.text.get(), &capacity, &why) != size)
    return NoCommandText(NoJob::kNoText, why, section, item, value);
  result.size = size;
  result.value = value;
  return result;
}

}  // namespace

HexTextCheck CheckHexText(LPCWSTR text) {
  HexTextCheck check;
  for (const WCHAR *p = text; p && *p; ++p) {
    if (*p == ' ') continue;
    if (HexDigit(*p) < 0) {
      check.fault = HexTextCheck::kNotHex;
      check.position = DWORD(p - text);
      return check;
    }
    ++check.digits;
  }
  if (check.digits % 2) check.fault = HexTextCheck::kOddDigits;
  return check;
}

DWORD HexTextToBytes(LPCWSTR text, BYTE *out, DWORD capacity) {
  if (!text) return 0;
  const HexTextCheck check = CheckHexText(text);
  const DWORD digits = check.digits;
  if (check.fault != HexTextCheck::kWhole || digits / 2 > capacity || (digits && !out)) return 0;
  DWORD count = 0;
  int high = -1;
  for (const WCHAR *p = text; *p; ++p) {
    if (*p == ' ') continue;
    int digit = HexDigit(*p);
    if (high < 0) {
      high = digit;
    } else {
      out[count++] = BYTE(high << 4 | digit);
      high = -1;
    }
  }
  return count;
}

CommandText ItemChoiceText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice) {
  LONG value = choice;
  if (const SettingsItem *entry = ItemAt(catalogue, section, item)) ChoiceValue(*entry, choice, &value);
  return QueryText(section, item, value, [&](LPWSTR text, DWORD *size, NoText *why) {
    return EncodeItemChoice(catalogue, section, item, choice, text, size, why);
  });
}

CommandText ItemValueText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value) {
  return QueryText(section, item, value, [&](LPWSTR text, DWORD *size, NoText *why) {
    return EncodeItemValue(catalogue, section, item, value, text, size, why);
  });
}

ItemValues CurrentValuesOf(const SettingsCatalogue &catalogue) {
  ItemValues values = {};
  for (LONG s = 0; s < kMaxSections; ++s)
    for (LONG i = 0; i < kMaxItems; ++i) values.value[s][i] = catalogue.Sections[s].Items[i].CurrentValue;
  return values;
}

CommandText AllItemsText(const SettingsCatalogue &catalogue) { return AllItemsText(catalogue, CurrentValuesOf(catalogue)); }

CommandText AllItemsText(const SettingsCatalogue &catalogue, const ItemValues &values) {
  const LONG sections = SectionCountOf(catalogue);
  // First the size of every item's text: each overwrites the terminator of the one before.
  DWORD total = 1;
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue.Sections[s];
    const LONG items = ItemCountOf(section);
    for (LONG i = 0; i < items; ++i) {
      DWORD size = 0;
      NoText why = NoText::kNone;
      EncodeItemValue(catalogue, s, i, values.value[s][i], nullptr, &size, &why);
      if (size == 0) return NoCommandText(NoJob::kNoText, why, s, i, values.value[s][i]);
      total += size - 1;
    }
  }
  if (total == 1) return NoCommandText(NoJob::kNoItems);

  CommandText result;
  result.text = AllocateHeapBlock<WCHAR>(total);
  if (!result.text) return NoCommandText(NoJob::kNoMemory);
  DWORD at = 0;
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &section = catalogue.Sections[s];
    const LONG items = ItemCountOf(section);
    for (LONG i = 0; i < items; ++i) {
      DWORD room = total - at;
      NoText why = NoText::kNone;
      DWORD written = EncodeItemValue(catalogue, s, i, values.value[s][i], result.text.get() + at, &room,
                                      &why);
      if (written == 0) return NoCommandText(NoJob::kNoText, why, s, i, values.value[s][i]);
      at += written - 1;
    }
  }
  result.size = total;
  return result;
}

JobBytes FrameCommandText(const SettingsCatalogue &catalogue, CommandText command) {
  JobBytes job;
  if (!command.size) {
    job.failure = command.failure;
    job.text = std::move(command);
    return job;
  }
  WCHAR enter[ARRAYSIZE(catalogue.EnterInstruction)];
  WCHAR save[ARRAYSIZE(catalogue.SaveInstruction)];
  lstrcpynW(enter, catalogue.EnterInstruction, ARRAYSIZE(enter));
  lstrcpynW(save, catalogue.SaveInstruction, ARRAYSIZE(save));
  // Two characters per byte at the least: room for any valid text, with or without blanks between the groups.
  DWORD capacity = DWORD(lstrlenW(enter)) / 2 + DWORD(lstrlenW(save)) / 2 + command.size / 2 + 3;
  UniqueHeapBlock<BYTE> bytes = AllocateHeapBlock<BYTE>(capacity);
  if (!bytes) {
    job.failure = NoJob::kNoMemory;
    return job;
  }
  DWORD c = HexTextToBytes(enter, bytes.get(), capacity);
  DWORD d = HexTextToBytes(command.text.get(), bytes.get() + c, capacity - c);
  DWORD e = HexTextToBytes(save, bytes.get() + c + d, capacity - c - d);
  job.text = std::move(command);
  if (d == 0) {
    job.failure = NoJob::kNotHex;
    return job;
  }
  job.bytes = std::move(bytes);
  job.count = c + d + e;
  return job;
}

JobBytes BuildItemJob(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice) {
  return FrameCommandText(catalogue, ItemChoiceText(catalogue, section, item, choice));
}

JobBytes BuildAllItemsJob(const SettingsCatalogue &catalogue, const ItemValues &values) {
  return FrameCommandText(catalogue, AllItemsText(catalogue, values));
}

JobBytes BuildAllItemsJob(const SettingsCatalogue &catalogue) {
  return FrameCommandText(catalogue, AllItemsText(catalogue));
}
