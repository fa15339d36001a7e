# The two commands a new user types: `make run` and `make test`.
# Both install the Debian packages that are missing, configure, build with two jobs and act.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
ROOT       ?= $(HOME)/.orvane
JOBS       ?= 2
# What building and running the host needs; the tests add their framework, the command-line
# tools they drive (sqlite3, tmux) and the servers they start (PostgreSQL, Chromium).
RUN_PACKAGES  := cmake g++ make pkg-config libsqlite3-dev libncurses-dev libsodium-dev libpq-dev \
                 libcpp-httplib-dev nlohmann-json3-dev
TEST_PACKAGES := $(RUN_PACKAGES) libgtest-dev libgmock-dev libbenchmark-dev sqlite3 tmux \
                 postgresql chromium
COVERAGE_PACKAGES := $(TEST_PACKAGES) gcovr

# make test-sanitize: the suite built with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer in a build folder of its own; any report fails its test.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV   := ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
                  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# make coverage: the suite built with line counters in a build folder of its own, and the lines of
# the module's folders that it runs, summed up by gcovr (per file in $(COVERAGE_BUILD)/coverage.txt).
COVERAGE_BUILD   ?= build-coverage
COVERAGE_FOLDERS := module hotlink worklist viewer dialogs users resources

.PHONY: run test test-sanitize coverage build deps deps-run bench clean

# `make run` builds only the host program and the module it loads; the first start installs the
# root with the demo worklist, so that a new user has a group to run.
run: deps-run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD) -j$(JOBS) --target orvane serion
	@test -e "$(ROOT)/orvane.var" || $(BUILD)/host/orvane --root "$(ROOT)" --init --demo
	$(BUILD)/host/orvane --root "$(ROOT)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DSERION_SANITIZE=ON -DSERION_TESTS=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j$(JOBS)

coverage:
	@sh tools/install-deps.sh $(COVERAGE_PACKAGES)
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSERION_COVERAGE=ON -DSERION_TESTS=ON
	cmake --build $(COVERAGE_BUILD) -j$(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	cd $(COVERAGE_BUILD) && ctest --output-on-failure -j$(JOBS)
	gcovr --root . $(foreach f,$(COVERAGE_FOLDERS),--filter '$(f)/') -j $(JOBS) \
	      --txt $(COVERAGE_BUILD)/coverage.txt --print-summary $(COVERAGE_BUILD)

# Configuring again is quick and turns the tests on in a folder that `make run` made without them.
build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DSERION_TESTS=ON $(if $(CI),-DSERION_WERROR=ON)
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@sh tools/install-deps.sh $(TEST_PACKAGES)

deps-run:
	@sh tools/install-deps.sh $(RUN_PACKAGES)

bench: build
	$(BUILD)/bench/serion_bench
	$(BUILD)/bench/serion_run_bench

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(COVERAGE_BUILD)
