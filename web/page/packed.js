// SPDX-License-Identifier: GPL-3.0-or-later
// The module, carried in a script of its own (gzip, then base64) so that it loads from disk
// as well as from a server. The page runs it as soon as it arrives, before the page is laid
// out and its own script runs: decoded, inflated and compiled off the page's thread, the
// compilation left for engine.js as globalThis.cyklModule.
import packed from './cyklometrika.wasm.gz';
import { supported } from './engine.js';

// The bytes written straight into the inflater (a Blob's stream would send them to the
// browser and back), and compiled as they come out of it.
function compile() {
  let gz;
  if (Uint8Array.fromBase64) {
    gz = Uint8Array.fromBase64(packed);
  } else {
    const text = atob(packed);
    gz = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) gz[i] = text.charCodeAt(i);
  }
  const inflate = new DecompressionStream('gzip');
  const writer = inflate.writable.getWriter();
  writer.write(gz);
  writer.close();
  return WebAssembly.compileStreaming(new Response(inflate.readable, { headers: { 'Content-Type': 'application/wasm' } }));
}

if (supported()) globalThis.cyklModule = compile();
