# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build configure bench clean

run: 
	@bash scripts/install-deps.sh build
	@$(MAKE) --no-print-directory build
	$(BUILD)/pikselar

test:
	@bash scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

configure: $(BUILD)/build.ninja

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

bench: build
	bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
