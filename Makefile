# make run: install what is missing for running and building, build, then play the intro
# (without a display, render it to a video in the build tree instead).
# make test: the same set-up with the test tools, then every test: the default build's, the
# same tests built with the address, undefined-behaviour and leak sanitizers, and a short run
# of each fuzz target.
# make bench: the same set-up as make test, then the benchmarks.
# make install PREFIX=DIR: the same set-up as make run, then the programs, data and documents
# into DIR.
# make windows: the same set-up as make run, then the Windows programs, cross-built into
# build-windows/ (their libraries are built once from Debian's sources, cached outside the
# clone; the data is the Linux build's).
# make web: the same set-up as make run, then the intro's web page, built with emscripten into
# build-web/site/ (its libraries are built once from Debian's sources, cached outside the
# clone; the data is the Linux build's). make web-serve serves it on 127.0.0.1:8000.
# make dist: make windows and make web, then the Debian package, the portable archive, the
# Windows zip and the web zip in dist/.
.PHONY: run test bench build deps test-deps windows-deps windows web-deps web web-serve install dist clean

# Where make install puts the programs, their data and documents.
PREFIX ?= /usr/local

# What running and building need; test-deps adds the test and benchmark tools.
deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --test

windows-deps:
	@scripts/install-deps --windows

web-deps:
	@scripts/install-deps --web

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

windows: windows-deps
	@$(MAKE) --no-print-directory build
	@prefix=$$(scripts/build-deps windows) && \
	  if [ "$$(cat build-windows/deps-prefix 2>/dev/null)" != "$$prefix" ]; then rm -rf build-windows; fi && \
	  cmake --preset windows -DORVALE_DEPS_PREFIX="$$prefix" -DORVALE_HOST_BUILD="$(CURDIR)/build" >/dev/null && \
	  echo "$$prefix" >build-windows/deps-prefix
	@cmake --build --preset windows

web: web-deps
	@$(MAKE) --no-print-directory build
	@prefix=$$(scripts/build-deps web) && \
	  if [ "$$(cat build-web/deps-prefix 2>/dev/null)" != "$$prefix" ]; then rm -rf build-web; fi && \
	  cmake --preset web -DORVALE_DEPS_PREFIX="$$prefix" -DORVALE_HOST_BUILD="$(CURDIR)/build" >/dev/null && \
	  echo "$$prefix" >build-web/deps-prefix
	@cmake --build --preset web
	@echo "make web: the site is in $(CURDIR)/build-web/site ($$(du -sh build-web/site | cut -f1)); make web-serve serves it"

web-serve: web
	@scripts/serve-site build-web/site 8000

test: test-deps
	@$(MAKE) --no-print-directory build
	@ctest --preset default
	@$(MAKE) --no-print-directory windows
	@tests/windows/run.sh build-windows build
	@$(MAKE) --no-print-directory web
	@tests/web/run.sh build-web/site build
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

dist: windows web
	@scripts/make-dist build dist
	@scripts/make-dist-windows build-windows dist
	@scripts/make-dist-web build-web dist

clean:
	rm -rf build build-asan build-fuzz build-windows build-web dist
