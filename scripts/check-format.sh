#!/usr/bin/env bash
# Checks the C++ style: layout as .clang-format says (every file), and naming as .clang-tidy says
# (private and protected members m_camelCase, C++17 nested namespaces) on the sources of the
# library, the stand-ins and the programs.
#
#   scripts/check-format.sh                 check every file
#   scripts/check-format.sh --base <rev>    check naming only in sources changed since <rev>
#   scripts/check-format.sh --fix           rename and reformat every file in place
#
# The naming check reads the compile database of build/default (configured when missing).
# VELLORO_TIDY_JOBS sets how many clang-tidy processes run at once (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=check
base=
while [ $# -gt 0 ]; do
  case "$1" in
    --fix) mode=fix ;;
    --base) base=$2; shift ;;
    *) echo "usage: $0 [--fix] [--base <rev>]" >&2; exit 2 ;;
  esac
  shift
done
jobs=${VELLORO_TIDY_JOBS:-$(nproc)}
build=build/default

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "format: no C++ files"
  exit 0
fi

# The translation units clang-tidy runs on; headers are checked through them.
if [ -n "$base" ]; then
  mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- 'src/*' 'platform/*' 'apps/*' |
    grep -E '\.(cpp|h)$' || true)
  units=()
  for file in "${changed[@]}"; do
    unit=${file%.*}.cpp
    unit=${unit/\/internal\//\/}
    [ -f "$unit" ] && units+=("$unit")
  done
  mapfile -t units < <(printf '%s\n' "${units[@]}" | sort -u | sed '/^$/d')
else
  mapfile -t units < <(git ls-files 'src/*.cpp' 'platform/*.cpp' 'apps/*.cpp')
fi

if [ ${#units[@]} -gt 0 ] && [ ! -f "$build/compile_commands.json" ]; then
  cmake --preset default >/dev/null
fi

if [ "$mode" = fix ]; then
  if [ ${#units[@]} -gt 0 ]; then
    # Fixes from every unit are gathered and applied once, so a header shared by many units is
    # renamed once. It reports the names it fixed as errors; the check below shows what is left.
    run-clang-tidy -quiet -fix -j "$jobs" -p "$build" "${units[@]/#/$PWD/}" >/dev/null 2>&1 || true
    # A member spelled mName comes out as m_mName: drop the old prefix.
    mapfile -t renamed < <(git ls-files 'src/*' 'platform/*' 'apps/*' 'tests/*' 'bench/*' 'fuzz/*' |
      grep -E '\.(cpp|h)$' | xargs grep -lE '\bm_m[A-Z]' || true)
    if [ ${#renamed[@]} -gt 0 ]; then
      perl -pi -e 's/\bm_m([A-Z])/m_\l$1/g' "${renamed[@]}"
    fi
  fi
  clang-format -i "${files[@]}"
  echo "format: ${#files[@]} files formatted, names fixed in ${#units[@]} units"
  exit 0
fi

clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files are formatted"

if [ ${#units[@]} -eq 0 ]; then
  echo "naming: no sources to check"
  exit 0
fi
printf '%s\n' "${units[@]}" |
  xargs -P "$jobs" -n 4 clang-tidy --quiet -p "$build" 2>/dev/null
echo "naming: ${#units[@]} units follow .clang-tidy"
