#!/usr/bin/env bash
# Installs what is missing, builds Corvane and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF -DCORVANE_WERROR=OFF
cmake --build "$build"
if [ -x examples/demo.sh ]; then
  exec examples/demo.sh "$build/app/corvane"
fi
exec "$build/app/corvane" --version
