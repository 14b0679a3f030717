#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over every source file of a build without
# sanitizers (build/tidy). It takes several minutes on 8 cores (over ten when the machine is
# busy), so the test command does not run it; run it before a change that touches many files.
#   ./scripts/tidy.sh [FILE-REGEX]     e.g. ./scripts/tidy.sh 'host/carto/'
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v run-clang-tidy > /dev/null; then
  echo "run-clang-tidy is missing: apt-get install clang-tidy" >&2
  exit 2
fi
build=${CORVANE_TIDY_BUILD:-build/tidy}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_BENCH=ON > /dev/null
# The desktop sources include what moc makes from their headers.
if ninja -C "$build" -t query corvane_desktop_autogen > /dev/null 2>&1; then
  cmake --build "$build" --target corvane_desktop_autogen > /dev/null
fi
# Everything of ours, nothing the build generated. GCC's own warning flags are unknown to
# clang, which is told not to mind.
run-clang-tidy -p "$build" -quiet -j"$(nproc)" -extra-arg=-Wno-unknown-warning-option \
  "^(?!.*/build/).*${1:-}"
