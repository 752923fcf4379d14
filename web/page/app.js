// SPDX-License-Identifier: GPL-3.0-or-later
// The page: six fields, the confirm button, the messages and the two charts, all drawn
// from the state the engine returns. Nothing here computes a value or writes a message
// of the engine's; the page only draws what it is given.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const fields = [1, 2, 3, 4, 5, 6].map((n) => $('Text' + n));
  const storageKey = 'cyklometrika.birth';
  let engine = null;
  let shown = null; // the last state drawn

  // A chart as the engine lays it out at the size given, its colours from the page's theme.
  function drawChart(id, number, chart, width, height, fontPixels) {
    const svg = $(id);
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    svg.innerHTML = engine.chartSvg(number, width, height, fontPixels);
    $(id + '-text').textContent = chart.description;
  }

  // Drawn at the size it is shown (one unit a pixel), so its texts stay legible on a phone.
  function drawMonth(chart) {
    const width = Math.max(280, Math.round($('Graph1').getBoundingClientRect().width) || 600);
    const height = Math.round(Math.min(260, Math.max(180, width * 0.3)));
    drawChart('Graph1', 1, chart, width, height, 11);
  }

  function drawDay(chart) {
    drawChart('Graph2', 2, chart, 130, 230, 9);
  }

  // Relative luminance and contrast ratio of '#rrggbb' colours.
  const channels = (hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));
  function luminance(hex) {
    const [r, g, b] = channels(hex).map((c) => (c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  }
  const contrast = (a, b) => (Math.max(luminance(a), luminance(b)) + 0.05) / (Math.min(luminance(a), luminance(b)) + 0.05);

  // On a dark background a colour keeps its hue, lightened towards white until it stands
  // out at 3:1 at least.
  function forDark(hex, background) {
    for (let share = 0; share <= 1; share += 0.05) {
      const mixed = '#' + channels(hex).map((c) => Math.round(c + (255 - c) * share).toString(16).padStart(2, '0')).join('');
      if (contrast(mixed, background) >= 3) return mixed;
    }
    return '#ffffff';
  }

  function drawLegend(state) {
    const legend = state.legend;
    const list = $('legend');
    if (list.childElementCount) return;
    const root = document.documentElement.style;
    root.setProperty('--look-grid', state.grid);
    root.setProperty('--look-zero', state.zero);
    root.setProperty('--look-axis', state.axis);
    const dark = getComputedStyle(document.documentElement).getPropertyValue('--bg-dark').trim();
    legend.forEach((entry, i) => {
      const colours = ['legend', 'line', 'fill'].flatMap((name) =>
        [[name, entry[name]], [`dark-${name}`, forDark(entry[name], dark)]]);
      for (const [name, value] of colours) root.setProperty(`--${name}${i + 1}`, value);
      root.setProperty(`--text${i + 1}`, entry.text);
      const item = document.createElement('li');
      item.title = entry.period;
      const swatch = document.createElement('span');
      swatch.className = `swatch set${i + 1}`;
      const period = document.createElement('span');
      period.className = 'period';
      period.textContent = entry.period;
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
    drawMonth(state.month);
    drawDay(state.day);
    document.body.dataset.caption = state.caption;
  }

  function hint(text) {
    $('hint').textContent = text;
  }

  function setField(field, text) {
    field.value = text;
    field.dispatchEvent(new Event('cyklset'));
    show(engine.setField(fields.indexOf(field) + 1, text));
  }

  // A digit-only field: an input holding a non-digit is refused whole, typed, pasted or
  // dropped, as the window's key filter refuses the key; a short hint says why.
  function guard(field, accept) {
    let accepted = field.value;
    const refuse = () => hint('Do polí patří jen číslice 0 až 9.');
    field.addEventListener('beforeinput', (event) => {
      if (event.data && /[^0-9]/.test(event.data)) {
        event.preventDefault();
        refuse();
      }
    });
    field.addEventListener('input', () => {
      if (/[^0-9]/.test(field.value)) {
        refuse();
        field.value = accepted;
        return;
      }
      accepted = field.value;
      accept(field, accepted);
    });
    field.addEventListener('cyklset', () => { accepted = field.value; });
  }

  function fillTarget(day, month, year) {
    [day, month, year].forEach((value, i) => setField(fields[3 + i], String(value)));
  }

  // Beyond the window: the critical days of the birth date typed above, listed, and a
  // year's as a calendar file. The birth date stays in the page: never in an address.
  const birthDate = () => ({ day: Number(fields[0].value), month: Number(fields[1].value), year: Number(fields[2].value) });
  const civilDate = (date) => ({ day: date.getDate(), month: date.getMonth() + 1, year: date.getFullYear() });
  const chosenYear = () => Number($('year').value);

  function showChart(day) {
    fillTarget(day.day, day.month, day.year);
    show(engine.confirm());
    $('Form1').scrollIntoView();
    $('Command1').focus();
  }

  function listCritical(result) {
    const refusal = $('critical-refusal');
    refusal.replaceChildren();
    if (result.refusal) {
      const p = document.createElement('p');
      p.setAttribute('role', 'alert');
      p.className = 'message stop';
      p.textContent = result.refusal;
      refusal.appendChild(p);
    }
    const list = $('critical-list');
    list.replaceChildren();
    for (const day of result.days) {
      const item = document.createElement('li');
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'Graf';
      button.setAttribute('aria-label', `Graf dne ${day.date}`);
      button.addEventListener('click', () => showChart(day));
      item.append(`${day.date} (${day.weekday}): ${day.verdicts.join(', ')}`, button);
      list.appendChild(item);
    }
    $('critical-count').textContent = result.refusal ? ''
      : result.days.length ? `Nalezeno dní: ${result.days.length}` : 'V tomto období není žádný kritický den.';
    return !result.refusal;
  }

  function nextDays() {
    const today = new Date();
    const last = new Date(today.getFullYear(), today.getMonth(), today.getDate() + 29);
    listCritical(engine.criticalDays(birthDate(), civilDate(today), civilDate(last)));
  }

  function inYear() {
    return listCritical(engine.criticalYear(birthDate(), chosenYear()));
  }

  function download() {
    const text = engine.calendar(birthDate(), chosenYear(), new Date());
    if (!text) {
      inYear(); // shows the refusal
      return;
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type: 'text/calendar' }));
    link.download = `cyklometrika-${chosenYear()}.ics`;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }

  function remember() {
    const birth = fields.slice(0, 3).map((f) => f.value);
    localStorage.setItem(storageKey, JSON.stringify(birth));
    $('remembered').textContent = 'Datum narození je uloženo jen v tomto prohlížeči.';
  }

  function forget() {
    localStorage.removeItem(storageKey);
    $('remembered').textContent = 'Datum narození bylo zapomenuto.';
  }

  function recall() {
    try {
      const birth = JSON.parse(localStorage.getItem(storageKey) || 'null');
      if (Array.isArray(birth)) birth.slice(0, 3).forEach((v, i) => setField(fields[i], String(v).replace(/[^0-9]/g, '')));
    } catch (error) {
      localStorage.removeItem(storageKey);
    }
  }

  function start() {
    show(engine.reset());
    fields.forEach((field) => guard(field, setField));
    const today = new Date();
    fillTarget(today.getDate(), today.getMonth() + 1, today.getFullYear());
    recall();
    $('Form1').addEventListener('submit', (event) => {
      event.preventDefault();
      hint('');
      show(engine.confirm());
    });
    $('picker').addEventListener('change', (event) => {
      const [year, month, day] = event.target.value.split('-').map(Number);
      if (year) fillTarget(day, month, year);
    });
    window.addEventListener('resize', () => drawMonth(shown.month));
    $('year').value = String(today.getFullYear());
    guard($('year'), () => {});
    $('next30').addEventListener('click', nextDays);
    $('in-year').addEventListener('click', inYear);
    $('ics').addEventListener('click', download);
    $('remember').addEventListener('click', remember);
    $('forget').addEventListener('click', forget);
    $('Command1').disabled = false;
    fields[0].focus();
    document.body.dataset.ready = 'true';
    // The frame after next has both charts on screen (the benchmark reads this mark).
    requestAnimationFrame(() => requestAnimationFrame(() => performance.mark('charts-painted')));
  }

  function unsupported() {
    $('unsupported').hidden = false;
    $('Form1').hidden = true;
  }

  if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function' || !globalThis.cyklEngine) {
    unsupported();
    return;
  }
  globalThis.cyklEngine().then((session) => {
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
