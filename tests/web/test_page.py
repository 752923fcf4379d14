#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The web edition in Debian's Chromium: the worked examples and refusals through the page,
# bad input, the start state, today and the numbers in five time zones, remembering the
# birth date, the file:// open, offline after the first visit, the accessibility check and
# the screenshots; two people kept in the browser, with the second's curves, the agreement
# and the shared days.
# Usage: test_page.py <build/web> <axe.min.js> <screenshot folder> [tests]
import base64
import datetime
import hashlib
import os
import re
import shutil
import subprocess
import tempfile
import threading
import unittest
import zoneinfo

from page_support import (CAPTURE_SAVE, CONFIRMED, EMPTY, HINT, M1, M2, M4, M5, M6, M7, M8, M10, M11, SHOTS,
                          UNCONFIRMED, WEB, By, Keys, PageTest, QuietHandler, Server,
                          WebDriverWait, start_browser)
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.support.ui import Select

# A fixed clock half a minute before midnight, whose timers the test runs by hand.
CLOCK = ('globalThis.cyklClock = {t: new Date(2024, 1, 28, 23, 59, 30).getTime(), tasks: [],'
         ' now() { return this.t; }, after(ms, task) { this.tasks.push([ms, task]); }};')


class Confirmations(PageTest):
    def setUp(self):
        self.open()

    def test_start_state(self):
        self.assertEqual(self.driver.switch_to.active_element.get_attribute('id'), 'Text1')
        self.assertEqual([self.field(n).get_attribute('value') for n in range(1, 7)],
                         ['', '', ''] + self.today_fields(None))
        self.assertEqual(self.caption(), UNCONFIRMED)
        self.assertEqual(self.description('Graph1'), EMPTY)
        self.assertEqual(self.description('Graph2'), EMPTY)
        self.assertEqual(self.messages(), [])
        self.assertEqual(self.driver.find_element(By.ID, 'Graph1').get_attribute('role'), 'img')
        # The engine's colours, written into the style sheet as the page is packed: one a cycle.
        swatches = [self.driver.execute_script('return getComputedStyle(arguments[0]).borderTopColor', s)
                    for s in self.driver.find_elements(By.CSS_SELECTOR, '#legend .swatch')]
        self.assertEqual(len(set(swatches)), 3)
        attributes = [(self.field(n).get_attribute('inputmode'), self.field(n).get_attribute('maxlength'),
                       self.field(n).get_attribute('autocomplete')) for n in range(1, 7)]
        self.assertEqual(attributes, [('numeric', '2', 'bday-day'), ('numeric', '2', 'bday-month'),
                                      ('numeric', '4', 'bday-year'), ('numeric', '2', 'off'),
                                      ('numeric', '2', 'off'), ('numeric', '4', 'off')])

    # Today's date in the target fields, read between two readings of the zone's clock.
    def today_fields(self, zone, reopen=False):
        dates = [datetime.datetime.now(zone and zoneinfo.ZoneInfo(zone)).date()]
        if reopen:
            self.open()
        dates.append(datetime.datetime.now(zone and zoneinfo.ZoneInfo(zone)).date())
        shown = [self.field(n).get_attribute('value') for n in (4, 5, 6)]
        self.assertIn(shown, [[str(d.day), str(d.month), str(d.year)] for d in dates])
        return shown

    # Odd offsets, daylight saving, and Apia's skipped day (30.12.2011): today as the zone
    # has it, and the month of that day with the same numbers as in the machine's zone.
    ZONES = ('Europe/Prague', 'America/Sao_Paulo', 'Pacific/Apia', 'Pacific/Kiritimati',
             'Australia/Lord_Howe')

    def test_time_zones(self):
        self.addCleanup(self.driver.execute_cdp_cmd, 'Emulation.setTimezoneOverride',
                        {'timezoneId': ''})
        months = set()
        for zone in (None,) + self.ZONES:
            with self.subTest(zone):
                if zone:
                    self.driver.execute_cdp_cmd('Emulation.setTimezoneOverride',
                                                {'timezoneId': zone})
                self.today_fields(zone, reopen=True)
                self.type_fields(['10', '1', '1996', '30', '12', '2011'])
                self.confirm()
                self.wait_for(lambda d: self.caption() == CONFIRMED)
                months.add((self.description('Graph1'), self.description('Graph2')))
        self.assertEqual(len(months), 1, months)

    # Fields, then the messages in order, the day chart's description and the caption.
    CASES = {
        'worked example': (['10', '1', '1996', '5', '3', '1996'], [],
                           'Den 5. 3.: fyzická kondice 63 %, citová vnímavost -23 %, '
                           'síla intelektu -87 %', CONFIRMED),
        'birthday itself': (['15', '6', '1980', '15', '6', '1980'], [M4, M5, M6],
                            'Den 15. 6.: fyzická kondice 0 %, citová vnímavost 0 %, '
                            'síla intelektu 0 %', CONFIRMED),
        'day 75: two highs': (['1', '1', '2000', '16', '3', '2000'], [M7, M11], None, CONFIRMED),
        'day 132: critical first': (['1', '1', '2000', '12', '5', '2000'], [M6, M8, M10], None,
                                    CONFIRMED),
        'leading zeros': (['05', '03', '1996', '05', '03', '1996'], [M4, M5, M6],
                          'Den 5. 3.: fyzická kondice 0 %, citová vnímavost 0 %, '
                          'síla intelektu 0 %', CONFIRMED),
        'leap day of 1900': (['29', '2', '1900', '1', '3', '1900'], None, None, CONFIRMED),
        'all empty': (['', '', '', '', '', ''], [M1], EMPTY, UNCONFIRMED),
        'year 0': (['1', '1', '0', '1', '1', '2000'], [M1], EMPTY, UNCONFIRMED),
        'month 13': (['1', '13', '1980', '1', '1', '2000'], [M1], EMPTY, UNCONFIRMED),
        'day beyond its month': (['31', '4', '1980', '1', '1', '2000'], [M1], EMPTY, UNCONFIRMED),
        '29 February 2001': (['1', '1', '1980', '29', '2', '2001'], [M1], EMPTY, UNCONFIRMED),
        'target before birth': (['15', '6', '1980', '14', '6', '1980'], [M2], EMPTY, UNCONFIRMED),
        '150 years pass': (['1', '1', '1850', '31', '12', '2000'], None, None, CONFIRMED),
        '151 years': (['31', '12', '1850', '1', '1', '2001'],
                      ['151 let by nevydržel ani ten nejodolnejší azerbajdžánský dedoušek !'],
                      EMPTY, UNCONFIRMED),
    }

    MONTHS = {'3': 'březen', '6': 'červen'}

    def test_cases(self):
        for name, (fields, messages, day, caption) in self.CASES.items():
            with self.subTest(name):
                self.type_fields(fields)
                self.confirm()
                self.wait_for(lambda d: self.caption() == caption)
                if messages is not None:
                    self.assertEqual(self.messages(), messages)
                if day is not None:
                    self.assertEqual(self.description('Graph2'), day)
                self.assertNotEqual(self.description('Graph1') == EMPTY, caption == CONFIRMED)
                if day is not None and caption == CONFIRMED:  # the month captioned, the day marked
                    month = f'Měsíční graf, {self.MONTHS[fields[4].lstrip("0")]} {fields[5]}'
                    head = f'{month}, {day.split(":")[0].replace("Den", "vyznačen den")}: Den 1: '
                    marks = len(self.driver.find_elements(By.CSS_SELECTOR, '#Graph1 .mark'))
                    self.assertEqual((self.driver.find_element(By.ID, 'Graph1-name').text,
                                      self.description('Graph1')[:len(head)], marks), (month, head, 3))

    def test_a_second_confirmation_shows_the_same(self):
        self.type_fields(['15', '6', '1980', '15', '6', '1980'])
        self.confirm()
        first = (self.messages(), self.description('Graph1'))
        self.confirm()
        self.assertEqual((self.messages(), self.description('Graph1')), first)

    def test_enter_confirms_and_editing_clears(self):
        self.type_fields(['15', '6', '1980', '15', '6', '198'])
        self.field(6).send_keys('0', Keys.ENTER)
        self.wait_for(lambda d: self.caption() == CONFIRMED)
        self.assertEqual(self.messages(), [M4, M5, M6])
        self.field(2).send_keys(Keys.BACKSPACE)
        self.assertEqual(self.caption(), UNCONFIRMED)
        self.assertEqual(self.messages(), [])
        self.assertEqual(self.description('Graph1'), EMPTY)
        self.assertEqual(self.description('Graph2'), EMPTY)

    # What a field (or its three, joined by |) holds after some input, and whether the hint
    # (or which other hint) says why, at the field, marked invalid, for as long as it applies.
    BAD_INPUT = {
        'a letter': (1, 'keys', '1a', '1', True),
        'digits after it': (1, 'keys', '1a2', '12', False),
        'a sign': (3, 'keys', '19-', '19', True),
        'too many digits': (3, 'keys', '123456', '1234', False),
        'pasted text': (2, 'insert', 'x7', '', True),
        'pasted digits': (6, 'insert', '2024', '2024', False),
        'pasted with spaces': (1, 'paste', ' 10 ', '10', False),
        'pasted with a line end': (3, 'paste', '1996\n', '1996', False),
        'pasted letters': (3, 'paste', '19x6', '', True),
        'a whole date': (1, 'paste', '5. 3. 1996', '5|3|1996', False),
        'a date in a target field': (4, 'paste', '1996-03-05', '5|3|1996', False),
        'a date with a short year': (4, 'paste', '10.1.96', '', 'Rok napište celý'),
        'filled in by the browser': (1, 'value', '1.5', '', True),
    }

    def test_bad_input(self):
        for name, (n, how, text, kept, hinted) in self.BAD_INPUT.items():
            with self.subTest(name):
                self.open()
                field = self.field(n)
                field.send_keys(Keys.CONTROL, 'a', Keys.BACKSPACE)
                if how == 'keys':
                    field.send_keys(text)
                elif how == 'insert':
                    field.click()
                    self.driver.execute_script("document.execCommand('insertText', false, arguments[0])",
                                               text)
                elif how == 'paste':
                    self.driver.execute_script(
                        'const data = new DataTransfer(); data.setData("text/plain", arguments[1]);'
                        'arguments[0].dispatchEvent(new ClipboardEvent("paste", {clipboardData: data,'
                        ' bubbles: true, cancelable: true}))', field, text)
                else:
                    self.driver.execute_script(
                        "arguments[0].value = arguments[1];"
                        "arguments[0].dispatchEvent(new Event('input'))", field, text)
                first = n - (n - 1) % 3
                group = '|'.join(self.field(k).get_attribute('value') for k in range(first, first + 3))
                self.assertEqual(group if '|' in kept else field.get_attribute('value'), kept)
                hint = self.driver.find_element(By.ID, 'hint')
                said = HINT if hinted is True else hinted or ''  # the hint, or its start
                self.assertEqual(hint.text[:len(said)] if hinted else hint.text, said)
                self.assertEqual(field.get_attribute('aria-invalid') == 'true', bool(hinted))
                if hinted:  # below the field's own group
                    self.assertEqual(hint.find_element(By.XPATH, '..').tag_name, 'fieldset')
                self.assertEqual(self.caption(), UNCONFIRMED)

    # Typed into the calendar picker key by key (in the order of the browser's language),
    # the day arrives whole, its year of four digits too.
    def test_the_calendar_picker_typed(self):
        self.driver.find_element(By.ID, 'picker').send_keys('03051996')
        self.field(1).click()
        day, month, year = (self.field(n).get_attribute('value') for n in (4, 5, 6))
        self.assertEqual(({day, month}, year), ({'3', '5'}, '1996'))
        self.assertEqual(self.driver.find_element(By.ID, 'picker').get_attribute('value'),
                         f'1996-{int(month):02}-{int(day):02}')

    # The address carries the day shown, never the birth date: a link opens that day, the
    # back button returns to the day before, the title names it.
    def test_the_address_names_the_day(self):
        self.open(self.server.url + '#1996-03-05')
        self.type_fields(['10', '1', '1996', None, None, None])
        self.confirm()
        self.driver.find_element(By.CSS_SELECTOR, '[aria-label="O den dál"]').click()
        self.wait_for(lambda d: d.current_url.endswith('#1996-03-06'))  # after the frame
        self.assertEqual(self.driver.title.split(' – ')[0], '6. 3. 1996')
        self.driver.back()
        self.wait_for(lambda d: self.field(4).get_attribute('value') == '5')
        self.assertEqual((self.caption(), self.driver.current_url.count('1996')), (CONFIRMED, 1))

    # A list belongs to the birth date it was made for: another birth date takes it away.
    def test_a_list_goes_with_its_birth(self):
        self.worked_example()
        self.driver.find_element(By.ID, 'next30').click()
        self.assertTrue(self.texts('#critical-list li'))
        self.type_fields(['3', '4', '1990', None, None, None])
        self.confirm()
        self.assertEqual((self.texts('#critical-list li'), self.texts('#critical-count')), ([], ['']))

    def test_remembered_only_when_asked(self):
        self.type_fields(['7', '8', '1990', None, None, None])
        self.open()
        self.assertEqual(self.field(1).get_attribute('value'), '')
        self.type_fields(['7', '8', '1990', None, None, None])
        self.driver.find_element(By.ID, 'remember').click()
        self.open()
        self.assertEqual([self.field(n).get_attribute('value') for n in (1, 2, 3)],
                         ['7', '8', '1990'])
        self.assertNotIn('1990', self.driver.current_url)
        self.assertEqual(self.caption(), CONFIRMED)  # today's result at once
        self.driver.find_element(By.ID, 'forget').click()
        self.open()
        self.assertEqual(self.field(3).get_attribute('value'), '')
        for birth in (['', '8', '1990'], ['31', '4', '1990']):  # no date: refused
            self.type_fields(birth + [None, None, None])
            self.driver.find_element(By.ID, 'remember').click()
            self.assertIn('není platné datum', self.driver.find_element(By.ID, 'remembered').text)
            self.open()
            self.assertEqual(self.field(3).get_attribute('value'), '')


