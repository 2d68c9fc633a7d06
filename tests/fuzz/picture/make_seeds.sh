#!/usr/bin/env bash
# Makes the seed files of picture_fuzz with ImageMagick. Run once by hand;
# the results are committed, so the fuzz replay needs no ImageMagick.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/seeds"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
rm -rf "$out"
mkdir -p "$out"
cd "$out"
im=/usr/bin/convert

# Writes the bytes given as hex pairs at offset $2 of file $1.
patch_bytes() {
  printf "$(printf '\\x%s' $3)" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

$im rose: -resize 5x3\! -type TrueColor BMP3:bmp24_5x3.bmp
$im rose: -resize 5x3\! -colors 16 -compress None BMP3:bmp4_5x3.bmp
$im rose: -resize 9x4\! -monochrome -compress None BMP3:bmp1_9x4.bmp
$im rose: -resize 4x3\! -type TrueColor BMP:bmp24_v5_4x3.bmp
$im rose: -resize 3x2\! -alpha set -channel A -evaluate set 50% +channel \
  -define bmp3:alpha=true BMP3:bmp32_3x2.bmp
# 8 bits per pixel with a 20-entry colour table: the 256-entry table that
# ImageMagick writes is cut to 20 entries (biClrUsed and bfOffBits follow).
$im rose: -resize 6x3\! -colors 20 -type Palette -compress None BMP3:"$tmp/b8.bmp"
{ head -c 134 "$tmp/b8.bmp"; tail -c 24 "$tmp/b8.bmp"; } > bmp8_6x3.bmp
patch_bytes bmp8_6x3.bmp 2 "9e 00 00 00"   # bfSize 158
patch_bytes bmp8_6x3.bmp 10 "86 00 00 00"  # bfOffBits 134 = 54 + 20 * 4
patch_bytes bmp8_6x3.bmp 46 "14 00 00 00"  # biClrUsed 20

$im rose: -resize 8x5\! -quality 80 jpeg_8x5.jpg
$im rose: -resize 9x7\! -colorspace Gray jpeg_grey_9x7.jpg
$im rose: -resize 9x7\! -interlace JPEG jpeg_progressive_9x7.jpg
$im rose: -resize 4x4\! -colorspace CMYK jpeg_cmyk_4x4.jpg

$im rose: -resize 8x4\! -colors 30 -type Palette PCX:pcx8_8x4.pcx
# Monochrome PCX: ImageMagick writes version 5 and a palette block at the end;
# version 3 is what marks a monochrome file, and the block is dropped.
$im rose: -resize 10x3\! -monochrome "$tmp/m.gif"
$im "$tmp/m.gif" PCX:"$tmp/m.pcx"
head -c $(( $(stat -c %s "$tmp/m.pcx") - 769 )) "$tmp/m.pcx" > pcxmono_10x3.pcx
patch_bytes pcxmono_10x3.pcx 1 "03"

$im rose: -resize 8x8\! -colors 16 ico_8x8.ico
# ImageMagick writes type 1 (icon) in CUR files too; a cursor has type 2.
$im rose: -resize 8x8\! cur_8x8.cur
patch_bytes cur_8x8.cur 2 "02"

# Files cut short.
head -c 80 bmp24_5x3.bmp > cut_bmp24.bmp
head -c 200 jpeg_8x5.jpg > cut_jpeg.jpg
head -c 140 pcx8_8x4.pcx > cut_pcx8.pcx
head -c 100 ico_8x8.ico > cut_ico.ico
