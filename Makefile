# The whole set-up on a fresh Debian 12 machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake make g++ qt6-base-dev qt6-webengine-dev libgl-dev libx11-dev \
	fonts-dejavu-core fonts-liberation2
# openbox, xdotool, x11-utils, python3: the end-to-end tests; dbus-x11 gives them the
# dbus-launch of a desktop, so they see whether the program leaves a bus daemon behind.
TEST_PACKAGES := xvfb xauth xcompmgr libbenchmark-dev ripgrep openbox xdotool x11-utils \
	python3 dbus-x11

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
# Chromium refuses to run its sandbox as root; only the run and test targets relax it.
WEBENGINE_FLAGS := $(if $(filter 0,$(shell id -u)),--no-sandbox,)

.PHONY: run test build build-tests deps test-deps clean

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "telvane: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session." >&2; \
		exit 1; \
	fi
	QTWEBENGINE_CHROMIUM_FLAGS="$(WEBENGINE_FLAGS)" ./$(BUILD_DIR)/telvane

test: build-tests
	cd $(BUILD_DIR) && ctest -j $(JOBS) --output-on-failure

# Only the program: the tests and benchmarks keep whatever the build folder has.
build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target telvane

build-tests: test-deps
	cmake -S . -B $(BUILD_DIR) -DTELVANE_WERROR=ON -DTELVANE_TESTS=ON -DTELVANE_BENCHMARKS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Installs only what is missing, so that a ready machine is not touched. The
# test packages come after the build packages, so that `make -j` never runs
# two installs at once.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(BUILD_PACKAGES))

test-deps: deps
	$(call install_missing,$(TEST_PACKAGES))

clean:
	rm -rf $(BUILD_DIR)
