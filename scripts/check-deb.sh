#!/usr/bin/env bash
# Checks what lintian lets pass in the relations of a built package: each package named once
# in Depends, and Qt's SVG image plugin named wherever the release packs it apart from the
# library (the welcome and tray icons are SVG: without the plugin they do not load).
#   check-deb.sh PACKAGE.deb
set -euo pipefail
deb=${1:?usage: check-deb.sh PACKAGE.deb}
fail() { echo "check-deb: FAIL: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
# One name a line: alternatives split, versions and architecture qualifiers dropped.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/[(:].*//; s/[[:space:]]//g' | grep . | sort)
twice=$(uniq -d <<<"$names" | tr '\n' ' ')
[ -z "$twice" ] || fail "named more than once in Depends: $twice"

if dpkg-query -W -f='${Status}' qt6-svg-plugins 2>/dev/null | grep -q 'install ok installed'; then
  grep -qx qt6-svg-plugins <<<"$names" || fail "Depends lacks qt6-svg-plugins, which this release needs for SVG images"
fi
grep -qx libqt6svg6 <<<"$names" || fail "Depends lacks libqt6svg6"
echo "check-deb: $(basename "$deb"): $(wc -l <<<"$names") packages in Depends, none twice"
