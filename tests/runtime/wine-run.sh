#!/bin/sh
# Runs a Windows program under wine64 in the build directory's private Wine prefix, without
# Wine's debug output. The first call creates the prefix (wineboot -i); a lock keeps concurrent
# first calls from creating it twice. Other calls reuse it.
#   wine-run.sh WINE64 PREFIX PROGRAM [ARGUMENTS...]
#   wine-run.sh WINE64 PREFIX --init        only create the prefix
set -eu
wine=$1
prefix=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
(
    flock 9
    if [ ! -f "$prefix/.quillon-ready" ]; then
        "$wine" wineboot -i >/dev/null 2>&1
        touch "$prefix/.quillon-ready"
    fi
) 9>"$prefix.lock"
[ "${1-}" = "--init" ] && exit 0
exec "$wine" "$@"
