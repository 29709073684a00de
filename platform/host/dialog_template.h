// Reads a dialog template resource (DIALOG or DIALOGEX) into a plain description: the dialog's own fields and one
// record per control, in template order. The emulation creates dialogs from it; the tests of both builds use it to
// check the module's templates. Depends on nothing but the platform's integer and character types.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace host {

// A menu, window class or control text of a template: absent, an ordinal, or a text.
struct TemplateName {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::basic_string<WCHAR> text;  // empty with isOrdinal false: absent
};

struct DialogItemTemplate {
  DWORD helpId = 0;
  DWORD exStyle = 0;
  DWORD style = 0;
  SHORT x = 0, y = 0, cx = 0, cy = 0;
  LONG id = 0;  // -1 for the controls code never addresses, in both kinds of template
  TemplateName windowClass;  // predefined classes as ordinals: 0x80 button, 0x81 edit, 0x82 static, 0x83 list box,
                             // 0x84 scroll bar, 0x85 combo box
  TemplateName text;
  std::vector<BYTE> creationData;
};

struct DialogTemplate {
  bool extended = false;  // DIALOGEX
  DWORD helpId = 0;
  DWORD exStyle = 0;
  DWORD style = 0;
  SHORT x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu;
  TemplateName windowClass;
  std::basic_string<WCHAR> caption;
  bool hasFont = false;  // DS_SETFONT (or DS_SHELLFONT) in the style
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::basic_string<WCHAR> typeface;
  std::vector<DialogItemTemplate> items;
};

namespace dialog_template_detail {

class Reader {
 public:
  Reader(const BYTE *data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  void Align() { at_ = (at_ + 3) & ~size_t(3); }
  WORD Word() {
    if (!Has(2)) return 0;
    WORD v = WORD(data_[at_] | (data_[at_ + 1] << 8));
    at_ += 2;
    return v;
  }
  DWORD Dword() {
    DWORD low = Word();
    return low | (DWORD(Word()) << 16);
  }
  BYTE Byte() {
    if (!Has(1)) return 0;
    return data_[at_++];
  }
  std::basic_string<WCHAR> Text() {
    std::basic_string<WCHAR> text;
    for (;;) {
      WORD c = Word();
      if (!ok_ || !c) return text;
      text.push_back(WCHAR(c));
    }
  }
  TemplateName Name() {
    TemplateName name;
    WORD first = Word();
    if (first == 0xFFFF) {
      name.isOrdinal = true;
      name.ordinal = Word();
    } else if (first) {
      name.text.push_back(WCHAR(first));
      name.text += Text();
    }
    return name;
  }
  std::vector<BYTE> Bytes(size_t count) {
    if (!Has(count)) return {};
    std::vector<BYTE> bytes(data_ + at_, data_ + at_ + count);
    at_ += count;
    return bytes;
  }

 private:
  bool Has(size_t n) {
    if (!ok_ || at_ > size_ || size_ - at_ < n) ok_ = false;
    return ok_;
  }
  const BYTE *data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace dialog_template_detail

// False for a template that ends before its fields or controls do.
inline bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate &out) {
  out = DialogTemplate();
  if (!data) return false;
  dialog_template_detail::Reader r(static_cast<const BYTE *>(data), size);
  WORD version = r.Word(), signature = r.Word();
  WORD count = 0;
  out.extended = version == 1 && signature == 0xFFFF;
  if (out.extended) {
    out.helpId = r.Dword();
    out.exStyle = r.Dword();
    out.style = r.Dword();
  } else {
    out.style = DWORD(version) | (DWORD(signature) << 16);
    out.exStyle = r.Dword();
  }
  count = r.Word();
  out.x = SHORT(r.Word());
  out.y = SHORT(r.Word());
  out.cx = SHORT(r.Word());
  out.cy = SHORT(r.Word());
  out.menu = r.Name();
  out.windowClass = r.Name();
  out.caption = r.Text();
  const DWORD setFont = 0x40L;  // DS_SETFONT; DS_SHELLFONT includes it
  if (out.style & setFont) {
    out.hasFont = true;
    out.pointSize = r.Word();
    if (out.extended) {
      out.weight = r.Word();
      out.italic = r.Byte();
      out.charset = r.Byte();
    }
    out.typeface = r.Text();
  }
  for (WORD i = 0; i < count && r.ok(); ++i) {
    r.Align();
    DialogItemTemplate item;
    if (out.extended) {
      item.helpId = r.Dword();
      item.exStyle = r.Dword();
      item.style = r.Dword();
    } else {
      item.style = r.Dword();
      item.exStyle = r.Dword();
    }
    item.x = SHORT(r.Word());
    item.y = SHORT(r.Word());
    item.cx = SHORT(r.Word());
    item.cy = SHORT(r.Word());
    item.id = out.extended ? LONG(r.Dword()) : LONG(SHORT(r.Word()));
    item.windowClass = r.Name();
    item.text = r.Name();
    WORD extra = r.Word();
    item.creationData = r.Bytes(extra);
    if (r.ok()) out.items.push_back(item);
  }
  return r.ok();
}

}  // namespace host
