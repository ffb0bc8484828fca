#!/usr/bin/env node
// The page's figures on this machine, from 127.0.0.1, in one of Debian's
// browsers (--engine=chromium, the default, firefox or webkit; the page's
// tests' adapter drives it): the site's transfer size, the time from
// navigation to a main window that answers a click, "Grafici" at NP 100 × N
// 10^6 against one WebAssembly exp per sample on one core in the same page,
// and NP 5 × N 10^8, each beside as many exps, with the page's peak memory;
// the plots with 1, 2 and 8 sampling workers (the address's workers=N).
// Run by scripts/bench-web, after the site is built into build/web/.
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');

const engineOption = process.argv.find((argument) => argument.startsWith('--engine='));
if (engineOption) process.env.OSTREVO_ENGINE = engineOption.slice('--engine='.length);
const { engine, openPage } = require('../../tests/web/browser.js');

const root = path.resolve(__dirname, '../..');
const site = path.join(root, 'build/web');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;

function transferSizes() {
  const files = fs.readdirSync(site, { recursive: true }).filter((f) => fs.statSync(path.join(site, f)).isFile());
  const sizes = files.map((file) => {
    const body = fs.readFileSync(path.join(site, file));
    return { file, raw: body.length, gzip: zlib.gzipSync(body, { level: 9 }).length,
             brotli: zlib.brotliCompressSync(body).length };
  });
  const total = (key) => kib(sizes.reduce((sum, size) => sum + size[key], 0));
  console.log(`site: ${files.length} files, ${total('raw')}; gzip -9 ${total('gzip')}; brotli 11 ${total('brotli')}`);
  const largest = sizes.sort((a, b) => b.gzip - a.gzip).slice(0, 4);
  console.log(`  largest, gzip -9: ${largest.map(({ file, gzip }) => `${file} ${kib(gzip)}`).join(', ')}`);
}

// Clicks "Ostrevo reale, dati esempio" every millisecond from the start of
// the document until the click fills Vcc: the time since navigation then.
function answerClickFromTheStart() {
  const poll = () => {
    document.querySelector('#Form1 [data-name="Command6"]')?.click();
    if (document.querySelector('#Form1 [data-name="Text1"]')?.value === '12') window.interactiveAt = performance.now();
    else setTimeout(poll, 1);
  };
  poll();
}

// A browser of its own for each run: a fresh profile, nothing kept of the site.
async function timeToInteractive() {
  const times = [];
  for (let run = 0; run < 5; run++) {
    const page = await openPage({ blank: true });
    await page.gotoWatched(page.url, answerClickFromTheStart);
    times.push(await page.until(() => page.evaluate(() => window.interactiveAt), Boolean));
    await page.close();
  }
  console.log(`navigation to a main window that answers a click: median ${median(times).toFixed(0)} ms ` +
              `(${times.map((t) => t.toFixed(0)).join(', ')}; cold, no service worker)`);
}

// In the page: "Grafici" with the real example at NP × N, from the click until
// the main window is no longer busy (its raster on the canvas), in ms.
async function grafici([NP, N]) {
  const form = document.getElementById('Form1');
  const field = (name) => form.querySelector(`[data-name="${name}"]`);
  const idle = async () => {
    while (form.getAttribute('aria-busy') === 'true') await new Promise(requestAnimationFrame);
  };
  // The example is filled by a command of its own, which may start a moment
  // after the click: wait until its values show and it is done.
  field('Text1').value = '';
  field('Command6').click();
  while (field('Text1').value === '') await new Promise(requestAnimationFrame);
  await idle();
  for (const [name, value] of [['Text6', NP], ['Text16', N]]) {
    field(name).value = String(value);
    field(name).dispatchEvent(new Event('input', { bubbles: true }));
  }
  return new Promise((done) => {
    const start = performance.now();
    const observer = new MutationObserver((records) => {
      if (records.some((r) => r.oldValue === 'true') && form.getAttribute('aria-busy') !== 'true') {
        observer.disconnect();
        done(performance.now() - start);
      }
    });
    observer.observe(form, { attributes: true, attributeFilter: ['aria-busy'], attributeOldValue: true });
    field('Command2').click();
  });
}

// In the page: N + 1 exps on the discharge's exponents of the real example, in ms.
function expPerSample([wasm, N]) {
  const { exports } = new WebAssembly.Instance(new WebAssembly.Module(new Uint8Array(wasm)), {});
  const scale = (1.22066 + 5.70578) / N / ((0.005 + 1) * (4.7 + 0.075));
  const start = performance.now();
  exports.ExpPerSample(N, scale);
  return performance.now() - start;
}

