#!/bin/sh
# Builds Free Pascal's own Windows units (System up to ComObj and ComServ) for Win64 from the
# Free Pascal sources, with the installed ppcx64, into one output folder, plus the fpcmemdll.dll
# that ShareMem loads. Run once per build directory; the stamp file tells CMake it is done.
#   build-win64-units.sh FPC_SOURCE_DIR OUTPUT_DIR
set -eu
src=$1
out=$2
rtl=$src/rtl
pkg=$src/packages
mkdir -p "$out"
log=$out/build.log
: >"$log"
start=$(date +%s)

compile() {
    if ! ppcx64 -Twin64 -FE"$out" -Fu"$out" "$@" >>"$log" 2>&1; then
        echo "Building the Win64 units failed; the compiler's last lines ($log):" >&2
        tail -n 20 "$log" >&2
        exit 1
    fi
}

paths="-Fi$rtl/inc -Fi$rtl/x86_64 -Fi$rtl/win -Fi$rtl/win/wininc -Fi$rtl/win64 -Fi$rtl/objpas
 -Fi$rtl/objpas/sysutils -Fi$rtl/objpas/classes -Fu$rtl/inc -Fu$rtl/x86_64 -Fu$rtl/win -Fu$rtl/win/wininc
 -Fu$rtl/objpas"
# The compiler looks for include files beside the main source too: run from rtl/win64.
cd "$rtl/win64"
# shellcheck disable=SC2086
compile -Us -Sg $paths system.pp
# shellcheck disable=SC2086
compile $paths ../objpas/objpas.pp
# shellcheck disable=SC2086
compile $paths buildrtl.pp
compile "$rtl/win/fpcmemdll.pp"

packages="-Fi$pkg/rtl-objpas/src/inc -Fi$pkg/rtl-objpas/src/win -Fu$pkg/rtl-objpas/src/inc
 -Fu$pkg/fcl-base/src -Fu$pkg/fcl-registry/src -Fu$pkg/winunits-base/src"
for unit in rtl-objpas/src/win/varutils.pp rtl-objpas/src/inc/variants.pp fcl-base/src/syncobjs.pp \
    fcl-base/src/inifiles.pp fcl-registry/src/registry.pp winunits-base/src/comobj.pp \
    winunits-base/src/comserv.pp; do
    # shellcheck disable=SC2086
    compile $packages "$pkg/$unit"
done

echo "Win64 units built into $out in $(($(date +%s) - start)) s"
touch "$out/stamp"
