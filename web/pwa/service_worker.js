// Keeps the whole site for use without a network. The site build writes the
// list of its files and a version made from their contents into this file, so
// that any change of the site is a new worker: the browser installs it on the
// next visit, it caches the new files and drops the old copy.
'use strict';

const VERSION = '@OSTREVO_SITE_VERSION@';
const FILES = '@OSTREVO_SITE_FILES@'.split(' ');
const CACHE = `ostrevo-${VERSION}`;

// Every file is fetched past the HTTP cache, so the copy is this build's.
async function cacheSite() {
  const cache = await caches.open(CACHE);
  await cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })));
  await self.skipWaiting();
}

async function dropOldCopies() {
  const names = await caches.keys();
  await Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name)));
  await self.clients.claim();
}

async function answer(request) {
  const cached = await caches.match(request, { cacheName: CACHE, ignoreSearch: true });
  return cached ?? fetch(request);
}

self.addEventListener('install', (event) => event.waitUntil(cacheSite()));
self.addEventListener('activate', (event) => event.waitUntil(dropOldCopies()));
self.addEventListener('fetch', (event) => {
  if (event.request.method === 'GET') event.respondWith(answer(event.request));
});
