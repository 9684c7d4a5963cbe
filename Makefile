# `make run` and `make test` each do all the set-up on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= 2

PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench bench-compare shots install clean test-asan fuzz-build fuzz fuzz-smoke format format-check

all: build

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	bash scripts/run.sh $(BUILD)

# Nothing a test starts reaches beyond this machine: the program's own default rate source is
# on the internet, and the network layer refuses every address but the loopback when told so.
test: build
	cd $(BUILD) && QUORVANTA_LOOPBACK_ONLY=1 ctest --output-on-failure -j$(JOBS)

# A start is measured on a display as a user sees it: the desktop's, or a virtual X server
# where there is none.
bench: build
	@export QUORVANTA_LOOPBACK_ONLY=1; \
	if [ -n "$$DISPLAY" ]; then QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-xcb} $(BUILD)/bin/bench_startup 15; \
	else QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-xcb} xvfb-run -a $(BUILD)/bin/bench_startup 15; fi

# The start as a user sees it, side by side with a small Qt 6 calculator window (qt6hello, the
# floor) and a bare Qt window: one private X server, fresh home per start, round-robin, the
# medians and their ratios against qt6hello. The program keeps its default settings, so its rate
# update runs after the first frame. It runs in a network namespace of its own, where only a
# loopback exists: the update fails as on a machine without network, after loading what a real
# attempt loads. Where no such namespace can be made, QUORVANTA_LOOPBACK_ONLY refuses the
# transfer before its network stack is loaded (a lighter start than a real one).
BENCH_SHARED ?= $(CURDIR)/../shared/bench
BENCH_ROUNDS ?= 15
bench-compare: SHELL := /bin/bash
bench-compare: build
	cmake -S $(BENCH_SHARED)/qt6hello -B $(BUILD)/qt6hello -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/qt6hello -j$(JOBS) >/dev/null
	@set -o pipefail; \
	bench="bash $(BENCH_SHARED)/startup-bench.sh -q -n $(BENCH_ROUNDS)"; \
	programs="-- $(BUILD)/qt6hello/qt6hello --vs $(BUILD)/bin/quorvanta --vs $(BUILD)/bin/bench_bare_window"; \
	if unshare -rn true 2>/dev/null; then \
		echo "# offline: a network namespace with only a loopback"; \
		unshare -rn sh -c "ip link set lo up 2>/dev/null; $$bench $$programs"; \
	else \
		echo "# no network namespace: QUORVANTA_LOOPBACK_ONLY=1, the update loads no network stack"; \
		$$bench -e QUORVANTA_LOOPBACK_ONLY=1 $$programs; \
	fi | tee $(BUILD)/bench-compare.txt
	@awk '$$2 ~ /^[0-9]+\/[0-9]+$$/ { if (!n++) { ms = $$3; paint = $$6; rss = $$7 } \
		printf "%-20s ratio to qt6hello: start %.2f  paint %.2f  RSS %.2f\n", $$1, $$3 / ms, \
		$$6 / paint, $$7 / rss }' $(BUILD)/bench-compare.txt

# The README's and the guide's pictures, rendered by the program itself into docs/.
shots: build
	bash scripts/shots.sh $(BUILD) docs

# Every C++ file of ours as .clang-format lays it out: `make format` rewrites, `make
# format-check` (in CI) lists the files that differ and fails.
FORMAT_FILES = git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' \
	'tools/*.h' 'bench/*.cpp' 'bench/*.h'
format: deps
	$(FORMAT_FILES) | xargs -0 clang-format -i
format-check: deps
	$(FORMAT_FILES) | xargs -0 clang-format --dry-run --Werror

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
	cd $(ASAN_BUILD) && QUORVANTA_LOOPBACK_ONLY=1 $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

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
