# The two commands a new user types: `make run` and `make test`.
# Both install the Debian packages that are missing, configure, build with two jobs and act.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
ROOT       ?= $(HOME)/.orvane
JOBS       ?= 2
PACKAGES   := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
              libsqlite3-dev libncurses-dev sqlite3 tmux

.PHONY: run test build deps bench clean

run: build
	$(BUILD)/host/orvane --root "$(ROOT)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(if $(CI),-DSERION_WERROR=ON)

deps:
	@sh tools/install-deps.sh $(PACKAGES)

bench: build
	$(BUILD)/bench/serion_bench

clean:
	rm -rf $(BUILD)
