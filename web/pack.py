#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the web edition together: the page's files, the module packed into a classic
# script, the icons drawn from the program's pixel map, and the service worker with the
# list of files and a cache name made from their content.
# Usage: pack.py <module.wasm> <page folder> <icon pixel map> <output folder>
import base64
import gzip
import hashlib
import json
import shutil
import struct
import sys
import zlib
from pathlib import Path

PAGE_FILES = ['index.html', 'app.css', 'app.js', 'manifest.webmanifest']
# The standard 16-colour palette the pixel map indexes.
PALETTE = ['000000', '800000', '008000', '808000', '000080', '800080', '008080', '808080',
           'c0c0c0', 'ff0000', '00ff00', 'ffff00', '0000ff', 'ff00ff', '00ffff', 'ffffff']


def read_pixels(path):
    rows = [line.rstrip('\n') for line in path.read_text().splitlines()
            if line and not line.startswith('#')]
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), 'a 32 x 32 pixel map'
    return rows


def icon_svg(rows):
    # One path per colour, a rectangle per run of its pixels in a row: sharp at any size.
    paths = {}
    for y, row in enumerate(rows):
        x = 0
        while x < 32:
            c = row[x]
            run = 1
            while x + run < 32 and row[x + run] == c:
                run += 1
            if c != '.':
                paths.setdefault(c, []).append(f'M{x} {y}h{run}v1h-{run}z')
            x += run
    body = ''.join(f'<path fill="#{PALETTE[int(c, 16)]}" d="{"".join(d)}"/>'
                   for c, d in sorted(paths.items()))
    return ('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" '
            f'shape-rendering="crispEdges">{body}</svg>\n')


def icon_png(rows, side):
    scale = side // 32
    raw = bytearray()
    for row in rows:
        line = bytearray([0])
        for c in row:
            rgba = bytes(4) if c == '.' else bytes.fromhex(PALETTE[int(c, 16)]) + b'\xff'
            line += rgba * scale
        raw += bytes(line) * scale

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def main():
    module, page, pixmap, out = (Path(a) for a in sys.argv[1:5])
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    for name in PAGE_FILES:
        shutil.copyfile(page / name, out / name)
    packed = base64.b64encode(gzip.compress(module.read_bytes(), 9, mtime=0)).decode()
    loader = (page / 'engine-loader.js').read_text()
    (out / 'engine.js').write_text(loader.replace('@MODULE@', packed))
    rows = read_pixels(pixmap)
    (out / 'icon.svg').write_text(icon_svg(rows))
    for side in (192, 512):
        (out / f'icon-{side}.png').write_bytes(icon_png(rows, side))

    # The worker names every file, itself included, and its cache after all the others.
    others = sorted(p.name for p in out.iterdir())
    digest = hashlib.sha256()
    for name in others:
        digest.update(name.encode() + b'\0' + (out / name).read_bytes())
    files = sorted(others + ['sw.js'])
    worker = (page / 'sw.js').read_text()
    worker = worker.replace('@HASH@', digest.hexdigest()[:16])
    worker = worker.replace('@FILES@', json.dumps(['./'] + files))
    (out / 'sw.js').write_text(worker)


if __name__ == '__main__':
    main()
