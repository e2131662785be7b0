#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR, as a package would under /usr, and checks what
# landed there: every file in place, the desktop entry and the metainfo valid and pointing at
# what was installed, the manual covering every option the program accepts.
#   install-check.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: install-check.sh BUILD_DIR}
dest=$(mktemp -d /tmp/velmora-install.XXXXXX)
trap 'rm -rf "$dest"' EXIT
fail() { echo "install-check: FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$dest.log" 2>&1 || { cat "$dest.log" >&2; rm -f "$dest.log"; fail "cmake --install failed"; }
rm -f "$dest.log"
root="$dest/usr"
id=example.velmora.Velmora
for file in bin/velmora bin/velmora-engine \
            share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/symbolic/apps/$id-symbolic.svg \
            share/icons/hicolor/symbolic/apps/$id-flag-symbolic.svg \
            share/icons/hicolor/symbolic/apps/$id-burst-symbolic.svg \
            share/icons/hicolor/symbolic/apps/$id-grid-symbolic.svg \
            share/man/man6/velmora.6; do
  [ -s "$root/$file" ] || fail "$file was not installed"
done
[ -x "$root/bin/velmora" ] || fail "bin/velmora is not executable"

desktop="$root/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "appstreamcli rejects the metainfo"

value() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
[ "$(value Icon)" = "$id" ] || fail "the desktop entry's Icon is $(value Icon), not the installed $id"
[ -e "$root/bin/$(value Exec | cut -d' ' -f1)" ] || fail "the desktop entry runs $(value Exec), which was not installed"
[ "$(value Categories)" = "Game;LogicGame;" ] || fail "Categories is $(value Categories)"
[ "$(value StartupNotify)" = "false" ] || fail "StartupNotify is not false"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch the installed desktop entry"

# Every option in the program's usage line is in the manual.
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/velmora" --no-such-option 2>&1 | sed -n 's/^usage: //p' || true)
[ -n "$usage" ] || fail "the program printed no usage line"
options=$(grep -o -- '--[a-z-]*' <<<"$usage" | sort -u)
[ -n "$options" ] || fail "no options found in: $usage"
for option in $options; do
  escaped=$(sed 's/-/\\\\-/g' <<<"$option")
  grep -q -- "$escaped" "$root/share/man/man6/velmora.6" || fail "the manual does not document $option"
done
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man6/velmora.6" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "the manual has formatting problems: $warnings"
fi
echo "install-check: PASS"
