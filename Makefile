# Two commands do everything on a fresh Debian 12 machine (as root):
#   make demo   builds the kit and runs the demonstration under Wine
#   make test   builds both targets and runs every test through CTest
BUILD   ?= build
JOBS    ?= $(shell nproc)
PACKAGES = mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 \
           libz-mingw-w64-dev zlib1g-dev googletest cmake ninja-build xvfb clang \
           xauth x11-utils python3 openssl osslsigncode
TOOLCHAIN = $(CURDIR)/cmake/mingw.cmake

.PHONY: deps configure build test demo kit readme-properties bench bench-archive bench-definition bench-install bench-signing bench-size bench-peers bench-scale fuzz clean screenshots

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	fi

$(BUILD)/native/build.ninja:
	cmake -G Ninja -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Debug
$(BUILD)/win64/build.ninja:
	cmake -G Ninja -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
$(BUILD)/native-release/build.ninja:
	cmake -G Ninja -S . -B $(BUILD)/native-release -DCMAKE_BUILD_TYPE=Release -DVTRL_TESTS=OFF -DVTRL_SANITIZE=OFF
$(BUILD)/win32/build.ninja:
	cmake -G Ninja -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) -DMINGW_ARCH=i686 \
	  -DCMAKE_BUILD_TYPE=Release -DVTRL_TESTS=OFF

configure: deps $(BUILD)/native/build.ninja $(BUILD)/win64/build.ninja $(BUILD)/win32/build.ninja

build: configure
	ninja -C $(BUILD)/native -j $(JOBS)
	ninja -C $(BUILD)/win64 -j $(JOBS)
	ninja -C $(BUILD)/win32 -j $(JOBS)

test: build
	ctest --test-dir $(BUILD)/native -j $(JOBS) --output-on-failure
	tools/with-display ctest --test-dir $(BUILD)/win64 -j $(JOBS) --output-on-failure

# The kit for installer authors: the programs (Windows, and Linux where
# portable), the authoring chapter, the language tables and a sample, as
# $(BUILD)/kit/vantrel-kit and $(BUILD)/kit/vantrel-kit.zip.
kit: deps $(BUILD)/win64/build.ninja $(BUILD)/native-release/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) setup_kit VantrelLoadProgram uninstall vtrlarc vtrlkit
	ninja -C $(BUILD)/native-release -j $(JOBS) vtrlkit vtrlarc
	tools/make-kit $(BUILD)/win64 $(BUILD)/native-release $(BUILD)/kit

# The README's list of every property and its default, written again from
# what the installation classes read (a test fails while it is out of date).
readme-properties: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) vtrlkit
	kit/properties_readme.sh $(BUILD)/win64/kit/vtrlkit.exe README.md tools/wine-run --update

demo: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) demo-files
	tools/with-display tools/demo $(BUILD)/win64

