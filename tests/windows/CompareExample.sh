#!/bin/sh
# Generates the bundled example with the Linux quillon-cli and with quillon-cli.exe under Wine,
# in the same directory one after the other, and compares every generated file and the list of
# files written. The Windows texts are compared after mapping their full paths back: the drive
# Z: (Wine's view of /) dropped and "\" read as "/".
# Usage: CompareExample.sh LINUX_CLI WINDOWS_BUILD_DIR EXAMPLE_DIR
set -eu
linux_cli=$1
build_dir=$2
example=$3
here=$(dirname "$0")
work=$(mktemp -d "${TMPDIR:-/tmp}/quillon-wine-XXXXXX")
trap 'rm -rf "$work"' EXIT

prepare() {
  rm -rf "$work/Bank"
  cp -R "$example" "$work/Bank"
  rm -rf "$work/Bank/Source"
}

prepare
"$linux_cli" generate "$work/Bank/Project1.qlp" >"$work/linux.txt"
mv "$work/Bank" "$work/linux"

prepare
windows_project="Z:$(printf '%s' "$work/Bank/Project1.qlp" | tr '/' '\\')"
status=0
"$here/RunUnderWine.sh" "$build_dir" "$build_dir/bin/quillon-cli.exe" generate "$windows_project" \
  >"$work/windows.txt" || status=$?
[ "$status" -eq 77 ] && exit 77
[ "$status" -eq 0 ] || { echo "quillon-cli.exe exited with $status" >&2; exit 1; }

# Full Windows paths (Z: and what follows up to a quote, a ';', a blank or the line end).
map='s{Z:((?:\\[^\\'"'"';"\s]*)+)}{ my $p = $1; $p =~ tr!\\\\!/!; $p }ge'
find "$work/Bank" -type f | while read -r file; do perl -pi -e "$map" "$file"; done
# Redirected standard output ends every line with CR LF on Windows, and only once.
perl -ne 'exit 1 unless /[^\r]\r\n\z/' "$work/windows.txt" ||
  { od -c "$work/windows.txt" | head -n 20; echo "a listed line does not end with one CR LF" >&2; exit 1; }
perl -pi -e 's/\r$//; '"$map" "$work/windows.txt"

# The file lists name $work/Bank on both sides once the Linux run's directory is put back.
sed "s|$work/linux|$work/Bank|g" "$work/linux.txt" >"$work/linux-mapped.txt"
diff -u "$work/linux-mapped.txt" "$work/windows.txt"
mv "$work/Bank" "$work/windows"
# The generated texts name the directory they were generated in: the same one for both runs.
diff -r "$work/linux" "$work/windows"
echo "The example generated under Wine equals the Linux one ($(grep -c . "$work/windows.txt") lines listed)"
