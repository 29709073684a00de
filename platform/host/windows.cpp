// The windows of the Linux emulation: a table of windows shared by the process, each owned by the thread that made
// it. A dialog's procedure is called without the table's lock held, so it may send messages and show message boxes
// of its own; the controls' state is changed only under the lock.
#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "platform/host/dialog_template.h"
#include "platform/host/win_window.h"
#include "platform/host/window_control.h"

namespace {

using Text = std::u16string;

enum class Kind { Plain, Dialog, Button, Edit, Static, ListBox, ComboBox };

struct Row {
  Text text;
  LPARAM data = 0;
  bool selected = false;
};

struct Window {
  Kind kind = Kind::Plain;
  HWND parent = nullptr;
  std::vector<HWND> children;  // in creation order, which is the template's
  std::thread::id thread;
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  Text text;
  DLGPROC proc = nullptr;
  LONG_PTR msgResult = 0;  // DWLP_MSGRESULT
  LONG_PTR user = 0;       // DWLP_USER
  LONG_PTR userData = 0;   // GWLP_USERDATA
  bool destroying = false;
  // List and combo boxes.
  std::vector<Row> rows;
  LONG current = -1;  // the selection of a single-selection list or a combo box
  LONG caret = 0;     // the focus row of a multiple-selection list
};

struct Table {
  std::mutex lock;
  std::map<ULONG_PTR, std::unique_ptr<Window>> windows;
  ULONG_PTR next = 0x10010;
};

Table &TheTable() {
  static Table table;
  return table;
}

Window *Find(Table &t, HWND handle) {
  auto it = t.windows.find(reinterpret_cast<ULONG_PTR>(handle));
  return it == t.windows.end() ? nullptr : it->second.get();
}

// Looks a window up under the lock; sets the platform's error for a handle that names none.
Window *Lookup(Table &t, HWND handle) {
  Window *w = handle ? Find(t, handle) : nullptr;
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

HWND Add(Table &t, std::unique_ptr<Window> window) {
  ULONG_PTR key = t.next;
  t.next += 4;
  HWND handle = reinterpret_cast<HWND>(key);
  if (window->parent)
    if (Window *parent = Find(t, window->parent)) parent->children.push_back(handle);
  t.windows.emplace(key, std::move(window));
  return handle;
}

Text TextOf(LPCWSTR text) { return text ? Text(text) : Text(); }

// Copies a text with a terminator into a buffer of `capacity` characters, cut to fit; returns the characters copied.
LRESULT CopyOut(const Text &text, LPWSTR buffer, size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  size_t n = std::min(text.size(), capacity - 1);
  std::copy(text.begin(), text.begin() + n, buffer);
  buffer[n] = 0;
  return LRESULT(n);
}

bool IsMultipleSelection(const Window &w) { return (w.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

bool HasRow(const Window &w, WPARAM index) { return LONG(index) >= 0 && size_t(LONG(index)) < w.rows.size(); }

LRESULT AddRow(Window &w, LPARAM text, LRESULT spaceError) {
  try {
    w.rows.push_back(Row{TextOf(reinterpret_cast<LPCWSTR>(text)), 0, false});
  } catch (const std::bad_alloc &) {
    return spaceError;
  }
  return LRESULT(w.rows.size() - 1);
}

LRESULT ListBoxMessage(Window &w, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool multi = IsMultipleSelection(w);
  const LONG index = LONG(wParam);
  switch (message) {
    case LB_ADDSTRING:
      return AddRow(w, lParam, LB_ERRSPACE);
    case LB_RESETCONTENT:
      w.rows.clear();
      w.current = -1;
      w.caret = 0;
      return 0;
    case LB_GETCOUNT:
      return LRESULT(w.rows.size());
    case LB_SETCURSEL:
      if (multi) return LB_ERR;
      if (index < -1 || (index >= 0 && !HasRow(w, wParam))) return LB_ERR;
      if (w.current >= 0) w.rows[w.current].selected = false;
      w.current = index;
      if (index >= 0) w.rows[index].selected = true;
      // Clearing the selection also answers LB_ERR.
      return index >= 0 ? index : LB_ERR;
    case LB_GETCURSEL:
      if (w.rows.empty()) return LB_ERR;
      return multi ? w.caret : (w.current >= 0 ? w.current : LB_ERR);
    case LB_SETSEL: {
      if (!multi) return LB_ERR;
      const LONG row = LONG(lParam);
      if (row == -1) {
        for (Row &r : w.rows) r.selected = wParam != 0;
        return LB_OKAY;
      }
      if (!HasRow(w, WPARAM(row))) return LB_ERR;
      w.rows[row].selected = wParam != 0;
      return LB_OKAY;
    }
    case LB_GETSEL:
      if (!HasRow(w, wParam)) return LB_ERR;
      return w.rows[index].selected ? 1 : 0;
    case LB_GETSELCOUNT:
      if (!multi) return LB_ERR;
      return LRESULT(std::count_if(w.rows.begin(), w.rows.end(), [](const Row &r) { return r.selected; }));
    case LB_GETSELITEMS: {
      if (!multi) return LB_ERR;
      auto *out = reinterpret_cast<int *>(lParam);
      const LONG room = LONG(wParam);
      if (room > 0 && !out) return LB_ERR;
      LONG n = 0;
      for (size_t i = 0; i < w.rows.size() && n < room; ++i)
        if (w.rows[i].selected) out[n++] = int(i);
      return n;
    }
    case LB_SETITEMDATA:
      if (!HasRow(w, wParam)) {
        SetLastError(ERROR_INVALID_INDEX);
        return LB_ERR;
      }
      w.rows[index].data = lParam;
      return TRUE;
    case LB_GETITEMDATA:
      if (!HasRow(w, wParam)) return LB_ERR;
      return w.rows[index].data;
    case LB_GETTEXTLEN:
      if (!HasRow(w, wParam)) return LB_ERR;
      return LRESULT(w.rows[index].text.size());
    case LB_GETTEXT:
      // The caller's buffer holds the whole text, as LB_GETTEXTLEN told it.
      if (!HasRow(w, wParam) || !lParam) return LB_ERR;
      return CopyOut(w.rows[index].text, reinterpret_cast<LPWSTR>(lParam), w.rows[index].text.size() + 1);
    default:
      return 0;
  }
}

LRESULT ComboBoxMessage(Window &w, UINT message, WPARAM wParam, LPARAM lParam) {
  const LONG index = LONG(wParam);
  switch (message) {
    case CB_ADDSTRING:
      return AddRow(w, lParam, CB_ERRSPACE);
    case CB_RESETCONTENT:
      w.rows.clear();
      w.current = -1;
      return CB_OKAY;
    case CB_GETCOUNT:
      return LRESULT(w.rows.size());
    case CB_SETCURSEL:
      // An index out of range, -1 included, clears the selection and answers CB_ERR.
      w.current = HasRow(w, wParam) ? index : -1;
      return w.current >= 0 ? w.current : CB_ERR;
    case CB_GETCURSEL:
      return w.current >= 0 ? w.current : CB_ERR;
    case CB_SETITEMDATA:
      if (!HasRow(w, wParam)) return CB_ERR;
      w.rows[index].data = lParam;
      return TRUE;
    case CB_GETITEMDATA:
      if (!HasRow(w, wParam)) return CB_ERR;
      return w.rows[index].data;
    case CB_GETLBTEXTLEN:
      if (!HasRow(w, wParam)) return CB_ERR;
      return LRESULT(w.rows[index].text.size());
    case CB_GETLBTEXT:
      if (!HasRow(w, wParam) || !lParam) return CB_ERR;
      return CopyOut(w.rows[index].text, reinterpret_cast<LPWSTR>(lParam), w.rows[index].text.size() + 1);
    default:
      return 0;
  }
}

// What the window itself does with a message its procedure (if any) left: texts and control state. Runs under the
// lock; BM_CLICK is answered by the caller, since it sends a message on.
LRESULT DefaultHandling(Window &w, UINT message, WPARAM wParam, LPARAM lParam) {
  // A drop-down list's text is its selected row.
  const bool dropList = w.kind == Kind::ComboBox && (w.style & 0x3) == CBS_DROPDOWNLIST;
  switch (message) {
    case WM_SETTEXT:
      if (dropList) return CB_ERR;
      w.text = TextOf(reinterpret_cast<LPCWSTR>(lParam));
      return TRUE;
    case WM_GETTEXT: {
      const Text &text = dropList ? (w.current >= 0 ? w.rows[w.current].text : Text()) : w.text;
      return CopyOut(text, reinterpret_cast<LPWSTR>(lParam), size_t(wParam));
    }
    case WM_GETTEXTLENGTH:
      return dropList ? (w.current >= 0 ? LRESULT(w.rows[w.current].text.size()) : 0) : LRESULT(w.text.size());
    default:
      break;
  }
  if (w.kind == Kind::ListBox) return ListBoxMessage(w, message, wParam, lParam);
  if (w.kind == Kind::ComboBox) return ComboBoxMessage(w, message, wParam, lParam);
  return 0;
}

// The messages whose answer is the dialog procedure's own result rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) { return message == WM_INITDIALOG; }

bool IsClickable(const Window &w) {
  if (w.kind != Kind::Button) return false;
  return (w.style & BS_TYPEMASK) != BS_GROUPBOX;
}

// The control kinds a template may name, by ordinal or by class name.
bool KindOfClass(const host::TemplateName &name, Kind &kind) {
  if (name.isOrdinal) {
    switch (name.ordinal) {
      case 0x80: kind = Kind::Button; return true;
      case 0x81: kind = Kind::Edit; return true;
      case 0x82: kind = Kind::Static; return true;
      case 0x83: kind = Kind::ListBox; return true;
      case 0x85: kind = Kind::ComboBox; return true;
      default: return false;
    }
  }
  static const struct {
    const char16_t *name;
    Kind kind;
  } classes[] = {{u"Button", Kind::Button}, {u"Edit", Kind::Edit}, {u"Static", Kind::Static},
                 {u"ListBox", Kind::ListBox}, {u"ComboBox", Kind::ComboBox}};
  for (const auto &c : classes)
    if (lstrcmpiW(name.text.c_str(), c.name) == 0) {
      kind = c.kind;
      return true;
    }
  return false;
}

bool Sorts(Kind kind, DWORD style) {
  return (kind == Kind::ListBox && (style & LBS_SORT)) || (kind == Kind::ComboBox && (style & CBS_SORT));
}

// The boxes of one thread: what its tests queued as answers and what was shown.
struct MessageBoxState {
  std::deque<int> answers;
  std::vector<host::MessageBoxRecord> shown;
};
thread_local MessageBoxState messageBoxes;

// The buttons of a message box type, in their order on the box; empty for a type the platform does not have.
std::vector<int> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {};
  }
}

}  // namespace

HWND WINAPI CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  HRSRC resource = FindResourceW(reinterpret_cast<HMODULE>(instance), templateName, RT_DIALOG);
  if (!resource) return nullptr;
  host::DialogTemplate dialog;
  if (!host::ParseDialogTemplate(LockResource(LoadResource(nullptr, resource)), SizeofResource(nullptr, resource),
                                 dialog)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Every control class must be known before anything is made; sorted lists are not emulated. DS_NOFAILCREATE
  // leaves such controls out instead.
  if (!(dialog.style & DS_NOFAILCREATE)) {
    for (const host::DialogItemTemplate &item : dialog.items) {
      Kind kind;
      if (!KindOfClass(item.windowClass, kind) || Sorts(kind, item.style)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
      }
    }
  }

  Table &t = TheTable();
  HWND handle = nullptr;
  HWND firstTabStop = nullptr;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    if (parent && !Find(t, parent)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    auto window = std::make_unique<Window>();
    window->kind = Kind::Dialog;
    window->parent = parent;
    window->thread = std::this_thread::get_id();
    window->style = dialog.style;
    window->exStyle = dialog.exStyle;
    window->text = dialog.caption;
    window->proc = proc;
    handle = Add(t, std::move(window));
    for (const host::DialogItemTemplate &item : dialog.items) {
      Kind kind;
      if (!KindOfClass(item.windowClass, kind) || Sorts(kind, item.style)) continue;
      auto control = std::make_unique<Window>();
      control->kind = kind;
      control->parent = handle;
      control->thread = std::this_thread::get_id();
      control->style = item.style | WS_CHILD;
      control->exStyle = item.exStyle;
      control->id = int(item.id);
      if (!item.text.isOrdinal) control->text = item.text.text;
      const bool tabStop = (control->style & WS_TABSTOP) != 0;
      HWND child = Add(t, std::move(control));
      if (tabStop && !firstTabStop) firstTabStop = child;
    }
  }
  if (proc) proc(handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), param);
  // The procedure may have ended the dialog while it was being made.
  return IsWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
  Table &t = TheTable();
  std::vector<HWND> doomed;  // the window and its descendants, parents first
  {
    std::lock_guard<std::mutex> guard(t.lock);
    Window *w = Lookup(t, handle);
    if (!w) return FALSE;
    if (w->thread != std::this_thread::get_id()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (w->destroying) return FALSE;
    doomed.push_back(handle);
    for (size_t i = 0; i < doomed.size(); ++i) {
      Window *d = Find(t, doomed[i]);
      d->destroying = true;
      doomed.insert(doomed.end(), d->children.begin(), d->children.end());
    }
  }
  for (HWND d : doomed) SendMessageW(d, WM_DESTROY, 0, 0);
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) SendMessageW(*it, WM_NCDESTROY, 0, 0);
  std::lock_guard<std::mutex> guard(t.lock);
  if (Window *w = Find(t, handle))
    if (Window *parent = w->parent ? Find(t, w->parent) : nullptr)
      parent->children.erase(std::remove(parent->children.begin(), parent->children.end(), handle),
                             parent->children.end());
  for (HWND d : doomed) t.windows.erase(reinterpret_cast<ULONG_PTR>(d));
  return TRUE;
}