# Screenshots of the wizard's real pages under Xvfb: the demonstration, run
# for an English and a French user; the pictures land in
# $(BUILD)/win64/screenshots/<locale>/.
SCREENSHOT_LANGS ?= fr_FR
screenshots: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) demo-files dialogs_decorations_test
	DEMO_EXTRA_LANGS="$(SCREENSHOT_LANGS)" tools/with-display tools/demo $(BUILD)/win64
	# The forms a demonstration does not reach (the backdrop, the disk
	# change, the kit-directory question), from the decorations test.
	mkdir -p $(BUILD)/win64/screenshots/forms
	VTRL_SCREENSHOT_DIR='Z:$(abspath $(BUILD))/win64/screenshots/forms' \
	  VTRL_WINEPREFIX=$(abspath $(BUILD))/win64/dialogs/prefix-decorations \
	  xvfb-run -a -s "-screen 0 1024x768x24" tools/wine-run $(BUILD)/win64/dialogs/dialogs_decorations_test.exe \
	  --gtest_brief=1 --gtest_filter='*OnScreen*:*BackdropWindowMaximised*'
	@ls -l $(BUILD)/win64/screenshots/*/

bench: bench-archive bench-definition bench-install bench-signing bench-size

# What the fixed part of a distribution costs: the loading program and the
# setup and uninstall programs, raw and packed.
bench-size: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) demo-files
	tools/with-display tools/size-report $(BUILD)/win64

# Archive throughput against raw zlib (native Release build, no sanitizers).
bench-archive: deps
	cmake -G Ninja -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DVTRL_SANITIZE=OFF -DVTRL_TESTS=OFF
	ninja -C $(BUILD)/bench -j $(JOBS) vtrl_bench
	$(BUILD)/bench/archive/vtrl_bench

# Definition read time against component count (native Release build).
bench-definition: deps
	cmake -G Ninja -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DVTRL_SANITIZE=OFF -DVTRL_TESTS=OFF
	ninja -C $(BUILD)/bench -j $(JOBS) definition_bench
	$(BUILD)/bench/runtime/definition_bench

# Build and silent install of the sample product and of generated products
# of many small files under Wine, against vtrlarc extracting the same archive.
bench-install: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) bench-install-files
	tools/with-display tools/bench-install $(BUILD)/win64

# What signing adds to a build: the demonstration's product built without
# and with osslsigncode as the signing command.
bench-signing: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS) demo-files
	tools/with-display tools/bench-signing $(BUILD)/win64

# Build, install and uninstall against product size: generated products of
# SCALE_SIZES small files (80 to a folder), in a Windows tree of their own.
SCALE_SIZES ?= 1000;10000;100000
bench-scale: deps
	cmake -G Ninja -S . -B $(BUILD)/bench-scale -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVTRL_TESTS=OFF "-DVTRL_BENCH_SIZES=$(SCALE_SIZES)"
	ninja -C $(BUILD)/bench-scale -j $(JOBS) bench-install-files
	tools/with-display tools/bench-install $(BUILD)/bench-scale

# The kit side by side with NSIS (zlib) and an MSI (wixl) on the shared
# benchmark product, at PEER_SCALES (1 = 234 files, 20 MB; 10 = ten times).
# The peers' tools are installed here, not by `make test`.
PEER_SCALES ?= 1 10
PEER_BENCH  ?= $(CURDIR)/../shared/bench
bench-peers: deps
	@command -v makensis >/dev/null && command -v wixl >/dev/null && command -v msiinfo >/dev/null || \
	  (apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq nsis wixl msitools >/dev/null)
	@for s in $(PEER_SCALES); do \
	  (cd $(PEER_BENCH) && USE_XVFB=1 VANTREL_SRC=$(CURDIR) PEERS="vantrel nsis_zlib msi_wixl" ./peers.sh $$s) || exit 1; \
	done

# The fuzz targets (clang, libFuzzer) of the archive readers, of the
# definition reader and of the language table parser, for FUZZ_SECONDS
# each; every set runs even when an earlier one finds something.
FUZZ_SECONDS ?= 600
fuzz: deps
	cmake -G Ninja -S archive/fuzz -B $(BUILD)/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	ninja -C $(BUILD)/fuzz -j $(JOBS)
	cmake -G Ninja -S runtime/fuzz -B $(BUILD)/fuzz-definition -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	ninja -C $(BUILD)/fuzz-definition -j $(JOBS)
	cmake -G Ninja -S translate/fuzz -B $(BUILD)/fuzz-language-table -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	ninja -C $(BUILD)/fuzz-language-table -j $(JOBS)
	status=0; \
	FUZZ_SEED=0 archive/fuzz/run_fuzzers.sh $(BUILD)/fuzz $(FUZZ_SECONDS) || status=1; \
	FUZZ_SEED=0 runtime/fuzz/run_fuzzers.sh $(BUILD)/fuzz-definition $(FUZZ_SECONDS) || status=1; \
	FUZZ_SEED=0 translate/fuzz/run_fuzzers.sh $(BUILD)/fuzz-language-table $(FUZZ_SECONDS) || status=1; \
	exit $$status

clean:
	rm -rf $(BUILD)
