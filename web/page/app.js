// SPDX-License-Identifier: GPL-3.0-or-later
// The page: six fields, the confirm button, the messages and the two charts, all drawn
// from the answer the engine gives. Nothing here computes a value or writes a text of the
// engine's; the page only draws what it is given. The page's other modules add their parts
// to the page object that main.js hands them.
import { drawLegend } from './legend.js';

export const $ = (id) => document.getElementById(id);

// The page's language, and its texts from the catalogue (the page carries those its scripts
// say): say('id', a, b) with {1}, {2} filled; a counted text takes the plural form the
// engine gives for its number (page.sayCount).
export const lang = document.documentElement.lang;
let texts = null;
const text = (id) => (texts = texts || JSON.parse($('texts').textContent))[id];
const fill = (pattern, args) => pattern.replace(/\{(\d)\}/g, (whole, n) => (n <= args.length ? String(args[n - 1]) : whole));
export const say = (id, ...args) => fill(text(id), args);

export const storageKey = 'cyklometrika.birth';
// The browser's storage, which may be off or full: a read gives null, a write says
// whether it was kept.
export const store = {
  get(key) { try { return localStorage.getItem(key); } catch (error) { return null; } },
  set(key, value) { try { localStorage.setItem(key, value); return true; } catch (error) { return false; } },
  remove(key) { try { localStorage.removeItem(key); } catch (error) { /* nothing was kept */ } },
};
export const civilDate = (date) => ({ day: date.getDate(), month: date.getMonth() + 1, year: date.getFullYear() });
export const czechDate = (d) => `${d.day}.${d.month}.${d.year}`;
export const isoDate = (d) => `${String(d.year).padStart(4, '0')}-${String(d.month).padStart(2, '0')}-${String(d.day).padStart(2, '0')}`;
export const isoDay = (text) => {
  const [year, month, day] = text.split('-').map(Number);
  return { day, month, year };
};

// The window's refusal in its box (none: the box emptied), told at once.
export function refusal(box, text) {
  box.replaceChildren();
  if (!text) return;
  const p = document.createElement('p');
  p.setAttribute('role', 'alert');
  p.className = 'message stop';
  p.textContent = text;
  box.appendChild(p);
}

// What the companion says on standard error, said beside a list as sentences.
export function showNotes(box, notes) {
  const sentence = (text) => `${text[0].toUpperCase()}${text.slice(1)}.`;
  box.replaceChildren(...notes.map((text) => Object.assign(document.createElement('p'), { textContent: sentence(text) })));
}

