// SPDX-License-Identifier: GPL-3.0-or-later
// The engine: the calculation and display compiled to WebAssembly, carried in this classic
// script (gzip, then base64) so that it loads from disk as well as from a server.
// cyklEngine() resolves to the window's session: setField, confirm and reset each return
// the display's state, parsed from the module's JSON; chartSvg lays a chart out as SVG;
// criticalDays and calendar give the critical days of a span and a year's calendar file,
// and birthRefusal the window's refusal of the birth date alone (0 when it accepts it),
// all for the birth date of the first three fields. second sets a second person (chart 3
// their month's curves), agreement, sharedDays and sharedCalendar are the two people's.
'use strict';
globalThis.cyklEngine = (function () {
  const packed = '@MODULE@';
  // Decoded and compiled as soon as this script runs, while the page gets ready.
  function compile() {
    const gz = Uint8Array.fromBase64 ? Uint8Array.fromBase64(packed)
      : Uint8Array.from(atob(packed), (c) => c.charCodeAt(0));
    const stream = new Blob([gz]).stream().pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.compileStreaming(new Response(stream, { headers: { 'Content-Type': 'application/wasm' } }));
  }
  const compiled = typeof WebAssembly === 'object' && typeof DecompressionStream === 'function'
    ? compile() : Promise.reject(new Error('WebAssembly'));
  compiled.catch(() => {}); // reported when the page asks for the engine
  return async function () {
    const module = await compiled;
    // The module does no input or output: whatever the C library asks of the system fails.
    const imports = {};
    for (const entry of WebAssembly.Module.imports(module)) {
      (imports[entry.module] = imports[entry.module] || {})[entry.name] = () => 52;
    }
    const exports = (await WebAssembly.instantiate(module, imports)).exports;
    exports._initialize();
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const text = (pointer) => decoder.decode(new Uint8Array(exports.memory.buffer, pointer, exports.cykl_length()));
    const state = (pointer) => JSON.parse(text(pointer));
    const numbers = (...dates) => dates.flatMap((d) => [d.day, d.month, d.year]);
    const stamped = (s) => [s.getUTCFullYear(), s.getUTCMonth() + 1, s.getUTCDate(), s.getUTCHours(),
      s.getUTCMinutes(), s.getUTCSeconds()];
    const input = (text) => encoder.encodeInto(text,
      new Uint8Array(exports.memory.buffer, exports.cykl_input(), exports.cykl_input_size())).written;
    return {
      setField: (field, text) => state(exports.cykl_set_field(field, input(text))),
      confirm: () => state(exports.cykl_confirm()),
      reset: () => state(exports.cykl_reset()),
      // Chart 1 (the month) or 2 (the day) as SVG elements, laid out at width x height.
      chartSvg: (chart, width, height, fontPixels) => text(exports.cykl_chart_svg(chart, width, height, fontPixels)),
      // Dates as {day, month, year}; the stamp a Date, written in UTC.
      criticalDays: (from, to) => state(exports.cykl_critical_days(...numbers(from, to))),
      // The companion's notes on the span, and with calendar on the days its file leaves out.
      criticalNotes: (from, to, calendar) => state(exports.cykl_critical_notes(...numbers(from, to), calendar ? 1 : 0)),
      birthRefusal: () => exports.cykl_birth_refusal(),
      calendar: (year, stamp) => text(exports.cykl_calendar(year, ...stamped(stamp))),
      // The names without line breaks; an empty one is named by the birth date.
      second: (birth, names) => state(exports.cykl_second(...numbers(birth), input(names.join('\n')))),
      agreement: () => state(exports.cykl_agreement()),
      sharedDays: (from, to) => state(exports.cykl_shared_days(...numbers(from, to))),
      sharedCalendar: (year, stamp) => text(exports.cykl_shared_calendar(year, ...stamped(stamp))),
    };
  };
})();
