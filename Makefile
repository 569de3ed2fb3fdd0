# Versotime: `make test` and `make demo` set up everything on a fresh machine.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
CTEST := ctest --output-on-failure -j$(JOBS)

.PHONY: all setup native sanitize win32 win64 test test-native test-sanitize test-win32 \
        fuzz-smoke fuzz bench demo player clean \
        fuzz-build test-fuzz bench-build

all: native win32

setup:
	@scripts/setup --check >/dev/null || scripts/setup

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native

sanitize: setup
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize

win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

test-native: native
	$(CTEST) --preset native

test-sanitize: sanitize
	$(CTEST) --preset sanitize

win64: setup
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

# Under 32-bit Wine when this machine can run 32-bit code. Where it cannot (a
# kernel booted without IA-32 emulation), the 32-bit DLLs are still built
# and their exports checked, and every Win32 test runs against a 64-bit
# build of the same sources under 64-bit Wine instead; the switch is said
# plainly.
test-win32: win32
	@if scripts/can-run-win32; then \
	  scripts/with-display $(CTEST) --preset win32; \
	else \
	  echo "*** This machine's kernel cannot run 32-bit x86 code (IA-32 emulation is off),"; \
	  echo "*** which 32-bit Wine needs: the Win32 tests run on the 64-bit build (win64)."; \
	  $(CTEST) --preset win32 -R '^component_dll_exports$$' && \
	  $(MAKE) --no-print-directory win64 && \
	  scripts/with-display $(CTEST) --preset win64 -E '^component_dll_exports$$'; \
	fi

# Each fuzz target for FUZZ_SECONDS (make fuzz) or about 20 s (make test).
FUZZ_SECONDS ?= 180

fuzz-build: setup
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

fuzz: fuzz-build
	tests/fuzz/run-fuzzers build/fuzz $(FUZZ_SECONDS)

test-fuzz: fuzz-build
	tests/fuzz/run-fuzzers build/fuzz 20

fuzz-smoke: test-fuzz

# Benchmarks: figures only, never pass or fail. Natively with Google
# Benchmark, then the Win32 timing program under Wine in both code pages,
# the editor under Wine, and the comparison with FFmpeg's LRC remux.
bench-build: setup
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	cmake --preset bench-win32 >/dev/null
	cmake --build --preset bench-win32 --target lrc_timing foo_versotime versotime_player

bench: bench-build
	build/bench/tests/bench/lrc_bench
	@echo "--- under Wine, code page 1252"
	LC_ALL=en_US.UTF-8 scripts/wine-run build/bench-win32/tests/bench/lrc_timing.exe
	@echo "--- under Wine, code page 936"
	LC_ALL=zh_CN.UTF-8 scripts/wine-run build/bench-win32/tests/bench/lrc_timing.exe
	@echo "--- editor under Wine, in the stand-in player"
	tests/bench/editor-timing build/bench-win32
	@echo "--- versotime-lrc write against FFmpeg's LRC remux (installs ffmpeg when missing)"
	tests/bench/peer-comparison build/bench/tools/versotime-lrc

test: test-native test-sanitize test-fuzz test-win32

clean:
	rm -rf build

# The bundled demo: a short song timed line by line, saved as LRC and to a tag.
demo: win32
	@if scripts/can-run-win32; then \
	  scripts/with-display scripts/demo build/win32; \
	else \
	  echo "*** This machine cannot run 32-bit code: the demo runs the 64-bit build."; \
	  $(MAKE) --no-print-directory win64 && scripts/with-display scripts/demo build/win64; \
	fi

# The stand-in player's interactive window on your display, both components loaded.
player: win32
	@if scripts/can-run-win32; then scripts/player build/win32; \
	else $(MAKE) --no-print-directory win64 && scripts/player build/win64; fi
