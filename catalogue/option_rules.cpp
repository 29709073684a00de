#include "catalogue/option_rules.h"

#include "catalogue/vocabulary.h"

namespace {

constexpr int kTextChars = ARRAYSIZE(SettingsOption{}.Text);  // 50, terminator included
constexpr int kEnumValueChars = 5;  // a value is read from at most this many characters
constexpr int kEnumTextChars = 48;  // a middle text is taken from at most this many characters
constexpr int kEnumLastTextChars = 18;
constexpr int kSerialTitleChars = 49;

// A blank in a rule text is the space alone; the INI reader's trimming of tabs and the like is another matter.
bool IsBlank(WCHAR c) { return c == WTEXT(' '); }
bool IsDigit(WCHAR c) { return c >= WTEXT('0') && c <= WTEXT('9'); }

// The decimal integer at the start of [p, end): leading blanks, an optional sign, digits up to the first
// non-digit; no digits give 0. Saturates at the 32-bit limits so that no reading overflows.
LONG ReadInteger(LPCWSTR p, LPCWSTR end) {
  while (p < end && IsBlank(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == WTEXT('-') || *p == WTEXT('+'))) negative = *p++ == WTEXT('-');
  long long magnitude = 0;
  for (; p < end && IsDigit(*p); ++p) {
    magnitude = magnitude * 10 + (*p - WTEXT('0'));
    if (magnitude > 2147483648LL) magnitude = 2147483648LL;
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > 2147483647LL) value = 2147483647LL;
  return LONG(value);
}

LPCWSTR Find(LPCWSTR p, WCHAR c) {
  for (; *p; ++p)
    if (*p == c) return p;
  return nullptr;
}

LPCWSTR EndOf(LPCWSTR p) { return p + lstrlenW(p); }

// Copies [from, to) into an option text, cut to the field.
void SetText(SettingsOption &option, LPCWSTR from, LPCWSTR to) {
  int n = int(to - from);
  if (n > kTextChars - 1) n = kTextChars - 1;
  for (int i = 0; i < n; ++i) option.Text[i] = from[i];
  option.Text[n] = 0;
}

// Appends nodes to a list under construction; a failed allocation ends the list where it stands.
class ListBuilder {
 public:
  explicit ListBuilder(SettingsOption **head) : head_(head) { *head_ = nullptr; }
  SettingsOption *Append(LONG value) {
    auto *node = static_cast<SettingsOption *>(HeapAlloc(GetProcessHeap(), 0, sizeof(SettingsOption)));
    if (!node) return nullptr;
    node->Value = value;
    node->Text[0] = 0;
    node->Next = nullptr;
    (last_ ? last_->Next : *head_) = node;
    last_ = node;
    ++count_;
    return node;
  }
  DWORD count() const { return count_; }

 private:
  SettingsOption **head_;
  SettingsOption *last_ = nullptr;
  DWORD count_ = 0;
};

// Whether [p, end) is a number as written: blanks, an optional sign, then digits only.
bool IsNumberText(LPCWSTR p, LPCWSTR end) {
  while (p < end && IsBlank(*p)) ++p;
  if (p < end && (*p == WTEXT('-') || *p == WTEXT('+'))) ++p;
  if (p >= end) return false;
  for (; p < end; ++p)
    if (!IsDigit(*p)) return false;
  return true;
}

// Notes go to the report when there is one.
class Notes {
 public:
  Notes(RuleReport *report, LPCWSTR rule) : report_(report), rule_(rule) {}
  void Add(RuleNoteKind kind, DWORD option, LPCWSTR from, LPCWSTR to, long long value = 0, long long limit = 0,
           DWORD kept = 0) {
    if (!report_) return;
    RuleNote note;
    note.kind = kind;
    note.option = option;
    note.from = from ? DWORD(from - rule_) : 0;
    note.to = to ? DWORD(to - rule_) : 0;
    note.value = value;
    note.limit = limit;
    note.kept = kept;
    report_->notes.push_back(note);
  }
  void Range(long long minimum, long long maximum, long long step) {
    if (!report_) return;
    report_->minimum = minimum;
    report_->maximum = maximum;
    report_->step = step;
  }

