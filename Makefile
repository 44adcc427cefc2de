# The two commands of the README: `make run` and `make test`. Everything else is their parts.
BUILD ?= build

.PHONY: deps deps-windows build run test windows clean

deps:
	bash scripts/install-deps.sh

deps-windows:
	bash scripts/install-deps.sh --windows

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)

run: build
	bash scripts/run.sh $(BUILD)

test: deps deps-windows
	bash scripts/test.sh

# The Windows build alone (cross-compiled with mingw-w64), its tests under Wine.
# Its end-to-end test downloads from the Linux reference file server.
windows: deps deps-windows
	bash scripts/windows.sh

clean:
	rm -rf build build-*
