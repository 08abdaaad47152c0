#!/usr/bin/env bash
# Makes what a Windows user downloads: builds the windows preset as
# scripts/run.sh does, then writes build/package/quillmere-<version>.zip with
# quillmere.exe, help.chm and packaging/README.txt (CRLF line ends). The
# version comes from project() in CMakeLists.txt, through the header the build
# makes from it, so the archive's name and the exe's version resource agree.
#
# usage: scripts/package.sh
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
if [ $# -ne 0 ]; then
    echo "usage: scripts/package.sh" >&2
    exit 2
fi

fail() {
    echo "package: $*" >&2
    exit 1
}

# QUILLMERE_WINDOWS_BUILD_DIR: another build directory for the windows preset.
buildDir=${QUILLMERE_WINDOWS_BUILD_DIR:-$root/build/windows}
bash scripts/setup.sh || exit 1
cmake --preset windows -B "$buildDir" >/dev/null || exit 1
cmake --build "$buildDir" || exit 1
buildDir=$(cd "$buildDir" && pwd)

program=$buildDir/quillmere.exe
helpFile=$buildDir/help.chm
versionHeader=$buildDir/generated/QuillmereVersion.h
readMe=$root/packaging/README.txt

version=$(sed -n 's/^#define QUILLMERE_VERSION_TEXT "\(.*\)"$/\1/p' "$versionHeader" 2>/dev/null)
[ -n "$version" ] || fail "no QUILLMERE_VERSION_TEXT in $versionHeader"
packageDir=$root/build/package
stage=$packageDir/quillmere-$version
archive=$packageDir/quillmere-$version.zip
# An archive left from an earlier run must not pass for this one's.
rm -rf "$stage" "$archive"

[ -f "$program" ] || fail "$program was not built"
[ -f "$helpFile" ] || fail "$helpFile is missing: the Windows build did not make the help file; nothing packaged"
# The preset builds Release, which links without symbols; refuse anything else
# rather than ship three times the bytes.
if x86_64-w64-mingw32-objdump -f "$program" | grep -qE 'HAS_SYMS|HAS_DEBUG'; then
    fail "$program still carries symbols or debug sections"
fi

mkdir -p "$stage" || exit 1
cp -p "$program" "$helpFile" "$stage/" || exit 1
# Notepad before Windows 10 shows LF-only text as one long line.
sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' "$readMe" >"$stage/README.txt" || exit 1

# From inside the staging folder, so that the files sit at the archive's top;
# -X: no Unix owners or extra time stamps.
(cd "$stage" && zip -q -X "$archive" quillmere.exe help.chm README.txt) || fail "zip failed"
rm -rf "$stage"

size=$(stat -c %s "$archive")
echo "package: $archive ($size bytes, $(((size + 512) / 1024)) KB)"
