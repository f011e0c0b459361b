#!/usr/bin/env bash
# Copies beside cross-built Windows programs every DLL they import, transitively, that is not a
# system DLL: Qt's libraries and the compiler's run-time DLLs, and Qt's platform and style plugins
# with their own imports, so that the directory runs as it is (under Wine or on Windows).
#
#   scripts/deploy-windows-dlls.sh QT_PREFIX DEST_DIR PROGRAM.exe...
#
# DLLs are searched in Qt's bin directory and in the MinGW-w64 compiler's run-time directories;
# an import found in none of them is taken to be the system's.
set -euo pipefail
qt_prefix=$1
dest=$2
shift 2

objdump=x86_64-w64-mingw32-objdump
search=("$qt_prefix/bin")
for dir in /usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib; do
  [ -d "$dir" ] && search+=("$dir")
done

# The workbench and its tests deploy into the same directory, at once under a parallel build: each
# file is copied under a name of this process's and renamed into place, which cannot collide.
install_file() {  # SOURCE TARGET
  cp -p "$1" "$2.tmp$$"
  mv -f "$2.tmp$$" "$2"
}

declare -A done_files=()
deploy() {  # FILE: copies FILE's non-system imports into $dest, then theirs
  local file=$1 name found dir
  while read -r name; do
    [ -n "${done_files[${name,,}]:-}" ] && continue
    done_files[${name,,}]=1
    found=""
    for dir in "${search[@]}"; do
      if [ -f "$dir/$name" ]; then found=$dir/$name; break; fi
    done
    [ -n "$found" ] || continue
    install_file "$found" "$dest/$name"
    deploy "$found"
  done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
}

mkdir -p "$dest"
plugins=(platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll)
for plugin in "${plugins[@]}"; do
  mkdir -p "$dest/$(dirname "$plugin")"
  install_file "$qt_prefix/plugins/$plugin" "$dest/$plugin"
  deploy "$dest/$plugin"
done
for program in "$@"; do
  deploy "$program"
done
