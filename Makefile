# Thin front of the CMake build. `make run` and `make test` install whatever
# Debian packages are missing first, so a fresh Debian 12 machine needs nothing else.

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)

PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev \
	libsqlite3-dev libfluidsynth-dev timgm6mb-soundfont \
	libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth desktop-file-utils appstream fonts-dejavu-core \
	openbox xdotool imagemagick x11-utils

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build run test bench sanitize clean format

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/tomelin ]; then ./$(BUILD)/tomelin; \
	else ./$(BUILD)/tomelin-cli play --games 1 --board "Čelem vzad" --p1 genius --p2 pro --show; fi

test: export QT_QPA_PLATFORM = offscreen
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOMELIN_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; \
	done

# Test discovery runs the sanitized test programs at build time, so they need the
# leak suppressions and the offscreen platform then as well.
sanitize: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp
sanitize: export QT_QPA_PLATFORM = offscreen
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOMELIN_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
