#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that building, running and testing
# Zentravelle needs. Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-image-formats-plugins libqt6svg6
  libgl-dev libxcb1-dev
  libxml2-dev libplist-dev libturbojpeg0-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas
  cinnamon-desktop-data mate-desktop-common
  xfconf libxfconf-0-3 dbus-daemon
  xvfb xdotool openbox x11-utils x11-xserver-utils imagemagick
  fonts-dejavu-core
  # desktop backends: Plasma over D-Bus (a private bus and a script engine in its
  # tests), the X11 root pixmap; the installed .desktop file's validator
  dbus libx11-dev qt6-declarative-dev desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
