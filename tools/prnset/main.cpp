// prnset's entry point: hands the arguments, as UTF-16, to the tool and returns its exit code.
#include <iostream>
#include <vector>

#include "tools/prnset/prnset.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

// wmain: the arguments come as UTF-16, so paths and printer names outside the ANSI code page survive.
int wmain(int argc, wchar_t **argv) {
  // The tool writes UTF-8 with bare line ends; keep the C runtime from translating either.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);  // a settings file read from "-" keeps its bytes
  UINT consolePage = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  std::vector<prnset::WString> args(argv + 1, argv + argc);
  int code = prnset::Run(args, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  if (consolePage) SetConsoleOutputCP(consolePage);
  return code;
}
#else
// Linux: arguments are UTF-8.
int main(int argc, char **argv) {
  std::vector<prnset::WString> args;
  for (int i = 1; i < argc; ++i) args.push_back(prnset::Widen(argv[i]));
  int code = prnset::Run(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
#endif
