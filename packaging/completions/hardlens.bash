# bash completion for hardlens, the window                 -*- shell-script -*-

_hardlens() {
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
    --snapshot)
        _filedir
        return
        ;;
    -platform)
        COMPREPLY=($(compgen -W 'xcb wayland offscreen' -- "$cur"))
        return
        ;;
    esac
    $split && return

    [[ $cur == -* ]] &&
        COMPREPLY=($(compgen -W '--snapshot --help --version -platform' -- "$cur"))
}
complete -F _hardlens hardlens
