// The resource loader of the Linux emulation. The process image is one standard .res file (the module's scripts
// compiled with windres -O res): a run of entries, each a header naming type, name and language, then the data,
// every part aligned to four bytes. The image is read once and kept for the life of the process, because the
// platform hands out pointers into it (LockResource, LoadStringW with size 0).
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/host/control.h"
#include "platform/host/win_resource.h"

namespace {

// A type or name: a 16-bit ordinal, or an upper-case text.
struct ResourceId {
  bool isOrdinal = true;
  WORD ordinal = 0;
  host::WString text;
};

struct Entry {
  ResourceId type;
  ResourceId name;
  WORD language = 0;
  const BYTE *data = nullptr;
  DWORD size = 0;
};

struct Image {
  std::vector<BYTE> bytes;
  std::vector<Entry> entries;
};

struct Loader {
  std::mutex lock;
  bool tried = false;
  Image *current = nullptr;
  std::vector<std::unique_ptr<Image>> images;  // every image ever loaded stays, for the pointers handed out
};

Loader &TheLoader() {
  static Loader loader;
  return loader;
}

WCHAR Upper(WCHAR c) { return (c >= u'a' && c <= u'z') ? WCHAR(c - u'a' + u'A') : c; }

// Reads a WORD/DWORD at `at` when it lies inside the image.
bool ReadWord(const std::vector<BYTE> &b, size_t at, WORD &out) {
  if (at > b.size() || b.size() - at < 2) return false;
  out = WORD(b[at] | (b[at + 1] << 8));
  return true;
}

bool ReadDword(const std::vector<BYTE> &b, size_t at, DWORD &out) {
  if (at > b.size() || b.size() - at < 4) return false;
  out = DWORD(b[at]) | (DWORD(b[at + 1]) << 8) | (DWORD(b[at + 2]) << 16) | (DWORD(b[at + 3]) << 24);
  return true;
}

// A type or name field of an entry header ending at `end`: 0xFFFF and an ordinal, or a terminated UTF-16 text.
bool ReadId(const std::vector<BYTE> &b, size_t &at, size_t end, ResourceId &out) {
  WORD first = 0;
  if (at + 2 > end || !ReadWord(b, at, first)) return false;
  if (first == 0xFFFF) {
    if (at + 4 > end || !ReadWord(b, at + 2, out.ordinal)) return false;
    out.isOrdinal = true;
    at += 4;
    return true;
  }
  out.isOrdinal = false;
  out.text.clear();
  for (;;) {
    WORD c = 0;
    if (at + 2 > end || !ReadWord(b, at, c)) return false;
    at += 2;
    if (!c) return true;
    out.text.push_back(Upper(WCHAR(c)));
  }
}

size_t AlignUp(size_t n) { return (n + 3) & ~size_t(3); }

// Splits the image into entries; stops at the first header that does not fit, keeping the entries before it.
void ParseImage(Image &image) {
  const std::vector<BYTE> &b = image.bytes;
  size_t at = 0;
  while (at + 8 <= b.size()) {
    DWORD dataSize = 0, headerSize = 0;
    ReadDword(b, at, dataSize);
    ReadDword(b, at + 4, headerSize);
    if (headerSize < 8 + 16 + 4 || headerSize % 4 || headerSize > b.size() - at ||
        dataSize > b.size() - at - headerSize)
      return;
    size_t headerEnd = at + headerSize;
    size_t p = at + 8;
    Entry entry;
    if (!ReadId(b, p, headerEnd, entry.type) || !ReadId(b, p, headerEnd, entry.name)) return;
    p = AlignUp(p);
    // DataVersion (4), MemoryFlags (2), LanguageId (2), Version (4), Characteristics (4).
    if (p + 16 > headerEnd) return;
    ReadWord(b, p + 6, entry.language);
    entry.data = b.data() + headerEnd;
    entry.size = dataSize;
    // The leading empty entry marks the file as 32-bit; it names no resource.
    if (!(entry.type.isOrdinal && entry.type.ordinal == 0)) image.entries.push_back(entry);
    size_t next = AlignUp(headerEnd + dataSize);
    if (next <= at) return;
    at = next;
  }
}

Image *LoadImageFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  auto image = std::make_unique<Image>();
  image->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  ParseImage(*image);
  Image *raw = image.get();
  TheLoader().images.push_back(std::move(image));
  return raw;
}

// The process image, read from the build's resource file on first use.
Image *CurrentImage(Loader &loader) {
#ifdef PRNSET_RESOURCE_FILE
  if (!loader.tried) {
    loader.tried = true;
    if (!loader.current) loader.current = LoadImageFile(PRNSET_RESOURCE_FILE);
  }
#endif
  return loader.current;
}

