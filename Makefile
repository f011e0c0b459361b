# Convenience wrapper around CMake. On a fresh Debian machine `make run` installs the packages the
# command line needs, builds it and generates the bundled example; `make gui` and `make test`
# install the rest (the workbench's Qt, the test tools, Wine, MinGW, the Free Pascal sources) and
# configure the build again, so that a build first configured by `make run` gains the workbench
# and the tests; `make test` builds and runs every test, the Windows ones under Wine included;
# `make windows` cross-builds quillon-cli.exe and the core tests for Windows x64; `make package`
# writes the Debian package build/quillon_VERSION_amd64.deb.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
# The cross build and Wine: MinGW-w64's compiler, GoogleTest's sources to build for the target
# (CLI11 is header-only), and the loader the Windows tests run in.
WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_JOBS ?= 2
WINDOWS_PACKAGES = g++-mingw-w64-x86-64-posix googletest libcli11-dev cmake make wine64 \
  librsvg2-bin icoutils
# Qt for MinGW-w64, built from Debian's qt6-base source into a per-machine cache (outside the
# checkout) by `make windows-qt`: the Windows workbench is cross-built only where it exists. The
# build needs the host's Qt tools, the source package's unpacker and, for the screenshot of the
# workbench under Wine, an X server and ImageMagick; zip packs the download.
WINDOWS_QT_PACKAGES = qt6-base-dev dpkg-dev ninja-build perl xvfb xdotool imagemagick zip unzip
QT_MINGW = $(shell scripts/build-qt-mingw.sh --prefix)
QT_MINGW_FOUND = $(wildcard $(QT_MINGW)/.quillon-complete)
VERSION = $(shell grep -m 1 -o 'Quillon VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
# What building quillon-cli needs; the workbench; the tests (the Free Pascal compile and run-time
# tests, the manual pages' check, the package's check with lintian), the benchmarks.
CLI_PACKAGES = cmake g++ make libcli11-dev libmimalloc-dev unixodbc-dev
APT_PACKAGES = $(CLI_PACKAGES) qt6-base-dev qt6-svg-dev libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev fp-compiler libsqliteodbc fpc-source-3.2.2 man-db groff lintian \
  $(WINDOWS_PACKAGES)
CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WINDOWS_BUILD_DIR=$(abspath $(WINDOWS_BUILD_DIR))

.PHONY: all build cli gui test deps cli-deps reconfigure windows windows-deps windows-qt windows-package install-packages run package bench coverage fuzz fuzz-designs clean

all: build

deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(sort $(APT_PACKAGES))"

cli-deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(CLI_PACKAGES)"

windows-deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(WINDOWS_PACKAGES)"

# A package removed with its configuration left behind still answers `dpkg -s`: ask for the
# installed state.
install-packages:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; \
	  if [ "$$(id -u)" -ne 0 ]; then \
	    command -v sudo >/dev/null || { echo "Run as root or install sudo to install:$$missing" >&2; exit 1; }; \
	    SUDO=sudo; \
	  fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt:
	$(CONFIGURE)

# Configuring again finds what was installed since: a build first configured without Qt, the test
# tools or Free Pascal gains the workbench, the tests and the run-time tests.
reconfigure:
	$(CONFIGURE)

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

cli: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quillon-cli

# The cross build first: the native build's ctest runs its programs under Wine (label "windows").
# The run-time tests (label runtime) run apart and verbosely, so that the log shows what the
# generated libraries and their hosts printed under Wine.
test: deps
	$(MAKE) $(if $(QT_MINGW_FOUND),windows-package,windows)
	$(MAKE) reconfigure
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) -LE runtime
	cd $(BUILD_DIR) && ctest -V -j $(JOBS) -L runtime

# The Debian package of everything the build holds (the workbench included), stripped, with its
# dependencies read from the programs.
package: deps
	$(MAKE) reconfigure
	$(MAKE) build
	cd $(BUILD_DIR) && cpack -G DEB

