#!/usr/bin/env bash
# diduzozoz-cli under valgrind memcheck on a table of cases: no memory error, no leak. Then
# the renderer in a loop: a batch of 10,000 items peaks at the memory of a batch of 100.
#   memcheck_cli.sh CLI-FOR-VALGRIND [CLI]
set -u
CLI=$1
SHIPPED=${2:-$1}
command -v valgrind >/dev/null || { echo "valgrind missing"; exit 77; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '12\nabc\n\n%0130d\n34\r\n' 0 >"$dir/codes.ini"
printf '12\n\n' >"$dir/refs.ini"

cases=(
  "--type nw7 --code 12 --cd --text below -o $dir/a.png"
  "--type nw7 --code 123457 --cd --pattern 3 --unit 3 -o $dir/b.svg"
  "--type code39 --code CODE39 --cd --text above -o $dir/c.png"
  "--type jan --code 490123456789 --cd --text below -o $dir/d.png"
  "--type jan --code 4901234567894"
  "--type itf --code 12345 --cd --margin-x 0 -o $dir/e.png"
  "--type code128 --start A --code ABC --cd --text below -o $dir/f.png"
  "--type code128 --start C --code 12345 --cd -o $dir/g.png"
  "--type code128 --start B --code abc~ --cd --text below"
  "--type postal --code 1234567 --ref 12 --cd --text below -o $dir/h.png"
  "--type postal --code 123456"
  "--type none"
  "--type nw7 --unit 9"
  "--type nw7 --code 12 -o $dir/missing/x.png"
  "--type code39 --batch $dir/codes.ini --out-dir $dir --jobs 2"
  "--type postal --cd --batch $dir/codes.ini --batch-refs $dir/refs.ini --out-dir $dir --jobs 1"
)
failed=0
for c in "${cases[@]}"; do
  # shellcheck disable=SC2086
  valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
    --log-file="$dir/valgrind.log" "$CLI" $c >/dev/null 2>&1
  rc=$?
  if [ "$rc" -gt 2 ]; then
    echo "FAIL (exit $rc): $c"
    head -40 "$dir/valgrind.log"
    failed=1
  fi
done

seq 1 100 | awk '{ printf "%07d\n", $1 }' >"$dir/small.ini"
seq 1 10000 | awk '{ printf "%07d\n", $1 }' >"$dir/large.ini"
mkdir -p "$dir/out"
small=$(/usr/bin/time -f %M "$SHIPPED" --type itf --cd --text below --batch "$dir/small.ini" --out-dir "$dir/out" 2>&1 >/dev/null | tail -1)
large=$(/usr/bin/time -f %M "$SHIPPED" --type itf --cd --text below --batch "$dir/large.ini" --out-dir "$dir/out" 2>&1 >/dev/null | tail -1)
echo "peak memory: batch of 100 ${small} KB, batch of 10,000 ${large} KB"
if [ $((large - small)) -gt 1024 ]; then
  echo "FAIL: the batch of 10,000 needs more than 1 MB beyond the batch of 100"
  failed=1
fi
[ "$failed" = 0 ] && echo "memcheck: ${#cases[@]} cases clean"
exit $failed
