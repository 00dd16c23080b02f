# The two commands a newcomer needs: `make play` and `make test`.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
# CI (which sets CI=true) builds with warnings as errors.
ifeq ($(CI),true)
CMAKE_FLAGS += -DQUANDEL_WERROR=ON
endif

.PHONY: deps configure build test bench clean fuzz fuzz-smoke fuzz-build play install deb check-asan soak readme-pictures web serve-web

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-smoke

# The save-file readers under libFuzzer (clang): `make fuzz` for a real session, `make fuzz-smoke`
# for a few seconds per target.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5

$(FUZZ_BUILD)/build.ninja:
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-smoke: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

# The game plays in play/: the generated img/ and snd/ are linked in, and the player's config.txt,
# scr.hsc and replay.dat stay there across rebuilds.
play: build
	mkdir -p play
	ln -sfn $(abspath $(BUILD))/game/img play/img
	ln -sfn $(abspath $(BUILD))/game/snd play/snd
	cd play && $(abspath $(BUILD))/quandel

# Installs the game, a menu entry and an icon under PREFIX; the installed game keeps the player's
# files in ~/.local/share/quandel (or $XDG_DATA_HOME/quandel).
PREFIX ?= $(HOME)/.local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian packages, in $(BUILD)/deb: the game (`apt install ./$(BUILD)/deb/quandel_*.deb`) and
# the video export, quandel-video, which needs the game's package of the same version.
deb: build
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/deb

# The whole test suite and a few hundred generated replays under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build of its own; any report fails.
ASAN_BUILD ?= build-asan
ASAN_REPLAYS ?= 300
check-asan: deps
	bash scripts/asan/check.sh $(ASAN_BUILD) $(JOBS) $(ASAN_REPLAYS)

# The real game under random player input for MINUTES minutes (1 to 240) in the sanitized build,
# then as much in the release build with its memory sampled; SEED repeats a run's choices.
MINUTES ?= 20
SEED ?=
soak: deps
	bash scripts/soak/soak.sh $(BUILD) $(ASAN_BUILD) "$(MINUTES)" "$(SEED)" $(JOBS)

# The README's pictures in docs/, drawn by the game itself (title screen, a chain from the
# recorded test play); commit them after a change to what the game draws.
readme-pictures: build
	bash scripts/readme-pictures.sh $(BUILD) docs

# The game as a web page in $(BUILD)/web (Debian's emscripten); `make serve-web` serves it on
# http://127.0.0.1:8000/ (any static host will do; see the README).
web: build
	bash scripts/web-build.sh $(BUILD) $(JOBS)

WEB_PORT ?= 8000
serve-web: web
	cd $(BUILD)/web && python3 -m http.server --bind 127.0.0.1 $(WEB_PORT)

bench: build
	$(BUILD)/quandel-bench

clean:
	rm -rf $(BUILD)
