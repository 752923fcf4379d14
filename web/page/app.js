// SPDX-License-Identifier: GPL-3.0-or-later
// The page: six fields, the confirm button, the messages and the two charts, all drawn
// from the state the engine returns. Nothing here computes a value or writes a message
// of the engine's; the page only draws what it is given.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const fields = [1, 2, 3, 4, 5, 6].map((n) => $('Text' + n));
  const svgNs = 'http://www.w3.org/2000/svg';
  const storageKey = 'cyklometrika.birth';
  let engine = null;
  let shown = null; // the last state drawn

  function svgElement(parent, name, attributes, text) {
    const element = document.createElementNS(svgNs, name);
    for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
    if (text !== undefined) element.textContent = text;
    parent.appendChild(element);
    return element;
  }

  // The value axis from -100 to 100, mapped to [top, bottom].
  function valueAxis(svg, left, right, top, bottom) {
    const y = (value) => top + ((100 - value) * (bottom - top)) / 200;
    for (const tick of [100, 50, 0, -50, -100]) {
      svgElement(svg, 'line', { x1: left, x2: right, y1: y(tick), y2: y(tick), class: tick ? 'grid' : 'zero' });
      svgElement(svg, 'text', { x: left - 4, y: y(tick) + 3, class: 'tick end' }, String(tick));
    }
    return y;
  }

  // Drawn at the size it is shown (one unit a pixel), so its texts stay legible on a phone.
  function drawMonth(chart) {
    const svg = $('Graph1');
    svg.replaceChildren();
    const width = Math.max(280, Math.round(svg.getBoundingClientRect().width) || 600);
    const height = Math.round(Math.min(260, Math.max(180, width * 0.3)));
    const [left, right, top, bottom] = [34, width - 8, 8, height - 24];
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    const y = valueAxis(svg, left, right, top, bottom);
    const points = chart.labels.length;
    const x = (i) => left + (points > 1 ? (i * (right - left)) / (points - 1) : 0);
    const every = Math.ceil(22 / ((right - left) / Math.max(points, 1)));
    chart.labels.forEach((label, i) => {
      if (label && i % every === 0) svgElement(svg, 'text', { x: x(i), y: height - 8, class: 'tick mid' }, label.trim());
    });
    chart.sets.forEach((values, set) => {
      const path = values.map((v, i) => (v === null ? '' : `${x(i).toFixed(1)},${y(v).toFixed(1)}`)).filter(Boolean);
      if (path.length) svgElement(svg, 'polyline', { points: path.join(' '), class: `curve set${set + 1}` });
    });
    $('Graph1-text').textContent = chart.description;
  }

  function drawDay(chart) {
    const svg = $('Graph2');
    svg.replaceChildren();
    const [width, height, left, right, top, bottom] = [130, 230, 34, 126, 8, 180];
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    const y = valueAxis(svg, left, right, top, bottom);
    if (chart.visible) {
      const step = (right - left) / 3;
      chart.sets[0].forEach((v, i) => {
        if (v === null) return;
        const x = left + i * step + step * 0.2;
        svgElement(svg, 'rect', { x, width: step * 0.6, y: Math.min(y(v), y(0)), height: Math.abs(y(v) - y(0)), class: `bar set${i + 1}` });
        svgElement(svg, 'text', { x: x + step * 0.3, y: bottom + 16, class: 'tick mid' }, String(v));
      });
      svgElement(svg, 'text', { x: (left + right) / 2, y: height - 8, class: 'tick mid' }, chart.labels[0].trim());
    }
    $('Graph2-text').textContent = chart.description;
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
    root.setProperty('--curve-width', state.curveWidth);
    const dark = getComputedStyle(document.documentElement).getPropertyValue('--bg-dark').trim();
    legend.forEach((entry, i) => {
      const colours = ['legend', 'line', 'fill'].flatMap((name) =>
        [[name, entry[name]], [`dark-${name}`, forDark(entry[name], dark)]]);
      for (const [name, value] of colours) document.documentElement.style.setProperty(`--${name}${i + 1}`, value);
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
  function guard(field) {
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
      setField(field, accepted);
    });
    field.addEventListener('cyklset', () => { accepted = field.value; });
  }

  function fillTarget(day, month, year) {
    [day, month, year].forEach((value, i) => setField(fields[3 + i], String(value)));
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
    fields.forEach(guard);
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
