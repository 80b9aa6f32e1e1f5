#!/usr/bin/env bash
# Backs drive P: of the build tree's Wine prefix with a small FAT16 image whose
# root holds files made by real tools for the preview road: a text, a JPEG, a
# ZIP, a dBase table, a Photoshop document and two pages of the browser group.
# Usage: map-preview-drive.sh BUILD_ROOT
set -euo pipefail
build_root=$1
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../../.." && pwd)
work="$build_root/app/results/tests/preview-drive"
image="$work/preview-fat16.img"
files="$work/files"
rm -rf "$files" "$image"
mkdir -p "$files/ziproot/docs"
cd "$files"
printf 'Preview road\r\nsecond line\r\n' > notes.txt
convert -size 100x50 xc:'#00C000' -quality 95 photo.jpg
echo hello > ziproot/readme.txt
head -c 10000 /dev/zero > ziproot/docs/guide.txt
(cd ziproot && zip -D -q ../bundle.zip readme.txt docs/guide.txt)
rm -rf ziproot
python3 "$source_root/preview/tests/scripts/write_dbf.py" people.dbf
# Left half red, right half blue.
convert -size 20x30 xc:'#FF0000' -size 20x30 xc:'#0000FF' +append -compress RLE picture.psd
for page in page second; do
  printf '<html><body bgcolor="#FFFF00"><p>The %s page</p></body></html>' "$page" > "$page.htm"
done
truncate -s 32M "$image"
mkfs.fat -F 16 -n PREVIEW "$image" >/dev/null
MTOOLS_SKIP_CHECK=1 mcopy -i "$image" notes.txt photo.jpg bundle.zip people.dbf picture.psd page.htm second.htm ::/
PELMO_WINE_ROOT="$build_root" "$source_root/cmake/wine-run.sh" --map p "$image" "$work/mounted-p"
