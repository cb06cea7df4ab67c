# The README's two commands: `make run` and `make test`. Each installs what is
# missing (as root on Debian 12), then configures and builds.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all build setup test run bench clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@scripts/run-tests.sh $(BUILD)

run: build
	@scripts/run-samples.sh $(BUILD)

bench: build
	@scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
