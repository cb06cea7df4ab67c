# The README's two commands: `make run` and `make test`. Each installs what is
# missing (as root on Debian 12), then configures and builds. `make package`
# builds the Windows Installer package only: build/dist/VornTiloOnline-*.msi,
# signed when given SIGN_PFX=FILE SIGN_PASSWORD_FILE=FILE [SIGN_TIMESTAMP_URL=URL]
# (scripts/sign.sh).
BUILD ?= build
JOBS ?= $(shell nproc)
export SIGN_PFX SIGN_PASSWORD_FILE SIGN_TIMESTAMP_URL

# Tools that read SOURCE_DATE_EPOCH take the last commit's time.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: all build setup test check run bench package fuzz clean

all: build

setup:
	@scripts/setup.sh

# On a machine that runs no 32-bit programs (scripts/wine-lane) the 32-bit
# build leaves out its package and the tests that run programs, and a 64-bit
# build of the same sources, $(BUILD)/x64, runs them: make run, test, bench
# and fuzz use it there, and say so.
WINE32 = $$(scripts/wine-lane check && echo ON || echo OFF)
RUNS = $$(scripts/wine-lane build $(BUILD))
SAY_RUNS = scripts/wine-lane check || echo "make: this machine runs no 32-bit programs: this runs the 64-bit build $(BUILD)/x64 of the same sources under 64-bit Wine (README)" >&2
CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
	-DVORN_WINE32=$(WINE32) >/dev/null
CONFIGURE64 = cmake -S . -B $(BUILD)/x64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	-DCMAKE_BUILD_TYPE=Release >/dev/null

build: setup
	@$(CONFIGURE)
	@cmake --build $(BUILD) -j $(JOBS)
	@if ! scripts/wine-lane check; then $(CONFIGURE64) && cmake --build $(BUILD)/x64 -j $(JOBS); fi

test: build
	@scripts/run-tests.sh $(BUILD)

# The quick lane after a change: the unit and COM test cases only.
check: build
	@scripts/run-tests.sh $(BUILD) -R '^(unit|com)_tests\.'

run: build
	@$(SAY_RUNS)
	@scripts/run-samples.sh $(RUNS)

bench: build
	@$(SAY_RUNS)
	@scripts/run-benchmarks.sh $(RUNS)

# The package is made again each time: signed or not as this make is told.
package: setup
	@$(CONFIGURE)
	@scripts/wine-lane check || { echo "make package: this machine runs no 32-bit programs, so the DLL cannot be registered to make the package" >&2; exit 1; }
	@rm -f $(BUILD)/packaging/msi.stamp
	@cmake --build $(BUILD) -j $(JOBS) --target msi

# make fuzz FUZZ_SECONDS=1200 runs each fuzz driver for 20 minutes; see
# scripts/run-fuzz.sh for FUZZ_SEED, FUZZ_DRIVERS, FUZZ_CODEPAGE and
# FUZZ_WINEDEBUG (warn+heap).
FUZZ_SECONDS ?= 60
fuzz: build
	@$(SAY_RUNS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_SEED=$(FUZZ_SEED) FUZZ_DRIVERS="$(FUZZ_DRIVERS)" \
		FUZZ_CODEPAGE=$(FUZZ_CODEPAGE) FUZZ_WINEDEBUG=$(FUZZ_WINEDEBUG) scripts/run-fuzz.sh $(RUNS)

clean:
	rm -rf $(BUILD)
