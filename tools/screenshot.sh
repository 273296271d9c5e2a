#!/usr/bin/env bash
# Renders an HTML page in headless Chromium to a PNG and checks that it
# worked: the page rendered, the picture is not blank, the page's script ran
# to its end (it marks <body data-script="done">) and nothing was logged to
# the browser console.
#   tools/screenshot.sh PAGE.html PICTURE.png [WIDTHxHEIGHT]
set -euo pipefail
page=$1 picture=$2 size=${3:-1024x1000}
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "screenshot: chromium is not installed (./tools/check-tools.sh /usr/bin/chromium=chromium)" >&2
  exit 1
fi
[ -f "$page" ] || { echo "screenshot: no page $page" >&2; exit 1; }
url="file://$(cd "$(dirname "$page")" && pwd)/$(basename "$page")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

flags=(--headless --disable-gpu --hide-scrollbars --no-first-run --no-default-browser-check
       --user-data-dir="$work/profile" --virtual-time-budget=10000 --enable-logging=stderr --v=0
       --window-size="${size/x/,}")
# Chromium refuses to run as root with its sandbox.
[ "$(id -u)" = 0 ] && flags+=(--no-sandbox)

rm -f "$picture"
timeout 180 "$browser" "${flags[@]}" --screenshot="$picture" "$url" >"$work/shot.out" 2>"$work/shot.err" || {
  cat "$work/shot.err" >&2
  echo "screenshot: chromium failed on $page" >&2
  exit 1
}
timeout 180 "$browser" "${flags[@]}" --dump-dom "$url" >"$work/dom.html" 2>"$work/dom.err" || {
  cat "$work/dom.err" >&2
  echo "screenshot: chromium could not load $page" >&2
  exit 1
}

status=0
if grep -h "CONSOLE" "$work/shot.err" "$work/dom.err" >&2; then
  echo "screenshot: the page logged to the console (above)" >&2
  status=1
fi
if ! grep -q 'data-script="done"' "$work/dom.html"; then
  echo "screenshot: the page's script did not run to its end" >&2
  status=1
fi
if [ ! -s "$picture" ]; then
  echo "screenshot: no picture was written" >&2
  exit 1
fi
python3 - "$picture" <<'PY' || status=1
# Counts the distinct colours of the picture; a blank page has one or two.
import struct, sys, zlib

def pixels(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("screenshot: not a PNG file")
    pos, idat = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    if depth != 8 or colour not in (2, 6):
        raise SystemExit("screenshot: unexpected PNG format")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * bpp
    prev = bytearray(stride)
    rows = []
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 0xFF
        elif kind == 2:
            line = bytearray((a + b) & 0xFF for a, b in zip(line, prev))
        elif kind == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 0xFF
        elif kind == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b, c = prev[i], prev[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(bytes(line))
        prev = line
    return width, height, bpp, rows

width, height, bpp, rows = pixels(sys.argv[1])
colours = set()
for line in rows[::4]:
    colours.update(line[i:i + bpp] for i in range(0, len(line), bpp * 2))
print(f"screenshot: {width}x{height}, {len(colours)} colours")
if len(colours) < 16:
    raise SystemExit("screenshot: the picture is blank")
PY
[ "$status" = 0 ] && echo "screenshot: $picture"
exit "$status"
