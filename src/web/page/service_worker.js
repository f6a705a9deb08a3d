// The page kept for a visit without the network: every file of one build
// (build.json lists them and names the build) in a cache of that build's
// name, made whole before it is used. Each visit asks the server for its
// build first; a new one is fetched whole and replaces the kept one, and
// where that fails (no network, a file missing) the kept build is used as
// it was. A page is served from the one build it was opened with, never a
// mix of two.
"use strict";

const PREFIX = "qmsim-build-";
const LIST = "build.json";
// The build each open page was opened with, by the page's client id.
const opened = new Map();

function cacheName(build) {
  return PREFIX + build.version;
}

// The kept build's cache: the newest whose list was stored, which is
// stored after all its files.
async function keptCache() {
  for (const name of (await caches.keys()).reverse()) {
    if (!name.startsWith(PREFIX)) continue;
    if (await (await caches.open(name)).match(LIST)) return name;
  }
  return null;
}

// The server's build, kept whole; null when the network or a file fails.
async function fetchBuild() {
  let build;
  try {
    const response = await fetch(LIST, { cache: "no-store" });
    if (!response.ok) return null;
    build = await response.json();
  } catch (error) {
    return null;
  }
  const name = cacheName(build);
  const cache = await caches.open(name);
  if (await cache.match(LIST)) return name;
  // From the server itself, never the browser's cache, which may hold a
  // file of another build under the same name.
  try {
    await cache.addAll(build.files.map((file) => new Request(file, { cache: "reload" })));
  } catch (error) {
    await caches.delete(name);
    return null;
  }
  await cache.put(LIST, new Response(JSON.stringify(build), { headers: { "Content-Type": "application/json" } }));
  return name;
}

// The build a visit opens: the server's when it can be had whole, else the
// kept one; builds no page uses are dropped.
async function chooseBuild() {
  const fresh = await fetchBuild();
  const name = fresh !== null ? fresh : await keptCache();
  for (const id of [...opened.keys()]) {
    if (!(await self.clients.get(id))) opened.delete(id);
  }
  if (name !== null) {
    const inUse = new Set(opened.values());
    inUse.add(name);
    for (const other of await caches.keys()) {
      if (other.startsWith(PREFIX) && !inUse.has(other)) await caches.delete(other);
    }
  }
  return name;
}

async function fromBuild(name, request, key) {
  if (name !== null) {
    const cache = await caches.open(name);
    const kept = await cache.match(key, { ignoreSearch: true });
    if (kept) return kept;
  }
  return fetch(request);
}

async function openPage(event) {
  const name = await chooseBuild();
  if (name !== null && event.resultingClientId) opened.set(event.resultingClientId, name);
  return fromBuild(name, event.request, "index.html");
}

async function pageFile(event) {
  const name = opened.get(event.clientId) || (await keptCache());
  return fromBuild(name, event.request, event.request);
}

self.addEventListener("install", (event) => {
  event.waitUntil(fetchBuild().then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== "GET" || url.origin !== location.origin) return;
  if (event.request.mode === "navigate") {
    event.respondWith(openPage(event));
  } else if (!url.pathname.endsWith("/" + LIST)) {
    event.respondWith(pageFile(event));
  }
});
