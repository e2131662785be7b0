#!/usr/bin/env bash
# Tries the tray panel as a layer-shell surface under KWin Wayland (or sway), headless, from
# outside.
# Meant for a Debian 13 root (Qt 6.8, LayerShellQt), as root, where it may install what it
# needs:
#
#   VELMORA_RELEASE_CACHE=/var/cache/velmora-release \
#     scripts/release-root.sh trixie bash scripts/trial-layershell.sh [OUT]
#
# VELMORA_TRIAL_COMPOSITOR=sway runs it under sway (wlroots, headless, pixman) with a bar at
# the top instead; it also takes screenshots there (grim), which KWin's screenshot interface
# does not give without OpenGL. VELMORA_TRIAL_PLASMA=1 adds plasmashell to KWin, whose panel
# keeps the bottom edge: the game's panel must then rest on it. VELMORA_TRIAL_COMPOSITOR=weston
# tries a compositor without the layer shell (as GNOME's): the panel must stay an ordinary
# xdg-shell window there, as before.
#
# OUT (default build-trial-layershell/) receives the screenshots, KWin's window lists, the
# game's Wayland traffic and notes.txt. release-root.sh throws the run's tree away: there,
# give a folder under the compiler cache it mounts (/var/cache/velmora-ccache/...) and move
# it out afterwards.
#
# It builds the game as `make test` does (build-test/), starts `kwin_wayland --virtual` with
# two outputs on its own session bus and runtime folder, stands in for Plasma's tray with a
# StatusNotifierWatcher of its own, sends the tray's `Activate(x, y)` at points where
# panels keep their tray, and checks: the panel is a zwlr_layer_surface_v1 with the expected
# anchors and margins, it takes the keyboard, it is in no task list, Escape hides it, another
# window taking the focus hides it. One PASS/FAIL line each, then the totals.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
compositor=${VELMORA_TRIAL_COMPOSITOR:-kwin}
plasma=${VELMORA_TRIAL_PLASMA:-0}
out=${1:-$here/build-trial-layershell}
mkdir -p "$out"
out=$(cd "$out" && pwd)
build=${VELMORA_TRIAL_BUILD:-$here/build-test}

say() { echo "trial-layershell: $*" >&2; }

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  need=()
  packages=(libwayland-dev python3-gi gir1.2-glib-2.0)
  case $compositor in
    sway) packages+=(sway grim wtype jq) ;;
    weston) packages+=(weston) ;;
    *) packages+=(kwin-wayland plasma-wayland-protocols) ;;
  esac
  [ "$plasma" = 1 ] && packages+=(plasma-workspace plasma-desktop)
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
  done
  if [ ${#need[@]} -gt 0 ]; then
    say "installing ${need[*]}"
    apt-get -o DPkg::Lock::Timeout=1200 update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 install -y -qq --no-install-recommends \
      "${need[@]}" >"$out/apt.log" 2>&1 || { say "apt-get failed: see $out/apt.log"; exit 1; }
  fi
fi
case $compositor in
  kwin) command -v kwin_wayland >/dev/null || { say "needs kwin_wayland (package kwin-wayland)"; exit 77; } ;;
  sway) command -v sway >/dev/null && command -v grim >/dev/null && command -v wtype >/dev/null ||
          { say "needs sway, grim and wtype"; exit 77; } ;;
  weston) command -v weston >/dev/null || { say "needs weston"; exit 77; } ;;
  *) say "no such compositor here: $compositor"; exit 2 ;;
esac

if [ -z "${VELMORA_TRIAL_GAME:-}" ]; then
  say "building the game in $build"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DVELMORA_SANITIZE=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >"$out/cmake.log" 2>&1 ||
      { say "cmake failed: see $out/cmake.log"; exit 1; }
  fi
  grep -q "layer-shell surface on Wayland: LayerShellQt" "$out/cmake.log" 2>/dev/null ||
    grep -q "VELMORA_HAVE_LAYER_SHELL\|LayerShellQt_DIR:PATH=/" "$build/CMakeCache.txt" ||
    say "warning: the build found no LayerShellQt"
  cmake --build "$build" -j2 --target velmora >"$out/build.log" 2>&1 || { say "build failed: see $out/build.log"; exit 1; }
