# The README's commands. `make run` builds and starts the game; `make test`
# builds and runs the whole test suite headless.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD ?= build

.PHONY: build run test asan fuzz bootstrap clean

bootstrap:
	@bash scripts/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./vexal

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan: bootstrap
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVEXAL_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

FUZZ_SECONDS ?= 60
fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXAL_FUZZ=ON -DVEXAL_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)
	@for target in build-fuzz/*_fuzz; do \
	  [ -d $$target ] && continue; \
	  name=$$(basename $$target); corpus=tests/fuzz/corpus/$${name%_fuzz}; \
	  mkdir -p build-fuzz/corpus-$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus-$$name $$corpus || exit 1; \
	done

clean:
	rm -rf build build-asan build-fuzz
