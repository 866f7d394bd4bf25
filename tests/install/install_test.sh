#!/usr/bin/env bash
# Installs a build into a scratch prefix as "cmake --install --prefix" does for a user,
# runs the program from there and checks what was put in place and that the desktop
# files pass their validators.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION APP_ID MODULE_DIR
set -euo pipefail
build=$1 source=$2 version=$3 id=$4 modules=$5
. "$(dirname "$0")/common.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/mxt-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
diff <(expected_files "$id" "$modules" | LC_ALL=C sort) <(files_below "$prefix") ||
  fail "the installed files differ from the expected ones (< expected, > installed)"
check_program "$prefix/bin/mxt" "$version" "$source/samples/sample-sjis.txt"

share=$prefix/share
desktop=$share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx 'Exec=mxt %F' "$desktop" || fail "the desktop entry does not pass every file to mxt"
# The tree check also finds the desktop entry the metainfo launches.
appstreamcli validate-tree --no-net "$prefix" >"$work/appstream" ||
  fail "appstreamcli validate-tree: $(cat "$work/appstream")"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/mxt.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man --warnings: $warnings"
LC_ALL=C.UTF-8 man -l "$share/man/man1/mxt.1.gz" 2>/dev/null | grep -q "MXT $version" ||
  fail "the manual page does not carry the version"

# The icon the menu shows, at every size, drawn at that size.
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$icon.png
  [ -f "$png" ] || fail "no $png"
  [ "$(png_size "$png")" = "${size}x$size" ] || fail "$png is $(png_size "$png")"
done
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable $icon"
echo "installed and checked in $prefix"
