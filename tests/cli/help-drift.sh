#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keeps the manual page and the bash completion true to a program's --help:
# every option --help names must be in the manual page and be offered by the
# completion. With a completion script, also checks what it offers for
# values and for file names with blanks.
#   help-drift.sh PROGRAM MANPAGE [COMPLETION]
set -euo pipefail
program=$1 manpage=$2 completion=${3:-}
failed=0
fail() { echo "help-drift: $*" >&2; failed=1; }

help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help)
mapfile -t options < <(grep -oE '(^|[][ ,|(])(-[A-Za-z0-9]|--[a-z0-9][a-z0-9-]*)' <<< "$help" \
  | sed -E 's/^[][ ,|(]//' | sort -u)
[ ${#options[@]} -gt 2 ] || fail "found only '${options[*]}' in $program --help"

name=$(basename "$program")
# A wrong option is refused and named, with or without a display.
if wrong=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --bogus-option 2>&1); then
  fail "$name --bogus-option succeeded"
fi
grep -q -- 'bogus-option' <<< "$wrong" || fail "$name --bogus-option does not name the option: $wrong"
for option in "${options[@]}"; do
  # In roff every dash is written \-; the option must end there.
  roff=$(sed 's/-/\\\\-/g' <<< "$option")
  grep -qE "${roff}([^A-Za-z0-9\\\\]|\\\\f|\$)" "$manpage" || fail "$option of $name --help is not in $(basename "$manpage")"
done

[ -n "$completion" ] || exit $failed
completion=$(realpath "$completion")

# Drives the completion function as bash does at <Tab>: COMP_WORDS/COMP_CWORD in, COMPREPLY out.
offered() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
           "$(complete -p "$1" | sed -E "s/.*-F ([^ ]+) .*/\1/")"; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$completion" "$name" "$@" 2> /dev/null
}
all=$(offered -)
for option in "${options[@]}"; do
  grep -qxF -- "$option" <<< "$all" || fail "$option of $name --help is not offered by $(basename "$completion")"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/help-drift.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
touch 'My Song.MP3' other.mp3 notes.txt
[ "$(offered My)" = 'My Song.MP3' ] || fail "'My<Tab>' offers '$(offered My)', not the one name 'My Song.MP3'"
[ "$(offered -b 3)" = "$(printf '32\n320')" ] || fail "'-b 3<Tab>' offers '$(offered -b 3)'"
offered -j '' | grep -qvE '^[0-9]+$' && fail "'-j <Tab>' offers more than numbers: $(offered -j '' | tr '\n' ' ')"
offered '' | grep -qxF notes.txt && fail "'<Tab>' offers notes.txt, which is no MP3 file"
exit $failed
