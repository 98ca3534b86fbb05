#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds the toolbar strips and the application icon in src/window/resources/.
# Usage: scripts/artwork/make_artwork.sh [preview-folder]
# With a preview folder, enlarged previews of the strips are written there too.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${TMPDIR:-/tmp}/vorlanta-artwork-build
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/make_artwork" "$root/src/window/resources" "$@"
