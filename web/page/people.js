// SPDX-License-Identifier: GPL-3.0-or-later
// Two people: a short list of names with birth dates, kept in this browser only once the
// person adds to it (one key, never in an address; "Zapomenout" empties it); a second
// person's curves dashed over the month chart with a legend of both, the agreement of the
// two, and the days they share a verdict, listed and as a year's calendar. Every number
// and verdict comes from the engine; a name is only ever set as text.
'use strict';
globalThis.cyklPage.parts.push(function (page) {
  const { $, fields, engine } = page;
  const key = 'cyklometrika.people';
  const captions = ['Fyzická kondice', 'Citová vnímavost', 'Síla intelektu', 'Celkem'];
  let people = [];
  let chosen = null; // the person last chosen into the birth fields
  let second = null;
  let other = null; // the second person's state for the target day shown
  const waiting = $('pair-wait').textContent;

  // A name as kept: no line breaks or other control characters, no spaces at its ends.
  const clean = (name) => String(name).replace(/[\u0000-\u001f\u007f]/g, ' ').trim().slice(0, 40);
  const birthOf = () => {
    const [day, month, year] = fields.slice(0, 3).map((f) => Number(f.value));
    return { day, month, year };
  };
  const same = (a, b) => a.day === b.day && a.month === b.month && a.year === b.year;
  const add = (parent, tag, text, className = '') =>
    parent.appendChild(Object.assign(document.createElement(tag), { textContent: text, className }));
  const note = (text) => { $('people-note').textContent = text; };
  const save = () => page.store.set(key, JSON.stringify(people));

  function load() {
    try {
      const list = JSON.parse(page.store.get(key) || '[]');
      people = list.filter((p) => [p.day, p.month, p.year].every(Number.isInteger))
        .map((p) => ({ name: clean(p.name), day: p.day, month: p.month, year: p.year }));
    } catch (error) {
      page.store.remove(key);
    }
  }

  // The people in both lists, the choices kept where their people are.
  function fill() {
    const option = (p, i) => new Option(`${p.name} (${page.czechDate(p)})`, String(i));
    $('person').replaceChildren(...people.map(option));
    $('person').value = String(Math.max(people.indexOf(chosen), 0));
    $('second').replaceChildren(new Option('nikdo', ''), ...people.map(option));
    if (!people.includes(second)) second = null;
    $('second').value = second ? String(people.indexOf(second)) : '';
  }

  const selected = () => people[Number($('person').value)];
  const taken = (name, except) => people.some((p) => p !== except && p.name.toLowerCase() === name.toLowerCase());

  // A name that can be kept, else why not.
  function refusedName(name, except) {
    if (!name) return 'Napište jméno.';
    return taken(name, except) ? `Jméno „${name}“ už v seznamu je.` : '';
  }

  function addPerson() {
    const name = clean($('person-name').value);
    const invalid = fields.slice(0, 3).some((f) => !f.value) || engine.birthRefusal() !== 0;
    const why = refusedName(name) || (invalid ? 'Datum narození výše není platné, proto uloženo nebylo.' : '');
    if (why) return note(why);
    people.push(chosen = { name, ...birthOf() });
    changed(`${name} je uložen(a) jen v tomto prohlížeči.`);
  }

  function rename() {
    const person = selected();
    const name = clean($('person-name').value);
    const why = person ? refusedName(name, person) : 'Seznam je prázdný.';
    if (why) return note(why);
    person.name = name;
    changed(`Jméno změněno na „${name}“.`);
  }

  function remove() {
    const person = selected();
    if (!person) return note('Seznam je prázdný.');
    people.splice(people.indexOf(person), 1);
    changed(`${person.name} je ze seznamu odebrán(a).`);
  }

  // A list of shared days shown goes with the people it was made for.
  function unlist() {
    ['shared-refusal', 'shared-list'].forEach((id) => $(id).replaceChildren());
    $('shared-count').textContent = '';
  }

  // Where the browser keeps nothing (storage off or full) the list lasts till the page closes.
  function changed(text) {
    const kept = save();
    fill();
    note(kept ? text : 'Tento prohlížeč seznam uložit nedovolí; platí jen do zavření stránky.');
    unlist();
    page.redraw();
  }

  // Chosen: the birth fields filled and confirmed for the target day.
  function choose() {
    const person = selected();
    if (!person) return note('Seznam je prázdný.');
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

  // The names for the engine: the first person's where the fields hold a birth of the list.
  function names() {
    const first = firstPerson();
    return [first ? first.name : '', second.name];
  }

  // The second person's curves over the confirmed month, with their description.
  page.overlay = (state, width, height) => {
    other = second && !itself() && state.month.visible ? engine.second(second, names()) : null;
    if (!other || !other.month.visible) return ['', ''];
    return [engine.chartSvg(3, width, height, 11), ` Čárkovaně ${second.name}: ${other.month.description}`];
  };

  function legend(both) {
    const list = $('pair-legend');
    list.replaceChildren();
    both.forEach((name, i) => {
      const item = add(list, 'li', '');
      add(item, 'span', '', i ? 'line dashed' : 'line');
      item.append(name);
      add(item, 'span', i ? ' (čárkovaně)' : ' (plnou čarou)', 'text');
    });
  }

  function showPair() {
    $('pair').hidden = !second;
    $('pair-legend').hidden = !other || !other.month.visible;
    $('pair-wait').hidden = Boolean(other);
    $('pair-wait').textContent = itself() ? `${second.name} už v grafu je; za druhého člověka vyberte někoho jiného.` : waiting;
    $('agreement').replaceChildren();
    const result = other && engine.agreement();
    const refused = other && !other.month.visible && `${second.name}: ${other.messages.map((m) => m.text).join(' ')}`;
    page.refusal($('pair-messages'), result && result.refusal || refused);
    if (!other || result.refusal) return;
    const both = names().map((name, i) => name || page.czechDate(i ? second : birthOf()));
    legend(both);
    const box = $('agreement');
    add(box, 'p', result.heading);
    const list = add(box, 'ul', '', 'agreement');
    const a = result.agreement;
    [a.physical, a.emotional, a.intellectual, a.overall].forEach((n, i) => add(list, 'li', `${captions[i]}: ${n} %`));
    add(box, 'p', result.meaning, 'note');
  }

  // The shared days from..to, listed; the window's refusal instead where it refuses a day.
  function listShared(from, to) {
    unlist();
    if (itself()) return false;
    engine.second(second, names());
    const result = engine.sharedDays(from, to);
    page.refusal($('shared-refusal'), result.refusal);
    const list = $('shared-list');
    list.replaceChildren();
    const days = result.days || [];
    for (const day of days) {
      const lines = day.shared.map((v) => `${v.verdict} (${v.people.join(', ')})`);
      add(list, 'li', `${page.czechDate(page.isoDay(day.date))}: ${lines.join('; ')}`);
    }
    $('shared-count').textContent = result.refusal ? '' : days.length ? `Společných dní: ${days.length}` : 'Žádný společný den.';
    page.bringIntoView($('shared-count'));
    return days.length > 0;
  }

  function nextDays() {
    const today = page.now();
    listShared(page.civilDate(today), page.civilDate(new Date(today.getFullYear(), today.getMonth(), today.getDate() + 29)));
  }

  const year = () => Number($('shared-year').value);
  const inYear = () => listShared({ day: 1, month: 1, year: year() }, { day: 31, month: 12, year: year() });

  // No calendar for a year the window refuses, nor one without a shared day.
  function download() {
    if (!inYear()) return;
    const text = engine.sharedCalendar(year(), page.now());
    if (text) page.save(new Blob([text], { type: 'text/calendar' }), `cyklometrika-spolecne-${year()}.ics`);
  }

  function forget() {
    page.store.remove(key);
    people = [];
    chosen = null;
    fill();
    note('');
    page.redraw();
  }

  load();
  fill();
  $('second').addEventListener('change', () => {
    second = people[Number($('second').value)] || null;
    unlist();
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
  $('shared-in-year').addEventListener('click', inYear);
  $('shared-ics').addEventListener('click', download);
  $('forget').addEventListener('click', forget);
});
