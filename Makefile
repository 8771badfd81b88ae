# Set-up, build and test in one step each. Every target installs what is missing first.
.PHONY: all deps build run test asan bench fuzz format package clean

FUZZ_SECONDS ?= 60

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev

run: build
	./build/dev/app/pindrel

test: build
	ctest --preset dev

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	ctest --preset asan

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@for b in build/release/bench/*_bench; do echo "== $$b"; $$b; done

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@bash scripts/run-fuzzers.sh build/fuzz/fuzz $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@cd build/release && cpack -G DEB

clean:
	rm -rf build
