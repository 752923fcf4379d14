# SPDX-License-Identifier: GPL-3.0-or-later
# What the browser tests of the web edition share: the page's folder and tools from the
# command line (<build/web> <axe.min.js> <screenshot folder>), a server on 127.0.0.1, a
# headless Chromium, and a test case that reads the page as a person would.
import functools
import http.server
import os
import sys
import tempfile
import threading
import unittest
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.support.ui import WebDriverWait

WEB, AXE, SHOTS = (os.path.abspath(a) for a in sys.argv[1:4])
del sys.argv[1:4]

M1 = 'S neprícetnými a nesvéprávnými osobami jako jste Vy, odmítám spolupracovat !'
M2 = 'V udaný den jste ješte nebyl(a) na svete a nechápu proto, proc Vás tak zajímá Vaše kondice. '
M4 = 'Dnešní den je pro Vás kritický, pokud se týká fyzické kondice.'
M5 = 'Dnes prožíváte citovou krizi !'
M6 = 'Pozor na unáhlená rozhodnutí; Vaše inteligence je v krizi !'
M7 = 'Dnes jste na vrcholu svých fyzických sil.'
M8 = 'Dnes jste v hlubokém útlumu svých fyzických schopností.'
M10 = 'Vuči okolí jste dnes ponekud nevnímavý(á) (nechci použít výrazu tupý(á)) !'
M11 = ('Dnes Vám jde myšlení samo, že? Však také Vaše intelektuální '
       'schopnosti nyní ukazují na Nobelovu cenu !')
EMPTY = 'Údaje nejsou potvrzeny.'
# A download the page starts kept as window.saved, [name, text], instead.
CAPTURE_SAVE = ('const blobs = new Map(), made = URL.createObjectURL;'
                'URL.createObjectURL = (blob) => { const url = made(blob); blobs.set(url, blob); return url; };'
                'HTMLAnchorElement.prototype.click = function () { const name = this.download;'
                ' blobs.get(this.href).text().then((text) => { window.saved = [name, text]; }); };')
CONFIRMED, UNCONFIRMED = 'Údaje platí', 'Potvrzeni dat'
HINT = 'Do polí patří jen číslice 0 až 9.'


class Server:
    """build/web (or another folder) on 127.0.0.1 at a free port, until it is stopped."""

    def __init__(self, folder=WEB, handler=None):
        handler = functools.partial(handler or QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()
        self.url = f'http://127.0.0.1:{self.httpd.server_port}/'

    def get(self, path):
        with urllib.request.urlopen(self.url + path) as response:
            return response.read().decode()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()
        self.thread.join()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def start_browser(load='normal', language='cs'):
    options = webdriver.ChromeOptions()
    options.page_load_strategy = load
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--lang=' + language, '--user-data-dir=' + tempfile.mkdtemp()):
        options.add_argument(argument)
    options.add_experimental_option('prefs', {'intl.accept_languages': language})
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_window_size(1100, 900)
    return driver


class PageTest(unittest.TestCase):
    def save_whole_page(self, name, width):
        """A picture of the whole page at this width, as tall as the page, into SHOTS."""
        os.makedirs(SHOTS, exist_ok=True)
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': self.driver.execute_script(
                'return document.documentElement.scrollHeight'),
            'deviceScaleFactor': 1, 'mobile': width < 500})
        self.driver.save_screenshot(os.path.join(SHOTS, name + '.png'))
        self.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

    @classmethod
    def setUpClass(cls):
        cls.server = Server()
        cls.driver = start_browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()

    # The page's parts, as a person (and assistive technology) finds them.
    def open(self, url=None):
        self.driver.get(url or self.server.url)
        try:
            self.wait_for(lambda d: d.execute_script('return document.body.dataset.ready'))
        except TimeoutException:
            state = self.driver.execute_script('return [document.readyState, document.title]')
            self.fail(f'the page never got ready: {state} {self.driver.get_log("browser")}')
        self.driver.get_log('browser')  # what came before is each test's own concern

    # Generous: a busy machine may take seconds to start the module; a page that works ends
    # the wait at once.
    def wait_for(self, condition):
        return WebDriverWait(self.driver, 30).until(condition)

    def field(self, n):
        return self.driver.find_element(By.ID, f'Text{n}')

    def type_fields(self, values):
        for n, value in enumerate(values, 1):
            if value is None:
                continue
            self.field(n).send_keys(Keys.CONTROL, 'a', Keys.BACKSPACE)
            if value:
                self.field(n).send_keys(value)

    def confirm(self):
        self.driver.find_element(By.ID, 'Command1').click()

    def caption(self):
        return self.driver.find_element(By.ID, 'Command1').text

    def messages(self):
        alerts = self.driver.find_elements(By.CSS_SELECTOR, '#messages [role="alert"]')
        return [a.get_attribute('textContent') for a in alerts]

    def texts(self, selector):
        return [e.get_attribute('textContent') for e in self.driver.find_elements(By.CSS_SELECTOR, selector)]

    def description(self, chart):
        return self.driver.find_element(By.ID, f'{chart}-text').get_attribute('textContent')

    def worked_example(self):
        self.type_fields(['10', '1', '1996', '5', '3', '1996'])
        self.confirm()
        self.wait_for(lambda d: self.caption() == CONFIRMED)

    def axe_violations(self):
        with open(AXE, encoding='utf-8') as f:
            self.driver.execute_script(f.read())
        self.driver.set_script_timeout(30)
        result = self.driver.execute_async_script(
            'axe.run(document).then((r) => arguments[0](r.violations))')
        return [(v['id'], [n['target'] for n in v['nodes']]) for v in result]

    def severe_logs(self):
        return [e for e in self.driver.get_log('browser') if e['level'] == 'SEVERE']


