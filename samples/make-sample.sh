#!/usr/bin/env bash
# Makes the sample spelling list "Sample.spl" from words.txt (one word a line,
# in test order) and records each word's clip into words/<word>.wav with
# espeak-ng. The results are committed; run this again only after changing
# words.txt.
set -euo pipefail
cd "$(dirname "$0")"

mapfile -t words < <(sed '/^\s*$/d' words.txt)
rm -rf words
mkdir -p words

# The list file: the 16-bit little-endian word count, then each word with its one-byte length.
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8)))"; }
{
  le16 "${#words[@]}"
  for w in "${words[@]}"; do
    len=$(printf %s "$w" | wc -c)
    [ "$len" -lt 255 ] || { echo "word too long for this script: $w" >&2; exit 1; }
    printf "\\x$(printf %02x "$len")"
    printf %s "$w"
  done
} > Sample.spl

for w in "${words[@]}"; do
  espeak-ng -v en-gb -s 120 -w "words/$w.wav" "$w"
done
echo "sample: ${#words[@]} words in $(pwd)/Sample.spl, clips in $(pwd)/words"
