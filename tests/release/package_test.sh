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

files=(x64/prnsetui.dll x86/prnsetui.dll prnset.exe prnset README.md docs/install.md docs/settings-file.md
  "examples/Office Laser 300_Settings.Dat" examples/driver-package/genol300.inf examples/driver-package/genol300.ini
  examples/driver-package/GENOL300.GPD "examples/driver-package/Office Laser 300_Settings.Dat"
  examples/driver-package/amd64/prnsetui.dll examples/driver-package/x86/prnsetui.dll SHA256SUMS)
for file in "${files[@]}"; do check "the release holds $file" test -s "$root/$file"; done
check "the driver package's settings file is a file, not a link" test ! -L "$root/examples/driver-package/Office Laser 300_Settings.Dat"
check "every file is in SHA256SUMS and matches it" bash -c "cd '$root' && sha256sum --quiet -c SHA256SUMS &&
  test \$(find . -type f ! -name SHA256SUMS | wc -l) -eq \$(wc -l <SHA256SUMS)"

# Stripped binaries, each linked to its debug information beside it.
for binary in x64/prnsetui.dll x86/prnsetui.dll prnset.exe prnset; do
  case "$binary" in
    x86/*) tools=i686-w64-mingw32- ;;
    prnset) tools="" ;;
    *) tools=x86_64-w64-mingw32- ;;
  esac
  check "$binary carries no debug sections" bash -c "! ${tools}objdump -h '$root/$binary' | grep -q ' \.debug_'"
  rm -f "$work/link"
  "${tools}objcopy" --dump-section ".gnu_debuglink=$work/link" "$root/$binary" "$work/scratch" 2>/dev/null
  check "$binary names its debug file, with that file's checksum" debuglink_matches "$work/link" \
    "$(basename "$binary").debug" "$root/$binary.debug"
  check "$binary.debug holds the debug information" bash -c "${tools}objdump -h '$root/$binary.debug' | grep -q ' \.debug_info'"
done

# Signed: each signature verifies against the throw-away certificate, and a changed byte breaks it.
for pe in x64/prnsetui.dll x86/prnsetui.dll prnset.exe examples/driver-package/amd64/prnsetui.dll; do
  check "$pe is signed and its signature verifies" osslsigncode verify -CAfile "$work/cert.pem" -in "$root/$pe"
done
cp "$root/x64/prnsetui.dll" "$work/tampered.dll"
printf 'X' | dd of="$work/tampered.dll" bs=1 seek=4096 conv=notrunc status=none
check "a changed byte breaks the signature" refuses osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.dll"

# The image headers that signing and the loader look at, after stripping and signing.
for dll in x64/prnsetui.dll x86/prnsetui.dll; do
  case "$dll" in
    x64/*) tools=x86_64-w64-mingw32- format=pei-x86-64 flags="HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT" ;;
    x86/*) tools=i686-w64-mingw32- format=pei-i386 flags="DYNAMIC_BASE NX_COMPAT" ;;
  esac
  "${tools}objdump" -p "$root/$dll" >"$work/headers.txt"
  check "$dll is a $format image" grep -q "file format $format" "$work/headers.txt"
  check "$dll is a GUI-subsystem DLL" grep -qE 'Subsystem[[:space:]]+00000002' "$work/headers.txt"
  for flag in $flags; do check "$dll has $flag" grep -qw "$flag" "$work/headers.txt"; done

  # The vendor's texts given at configure time, read back from the shipped DLL.
  "${tools}windres" -i "$root/$dll" -O rc >"$work/resources.rc" 2>/dev/null
  check "$dll names the vendor" grep -qF "VALUE \"CompanyName\", \"$company\"" "$work/resources.rc"
  check "$dll carries the vendor's copyright" grep -qF "VALUE \"LegalCopyright\", \"$copyright\"" "$work/resources.rc"
  check "$dll carries the release's version" grep -qF "VALUE \"FileVersion\", \"$version\"" "$work/resources.rc"
  check "$dll keeps its manifest (id 2)" grep -qE '^2 24 ' "$work/resources.rc"
done

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
