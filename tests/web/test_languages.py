#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The page in both languages in Debian's Chromium: each page's language from its first
# byte, the link to the other that keeps the day, no Czech on the English page, the
# accessibility check, the notice for a browser that prefers English, and the English
# page's screenshots.
# Usage: test_languages.py <build/web> <axe.min.js> <screenshot folder> [tests]
import re
import unittest

from page_support import By, PageTest, start_browser

# Czech words of the page that need no diacritics to be Czech.
CZECH_WORDS = {'den', 'dne', 'dnes', 'datum', 'graf', 'rok', 'mesic', 'vaseho', 'narozeni',
               'potvrzeni', 'dat', 'platne', 'udaje', 'jmeno', 'lide', 'vybrat', 'celkem', 'zpet', 'nikdo'}
# Every text a person or a screen reader meets, outside what is marked as another language.
READ = ('const out = []; const other = (e) => e.closest("[lang]").lang !== "en";'
        'const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);'
        'while (walk.nextNode()) if (!other(walk.currentNode.parentElement)'
        ' && walk.currentNode.parentElement.id !== "texts") out.push(walk.currentNode.data);'
        'for (const e of document.querySelectorAll("[aria-label], [title], [alt], [placeholder]"))'
        ' if (!other(e)) out.push(...["aria-label", "title", "alt", "placeholder"].map((a) => e.getAttribute(a) || ""));'
        'return [document.title, ...out].join(" ");')


class Languages(PageTest):
    def english(self):
        self.open(self.server.url + 'en/')
        self.type_fields(['10', '1', '1996', '5', '3', '1996'])
        self.confirm()
        self.wait_for(lambda d: self.caption() == 'Dates valid')

    def test_each_page_in_its_language_with_a_link_to_the_other(self):
        for path, lang, other, href in (('', 'cs', 'en', 'en/index.html'),
                                        ('en/', 'en', 'cs', '../index.html')):
            with self.subTest(lang):
                source = self.server.get(path)
                self.assertIn(f'<html lang="{lang}">', source[:120])
                self.open(self.server.url + path)
                link = self.driver.find_element(By.ID, 'other-language')
                self.assertEqual((link.get_attribute('hreflang'), link.get_attribute('lang')), (other, other))
                self.assertEqual(link.get_attribute('href').split('#')[0], self.server.url + href.replace('../', ''))
                self.assertTrue(link.is_displayed())
                notices = self.driver.find_elements(By.ID, 'language-notice')
                self.assertEqual([n.is_displayed() for n in notices], [False] if lang == 'cs' else [])

    def test_no_czech_on_the_english_page_and_the_day_kept(self):
        self.english()
        text = self.driver.execute_script(READ)
        self.assertIsNone(re.search('[^\x00-\x7f–—‹›“”’ ×−]', text), text)
        self.assertEqual(CZECH_WORDS & set(re.findall('[a-z]+', text.lower())), set())
        self.wait_for(lambda d: d.find_element(By.ID, 'other-language').get_attribute('href')
                      .endswith('/index.html#1996-03-05'))
        self.assertEqual(self.severe_logs(), [])

    def test_accessibility_of_both_pages(self):
        self.english()
        self.assertEqual(self.axe_violations(), [])
        prefers_english = start_browser(language='en-GB')
        driver, self.driver = self.driver, prefers_english
        try:
            self.open()
            notice = self.driver.find_element(By.ID, 'language-notice')
            self.assertTrue(notice.is_displayed())
            self.assertEqual(self.axe_violations(), [])
            self.driver.find_element(By.ID, 'language-notice-close').click()
            self.assertFalse(notice.is_displayed())
            self.open()
            self.assertFalse(self.driver.find_element(By.ID, 'language-notice').is_displayed())
            self.assertEqual(self.driver.current_url, self.server.url)  # never sent away
        finally:
            self.driver = driver
            prefers_english.quit()

    def test_english_screenshots(self):
        for name, width in (('web-en-360', 360), ('web-en-desktop', 1100)):
            self.driver.set_window_size(width, 800)
            self.english()
            self.save_whole_page(name, width)
        self.driver.set_window_size(1100, 900)


if __name__ == '__main__':
    unittest.main(verbosity=2)
