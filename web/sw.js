// The site's keeper for playing with no network: every file of one build in one cache named
// by that build. Online the files come from the server as usual (so a new build shows at
// the next load); with no network they come from the cache of the last build seen. A new
// build's worker fills its own cache before it takes over, then drops the older ones.
const VERSION = '@VERSION@';
const FILES = [@FILES@];
const CACHE = `kurashi-${VERSION}`;

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('kurashi-') && n !== CACHE)
      .map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (e) => {
  const url = new URL(e.request.url);
  if (e.request.method !== 'GET' || url.origin !== location.origin) return;
  e.respondWith(fetch(e.request, { cache: 'no-cache' }).catch(async () => {
    const cache = await caches.open(CACHE);
    // the page's address with ?seed=N or without a name is its index.html
    const kept = await cache.match(e.request, { ignoreSearch: true })
      || (e.request.mode === 'navigate' && await cache.match('./'));
    return kept || Response.error();
  }));
});
