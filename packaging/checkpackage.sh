#!/usr/bin/env bash
# Builds the Debian package in the build folder and checks what it holds: the program, its menu entry,
# icon, AppStream data and manual page where Debian wants them, nothing outside /usr, and a dependency
# on the package of every Qt, qpdf and qrencode library the program is linked with.
#
# Usage: packaging/checkpackage.sh BUILD_FOLDER [CPACK]
set -euo pipefail
build=$(cd "$1" && pwd)
cpack=${2:-cpack}
failures=0
fail() {
    echo "package: $*" >&2
    failures=$((failures + 1))
}

cd "$build"
"$cpack" -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' CPackConfig.cmake)
deb="$build/quillora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "package: no $deb" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/checkpackage.XXXXXX")
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"

for file in /usr/bin/quillora /usr/share/applications/de.quillora.Quillora.desktop \
    /usr/share/icons/hicolor/scalable/apps/quillora.svg /usr/share/metainfo/de.quillora.Quillora.metainfo.xml \
    /usr/share/man/man1/quillora.1.gz /usr/share/doc/quillora/copyright /usr/share/doc/quillora/changelog.gz; do
    grep -qx "$file" "$work/files" || fail "$file is missing"
done
outside=$(grep -v '^/usr/\|^/$' "$work/files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# Every Qt, qpdf, libzip and qrencode library the program needs names its package in Depends
# (libQt6Widgets.so.6 needs libqt6widgets6, libqpdf.so.29 libqpdf29, libzip.so.4 libzip4, libqrencode.so.4
# libqrencode4).
depends=$(dpkg-deb -f "$deb" Depends)
needed=$(objdump -p "$work/root/usr/bin/quillora" | awk '/NEEDED/ {print $2}')
grep -q '^libQt6Widgets\.so\.' <<<"$needed" || fail "the program is not linked with Qt Widgets: $needed"
grep -q '^libzip\.so\.' <<<"$needed" || fail "the program is not linked with libzip: $needed"
grep -q '^libqrencode\.so\.' <<<"$needed" || fail "the program is not linked with libqrencode: $needed"
for library in $(grep -E '^lib(Qt6[A-Za-z]+|qpdf|zip|qrencode)\.so\.[0-9]+$' <<<"$needed"); do
    package=$(sed -E 's/^(lib[A-Za-z0-9]+)\.so\.([0-9]+)$/\1\2/' <<<"$library" | tr 'A-Z' 'a-z')
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package for $library: $depends"
done
grep -qE '(^|, )libc6 ' <<<"$depends" || fail "Depends has no libc6 (dpkg-shlibdeps did not run): $depends"

share="$work/root/usr/share"
desktop-file-validate "$share/applications/de.quillora.Quillora.desktop" || fail "the desktop entry is not valid"
exec_line=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$share/applications/de.quillora.Quillora.desktop")
grep -qx "/usr/bin/$exec_line" "$work/files" || fail "the desktop entry starts $exec_line, which is not in the package"
appstreamcli validate --no-net "$share/metainfo/de.quillora.Quillora.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "the metainfo is not valid"; }
grep -q "<release version=\"$version\"" "$share/metainfo/de.quillora.Quillora.metainfo.xml" ||
    fail "the metainfo has no release $version"
zcat "$share/doc/quillora/changelog.gz" | head -1 | grep -q "^quillora ($version)" ||
    fail "the changelog does not begin with version $version"
warnings=$(zcat "$share/man/man1/quillora.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page has groff warnings: $warnings"
grep -q '<svg' "$share/icons/hicolor/scalable/apps/quillora.svg" || fail "the icon is not an SVG"

# Lintian's errors fail the check; its warnings are shown.
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
    cat "$work/lintian.log"
    ! grep -q '^E: ' "$work/lintian.log" || fail "lintian reports errors"
fi

if [ "$failures" -gt 0 ]; then
    echo "package: $failures problems in $deb" >&2
    exit 1
fi
echo "package: $deb holds $(wc -l <"$work/files") entries, all checks passed"
