#!/bin/sh
# Starts a cross-built quillon.exe under Wine with Qt's windows platform plugin, on an X server of
# its own (Xvfb), opens the bundled example and saves a picture of the screen once the main window
# shows, then closes it.
# Usage: WorkbenchScreenshot.sh WINE_BUILD_DIR PROGRAM EXAMPLE_DIR OUT.png
# Exits 77 (ctest: skipped) when the workbench was not cross-built.
set -eu
build_dir=$1
program=$2
example=$3
out=$4
here=$(dirname "$0")
if [ ! -f "$program" ]; then
  echo "$program is not built: Qt for MinGW-w64 is missing ('make windows-qt' builds it)" >&2
  exit 77
fi
for tool in Xvfb xdotool import; do
  command -v $tool >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/quillon-screenshot-XXXXXX")
xvfb_pid=""
program_pid=""
# Nothing may outlive the test: a Wine program left running keeps its prefix's wineserver, which
# holds the test's output open, and ctest would wait for it until its timeout.
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    "$here/RunUnderWine.sh" "$build_dir" --end-all 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cp -R "$example" "$work/Bank"

# Xvfb picks a free display and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
tries=0
while [ ! -s "$work/display" ]; do
  tries=$((tries + 1))
  [ $tries -le 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY

# A Wine server still running in the prefix (kept for a few seconds by an earlier program started
# without an X server) would put the window on no display: start from none.
"$here/RunUnderWine.sh" "$build_dir" --end-all 2>/dev/null || true
QT_QPA_PLATFORM=windows "$here/RunUnderWine.sh" "$build_dir" "$program" \
  "Z:$(printf '%s' "$work/Bank/Project1.qlp" | tr '/' '\\')" >"$work/quillon.log" 2>&1 &
program_pid=$!
# The window's title names the open project.
timeout 180 xdotool search --sync --onlyvisible --name "^Project1 - " >"$work/window" ||
  { echo "quillon.exe showed no window titled \"Project1 - ...\" within 180 s; it printed:" >&2
    cat "$work/quillon.log" >&2; exit 1; }
window=$(head -n 1 "$work/window")
# The tree and the editor are painted after the window maps; a second picture that equals the
# first says the screen has settled.
mkdir -p "$(dirname "$out")"
previous=""
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  import -window root "$work/screen.png"
  current=$(md5sum <"$work/screen.png")
  [ "$current" = "$previous" ] && break
  previous=$current
  sleep 1
done
cp "$work/screen.png" "$out"
# Closed as a user closes it, with Alt+F4: the workbench must end without asking anything.
xdotool windowfocus --sync "$window" key alt+F4
tries=0
while kill -0 "$program_pid" 2>/dev/null; do
  tries=$((tries + 1))
  [ $tries -le 300 ] || { echo "quillon.exe did not end on Alt+F4" >&2; cat "$work/quillon.log" >&2; exit 1; }
  sleep 0.1
done
echo "$out"
