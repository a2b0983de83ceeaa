#!/usr/bin/env bash
# Fails when a C++ file of the project is not laid out as .clang-format says.
# clang-format -i over the same files fixes them.
set -euo pipefail
cd "$(dirname "$0")/.."
checks=1 SETUP_PACKAGES_ONLY=1 source tools/setup.sh
format="${CLANG_FORMAT:-clang-format-14}"
command -v "$format" >/dev/null || format=clang-format
git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h' 'setup/*.cpp' 'setup/*.h' 'demo/*.cpp' 'demo/*.h' |
  xargs -0 -n 50 -P "$(nproc)" "$format" --dry-run -Werror
echo "== format check passed"
