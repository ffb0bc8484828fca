// The waveform window's plot: its pixels against the desktop's raster, and
// the readout under the mouse and under a finger.
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const { createHash } = require('node:crypto');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { openPage } = require('./browser.js');
const { control, pageTest, idle, click, pressEnter, type, shows, becomes, takeMessages, plotRealExample, canvasPixels, redRows } = require('./page.js');

const desktopRaster = process.env.OSTREVO_DESKTOP_RASTER ??
  path.resolve(__dirname, '../../build/release/tests/web/ostrevo_desktop_raster');
const canvas = `${control('Picture1', 'Form2')} canvas`;

const designed = { width: 1366, height: 900 };

// The example as it is, sampled in one chunk; with N 10^6, in chunks that one or three sampling workers share.
for (const { workers, N } of [{ workers: 'as many as cores' }, { workers: 1, N: '1000000' }, { workers: 3, N: '1000000' }]) {
  const options = { ...designed, query: typeof workers === 'number' ? `workers=${workers}` : '' };
  pageTest(`the canvas shows the desktop's raster of the real example${N ? ` at N ${N}` : ''}, pixel for pixel, with ${workers} sampling workers`, options, async (page) => {
    await plotRealExample(page, ...(N ? ['Text16', N] : []));
    const { width, height, rgba } = await canvasPixels(page);
    assert.deepEqual([width, height], [921, 633]);  // Picture1's inner area, 13875 × 9555 twips less the border
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrevo-raster-'));
    try {
      execFileSync(desktopRaster, [String(width), String(height), path.join(folder, 'desktop.rgba'), ...(N ? [N] : [])]);
      const desktop = fs.readFileSync(path.join(folder, 'desktop.rgba'));
      const differing = [];
      for (let i = 0; i < rgba.length && differing.length < 20; i += 4) {
        if (rgba.readUInt32BE(i) !== desktop.readUInt32BE(i)) differing.push(`(${(i / 4) % width}, ${Math.floor(i / 4 / width)})`);
      }
      assert.deepEqual(differing, []);
    } finally {
      fs.rmSync(folder, { recursive: true, force: true });
    }
  });
}

const checked = (page, option) => page.evaluate((s) => document.querySelector(s).checked, `${control(option, 'Form2')} input`);

pageTest('the readout follows the mouse over either trace', designed, async (page) => {
  await plotRealExample(page);
  const box = await page.box(canvas);
  // Half the plot's 5 periods of 6.92644 usec; a quarter down is user y 75,
  // 25/45 of v+ = 6.7 V on vc; three quarters down, user y 25, 25/45 of Vcc on vo.
  await page.mouse(box.x + box.width / 2, box.y + box.height / 4);
  await shows(page, 'Label16 Label17', /^17\.3\d\d 3\.7\d$/, 'Form2');
  assert.equal(await checked(page, 'Option1'), true);
  await page.mouse(box.x + box.width / 4, box.y + box.height * 3 / 4);
  await shows(page, 'Label16 Label17 Label29 Label32', /^  8\.6\d\d 6\.6\d$/, 'Form2');  // vc's boxes emptied
  assert.equal(await checked(page, 'Option3'), true);
});

// The page as lists, checked in the page: no sideways scrolling; in the
// window's frame every text at least minFont CSS px as drawn and every control
// inside the page's width; fields, buttons and option buttons at least 24 px
// each way (WCAG 2.2's target size); the labels of a picture whole and inside
// it; no empty list section; the controls from top to bottom in the document's
// order (caption, value and unit of a row centred on one line). Gives the problems.
function listProblems(form, minFont) {
  const problems = [];
  const width = document.documentElement.clientWidth;
  const name = (element) => element.closest('[data-name]')?.dataset.name ?? element.className;
  const shown = (element) => element.checkVisibility();
  if (document.documentElement.scrollWidth > width) problems.push(`scrolls sideways to ${document.documentElement.scrollWidth}`);
  const windowElement = document.getElementById(form);
  const frame = windowElement.closest('.frame');
  const texts = document.createTreeWalker(frame, NodeFilter.SHOW_TEXT);
  for (let node = texts.nextNode(); node; node = texts.nextNode()) {
    const element = node.parentElement;
    if (!node.textContent.trim() || !shown(element)) continue;
    const size = parseFloat(getComputedStyle(element).fontSize) * element.getBoundingClientRect().height / (element.offsetHeight || 1);
    if (size < minFont - 0.01) problems.push(`${name(element)} "${node.textContent.trim()}" ${size.toFixed(1)} px`);
  }
  const boxes = [...frame.querySelectorAll('[data-name]')].filter(shown).map((e) => [e, e.getBoundingClientRect()]);
  for (const [element, box] of boxes) {
    if (box.left < -0.5 || box.right > width + 0.5) problems.push(`${name(element)} at ${box.left.toFixed(0)}..${box.right.toFixed(0)}`);
  }
  for (const target of new Set([...windowElement.querySelectorAll('input, button')].map((e) => e.closest('.option') ?? e))) {
    const box = target.getBoundingClientRect();
    if (shown(target) && (box.width < 24 || box.height < 24)) problems.push(`${name(target)} target ${box.width.toFixed(0)} × ${box.height.toFixed(0)}`);
  }
  for (const label of windowElement.querySelectorAll('.picture > .label')) {
    const [box, area] = [label.getBoundingClientRect(), label.parentElement.getBoundingClientRect()];
    if (shown(label) && (label.scrollWidth > label.clientWidth || label.scrollHeight > label.clientHeight + 1
        || box.left < area.left - 0.5 || box.right > area.right + 0.5 || box.top < area.top - 0.5 || box.bottom > area.bottom + 0.5)) {
      problems.push(`${name(label)} "${label.textContent}" cut`);
    }
  }
  if ([...windowElement.querySelectorAll('.list-section')].some((s) => !s.querySelector('[data-name]'))) problems.push('an empty list section');
  let above = -Infinity;
  for (const [element, box] of boxes.filter(([e]) => !e.parentElement.closest('.picture, .option'))) {
    const centre = box.top + box.height / 2;
    if (centre < above - 2) problems.push(`${name(element)} above the control before it`);
    above = Math.max(above, centre);
  }
  return problems;
}

