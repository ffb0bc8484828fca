// One page of the built site (build/web/) in one browser engine, with the few
// calls the page's tests make. OSTREVO_ENGINE picks the engine, all three from
// Debian's packages: chromium (Chromium over the DevTools protocol) and
// firefox (Firefox ESR over WebDriver BiDi), both through puppeteer-core; webkit
// (WebKitGTK's MiniBrowser through WebKitWebDriver, classic WebDriver, with
// selenium-webdriver; it needs an X display, which scripts/test-web gives it).
// Each page has a browser of its own with a fresh profile, so that language,
// colour scheme and a kept site never carry over from one test to the next.
'use strict';
const { execFileSync, spawn } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const { test } = require('node:test');
const { isDeepStrictEqual } = require('node:util');
const { serve } = require('../../scripts/static_server.js');

const engine = process.env.OSTREVO_ENGINE ?? 'chromium';
const ENGINES = ['chromium', 'firefox', 'webkit'];
if (!ENGINES.includes(engine)) throw new Error(`OSTREVO_ENGINE is one of ${ENGINES.join(', ')}, not ${engine}`);
const SITE = path.resolve(__dirname, '../../build/web');

// What an engine cannot do, and the reason its tests that need it give when skipped.
const LACKS = {
  chromium: {},
  firefox: {
    installability: 'Page.getInstallabilityErrors belongs to Chromium\'s DevTools protocol',
    savePicker: 'Firefox has no showSaveFilePicker',
    noScripts: 'this Firefox\'s WebDriver BiDi cannot turn scripts off',
  },
  webkit: {
    touch: 'MiniBrowser has no touch events',
    installability: 'Page.getInstallabilityErrors belongs to Chromium\'s DevTools protocol',
    savePicker: 'WebKit has no showSaveFilePicker',
    noScripts: 'classic WebDriver cannot turn scripts off',
  },
};

// The site served from 127.0.0.1 on a free port, once per test file.
let server = null;
async function siteServer() {
  server ??= serve(SITE, 0).then((s) => s.unref());
  return server;
}
async function siteUrl(stoppable) {
  const s = stoppable ? await serve(SITE, 0) : await siteServer();
  return { url: `http://127.0.0.1:${s.address().port}/`, server: s };
}

function freshProfile() {
  return fs.mkdtempSync(path.join(os.tmpdir(), `ostrevo-${engine}-`));
}

// Run in a page of the server's: its "Not found" emptied, an <iframe> of the
// page at src in its place, with watch run in the frame's window as soon as
// the frame's document is there (same origin only). Resolves once it has loaded.
function framePage(src, width, height, watch) {
  document.body.replaceChildren();
  document.body.style.margin = '0';
  document.documentElement.style.height = document.body.style.height = '100%';
  const frame = Object.assign(document.createElement('iframe'), { src, width, height });
  frame.style.cssText = 'border: 0; display: block';
  const inject = () => {
    if (frame.contentDocument?.URL === src) frame.contentWindow.eval(`(${watch})()`);
    else setTimeout(inject, 0);
  };
  document.body.append(frame);
  if (watch) inject();
  return new Promise((resolve) => frame.addEventListener('load', resolve));
}

const KEYS = {
  Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Shift: '\uE008', Control: '\uE009', PageUp: '\uE00E',
  PageDown: '\uE00F', End: '\uE010', Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
  ArrowDown: '\uE015', F10: '\uE03A',
};

// The calls common to the three: the pages below supply the engine's part.
class Page {
  // Runs fn(...args) in the page (awaiting a promise it returns) and gives its result.
  evaluate(fn, ...args) { return this.run(fn, args); }

