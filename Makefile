# make demo        build the program only, then check the bundled example and show where the reports went
# make test        build, then run every test
# make screenshot  the demo's HTML page rendered by headless Chromium to a PNG
# make memcheck    the program under valgrind's memcheck on the golden runs and more
# make rules       rewrite docs/rules.md and docs/rules.html from the program
# make windows     the Windows program, build-windows/vortel-dq.exe (cross-built with MinGW-w64)
# make test-windows  the tests built for Windows and run under wine, then the
#                  Windows and Linux programs compared on the same inputs
# make package     the Debian package and the Windows .zip, in build-package/
# make package-check  the packages unpacked and run on the example (lintian on the .deb)
BUILD ?= build
SAN_BUILD ?= build-sanitize
JOBS ?= 2

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 1800

BENCH_BUILD ?= build-bench

WIN_BUILD ?= build-windows
PACKAGE_BUILD ?= build-package
WIN_TOOLS = x86_64-w64-mingw32-g++-posix=g++-mingw-w64-x86-64-posix
WINE_TOOLS = wine=wine /usr/lib/wine/wine64=wine64
# wine must not try to install its Mono and Gecko add-ons.
export WINEDLLOVERRIDES = mscoree,mshtml=
export WINEDEBUG = -all
BENCH_DATA = $(BENCH_BUILD)/data
GEN = python3 tools/vortel_gen.py --state 01 --as-of 2026-12-08 --fips data/fips.lst --error-rate 0.10 --seed 1

.PHONY: windows test-windows package package-check lint all build demo rules rules-check screenshot test memcheck test-sanitize fuzz fuzz-build bench bench-check tools-check test-tools-check clean

all: build

# What the program needs to build, and what the tests need besides; each
# installs what is missing when it may (see tools/check-tools.sh).
tools-check:
	@VORTEL_NO_TESTS=1 ./tools/check-tools.sh

test-tools-check:
	@./tools/check-tools.sh

build: tools-check
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# The demo builds the program alone (the tests are built by make test).
demo: tools-check
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target vortel-dq
	@mkdir -p $(BUILD)/demo
	./$(BUILD)/vortel-dq --data examples/example.dat --fips examples/fips.lst \
	    --foster-care-report $(BUILD)/demo/freport.txt --adoption-report $(BUILD)/demo/areport.txt \
	    --state 01 --as-of "2026-12-08 09:00" --html $(BUILD)/demo/report.html
	@echo
	@echo "Foster Care report: $(BUILD)/demo/freport.txt"
	@echo "Adoption report:    $(BUILD)/demo/areport.txt"
	@echo "HTML page:          $(BUILD)/demo/report.html"

# The Windows program: x86-64, statically linked, stripped, with the county
# list beside it.
windows:
	@VORTEL_NO_TESTS=1 ./tools/check-tools.sh $(WIN_TOOLS)
	@cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN_BUILD) -j $(JOBS) --target vortel-dq

# The tests built for Windows (GoogleTest from Debian's sources) run under
# wine; then the differential run of the two programs.
test-windows: windows build
	@./tools/check-tools.sh $(WIN_TOOLS) $(WINE_TOOLS) /usr/src/googletest/CMakeLists.txt=googletest
	cmake --build $(WIN_BUILD) -j $(JOBS)
	cd $(WIN_BUILD) && ctest --output-on-failure -j $(JOBS)
	python3 tools/differential.py $(BUILD)/vortel-dq $(WIN_BUILD)/vortel-dq.exe $(WIN_BUILD)/differential

# vortel-dq_VERSION_amd64.deb and vortel-dq-VERSION-windows-x64.zip.
package: windows
	@VORTEL_NO_TESTS=1 ./tools/check-tools.sh python3=python3 dpkg-shlibdeps=dpkg-dev lintian=lintian
	JOBS=$(JOBS) ./tools/package.sh $(WIN_BUILD) $(PACKAGE_BUILD)

# The packages unpacked (nothing installed) and run on the example.
package-check: package build
	@./tools/check-tools.sh $(WINE_TOOLS)
	./tools/check-packages.sh $(BUILD)/vortel-dq $(PACKAGE_BUILD)

# The rules documents in docs/ are written by the program; rules-check fails
# when they differ from what it writes now.
rules: build
	./$(BUILD)/vortel-dq --rules docs/rules.md
	./$(BUILD)/vortel-dq --rules docs/rules.html

rules-check: build
	@mkdir -p $(BUILD)/rules
	./$(BUILD)/vortel-dq --rules $(BUILD)/rules/rules.md
	./$(BUILD)/vortel-dq --rules $(BUILD)/rules/rules.html
	@cmp docs/rules.md $(BUILD)/rules/rules.md && cmp docs/rules.html $(BUILD)/rules/rules.html || \
	    { echo "docs/rules.md or docs/rules.html differ from what the program writes: run make rules"; exit 1; }

