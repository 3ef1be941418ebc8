# DORVA II: the two set-up commands are `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test asan fuzz bench package format clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DDORVA_WERROR=ON $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/dorva2

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DDORVA_WERROR=ON -DDORVA_SANITIZE=ON -DDORVA_BENCH=OFF \
	  -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -E '_e2e$$'

# The readers' fuzz targets (clang, libFuzzer), each for a bounded time.
fuzz: deps
	@CXX=clang++-14 cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja \
	  -DDORVA_SUPPORT_BUILT=$(abspath $(BUILD))/bin/DORVA_Support >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@$(FUZZ_BUILD)/run-fuzzers $(FUZZ_SECONDS)

bench: build
	./$(BUILD)/bin/dorva-bench-load
	bench/startup/startup.sh $(BUILD)
	./$(BUILD)/bin/dorva-bench-voice --jobs $(JOBS) --rules actions,closecombat

# A Debian package in the build folder: dorva2_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
