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

# What building, running and testing need.
PACKAGES := cmake g++ make pkg-config freeglut3-dev libgl-dev libdevil-dev libsdl2-mixer-dev \
	libosmesa6-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-apps \
	imagemagick desktop-file-utils python3
# What regenerating the pictures and sounds needs (`make assets`) on top of that.
ASSET_PACKAGES := python3 python3-pil python3-numpy fonts-dejavu-core lame

.PHONY: run test soak build sanitize-build deps asset-deps assets clean

run: build
	./$(BUILD_DIR)/brindlecog

# Every test on the normal build (but the soak), then the unit, scenario and soak tests again
# on a build with AddressSanitizer and UndefinedBehaviorSanitizer (the window, install and
# long-run tests need the normal build only).
test: build sanitize-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2 -LE soak
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j2 -LE 'window|install|long'

# More random-input soak seeds on the sanitizer build: make soak SEEDS=200
SEEDS ?= 100
soak: sanitize-build
	$(SANITIZE_ENV) ./tools/soak/run_soak.sh $(SANITIZE_DIR)/brindlecog-replay 1 $(SEEDS)

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

sanitize-build: deps
	cmake -S . -B $(SANITIZE_DIR) -DBRINDLECOG_SANITIZE=ON -DBRINDLECOG_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j$(JOBS) --target brindlecog-tests \
		$$(test -f tools/CMakeLists.txt && echo brindlecog-replay brindlecog-replay-tests)

deps:
	@./tools/ensure-packages $(PACKAGES)

asset-deps:
	@./tools/ensure-packages $(ASSET_PACKAGES)

assets: asset-deps
	/usr/bin/python3 tools/assets/generate.py

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

# The Debian package, in the build folder. dpkg-shlibdeps (dpkg-dev) works out its dependencies.
.PHONY: package
package: build
	@./tools/ensure-packages dpkg-dev
	cd $(BUILD_DIR) && cpack

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
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/toolchain-mingw64.cmake && \
	cmake --build $(WINDOWS_DIR) -j$(JOBS) && \
	./tools/windows/make-zip.sh $(WINDOWS_DIR) $$prefix

test-windows: windows build
	./tools/windows/test.sh $(WINDOWS_DIR)/brindlecog-windows-x86_64.zip $(BUILD_DIR)/brindlecog
