# make run: install what is missing, build, then play the intro.
# make test: the same set-up, then every test.
# make bench: the same set-up, then the benchmarks.
.PHONY: run test bench build deps clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: orvale-invit needs a display (a graphical session with DISPLAY or WAYLAND_DISPLAY set)." >&2; \
	  exit 1; \
	fi
	@cd build && ./orvale-invit

test: build
	@ctest --preset default

bench: build
	@cd build && bench/orvale-bench

clean:
	rm -rf build
