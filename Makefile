# The README's commands. `make run` builds and starts the game; `make test`
# builds and runs the whole test suite headless.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD ?= build
# WERROR=ON turns compiler warnings into errors (CI does); off by default so a
# newer compiler's new warning never stops a build. Also read from the environment.
WERROR ?= OFF

.PHONY: build run test package windows windows-test asan fuzz modules format format-check bootstrap clean

bootstrap:
	@bash scripts/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVEXAL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./vexal

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package (CPack): $(BUILD)/vexal_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# The Windows build, cross-built with mingw-w64: build-windows/Vexal-windows-x86_64.zip.
# The libraries are built once into ~/.cache/vexal (scripts/windows-deps).
# `windows-test` also runs the tests and every shipped replay under Wine.
windows: bootstrap
	JOBS=$(JOBS) WERROR=ON VEXAL_HOST_BUILD=$(BUILD) bash scripts/windows-build

windows-test: bootstrap
	JOBS=$(JOBS) WERROR=ON VEXAL_HOST_BUILD=$(BUILD) bash scripts/windows-build --test

asan: bootstrap
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVEXAL_SANITIZE=ON -DVEXAL_WERROR=$(WERROR)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS; FUZZ_TARGETS picks some by name, e.g.
#   make fuzz FUZZ_TARGETS="replay settings" FUZZ_SECONDS=600
# New finds go to build-fuzz/corpus/<name>/, crashes to build-fuzz/crashes/<name>/;
# a crash, once fixed, belongs in tests/fuzz/regressions/<name>/ so ctest replays it.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= $(patsubst tests/fuzz/%_fuzz.cpp,%,$(wildcard tests/fuzz/*_fuzz.cpp))
fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXAL_FUZZ=ON -DVEXAL_TESTS=OFF -DVEXAL_WERROR=$(WERROR)
	cmake --build build-fuzz -j $(JOBS) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	@failed=""; \
	for name in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$name build-fuzz/crashes/$$name; \
	  inputs=""; \
	  for folder in tests/fuzz/corpus/$$name tests/fuzz/regressions/$$name; do \
	    [ -d $$folder ] && inputs="$$inputs $$folder"; \
	  done; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  build-fuzz/$${name}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/crashes/$$name/ build-fuzz/corpus/$$name $$inputs \
	    > build-fuzz/$$name.log 2>&1 || failed="$$failed $$name"; \
	done; \
	echo "== fuzz summary ($(FUZZ_SECONDS) s each; full output in build-fuzz/<name>.log)"; \
	for name in $(FUZZ_TARGETS); do \
	  runs=$$(sed -n 's/^stat::number_of_executed_units: *//p' build-fuzz/$$name.log | tail -n 1); \
	  cov=$$(grep -E '^#[0-9]+.*cov: ' build-fuzz/$$name.log | tail -n 1 | sed 's/^.*\(cov: \)/\1/'); \
	  printf '%-20s %12s executions   %s\n' "$$name" "$${runs:-?}" "$$cov"; \
	done; \
	for name in $$failed; do \
	  tail -n 30 build-fuzz/$$name.log; \
	  echo "$$name FAILED: see build-fuzz/$$name.log; the input is in build-fuzz/crashes/$$name/"; \
	done; \
	[ -z "$$failed" ]

# The module graph from the includes; fails on an upward include or a cycle.
modules:
	@python3 scripts/module-graph

# The layout of every C++ file, as .clang-format describes it: `format` rewrites,
# `format-check` (run by CI) only reports the files that stray.
FORMAT_FILES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h')
format: bootstrap
	@clang-format -i $(FORMAT_FILES)

format-check: bootstrap
	@clang-format --dry-run --Werror $(FORMAT_FILES) && echo "format-check: every file follows .clang-format"

clean:
	rm -rf build build-asan build-fuzz build-windows
