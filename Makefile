# make run: install what is missing for running and building, build, then play the intro
# (without a display, render it to a video in the build tree instead).
# make test: the same set-up with the test tools, then every test: the default build's, the
# same tests built with the address, undefined-behaviour and leak sanitizers, and a short run
# of each fuzz target.
# make bench: the same set-up as make test, then the benchmarks.
# make install PREFIX=DIR: the same set-up as make run, then the programs, data and documents
# into DIR.
# make dist: the same set-up as make run, then the Debian package and the portable archive
# in dist/.
.PHONY: run test bench build deps test-deps install dist clean

# Where make install puts the programs, their data and documents.
PREFIX ?= /usr/local

# What running and building need; test-deps adds the test and benchmark tools.
deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --test

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	@cd build && if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  ./orvale-invit; \
	else \
	  echo "make run: no display; rendering the intro to a video instead (1280 x 720, 30 fps)."; \
	  ./orvale-capture --video orvale-invit.mp4 --size 1280x720 --fps 30 && \
	  echo "make run: the intro is in $$PWD/orvale-invit.mp4; watch it with a video player," && \
	  echo "          for example: ffplay $$PWD/orvale-invit.mp4"; \
	fi

test: test-deps
	@$(MAKE) --no-print-directory build
	@ctest --preset default
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@tests/fuzz/run.sh build-fuzz 20

bench: test-deps
	@$(MAKE) --no-print-directory build
	@cd build && bench/orvale-bench && bench/orvale-frame-costs

install: build
	@cmake --install build --prefix "$(PREFIX)"

dist: build
	@scripts/make-dist build dist

clean:
	rm -rf build build-asan build-fuzz dist