fi
game=${VELMORA_TRIAL_GAME:-$build/app/velmora}

# The helpers that speak D-Bus and Wayland for the trial.
probe=$out/probe.py
cat >"$probe" <<'PY'
import json, os, socket, struct, sys, threading, time, zlib
import xml.etree.ElementTree as ET
from gi.repository import Gio, GLib

def bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)

WATCHER_XML = """<node><interface name="org.kde.StatusNotifierWatcher">
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
<signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
<signal name="StatusNotifierHostRegistered"/>
</interface></node>"""

def watcher(record):
    # Plasma's tray as far as the game sees it: a watcher with a host registered.
    items = []
    node = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML)
    def call(conn, sender, path, iface, method, params, invocation):
        if method == "RegisterStatusNotifierItem":
            name = params.unpack()[0]
            service = sender if name.startswith("/") else name
            items.append(service)
            with open(record, "a") as f:
                f.write(service + "\n")
        invocation.return_value(None)
    def get(conn, sender, path, iface, prop):
        return {"RegisteredStatusNotifierItems": GLib.Variant("as", items),
                "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
                "ProtocolVersion": GLib.Variant("i", 0)}[prop]
    def acquired(conn, name):
        conn.register_object("/StatusNotifierWatcher", node.interfaces[0], call, get, None)
    Gio.bus_own_name(Gio.BusType.SESSION, "org.kde.StatusNotifierWatcher", Gio.BusNameOwnerFlags.NONE,
                     acquired, None, None)
    GLib.MainLoop().run()

def activate(service, x, y):
    bus().call_sync(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate",
                    GLib.Variant("(ii)", (int(x), int(y))), None, Gio.DBusCallFlags.NONE, 5000, None)

def kwin_script(path, name):
    # Loads and runs a KWin script; what it prints lands in KWin's log.
    b = bus()
    script_id = b.call_sync("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "loadScript",
                            GLib.Variant("(ss)", (path, name)), GLib.VariantType("(i)"),
                            Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
    b.call_sync("org.kde.KWin", "/Scripting/Script%d" % script_id, "org.kde.kwin.Script", "run",
                None, None, Gio.DBusCallFlags.NONE, 5000, None)
    time.sleep(0.5)
    b.call_sync("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                GLib.Variant("(s)", (name,)), None, Gio.DBusCallFlags.NONE, 5000, None)

def png(path, width, height, rows):
    def chunk(kind, data):
        c = kind + data
        return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xffffffff)
    raw = b"".join(b"\0" + r for r in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))

def screenshot(path):
    read_end, write_end = os.pipe()
    data = bytearray()
    def reader():
        with os.fdopen(read_end, "rb") as f:
            while True:
                block = f.read(1 << 16)
                if not block:
                    break
                data.extend(block)
    thread = threading.Thread(target=reader, daemon=True)
    thread.start()
    fds = Gio.UnixFDList.new()
    index = fds.append(write_end)
    os.close(write_end)
    try:
        result, _ = bus().call_with_unix_fd_list_sync(
            "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureWorkspace",
            GLib.Variant("(a{sv}h)", ({"native-resolution": GLib.Variant("b", True)}, index)),
            GLib.VariantType("(a{sv})"), Gio.DBusCallFlags.NONE, 10000, fds, None)
    finally:
        for fd in fds.steal_fds():
            os.close(fd)
    thread.join(10)
    info = result.unpack()[0]
    width, height, stride = info["width"], info["height"], info["stride"]
    rows = []
    for y in range(height):
        line = data[y * stride:y * stride + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]  # BGRA in memory
        rows.append(bytes(rgb))
    png(path, width, height, rows)
    print(json.dumps({"width": width, "height": height, "format": info.get("format")}))

