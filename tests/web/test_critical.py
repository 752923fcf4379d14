#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Beyond the window, in Debian's Chromium: the critical days of a year and of the next 30
# days as a list, a day of the list shown in the charts without the birth date reaching
# the address, the refusal of a birth date the window refuses, and the year's calendar
# file read back with a real iCalendar parser.
# Usage: test_critical.py <build/web> <axe.min.js> <screenshot folder> [tests]
import datetime
import os
import tempfile
import unittest

import icalendar
from page_support import CAPTURE_SAVE, CONFIRMED, M1, M2, M4, M5, M6, By, Keys, PageTest


class Critical(PageTest):
    def setUp(self):
        self.open()
        self.downloads = tempfile.mkdtemp()
        self.driver.execute_cdp_cmd('Browser.setDownloadBehavior',
                                    {'behavior': 'allow', 'downloadPath': self.downloads})

    def critical_days(self, button, birth, year=None):
        self.type_fields(birth + [None, None, None])
        if year:
            year_field = self.driver.find_element(By.ID, 'year')
            year_field.clear()
            year_field.send_keys(year)
        self.driver.find_element(By.ID, button).click()
        return [item.get_attribute('textContent')
                for item in self.driver.find_elements(By.CSS_SELECTOR, '#critical-list li')]

    def test_a_year(self):
        days = self.critical_days('in-year', ['10', '1', '1996'], '1996')
        # The worked example's month: 5 March has no verdict; every listed day has one.
        self.assertTrue(any(day.startswith('2.3.1996 (so): vrchol fyzické kondice') for day in days))
        self.assertFalse(any(day.startswith('5.3.1996 ') for day in days))
        self.assertTrue(all(': ' in day for day in days))
        self.assertIn(f'Nalezeno dní: {len(days)}',
                      self.driver.find_element(By.ID, 'critical-count').text)
        self.assertEqual(self.axe_violations(), [])

    def test_the_next_30_days(self):
        days = self.critical_days('next30', ['10', '1', '1996'])
        today = datetime.date.today()
        span = [today + datetime.timedelta(days=n) for n in range(30)]
        texts = {f'{d.day}.{d.month}.{d.year}' for d in span}
        self.assertTrue(days)
        self.assertTrue(all(day.split(' ')[0] in texts for day in days), days)

    def test_a_day_of_the_list_in_the_charts(self):
        self.critical_days('in-year', ['10', '1', '1996'], '1996')
        address = self.driver.current_url
        history = self.driver.execute_script('return history.length')
        self.driver.find_element(By.CSS_SELECTOR, '#critical-list li button').click()
        self.wait_for(lambda d: self.caption() == CONFIRMED)
        # The first critical day is the birthday itself: all three cycles at zero.
        self.assertEqual([self.field(n).get_attribute('value') for n in (4, 5, 6)],
                         ['10', '1', '1996'])
        self.assertEqual(self.messages(), [M4, M5, M6])
        # The address names the day shown (here the birthday), in place of the one before.
        self.wait_for(lambda d: d.current_url == address + '#1996-01-10')
        self.assertEqual(self.driver.execute_script('return history.length'), history)

    def test_a_refused_birth_date(self):
        days = self.critical_days('in-year', ['31', '4', '1980'], '2000')
        self.assertEqual(days, [])
        alerts = self.driver.find_elements(By.CSS_SELECTOR, '#critical-refusal [role="alert"]')
        self.assertEqual([a.text for a in alerts], [M1])

    # What the companion says on standard error is said beside the list; a refused year
    # gets the window's refusal and no calendar.
    NOTES = {
        'a year before the birth': (['10', '1', '1996'], '1995', [M2], None),
        'the year of the birth': (['10', '1', '1996'], '1996', [],
                                  'Rozsah začíná dnem narození 10.1.1996.'),
        'the last day': (['31', '12', '9999'], '9999', [], 'Den 31.12.9999 je vynechán: '
                         'kalendářové programy neznají dny po 31.12.9999.'),
        'a day of the calculation only': (['29', '2', '1900'], '1900', [], 'Den 29.2.1900 je '
                                          'vynechán: ten je jen v kalendáři výpočtu, žádný '
                                          'kalendářový program ho nezná.'),
    }

    def test_refusals_and_notes(self):
        for name, (birth, year, refusals, note) in self.NOTES.items():
            with self.subTest(name):
                self.type_fields(birth + [None, None, None])
                self.driver.execute_script(CAPTURE_SAVE)
                year_field = self.driver.find_element(By.ID, 'year')
                year_field.clear()
                year_field.send_keys(year, Keys.ENTER)  # Enter lists the year
                self.driver.find_element(By.ID, 'ics').click()
                alerts = self.driver.find_elements(By.CSS_SELECTOR, '#critical-refusal [role="alert"]')
                self.assertEqual([a.get_attribute('textContent') for a in alerts], refusals)
                notes = self.driver.find_element(By.ID, 'critical-notes').text
                self.assertIn(note, notes) if note else self.assertEqual(notes, '')
                if not refusals:
                    self.wait_for(lambda d: d.execute_script('return window.saved'))
                saved = self.driver.execute_script('return window.saved && window.saved[0]')
                self.assertEqual(saved, None if refusals else f'cyklometrika-{year}.ics')

    def test_the_calendar_file(self):
        days = self.critical_days('in-year', ['10', '1', '1996'], '2024')
        self.driver.find_element(By.ID, 'ics').click()
        path = os.path.join(self.downloads, 'cyklometrika-2024.ics')
        self.wait_for(lambda d: os.path.exists(path))
        with open(path, 'rb') as f:
            calendar = icalendar.Calendar.from_ical(f.read())
        events = [e for e in calendar.walk('VEVENT')]
        self.assertEqual(len(events), len(days))
        first = events[0].decoded('DTSTART')
        self.assertEqual(f'{first.day}.{first.month}.{first.year}', days[0].split(' ')[0])


if __name__ == '__main__':
    unittest.main(verbosity=2)
