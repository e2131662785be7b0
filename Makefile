# Velmora: `make run` builds and launches the game, `make test` builds and runs every test.
# Both install missing Debian packages first (scripts/deps.sh).

BUILD      ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
DEB_BUILD  ?= build-deb
PREFIX     ?= /usr/local
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
# ccache, when installed, shares compiled objects between build folders and checkouts.
CMAKE_GEN  += $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps build run test test-release deb-release fuzz bench install deb translations clean trial-desktops

all: build

deps:
	@bash scripts/deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

# The test build runs under AddressSanitizer and UndefinedBehaviorSanitizer; once every test
# passes, the package is built and checked by lintian (`make deb`).
test: deps
	cmake -S . -B $(TEST_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DVELMORA_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 900 || \
	  { python3 $(CURDIR)/scripts/test-failures.py Testing/Temporary/LastTest.log; exit 1; }
	$(MAKE) --no-print-directory deb

# The same `make test` (or `make deb`) on another Debian release, in a root of it made with
# debootstrap and cached in build-release/ (VELMORA_RELEASE_CACHE moves it): needs root.
# RELEASE is bookworm, trixie, forky (testing) or sid. See scripts/release-root.sh.
RELEASE ?= trixie
test-release:
	bash scripts/release-root.sh $(RELEASE) make test

# The package built in that root, checked by lintian there, copied to build-release/$(RELEASE)/out/.
deb-release:
	bash scripts/release-root.sh $(RELEASE) make deb

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON -DVELMORA_BUILD_UI=OFF -DVELMORA_BUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $${FUZZ_SECONDS:-60}

bench: build
	$(BUILD)/tools/velmora-engine bench --difficulty all --boards $${BOARDS:-1000}

# Refreshes translations/*.ts from the sources (new texts unfinished, lost ones dropped), then
# checks them; the check fails until the new texts are translated.
translations:
	bash scripts/update-translations.sh
	python3 scripts/check-translations.py --no-extract

# `make install PREFIX=~/.local` for one user; DESTDIR=... stages it elsewhere.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package in $(DEB_BUILD)/, installed under /usr with the programs in /usr/games,
# built with Debian's hardening flags and checked by lintian and scripts/check-deb.sh:
# `sudo apt install ./build-deb/velmora_*.deb`.
deb: deps
	cmake -S . -B $(DEB_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_INSTALL_BINDIR=games -DVELMORA_BUILD_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(DEB_BUILD) -j $(JOBS)
	rm -f $(DEB_BUILD)/velmora_*.deb
	cd $(DEB_BUILD) && cpack -G DEB
	lintian --fail-on error,warning $(DEB_BUILD)/velmora_*.deb
	bash scripts/check-deb.sh $(DEB_BUILD)/velmora_*.deb

# The game under GNOME Shell (X11, AppIndicator) and KDE Plasma (X11, light and dark), checked
# from outside; installs the desktops as root (large). Not part of `make test`.
trial-desktops: build
	bash scripts/trial-desktops.sh $(BUILD)/app/velmora $(DESKTOPS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)