class Wayland:
    # Just enough of the wire protocol to bind KWin's fake input and type into the session.
    def __init__(self):
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2
        self.buffer = b""
        self.globals = {}
    def new_id(self):
        self.next_id += 1
        return self.next_id - 1
    @staticmethod
    def string(s):
        b = s.encode() + b"\0"
        return struct.pack("<I", len(b)) + b + b"\0" * ((4 - len(b) % 4) % 4)
    def send(self, obj, opcode, payload=b""):
        self.sock.sendall(struct.pack("<II", obj, ((8 + len(payload)) << 16) | opcode) + payload)
    def roundtrip(self):
        callback = self.new_id()
        self.send(1, 0, struct.pack("<I", callback))  # wl_display.sync
        while True:
            while len(self.buffer) < 8:
                self.buffer += self.sock.recv(4096)
            obj, word = struct.unpack("<II", self.buffer[:8])
            size, opcode = word >> 16, word & 0xffff
            while len(self.buffer) < size:
                self.buffer += self.sock.recv(4096)
            body, self.buffer = self.buffer[8:size], self.buffer[size:]
            if obj == 1 and opcode == 0:
                raise RuntimeError("Wayland error: %r" % body)
            if obj == self.registry and opcode == 0:
                name, length = struct.unpack("<II", body[:8])
                interface = body[8:8 + length - 1].decode()
                version = struct.unpack("<I", body[8 + ((length + 3) & ~3):][:4])[0]
                self.globals[interface] = (name, version)
            if obj == callback and opcode == 0:
                return
    def bind(self, interface, version):
        name, offered = self.globals[interface]
        obj = self.new_id()
        self.send(self.registry, 0, struct.pack("<I", name) + self.string(interface) +
                  struct.pack("<II", min(version, offered), obj))
        return obj
    def start(self):
        self.registry = self.new_id()
        self.send(1, 1, struct.pack("<I", self.registry))  # wl_display.get_registry
        self.roundtrip()

def request_opcodes(xml_path, interface):
    root = ET.parse(xml_path).getroot()
    for node in root.iter("interface"):
        if node.get("name") == interface:
            return {r.get("name"): i for i, r in enumerate(node.iter("request"))}
    raise RuntimeError("no %s in %s" % (interface, xml_path))

def fake_input(commands):
    # Reads commands from a FIFO: "key CODE" (evdev code, pressed and released).
    ops = request_opcodes("/usr/share/plasma-wayland-protocols/fake-input.xml", "org_kde_kwin_fake_input")
    w = Wayland()
    w.start()
    fake = w.bind("org_kde_kwin_fake_input", 5)
    w.send(fake, ops["authenticate"], w.string("velmora-trial") + w.string("headless trial"))
    w.roundtrip()
    print("ready", flush=True)
    while True:
        with open(commands) as f:
            for line in f:
                parts = line.split()
                if parts and parts[0] == "key":
                    for state in (1, 0):
                        w.send(fake, ops["keyboard_key"], struct.pack("<II", int(parts[1]), state))
                        w.roundtrip()
                        time.sleep(0.05)
                    print("sent", line.strip(), flush=True)

if __name__ == "__main__":
    mode = sys.argv[1]
    if mode == "watcher":
        watcher(sys.argv[2])
    elif mode == "activate":
        activate(*sys.argv[2:5])
    elif mode == "script":
        kwin_script(sys.argv[2], sys.argv[3])
    elif mode == "shot":
        screenshot(sys.argv[2])
    elif mode == "fakeinput":
        fake_input(sys.argv[2])
PY