class Places(PageTest):
    # The page's script held back by the network: the page gets ready once it comes.
    def test_a_script_late_from_the_network_waits_for_the_page(self):
        held = threading.Event()

        class Holding(QuietHandler):
            def do_GET(self):
                if self.path.endswith('/app.js'):
                    held.wait(30)
                super().do_GET()

        server, driver = Server(handler=Holding), start_browser(load='none')
        try:
            driver.get(server.url)
            WebDriverWait(driver, 30).until(lambda d: d.execute_script('return document.readyState') != 'loading')
            held.set()
            WebDriverWait(driver, 30).until(lambda d: d.execute_script('return document.body.dataset.ready'))
        finally:
            held.set()
            driver.quit()
            server.stop()

    # A browser that keeps nothing: the page works, and says that it keeps nothing.
    def test_storage_off(self):
        script = self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source':
            'Object.defineProperty(window, "localStorage", {get() { throw new DOMException("", "SecurityError"); }});'})
        try:
            self.open()
            self.type_fields(['7', '8', '1990', None, None, None])
            self.driver.find_element(By.ID, 'remember').click()
            self.driver.find_element(By.ID, 'person-name').send_keys('Jana')
            self.driver.find_element(By.ID, 'add').click()
            self.assertEqual([self.driver.find_element(By.ID, i).text for i in ('remembered', 'people-note')], [
                'Tento prohlížeč datum uložit nedovolí.',
                'Tento prohlížeč seznam uložit nedovolí; platí jen do zavření stránky.'])
        finally:
            self.driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument',
                                        {'identifier': script['identifier']})

    def test_file_open_without_errors(self):
        self.open('file://' + os.path.join(WEB, 'index.html'))
        self.worked_example()
        self.assertEqual(self.severe_logs(), [])

    def test_served_without_errors_and_offline_after_the_first_visit(self):
        server = Server()
        try:
            self.open(server.url)
            self.worked_example()
            self.assertEqual(self.severe_logs(), [])
            self.driver.set_script_timeout(10)
            cached = self.driver.execute_async_script(
                'const done = arguments[0];'
                'navigator.serviceWorker.ready'
                '.then(() => caches.keys()).then((keys) => caches.open(keys[0]))'
                '.then((cache) => cache.keys()).then((r) => done(r.length))')
            # Every file but the worker, both languages' pages among them.
            self.assertEqual(cached, sum(len(files) for _, _, files in os.walk(WEB)) - 1)
        finally:
            server.stop()
        self.open(server.url)
        self.worked_example()
        self.assertIn('Den 5. 3.', self.description('Graph2'))

    def cache_names(self):
        self.driver.set_script_timeout(10)
        return self.driver.execute_async_script(
            'const done = arguments[0]; navigator.serviceWorker.ready'
            '.then(() => caches.keys()).then(done)')

    def test_a_new_build_shows_by_the_second_reload(self):
        folder = tempfile.mkdtemp()
        shutil.copytree(WEB, folder, dirs_exist_ok=True)
        server = Server(folder)
        try:
            self.open(server.url)
            old = self.cache_names()
            self.assertEqual(len(old), 1)
            # Another build: another page, and a worker with its digest and another cache name.
            def digest():
                with open(os.path.join(folder, 'index.html'), 'rb') as f:
                    return hashlib.sha256(f.read()).hexdigest()
            for name, *changes in (('index.html', ('<title>', '<title>Nová ')),
                                   ('sw.js', (old[0], 'cyklometrika-new'), (digest(), None))):
                path = os.path.join(folder, name)
                with open(path, encoding='utf-8') as f:
                    text = f.read()
                for before, after in changes:
                    text = text.replace(before, after or digest())
                with open(path, 'w', encoding='utf-8') as f:
                    f.write(text)
            self.open(server.url)
            self.wait_for(lambda d: self.cache_names() == ['cyklometrika-new'])
            self.open(server.url)
            self.assertTrue(self.driver.title.startswith('Nová '))
        finally:
            server.stop()
            shutil.rmtree(folder)

    def test_without_webassembly_a_sentence_says_so(self):
        script = self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument',
                                             {'source': 'delete globalThis.WebAssembly;'})
        try:
            self.driver.get(self.server.url)
            sentence = self.wait_for(lambda d: d.find_element(By.ID, 'unsupported'))
            self.wait_for(lambda d: sentence.is_displayed())
            self.assertIn('WebAssembly', sentence.text)
            for part in ('Form1', 'critical'):
                self.assertFalse(self.driver.find_element(By.ID, part).is_displayed())
        finally:
            self.driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument',
                                        {'identifier': script['identifier']})


