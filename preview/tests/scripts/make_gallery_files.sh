#!/bin/sh
# Writes the files the preview gallery shows, with real tools: a UTF-8 text, a
# dBase table, a Photoshop document, a ZIP, a PNG, a cabinet, an RTF, a file above
# the preview's size limit, a file of no previewable kind, and damaged files.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=$1
rm -rf "$out"
mkdir -p "$out/ziproot/docs" "$out/cabroot"
cd "$out"

printf '\357\273\277Gr\303\274\303\237e aus der Vorschau\nline two\n' > notes.txt
python3 "$here/write_dbf.py" people.dbf
# Left half red, right half blue.
convert -size 20x30 xc:'#FF0000' -size 20x30 xc:'#0000FF' +append -compress RLE picture.psd
echo hello > ziproot/readme.txt
head -c 10000 /dev/zero > ziproot/docs/guide.txt
(cd ziproot && zip -D -q ../bundle.zip readme.txt docs/guide.txt)
convert -size 100x50 xc:'#00C000' photo.png
# The same picture in the other formats the image view decodes, and an icon.
for format in jpg bmp tif gif ppm pnm; do convert photo.png "photo.$format"; done
convert photo.png -compress none plain.ppm
convert photo.png -colorspace Gray photo.pgm
# JPEG 2000, which the imaging component here has no decoder for.
convert photo.png photo.jp2
# A page for the browser group, shown twice in a row.
printf '<html><body bgcolor="#FFFF00"><p>Gallery page</p></body></html>' > page.htm
# A valid sound: a tenth of a second of silence, 8 kHz, 8 bits, mono.
python3 -c "import wave; w = wave.open('sound.wav', 'wb'); w.setnchannels(1); w.setsampwidth(1); w.setframerate(8000); w.writeframes(bytes([128]) * 800); w.close()"
# A wireless bitmap, one bit a pixel: a black band over white.
convert -size 16x8 xc:white -fill black -draw 'rectangle 0,0 15,3' mark.wbmp
convert -size 32x32 xc:'#FF8000' badge.ico
convert photo.png -type Palette photo.pcx
echo first > cabroot/a.txt
echo second > cabroot/b.txt
(cd cabroot && gcab -c ../files.cab a.txt b.txt)
printf '{\\rtf1\\ansi Hello {\\b bold} world}' > letter.rtf
printf '%%PDF-1.4\n%%%%EOF\n' > manual.pdf
printf 'not a real Word document' > report.doc
head -c 5242881 /dev/zero > huge.bin
echo nothing > thing.xyz
printf 'RIFF' > chime.wav
printf 'not a presentation' > slides.ppt
printf 'not a film' > clip.avi
printf 'Standard Jet DB' > sales.mdb

# Damaged: a table without fields, a document without its signature, an archive
# without a directory, a cut picture, a cut cabinet.
{ head -c 32 /dev/zero; printf '\015\040'; } > broken.dbf
{ printf '8BPX'; tail -c +5 picture.psd; } > broken.psd
{ printf 'PK\003\004'; head -c 200 /dev/urandom; } > broken.zip
head -c 60 photo.png > broken.png
head -c 40 files.cab > broken.cab
head -c 30 badge.ico > broken.ico
head -c 100 photo.pcx > broken.pcx

# A drawing: a square of lines with a circle inside, after its header section.
printf '0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n' > plan.dxf
for edge in '0 0 100 0' '100 0 100 100' '100 100 0 100' '0 100 0 0'; do
  set -- $edge
  printf '0\nLINE\n8\n0\n10\n%s\n20\n%s\n11\n%s\n21\n%s\n' "$1" "$2" "$3" "$4" >> plan.dxf
done
printf '0\nCIRCLE\n8\n0\n10\n50\n20\n50\n40\n25\n0\nENDSEC\n0\nEOF\n' >> plan.dxf
# Entities without a header section: refused.
printf '0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n0\nEOF\n' > noheader.dxf
rm -rf ziproot cabroot