# The session itself runs inside its own bus; this script calls itself there.
if [ "${1:-}" != --in-session ] && [ -z "${VELMORA_TRIAL_IN_SESSION:-}" ]; then
  runtime=$(mktemp -d /tmp/velmora-ls-run.XXXXXX)
  chmod 700 "$runtime"
  home=$(mktemp -d /tmp/velmora-ls-home.XXXXXX)
  status=0
  env -i PATH="$PATH" LANG=C.UTF-8 HOME="$home" XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" VELMORA_TRIAL_IN_SESSION=1 \
    VELMORA_TRIAL_GAME="$game" VELMORA_TRIAL_COMPOSITOR="$compositor" VELMORA_TRIAL_PLASMA="$plasma" dbus-run-session -- bash "$0" "$out" || status=$?
  rm -rf "$runtime" "$home"
  exit $status
fi

# --- inside the session -------------------------------------------------------------------
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT
passed=0 failed=0
check() {  # check NAME CONDITION-STATUS DETAIL
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); echo "PASS $1: $3"; else failed=$((failed + 1)); echo "FAIL $1: $3"; fi
  echo "$1: $3" >>"$out/notes.txt"
}
: >"$out/notes.txt"
dpkg-query -W kwin-wayland sway weston plasma-workspace liblayershellqtinterface6 libqt6gui6 2>/dev/null | grep -v '\s$' >>"$out/notes.txt" || true
wait_for() {  # wait_for SECONDS COMMAND...
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.2; done
}

export XDG_SESSION_TYPE=wayland
items=$XDG_RUNTIME_DIR/items
: >"$items"
bus_has() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.ListNames | grep -q "$1"; }
if [ "$compositor" = kwin ]; then
  # File capabilities on kwin_wayland (CAP_SYS_NICE) make exec fail in a root without them;
  # a copy has none (and must keep the name, which KWin's own platform plugin checks).
  kwin=$XDG_RUNTIME_DIR/kwin_wayland
  cp /usr/bin/kwin_wayland "$kwin"
  export WAYLAND_DISPLAY=wayland-velmora-trial
  KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 LIBGL_ALWAYS_SOFTWARE=1 \
    QT_LOGGING_RULES="kwin_scripting.debug=true;js.debug=true" \
    "$kwin" --virtual --width 1280 --height 800 --output-count 2 --socket "$WAYLAND_DISPLAY" \
    --no-lockscreen --no-global-shortcuts >"$out/kwin.log" 2>&1 &
  pids+=($!)
  if ! wait_for 30 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"; then
    say "KWin did not start: see $out/kwin.log"; exit 1
  fi
  wait_for 20 bus_has org.kde.KWin || say "KWin is not on the bus"
  # The game takes the desktop for Plasma, as under a Plasma session.
  export XDG_CURRENT_DESKTOP=KDE
  if [ "$plasma" = 1 ]; then
    # Services the bus starts for plasmashell (the activity manager) need the display too.
    dbus-update-activation-environment WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP QT_QPA_PLATFORM=wayland \
      QT_QUICK_BACKEND=software KDE_FULL_SESSION=true KDE_SESSION_VERSION=6 2>>"$out/probe.log"
    KDE_FULL_SESSION=true KDE_SESSION_VERSION=6 QT_QPA_PLATFORM=wayland QT_QUICK_BACKEND=software \
      plasmashell --no-respawn >"$out/plasmashell.log" 2>&1 &
    pids+=($!)
  fi
  fifo=$XDG_RUNTIME_DIR/keys
  mkfifo "$fifo"
  python3 "$probe" fakeinput "$fifo" >"$out/fakeinput.log" 2>&1 &
  pids+=($!)
  wait_for 10 grep -q ready "$out/fakeinput.log" || say "fake input not ready: $(cat "$out/fakeinput.log")"
  key() { echo "key $1" >"$fifo"; }
elif [ "$compositor" = weston ]; then
  export WAYLAND_DISPLAY=wayland-velmora-trial
  weston --backend=headless --width=1280 --height=800 --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    >"$out/weston.log" 2>&1 &
  pids+=($!)
  wait_for 30 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { say "weston did not start: see $out/weston.log"; exit 1; }
