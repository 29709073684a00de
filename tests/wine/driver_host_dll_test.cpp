// The driver host: the DLL as it ships, its exports, the DLLs it needs, the resources it carries, its version resource
// as a vendor's installer reads it, and the image header fields that signing and the loader look at.
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "prnset_version.h"
#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

// One directory of the loaded image's headers.
const IMAGE_DATA_DIRECTORY &ImageDirectory(HMODULE module, int which) {
  auto *base = reinterpret_cast<const BYTE *>(module);
  auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  return nt->OptionalHeader.DataDirectory[which];
}

std::set<std::string> ExportedNames(HMODULE module) {
  std::set<std::string> names;
  auto *base = reinterpret_cast<const BYTE *>(module);
  const IMAGE_DATA_DIRECTORY &directory = ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (!directory.VirtualAddress) return names;
  auto *exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + directory.VirtualAddress);
  auto *nameTable = reinterpret_cast<const DWORD *>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.insert(reinterpret_cast<const char *>(base + nameTable[i]));
  return names;
}

std::vector<std::string> ImportedDlls(HMODULE module) {
  std::vector<std::string> dlls;
  auto *base = reinterpret_cast<const BYTE *>(module);
  const IMAGE_DATA_DIRECTORY &directory = ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (!directory.VirtualAddress) return dlls;
  for (auto *entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress); entry->Name;
       ++entry) {
    std::string name = reinterpret_cast<const char *>(base + entry->Name);
    for (char &c : name) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    dlls.push_back(name);
  }
  return dlls;
}

TEST_F(DriverHost, DllExportsTheTwoEntriesCarriesItsResourcesAndNeedsOnlySystemDlls) {
  EXPECT_EQ(ExportedNames(library_.Module()), (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject"}));
  for (const std::string &dll : ImportedDlls(library_.Module()))
    EXPECT_NE(dll.rfind("lib", 0), 0u) << dll << ": a runtime DLL a printer's machine does not have";

  HMODULE module = library_.Module();
  const WORD languages[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                            MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)};
  for (WORD language : languages) {
    EXPECT_NE(FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), language), nullptr)
        << "page template in language " << language;
  }
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION), nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST), nullptr);
  WCHAR text[100] = {};
  EXPECT_GT(LoadStringW(module, IDS_JOB_NAME, text, ARRAYSIZE(text)), 0);
}

// The version resource read back from the file, the way an installer or the file's properties read it.
class VersionInfo {
 public:
  explicit VersionInfo(const WString &path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (!size) return;
    data_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data_.data())) data_.clear();
  }
  bool Read() const { return !data_.empty(); }
  const VS_FIXEDFILEINFO *Fixed() {
    void *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) return nullptr;
    return static_cast<const VS_FIXEDFILEINFO *>(value);
  }
  std::vector<DWORD> Translations() {
    void *value = nullptr;
    UINT length = 0;
    std::vector<DWORD> pairs;
    if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length)) return pairs;
    const DWORD *words = static_cast<const DWORD *>(value);
    pairs.assign(words, words + length / sizeof(DWORD));
    return pairs;
  }
  // A text of one language's block; "<missing>" when the block has no such entry.
  std::string Text(const char *block, const char *name) {
    WString query = L"\\StringFileInfo\\" + Wide(block) + L"\\" + Wide(name);
    void *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), query.c_str(), &value, &length) || !value) return "<missing>";
    return Utf8(WString(static_cast<const WCHAR *>(value), length ? length - 1 : 0));
  }

 private:
  std::vector<BYTE> data_;
};

