# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for vorlanta-cli. Every option of `vorlanta-cli --help` is
# listed here (a test fails when one is missing); values are offered where
# they are a fixed list, file and folder names with spaces stay one word.

_vorlanta_cli_bitrates='32 40 48 56 64 80 96 112 128 160 192 224 256 320'
_vorlanta_cli_options='-b --bitrate -V --vbr --abr --replaygain -o --output -d --directory -j --jobs --overwrite --skip-existing --skip-lower --no-split --files-from -0 --null -h --help --version'

# Sets COMPREPLY to the lines of standard input, one entry a line, so that
# names with blanks are not split into words.
_vorlanta_cli_reply()
{
    local line
    COMPREPLY=()
    while IFS= read -r line; do
        COMPREPLY+=("$line")
    done
}

# Completes the value of option $1 from the word $2.
_vorlanta_cli_value()
{
    local option=$1 cur=$2
    case $option in
        -b | --bitrate | --abr)
            _vorlanta_cli_reply < <(compgen -W "$_vorlanta_cli_bitrates" -- "$cur")
            ;;
        -V | --vbr)
            _vorlanta_cli_reply < <(compgen -W '0 1 2 3 4 5 6 7 8 9' -- "$cur")
            ;;
        --replaygain)
            _vorlanta_cli_reply < <(compgen -W 'track album' -- "$cur")
            ;;
        -j | --jobs)
            _vorlanta_cli_reply < <(compgen -W "$(seq 1 "$(nproc 2> /dev/null || echo 1)")" -- "$cur")
            ;;
        -d | --directory)
            compopt -o filenames 2> /dev/null
            _vorlanta_cli_reply < <(compgen -d -- "$cur")
            ;;
        -o | --output | --files-from)
            compopt -o filenames 2> /dev/null
            _vorlanta_cli_reply < <(compgen -f -- "$cur")
            ;;
        *)
            return 1
            ;;
    esac
}

_vorlanta_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=
    [ "$COMP_CWORD" -gt 0 ] && prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    # bash splits --bitrate=64 into "--bitrate", "=" and "64".
    if [ "$cur" = = ]; then
        cur=
    elif [ "$prev" = = ] && [ "$COMP_CWORD" -gt 1 ]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi

    # The value after an option that takes one.
    if _vorlanta_cli_value "$prev" "$cur"; then
        return
    fi
    if [[ $cur == -* ]]; then
        _vorlanta_cli_reply < <(compgen -W "$_vorlanta_cli_options" -- "$cur")
        return
    fi
    # Sources: MP3 files and folders (a folder stands for the MP3 files below it).
    compopt -o filenames 2> /dev/null
    _vorlanta_cli_reply < <(compgen -f -X '!*.[mM][pP]3' -- "$cur"; compgen -d -- "$cur")
}
complete -F _vorlanta_cli vorlanta-cli
