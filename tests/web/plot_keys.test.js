// The plot without a mouse: its readout by keys, the cursor over the plot,
// what a screen reader is told (the live region, the plot's description) and
// the audio trace.
const assert = require('node:assert/strict');
const { createHash } = require('node:crypto');
const browser = require('./browser.js');
const { control, pageTest, idle, pressEnter, type, becomes, takeMessages, canvasPixels } = require('./page.js');

const designed = { width: 1366, height: 900, locale: 'it-IT' };
const plot = control('Picture1', 'Form2');
const cursor = `${plot} canvas.cursor`;

// Plots an example (the button of Form1) and gives the plot the focus, which
// it takes by itself when its window opens.
async function plotExample(page, example) {
  const opening = !(await page.evaluate(() => document.getElementById('Form2')?.checkVisibility()));
  await pressEnter(page, example);
  await pressEnter(page, 'Command2');
  await becomes(page, '#Form2', true);
  await idle(page);
  if (!opening) await page.focus(plot);
  assert.ok(await page.waitFor((s) => document.activeElement === document.querySelector(s), plot));
}

// What the readout shows: the cursor's column, the selected option, the
// boxes of that trace and what the live region says.
const readout = (page) => page.evaluate((plotSelector) => {
  const text = (name) => document.querySelector(`#Form2 [data-name="${name}"]`).textContent.trim();
  const vc = document.querySelector('#Form2 [data-name="Option1"] input').checked;
  return {
    column: Number(document.querySelector(`${plotSelector} canvas.cursor`).dataset.column),
    trace: vc ? 'vc(t)' : 'vo(t)',
    boxes: (vc ? ['Label16', 'Label17'] : ['Label29', 'Label32']).map(text),
    spoken: document.getElementById('spoken').textContent,
  };
}, plot);

// Presses a key (with a modifier: 'Control+ArrowRight') and waits for what it says.
async function press(page, key) {
  const before = (await readout(page)).spoken;
  await page.press(key);
  return page.until(() => readout(page), (r) => r.spoken !== before);
}

// The rows of a column of the kept raster that hold this colour.
function rowsOf({ width, rgba }, column, colour) {
  const rows = [];
  for (let i = column * 4; i < rgba.length; i += width * 4) if (rgba.readUInt32BE(i) === colour) rows.push(Math.floor(i / 4 / width));
  return rows;
}
const RED = 0xff0000ff;
const BLUE = 0x0000ffff;

pageTest('every key of the readout moves the cursor or picks the trace, reads it out and says so', designed, async (page) => {
  await plotExample(page, 'Command6');
  await page.evaluate(() => {
    window.scrolled = [];
    window.addEventListener('keydown', (event) => event.defaultPrevented || window.scrolled.push(event.key));
  });
  const { width, rgba } = await canvasPixels(page);
  const tenth = Math.floor(width / 10);
  const last = width - 1;
  const keys = [
    ['End', last], ['ArrowLeft', last - 1], ['ArrowRight', last], ['PageUp', last - tenth], ['PageDown', last],
    ['Home', 0], ['ArrowRight', 1], ['ArrowLeft', 0], ['ArrowLeft', 0], ['ArrowDown', 0, 'vo(t)'], ['ArrowUp', 0, 'vc(t)'],
    ['Shift+ArrowRight', tenth], ['Shift+ArrowLeft', 0],
  ];
  for (const [key, column, trace = 'vc(t)'] of keys) {
    const shown = await press(page, key);
    assert.deepEqual([shown.column, shown.trace], [column, trace], key);
    const [time, voltage] = shown.boxes;
    assert.match(time, /^\d+,\d{3}$/, key);
    assert.equal(shown.spoken.trim(), `${trace}: t ${time} usec, ${voltage} V`, key);
  }
  assert.deepEqual(await page.evaluate(() => window.scrolled.filter((key) => !['Shift', 'Control'].includes(key))), [],
    'keys the page did not take');
  // The switching instants: vo's vertical edges in the raster, ts then tc after it.
  const edge = (column) => [column - 1, column, column + 1].some((c) => rowsOf({ width, rgba }, c, BLUE).length > width / 8);
  const next = await press(page, 'Control+ArrowRight');
  const after = await press(page, 'Control+ArrowRight');
  assert.ok(next.column > 0 && after.column > next.column && edge(next.column) && edge(after.column), `${next.column} ${after.column}`);
  assert.equal((await press(page, 'Control+ArrowLeft')).column, next.column);
});

