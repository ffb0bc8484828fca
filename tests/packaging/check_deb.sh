#!/usr/bin/env bash
# check_deb.sh BUILD_DIR SCRATCH_DIR: packs BUILD_DIR with CPack, unpacks the .deb under SCRATCH_DIR/root, checks it.
set -euo pipefail
build_dir="$1" scratch="$2"
app_id=io.github.ostrevo.Ostrevo failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# hardening-check cannot say yes to three lines here: fortified calls (it counts the builtin memcpy, memmove and
# memset of libstdc++; lintian judges the rest), stack clash (it knows only the probe loop of variable-size frames,
# so the probes of fixed frames larger than a page are looked for) and control flow (Debian 12's glibc start files
# lack the IBT and SHSTK marks, so the program's own objects are checked).
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

cmake --build "$build_dir" --target ostrevo ostrevo_icons ostrevo_docs >/dev/null
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"
(cd "$scratch/out" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" >cpack.log) \
  || { cat "$scratch/out/cpack.log" >&2; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root"

[ -x "$root/usr/bin/ostrevo" ] || fail "/usr/bin/ostrevo is missing or not executable"
for file in applications/$app_id.desktop metainfo/$app_id.metainfo.xml icons/hicolor/scalable/apps/$app_id.svg; do
  [ -f "$root/usr/share/$file" ] || fail "missing /usr/share/$file"
done
for size in 16 32 48 256; do
  png="$root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] || fail "$png is missing or not ${size}x$size"
done

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry does not validate"
grep -qx "Exec=ostrevo %u" "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry does not start ostrevo"
grep -qx "Icon=$app_id" "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry names another icon"
if [ -n "${APPSTREAMCLI:-}" ]; then
  "$APPSTREAMCLI" validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "metainfo does not validate"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Each library the program links directly comes from a declared package (a merged /usr may register it under /lib).
declared=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for soname in $(objdump -p "$root/usr/bin/ostrevo" | awk '$1 == "NEEDED" {print $2}'); do
  library=$(readlink -f "$(ldd "$root/usr/bin/ostrevo" | awk -v so="$soname" '$1 == so {print $3}')") || true
  package=$({ dpkg-query -S "$library" || dpkg-query -S "${library#/usr}"; } 2>/dev/null | head -n1 | cut -d: -f1)
  grep -qxF "$package" <<<"$declared" || fail "$soname comes from $package, which Depends lacks"
done
[ "$(dpkg-deb -f "$deb" Package)" = ostrevo ] || fail "package is not named ostrevo"
for language in C it; do  # man finds the English page, and the Italian one for an Italian reader
  page="$root/usr/share/man/$([ "$language" = C ] || echo "$language/")man1/ostrevo.1.gz"
  found=$(MANPATH="$root/usr/share/man" man -L "$language" -w ostrevo 2>/dev/null) || true
  [ "$found" = "$page" ] || fail "man -L $language finds '$found', not $page"
done
expect_hardened
# Debian's checker must find nothing to say, information tags included.
report=$(lintian --display-info --fail-on none "$deb" 2> >(grep -v 'running with root privileges' >&2)) \
  || fail "lintian did not run"
echo "lintian: ${report:-no tags}"
! grep -qE '^[EWI]: ' <<<"$report" || fail "lintian reports tags"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package checks passed"
