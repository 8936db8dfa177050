# The two commands: `make run` and `make test`. Everything else is CMake's,
# configured once into build/ (never the source tree, where CMake's own
# Makefile would overwrite this one).

CMAKE ?= cmake
BUILD ?= build
BUILD_TYPE ?= Debug
SANITIZE ?= 0
# Chosen when the recipe runs, after the packages are in: Ninja when present.
GENERATOR = $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)
CONFIGURE = $(CMAKE) -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

ifeq ($(SANITIZE),1)
BUILD := build-sanitize
CONFIGURE += -DTUVO_SANITIZE=ON
endif

# Plain `make` builds the program, with only what `make run` needs.
all: run-build

# Configured each time, so that a tree first built by `make run` gains its tests.
build: deps-test
	$(CONFIGURE) -DTUVO_BUILD_TESTS=ON >/dev/null
	$(CMAKE) --build $(BUILD) --parallel 2

# A first configuration by `make run` leaves the tests out: their packages may be missing.
run-build: deps-run
	$(CONFIGURE) $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DTUVO_BUILD_TESTS=OFF) >/dev/null
	$(CMAKE) --build $(BUILD) --parallel 2 --target tuvo

run: run-build
	$(BUILD)/app/tuvo

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure --parallel 2

# The built program under the window managers of Debian's desktops, Xfce's
# and KDE Plasma's (the window test, as under openbox), and its answers in
# GNOME Shell's search. Their packages are large, so they are not part of
# make test; CI runs both. DESKTOPS=kwin_x11 (or xfwm4, gnome) runs one.
desktops: deps-desktops build
	TUVO=$(abspath $(BUILD))/app/tuvo TUVO_DATA_DIRS=$(abspath $(BUILD))/share:/usr/share \
	    /usr/bin/python3 -m pytest -m desktops $(if $(DESKTOPS),-k "$(DESKTOPS)") tests/clients

# Figures, never pass or fail: the core and the widgets with Google Benchmark,
# then start-up and memory beside a bare Qt window under Xvfb, then the search
# provider's answers through a session bus.
bench: deps-bench
	$(CMAKE) -S . -B build-bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTUVO_BUILD_TESTS=OFF -DTUVO_BUILD_BENCH=ON >/dev/null
	$(CMAKE) --build build-bench --parallel 2
	build-bench/bench/convert_bench
	build-bench/bench/widget_bench
	xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh bench/startup.sh build-bench/bench
	XDG_DATA_DIRS=$(abspath build-bench)/share:/usr/share dbus-run-session -- /usr/bin/python3 bench/search.py

# The click fuzzer on its seeds and what it found before, for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: deps-fuzz
	CXX=clang++ $(CMAKE) -S . -B build-fuzz $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUVO_BUILD_APP=OFF -DTUVO_BUILD_TESTS=OFF -DTUVO_BUILD_FUZZ=ON >/dev/null
	$(CMAKE) --build build-fuzz --parallel 2 --target fuzz_clicks
	mkdir -p build-fuzz/corpus
	build-fuzz/fuzz/fuzz_clicks -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build-fuzz/corpus fuzz/corpus

# Faults planted one at a time, and the share that the tests catch; by hand,
# not in CI (MUTATE="--every 10" for a quicker look).
mutate: build
	python3 tools/mutate.py $(MUTATE)

# The tests' reference pictures drawn anew, after a change that is meant to
# show: look at every difference (git diff) before committing them.
pictures: build
	TUVO_REMAKE_PICTURES=1 QT_QPA_PLATFORM=offscreen $(BUILD)/tests/gui_test looksAsDesigned
	TUVO_REMAKE_PICTURES=1 QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 \
	    $(BUILD)/tests/gui_test looksAsDesigned:form1-opened looksAsDesigned:about

# The Debian package as Debian builds and checks it, from the last commit:
# sbuild in a clean bookworm root, lintian, autopkgtest, piuparts, and two
# builds compared byte for byte (tools/deb.sh). As root; it takes some minutes.
deb: deps-deb
	sh tools/deb.sh

# A Release build of its own, installed under PREFIX, with DESTDIR, if set,
# in front (make install PREFIX=$$HOME/.local needs no root); make uninstall
# removes what the last make install put there.
PREFIX ?= /usr/local
install: deps-run
	$(CMAKE) -S . -B build-install $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTUVO_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	$(CMAKE) --build build-install --parallel 2 --target tuvo tuvo-search-provider tuvo_docs
	CMAKE=$(CMAKE) sh tools/install.sh build-install "$(DESTDIR)"

uninstall:
	sh tools/uninstall.sh build-install "$(DESTDIR)" "$(PREFIX)"

# Pictures of the two windows for the README, from a real X server.
screenshot: deps-screenshot build
	xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" $(BUILD)/tools/tuvo-screenshot docs

deps-%:
	@sh tools/install-deps.sh $*

clean:
	rm -rf build build-*

.PHONY: all build run-build run test desktops bench fuzz mutate pictures deb install uninstall screenshot clean
