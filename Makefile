# Two commands for a fresh Debian 12 machine:
#   make run    build and start the program
#   make test   build and pass every test
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PACKAGES := cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite libgl-dev libgtest-dev libbenchmark-dev sqlite3
# libsqlite3-dev: the year is written into its table straight through SQLite's own API.
PACKAGES += libsqlite3-dev
# poppler-utils: pdftotext reads the printed pages back in the tests.
PACKAGES += poppler-utils
# desktop-file-utils: desktop-file-validate checks the desktop and autostart entries.
PACKAGES += desktop-file-utils
# librsvg2-bin: rsvg-convert renders the application icon's PNG sizes from its SVG.
PACKAGES += librsvg2-bin
# appstream: appstreamcli validates the AppStream metainfo of the installation.
# libical-dev: the iCalendar test reads the export with libical (tests only).
PACKAGES += appstream libical-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench sweep clean

all: build

# Installs only what is missing, so a prepared machine never waits on apt.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

# Without a display there is nothing to show: say so, once, and leave the build in place.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no graphical display here (DISPLAY is unset); start it from a desktop session."; \
	else \
	  cd $(BUILD_DIR)/bin && ./lumenar; \
	fi

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# Speed figures (Google Benchmark).
bench: build
	$(BUILD_DIR)/bin/lumenar-bench --benchmark_min_time=0.5
	$(BUILD_DIR)/bin/lumenar-bench-shell
	$(BUILD_DIR)/bin/lumenar-ui-bench
	$(BUILD_DIR)/bin/lumenar-bench-search

# Every year 1583-4900 in both calendars (the tests run a spread sample).
sweep: build
	LUMENAR_FULL_SWEEP=1 $(BUILD_DIR)/bin/test_sweep

# A Debian package in $(BUILD_DIR)/ (CPack), then lintian's report on it. dpkg-dev and
# file: CPack computes the package's dependencies with dpkg-shlibdeps, finding the
# programs with file. lintian: Debian's checker of packages.
.PHONY: package
PACKAGE_TOOLS := dpkg-dev file lintian
package: build
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGE_TOOLS)"
	cmake --build $(BUILD_DIR) --target package
	lintian --display-info "$$(ls -t $(BUILD_DIR)/lumenar_*.deb | head -n 1)"

clean:
	rm -rf $(BUILD_DIR)
