# MATE (Marco and mate-panel; the notification area is on the top panel), for
# scripts/lib/trial-session.sh.
TRIAL_PACKAGES=(mate-panel marco mate-settings-daemon-common)

desktop_version() { echo "mate-panel $(dpkg-query -W -f='${Version}' mate-panel 2>/dev/null)"; }

start_desktop() {
  export XDG_CURRENT_DESKTOP=MATE XDG_SESSION_TYPE=x11
  dbus-update-activation-environment --all >/dev/null 2>&1
  marco --replace >"$session/marco.log" 2>&1 &
  pids+=($!)
  mate-panel >"$session/mate-panel.log" 2>&1 &
  pids+=($!)
  # The notification area takes the XEmbed tray selection (and may host items over D-Bus).
  wait_for 60 tray_selection_owned
}

settle_desktop() { sleep 3; }
