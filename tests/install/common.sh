# What the install and package tests share; sourced, with $work a scratch folder.

# Every file an installation holds, below its prefix, sorted.
expected_files() {
  local id=$1 modules=$2
  echo "bin/mxt"
  echo "$modules/mxt-window.so"
  echo "share/applications/$id.desktop"
  echo "share/doc/mxt/changelog.gz"
  echo "share/doc/mxt/copyright"
  for size in 128 16 22 24 256 32 48 64; do
    echo "share/icons/hicolor/${size}x$size/apps/$id.png"
  done
  echo "share/icons/hicolor/scalable/apps/$id.svg"
  echo "share/man/man1/mxt.1.gz"
  echo "share/metainfo/$id.metainfo.xml"
}

files_below() {
  (cd "$1" && find . -type f -o -type l) | sed 's|^\./||' | LC_ALL=C sort
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The installed program tells its version and converts the shipped sample without a
# display, away from the build tree.
check_program() {
  local program=$1 version=$2 sample=$3
  local run=$work/run
  mkdir -p "$run"
  cp "$sample" "$run/sample-sjis.txt"
  (
    cd "$run"
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
    export XDG_CONFIG_HOME=$run/config
    out=$("$program" --version) || fail "$program --version exits $?"
    [ "$out" = "MXT $version" ] || fail "$program --version printed '$out'"
    out=$("$program" /B /E /O sample-euc.txt sample-sjis.txt) || fail "/B run exits $?"
    [ "$out" = "$run/sample-sjis.txt	Converted:	Shift-JIS to EUC
$run/sample-euc.txt	Output:	EUC" ] || fail "/B run reported '$out'"
    iconv -f SHIFT_JIS -t EUC-JP sample-sjis.txt | cmp - sample-euc.txt ||
      fail "the sample converted to EUC differs from iconv's"
    # The batch run is the program alone; the window is a module it finds where it lies.
    ! ldd "$program" | grep -q 'libQt' || fail "$program links Qt"
    out=$(QT_QPA_PLATFORM=offscreen timeout 20 "$program" /B /S /O sample-back.txt sample-euc.txt) ||
      fail "/B run with a window exits $?"
    cmp sample-sjis.txt sample-back.txt || fail "the window's run did not convert the sample back"
  )
}

# PNG keeps its width and height as big-endian numbers at bytes 16 to 23.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'
}
