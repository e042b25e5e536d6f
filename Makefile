# Two commands set up a fresh Debian 12 machine: `make run` and `make test` (as root, they
# install whatever packages are missing first).

BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
JOBS ?= $(shell nproc)
# Any sanitizer finding fails the test that made it; leaks count, except the ones the system's
# graphics, image and audio libraries keep for the life of the process.
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0

# What building the game needs, and on top of that what the tests, the replay tool and the
# benchmark need (xauth: xvfb-run; imagemagick: the window tests' pictures; openbox and
# x11-utils: the window tests' maximising window manager and xprop).
GAME_PACKAGES := cmake g++ make pkg-config freeglut3-dev libgl-dev libdevil-dev libsdl2-mixer-dev
PACKAGES := $(GAME_PACKAGES) libosmesa6-dev libgtest-dev libbenchmark-dev xvfb xauth xdotool \
	imagemagick desktop-file-utils python3 openbox x11-utils
# What regenerating the pictures and sounds needs (`make assets`) on top of that.
ASSET_PACKAGES := python3 python3-pil python3-numpy fonts-dejavu-core lame

.PHONY: run test soak build sanitize-build deps asset-deps assets clean lines fuzz coverage \
	format format-check

# Warnings are errors where CI builds (CI=true, or WERROR=ON by hand): the builds are
# warning-free, and this keeps them so. The native, sanitizer, Windows and web builds take it.
WERROR ?= $(if $(filter true,$(CI)),ON,OFF)

run: build
	./$(BUILD_DIR)/brindlecog

# Every test on the normal build (a few simulated minutes of the stress board among them), then
# the unit, scenario and soak tests again on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, which also checks the whole board after every step.
test: build sanitize-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2 -LE 'soak|long'
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j2 -LE 'window|install|long|files'

# The simulated hour of the stress board, then more random-input soak seeds on the sanitizer
# build: make soak SEEDS=200
SEEDS ?= 100
soak: build sanitize-build
	cd $(BUILD_DIR) && ctest --output-on-failure -L long
	$(SANITIZE_ENV) ./tools/soak/run_soak.sh $(SANITIZE_DIR)/brindlecog-replay 1 $(SEEDS)

build: deps
	cmake -S . -B $(BUILD_DIR) -DBRINDLECOG_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

sanitize-build: deps
	cmake -S . -B $(SANITIZE_DIR) -DBRINDLECOG_SANITIZE=ON -DBRINDLECOG_BENCH=OFF \
		-DBRINDLECOG_WERROR=$(WERROR)
	cmake --build $(SANITIZE_DIR) -j$(JOBS) --target brindlecog-tests \
		$$(test -f tools/CMakeLists.txt && echo brindlecog-replay brindlecog-replay-tests \
		brindlecog-fuzz-corpus)

deps:
	@./tools/ensure-packages $(PACKAGES)

asset-deps:
	@./tools/ensure-packages $(ASSET_PACKAGES)

assets: asset-deps
	/usr/bin/python3 tools/assets/generate.py

# The coverage-guided fuzzer (tools/fuzz): clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, for FUZZ_SECONDS; red on any finding, whose replay script it
# writes beside it in $(FUZZ_DIR)/fuzz-findings.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
fuzz: deps
	@./tools/ensure-packages $(FUZZ_PACKAGES)
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -DBRINDLECOG_SANITIZE=ON \
		-DBRINDLECOG_FUZZ=ON -DBRINDLECOG_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target brindlecog-fuzz brindlecog-fuzz-script
	$(SANITIZE_ENV) ./tools/fuzz/run_fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Line and branch coverage (gcov, gcovr): the unit, scenario and soak tests, then the fuzz
# corpus alone; an HTML report of each and one line per folder of src/ (tools/coverage.sh).
COVERAGE_DIR ?= build-coverage
coverage: deps
	@./tools/ensure-packages gcovr
	cmake -S . -B $(COVERAGE_DIR) -DCMAKE_BUILD_TYPE=Debug -DBRINDLECOG_BENCH=OFF \
		-DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage
	cmake --build $(COVERAGE_DIR) -j$(JOBS)
	./tools/coverage.sh $(COVERAGE_DIR)

# Test code against the rest of the code (non-blank, non-comment lines) and their ratio.
lines:
	@./tools/count-lines

# Every folder the targets here build into.
clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(COVERAGE_DIR) $(PACKAGE_DIR) $(WINDOWS_DIR) \
		$(WEB_DIR)

# The project's .clang-format on every C++ file git tracks: format-check lists what differs and
# fails (CI runs it), format rewrites the files.
FORMAT_PACKAGES := clang-format git
CXX_FILES = $$(git ls-files '*.cpp' '*.h')
format-check:
	@./tools/ensure-packages $(FORMAT_PACKAGES)
	clang-format --dry-run --Werror $(CXX_FILES)

format:
	@./tools/ensure-packages $(FORMAT_PACKAGES)
	clang-format -i $(CXX_FILES)

