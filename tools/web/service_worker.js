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
  event.waitUntil(caches.open(CACHE)
                      .then((cache) => cache.addAll(FILES.map((file) => new Request(file, {cache: 'reload'})))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
                      .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) && name != CACHE)
                                                       .map((name) => caches.delete(name))))
                      .then(() => self.clients.claim()));
});

// The cached copy first: the files of one build belong together, and the network is only asked
// for what this build does not have.
self.addEventListener('fetch', (event) => {
  if (event.request.method != 'GET') return;
  event.respondWith(caches.open(CACHE)
                        .then((cache) => cache.match(event.request, {ignoreSearch: true}))
                        .then((cached) => cached || fetch(event.request)));
});
