#!/usr/bin/env bash
# Regenerates the binary seed corpus from the text seeds: fuzz/make-seeds.sh QZPKG
#
# Every text seed that parses becomes a TPF0 stream, a few also a resource form, and a handful
# of streams are built byte by byte for what our own writer never produces (long and UTF-8
# strings, doubles, wide integers, filer flags).
set -eu

qzpkg=${1:?usage: $0 QZPKG}
here=$(cd "$(dirname "$0")" && pwd)
text=$here/corpus/text
out=$here/corpus/binary
rm -rf "$out"
mkdir -p "$out"

for f in "$text"/*.txt; do
    name=$(basename "$f" .txt)
    case $name in
    bom | whitespace | keywords_case) continue ;; # only the text syntax differs
    esac
    "$qzpkg" form-to-binary "$f" "$out/$name.bin" 2>/dev/null || true
done
for name in all_kinds components headers; do
    "$qzpkg" form-to-resource "$text/$name.txt" "$out/$name.res"
done

# Root "TTestLabel Label1" with the given property bytes.
stream() {
    { printf 'TPF0\x0aTTestLabel\x06Label1'; printf "$1"; printf '\x00\x00'; } >"$out/$2"
}
# Caption as a long string, Value as UTF-8, Ratio as a double, Big as a small Int64,
# Scale as a single, Tag as a wide string into an int (fails on reading the component).
stream '\x07Caption\x0c\x03\x00\x00\x00abc\x05Value\x14\x02\x00\x00\x00\xc3\xa9\x05Ratio\x15\x00\x00\x00\x00\x00\x00\xf8\x3f\x03Big\x13\x05\x00\x00\x00\x00\x00\x00\x00\x05Scale\x0f\x00\x00\x20\x40\x03Tag\x12\x02\x00\x00\x00\x41\x00\x42\x00' other_writers.bin
# A Latin-1 short string, an extended, a currency and a date.
stream '\x07Caption\x06\x04caf\xe9\x05Value\x05\x00\x00\x00\x00\x00\x00\x00\x80\xff\x3f\x04Cash\x10\x10\x27\x00\x00\x00\x00\x00\x00\x04When\x11\x00\x00\x00\x00\x20\xf8\xe5\x40' latin1_extended.bin
# Items with an order before each item, the Lines list and a binary block.
stream '\x05Items\x0e\x02\x01\x01\x07Caption\x06\x01a\x00\x03\x02\x00\x01\x00\x00\x0dLines.Strings\x01\x06\x03one\x06\x00\x00\x04Blob\x0a\x02\x00\x00\x00\x00\xff' items_lines_blob.bin
# Filer flags: an inherited child, an inline one with a child position, a child position
# stored as Int64.
{
    printf 'TPF0\x05TForm\x05Form1\x00'
    printf '\xf1\x0aTTestLabel\x06Label1\x00\x00'
    printf '\xf6\x02\x03\x06TFrame\x06Frame1\x00'
    printf '\x0aTTestLabel\x06Label2\x00\x00'
    printf '\x00'
    printf '\xf2\x13\x01\x00\x00\x00\x00\x00\x00\x00\x0cTTestFailing\x06Timer1\x07Trigger\x02\x01\x00\x00'
    printf '\x00'
} >"$out/flags.bin"
# Two streams back to back: the reader stops after the first.
cat "$out/minimal.bin" "$out/minimal.bin" >"$out/two_streams.bin"
