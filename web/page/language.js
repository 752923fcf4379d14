// SPDX-License-Identifier: GPL-3.0-or-later
// The page in the other language: its link keeps the day on show (the address's #day, never
// the birth date), and the Czech page tells a browser that prefers English, once it asks,
// that the page is in English too; it never leaves the page by itself.
import { $, lang, store } from './app.js';

const dismissedKey = 'cyklometrika.language-notice';

// Whether the browser's first choice of the page's languages is English.
export const prefersEnglish = (languages) =>
  (languages || []).map((tag) => String(tag).toLowerCase().split('-')[0]).find((l) => l === 'cs' || l === 'en') === 'en';

export function setUpLanguage(page) {
  const links = [$('other-language'), ...document.querySelectorAll('#language-notice a')];
  const keepDay = () => links.forEach((link) => { link.href = link.getAttribute('href').split('#')[0] + location.hash; });
  page.shown.push(() => requestAnimationFrame(() => setTimeout(keepDay)));
  addEventListener('popstate', keepDay);
  links.forEach((link) => ['pointerdown', 'focus'].forEach((type) => link.addEventListener(type, keepDay)));

  const notice = $('language-notice');
  if (!notice || lang !== 'cs' || store.get(dismissedKey) || !prefersEnglish(navigator.languages)) return;
  notice.hidden = false;
  $('language-notice-close').addEventListener('click', () => {
    notice.hidden = true;
    store.set(dismissedKey, '1');
    $('other-language').focus();
  });
}
