// SPDX-License-Identifier: GPL-3.0-or-later
// Beyond the window: the critical days of the birth date typed above, listed, and a
// year's as a calendar file. The birth date stays in the page: never in an address. The
// list is the companion's JSON, its dates ISO; it belongs to the birth date it was made
// for and goes as soon as the fields hold another.
import { $, civilDate, czechDate, isoDay, refusal, say, showNotes } from './app.js';

export function setUpLists(page) {
  const { fields } = page;
  const chosenYear = () => Number($('year').value);
  const birthKey = () => fields.slice(0, 3).map((f) => Number(f.value)).join('.');
  let listed = null; // the birth date of the list on show

  function showChart(day) {
    page.fillTarget(day.day, day.month, day.year, false);
    page.confirm();
    $('Command1').focus({ preventScroll: true });
  }

  function unlist() {
    listed = null;
    ['critical-refusal', 'critical-list', 'critical-notes'].forEach((id) => $(id).replaceChildren());
    $('critical-count').textContent = '';
  }

  function listCritical(result) {
    refusal($('critical-refusal'), result.refusal);
    const list = $('critical-list');
    list.replaceChildren();
    for (const day of result.days || []) {
      const date = isoDay(day.date);
      const item = document.createElement('li');
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = say('web.list.chart');
      button.setAttribute('aria-label', say('web.list.chart.name', czechDate(date)));
      button.addEventListener('click', () => showChart(date));
      item.append(`${czechDate(date)} (${day.weekday}): ${day.verdicts.join(', ')}`, button);
      list.appendChild(item);
    }
    $('critical-count').textContent = result.refusal ? ''
      : result.days.length ? page.sayCount('web.critical.found', result.days.length) : say('web.critical.none');
    page.bringIntoView($('critical'));
    return !result.refusal;
  }

  function listSpan(from, to, calendar = false) {
    const answer = page.ask({ critical: [from, to, calendar] });
    listed = birthKey();
    const shown = listCritical(answer.critical);
    showNotes($('critical-notes'), shown ? answer.notes : []);
    return shown;
  }

  function nextDays() {
    const today = page.now();
    const last = new Date(today.getFullYear(), today.getMonth(), today.getDate() + 29);
    listSpan(civilDate(today), civilDate(last));
  }

  function inYear(calendar) {
    const year = chosenYear();
    return listSpan({ day: 1, month: 1, year }, { day: 31, month: 12, year }, calendar);
  }

  // No empty calendar for a year the window refuses; the days it leaves out are named.
  function download() {
    if (!inYear(true)) return;
    const text = page.ask({ calendar: [chosenYear(), page.now()] }).calendar;
    if (text) page.save(new Blob([text], { type: 'text/calendar' }), `cyklometrika-${chosenYear()}.ics`);
  }

  page.save = function (blob, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  };

  page.shown.push(() => {
    if (listed !== null && listed !== birthKey()) unlist();
  });
  $('year').value = String(page.now().getFullYear());
  page.guard($('year'), () => {});
  $('year').addEventListener('keydown', (event) => {
    if (event.key === 'Enter') inYear();
  });
  $('next30').addEventListener('click', nextDays);
  $('in-year').addEventListener('click', () => inYear());
  $('ics').addEventListener('click', download);
}