pageTest('by keys the boxes read what the pointer reads on the trace\'s pixel in the same column', designed, async (page) => {
  await plotExample(page, 'Command6');
  const raster = await canvasPixels(page);
  const box = await page.box(`${plot} canvas`);
  assert.deepEqual([box.x % 1, box.y % 1], [0, 0], 'the canvas on whole pixels: the pointer lies on a pixel\'s corner');
  // The zero line of a trace: the row of its colour in every column.
  const columns = Array.from({ length: Math.floor(raster.width / 8) }, (_, i) => 4 + i * 8);
  const zeroLine = (colour) => rowsOf(raster, 4, colour).find((row) => columns.every((c) => rowsOf(raster, c, colour).includes(row)));
  await press(page, 'Home');
  for (let step = 1; step <= 3; step++) {
    for (const [key, colour] of [['ArrowUp', RED], ['ArrowDown', BLUE]]) {
      const byKey = await press(page, key);
      // The trace's pixels in the column (more than one where it is steep),
      // those off its zero line first.
      const rows = rowsOf(raster, byKey.column, colour);
      const zero = zeroLine(colour);
      let byPointer;
      for (const row of [...rows.filter((r) => r !== zero), ...rows.filter((r) => r === zero)]) {
        await page.evaluate(() => document.querySelectorAll('#Form2 [role=status]').forEach((box) => { box.textContent = ''; }));
        await page.mouse(box.x + byKey.column, box.y + row);
        byPointer = await page.until(() => readout(page), (r) => r.boxes[0] !== '');
        if (byPointer.boxes[1] === byKey.boxes[1]) break;
      }
      assert.deepEqual([byPointer.column, byPointer.boxes], [byKey.column, byKey.boxes], `${key}, rows ${rows}`);
    }
    await press(page, 'PageDown');
  }
});

// The contrast ratio of WCAG 2 between two colours [r, g, b].
function contrast(a, b) {
  const luminance = (rgb) => rgb.map((c) => {
    const s = c / 255;
    return s <= 0.04045 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
  }).reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
  return (x + 0.05) / (y + 0.05);
}

// The cursor's canvas: the columns it paints, how many pixels, their colour;
// the plot's ground beside it; whether both canvases lie one on the other.
function cursorDrawn(selector) {
  const [overlay, plotCanvas] = [document.querySelector(selector), document.querySelector(selector).previousElementSibling];
  const { data } = overlay.getContext('2d').getImageData(0, 0, overlay.width, overlay.height);
  const columns = new Set();
  let colour = null;
  let painted = 0;
  for (let i = 0; i < data.length; i += 4) {
    if (data[i + 3] === 0) continue;
    columns.add((i / 4) % overlay.width);
    colour = [...data.subarray(i, i + 4)];
    painted += 1;
  }
  const ground = plotCanvas.getContext('2d').getImageData(overlay.width - 3, 3, 1, 1).data;
  return { columns: [...columns], painted, height: overlay.height, colour, ground: [...ground.subarray(0, 3)],
           same: JSON.stringify([overlay.getBoundingClientRect(), overlay.width, overlay.height])
             === JSON.stringify([plotCanvas.getBoundingClientRect(), plotCanvas.width, plotCanvas.height]) };
}

pageTest('the cursor is one device pixel across the plot, above its raster, shown while the plot has the focus', { ...designed, ratio: 2 }, async (page) => {
  await plotExample(page, 'Command6');
  const kept = createHash('sha256').update((await canvasPixels(page)).rgba).digest('hex');
  // Forced dark colours too, where the engine can be told to force them.
  const schemes = browser.engine === 'chromium' ? ['', 'forced-colors'] : [''];
  for (const scheme of schemes) {
    const features = [{ name: scheme, value: 'active' }, { name: 'prefers-color-scheme', value: 'dark' }];
    if (scheme) await (await page.page.createCDPSession()).send('Emulation.setEmulatedMedia', { features });
    const { column } = await press(page, 'PageDown');
    const drawn = await page.evaluate(cursorDrawn, cursor);
    assert.deepEqual([drawn.columns, drawn.painted, drawn.same, drawn.colour[3]], [[column], drawn.height, true, 255], scheme);
    assert.ok(contrast(drawn.colour.slice(0, 3), drawn.ground) >= 3, `${drawn.colour} on ${drawn.ground} ${scheme}`);
  }
  assert.equal(createHash('sha256').update((await canvasPixels(page)).rgba).digest('hex'), kept, 'the kept raster');
  const shown = () => page.evaluate((s) => document.querySelector(s).checkVisibility({ visibilityProperty: true }), cursor);
  assert.equal(await shown(), true);
  await page.press('Tab');
  assert.equal(await shown(), false);
  await page.focus(plot);
  assert.equal(await shown(), true);
});

