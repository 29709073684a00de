// The driver host: the example driver package (examples/driver-package) as an installer reads it through setupapi,
// and as the spooler installs it, with the core driver's own files replaced by empty stand-ins. The package is put
// together in a scratch folder the way scripts/package lays it out, with this build's DLL in its architecture's
// subfolder.
#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "prnset_version.h"
#include "resources/resource.h"
#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

const WString kUnidrvSection = L"{D20EA372-DD35-4950-9ED8-A6335AFE79F0}";
const WString kPrinterClass = L"{4D36E979-E325-11CE-BFC1-08002BE10318}";
const WString kPackagePrinter = L"Package Printer";
#if defined(_M_ARM64) || defined(__aarch64__)
const WString kArchitecture = L"arm64";
#elif defined(_WIN64)
const WString kArchitecture = L"amd64";
#else
const WString kArchitecture = L"x86";
#endif
const WString kArchitectures[] = {L"amd64", L"x86", L"arm64"};
const size_t kArchitectureCount = sizeof(kArchitectures) / sizeof(kArchitectures[0]);

WString Lower(WString text) {
  for (WCHAR &c : text) c = (c >= L'A' && c <= L'Z') ? WCHAR(c + 32) : c;
  return text;
}

bool EndsWith(const WString &text, const WString &end) {
  return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == Lower(end);
}

