// The plot's context menu by mouse, finger and keys, and its files against
// the plot on screen: the PNG's pixels, the SVG parsed, the CSV's rows.
const assert = require('node:assert/strict');
const { engine } = require('./browser.js');
const { control, pageTest, becomes, visible, takeMessages, plotRealExample } = require('./page.js');

const plotArea = control('Picture1', 'Form2');
const menu = '.plot-menu[role="menu"]';
const SHOTS = process.env.OSTREVO_SHOTS;  // a folder for the menu's screenshots, when given

const items = (page) => page.evaluate((m) => [...document.querySelectorAll(`${m} [role="menuitem"]`)].map((i) => i.textContent), menu);
const focused = (page) => page.evaluate(() => document.activeElement?.dataset.name ?? document.activeElement?.textContent);

// Downloads and the save picker recorded in the page instead of reaching the disk.
function recordFiles(page, { picker }) {
  return page.evaluate((picker) => {
    window.savedFiles = [];
    HTMLAnchorElement.prototype.click = function () {
      fetch(this.href).then((r) => r.blob()).then((blob) => window.savedFiles.push({ name: this.download, blob, via: 'download' }));
    };
    if (!picker) {
      delete window.showSaveFilePicker;
      return;
    }
    window.showSaveFilePicker = async ({ suggestedName }) => ({
      name: suggestedName,
      createWritable: async () => {
        const parts = [];
        return { write: async (part) => parts.push(part), abort: async () => {},
                 close: async () => window.savedFiles.push({ name: suggestedName, blob: new Blob(parts, { type: parts[0]?.type }), via: 'picker', parts: parts.length }) };
      },
    });
  }, picker);
}

async function choose(page, index) {
  await page.focus(plotArea);
  await page.press('Shift+F10');
  await becomes(page, menu, true);
  for (let i = 0; i < index; i++) await page.press('ArrowDown');
  await page.press('Enter');
}

async function savedFile(page, index) {
  await page.waitFor((i) => window.savedFiles.length > i, index);
  return page.evaluate(async (i) => {
    const { name, blob, via, parts } = window.savedFiles[i];
    return { name, via, parts, type: blob.type, size: blob.size, text: blob.type.startsWith('image/png') ? '' : await blob.text() };
  }, index);
}

pageTest('the plot\'s menu opens by right click and by Shift+F10, moves with the arrows and closes with Escape', { width: 1366, height: 900 }, async (page) => {
  await plotRealExample(page);
  const box = await page.box(plotArea);
  await page.contextClick(box.x + 200, box.y + 120);
  await becomes(page, menu, true);
  assert.deepEqual(await items(page), ['Copia immagine', 'Salva immagine PNG…', 'Salva immagine SVG…', 'Salva dati CSV…']);
  const shown = await page.box(menu);
  assert.ok(Math.abs(shown.x - box.x - 200) < 2 && Math.abs(shown.y - box.y - 120) < 2, JSON.stringify(shown));
  assert.equal(await focused(page), 'exportCopyPicture');
  if (SHOTS) await page.screenshot(`${SHOTS}/page-1366-${engine}.png`);
  await page.press('ArrowUp');
  assert.equal(await focused(page), 'exportSaveCsv');
  await page.press('ArrowDown');
  await page.press('ArrowDown');
  assert.equal(await focused(page), 'exportSavePng');
  await page.press('Escape');
  await becomes(page, menu, false);
  assert.equal(await page.evaluate((s) => document.activeElement === document.querySelector(s), plotArea), true);
  await page.press('Shift+F10');
  await becomes(page, menu, true);
  await page.press('Escape');
  await becomes(page, menu, false);
});

pageTest('a finger held half a second opens the menu; one that slides reads out', { width: 390, height: 844, ratio: 3, touch: true, needs: ['touch'] }, async (page) => {
  await plotRealExample(page);
  await page.evaluate((s) => document.querySelector(s).scrollIntoView({ block: 'center' }), plotArea);
  const box = await page.box(plotArea);
  const at = [box.x + box.width / 2, box.y + box.height / 3];
  await page.touch('start', ...at);
  await page.touch('move', at[0] + 40, at[1]);
  await new Promise((resolve) => setTimeout(resolve, 800));
  await page.touch('end');
  assert.equal(await page.evaluate((m) => !!document.querySelector(m), menu), false);
  await page.touch('start', ...at);
  await becomes(page, menu, true);
  await page.touch('end');
  if (SHOTS) await page.screenshot(`${SHOTS}/page-phone-${engine}.png`);
  assert.deepEqual((await items(page)).length, 4);
  // The lifted finger chose nothing; a tap on an item chooses it.
  await recordFiles(page, { picker: false });
  const item = await page.box(`${menu} [data-name="exportSaveSvg"]`);
  await new Promise((resolve) => setTimeout(resolve, 400));  // no one taps quicker
  await page.touch('start', item.x + 20, item.y + item.height / 2);
  await page.touch('end');
  assert.equal((await savedFile(page, 0)).name, 'grafico-forme-d-onda.svg');
});

