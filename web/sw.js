// The page's service worker: keeps every file the game plays from in a cache of its own version,
// so that after one visit the page opens and plays with no network. Listed files are answered from
// the cache (the page itself whatever its address's options, ?lang=en&clock=virtual), anything
// else goes to the network as if there were no worker.
//
// A new site comes with a new sw.js (its version is a hash of the files' contents): it fills a new
// cache, each file checked against its hash, and waits; the page, once it has read all it needs,
// tells it to take over. It then deletes the caches of older versions and answers the next load,
// so a load never plays a mix of old and new files.

// Written by scripts/web-offline when the site is assembled; left as they are, the worker keeps
// nothing and never takes over.
const VERSION = 'unbuilt';
const FILES = [];  // [path from here, 'sha256-…' of its contents]

const PAGE = 'index.html';
const SCOPE = self.registration.scope;
// Other copies of the site on the same host (other folders) have caches of their own.
const PREFIX = `mojara ${SCOPE} `;
const CACHE = PREFIX + VERSION;
const LISTED = new Set(FILES.map(([path]) => new URL(path, SCOPE).href));

// One file, as the server has it now: revalidated rather than taken from the browser's cache
// unasked, and fetched again past it if what came back is not this version's.
async function fetchChecked(path, integrity) {
  const url = new URL(path, SCOPE).href;
  for (const cache of ['no-cache', 'reload']) {
    try {
      const response = await fetch(new Request(url, { cache, integrity }));
      if (!response.ok) throw new Error(`${response.status}`);
      // A server that sends index.html on to ./ : a redirected answer cannot serve a navigation.
      if (response.redirected) {
        const { status, statusText, headers } = response;
        return [url, new Response(await response.blob(), { status, statusText, headers })];
      }
      return [url, response];
    } catch (e) {
      if (cache === 'reload') throw new Error(`cannot keep ${path}: ${e.message}`);
    }
  }
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    if (!FILES.length) throw new Error('this sw.js lists no files: the build writes them');
    const fetched = await Promise.all(FILES.map(([path, integrity]) => fetchChecked(path, integrity)));
    const cache = await caches.open(CACHE);
    await Promise.all(fetched.map(([url, response]) => cache.put(url, response)));
  })().catch(async (e) => {
    await caches.delete(CACHE);  // a half-filled cache is never used
    throw e;
  }));
});

self.addEventListener('message', (event) => {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  let key = url.origin + url.pathname;
  // The page, however it is asked for; any other file only by its plain address.
  if (key === SCOPE || key === new URL(PAGE, SCOPE).href) key = new URL(PAGE, SCOPE).href;
  else if (url.search) return;
  if (!LISTED.has(key)) return;
  event.respondWith((async () => (await caches.match(key, { cacheName: CACHE })) || fetch(request))());
});
