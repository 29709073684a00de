#!/usr/bin/env bash
# The release as a vendor receives it: scripts/package run once, signing with a throw-away self-signed certificate
# and with vendor texts and a DLL name of the vendor's given at configure time, then every promise of the zip
# checked; once more signing through a PKCS#11 token (SoftHSM); and twice unsigned from two clones of the committed
# tree in two folders, whose zips must be byte for byte the same. Prints one line per failed check and ends with
# "package: N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/../.."

work=$(mktemp -d /tmp/prnset-package.XXXXXX)
authority=""
trap '[ -z "$authority" ] || kill "$authority" 2>/dev/null; rm -rf "$work"' EXIT
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
check "two ways of signing at once are refused" refuses scripts/package --sign /dev/null --pkcs11-key "pkcs11:object=k"
check "a PKCS#11 key without its certificates is refused" refuses scripts/package --pkcs11-key "pkcs11:object=k"
check "a PKCS#11 key that is no URI is refused" refuses scripts/package --pkcs11-key /dev/null --certs /dev/null

# A throw-away code-signing certificate, its key in a PKCS#12 file with a password read from a file.
head -c 24 /dev/urandom | base64 >"$work/password"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=prnsetui throw-away test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.pfx" \
  -passout "file:$work/password" >/dev/null 2>&1

company="Example Printing Ltd"
copyright="Copyright 2026 Example Printing Ltd"
dll=exampleui
if ! scripts/package --sign "$work/signer.pfx" --password-file "$work/password" --out "$work/dist" \
  "-DPRNSET_COMPANY_NAME=$company" "-DPRNSET_LEGAL_COPYRIGHT=$copyright" "-DPRNSET_DLL_NAME=$dll" \
  >"$work/package.txt" 2>&1; then
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

files=(x64/$dll.dll x86/$dll.dll arm64/$dll.dll prnset.exe arm64/prnset.exe prnset README.md LICENSE
  THIRD-PARTY-NOTICES docs/install.md docs/settings-file.md docs/support.md CHANGELOG.md
  "examples/Office Laser 300_Settings.Dat" examples/driver-package/genol300.inf examples/driver-package/genol300.ini
  examples/driver-package/GENOL300.GPD "examples/driver-package/Office Laser 300_Settings.Dat"
  examples/driver-package/amd64/$dll.dll examples/driver-package/x86/$dll.dll examples/driver-package/arm64/$dll.dll
  SHA256SUMS)
for file in "${files[@]}"; do check "the release holds $file" test -s "$root/$file"; done
check "no DLL of the default name is left in the release" test -z "$(find "$root" -iname prnsetui.dll)"
check "the example INF copies the DLL by the vendor's name" grep -qx "$dll.dll" "$root/examples/driver-package/genol300.inf"
check "the example INF takes each architecture's DLL from its folder" bash -c "grep -qx '$dll.dll=1,amd64' \"\$1\" &&
  grep -qx '$dll.dll=1,x86' \"\$1\" && grep -qx '$dll.dll=1,arm64' \"\$1\"" - "$root/examples/driver-package/genol300.inf"
check "the plug-in configuration names the DLL by the vendor's name" \
  grep -qx "OEMConfigFile1=$dll.dll" "$root/examples/driver-package/genol300.ini"
check "the INF and the configuration name no other DLL" bash -c "! grep -i prnsetui.dll \"\$1\"/*.in?" - \
  "$root/examples/driver-package"
check "the vendors' README is the release's, not the developers'" bash -c "grep -q THIRD-PARTY-NOTICES \"\$1\" &&
  ! grep -qE 'scripts/|bench/' \"\$1\"" - "$root/README.md"
check "LICENSE is the MIT licence of the prnsetui authors" bash -c "head -1 \"\$1\" | grep -qx 'MIT License' &&
  grep -q 'Copyright (c) [0-9]* the prnsetui authors' \"\$1\"" - "$root/LICENSE"
check "a release whose texts are given does not warn" bash -c "! grep -q 'CompanyName or LegalCopyright is empty' \"\$1\"" \
  - "$work/package.txt"

