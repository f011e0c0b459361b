#!/bin/sh
# The Windows download as a user meets it: the zip unpacked into a fresh folder with a Wine prefix
# of its own (nothing of the build beside it), quillon-cli.exe generating the bundled example, and
# quillon.exe started on it under Xvfb, its screen saved for a person to look at.
# Usage: PackageUnderWine.sh ZIP EXAMPLE_DIR OUT.png
# Exits 77 (ctest: skipped) when the zip has not been made (`make windows-package`).
set -eu
# Wine reads the Unix side's file names in the locale's character set: UTF-8, as a desktop has it.
LANG=C.UTF-8
export LANG
zip=$1
example=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -f "$zip" ]; then
  echo "$zip is not made: Qt for MinGW-w64 is missing or 'make windows-package' did not run" >&2
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quillon-package-XXXXXX")
# The prefix's Wine server writes the registry when it ends: end it before removing the folder.
trap '"$here/RunUnderWine.sh" "$work" --end-all 2>/dev/null; rm -rf "$work"' EXIT
# Unpacked where users put things: a folder beyond ASCII (and beyond code page 1252), which the
# programs and the DLLs they load must find themselves in.
unzip -q "$zip" -d "$work/Проект"
program_dir=$(find "$work/Проект" -mindepth 1 -maxdepth 1 -type d | head -n 1)
for file in quillon.exe quillon-cli.exe platforms/qwindows.dll styles/qwindowsvistastyle.dll \
            runtime/DLLServerCollection.pas guide.html LICENSE.txt README.txt; do
  [ -f "$program_dir/$file" ] || { echo "the package lacks $file" >&2; exit 1; }
done
[ ! -e "$program_dir/platforms/qoffscreen.dll" ] || { echo "the package holds the test-only offscreen plugin" >&2; exit 1; }
# Each program carries its icon, a version resource and a manifest: long-path aware, the workbench
# per-monitor DPI aware, and the process code page left alone.
for program in quillon.exe quillon-cli.exe; do
  resources=$(wrestool -l "$program_dir/$program")
  for kind in group_icon version; do
    printf '%s\n' "$resources" | grep -q "type=$kind" || { echo "$program has no $kind resource" >&2; exit 1; }
  done
  manifest=$(wrestool -x --raw --type=24 "$program_dir/$program")
  printf '%s' "$manifest" | grep -q '<longPathAware[^>]*>true<' || { echo "$program is not long-path aware" >&2; exit 1; }
  ! printf '%s' "$manifest" | grep -q activeCodePage || { echo "$program sets the process code page" >&2; exit 1; }
done
wrestool -x --raw --type=24 "$program_dir/quillon.exe" | grep -q '>PerMonitorV2<' ||
  { echo "quillon.exe is not per-monitor DPI aware" >&2; exit 1; }

# The project in a folder beyond ASCII that code page 1252 still holds (the generated library
# projects name their units' paths in it).
mkdir -p "$work/Zürich"
cp -R "$example" "$work/Zürich/Bank"
rm -rf "$work/Zürich/Bank/Source"
project="Z:$(printf '%s' "$work/Zürich/Bank/Project1.qlp" | tr '/' '\\')"
# The build directory argument only places the Wine prefix: a fresh one in the work folder.
"$here/RunUnderWine.sh" "$work" "$program_dir/quillon-cli.exe" generate "$project" >"$work/generate.txt"
tail -n 1 "$work/generate.txt" | tr -d '\r' | grep -qE '^Wrote [1-9][0-9]* files$' ||
  { cat "$work/generate.txt"; echo "the packaged quillon-cli.exe did not generate the example" >&2; exit 1; }
"$here/RunUnderWine.sh" "$work" "$program_dir/quillon.exe" --version | tr -d '\r' | grep -q '^quillon ' ||
  { echo "the packaged quillon.exe --version printed nothing" >&2; exit 1; }
"$here/WorkbenchScreenshot.sh" "$work" "$program_dir/quillon.exe" "$example" "$out"
echo "The package $(basename "$zip") ($(du -k "$zip" | cut -f1) KB) unpacked, generated the example and showed the workbench"
