# make run  — installs what is missing, builds, converts the examples (or opens the window)
# make test — installs what is missing, builds, runs every test (also under the sanitizers)
# make bench — builds optimised and runs the benchmarks
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
ifneq ($(CI),)
  CMAKE_FLAGS += -DTESSARINE_WERROR=ON
endif

.PHONY: all deps test-deps build run test test-asan bench clean

all: build

deps:
	@bash scripts/install-deps.sh

# What only the tests need: a browser that opens converted pages.
test-deps:
	@bash scripts/install-deps.sh chromium

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build test-deps
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARINE_SANITIZE=ON \
	  -DTESSARINE_BUILD_APP=OFF -DTESSARINE_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