bool FileExists(const WString &path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What a vendor changes in the example package to make it its own: each text replaced in the file names and in the
// INF and the plug-in configuration, and the example settings file its model reads.
struct Vendor {
  std::vector<std::pair<std::string, std::string>> renames;
  std::string settingsExample;  // a file of examples/ that replaces the package's settings file; "" keeps it
};

// The example package as this build ships it: the DLL under the build's name.
Vendor ExampleVendor() { return {{{"prnsetui.dll", PRNSET_DLL_FILE}}, ""}; }

std::string Renamed(std::string text, const Vendor &vendor) {
  for (const auto &rename : vendor.renames)
    for (size_t at = text.find(rename.first); at != std::string::npos; at = text.find(rename.first, at + rename.second.size()))
      text.replace(at, rename.first.size(), rename.second);
  return text;
}

// The example package put together for a vendor in a fresh folder: the repository's files, renamed, and this build's
// DLL in its architecture's subfolder. Returns the folder, ending in a backslash; empty when a file could not be
// copied.
WString AssemblePackage(const Vendor &vendor = ExampleVendor()) {
  WString examples = L"Z:" + Wide(PRNSET_SOURCE_DIR) + L"\\examples\\";
  std::replace(examples.begin(), examples.end(), L'/', L'\\');
  const WString source = examples + L"driver-package\\";
  WCHAR temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int packages = 0;
  WString folder = WString(temp) + L"prnset-package-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++packages) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + kArchitecture).c_str(), nullptr);
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((source + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return WString();
  bool copied = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    WString name = found.cFileName;
    WString target = folder + Wide(Renamed(Utf8(name), vendor));
    std::string text;
    if (EndsWith(name, L".inf") || EndsWith(name, L".ini"))
      copied = copied && sheet_harness::ReadWholeFile(source + name, text) &&
               testing_machine::WriteFileBytes(target, Renamed(text, vendor));
    else if (EndsWith(name, L"_Settings.Dat") && !vendor.settingsExample.empty())
      copied = copied && CopyFileW((examples + Wide(vendor.settingsExample)).c_str(), target.c_str(), FALSE);
    else
      copied = copied && CopyFileW((source + name).c_str(), target.c_str(), FALSE);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  const WString dll = Wide(Renamed("prnsetui.dll", vendor));
  copied = copied && CopyFileW(PluginPath().c_str(), (folder + kArchitecture + L"\\" + dll).c_str(), FALSE);
  return copied ? folder : WString();
}

// An INF opened through setupapi, read as an installer reads it (strings substituted, quotes removed).
class Inf {
 public:
  explicit Inf(const WString &path) {
    UINT errorLine = 0;
    handle_ = SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, &errorLine);
    if (handle_ == INVALID_HANDLE_VALUE) {
      handle_ = nullptr;
      errorLine_ = errorLine;
    }
  }
  ~Inf() {
    if (handle_) SetupCloseInfFile(handle_);
  }
  Inf(const Inf &) = delete;
  Inf &operator=(const Inf &) = delete;
  bool Open() const { return handle_ != nullptr; }
  UINT ErrorLine() const { return errorLine_; }

  bool HasSection(const WString &section) const { return SetupGetLineCountW(handle_, section.c_str()) > 0; }
  // Every line of a section, as its fields; field 0 is the key ("" for a line without one).
  std::vector<std::vector<WString>> Lines(const WString &section) const {
    std::vector<std::vector<WString>> lines;
    INFCONTEXT line = {};
    if (!SetupFindFirstLineW(handle_, section.c_str(), nullptr, &line)) return lines;
    do {
      std::vector<WString> fields;
      DWORD count = SetupGetFieldCount(&line);
      for (DWORD i = 0; i <= count; ++i) fields.push_back(Field(line, i));
      lines.push_back(fields);
    } while (SetupFindNextLine(&line, &line));
    return lines;
  }
  // The fields of the line `key` of `section`, the key itself not included; empty when there is no such line.
  std::vector<WString> Values(const WString &section, const WString &key) const {
    std::vector<WString> values;
    INFCONTEXT line = {};
    if (!SetupFindFirstLineW(handle_, section.c_str(), key.c_str(), &line)) return values;
    DWORD count = SetupGetFieldCount(&line);
    for (DWORD i = 1; i <= count; ++i) values.push_back(Field(line, i));
    return values;
  }
  WString Value(const WString &section, const WString &key) const {
    std::vector<WString> values = Values(section, key);
    return values.empty() ? WString(L"<missing>") : values[0];
  }

 private:
  static WString Field(INFCONTEXT &line, DWORD index) {
    WCHAR text[512] = {};
    DWORD needed = 0;
    if (!SetupGetStringFieldW(&line, index, text, ARRAYSIZE(text), &needed)) return WString();
    return text;
  }

  HINF handle_ = nullptr;
  UINT errorLine_ = 0;
};

// The package's one INF.
WString InfPath(const WString &package) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((package + L"*.inf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return WString();
  FindClose(search);
  return package + found.cFileName;
}

// One model of the package's INF and what it installs.
struct Model {
  WString name;
  WString installSection;
  WString dataFile;
  std::vector<WString> files;  // every file its CopyFiles directives name
};

// The models of one architecture ("amd64", "x86" or "arm64"), as an installer finds them through [Manufacturer];
// with no architecture, the undecorated models sections.
std::vector<Model> ModelsOf(const Inf &inf, const WString &architecture) {
  std::vector<Model> models;
  const WString decoration = architecture.empty() ? WString() : L"nt" + architecture;
  for (const std::vector<WString> &maker : inf.Lines(L"Manufacturer")) {
    if (maker.size() < 2) continue;
    bool decorated = decoration.empty();
    for (size_t i = 2; i < maker.size(); ++i) decorated = decorated || Lower(maker[i]) == decoration;
    if (!decorated) continue;
    for (const std::vector<WString> &line : inf.Lines(decoration.empty() ? maker[1] : maker[1] + L"." + decoration)) {
      if (line.size() < 3) continue;
      Model model;
      model.name = line[0];
      model.installSection = line[1];
      model.dataFile = inf.Value(model.installSection, L"DataFile");
      for (const WString &list : inf.Values(model.installSection, L"CopyFiles")) {
        if (!list.empty() && list[0] == L'@') {
          model.files.push_back(list.substr(1));
          continue;
        }
        for (const std::vector<WString> &file : inf.Lines(list))
          if (file.size() > 1) model.files.push_back(file[1]);
      }
      models.push_back(model);
    }
  }
  return models;
}

// Where the package keeps a file for an architecture: [SourceDisksFiles.arch] before [SourceDisksFiles], the disk
// from [SourceDisksNames.arch] or [SourceDisksNames], and the subfolder of each. Empty when a section lacks it.
WString SourceOf(const Inf &inf, const WString &package, const WString &architecture, const WString &file) {
  std::vector<WString> entry = inf.Values(L"SourceDisksFiles." + architecture, file);
  if (entry.empty()) entry = inf.Values(L"SourceDisksFiles", file);
  if (entry.empty()) return WString();
  std::vector<WString> disk = inf.Values(L"SourceDisksNames." + architecture, entry[0]);
  if (disk.empty()) disk = inf.Values(L"SourceDisksNames", entry[0]);
  if (disk.empty()) return WString();
  WString path = package;
  if (disk.size() > 3 && !disk[3].empty()) path += disk[3] + L"\\";
  if (entry.size() > 1 && !entry[1].empty()) path += entry[1] + L"\\";
  return path + file;
}

// The settings file the plug-in looks for: named after the part of the driver's name after its first blank.
WString SettingsFileOf(const WString &driver) {
  size_t blank = driver.find(L' ');
  return (blank == WString::npos ? driver : driver.substr(blank + 1)) + L"_Settings.Dat";
}

TEST(DriverPackage, InfNamesEverySectionAndFileAnInstallerNeedsForEveryArchitecture) {
  WString package = AssemblePackage();
  ASSERT_FALSE(package.empty()) << "the example package could not be put together";
  Inf inf(InfPath(package));
  ASSERT_TRUE(inf.Open()) << "setupapi refused the INF at line " << inf.ErrorLine();

  EXPECT_EQ(inf.Value(L"Version", L"Signature"), L"$Windows NT$");
  EXPECT_EQ(inf.Value(L"Version", L"Class"), L"Printer");
  EXPECT_EQ(inf.Value(L"Version", L"ClassGUID"), kPrinterClass);
  WString provider = inf.Value(L"Version", L"Provider");
  EXPECT_FALSE(provider.empty() || provider[0] == L'%' || provider == L"<missing>") << "an unresolved provider";
  std::vector<WString> driverVer = inf.Values(L"Version", L"DriverVer");
  ASSERT_EQ(driverVer.size(), 2u) << "DriverVer is a date and a version";
  EXPECT_EQ(driverVer[0].size(), 10u) << Utf8(driverVer[0]);
  EXPECT_EQ(std::count(driverVer[1].begin(), driverVer[1].end(), L'.'), 3) << Utf8(driverVer[1]);
  WString catalog = inf.Value(L"Version", L"CatalogFile");
  EXPECT_TRUE(catalog.size() > 4 && EndsWith(catalog, L".cat")) << Utf8(catalog);
  EXPECT_EQ(inf.Value(L"DestinationDirs", L"DefaultDestDir"), L"66000") << "the printer driver directory";
  EXPECT_EQ(inf.Value(L"Version", L"PnpLockdown"), L"1") << "only the installer may change installed files";

  std::vector<Model> perArchitecture[kArchitectureCount];
  for (size_t a = 0; a < kArchitectureCount; ++a) {
    const WString &architecture = kArchitectures[a];
    SCOPED_TRACE(Utf8(architecture));
    const WString packaging = L"PrinterPackageInstallation." + architecture;
    EXPECT_EQ(Lower(inf.Value(packaging, L"PackageAware")), L"true");
    EXPECT_EQ(inf.Value(packaging, L"CoreDriverDependencies"), kUnidrvSection);

    perArchitecture[a] = ModelsOf(inf, architecture);
    ASSERT_FALSE(perArchitecture[a].empty()) << "no models for this architecture";
    for (const Model &model : perArchitecture[a]) {
      SCOPED_TRACE(Utf8(model.name));
      ASSERT_TRUE(inf.HasSection(model.installSection)) << Utf8(model.installSection);
      for (const WString &list : inf.Values(model.installSection, L"CopyFiles"))
        EXPECT_TRUE(list[0] == L'@' || inf.HasSection(list)) << "CopyFiles names a missing section " << Utf8(list);
      // One quoted field, which the installer splits at its commas: the core driver and its two sections.
      EXPECT_EQ(inf.Values(model.installSection, L"CoreDriverSections"),
                (std::vector<WString>{kUnidrvSection + L",UNIDRV.OEM,UNIDRV_DATA"}));
      EXPECT_EQ(inf.Value(model.installSection, L"DriverIsolation"), L"2") << "the driver runs isolated";

      // The files the plug-in needs, and the model's own printer description, are among those copied.
      std::set<WString> files;
      for (const WString &file : model.files) files.insert(Lower(file));
      EXPECT_EQ(files.size(), model.files.size()) << "a file is copied twice";
      EXPECT_TRUE(files.count(Lower(model.dataFile))) << "DataFile " << Utf8(model.dataFile) << " is not copied";
      EXPECT_TRUE(files.count(Lower(Wide(PRNSET_DLL_FILE))));
      EXPECT_TRUE(files.count(Lower(SettingsFileOf(model.name))))
          << "the plug-in looks for " << Utf8(SettingsFileOf(model.name));
      EXPECT_EQ(std::count_if(files.begin(), files.end(),
                              [](const WString &f) { return EndsWith(f, L".ini"); }),
                1)
          << "one plug-in configuration file";

      // Every copied file has a source; this architecture's are in the assembled package.
      for (const WString &file : model.files) {
        WString source = SourceOf(inf, package, architecture, file);
        EXPECT_FALSE(source.empty()) << Utf8(file) << " has no source entry";
        if (architecture == kArchitecture) {
          EXPECT_TRUE(FileExists(source)) << Utf8(source);
        }
      }
    }
  }
  // Every architecture offers the same models, and so does the undecorated list; each architecture takes its DLL
  // from its own subfolder: builds of one name.
  std::vector<Model> undecorated = ModelsOf(inf, L"");
  ASSERT_EQ(undecorated.size(), perArchitecture[0].size());
  for (size_t i = 0; i < perArchitecture[0].size(); ++i) {
    EXPECT_EQ(undecorated[i].name, perArchitecture[0][i].name);
    EXPECT_EQ(undecorated[i].installSection, perArchitecture[0][i].installSection);
  }
  const WString dll = Wide(PRNSET_DLL_FILE);
  std::set<WString> dlls;
  for (size_t a = 0; a < kArchitectureCount; ++a) {
    SCOPED_TRACE(Utf8(kArchitectures[a]));
    ASSERT_EQ(perArchitecture[a].size(), perArchitecture[0].size());
    for (size_t i = 0; i < perArchitecture[0].size(); ++i) {
      EXPECT_EQ(perArchitecture[a][i].name, perArchitecture[0][i].name);
      EXPECT_EQ(perArchitecture[a][i].files, perArchitecture[0][i].files);
    }
    dlls.insert(Lower(SourceOf(inf, package, kArchitectures[a], dll)));
  }
  EXPECT_EQ(dlls.size(), kArchitectureCount);
}

// The package put together, its INF open, and the first model of this build's architecture.
class DriverPackageModel : public testing::Test {
 protected:
  void SetUp() override {
    package_ = AssemblePackage();
    ASSERT_FALSE(package_.empty()) << "the example package could not be put together";
    inf_.reset(new Inf(InfPath(package_)));
    ASSERT_TRUE(inf_->Open()) << "setupapi refused the INF at line " << inf_->ErrorLine();
    std::vector<Model> models = ModelsOf(*inf_, kArchitecture);
    ASSERT_FALSE(models.empty());
    model_ = models.front();
  }

  WString package_;
  std::unique_ptr<Inf> inf_;
  Model model_;
};

// The plug-in configuration file as the core driver reads it: [OEMFiles] with OEMConfigFile1, 2, ... without gaps,
// no blank around "=", names without a path, each one a file of the package.
TEST_F(DriverPackageModel, PluginConfigurationNamesThePluginAsTheCoreDriverReadsIt) {
  const Model &model = model_;
  const WString &package = package_;
  auto ini = std::find_if(model.files.begin(), model.files.end(),
                          [](const WString &f) { return EndsWith(f, L".ini"); });
  ASSERT_NE(ini, model.files.end());
  std::string text;
  ASSERT_TRUE(sheet_harness::ReadWholeFile(package + *ini, text));

  bool inFiles = false;
  std::vector<std::string> configFiles;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      inFiles = line == "[OEMFiles]";
      continue;
    }
    if (!inFiles) continue;
    size_t equals = line.find('=');
    ASSERT_NE(equals, std::string::npos) << line;
    EXPECT_NE(line[equals - 1], ' ') << "a blank before '=': " << line;
    EXPECT_NE(line[equals + 1], ' ') << "a blank after '=': " << line;
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    EXPECT_EQ(value.find_first_of("\\/:"), std::string::npos) << "a path: " << line;
    if (key.rfind("OEMConfigFile", 0) == 0) {
      EXPECT_EQ(key, "OEMConfigFile" + std::to_string(configFiles.size() + 1)) << "numbers run from 1 without gaps";
      configFiles.push_back(value);
    }
  }
  ASSERT_EQ(configFiles, (std::vector<std::string>{PRNSET_DLL_FILE}));
  std::set<WString> files;
  for (const WString &file : model.files) files.insert(Lower(file));
  EXPECT_TRUE(files.count(Lower(Wide(configFiles[0])))) << "the configured plug-in is not in the package";
}

// The core driver's files are not part of the package; empty stand-ins take their place, as for the suites' other
// drivers.
const wchar_t *const kCoreDriverFiles[] = {L"UNIDRV.DLL", L"UNIDRVUI.DLL", L"UNIRES.DLL", L"STDNAMES.GPD"};

WString MultiString(const std::vector<WString> &texts) {
  WString joined;
  for (const WString &text : texts) joined += text + WString(1, L'\0');
  return joined + WString(1, L'\0');
}

// The driver of a printer, as GetPrinterDriverW (level 3) reports it.
struct InstalledDriver {
  WString configFile;
  WString dataFile;
  std::vector<WString> dependentFiles;
};

bool ReadInstalledDriver(const WString &printerName, InstalledDriver &driver) {
  OpenedPrinter printer(printerName);
  if (!printer.Handle()) return false;
  DWORD needed = 0;
  GetPrinterDriverW(printer.Handle(), nullptr, 3, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + sizeof(WCHAR));
  if (!needed || !GetPrinterDriverW(printer.Handle(), nullptr, 3, buffer.data(), needed, &needed)) return false;
  auto *info = reinterpret_cast<DRIVER_INFO_3W *>(buffer.data());
  driver.configFile = info->pConfigFile ? info->pConfigFile : L"";
  driver.dataFile = info->pDataFile ? info->pDataFile : L"";
  for (const WCHAR *file = info->pDependentFiles; file && *file; file += lstrlenW(file) + 1)
    driver.dependentFiles.push_back(file);
  return true;
}

WString FolderOf(const WString &path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == WString::npos ? WString() : path.substr(0, slash + 1);
}

WString NameOf(const WString &path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == WString::npos ? path : path.substr(slash + 1);
}

// Installs the model's files through the spooler from the package folder and adds a printer of that driver. The
// plug-in's files must land in the driver's own folder, beside its DataFile; `folder` is that folder.
void InstallModel(const WString &package, const Inf &inf, const Model &model, const WString &printerName,
                  WString &folder) {
  WString core = package + L"core\\";
  CreateDirectoryW(core.c_str(), nullptr);
  for (const wchar_t *file : kCoreDriverFiles) ASSERT_TRUE(testing_machine::WriteFileBytes(core + file, ""));
  std::vector<WString> dependent = {core + L"UNIRES.DLL", core + L"STDNAMES.GPD"};
  for (const WString &file : model.files)
    if (Lower(file) != Lower(model.dataFile)) dependent.push_back(SourceOf(inf, package, kArchitecture, file));
  WString dependentFiles = MultiString(dependent);
  WString driverPath = core + L"UNIDRV.DLL", configPath = core + L"UNIDRVUI.DLL";
  WString dataPath = SourceOf(inf, package, kArchitecture, model.dataFile);

  // A printer of that driver left by an earlier run goes first, so that the driver's files are installed anew.
  HANDLE old = nullptr;
  PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<LPWSTR>(printerName.c_str()), &old, &all)) {
    DeletePrinter(old);
    ClosePrinter(old);
  }
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<LPWSTR>(model.name.c_str());
  info.pDriverPath = &driverPath[0];
  info.pDataFile = &dataPath[0];
  info.pConfigFile = &configPath[0];
  info.pDependentFiles = &dependentFiles[0];
  // The files come from the paths given (the package and the stand-ins), not from the driver directory.
  ASSERT_TRUE(AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&info),
                                  APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY))
      << "error " << GetLastError();
  ASSERT_TRUE(ps::EnsurePrinter(printerName, model.name));

  // The driver as the spooler installed it: the plug-in's files in the driver's own folder, beside its DataFile.
  InstalledDriver installed;
  ASSERT_TRUE(ReadInstalledDriver(printerName, installed));
  folder = FolderOf(installed.dataFile);
  EXPECT_EQ(Lower(NameOf(installed.dataFile)), Lower(model.dataFile));
  EXPECT_EQ(Lower(folder), Lower(testing_machine::DriverDirectory() + L"\\3\\"));
  std::set<WString> installedNames;
  for (const WString &file : installed.dependentFiles) {
    installedNames.insert(Lower(NameOf(file)));
    EXPECT_TRUE(FileExists(file)) << Utf8(file);
  }
  for (const WString &file : model.files) EXPECT_TRUE(FileExists(folder + file)) << Utf8(file) << " not installed";
  EXPECT_TRUE(installedNames.count(Lower(SettingsFileOf(model.name))));
}

