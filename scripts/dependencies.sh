#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever the build and the tests need and the machine lacks.
# Sourced by ./run and ./test.
set -euo pipefail

QB_PACKAGES=(
  cmake g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev
  libavformat-dev libavcodec-dev libavcodec-extra libavfilter-dev
  libswscale-dev libswresample-dev libavutil-dev
  googletest libgtest-dev
  ffmpeg            # ffprobe checks what the converter wrote; bench compares against the stock tool
  openssl ca-certificates  # tests make their own certificate authority; https trusts the system's
  xvfb xauth        # screenshots and a real display for ./run on a headless machine
  fonts-dejavu-core # closest free face to the windows' Verdana
  clang libclang-rt-14-dev  # fuzz/run: libFuzzer and clang's sanitizer runtimes
  clang-format              # scripts/check-format, with the project's .clang-format
  dpkg-dev file lintian     # ./package: dependencies from the binaries, and the package's check
  appstream desktop-file-utils  # validate the software-catalogue data and the desktop entry
  dbus-daemon       # dbus-run-session: a session bus of their own for the desktop notification tests
)

qb_install_dependencies() {
  local missing=()
  local p
  for p in "${QB_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
