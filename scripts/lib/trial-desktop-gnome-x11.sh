# GNOME Shell on X11 with the AppIndicator extension (the StatusNotifierItem host most GNOME
# players have), for scripts/lib/trial-session.sh.
TRIAL_PACKAGES=(gnome-shell gnome-shell-extension-appindicator gnome-settings-daemon
  adwaita-icon-theme fonts-cantarell dbus-x11)

desktop_version() { gnome-shell --version 2>/dev/null; }

start_desktop() {
  start_system_bus_stand_in || return 1
  export XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
  # Services the bus starts (kactivitymanagerd, kglobalaccel, dconf) need the display too.
  dbus-update-activation-environment --all >/dev/null 2>&1
  gsettings set org.gnome.shell disable-user-extensions false
  gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
  gsettings set org.gnome.shell welcome-dialog-last-shown-version '999'
  gsettings set org.gnome.desktop.interface enable-animations false
  gsettings set org.gnome.desktop.notifications show-banners false
  gnome-shell --x11 --replace >"$session/gnome-shell.log" 2>&1 &
  pids+=($!)
  # The extension registers the host once the shell has loaded it.
  wait_for 120 host_registered
}

# The shell starts in the overview; Escape leaves it for the desktop a player sees.
settle_desktop() {
  xdotool key Escape
  sleep 3
}
