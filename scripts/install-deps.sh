#!/usr/bin/env bash
# Installs every Debian 12 package the launcher, its tests, fuzzers and benchmarks need;
# with --windows also the cross compiler and Wine of the Windows build.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcurl4-openssl-dev ca-certificates
  nlohmann-json3-dev
  libicu-dev
  libpng-dev zlib1g-dev libjpeg62-turbo-dev
  libcpp-httplib-dev libboost-dev
  libgtest-dev libgmock-dev
  xvfb xauth xdotool xdg-utils x11-apps tzdata icewm wmctrl
  fonts-dejavu-core fonts-open-sans fonts-urw-base35
  curl jq hyperfine openssl strace wrk iproute2
  squid nginx-light
)
if [ "${1:-}" = --windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix googletest wine wine64 wixl x11-utils)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# The proxy and web server are started by the tests themselves, on loopback ports of their own:
# keep the packages from starting system services while they are installed.
policy=/usr/sbin/policy-rc.d
added_policy=""
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
  added_policy=yes
fi
trap '[ -n "$added_policy" ] && $sudo rm -f "$policy"' EXIT
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
