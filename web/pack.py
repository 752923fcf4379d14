#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the web edition together: the page's files, the module packed into a classic
# script, the icon with its pictures for a home screen rendered at their sizes
# (rsvg-convert, pngquant), and the service worker with the list of files and a cache name
# made from their content.
# Usage: pack.py <module.wasm> <page folder> <output folder>
import base64
import gzip
import hashlib
import json
import shutil
import subprocess
import sys
from pathlib import Path

PAGE_FILES = ['index.html', 'app.css', 'app.js', 'entry.js', 'today.js', 'share.js', 'people.js',
              'manifest.webmanifest', 'icon.svg']


def install_icons(drawing, out):
    """The icon for a home screen at its sizes; the maskable one (and Apple's, which is
    never transparent) on a full background with the drawing inside the safe circle."""
    svg = drawing.read_text()
    body = svg[svg.index('<svg'):]
    inner = body[body.index('>') + 1:body.rindex('</svg>')]
    masked = ('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 512 512">'
              f'<rect width="512" height="512" fill="#ffffff"/>'
              f'<g transform="translate(96 96) scale(.625)">{inner}</g></svg>')
    for name, source, side in (('icon-192.png', svg, 192), ('icon-512.png', svg, 512),
                               ('icon-maskable-512.png', masked, 512),
                               ('icon-180.png', masked, 180)):
        png = subprocess.run(['rsvg-convert', '-w', str(side), '-h', str(side)],
                             input=source.encode(), capture_output=True, check=True).stdout
        # A few flat colours: a palette of them keeps each file a fifth of its size.
        subprocess.run(['pngquant', '--quality=60-90', '--speed=1', '--strip', '--force',
                        '--output', str(out / name), '-'], input=png, check=True)


def main():
    module, page, out = (Path(a) for a in sys.argv[1:4])
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    for name in PAGE_FILES:
        shutil.copyfile(page / name, out / name)
    packed = base64.b64encode(gzip.compress(module.read_bytes(), 9, mtime=0)).decode()
    loader = (page / 'engine-loader.js').read_text()
    (out / 'engine.js').write_text(loader.replace('@MODULE@', packed))
    install_icons(page / 'icon.svg', out)

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
