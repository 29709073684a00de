#!/usr/bin/env bash
# The release as a vendor receives it: scripts/package run once, signing with a throw-away self-signed certificate
# and with vendor texts given at configure time, then every promise of the zip checked. Prints one line per failed
# check and ends with "package: N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/../.."

work=$(mktemp -d /tmp/prnset-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # description command...
  local what=$1
  shift
  if "$@" >"$work/check.txt" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "package: FAILED: $what"
    tail -5 "$work/check.txt" | sed 's/^/    /'
  fi
}
refuses() { ! "$@"; }
# A .gnu_debuglink section: the debug file's name and a null, padded to four bytes, then the CRC-32 of that file
# (little-endian, as gzip's trailer also holds it).
debuglink_matches() {  # section-file name debug-file
  local link=$1 name=$2 debug=$3
  local end=$(((${#name} + 1 + 3) / 4 * 4))
  [ "$(head -c "${#name}" "$link")" = "$name" ] &&
    cmp -s <(tail -c +$((end + 1)) "$link" | head -c 4) <(gzip -c "$debug" | tail -c 8 | head -c 4)
}

# Usage errors are refused before anything is built.
check "--password-file without --sign is refused" refuses scripts/package --password-file /dev/null
check "an unknown argument is refused" refuses scripts/package --frobnicate
check "an unreadable certificate is refused" refuses scripts/package --sign "$work/missing.pfx"

# A throw-away code-signing certificate, its key in a PKCS#12 file with a password read from a file.
head -c 24 /dev/urandom | base64 >"$work/password"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=prnsetui throw-away test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.pfx" \
  -passout "file:$work/password" >/dev/null 2>&1

company="Example Printing Ltd"
copyright="Copyright 2026 Example Printing Ltd"
if ! scripts/package --sign "$work/signer.pfx" --password-file "$work/password" --out "$work/dist" \
  "-DPRNSET_COMPANY_NAME=$company" "-DPRNSET_LEGAL_COPYRIGHT=$copyright" >"$work/package.txt" 2>&1; then
  tail -20 "$work/package.txt"
  echo "package: 0 passed, 1 failed"
  exit 1
fi
zip=$(tail -1 "$work/package.txt")
name=$(basename "$zip" .zip)
version=${name#prnsetui-}
mkdir "$work/unpacked"
check "the zip unpacks" unzip -q "$zip" -d "$work/unpacked"
root=$work/unpacked/$name

# One version: the file names, the tool and the DLLs' version resources agree with the project's.
project=$(sed -nE 's/^project\(prnsetui VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
check "the release is named after the project version $project" test "$version" = "$project"
check "prnset --version prints the release's version" test "$("$root/prnset" --version)" = "prnset $version"

files=(x64/prnsetui.dll x86/prnsetui.dll arm64/prnsetui.dll prnset.exe arm64/prnset.exe prnset README.md
  docs/install.md docs/settings-file.md
  "examples/Office Laser 300_Settings.Dat" examples/driver-package/genol300.inf examples/driver-package/genol300.ini
  examples/driver-package/GENOL300.GPD "examples/driver-package/Office Laser 300_Settings.Dat"
  examples/driver-package/amd64/prnsetui.dll examples/driver-package/x86/prnsetui.dll
  examples/driver-package/arm64/prnsetui.dll SHA256SUMS)
for file in "${files[@]}"; do check "the release holds $file" test -s "$root/$file"; done
check "the driver package's settings file is a file, not a link" test ! -L "$root/examples/driver-package/Office Laser 300_Settings.Dat"
check "every file is in SHA256SUMS and matches it" bash -c "cd '$root' && sha256sum --quiet -c SHA256SUMS &&
  test \$(find . -type f ! -name SHA256SUMS | wc -l) -eq \$(wc -l <SHA256SUMS)"

# Binutils reads x86 images only: an ARM64 image is read through a copy whose header names the x86-64 machine,
# every other byte the same.
as_x86_64() {  # image copy
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  cp "$1" "$2" && printf '\x64\x86' | dd of="$2" bs=1 seek=$((header + 4)) conv=notrunc status=none
}

# Stripped binaries, each linked to its debug information beside it. LLVM's tools list an ARM64 image's sections.
for binary in x64/prnsetui.dll x86/prnsetui.dll arm64/prnsetui.dll prnset.exe arm64/prnset.exe prnset; do
  case "$binary" in
    x86/*) objdump=i686-w64-mingw32-objdump objcopy=i686-w64-mingw32-objcopy ;;
    arm64/*) objdump=llvm-objdump-14 objcopy=llvm-objcopy-14 ;;
    prnset) objdump=objdump objcopy=objcopy ;;
    *) objdump=x86_64-w64-mingw32-objdump objcopy=x86_64-w64-mingw32-objcopy ;;
  esac
  check "$binary carries no debug sections" bash -c "! $objdump -h '$root/$binary' | grep -q ' \.debug_'"
  rm -f "$work/link"
  image=$root/$binary
  case "$binary" in
    arm64/*) objcopy=x86_64-w64-mingw32-objcopy image=$work/arm64-read-as-x86-64; as_x86_64 "$root/$binary" "$image" ;;
  esac
  "$objcopy" --dump-section ".gnu_debuglink=$work/link" "$image" "$work/scratch" 2>/dev/null
  check "$binary names its debug file, with that file's checksum" debuglink_matches "$work/link" \
    "$(basename "$binary").debug" "$root/$binary.debug"
  check "$binary.debug holds the debug information" bash -c "$objdump -h '$root/$binary.debug' | grep -q ' \.debug_info'"
done

# Signed: each signature verifies against the throw-away certificate, and a changed byte breaks it.
for pe in x64/prnsetui.dll x86/prnsetui.dll arm64/prnsetui.dll prnset.exe arm64/prnset.exe \
  examples/driver-package/amd64/prnsetui.dll examples/driver-package/arm64/prnsetui.dll; do
  check "$pe is signed and its signature verifies" osslsigncode verify -CAfile "$work/cert.pem" -in "$root/$pe"
done
cp "$root/x64/prnsetui.dll" "$work/tampered.dll"
printf 'X' | dd of="$work/tampered.dll" bs=1 seek=4096 conv=notrunc status=none
check "a changed byte breaks the signature" refuses osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.dll"

# The image headers that signing and the loader look at, after stripping and signing, read by LLVM, which knows all
# three machines: the machine, a GUI-subsystem DLL that loads anywhere and never runs its data, no runtime beyond the
# platform's own DLLs, and exactly the two entry points a driver looks up.
platform_dlls='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|comdlg32|shell32|winspool\.drv|msvcrt|version|api-ms-win-[a-z0-9-]+)(\.dll)?$'
for dll in x64/prnsetui.dll x86/prnsetui.dll arm64/prnsetui.dll; do
  case "$dll" in
    x64/*) machine=AMD64 flags="DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA" ;;
    x86/*) machine=I386 flags="DYNAMIC_BASE NX_COMPAT" ;;
    arm64/*) machine=ARM64 flags="DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA" ;;
  esac
  llvm-readobj-14 --file-headers --sections --coff-imports --coff-exports "$root/$dll" >"$work/image.txt" 2>&1
  check "$dll is built for $machine" grep -q "Machine: IMAGE_FILE_MACHINE_$machine " "$work/image.txt"
  check "$dll is a DLL" grep -q "IMAGE_FILE_DLL " "$work/image.txt"
  check "$dll is a GUI-subsystem image" grep -q "Subsystem: IMAGE_SUBSYSTEM_WINDOWS_GUI " "$work/image.txt"
  for flag in $flags; do
    check "$dll has $flag" grep -q "IMAGE_DLL_CHARACTERISTICS_$flag " "$work/image.txt"
  done
  sed -nE 's/^ *Name: (.*)/\1/p' <(sed -n '/^Import {/,/^}/p' "$work/image.txt") >"$work/imports.txt"
  check "$dll imports DLLs" test -s "$work/imports.txt"
  check "$dll imports only the platform's own DLLs" bash -c "! tr 'A-Z' 'a-z' <'$work/imports.txt' | grep -vE '$platform_dlls'"
  check "$dll exports exactly DllCanUnloadNow and DllGetClassObject" test \
    "$(sed -n '/^Export {/,/^}/p' "$work/image.txt" | sed -nE 's/^ *Name: (.+)/\1/p' | LC_ALL=C sort | paste -sd ' ')" = \
    "DllCanUnloadNow DllGetClassObject"
  check "$dll has no section both writable and executable" awk '
    /^  Section \{/ { w = 0; x = 0 }
    /IMAGE_SCN_MEM_WRITE / { w = 1 }
    /IMAGE_SCN_MEM_EXECUTE / { x = 1 }
    /^  \}/ && w && x { bad = 1 }
    END { exit bad }' "$work/image.txt"
done

# The version resource in both languages, with the vendor's texts given at configure time, and the manifest, read
# back from each shipped DLL (the ARM64 one through its x86-64 copy).
# A text as windres writes a string outside ASCII: L"\xHHHH..." in UTF-16 units.
rc_wide() { printf 'L"%s"' "$(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16BE | od -An -v -tx1 | tr -d ' \n' |
  sed -E 's/(....)/\\x\1/g')"; }
for dll in x64/prnsetui.dll x86/prnsetui.dll arm64/prnsetui.dll; do
  image=$root/$dll
  case "$dll" in
    x64/*) windres=x86_64-w64-mingw32-windres ;;
    x86/*) windres=i686-w64-mingw32-windres ;;
    arm64/*) windres=x86_64-w64-mingw32-windres image=$work/arm64-read-as-x86-64.dll; as_x86_64 "$root/$dll" "$image" ;;
  esac
  "$windres" -i "$image" -O rc >"$work/resources.rc" 2>/dev/null
  check "$dll keeps its manifest (id 2)" grep -qE '^2 24 ' "$work/resources.rc"
  for block in 040904b0:en 080404b0:cn; do
    language=${block#*:}
    sed -n "/BLOCK \"${block%:*}\"/,/END/p" "$work/resources.rc" >"$work/block.txt"
    check "$dll names the vendor ($language)" grep -qF "VALUE \"CompanyName\", \"$company\"" "$work/block.txt"
    check "$dll carries the vendor's copyright ($language)" grep -qF "VALUE \"LegalCopyright\", \"$copyright\"" "$work/block.txt"
    check "$dll carries the release's version ($language)" grep -qF "VALUE \"FileVersion\", \"$version\"" "$work/block.txt"
  done
  check "$dll names the product in English" grep -qF 'VALUE "ProductName", "Printer Settings"' "$work/resources.rc"
  check "$dll names the product in Chinese" grep -qF "VALUE \"ProductName\", $(rc_wide 打印机设置)" "$work/resources.rc"
done

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