  // Polls get() until accept(value) holds (accept may be a value, a RegExp or a
  // predicate) or 15 s pass; gives the last value, for the caller's assertion,
  // or throws the last error.
  async until(get, accept) {
    const ok = typeof accept === 'function' ? accept
      : accept instanceof RegExp ? (v) => accept.test(v) : (v) => isDeepStrictEqual(v, accept);
    const end = Date.now() + 15_000;
    for (;;) {
      // A page still loading may not have the element yet: that is a value not accepted yet.
      const [value, error] = await get().then((v) => [v], (e) => [undefined, e]);
      if ((!error && ok(value)) || Date.now() > end) {
        if (error) throw error;
        return value;
      }
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  // Whether fn(...args) holds in the page, waited for as until() does.
  async waitFor(fn, ...args) { return this.until(() => this.evaluate(fn, ...args), Boolean); }

  // The element's box in the page's viewport.
  box(selector) {
    return this.evaluate((s) => document.querySelector(s).getBoundingClientRect().toJSON(), selector);
  }

  // Replaces the field's text as typing would: selection, then one insertion.
  fill(selector, text) {
    return this.evaluate((s, t) => {
      const field = document.querySelector(s);
      field.focus();
      field.select();
      if (!document.execCommand('insertText', false, t) || field.value !== t) {
        field.value = t;
        field.dispatchEvent(new Event('input', { bubbles: true }));
      }
      field.dispatchEvent(new Event('change', { bubbles: true }));
    }, selector, text);
  }

  focus(selector) { return this.evaluate((s) => document.querySelector(s).focus(), selector); }

  // Once the page has the new width and has handled its resize (dispatched
  // before the frames it paints).
  async afterResize(width) {
    await this.waitFor((w) => Math.abs(document.documentElement.clientWidth - w) < 20, width);
    await this.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  }
}

// Besides the headless mode that puppeteer-core asks for.
const CHROMIUM_FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--no-first-run', '--disable-sync'];

class PuppeteerPage extends Page {
  static async open(o) {
    const puppeteer = require('puppeteer-core');
    const profile = freshProfile();
    const firefox = engine === 'firefox';
    const browser = await puppeteer.launch(firefox ? {
      browser: 'firefox', headless: true, userDataDir: profile, defaultViewport: null,
      executablePath: process.env.OSTREVO_FIREFOX ?? '/usr/bin/firefox-esr',
      extraPrefsFirefox: {
        'intl.accept_languages': o.locale,
        'layout.css.prefers-color-scheme.content-override': o.dark ? 0 : 1,
      },
    } : {
      headless: true, userDataDir: profile, defaultViewport: null,
      executablePath: process.env.OSTREVO_CHROMIUM ?? '/usr/bin/chromium',
      args: [...CHROMIUM_FLAGS, `--lang=${o.locale}`, `--accept-lang=${o.locale}`],
    });
    const page = new PuppeteerPage();
    // A page of its own: Firefox's first tab never has the focus, and without it
    // a key on a focused button does nothing.
    Object.assign(page, { browser, profile, page: await browser.newPage(), browserPid: browser.process().pid });
    await page.page.setViewport({ width: o.width, height: o.height, deviceScaleFactor: o.ratio,
                                  isMobile: o.touch, hasTouch: o.touch });
    if (!firefox) await page.page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: o.dark ? 'dark' : 'light' }]);
    return page;
  }

  goto(url) { return this.page.goto(url); }
  // The pages that follow load without running their scripts.
  disableScripts() { return this.page.setJavaScriptEnabled(false); }
  // The viewport at these CSS pixels, as a phone turned or a window resized.
  async resize(width, height) {
    const { deviceScaleFactor, isMobile, hasTouch } = this.page.viewport();
    await this.page.setViewport({ width, height, deviceScaleFactor, isMobile, hasTouch });
    await this.afterResize(width);
  }
  async gotoWatched(url, watch) {
    await this.page.evaluateOnNewDocument(watch);
    await this.page.goto(url);
  }
  reload() { return this.page.reload(); }
  // The page at `url` in an <iframe> of a page at `outer`; the calls go to the frame from then on.
  async embed(url, outer) {
    await this.page.goto(new URL('frame-of-the-tests', outer).href);
    await this.page.evaluate(framePage, url, '100%', '100%', null);
    this.frame = this.page.frames().find((frame) => frame !== this.page.mainFrame());
  }
  run(fn, args) { return (this.frame ?? this.page).evaluate(fn, ...args); }
  click(selector) { return (this.frame ?? this.page).click(selector); }
  // A key, or a key with a modifier held: 'Shift+F10'.
  async press(key) {
    const [held, pressed] = /.\+./.test(key) ? key.split('+') : [null, key];
    if (held) await this.page.keyboard.down(held);
    await this.page.keyboard.press(pressed);
    if (held) await this.page.keyboard.up(held);
  }
  async mouse(x, y, click = false) {
    await this.page.mouse.move(x, y);
    if (click) await this.page.mouse.click(x, y);
  }
  contextClick(x, y) { return this.page.mouse.click(x, y, { button: 'right' }); }
  async touch(kind, x, y) {
    const screen = this.page.touchscreen;
    if (kind === 'start') this.finger = await screen.touchStart(x, y);
    else if (kind === 'move') await this.finger.move(x, y);
    else await this.finger.end();
  }
  screenshot(file) { return this.page.screenshot({ path: file }); }
  async installabilityErrors() {
    const cdp = await this.page.createCDPSession();
    return (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors;
  }
  async close() {
    await this.browser.close();
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

// MiniBrowser's window is never narrower than this; a narrower page goes in an <iframe> of its size.
const MINIBROWSER_MIN_WIDTH = 447;

function freePort() {
  return new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

class WebDriverPage extends Page {
  static async open(o) {
    if (!process.env.DISPLAY) throw new Error('WebKit needs an X display: run it through scripts/test-web (xvfb-run)');
    const { Builder } = require('selenium-webdriver');
    const port = await freePort();
    const language = o.locale.replace('-', '_');
    // WebKit takes the language from the C library's locale, which must exist:
    // compiled from Debian's locale sources into a folder of the tests' own.
    const locales = path.resolve(__dirname, '../../build/web-test-locales');
    if (!fs.existsSync(path.join(locales, `${language}.UTF-8`))) {
      fs.mkdirSync(locales, { recursive: true });
      execFileSync('localedef', ['-i', language, '-f', 'UTF-8', path.join(locales, `${language}.UTF-8`)]);
    }
    // The driver starts MiniBrowser with its own environment: the language of
    // both, and GDK's scale as the page's pixel ratio.
    const driverProcess = spawn(process.env.OSTREVO_WEBKITDRIVER ?? '/usr/bin/WebKitWebDriver', [`--port=${port}`], {
      stdio: 'ignore',
      env: { ...process.env, LOCPATH: locales, LANGUAGE: language, LANG: `${language}.UTF-8`, LC_ALL: `${language}.UTF-8`,
             GDK_SCALE: String(o.ratio) },
    });
    const page = new WebDriverPage();
    Object.assign(page, { driverProcess, browserPid: driverProcess.pid });
    // A test that timed out never closes its page: the driver, and MiniBrowser with it, go with the test file.
    driverProcess.unref();
    process.once('exit', () => driverProcess.kill());
    try {
      await page.until(() => fetch(`http://127.0.0.1:${port}/status`), Boolean);  // the driver listening
      page.driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': {
          binary: process.env.OSTREVO_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
          args: ['--automation', ...(o.dark ? ['--dark-mode'] : [])],
        },
      }).build();
      await page.driver.manage().setTimeouts({ script: 600_000 });
      Object.assign(page, { width: o.width, height: o.height, framed: o.width < MINIBROWSER_MIN_WIDTH });
      await page.sizeViewport(Math.max(o.width, MINIBROWSER_MIN_WIDTH), o.height);
    } catch (error) {
      await page.close();
      throw error;
    }
    return page;
  }

  // The window sized so that its viewport has these CSS pixels (the window adds its bars).
  async sizeViewport(width, height) {
    const window = this.driver.manage().window();
    for (let i = 0; i < 3; i++) {
      const rect = await window.getRect();
      const [innerWidth, innerHeight] = await this.driver.executeScript('return [innerWidth, innerHeight]');
      if (innerWidth === width && innerHeight === height) return;
      // The bars as read now; a window still taking an earlier size may read less than none.
      const bars = [rect.width - innerWidth, rect.height - innerHeight].map((bar) => Math.max(0, bar));
      await window.setRect({ width: width + bars[0], height: height + bars[1] });
    }
  }

  async goto(url) {
    await this.driver.switchTo().defaultContent();
    return this.framed ? this.inFrame(url, this.width, this.height) : this.driver.get(url);
  }

  // A framed page gets a frame of the new size in a window at least as large.
  async resize(width, height) {
    await this.driver.switchTo().defaultContent();
    await this.sizeViewport(Math.max(width, MINIBROWSER_MIN_WIDTH), height);
    if (!this.framed) return this.afterResize(width);
    await this.driver.executeScript((w, h) => Object.assign(document.querySelector('iframe'), { width: w, height: h }),
      width, height);
    await this.driver.switchTo().frame(0);
    await this.afterResize(width);
  }

  // Classic WebDriver runs no script before the page's own: watch runs from the frame's parent.
  gotoWatched(url, watch) { return this.inFrame(url, '100%', '100%', String(watch)); }

  // The page alone in an <iframe> at the top left of a page of the same origin
  // (the server's "Not found" emptied: a frame is a secure context, with its
  // service worker, only inside one), with watch run in the frame's window as
  // soon as the frame's document is there.
  async inFrame(url, width, height, watch, outer = url) {
    await this.driver.get(new URL('frame-of-the-tests', outer).href);
    await this.driver.executeScript(framePage, url, width, height, watch ?? null);
    await this.driver.switchTo().frame(0);
  }

  reload() { return this.driver.navigate().refresh(); }
  embed(url, outer) { return this.inFrame(url, '100%', '100%', null, outer); }
  run(fn, args) { return this.driver.executeScript(`return (${fn}).apply(null, arguments)`, ...args); }
  // The element brought to the middle of the view first, and a frame let pass:
  // WebKit's own scrolling into view at the edge raced with the page's.
  async click(selector) {
    const { By } = require('selenium-webdriver');
    await this.evaluate((s) => new Promise((resolve) => {
      document.querySelector(s).scrollIntoView({ block: 'center', inline: 'center' });
      requestAnimationFrame(() => requestAnimationFrame(resolve));
    }), selector);
    await this.driver.findElement(By.css(selector)).click();
  }
  press(key) {
    const [held, pressed] = /.\+./.test(key) ? key.split('+') : [null, key];
    const actions = this.driver.actions({ async: true });
    if (held) actions.keyDown(KEYS[held]);
    actions.sendKeys(KEYS[pressed] ?? pressed);
    if (held) actions.keyUp(KEYS[held]);
    return actions.perform();
  }
  contextClick(x, y) {
    return this.driver.actions({ async: true }).move({ x: Math.round(x), y: Math.round(y), origin: 'viewport' }).contextClick().perform();
  }
  async mouse(x, y, click = false) {
    const actions = this.driver.actions({ async: true }).move({ x: Math.round(x), y: Math.round(y), origin: 'viewport' });
    await (click ? actions.click() : actions).perform();
  }
  touch() { throw new Error(LACKS.webkit.touch); }
  async screenshot(file) { fs.writeFileSync(file, await this.driver.takeScreenshot(), 'base64'); }
  async close() {
    try {
      await this.driver?.quit();
    } finally {
      this.driverProcess.kill();
    }
  }
}

