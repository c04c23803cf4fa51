#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git
  qt6-base-dev libgl-dev
  libmariadb-dev mariadb-server mariadb-client
  libcurl4-openssl-dev libzint-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-aiosmtpd
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installerer: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# The distribution's own server must not start on install; we run private ones.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive RUNLEVEL=1 \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
