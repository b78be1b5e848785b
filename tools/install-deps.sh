#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks, the
# fuzzers and the Debian package need. Idempotent: asks apt only for what is
# missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-webengine-dev libgl-dev
  fonts-dejavu-core fonts-liberation locales-all
  poppler-utils xvfb xauth imagemagick openbox x11-utils python3-jsonschema
  libqt6svg6 dpkg-dev file help2man lintian desktop-file-utils appstream
  g++-mingw-w64-x86-64-posix wine64 googletest
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
