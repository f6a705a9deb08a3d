# The two commands: `make run` and `make test`. Both install what is missing.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WIN32_BUILD ?= build-win32
WIN64_BUILD ?= build-win64
WEB_BUILD ?= build-web
FUZZ_SECONDS ?= 60
BENCH_ARGS ?=
# Any sanitizer report fails the test that caused it: leaks, use after return
# and initialisation order are checked too; UndefinedBehaviorSanitizer stops
# at its first report (the build also says -fno-sanitize-recover).
ASAN_OPTIONS ?= detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1

.PHONY: deps configure build run test test-release test-asan fuzz fuzz-build bench bench-web windows web package clean

deps:
	@sh tools/ensure_deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD)

run: build
	cd maps && ../$(BUILD)/qmsim

# The Windows programs, cross-built with mingw-w64 and linked statically:
# $(WIN32_BUILD)/qmsim.exe (32-bit) and $(WIN64_BUILD)/qmsim.exe (64-bit),
# each beside the Wine smoke test's driver. Their resource script is written
# by the host build's qm_make_rc.
windows: configure
	cmake --build $(BUILD) --target qm_make_rc
	cmake -S . -B $(WIN32_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQM_MAKE_RC=$(abspath $(BUILD))/qm_make_rc
	cmake --build $(WIN32_BUILD)
	cmake -S . -B $(WIN64_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DQM_MAKE_RC=$(abspath $(BUILD))/qm_make_rc
	cmake --build $(WIN64_BUILD)

# The browser's program: dist/web/, a static site (the page, the program as
# WebAssembly with its loader, the sample maps) with the runner for node
# (qmsim-node.js). Debian's emscripten runs its optimizer under node, which
# finds Debian's acorn there only through NODE_PATH when node is not
# Debian's own.
web: deps
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD)

# The release packages in dist/: the Debian package, the Windows zip and the
# site's zip.
package: build windows web
	cmake --build $(BUILD) --target package
	mkdir -p dist
	cp $(BUILD)/package/qmsim_*.deb dist/
	cmake --build $(BUILD) --target windows_zip
	cmake --build $(BUILD) --target web_zip

# Every test in the release build (with the packages, the Windows programs
# and the site, which the package test, the Wine smoke test and the web
# tests check), again
# under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzzer for
# 30 seconds.
test: test-release test-asan
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

test-release: build package
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

# The benchmarks as WebAssembly under node, with the same table; e.g.
# BENCH_ARGS=--benchmark_filter=Tick.
bench-web: web
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) --target qm_bench
	node $(WEB_BUILD)/qm_bench.js --benchmark_repetitions=9 --benchmark_min_time=0.1 $(BENCH_ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN32_BUILD) $(WIN64_BUILD) $(WEB_BUILD) dist
