// Keeps the page playable offline: registers the service worker (sw.js) where the browser has
// them and the page is on a secure context (https, or this machine), and hands over to a new
// version once this page has read every file it needs. Without a worker (file://, an old browser)
// the page plays from the network as ever; a failure here is a warning, never an error.

function takeOver(worker) {
  // With no worker in charge yet, a new one takes over by itself.
  if (worker && navigator.serviceWorker.controller) worker.postMessage('take-over');
}

export async function keepOffline(script = 'sw.js') {
  try {
    if (window.isSecureContext === false) return 'the page is not on a secure context';
    if (!('serviceWorker' in navigator) || !navigator.serviceWorker) return 'the browser has no service workers';
    const registration = await navigator.serviceWorker.register(script);
    const watched = new WeakSet();
    const watch = (worker) => {
      if (!worker || watched.has(worker)) return;
      watched.add(worker);
      let installed = false;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'installed') {
          installed = true;
          takeOver(worker);
        }
        // The worker's own reason is in its console; the page's says there was one.
        if (worker.state === 'redundant' && !installed) {
          console.warn('mojara: the page could not be kept for offline play (its worker failed to install)');
        }
      });
    };
    takeOver(registration.waiting);
    watch(registration.installing);
    registration.addEventListener('updatefound', () => watch(registration.installing));
    return 'registered';
  } catch (e) {
    console.warn(`mojara: the page will not play offline: ${e && e.message ? e.message : e}`);
    return 'failed';
  }
}
