# `make run` and `make test` each do all the set-up on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= 2

PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench install clean

all: build

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	bash scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	$(BUILD)/bin/bench_startup 15

# The program under PREFIX/lib/quorvanta, started as PREFIX/bin/quorvanta.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
