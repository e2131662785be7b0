#!/usr/bin/env bash
# Installs every Debian package Velmora needs to build, test and run.
# Does nothing when all of them are already present.
set -euo pipefail

PACKAGES=(
  g++ make cmake ninja-build pkg-config
  nlohmann-json3-dev libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev libxkbcommon-dev
  qml6-module-qtqml qml6-module-qtquick qml6-module-qtquick-controls
  qml6-module-qtquick-templates qml6-module-qtquick-window
  qml6-module-qtquick-layouts qml6-module-qtqml-workerscript
  qml6-module-qtquick-shapes qml6-module-qttest
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
  xvfb xauth trayer xdotool x11-utils libxcb1-dev fonts-dejavu-core fonts-noto-color-emoji
  python3-pyatspi at-spi2-core dbus-daemon dbus-bin
  openbox desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
