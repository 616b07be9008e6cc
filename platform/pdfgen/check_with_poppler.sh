#!/usr/bin/env bash
# Writes a PDF with pdfgen_sample.exe under Wine and checks it with poppler:
# page count and sizes, producer, text, and the colours of the rendered pages.
# Usage: check_with_poppler.sh <pdfgen_sample.exe> <wine.sh>
set -euo pipefail

SAMPLE="$1"
WINE_SH="$2"
for tool in pdfinfo pdftoppm pdftotext python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (poppler-utils, python3)"; exit 1; }
done

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PDF="$WORK/sample.pdf"

"$WINE_SH" "$SAMPLE" "Z:$PDF"
[ -s "$PDF" ] || { echo "FAIL: no PDF written"; exit 1; }
if ls "$WORK" | grep -v '^sample\.pdf$' | grep -q .; then
    echo "FAIL: files left beside the PDF: $(ls "$WORK")"; exit 1
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# pdfinfo reports problems with the cross-reference table on stderr.
info="$(pdfinfo -f 1 -l 3 "$PDF" 2>"$WORK/pdfinfo.err")" || fail "pdfinfo rejects the file"
if [ -s "$WORK/pdfinfo.err" ]; then
    fail "pdfinfo complains: $(cat "$WORK/pdfinfo.err")"
fi
echo "$info"
grep -Eq '^Pages: +3$' <<<"$info" || fail "page count is not 3"
grep -Eq '^Producer: +Stickwell sample$' <<<"$info" || fail "producer missing"
# 1015 x 507 tenths of a millimetre = 287.717 x 143.717 points.
for page in 1 2 3; do
    grep -Eq "^Page +$page size: +287\.71[0-9]* x 143\.71[0-9]* pts" <<<"$info" \
        || fail "page $page has the wrong size"
done

text="$(pdftotext -f 3 -l 3 "$PDF" - 2>/dev/null)" || fail "pdftotext rejects the file"
grep -q "Stickwell PDF" <<<"$text" || fail "text of page 3 not found: $text"

for page in 1 2 3; do
    pdftoppm -r 50 -f "$page" -l "$page" -singlefile "$PDF" "$WORK/page$page" 2>"$WORK/ppm.err" \
        || fail "pdftoppm cannot render page $page"
    [ -s "$WORK/ppm.err" ] && fail "pdftoppm complains on page $page: $(cat "$WORK/ppm.err")"
done

# Each check: page, x, y (pixels at 50 dpi, about 2 pixels per millimetre), expected R G B.
python3 - "$WORK" <<'EOF' || failures=$((failures + 1))
import sys

def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255', fields
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[pos + 1:]

work = sys.argv[1]
checks = [
    # Page 1: red top left quarter, blue elsewhere.
    (1, 50, 25, (255, 0, 0)), (1, 150, 25, (0, 0, 255)),
    (1, 50, 75, (0, 0, 255)), (1, 150, 75, (0, 0, 255)),
    # Page 2: white above, green below.
    (2, 100, 25, (255, 255, 255)), (2, 100, 75, (0, 192, 0)),
    # Page 3: yellow rectangle from 10,10 to 40,30 mm on white.
    (3, 49, 39, (255, 255, 0)), (3, 10, 10, (255, 255, 255)), (3, 90, 39, (255, 255, 255)),
]
bad = 0
for page, x, y, want in checks:
    w, h, pix = read_ppm('%s/page%d.ppm' % (work, page))
    if (w, h) != (200, 100):
        print('FAIL: page %d renders as %dx%d, expected 200x100' % (page, w, h))
        bad += 1
        continue
    got = tuple(pix[(y * w + x) * 3:(y * w + x) * 3 + 3])
    if any(abs(a - b) > 8 for a, b in zip(got, want)):
        print('FAIL: page %d pixel (%d,%d) is %s, expected %s' % (page, x, y, got, want))
        bad += 1
sys.exit(1 if bad else 0)
EOF

if ((failures)); then
    echo "pdfgen_poppler: $failures check(s) failed"
    exit 1
fi
echo "pdfgen_poppler: all checks passed"
