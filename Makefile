# The two commands of the README: `make run` and `make test`. Both install what is missing.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run demo bench fuzz asan clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

run: build
	./scripts/run $(BUILD_DIR)

demo: build
	./scripts/demo $(BUILD_DIR)

bench: deps
	cmake --preset release -DTARNBAY_BUILD_BENCH=ON
	cmake --build build/release -j $(JOBS)
	./scripts/run-benchmarks build/release

asan: deps
	cmake --preset asan
	cmake --build build/asan -j $(JOBS)
	ctest --test-dir build/asan --output-on-failure -j $(JOBS)

fuzz: deps
	cmake --preset fuzz
	cmake --build build/fuzz -j $(JOBS) --target fuzzers
	./scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
