# `make run` and `make test` each do all the set-up on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= 2

PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench shots install clean test-asan fuzz-build fuzz fuzz-smoke

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

# A start is measured on a display as a user sees it: the desktop's, or a virtual X server
# where there is none.
bench: build
	@if [ -n "$$DISPLAY" ]; then QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-xcb} $(BUILD)/bin/bench_startup 15; \
	else QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-xcb} xvfb-run -a $(BUILD)/bin/bench_startup 15; fi

# The README's and the guide's pictures, rendered by the program itself into docs/.
shots: build
	bash scripts/shots.sh $(BUILD) docs

# The program under PREFIX/lib/quorvanta, started as PREFIX/bin/quorvanta.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

# -- sanitizer build and fuzzing: folders of their own, the normal build is not touched.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (gcc).
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANTA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

# The libFuzzer programs (clang): only the engines and the widgets they need are built.
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DQUORVANTA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_targets

# Every target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600), FUZZ_JOBS at a time.
FUZZ_JOBS ?= 1
fuzz: fuzz-build
	FUZZ_JOBS=$(FUZZ_JOBS) bash tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# A short run of every target, 10 s each, two at a time: CI runs it after make test.
fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=10 FUZZ_JOBS=$(JOBS)
