#!/usr/bin/env bash
# check_deb.sh BUILD_DIR SCRATCH_DIR
# Packs BUILD_DIR with CPack, unpacks the .deb under SCRATCH_DIR/root and checks
# it: its files, the dependencies it declares, its manual pages, the hardening
# of the program and Debian's checker, lintian.
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

# Debian's checker must find nothing to say, information tags included.
expect_lintian_silent() {
  local report
  report=$(lintian --display-info --fail-on none "$deb" 2> >(grep -v 'running with root privileges' >&2)) \
    || fail "lintian did not run"
  echo "lintian: ${report:-no tags}"
  ! grep -qE '^[EWI]: ' <<<"$report" || fail "lintian reports tags"
}

# The protections hardening-check can judge from the program alone must be
# there: position-independent executable, stack protector, read-only
# relocations, immediate binding. Its other lines cannot say yes here:
# - fortified calls: it counts memcpy, memmove and memset, which libstdc++
#   calls as compiler builtins that fortification cannot replace; lintian's
#   own check (expect_lintian_silent) leaves them out as false positives and
#   judges the rest;
# - stack clash: it knows only the probe loop of variable-size frames, so the
#   probes of the fixed frames larger than a page are looked for here;
# - control flow: Debian 12's glibc start files (Scrt1.o, crti.o, crtn.o) are
#   built without the IBT and SHSTK marks, so no program linked with them has
#   them; the program's own objects must have them.
expect_hardened() {
  local report feature disassembly object
  report=$(hardening-check "$root/usr/bin/ostrevo") || true
  echo "$report"
  for feature in "Position Independent Executable" "Stack protected" "Read-only relocations" "Immediate binding"; do
    grep -qx " $feature: yes" <<<"$report" || fail "hardening-check: $feature is not yes"
  done
  disassembly=$(objdump -d --no-show-raw-insn -M intel "$root/usr/bin/ostrevo")
  grep -A1 -E 'sub +rsp,0x1000$' <<<"$disassembly" | grep -E 'or +QWORD PTR \[rsp\],0x0' >/dev/null \
    || fail "the program has no stack clash probe (the sampling code has frames larger than a page)"
  [ "$(uname -m)" = x86_64 ] || return 0
  for object in $(find "$build_dir/model" "$build_dir/plot" "$build_dir/commands" "$build_dir/ui" "$build_dir/assets" -name '*.o'); do
    readelf -n "$object" | grep 'x86 feature: IBT, SHSTK' >/dev/null || fail "$object lacks the IBT and SHSTK marks"
  done
}

# man finds the English page, and the Italian one for an Italian reader.
expect_manual_page() {
  local language=$1 expected=$2 found
  found=$(MANPATH="$root/usr/share/man" man -L "$language" -w ostrevo 2>/dev/null) || true
  [ "$found" = "$root/usr/share/man/$expected" ] || fail "man -L $language finds '$found', not /usr/share/man/$expected"
}

cmake --build "$build_dir" --target ostrevo ostrevo_icons ostrevo_docs >/dev/null
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
expect_manual_page C man1/ostrevo.1.gz
expect_manual_page it it/man1/ostrevo.1.gz
expect_hardened
expect_lintian_silent

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package checks passed"
