# The two commands of the README: `make run` and `make test`. Everything else is their parts.
BUILD ?= build

.PHONY: deps build run test clean

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)

run: build
	bash scripts/run.sh $(BUILD)

test: deps
	bash scripts/test.sh

clean:
	rm -rf build build-*
