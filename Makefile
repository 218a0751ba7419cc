# `make run` and `make test`: what the README's quick start (pikselar.sh) runs.
# CI (.ci/run) adds `make fuzz` and `make package-check`.
BUILD ?= build
JOBS ?= $(shell nproc)
# Seconds each libFuzzer target runs within `make fuzz`.
FUZZ_SECONDS ?= 30

.PHONY: run test check package-check fuzz build configure bench clean

run: 
	@bash scripts/install-deps.sh build
	@$(MAKE) --no-print-directory build
	$(BUILD)/pikselar

# The whole ctest suite (unit, widget and end-to-end tests), after installing
# what it needs and building.
test:
	@bash scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The package: lintian, AppStream, an install into a fresh Debian 12 root
# (root or sudo).
package-check:
	@bash scripts/install-deps.sh package
	@$(MAKE) --no-print-directory build
	bash scripts/check-package.sh $(BUILD)

# The ctest suite alone.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target on its seeds for FUZZ_SECONDS.
fuzz:
	@bash scripts/install-deps.sh fuzz
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
