#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and testing Tervan
# need and that are not installed yet. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake make       # compiler and build
  libgtest-dev                     # unit tests
  qt6-base-dev                     # the desktop program
  fonts-dejavu-core                # fonts for the offscreen GUI tests and screenshots
  python3 python3-ezdxf            # a real DXF reader for the DXF tests
  locales                          # a decimal-comma locale for the locale test
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
