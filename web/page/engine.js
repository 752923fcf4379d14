// SPDX-License-Identifier: GPL-3.0-or-later
// The engine: the calculation and display compiled to WebAssembly (packed.js). loadEngine()
// resolves to an engine whose call(request) answers one request with one document of
// everything to show (web/request.h): the request an object of
//   lang: 'cs' or 'en', plural: a whole number (its plural form in that language), fields: the six field texts, action: 'confirm' or 'reset', birth: true (the window's
//   refusal of the birth date alone), month: [width, height],
//   second: {birth: {day, month, year}, names: [first, second]},
//   critical: [from, to, calendar], calendar: [year, stamp], shared: [from, to, calendar],
//   sharedCalendar: [year, stamp]
// with dates as {day, month, year} and stamps as Dates (written in UTC).
// The module itself comes in a script of its own (packed.js, module.js on the page) that
// the page runs as soon as it and the style sheet arrive, before this one, and that starts
// compiling it at once.
export const supported = () => typeof WebAssembly === 'object' && typeof DecompressionStream === 'function';

export function startCompiling() {
  const compiled = globalThis.cyklModule || Promise.reject(new Error('WebAssembly'));
  compiled.catch(() => {}); // reported when the page asks for the engine
  return compiled;
}

const clean = (text) => String(text).replace(/[\t\n\r]/g, ' ');
const numbers = (...dates) => dates.flatMap((d) => [d.day, d.month, d.year]);
const stamped = (s) => [s.getUTCFullYear(), s.getUTCMonth() + 1, s.getUTCDate(), s.getUTCHours(),
  s.getUTCMinutes(), s.getUTCSeconds()];

// The request's lines, as web/request.h reads them.
function lines(request) {
  const line = (...values) => values.map(clean).join('\t');
  const { lang, plural, fields, action, birth, month, second, critical, calendar, shared, sharedCalendar } = request;
  return [
    lang && line('lang', lang),
    plural !== undefined && line('plural', plural),
    fields && line('fields', ...fields),
    action && line(action),
    birth && 'birth',
    month && line('month', ...month.map(Math.round)),
    second && line('second', ...numbers(second.birth), ...second.names),
    critical && line('critical', ...numbers(critical[0], critical[1]), critical[2] ? 1 : 0),
    calendar && line('calendar', calendar[0], ...stamped(calendar[1])),
    shared && line('shared', ...numbers(shared[0], shared[1]), shared[2] ? 1 : 0),
    sharedCalendar && line('shared-calendar', sharedCalendar[0], ...stamped(sharedCalendar[1])),
  ].filter(Boolean).join('\n');
}

export async function loadEngine() {
  const module = await startCompiling();
  // The module does no input or output: whatever the C library asks of the system fails.
  const imports = {};
  for (const entry of WebAssembly.Module.imports(module)) {
    (imports[entry.module] = imports[entry.module] || {})[entry.name] = () => 52;
  }
  // Made at once, in the task that has the module: nothing else runs between.
  const exports = new WebAssembly.Instance(module, imports).exports;
  exports._initialize();
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  return {
    // The answer's text as the module hands it over, and parsed.
    text(request) {
      const area = new Uint8Array(exports.memory.buffer, exports.cykl_input(), exports.cykl_input_size());
      const pointer = exports.cykl_call(encoder.encodeInto(lines(request), area).written);
      const bytes = new Uint8Array(exports.memory.buffer, pointer);
      return decoder.decode(bytes.subarray(0, bytes.indexOf(0)));
    },
    call(request) { return JSON.parse(this.text(request)); },
  };
}
