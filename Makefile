# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make fuzz` runs every fuzz target for FUZZ_SECONDS (default 60) in a clang build of its own.
.PHONY: run test bench fuzz deps release clean

RELEASE_DIR := build/release
TEST_DIR := build/test
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
ARGS ?=
FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps.sh

release: deps
	cmake -S . -B $(RELEASE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DVELMARO_TESTS=OFF
	cmake --build $(RELEASE_DIR)

run: release
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "Velmaro needs a graphical session, and none was found (DISPLAY and WAYLAND_DISPLAY are not set)."; \
	  echo "Run 'make run' from a terminal of your desktop, or try it on a virtual display:"; \
	  echo "    xvfb-run -a make run"; \
	  exit 1; \
	fi
	$(RELEASE_DIR)/src/velmaro $(ARGS)

test: deps
	cmake -S . -B $(TEST_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVELMARO_SANITIZE=ON
	cmake --build $(TEST_DIR)
	cd $(TEST_DIR) && ctest --output-on-failure --timeout 300 -j2

fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

bench: release
	@for b in $(RELEASE_DIR)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf build
