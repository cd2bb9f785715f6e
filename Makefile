# The whole set-up on a fresh Debian 12 machine: `make run`, `make test` and `make deb`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake make g++ qt6-base-dev qt6-webengine-dev qt6-pdf-dev libgl-dev libx11-dev \
	fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
# openbox, xdotool, x11-utils, python3, python3-xlib: the end-to-end tests; dbus-x11 gives
# them the dbus-launch of a desktop, so they see whether the program leaves a bus daemon behind.
# orca, its speech through speech-dispatcher and espeak-ng, and python3-pyatspi: the
# screen-reader test (speech goes to ALSA's null device, no sound card is needed).
TEST_PACKAGES := xvfb xauth xcompmgr libbenchmark-dev ripgrep openbox xdotool x11-utils \
	python3 python3-xlib dbus-x11 desktop-file-utils appstream procps \
	orca speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins \
	espeak-ng python3-pyatspi
# CPack's Debian generator computes the dependencies with dpkg-shlibdeps and `file`.
DEB_PACKAGES := dpkg-dev file

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
# Chromium refuses to run its sandbox as root; only the run and test targets relax it.
WEBENGINE_FLAGS := $(if $(filter 0,$(shell id -u)),--no-sandbox,)

.PHONY: run test deb build build-tests deps test-deps deb-deps clean

# Without a display the program itself says so, in one line, and exits.
run: build
	QTWEBENGINE_CHROMIUM_FLAGS="$(WEBENGINE_FLAGS)" ./$(BUILD_DIR)/telvane

# Each test runs once: a test that fails under load waits too little or tests a
# race, and is mended, not repeated.
test: build-tests
	cd $(BUILD_DIR) && ctest -j $(JOBS) --output-on-failure

# $(BUILD_DIR)/telvane_<version>_<architecture>.deb, of what the install rules
# install; CPack builds whatever the build folder is configured for first.
deb: deb-deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	cd $(BUILD_DIR) && cpack

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

deb-deps: deps
	$(call install_missing,$(DEB_PACKAGES))

clean:
	rm -rf $(BUILD_DIR)
