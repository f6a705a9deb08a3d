# The two commands: `make run` and `make test`. Both install what is missing.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_ARGS ?=
# Any sanitizer report fails the test that caused it: leaks, use after return
# and initialisation order are checked too; UndefinedBehaviorSanitizer stops
# at its first report (the build also says -fno-sanitize-recover).
ASAN_OPTIONS ?= detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1

.PHONY: deps build run test test-release test-asan fuzz fuzz-build bench clean

deps:
	@sh tools/ensure_deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)

run: build
	cd maps && ../$(BUILD)/qmsim

# Every test in the release build, again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzzer for 30 seconds.
test: test-release test-asan
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

test-release: build
	cd $(BUILD) && ctest --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=$(ASAN_OPTIONS) UBSAN_OPTIONS=$(UBSAN_OPTIONS) ctest --output-on-failure

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON
	cmake --build $(FUZZ_BUILD)

# Each fuzzer for FUZZ_SECONDS, from its committed seed corpus.
fuzz: fuzz-build
	@sh tools/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Every benchmark, then a table of medians against the frame fill; e.g.
# BENCH_ARGS=--benchmark_filter=Tick for some of them.
bench: build
	$(BUILD)/qm_bench $(BENCH_ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
