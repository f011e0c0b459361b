# Convenience wrapper around CMake. `make test` sets up a fresh Debian machine, builds and runs
# every test.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
APT_PACKAGES = cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev fp-compiler libcli11-dev \
  qt6-base-dev qt6-svg-dev libgl-dev

.PHONY: all build test deps run gui bench fuzz clean

all: build

deps:
	@missing=""; for p in $(APT_PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: deps
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Generates the bundled example project into examples/Bank/Source.
run: deps
	$(MAKE) build
	$(BUILD_DIR)/bin/quillon-cli generate examples/Bank/Project1.qlp

# Starts the workbench on the bundled example project.
gui: deps
	$(MAKE) build
	$(BUILD_DIR)/bin/quillon examples/Bank/Project1.qlp

bench: deps
	cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLON_BUILD_BENCH=ON -DQUILLON_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR)-bench -j $(JOBS)
	$(BUILD_DIR)-bench/bin/quillon-bench

fuzz:
	CC=clang CXX=clang++ cmake -S fuzz -B fuzz-build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build fuzz-build -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench fuzz-build
