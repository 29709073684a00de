// Arbitrary bytes as a settings file for prnset check: both languages, as text and as JSON. The JSON must parse,
// every finding must name the file, and the text must hold no control character but its line ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "tests/fuzz/fuzz_machine.h"
#include "tools/prnset/prnset.h"

namespace {

std::string settingsPath;

void Prepare() {
  if (!settingsPath.empty()) return;
  char name[] = "/tmp/prnset-fuzz-check-XXXXXX";
  int fd = mkstemp(name);
  if (fd < 0) abort();
  close(fd);
  settingsPath = name;
}

int Check(const std::vector<std::string> &options, std::string &out) {
  std::vector<prnset::WString> args = {prnset::Widen("check"), prnset::Widen(settingsPath)};
  for (const std::string &option : options) args.push_back(prnset::Widen(option));
  std::istringstream in;
  std::ostringstream text, err;
  int code = prnset::Run(args, in, text, err);
  if (!err.str().empty() || (code != 0 && code != 1)) abort();  // a readable file is never a usage error
  out = text.str();
  return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Prepare();
  if (!fuzz_machine::WriteBytes(settingsPath, data, size)) return 0;

  std::string text, json;
  int textCode = Check({"--strict"}, text);
  for (char c : text)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F) abort();
  int jsonCode = Check({"--strict", "--format", "json"}, json);
  if (jsonCode != textCode) abort();
  nlohmann::json findings = nlohmann::json::parse(json, nullptr, false);
  if (!findings.is_array()) abort();
  for (const nlohmann::json &finding : findings)
    if (finding["file"] != settingsPath || !finding["code"].is_string()) abort();
  Check({"--lang", "cn"}, text);
  return 0;
}