// `id` as the caller named it: an ordinal (MAKEINTRESOURCEW or "#123") or a text, compared without case.
bool Matches(const ResourceId &have, LPCWSTR id) {
  if (IS_INTRESOURCE(id)) return have.isOrdinal && have.ordinal == WORD(ULONG_PTR(id));
  if (id[0] == u'#') {
    DWORD n = 0;
    const WCHAR *p = id + 1;
    if (!*p) return false;
    for (; *p; ++p) {
      if (*p < u'0' || *p > u'9') return false;
      n = n * 10 + DWORD(*p - u'0');
      if (n > 0xFFFF) return false;
    }
    return have.isOrdinal && have.ordinal == n;
  }
  if (have.isOrdinal) return false;
  size_t i = 0;
  for (; id[i]; ++i)
    if (i >= have.text.size() || have.text[i] != Upper(id[i])) return false;
  return i == have.text.size();
}

// The entry of `type` and `name` in the first of the given languages that has one; with `anyLanguage`, failing
// those, the first entry of that type and name.
const Entry *FindEntry(const Image &image, LPCWSTR type, LPCWSTR name, const WORD *languages, size_t count,
                       bool anyLanguage) {
  bool typeSeen = false;
  std::vector<const Entry *> candidates;
  for (const Entry &e : image.entries) {
    if (!Matches(e.type, type)) continue;
    typeSeen = true;
    if (Matches(e.name, name)) candidates.push_back(&e);
  }
  for (size_t l = 0; l < count; ++l)
    for (const Entry *e : candidates)
      if (e->language == languages[l]) return e;
  if (anyLanguage && !candidates.empty()) return candidates.front();
  SetLastError(!typeSeen            ? ERROR_RESOURCE_TYPE_NOT_FOUND
               : candidates.empty() ? ERROR_RESOURCE_NAME_NOT_FOUND
                                    : ERROR_RESOURCE_LANG_NOT_FOUND);
  return nullptr;
}

// The order of the platform's loader when no language is named: neutral, the thread's UI language and its primary
// language, the user's default UI language, US English; then whatever entry there is.
const Entry *FindDefault(const Image &image, LPCWSTR type, LPCWSTR name) {
  LANGID thread = GetThreadUILanguage();
  const WORD order[] = {WORD(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)), thread,
                        WORD(MAKELANGID(PRIMARYLANGID(thread), SUBLANG_NEUTRAL)), GetUserDefaultUILanguage(),
                        WORD(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))};
  return FindEntry(image, type, name, order, ARRAYSIZE(order), true);
}

const Entry *Find(LPCWSTR type, LPCWSTR name, const WORD *language) {
  Loader &loader = TheLoader();
  std::lock_guard<std::mutex> guard(loader.lock);
  Image *image = CurrentImage(loader);
  if (!image || !type || !name) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  if (!language || *language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) return FindDefault(*image, type, name);
  const WORD order[] = {*language, WORD(MAKELANGID(PRIMARYLANGID(*language), SUBLANG_NEUTRAL)),
                        WORD(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL))};
  return FindEntry(*image, type, name, order, ARRAYSIZE(order), false);
}

}  // namespace

HRSRC WINAPI FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  return reinterpret_cast<HRSRC>(const_cast<Entry *>(Find(type, name, nullptr)));
}

HRSRC WINAPI FindResourceExW(HMODULE, LPCWSTR type, LPCWSTR name, WORD language) {
  return reinterpret_cast<HRSRC>(const_cast<Entry *>(Find(type, name, &language)));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<BYTE *>(reinterpret_cast<const Entry *>(resource)->data);
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return reinterpret_cast<const Entry *>(resource)->size;
}

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) {
  if (!buffer) return 0;
  // Strings live in blocks of 16: block (id / 16) + 1, each string a length and that many characters.
  HRSRC block = FindResourceW(reinterpret_cast<HMODULE>(instance), MAKEINTRESOURCEW((LOWORD(id) >> 4) + 1), RT_STRING);
  if (!block) return 0;
  const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, block)));
  DWORD bytes = SizeofResource(nullptr, block);
  const DWORD units = bytes / 2;
  auto unit = [&](DWORD i) { return WORD(data[2 * i] | (data[2 * i + 1] << 8)); };
  DWORD at = 0;
  for (UINT skip = id & 0xF; skip; --skip) {
    if (at >= units) return 0;
    at += 1 + unit(at);
  }
  if (at >= units) return 0;
  DWORD length = unit(at);
  if (length > units - at - 1) return 0;  // a block cut short names no text
  const WCHAR *text = reinterpret_cast<const WCHAR *>(data + 2 * (at + 1));
  if (size == 0) {
    *reinterpret_cast<const WCHAR **>(buffer) = text;
    return int(length);
  }
  if (size < 0) return 0;
  DWORD copy = length < DWORD(size - 1) ? length : DWORD(size - 1);
  std::memcpy(buffer, text, copy * sizeof(WCHAR));
  buffer[copy] = 0;
  return int(copy);
}

namespace host {

bool LoadResourceFile(const std::string &path) {
  Loader &loader = TheLoader();
  std::lock_guard<std::mutex> guard(loader.lock);
  loader.tried = true;
  Image *image = path.empty() ? nullptr : LoadImageFile(path);
  loader.current = image;
  return image != nullptr;
}

std::string DefaultResourceFile() {
#ifdef PRNSET_RESOURCE_FILE
  return PRNSET_RESOURCE_FILE;
#else
  return std::string();
#endif
}

}  // namespace host