class Looks(PageTest):
    def test_accessibility_light_dark_and_print(self):
        for scheme, media in (('light', ''), ('dark', ''), ('light', 'print'), ('dark', 'print')):
            with self.subTest(scheme + media):
                scheme = {'features': [{'name': 'prefers-color-scheme', 'value': scheme}]}
                self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', scheme)
                self.open()
                self.assertEqual(self.axe_violations(), [])
                self.type_fields(['1', '1', '2000', '16', '3', '2000'])  # three bars, two messages
                self.confirm()
                self.wait_for(lambda d: self.caption() == CONFIRMED)
                self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', dict(scheme, media=media))
                self.assertEqual(self.axe_violations(), [])
                self.assertCurvesStandOut()
        self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': []})

    def assertCurvesStandOut(self):
        """Every curve and bar (or bar at 0) reaches 3:1 against the background, light or dark."""
        colours = self.driver.execute_script(
            'const rgb = (e, p) => getComputedStyle(e)[p].match(/\\d+/g).slice(0, 3).map(Number);'
            'return [rgb(document.body, "backgroundColor"),'
            ' [...document.querySelectorAll(".curve")].map((e) => rgb(e, "stroke")),'
            ' [...document.querySelectorAll(".bar")].map((e) => rgb(e, "fill"))'
            '  .concat([...document.querySelectorAll(".zero-bar")].map((e) => rgb(e, "stroke")))]')
        background, curves, bars = colours

        def luminance(rgb):
            c = [v / 255 for v in rgb]
            c = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
            return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
        self.assertEqual((len(curves), len(bars)), (3, 3))
        for colour in curves + bars:
            lighter, darker = sorted((luminance(colour), luminance(background)), reverse=True)
            ratio = (lighter + 0.05) / (darker + 0.05)
            self.assertGreaterEqual(ratio, 3, colour)

    def test_phone_and_desktop(self):
        for name, width, height in (('web-320', 320, 700), ('web-360', 360, 800),
                                    ('web-desktop', 1100, 720),
                                    ('web-zoom-200', 640, 900)):
            with self.subTest(name):
                self.driver.set_window_size(width, height)
                self.open()
                self.worked_example()
                overflow = self.driver.execute_script(
                    'return document.documentElement.scrollWidth - innerWidth')
                self.assertLessEqual(overflow, 0)
                self.save_whole_page(name, width)
        self.driver.set_window_size(1100, 900)


