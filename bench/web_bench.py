#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the web edition (see bench/run-web-bench). Usage: web_bench.py <build/web>
# <module.wasm> <loads>
import functools
import http.server
import os
import re
import shutil
import statistics
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

WEB, WASM, LOADS = os.path.abspath(sys.argv[1]), sys.argv[2], int(sys.argv[3])
PAINTED = ("return (performance.getEntriesByName('charts-painted')[0] || {}).startTime")


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--user-data-dir=' + tempfile.mkdtemp()):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_window_size(1100, 900)
    return driver


def floor_page(driver, url, folder):
    """The page as it first shows, its charts' SVG written in, and no script but the mark."""
    driver.get(url + 'index.html')
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(PAINTED))
    page = open(os.path.join(WEB, 'index.html'), encoding='utf-8').read()
    page = re.sub(r'<meta http-equiv="Content-Security-Policy"[^>]*>\n', '', page)
    page = re.sub(r'<script src=[^>]*></script>\n', '', page)
    for chart in ('Graph1', 'Graph2'):
        svg = driver.execute_script(f"return document.getElementById('{chart}').outerHTML")
        page = re.sub(f'<svg id="{chart}"[^>]*></svg>', lambda _: svg, page)
    colours = driver.execute_script('return document.documentElement.getAttribute("style")')
    if colours:  # whatever the page's script sets on the root, the floor has from the start
        page = page.replace('<html lang="cs">', f'<html lang="cs" style="{colours}">')
    page = page.replace('</body>', '<script>requestAnimationFrame(() => requestAnimationFrame('
                        '() => performance.mark("charts-painted")));</script>\n</body>')
    with open(os.path.join(folder, 'floor.html'), 'w', encoding='utf-8') as f:
        f.write(page)


def painted(driver, url):
    driver.get(url)
    return WebDriverWait(driver, 10).until(lambda d: d.execute_script(PAINTED))


def forgotten(driver, url):
    """The browser as on a first visit: no service worker, no offline cache, no HTTP cache."""
    driver.get('about:blank')
    driver.execute_cdp_cmd('Storage.clearDataForOrigin', {'origin': url.rstrip('/'),
                                                          'storageTypes': 'all'})
    driver.execute_cdp_cmd('Network.clearBrowserCache', {})


def first_visit(driver, url, page):
    forgotten(driver, url)
    return painted(driver, url + page)


def first_visit_traffic(driver, url):
    """Requests and bytes a first visit of / moves, the offline cache filled."""
    forgotten(driver, url)
    Quiet.served.clear()
    painted(driver, url)
    driver.set_script_timeout(20)
    driver.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
    paths = sorted(path for path, size in Quiet.served if not size)
    return len(paths), sum(size for _, size in Quiet.served), paths


def confirmation(driver, url, control='Command1'):
    """Milliseconds from the click (the confirm button, or a day step after it) to the
    charts drawn, and to the next frame."""
    driver.get(url + 'index.html')
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(PAINTED))
    driver.set_script_timeout(10)
    return driver.execute_async_script('''
        const [selector, done] = arguments;
        const values = ['10', '1', '1996', '5', '3', '1996'];
        values.forEach((v, i) => {
          const field = document.getElementById('Text' + (i + 1));
          field.value = v;
          field.dispatchEvent(new Event('input'));
        });
        if (selector !== 'Command1') document.getElementById('Command1').click();
        const control = document.querySelector(selector) || document.getElementById('Command1');
        const start = performance.now();
        control.click();
        const drawn = performance.now() - start;
        requestAnimationFrame(() => done([drawn, performance.now() - start]));''', control)


def main():
    sizes = {name: os.path.getsize(os.path.join(WEB, name)) for name in os.listdir(WEB)}
    total = sum(sizes.values())
    print(f'size: {total} bytes in {len(sizes)} files (goal 122880); the script with the module: '
          f'app.js {sizes["app.js"]} bytes ({100 * sizes["app.js"] / total:.0f} %), '
          f'{os.path.getsize(WASM)} bytes of WebAssembly before packing')
    folder = tempfile.mkdtemp()
    shutil.copytree(WEB, folder, dirs_exist_ok=True)
    handler = functools.partial(Quiet, directory=folder)
    httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    url = f'http://127.0.0.1:{httpd.server_port}/'
    driver = browser()
    try:
        floor_page(driver, url, folder)
        requests, moved, paths = first_visit_traffic(driver, url)
        print(f'first visit: {requests} requests, {moved} bytes (goal: each file once): '
              + ' '.join(paths))
        for rate in (1, 4):  # as it is, and with the CPU slowed four times
            driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': rate})
            for name, load in (('first visit', first_visit), ('return', lambda d, u, p: painted(d, u + p))):
                page, floor = [], []
                for n in range(LOADS):  # by turns
                    page.append(load(driver, url, f'index.html?n={n}'))
                    floor.append(load(driver, url, f'floor.html?n={n}'))
                p, f = statistics.median(page), statistics.median(floor)
                print(f'{name}, CPU slowed {rate}x, start to charts painted: page {p:.1f} ms, '
                      f'floor {f:.1f} ms, ratio {p / f:.2f} (goal 1.3), medians of {LOADS} loads each')
        for rate in (1, 4):  # as it is, and with the CPU slowed four times
            driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': rate})
            for name, control in (('confirmation', 'Command1'), ('day step', '[data-days="1"]')):
                runs = [confirmation(driver, url, control) for _ in range(max(5, LOADS // 3))]
                drawn = statistics.median(r[0] for r in runs)
                frame = statistics.median(r[1] for r in runs)
                print(f'{name}, CPU slowed {rate}x: charts drawn {drawn:.2f} ms, next frame '
                      f'{frame:.2f} ms (goal 16), medians of {len(runs)}')
    finally:
        driver.quit()
        httpd.shutdown()
        httpd.server_close()
        shutil.rmtree(folder)


class Quiet(http.server.SimpleHTTPRequestHandler):
    served = []  # (path, bytes of the body) of every answer

    def log_message(self, *args):
        pass

    def send_head(self):
        Quiet.served.append((self.path, 0))
        return super().send_head()

    def copyfile(self, source, outputfile):
        data = source.read()
        try:
            outputfile.write(data)
        except (BrokenPipeError, ConnectionResetError):  # a load the browser gave up
            return
        Quiet.served.append((self.path, len(data)))


if __name__ == '__main__':
    main()
