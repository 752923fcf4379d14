#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the web edition together: the page's files, its script modules bundled as one
# classic script that runs from disk too, the module packed into a first script of its own
# (esbuild, made small; the engine with the module also as a module for Node,
# web-engine.mjs beside the output folder, for the differential test), the style sheet made small (clean-css; each keeps
# its licence line; the page's texts as they are, in UTF-8) with the engine's colours, the
# manifest without spaces, the icon without its notes, the module made small (wasm-opt -Oz)
# and packed (zopfli), the icon with its pictures for a home screen rendered at their sizes
# (rsvg-convert, pngquant, zopflipng), and the service worker with the digest of every file
# and a cache name made from them. The page is written once in each language from one
# template (index.html: Czech in the folder, English in en/), its words from the catalogue
# as `cykl_po json ""` gives them.
# Usage: pack.py <module.wasm> <page folder> <output folder> <texts.json>
import hashlib
import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

PAGE_FILES = ['app.css', 'icon.svg']
# Each language's page, in its folder; Czech, the program's own, at the top.
PAGES = {'cs': '', 'en': 'en/'}


# Debian's packaged tools find their modules there whichever Node.js runs them.
NODE = dict(os.environ, NODE_PATH='/usr/share/nodejs')
LICENCE = 'SPDX-License-Identifier: GPL-3.0-or-later'


def run(command, data):
    return subprocess.run(command, input=data, capture_output=True, check=True, env=NODE).stdout


def small_script(text):
    return f'/* {LICENCE} */\n' + run(['esbuild', '--minify', '--charset=utf8'], text.encode()).decode()


def bundle(entry, *options):
    """The module entry with all it imports, the packed module among them, made small."""
    return f'/* {LICENCE} */\n' + run(['esbuild', str(entry), '--bundle', '--minify',
                                        '--charset=utf8', '--loader:.gz=base64', '--legal-comments=none',
                                        *options], b'').decode()


def small_sheet(text):
    return f'/* {LICENCE} */\n' + run(['cleancss', '-O1'], text.encode()).decode()


def look_sheet(sources, sheet):
    """The engine's colours as custom properties of the page (look.js), for the style sheet's
    light and dark backgrounds: one rule, asked of the engine under Node."""
    light, dark = (re.search(rf'--bg-{name}:\s*(#[0-9a-fA-F]{{6}})', sheet)[1] for name in ('light', 'dark'))
    (sources / 'colours.js').write_text(
        "import './packed.js';\nimport { loadEngine } from './engine.js';\n"
        "import { lookProperties } from './look.js';\n"
        "const { state } = (await loadEngine()).call({ fields: ['', '', '', '', '', ''], action: 'reset' });\n"
        f"const properties = lookProperties(state, '{light}', '{dark}');\n"
        "console.log(properties.map(([name, value]) => `--${name}:${value}`).join(';'));\n")
    script = bundle(sources / 'colours.js', '--format=esm', '--platform=node')
    return ':root{' + run(['node', '--input-type=module'], script.encode()).decode().strip() + '}\n'


def packed_module(module, scratch):
    """The module made small by wasm-opt, gzip-compressed by zopfli."""
    # A fresh instance's memory is all zeros and nothing lives below the data's first 1 KB.
    subprocess.run(['wasm-opt', '-Oz', '--converge', '--zero-filled-memory', '--low-memory-unused',
                    str(module), '-o', str(scratch)], check=True)
    packed = run(['zopfli', '--gzip', '-c', str(scratch)], b'')
    scratch.unlink()
    return packed


