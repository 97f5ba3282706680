# Thin wrapper around CMake: the commands of the README.
BUILD      ?= build
ASAN_BUILD ?= build-asan
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8000
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build play deb test test-fast test-sanitize test-web web serve-web bench clean

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

# The whole suite, then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, then
# the web version in a headless browser.
test: test-fast test-sanitize test-web

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTINTARO_WERROR=ON -DTINTARO_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) -- --no-print-directory
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The game as a static site in build-web/ (WebAssembly through emscripten). The native build renders
# its glyphs and makes its resources first.
web: configure
	@tools/install-deps.sh tools/web-packages.txt
	@cmake --build $(BUILD) -j $(JOBS) --target web-host-files -- --no-print-directory
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DTINTARO_WERROR=ON \
		-DBUILD_TESTING=OFF -DTINTARO_HOST_BUILD=$(abspath $(BUILD)) >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j $(JOBS) --target tintaro -- --no-print-directory

# Serves the site on this machine only, for a person to play in a browser.
serve-web: web
	@echo "Tintaro: http://127.0.0.1:$(WEB_PORT)/  (Ctrl+C stops it)"
	@python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)

# The web version driven in headless chromium, its frames held against the desktop program's.
test-web: web
	@cmake --build $(BUILD) -j $(JOBS) --target headless-frame -- --no-print-directory
	python3 tests/web/browser_test.py $(WEB_BUILD) --host-build $(BUILD)

# Time per pixel of the graphics library against memcpy; one run gives comparable ratios.
bench: build
	./$(BUILD)/gfx-bench $(ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD)
