# The two commands: `make run` (build the installer from the sample product and run it) and
# `make test` (every test). Both install missing system packages first.
SHELL := /bin/bash
.DEFAULT_GOAL := test

OUT := out
NATIVE := $(OUT)/native
ASAN := $(OUT)/asan
WIN := $(OUT)/windows
FUZZ := $(OUT)/fuzz
# Seconds per fuzz program: FUZZ_SECONDS when given, else 10 in `make fuzz` (and `make test`)
# and CAMPAIGN_SECONDS in `make fuzz-campaign`, enough for the slowest program to make 10^7 runs
# on a two-core machine. The campaign moves on from a program once it has made FUZZ_RUNS runs
# (0: always the whole time); FUZZ_TARGETS="fuzz_x ..." picks programs.
CAMPAIGN_SECONDS := 7200
FUZZ_RUNS ?= 10000000
SAMPLE := $(OUT)/sample
PRODUCT ?= $(SAMPLE)
READONLY ?= tools/sample-readonly.txt
DEMO_DIR ?= $(OUT)/demo

CMAKE_COMMON := -G Ninja -DCIRVANE_WERROR=ON
PRODUCT_FLAGS := -DCIRVANE_PRODUCT=$(abspath $(PRODUCT)) -DCIRVANE_READONLY=$(abspath $(READONLY))
WINE_ENV := WINEPREFIX=$(abspath $(WIN))/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

.PHONY: deps native-configure windows-configure host-payloadgen host-tools stub sample native asan windows \
        test fuzz-build fuzz fuzz-campaign run demo installer tools bench repro screens clean

deps:
	@bash scripts/install-deps.sh

native-configure: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_COMMON) $(PRODUCT_FLAGS) >/dev/null

windows-configure: deps
	@cmake -S . -B $(WIN) $(CMAKE_COMMON) $(PRODUCT_FLAGS) \
	  -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-i686.cmake) \
	  -DCIRVANE_HOST_TOOLS=$(abspath $(NATIVE))/bin >/dev/null

# The native payloadgen, which the Windows build runs to make its payload tables.
host-payloadgen: native-configure
	@cmake --build $(NATIVE) --target payloadgen

host-tools: native-configure
	@cmake --build $(NATIVE) --target payloadgen make_sample

stub: host-tools windows-configure
	@cmake --build $(WIN) --target qsim_stub

# The sample product is made anew whenever its maker or the simulator stand-in changed; the
# maker keeps its stamp beside the tree, never inside it.
$(SAMPLE).stamp: $(NATIVE)/bin/make_sample $(WIN)/bin/qsim_stub.exe
	@$(NATIVE)/bin/make_sample --out $(SAMPLE) --simulator $(WIN)/bin/qsim_stub.exe

sample: stub
	@$(MAKE) --no-print-directory $(SAMPLE).stamp

native: sample
	@cmake --build $(NATIVE)

asan: deps
	@cmake -S . -B $(ASAN) $(CMAKE_COMMON) -DCIRVANE_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) --target cirvane_tests

windows: native windows-configure
	@cmake --build $(WIN)

# The fuzz programs, built with clang, libFuzzer and ASan+UBSan.
fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_COMMON) -DCIRVANE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) --target fuzz_targets

# Each fuzz program for a short while, from the kept corpus in fuzz/corpus/ (only read).
fuzz: fuzz-build
	@bash scripts/run-fuzz.sh $(FUZZ)/bin $(or $(FUZZ_SECONDS),10)

# The deep runs on both cores at the lowest priority, from the kept corpus and fresh starting
# inputs of our own writers; the kept corpus is replaced by the minimized result.
fuzz-campaign: fuzz-build host-tools
	@cmake --build $(NATIVE) --target cmpdb
	@bash scripts/fuzz-seeds.sh $(NATIVE)/bin $(FUZZ)/seeds
	@FUZZ_TARGETS="$(FUZZ_TARGETS)" nice -n 19 bash scripts/fuzz-campaign.sh $(FUZZ)/bin $(or $(FUZZ_SECONDS),$(CAMPAIGN_SECONDS)) \
	  $(FUZZ_RUNS) $(FUZZ)/seeds

