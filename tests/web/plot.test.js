// The waveform window's plot: its pixels against the desktop's raster, and
// the readout under the mouse and under a finger.
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { control, pageTest, click, shows, becomes } = require('./page.js');

const desktopRaster = process.env.OSTREVO_DESKTOP_RASTER ??
  path.resolve(__dirname, '../../build/release/tests/web/ostrevo_desktop_raster');
const canvas = `${control('Picture1', 'Form2')} canvas`;

async function plotRealExample(page) {
  await click(page, 'Command6', 'Command2');
  await becomes(page, '#Form2', true);
  assert.ok(await page.waitFor(() => document.getElementById('Form1').getAttribute('aria-busy') !== 'true'));
}

// The canvas's pixels as RGBA bytes, whatever context the page draws with.
async function canvasPixels(page) {
  const { width, height, base64 } = await page.evaluate((selector) => {
    const canvas = document.querySelector(selector);
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const bytes = context.getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, base64: btoa(binary) };
  }, canvas);
  return { width, height, rgba: Buffer.from(base64, 'base64') };
}

const designed = { width: 1366, height: 900 };

pageTest('the canvas shows the desktop\'s raster of the real example, pixel for pixel', designed, async (page) => {
  await plotRealExample(page);
  const { width, height, rgba } = await canvasPixels(page);
  assert.deepEqual([width, height], [921, 633]);  // Picture1's inner area, 13875 × 9555 twips less the border
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrevo-raster-'));
  try {
    execFileSync(desktopRaster, [String(width), String(height), path.join(folder, 'desktop.rgba')]);
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
  await shows(page, 'Label29 Label32', /^8\.6\d\d 6\.6\d$/, 'Form2');
  assert.equal(await checked(page, 'Option3'), true);
});

const phone = { width: 390, height: 844, ratio: 3, touch: true };

// Every field and button inside the width and at least 24 CSS px tall (WCAG 2.2 target size), and no sideways scrolling.
async function assertReachableTargets(page, form) {
  const misfits = await page.evaluate((form) => [...document.querySelectorAll(`#${form} input:not([type=radio]), #${form} button`)]
    .map((element) => [element.closest('[data-name]').dataset.name, element.getBoundingClientRect()])
    .filter(([, box]) => box.left < 0 || box.right > 390 || box.height < 24)
    .map(([name, box]) => `${name} ${box.left}..${box.right} × ${box.height}`), form);
  assert.deepEqual(misfits, [], form);
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= 390, 'no sideways scrolling');
}

pageTest('on a phone both windows fit the width with targets of at least 24 px', phone, async (page) => {
  await assertReachableTargets(page, 'Form1');
  await plotRealExample(page);
  await assertReachableTargets(page, 'Form2');
});

pageTest('on a phone the readout follows a finger', { ...phone, needs: ['touch'] }, async (page) => {
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
