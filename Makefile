# make run   installs what is missing, builds, converts the bundled examples
# make test  the same build, then every test
# make bench the benchmarks; make gui opens the window; make clean
# make package  a Debian package of both programs (build/tervan_*.deb)
# make windows       the Windows programs (mingw-w64), dist/tervan-windows.zip and
#                    the installer dist/tervan-windows-setup.exe
# make test-windows  their tests under wine, beside the Linux build
# make fuzz  builds the fuzz targets with clang and runs each FUZZ_SECONDS

BUILD ?= build
WINDOWS_BUILD ?= build-windows
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench gui package clean deps-windows windows test-windows fuzz

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

deps-windows:
	./scripts/install-deps.sh --windows

windows: deps-windows
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DTERVAN_LINUX_BUILD=$(CURDIR)/$(BUILD)
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target tervan tervan-cli
	./scripts/package-windows.sh $(WINDOWS_BUILD) dist/tervan-windows.zip dist/tervan-windows-setup.exe

# The Linux build is there to compare the conversions with.
test-windows: windows build
	cmake --build $(WINDOWS_BUILD) -j$(JOBS)
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j$(JOBS)

# The desktop program is left out: the targets need only the layers below it.
fuzz:
	./scripts/install-deps.sh --fuzz
	cmake -S . -B $(FUZZ_BUILD) -DFUZZ=ON -DTERVAN_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_all
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/run-fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) build-asan $(WINDOWS_BUILD) dist $(FUZZ_BUILD)