async function openLoaded(workers) {
  const page = await openPage({ query: `workers=${workers}` });
  await page.waitFor(() => document.getElementById('Form1')?.getAttribute('aria-busy') === 'false');  // the core loaded
  return page;
}

// The two in turn, fifteen times, each the best of its fifteen: other work on
// the machine only ever adds time, and it weighs on both alike.
async function graficiAgainstExp(wasm, workers) {
  const page = await openLoaded(workers);
  const first = await page.evaluate(grafici, [100, 1e6]);
  const [plots, exps] = [[], []];
  for (let run = 0; run < 15; run++) {
    plots.push(await page.evaluate(grafici, [100, 1e6]));
    exps.push(await page.evaluate(expPerSample, [[...wasm], 1e6]));
  }
  const [plot, exp] = [Math.min(...plots), Math.min(...exps)];
  console.log(`"Grafici" NP 100 × N 10^6, ${workers} sampling workers: first ${first.toFixed(0)} ms, ` +
              `repeated best ${plot.toFixed(0)} ms (median ${median(plots).toFixed(0)}); ` +
              `one WebAssembly exp per sample ${exp.toFixed(1)} ms (median ${median(exps).toFixed(1)}); ` +
              `ratio ${(plot / exp).toFixed(2)} (goal 3)`);
  await page.close();
}

// The processes that hold pages, by their command lines: Chromium's
// renderers, Firefox's content processes, WebKit's web processes.
const PAGE_PROCESS = { chromium: /--type=renderer/, firefox: /-contentproc/, webkit: /WebKitWebProcess/ };

// Whether the process descends from the one whose id is ancestor.
function descends(pid, ancestor) {
  for (let p = Number(pid); p > 1; p = Number(/^\d+ \(.*\) \S (\d+)/s.exec(fs.readFileSync(`/proc/${p}/stat`, 'latin1'))[1])) {
    if (p === ancestor) return true;
  }
  return false;
}

// Peak resident memory of the browser's page processes, in MiB.
function rendererPeakMiB(browserPid) {
  let peak = 0;
  for (const pid of fs.readdirSync('/proc').filter((entry) => /^\d+$/.test(entry))) {
    try {
      if (!PAGE_PROCESS[engine].test(fs.readFileSync(`/proc/${pid}/cmdline`, 'latin1')) || !descends(pid, browserPid)) continue;
      const hwm = /VmHWM:\s+(\d+)/.exec(fs.readFileSync(`/proc/${pid}/status`, 'latin1'));
      peak = Math.max(peak, Number(hwm[1]) / 1024);
    } catch {
      // the process ended meanwhile
    }
  }
  return peak;
}

// A user types N before the plot: the plot starts two seconds after the page
// has loaded, once its sampling workers have started (each compiles its own
// instance of the core).
const TYPING_TIME = 2000;

async function largePlot(wasm, workers) {
  const page = await openLoaded(workers);
  await new Promise((resolve) => setTimeout(resolve, TYPING_TIME));
  const before = rendererPeakMiB(page.browserPid);
  const time = await page.evaluate(grafici, [5, 1e8]);
  await new Promise((resolve) => setTimeout(resolve, 200));  // a message shows once the command has returned
  const dialog = await page.evaluate(() => document.querySelector('dialog[open]') !== null);
  const exp = await page.evaluate(expPerSample, [[...wasm], 1e8]);
  console.log(`"Grafici" NP 5 × N 10^8, ${workers} sampling workers: ${(time / 1000).toFixed(2)} s` +
              `${dialog ? ' (ended in a message)' : ''}; one WebAssembly exp per sample ${(exp / 1000).toFixed(2)} s, ` +
              `ratio ${(time / exp).toFixed(2)} (goal 1.5); ` +
              `page process peak memory ${before.toFixed(0)} MiB before, ` +
              `${rendererPeakMiB(page.browserPid).toFixed(0)} MiB after`);
  await page.close();
}

async function main() {
  const wasmFile = path.join(root, 'build/bench-web/exp_per_sample.wasm');
  fs.mkdirSync(path.dirname(wasmFile), { recursive: true });
  execFileSync('emcc', ['-O2', path.join(__dirname, 'exp_per_sample.cpp'), '-o', wasmFile, '--no-entry',
                        '-sSTANDALONE_WASM', '-sEXPORTED_FUNCTIONS=_ExpPerSample']);
  console.log(`Browser engine: ${engine}`);
  transferSizes();
  await timeToInteractive();
  for (const workers of [1, 2, 8]) {
    await graficiAgainstExp(fs.readFileSync(wasmFile), workers);
    await largePlot(fs.readFileSync(wasmFile), workers);
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
