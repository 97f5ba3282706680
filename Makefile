# Thin wrapper around CMake: the commands of the README.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps build play test test-fast test-sanitize bench clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTARO_WERROR=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

play: build
	./$(BUILD)/tintaro $(ARGS)

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
