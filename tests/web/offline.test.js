// Installable and offline: the manifest and the service worker, in a browser
// profile of its own (Chromium installs nothing from an incognito one) and
// through a server of the test's own that it can stop.
const { test, expect, chromium } = require('@playwright/test');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { serve } = require('../../scripts/static_server.js');
const { click, shows } = require('./page.js');

const site = path.resolve(__dirname, '../../build/web');

test('installable, and after one visit it opens and computes with the server gone', async ({}, testInfo) => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrevo-profile-'));
  const browser = await chromium.launchPersistentContext(profile, {
    ...testInfo.project.use.launchOptions,
    serviceWorkers: 'allow',
  });
  const server = await serve(site, 0);
  try {
    const page = browser.pages()[0] ?? (await browser.newPage());
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await expect.poll(() => page.evaluate(() => navigator.serviceWorker.controller !== null)).toBe(true);
    const cdp = await browser.newCDPSession(page);
    expect((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors).toEqual([]);

    server.close();
    server.closeAllConnections();
    await page.reload();
    await click(page, 'Command6', 'Command1');
    await shows(page, 'Label9 Label11').toBe('1.221 5.706');
  } finally {
    server.close();
    server.closeAllConnections();
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
});
