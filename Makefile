# Set-up, build, run and test on a fresh Debian machine.
#   make run   installs what is missing, builds the program and its
#              resources only, starts it (under Xvfb with a screenshot, and
#              a description of it, when there is no display)
#   make test  installs what is missing, builds, runs every test, then the
#              sanitizer builds of the toolkit tests
#   make reset-config  copies every resource into the build tree afresh,
#              dropping the settings the program saved there

DEB_PACKAGES := cmake ninja-build g++ clang lld pkg-config python3 \
  libsdl2-dev libfreetype-dev libjpeg62-turbo-dev libpng-dev zlib1g-dev \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  xvfb xauth imagemagick unifont fonts-dejavu-core fonts-wqy-zenhei console-data kbd \
  rime-data-pinyin-simp

JOBS ?= $(shell nproc)
# Many tests wait on other threads, so twice as many run as there are cores
# (at most 8, as the presets do); more only adds switching under TSan.
CTEST_JOBS ?= $(shell n=$$(( $(JOBS) * 2 )); [ $$n -le 8 ] || n=8; echo $$n)
SCREENSHOT ?= build/screenshot.png
# LeakSanitizer passes over the leaks inside system libraries listed here.
LSAN_OPTIONS ?= suppressions=$(CURDIR)/scripts/lsan.supp

.PHONY: all deps configure build run reset-config test test-asan test-tsan test-tsan-stress test-fuzz update-references fuzz fuzz-run bench clean

all: build

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  SUDO=$$( [ $$(id -u) -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

# Configured once; the build itself re-runs CMake when its files change.
configure: deps
	@test -f build/build.ninja || cmake --preset default

build: configure
	cmake --build --preset default -j $(JOBS)

run: configure
	cmake --build --preset default -j $(JOBS) --target recorder_gui
	@if [ -n "$$DISPLAY" ]; then \
	  cd build/bin && ./recorder_gui; \
	else \
	  scripts/run-headless.sh build/bin/recorder_gui $(SCREENSHOT); \
	fi

reset-config: configure
	cmake --build --preset default --target reset_config

test: build
	ctest --preset default -j $(CTEST_JOBS)
	$(MAKE) test-asan test-tsan test-fuzz

# Writes the screenshot tests' reference images anew from what is drawn now.
update-references: build
	GUI_UPDATE_REFERENCES=1 ctest --preset default -R 'OnScreen'

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(CTEST_JOBS)

test-tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS) --target thread_tests
	TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j $(CTEST_JOBS)

# The thread tests ROUNDS times each, in random order, twice as many at once
# as there are cores: a race that shows once in fifty runs shows here first.
ROUNDS ?= 50
test-tsan-stress: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS) --target thread_tests
	TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j $$(( $$(nproc) * 2 )) --schedule-random \
	  --repeat until-fail:$(ROUNDS)

# The fuzz targets alone (and what they link), under clang with libFuzzer,
# ASan and UBSan.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@echo "Fuzz targets are in build-fuzz/bin. Run one with: make fuzz-run NAME=<name>"

# Each fuzz target for a hundred inputs past its corpus, from a fixed seed, in
# the folder fuzz-run uses: it must cover more than its corpus alone (a
# warning in the clang build fails too).
test-fuzz: fuzz
	ctest --preset fuzz -j $(CTEST_JOBS)

# Runs one fuzz target (make fuzz-run NAME=bmp) for FUZZ_SECONDS on FUZZ_JOBS
# workers, seeded from fuzz/corpus/<name>, in build/fuzz/<name>, where it
# finds the resources (../guiRes). New inputs, crash files and the workers'
# logs (fuzz-<n>.log) all stay there, out of the repository.
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1
fuzz-run: fuzz
	@test -n "$(NAME)" || { echo "Say which target: make fuzz-run NAME=<name>"; exit 1; }
	@test -x build-fuzz/bin/fuzz_$(NAME) || { echo "No fuzz target $(NAME): see build-fuzz/bin"; exit 1; }
	LSAN_OPTIONS='$(LSAN_OPTIONS)' scripts/fuzz-target.sh run build-fuzz/bin/fuzz_$(NAME) $(NAME) $(FUZZ_SECONDS) $(FUZZ_JOBS)

# Every benchmark beside its baselines; without a display they run under a
# virtual X server. The goal ratios end up in one table at the end.
bench: build
	@mkdir -p build/bench
	@run=""; [ -n "$$DISPLAY" ] || run="xvfb-run -a -s '-screen 0 1280x1024x24'"; \
	export XDG_RUNTIME_DIR=$${XDG_RUNTIME_DIR:-$$(mktemp -d)}; \
	for b in build/bin/*_bench; do \
	  echo "== $$b"; \
	  eval $$run $$b | tee build/bench/$$(basename $$b).txt || exit 1; \
	done; \
	echo; echo "Goals (ratio >= needed):"; awk -f scripts/bench-goals.awk build/bench/*_bench.txt

clean:
	rm -rf build build-asan build-tsan build-fuzz
