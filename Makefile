# `make run` and `make test`: what the README's quick start (pikselar.sh) runs.
BUILD ?= build
JOBS ?= $(shell nproc)
# Seconds each libFuzzer target runs within `make test`.
FUZZ_SECONDS ?= 30

.PHONY: run test check package-check fuzz build configure bench clean

run: 
	@bash scripts/install-deps.sh build
	@$(MAKE) --no-print-directory build
	$(BUILD)/pikselar

# Everything: the fuzz targets for a short while, the Debian package
# installed into a fresh Debian 12 root and run there, then the whole ctest
# suite (unit, widget and end-to-end tests), whose summary closes the output.
test:
	@bash scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build
	bash scripts/fuzz.sh $(FUZZ_SECONDS)
	bash scripts/check-package.sh $(BUILD)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The package alone: lintian, AppStream, an install into a fresh root.
package-check:
	@bash scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build
	bash scripts/check-package.sh $(BUILD)

# The ctest suite alone.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz:
	@bash scripts/install-deps.sh test
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

configure: $(BUILD)/build.ninja

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

bench:
	@bash scripts/install-deps.sh bench
	@$(MAKE) --no-print-directory build
	bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
