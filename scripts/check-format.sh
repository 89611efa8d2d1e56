#!/usr/bin/env bash
# Fails when a C++ file in the repository is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' -not -path './build/*')
if [ ${#files[@]} -eq 0 ]; then
  echo "format: no C++ files"
  exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files are formatted"