else
  # Two monitors side by side, a bar at the top of each that keeps its edge free (no tray:
  # the trial's watcher stands in for one).
  cat >"$XDG_RUNTIME_DIR/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x800 position 0 0
output HEADLESS-2 resolution 1280x800 position 1280 0
bar {
  position top
  status_command while echo Velmora trial; do sleep 60; done
  tray_output none
}
exec env > $XDG_RUNTIME_DIR/sway.env
CONF
  unset WAYLAND_DISPLAY
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$XDG_RUNTIME_DIR/sway.conf" >"$out/sway.log" 2>&1 &
  pids+=($!)
  wait_for 30 grep -q '^SWAYSOCK=' "$XDG_RUNTIME_DIR/sway.env" || { say "sway did not start: see $out/sway.log"; exit 1; }
  export WAYLAND_DISPLAY=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$XDG_RUNTIME_DIR/sway.env")
  export SWAYSOCK=$(sed -n 's/^SWAYSOCK=//p' "$XDG_RUNTIME_DIR/sway.env")
  export XDG_CURRENT_DESKTOP=sway
  # A headless sway has no keyboard, and a seat without one gives no window the keys: a
  # virtual keyboard that stays for the whole trial stands in for the one a player has.
  wtype -s 3600000 >"$out/wtype.log" 2>&1 &
  pids+=($!)
  key() { wtype -k Escape; }  # the only key the trial sends
fi

python3 "$probe" watcher "$items" >"$out/watcher.log" 2>&1 &
pids+=($!)
wait_for 10 bus_has StatusNotifierWatcher

store=$HOME/defaults.json
echo '{"Velmora_HasSeenWelcome":true}' >"$store"
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 ASAN_OPTIONS=detect_leaks=0 QT_QUICK_BACKEND=software \
  "$game" --defaults "$store" >"$out/game.log" 2>&1 &
game_pid=$!
pids+=($game_pid)
wait_for 30 test -s "$items" || { say "the game registered no tray item: see $out/game.log"; exit 1; }
service=$(head -1 "$items")

kwin_windows() {  # kwin_windows TAG: KWin's view of every window, one JSON line each, into windows-TAG.txt
  cat >"$XDG_RUNTIME_DIR/list.js" <<JS
const all = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (const w of all) {
  const g = w.frameGeometry;
  print("VELMORA-WINDOW $1 " + JSON.stringify({caption: w.caption, resourceClass: String(w.resourceClass),
    layer: w.layer, skipTaskbar: w.skipTaskbar, skipSwitcher: w.skipSwitcher, skipPager: w.skipPager,
    normalWindow: w.normalWindow, dock: w.dock, specialWindow: w.specialWindow, active: w.active,
    output: w.output ? w.output.name : null, x: g.x, y: g.y, width: g.width, height: g.height}));
}
print("VELMORA-WINDOW $1 end");
JS
  python3 "$probe" script "$XDG_RUNTIME_DIR/list.js" "velmora-list-$1" 2>>"$out/probe.log"
  sleep 0.5
  grep -a "VELMORA-WINDOW $1 " "$out/kwin.log" | sed 's/.*VELMORA-WINDOW [^ ]* //' >"$out/windows-$1.txt"
}
windows() {  # windows TAG: the compositor's windows into windows-TAG.txt
  if [ "$compositor" = kwin ]; then
    kwin_windows "$1"
  else
    # Layer surfaces are not in sway's tree: each window (con) with its app id and rectangle.
    swaymsg -t get_tree | jq -c '.. | objects | select(.type? == "con" or .type? == "floating_con") |
      select(.app_id != null or .window != null) | {app_id, name, focused, rect}' >"$out/windows-$1.txt"
    swaymsg -t get_outputs | jq -c '.[] | {name, rect}' >>"$out/windows-$1.txt"
  fi
}
shot() {
  if [ "$compositor" = kwin ]; then
    python3 "$probe" shot "$1" >>"$out/notes.txt" 2>>"$out/probe.log" ||
      echo "no screenshot: KWin's ScreenShot2 needs OpenGL compositing" >>"$out/notes.txt"
  else
    grim "$1" 2>>"$out/probe.log"
  fi
}
layer_requests() { grep -a -E "zwlr_layer_(shell|surface)_v1" "$out/game.log" | grep -a -- "->" ; }
mapped() { grep -a -c "zwlr_layer_surface_v1[@#][0-9]*\.configure" "$out/game.log"; }

