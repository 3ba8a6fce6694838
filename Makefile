# Front door for people and CI: `make play` builds and starts the game, `make test`
# builds and runs every test (warnings as errors, then again under ASan + UBSan).
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ libgtest-dev libgmock-dev libreadline-dev tmux strace

.PHONY: play test build deps fuzz bench clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
		echo "installing:$$missing"; \
		apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

play: build
	./$(BUILD)/kelmarch

test: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARCH_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELMARCH_WERROR=ON -DKELMARCH_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) fuzz

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
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
