# Thin wrapper around CMake and CTest.
#   make        build the programs into build/bin and the tests
#   make run    build and start the 64-bit engine on this terminal
#   make test   build everything and run every test
JOBS ?= $(shell nproc)
BUILD := build
CMAKE_FLAGS ?=

.PHONY: all build run test clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/brelstan64 ]; then exec $(BUILD)/bin/brelstan64; \
	else echo "The engine programs are not built yet."; fi

test: build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure

clean:
	rm -rf $(BUILD)
