// The page's tests: Debian's Chromium, headless, driven by Playwright against
// the built site (build/web/) served by scripts/static_server.js.
const path = require('node:path');
const { defineConfig } = require('@playwright/test');

const root = __dirname;
const port = Number(process.env.OSTREVO_TEST_PORT ?? 8765);

module.exports = defineConfig({
  testDir: path.join(root, 'tests/web'),
  testMatch: '*.test.js',
  // The page's modules under Node alone (node --test tests/web/unit/).
  testIgnore: 'unit/**',
  outputDir: path.join(root, 'build/web-test-results'),
  fullyParallel: true,
  workers: 2,
  timeout: 60_000,
  // The machine may be busy with other builds: a result may take longer than usual.
  expect: { timeout: 10_000 },
  reporter: [['list']],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    headless: true,
    // Only the offline tests let the service worker in: a cached site must not
    // hide from the others what the server holds.
    serviceWorkers: 'block',
    screenshot: 'only-on-failure',
    launchOptions: {
      executablePath: process.env.OSTREVO_CHROMIUM ?? '/usr/bin/chromium',
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
             '--no-first-run'],
    },
  },
  webServer: {
    command: `node scripts/static_server.js build/web`,
    cwd: root,
    env: { PORT: String(port) },
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
  },
});