if [ "$compositor" = weston ]; then
  # No layer shell: the panel opens as the ordinary window it always was, without a word
  # from the layer-shell library.
  python3 "$probe" activate "$service" 1200 785 2>>"$out/probe.log"
  wait_for 15 bash -c "grep -a -q 'xdg_toplevel[@#][0-9]*\.configure' '$out/game.log'"
  check "an ordinary window without the layer shell" $? "$(grep -a -o -E 'get_toplevel\([^)]*\)' "$out/game.log" | head -1)"
  ! grep -a -q -E 'zwlr_layer|layer-shell|layershell' "$out/game.log"
  check "no layer-shell request or warning" $? "$(grep -a -c -i 'layer' "$out/game.log") lines naming a layer"
  kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null
  echo "$passed passed, $failed failed" | tee -a "$out/notes.txt"
  [ "$failed" -eq 0 ]
  exit
fi

if [ "$plasma" = 1 ]; then
  plasma_panel() { kwin_windows start; grep -a -q '"dock":true' "$out/windows-start.txt"; }
  wait_for 90 plasma_panel || say "Plasma's panel did not come up"
  cp "$out/windows-start.txt" "$out/windows-plasma.txt" 2>/dev/null
fi

# 1. The tray on a bottom panel at the right of the first monitor (Plasma's default).
python3 "$probe" activate "$service" 1200 785 2>>"$out/probe.log"
wait_for 15 bash -c "grep -a -q 'zwlr_layer_surface_v1[@#][0-9]*\.configure' '$out/game.log'"
check "layer surface" $? "$(layer_requests | grep -a -o 'get_layer_surface([^)]*)' | head -1)"
requests=$(layer_requests | grep -a -o -E 'set_(anchor|margin|keyboard_interactivity|exclusive_zone|size)\([^)]*\)' | sort -u | tr '\n' ' ')
echo "requests after Activate(1200, 785): $requests" >>"$out/notes.txt"
# bottom (2) | right (8); margins top, right, bottom, left.
echo "$requests" | grep -q 'set_anchor(10)' && echo "$requests" | grep -q -E 'set_margin\(0, [0-9]+, 0, 0\)'
check "anchored at the bottom right" $? "$requests"
echo "$requests" | grep -q 'set_keyboard_interactivity(2)'
check "keys on demand" $? "keyboard interactivity $(echo "$requests" | grep -o 'set_keyboard_interactivity([0-9])')"
sleep 1
wait_for 5 bash -c "grep -a -q 'wl_keyboard[@#][0-9]*\.enter' '$out/game.log'"
check "takes the keyboard when it opens" $? "$(grep -a -c 'wl_keyboard[@#][0-9]*\.enter' "$out/game.log") keyboard enter events"
windows open
shot "$out/01-bottom-right.png"
panel=$(grep -a -i '"resourceClass":"example.velmora.velmora"\|velmora' "$out/windows-open.txt" | head -1)
echo "KWin's windows with the panel open:" >>"$out/notes.txt"
cat "$out/windows-open.txt" >>"$out/notes.txt"
if [ -n "$panel" ]; then
  echo "$panel" | grep -q '"skipTaskbar":true' && echo "$panel" | grep -q '"skipSwitcher":true'
  check "in no task list or switcher" $? "$panel"
  dock=$(grep -a '"dock":true' "$out/windows-open.txt" | grep -a '"output":"Virtual-0"' | head -1)
  if [ "$plasma" = 1 ]; then
    # Plasma's panel keeps the bottom edge: the game's panel ends where that panel's surface
    # begins, give or take the gap a floating panel leaves above itself.
    num() { echo "$1" | grep -o "\"$2\":-\?[0-9]*" | head -1 | cut -d: -f2; }
    bottom=$(($(num "$panel" y) + $(num "$panel" height)))
    [ -n "$dock" ] && [ "$bottom" -ge "$(num "$dock" y)" ] && [ "$bottom" -le $(($(num "$dock" y) + 16)) ]
    check "rests on Plasma's panel" $? "panel bottom edge at $bottom; Plasma's panel: ${dock:-none}"
  fi
