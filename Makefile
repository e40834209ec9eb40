# The two set-up commands: `make run` and `make test`.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test check-sanitize bench clean

deps:
	@bash scripts/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@cd $(BUILD) && ./korgas

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# in a build folder of its own: any report fails the test that made it.
check-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORGAS_SANITIZE=ON \
	  -DKORGAS_BENCH=OFF > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/sanitize.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

# Every benchmark in turn; the first that fails (an error reported, a crash)
# stops the run with a non-zero status.
bench: build
	@for b in $(BUILD)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then \
	    "$$b" || { echo "$$b failed (status $$?)" >&2; exit 1; }; \
	  fi; \
	done

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD)
