# skinkit: every target first makes sure the Debian packages are there (scripts/deps.sh).
BUILD       ?= build
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo docs consumer bench fuzz asan mutants format clean

all: build

deps:
	@scripts/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

demo: build
	@scripts/demo.sh $(BUILD)

# Every picture of docs/ (docs/pictures/*.png), made anew from the sample skins.
docs: build
	@scripts/docs.sh $(BUILD)

# Installs into a temporary prefix and builds and runs examples/consumer against it.
consumer: build
	@scripts/consumer.sh $(BUILD)

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKINKIT_TESTS=OFF -DSKINKIT_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@scripts/bench.sh build-bench

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DSKINKIT_TESTS=OFF -DSKINKIT_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKINKIT_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    ctest --test-dir build-asan --output-on-failure -j $(JOBS)

# Planted faults (scripts/mutants.txt), each built into build-mutants and run against the tests.
mutants: deps
	@scripts/mutants.sh scripts/mutants.txt $(MATCH)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-bench build-fuzz build-asan build-mutants
