# make run   installs what is missing, builds, converts the bundled examples
# make test  the same build, then every test
# make bench the benchmarks; make gui opens the window; make clean
# make package  a Debian package of both programs (build/tervan_*.deb)

BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench gui package clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./scripts/run-examples.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	./scripts/run-bench.sh $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

# The Zeiss 3303 example suits the shipped settings (Model=Zeiss3303); it is
# copied first, since the outputs are written next to the input.
gui: build
	mkdir -p $(BUILD)/gui
	cp examples/zeiss3303.txt $(BUILD)/gui/
	$(BUILD)/bin/tervan $(BUILD)/gui/zeiss3303.txt

clean:
	rm -rf $(BUILD) build-asan
