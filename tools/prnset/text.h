// Text helpers of the settings-file tool: the catalogue's UTF-16 texts as UTF-8 for the terminal and as JSON.
#pragma once

#include <functional>
#include <streambuf>
#include <string>

#include "platform/platform.h"

namespace prnset {

using WString = std::basic_string<WCHAR>;

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD so that the output is always valid UTF-8.
std::string Utf8(const WCHAR *text, size_t length);
std::string Utf8(const WString &text);
std::string Utf8(LPCWSTR text);

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
WString Widen(const std::string &utf8);

// A name as Linux gives it, whose bytes need not be UTF-8 (a Latin-1 or code-page-936 file name): the bytes that are
// no UTF-8 stand as U+DC80 to U+DCFF, the halves of no pair; Utf8Escaped gives the same bytes back.
WString WidenEscaped(const std::string &name);
std::string Utf8Escaped(const WString &name);

// ASCII text (option names, fixed words) as wide text.
WString Ascii(const char *text);

// Characters an editor shows as nothing or as a plain blank: a no-break space, a soft hyphen, zero-width marks, a
// byte order mark, an ideographic space.
bool IsInvisible(WCHAR c);

// A Chinese character (the unified ideographs and their first extension).
bool IsHan(WCHAR c);

// UTF-8 text made safe for a terminal: control characters (C0, DEL, C1), line and paragraph separators and the
// marks that reorder text and the invisible characters are written as \t, \n, \r, \xNN or \u{NNNN}; everything else
// stays as it is.
std::string EscapeText(const std::string &utf8);

// Serialized JSON with the controls a terminal acts on, or that reorder what it shows (U+0080 to U+009F, the
// bidirectional marks and overrides, the line and paragraph separators), written as \u escapes: the same JSON.
std::string TerminalSafeJson(const std::string &json);

// Length of a wide text bounded by its field: a field's text never runs past its capacity.
size_t BoundedLength(const WCHAR *text, size_t capacity);

// The text of a fixed-width field, cut at its terminator or at the end of the field.
template <size_t N>
WString FieldText(const WCHAR (&field)[N]) {
  return WString(field, BoundedLength(field, N));
}

// A text without the blanks and tabs around it.
WString Trimmed(const WString &text);

// The first `count` characters of a text (whole when shorter), as the page cuts a title.
WString Cut(const WString &text, size_t count);

// Text written in pieces, handed on a line at a time, and on a flush up to the last whole character: a console shows
// a UTF-8 character that reaches it in two writes garbled.
class LineBuffer : public std::streambuf {
 public:
  explicit LineBuffer(std::function<void(const std::string &)> sink) : sink_(std::move(sink)) {}
  ~LineBuffer() override { Hand(pending_.size()); }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char *text, std::streamsize n) override;
  int sync() override;

 private:
  void Hand(size_t bytes);

  std::function<void(const std::string &)> sink_;
  std::string pending_;
};

}  // namespace prnset