// The block's picture inside Picture1: the canvas's raster, but where the labels lie over it.
const pngMatchesCanvas = (page) => page.evaluate(async (area) => {
  const { blob } = window.savedFiles.find((f) => f.name.endsWith('.png'));
  const image = await createImageBitmap(blob);
  const canvas = document.querySelector(`${area} canvas`);
  const draw = (source, w, h) => {
    const c = document.createElement('canvas');
    c.width = w;
    c.height = h;
    c.getContext('2d').drawImage(source, 0, 0);
    return c.getContext('2d').getImageData(0, 0, w, h).data;
  };
  const png = draw(image, image.width, image.height);
  const raster = draw(canvas, canvas.width, canvas.height);
  const ratio = canvas.width / document.querySelector(area).clientWidth;
  const strip = document.querySelector('#Form2 [data-name="Picture3"]').getBoundingClientRect();
  const plot = document.querySelector(area);
  const shown = plot.getBoundingClientRect();
  const left = Math.round((shown.left - Math.min(strip.left, shown.left) + plot.clientLeft) * ratio);
  const top = Math.round((shown.top - Math.min(strip.top, shown.top) + plot.clientTop) * ratio);
  const labels = [...plot.querySelectorAll('.label')].map((l) => l.getBoundingClientRect());
  let differing = 0;
  for (let y = 0; y < canvas.height; y++) {
    for (let x = 0; x < canvas.width; x++) {
      const onLabel = labels.some((r) => x / ratio >= r.left - shown.left - plot.clientLeft - 1 && x / ratio <= r.right - shown.left
        && y / ratio >= r.top - shown.top - plot.clientTop - 1 && y / ratio <= r.bottom - shown.top);
      if (onLabel) continue;
      const p = ((top + y) * image.width + left + x) * 4;
      const r = (y * canvas.width + x) * 4;
      if (png[p] !== raster[r] || png[p + 1] !== raster[r + 1] || png[p + 2] !== raster[r + 2]) differing++;
    }
  }
  return { differing, width: image.width, canvas: canvas.width };
}, plotArea);

for (const picker of [false, true]) {
  pageTest(`the menu saves the plot as PNG and SVG and one period as CSV${picker ? ' through the save picker' : ' as downloads'}`, { width: 1366, height: 900, locale: 'it-IT', needs: picker ? ['savePicker'] : [] }, async (page) => {
    await plotRealExample(page, 'Text16', '200');
    await recordFiles(page, { picker });
    await choose(page, 1);
    const png = await savedFile(page, 0);
    assert.equal(png.name, 'grafico-forme-d-onda.png');
    assert.equal(png.type, 'image/png');
    const pixels = await pngMatchesCanvas(page);
    assert.equal(pixels.differing, 0, JSON.stringify(pixels));

    await choose(page, 2);
    const svg = await savedFile(page, 1);
    assert.equal(svg.name, 'grafico-forme-d-onda.svg');
    const parsed = await page.evaluate((text) => {
      const doc = new DOMParser().parseFromString(text, 'image/svg+xml');
      return { error: doc.querySelector('parsererror')?.textContent ?? '', texts: doc.querySelectorAll('text').length,
               polylines: doc.querySelectorAll('polyline').length };
    }, svg.text);
    assert.deepEqual(parsed.error, '');
    assert.equal(parsed.texts, 11);
    assert.ok(parsed.polylines >= 4);

    await choose(page, 3);
    const csv = await savedFile(page, 2);
    assert.equal(csv.name, 'campioni-un-periodo-N200.csv');
    const rows = csv.text.split('\n');
    assert.equal(rows.length, 200 + 3);
    assert.equal(rows[0], 'k;t [usec];vc [V];vo [V]');
    assert.match(rows[1], /^0;0;6,7;/);
    assert.match(rows[201], /^200;6,926/);
    assert.equal(csv.via, picker ? 'picker' : 'download');
  });
}

pageTest('a file the save picker cannot write is told, not reported saved', { width: 1366, height: 900, needs: ['savePicker'] }, async (page) => {
  await plotRealExample(page);
  await page.evaluate(() => {
    window.showSaveFilePicker = async ({ suggestedName }) => ({
      name: suggestedName,
      createWritable: async () => ({ write: async () => { throw new DOMException('disco pieno', 'QuotaExceededError'); },
                                     close: async () => { window.closed = true; }, abort: async () => {} }),
    });
  });
  await choose(page, 3);
  const [message] = await takeMessages(page, 1);
  assert.equal(message, 'Impossibile scrivere il file campioni-un-periodo-N1000.csv: disco pieno. Il file non è stato salvato.');
  assert.equal(await page.evaluate(() => window.closed ?? false), false);
});

