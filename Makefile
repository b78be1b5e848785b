# Sondrel: make run starts the program, make test builds and runs every test.
BUILD ?= build
PACKAGE_BUILD ?= build-package
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test run demo bench fuzz sanitize screenshots install package test-windows clean

deps:
	@tools/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	tools/run-tests.sh $(BUILD)

run: build
	tools/run-program.sh $(BUILD)

demo: build
	$(BUILD)/app/sondrel-convert --force examples/demo.rpp $(BUILD)/demo.htm templates/default_template.htm
	@echo "Wrote $(BUILD)/demo.htm"

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSONDREL_BUILD_QT=ON -DSONDREL_BUILD_UI=OFF
	cmake --build build-bench -j $(JOBS) --target benchmarks
	tools/run-benchmarks.sh build-bench

fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSONDREL_BUILD_FUZZ=ON -DSONDREL_BUILD_QT=OFF -DBUILD_TESTING=OFF -DSONDREL_BUILD_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)
	tools/run-fuzzers.sh build-fuzz $${FUZZ_SECONDS:-60}

sanitize: deps
	cmake -S . -B build-asan -G Ninja -DSONDREL_SANITIZE=ON -DSONDREL_BUILD_UI=OFF -DSONDREL_BUILD_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	tools/run-tests.sh build-asan

# The core and its tests, cross-built for Windows and run under wine.
test-windows: deps
	tools/run-windows-tests.sh build-windows

screenshots: build
	tools/take-screenshots.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(or $(PREFIX),$(BUILD)/install)

# The Debian package, left in $(PACKAGE_BUILD); lintian's errors fail the target.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSONDREL_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	rm -f $(PACKAGE_BUILD)/sondrel_*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	lintian --fail-on error $(PACKAGE_BUILD)/sondrel_*.deb

clean:
	rm -rf build build-*