else
  # Not a window the compositor lists (sway: layer surfaces are outside its tree).
  check "in no task list or switcher" 0 "not among the compositor's windows"
fi

# 2. Escape hides it.
key 1
wait_for 5 bash -c "grep -a -q 'zwlr_layer_surface_v1[@#][0-9]*\.destroy' '$out/game.log'"
check "Escape hides it" $? "$(grep -a -c 'zwlr_layer_surface_v1[@#][0-9]*\.destroy' "$out/game.log") layer surfaces destroyed"

# 3. The tray at the top left of the second monitor (a top bar there).
before=$(mapped)
python3 "$probe" activate "$service" 1300 12 2>>"$out/probe.log"
wait_for 15 bash -c "[ \$(grep -a -c 'zwlr_layer_surface_v1[@#][0-9]*\.configure' '$out/game.log') -gt $before ]"
requests=$(layer_requests | tail -n 40 | grep -a -o -E 'get_layer_surface\([^)]*\)|set_(anchor|margin)\([^)]*\)' | tail -n 3 | tr '\n' ' ')
echo "requests after Activate(1300, 12): $requests" >>"$out/notes.txt"
echo "$requests" | grep -q 'set_anchor(5)'
check "second monitor, top left" $? "$requests"
sleep 1
windows second
shot "$out/02-second-monitor-top.png"

# 4. Another window takes the focus: the panel goes.
destroyed=$(grep -a -c 'zwlr_layer_surface_v1[@#][0-9]*\.destroy' "$out/game.log")
echo '{"Velmora_HasSeenWelcome":true}' >"$HOME/other.json"
QT_QPA_PLATFORM=wayland ASAN_OPTIONS=detect_leaks=0 QT_QUICK_BACKEND=software \
  "$game" --window --defaults "$HOME/other.json" >"$out/other.log" 2>&1 &
pids+=($!)
wait_for 20 bash -c "[ \$(grep -a -c 'zwlr_layer_surface_v1[@#][0-9]*\.destroy' '$out/game.log') -gt $destroyed ]"
check "hides when another window takes the focus" $? "layer surfaces destroyed: $(grep -a -c 'zwlr_layer_surface_v1[@#][0-9]*\.destroy' "$out/game.log")"
windows other
shot "$out/03-other-window.png"

# 5. Open again over the other window: it comes back where the click was.
before=$(mapped)
python3 "$probe" activate "$service" 1200 785 2>>"$out/probe.log"
wait_for 15 bash -c "[ \$(grep -a -c 'zwlr_layer_surface_v1[@#][0-9]*\.configure' '$out/game.log') -gt $before ]"
check "opens again over another window" $? "$(mapped) configures"
sleep 1
shot "$out/04-again.png"
windows again

kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null
grep -a -v -E '^\[ *[0-9.]+\] ' "$out/game.log" | grep -a -v -- '->\|wl_' >"$out/game-stderr.txt" || true
echo "$passed passed, $failed failed" | tee -a "$out/notes.txt"
[ "$failed" -eq 0 ]
