#!/usr/bin/env bash
# Installs what is missing, builds the normal and the sanitizer configuration warning-free,
# and runs the whole test suite in both; then the same for the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

# Formatting is part of the build's hygiene.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

cmake --preset default -DDIDUZOZOZ_WERROR=ON >/dev/null
cmake --preset asan -DDIDUZOZOZ_WERROR=ON >/dev/null
cmake --build build

# Every test has a time limit (300 s where it sets none of its own), so nothing can hang the
# suite; the dialog's tests fail by name long before theirs.
# The sanitizer configuration builds while the normal one's tests run: races show on a busy
# machine, so the suite has to pass on one.
asan_log="$(mktemp)"
trap 'rm -f "$asan_log"' EXIT
cmake --build build-asan >"$asan_log" 2>&1 &
asan_build=$!
(cd build && ctest --output-on-failure -j2 --timeout 300)
if ! wait "$asan_build"; then
    cat "$asan_log"
    echo "the sanitizer build failed" >&2
    exit 1
fi
(cd build-asan && ctest --output-on-failure -j2 --timeout 300)

# The dialog's tests and the end-to-end test, five times more in a row in both
# configurations: a test that passes once on an idle machine has not passed.
for dir in build build-asan; do
    (cd "$dir" && ctest --output-on-failure -R 'dialog_widgets|dialog_clipboard_e2e' \
        --repeat until-fail:5)
done

# The Windows build (mingw-w64) and its tests under Wine, and its output compared with the
# Linux build's.
bash tools/run-windows-tests.sh build/cli/diduzozoz-cli

# The fuzz targets, a minute each on top of their seed corpora.
bash tools/fuzz.sh 60
