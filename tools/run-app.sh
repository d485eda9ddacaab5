#!/usr/bin/env bash
# Installs what is missing, builds, and starts DiDuzozoz with the example code lists.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
cd examples
exec ../build/qt/diduzozoz
