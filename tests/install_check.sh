#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the install tree as a desktop sees it:
# every file in place, the validators pass, the MIME package is known by name and by content once
# registered. Then builds the .deb and, when this machine allows it (root or password-less sudo, the
# package not installed already), installs and removes it.
set -euo pipefail
build=$1
mime_type_of=$2
app_id=$3
mime_type=$4

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
fail() { echo "$*"; exit 1; }

prefix=$workdir/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

icons=$prefix/share/icons/hicolor
for file in bin/parcelwright "share/applications/$app_id.desktop" "share/mime/packages/$app_id.xml" \
    "share/metainfo/$app_id.metainfo.xml" "share/icons/hicolor/scalable/apps/$app_id.svg" \
    share/doc/parcelwright/README.md; do
    [ -s "$prefix/$file" ] || fail "missing from the install tree: $file"
done
for side in 16 32 48 64 128 256; do
    size=$(identify -format '%wx%h' "$icons/${side}x${side}/apps/$app_id.png") || fail "no ${side}x${side} icon"
    [ "$size" = "${side}x${side}" ] || fail "the ${side}x${side} icon is $size"
done
xmllint --noout "$icons/scalable/apps/$app_id.svg"

desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$workdir/appstream" ||
    { cat "$workdir/appstream"; fail "appstreamcli validate failed"; }
# The MIME package against the document type that shared-mime-info's own package declares.
sed -n '/^<!DOCTYPE mime-info \[/,/^\]>/{//!p}' /usr/share/mime/packages/freedesktop.org.xml >"$workdir/mime-info.dtd"
xmllint --noout --dtdvalid "$workdir/mime-info.dtd" "$prefix/share/mime/packages/$app_id.xml"

# Register the package in a copy of the MIME database and ask Qt's MIME database.
mkdir -p "$workdir/data/mime/packages"
cp "$prefix/share/mime/packages/$app_id.xml" "$workdir/data/mime/packages/"
XDG_DATA_DIRS="$workdir/data" update-mime-database "$workdir/data/mime"
printf '<macromedia-extension name="x"/>\n' >"$workdir/x.mxi"
printf '<macromedia-extension name="x" version="1.0">\n</macromedia-extension>\n' >"$workdir/x.dat"
printf '<?xml version="1.0"?>\n<other-root/>\n' >"$workdir/y.dat"
found=$(XDG_DATA_HOME="$workdir/no-home" XDG_DATA_DIRS="$workdir/data:/usr/share" \
    "$mime_type_of" "$workdir/x.mxi" "$workdir/x.dat" "$workdir/y.dat" | paste -sd ' ')
[ "$found" = "$mime_type $mime_type application/xml" ] || fail "MIME types of x.mxi x.dat y.dat: $found"

version=$("$prefix/bin/parcelwright" --version)
grep -q "<release version=\"${version#parcelwright }\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo's release is not the program's version ($version)"
echo "install tree complete and valid"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$workdir/deb" >"$workdir/cpack.log" 2>&1 ||
    { cat "$workdir/cpack.log"; fail "cpack -G DEB failed"; }
deb=$(echo "$workdir"/deb/parcelwright_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libxml2 libc6; do
    grep -Eq "(^|, )$library( |,|$)" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
echo "built $(basename "$deb"), depends on: $depends"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo -n"
if ! command -v apt-get >/dev/null || ! $sudo true 2>/dev/null; then
    echo "not installing the package: needs root or password-less sudo"
    exit 0
fi
# One package check at a time on this machine; a parcelwright the user installed is left alone.
exec 9>/tmp/parcelwright-package-check.lock
flock 9
if dpkg-query -W -f='${Status}' parcelwright 2>/dev/null | grep -q 'install ok installed'; then
    echo "not installing the package: parcelwright is installed already"
    exit 0
fi
apt="$sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120"
$apt install "$deb" >"$workdir/apt.log" 2>&1 || { cat "$workdir/apt.log"; fail "apt-get install failed"; }
installed=$(/usr/bin/parcelwright --version)
[ -f "/usr/share/applications/$app_id.desktop" ] || fail "the package did not install the desktop entry"
$apt purge parcelwright >"$workdir/apt.log" 2>&1 || { cat "$workdir/apt.log"; fail "apt-get purge failed"; }
left=$(ls -d /usr/bin/parcelwright /usr/share/doc/parcelwright /usr/share/*/"$app_id"* /usr/share/*/*/"$app_id"* \
    /usr/share/icons/hicolor/*/apps/"$app_id"* 2>/dev/null || true)
[ -z "$left" ] || fail "left behind after removal: $left"
echo "installed ($installed) and removed the package"
