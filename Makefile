# Thin wrapper around CMake.  `make test` is what CI runs.
JOBS ?= $(shell nproc)
CMAKE_GEN = -G Ninja
TEST_ENV = QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TZ=Asia/Tokyo \
           ASAN_OPTIONS=detect_leaks=1 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps dev-deps release run lg demo test bench fuzz fuzz-run package package-check install clean format

all: release

# What building and running need; DEV=1 (or dev-deps) adds the tests', benchmarks', fuzzing's
# and the package check's tools.
deps:
	@scripts/install-deps

dev-deps:
	@DEV=1 scripts/install-deps

# The Release build is what is installed and packaged: only the programs, with Debian's
# hardening flags (stack protector, fortified functions, read-only relocations bound at start).
HARDENING = DEB_BUILD_MAINT_OPTIONS=hardening=+all
build/release/build.ninja:
	CXXFLAGS="$$($(HARDENING) dpkg-buildflags --get CXXFLAGS | sed 's/-g //') $$($(HARDENING) dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$($(HARDENING) dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B build/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DKEIRO_TESTS=OFF -DKEIRO_BENCH=OFF

# The benchmarks build Release on their own, so that the package builds nothing it does not ship.
build/bench/build.ninja:
	cmake -S . -B build/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DKEIRO_TESTS=OFF -DKEIRO_BENCH=ON

release: deps build/release/build.ninja
	cmake --build build/release -j $(JOBS)

run: release
	build/release/bin/Keiro

lg: release
	@if [ -x build/release/bin/KeiroLG ]; then build/release/bin/KeiroLG; \
	else echo "KeiroLG (the withholding-slip program) is not built yet."; fi

# Keiro on a throw-away settings root holding the sample company (removed afterwards).
demo: release
	@root=$$(mktemp -d /tmp/keiro-demo.XXXXXX); \
	build/release/bin/keiro-tool demo --root "$$root" >/dev/null && \
	KEIRO_ROOT="$$root" build/release/bin/Keiro; \
	rm -rf "$$root"

build/test/build.ninja:
	cmake -S . -B build/test $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKEIRO_SANITIZE=ON

test: dev-deps build/test/build.ninja
	cmake --build build/test -j $(JOBS)
	cd build/test && $(TEST_ENV) ctest --output-on-failure -j $(JOBS)

# The Debian package of the Release build (build/release/package/keiro_VERSION_ARCH.deb), and
# the check of it: contents, menu entries, lintian, the unpacked programs started under Xvfb.
package: release
	cmake --build build/release --target package

package-check: dev-deps release
	scripts/package-check build/release

# Installs the Release build below PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: release
	cmake --install build/release --prefix $(PREFIX)

bench: dev-deps build/bench/build.ninja
	cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bin/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

# Every fuzz target and its seeds, everything built with clang and instrumented.
build/fuzz/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKEIRO_FUZZ=ON -DKEIRO_TESTS=OFF

fuzz: dev-deps build/fuzz/build.ninja
	cmake --build build/fuzz -j $(JOBS) --target fuzz_targets

# Each target FUZZ_SECONDS (default 30) on its corpus; prints runs and coverage per target.
FUZZ_SECONDS ?= 30
fuzz-run: fuzz
	scripts/fuzz-run $(FUZZ_SECONDS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
