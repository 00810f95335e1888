# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make fuzz` runs every fuzz target for FUZZ_SECONDS (default 60) in a clang build of its own.
# `make install` installs the Release build under PREFIX (default /usr/local), below DESTDIR when set.
.PHONY: run test bench fuzz deps release install clean

RELEASE_DIR := build/release
TEST_DIR := build/test
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
ARGS ?=
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local

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

# What it installed is listed in $(RELEASE_DIR)/install_manifest.txt, which is how to remove it again.
install: deps
	cmake -S . -B $(RELEASE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DVELMARO_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX="$(PREFIX)"
	cmake --build $(RELEASE_DIR)
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE_DIR)

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