# quillon-cli.exe and the core test programs for Windows x64, in $(WINDOWS_BUILD_DIR)/bin, and
# quillon.exe with its tests where Qt for MinGW-w64 has been built (`make windows-qt`).
windows: windows-deps
	@if [ -n "$(QT_MINGW_FOUND)" ]; then echo "Cross-building the workbench with Qt for MinGW-w64 in $(QT_MINGW)"; \
	else echo "No Qt for MinGW-w64 in $(QT_MINGW) ('make windows-qt' builds it): quillon.exe and its tests are left out"; fi
	cmake -S . -B $(WINDOWS_BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(if $(QT_MINGW_FOUND),-DQUILLON_QT_MINGW=$(QT_MINGW) -DQUILLON_BUILD_WORKBENCH=ON,-DQUILLON_BUILD_WORKBENCH=OFF)
	cmake --build $(WINDOWS_BUILD_DIR) -j $(WINDOWS_JOBS)

# The zip to download, $(WINDOWS_BUILD_DIR)/quillon-VERSION-win64.zip: both programs, the DLLs and
# plugins they need, the run-time unit, the guide (needs Qt for MinGW-w64).
windows-package: windows
	@[ -n "$(QT_MINGW_FOUND)" ] || { echo "No Qt for MinGW-w64 in $(QT_MINGW): 'make windows-qt' builds it" >&2; exit 1; }
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(WINDOWS_QT_PACKAGES)"
	scripts/windows-package.sh $(QT_MINGW) $(WINDOWS_BUILD_DIR) $(VERSION)

# Qt 6 for MinGW-w64 from Debian's qt6-base source, into the cache named by QT_MINGW (about half an
# hour on two cores, once per machine).
windows-qt: windows-deps
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(WINDOWS_QT_PACKAGES)"
	JOBS=$(JOBS) scripts/build-qt-mingw.sh

# Generates the bundled example project into examples/Bank/Source and prints each file written;
# a second run writes nothing.
run: cli-deps
	$(MAKE) cli
	$(BUILD_DIR)/bin/quillon-cli generate examples/Bank/Project1.qlp

# Starts the workbench on the bundled example project.
gui: deps
	$(MAKE) reconfigure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quillon
	$(BUILD_DIR)/bin/quillon examples/Bank/Project1.qlp

# The object-text benchmarks, the workbench on a 1000-module project (where Qt is installed),
# then the scale benchmarks, which end with the table of ratios against their targets.
bench: deps
	cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLON_BUILD_BENCH=ON -DQUILLON_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR)-bench -j $(JOBS)
	$(BUILD_DIR)-bench/bin/quillon-bench
	if [ -x $(BUILD_DIR)-bench/bin/quillon-gui-bench ]; then QT_QPA_PLATFORM=offscreen $(BUILD_DIR)-bench/bin/quillon-gui-bench; fi
	$(BUILD_DIR)-bench/bin/quillon-scale-bench

# Line and branch coverage of src/ by the native tests: an unoptimised --coverage build of its
# own, the counters of earlier runs cleared, the tests run, gcovr's figures printed (the table per
# file is written to $(COVERAGE_DIR)/coverage.txt). The run-time tests are left out (they drive
# quillon-cli through the commands the native tests run, and take long under Wine); the Windows
# ones run cross-built programs, which count nothing. Counters are updated atomically: the
# parallel generation's workers would otherwise leave negative counts, which gcov prints and
# gcovr cannot parse (the option to skip such lines stays as a safety net).
COVERAGE_DIR ?= $(BUILD_DIR)-coverage
coverage: deps
	@$(MAKE) --no-print-directory install-packages PACKAGES="gcovr"
	cmake -S . -B $(COVERAGE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" \
	  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage
	cmake --build $(COVERAGE_DIR) -j $(JOBS)
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	cd $(COVERAGE_DIR) && ctest --output-on-failure -j $(JOBS) -LE 'runtime|windows'
	gcovr -r . --filter src/ -j $(JOBS) --gcov-ignore-parse-errors --txt $(COVERAGE_DIR)/coverage.txt --print-summary $(COVERAGE_DIR)

fuzz:
	CC=clang CXX=clang++ cmake -S fuzz -B fuzz-build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build fuzz-build -j $(JOBS)

# The design fuzzer's campaign: N random designs (seeds FIRST, FIRST+1, ...) are checked, and
# those the check passes are generated and compiled with Free Pascal, in JOBS processes. Each
# failure is printed with its seed, the design's files and the compiler's first error; the last
# lines give the figures. LEAVE_OUT (a sum of DesignRisk flags) leaves kinds of input out.
N ?= 200
FIRST ?= 1
LEAVE_OUT ?= 0
fuzz-designs: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quillon-designfuzz
	nice $(BUILD_DIR)/bin/quillon-designfuzz --first $(FIRST) --count $(N) --jobs $(JOBS) --leave-out $(LEAVE_OUT)

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(WINDOWS_BUILD_DIR) fuzz-build
