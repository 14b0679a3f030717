#!/usr/bin/env bash
# Checks that every C++ source is formatted as .clang-format says; with --fix, formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run --Werror)
[ "${1:-}" = "--fix" ] && mode=(-i)
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format "${mode[@]}"
else
  find app extension host tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format "${mode[@]}"
fi
