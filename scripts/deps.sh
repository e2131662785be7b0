#!/usr/bin/env bash
# Installs every package Velmora needs to build, test and run, under the names the
# release at hand gives them (Debian 12, 13, testing; Ubuntu 24.04 uses Debian 12's).
# Does nothing when all of them are already present.
#
# One entry per need:
#   name        required on every release
#   a|b         the first of these the release has (releases renamed or split some)
#   ?name       installed where the release has it, left out elsewhere
# A release that has none of an entry's required names fails here with every such
# entry listed, before apt is asked to install anything.
set -euo pipefail

PACKAGES=(
  g++ make cmake ninja-build pkg-config
  nlohmann-json3-dev libgtest-dev libgmock-dev
  # Debian 12 names the sanitizer runtimes after the compiler; later releases only
  # through the unversioned name, which on Debian 12 depends on the same package.
  clang 'libclang-rt-14-dev|libclang-rt-dev'
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev libxkbcommon-dev
  # Qt's SVG image plugin (the welcome icon) has its own package from Debian 13 on.
  'qt6-svg-plugins|libqt6svg6'
  qt6-wayland
  qml6-module-qtqml qml6-module-qtquick qml6-module-qtquick-controls
  qml6-module-qtquick-templates qml6-module-qtquick-window
  qml6-module-qtquick-layouts qml6-module-qtqml-workerscript
  qml6-module-qtquick-shapes qml6-module-qttest
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
  # An XEmbed tray host for the X-session tests: Debian testing dropped trayer.
  'trayer|stalonetray'
  xvfb xauth xdotool x11-utils libxcb1-dev fonts-dejavu-core fonts-noto-color-emoji
  # GNOME's interface font: its digits differ in width, so the tabular-figures test needs it.
  fonts-cantarell
  python3-pyatspi at-spi2-core dbus-daemon dbus-bin
  orca speech-dispatcher
  openbox desktop-file-utils appstream dpkg-dev lintian
  # The tray panel places itself through LayerShellQt where CMake finds its Qt 6 build
  # (Debian 13 on; Debian 12's package of that name is built for Qt 5).
  '?liblayershellqtinterface-dev'
  # The compositor is asked whether it offers the layer shell before the panel becomes one.
  libwayland-dev
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Whether the package lists read so far offer the package, and, for the layer-shell
# library, in its Qt 6 build.
available() {
  local candidate
  candidate=$(apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p')
  [ -n "$candidate" ] && [ "$candidate" != "(none)" ] || return 1
  case "$1" in
    liblayershellqtinterface-dev)
      apt-cache depends "$1" 2>/dev/null | grep -q 'qt6\|Qt6' ;;
  esac
}

# Fills `missing` with what to install and `unresolved` with entries the release lacks.
resolve() {
  missing=() unresolved=()
  local entry names n found
  for entry in "${PACKAGES[@]}"; do
    case "$entry" in
      \?*)
        n=${entry#\?}
        if ! installed "$n" && available "$n"; then missing+=("$n"); fi
        continue ;;
    esac
    IFS='|' read -r -a names <<<"$entry"
    found=""
    for n in "${names[@]}"; do
      if installed "$n"; then found=installed; break; fi
    done
    [ -n "$found" ] && continue
    for n in "${names[@]}"; do
      if available "$n"; then missing+=("$n"); found=$n; break; fi
    done
    [ -n "$found" ] || unresolved+=("$entry")
  done
  return 0
}

resolve
# Nothing missing and nothing unknown to the lists at hand: no need to ask the archive.
[ ${#missing[@]} -eq 0 ] && [ ${#unresolved[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps: need root or sudo to install: ${missing[*]} ${unresolved[*]}" >&2; exit 1; }
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# Waits for another install to finish instead of failing on the lock.
APT=(apt-get -o DPkg::Lock::Timeout=1200)
$SUDO "${APT[@]}" update -qq
resolve
if [ ${#unresolved[@]} -ne 0 ]; then
  release=$(. /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-this release}") || release="this release"
  echo "deps: $release has no package named: ${unresolved[*]}" >&2
  exit 1
fi
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
$SUDO "${APT[@]}" install -y -qq --no-install-recommends "${missing[@]}"
