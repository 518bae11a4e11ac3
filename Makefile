# Front door for building, running and testing. Every target first makes sure
# the Debian packages it needs are installed (scripts/setup.sh).
BUILD      ?= build
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 20
CMAKE_GEN  := -G Ninja

.PHONY: setup build run test asan-test fuzz bench format clean

setup:
	@scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@echo "Built everything in $(BUILD)/. The desktop tool itself is not there yet."

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

asan-test: setup
	cmake -S . -B build-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DGW_SANITIZE=ON >/dev/null
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS)

fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGW_FUZZ=ON -DGW_TESTS=OFF >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

bench: setup
	cmake -S . -B build-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DGW_BENCH=ON -DGW_TESTS=OFF >/dev/null
	cmake --build build-bench -j $(JOBS)
	scripts/bench.sh build-bench $(BENCH_ARGS)

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz build-bench
