# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make demo` and `make test`. `make bench` runs the benchmarks
# and the real program over a pty (window-bench); `make package` builds the Debian package into
# $(BUILD)/package/. `make fuzz` builds the fuzz targets with clang (its warnings are the GCC
# build's to enforce) and runs each for FUZZ_SECONDS.
SANITIZE ?=
comma := ,
# The thread sanitizer gets a build of its own, of the modules whose threads
# meet: their tests (ctest label tsan) and what they need.
THREAD_SANITIZE := $(filter thread,$(subst $(comma), ,$(SANITIZE)))
BUILD ?= $(if $(THREAD_SANITIZE),build-tsan,$(if $(SANITIZE),build-sanitize,build))
TSAN_TARGETS := serial_tests intake_tests recording_tests csvimport_tests
JOBS ?= 2
# Simulator options for `make demo`, e.g. DEMO_ARGS="--names a,b,c" for three curves.
DEMO_ARGS ?=
FUZZ_SECONDS ?= 60
CMAKE_FLAGS := -G Ninja -DKURVEX_SANITIZE=$(SANITIZE)

.PHONY: all deps configure build test demo bench package fuzz clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) $(if $(THREAD_SANITIZE),--target $(TSAN_TARGETS))

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(if $(THREAD_SANITIZE),-L tsan)

demo: build
	@scripts/demo.sh $(BUILD) $(DEMO_ARGS)

bench: build
	@mkdir -p $(BUILD)/bench
	@$(BUILD)/bench/kurvex-bench --benchmark_out=$(BUILD)/bench/results.json --benchmark_out_format=json
	@$(BUILD)/bench/window-bench --out $(BUILD)/bench/window.json

package: build
	@cd $(BUILD) && cpack -G DEB

fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKURVEX_SANITIZE= -DKURVEX_WERROR=OFF -DKURVEX_FUZZ=ON \
	  -DKURVEX_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target graphfile_fuzz linereader_fuzz csvimport_fuzz setup_fuzz
	@cd build-fuzz && ctest -L fuzz --output-on-failure

clean:
	rm -rf build build-sanitize build-tsan build-fuzz
