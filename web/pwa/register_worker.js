// Registers the service worker that keeps the site for use offline. Where the
// browser refuses it (plain http from another host than localhost), the page
// works as before, only not offline.
if ('serviceWorker' in navigator) {
  addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch((error) => console.warn('service worker not registered:', error)));
}
