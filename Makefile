# SPDX-License-Identifier: GPL-3.0-or-later
# Vorlanta: set-up, build, run and test on a fresh Debian 12 machine.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test
#   make bench  the conversion benchmark
#   make fuzz   bounded libFuzzer runs over the tag probe, frame walk and frame chain,
#               and over the reader of sources in other formats
#   make deb    a Debian package from the tracked files, checked with lintian

BUILD   := build/release
ASAN    := build/asan
FUZZ    := build/fuzz
DEB     := build/deb
# Our own builds treat warnings as errors, build the tests and benchmarks
# (so they never rot); packagers' builds need not.
CMAKE   := cmake -G Ninja -Wno-dev -DVORLANTA_WERROR=ON -DBUILD_TESTING=ON -DVORLANTA_BENCHMARKS=ON
JOBS    ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test test-release test-asan bench fuzz deb clean

all: build

deps:
	@scripts/install-deps test

# Configured every time (a second or two), so an older build folder gets
# today's options too.
configure:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps configure
	ninja -C $(BUILD) -j $(JOBS)

run: build
	@scripts/run-vorlanta $(BUILD)/bin

test: deps test-release test-asan

test-release: configure
	ninja -C $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

# The engine, the encoder library and the command line under ASan and UBSan.
test-asan:
	$(CMAKE) -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVORLANTA_ENGINE_ONLY=ON -DVORLANTA_SANITIZE=ON
	ninja -C $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 600

bench:
	@scripts/install-deps bench
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	ninja -C $(BUILD) -j $(JOBS) vorlanta-bench vorlanta-bench-gui vorlanta-bench-folder vorlanta-bench-segments \
	  vorlanta-cli lame_enc
	$(BUILD)/bin/vorlanta-bench
	$(BUILD)/bin/vorlanta-bench-gui
	$(BUILD)/bin/vorlanta-bench-folder
	@# One long file on every core: the join quality, -j 2 against -j 1 on a
	@# 3- and a 30-minute source (15 and 5 rounds: medians, as the speed of
	@# this kind of machine drifts), and the memory peak of a 3-hour one.
	$(BUILD)/bin/vorlanta-bench-segments --seconds 60 --cli 3,30 --runs 15 --long-runs 5 --memory 180

fuzz:
	@scripts/install-deps fuzz
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVORLANTA_ENGINE_ONLY=ON -DVORLANTA_FUZZ=ON -DBUILD_TESTING=OFF
	ninja -C $(FUZZ) -j $(JOBS) fuzz_source_walk fuzz_decoded_source
	mkdir -p $(FUZZ)/corpus
	@# Seeds: tags and frame headers of each kind, so the search starts near real files.
	printf 'ID3\003\000\000\000\000\001\001' > $(FUZZ)/corpus/seed-id3v2
	printf '\377\373\220\104' > $(FUZZ)/corpus/seed-mpeg1
	printf '\377\363\200\304' > $(FUZZ)/corpus/seed-mpeg2
	printf '\377\343\202\104' > $(FUZZ)/corpus/seed-mpeg25
	printf 'TAGtitle' > $(FUZZ)/corpus/seed-id3v1
	@# Runs of frames, so the frame chain, free format and other layers are reached.
	for i in 1 2 3 4 5; do printf '\377\373\024\304'; head -c 92 /dev/zero; done > $(FUZZ)/corpus/seed-chain
	for i in 1 2 3 4 5; do printf '\377\373\004\304'; head -c 96 /dev/zero; done > $(FUZZ)/corpus/seed-free
	for i in 1 2 3 4 5; do printf '\377\375\024\304'; head -c 92 /dev/zero; done > $(FUZZ)/corpus/seed-layer2
	printf 'RIFF\044\000\000\000WAVEfmt ' > $(FUZZ)/corpus/seed-wave
	@# Joined streams: Layer II then Layer III, CBR then free format, with tags between.
	{ for i in 1 2 3 4; do printf '\377\375\240\004'; head -c 622 /dev/zero; done; \
	  for i in 1 2 3 4; do printf '\377\373\024\304'; head -c 92 /dev/zero; done; } > $(FUZZ)/corpus/seed-layers
	{ for i in 1 2 3 4; do printf '\377\373\024\304'; head -c 92 /dev/zero; done; printf 'TAG'; head -c 125 /dev/zero; \
	  printf 'ID3\003\000\000\000\000\000\000'; \
	  for i in 1 2 3 4; do printf '\377\373\004\304'; head -c 96 /dev/zero; done; } > $(FUZZ)/corpus/seed-cbr-free
	{ for i in 1 2 3; do printf '\377\377\224\004'; head -c 284 /dev/zero; done; \
	  for i in 1 2 3 4; do printf '\377\375\004\304'; head -c 300 /dev/zero; done; \
	  printf 'APETAGEX\320\007\000\000\040\000\000\000'; head -c 16 /dev/zero; } > $(FUZZ)/corpus/seed-layer1-free2
	$(FUZZ)/bin/fuzz_source_walk -max_total_time=$(FUZZ_SECONDS) -max_len=65536 $(FUZZ)/corpus
	@# Sources in other formats: short files of each kind, made here by their encoders.
	mkdir -p $(FUZZ)/corpus-decoded
	sox -n -r 8000 -c 2 -b 16 $(FUZZ)/seed.wav synth 0.05 sine 440 sine 660
	cp $(FUZZ)/seed.wav $(FUZZ)/corpus-decoded/seed.wav
	flac -s -f -T TITLE=t -o $(FUZZ)/corpus-decoded/seed.flac $(FUZZ)/seed.wav
	oggenc -Q -t t -o $(FUZZ)/corpus-decoded/seed.ogg $(FUZZ)/seed.wav
	opusenc --quiet --title t $(FUZZ)/seed.wav $(FUZZ)/corpus-decoded/seed.opus
	for codec in 'aac m4a' 'alac m4a' 'wmav2 wma' 'pcm_s24be aiff' 'wavpack wv' 'pcm_f32le w64'; do set -- $$codec; \
	  ffmpeg -v error -y -i $(FUZZ)/seed.wav -c:a $$1 -metadata title=t $(FUZZ)/corpus-decoded/seed-$$1.$$2 || exit 1; done
	$(FUZZ)/bin/fuzz_decoded_source -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -rss_limit_mb=4096 \
	  $(FUZZ)/corpus-decoded

# Built from the tracked files in a scratch copy, so the package never sees
# a build folder and dpkg-buildpackage writes only below $(DEB).
deb:
	@scripts/install-deps deb
	rm -rf $(DEB) && mkdir -p $(DEB)/vorlanta
	git ls-files -z | tar --null -T - -cf - | tar -xf - -C $(DEB)/vorlanta
	cd $(DEB)/vorlanta && VORLANTA_WERROR=1 DEB_BUILD_OPTIONS="parallel=$(JOBS)" \
	  dpkg-buildpackage -b -us -uc
	lintian --fail-on error $(DEB)/vorlanta_*.deb
	@# The desktop data as the package installs it.
	rm -rf $(DEB)/unpacked && dpkg-deb -x $(DEB)/vorlanta_*.deb $(DEB)/unpacked
	desktop-file-validate $(DEB)/unpacked/usr/share/applications/*.desktop
	appstreamcli validate --pedantic --no-net $(DEB)/unpacked/usr/share/metainfo/*.metainfo.xml
	@ls -1 $(DEB)/vorlanta_*.deb

clean:
	rm -rf build