BOOL WINAPI IsWindow(HWND handle) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  return handle && Find(t, handle) ? TRUE : FALSE;
}

HWND WINAPI GetParent(HWND handle) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = Lookup(t, handle);
  return w ? w->parent : nullptr;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = Lookup(t, dialog);
  if (!w) return nullptr;
  for (HWND child : w->children)
    if (Window *c = Find(t, child))
      if (c->id == id) return child;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int WINAPI GetDlgCtrlID(HWND handle) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = Lookup(t, handle);
  return w && (w->style & WS_CHILD) ? w->id : 0;
}

LRESULT WINAPI SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Table &t = TheTable();
  DLGPROC proc = nullptr;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    Window *w = Lookup(t, handle);
    if (!w) return 0;
    if (w->kind == Kind::Dialog) proc = w->proc;
  }
  if (proc) {
    INT_PTR answer = proc(handle, message, wParam, lParam);
    if (AnswersDirectly(message)) return answer;
    if (answer) {
      std::lock_guard<std::mutex> guard(t.lock);
      Window *w = Find(t, handle);
      return w ? w->msgResult : 0;
    }
  }
  HWND notify = nullptr;
  WPARAM command = 0;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    Window *w = Find(t, handle);
    if (!w) return 0;
    if (message != BM_CLICK) return DefaultHandling(*w, message, wParam, lParam);
    if (!IsClickable(*w) || !w->parent) return 0;
    notify = w->parent;
    command = MAKEWPARAM(WORD(w->id), BN_CLICKED);
  }
  // A click tells the button's parent, as a press of the mouse would.
  SendMessageW(notify, WM_COMMAND, command, reinterpret_cast<LPARAM>(handle));
  return 0;
}

LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessageW(control, message, wParam, lParam) : 0;
}

int WINAPI GetWindowTextW(HWND handle, LPWSTR text, int capacity) {
  if (!text || capacity <= 0) return 0;
  text[0] = 0;
  return int(SendMessageW(handle, WM_GETTEXT, WPARAM(capacity), reinterpret_cast<LPARAM>(text)));
}

int WINAPI GetWindowTextLengthW(HWND handle) { return int(SendMessageW(handle, WM_GETTEXTLENGTH, 0, 0)); }

BOOL WINAPI SetWindowTextW(HWND handle, LPCWSTR text) {
  return SendMessageW(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) == TRUE;
}

BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SetWindowTextW(control, text) : FALSE;
}

UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int capacity) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) {
    if (text && capacity > 0) text[0] = 0;
    return 0;
  }
  return UINT(GetWindowTextW(control, text, capacity));
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = Lookup(t, handle);
  if (!w) return FALSE;
  const BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  if (command == SW_HIDE) w->style &= ~DWORD(WS_VISIBLE);
  else w->style |= WS_VISIBLE;
  return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND handle) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = handle ? Find(t, handle) : nullptr;
  if (!w) return FALSE;
  for (; w; w = w->parent ? Find(t, w->parent) : nullptr)
    if (!(w->style & WS_VISIBLE)) return FALSE;
  return TRUE;
}

