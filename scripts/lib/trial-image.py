#!/usr/bin/python3
"""Screenshot arithmetic for scripts/trial-desktops.sh, on the standard library alone.

  trial-image.py png SHOT.ppm OUT.png
      keeps a screenshot as PNG (the PPM that ImageMagick's `import` wrote is removed).
  trial-image.py icon BEFORE.ppm AFTER.ppm X0 Y0 X1 Y1
      finds what appeared inside the strip X0..X1, Y0..Y1 between the two shots: the changed
      pixels, grouped into clusters of columns; the new tray icon is the cluster that is not
      merely a neighbour moved sideways. Prints shell assignments: ICON_X ICON_Y ICON_W ICON_H
      (the changed pixels' box), ICON_PIXELS (the symbol's pixels: those of the box that differ
      from the panel), SYMBOL_LUM (their mean luminance), PANEL_LUM (the panel's colour around
      the symbol), both 0..255, CLUSTERS and MOVED_SHARE (how much of the chosen cluster a
      sideways move explains, 0..1).
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
    # A host that makes room for the new item moves its neighbours sideways: their changed
    # pixels show what stood a few columns away before. The new icon is the cluster that no
    # sideways move explains.
    width = before[0]

    def moved_share(members):
        best = 0.0
        for dx in range(-96, 97):
            if dx == 0:
                continue
            same = 0
            for x, y, i in members:
                if 0 <= x + dx < width:
                    j = i + dx * 3
                    a, b = after[2], before[2]
                    if abs(a[i] - b[j]) + abs(a[i + 1] - b[j + 1]) + abs(a[i + 2] - b[j + 2]) <= THRESHOLD:
                        same += 1
            best = max(best, same / len(members))
        return best

    scored = []
    for left, right in clusters:
        members = [p for p in pixels if left <= p[0] <= right]
        scored.append((moved_share(members), left, right, members))
    share, left, right, mine = min(scored, key=lambda c: (round(c[0], 1), c[1]))
    ys = [y for _, y, _ in mine]
    top, bottom = min(ys), max(ys)
    # The panel behind the symbol: the commonest colour around and inside the symbol's box,
    # in the picture with the icon. The symbol: the pixels of that box that differ from it.
    w, _, px = after
    counts = {}
    for y in range(max(box[1], top - 4), min(box[3], bottom + 5)):
        for x in range(max(0, left - 4), min(w, right + 5)):
            i = (y * w + x) * 3
            counts[px[i : i + 3]] = counts.get(px[i : i + 3], 0) + 1
    background = max(counts, key=counts.get)
    symbol = []
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            i = (y * w + x) * 3
            if abs(px[i] - background[0]) + abs(px[i + 1] - background[1]) + abs(px[i + 2] - background[2]) > THRESHOLD:
                symbol.append(luminance(px, i))
    panel = luminance(background, 0)
    symbol_lum = sum(symbol) / len(symbol) if symbol else panel
    print(
        f"ICON_X={left} ICON_Y={top} ICON_W={right - left + 1} ICON_H={bottom - top + 1} "
        f"ICON_PIXELS={len(symbol)} SYMBOL_LUM={symbol_lum:.1f} PANEL_LUM={panel:.1f} CLUSTERS={len(clusters)} "
        f"MOVED_SHARE={share:.2f}"
    )
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
