#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need, when missing.
# --play: only what building and running the game needs.
set -euo pipefail
# libssl3: Qt's https (the lobby download) loads it at run time.
packages=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev libjpeg-dev libssl3)
if [ "${1:-}" != "--play" ]; then
  packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-apps imagemagick xdotool
             desktop-file-utils appstream clang libclang-rt-14-dev
             openssl)  # openssl: the download test's certificate
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
