#!/usr/bin/env bash
# Packs the Windows programs of a cross build into one zip to download: quillon.exe and
# quillon-cli.exe (stripped), the DLLs they import (Qt's and the compiler's run-time DLLs), Qt's
# windows platform plugin and Windows style, the run-time unit of library servers, the script that
# builds Free Pascal's Windows units, the guide, the licence and a short README.txt.
#
#   scripts/windows-package.sh QT_PREFIX WINDOWS_BUILD_DIR VERSION
#
# Writes WINDOWS_BUILD_DIR/quillon-VERSION-win64.zip and prints its path.
set -euo pipefail
qt_prefix=$1
build_dir=$(cd "$2" && pwd)
version=$3
source_dir=$(cd "$(dirname "$0")/.." && pwd)

name=quillon-$version-win64
stage=$build_dir/package/$name
rm -rf "$build_dir/package"
mkdir -p "$stage/runtime"
for program in quillon.exe quillon-cli.exe; do
  [ -f "$build_dir/bin/$program" ] ||
    { echo "windows-package: $build_dir/bin/$program is not built" >&2; exit 1; }
  x86_64-w64-mingw32-strip -o "$stage/$program" "$build_dir/bin/$program"
done
"$source_dir/scripts/deploy-windows-dlls.sh" "$qt_prefix" "$stage" "$stage/quillon.exe" "$stage/quillon-cli.exe"
# The offscreen plugin serves the tests only.
rm -f "$stage/platforms/qoffscreen.dll"
for dll in "$stage"/*.dll "$stage"/*/*.dll; do
  x86_64-w64-mingw32-strip --strip-unneeded "$dll"
done
cp "$source_dir/runtime/DLLServerCollection.pas" "$source_dir/runtime/quillon-fpc-win64-units" "$stage/runtime/"
cp "$source_dir/docs/guide.html" "$stage/guide.html"
cp "$source_dir/LICENSE" "$stage/LICENSE.txt"
sed "s/@VERSION@/$version/" "$source_dir/share/windows/README.txt.in" | sed 's/$/\r/' > "$stage/README.txt"

zip_file=$build_dir/$name.zip
rm -f "$zip_file"
(cd "$build_dir/package" && zip -q -r -X "$zip_file" "$name")
echo "$zip_file"
