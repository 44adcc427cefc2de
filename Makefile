# The two commands of the README: `make run` and `make test`. Everything else is their parts.
BUILD ?= build

.PHONY: deps build run test windows clean

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)

run: build
	bash scripts/run.sh $(BUILD)

test: deps
	bash scripts/test.sh

# The Windows build (cross-compiled with mingw-w64): the platform layer so far.
windows:
	bash scripts/install-deps.sh --windows
	cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release
	cmake --build build-windows

clean:
	rm -rf build build-*
