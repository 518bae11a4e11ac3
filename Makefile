# Front door for building, running and testing. Every target first makes sure
# the Debian packages it needs are installed (scripts/setup.sh).
BUILD      ?= build
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 20
STRESS_ROUNDS ?= 10
CMAKE_GEN  := -G Ninja

.PHONY: help setup build run test asan-test stress fuzz bench format format-check clean
.DEFAULT_GOAL := help

help:
	@echo "Targets:"
	@echo "  make setup         install the Debian packages building and testing need"
	@echo "  make build         build everything into $(BUILD)/"
	@echo "  make run           build and run the tool; with no usable display, on a private"
	@echo "                     X server, saving a picture of its window in $(BUILD)/grantwell.png"
	@echo "  make test          build and run every test"
	@echo "  make asan-test     build into build-asan/ with AddressSanitizer and UBSan, run every test"
	@echo "  make stress        run the tests that drive X round after round, side by side, beside"
	@echo "                     busy processes (STRESS_ROUNDS=$(STRESS_ROUNDS)); logs in $(BUILD)/stress-runs/"
	@echo "  make fuzz          build the fuzz targets into build-fuzz/ and run them side by side"
	@echo "                     for FUZZ_SECONDS each (now $(FUZZ_SECONDS)); their logs and any"
	@echo "                     crash inputs land in build-fuzz/fuzz-runs/"
	@echo "  make bench         build the benchmarks into build-bench/ and run them (BENCH_ARGS=...)"
	@echo "  make format        format the sources with clang-format"
	@echo "  make format-check  fail if a source is not formatted"
	@echo "  make clean         remove the build folders"

setup:
	@scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run.sh $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

asan-test: setup
	cmake -S . -B build-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DGW_SANITIZE=ON >/dev/null
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS)

stress: build
	scripts/stress.sh $(BUILD) $(STRESS_ROUNDS)

fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGW_FUZZ=ON -DGW_TESTS=OFF >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS) $(JOBS)

bench: setup
	cmake -S . -B build-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DGW_BENCH=ON -DGW_TESTS=OFF >/dev/null
	cmake --build build-bench -j $(JOBS)
	scripts/bench.sh build-bench $(BENCH_ARGS)

format: setup
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

format-check: setup
	git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build build-asan build-fuzz build-bench
