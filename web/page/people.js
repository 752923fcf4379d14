// SPDX-License-Identifier: GPL-3.0-or-later
// Two people: a short list of names with birth dates, kept in this browser only once the
// person adds to it (one key, never in an address; "Zapomenout" empties it); a second
// person's curves dashed over the month chart with a legend of both, the agreement of the
// two, and the days they share a verdict, listed and as a year's calendar. Every number
// and verdict comes from the engine; a name is only ever set as text. The list is read
// again before every change and follows the changes other tabs make, so that no tab
// writes back a person another removed or drops one another added.
import { $, civilDate, czechDate, isoDay, refusal, say, showNotes, storageKey, store } from './app.js';

export function setUpPeople(page) {
  const { fields } = page;
  const key = 'cyklometrika.people';
  let people = [];
  let kept = true; // the browser keeps the list; where it does not, it lasts as the page does
  let chosen = null; // the person last chosen into the birth fields
  let second = null;
  let listedFor = null; // the pair of the shared days on show
  const waiting = $('pair-wait').textContent;

  // A name as kept: no line breaks or other control characters, no spaces at its ends.
  const clean = (name) => String(name).replace(/[\u0000-\u001f\u007f]/g, ' ').trim().slice(0, 40);
  const birthOf = () => {
    const [day, month, year] = fields.slice(0, 3).map((f) => Number(f.value));
    return { day, month, year };
  };
  const same = (a, b) => a.day === b.day && a.month === b.month && a.year === b.year;
  const alike = (a, b) => Boolean(a && b) && a.name === b.name && same(a, b);
  const add = (parent, tag, text, className = '') =>
    parent.appendChild(Object.assign(document.createElement(tag), { textContent: text, className }));
  let undo = null; // what the last removal took, to put back
  const note = (text, undoable = null) => {
    $('people-note').textContent = text;
    undo = undoable;
    $('undo').hidden = !undo;
  };

  // The list as the browser keeps it now, the people chosen found in it again.
  function load() {
    if (!kept) return;
    try {
      const list = JSON.parse(store.get(key) || '[]');
      people = list.filter((p) => [p.day, p.month, p.year].every(Number.isInteger))
        .map((p) => ({ name: clean(p.name), day: p.day, month: p.month, year: p.year }));
    } catch (error) {
      store.remove(key);
      people = [];
    }
    chosen = people.find((p) => alike(p, chosen)) || null;
    second = people.find((p) => alike(p, second)) || null;
  }

  // The people in both lists, the choices kept where their people are.
  function fill() {
    const option = (p, i) => new Option(`${p.name} (${czechDate(p)})`, String(i));
    const before = people[Number($('person').value)];
    $('person').replaceChildren(...people.map(option));
    $('person').value = String(Math.max(people.findIndex((p) => alike(p, before || chosen)), 0));
    $('second').replaceChildren(new Option(say('web.second.none'), ''), ...people.map(option));
    $('second').value = second ? String(people.indexOf(second)) : '';
  }

  const selected = () => people[Number($('person').value)];
  const taken = (name, except) => people.some((p) => p !== except && p.name.toLowerCase() === name.toLowerCase());

  // A name that can be kept, else why not.
  function refusedName(name, except) {
    if (!name) return say('web.name.missing');
    return taken(name, except) ? say('web.name.taken', name) : '';
  }

  // A change made to the list as the browser keeps it at this moment; where the browser
  // keeps nothing (storage off or full) the list lasts till the page closes.
  function change(edit) {
    const person = selected();
    load();
    const text = edit(people.find((p) => alike(p, person)));
    if (text === undefined) return;
    kept = kept && store.set(key, JSON.stringify(people));
    fill();
    note(kept ? text : say('web.people.denied'));
    page.redraw();
  }

  function addPerson() {
    change(() => {
      const name = clean($('person-name').value);
      const invalid = fields.slice(0, 3).some((f) => !f.value) || !page.birthAccepted();
      const why = refusedName(name) || (invalid ? say('web.people.invalid') : '');
      if (why) return note(why);
      people.push(chosen = { name, ...birthOf() });
      return say('web.people.added', name);
    });
  }

  function rename() {
    change((person) => {
      const name = clean($('person-name').value);
      const why = person ? refusedName(name, person) : say('web.people.empty');
      if (why) return note(why);
      person.name = name;
      return say('web.people.renamed', name);
    });
  }

  function remove() {
    let removed = null;
    change((person) => {
      if (!person) return note(say('web.people.empty'));
      people.splice(people.indexOf(person), 1);
      if (person === second) second = null;
      removed = person;
      return say('web.people.removed', person.name);
    });
    if (removed) offerUndo(() => change(() => (taken(removed.name) ? undefined : (people.push(removed), ''))));
  }

  // A removal can be taken back until the next change.
  function offerUndo(restore) {
    const text = $('people-note').textContent;
    note(text, () => {
      restore();
      note(say('web.people.undone'));
    });
  }

  // Chosen: the birth fields filled and confirmed for the target day.
  function choose() {
    const person = selected();
    if (!person) return note(say('web.people.empty'));
    chosen = person;
    [person.day, person.month, person.year].forEach((v, i) => page.setField(fields[i], String(v), false));
    page.confirm();
  }

  // The person of the list whose birth the fields hold, the one last chosen first.
  function firstPerson() {
    const birth = birthOf();
    return chosen && same(chosen, birth) ? chosen : people.find((p) => same(p, birth));
  }
  const itself = () => second && firstPerson() === second;
  const names = () => [(firstPerson() || { name: '' }).name, second.name];
  const pairKey = () => JSON.stringify([birthOf(), second, names()]);

  // The pair for the engine: the first person's name where the fields hold a birth of the list.
  page.pair = () => (second && !itself() ? { birth: second, names: names() } : null);
  page.pairText = (answer, short) => (!answer.charts.second ? ''
    : say('web.pair.dashed', second.name, (short ? answer.second.day : answer.second.month).description));

  function legend(both) {
    const list = $('pair-legend');
    list.replaceChildren();
    both.forEach((name, i) => {
      const item = add(list, 'li', '');
      add(item, 'span', '', i ? 'line dashed' : 'line');
      item.append(name);
      add(item, 'span', i ? say('web.pair.dashed.line') : say('web.pair.solid.line'), 'text');
    });
  }

  // The pair as the answer has it: only while the first person's chart is confirmed, the
  // second's own refusal said with their name.
  function showPair(answer) {
    const other = answer.second;
    const result = answer.agreement;
    $('pair').hidden = !second;
    $('pair-legend').hidden = !answer.charts.second;
    $('pair-wait').hidden = Boolean(other);
    $('pair-wait').textContent = itself() ? say('web.pair.itself', second.name) : waiting;
    $('agreement').replaceChildren();
    const refused = other && !other.target && `${second.name}: ${other.messages.map((m) => m.text).join(' ')}`;
    refusal($('pair-messages'), refused || result && result.refusal);
    if (listedFor !== null && listedFor !== pairKey()) unlist();
    if (!other || refused || result.refusal) return;
    legend(names().map((name, i) => name || czechDate(i ? second : birthOf())));
    const box = $('agreement');
    add(box, 'p', result.heading);
    const list = add(box, 'ul', '', 'agreement');
    const a = result.match.agreement;
    [a.physical, a.emotional, a.intellectual, a.overall].forEach((n, i) => add(list, 'li', `${result.captions[i]}: ${n} %`));
    add(box, 'p', result.meaning, 'note');
    // Each person's values of the day, here too, where a phone has the charts out of sight.
    [answer.state, other].forEach((state, i) => add(box, 'p', `${result.match.people[i].name}: ${state.day.description}`));
  }

  // A list of shared days shown goes with the people it was made for.
  function unlist() {
    listedFor = null;
    ['shared-refusal', 'shared-list', 'shared-notes'].forEach((id) => $(id).replaceChildren());
    $('shared-count').textContent = '';
  }

  // The shared days from..to, listed; the window's refusal instead where it refuses a day.
  function listShared(from, to, calendar = false) {
    unlist();
    if (!page.pair()) return false;
    const answer = page.ask({ shared: [from, to, calendar] });
    const result = answer.shared;
    showNotes($('shared-notes'), result.refusal ? [] : answer.shared_notes);
    listedFor = pairKey();
    refusal($('shared-refusal'), result.refusal);
    const list = $('shared-list');
    const days = result.days || [];
    for (const day of days) {
      const lines = day.shared.map((v) => `${v.verdict} (${v.people.join(', ')})`);
      add(list, 'li', `${czechDate(isoDay(day.date))}: ${lines.join('; ')}`);
    }
    $('shared-count').textContent = result.refusal ? '' : days.length ? page.sayCount('web.shared.found', days.length) : say('web.shared.none');
    page.bringIntoView($('shared-count'));
    return days.length > 0;
  }

  function nextDays() {
    const today = page.now();
    listShared(civilDate(today), civilDate(new Date(today.getFullYear(), today.getMonth(), today.getDate() + 29)));
  }

  const year = () => Number($('shared-year').value);
  const inYear = (calendar) => listShared({ day: 1, month: 1, year: year() }, { day: 31, month: 12, year: year() }, calendar);

  // No calendar for a year the window refuses, nor one without a shared day.
  function download() {
    if (!inYear(true)) return;
    const text = page.ask({ sharedCalendar: [year(), page.now()] }).shared_calendar;
    if (text) page.save(new Blob([text], { type: 'text/calendar' }), `cyklometrika-spolecne-${year()}.ics`);
  }

  // Forgotten, with the birth date the page keeps (app.js): both can be put back until the
  // next change.
  function forget() {
    const [list, birth] = [store.get(key), store.get(storageKey)];
    store.remove(key);
    people = [];
    chosen = second = null;
    fill();
    note('');
    page.redraw();
    if (!list && !birth) return;
    offerUndo(() => {
      if (birth) store.set(storageKey, birth);
      if (list) store.set(key, list);
      $('remembered').textContent = '';
      load();
      fill();
      page.redraw();
    });
  }

  // Another tab changed the list (or forgot everything): shown here as it now is.
  addEventListener('storage', (event) => {
    if (event.key !== key && event.key !== null) return;
    load();
    fill();
    page.redraw();
  });

  load();
  fill();
  $('second').addEventListener('change', () => {
    second = people[Number($('second').value)] || null;
    page.redraw();
    page.bringIntoView($('pair').hidden ? $('second') : $('pair'));
  });
  page.shown.push(showPair);
  $('shared-year').value = String(page.now().getFullYear());
  page.guard($('shared-year'), () => {});
  $('shared-year').addEventListener('keydown', (event) => {
    if (event.key === 'Enter') inYear();
  });
  $('choose').addEventListener('click', choose);
  $('add').addEventListener('click', addPerson);
  $('rename').addEventListener('click', rename);
  $('remove').addEventListener('click', remove);
  $('shared30').addEventListener('click', nextDays);
  $('shared-in-year').addEventListener('click', () => inYear());
  $('shared-ics').addEventListener('click', download);
  $('forget').addEventListener('click', forget);
  $('undo').addEventListener('click', () => undo && undo());
}
