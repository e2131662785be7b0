# Xfce (xfwm4 and xfce4-panel with its default top panel and status tray), for
# scripts/lib/trial-session.sh.
TRIAL_PACKAGES=(xfce4-panel xfwm4 xfconf xfce4-settings)

desktop_version() { echo "xfce4-panel $(dpkg-query -W -f='${Version}' xfce4-panel 2>/dev/null)"; }

start_desktop() {
  export XDG_CURRENT_DESKTOP=XFCE XDG_SESSION_TYPE=x11
  dbus-update-activation-environment --all >/dev/null 2>&1
  # The default layout, as a new user's first login gets it, without the panel's question.
  local channel="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
  mkdir -p "$channel"
  cp /etc/xdg/xfce4/panel/default.xml "$channel/xfce4-panel.xml"
  # The settings daemon first, as a session starts it: the panel's look (its dark mode on the
  # theme) follows what it says, and a panel that came first would change under the trial.
  xfsettingsd --no-daemon >"$session/xfsettingsd.log" 2>&1 &
  pids+=($!)
  wait_for 30 selection_owned _XSETTINGS_S0 || return 1
  xfwm4 --replace >"$session/xfwm4.log" 2>&1 &
  pids+=($!)
  xfce4-panel >"$session/xfce4-panel.log" 2>&1 &
  pids+=($!)
  wait_for 60 tray_selection_owned
}

settle_desktop() { sleep 3; }
