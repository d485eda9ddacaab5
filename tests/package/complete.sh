#!/usr/bin/env bash
# Prints, sorted and one a line, what bash completion offers on a diduzozoz-cli command line.
# Usage: complete.sh [--source FILE] WORD...
# The words follow the program name; the last one is being completed (pass "" for a new
# word). Without --source the completion is found the way an interactive shell finds it,
# through bash-completion's loader and the installed completions.
file=""
if [ "${1:-}" = --source ]; then
    file=$2
    shift 2
fi
# shellcheck source=/dev/null
. /usr/share/bash-completion/bash_completion || exit 2
if [ -n "$file" ]; then
    # shellcheck source=/dev/null
    . "$file" || exit 2
else
    _completion_loader diduzozoz-cli
fi
registered=$(complete -p diduzozoz-cli 2>/dev/null) || {
    echo "no bash completion for diduzozoz-cli" >&2
    exit 1
}
func=${registered#*-F }
func=${func%% *}

COMP_WORDS=(diduzozoz-cli "$@")
COMP_CWORD=$#
COMP_LINE="${COMP_WORDS[*]}"
COMP_POINT=${#COMP_LINE}
COMPREPLY=()
"$func" diduzozoz-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
[ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
