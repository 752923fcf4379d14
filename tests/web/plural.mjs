// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's plural rules in the module the page carries, under Node: every number of
// the engine's table (tests/engine/plural_rows.txt) in both languages.
// Usage: node plural.mjs <web-engine.mjs> <plural_rows.txt>
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [enginePath, tablePath] = process.argv.slice(2);
const { loadEngine } = await import(pathToFileURL(enginePath));
const engine = await loadEngine();
const forms = { cs: ['one', 'few', 'other'], en: ['one', 'other'] };
const rows = readFileSync(tablePath, 'utf8').split('\n').filter((l) => l.trim() && !l.startsWith('#'));
let failures = 0;
for (const [count, ...expected] of rows.map((line) => line.trim().split(/\s+/))) {
  ['cs', 'en'].forEach((lang, i) => {
    const form = forms[lang][engine.call({ lang, plural: Number(count) }).plural];
    if (form !== expected[i] && ++failures) console.error(`${count} in ${lang}: ${form}, expected ${expected[i]}`);
  });
}
console.log(`plural: ${rows.length} numbers in Czech and English, ${failures} wrong`);
process.exit(failures || !rows.length ? 1 : 0);
