# Thin wrapper around CMake and CTest.
#   make        build the programs into build/bin and the tests
#   make run    build and start the 64-bit engine on this terminal
#   make check  the everyday loop, about a minute on 8 cores: the Release build, then its
#               64-bit unit tests, the end-to-end tests through standard input, the fuzz
#               replays and the word-size reports; no xboard matches, soak runs or 32-bit
#               unit tests (make test has them)
#   make test   build everything and run every test, in both word sizes: the Release
#               build with the xboard matches, then every test again in a sanitizer build
#               (make test-asan), which also checks every make and unmake against a recount
#   make test-asan  every test but the matches, unit and end-to-end, in both word sizes with
#               address and undefined-behaviour checks; any report fails the test
#   make bench  build and run the benchmark programs of both word sizes (bench/run);
#               they print figures and check nothing
#   make fuzz   build the fuzz harnesses with clang into build-fuzz/ and run each for
#               FUZZ_SECONDS (tests/fuzz/run); fails on any finding
#   make windows  cross-build the Windows console programs with MinGW-w64 into
#               build-windows/bin: brelstan.exe, brelstan64.exe, brelstan-early.exe
#   make test-windows  the Windows programs' checks under Wine (tests/windows/run): the PE
#               headers of all three, the end-to-end tests of brelstan64.exe and of a 64-bit
#               test build of the earlier engine
JOBS ?= $(shell nproc)
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
WINDOWS_BUILD := build-windows
FUZZ_SECONDS ?= 60
# What make check leaves to make test: the long runs and the emulated 32-bit unit tests.
CHECK_EXCLUDE := soak|xboard|unit32
CMAKE_FLAGS ?=

.PHONY: all build run check test test-asan bench fuzz windows test-windows clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# run and test first install what is missing (tools/install-deps), so that on a fresh
# Debian machine they are the only set-up commands.
run:
	@bash tools/install-deps
	@$(MAKE) --no-print-directory build
	@exec $(BUILD)/bin/brelstan64

check:
	@bash tools/install-deps
	@$(MAKE) --no-print-directory build
	ctest --test-dir $(BUILD) -j $(JOBS) -LE '$(CHECK_EXCLUDE)' --output-on-failure

# No separate Debug pass: the sanitizer build compiles the same assertions and consistency
# checks (it has no NDEBUG) and runs every test with them in both word sizes.
test:
	@bash tools/install-deps --test
	@$(MAKE) --no-print-directory build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure
	@$(MAKE) --no-print-directory test-asan

test-asan:
	@bash tools/install-deps --test
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Asan $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) -j $(JOBS) --output-on-failure

bench: build
	bash bench/run

fuzz:
	@bash tools/install-deps --fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DBRELSTAN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash tests/fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# One configure per compiler (i686, x86_64); the programs are gathered in bin/.
$(WINDOWS_BUILD)/%/CMakeCache.txt:
	cmake -S . -B $(WINDOWS_BUILD)/$* -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DBRELSTAN_MINGW_ARCH=$* -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

windows:
	@bash tools/install-deps --windows
	@$(MAKE) --no-print-directory $(WINDOWS_BUILD)/i686/CMakeCache.txt $(WINDOWS_BUILD)/x86_64/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD)/i686 -j $(JOBS)
	cmake --build $(WINDOWS_BUILD)/x86_64 -j $(JOBS)
	mkdir -p $(WINDOWS_BUILD)/bin
	cp $(WINDOWS_BUILD)/i686/bin/brelstan.exe $(WINDOWS_BUILD)/i686/bin/brelstan-early.exe \
	  $(WINDOWS_BUILD)/x86_64/bin/brelstan64.exe $(WINDOWS_BUILD)/bin/

# The test drivers are the Linux build's (engine_e2e, the book writers).
test-windows: windows
	@$(MAKE) --no-print-directory $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target engine_e2e bookwriter earlybookwriter
	bash tests/windows/run $(WINDOWS_BUILD) $(BUILD)

clean:
	rm -rf $(BUILD) build-debug $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