// Opens the printer's Printer Settings page with the plug-in that its driver's configuration file names, loaded from
// the driver's folder, and checks that the page shows the classes of the installed settings file. `plugin` is the
// DLL's name the configuration must give.
void ExpectPageFromInstalledFiles(const WString &printerName, const Model &model, const WString &folder,
                                  const std::string &pluginFile) {
  InstalledDriver installed;
  ASSERT_TRUE(ReadInstalledDriver(printerName, installed));
  std::set<WString> installedNames;
  for (const WString &file : installed.dependentFiles) installedNames.insert(Lower(NameOf(file)));
  EXPECT_TRUE(installedNames.count(Lower(Wide(pluginFile))));

  // The core driver finds its plug-in through the configuration file among the dependent files.
  WString configuration;
  for (const WString &file : installed.dependentFiles)
    if (EndsWith(file, L".ini")) configuration = file;
  ASSERT_FALSE(configuration.empty()) << "no plug-in configuration among the dependent files";
  WCHAR pluginName[MAX_PATH] = {};
  GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile1", L"", pluginName, MAX_PATH, configuration.c_str());
  ASSERT_EQ(Utf8(pluginName), pluginFile);

  PluginLibrary library(folder + pluginName);
  ASSERT_TRUE(library.Ready()) << "cannot load the installed plug-in (error " << library.LoadError() << ")";
  std::vector<DriverCall> calls;
  IPrintOemUI *plugin = CreatePlugin(library, nullptr, &calls);
  ASSERT_NE(plugin, nullptr);
  DriverObjects objects;
  IntroduceDriver(plugin, CoreDriver::kUnidrv, objects, calls);
  EXPECT_EQ(objects.driverUi.References(), 2);

  DeviceSheet sheet(plugin, printerName);
  ASSERT_TRUE(sheet.Open()) << "no sheet, or no page on it";
  EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrW(sheet.Page(), GWLP_HINSTANCE)), library.Module())
      << "the page was not made from the installed DLL";
  // The installed settings file's classes, in the process's language (a class the file hides is not listed).
  std::vector<std::string> classes = ps::ComboRows(GetDlgItem(sheet.Page(), IDC_CLASS_LIST));
  ASSERT_FALSE(classes.empty()) << "the page did not find the installed settings file";
  WString settings = folder + SettingsFileOf(model.name);
  UINT count = GetPrivateProfileIntW(L"SectionNames", L"SectionCount", 0, settings.c_str());
  EXPECT_LE(classes.size(), size_t(count));
  if (SameLanguages()) {
    std::vector<std::string> titles;
    for (UINT i = 1; i <= count; ++i) {
      WCHAR key[16] = {}, section[64] = {}, title[256] = {};
      wsprintfW(key, L"Section%02u", i);
      GetPrivateProfileStringW(L"SectionNames", key, L"", section, ARRAYSIZE(section), settings.c_str());
      WString texts = WString(section) + (RunsInChinese() ? L"_Lang_CN" : L"_Lang_EN");
      GetPrivateProfileStringW(texts.c_str(), L"Title", L"", title, ARRAYSIZE(title), settings.c_str());
      titles.push_back(Utf8(title));
    }
    EXPECT_EQ(classes[0], titles[0]);
    for (const std::string &row : classes)
      EXPECT_NE(std::find(titles.begin(), titles.end(), row), titles.end()) << row << " is not a class of the file";
  }
  sheet.Close();
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(library.CanUnloadNow(), S_OK);
}