# The Debian package: the game alone, built in its own folder with Debian's hardening flags
# (dpkg-buildflags) and stamped with the last commit's time, so that the same commit always gives
# the same bytes. dpkg-shlibdeps (dpkg-dev) works out its dependencies.
PACKAGE_DIR ?= build-package

.PHONY: package check-package
package check-package: export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || stat -c %Y NEWS)
package check-package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package:
	@./tools/ensure-packages $(GAME_PACKAGES) dpkg-dev
	cmake -S . -B $(PACKAGE_DIR) -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=None \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_DIR) -j$(JOBS)
	cd $(PACKAGE_DIR) && cpack

# The package's own checks: lintian, the manual page, the metadata and menu entry, and a second
# packing that must give the same bytes.
check-package: package
	@./tools/ensure-packages lintian appstream desktop-file-utils man-db
	./tests/install/check-package.sh $(PACKAGE_DIR)

# Windows: the game cross-built with Debian's mingw-w64 from Debian's sources into
# build-windows/brindlecog-windows-x86_64.zip, and that zip tested under Wine (tools/windows).
WINDOWS_DIR ?= build-windows
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 mingw-w64-x86-64-dev libz-mingw-w64-dev cmake \
	ninja-build dpkg-dev xz-utils zip unzip wine wine64 xvfb xauth xdotool imagemagick
.PHONY: windows test-windows
windows:
	@./tools/ensure-packages $(WINDOWS_PACKAGES)
	prefix=$$(JOBS=2 ./tools/windows/build-deps.sh) && \
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=$$prefix \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/toolchain-mingw64.cmake \
		-DBRINDLECOG_WERROR=$(WERROR) && \
	cmake --build $(WINDOWS_DIR) -j$(JOBS) && \
	./tools/windows/make-zip.sh $(WINDOWS_DIR) $$prefix

test-windows: windows build
	./tests/windows/test.sh $(WINDOWS_DIR)/brindlecog-windows-x86_64.zip $(BUILD_DIR)/brindlecog

# The browser: the game as a static page in build-web/ (index.html, brindlecog.js, .wasm and
# .data) with Debian's emscripten, whose system libraries come prebuilt in its own cache; then
# the page played in Debian's headless Chromium and the replay tool under Node.js against the
# native one (tools/web, tests/web). Node needs its own fetch off for emscripten's output, and
# emscripten's JavaScript optimiser finds acorn under /usr/share/nodejs.
WEB_DIR ?= build-web
WEB_PACKAGES := emscripten cmake make
WEB_TEST_PACKAGES := chromium python3 imagemagick
WEB_ENV := NODE_OPTIONS=--no-experimental-fetch NODE_PATH=/usr/share/nodejs
# Lighthouse, pinned in tests/web/package-lock.json, from npm into tests/web/node_modules with
# Debian's npm (unless an npm came with the installed Node.js), for Debian's chromium only.
LIGHTHOUSE := tests/web/node_modules/lighthouse/package.json
.PHONY: web test-web bench-web lighthouse
web:
	@./tools/ensure-packages $(WEB_PACKAGES)
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DBRINDLECOG_WERROR=$(WERROR)
	$(WEB_ENV) cmake --build $(WEB_DIR) -j$(JOBS)

test-web: web build $(LIGHTHOUSE)
	@./tools/ensure-packages $(WEB_TEST_PACKAGES)
	/usr/bin/python3 tests/web/test_page.py $(WEB_DIR) $(BUILD_DIR)/brindlecog-replay
	/usr/bin/python3 tests/web/test_touch.py $(WEB_DIR) $(BUILD_DIR)/brindlecog-replay
	/usr/bin/python3 tests/web/test_app.py $(WEB_DIR)
	/usr/bin/python3 tests/web/lighthouse.py $(WEB_DIR) --check
	/usr/bin/python3 tests/web/replay_node.py $(BUILD_DIR)/brindlecog-replay \
		$(WEB_DIR)/brindlecog-replay.js

# Lighthouse's mobile and desktop audits of the page served gzip-compressed, with their reports
# in $(WEB_DIR)/lighthouse/, and the time a first visit on slow 4G waits for the splash.
lighthouse: web $(LIGHTHOUSE)
	@./tools/ensure-packages $(WEB_TEST_PACKAGES)
	/usr/bin/python3 tests/web/lighthouse.py $(WEB_DIR)
	/usr/bin/python3 bench/web/first_picture.py $(WEB_DIR)

$(LIGHTHOUSE): tests/web/package.json tests/web/package-lock.json
	@command -v npm >/dev/null || ./tools/ensure-packages nodejs npm
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	touch $@

# The mechanism's frame as wasm under Node.js beside the native benchmark's, in one run.
bench-web: web build
	./$(BUILD_DIR)/brindlecog-bench --benchmark_filter='^(default|stress)-frame/' | tail -9 | \
		grep -E '^(default|stress)-frame-us'
	$(WEB_ENV) node $(WEB_DIR)/brindlecog-frame-bench.js | grep -- '-us:'
	@./tools/ensure-packages $(WEB_TEST_PACKAGES)
	/usr/bin/python3 bench/web/page_frames.py $(WEB_DIR)
