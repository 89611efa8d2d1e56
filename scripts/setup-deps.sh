#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Velloro need.
# Does nothing (and says so) when every package is present; runs `apt-get update`
# only when something is missing; fails with the package's name when it cannot install.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache clang clang-format
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev
  libboost1.81-dev libboost-filesystem1.81-dev libboost-thread1.81-dev libboost-system1.81-dev
  libboost-date-time1.81-dev libboost-chrono1.81-dev
  libopencolorio-dev opencolorio-tools libopenimageio-dev openimageio-tools libopencv-core-dev
  libglew-dev libgl-dev libgl1-mesa-dri mesa-utils xvfb xauth fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup-deps: all ${#packages[@]} packages are already installed"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "setup-deps: installing ${#missing[@]} missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
if ! $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/velloro-setup-deps.log 2>&1; then
  # Retry one by one so that the failing package is named.
  for package in "${missing[@]}"; do
    if ! $sudo apt-get install -y -qq --no-install-recommends "$package" >>/tmp/velloro-setup-deps.log 2>&1; then
      echo "setup-deps: FAILED to install Debian package '$package' (see /tmp/velloro-setup-deps.log)" >&2
      tail -n 20 /tmp/velloro-setup-deps.log >&2
      exit 1
    fi
  done
fi
echo "setup-deps: done"
