#!/usr/bin/env bash
# The bash completion and diduzozoz-cli --help cannot drift apart: the completion offers
# exactly the options --help lists, and for every option whose entry names its values
# (a|b|c) exactly those values. File, folder and free values complete as such.
# Usage: completion_test.sh path/to/diduzozoz-cli path/to/completion
set -uo pipefail
cli=$1
completion=$(realpath "$2")
helper=$(realpath "$(dirname "$0")/complete.sh")
offered() { bash "$helper" --source "$completion" "$@"; }

failed=0
expect() {  # what expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1"
        diff <(echo "$2") <(echo "$3") | sed 's/^/  /'
        failed=1
    fi
}
lines() { printf '%s\n' "$@" | LC_ALL=C sort; }

help=$("$cli" --help) || { echo "FAIL: $cli --help"; exit 1; }
options=$(grep -oE '(^|[[:space:][])--?[a-z][a-z0-9-]*' <<<"$help" | sed 's/^[[:space:][]*//' |
          LC_ALL=C sort -u)

# An option's entry is its line and the indented lines under it; its values are every word
# list a|b|c in it, together (--form lists the forms of each type on a line of its own).
lists=$(awk '
    /^[ \t]+-/              { opt = $1; line = substr($0, index($0, opt) + length(opt)) }
    /^[ \t]+[^ \t-]/ && opt { line = $0 }
    /^[^ \t]/ || /^$/       { opt = "" }
    opt && match(line, /[a-z0-9][a-z0-9-]*(\|[a-z0-9][a-z0-9-]*)+/) {
        list = substr(line, RSTART, RLENGTH)
        if (opt in seen) { values[opt] = values[opt] "|" list }
        else { seen[opt] = 1; order[++n] = opt; values[opt] = list }
    }
    END { for (i = 1; i <= n; i++) print order[i], values[order[i]] }' <<<"$help")
[ -n "$lists" ] || { echo "FAIL: no value list found in --help"; failed=1; }

# An option whose value is optional (--name[=V]) completes as the bare option and as
# --name=value for each of its values.
inline=$(grep -oE '(^|[[:space:]])--[a-z][a-z0-9-]*\[=' <<<"$help" | sed 's/^[[:space:]]*//; s/\[=$//')
for option in $inline; do
    values=$(awk -v o="$option[=" 'index($1, o) == 1 { print $2 }' <<<"$lists")
    [ -n "$values" ] || { echo "FAIL: $option[=V] names no values"; failed=1; }
    options+=$'\n'$(tr '|' '\n' <<<"$values" | sed "s/^/$option=/")
    lists=$(awk -v o="$option[=" 'index($1, o) != 1' <<<"$lists")
done
options=$(LC_ALL=C sort -u <<<"$options")

expect "the options of --help" "$options" "$(offered -)"
expect "options after a value" "$(grep -- '^--' <<<"$options")" "$(offered --type jan --)"
while read -r option values; do
    expect "the values of $option" "$(tr '|' '\n' <<<"$values" | LC_ALL=C sort)" \
        "$(offered "$option" "")"
done <<<"$lists"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
touch a.png b.SVG c.ini
mkdir sub
expect "-o: images and folders" "$(lines a.png b.SVG sub)" "$(offered -o "")"
expect "--batch: any file" "$(lines a.png b.SVG c.ini sub)" "$(offered --batch "")"
expect "--out-dir: folders" "sub" "$(offered --out-dir "")"
expect "--code: nothing" "" "$(offered --code "")"
expect "a prefix" "$(lines code128 code39)" "$(offered --type co)"

[ $failed -eq 0 ] && echo "completion matches --help"
exit $failed
