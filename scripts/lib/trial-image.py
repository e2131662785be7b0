#!/usr/bin/python3
"""Screenshot arithmetic for scripts/trial-desktops.sh, on the standard library alone.

  trial-image.py png SHOT.ppm OUT.png
      keeps a screenshot as PNG (the PPM that ImageMagick's `import` wrote is removed).
  trial-image.py icon BEFORE.ppm AFTER.ppm X0 Y0 X1 Y1
      finds what appeared inside the strip X0..X1, Y0..Y1 between the two shots: the changed
      pixels, grouped into clusters of columns, and the leftmost cluster taken as the new tray
      icon. Prints shell assignments: ICON_X ICON_Y ICON_W ICON_H (the changed pixels' box),
      ICON_PIXELS, SYMBOL_LUM (mean luminance of those pixels after), PANEL_LUM (the same
      pixels before: the panel behind the symbol), both 0..255, and CLUSTERS.
  trial-image.py changed BEFORE.ppm AFTER.ppm X0 Y0 X1 Y1
      prints the number of pixels that differ inside the box (0 when nothing changed there).
"""
import os
import struct
import sys
import zlib

THRESHOLD = 24  # summed channel difference below which a pixel counts as unchanged
GAP = 8  # columns without change that separate two clusters


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        start = pos
        while not data[pos : pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise SystemExit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1 : pos + 1 + width * height * 3]


def write_png(path, width, height, rgb):
    rows = b"".join(b"\0" + rgb[y * width * 3 : (y + 1) * width * 3] for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(rows, 6)))
        f.write(chunk(b"IEND", b""))


def luminance(px, i):
    return 0.2126 * px[i] + 0.7152 * px[i + 1] + 0.0722 * px[i + 2]


def changed_pixels(before, after, box):
    w, h, a = before
    w2, h2, b = after
    if (w, h) != (w2, h2):
        raise SystemExit("the two shots differ in size")
    x0, y0, x1, y1 = (max(0, box[0]), max(0, box[1]), min(w, box[2]), min(h, box[3]))
    out = []
    for y in range(y0, y1):
        for x in range(x0, x1):
            i = (y * w + x) * 3
            if abs(a[i] - b[i]) + abs(a[i + 1] - b[i + 1]) + abs(a[i + 2] - b[i + 2]) > THRESHOLD:
                out.append((x, y, i))
    return out


def main(argv):
    command = argv[1]
    if command == "png":
        w, h, px = read_ppm(argv[2])
        write_png(argv[3], w, h, px)
        os.remove(argv[2])
        return 0
    before, after = read_ppm(argv[2]), read_ppm(argv[3])
    box = tuple(int(v) for v in argv[4:8])
    pixels = changed_pixels(before, after, box)
    if command == "changed":
        print(len(pixels))
        return 0
    if command != "icon":
        raise SystemExit(f"unknown command {command}")
    if not pixels:
        print("ICON_PIXELS=0 CLUSTERS=0")
        return 0
    columns = sorted({x for x, _, _ in pixels})
    clusters = [[columns[0], columns[0]]]
    for x in columns[1:]:
        if x - clusters[-1][1] > GAP:
            clusters.append([x, x])
        else:
            clusters[-1][1] = x
    left, right = clusters[0]
    mine = [(x, y, i) for x, y, i in pixels if left <= x <= right]
    ys = [y for _, y, _ in mine]
    symbol = sum(luminance(after[2], i) for _, _, i in mine) / len(mine)
    panel = sum(luminance(before[2], i) for _, _, i in mine) / len(mine)
    print(
        f"ICON_X={left} ICON_Y={min(ys)} ICON_W={right - left + 1} ICON_H={max(ys) - min(ys) + 1} "
        f"ICON_PIXELS={len(mine)} SYMBOL_LUM={symbol:.0f} PANEL_LUM={panel:.0f} CLUSTERS={len(clusters)}"
    )
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
