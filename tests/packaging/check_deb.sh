#!/usr/bin/env bash
# check_deb.sh BUILD_DIR SCRATCH_DIR
# Packs BUILD_DIR with CPack, unpacks the .deb under SCRATCH_DIR/root and checks it.
set -euo pipefail
build_dir="$1"
scratch="$2"
app_id=io.github.ostrevo.Ostrevo
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expect_file() {
  [ -f "$root/$1" ] || fail "missing /$1"
}

expect_icon_size() {
  local png="$root/usr/share/icons/hicolor/${1}x${1}/apps/$app_id.png"
  expect_file "${png#"$root"/}"
  [ -f "$png" ] || return 0
  local geometry
  geometry=$(identify -format '%wx%h' "$png")
  [ "$geometry" = "${1}x${1}" ] || fail "$png is $geometry, not ${1}x${1}"
}

# The package that installed a file; a merged /usr may register it under /lib.
owning_package() {
  { dpkg-query -S "$1" || dpkg-query -S "${1#/usr}"; } 2>/dev/null | head -n1 | cut -d: -f1
}

# Every shared library the program links directly must come from a package
# that the .deb declares.
expect_linked_libraries_declared() {
  local program="$root/usr/bin/ostrevo" declared soname library_path package
  declared=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
  for soname in $(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}'); do
    library_path=$(ldd "$program" | awk -v so="$soname" '$1 == so {print $3}')
    package=$(owning_package "$(readlink -f "$library_path")")
    grep -qxF "$package" <<<"$declared" || fail "$soname comes from $package, which Depends lacks"
  done
}

cmake --build "$build_dir" --target ostrevo ostrevo_icons >/dev/null
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"
(cd "$scratch/out" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" >cpack.log) \
  || { cat "$scratch/out/cpack.log" >&2; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root"

expect_file usr/bin/ostrevo
[ -x "$root/usr/bin/ostrevo" ] || fail "/usr/bin/ostrevo is not executable"
expect_file "usr/share/applications/$app_id.desktop"
expect_file "usr/share/metainfo/$app_id.metainfo.xml"
expect_file "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
for size in 16 32 48 256; do
  expect_icon_size "$size"
done

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry does not validate"
grep -qx "Exec=ostrevo" "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry does not start ostrevo"
grep -qx "Icon=$app_id" "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry names another icon"
if [ -n "${APPSTREAMCLI:-}" ]; then
  "$APPSTREAMCLI" validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "metainfo does not validate"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
expect_linked_libraries_declared
[ "$(dpkg-deb -f "$deb" Package)" = ostrevo ] || fail "package is not named ostrevo"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package checks passed"