class Phone(PageTest):
    """A 360 x 740 phone and a desktop: what is in view and what leaves the page."""
    def in_view(self, element):
        return self.driver.execute_script(
            'const r = document.getElementById(arguments[0]).getBoundingClientRect();'
            'return r.top >= 0 && r.top < innerHeight', element)

    def list_year(self):
        self.type_fields(['10', '1', '1996', None, None, None])
        self.driver.find_element(By.ID, 'in-year').click()

    def result_in_view(self):
        self.worked_example()
        self.assertTrue(self.in_view('Command1') and self.in_view('Graph1'))

    def messages_in_view(self):
        self.result_in_view()
        self.assertTrue(self.in_view('messages'))

    def list_in_view(self):
        self.list_year()
        self.assertTrue(self.in_view('critical-list'))

    def chart_of_the_list_in_view(self):
        self.list_year()
        self.driver.find_element(By.CSS_SELECTOR, '#critical-list button').click()
        self.assertTrue(self.in_view('Graph1'))

    def prints_one_a4_page(self):
        self.worked_example()
        self.driver.find_element(By.ID, 'next30').click()
        pdf = self.driver.execute_cdp_cmd('Page.printToPDF', {'preferCSSPageSize': True})['data']
        path = os.path.join(SHOTS, 'web-print.pdf')
        with open(path, 'wb') as f:
            f.write(base64.b64decode(pdf))
        info = subprocess.run(['pdfinfo', path], capture_output=True, text=True, check=True).stdout
        self.assertIn('Pages:           1\n', info)
        size = re.search(r'Page size: +([\d.]+) x ([\d.]+) pts \(A4\)', info)
        self.assertGreater(float(size[1]), float(size[2]))  # A4, landscape
        subprocess.run(['pdftoppm', '-png', '-r', '60', '-singlefile', path, path[:-4]], check=True)

    def shares_a_png(self):
        self.driver.execute_script(
            'navigator.canShare = () => true; navigator.share = async (data) => {'
            ' const head = new Uint8Array(await data.files[0].slice(1, 4).arrayBuffer());'
            ' window.shared = [data.files[0].type, String.fromCharCode(...head), data.text]; }')
        self.worked_example()
        self.driver.find_element(By.ID, 'share').click()
        kind, head, text = self.wait_for(lambda d: d.execute_script('return window.shared'))
        self.assertEqual((kind, head), ('image/png', 'PNG'))
        self.assertIn('fyzická kondice 63 %', text)

    # Past midnight, then a month back, a day on, a month on, a day back and today.
    def steps_through_days(self):
        self.type_fields(['10', '1', '1996', None, None, None])
        self.confirm()
        delays = self.driver.execute_script(
            'cyklClock.t += 60000; const [ms, task] = cyklClock.tasks.at(-1); task();'
            'return [ms, cyklClock.tasks.at(-1)[0]]')
        self.assertEqual(delays, [31000, 86371000])  # to the next midnight, re-armed
        target = lambda: [self.field(n).get_attribute('value') for n in (4, 5, 6)]
        self.assertEqual((target(), self.caption()), (['29', '2', '2024'], CONFIRMED))
        keys = ActionChains(self.driver)
        for step, day in ((lambda: self.driver.find_element(By.CSS_SELECTOR, '[aria-label="O měsíc zpět"]').click(), '29.1'),
                          (lambda: keys.send_keys(Keys.ARROW_RIGHT).perform(), '30.1'),
                          (lambda: keys.key_down(Keys.SHIFT).send_keys(Keys.ARROW_RIGHT).key_up(Keys.SHIFT).perform(), '29.2'),
                          (lambda: keys.send_keys(Keys.ARROW_LEFT).perform(), '28.2'),
                          (lambda: self.driver.find_element(By.ID, 'today').click(), '29.2')):
            step()
            self.assertEqual(('.'.join(target()[:2]), self.caption()), (day, CONFIRMED))
            self.assertEqual(self.texts('#announce'), [self.description('Graph2')])  # said at once

    # Before a birth date a step only moves the target day; from a day that is no day it
    # moves nothing and says why.
    def steps_without_a_birth_date(self):
        self.driver.find_element(By.CSS_SELECTOR, '[aria-label="O den dál"]').click()
        self.assertEqual(([self.field(n).get_attribute('value') for n in (4, 5, 6)], self.caption(),
                          self.messages()), (['29', '2', '2024'], UNCONFIRMED, []))
        self.type_fields(['10', '1', '1996', '31', None, None])
        self.driver.find_element(By.CSS_SELECTOR, '[aria-label="O den dál"]').click()
        self.assertEqual((self.field(4).get_attribute('value'), self.caption()), ('31', UNCONFIRMED))
        self.assertIn('není platný den', self.driver.find_element(By.ID, 'hint').text)

    # At 200 % zoom (a 180 px wide page) nothing leaves the page or is cut off.
    def zoomed_fits(self):
        self.worked_example()
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                                    {'width': 180, 'height': 370, 'deviceScaleFactor': 2, 'mobile': False})
        try:
            cut = self.driver.execute_script(
                'return [document.scrollingElement, ...document.querySelectorAll(".steps button, .legend li")]'
                '.filter((e) => e.scrollWidth > e.clientWidth).map((e) => e.textContent.slice(0, 20))')
        finally:
            self.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        self.assertEqual(cut, [])

    # The label "Rok" of a list's year on the line of its field, however narrow.
    def year_beside_its_field(self):
        rows = self.driver.execute_script('return ["year", "shared-year"].map((id) => [`label[for=${id}]`, `#${id}`]'
                                          '.map((s) => document.querySelector(s).getBoundingClientRect().bottom))')
        self.assertTrue(all(abs(label - field) < 12 for label, field in rows), rows)

    # The day's values no smaller than the smallest text beside the charts.
    def day_values_readable(self):
        self.worked_example()
        value, smallest = self.driver.execute_script(
            'const svg = document.getElementById("Graph2"), text = svg.querySelector(".value");'
            'const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;'
            'return [scale * parseFloat(text.getAttribute("font-size") || getComputedStyle(text).fontSize),'
            ' parseFloat(getComputedStyle(document.querySelector("figcaption")).fontSize)]')
        self.assertGreaterEqual(value, smallest)

    CASES = {
        'phone at 200 % zoom': (360, 740, zoomed_fits),
        'phone of 320 px: a label beside its field': (320, 700, year_beside_its_field),
        'desktop: the day\'s values': (1100, 720, day_values_readable),
        'phone: the result after confirming': (360, 740, result_in_view),
        'phone on its side: the result after confirming': (800, 360, messages_in_view),
        'phone: steps without a birth date': (360, 740, steps_without_a_birth_date),
        'phone: a day of the list in the charts': (360, 740, chart_of_the_list_in_view),
        'phone: days stepped, midnight passed': (360, 740, steps_through_days),
        'phone: shared as a picture': (360, 740, shares_a_png),
        'desktop: a new list': (1100, 720, list_in_view),
        'desktop: printed on one A4 page': (1100, 720, prints_one_a4_page),
    }

    def test_cases(self):
        os.makedirs(SHOTS, exist_ok=True)
        script = self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': CLOCK})
        try:
            for name, (width, height, case) in self.CASES.items():
                with self.subTest(name):
                    self.driver.set_window_size(width, height)
                    self.open()
                    case(self)
        finally:
            self.driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument',
                                        {'identifier': script['identifier']})
            self.driver.set_window_size(1100, 900)


