# bash completion for trovia
_trovia()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=($(compgen -W '--toggle --hidden --help --version' -- "$cur"))
}
complete -F _trovia trovia