LONG WINAPI GetWindowLongW(HWND handle, int index) { return LONG(GetWindowLongPtrW(handle, index)); }

LONG_PTR WINAPI GetWindowLongPtrW(HWND handle, int index) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = Lookup(t, handle);
  if (!w) return 0;
  const bool dialog = w->kind == Kind::Dialog;
  switch (index) {
    case GWL_STYLE: return LONG_PTR(w->style);
    case GWL_EXSTYLE: return LONG_PTR(w->exStyle);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    default: break;
  }
  if (dialog && index == int(DWLP_MSGRESULT)) return w->msgResult;
  if (dialog && index == int(DWLP_DLGPROC)) return reinterpret_cast<LONG_PTR>(w->proc);
  if (dialog && index == int(DWLP_USER)) return w->user;
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  Window *w = Lookup(t, handle);
  if (!w) return 0;
  const bool dialog = w->kind == Kind::Dialog;
  LONG_PTR *slot = nullptr;
  LONG_PTR previous = 0;
  if (index == GWL_STYLE) {
    previous = LONG_PTR(w->style);
    w->style = DWORD(value);
  } else if (index == GWL_EXSTYLE) {
    previous = LONG_PTR(w->exStyle);
    w->exStyle = DWORD(value);
  } else if (index == GWLP_USERDATA) {
    slot = &w->userData;
  } else if (dialog && index == int(DWLP_MSGRESULT)) {
    slot = &w->msgResult;
  } else if (dialog && index == int(DWLP_USER)) {
    slot = &w->user;
  } else {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  if (slot) {
    previous = *slot;
    *slot = value;
  }
  SetLastError(0);  // a previous value of 0 is not a failure
  return previous;
}

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (owner && !IsWindow(owner)) return 0;  // the platform's error is already set
  const std::vector<int> buttons = ButtonsOf(type);
  if (buttons.empty()) {
    SetLastError(1438);  // ERROR_INVALID_MSGBOX_STYLE
    return 0;
  }
  size_t defaultButton = (type & MB_DEFMASK) >> 8;
  int answer = buttons[defaultButton < buttons.size() ? defaultButton : 0];
  MessageBoxState &state = messageBoxes;
  if (!state.answers.empty()) {
    int queued = state.answers.front();
    state.answers.pop_front();
    if (std::find(buttons.begin(), buttons.end(), queued) != buttons.end()) answer = queued;
  }
  host::MessageBoxRecord record;
  record.owner = owner;
  record.text = TextOf(text);
  record.caption = caption ? Text(caption) : Text(u"Error");
  record.type = type;
  record.answer = answer;
  state.shown.push_back(record);
  return answer;
}

