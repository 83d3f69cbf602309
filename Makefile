# Kestrel runtime: dependencies, build, run and test.
#   make deps    install missing Debian packages (idempotent, fast when done)
#   make build   configure and build both presets (native, win32)
#   make run     link examples/hello.kil (or SCRIPT=...) and run it under Wine
#   make test    build, then unit tests and all end-to-end cases
#   make bench   Kestrel against Tcl and Python on the workloads of bench/
#                (native runner; the 32-bit runtime under Wine for the record)
#   make fuzz    build the fuzz targets with clang and run each for
#                FUZZ_SECONDS (default 60); fails on any finding
SHELL := /bin/bash
JOBS ?= 2
SCRIPT ?= examples/hello.kil
ARGS ?=
PYTHON ?= python3
FUZZ_SECONDS ?= 60

PACKAGES := cmake g++ make python3 g++-mingw-w64-i686 googletest libgtest-dev \
            xvfb wine wine32:i386 wine64 g++-mingw-w64-x86-64 valgrind
# Only `make fuzz` needs these (clang with libFuzzer and its sanitizers).
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_DIR := build/fuzz
FUZZ_TARGETS = $(subst _,-,$(patsubst tests/fuzz/fuzz_%.cpp,%,$(filter-out \
               tests/fuzz/fuzz_support.cpp,$(wildcard tests/fuzz/fuzz_*.cpp))))
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
HARNESS := tests/e2e/harness

# True (exit 0) when 32-bit x86 Linux programs run natively. Where they do
# not (no compatibility mode in the kernel, so Wine's 32-bit side would run
# under qemu), the end-to-end cases run on the win64 test vehicle.
I386_NATIVE = /lib/ld-linux.so.2 --version >/dev/null 2>&1 && \
              ! grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386

.PHONY: deps build build-native build-win32 build-win64 run test bench fuzz fuzz-deps clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' "$$p" 2>/dev/null | grep -q '^install ok installed$$' \
	    || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "deps: installing$$missing"; \
	  case "$$missing" in *:i386*) \
	    dpkg --print-foreign-architectures | grep -qx i386 || $(SUDO) dpkg --add-architecture i386;; \
	  esac; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
	@bash $(HARNESS)/enable-i386.sh

build: build-native build-win32
	@if ! ( $(I386_NATIVE) ); then $(MAKE) --no-print-directory build-win64; fi

build-native:
	cmake --preset native
	cmake --build --preset native -j$(JOBS)

build-win32:
	cmake --preset win32
	cmake --build --preset win32 -j$(JOBS)

build-win64:
	cmake --preset win64
	cmake --build --preset win64 -j$(JOBS)

run: deps build
	@if ( $(I386_NATIVE) ); then dir=build/win32; else dir=build/win64; fi; \
	$(PYTHON) $(HARNESS)/e2e.py exec --build-dir $$dir --klink build/native/klink $(SCRIPT) $(ARGS)

# Both test runs happen even when the first fails; the closing line sums them.
test: deps build
	@set -o pipefail; status=0; : > build/test.log; \
	ctest --preset native 2>&1 | tee -a build/test.log || status=1; \
	ctest --preset win32 2>&1 | tee -a build/test.log || status=1; \
	if [ -f build/win64/CTestTestfile.cmake ] && ! ( $(I386_NATIVE) ); then \
	  ctest --preset win64 2>&1 | tee -a build/test.log || status=1; fi; \
	awk '/tests passed, [0-9]+ tests? failed out of/ { \
	       for (i = 1; i <= NF; i++) if ($$i == "out") total += $$(i+2); \
	       for (i = 1; i <= NF; i++) if ($$i ~ /^failed$$/) failed += $$(i-2); } \
	     END { printf "total: %d passed, %d failed\n", total - failed, failed }' build/test.log; \
	exit $$status

fuzz-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"

# Each target runs on its working corpus (kept in build/fuzz/corpus between
# runs) seeded from tests/fuzz/corpus; a crash, leak, sanitizer report or
# an input running over 10 s fails it and leaves the input in
# build/fuzz/artifacts. The closing lines give the executions per target.
fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DKESTREL_FUZZ=ON -DCMAKE_BUILD_TYPE=
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzzers
	@status=0; summary=""; mkdir -p $(FUZZ_DIR)/artifacts; \
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t; \
	  echo "fuzz-$$t: $(FUZZ_SECONDS) s"; \
	  if $(FUZZ_DIR)/fuzz-$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	       -print_final_stats=1 -dict=tests/fuzz/kestrel.dict \
	       -artifact_prefix=$(FUZZ_DIR)/artifacts/$$t- \
	       $(FUZZ_DIR)/corpus/$$t tests/fuzz/corpus/$$t > $(FUZZ_DIR)/$$t.log 2>&1; then \
	    result=ok; \
	  else \
	    result=FAILED; status=1; \
	    grep -E -A25 '^==[0-9]+==|runtime error|fuzz invariant|ERROR: libFuzzer' $(FUZZ_DIR)/$$t.log | head -60; \
	  fi; \
	  runs=$$(sed -n 's/^stat::number_of_executed_units: *//p' $(FUZZ_DIR)/$$t.log | tail -1); \
	  summary="$$summary$$(printf '  fuzz-%-12s %-6s %s executions' $$t $$result "$${runs:-?}")\n"; \
	done; \
	printf "fuzz summary (log: $(FUZZ_DIR)/<target>.log):\n$$summary"; \
	exit $$status

# The benchmark: the native runner and klink, the 32-bit runtime for the
# Wine column, tclsh for the peers; bench/run.py prints the table.
.PHONY: bench
bench:
	@$(MAKE) --no-print-directory deps PACKAGES="tcl time"
	cmake --preset native
	cmake --build --preset native -j$(JOBS) --target kestrel-run klink
	cmake --preset win32
	cmake --build --preset win32 -j$(JOBS) --target kestrel
	$(PYTHON) bench/run.py --runner build/native/kestrel-run --klink build/native/klink \
	  --win32-build build/win32 $(BENCH_ARGS)

clean:
	rm -rf build
