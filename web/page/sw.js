// SPDX-License-Identifier: GPL-3.0-or-later
// Offline after the first visit: every file of the page is cached under a name made from
// the files' content, older caches are dropped, and requests are answered from the cache.
// A file the page has just loaded is taken from the browser's HTTP cache when it is the
// build's own (its digest says so), so a first visit fetches every file once; otherwise,
// or where that cache holds the build before, it comes from the server.
'use strict';
const cacheName = 'cyklometrika-@HASH@';
const files = @FILES@; // name: SHA-256 of the content, in hex

const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');
const matches = async (response, digest) =>
  hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer())) === digest;

// The response the HTTP cache holds for the address, however the page asked for it (the
// manifest is fetched without credentials); none where it holds nothing.
async function stored(url) {
  for (const credentials of ['same-origin', 'omit']) {
    const response = await fetch(url, { cache: 'only-if-cached', mode: 'same-origin', credentials }).catch(() => null);
    if (response && response.ok) return response;
  }
  return null;
}

// A page may have been loaded as its folder's address or as index.html.
async function file(name) {
  for (const url of name.endsWith('index.html') ? [name.slice(0, -'index.html'.length) || './', name] : [name]) {
    const response = await stored(url);
    if (response && await matches(response, files[name])) return response;
  }
  return fetch(name, { cache: 'reload' });
}

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    .then((cache) => Promise.all(Object.keys(files).map(async (name) => cache.put(name, await file(name)))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((n) => n.startsWith('cyklometrika-') && n !== cacheName).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()));
});

// A folder's address (the edition's, en/) is answered with its index.html.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const url = new URL(event.request.url);
  const folder = url.pathname.endsWith('/');
  event.respondWith(
    caches.open(cacheName)
      .then((cache) => cache.match(folder ? new URL('index.html', url).href : event.request, { ignoreSearch: true }))
      .then((hit) => hit || fetch(event.request)));
});
