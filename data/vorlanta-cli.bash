# bash completion for vorlanta-cli

_vorlanta_cli()
{
    local cur prev
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}

    case $prev in
        -b|--abr)
            COMPREPLY=($(compgen -W '32 40 48 56 64 80 96 112 128 160 192 224 256 320' -- "$cur"))
            return
            ;;
        -V)
            COMPREPLY=($(compgen -W '0 1 2 3 4 5 6 7 8 9' -- "$cur"))
            return
            ;;
        --replaygain)
            COMPREPLY=($(compgen -W 'track album' -- "$cur"))
            return
            ;;
        -d)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        -o)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-b -V --abr --replaygain -o -d --overwrite -h --help --version' -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -X '!*.[mM][pP]3' -- "$cur") $(compgen -d -- "$cur"))
}
complete -F _vorlanta_cli vorlanta-cli