class TwoPeople(PageTest):
    def full_page_shot(self, name, width):
        self.driver.set_window_size(width, 900)
        height = self.driver.execute_script('return document.documentElement.scrollHeight')
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
        os.makedirs(SHOTS, exist_ok=True)
        self.driver.save_screenshot(os.path.join(SHOTS, name + '.png'))
        self.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

    def person(self, name, birth):
        self.type_fields(birth + [None, None, None])
        self.driver.find_element(By.ID, 'person-name').send_keys(Keys.CONTROL, 'a', Keys.NULL, name)
        self.driver.find_element(By.ID, 'add').click()

    # Added, kept over a reload and never in the address; chosen into the fields, the second
    # dashed over the month; the agreement, the shared days and their calendar (none for a
    # year the window refuses); Zapomenout empties the list. A name is only ever text.
    def test_two_people(self):
        self.driver.set_window_size(360, 740)
        self.addCleanup(self.driver.set_window_size, 1100, 900)
        self.open()
        for name, birth in (('Jana <b>', ['10', '1', '1996']), ('Petr', ['2', '2', '1996'])):
            self.person(name, birth)
        self.open()
        self.assertNotIn('1996', self.driver.current_url)
        self.assertEqual(self.texts('#second option'), ['nikdo', 'Jana <b> (10.1.1996)', 'Petr (2.2.1996)'])
        self.driver.find_element(By.ID, 'choose').click()
        self.wait_for(lambda d: self.caption() == CONFIRMED)
        Select(self.driver.find_element(By.ID, 'second')).select_by_index(2)
        self.assertEqual(self.texts('#agreement p, #agreement li')[:5], [
            'Shoda rytmů: Jana <b> a Petr, narozeni 23 dní od sebe', 'Fyzická kondice: 100 %',
            'Citová vnímavost: 64 %', 'Síla intelektu: 39 %', 'Celkem: 68 %'])
        self.assertIn(f'Petr: {self.description("Graph2")[:4]}', self.texts('#agreement p')[-1])  # in sight
        dashes = self.driver.execute_script('return [...document.querySelectorAll("#Graph1 .curve")]'
                                            '.map((c) => getComputedStyle(c).strokeDasharray)')
        self.assertEqual([d == 'none' for d in dashes], [True] * 3 + [False] * 3)
        self.assertEqual(self.texts('#pair-legend li'), ['Jana <b> (plnou čarou)', 'Petr (čárkovaně)'])
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, 'main b'), [])
        summary = self.texts('#Graph1-summary')[0]  # short, the details on request
        self.assertTrue(len(summary) < 300 and 'Čárkovaně Petr: Den ' in summary, summary)
        self.assertEqual(self.axe_violations(), [])
        self.driver.find_element(By.ID, 'shared30').click()
        days = self.texts('#shared-list li')
        self.assertTrue(days and all(d.endswith('(Jana <b>, Petr)') for d in days), days)
        self.driver.find_element(By.ID, 'person-name').send_keys(Keys.CONTROL, 'a', Keys.NULL, 'Jana')
        self.driver.find_element(By.ID, 'rename').click()
        self.assertEqual(self.texts('#pair-legend li'), ['Jana (plnou čarou)', 'Petr (čárkovaně)'])
        self.driver.find_element(By.ID, 'shared30').click()
        self.assertLessEqual(self.driver.execute_script('return document.documentElement.scrollWidth - innerWidth'), 0)
        self.full_page_shot('web-two-people', 1100)
        self.driver.execute_script(CAPTURE_SAVE)
        for year, refusals in (('1995', [f'Jana: {M2}']), ('2024', [])):  # whose refusal it is
            field = self.driver.find_element(By.ID, 'shared-year')
            field.send_keys(Keys.CONTROL, 'a', Keys.NULL, year)
            self.driver.find_element(By.ID, 'shared-ics').click()
            self.assertEqual(self.texts('#shared-refusal [role="alert"]'), refusals)
        name, text = self.wait_for(lambda d: d.execute_script('return window.saved'))
        self.assertEqual(name, 'cyklometrika-spolecne-2024.ics')
        shared = sum(len(day.split('; ')) for day in self.texts('#shared-list li'))
        self.assertEqual(text.count('\r\nUID:'), shared)  # one event per shared verdict
        # Before Petr's birth his refusal is said as his; after a refused confirmation
        # nothing of him remains.
        self.type_fields([None, None, None, '20', '1', '1996'])
        self.confirm()
        self.assertEqual(self.texts('#pair-messages [role="alert"]'), [f'Petr: {M2}'])
        self.type_fields([None, None, None, '31', '2', '1996'])
        self.confirm()
        self.assertEqual((self.texts('#agreement p'), self.texts('#pair-messages p'),
                          self.driver.find_elements(By.CSS_SELECTOR, '#Graph1 .second'),
                          self.driver.find_element(By.ID, 'pair-legend').is_displayed()), ([], [], [], False))
        Select(self.driver.find_element(By.ID, 'second')).select_by_index(1)  # Jana herself
        self.assertIn('Jana už v grafu je', self.driver.find_element(By.ID, 'pair-wait').text)
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, '#Graph1 .second'), [])
        for undone in (True, False):  # forgotten, put back, and forgotten for good
            self.driver.find_element(By.ID, 'forget').click()
            if undone:
                self.driver.find_element(By.ID, 'undo').click()
                self.assertEqual(len(self.texts('#second option')), 3)
        self.open()
        self.assertEqual((self.texts('#second option'), self.field(1).get_attribute('value')), (['nikdo'], ''))


    # Two tabs: each keeps what the other added, and what one forgot stays forgotten.
    def test_two_tabs(self):
        self.open()
        tabs = [self.driver.current_window_handle]
        self.driver.switch_to.new_window('tab')
        tabs.append(self.driver.current_window_handle)
        self.addCleanup(self.driver.switch_to.window, tabs[0])
        self.addCleanup(self.driver.close)
        self.open()
        for tab, name in ((0, 'Eva'), (1, 'Petr')):
            self.driver.switch_to.window(tabs[tab])
            self.person(name, ['1', '5', '1990'])
        self.driver.switch_to.window(tabs[0])
        self.wait_for(lambda d: self.texts('#person option') == ['Eva (1.5.1990)', 'Petr (1.5.1990)'])
        self.driver.find_element(By.ID, 'forget').click()
        self.driver.switch_to.window(tabs[1])
        self.wait_for(lambda d: self.texts('#person option') == [])
        self.person('Jana', ['1', '5', '1990'])
        self.open()
        self.assertEqual(self.texts('#person option'), ['Jana (1.5.1990)'])


if __name__ == '__main__':
    unittest.main(verbosity=2)
