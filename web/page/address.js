// SPDX-License-Identifier: GPL-3.0-or-later
// The address names the target day on show (#1996-03-05, never the birth date), so that a
// link opens that day and the back button steps back through the days shown; the title
// names the day too.
import { $, isoDate } from './app.js';

const pattern = /^#(\d{4})-(\d{2})-(\d{2})$/;

export function setUpAddress(page) {
  const title = document.title;

  // The day the address names, where it names a real one.
  function linked() {
    const parts = pattern.exec(location.hash);
    if (!parts) return null;
    const [year, month, day] = parts.slice(1).map(Number);
    const date = new Date(2000, month - 1, day);
    date.setFullYear(year);
    return year >= 1 && date.getMonth() === month - 1 ? { day, month, year } : null;
  }
  page.linkedDay = linked;

  // A day after another is a new entry in the history; the first one, on an address that
  // names none, takes the address's place. Written after the frame that shows the day (the
  // browser takes its time over a history entry), the last of quick steps alone.
  let pending = null;
  function write() {
    const day = pending;
    pending = null;
    document.title = day ? `${day.day}. ${day.month}. ${day.year} – ${title}` : title;
    if (!day || location.hash === `#${isoDate(day)}`) return;
    history[pattern.test(location.hash) ? 'pushState' : 'replaceState'](null, '', `#${isoDate(day)}`);
  }
  page.shown.push(({ state }) => {
    if (pending === null) requestAnimationFrame(() => setTimeout(write));
    pending = state.target || false;
  });

  // Back or forward: the day of that address, confirmed where a birth date is typed.
  addEventListener('popstate', () => {
    const day = linked();
    if (!day) return;
    page.goTo(day.day, day.month, day.year);
    $('Command1').focus({ preventScroll: true });
  });
}
