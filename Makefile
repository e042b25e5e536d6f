# Two commands set up a fresh Debian 12 machine: `make run` and `make test` (as root, they
# install whatever packages are missing first).

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

# What building, running and testing need.
PACKAGES := cmake g++ make pkg-config freeglut3-dev libgl-dev libdevil-dev libsdl2-mixer-dev \
	libosmesa6-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-apps \
	imagemagick desktop-file-utils
# What regenerating the pictures and sounds needs (`make assets`) on top of that.
ASSET_PACKAGES := python3 python3-pil python3-numpy fonts-dejavu-core lame

.PHONY: run test build deps asset-deps assets clean

run: build
	./$(BUILD_DIR)/brindlecog

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

deps:
	@./tools/ensure-packages $(PACKAGES)

asset-deps:
	@./tools/ensure-packages $(ASSET_PACKAGES)

assets: asset-deps
	/usr/bin/python3 tools/assets/generate.py

clean:
	rm -rf $(BUILD_DIR) build-asan
