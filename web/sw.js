// The page's service worker: a copy of the whole site, kept under a cache
// named for this version and the page's folder, so the game starts and
// plays with the network off. The network comes first while there is one,
// so a new release is what the next visit gets; the worker of that release
// then replaces this copy. Only this site's own files pass through here.
const VERSION = '@SNOWVEL_VERSION@';
const SITE = [@SNOWVEL_SITE_FILES@];
const scope = new URL(self.registration.scope);
// Two games served from one origin keep apart: the folder is in the name.
const PREFIX = 'snowvel ' + scope.pathname + ' ';
const CACHE = PREFIX + VERSION;

// Each file asked of the server if changed, never taken from the HTTP cache
// unasked: the names stay from release to release, and a copy fresh by its
// age could be the last release's. What the page has just fetched comes
// back as "not modified", so a first visit downloads each file once.
function siteRequest(file) {
  return new Request(new URL(file, scope).href, {cache: 'no-cache'});
}

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
                      .then((cache) => cache.addAll(SITE.map(siteRequest)))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
                      .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) &&
                                                                         name !== CACHE)
                                                       .map((name) => caches.delete(name))))
                      .then(() => self.clients.claim()));
});

function fromCache(request) {
  return caches.open(CACHE).then((cache) => {
    // The page's address carries its options (?scale=2): the page is the same.
    if (request.mode === 'navigate') return cache.match(scope.href);
    return cache.match(request, {ignoreSearch: true});
  });
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  // A board's API (served beside the page) is never answered from a copy.
  if (request.method !== 'GET' || url.origin !== scope.origin || url.pathname.startsWith('/api/'))
    return;
  event.respondWith(fetch(request).catch(
      () => fromCache(request).then((response) => response || Response.error())));
});
