#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. With arguments, starts the
# command-line tool with them instead (bash scripts/run.sh effects).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target zarn zarn-cli effects skins
if [ $# -gt 0 ]; then
  exec build/cli/zarn-cli "$@"
fi
exec build/app/zarn