TEST_F(DriverPackageModel, InstalledModelShowsThePageFromTheInstalledFiles) {
  WString folder;
  ASSERT_NO_FATAL_FAILURE(InstallModel(package_, *inf_, model_, kPackagePrinter, folder));
  ASSERT_NO_FATAL_FAILURE(ExpectPageFromInstalledFiles(kPackagePrinter, model_, folder, PRNSET_DLL_FILE));
}

// Two vendors' packages on one machine: each with a DLL, a plug-in configuration and a settings file of its own
// name, installed into the one driver folder they share. Neither overwrites the other, and each printer's page is
// made by its own vendor's DLL from its own settings file.
TEST(DriverPackages, TwoVendorsPackagesInstallSideBySide) {
  const Vendor second = {{{"prnsetui.dll", "labelui.dll"},
                          {"genol300", "genlp40"},
                          {"GENOL300", "GENLP40"},
                          {"Generic Office Laser 300", "Second Label Printer 40"},
                          {"Office Laser 300_Settings.Dat", "Label Printer 40_Settings.Dat"}},
                         "Label Printer 40_Settings.Dat"};
  const struct {
    Vendor vendor;
    WString printer;
    std::string dll;
  } vendors[] = {{ExampleVendor(), kPackagePrinter, PRNSET_DLL_FILE}, {second, L"Second Vendor Printer", "labelui.dll"}};
  ASSERT_NE(std::string(PRNSET_DLL_FILE), "labelui.dll");

  Model models[2];
  WString folders[2];
  for (int v = 0; v < 2; ++v) {
    WString package = AssemblePackage(vendors[v].vendor);
    ASSERT_FALSE(package.empty()) << "the package could not be put together";
    Inf inf(InfPath(package));
    ASSERT_TRUE(inf.Open()) << "setupapi refused the INF at line " << inf.ErrorLine();
    std::vector<Model> found = ModelsOf(inf, kArchitecture);
    ASSERT_FALSE(found.empty());
    models[v] = found.front();
    ASSERT_NO_FATAL_FAILURE(InstallModel(package, inf, models[v], vendors[v].printer, folders[v]));
  }
  // One folder for both, and no file name of one package among the other's.
  EXPECT_EQ(Lower(folders[0]), Lower(folders[1]));
  std::set<WString> first;
  for (const WString &file : models[0].files) first.insert(Lower(file));
  for (const WString &file : models[1].files) EXPECT_EQ(first.count(Lower(file)), 0u) << Utf8(file) << " in both";
  EXPECT_NE(SettingsFileOf(models[0].name), SettingsFileOf(models[1].name));

  // The first vendor's page still comes from its own files after the second installed.
  for (int v = 0; v < 2; ++v) {
    SCOPED_TRACE(vendors[v].dll);
    ASSERT_NO_FATAL_FAILURE(ExpectPageFromInstalledFiles(vendors[v].printer, models[v], folders[v], vendors[v].dll));
  }
}

}  // namespace
