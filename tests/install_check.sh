#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree as a desktop, man and bash read it,
# builds the .deb, has lintian check it and, where the machine allows (root or password-less sudo, no
# parcelwright installed), installs and removes it.
set -euo pipefail
build=$1 mime_type_of=$2 app_id=$3 mime_type=$4
source_tree=$(cd "$(dirname "$0")/.." && pwd)
mime_icon=${mime_type//\//-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

prefix=$work/prefix share=$work/prefix/share
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/parcelwright lib/parcelwright/parcelwright-window.so "share/icons/hicolor/scalable/apps/$app_id.svg" \
    "share/icons/hicolor/scalable/mimetypes/$mime_icon.svg" share/doc/parcelwright/README.md share/doc/parcelwright/copyright \
    share/doc/parcelwright/changelog.gz share/man/man1/parcelwright.1.gz share/bash-completion/completions/parcelwright; do
    [ -s "$prefix/$file" ] || fail "missing from the install tree: $file"
done
for side in 16 32 48 64 128 256; do
    for icon in "apps/$app_id" "mimetypes/$mime_icon"; do
        size=$(identify -format '%wx%h' "$share/icons/hicolor/${side}x$side/$icon.png")
        [ "$size" = "${side}x$side" ] || fail "the ${side}x$side icon $icon is $size"
    done
done
problems=$(desktop-file-validate "$share/applications/$app_id.desktop" 2>&1) && [ -z "$problems" ] || fail "$problems"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" >"$work/log" || fail "$(cat "$work/log")"
# The MIME package against the document type of shared-mime-info's own package.
sed -n '/^<!DOCTYPE mime-info \[/,/^\]>/{//!p}' /usr/share/mime/packages/freedesktop.org.xml >"$work/mime-info.dtd"
xmllint --noout --dtdvalid "$work/mime-info.dtd" "$share/mime/packages/$app_id.xml"

# Qt's MIME database over a copy registered by update-mime-database: by name, and by the root element.
mkdir -p "$work/data/mime/packages"
cp "$share/mime/packages/$app_id.xml" "$work/data/mime/packages/"
XDG_DATA_DIRS="$work/data" update-mime-database "$work/data/mime"
grep -qx "$mime_type:$mime_icon" "$work/data/mime/icons" || fail "the MIME type names no icon $mime_icon"
printf '<macromedia-extension name="x"/>\n' >"$work/x.mxi"
printf '<macromedia-extension name="x" version="1.0">\n</macromedia-extension>\n' >"$work/x.dat"
printf '<?xml version="1.0"?>\n<other-root/>\n' >"$work/y.dat"
found=$(XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/data:/usr/share" "$mime_type_of" "$work"/{x.mxi,x.dat,y.dat})
[ "$(echo $found)" = "$mime_type $mime_type application/xml" ] || fail "types of x.mxi x.dat y.dat: $(echo $found)"
version=$("$prefix/bin/parcelwright" --version)
grep -q "<release version=\"${version#parcelwright }\"" "$share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo's release is not the program's version ($version)"
# The release date: SOURCE_DATE_EPOCH's day where the build gives one, otherwise the last commit's day.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    released=$(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
else
    released=$(TZ=UTC git -C "$source_tree" log -1 --format=%cd --date=format-local:%F 2>/dev/null || date -u +%F)
fi
grep -q "<release version=\"${version#parcelwright }\" date=\"$released\"/>" "$share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo's release is not dated $released: $(grep '<release ' "$share/metainfo/$app_id.metainfo.xml")"

# The hardening of every build: a position-independent program, relocations read-only and bound at
# start, stack protection.
readelf -h "$prefix/bin/parcelwright" | grep -q 'Type: *DYN' || fail "the program is not position-independent"
for binary in bin/parcelwright lib/parcelwright/parcelwright-window.so; do
    headers=$(readelf -lWd --dyn-syms "$prefix/$binary")
    for mark in GNU_RELRO BIND_NOW __stack_chk_fail; do
        grep -q "$mark" <<<"$headers" || fail "$binary is built without $mark"
    done
done

# The manual page renders without a warning, its synopsis the usage lines of --help.
manual=$share/man/man1/parcelwright.1.gz
problems=$(MANWIDTH=200 man --warnings -l "$manual" 2>&1 >"$work/manual") && [ -z "$problems" ] ||
    fail "the manual page: $problems"
synopsis=$(sed -n '/^SYNOPSIS/,/^$/{//!p}' "$work/manual" | sed 's/^ *//')
usage=$("$prefix/bin/parcelwright" --help | sed -n 's/^\(Usage:\|  or:\)  *//p')
[ "$synopsis" = "$usage" ] || fail "the manual page's synopsis: $synopsis"
# The changelog's latest entry is this version's, of its release day.
zcat "$share/doc/parcelwright/changelog.gz" >"$work/changelog"
entry="$(dpkg-parsechangelog -l "$work/changelog" -S Version) $(date -u -d "$(dpkg-parsechangelog -l "$work/changelog" -S Date)" +%F)"
[ "$entry" = "${version#parcelwright } $released" ] || fail "the changelog's latest entry: $entry"
# Completion as bash does it: the options of --help, then .mxi files and folders.
mkdir -p "$work/complete/folder"
touch "$work/complete/"{a.mxi,b.MXI,notes.txt}
completions() {
    (cd "$work/complete" && bash -c 'source /usr/share/bash-completion/bash_completion && source "$0"
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
        _parcelwright "$1" "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
        printf "%s\n" "${COMPREPLY[@]}"' "$share/bash-completion/completions/parcelwright" "$@") | sort -u | xargs
}
[ "$(completions "$prefix/bin/parcelwright" --st)" = "--stdout --strict" ] ||
    fail "completions of --st: $(completions "$prefix/bin/parcelwright" --st)"
[ "$(completions "$prefix/bin/parcelwright" --check "")" = "a.mxi b.MXI folder" ] ||
    fail "completions of files: $(completions "$prefix/bin/parcelwright" --check "")"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/log" 2>&1 || fail "$(cat "$work/log")"
deb=$(echo "$work"/deb/parcelwright_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libxml2 libc6; do
    grep -Eq "(^|, )$library( |,|$)" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
grep -Eq '^[^<]+ <[^@ ]+@[^@ ]+\.[a-z]+>$' <<<"$maintainer" || fail "the package's maintainer has no address: $maintainer"
grep -q ' ./usr/share/doc/parcelwright/copyright$' <<<"$(dpkg-deb -c "$deb")" || fail "the package has no copyright file"
lintian --fail-on error,warning "$deb" >"$work/log" 2>&1 || fail "lintian: $(cat "$work/log")"
echo "install tree valid; lintian passes $(basename "$deb") by $maintainer, which depends on: $depends"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo -n"
command -v apt-get >/dev/null && $sudo true 2>/dev/null || { echo "not installing the .deb: needs root"; exit 0; }
exec 9>/tmp/parcelwright-package-check.lock # one package check at a time on this machine
flock 9
dpkg-query -W -f='${Status}' parcelwright 2>/dev/null | grep -q 'ok installed' &&
    { echo "not installing the .deb: parcelwright is installed already"; exit 0; }
apt="$sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120"
$apt install "$deb" >"$work/log" 2>&1 || fail "$(cat "$work/log")"
installed=$(/usr/bin/parcelwright --version)
[ -f "/usr/share/applications/$app_id.desktop" ] || fail "the package installed no desktop entry"
$apt purge parcelwright >"$work/log" 2>&1 || fail "$(cat "$work/log")"
left=$(ls -d /usr/bin/parcelwright /usr/share/doc/parcelwright /usr/share/{*,*/*,icons/hicolor/*/apps}/"$app_id"* 2>/dev/null || true)
[ -z "$left" ] || fail "left behind after removal: $left"
echo "installed ($installed) and removed the package"
