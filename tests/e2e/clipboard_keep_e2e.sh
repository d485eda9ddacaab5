#!/bin/bash
# End to end: the barcode stays on the clipboard after the dialog closes. Under Xvfb, without
# and then with a clipboard manager that keeps only text (parcellite): Create through the
# window, close with a click on "終了", and the clipboard still offers every format it offered
# before, byte for byte, its image/png equal to the CLI's export pixel for pixel, served by one
# detached holder that keeps no file or terminal and ends when another program copies. Then
# the holder's faults: unreadable input and a lost X connection end it quietly.
# Usage: clipboard_keep_e2e.sh path/to/diduzozoz path/to/diduzozoz-cli
# Exit 77 (skipped) when the X tools are not installed.
set -euo pipefail
program="$(realpath "$1")"
cli="$(realpath "$2")"

# Two parts, each on an X server of its own: the dialog, then the holder's faults.
if [ -z "${E2E_PART:-}" ]; then
    for tool in xvfb-run xdotool xclip compare parcellite; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
    done
    E2E_PART=dialog xvfb-run -a -s "-screen 0 800x700x24" "$0" "$@"
    exec env E2E_PART=faults xvfb-run -a -s "-screen 0 800x700x24" "$0" "$@"
fi

work="$(mktemp -d)"
started=()
# Our processes (dialogs and holders) on this X server: tests on other servers may run the
# same program at the same time.
on_this_display() {
    local p
    for p in $(pgrep -f -- "$1"); do
        tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qxF "DISPLAY=$DISPLAY" && echo "$p"
    done
    return 0
}
ours() { on_this_display "^$program( |\$)"; }
holders() { on_this_display "^$program --keep-clipboard"; }
cleanup() {
    disown -a
    for p in "${started[@]}" $(ours); do kill -9 "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command until it succeeds, for at most $1 tenths of a second.
wait_for() {
    local tenths="$1"
    shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
cd "$work"
printf '%s\n' 1234567 > DiDuzozoz.ini
printf '%s\n' 12 > ViVederuvida.ini
"$cli" --type nw7 --code 1234567 --cd --pattern 1 -o expected.png > /dev/null

# xclip waits for the owner's answer; a stuck owner must not stall the test.
clip() { timeout 5 xclip -selection clipboard -t "$1" -o 2>/dev/null; }
has_png() { clip TARGETS | grep -qx image/png; }
# Every format on offer and its bytes; the time of taking the clipboard differs by nature.
snapshot() {
    mkdir -p "$1"
    clip TARGETS > "$1/TARGETS"
    local target
    for target in $(grep -vxE 'TARGETS|TIMESTAMP|MULTIPLE|SAVE_TARGETS' "$1/TARGETS"); do
        clip "$target" > "$1/${target//\//_}" || true
    done
}
serves_expected() {
    clip image/png > clip.png && [ "$(compare -metric AE clip.png expected.png null: 2>&1)" = 0 ]
}
# Ended: no such process, or one that has exited and waits to be reaped (a zombie).
gone() {
    local state
    state="$(ps -o stat= -p "$1" 2>/dev/null)" || true
    [ -z "$state" ] || [[ $state == Z* ]]
}
none_of_ours() { [ -z "$(ours)" ]; }

# Create through the window, close with the mouse on "終了"; prints the holder's pid.
create_and_close() {
    QT_QPA_PLATFORM=xcb "$program" &
    local pid=$! win
    started+=("$pid")
    win="$(timeout 60 xdotool search --sync --onlyvisible --name 'DiDuzozoz' | head -n 1)"
    [ -n "$win" ] || fail "the dialog did not appear"
    timeout 20 xdotool windowfocus --sync "$win"
    # Tab order from the code box: 作成, reference number, the type radios, the CD box of NW-7.
    timeout 20 xdotool key --delay 100 Tab Tab Tab space Tab space shift+Tab shift+Tab shift+Tab space
    wait_for 300 has_png || fail "no image/png on the clipboard"
    snapshot "before.$pid"
    # "終了" sits at (289, 238) of the dialog's 304 x 358 dialog units.
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove --window "$win" $((WIDTH * 289 / 304)) $((HEIGHT * 238 / 358)) click 1
    wait_for 200 gone "$pid" || fail "the dialog did not end after the click on 終了"
    # A holder that lost the clipboard to this dialog has a second to end.
    one_holder() { [ "$(holders | wc -l)" = 1 ]; }
    wait_for 20 one_holder || fail "not exactly one holder: $(holders | tr '\n' ' ')"
    snapshot "after.$pid"
    diff -r "before.$pid" "after.$pid" >&2 || fail "the clipboard changed when the dialog closed"
    holders
}

check_image_and_holder() {
    local holder="$1"
    serves_expected || fail "$2: the clipboard's image differs from the CLI's"
    # Nothing held: stdio on /dev/null, no file, no lock, no terminal, no folder but /.
    local fds
    fds="$(find "/proc/$holder/fd" -mindepth 1 -printf '%l\n' |
        grep -vxE '/dev/null|socket:\[[0-9]+\]|pipe:\[[0-9]+\]|anon_inode:.*' || true)"
    [ -z "$fds" ] || fail "$2: the holder keeps open: $fds"
    [ "$(readlink "/proc/$holder/cwd")" = / ] || fail "$2: the holder keeps its folder"
    ! grep -qw "$holder" /proc/locks || fail "$2: the holder holds a lock"
    [ "$(ps -o tty= -p "$holder" | tr -d ' ')" = "?" ] || fail "$2: the holder has a terminal"
}

# Another program copies: within a second no process of ours is left.
copy_elsewhere() {
    printf x | xclip -selection clipboard
    wait_for 10 none_of_ours || fail "$1: still running a second after a copy: $(ours)"
}

dialog_part() {
    # No clipboard manager.
    holder="$(create_and_close)"
    check_image_and_holder "$holder" "no manager"
    copy_elsewhere "no manager"
    echo "PASS: no manager"

    # parcellite, which keeps text only; a second closing dialog replaces the first holder.
    HOME="$work" parcellite >/dev/null 2>&1 &
    started+=($!)
    wait_for 100 eval 'xdotool search --name parcellite >/dev/null 2>&1' || true
    first="$(create_and_close)"
    check_image_and_holder "$first" "parcellite"
    second="$(create_and_close)"
    [ "$second" != "$first" ] || fail "the second dialog left no holder of its own"
    wait_for 10 gone "$first" || fail "the first holder did not make way"
    check_image_and_holder "$second" "parcellite, second dialog"
    copy_elsewhere "parcellite"
    echo "PASS: parcellite"
}

faults_part() {
    # The holder run directly. One that serves the image and a format beside it...
    "$cli" --type nw7 --code 1234567 --cd --pattern 1 -o expected.svg > /dev/null
    {
        printf 'DiDuzozoz clipboard 1\napplication/x-qt-image\n%s\n' "$(stat -c %s expected.png)"
        cat expected.png
        printf 'image/svg+xml\n%s\n' "$(stat -c %s expected.svg)"
        cat expected.svg
    } > good.bin
    # A sanitizer's report would go where the holder's messages go: nowhere. Its exit code shows.
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}exitcode=86" \
        "$program" --keep-clipboard 0 < good.bin > report.txt &
    holder=$!
    started+=("$holder")
    wait_for 300 test -s report.txt || fail "the holder did not report"
    serves_expected || fail "the holder does not serve the image"
    clip image/svg+xml | cmp -s - expected.svg || fail "the holder does not serve the SVG"

    # ... stays while others are given input they cannot read: they end at once, quietly.
    cat > bad_inputs.txt <<'TABLE'
empty|
another header|DiDuzozoz clipboard 2\ntext/plain\n1\nx
no entries|DiDuzozoz clipboard 1\n
count past the end|DiDuzozoz clipboard 1\ntext/plain\n99\nx
count not a number|DiDuzozoz clipboard 1\ntext/plain\n-1\nx
count without end|DiDuzozoz clipboard 1\ntext/plain\n99999999999999999999\nx
format without a name|DiDuzozoz clipboard 1\n\n1\nx
control byte in a name|DiDuzozoz clipboard 1\ntext\tplain\n1\nx
image that is no PNG|DiDuzozoz clipboard 1\napplication/x-qt-image\n4\n\x89PNX
TABLE
    while IFS='|' read -r name input; do
        printf '%b' "$input" > bad.bin
        set +e
        timeout 20 "$program" --keep-clipboard 0 < bad.bin > out.txt 2> bad_err.txt
        status=$?
        set -e
        [ "$status" -ge 1 ] && [ "$status" -le 2 ] || fail "$name: exit status $status"
        [ ! -s out.txt ] && [ ! -s bad_err.txt ] || fail "$name: not quiet: $(cat out.txt bad_err.txt)"
        serves_expected || fail "$name: the clipboard changed"
    done < bad_inputs.txt

    # The first holder's X connection breaks: the server closes it, as when the server ends.
    local owner
    owner="$(xdotool search --name '^Qt Selection Owner' | head -n 1)"
    [ -n "$owner" ] || fail "the holder's clipboard window was not found"
    xkill -id "$owner" > /dev/null
    set +e
    timeout 20 tail --pid="$holder" -f /dev/null
    wait "$holder"
    status=$?
    set -e
    [ "$status" -le 1 ] || fail "the holder ended with status $status when X went away"
    echo "PASS: faults"
}

"${E2E_PART}_part"
