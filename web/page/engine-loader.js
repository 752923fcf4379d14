// SPDX-License-Identifier: GPL-3.0-or-later
// The engine: the calculation and display compiled to WebAssembly, carried in this classic
// script (gzip, then base64) so that it loads from disk as well as from a server.
// cyklEngine() resolves to the window's session: setField, confirm and reset each return
// the display's state, parsed from the module's JSON.
'use strict';
globalThis.cyklEngine = (function () {
  const packed = '@MODULE@';
  async function moduleBytes() {
    const gz = Uint8Array.from(atob(packed), (c) => c.charCodeAt(0));
    const stream = new Blob([gz]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).arrayBuffer();
  }
  return async function () {
    const module = await WebAssembly.compile(await moduleBytes());
    // The module does no input or output: whatever the C library asks of the system fails.
    const imports = {};
    for (const entry of WebAssembly.Module.imports(module)) {
      (imports[entry.module] = imports[entry.module] || {})[entry.name] = () => 52;
    }
    const exports = (await WebAssembly.instantiate(module, imports)).exports;
    exports._initialize();
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const state = (pointer) =>
      JSON.parse(decoder.decode(new Uint8Array(exports.memory.buffer, pointer, exports.cykl_length())));
    return {
      setField(field, text) {
        const area = new Uint8Array(exports.memory.buffer, exports.cykl_input(), exports.cykl_input_size());
        return state(exports.cykl_set_field(field, encoder.encodeInto(text, area).written));
      },
      confirm: () => state(exports.cykl_confirm()),
      reset: () => state(exports.cykl_reset()),
    };
  };
})();
