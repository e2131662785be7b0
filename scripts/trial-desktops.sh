#!/usr/bin/env bash
# Desktop trials: the game under real desktops, checked from outside as a player meets it.
#
#   bash scripts/trial-desktops.sh PATH/TO/velmora [desktop ...]      (or: make trial-desktops)
#
# Desktops: gnome-x11 (GNOME Shell on X11 with the AppIndicator extension), plasma-x11 (KDE
# Plasma on X11, Breeze light), plasma-x11-dark (the same with Breeze Dark); all three when none
# is named. mate and xfce (their panels' trays at the top) and gnome-wayland (GNOME Shell on
# Wayland with the extension; the game chooses its platform itself there) run when named. Each
# runs headless on its own Xvfb (-displayfd; GNOME on Wayland: its own XWayland), its own
# dbus-run-session and its own HOME and XDG folders, with
# the game over a temporary store (welcome already shown), and checks:
#   - the tray icon appears; its symbol's mean luminance differs from the panel's behind it by
#     at least 40 % of the full range (from screenshots before and after the game started);
#   - the first open, through the icon's menu ("Open Velmora"), puts the panel next to the icon;
#   - a single left click opens the panel, next to the icon;
#   - the open panel is in no task list (not a managed client, or _NET_WM_STATE_SKIP_TASKBAR);
#   - a double click leaves the panel open, with no unmap in between (xev records every one).
# The icon is found as what appeared in the panel strip (the part of the screen outside
# _NET_WORKAREA) when the game started: neither host draws it in an X window of its own, and
# this works on any build, whatever it draws and however the host orders its items.
#
# Prints one PASS/FAIL line per check and 'N passed, N failed'; exits non-zero on a failure.
# The game from a build folder is installed into a scratch prefix first, so hosts find its
# icons as on a player's machine (TRIAL_FROM_BUILD=1: run it in place).
# Screenshots, figures (notes.txt) and the game's output stay in TRIAL_OUT (default: a new
# folder under /tmp, printed). Run as root on a fresh machine it installs the desktops' Debian
# packages first (Plasma is large), as scripts/deps.sh does for the build.
set -uo pipefail

usage="usage: trial-desktops.sh PATH/TO/velmora [gnome-x11|gnome-wayland|plasma-x11|plasma-x11-dark|mate|xfce ...]"
app=${1:?$usage}
shift
[ -x "$app" ] || { echo "trial-desktops: $app is not an executable" >&2; exit 2; }
app=$(cd "$(dirname "$app")" && pwd)/$(basename "$app")
desktops=("$@")
[ ${#desktops[@]} -gt 0 ] || desktops=(gnome-x11 plasma-x11 plasma-x11-dark)
here=$(cd "$(dirname "$0")" && pwd)

packages=(xvfb xauth xdotool x11-utils imagemagick dbus-daemon dbus-bin python3 wmctrl)
for d in "${desktops[@]}"; do
  [ -f "$here/lib/trial-desktop-$d.sh" ] || { echo "trial-desktops: unknown desktop $d; $usage" >&2; exit 2; }
  mapfile -t -O ${#packages[@]} packages < <(source "$here/lib/trial-desktop-$d.sh"; printf '%s\n' "${TRIAL_PACKAGES[@]}")
done
missing=()
for p in "${packages[@]}"; do
  [ -n "$p" ] || continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "trial-desktops: missing packages (install them as root): ${missing[*]}" >&2
    exit 2
  fi
  echo "trial-desktops: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=1200 update -qq
  mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
  apt-get -o DPkg::Lock::Timeout=1200 install -y -qq --no-install-recommends "${missing[@]}" || exit 2
fi

out=${TRIAL_OUT:-$(mktemp -d /tmp/velmora-trials.XXXXXX)}
mkdir -p "$out"
# Players run the installed game, whose tray symbol hosts find by name in the icon theme: a
# build folder's game is installed into a scratch prefix, which the whole session's
# XDG_DATA_DIRS names (TRIAL_FROM_BUILD=1 runs it where it is, with the symbol it draws).
data_dirs=${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
prefix=""
build=$(dirname "$(dirname "$app")")
# Only the game's own part is installed, and its install script run directly: a build that
# made only the game installs, and the build folder is left as it was (`cmake --install`
# writes its manifest there).
if [ -z "${TRIAL_FROM_BUILD:-}" ] && [ -f "$build/app/cmake_install.cmake" ]; then
  prefix=$(mktemp -d /tmp/velmora-trial-prefix.XXXXXX)
  if cmake -DCMAKE_INSTALL_PREFIX="$prefix" -P "$build/app/cmake_install.cmake" >"$out/install.log" 2>&1 &&
     [ -x "$prefix/bin/velmora" ]; then
    app=$prefix/bin/velmora
    data_dirs=$prefix/share:$data_dirs
  else
    echo "trial-desktops: installing $build failed (see $out/install.log); running the game from its build" >&2
    rm -rf "$prefix"
    prefix=""
  fi
fi
trap '[ -z "$prefix" ] || rm -rf "$prefix"' EXIT
echo "trial-desktops: $app${prefix:+ (installed from $build)}; screenshots and figures in $out"
for d in "${desktops[@]}"; do
  echo "--- $d"
  # Own HOME and XDG folders before the bus starts: the services it starts (dconf, kded) read
  # and write there, never in the caller's.
  session=$(mktemp -d /tmp/velmora-trial-session.XXXXXX)
  mkdir -p "$session/home/.config" "$session/home/.local/share" "$session/home/.cache" \
    "$session/home/.local/state" "$session/run"
  chmod 700 "$session/run"
  # The tag marks every process of the trial, so the session ends them all by PID.
  HOME="$session/home" XDG_CONFIG_HOME="$session/home/.config" XDG_DATA_HOME="$session/home/.local/share" \
    XDG_CACHE_HOME="$session/home/.cache" XDG_STATE_HOME="$session/home/.local/state" \
    XDG_RUNTIME_DIR="$session/run" XDG_DATA_DIRS="$data_dirs" VELMORA_TRIAL_TAG="$d-$$-$RANDOM" timeout --foreground 900 \
    dbus-run-session -- bash "$here/lib/trial-session.sh" "$d" "$app" "$out/$d" "$session" ||
    echo "FAIL $d: the trial ended early (status $?)" | tee -a "$out/$d/results.txt"
  rm -rf "$session"
done

passed=$(cat "$out"/*/results.txt 2>/dev/null | grep -c '^PASS')
failed=$(cat "$out"/*/results.txt 2>/dev/null | grep -c '^FAIL')
echo "trial-desktops: screenshots and figures in $out"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
