# The two commands a new user types: `make run` and `make test`.
# Both install the Debian packages that are missing, configure, build with two jobs and act.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
ROOT       ?= $(HOME)/.orvane
JOBS       ?= 2
PACKAGES   := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
              libsqlite3-dev libncurses-dev libsodium-dev sqlite3 tmux \
              libpq-dev postgresql \
              libcpp-httplib-dev nlohmann-json3-dev chromium

# make test-sanitize: the suite built with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer in a build folder of its own; any report fails its test.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV   := ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
                  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: run test test-sanitize build deps bench clean

# The first start installs the root with the demo worklist, so that a new user has a group to run.
run: build
	@test -e "$(ROOT)/orvane.var" || $(BUILD)/host/orvane --root "$(ROOT)" --init --demo
	$(BUILD)/host/orvane --root "$(ROOT)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-sanitize: deps $(SANITIZE_BUILD)/CMakeCache.txt
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j$(JOBS)

$(SANITIZE_BUILD)/CMakeCache.txt:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DSERION_SANITIZE=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(if $(CI),-DSERION_WERROR=ON)

deps:
	@sh tools/install-deps.sh $(PACKAGES)

bench: build
	$(BUILD)/bench/serion_bench
	$(BUILD)/bench/serion_run_bench

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