pageTest('a new plot while the CSV is written leaves no file mixing two plots', { width: 1366, height: 900, needs: ['savePicker'] }, async (page) => {
  await plotRealExample(page, 'Text16', '200000');  // four parts
  await page.evaluate(() => {
    window.showSaveFilePicker = async ({ suggestedName }) => ({
      name: suggestedName,
      createWritable: async () => ({
        // After the first part "Grafici" runs again, and has drawn before the next part is asked for.
        write: async () => {
          if (window.plottedAgain) return;
          window.plottedAgain = true;
          document.querySelector('#Form1 [data-name="Command2"]').click();
          await new Promise((resolve) => setTimeout(resolve, 3000));
        },
        close: async () => { window.closed = true; }, abort: async () => {},
      }),
    });
  });
  await choose(page, 3);
  const [message] = await takeMessages(page, 1);
  assert.match(message, /^Impossibile scrivere il file campioni-un-periodo-N200000\.csv: il grafico è cambiato mentre i dati venivano scritti/);
  assert.equal(await page.evaluate(() => window.closed ?? false), false);
});

pageTest('beyond the download\'s limit the CSV is not assembled, and a message says why', { width: 1366, height: 900 }, async (page) => {
  await plotRealExample(page, 'Text16', '5000000');  // about 310 MB of CSV
  await recordFiles(page, { picker: false });
  await choose(page, 3);
  const [message] = await takeMessages(page, 1);
  assert.match(message, /^I dati CSV sarebbero circa \d{3} MB: .* al più 256 MB\. Riduci N/);
  assert.equal(await page.evaluate(() => window.savedFiles.length), 0);
});

pageTest('the picture goes to the clipboard as PNG, and a refusal is told', { width: 1366, height: 900 }, async (page) => {
  await plotRealExample(page);
  await page.evaluate(() => {
    window.copied = [];
    window.ClipboardItem ??= class { constructor(items) { this.items = items; } };
    Object.defineProperty(navigator, 'clipboard', { configurable: true, value: {
      write: async (items) => {
        if (window.refuse) throw new DOMException('denied', 'NotAllowedError');
        const item = items[0];
        const blob = await (item.getType ? item.getType('image/png') : item.items['image/png']);
        window.copied.push(blob.type);
      },
    } });
  });
  await choose(page, 0);
  assert.ok(await page.waitFor(() => window.copied.length === 1));
  assert.deepEqual(await page.evaluate(() => window.copied), ['image/png']);
  await page.evaluate(() => { window.refuse = true; });
  await choose(page, 0);
  const [message] = await takeMessages(page, 1);
  assert.match(message, /^Il browser non ha permesso di copiare l'immagine negli appunti \(NotAllowedError\)/);
});

// A CSV of millions of rows takes seconds: the window's strip of a long
// command shows, the item waits, and Interrompi or Escape ends the file
// without a message: the picker's stream aborted, no download.
const stripOnPlot = '#Form2 .long-work';
for (const [by, stop] of Object.entries({
  'Interrompi': (page) => page.click(`${stripOnPlot} button`),
  'Escape': async (page) => { await page.focus(plotArea); await page.press('Escape'); },
})) {
  for (const picker of [true, false]) {
    pageTest(`a long CSV${picker ? ' through the save picker' : ' as a download'} shows its progress; ${by} stops it, leaving no file`, { width: 1366, height: 900, needs: picker ? ['savePicker'] : [] }, async (page) => {
      await plotRealExample(page, 'Text16', '3000000');  // about 190 MB in 46 parts
      await recordFiles(page, { picker: false });
      if (picker) {
        await page.evaluate(() => {
          window.showSaveFilePicker = async ({ suggestedName }) => ({
            name: suggestedName,
            createWritable: async () => ({ write: async () => {}, close: async () => { window.closed = true; },
                                           abort: async () => { window.aborted = true; } }),
          });
        });
      }
      await choose(page, 3);
      await becomes(page, stripOnPlot, true);
      assert.deepEqual(await page.evaluate((s) => [...document.querySelectorAll(`${s} progress, ${s} button`)]
        .map((e) => e.getAttribute('aria-label') ?? e.textContent), stripOnPlot), ['Avanzamento del comando', 'Interrompi']);
      assert.ok(await page.waitFor((s) => document.querySelector(`${s} progress`)?.value > 0, stripOnPlot));
      if (SHOTS) await page.screenshot(`${SHOTS}/page-csv-${picker ? 'picker' : 'download'}-${engine}.png`);
      await page.focus(plotArea);
      await page.press('Shift+F10');
      await becomes(page, menu, true);
      assert.equal(await page.evaluate((m) => document.querySelector(`${m} [data-name="exportSaveCsv"]`).getAttribute('aria-disabled'), menu), 'true');
      await page.press('Escape');
      await becomes(page, menu, false);
      assert.equal(await visible(page, stripOnPlot), true, 'Escape closed the menu only');

      await stop(page);
      await becomes(page, stripOnPlot, false);
      if (picker) assert.ok(await page.waitFor(() => window.aborted === true));
      await new Promise((resolve) => setTimeout(resolve, 500));
      assert.deepEqual(await page.evaluate(() => [window.closed ?? false, window.savedFiles.length]), [false, 0]);
      assert.equal(await visible(page, 'dialog[open]'), false);
    });
  }
}
