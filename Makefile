# make run   — installs what is missing, builds, converts the examples (or opens the window)
# make test  — installs what is missing, builds, runs every test, then the Qt-free tests again
#              under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)
# make bench — builds, runs the benchmarks and times tessarine-convert on whole documents
# make fuzz  — builds the fuzz targets with clang and runs each for FUZZ_SECONDS (default 60)
# CI=true adds -Werror.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
ifneq ($(CI),)
  CMAKE_FLAGS += -DTESSARINE_WERROR=ON
else
  CMAKE_FLAGS += -DTESSARINE_WERROR=OFF
endif

.PHONY: all deps test-deps bench-deps build run test test-asan bench fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

# What only the tests need: a browser that opens converted pages; GNU parallel and rsync for the
# batch test across hosts.
test-deps:
	@bash scripts/install-deps.sh chromium parallel rsync

# What only the benchmark comparison needs: the other converters and GNU time.
bench-deps:
	@bash scripts/install-bench-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build test-deps
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

# The window and the benchmarks stay out: Qt is not built with the sanitizers.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARINE_SANITIZE=ON \
	  -DTESSARINE_BUILD_APP=OFF -DTESSARINE_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build bench-deps
	@bash scripts/bench.sh $(BUILD)

fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) bash scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