// A phone upright with a phone's pixel ratio, the same turned, a tablet either way: touch where the engine has it.
const phone = { width: 390, height: 844, ratio: 3, touch: true };
const lists = [
  { size: 'a phone', ...phone, minFont: 12 },
  { size: 'a phone turned', width: 844, height: 390, ratio: 3, touch: true, minFont: 11 },
  { size: 'a tablet', width: 768, height: 1024, ratio: 2, touch: true, minFont: 11 },
  { size: 'a tablet turned', width: 1024, height: 768, ratio: 2, touch: true, minFont: 11 },
];

for (const { size, minFont, ...options } of lists) {
  pageTest(`on ${size} both windows are lists within the width, with texts of ${minFont} px and targets of 24 px`, options, async (page) => {
    assert.deepEqual(await page.evaluate(listProblems, 'Form1', minFont), [], 'Form1');
    await plotRealExample(page);
    assert.deepEqual(await page.evaluate(listProblems, 'Form2', minFont), [], 'Form2');
    assert.equal(await page.until(() => page.evaluate(() => document.activeElement.dataset.name), 'Picture1'), 'Picture1');
  });

  pageTest(`on ${size} the readout follows a finger`, { ...options, needs: ['touch'] }, async (page) => {
    await plotRealExample(page);
    await page.evaluate((s) => document.querySelector(s).scrollIntoView({ block: 'center' }), canvas);
    const box = await page.box(canvas);
    const at = (x, y) => [box.x + box.width * x, box.y + box.height * y];
    await page.touch('start', ...at(0.5, 0.25));
    await page.touch('move', ...at(0.5, 0.26));
    await shows(page, 'Label16', /^17\.\d{3}$/, 'Form2');
    await page.touch('move', ...at(0.25, 0.75));
    await page.touch('end');
    await shows(page, 'Label29 Label32', /^8\.\d{3} 6\.\d\d$/, 'Form2');
  });
}

pageTest('a "Grafici" stopped by a fault leaves the frame and zero lines without the old traces', designed, async (page) => {
  await plotRealExample(page);
  assert.ok(await redRows(page) > 20);  // the trace spans v- to v+
  await type(page, 'Text4', '0.6');  // v- equal to Vd: the discharge time divides by zero
  await pressEnter(page, 'Command2');
  assert.deepEqual(await takeMessages(page, 1), ['Impossibile calcolare ts: v- è uguale a Vd (divisione per zero).']);
  assert.equal(await redRows(page), 1);
});

// Each label of the plot's areas: its centre as a fraction of its area's height, its left of the width.
const labelPlaces = () => Object.fromEntries([...document.querySelectorAll('#Form2 .picture > .label')]
  .filter((label) => label.checkVisibility() && label.textContent.trim())
  .map((label) => [label.dataset.name, [(label.offsetTop + label.offsetHeight / 2) / label.parentElement.clientHeight,
    label.offsetLeft / label.parentElement.clientWidth]]));

pageTest('a plot shown while the window narrows from a desktop to lists upright and turned keeps its labels in place', designed, async (page) => {
  await plotRealExample(page, 'Text4', '2');  // v- away from where the window's design has its caption
  const placed = await page.evaluate(labelPlaces);
  // A label within 5 % of another's level may be moved clear of it, the others stay put.
  const crowded = (name) => Object.keys(placed).some((other) => other !== name
    && Math.abs(placed[other][0] - placed[name][0]) < 0.05 && Math.abs(placed[other][1] - placed[name][1]) < 0.05);
  for (const [width, height] of [[500, 844], [844, 390]]) {  // MiniBrowser is never narrower than 447 px
    await page.resize(width, height);
    // The core places the labels again a moment after the resize, from its worker.
    const moved = await page.until(async () => {
      const now = await page.evaluate(labelPlaces);
      return Object.keys(placed).filter((name) => Math.abs(now[name][1] - placed[name][1]) > 0.05
        || Math.abs(now[name][0] - placed[name][0]) > (crowded(name) ? 0.2 : 0.05));
    }, []);
    assert.deepEqual(moved, [], `${width}`);
    assert.deepEqual(await page.evaluate(listProblems, 'Form2', 11), [], `${width}`);
  }
});

// The ideal example at N 10^6 with v+ = 0 (no y for vc on the plot) and with
// Vcc = 0 (none for vo): the same message and the same pixels whether one
// sampling worker takes its chunks or three share them.
pageTest('a "Grafici" whose traces stop ends alike with 1 and with 3 sampling workers', { ...designed, query: 'workers=1' }, async (page) => {
  const shared = await openPage({ ...designed, query: 'workers=3' });
  try {
    for (const typed of [['Text3', '0', 'Text4', '0.5', 'Text5', '1'], ['Text1', '0']]) {
      const outcomes = [];
      for (const p of [page, shared]) {
        await idle(p);
        await pressEnter(p, 'Command5');
        await idle(p);
        await type(p, ...typed, 'Text16', '1000000');
        await pressEnter(p, 'Command2');
        const [message] = await takeMessages(p, 1);
        outcomes.push([message, createHash('sha256').update((await canvasPixels(p)).rgba).digest('hex')]);
      }
      assert.deepEqual(outcomes[1], outcomes[0], typed.join(' '));
    }
  } finally {
    await shared.close();
  }
});