// The page and its parts are set up while the engine compiles; page.engine is set before
// page.start().
export function createPage(clock) {
  const fields = [1, 2, 3, 4, 5, 6].map((n) => $('Text' + n));
  const page = { engine: null, fields, shown: [], pair: () => null, pairText: () => '', linkedDay: () => null };
  page.now = () => new Date(clock.now());
  page.after = (ms, task) => clock.after(ms, task);
  page.sayCount = (id, count) => fill(text(id)[page.engine.call({ lang, plural: count }).plural], [count]);
  const pictures = {};
  let shown = null; // the last answer drawn

  // The month drawn at the size it is shown (one unit a pixel), so that its texts stay
  // legible on a phone.
  function monthSize() {
    const width = Math.max(280, Math.round($('Graph1').getBoundingClientRect().width) || 600);
    return [width, Math.round(Math.min(260, Math.max(180, width * 0.3)))];
  }

  // The engine asked about the fields as they stand, the charts and the pair with it.
  page.ask = (extra = {}) => page.engine.call({ lang, fields: fields.map((f) => f.value), month: monthSize(),
    second: page.pair(), ...extra });

  // A chart as the engine laid it out; the same picture again is left as it stands.
  function drawChart(id, picture, size, description) {
    const svg = $(id);
    if (pictures[id] !== picture) {
      svg.setAttribute('viewBox', `0 0 ${size[0]} ${size[1]}`);
      svg.innerHTML = pictures[id] = picture;
    }
    $(id + '-text').textContent = description;
  }

  // Captioned with its month and year, the target day marked on its curves, a second
  // person's curves over them (people.js) and their description after.
  function drawMonth(answer) {
    const { state, charts } = answer;
    const target = state.target;
    const name = target ? say('web.chart.month.named', target.month_name, target.year) : say('chart.month');
    $('Graph1-name').textContent = name;
    const description = target ? say('web.chart.month.marked', name, target.day, target.month, state.month.description)
      : state.month.description;
    drawChart('Graph1', charts.month + (charts.second || ''), answer.size, description + page.pairText(answer));
    // In short for a screen reader: the month and the values of the day marked; the day by
    // day description on request.
    const summary = `${name}. ${state.day.description}.${page.pairText(answer, true)}`;
    $('Graph1-summary').textContent = target ? summary : state.month.description;
  }

  function show(answer) {
    const state = answer.state;
    answer.size = answer.size || monthSize();
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
    // A new day on show is said at once, with its values.
    const said = state.target ? state.day.description : '';
    if (said !== (shown && shown.state.target ? shown.state.day.description : '')) $('announce').textContent = said;
    shown = answer;
    drawMonth(answer);
    drawChart('Graph2', answer.charts.day, [130, 230], state.day.description);
    document.body.dataset.caption = state.caption;
    for (const part of page.shown) part(answer);
    return answer;
  }

  const update = (extra) => show(page.ask(extra));
  Object.assign(page, { show, update, redraw: () => update(), confirmed: () => shown && shown.state.day.visible });

  // A field set from the page; drawn unless the caller draws what comes next.
  page.setField = function (field, text, draw = true) {
    field.value = text;
    field.dispatchEvent(new Event('cyklset'));
    if (draw) update();
  };
  page.fillTarget = function (day, month, year, draw = true) {
    [day, month, year].forEach((value, i) => page.setField(fields[3 + i], String(value), draw && i === 2));
  };
  // The new target day, confirmed once a birth date is typed; before that only set.
  page.goTo = function (day, month, year) {
    const born = fields.slice(0, 3).every((f) => f.value);
    page.fillTarget(day, month, year, !born);
    if (born) update({ action: 'confirm' });
  };
  page.hint = (text) => { $('hint').textContent = text; };
  page.confirm = function () {
    page.hint('');
    update({ action: 'confirm' });
    page.bringResult();
  };
  page.start = function () {
    const first = page.linkedDay() || civilDate(page.now());
    page.fillTarget(first.day, first.month, first.year, false);
    // With a remembered birth date the page opens on today's result.
    const answer = recall() && page.ask({ action: 'confirm' });
    show(answer && answer.state.day.visible ? answer : page.ask({ action: 'reset' }));
    $('Form1').addEventListener('submit', (event) => {
      event.preventDefault();
      page.confirm();
    });
    window.addEventListener('resize', () => update());
    $('remember').addEventListener('click', remember);
    $('forget').addEventListener('click', forget);
    $('Command1').disabled = false;
    fields[0].focus();
    document.body.dataset.ready = 'true';
  };

  // Only a birth date the window accepts is kept: the engine's own check of the day.
  function remember() {
    const birth = fields.slice(0, 3).map((f) => f.value);
    const refused = birth.includes('') || !page.birthAccepted();
    $('remembered').textContent = refused ? say('web.remember.refused')
      : store.set(storageKey, JSON.stringify(birth)) ? say('web.remember.kept') : say('web.remember.denied');
  }

  function forget() {
    store.remove(storageKey);
    $('remembered').textContent = say('web.forgotten');
  }

  // The birth date alone, confirmed for itself, as the window would take it.
  page.birthAccepted = () => page.ask({ birth: true }).birth_refusal === 0;

  function recall() {
    try {
      const birth = JSON.parse(store.get(storageKey) || 'null');
      if (Array.isArray(birth)) birth.slice(0, 3).forEach((v, i) => page.setField(fields[i], String(v).replace(/[^0-9]/g, ''), false));
      return Array.isArray(birth);
    } catch (error) {
      store.remove(storageKey);
      return false;
    }
  }
  return page;
}
