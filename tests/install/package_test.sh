#!/usr/bin/env bash
# Makes the Debian package from a build as scripts/package.sh does, unpacks it and runs
# the program from it; the package must hold what an installation holds below /usr, with
# dependencies found in the program, no maintainer scripts and a stripped program.
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION APP_ID MODULE_DIR
set -euo pipefail
build=$1 source=$2 version=$3 id=$4 modules=$5
. "$(dirname "$0")/common.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/mxt-package-XXXXXX")
trap 'rm -rf "$work"' EXIT

# A strict umask must not leak into the package's folders.
(umask 077 && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1) ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$work/mxt_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb: $(ls "$work")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
  [[ ", $depends" == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
    fail "Depends lacks $needed: $depends"
done
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | LC_ALL=C sort | tr '\n' ' ')
[ "$control" = "./control ./md5sums " ] || fail "control members: $control"

root=$work/root
dpkg-deb -x "$deb" "$root"
diff <(expected_files "$id" "$modules" | sed 's|^|usr/|' | LC_ALL=C sort) <(files_below "$root") ||
  fail "the packaged files differ from the expected ones (< expected, > packaged)"
odd=$(find "$root" \( -type d ! -perm 755 \) -o \( -type f ! -perm 644 ! -path "*/bin/mxt" \))
[ -z "$odd" ] || fail "not readable by all: $odd"
readelf -S "$root/usr/bin/mxt" | grep -q '\.symtab' && fail "the program is not stripped"
check_program "$root/usr/bin/mxt" "$version" "$source/samples/sample-sjis.txt"
echo "packaged and checked: $deb"
