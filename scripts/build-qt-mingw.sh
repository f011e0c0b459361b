#!/usr/bin/env bash
# Builds Qt 6 Widgets for 64-bit Windows with MinGW-w64 from Debian's own qt6-base source package,
# so that the workbench can be cross-built and tested under Wine. The result is installed into a
# cache directory outside the checkout, named after the Qt version and a hash of the options:
# it is built once per machine and reused by every later build (and by CI on that machine).
#
#   scripts/build-qt-mingw.sh          build when missing, then print the installed prefix
#   scripts/build-qt-mingw.sh --prefix print the prefix only (whether it is built or not)
#
# QUILLON_QT_MINGW names another prefix; JOBS sets the build's parallelism (default: nproc).
# The host's qt6-base-dev serves moc, rcc and uic (QT_HOST_PATH); the versions must agree.
# Nothing of the machine's apt configuration is changed: the source is fetched through a private
# configuration whose deb-src entries are derived from the machine's own Debian entries.
set -euo pipefail

qt_version=6.4.2
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../cmake/MinGW-w64-x86_64.cmake

# What Quillon uses of Qt: Core, Gui and Widgets, the windows and offscreen platform plugins and
# the Windows styles, and Qt Test for the workbench tests. The rest is left out to keep the build
# short. Debian's source lacks Wintab
# (tablet events), and with OpenGL off the windows plugin still refers to the dynamic-GL context.
options=(
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_sql_odbc=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  # Qt's libraries use the compiler's run-time DLLs (libstdc++, libgcc, winpthread) rather than a
  # static copy each, unlike our own programs.
  -DCMAKE_EXE_LINKER_FLAGS= -DCMAKE_SHARED_LINKER_FLAGS= -DCMAKE_MODULE_LINKER_FLAGS=
)

hash=$(printf "%s\n" "$qt_version" "${options[@]}" | sha256sum | cut -c1-12)
prefix=${QUILLON_QT_MINGW:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon/qt-$qt_version-mingw-$hash}
if [ "${1:-}" = "--prefix" ]; then
  echo "$prefix"
  exit 0
fi
if [ -f "$prefix/.quillon-complete" ]; then
  echo "$prefix"
  exit 0
fi

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
case "$host_version" in
  "$qt_version"*) ;;
  *) echo "build-qt-mingw: the host's qt6-base-dev is '${host_version:-not installed}', not $qt_version" >&2; exit 1 ;;
esac
command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  { echo "build-qt-mingw: g++-mingw-w64-x86-64-posix is not installed" >&2; exit 1; }
command -v dpkg-source >/dev/null || { echo "build-qt-mingw: dpkg-dev is not installed" >&2; exit 1; }

work=$prefix.work
mkdir -p "$work"
start=$(date +%s)
step() { echo "build-qt-mingw: $1 ($(( $(date +%s) - start )) s)"; }

# A private apt configuration for the source: the machine's Debian entries, as deb-src.
apt_dir=$work/apt
if [ ! -d "$work/src" ]; then
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  : > "$apt_dir/sources.list"
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >> "$apt_dir/sources.list"
  fi
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
  done
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >> "$apt_dir/sources.list"
  done
  apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
               -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
               -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
               -o "APT::Get::List-Cleanup=0")
  step "fetching qt6-base's source"
  apt-get "${apt_options[@]}" update >"$work/apt-update.log" 2>&1 ||
    { cat "$work/apt-update.log" >&2; exit 1; }
  rm -rf "$work/fetch" && mkdir -p "$work/fetch"
  (cd "$work/fetch" && apt-get "${apt_options[@]}" source "qt6-base=$host_version" >"$work/apt-source.log" 2>&1) ||
    { cat "$work/apt-source.log" >&2; exit 1; }
  src=$(find "$work/fetch" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  [ -n "$src" ] || { echo "build-qt-mingw: no source directory was unpacked" >&2; exit 1; }
  mv "$src" "$work/src"
  rm -rf "$work/fetch"
fi

step "configuring"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$work/src" -B "$work/build" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log" 2>&1 ||
  { tail -n 60 "$work/configure.log" >&2; exit 1; }

step "building"
cmake --build "$work/build" --parallel "${JOBS:-$(nproc)}" >"$work/build.log" 2>&1 ||
  { tail -n 60 "$work/build.log" >&2; exit 1; }

step "installing"
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
  { tail -n 60 "$work/install.log" >&2; exit 1; }
touch "$prefix/.quillon-complete"
rm -rf "$work"
step "done: $prefix"
echo "$prefix"
