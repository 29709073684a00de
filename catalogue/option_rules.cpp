#include "catalogue/option_rules.h"

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

// value=text pairs separated by blanks: "0=Off 1=On 2=Very high".
DWORD ParseEnum(LPCWSTR rule, SettingsOption **options) {
  ListBuilder list(options);
  LPCWSTR end = EndOf(rule);
  LPCWSTR q = rule;
  while (list.count() < DWORD(kMaxEnumOptions)) {
    LPCWSTR equals = Find(q, WTEXT('='));
    if (!equals) break;

    // The first value is read from the start of the rule; a later one from the last blank before its '=',
    // after the previous option's text (or from where that text began, when no blank separates them).
    LPCWSTR valueStart = rule;
    if (list.count() > 0) {
      valueStart = q;
      for (LPCWSTR p = equals; p > q; --p)
        if (IsBlank(p[-1])) {
          valueStart = p - 1;
          break;
        }
    }
    LPCWSTR valueEnd = valueStart + kEnumValueChars;
    if (valueEnd > end) valueEnd = end;
    LONG value = ReadInteger(valueStart, valueEnd);

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
    } else {
      LPCWSTR limit = q + kEnumTextChars;
      textEnd = limit < end ? limit : end;
      if (textEnd - q > kEnumLastTextChars) textEnd = q + kEnumLastTextChars;
    }

    SettingsOption *node = list.Append(value);
    if (!node) break;
    SetText(*node, q, textEnd);
  }
  return list.count();
}

// MIN= MAX= STEP= TITLE=, in any case: an arithmetic range with a common unit title.
DWORD ParseSerial(LPCWSTR rule, SettingsOption **options) {
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
  LPCWSTR at;
  long long minimum = (at = locate(WTEXT("MIN="))) ? ReadInteger(at, end) : 0;
  long long maximum = (at = locate(WTEXT("MAX="))) ? ReadInteger(at, end) : 0;
  long long step = (at = locate(WTEXT("STEP="))) ? ReadInteger(at, end) : 1;
  WCHAR title[kSerialTitleChars + 1] = {};
  if ((at = locate(WTEXT("TITLE=")))) lstrcpynW(title, at, ARRAYSIZE(title));

  ListBuilder list(options);
  if (minimum > maximum || step < 1) return 0;
  for (long long v = minimum; v <= maximum && list.count() < DWORD(kMaxSerialOptions); v += step) {
    SettingsOption *node = list.Append(LONG(v));
    if (!node) break;
    WCHAR text[1100];
    wsprintfW(text, WTEXT("%d%s"), int(v), title);
    lstrcpynW(node->Text, text, kTextChars);
  }
  return list.count();
}

}  // namespace

DWORD ParseOptionRule(LPCWSTR ruleType, LPCWSTR ruleText, SettingsOption **options) {
  if (!ruleType || !options) return 0;
  if (!ruleText) ruleText = WTEXT("");
  if (lstrcmpiW(ruleType, WTEXT("Enum")) == 0) return ParseEnum(ruleText, options);
  if (lstrcmpiW(ruleType, WTEXT("Serial")) == 0) return ParseSerial(ruleText, options);
  return 0;
}

void FreeOptionList(SettingsOption *head, DWORD count) {
  for (DWORD i = 0; head && i < count; ++i) {
    SettingsOption *next = head->Next;
    HeapFree(GetProcessHeap(), 0, head);
    head = next;
  }
}