# The demo's page in a real browser: fails when it does not render, comes out
# blank or its script logs an error (see tools/screenshot.sh), and when at a
# phone's width of 390 px the page scrolls sideways, a chart label is drawn
# below 11 px or a summary message shows a tab as an escape (tools/page-check.sh);
# the rules page must not scroll sideways either.
screenshot: demo
	@VORTEL_NO_TESTS=1 ./tools/check-tools.sh /usr/bin/chromium=chromium
	./tools/screenshot.sh $(BUILD)/demo/report.html $(BUILD)/demo/report.png
	./tools/page-check.sh $(BUILD)/demo/report.html 390
	./tools/page-check.sh docs/rules.html 390

test: test-tools-check build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The built program under valgrind's memcheck on the golden runs' command lines
# and on --quiet, every output, --compare, --out-dir -j 2 and fatal errors;
# fails on any error memcheck reports (see tools/valgrind-runs.sh).
memcheck: build
	@VORTEL_NO_TESTS=1 ./tools/check-tools.sh valgrind=valgrind
	./tools/valgrind-runs.sh $(BUILD)/vortel-dq

test-sanitize: test-tools-check
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVORTEL_SANITIZE=ON >/dev/null
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Coverage-guided fuzzing of the whole check under AddressSanitizer and
# UndefinedBehaviorSanitizer (clang and libFuzzer). New inputs go to
# $(FUZZ_BUILD)/corpus; crashes are written to $(FUZZ_BUILD)/.
fuzz-build:
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DVORTEL_FUZZ=ON -DVORTEL_TESTS=OFF \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target vortel_fuzz

fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/corpus
	./$(FUZZ_BUILD)/vortel_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=10 \
	    -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus tools/fuzz/corpus tools/fuzz/regressions

# Speed and memory on generated files of 1,000,000 records of each kind (about
# 10 percent with errors), on 10,000 records, on 100,000 aggregate records and
# 100,000 footnote records (every one with errors, so that the error lists
# grow as long as they can), on 10,000,000 foster care records streamed
# through a pipe (memory must not grow with the input), and what the findings
# files, the page and the comparison cost against the plain run on 700,000
# records (hyperfine; see tools/bench-outputs.sh).
bench: tools-check
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVORTEL_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target vortel-dq vortel_bench
	@mkdir -p $(BENCH_DATA)
	@[ -f $(BENCH_DATA)/fc-1m.dat ] || $(GEN) --adoption 0 --foster-care 1000000 --no-aggregate -o $(BENCH_DATA)/fc-1m.dat
	@[ -f $(BENCH_DATA)/ad-1m.dat ] || $(GEN) --adoption 1000000 --foster-care 0 --no-aggregate -o $(BENCH_DATA)/ad-1m.dat
	@[ -f $(BENCH_DATA)/fc-10k.dat ] || $(GEN) --adoption 0 --foster-care 10000 --no-aggregate -o $(BENCH_DATA)/fc-10k.dat
	@[ -f $(BENCH_DATA)/agg-100k.dat ] || $(GEN) --error-rate 1 --adoption 0 --foster-care 0 --aggregates 100000 \
	    -o $(BENCH_DATA)/agg-100k.dat
	@[ -f $(BENCH_DATA)/fn-100k.dat ] || $(GEN) --error-rate 1 --adoption 0 --foster-care 0 --footnotes 100000 \
	    -o $(BENCH_DATA)/fn-100k.dat
	@echo "load average: $$(cut -d' ' -f1-3 /proc/loadavg) on $$(nproc) cores"
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/fc-1m.dat foster-care 1000000 data/fips.lst
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/ad-1m.dat adoption 1000000 data/fips.lst
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/fc-10k.dat foster-care 10000 data/fips.lst
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/agg-100k.dat aggregate 100000 data/fips.lst
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/fn-100k.dat footnotes 100000 data/fips.lst
	@./tools/bench-many.sh $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)
	@./tools/bench-outputs.sh $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)
	@echo "streamed from the generator (time bounded by the generator; memory is the point):"
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/fc-10m foster-care 10000000 data/fips.lst \
	    "$(GEN) --adoption 0 --foster-care 10000000 --no-aggregate"
	@echo "an endless stream cut at 2 GB of zero bytes (lines of 299 NUL bytes, no marker):"
	@./$(BENCH_BUILD)/vortel_bench $(BENCH_BUILD)/vortel-dq $(BENCH_DATA)/zeros zeros 0 data/fips.lst \
	    "head -c 2000000000 /dev/zero"

# Instructions per detail record (valgrind's callgrind) on 10,000 generated
# records of each kind, and per finding of the CSV and JSON findings files;
# fails when a figure is exceeded by more than 10 percent (see
# tools/bench/instructions.txt).
bench-check: tools-check
	BENCH_BUILD=$(BENCH_BUILD) JOBS=$(JOBS) ./tools/bench-check.sh

# The layers of src/, the house format and clang-tidy's checks; fails on any finding.
lint: tools-check
	BUILD=$(BUILD) JOBS=$(JOBS) ./tools/lint.sh

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(WIN_BUILD) $(PACKAGE_BUILD)