const DEFAULTS = { width: 1280, height: 720, ratio: 1, locale: 'en-US', dark: false, touch: false };

// Opens a browser with the page's options (width and height of the viewport in
// CSS pixels, ratio, locale, dark, touch, query: the address's query) showing the site, and its page.
// stoppable: the site from a server of the page's own, page.server, that the test may stop;
// blank: not yet navigated to the site, whose address is page.url.
async function openPage(options = {}) {
  const o = { ...DEFAULTS, ...options };
  const page = await (engine === 'webkit' ? WebDriverPage : PuppeteerPage).open(o);
  const { url, server: own } = await siteUrl(o.stoppable);
  if (o.stoppable) page.server = own;
  page.url = o.query ? `${url}?${o.query}` : url;
  if (!o.blank) await page.goto(page.url);
  return page;
}

// A test of the page in the chosen engine: body(page, t) with a page opened with
// the options; needs names what the engine must be able to do, else the test is
// skipped with the reason.
function pageTest(name, options, body) {
  if (typeof options === 'function') [options, body] = [{}, options];
  const { needs = [], ...pageOptions } = options;
  test(name, { timeout: 180_000 }, async (t) => {
    const lack = needs.map((need) => LACKS[engine][need]).find(Boolean);
    if (lack) return t.skip(lack);
    const page = await openPage(pageOptions);
    try {
      await body(page, t);
    } catch (error) {
      const shot = path.resolve(__dirname, '../../build/web-test-results',
        `${engine}-${name.replace(/[^\w]+/g, '-').slice(0, 80)}.png`);
      fs.mkdirSync(path.dirname(shot), { recursive: true });
      await page.screenshot(shot).then(() => t.diagnostic(`screenshot: ${shot}`), () => {});
      throw error;
    } finally {
      if (page.server) {
        page.server.close();
        page.server.closeAllConnections();
      }
      await page.close();
    }
  });
}

module.exports = { engine, openPage, pageTest };
