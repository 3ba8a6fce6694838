# Front door for people and CI: `make play` builds and starts the game, `make test`
# builds and runs every test (warnings as errors, the Windows build's under Wine among them,
# then again under ASan + UBSan), then builds, installs, checks and removes the Debian package.
# `make windows` cross-builds the Windows console game, build-windows/kelmarch.exe.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
VERSION := $(shell sed -n 's/^project.kelmarch VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Debian packages: what playing needs, then what the tests and the package check add.
PLAY_PACKAGES := cmake ninja-build g++ libreadline-dev
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix
PACKAGES := $(PLAY_PACKAGES) libgtest-dev libgmock-dev tmux strace time man-db groff-base dpkg-dev \
	file $(WINDOWS_PACKAGES) wine wine64

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

.PHONY: play test build deps play-deps windows-deps windows package-check fuzz bench clean

deps:
	$(call install-missing,$(PACKAGES))

play-deps:
	$(call install-missing,$(PLAY_PACKAGES))

windows-deps:
	$(call install-missing,$(WINDOWS_PACKAGES))

# Only the game itself: a player needs neither GoogleTest nor the test tools.
play: play-deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target kelmarch
	./$(BUILD)/kelmarch

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

test: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_TESTS=ON -DKELMARCH_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELMARCH_TESTS=ON -DKELMARCH_WERROR=ON -DKELMARCH_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) fuzz
	$(MAKE) package-check

# Builds kelmarch_<version>_<arch>.deb, installs it, checks the command and its manual page
# where a player would find them, and removes it again, even when a check fails. A kelmarch
# package that was already installed is left alone. --path-include keeps the page on slimmed
# images that exclude manual pages from every package.
package-check: build
	@test -z "$$(groff -man -ww -z $(BUILD)/kelmarch.6 2>&1)" || { groff -man -ww -z $(BUILD)/kelmarch.6; exit 1; }
	rm -f $(BUILD)/kelmarch_*.deb
	cd $(BUILD) && cpack -G DEB
	@set -e; fail() { echo "package check: $$1" >&2; exit 1; }; \
	deb=$(BUILD)/kelmarch_$(VERSION)_$$(dpkg --print-architecture).deb; \
	test -f $$deb || fail "$$deb was not made"; \
	dpkg-deb -f $$deb Package Version Section Depends Description; \
	if dpkg -s kelmarch >/dev/null 2>&1; then \
		echo "kelmarch is already installed as a package: not touching it, install check skipped"; exit 0; \
	fi; \
	if [ -n "$(SUDO)" ] && ! command -v sudo >/dev/null; then \
		echo "Not root and no sudo: install check skipped"; exit 0; \
	fi; \
	trap '$(SUDO) dpkg -r kelmarch >/dev/null || true' EXIT; \
	$(SUDO) dpkg --path-include='/usr/share/man/man6/kelmarch.6*' -i $$deb; \
	test "$$(command -v kelmarch)" = /usr/bin/kelmarch || fail "kelmarch on PATH is not /usr/bin/kelmarch"; \
	version=$$(kelmarch --version); \
	test "$$version" = "Kelmarch: Orvanis $(VERSION)" || fail "kelmarch --version printed: $$version"; \
	page=$$(man -w kelmarch) || fail "man -w kelmarch found no page"; \
	case "$$page" in /usr/share/man/man6/kelmarch.6*) ;; *) fail "man -w kelmarch found $$page";; esac; \
	echo "package check: $$version and $$page from the installed package; removing it"

# The Windows console game, cross-compiled with MinGW-w64: one static, stripped .exe.
windows: windows-deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target kelmarch

# A short fuzzing run of the character-file loader; libFuzzer needs clang.
fuzz:
	@if command -v clang++ >/dev/null; then \
		cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKELMARCH_FUZZ=ON -DKELMARCH_TESTS=OFF -DKELMARCH_WERROR=ON && \
		cmake --build $(FUZZ_BUILD) -j $(JOBS) && \
		ctest --test-dir $(FUZZ_BUILD) --output-on-failure; \
	else echo "clang++ not found: skipping the fuzzer"; fi

# Times a scripted session against cat of its output and counts its write calls.
bench: build
	bench/run.sh $(BUILD)/kelmarch

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
