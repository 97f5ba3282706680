# Thin wrapper around CMake: the commands of the README.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build play deb test test-fast test-sanitize bench clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTARO_WERROR=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

# Only the game and what it needs: no test programs, benchmarks or galleries.
play: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tintaro -- --no-print-directory
	./$(BUILD)/tintaro $(ARGS)

# tintaro_<version>_<arch>.deb in $(BUILD): the game and its desktop files.
deb: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tintaro tintaro_manual -- --no-print-directory
	cd $(BUILD) && cpack -G DEB

# The whole suite, then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test: test-fast test-sanitize

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTINTARO_WERROR=ON -DTINTARO_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) -- --no-print-directory
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Time per pixel of the graphics library against memcpy; one run gives comparable ratios.
bench: build
	./$(BUILD)/gfx-bench $(ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
