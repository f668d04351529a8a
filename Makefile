# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench fuzz install clean

all: build

deps:
	@tools/deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	@tools/bench.sh $(BUILD)

# libFuzzer targets, built with clang in their own tree and run for FUZZ_SECONDS each.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DPX300_FUZZ=ON \
	    -DPX300_BUILD_TESTS=OFF -DPX300_BUILD_BENCH=OFF -DPX300_BUILD_UI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@tools/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