def render(template, texts, lang, said, escape):
    """The template in lang: {{id}} is the catalogue's text (escaped), {{id@cs}} the text in
    another language, {{id|a|b}} the text with {1}, {2} filled by the texts a and b;
    {{#cs}}...{{/cs}} stays on the Czech page alone; {{texts}} is what the scripts say."""
    other = next(code for code in PAGES if code != lang)
    words = {'lang': lang, 'other': other, 'root': '../' * PAGES[lang].count('/'),
             'other.href': '../' * PAGES[lang].count('/') + PAGES[other] + 'index.html',
             'texts': json.dumps({key: texts[lang][key] for key in said}, ensure_ascii=False,
                                 separators=(',', ':')).replace('</', '<\\/')}

    def text(match):
        name, _, language = match[1].partition('@')
        key, *args = name.split('|')
        if key in words:
            return words[key]
        found = texts[language or lang][key]
        for number, arg in enumerate(args, 1):
            found = found.replace('{%d}' % number, texts[language or lang][arg])
        return escape(found)

    kept = re.sub(r'\{\{#(\w+)\}\}(.*?)\{\{/\1\}\}',
                  lambda block: block[2] if block[1] == lang else '', template, flags=re.S)
    return re.sub(r'\{\{([^{}]+)\}\}', text, kept)


def install_pages(page, out, texts):
    """index.html and the manifest in every language; the scripts' texts are those they
    name, say('id')."""
    scripts = ''.join(script.read_text() for script in sorted(page.glob('*.js')))
    said = sorted(set(re.findall(r"say(?:Count)?\('(\w+\.[\w.]+)'", scripts)))
    in_html = lambda text: html.escape(text, quote=True).replace('&#x27;', "'")
    in_json = lambda text: json.dumps(text, ensure_ascii=False)[1:-1]
    for lang, folder in PAGES.items():
        (out / folder).mkdir(exist_ok=True)
        for name, escape in (('index.html', in_html), ('manifest.webmanifest', in_json)):
            template = (page / name).read_text()
            (out / folder / name).write_text(render(template, texts, lang, said, escape))


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
        # A few flat colours: a palette of them keeps each file a fifth of its size, and
        # zopfli's deflate a tenth less again.
        subprocess.run(['pngquant', '--quality=60-90', '--speed=1', '--strip', '--force',
                        '--output', str(out / name), '-'], input=png, check=True)
        subprocess.run(['zopflipng', '-m', '-y', str(out / name), str(out / name)],
                       capture_output=True, check=True)


def main():
    module, page, out, texts = (Path(a) for a in sys.argv[1:5])
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    for name in PAGE_FILES:
        text = (page / name).read_text()
        if name.endswith('.js'):
            text = small_script(text)
        elif name.endswith('.css'):
            text = small_sheet(text)
        elif name.endswith('.webmanifest'):
            text = json.dumps(json.loads(text), ensure_ascii=False, separators=(',', ':'))
        elif name.endswith('.svg'):  # its licence line and the drawing, without the notes
            text = text[:text.index('\n') + 1] + text[text.index('<svg'):]
        (out / name).write_text(text)
    with tempfile.TemporaryDirectory() as scratch:
        sources = Path(scratch)
        for script in page.glob('*.js'):
            shutil.copy(script, sources)
        (sources / 'cyklometrika.wasm.gz').write_bytes(packed_module(module, sources / 'm.wasm'))
        (out / 'module.js').write_text(bundle(sources / 'packed.js', '--format=iife'))
        (out / 'app.js').write_text(bundle(sources / 'main.js', '--format=iife'))
        (sources / 'node.js').write_text("import './packed.js';\nexport * from './engine.js';\n")
        (out.parent / 'web-engine.mjs').write_text(bundle(sources / 'node.js', '--format=esm'))
        with open(out / 'app.css', 'a') as sheet:
            sheet.write(look_sheet(sources, (page / 'app.css').read_text()))
    install_icons(page / 'icon.svg', out)
    install_pages(page, out, json.loads(texts.read_text()))

    # The worker names every other file with its digest, and its cache after all of them.
    others = sorted(str(p.relative_to(out)) for p in out.rglob('*') if p.is_file())
    digests = {name: hashlib.sha256((out / name).read_bytes()).hexdigest() for name in others}
    cache = hashlib.sha256(json.dumps(digests, sort_keys=True).encode()).hexdigest()[:16]
    worker = (page / 'sw.js').read_text()
    worker = worker.replace('@HASH@', cache).replace('@FILES@', json.dumps(digests))
    (out / 'sw.js').write_text(small_script(worker))


if __name__ == '__main__':
    main()
