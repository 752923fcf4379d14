// SPDX-License-Identifier: GPL-3.0-or-later
// The page's start: the engine compiled at once, then the page and its parts set up in
// order once the document is parsed. Bundled into one classic script (app.js), which a
// browser runs from disk as well as from a server.
import { setUpAddress } from './address.js';
import { $, createPage } from './app.js';
import { loadEngine, startCompiling, supported } from './engine.js';
import { setUpEntry } from './entry.js';
import { setUpLanguage } from './language.js';
import { setUpLists } from './lists.js';
import { setUpPeople } from './people.js';
import { setUpShare } from './share.js';
import { setUpToday } from './today.js';

// Without the engine only the sentence that says so is shown.
function unsupported() {
  document.querySelector('main').inert = false;
  $('unsupported').hidden = false;
  for (const id of ['Form1', 'critical', 'people']) $(id).hidden = true;
}

// The edition's folder, where this script is: each language's page has a folder of its own.
const root = document.currentScript ? new URL('.', document.currentScript.src).href : './';

// Served, the page installs and works offline; opened from disk it needs neither (and
// the browser would refuse the manifest and the worker there).
function installable() {
  if (!/^https?:$/.test(location.protocol)) return;
  const manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest'; // each language's own, beside its page
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) navigator.serviceWorker.register(`${root}sw.js`).catch(() => {});
}

// The clock, one seam: a test may set globalThis.cyklClock ({now, after}) before the page runs.
const clock = globalThis.cyklClock || { now: () => Date.now(), after: (ms, task) => setTimeout(task, ms) };

if (supported()) {
  startCompiling().then(() => performance.mark('engine-compiled'), () => {});
  const parsed = new Promise((resolve) => (document.readyState === 'loading'
    ? document.addEventListener('DOMContentLoaded', resolve) : resolve()));
  // Set up while the engine compiles, and out of reach until it is ready.
  const page = parsed.then(() => {
    document.querySelector('main').inert = true;
    const page = createPage(clock);
    for (const setUp of [setUpToday, setUpEntry, setUpShare, setUpLists, setUpPeople, setUpAddress, setUpLanguage]) setUp(page);
    return page;
  });
  Promise.all([loadEngine(), page]).then(([engine, page]) => {
    performance.mark('engine-ready');
    page.engine = engine;
    document.querySelector('main').inert = false;
    page.start();
    performance.mark('page-started');
    // The frame after next has both charts on screen (the benchmark reads these marks);
    // only then is the offline copy made, so that it never holds the charts back.
    requestAnimationFrame(() => requestAnimationFrame(() => {
      performance.mark('charts-painted');
      installable();
    }));
  }, unsupported);
} else {
  document.readyState === 'loading' ? document.addEventListener('DOMContentLoaded', unsupported) : unsupported();
}

