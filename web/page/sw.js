// SPDX-License-Identifier: GPL-3.0-or-later
// Offline after the first visit: every file of the page is cached under a name made from
// the files' content, older caches are dropped, and requests are answered from the cache.
'use strict';
const cacheName = 'cyklometrika-@HASH@';
const files = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
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
