# Front door for people and CI: `make play` builds and starts the game, `make test`
# builds and runs every test (warnings as errors, the Windows build's under Wine and the web
# build's under Node.js and Chromium among them, then again under ASan + UBSan), then builds and
# checks the Debian package without installing it.
# `make deb` builds the Debian package, build-deb/kelmarch_<version>-1_<arch>.deb, and
# `make windows` the Windows console game, build-windows/kelmarch.exe. The game of all three
# keeps its saves in the player's data folder; the tests' build keeps them in the working directory.
# `make web` builds the game's web page into build-web/, with kelmarch-node.js beside it.
BUILD ?= build
PLAY_BUILD ?= build-play
DEB_BUILD ?= build-deb
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
WINDOWS_BUILD ?= build-windows
WEB_BUILD ?= build-emscripten
WEB ?= build-web
JOBS ?= $(shell nproc)

# Debian packages: what playing needs, what packaging adds, then what the tests add.
PLAY_PACKAGES := cmake ninja-build g++ libreadline-dev
DEB_PACKAGES := $(PLAY_PACKAGES) dpkg-dev file
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix
# npm comes with Node.js from some sources, as a package of its own from Debian.
WEB_PACKAGES := cmake ninja-build emscripten node-acorn nodejs $(if $(shell command -v npm),,npm)
PACKAGES := $(DEB_PACKAGES) python3 libgtest-dev libgmock-dev tmux strace time man-db groff-base lintian \
	$(WINDOWS_PACKAGES) wine wine64 $(WEB_PACKAGES) chromium
# Debian's Emscripten finds its JavaScript parser (node-acorn) only through NODE_PATH.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

# Root runs apt-get and dpkg itself, anyone else through sudo.
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# Installs those of the packages in $(1) that are missing, saying which; nothing at all when
# every one is there, so a player who has them never meets apt-get or sudo.
define install-missing
	@missing=""; for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
		echo "Installing the missing Debian packages:$$missing"; \
		if [ -n "$(SUDO)" ] && ! command -v sudo >/dev/null; then \
			echo "Not root and no sudo: install them as root, then run make again." >&2; exit 1; \
		fi; \
		$(SUDO) apt-get update -qq && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi
endef

.PHONY: play test build deps play-deps deb-deps windows-deps web-deps deb windows web package-check \
	fuzz bench clean

deps:
	$(call install-missing,$(PACKAGES))

play-deps:
	$(call install-missing,$(PLAY_PACKAGES))

deb-deps:
	$(call install-missing,$(DEB_PACKAGES))

windows-deps:
	$(call install-missing,$(WINDOWS_PACKAGES))

web-deps:
	$(call install-missing,$(WEB_PACKAGES))

# The npm packages of the page (the terminal widget) and of its test (the browser driver),
# as their lock files pin them; again only when a lock file changed.
%/node_modules/.package-lock.json: %/package-lock.json | web-deps
	npm ci --prefix $* --no-audit --no-fund

# Only the game itself, as installed: a player needs neither GoogleTest nor the test tools,
# and the saves stay out of the source tree.
play: play-deps
	cmake -S . -B $(PLAY_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_TESTS=OFF \
		-DKELMARCH_SAVE_FOLDER=user
	cmake --build $(PLAY_BUILD) -j $(JOBS) --target kelmarch
	./$(PLAY_BUILD)/kelmarch

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

test: deps web/node_modules/.package-lock.json tests/web/node_modules/.package-lock.json
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_TESTS=ON -DKELMARCH_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELMARCH_TESTS=ON -DKELMARCH_WERROR=ON -DKELMARCH_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) fuzz
	$(MAKE) package-check

# The Debian package from a build folder of its own: the game in /usr/games, compiled with
# Debian's hardening flags; CPack strips it.
deb: deb-deps
	flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get $$1; }; \
	CXXFLAGS="$$(flags CPPFLAGS) $$(flags CXXFLAGS)" LDFLAGS="$$(flags LDFLAGS)" \
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_TESTS=OFF \
		-DKELMARCH_SAVE_FOLDER=user -DCMAKE_INSTALL_BINDIR=games
	cmake --build $(DEB_BUILD) -j $(JOBS)
	rm -f $(DEB_BUILD)/kelmarch_*.deb
	cd $(DEB_BUILD) && cpack -G DEB

# Checks the package without installing it: lintian finds nothing to report, and the game
# unpacked from it saves where a player's should.
package-check: deb
	lintian --fail-on error,warning $(DEB_BUILD)/kelmarch_*.deb
	tests/package/check.sh $(DEB_BUILD)/kelmarch_*.deb

# The Windows console game, cross-compiled with MinGW-w64: one static, stripped .exe.
windows: windows-deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_SAVE_FOLDER=user
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target kelmarch

# The page in build-web/ (index.html, the game as kelmarch.js and kelmarch.wasm, the terminal
# widget), for any static web server, and kelmarch-node.js, the same game for Node.js. Built
# for size, which every player downloads.
web: web-deps web/node_modules/.package-lock.json
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
		-DKELMARCH_WEB_FOLDER=$(abspath $(WEB))
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# A short fuzzing run of the character-file loader and of play; libFuzzer needs clang.
fuzz:
	@if command -v clang++ >/dev/null; then \
		cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKELMARCH_FUZZ=ON -DKELMARCH_FUZZ_SECONDS=$(FUZZ_SECONDS) -DKELMARCH_TESTS=OFF -DKELMARCH_WERROR=ON && \
		cmake --build $(FUZZ_BUILD) -j $(JOBS) && \
		ctest --test-dir $(FUZZ_BUILD) --output-on-failure -j $(JOBS); \
	else echo "clang++ not found: skipping the fuzzer"; fi

# Times a scripted session against cat of its output and counts its write calls.
bench: build
	bench/run.sh $(BUILD)/kelmarch

clean:
	rm -rf $(BUILD) $(PLAY_BUILD) $(DEB_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) \
		$(WEB_BUILD) $(WEB)
