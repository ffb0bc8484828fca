// Installable and offline: the manifest and the service worker, in a browser
// profile of its own, through a server of the test's own that it can stop.
const assert = require('node:assert/strict');
const browser = require('./browser.js');
const { pageTest, click, shows } = require('./page.js');

const controlled = (page) => page.waitFor(async () => {
  await navigator.serviceWorker.ready;
  return navigator.serviceWorker.controller !== null;
});

pageTest('installable: Chromium finds nothing that keeps it from installing the page', { needs: ['installability'] }, async (page) => {
  assert.ok(await controlled(page));
  assert.deepEqual(await page.installabilityErrors(), []);
});

browser.pageTest('without scripts the page says that the program cannot start', { needs: ['noScripts'], blank: true }, async (page) => {
  await page.disableScripts();
  await page.goto(page.url);
  assert.equal(await page.evaluate(() => document.getElementById('cannot-load').checkVisibility()), true);
  assert.equal(await page.evaluate(() => document.querySelector('#cannot-load h1').textContent), 'Ostrevo non si può avviare');
});

pageTest('after one visit the page opens and computes with the server gone', { stoppable: true }, async (page) => {
  assert.ok(await controlled(page));
  page.server.close();
  page.server.closeAllConnections();
  await page.reload();
  await shows(page, 'Text16', '1000');
  await click(page, 'Command6', 'Command1');
  await shows(page, 'Label9 Label11', '1.221 5.706');
});
