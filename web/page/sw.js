// SPDX-License-Identifier: GPL-3.0-or-later
// Offline after the first visit: every file of the page is cached under a name made from
// the files' content, older caches are dropped, and requests are answered from the cache.
'use strict';
const cacheName = 'cyklometrika-@HASH@';
const files = @FILES@;

// The files come from the server, never from the browser's HTTP cache, which may still
// hold the build before.
self.addEventListener('install', (event) => {
  const fresh = files.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((n) => n.startsWith('cyklometrika-') && n !== cacheName).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches.open(cacheName)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((hit) => hit || fetch(event.request)));
});
