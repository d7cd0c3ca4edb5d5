# make run: set up, build and start Trovia. make test: set up, build and run every test.
# make deb: the Debian package, build/trovia_<version>_<arch>.deb. make test-debian13: the whole
# suite again in a Debian 13 root kept in build/debian13 (as root; see scripts/debian13-root).
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc)
SHELL   := bash
.SHELLFLAGS := -o pipefail -c
QUIET    = { grep -v -E '^\[ *[0-9]+%\] (Built target|Automatic MOC)' || true; }
CTEST    = ctest --test-dir $(BUILD) --output-on-failure

.PHONY: all deps configure build run test test-debian13 unit e2e bench install deb format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory -s 2>&1 | $(QUIET)

run: build
	$(BUILD)/trovia

# Unit and widget suites first, then the end-to-end tests of the real program. The unit run packs
# the Debian package; the end-to-end run takes that one instead of packing it again.
test: build
	@$(CTEST) -j $(JOBS) -LE e2e --no-tests=error
	@$(CTEST) -L e2e -FA trovia_package

# Debian 13's generation (Qt 6.8, GLib 2.84, libplist 2.6, AppStream 1.0, its desktops): the root is
# made with debootstrap on the first run and whenever scripts/install-deps changes, and builds in a
# folder of its own.
test-debian13:
	@TROVIA_DEBIAN13=$(abspath $(BUILD))/debian13/root scripts/debian13-root

unit: build
	@$(CTEST) -j $(JOBS) -LE e2e --no-tests=error

e2e: build
	@$(CTEST) -L e2e

bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks -- --no-print-directory -s
	@bench/run-benchmarks $(BUILD)

# The prefix is compiled in (the fallback path of Trovia's own desktop entry): build again after
# changing it.
install: build
	@cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory -s 2>&1 | $(QUIET)
	@cmake --install $(BUILD)

# Packs what make install installs, from the same build tree, with the prefix /usr.
deb: build
	@cd $(BUILD) && cpack -G DEB | { grep -E 'package: .* generated' || true; }

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