const description = (page) => page.evaluate((s) =>
  document.getElementById(document.querySelector(s).getAttribute('aria-describedby')).textContent, plot);

pageTest('the plot\'s description tells the ideal and the real example, and where a fault stopped a trace', designed, async (page) => {
  await plotExample(page, 'Command5');
  assert.equal(await description(page), "Forme d'onda a regime su 5 periodi, da 0 a 92,535 usec. In alto, in rosso, la "
    + "tensione sul condensatore vc(t), tra v- = 4,00 V e v+ = 8,00 V. In basso, in blu, la tensione d'uscita vo(t), tra 0 "
    + "e Vcc = 12,00 V. Periodo 18,507 usec: scarica ts 3,258 usec, con vo(t) basso, poi carica tc 15,249 usec, con vo(t) alto.");
  await plotExample(page, 'Command6');
  assert.match(await description(page), /^Forme d'onda a regime su 5 periodi, da 0 a 34,632 usec\. .* tra v- = 5,33 V e v\+ = 6,70 V\. .*Periodo 6,926 usec: scarica ts 1,221 usec, .* tc 5,706 usec, con vo\(t\) alto\.$/);
  // v+ = 0: no height on the plot for vc(t) at its top.
  await pressEnter(page, 'Command5');
  await idle(page);
  await type(page, 'Text3', '0', 'Text4', '0.5', 'Text5', '1', 'Text16', '1000000');
  await pressEnter(page, 'Command2');
  assert.equal((await takeMessages(page, 1)).length, 1);
  assert.match(await description(page), / Un errore di calcolo ha fermato il disegno nel primo periodo: vc\(t\) si interrompe a t = \d+,\d{3} usec, il resto non è disegnato\.$/);
});

// Plays the trace with Space and waits until the cursor has moved on by a tenth.
async function startSound(page) {
  const { column } = await readout(page);
  await page.press(' ');
  const playing = await page.until(() => readout(page), (r) => r.column > column + 50);
  assert.ok(playing.column > column + 50, `from ${column} to ${playing.column}`);
}

// Whether the cursor has stood still for a few frames.
const standsStill = async (page) => {
  await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 100)));  // the positions already asked for
  const { column } = await readout(page);
  await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 300)));
  return (await readout(page)).column === column;
};

const noSound = browser.engine === 'firefox' ? 'headless Firefox has no audio output: its audio clock stands still' : null;

pageTest('the audio trace moves the cursor; Space, Escape or a cursor key stops it, and it ends at the last column', designed, async (page, t) => {
  if (noSound) return t.skip(noSound);
  await plotExample(page, 'Command6');
  for (const stop of [' ', 'Escape', 'ArrowLeft']) {
    await press(page, 'Home');
    await startSound(page);
    await page.press(stop);
    assert.ok(await standsStill(page), stop);
  }
  await press(page, 'PageDown');
  await page.press('Enter');
  const { width } = await canvasPixels(page);
  assert.equal((await page.until(() => readout(page), (r) => r.column === width - 1)).column, width - 1);
  assert.equal(await page.evaluate(() => document.querySelector('dialog').open), false);
});

// Run before the page's own scripts: a browser without Web Audio.
function withoutWebAudio() {
  delete window.AudioContext;
}

browser.pageTest('without audio the message says so, once, and the cursor sweeps in silence', { ...designed, blank: true }, async (page) => {
  await page.gotoWatched(page.url, withoutWebAudio);
  await idle(page);
  await plotExample(page, 'Command6');
  const { width } = await canvasPixels(page);
  await press(page, 'PageDown');
  await page.press(' ');
  assert.deepEqual(await takeMessages(page, 1),
    ['Nessun dispositivo audio disponibile: la traccia sonora non si sente, il cursore la percorre in silenzio.']);
  assert.ok(await page.waitFor((s) => document.activeElement === document.querySelector(s), plot));
  assert.equal((await page.until(() => readout(page), (r) => r.column === width - 1)).column, width - 1);
  await press(page, 'Home');
  await startSound(page);
  assert.equal(await page.evaluate(() => document.querySelector('dialog').open), false);
});
