// SPDX-License-Identifier: GPL-3.0-or-later
// Today at a glance: the result brought into view after a confirmation, the target day
// stepped a day or a month back and forward (buttons, and the arrow keys outside the
// fields), "Dnes" back to today, and a page left open past midnight moved to the new day
// (past New Year the lists' years too).
import { $, civilDate, say } from './app.js';

export function setUpToday(page) {
  const { fields } = page;
  let confirmed = false;
  let today = civilDate(page.now());

  // Scrolls only when the element is not wholly on screen already.
  page.bringIntoView = function (element, top = element.getBoundingClientRect().top) {
    const bottom = element.getBoundingClientRect().bottom;
    if (top < 0 || bottom > innerHeight) scrollBy(0, top - 8);
  };

  // The result from its first part to the month chart, whatever order the layout gives.
  page.bringResult = function () {
    const parts = ['Command1', 'messages', 'legend', 'Graph2', 'Graph1'].map((id) => $(id).getBoundingClientRect());
    page.bringIntoView($('Graph1').closest('figure'), Math.min(...parts.map((r) => r.top)));
  };

  // The typed target day; today where none is typed, none where it is no day.
  function targetDate() {
    if (fields.slice(3).every((f) => !f.value)) return page.now();
    const [day, month, year] = fields.slice(3).map((f) => Number(f.value));
    const date = new Date(2000, month - 1, day);
    date.setFullYear(year);
    return date.getDate() === day && date.getMonth() === month - 1 && year >= 1 ? date : null;
  }

  // The new target day, within the years 1 to 9999.
  function go(date) {
    if (date.getFullYear() < 1 || date.getFullYear() > 9999) return;
    page.goTo(date.getDate(), date.getMonth() + 1, date.getFullYear());
  }

  // A month on keeps the day where the month has it, else takes the month's last day. From
  // a typed day that is no day nothing moves: the person is told, and what they typed stays.
  function step(days, months) {
    const from = targetDate();
    if (!from) {
      page.hint(say('web.hint.target'));
      return;
    }
    const to = new Date(from);
    to.setDate(1);
    to.setMonth(from.getMonth() + months);
    const length = new Date(to.getFullYear(), to.getMonth() + 1, 0).getDate();
    to.setDate(Math.min(from.getDate(), length) + days);
    go(to);
  }

  for (const button of document.querySelectorAll('#steps [data-days]')) {
    button.addEventListener('click', () => step(Number(button.dataset.days), Number(button.dataset.months)));
  }
  $('today').addEventListener('click', () => go(page.now()));
  document.addEventListener('keydown', (event) => {
    const inField = event.target.closest && event.target.closest('input, select, textarea');
    const arrow = { ArrowLeft: -1, ArrowRight: 1 }[event.key];
    if (!arrow || inField || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    step(event.shiftKey ? 0 : arrow, event.shiftKey ? arrow : 0);
  });

  // Past midnight a page that showed today shows the new day, confirmed as it was.
  function newDay() {
    const now = civilDate(page.now());
    const target = fields.slice(3).map((f) => f.value).join('.');
    if (now.day === today.day && now.month === today.month && now.year === today.year) return;
    if (target === `${today.day}.${today.month}.${today.year}`) {
      const wasConfirmed = confirmed;
      page.fillTarget(now.day, now.month, now.year, !wasConfirmed);
      if (wasConfirmed) page.update({ action: 'confirm' });
    }
    // The lists' years that named this year name the new one.
    for (const field of [$('year'), $('shared-year')]) {
      if (field.value === String(today.year)) field.value = String(now.year);
    }
    today = now;
  }

  function atMidnight() {
    const now = page.now();
    const next = new Date(now.getFullYear(), now.getMonth(), now.getDate() + 1);
    page.after(next - now + 1000, () => {
      newDay();
      atMidnight();
    });
  }
  page.shown.push(({ state }) => { confirmed = state.day.visible; });
  document.addEventListener('visibilitychange', newDay);
  atMidnight();
}
