#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch DESTDIR and checks the installed layout:
# the programs find their encoder library and data without LD_LIBRARY_PATH,
# and the installed vorlanta-cli converts a synthesised file.
#   install-test.sh CMAKE BUILD_DIR PREFIX BINDIR BENCH_PROGRAM
set -eu
cmake=$1 build=$2 prefix=$3 bindir=$4 bench=$5

stage=$(mktemp -d "${TMPDIR:-/tmp}/vorlanta-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT
fail() { echo "install-test: $*" >&2; exit 1; }

DESTDIR=$stage/root "$cmake" --install "$build" > "$stage/install.log" || { cat "$stage/install.log"; fail "cmake --install failed"; }
root=$stage/root$prefix
case $bindir in /*) bin=$stage/root$bindir ;; *) bin=$root/$bindir ;; esac

expect() { [ -e "$1" ] || fail "missing after install: ${1#"$stage/root"}"; }
expect "$bin/vorlanta-cli"
expect "$root/share/man/man1/vorlanta-cli.1"
expect "$root/share/bash-completion/completions/vorlanta-cli"
expect "$root/share/doc/vorlanta/COPYING"
expect "$root/share/doc/vorlanta/README.md"
expect "$root/share/doc/vorlanta/NEWS"
# An installed copy keeps its settings in $XDG_CONFIG_HOME, not beside itself.
[ ! -e "$bin/vorlanta.portable" ] || fail "the build folder's portable marker was installed"
library=$(find "$stage/root" -path '*/vorlanta/liblame_enc.so' | head -n 1)
[ -n "$library" ] || fail "the encoder library is not in a private vorlanta folder"
[ ! -e "$bin/liblame_enc.so" ] || fail "the encoder library was installed beside the programs"
bash -n "$root/share/bash-completion/completions/vorlanta-cli" || fail "the completion script does not parse"

if [ -e "$build/bin/vorlanta" ]; then
  expect "$bin/vorlanta"
  expect "$root/share/vorlanta/help/intro.htm"
  expect "$root/share/man/man1/vorlanta.1"
  expect "$root/share/icons/hicolor/256x256/apps/vorlanta.png"
  expect "$root/share/icons/hicolor/16x16/apps/vorlanta.png"
  desktop=$(find "$root/share/applications" -name '*.desktop' | head -n 1)
  metainfo=$(find "$root/share/metainfo" -name '*.metainfo.xml' | head -n 1)
  [ -n "$desktop" ] && [ -n "$metainfo" ] || fail "desktop entry or metainfo missing"
  if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  fi
  if command -v appstreamcli > /dev/null; then
    appstreamcli validate --pedantic --no-net "$metainfo" > "$stage/appstream.log" 2>&1 \
      || { cat "$stage/appstream.log"; fail "appstreamcli rejects $metainfo"; }
  fi
  # Answers without a display and without opening a window.
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/vorlanta" --version) \
    || fail "vorlanta --version failed"
  echo "$version" | grep -q '^vorlanta [0-9]' || fail "unexpected version line: $version"
  # The installed programs find the installed translations.
  expect "$root/share/vorlanta/translations/vorlanta_de.qm"
  LANGUAGE=de "$bin/vorlanta-cli" --help | grep -q '^Aufruf: vorlanta-cli' || fail "vorlanta-cli --help is not German with LANGUAGE=de"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANGUAGE=fr "$bin/vorlanta" --help | grep -q 'Afficher cette aide' \
    || fail "vorlanta --help is not French with LANGUAGE=fr"
fi

"$bench" --make-source "$stage/song.mp3" 2 > /dev/null
env -u LD_LIBRARY_PATH "$bin/vorlanta-cli" -b 96 "$stage/song.mp3" > "$stage/cli.log" 2>&1 \
  || { cat "$stage/cli.log"; fail "the installed vorlanta-cli failed"; }
[ -s "$stage/song_96.mp3" ] || { cat "$stage/cli.log"; fail "no result from the installed vorlanta-cli"; }
echo "install-test: layout complete, installed vorlanta-cli converted $(wc -c < "$stage/song_96.mp3") bytes"
