// SPDX-License-Identifier: GPL-3.0-or-later
// The same confirmations through the native engine (web_reference) and through the module
// the page carries (build/web-engine.mjs, run by Node): the same answer to the page's
// request, byte for byte, values, texts and both charts' SVG; the same critical-day lists
// from the companion (cyklometrika critical -f json) and from the module: the same JSON
// and notes, or the window's refusal as the companion's last line; and the module's cycle values against the golden file every build
// must match (tests/engine/cycle_golden.txt, its header says how); and for pairs of birth
// dates the module's agreement and shared days against the companion's match and together
// in JSON (two of them named in a people file).
// Usage: node differential.mjs <web_reference> <web-engine.mjs> <cyklometrika> [cases]
import { spawnSync } from 'node:child_process';
import { mkdtempSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { pathToFileURL } from 'node:url';

const [reference, enginePath, companion, countText] = process.argv.slice(2);
const count = Number(countText || 4000);

// A small seeded generator, so a failure repeats.
let seed = 20261207;
const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
const pick = (list) => list[Math.floor(random() * list.length)];
const between = (low, high) => low + Math.floor(random() * (high - low + 1));

// Texts that only pasting could bring, and the edges of the checks.
const odd = ['', '0', '00', ' 7', '+7', '-7', '1.5', '0.4', '3e1', '1e3', '1e400', '1e-400',
  '99999999999999999999', '9007199254740993', '12abc', 'abc', '.5', '5.', '1e', '29', '30', '31',
  '32', '45', '13', '0x10', '１２', 'Ž'];

function dateCase() {
  const birthYear = between(1840, 2110);
  const targetYear = birthYear + between(-2, 155);
  const sameYear = random() < 0.15;
  return [between(1, 31), between(1, 12), birthYear, between(1, 31), between(1, 12),
    sameYear ? birthYear : targetYear].map(String);
}

const cases = [];
for (let i = 0; i < count; ++i) {
  const fields = dateCase();
  if (random() < 0.2) fields[between(0, 5)] = pick(odd);
  cases.push(fields);
}
cases.push(['10', '1', '1996', '5', '3', '1996'], ['', '', '', '', '', ''],
  ['1', '1', '1850', '31', '12', '2000'], ['31', '12', '1850', '1', '1', '2001']);

// Spans of up to 70 days, a few with a birth date the window refuses; whole years, one
// that starts before the birth, and the last year the companion writes.
const spans = [[{ day: 10, month: 1, year: 1996 }, { day: 1, month: 1, year: 1996 }, { day: 31, month: 12, year: 1996 }],
  [{ day: 29, month: 2, year: 1900 }, { day: 1, month: 1, year: 1900 }, { day: 31, month: 12, year: 1900 }],
  [{ day: 31, month: 12, year: 9999 }, { day: 1, month: 1, year: 9999 }, { day: 31, month: 12, year: 9999 }]];
for (let i = 0; i < count / 20; ++i) {
  const [day, month, year] = dateCase().slice(0, 3).map(Number);
  const from = { day: between(1, 28), month: between(1, 12), year: year + between(0, 160) };
  const to = { ...from, day: Math.min(28, from.day + between(0, 40)), month: Math.min(12, from.month + between(0, 1)) };
  spans.push([{ day, month, year }, from, to]);
}

const iso = (d) => `${String(d.year).padStart(4, '0')}-${String(d.month).padStart(2, '0')}-${String(d.day).padStart(2, '0')}`;
// Pairs of births up to 140 years apart, a few the window refuses, with a span of up to
// 70 days from before the later birth to past the earlier's 150th year, or a whole year.
const pairs = [];
for (let i = 0; i < count / 12; ++i) {
  const [day, month, year] = dateCase().slice(0, 3).map(Number);
  const second = { day: between(1, 31), month: between(1, 12), year: year + between(-140, 140) };
  const from = { day: between(1, 28), month: between(1, 12), year: Math.max(year, second.year) + between(-1, 150) };
  const whole = random() < 0.1;
  const to = whole ? { day: 31, month: 12, year: from.year }
    : { ...from, day: Math.min(28, from.day + between(0, 40)), month: Math.min(12, from.month + between(0, 1)) };
  pairs.push([{ day, month, year }, second, whole ? { ...from, day: 1, month: 1 } : from, to]);
}
const config = mkdtempSync(`${tmpdir()}/cyklometrika-`);
mkdirSync(`${config}/cyklometrika`);
writeFileSync(`${config}/cyklometrika/lide`, 'Jana Nováková = 10.1.1996\nPetr = 2.2.1996\n');
const named = [[{ day: 10, month: 1, year: 1996 }, { day: 2, month: 2, year: 1996 }, { day: 1, month: 1, year: 2027 },
  { day: 31, month: 12, year: 2027 }, ['Jana Nováková', 'Petr']]];
const env = { ...process.env, XDG_CONFIG_HOME: config };
const companionPairs = [...pairs, ...named].map(([a, b, from, to, names]) => {
  const people = names || [a, b].map(iso);
  const later = iso(a) < iso(b) ? b : a;
  return [spawnSync(companion, ['match', ...people, iso(later), '-f', 'json'], { env }),
    spawnSync(companion, ['together', people.join(','), iso(from), iso(to), '-f', 'json'], { env })];
});
rmSync(config, { recursive: true });

function run(requests) {
  const native = spawnSync(reference, [], { input: requests.map((r) => `${r}\n\n`).join(''), maxBuffer: 1 << 30 });
  if (native.status !== 0) throw new Error(`web_reference failed: ${native.stderr}`);
  return native.stdout.toString().split('\n');
}
// Every other case in English: the same answer from both engines.
const langOf = (i) => (i % 2 ? 'en' : 'cs');
const requests = cases.map((fields, i) => `lang\t${langOf(i)}\nfields\t${fields.join('\t')}\nconfirm\nmonth\t600\t180`);
const expected = run(requests);
const companionSpans = spans.map((span) => spawnSync(companion, ['critical', ...span.map(iso), '-f', 'json']));

const { loadEngine } = await import(pathToFileURL(enginePath));
const engine = await loadEngine();
let failures = 0;
// The module's answer to the page's request, byte for byte the native one.
requests.forEach((request, i) => {
  const fields = request.split('\n')[1].split('\t').slice(1);
  const got = engine.text({ lang: langOf(i), fields, action: 'confirm', month: [600, 180] });
  if (got !== expected[i] && failures++ < 5) {
    console.error(`case ${JSON.stringify(fields)}:\n native ${expected[i]}\n module ${got}`);
  }
  // The numbers do not depend on the language: the charts' values and the boxes' kinds.
  const other = engine.call({ lang: langOf(i + 1), fields, action: 'confirm', month: [600, 180] }).state;
  const numbers = ({ month, day, messages }) => JSON.stringify([month.sets, day.sets, messages.map((m) => m.style)]);
  if (numbers(other) !== numbers(JSON.parse(got).state) && failures++ < 5) console.error(`case ${JSON.stringify(fields)}: the languages' numbers differ`);
});
const same = (text, value) => JSON.stringify(JSON.parse(text)) === JSON.stringify(value);
const digits = (d) => [d.day, d.month, d.year].map(String);
spans.forEach(([birth, from, to], i) => {
  const { critical, notes } = engine.call({ fields: [...digits(birth), '', '', ''], critical: [from, to, false] });
  const { status, stdout, stderr } = companionSpans[i];
  const said = notes.map((note) => `cyklometrika: ${note}\n`).join('');
  const agreed = critical.refusal ? status === 1 && stderr.toString().endsWith(`${critical.refusal}\n`)
    : status === 0 && same(stdout.toString(), critical) && stderr.toString() === said;
  if (!agreed && failures++ < 5) {
    console.error(`span ${JSON.stringify([birth, from, to])}:\n companion ${status} ${stdout}${stderr}\n module ${JSON.stringify(critical)} ${said}`);
  }
});
// The agreement, and both people's day, as match writes them for the later birth, and the
// shared days; a refusal where the companion refuses.
[...pairs, ...named].forEach(([a, b, from, to, names = ['', '']], i) => {
  const later = iso(a) < iso(b) ? b : a;
  const { agreement, shared } = engine.call({ fields: [...digits(a), ...digits(later)], action: 'confirm',
    second: { birth: b, names }, shared: [from, to] });
  const [match, together] = companionPairs[i];
  const matched = match.status === 0 && JSON.parse(match.stdout.toString());
  const refused = !agreement || Boolean(agreement.refusal);
  const agreed = refused === !matched
    && (!matched || JSON.stringify(matched) === JSON.stringify(agreement.match))
    && (shared.refusal ? together.status === 1 : together.status === 0 && same(together.stdout.toString(), shared));
  if (!agreed && failures++ < 5) {
    console.error(`pair ${JSON.stringify([a, b, from, to])}:\n companion ${match.stdout}${match.stderr}` +
      `${together.status} ${together.stdout}${together.stderr}\n module ${JSON.stringify([agreement, shared])}`);
  }
});
// Every day a confirmation can reach, as the module's month charts show it: a birth on
// 31.1.2000 confirmed for that day gives t -30 to 0, a birth on 1.1.1848 the months after.
function monthCharts() {
  const values = new Map();
  const confirm = (fields, firstT) => {
    const { month } = engine.call({ fields: fields.map(String), action: 'confirm' }).state;
    month.labels.forEach((_, i) => values.set(firstT + i, month.sets.map((set) => set[i])));
    return month.labels.length;
  };
  confirm([31, 1, 2000, 31, 1, 2000], -30);
  for (let year = 1848, t = 0; year <= 1998; ++year) {
    for (let month = 1; month <= 12; ++month) t += confirm([1, 1, 1848, 1, month, year], t);
  }
  return values;
}
const fnv1a64 = (text) => [...Buffer.from(text)].reduce(
  (h, byte) => BigInt.asUintN(64, (h ^ BigInt(byte)) * 0x100000001b3n), 0xcbf29ce484222325n)
  .toString(16).padStart(16, '0');
const values = monthCharts();
let goldenFailures = 0;
const golden = (what) => goldenFailures++ < 5 && console.error(`golden: ${what}`);
for (const record of readFileSync(new URL('../engine/cycle_golden.txt', import.meta.url), 'ascii').split('\n')) {
  const [kind, first, second, last] = record.split(' ');
  if (kind === 'table') {
    let text = '';
    for (let t = Number(first); t <= Number(second); ++t) text += `${t} ${values.get(t)?.join(' ')}\n`;
    if (fnv1a64(text) !== last) golden(`hash ${fnv1a64(text)}, file ${last}`);
  } else if (kind === 'half') {
    const [period, step] = [Number(first), Number(first) % 2 ? Number(first) : Number(first) / 2];
    [...last].forEach((mark, k) => {
      const t = Number(second) + k * step;
      const value = values.get(t)?.[[23, 28, 33].indexOf(period)];
      if (value !== (mark === '-' ? -1 : 0)) golden(`t ${t}, period ${period}: ${value}, file ${mark}`);
    });
  }
}
failures += goldenFailures;
console.log(`golden file: ${values.size} days, ${goldenFailures} differ`);
console.log(`${cases.length} confirmations, ${spans.length} critical-day lists and ` +
  `${pairs.length + named.length} pairs, ${failures} differ`);
process.exit(failures ? 1 : 0);
