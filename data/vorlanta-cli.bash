# bash completion for vorlanta-cli

_vorlanta_cli()
{
    local cur prev
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}

    case $prev in
        -b)
            COMPREPLY=($(compgen -W '32 40 48 56 64 80 96 112 128 160 192 224 256 320' -- "$cur"))
            return
            ;;
        -d)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        -o|--files-from)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-b -o -d -j --overwrite --skip-existing --skip-lower --files-from -0 -h --help --version' -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -X '!*.[mM][pP]3' -- "$cur") $(compgen -d -- "$cur"))
}
complete -F _vorlanta_cli vorlanta-cli
