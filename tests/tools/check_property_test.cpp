// prnset check against the plug-in's own code, over every settings file the tests have (the finding files, both
// examples, the fuzz corpora): a file without errors gives Set All bytes in both languages, and a finding that names
// a consequence names one the plug-in really has.
#include <nlohmann/json.hpp>

#include <filesystem>
#include <regex>

#include "catalogue/loader.h"
#include "docoptions/compress_choices.h"
#include "docoptions/settings_lookup.h"
#include "page/job_bytes.h"
#include "tests/tools/tool_fixture.h"

namespace {

std::vector<std::string> SettingsFiles() {
  std::vector<std::string> files = {SourcePath(kOfficeLaser), SourcePath(kLabelPrinter)};
  for (const char *folder : {"tests/tools/findings", "tests/fuzz/corpus/fuzz_settings_file",
                             "tests/fuzz/corpus/fuzz_check"})
    for (const auto &entry : std::filesystem::directory_iterator(SourcePath(folder)))
      if (entry.is_regular_file()) files.push_back(entry.path().string());
  return files;
}

struct Language {
  const char *option;
  LoadLanguage load;
};
const Language kLanguages[] = {{"en", {kEnglishLanguage, kEnglishCodePage}},
                               {"cn", {kChineseLanguage, kChineseCodePage}}};

TEST(CheckPropertyTest, FindingsAgreeWithWhatThePlugInDoes) {
  int files = 0, clean = 0, sentChecked = 0, readChecked = 0;
  for (const std::string &file : SettingsFiles()) {
    ++files;
    for (const Language &language : kLanguages) {
      SCOPED_TRACE(file + " " + language.option);
      ToolRun run = RunTool({Wide("check"), Wide(file), Wide("--lang"), Wide(language.option), Wide("--format"),
                             Wide("json")});
      nlohmann::json findings = nlohmann::json::parse(run.out, nullptr, false);
      ASSERT_TRUE(findings.is_array()) << run.out << run.err;

      // The page's own load and Set All of the file.
      UniqueCatalogue catalogue = NewCatalogue();
      ASSERT_TRUE(catalogue);
      LoadCatalogue(*catalogue.get(), Wide(file).c_str(), language.load);
      const JobBytes setAll = BuildAllItemsJob(*catalogue.get());
      IniFile ini;
      ini.Load(Wide(file).c_str(), language.load.codePage);

      bool errors = false, saysNothingSent = false;
      for (const nlohmann::json &finding : findings) {
        const std::string message = finding["message"], code = finding["code"];
        errors = errors || finding["severity"] == "error";
        saysNothingSent = saysNothingSent || message.find("Set All sends nothing") != std::string::npos;
        std::smatch match;
        // "[S] K has L characters and is cut to N": the reader holds N characters of it.
        static const std::regex cut(R"(^\[([^\]]+)\] (\S+) has (\d+) characters and is cut to (\d+))");
        if (code == "text-cut" && std::regex_search(message, match, cut)) {
          const size_t kept = std::stoul(match[4]);
          std::vector<WCHAR> buffer(kept + 1);
          EXPECT_EQ(ini.ReadString(Wide(match[1]).c_str(), Wide(match[2]).c_str(), buffer.data(), DWORD(buffer.size())),
                    kept)
              << message;
        }
        // "Set All sends 1B 44 01 0D": those bytes stand, in that order, in the page's own Set All job.
        static const std::regex sends(R"(Set All sends ((?:[0-9A-F]{2} )*[0-9A-F]{2}))");
        for (auto it = std::sregex_iterator(message.begin(), message.end(), sends); it != std::sregex_iterator();
             ++it) {
          std::string bytes, hex = (*it)[1];
          for (size_t at = 0; at < hex.size(); at += 3) bytes += char(std::stoi(hex.substr(at, 2), nullptr, 16));
          const std::string job(reinterpret_cast<const char *>(setAll.bytes.get()), setAll.count);
          EXPECT_NE(job.find(bytes), std::string::npos) << message;
          ++sentChecked;
        }
        // "[S] K = "x" is not a plain decimal number: the plug-in reads N": the reader's number of that key is N.
        static const std::regex reads(
            R"(^\[([^\]]+)\] (\S+) = "[^"]*" is not a plain decimal number: the plug-in reads (-?\d+))");
        if (code == "not-a-number" && std::regex_search(message, match, reads)) {
          EXPECT_EQ(LONG(ini.ReadInt(Wide(match[1]).c_str(), Wide(match[2]).c_str(), 0)), std::stol(match[3]))
              << message;
          ++readChecked;
        }
        // "COMPRESS_VALUEn is missing: that choice reads 0": the document options list 0 there.
        static const std::regex missing(R"(COMPRESS_VALUE(\d+) is missing: that choice reads 0)");
        if (std::regex_search(message, match, missing)) {
          const CompressChoices choices =
              ReadCompressChoices([&](LPCWSTR name, LONG *value) { return LookupFileValue(ini, name, value); });
          EXPECT_EQ(choices.values[std::stoi(match[1]) - 1], 0) << message;
        }
      }
      if (saysNothingSent) {
        EXPECT_EQ(setAll.count, 0u) << run.out;
      }
      // A file the checker passes sends something: a page that shows items never has a silent Set All.
      if (!errors) {
        ++clean;
        EXPECT_GT(setAll.count, 0u) << run.out;
      }
    }
  }
  EXPECT_GE(files, 30);
  EXPECT_GE(clean, 20);
  EXPECT_GE(sentChecked, 5);
  EXPECT_GE(readChecked, 10);
}

}  // namespace
