#!/usr/bin/env bash
# The one configuration of the default build, shared by scripts/run.sh and scripts/test.sh: with
# the same options, whichever runs second reuses what the first compiled. Run from the source
# root (both scripts source it after changing there).
set -euo pipefail
# Fresh clones in other folders reuse the compiler cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true CCACHE_MAXSIZE=5G
cmake --preset default -DVELLORO_WERROR=ON >/dev/null
