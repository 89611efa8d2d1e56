#!/usr/bin/env bash
# The project's main job: installs what is missing, builds the example host application and
# starts it. Headless (the default, and the only choice without a display) it plays the sample
# sequence, picks a pixel, switches eyes, writes a screenshot of the window and of each panel,
# and says where they are. With --interactive and a display it opens the window instead.
#
#   scripts/run.sh [--interactive] [--screenshots DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

section() { printf '\n== %s ==\n' "$*"; }

interactive=0
shots=$root/build/default/screenshots
while [ $# -gt 0 ]; do
  case $1 in
    --interactive) interactive=1 ;;
    --screenshots) shots=$2; shift ;;
    *) echo "usage: scripts/run.sh [--interactive] [--screenshots DIR]" >&2; exit 2 ;;
  esac
  shift
done

section "dependencies"
bash scripts/setup-deps.sh

section "build"
# The same configuration as scripts/test.sh, so that either reuses the other's build.
source scripts/configure.sh
cmake --build --preset default -j "$(nproc)" --target velloro-example velloro-localise
example=$root/build/default/apps/velloro-example/velloro-example
# The sample media are written here on first run and reused afterwards.
media=$root/build/default/example-media

if [ "$interactive" = 1 ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  section "velloro-example"
  exec "$example" --media "$media"
fi

section "velloro-example, headless"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
if [ -n "${DISPLAY:-}" ]; then
  "$example" --media "$media" --screenshots "$shots"
else
  xvfb-run -a -s "-screen 0 1600x1024x24" "$example" --media "$media" --screenshots "$shots"
fi
ls "$shots"
echo "The sample sequence is in $media; scripts/localise-demo.sh shows the localisation tool."
