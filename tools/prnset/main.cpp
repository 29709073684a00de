// prnset's entry point: hands the arguments, as UTF-16, to the tool and returns its exit code.
#include <iostream>
#include <string>
#include <vector>

#include "tools/prnset/prnset.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

// What the tool writes to a console goes to it as UTF-16, a line at a time: a console shows UTF-8 that reaches it in
// pieces garbled. Files and pipes get the UTF-8 bytes as they are.
static void WriteToConsole(HANDLE console, const std::string &utf8) {
  const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  if (chars <= 0) return;
  std::wstring wide(size_t(chars), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], chars);
  DWORD written = 0;
  WriteConsoleW(console, wide.data(), DWORD(wide.size()), &written, nullptr);
}

// The C runtime's own UTF-16 arguments, parsed as it parses them for wmain.
extern "C" int __wgetmainargs(int *argc, wchar_t ***argv, wchar_t ***environment, int expandWildcards,
                              int *startInfo);

// The arguments as UTF-16, so that paths and printer names outside the ANSI code page survive. They are asked of the
// runtime rather than taken through wmain, which not every toolchain for every architecture can make the entry.
int main() {
  int argc = 0;
  int startInfo = 0;
  wchar_t **argv = nullptr;
  wchar_t **environment = nullptr;
  // Wildcards in file names (*.Dat) expanded as Windows programs expand them, since the command prompt does not.
  if (__wgetmainargs(&argc, &argv, &environment, 1, &startInfo) < 0 || !argv) return 2;
  // The tool writes UTF-8 with bare line ends; keep the C runtime from translating either.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);  // a settings file read from "-" keeps its bytes
  DWORD mode = 0;
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE), errors = GetStdHandle(STD_ERROR_HANDLE);
  prnset::LineBuffer consoleOutput([&](const std::string &text) { WriteToConsole(output, text); });
  prnset::LineBuffer consoleErrors([&](const std::string &text) { WriteToConsole(errors, text); });
  std::streambuf *fileOutput = std::cout.rdbuf(), *fileErrors = std::cerr.rdbuf();
  if (GetConsoleMode(output, &mode)) std::cout.rdbuf(&consoleOutput);
  if (GetConsoleMode(errors, &mode)) std::cerr.rdbuf(&consoleErrors);
  std::vector<prnset::WString> args(argv + 1, argv + argc);
  int code = prnset::Run(args, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(fileOutput);
  std::cerr.rdbuf(fileErrors);
  return code;
}
#else
// Linux: arguments are UTF-8, but a file's name may be any bytes: those that are no UTF-8 reach the file as written.
int main(int argc, char **argv) {
  std::vector<prnset::WString> args;
  for (int i = 1; i < argc; ++i) args.push_back(prnset::WidenEscaped(argv[i]));
  int code = prnset::Run(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
#endif
