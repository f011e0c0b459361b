#!/bin/sh
# Runs a cross-built Windows program under wine64 in the Windows build's private prefix.
# Usage: RunUnderWine.sh WINDOWS_BUILD_DIR PROGRAM [ARGUMENTS...]
#        RunUnderWine.sh WINDOWS_BUILD_DIR --end-all    ends every program running in the prefix
# Exits 77 (ctest: skipped) when the program has not been cross-built (`make windows`).
set -eu
build_dir=$1
program=$2
shift 2
if [ "$program" != "--end-all" ] && [ ! -f "$program" ]; then
  echo "$program is not built: run 'make windows' first" >&2
  exit 77
fi
# Debian keeps the loader out of PATH (/usr/lib/wine/wine64): ask the package where it is.
wine=$(command -v wine64 || dpkg -L wine64 2>/dev/null | grep -E '/wine64$' | head -n 1 || true)
if [ -z "$wine" ] || [ ! -x "$wine" ]; then
  echo "wine64 is not installed" >&2
  exit 77
fi
WINEPREFIX=$build_dir/wineprefix
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer dialogs
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
if [ "$program" = "--end-all" ]; then
  wineserver=$(command -v wineserver || dpkg -L wine64 2>/dev/null | grep -E '/wineserver(64)?$' | head -n 1 || true)
  [ -n "$wineserver" ] || exit 0
  "$wineserver" -k 2>/dev/null || true
  exec "$wineserver" -w
fi
# The first run creates the prefix; parallel tests wait for it instead of creating it twice.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$build_dir"
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init >/dev/null 2>&1
  ) 9>"$build_dir/wineprefix.lock"
fi
exec "$wine" "$program" "$@"
