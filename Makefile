# The two commands of the README: `make run` starts the test (or, without a display, measures
# the driver with kestrel-report), `make test` runs the test suite.
JOBS ?= $(shell nproc)
# `make fuzz` fuzzes the PNG loader this many seconds; `make test` ends with a 60-second run.
FUZZ_SECONDS ?= 300

.PHONY: run report test soak fuzz bench release debug clean

# The interactive test; without an X display, kestrel-report under Xvfb (tools/run.sh).
run: release
	tools/run.sh $(ARGS)

# kestrel-report once per Mesa software driver present (llvmpipe, softpipe) and compare.md
# beside their reports, in kestrel-report/ (tools/report.sh); ARGS go to kestrel-report.
report: release
	tools/with-xvfb.sh tools/report.sh build/bin/kestrel-report kestrel-report $(ARGS)

# The fuzz run comes first so that the test suite's summary closes the output.
test:
	tools/install-deps.sh test
	$(MAKE) fuzz FUZZ_SECONDS=60
	cmake --preset debug-sanitize
	cmake --build --preset debug-sanitize -j $(JOBS)
	tools/with-xvfb.sh ctest --preset debug-sanitize -j $(JOBS)

# A long soak of the running test: `make soak SOAK_ROUNDS=200` (500 keys a round).
SOAK_ROUNDS ?= 100
soak:
	tools/install-deps.sh test
	cmake --preset debug-sanitize
	cmake --build --preset debug-sanitize -j $(JOBS)
	SOAK_ROUNDS=$(SOAK_ROUNDS) tools/with-xvfb.sh ctest --preset debug-sanitize -R soak_e2e -V

fuzz:
	tools/install-deps.sh test
	cmake --preset fuzz -DKESTREL_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build --preset fuzz -j $(JOBS)

bench:
	tools/install-deps.sh bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	build-bench/bin/kestrel-bench
	bench/report_bench.sh build-bench/bin/kestrel-report

release:
	tools/install-deps.sh run
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

clean:
	rm -rf build build-debug build-bench build-fuzz