namespace host {

HWND CreateSheetWindow(const std::u16string &caption) {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  auto window = std::make_unique<Window>();
  window->kind = Kind::Dialog;
  window->thread = std::this_thread::get_id();
  window->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  window->text = caption;
  return Add(t, std::move(window));
}

void QueueMessageBoxAnswer(int button) { messageBoxes.answers.push_back(button); }

std::vector<MessageBoxRecord> TakeMessageBoxes() {
  std::vector<MessageBoxRecord> shown;
  shown.swap(messageBoxes.shown);
  return shown;
}

void ClearMessageBoxes() {
  messageBoxes.answers.clear();
  messageBoxes.shown.clear();
}

int LiveWindows() {
  Table &t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  const std::thread::id self = std::this_thread::get_id();
  return int(std::count_if(t.windows.begin(), t.windows.end(),
                           [&](const auto &entry) { return entry.second->thread == self; }));
}

void DestroyThreadWindows() {
  std::vector<HWND> roots;
  {
    Table &t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    const std::thread::id self = std::this_thread::get_id();
    for (const auto &entry : t.windows) {
      const Window &w = *entry.second;
      bool parentIsOurs = w.parent && Find(t, w.parent) && Find(t, w.parent)->thread == self;
      if (w.thread == self && !parentIsOurs && !w.destroying) roots.push_back(reinterpret_cast<HWND>(entry.first));
    }
  }
  for (HWND root : roots) DestroyWindow(root);
}

}  // namespace host