TEST_F(DriverHost, VersionResourceCarriesTheReleaseAndTheVendorsTexts) {
  VersionInfo info(library_.Path());
  ASSERT_TRUE(info.Read()) << "no version resource in " << Utf8(library_.Path());
  const VS_FIXEDFILEINFO *fixed = info.Fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = (DWORD(PRNSET_VERSION_MAJOR) << 16) | PRNSET_VERSION_MINOR;
  const DWORD low = DWORD(PRNSET_VERSION_PATCH) << 16;
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, DWORD(VFT_DLL));
  EXPECT_EQ(fixed->dwFileOS, DWORD(VOS_NT_WINDOWS32));
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "a debug, pre-release or patched build";

  // One block per language, each in UTF-16, and a translation entry for each.
  EXPECT_EQ(info.Translations(), (std::vector<DWORD>{MAKELONG(0x409, 1200), MAKELONG(0x804, 1200)}));
  const struct {
    const char *block;
    const char *product;
    const char *description;
  } languages[] = {
      {"040904b0", PRNSET_PRODUCT_NAME, PRNSET_FILE_DESCRIPTION},
      {"080404b0", PRNSET_PRODUCT_NAME_CN, PRNSET_FILE_DESCRIPTION_CN},
  };
  for (const auto &language : languages) {
    SCOPED_TRACE(language.block);
    EXPECT_EQ(info.Text(language.block, "FileVersion"), PRNSET_VERSION_TEXT);
    EXPECT_EQ(info.Text(language.block, "ProductVersion"), PRNSET_VERSION_TEXT);
    EXPECT_EQ(info.Text(language.block, "CompanyName"), PRNSET_COMPANY_NAME);
    EXPECT_EQ(info.Text(language.block, "LegalCopyright"), PRNSET_LEGAL_COPYRIGHT);
    EXPECT_EQ(info.Text(language.block, "ProductName"), language.product);
    EXPECT_EQ(info.Text(language.block, "FileDescription"), language.description);
    EXPECT_EQ(info.Text(language.block, "OriginalFilename"), PRNSET_DLL_FILE);
    EXPECT_EQ(info.Text(language.block, "InternalName"), PRNSET_DLL_NAME);
  }
}

// The image's section table.
std::vector<IMAGE_SECTION_HEADER> Sections(HMODULE module) {
  auto *base = reinterpret_cast<const BYTE *>(module);
  auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
  const IMAGE_SECTION_HEADER *first = IMAGE_FIRST_SECTION(nt);
  return std::vector<IMAGE_SECTION_HEADER>(first, first + nt->FileHeader.NumberOfSections);
}

TEST_F(DriverHost, ImageHeaderIsAGuiDllThatLoadsAnywhereAndNeverRunsItsData) {
  auto *base = reinterpret_cast<const BYTE *>(library_.Module());
  auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  ASSERT_EQ(nt->Signature, DWORD(IMAGE_NT_SIGNATURE));
#if defined(_WIN64)
#if defined(_M_ARM64) || defined(__aarch64__)
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_ARM64);
#else
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#endif
  EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
  const WORD wanted = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT |
                      IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA;
#else
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  const WORD wanted = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
#endif
  EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
  EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_EQ(nt->OptionalHeader.DllCharacteristics & wanted, wanted)
      << "DllCharacteristics 0x" << std::hex << nt->OptionalHeader.DllCharacteristics;
  // A base the loader may move needs the relocations to move it by.
  EXPECT_GT(ImageDirectory(library_.Module(), IMAGE_DIRECTORY_ENTRY_BASERELOC).Size, 0u);
  EXPECT_GT(ImageDirectory(library_.Module(), IMAGE_DIRECTORY_ENTRY_RESOURCE).Size, 0u);

  bool code = false;
  for (const IMAGE_SECTION_HEADER &section : Sections(library_.Module())) {
    std::string name(reinterpret_cast<const char *>(section.Name), strnlen(reinterpret_cast<const char *>(section.Name), 8));
    const DWORD flags = section.Characteristics;
    EXPECT_FALSE((flags & IMAGE_SCN_MEM_WRITE) && (flags & IMAGE_SCN_MEM_EXECUTE)) << name << " is writable and executable";
    code = code || (flags & IMAGE_SCN_MEM_EXECUTE);
  }
  EXPECT_TRUE(code);
}

}  // namespace
