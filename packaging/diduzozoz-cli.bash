# bash completion for diduzozoz-cli

# One line per option: the option, then what its value completes to.
#   (nothing)        the option takes no value
#   =WORD WORD ...   one of these words
#   <file>           a file name; <file:EXT|EXT> one with such an extension
#   <dir>            a folder name
#   <any>            a value of the user's own; nothing is offered
_diduzozoz_cli_options='
--type        =none nw7 code39 jan itf code128 postal
--code        <any>
--ref         <any>
--cd
--pattern     <any>
--start       =A B C D
--stop        =A B C D
--form        =jan13 jan8 plain interleaved itf14 fixed auto gs1 digits address-number address
--address     <any>
--text        =none below above
--unit        =1 2 3 4 5 6 7 8
--height      <any>
--margin-x    <any>
--margin-y    <any>
-o            <file:png|svg|pdf|eps>
--batch       <file>
--batch-refs  <file>
--out-dir     <dir>
--format      =png svg pdf eps
--dpi         <any>
--jobs        <any>
--sheet       =a4-3x8 a4-4x11 a4-2x6
--serial      <any>
--copies      <any>
--first-label <any>
--printer-dpi <any>
--label-offset <any>
--leave-holes
--verify
--verify=own
--verify=zxing
--verify=both
--help
--version
'

_diduzozoz_cli() {
    local cur prev words cword
    _init_completion || return

    local name value names=() kind=""
    while read -r name value; do
        [[ -n $name ]] || continue
        names+=("$name")
        [[ $name == "$prev" ]] && kind=$value
    done <<<"$_diduzozoz_cli_options"

    case $kind in
        =*) mapfile -t COMPREPLY < <(compgen -W "${kind#=}" -- "$cur") ;;
        '<file>') _filedir ;;
        '<file:'*) kind=${kind#<file:} && _filedir "${kind%>}" ;;
        '<dir>') _filedir -d ;;
        '<any>') ;;
        *) mapfile -t COMPREPLY < <(compgen -W "${names[*]}" -- "$cur") ;;
    esac
} && complete -F _diduzozoz_cli diduzozoz-cli
