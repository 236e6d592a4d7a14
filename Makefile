# Everyday entry points. Each target installs what is missing first, so both work on a
# fresh Debian 12 machine.
JOBS ?= $(shell nproc)

.PHONY: run test deps build-release build-debug asan tsan fuzz bench bench-backups screenshots clean

# A machine with nothing to check (a server, a container) gets the demonstration instead.
run: build-release
	@./build/release/Brindle/brindle check; status=$$?; \
	if [ $$status -eq 3 ]; then \
	  echo "Nothing to check here, so this is Brindle's demonstration check:"; \
	  ./build/release/Brindle/brindle check --demo-drive; \
	else exit $$status; fi

test: build-debug
	ctest --preset debug -j $(JOBS)

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

# Every screen of the window, light and dark, rendered offscreen into build/screenshots.
screenshots: build-debug
	QT_QPA_PLATFORM=offscreen ./build/debug/tests/brindle_screenshots build/screenshots

clean:
	rm -rf build
