# KDE Plasma on X11 (KWin and plasmashell, the default bottom panel with its system tray), for
# scripts/lib/trial-session.sh. Breeze light unless TRIAL_PLASMA_THEME names a global theme.
TRIAL_PACKAGES=(plasma-workspace plasma-desktop kwin-x11 breeze)

desktop_version() { plasmashell --version 2>/dev/null; }

start_desktop() {
  export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_TYPE=x11
  # Services the bus starts (kactivitymanagerd, kglobalaccel, dconf) need the display too.
  dbus-update-activation-environment --all >/dev/null 2>&1
  if [ -n "${TRIAL_PLASMA_THEME:-}" ]; then
    # Writes the theme's colour scheme to ~/.config/kdedefaults/kdeglobals, as a player's
    # choice in System Settings does.
    lookandfeeltool -a "$TRIAL_PLASMA_THEME" >"$session/lookandfeeltool.log" 2>&1 || return 1
  fi
  kwin_x11 --replace >"$session/kwin.log" 2>&1 &
  pids+=($!)
  plasmashell >"$session/plasmashell.log" 2>&1 &
  pids+=($!)
  wait_for 120 host_registered
}

settle_desktop() { sleep 4; }
