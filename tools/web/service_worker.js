// The page's service worker: it keeps every file of the page in a cache named after the files'
// digest, so that a page opened once opens and plays without the network. The build fills in
// VERSION and FILES (stamp_worker.cmake); a new build is a new worker with a new cache, and the
// old cache goes when the new worker takes over. It waits to do so until no page of the old
// build is open: such a page still fetches its late files, which must be of its own build.
'use strict';

const VERSION = '@VERSION@';
const FILES = [@FILES@];
const PREFIX = 'brindlecog-';
const CACHE = PREFIX + VERSION;

self.addEventListener('install', (event) => {
  const fresh = FILES.map((file) => new Request(file, {cache: 'reload'}));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh)));
});

self.addEventListener('activate', (event) => {
  const old = (name) => name.startsWith(PREFIX) && name != CACHE;
  const removeOld = (names) => Promise.all(names.filter(old).map((name) => caches.delete(name)));
  event.waitUntil(caches.keys().then(removeOld).then(() => self.clients.claim()));
});

// The cached copy first: the files of one build belong together, and the network is only asked
// for what this build does not have.
self.addEventListener('fetch', (event) => {
  if (event.request.method != 'GET') return;
  event.respondWith(caches.open(CACHE)
                        .then((cache) => cache.match(event.request, {ignoreSearch: true}))
                        .then((cached) => cached || fetch(event.request)));
});
