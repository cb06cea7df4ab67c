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

.PHONY: all build setup test run bench package fuzz clean

all: build

setup:
	@scripts/setup.sh

CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

build: setup
	@$(CONFIGURE)
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@scripts/run-tests.sh $(BUILD)

run: build
	@scripts/run-samples.sh $(BUILD)

bench: build
	@scripts/run-benchmarks.sh $(BUILD)

# The package is made again each time: signed or not as this make is told.
package: setup
	@$(CONFIGURE)
	@rm -f $(BUILD)/packaging/msi.stamp
	@cmake --build $(BUILD) -j $(JOBS) --target msi

# make fuzz FUZZ_SECONDS=1200 runs each fuzz driver for 20 minutes; see
# scripts/run-fuzz.sh for FUZZ_SEED, FUZZ_DRIVERS, FUZZ_CODEPAGE and
# FUZZ_WINEDEBUG (warn+heap).
FUZZ_SECONDS ?= 60
fuzz: build
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_SEED=$(FUZZ_SEED) FUZZ_DRIVERS="$(FUZZ_DRIVERS)" \
		FUZZ_CODEPAGE=$(FUZZ_CODEPAGE) FUZZ_WINEDEBUG=$(FUZZ_WINEDEBUG) scripts/run-fuzz.sh $(BUILD)

clean:
	rm -rf $(BUILD)
