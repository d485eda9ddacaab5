#!/usr/bin/env bash
# Installs what is missing, builds the normal and the sanitizer configuration warning-free,
# and runs the whole test suite in both; then the same for the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

# Formatting is part of the build's hygiene.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

for preset in default asan; do
  dir=build; [ "$preset" = asan ] && dir=build-asan
  cmake --preset "$preset" -DDIDUZOZOZ_WERROR=ON >/dev/null
  cmake --build "$dir"
  (cd "$dir" && ctest --output-on-failure -j2)
done

# The Windows build (mingw-w64) and its tests under Wine, and its output compared with the
# Linux build's.
bash tools/run-windows-tests.sh build/cli/diduzozoz-cli

# The fuzz targets, a minute each on top of their seed corpora.
bash tools/fuzz.sh 60
