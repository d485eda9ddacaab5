#!/usr/bin/env bash
# DiDuzozoz side by side with zint, in one session on the same machine, files in /dev/shm:
#   1. one barcode per process: /bin/true, zint and diduzozoz-cli (hyperfine -N, interleaved);
#   2. batches of 10,000 codes: zint --batch against diduzozoz-cli --batch, one job and all;
#   3. the floor: fill a raster of the same size, encode it as a 1-bit PNG, write the file.
# Same module width (1 pixel) and no text on both sides. Prints a table and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

missing=()
command -v zint >/dev/null || missing+=(zint)
command -v hyperfine >/dev/null || missing+=(hyperfine)
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update >/dev/null
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi
bash tools/install-deps.sh >/dev/null

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIDUZOZOZ_BENCH=ON \
      -DDIDUZOZOZ_GUI=OFF -DDIDUZOZOZ_TESTS=OFF >/dev/null
cmake --build build-bench >/dev/null
CLI="$ROOT/build-bench/cli/diduzozoz-cli"
FLOOR="$ROOT/build-bench/bench/bench_floor"
N=${N:-10000}
JOBS=$(nproc)
WORK=$(mktemp -d /dev/shm/diduzozoz-compare.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# name | zint symbology | zint scale | zint data | our options | batch line formats (zint, ours)
# zint's scale 0.5 draws one pixel per module, like our unit 1; for the postal code, whose
# bars are two pixels wide with two-pixel gaps in ours, zint's scale 1 draws the same.
SYMBOLS=(
  "code128|20|0.5|Hello-1234|--type code128 --start B --cd --code Hello-1234|Item-%05d|Item-%05d"
  "codabar|18|0.5|A1234567890B|--type nw7 --start A --stop B --code 1234567890|A%010dB|%010d"
  "code39|8|0.5|ABC-1234|--type code39 --code ABC-1234|ITEM-%05d|ITEM-%05d"
  "ean13|13|0.5|490123456789|--type jan --cd --code 490123456789|49%010d|49%010d"
  "postal|76|1|1234567|--type postal --cd --code 1234567|%07d|%07d"
)

png_size() {  # width and height from a PNG's IHDR
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

mean_ms() {  # hyperfine CSV: command,mean,... in seconds
  awk -F, -v row="$2" 'NR == row + 1 { printf "%.3f", $2 * 1000 }' "$1"
}

printf '\n== One barcode per process (mean wall time, ms) ==\n'
printf '%-8s %9s %9s %9s %12s %12s %10s\n' type true zint ours zint/true ours/true ours/zint
for entry in "${SYMBOLS[@]}"; do
  IFS='|' read -r name zb zscale zdata ours _ _ <<<"$entry"
  csv="$WORK/$name.csv"
  hyperfine -N --warmup 20 --runs 300 --export-csv "$csv" --style none \
    "/bin/true" \
    "zint -b $zb -d $zdata --notext --scale=$zscale -o $WORK/z-$name.png" \
    "$CLI $ours -o $WORK/d-$name.png" >/dev/null
  t=$(mean_ms "$csv" 1); z=$(mean_ms "$csv" 2); d=$(mean_ms "$csv" 3)
  awk -v n="$name" -v t="$t" -v z="$z" -v d="$d" \
    'BEGIN { printf "%-8s %9.3f %9.3f %9.3f %12.2f %12.2f %10.2f\n", n, t, z, d, z / t, d / t, d / z }'
done

printf '\n== Batches of %d codes (microseconds per barcode) ==\n' "$N"
printf '%-8s %9s %9s %9s %9s %11s %11s %11s  %s\n' type zint "ours-1" "ours-$JOBS" floor "zint/ours1" \
  "zint/oursN" "ours1/floor" "image sizes (zint, ours)"
for entry in "${SYMBOLS[@]}"; do
  IFS='|' read -r name zb zscale _ ours zfmt dfmt <<<"$entry"
  ours=${ours% --code *}
  mkdir -p "$WORK/z-$name" "$WORK/d1-$name" "$WORK/dn-$name" "$WORK/f-$name"
  seq 1 "$N" | awk -v f="$zfmt" '{ printf f "\n", $1 }' >"$WORK/$name-zint.txt"
  seq 1 "$N" | awk -v f="$dfmt" '{ printf f "\n", $1 }' >"$WORK/$name-ours.ini"
  csv="$WORK/$name-batch.csv"
  hyperfine -N --warmup 1 --runs 3 --export-csv "$csv" --style none \
    "zint -b $zb --notext --scale=$zscale --batch -i $WORK/$name-zint.txt -o $WORK/z-$name/~~~~~~.png" \
    "$CLI $ours --batch $WORK/$name-ours.ini --out-dir $WORK/d1-$name --jobs 1" \
    "$CLI $ours --batch $WORK/$name-ours.ini --out-dir $WORK/dn-$name --jobs $JOBS" >/dev/null
  z=$(mean_ms "$csv" 1); d1=$(mean_ms "$csv" 2); dn=$(mean_ms "$csv" 3)
  # The floor for an image of the size ours makes.
  size=$(png_size "$WORK/d1-$name/000001.png")
  floor=$("$FLOOR" $size "$N" "$WORK/f-$name")
  zsize=$(png_size "$(ls "$WORK/z-$name" | head -1 | sed "s|^|$WORK/z-$name/|")")
  awk -v n="$name" -v z="$z" -v a="$d1" -v b="$dn" -v f="$floor" -v N="$N" -v sz="${zsize/ /x}, ${size/ /x}" 'BEGIN {
    zu = z * 1000 / N; au = a * 1000 / N; bu = b * 1000 / N;
    printf "%-8s %9.2f %9.2f %9.2f %9.2f %11.2f %11.2f %11.2f  %s\n", n, zu, au, bu, f, zu / au, zu / bu, au / f, sz }'
done
