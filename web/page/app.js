// SPDX-License-Identifier: GPL-3.0-or-later
// The page: six fields, the confirm button, the messages and the two charts, all drawn
// from the state the engine returns. Nothing here computes a value or writes a message
// of the engine's; the page only draws what it is given. The page's other scripts
// (entry.js, today.js, share.js) add their parts through globalThis.cyklPage.
'use strict';
(function () {
  const page = globalThis.cyklPage = { parts: [], shown: [], overlay: () => ['', ''] };
  const $ = page.$ = (id) => document.getElementById(id);
  // The clock, one seam: a test may set globalThis.cyklClock ({now, after}) before the page runs.
  const clock = globalThis.cyklClock || { now: () => Date.now(), after: (ms, task) => setTimeout(task, ms) };
  page.now = () => new Date(clock.now());
  page.after = (ms, task) => clock.after(ms, task);
  const fields = [1, 2, 3, 4, 5, 6].map((n) => $('Text' + n));
  const storageKey = 'cyklometrika.birth';
  // The browser's storage, which may be off or full: a read gives null, a write says
  // whether it was kept.
  const store = page.store = {
    get(key) { try { return localStorage.getItem(key); } catch (error) { return null; } },
    set(key, value) { try { localStorage.setItem(key, value); return true; } catch (error) { return false; } },
    remove(key) { try { localStorage.removeItem(key); } catch (error) { /* nothing was kept */ } },
  };
  let engine = null;
  let shown = null; // the last state drawn

  // A chart as the engine lays it out at the size given, its colours from the page's theme;
  // the same picture again is left as it stands.
  const pictures = {};
  function drawChart(id, number, description, width, height, fontPixels, over = '') {
    const svg = $(id);
    const picture = engine.chartSvg(number, width, height, fontPixels) + over;
    if (pictures[id] !== picture) {
      svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
      svg.innerHTML = pictures[id] = picture;
    }
    $(id + '-text').textContent = description;
  }

  // The month in the nominative, as a caption names it.
  const monthNames = ['leden', 'únor', 'březen', 'duben', 'květen', 'červen', 'červenec', 'srpen', 'září',
    'říjen', 'listopad', 'prosinec'];

  // Drawn at the size it is shown (one unit a pixel), so its texts stay legible on a phone;
  // captioned with its month and year, the target day marked on its curves.
  function drawMonth(state) {
    const width = Math.max(280, Math.round($('Graph1').getBoundingClientRect().width) || 600);
    const height = Math.round(Math.min(260, Math.max(180, width * 0.3)));
    const target = state.target;
    const name = target ? `Měsíční graf, ${monthNames[target.month - 1]} ${target.year}` : 'Měsíční graf';
    $('Graph1-name').textContent = name;
    const description = target ? `${name}, vyznačen den ${target.day}. ${target.month}.: ${state.month.description}`
      : state.month.description;
    // A second person's curves over them (people.js), and their description after.
    const [over, told] = page.overlay(state, width, height);
    drawChart('Graph1', 1, description + told, width, height, 11, over);
  }

  function drawDay(chart) {
    drawChart('Graph2', 2, chart.description, 130, 230, 9);
  }

  // Relative luminance and contrast ratio of '#rrggbb' colours.
  const channels = (hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));
  function luminance(hex) {
    const [r, g, b] = channels(hex).map((c) => (c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  }
  const contrast = (a, b) => (Math.max(luminance(a), luminance(b)) + 0.05) / (Math.min(luminance(a), luminance(b)) + 0.05);

  // A colour keeps its hue, lightened towards white on a dark background and darkened
  // towards black on a light one, until it stands out at 3:1 at least.
  function standingOut(hex, background) {
    const towards = luminance(background) < 0.5 ? 255 : 0;
    for (let share = 0; share <= 1; share += 0.05) {
      const mixed = '#' + channels(hex).map((c) => Math.round(c + (towards - c) * share).toString(16).padStart(2, '0')).join('');
      if (contrast(mixed, background) >= 3) return mixed;
    }
    return towards ? '#ffffff' : '#000000';
  }

  // The window's tooltip " 23 denní perioda" as the page writes it: "23denní perioda".
  const pagePeriod = (period) => period.trim().replace(/^(\d+) /, '$1');

  function drawLegend(state) {
    const legend = state.legend;
    const list = $('legend');
    if (list.childElementCount) return;
    const root = document.documentElement.style;
    root.setProperty('--look-grid', state.grid);
    root.setProperty('--look-zero', state.zero);
    root.setProperty('--look-axis', state.axis);
    const style = getComputedStyle(document.documentElement);
    const [light, dark] = ['--bg-light', '--bg-dark'].map((name) => style.getPropertyValue(name).trim());
    legend.forEach((entry, i) => {
      const colours = ['legend', 'line', 'fill'].flatMap((name) =>
        [[name, standingOut(entry[name], light)], [`dark-${name}`, standingOut(entry[name], dark)]]);
      for (const [name, value] of colours) root.setProperty(`--${name}${i + 1}`, value);
      root.setProperty(`--text${i + 1}`, entry.text);
      const item = document.createElement('li');
      item.title = entry.period;
      const swatch = document.createElement('span');
      swatch.className = `swatch set${i + 1}`;
      const period = document.createElement('span');
      period.className = 'period';
      period.textContent = pagePeriod(entry.period);
      item.append(swatch, entry.caption, period);
      list.appendChild(item);
    });
  }

  function show(state) {
    drawLegend(state);
    $('Command1').textContent = state.caption;
    const box = $('messages');
    box.replaceChildren();
    for (const message of state.messages) {
      const p = document.createElement('p');
      p.setAttribute('role', 'alert');
      p.className = `message ${message.style}`;
      p.textContent = message.text;
      box.appendChild(p);
    }
    shown = state;
    drawMonth(state);
    drawDay(state.day);
    document.body.dataset.caption = state.caption;
    for (const part of page.shown) part(state);
  }

  function hint(text) {
    $('hint').textContent = text;
  }

  // A field set from the page; drawn unless the caller draws what comes next.
  function setField(field, text, draw = true) {
    field.value = text;
    field.dispatchEvent(new Event('cyklset'));
    const state = engine.setField(fields.indexOf(field) + 1, text);
    if (draw) show(state);
  }

  function fillTarget(day, month, year, draw = true) {
    [day, month, year].forEach((value, i) => setField(fields[3 + i], String(value), draw && i === 2));
  }

  // Beyond the window: the critical days of the birth date typed above (the engine reads
  // it from the fields), listed, and a year's as a calendar file. The birth date stays in
  // the page: never in an address. The list is the companion's JSON, its dates ISO.
  const isoDay = (text) => {
    const [year, month, day] = text.split('-').map(Number);
    return { day, month, year };
  };
  const civilDate = (date) => ({ day: date.getDate(), month: date.getMonth() + 1, year: date.getFullYear() });
  const chosenYear = () => Number($('year').value);
  const czechDate = (d) => `${d.day}.${d.month}.${d.year}`;

  function confirm() {
    hint('');
    show(engine.confirm());
    page.bringResult();
  }

  function showChart(day) {
    fillTarget(day.day, day.month, day.year, false);
    confirm();
    $('Command1').focus({ preventScroll: true });
  }

  // What the companion says on standard error, said beside the list as sentences.
  function showNotes(notes) {
    const sentence = (text) => `${text[0].toUpperCase()}${text.slice(1)}.`;
    const box = $('critical-notes');
    box.replaceChildren(...notes.map((text) => Object.assign(document.createElement('p'), { textContent: sentence(text) })));
  }

  // The window's refusal in its box (none: the box emptied), told at once.
  function refusal(box, text) {
    box.replaceChildren();
    if (!text) return;
    const p = document.createElement('p');
    p.setAttribute('role', 'alert');
    p.className = 'message stop';
    p.textContent = text;
    box.appendChild(p);
  }

  function listCritical(result) {
    refusal($('critical-refusal'), result.refusal);
    const list = $('critical-list');
    list.replaceChildren();
    for (const day of result.days) {
      const date = isoDay(day.date);
      const item = document.createElement('li');
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'Graf';
      button.setAttribute('aria-label', `Graf dne ${czechDate(date)}`);
      button.addEventListener('click', () => showChart(date));
      item.append(`${czechDate(date)} (${day.weekday}): ${day.verdicts.join(', ')}`, button);
      list.appendChild(item);
    }
    $('critical-count').textContent = result.refusal ? ''
      : result.days.length ? `Nalezeno dní: ${result.days.length}` : 'V tomto období není žádný kritický den.';
    page.bringIntoView($('critical'));
    return !result.refusal;
  }

  function listSpan(from, to, calendar = false) {
    const shown = listCritical(engine.criticalDays(from, to));
    showNotes(shown ? engine.criticalNotes(from, to, calendar) : []);
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
    const text = engine.calendar(chosenYear(), page.now());
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

  // Only a birth date the window accepts is kept: the engine's own check of the day.
  function remember() {
    const birth = fields.slice(0, 3).map((f) => f.value);
    const refused = birth.includes('') || engine.birthRefusal() !== 0;
    $('remembered').textContent = refused ? 'Toto není platné datum narození, proto uloženo nebylo.'
      : store.set(storageKey, JSON.stringify(birth)) ? 'Datum narození je uloženo jen v tomto prohlížeči.'
        : 'Tento prohlížeč datum uložit nedovolí.';
  }

  function forget() {
    store.remove(storageKey);
    $('remembered').textContent = 'Datum narození i seznam lidí byly zapomenuty.';
  }

  function recall() {
    try {
      const birth = JSON.parse(store.get(storageKey) || 'null');
      if (Array.isArray(birth)) birth.slice(0, 3).forEach((v, i) => setField(fields[i], String(v).replace(/[^0-9]/g, ''), false));
      return Array.isArray(birth);
    } catch (error) {
      store.remove(storageKey);
      return false;
    }
  }

  function start() {
    const redraw = () => show(shown);
    Object.assign(page, { fields, show, redraw, setField, fillTarget, hint, confirm, civilDate, czechDate, isoDay,
      refusal, engine });
    for (const part of page.parts) part(page);
    const today = page.now();
    fillTarget(today.getDate(), today.getMonth() + 1, today.getFullYear(), false);
    // With a remembered birth date the page opens on today's result.
    const state = recall() && engine.confirm();
    show(state && state.day.visible ? state : engine.reset());
    $('Form1').addEventListener('submit', (event) => {
      event.preventDefault();
      confirm();
    });
    window.addEventListener('resize', () => drawMonth(shown));
    $('year').value = String(today.getFullYear());
    page.guard($('year'), () => {});
    $('year').addEventListener('keydown', (event) => {
      if (event.key === 'Enter') inYear();
    });
    $('next30').addEventListener('click', nextDays);
    $('in-year').addEventListener('click', () => inYear());
    $('ics').addEventListener('click', download);
    $('remember').addEventListener('click', remember);
    $('forget').addEventListener('click', forget);
    $('Command1').disabled = false;
    fields[0].focus();
    document.body.dataset.ready = 'true';
    // The frame after next has both charts on screen (the benchmark reads this mark).
    requestAnimationFrame(() => requestAnimationFrame(() => performance.mark('charts-painted')));
  }

  // Without the engine only the sentence that says so is shown.
  function unsupported() {
    $('unsupported').hidden = false;
    for (const id of ['Form1', 'critical']) $(id).hidden = true;
  }

  if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function' || !globalThis.cyklEngine) {
    unsupported();
    return;
  }
  // The page starts once the engine is ready and every script of the page has run (they
  // run in order but may wait for the network in between, while the engine gets ready).
  // The scripts are deferred: the document is already "interactive" while they run, and
  // DOMContentLoaded comes after the last of them.
  const loaded = new Promise((resolve) => document.addEventListener('DOMContentLoaded', resolve));
  Promise.all([globalThis.cyklEngine(), loaded]).then(([session]) => {
    engine = session;
    start();
  }, unsupported);
  // Served, the page installs and works offline; opened from disk it needs neither (and
  // the browser would refuse the manifest and the worker there).
  if (/^https?:$/.test(location.protocol)) {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.appendChild(manifest);
    if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
