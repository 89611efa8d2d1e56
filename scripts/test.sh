#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test (OpenGL tests under
# Xvfb), runs the threaded tests under ThreadSanitizer, checks formatting and naming, and proves that the
# installed package can be found and linked by a consumer.
set -euo pipefail
cd "$(dirname "$0")/.."

section() { printf '\n== %s ==\n' "$*"; }
started=$(date +%s)
elapsed() { echo "$(( $(date +%s) - started )) s"; }

section "dependencies"
bash scripts/setup-deps.sh

jobs=$(nproc)

section "format"
# The naming check needs the compile database, so it runs once the build is configured.
# VELLORO_FORMAT_BASE=<rev> limits it to the sources changed since that revision.
cmake --preset default -DVELLORO_WERROR=ON >/dev/null
bash scripts/check-format.sh ${VELLORO_FORMAT_BASE:+--base "$VELLORO_FORMAT_BASE"}

section "build ($(elapsed))"
# The same configuration as scripts/run.sh, so that either reuses the other's build.
source scripts/configure.sh
cmake --build --preset default -j "$jobs"

section "tests ($(elapsed))"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --preset default -j "$jobs" --timeout 600

section "benchmarks, once each with a tiny size ($(elapsed))"
if [ -f build/default/bench/run-benchmarks-once.sh ]; then
  bash build/default/bench/run-benchmarks-once.sh
else
  echo "no benchmarks built"
fi

section "threaded tests under ThreadSanitizer ($(elapsed))"
cmake --preset tsan -DVELLORO_WERROR=ON >/dev/null
cmake --build --preset tsan -j "$jobs" --target velloro_threaded_tests
ctest --preset tsan -j "$jobs" --timeout 900

section "installed package ($(elapsed))"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build/default --prefix "$prefix/install" >/dev/null
cmake -S tests/package -B "$prefix/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix/install" >/dev/null
cmake --build "$prefix/consumer"
"$prefix/consumer/velloro_consumer"

section "all tests passed ($(elapsed))"
