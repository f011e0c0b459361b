#!/bin/sh
# quillon-cli.exe under Wine on the bundled example in a folder named beyond ASCII: the second
# generation writes nothing and the check finds every file up to date; then the project is read
# through a long path name (\\?\Z:\...). LANG is set here: Wine takes its ANSI code page from it,
# and a file name passed in that code page instead of UTF-16 misses the folder.
# Usage: NonAsciiFolder.sh WINDOWS_BUILD_DIR EXAMPLE_DIR
set -eu
build_dir=$1
example=$2
here=$(dirname "$0")
LANG=C.UTF-8
export LANG
work=$(mktemp -d "${TMPDIR:-/tmp}/quillon-wine-XXXXXX")
trap 'rm -rf "$work"' EXIT
folder="$work/Jürgen"
cp -R "$example" "$folder"
rm -rf "$folder/Source"
project="Z:$(printf '%s' "$folder/Project1.qlp" | tr '/' '\\')"
cli() { "$here/RunUnderWine.sh" "$build_dir" "$build_dir/bin/quillon-cli.exe" "$@"; }

status=0
cli generate "$project" >"$work/first.txt" || status=$?
[ "$status" -eq 77 ] && exit 77
[ "$status" -eq 0 ] || { cat "$work/first.txt"; echo "the first generation exited with $status" >&2; exit 1; }
cli generate "$project" >"$work/second.txt"
tail -n 1 "$work/second.txt" | tr -d '\r' | grep -qx 'Wrote 0 files' ||
  { cat "$work/second.txt"; echo "the second generation wrote files" >&2; exit 1; }
cli generate "$project" --check >"$work/check.txt" ||
  { cat "$work/check.txt"; echo "the check found stale files" >&2; exit 1; }

cli show "\\\\?\\$project" >"$work/show.txt" ||
  { cat "$work/show.txt"; echo "show through the long path name failed" >&2; exit 1; }
grep -qF "(\\\\?\\$project)" "$work/show.txt" || { cat "$work/show.txt"; echo "show named another path" >&2; exit 1; }
echo "Generated twice in $folder under Wine, the second time writing nothing; read through its long path name"