 private:
  RuleReport *report_;
  LPCWSTR rule_;
};

// value=text pairs separated by blanks: "0=Off 1=On 2=Very high".
DWORD ParseEnum(LPCWSTR rule, SettingsOption **options, Notes notes) {
  ListBuilder list(options);
  LPCWSTR end = EndOf(rule);
  LPCWSTR q = rule;
  while (list.count() < DWORD(kMaxEnumOptions)) {
    LPCWSTR equals = Find(q, WTEXT('='));
    if (!equals) break;

    // The first value is read from the start of the rule; a later one from the last blank before its '=',
    // after the previous option's text (or from where that text began, when no blank separates them).
    LPCWSTR valueStart = rule, tokenStart = rule;
    const DWORD position = list.count();
    if (position > 0) {
      valueStart = tokenStart = q;
      for (LPCWSTR p = equals; p > q; --p)
        if (IsBlank(p[-1])) {
          valueStart = p - 1;
          tokenStart = p;
          break;
        }
      if (valueStart == q) notes.Add(RuleNoteKind::EnumNoBlank, position, q, equals);
    }
    LPCWSTR valueEnd = valueStart + kEnumValueChars;
    if (valueEnd > end) valueEnd = end;
    LONG value = ReadInteger(valueStart, valueEnd);
    if (!IsNumberText(tokenStart, equals))
      notes.Add(RuleNoteKind::EnumValueNotNumber, position, tokenStart, equals, value);
    else if (equals > valueStart + kEnumValueChars)
      notes.Add(RuleNoteKind::EnumValueCut, position, tokenStart, equals, value);

    q = equals + 1;
    LPCWSTR next = Find(q, WTEXT('='));
    LPCWSTR textEnd;
    if (next) {
      // A middle text runs up to the blank before the next value.
      textEnd = next;
      for (LPCWSTR p = next; p > q; --p)
        if (IsBlank(p[-1])) {
          textEnd = p - 1;
          break;
        }
      if (textEnd - q > kTextChars - 1)
        notes.Add(RuleNoteKind::EnumTextCut, position, q, textEnd, 0, 0, kTextChars - 1);
    } else {
      LPCWSTR limit = q + kEnumTextChars;
      textEnd = limit < end ? limit : end;
      if (textEnd - q > kEnumLastTextChars) {
        notes.Add(RuleNoteKind::EnumLastTextCut, position, q, end, 0, 0, kEnumLastTextChars);
        textEnd = q + kEnumLastTextChars;
      }
    }
    if (textEnd == q) notes.Add(RuleNoteKind::EnumEmptyText, position, q, q);

    SettingsOption *node = list.Append(value);
    if (!node) break;
    SetText(*node, q, textEnd);
  }
  if (list.count() == 0) notes.Add(RuleNoteKind::EnumNoPairs, 0, rule, end);
  else if (list.count() == DWORD(kMaxEnumOptions) && Find(q, WTEXT('=')))
    notes.Add(RuleNoteKind::EnumTooMany, 0, q, end, 0, 0, kMaxEnumOptions);
  return list.count();
}

// MIN= MAX= STEP= TITLE=, in any case: an arithmetic range with a common unit title.
DWORD ParseSerial(LPCWSTR rule, SettingsOption **options, Notes notes) {
  // Keys are found whatever their case, and the title is taken from the capitalised copy.
  WCHAR upper[1024];
  lstrcpynW(upper, rule, ARRAYSIZE(upper));
  for (WCHAR *p = upper; *p; ++p)
    if (*p >= WTEXT('a') && *p <= WTEXT('z')) *p = WCHAR(*p - WTEXT('a') + WTEXT('A'));
  LPCWSTR end = EndOf(upper);

  auto locate = [&](LPCWSTR key) -> LPCWSTR {
    int keyLength = lstrlenW(key);
    for (LPCWSTR p = upper; p + keyLength <= end; ++p) {
      int i = 0;
      while (i < keyLength && p[i] == key[i]) ++i;
      if (i == keyLength) return p + keyLength;
    }
    return nullptr;
  };
  // A setting written as a word reads as 0. Positions in the copy are positions in the rule text.
  auto setting = [&](LPCWSTR key, long long otherwise) -> long long {
    LPCWSTR at = locate(key);
    if (!at) return otherwise;
    LPCWSTR p = at;
    while (p < end && IsBlank(*p)) ++p;
    if (p < end && (*p == WTEXT('-') || *p == WTEXT('+'))) ++p;
    if (p >= end || !IsDigit(*p)) {
      LPCWSTR wordEnd = at;
      while (wordEnd < end && !IsBlank(*wordEnd)) ++wordEnd;
      notes.Add(RuleNoteKind::SerialNotNumber, 0, rule + (at - upper) - lstrlenW(key), rule + (wordEnd - upper));
    }
    return ReadInteger(at, end);
  };
  const bool ranged = locate(WTEXT("MIN=")) || locate(WTEXT("MAX="));
  long long minimum = setting(WTEXT("MIN="), 0);
  long long maximum = setting(WTEXT("MAX="), 0);
  long long step = setting(WTEXT("STEP="), 1);
  notes.Range(minimum, maximum, step);
  WCHAR title[kSerialTitleChars + 1] = {};
  if (LPCWSTR at = locate(WTEXT("TITLE="))) {
    lstrcpynW(title, at, ARRAYSIZE(title));
    if (end - at > kSerialTitleChars)
      notes.Add(RuleNoteKind::SerialTitleCut, 0, rule + (at - upper), rule + (end - upper), end - at, 0,
                kSerialTitleChars);
    for (LPCWSTR key : {WTEXT("MIN="), WTEXT("MAX="), WTEXT("STEP=")}) {
      LPCWSTR other = locate(key);
      if (other && other > at) {
        notes.Add(RuleNoteKind::SerialTitleNotLast, 0, rule + (at - upper), rule + (end - upper));
        break;
      }
    }
  }
  if (!ranged) notes.Add(RuleNoteKind::SerialNoRange, 0, nullptr, nullptr);

  ListBuilder list(options);
  if (minimum > maximum) {
    notes.Add(RuleNoteKind::SerialEmpty, 0, nullptr, nullptr, minimum, maximum);
    return 0;
  }
  if (step < 1) {
    notes.Add(RuleNoteKind::SerialStep, 0, nullptr, nullptr, step);
    return 0;
  }
  const long long count = (maximum - minimum) / step + 1;
  if (count > kMaxSerialOptions)
    notes.Add(RuleNoteKind::SerialTooMany, 0, nullptr, nullptr, count, step, kMaxSerialOptions);
  long long last = minimum, firstCut = 0;
  int longest = 0;  // the longest text, when one is cut: how much the title must give up
  for (long long v = minimum; v <= maximum && list.count() < DWORD(kMaxSerialOptions); v += step) {
    SettingsOption *node = list.Append(LONG(v));
    if (!node) break;
    last = v;
    WCHAR text[1100];
    int length = wsprintfW(text, WTEXT("%d%s"), int(v), title);
    lstrcpynW(node->Text, text, kTextChars);
    if (length > kTextChars - 1 && length > longest) {
      if (!longest) firstCut = v;
      longest = length;
    }
  }
  if (longest) notes.Add(RuleNoteKind::SerialTextCut, 0, nullptr, nullptr, firstCut, longest, kTextChars - 1);
  if (count <= kMaxSerialOptions && last != maximum)
    notes.Add(RuleNoteKind::SerialMissesMax, 0, nullptr, nullptr, last, maximum);
  return list.count();
}

}  // namespace

DWORD ParseOptionRule(LPCWSTR ruleType, LPCWSTR ruleText, SettingsOption **options, RuleReport *report) {
  if (!ruleType || !options) return 0;
  if (!ruleText) ruleText = WTEXT("");
  Notes notes(report, ruleText);
  const bool isEnum = lstrcmpiW(ruleType, kEnumRuleType) == 0;
  const bool isSerial = !isEnum && lstrcmpiW(ruleType, kSerialRuleType) == 0;
  if (report) report->known = isEnum || isSerial;
  if (isEnum) return ParseEnum(ruleText, options, notes);
  if (isSerial) return ParseSerial(ruleText, options, notes);
  return 0;
}

void FreeOptionList(SettingsOption *head, DWORD count) {
  for (DWORD i = 0; head && i < count; ++i) {
    SettingsOption *next = head->Next;
    HeapFree(GetProcessHeap(), 0, head);
    head = next;
  }
}
