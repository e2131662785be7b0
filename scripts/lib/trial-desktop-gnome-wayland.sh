# GNOME Shell on Wayland (headless, one virtual monitor) with the AppIndicator extension, for
# scripts/lib/trial-session.sh. The game makes its own choice of platform, as on a player's
# session. The shell is no X client: the trial sees the screen through the shell's screenshot
# service and works the pointer and keys through virtual devices it makes inside the shell,
# both reached through a small extension that puts the shell in its unsafe mode (GNOME 43 has
# no command-line flag for it). The game's windows, when it runs through XWayland, are still
# read with the X tools.
TRIAL_PACKAGES=(gnome-shell gnome-shell-extension-appindicator gnome-settings-daemon
  adwaita-icon-theme fonts-cantarell xwayland)
TRIAL_OWN_DISPLAY=yes
TRIAL_QPA_PLATFORM=""

desktop_version() { echo "$(gnome-shell --version 2>/dev/null), Wayland"; }

# shell_eval SCRIPT: runs JavaScript in the shell, prints its result as the shell gives it.
shell_eval() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Eval "$1" 2>/dev/null
}
# shell_value SCRIPT: the string the script returns, unquoted; fails when the shell refused it.
shell_value() {
  local answer
  answer=$(shell_eval "$1") || return 1
  [[ "$answer" == "(true, '"* ]] || return 1
  answer=${answer#"(true, '"}
  answer=${answer%"')"}
  answer=${answer#\"}
  echo "${answer%\"}"
}

# The helper extension is on: the shell answers Eval and takes screenshots for anyone.
shell_unsafe() { [ "$(shell_value 'global.context.unsafe_mode ? "yes" : "no"')" = yes ]; }

start_desktop() {
  start_system_bus_stand_in || return 1
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
  unset DISPLAY
  local extension="$HOME/.local/share/gnome-shell/extensions/unsafe@velmora.trial"
  mkdir -p "$extension"
  echo '{"uuid": "unsafe@velmora.trial", "name": "trial", "description": "trial", "shell-version": ["43", "44", "45", "46", "47", "48"]}' \
    >"$extension/metadata.json"
  printf '%s\n' 'function init() {}' 'function enable() { global.context.unsafe_mode = true; }' \
    'function disable() { global.context.unsafe_mode = false; }' >"$extension/extension.js"
  dbus-update-activation-environment --all >/dev/null 2>&1
  gsettings set org.gnome.shell disable-user-extensions false
  gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com', 'unsafe@velmora.trial']"
  gsettings set org.gnome.shell welcome-dialog-last-shown-version '999'
  gsettings set org.gnome.desktop.interface enable-animations false
  gsettings set org.gnome.desktop.notifications show-banners false
  gnome-shell --headless --wayland --virtual-monitor "${SCREEN_W}x${SCREEN_H}" >"$session/gnome-shell.log" 2>&1 &
  pids+=($!)
  wait_for 120 shell_unsafe || return 1
  wait_for 120 host_registered || return 1
  DISPLAY=$(shell_value 'GLib.getenv("DISPLAY")') && XAUTHORITY=$(shell_value 'GLib.getenv("XAUTHORITY")') || return 1
  WAYLAND_DISPLAY=$(shell_value 'GLib.getenv("WAYLAND_DISPLAY")') || WAYLAND_DISPLAY=wayland-0
  export DISPLAY XAUTHORITY WAYLAND_DISPLAY
  # A pointer and a keyboard of the trial's own inside the shell.
  shell_value '
    const Clutter = imports.gi.Clutter;
    const seat = Clutter.get_default_backend().get_default_seat();
    global._trialPointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
    global._trialKeys = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
    "ready"' >/dev/null || return 1
  wait_for 30 xwininfo -root
}

settle_desktop() {
  shell_value 'imports.ui.main.overview.hide(); "hidden"' >/dev/null
  sleep 3
}

grab_screen() {
  gdbus call --session --dest org.gnome.Shell.Screenshot --object-path /org/gnome/Shell/Screenshot \
    --method org.gnome.Shell.Screenshot.Screenshot false false "$session/grab.png" >/dev/null 2>&1 &&
    convert "$session/grab.png" -depth 8 "ppm:$1" 2>/dev/null
}

move_pointer() {
  shell_value "global._trialPointer.notify_absolute_motion(GLib.get_monotonic_time(), $1, $2); 'moved'" >/dev/null
}

click_at() {
  local n
  move_pointer "$1" "$2"
  for ((n = 0; n < ${4:-1}; n++)); do
    [ "$n" -eq 0 ] || sleep 0.12
    shell_value "
      const Clutter = imports.gi.Clutter;
      const t = GLib.get_monotonic_time();
      global._trialPointer.notify_button(t, $3, Clutter.ButtonState.PRESSED);
      global._trialPointer.notify_button(t + 1000, $3, Clutter.ButtonState.RELEASED);
      'clicked'" >/dev/null
  done
}

press_keys() {
  local key value
  for key in "$@"; do
    case $key in
      Escape) value=0xff1b ;; Return) value=0xff0d ;; Down) value=0xff54 ;;
      *) echo "trial-desktop-gnome-wayland: no key $key" >&2; return 1 ;;
    esac
    shell_value "
      const Clutter = imports.gi.Clutter;
      const t = GLib.get_monotonic_time();
      global._trialKeys.notify_keyval(t, $value, Clutter.KeyState.PRESSED);
      global._trialKeys.notify_keyval(t + 1000, $value, Clutter.KeyState.RELEASED);
      'pressed'" >/dev/null
    sleep 0.2
  done
}

# Keys from the shell's keyboard do not reach the game's menu, an X11 pop-up whose keyboard grab
# XWayland does not get from the shell: the entry is clicked, as it was seen to work. The menu
# is the game's one shown window smaller than the panel and larger than its icon.
choose_first_menu_entry() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" | sed 's/^/M_/')"
    if [ "$M_WIDTH" -ge 60 ] && [ "$M_HEIGHT" -ge 30 ] && [ "$M_HEIGHT" -lt 100 ]; then
      click_at $((M_X + M_WIDTH / 2)) $((M_Y + M_HEIGHT / 4)) 1
      return
    fi
  done
  press_keys Down Return
}
