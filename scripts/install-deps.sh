#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and testing Tervan
# need and that are not installed yet. Run as root (or with sudo available).
#   install-deps.sh            the Linux build and its tests
#   install-deps.sh --windows  also the Windows build and its tests under wine
#   install-deps.sh --fuzz     also clang and its fuzzer runtime (make fuzz)
set -euo pipefail

packages=(
  build-essential cmake make       # compiler and build
  dpkg-dev                         # make package: the package's dependencies (dpkg-shlibdeps)
  man-db groff-base                # make package: its manual pages checked with man and groff
  libgtest-dev                     # unit tests
  qt6-base-dev                     # the desktop program
  fonts-dejavu-core                # fonts for the offscreen GUI tests and screenshots
  python3 python3-ezdxf            # a real DXF reader for the DXF tests
  gdal-bin libxml2-utils           # ogrinfo and xmllint read the CSV, the DXF layers and the LandXML back
  locales                          # a decimal-comma locale for the locale test
  mawk                             # make bench: the yardstick
)
if [ "${1:-}" = "--windows" ]; then
  packages+=(
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev  # the cross compiler (std::thread needs POSIX threads)
    googletest                     # GoogleTest's sources, built with the cross compiler
    zip                            # dist/tervan-windows.zip
    nsis                           # the installer, dist/tervan-windows-setup.exe
    wine wine64 fonts-wine         # the tests run the Windows programs under 64-bit wine
    socat                          # a linked pair of pseudo-terminals as COM12 and COM13
    xvfb xauth xdotool imagemagick # the window under Xvfb, a key press and a screenshot
  )
fi
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-dev)  # libFuzzer and the sanitizer runtimes
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
fi

# The GUI's locale test needs a locale whose decimal point is a comma.
if ! locale -a 2>/dev/null | grep -qi '^bg_BG\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo sed -i 's/^# *bg_BG.UTF-8 UTF-8/bg_BG.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^bg_BG.UTF-8 UTF-8' /etc/locale.gen || echo 'bg_BG.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi
