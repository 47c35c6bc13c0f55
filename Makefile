# The two commands of the README: `make run` starts the test (or, without a display, measures
# the driver with kestrel-report), `make test` runs the test suite.
JOBS ?= $(shell nproc)
# `make fuzz` runs each fuzz target this many seconds; `make test` begins with 60-second runs.
FUZZ_SECONDS ?= 300
# `make install` installs under PREFIX, staged under DESTDIR when that is given.
PREFIX ?= /usr/local

.PHONY: run drivers report test soak fuzz bench release debug clean install uninstall package

# The interactive test; without an X display, kestrel-report under Xvfb (tools/run.sh).
run: release
	tools/run.sh $(ARGS)

# kestrel-report once per driver this machine has (GL on llvmpipe, softpipe and zink, Vulkan on
# lavapipe, the reference renderer), then kestrel-report --compare of them and of any brought
# from other releases, in drivers/ (tools/drivers.sh); ARGS go to each run. With RELEASE=trixie
# (or bookworm), as root, that release's drivers instead, measured in a Debian root of its own in
# build/debian-RELEASE and brought back beside this machine's.
drivers: release
	RELEASE="$(RELEASE)" tools/drivers.sh build/bin/kestrel-report drivers $(ARGS)

# The name it had before it measured every driver.
report: drivers

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
	status=0; bench/report_bench.sh build-bench/bin/kestrel-report || status=1; \
	  bench/cost_bench.sh build-bench/bin/kestrel-report build-bench/bin/kestrel-cost-spread || \
	  status=1; exit $$status

# INSTALL_PREFIX, when given, is where the build is configured to be installed: the installed
# programs look for their pictures there.
release:
	tools/install-deps.sh run
	cmake --preset release $(if $(INSTALL_PREFIX),-DCMAKE_INSTALL_PREFIX=$(INSTALL_PREFIX))
	cmake --build --preset release -j $(JOBS)

# The programs, the unit pictures, README and licence, and the man pages, under PREFIX. What
# went where is kept for `make uninstall` in build/installed_files.txt, DESTDIR included (the
# manifest of cmake --install is also written by `make package`).
install:
	$(MAKE) release INSTALL_PREFIX=$(abspath $(PREFIX))
	DESTDIR="$(DESTDIR)" cmake --install build
	awk -v destdir="$(DESTDIR)" '{ print destdir $$0 }' build/install_manifest.txt \
	  >build/installed_files.txt

# Removes the files the last `make install` put in place, then the folders of Kestrel's own
# that this leaves empty.
uninstall:
	@test -f build/installed_files.txt || { echo "make uninstall: nothing installed from build/" >&2; exit 1; }
	while IFS= read -r file; do \
	  rm -f "$$file"; dir=$$(dirname "$$file"); \
	  while case "$$dir/" in */kestrel/*) rmdir "$$dir" 2>/dev/null ;; *) false ;; esac; do \
	    dir=$$(dirname "$$dir"); \
	  done; \
	done <build/installed_files.txt
	rm build/installed_files.txt

# The Debian package of the same files under /usr, in build/, checked by lintian: an error
# fails the target, warnings are shown.
package:
	tools/install-deps.sh package
	$(MAKE) release INSTALL_PREFIX=/usr
	rm -f build/kestrel_*.deb
	cmake --build --preset release --target package
	lintian --fail-on error build/kestrel_*.deb

clean:
	rm -rf build build-debug build-bench build-fuzz
