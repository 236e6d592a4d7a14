# Everyday entry points. Each target installs what is missing first, so both work on a
# fresh Debian 12 machine.
JOBS ?= $(shell nproc)

.PHONY: run test package deps build-release build-debug asan tsan fuzz bench bench-backups screenshots clean

# With a display, the window. Without one (a server, a container) the check in the terminal,
# and where there is nothing to check, the demonstration instead. Builds only what it runs:
# the terminal's command, and the window's executable when there is a display.
run: deps
	cmake --preset release >/dev/null
	@if [ -n "$$WAYLAND_DISPLAY$$DISPLAY" ]; then targets="brindle brindle-window"; else targets=brindle; fi; \
	cmake --build --preset release -j $(JOBS) --target $$targets
	@brindle=./build/release/Brindle/brindle; \
	if [ -n "$$WAYLAND_DISPLAY$$DISPLAY" ]; then \
	  $$brindle && exit 0; \
	  echo "The window could not open on this display, so here is the check in the terminal:"; \
	fi; \
	$$brindle check; status=$$?; \
	if [ $$status -eq 3 ]; then \
	  echo "So here is Brindle's demonstration check instead:"; \
	  $$brindle check --demo-drive; \
	else exit $$status; fi

test: build-debug
	ctest --preset debug -j $(JOBS)

# build/brindle-cli_<version>_amd64.deb (the terminal's commands, no Qt) and
# build/brindle_<version>_amd64.deb (the window), for `apt-get install ./build/brindle*.deb`.
# Packed from the release tree, so a build that ran `make run` or `make bench` is reused.
package: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target brindle brindle-window brindle_desktop_files
	rm -rf build/release/deb build/brindle*_*.deb
	cpack --config build/release/CPackConfig.cmake -B build/release/deb
	cp build/release/deb/brindle*_*.deb build/
	@ls -l build/brindle*_*.deb

deps:
	./scripts/install-deps

build-release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

build-debug: deps
	cmake --preset debug >/dev/null
	cmake --build --preset debug -j $(JOBS)

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

tsan: deps
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS) -L scanner

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

bench: build-release
	./bench/scan-vs-du.sh

bench-backups: build-release
	./build/release/bench/bench_backups

# Every screen of the window, light and dark, rendered offscreen into build/screenshots (and
# on scaled screens into build/screenshots/scale-1.5 and scale-2), and the printed report of
# both demonstrations as PDF and PNG; then the same in German into build/screenshots/de.
english = LC_ALL=C.UTF-8 LANGUAGE=
german = LC_ALL=C.UTF-8 LANGUAGE=de
screenshots: build-debug
	$(english) QT_QPA_PLATFORM=offscreen ./build/debug/tests/brindle_screenshots build/screenshots
	for scale in 1.5 2; do \
	  $(english) QT_SCALE_FACTOR=$$scale QT_QPA_PLATFORM=offscreen ./build/debug/tests/brindle_screenshots build/screenshots/scale-$$scale || exit 1; \
	done
	$(german) QT_QPA_PLATFORM=offscreen ./build/debug/tests/brindle_screenshots build/screenshots/de
	for demo in demo demo-drive; do \
	  $(english) ./build/debug/Brindle/brindle report --$$demo --pdf build/screenshots/report-$$demo.pdf && \
	  pdftoppm -png -r 90 -singlefile build/screenshots/report-$$demo.pdf build/screenshots/report-$$demo && \
	  $(german) ./build/debug/Brindle/brindle report --$$demo --pdf build/screenshots/de/report-$$demo.pdf && \
	  pdftoppm -png -r 90 -singlefile build/screenshots/de/report-$$demo.pdf build/screenshots/de/report-$$demo || exit 1; \
	done

clean:
	rm -rf build