test: native asan windows
	@echo "== native tests"
	@cd $(NATIVE) && ctest --output-on-failure
	@echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
	@cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -R unit_tests
	@echo "== Windows tests under Wine"
	@cd $(WIN) && ctest --output-on-failure
	@echo "== fuzz targets"
	@$(MAKE) --no-print-directory fuzz
	@echo "== summary"
	@bash scripts/count-test-share.sh

# The installer program over PRODUCT and READONLY: the host payloadgen, the sample product when
# it is the one carried, and the Windows program, nothing of the tests. Signed when SIGN_CERT with
# SIGN_KEY, or SIGN_PKCS12, name a key (scripts/sign-installer.sh); ends with a summary.
INSTALLER_INPUTS := $(if $(filter $(SAMPLE),$(PRODUCT)),sample,host-payloadgen windows-configure)
installer: $(INSTALLER_INPUTS)
	@cmake --build $(WIN) --target CirvaneIVSetup
	@SIGN_CERT='$(SIGN_CERT)' SIGN_KEY='$(SIGN_KEY)' SIGN_PKCS12='$(SIGN_PKCS12)' \
	  SIGN_PASS_FILE='$(SIGN_PASS_FILE)' SIGN_TIMESTAMP_URL='$(SIGN_TIMESTAMP_URL)' \
	  bash scripts/finish-installer.sh $(WIN)/bin/CirvaneIVSetup.exe \
	  $(WIN)/payload/cirvane_product_payload $(OUT)/CirvaneIVSetup.exe

tools: host-tools
	@cmake --build $(NATIVE) --target cmpdb
	@mkdir -p $(OUT)/bin
	@cp $(NATIVE)/bin/payloadgen $(NATIVE)/bin/cmpdb $(OUT)/bin/

# Builds the installer from the sample product (only what it needs) and starts it under Wine: on
# the screen when there is a usable display, otherwise driven through a whole installation on a
# virtual one, printing what it shows, with a picture of each dialog in out/screens/.
run: sample windows-configure
	@cmake --build $(WIN) --target CirvaneIVSetup e2e_driver
	@cp $(WIN)/bin/CirvaneIVSetup.exe $(OUT)/CirvaneIVSetup.exe
	@bash tests/e2e/run_installer.sh $(OUT)/CirvaneIVSetup.exe $(WIN)/bin/e2e_driver.exe \
	  $(OUT)/screens $(OUT)/wine-run

# The install worker's console run into DEMO_DIR (UPDATE=1: Update mode), natively.
demo: native
	@$(NATIVE)/bin/install_demo $(DEMO_DIR) $(if $(UPDATE),--update)

# The benchmark configures its own build (out/bench-build) with the full-scale product compiled in.
bench: host-tools
	@cmake --build $(NATIVE) --target make_fullscale bench_model_merge bench_archive_merge
	@mkdir -p $(OUT)/bench-merge
	@$(NATIVE)/bin/bench_model_merge $(OUT)/bench-merge
	@$(NATIVE)/bin/bench_archive_merge $(OUT)/bench-merge
	@bash bench/run.sh $(abspath $(NATIVE)) $(abspath $(OUT))

# Builds twice and compares: payloadgen's outputs and the Windows programs must be identical.
repro: windows
	@bash scripts/check-reproducible.sh $(PRODUCT) $(READONLY)

# Photographs every dialog of the installer under Wine on a virtual display, into out/screens/.
screens: host-tools windows-configure
	@cmake --build $(WIN) --target dialog_demo
	@bash tests/e2e/screenshots.sh $(WIN)/bin/dialog_demo.exe $(OUT)/screens

clean:
	rm -rf $(OUT)
