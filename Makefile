# The two commands: `make run` and `make test`. Both install what is missing.
BUILD ?= build

.PHONY: deps build run test bench clean

deps:
	@sh tools/ensure_deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)

run: build
	cd maps && ../$(BUILD)/qmsim

test: build
	cd $(BUILD) && ctest --output-on-failure

bench: build
	$(BUILD)/qm_bench

clean:
	rm -rf $(BUILD)
