#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a built tree, unpacks it and checks what a
# user would get: the files in their places, the package's dependencies, the
# data file type as the MIME database reads it, and the unpacked program
# starting with a sample file and reading it.
# Usage: check-package.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
work=$build/package-check
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack did not build the package"; }
deb=$(echo "$work"/tervalo_"$version"_*.deb)
[ -f "$deb" ] || fail "no package tervalo_${version}_*.deb in $work"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in fonts-liberation2 libqt6widgets6 libqt6svg6 libchm1; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
dpkg-deb --field "$deb" Description | grep -qF \
    "Climate normals: Deutscher Wetterdienst (DWD), compiled in fdagner/klimadiagramme." \
    || fail "the description lacks the credit of the climate normals"

root=$work/root
dpkg-deb -x "$deb" "$root"
folder=$root/usr/lib/tervalo
[ -x "$folder/tervalo" ] || fail "no program in usr/lib/tervalo"
[ "$(readlink "$root/usr/bin/tervalo")" = ../lib/tervalo/tervalo ] || fail "usr/bin/tervalo is not the link into usr/lib/tervalo"
[ -s "$folder/tervalo.chm" ] || fail "no help file beside the program"
cmp -s "$source/resources/stations/stations.csv" "$folder/stations.csv" || fail "no station library beside the program"
for sample in "$source"/samples/*.tvr; do
    cmp -s "$sample" "$folder/$(basename "$sample")" || fail "sample $(basename "$sample") missing or changed"
done
share=$root/usr/share
for file in applications/io.github.tervalo.Tervalo.desktop metainfo/io.github.tervalo.Tervalo.metainfo.xml \
            mime/packages/tervalo.xml icons/hicolor/scalable/apps/tervalo.svg; do
    [ -s "$share/$file" ] || fail "no $file"
done
# The licence and the credits, as Debian keeps them: the copyright file in
# its machine-readable form (read by Debian's own parser), naming for the
# files they cover the program's licence and the station data's source and
# terms, and the READMEs that tell where the data comes from.
credit="Climate normals: Deutscher Wetterdienst (DWD), compiled in fdagner/klimadiagramme."
doc=$share/doc/tervalo
cmp -s "$source/COPYING" /usr/share/common-licenses/GPL-3 || fail "COPYING is not the text of the GNU GPL version 3"
cmp -s "$source/samples/README.md" "$doc/samples/README.md" || fail "no samples README in usr/share/doc/tervalo"
cmp -s "$source/resources/stations/README.md" "$doc/resources/stations/README.md" \
    || fail "no station library README in usr/share/doc/tervalo"
/usr/bin/python3 - "$doc/copyright" "$credit" <<'CHECK' || fail "usr/share/doc/tervalo/copyright is wrong"
import sys
from debian import copyright
with open(sys.argv[1], encoding="utf-8") as f:
    c = copyright.Copyright(f, strict=True)
defined = {p.license.synopsis for p in c.all_license_paragraphs()}
for files in c.all_files_paragraphs():
    if not files.license.text and files.license.synopsis not in defined:
        sys.exit(f"no text for the licence {files.license.synopsis}")
for path, licence in [("src/app/main.cpp", "GPL-3+"), ("resources/stations/stations.csv", "GeoNutzV"),
                      ("samples/lisbon.tvr", "GeoNutzV")]:
    found = c.find_files_paragraph(path)
    if found is None or found.license.synopsis != licence:
        sys.exit(f"{path} is not under {licence}")
if sys.argv[2] not in " ".join(c.find_files_paragraph("samples/lisbon.tvr").comment.split()):
    sys.exit("the station data lacks its credit line")
CHECK
grep -qF "$credit" "$share/metainfo/io.github.tervalo.Tervalo.metainfo.xml" \
    || fail "the AppStream description lacks the credit line"
for size in 16 22 24 32 48 64 128 256; do
    file --brief "$share/icons/hicolor/${size}x$size/apps/tervalo.png" | grep -q "PNG image data, $size x $size" \
        || fail "no ${size}x$size PNG icon"
done

# The MIME database compiled from the package's type: a name and a first
# byte that make a data file.
update-mime-database "$share/mime" > "$work/mime.log" 2>&1 || { cat "$work/mime.log" >&2; fail "update-mime-database refused the type"; }
grep -qx '50:application/x-tervalo:\*.tvr' "$share/mime/globs2" || fail "the MIME database has no *.tvr glob"
grep -qx 'application/x-tervalo text/plain' "$share/mime/subclasses" || fail "the data file type is no kind of text/plain"
grep -qx '50:application/x-tervalo-chart:\*.tvc' "$share/mime/globs2" || fail "the MIME database has no *.tvc glob"
grep -qx 'application/x-tervalo-chart application/xml' "$share/mime/subclasses" || fail "the chart document type is no kind of XML"
grep -q 'MimeType=.*application/x-tervalo-chart;' "$share/applications/io.github.tervalo.Tervalo.desktop" \
    || fail "the menu entry does not open chart documents"

# The unpacked program, started through its link with a sample: it must read
# the sample and still be running afterwards. strace shows the file being
# opened and read; where tracing is not allowed, only the start is checked.
program=$root/usr/bin/tervalo
# The program adds what it opens to the recent files: in settings of its own here.
export XDG_CONFIG_HOME=$work/config
sample=$folder/lisbon.tvr
[ "$("$program" --version)" = "Tervalo $version" ] || fail "--version does not say Tervalo $version"
if ! strace -o /dev/null true 2>/dev/null; then
    status=0
    timeout 3 "$program" "$sample" || status=$?
    [ $status -eq 124 ] || fail "the program ended with status $status instead of running"
    echo "strace cannot trace here: the program starts, but reading the sample was not checked"
    exit 77
fi
trace=$work/trace
# timeout ends the program should this script stop before it does.
strace -f -e trace=openat,read -e signal=none -o "$trace" timeout 60 "$program" "$sample" &
tracer=$!
opened=
for _ in $(seq 200); do
    opened=$(grep -E "openat\(AT_FDCWD, \"$sample\", O_RDONLY[^)]*\) = [0-9]+$" "$trace" || true)
    [ -n "$opened" ] && break
    kill -0 $tracer 2>/dev/null || break
    sleep 0.1
done
[ -n "$opened" ] || fail "the program did not open $sample"
pid=${opened%% *}
fd=${opened##* }
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended after opening the sample"
kill "$pid"
wait $tracer || true
# strace pads the process number to a width: compare it as a field.
grep -F "read($fd, \"\\\"Lisbon 1991-2020\\\",\\\"(11.5;96)" "$trace" | awk -v pid="$pid" '$1 == pid { found = 1 } END { exit !found }' \
    || fail "the program did not read the sample"
echo "package $(basename "$deb"): $(dpkg-deb --field "$deb" Installed-Size) KiB installed"