# Every component linked into a binary has its notice. The Windows binaries import no runtime DLL, so the MinGW-w64
# runtime is in each of them, with winpthreads and GCC's runtime in the x86 and x64 ones and LLVM's C++ runtime and
# Zig's compiler runtime in the ARM64 ones; the tool compiles in every header-only library that its sources include.
components=()
for pe in x64/$dll.dll x86/$dll.dll arm64/$dll.dll prnset.exe arm64/prnset.exe; do
  case "$pe" in
    x86/*) objdump=i686-w64-mingw32-objdump ;;
    arm64/*) objdump=llvm-objdump-14 ;;
    *) objdump=x86_64-w64-mingw32-objdump ;;
  esac
  "$objdump" -p "$root/$pe" | sed -n 's/^[[:space:]]*DLL Name: //p' >"$work/imports.txt"
  check "$pe imports DLLs" test -s "$work/imports.txt"
  check "$pe imports no runtime DLL (its runtime is linked in)" \
    bash -c "! grep -qiE 'libgcc|libstdc|libwinpthread|libc\+\+|libunwind|msvcp|vcruntime' \"\$1\"" - "$work/imports.txt"
done
components+=("MinGW-w64 runtime" "winpthreads" "GCC runtime libraries (libgcc, libstdc++)"
  "LLVM runtime libraries (libc++, libc++abi, libunwind)" "Zig compiler runtime (compiler_rt)")
grep -rhoE '#include <(CLI|nlohmann)/' tools/prnset >"$work/headers.txt"
grep -q '<CLI/' "$work/headers.txt" && components+=("CLI11")
grep -q '<nlohmann/' "$work/headers.txt" && components+=("JSON for Modern C++ (nlohmann-json)")
for component in "${components[@]}"; do
  check "THIRD-PARTY-NOTICES has the notice of $component" grep -qxF "$component" "$root/THIRD-PARTY-NOTICES"
done
check "CLI11's binary-redistribution clause is reproduced" grep -q "Redistributions in binary form must reproduce" \
  "$root/THIRD-PARTY-NOTICES"
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
for binary in x64/$dll.dll x86/$dll.dll arm64/$dll.dll prnset.exe arm64/prnset.exe prnset; do
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
for pe in x64/$dll.dll x86/$dll.dll arm64/$dll.dll prnset.exe arm64/prnset.exe \
  examples/driver-package/amd64/$dll.dll examples/driver-package/arm64/$dll.dll; do
  check "$pe is signed and its signature verifies" osslsigncode verify -CAfile "$work/cert.pem" -in "$root/$pe"
done
cp "$root/x64/$dll.dll" "$work/tampered.dll"
printf 'X' | dd of="$work/tampered.dll" bs=1 seek=4096 conv=notrunc status=none
check "a changed byte breaks the signature" refuses osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.dll"

# The image headers that signing and the loader look at, after stripping and signing, read by LLVM, which knows all
# three machines: the machine, a GUI-subsystem DLL that loads anywhere and never runs its data, no runtime beyond the
# platform's own DLLs, and exactly the two entry points a driver looks up.
platform_dlls='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|comdlg32|shell32|winspool\.drv|msvcrt|version|api-ms-win-[a-z0-9-]+)(\.dll)?$'
for pe in x64/$dll.dll x86/$dll.dll arm64/$dll.dll; do
  case "$pe" in
    x64/*) machine=AMD64 flags="DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA" ;;
    x86/*) machine=I386 flags="DYNAMIC_BASE NX_COMPAT" ;;
    arm64/*) machine=ARM64 flags="DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA" ;;
  esac
  llvm-readobj-14 --file-headers --sections --coff-imports --coff-exports "$root/$pe" >"$work/image.txt" 2>&1
  check "$pe is built for $machine" grep -q "Machine: IMAGE_FILE_MACHINE_$machine " "$work/image.txt"
  check "$pe is a DLL" grep -q "IMAGE_FILE_DLL " "$work/image.txt"
  check "$pe is a GUI-subsystem image" grep -q "Subsystem: IMAGE_SUBSYSTEM_WINDOWS_GUI " "$work/image.txt"
  for flag in $flags; do
    check "$pe has $flag" grep -q "IMAGE_DLL_CHARACTERISTICS_$flag " "$work/image.txt"
  done
  sed -nE 's/^ *Name: (.*)/\1/p' <(sed -n '/^Import {/,/^}/p' "$work/image.txt") >"$work/imports.txt"
  check "$pe imports DLLs" test -s "$work/imports.txt"
  check "$pe imports only the platform's own DLLs" bash -c "! tr 'A-Z' 'a-z' <'$work/imports.txt' | grep -vE '$platform_dlls'"
  check "$pe exports exactly DllCanUnloadNow and DllGetClassObject" test \
    "$(sed -n '/^Export {/,/^}/p' "$work/image.txt" | sed -nE 's/^ *Name: (.+)/\1/p' | LC_ALL=C sort | paste -sd ' ')" = \
    "DllCanUnloadNow DllGetClassObject"
  check "$pe has no section both writable and executable" awk '
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
for pe in x64/$dll.dll x86/$dll.dll arm64/$dll.dll; do
  image=$root/$pe
  case "$pe" in
    x64/*) windres=x86_64-w64-mingw32-windres ;;
    x86/*) windres=i686-w64-mingw32-windres ;;
    arm64/*) windres=x86_64-w64-mingw32-windres image=$work/arm64-read-as-x86-64.dll; as_x86_64 "$root/$pe" "$image" ;;
  esac
  "$windres" -i "$image" -O rc >"$work/resources.rc" 2>/dev/null
  check "$pe keeps its manifest (id 2)" grep -qE '^2 24 ' "$work/resources.rc"
  for block in 040904b0:en 080404b0:cn; do
    language=${block#*:}
    sed -n "/BLOCK \"${block%:*}\"/,/END/p" "$work/resources.rc" >"$work/block.txt"
    check "$pe names the vendor ($language)" grep -qF "VALUE \"CompanyName\", \"$company\"" "$work/block.txt"
    check "$pe carries the vendor's copyright ($language)" grep -qF "VALUE \"LegalCopyright\", \"$copyright\"" "$work/block.txt"
    check "$pe carries the release's version ($language)" grep -qF "VALUE \"FileVersion\", \"$version\"" "$work/block.txt"
  done
  check "$pe names the product in English" grep -qF 'VALUE "ProductName", "Printer Settings"' "$work/resources.rc"
  check "$pe names the product in Chinese" grep -qF "VALUE \"ProductName\", $(rc_wide 打印机设置)" "$work/resources.rc"
  check "$pe is named $dll.dll in its version resource" bash -c "grep -qF 'VALUE \"OriginalFilename\", \"$dll.dll\"' \"\$1\" &&
    grep -qF 'VALUE \"InternalName\", \"$dll\"' \"\$1\"" - "$work/resources.rc"
done

# The tool's own version block and a program's manifest (id 1), not the DLL's.
for tool in prnset.exe arm64/prnset.exe; do
  image=$root/$tool
  [ "$tool" = prnset.exe ] || { image=$work/arm64-tool-read-as-x86-64.exe; as_x86_64 "$root/$tool" "$image"; }
  x86_64-w64-mingw32-windres -i "$image" -O rc >"$work/tool.rc" 2>/dev/null
  check "$tool is named prnset.exe in its version resource" grep -qF 'VALUE "OriginalFilename", "prnset.exe"' "$work/tool.rc"
  check "$tool's version resource describes a program" bash -c "grep -qE '^ *FILETYPE 0x1$' \"\$1\" &&
    grep -qF 'VALUE \"FileVersion\", \"$version\"' \"\$1\"" - "$work/tool.rc"
  check "$tool names the vendor" grep -qF "VALUE \"CompanyName\", \"$company\"" "$work/tool.rc"
  check "$tool has a program's manifest (id 1) and not the DLL's" bash -c "grep -qE '^1 24 ' \"\$1\" &&
    ! grep -qE '^2 24 ' \"\$1\" && ! grep -qF 'OriginalFilename\", \"$dll.dll' \"\$1\"" - "$work/tool.rc"
done

# PKCS#11: the same throw-away key on a software token (SoftHSM), which osslsigncode reaches through OpenSSL's
# PKCS#11 engine; the PIN is read from a file, as the PFX route reads its password. The signatures are time-stamped
# by a throw-away time-stamp authority on the loopback address.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=prnsetui throw-away time-stamp authority" \
  -addext "extendedKeyUsage=critical,timeStamping" -keyout "$work/tsa.key" -out "$work/tsa.pem" >/dev/null 2>&1
echo 01 >"$work/tsa.serial"
cat >"$work/tsa.cnf" <<EOF
[tsa]
default_tsa = authority
[authority]
serial = $work/tsa.serial
signer_cert = $work/tsa.pem
signer_key = $work/tsa.key
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha256
ess_cert_id_alg = sha256
EOF
tests/release/timestamp_server.py "$work/tsa.cnf" >"$work/tsa.port" 2>/dev/null &
authority=$!
for _ in $(seq 50); do [ -s "$work/tsa.port" ] && break; sleep 0.1; done
timestamp=http://127.0.0.1:$(cat "$work/tsa.port")
tokens=$work/tokens
mkdir -p "$tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\n' "$tokens" >"$work/softhsm2.conf"
export SOFTHSM2_CONF=$work/softhsm2.conf
echo 4711 >"$work/pin"
openssl pkcs8 -topk8 -nocrypt -in "$work/key.pem" -out "$work/key8.pem"
softhsm2-util --init-token --free --label prnset-test --pin 4711 --so-pin 4712 >/dev/null &&
  softhsm2-util --import "$work/key8.pem" --token prnset-test --label signer --id 01 --pin 4711 >/dev/null
module=$(ls /usr/lib/softhsm/libsofthsm2.so 2>/dev/null || true)
if scripts/package --pkcs11-key "pkcs11:token=prnset-test;object=signer;type=private" --certs "$work/cert.pem" \
  --pkcs11-module "$module" --password-file "$work/pin" --timestamp "$timestamp" --out "$work/token" \
  "-DPRNSET_COMPANY_NAME=$company" "-DPRNSET_LEGAL_COPYRIGHT=$copyright" "-DPRNSET_DLL_NAME=$dll" \
  >"$work/token.txt" 2>&1 </dev/null; then
  token=$work/token/$name
  for pe in x64/$dll.dll x86/$dll.dll arm64/$dll.dll prnset.exe arm64/prnset.exe; do
    check "$pe signed through the token verifies, with its time-stamp" bash -c "osslsigncode verify \
      -CAfile '$work/cert.pem' -TSA-CAfile '$work/tsa.pem' -in '$token/$pe' | grep -q 'Timestamp time:'"
  done
  check "the PFX route signs without a time-stamp when no URL is given" bash -c "! osslsigncode verify \
    -CAfile '$work/cert.pem' -in '$root/prnset.exe' | grep -q 'Timestamp time:'"
  echo 1234 >"$work/wrong-pin"
  check "a wrong PIN fails the release" refuses scripts/package --pkcs11-key "pkcs11:token=prnset-test;object=signer" \
    --certs "$work/cert.pem" --pkcs11-module "$module" --password-file "$work/wrong-pin" --out "$work/wrong" \
    "-DPRNSET_COMPANY_NAME=$company" "-DPRNSET_LEGAL_COPYRIGHT=$copyright" "-DPRNSET_DLL_NAME=$dll" </dev/null
else
  tail -5 "$work/token.txt"
  check "signing through the PKCS#11 token" false
fi
unset SOFTHSM2_CONF
kill "$authority" 2>/dev/null
authority=""

# Reproducible: the committed tree in two clones in folders of different depth, each packaged unsigned with the
# default texts; the two zips, and so every file in them, are the same bytes. The clones stay in build/reproducible/
# and are brought to this commit on each run, everything but their build folders cleaned away: a run of an unchanged
# tree builds nothing there again, a change rebuilds what it touches, and a first run builds from the compiler cache
# that the run above filled. The two are packaged side by side.
commit=$(git rev-parse HEAD)
clones=("$PWD/build/reproducible/one/prnsetui" "$PWD/build/reproducible/two/deeper/folder/prnsetui")
logs=("$work/clone-one.txt" "$work/clone-two.txt")
packaging=()
for i in 0 1; do
  clone=${clones[$i]}
  # The clone shares this machine's set-up; today's note of a failed wine32 install goes with it, so that its
  # set-up does not ask the package mirror again.
  { { [ -d "$clone/.git" ] || { rm -rf "$clone" && mkdir -p "$(dirname "$clone")" &&
    git clone -q --no-hardlinks . "$clone"; }; } &&
    git -C "$clone" fetch -q "$PWD" HEAD && git -C "$clone" checkout -q --force "$commit" &&
    git -C "$clone" clean -qfdx -e /build/ && mkdir -p "$clone/build" &&
    { [ ! -f build/wine32-missing.txt ] || cp -p build/wine32-missing.txt "$clone/build/"; } &&
    (cd "$clone" && env -u CCACHE_BASEDIR scripts/package --out "$clone/dist"); } >"${logs[$i]}" 2>&1 ||
    tail -5 "${logs[$i]}" &
  packaging+=($!)
done
wait "${packaging[@]}"
one=${clones[0]}/dist/$name.zip two=${clones[1]}/dist/$name.zip
for clone in "${clones[@]}"; do
  check "the clone $clone holds the commit under test" test "$(git -C "$clone" rev-parse HEAD)" = "$commit"
done
check "two clones in two folders give the same zip" cmp "$one" "$two"
for file in x64/prnsetui.dll x86/prnsetui.dll arm64/prnsetui.dll prnset.exe arm64/prnset.exe prnset \
  x64/prnsetui.dll.debug arm64/prnsetui.dll.debug; do
  check "two clones give the same $file" cmp "${clones[0]}/dist/$name/$file" "${clones[1]}/dist/$name/$file"
done
check "the zip's files carry the commit's time" bash -c "TZ=UTC unzip -l \"\$1\" | grep -q \"\$(TZ=UTC date -d @$(git log -1 --format=%ct) '+%Y-%m-%d %H:%M')\"" - "$one"
check "a release with empty CompanyName and LegalCopyright says so on a line of its own" grep -qx \
  "package: warning: CompanyName or LegalCopyright is empty; give -DPRNSET_COMPANY_NAME and -DPRNSET_LEGAL_COPYRIGHT for a vendor's release" \
  "${logs[0]}"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
