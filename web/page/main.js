// SPDX-License-Identifier: GPL-3.0-or-later
// The page's start: the engine compiled at once, then the page and its parts set up in
// order once the document is parsed. Bundled into one classic script (app.js), which a
// browser runs from disk as well as from a server.
import { setUpAddress } from './address.js';
import { $, createPage } from './app.js';
import { loadEngine, startCompiling, supported } from './engine.js';
import { setUpEntry } from './entry.js';
import { setUpLists } from './lists.js';
import { setUpPeople } from './people.js';
import { setUpShare } from './share.js';
import { setUpToday } from './today.js';

// Without the engine only the sentence that says so is shown.
function unsupported() {
  $('unsupported').hidden = false;
  for (const id of ['Form1', 'critical', 'people']) $(id).hidden = true;
}

// Served, the page installs and works offline; opened from disk it needs neither (and
// the browser would refuse the manifest and the worker there).
function installable() {
  if (!/^https?:$/.test(location.protocol)) return;
  const manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}

// The clock, one seam: a test may set globalThis.cyklClock ({now, after}) before the page runs.
const clock = globalThis.cyklClock || { now: () => Date.now(), after: (ms, task) => setTimeout(task, ms) };

if (supported()) {
  startCompiling().then(() => performance.mark('engine-compiled'), () => {});
  const parsed = document.readyState === 'loading'
    ? new Promise((resolve) => document.addEventListener('DOMContentLoaded', resolve)) : null;
  Promise.all([loadEngine(), parsed]).then(([engine]) => {
    performance.mark('engine-ready');
    const page = createPage(engine, clock);
    performance.mark('created');
    for (const setUp of [setUpToday, setUpEntry, setUpShare, setUpLists, setUpPeople, setUpAddress]) setUp(page);
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

