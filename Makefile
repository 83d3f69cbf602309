# Kestrel runtime: dependencies, build, run and test.
#   make deps    install missing Debian packages (idempotent, fast when done)
#   make build   configure and build both presets (native, win32)
#   make run     link examples/hello.kil (or SCRIPT=...) and run it under Wine
#   make test    build, then unit tests and all end-to-end cases
#   make bench   Kestrel against Tcl and Python on the workloads of bench/
#                (native runner; the 32-bit runtime under Wine for the record)
SHELL := /bin/bash
JOBS ?= 2
SCRIPT ?= examples/hello.kil
ARGS ?=
PYTHON ?= python3

PACKAGES := cmake g++ make python3 g++-mingw-w64-i686 googletest libgtest-dev \
            xvfb wine wine32:i386 wine64 g++-mingw-w64-x86-64
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
HARNESS := tests/e2e/harness

# True (exit 0) when 32-bit x86 Linux programs run natively. Where they do
# not (no compatibility mode in the kernel, so Wine's 32-bit side would run
# under qemu), the end-to-end cases run on the win64 test vehicle.
I386_NATIVE = /lib/ld-linux.so.2 --version >/dev/null 2>&1 && \
              ! grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386

.PHONY: deps build build-native build-win32 build-win64 run test clean

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
