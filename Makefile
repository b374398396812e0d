# Thin front of the CMake build. `make run` and `make test` install whatever
# Debian packages are missing first, so a fresh Debian 12 machine needs nothing else.

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
DEB_BUILD  ?= build-deb
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := board_string token_string record_reader store_open cli_args uai_line
JOBS       ?= $(shell nproc)

PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev \
	libsqlite3-dev libfluidsynth-dev timgm6mb-soundfont qt6-l10n-tools qt6-translations-l10n \
	libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
	xvfb xauth desktop-file-utils appstream fonts-dejavu-core \
	dpkg-dev lintian openbox xdotool imagemagick x11-utils \
	dbus-daemon at-spi2-core python3-pyatspi

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: translations translations-status
# The translations (translations/tomelin_<language>.ts) refreshed from the sources after texts
# were added or changed, then each language's count of texts still to translate.
translations: configure
	cmake --build $(BUILD) --target tomelin_lupdate
# Only the counts: 0 unfinished and 0 untranslated for English, or it fails.
translations-status: configure
	cmake --build $(BUILD) --target tomelin_translation_status

.PHONY: deps configure build run test bench match match-engines startup-time memory sanitize fuzz stress clean format \
	package deb

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# Configures a build folder: a new one with Ninja, an existing one with the generator it has
# (CMake refuses to switch), always with warnings as errors.
#   $(call cmake_configure,FOLDER,OPTIONS)
cmake_configure = cmake -S . -B $(1) $$([ -f $(1)/CMakeCache.txt ] || echo -G Ninja) \
	-DTOMELIN_WERROR=ON $(2)

# The build type is chosen when the folder is made; an existing folder keeps its own.
configure: deps
	$(call cmake_configure,$(BUILD),$$([ -f $(BUILD)/CMakeCache.txt ] || echo -DCMAKE_BUILD_TYPE=RelWithDebInfo))

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/tomelin ]; then ./$(BUILD)/tomelin; \
	else ./$(BUILD)/tomelin-cli play --games 1 --board "Čelem vzad" --p1 genius --p2 pro --show; fi

test: export QT_QPA_PLATFORM = offscreen
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

bench: deps
	$(call cmake_configure,$(BENCH_BUILD),-DCMAKE_BUILD_TYPE=Release -DTOMELIN_BENCH=ON)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; \
	done

# "PC Velmistr" against "PC Génius": seeded games over the built-in boards, both logics and
# both sides. MATCH_GAMES and MATCH_MOVETIME (ms per move) set the length.
MATCH_GAMES ?= 200
MATCH_MOVETIME ?= 1000
match: build
	./$(BUILD)/tomelin-cli match --games $(MATCH_GAMES) --movetime $(MATCH_MOVETIME) --seed 1

# Tomelin's UAI engine against another engine of the standard game with the manager cuteataxx,
# both built by the developer outside this repository (how: tools/match_engines/match.sh):
#   make match-engines ENGINE=/path/to/engine [ENGINE_ARGS="..."] [CUTEATAXX=/path/to/cuteataxx-cli]
#        [MATCH_ENGINES_GAMES=200] [MATCH_ENGINES_MOVETIME=100 | MATCH_ENGINES_TC=10000+100]
#        [MATCH_ENGINES_SLACK=50]   (ms a move may come late before it loses on time)
# PGN and summary in match-engines/.
MATCH_ENGINES_GAMES ?= 200
MATCH_ENGINES_MOVETIME ?= 100
match-engines: build
	@[ -n "$(ENGINE)" ] || { echo "make match-engines ENGINE=/path/to/engine (see tools/match_engines/match.sh)"; exit 2; }
	tools/match_engines/match.sh --games $(MATCH_ENGINES_GAMES) \
		$(if $(MATCH_ENGINES_TC),--tc $(MATCH_ENGINES_TC),--movetime $(MATCH_ENGINES_MOVETIME)) \
		$(if $(CUTEATAXX),--cuteataxx $(CUTEATAXX)) $(if $(MATCH_ENGINES_SLACK),--slack $(MATCH_ENGINES_SLACK)) --tomelin $(BUILD)/tomelin-cli $(ENGINE) $(ENGINE_ARGS)

# Start-up to the setup window on its own Xvfb display with openbox: STARTUP_RUNS starts
# (10 unless set), each run's time and the median.
STARTUP_RUNS ?= 10
startup-time: build
	cmake --build $(BUILD) --target tomelin_startup_time
	tools/startup_time/measure.sh $(BUILD)/tomelin_startup_time $(BUILD)/tomelin $(STARTUP_RUNS)

# Resident memory on Xvfb with openbox: in the setup window and in a game of two people.
memory: build
	tools/memory/measure_rss.sh $(BUILD)/tomelin

# Test discovery runs the sanitized test programs at build time, so they need the
# leak suppressions and the offscreen platform then as well.
sanitize: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp
sanitize: export QT_QPA_PLATFORM = offscreen
sanitize: deps
	$(call cmake_configure,$(ASAN_BUILD),-DCMAKE_BUILD_TYPE=Debug -DTOMELIN_SANITIZE=ON)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# The Debian package: a release build laid out as a Debian game, with Debian's hardening
# flags, packed by CPack into $(DEB_BUILD)/tomelin_<version>_<arch>.deb; `package` copies
# it here for `sudo apt install ./tomelin_*.deb`. No -g: the package ships stripped programs.
deb package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
deb package: export DEB_CXXFLAGS_MAINT_STRIP = -g
package: deb
	cp $(DEB_BUILD)/tomelin_*.deb .

deb: deps
	$(call cmake_configure,$(DEB_BUILD),-DCMAKE_BUILD_TYPE=Release -DTOMELIN_DEB=ON) \
		-DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(DEB_BUILD) -j $(JOBS)
	rm -f $(DEB_BUILD)/tomelin_*.deb
	cd $(DEB_BUILD) && cpack -G DEB

# Each fuzz target runs FUZZ_SECONDS under ASan and UBSan (libFuzzer from Debian's clang),
# starting from the seed corpus in fuzz/ and the inputs earlier runs found.
fuzz: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp
fuzz: deps
	$(call cmake_configure,$(FUZZ_BUILD),-DCMAKE_BUILD_TYPE=RelWithDebInfo) \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOMELIN_SANITIZE=ON -DTOMELIN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		$(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=2048 \
			-print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/crash-$$t- \
			$(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t 2>$(FUZZ_BUILD)/fuzz_$$t.log \
			|| { tail -n 60 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
		grep -E '^#[0-9]+[[:space:]]+DONE|stat::(number_of_executed_units|average_exec_per_sec)' \
			$(FUZZ_BUILD)/fuzz_$$t.log; \
	done

# The store race test over 100 trials instead of the 3 of `make test`, and beside it (so that
# the whole takes no longer) the resumers' race and the kill at a game's end over 30.
stress: build
	cd $(BUILD) && { TOMELIN_RACE_TRIALS=100 ./tests_store --gtest_filter='StoreRace.*' & race=$$!; \
		TOMELIN_RACE_TRIALS=30 ./tests_records --gtest_filter='KeptGameRace.*'; kept=$$?; \
		wait $$race && exit $$kept; }

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(DEB_BUILD) $(FUZZ_BUILD) tomelin_*.deb
