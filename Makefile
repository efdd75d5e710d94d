# SPDX-License-Identifier: GPL-3.0-or-later
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
# dbus-daemon, xvfb, x11-utils: the tray test runs the installed program on a session bus
# of its own (dbus-daemon) with a StatusNotifierItem watcher, on an X server without any
# tray (Xvfb), and finds its windows there with xwininfo.
PACKAGES += dbus-daemon xvfb x11-utils
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
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $(APT_OPTIONS) $$missing; \
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

# A Debian package (CPack), built with the programs only in a folder of its own, then what
# a Debian maintainer checks:
# - lintian's report, which must hold no error and no warning;
# - hardening-check on the programs as packed. Bookworm's C start-up files carry no CET
#   marks, so no program built here passes its control-flow check (Debian asks for it
#   from trixie on): that one is reported but not required;
# - a second build of the same commit in another folder, which must give the same bytes.
# Neither folder uses a compiler cache: one that rewrites paths would make the two differ.
# dpkg-dev and file: CPack computes the package's dependencies with dpkg-shlibdeps,
# finding the programs with file. devscripts brings hardening-check.
.PHONY: package
PACKAGE_TOOLS := dpkg-dev file lintian devscripts
PACKAGE_DIR := $(BUILD_DIR)/package
REPRO_DIR := $(BUILD_DIR)/reproducible
DEB_NAME = lumenar_$(shell sed -n 's/^project.Lumenar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)_$(shell dpkg --print-architecture).deb
PACKAGE_CONFIG := -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLUMENAR_BUILD_TESTS=OFF -DLUMENAR_BUILD_BENCHMARKS=OFF
package: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGE_TOOLS)" APT_OPTIONS=--no-install-recommends
	cmake -S . -B $(PACKAGE_DIR) $(PACKAGE_CONFIG) >/dev/null
	cmake --build $(PACKAGE_DIR) --target package
	@echo "== lintian $(PACKAGE_DIR)/$(DEB_NAME)"
	@tags=$$(lintian --display-info --fail-on error,warning "$(PACKAGE_DIR)/$(DEB_NAME)") || { echo "$$tags"; exit 1; }; \
	  echo "$${tags:-lintian: no tags}"
	@echo "== hardening-check, the programs as packed"
	@unpacked=$$(mktemp -d) && trap 'rm -rf "$$unpacked"' EXIT && \
	  dpkg-deb -x "$(PACKAGE_DIR)/$(DEB_NAME)" "$$unpacked" && hardening-check --nocfprotection "$$unpacked"/usr/bin/*
	@echo "== the package's relations"
	@dpkg-deb --field "$(PACKAGE_DIR)/$(DEB_NAME)" Depends Recommends Suggests
	@echo "== a second build of the same commit, in $(REPRO_DIR)"
	cmake -S . -B $(REPRO_DIR) $(PACKAGE_CONFIG) >/dev/null
	cmake --build $(REPRO_DIR) --target package >/dev/null
	cmp $(PACKAGE_DIR)/$(DEB_NAME) $(REPRO_DIR)/$(DEB_NAME) && echo "cmp: the two packages are byte-identical"

clean:
	rm -rf $(BUILD_DIR)
