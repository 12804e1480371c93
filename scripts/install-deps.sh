#!/usr/bin/env bash
# Installs, through apt-get, whatever the build, the program and its tests
# need and this Debian 12 machine does not have yet. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libgl1-mesa-dev
  libcurl4-openssl-dev libpcre2-dev libssl-dev openssl curl
  fonts-noto-cjk xvfb xauth
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi

# Locales the date tests switch between (24-hour and 12-hour clocks).
wanted_locales=(en_US.UTF-8 zh_CN.UTF-8 de_DE.UTF-8)
have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
need_gen=0
for l in "${wanted_locales[@]}"; do
  norm=$(echo "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  if ! grep -qx "$norm" <<<"$have"; then
    sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" >> /etc/locale.gen
    need_gen=1
  fi
done
if ((need_gen)); then
  locale-gen >/dev/null
fi
