// The waveform window's plot: its pixels against the desktop's raster, and
// the readout under the mouse and under a finger.
const { test, expect } = require('@playwright/test');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { control, open, click, shows } = require('./page.js');

const desktopRaster = process.env.OSTREVO_DESKTOP_RASTER ??
  path.resolve(__dirname, '../../build/release/tests/web/ostrevo_desktop_raster');
const canvasOf = (page) => control(page, 'Picture1', 'Form2').locator('canvas');

async function plotRealExample(page) {
  await open(page);
  await click(page, 'Command6', 'Command2');
  await expect(page.locator('#Form2')).toBeVisible();
  await expect(page.locator('#Form1')).not.toHaveAttribute('aria-busy', 'true');
}

// The canvas's pixels as RGBA bytes, whatever context the page draws with.
async function canvasPixels(page) {
  const { width, height, base64 } = await canvasOf(page).evaluate((canvas) => {
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const bytes = context.getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, base64: btoa(binary) };
  });
  return { width, height, rgba: Buffer.from(base64, 'base64') };
}

test.describe('at the designed size', () => {
  test.use({ viewport: { width: 1366, height: 900 }, deviceScaleFactor: 1 });

  test('the canvas shows the desktop\'s raster of the real example, pixel for pixel', async ({ page }, testInfo) => {
    await plotRealExample(page);
    const { width, height, rgba } = await canvasPixels(page);
    expect([width, height]).toEqual([921, 633]);  // Picture1's inner area, 13875 × 9555 twips less the border
    const file = testInfo.outputPath('desktop.rgba');
    execFileSync(desktopRaster, [String(width), String(height), file]);
    const desktop = fs.readFileSync(file);
    const differing = [];
    for (let i = 0; i < rgba.length; i += 4) {
      if (rgba.readUInt32BE(i) !== desktop.readUInt32BE(i)) differing.push(`(${(i / 4) % width}, ${Math.floor(i / 4 / width)})`);
    }
    expect(differing.slice(0, 20)).toEqual([]);
  });

  test('the readout follows the mouse over either trace', async ({ page }) => {
    await plotRealExample(page);
    const box = await canvasOf(page).boundingBox();
    // Half the plot's 5 periods of 6.92644 usec; a quarter down is user y 75,
    // 25/45 of v+ = 6.7 V on vc; three quarters down, user y 25, 25/45 of Vcc on vo.
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 4);
    await shows(page, 'Label16 Label17', 'Form2').toMatch(/^17\.3\d\d 3\.7\d$/);
    await expect(control(page, 'Option1', 'Form2').locator('input')).toBeChecked();
    await page.mouse.move(box.x + box.width / 4, box.y + box.height * 3 / 4);
    await shows(page, 'Label29 Label32', 'Form2').toMatch(/^8\.6\d\d 6\.6\d$/);
    await expect(control(page, 'Option3', 'Form2').locator('input')).toBeChecked();
  });
});

test.describe('on a phone', () => {
  test.use({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true });

  // Every field and button inside the width and at least 24 CSS px tall (WCAG 2.2 target size).
  async function expectReachableTargets(page, form) {
    const boxes = await page.locator(`#${form} input:not([type=radio]), #${form} button`).evaluateAll((elements) =>
      elements.map((element) => [element.closest('[data-name]').dataset.name, element.getBoundingClientRect().toJSON()]));
    for (const [name, box] of boxes) {
      expect([name, box.left >= 0, box.right <= 390, box.height >= 24]).toEqual([name, true, true, true]);
    }
    expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(390);
  }

  test('both windows fit the width with targets of 24 px, and the readout follows a finger', async ({ page }) => {
    await open(page);
    await expectReachableTargets(page, 'Form1');
    await control(page, 'Command6').tap();
    await control(page, 'Command2').tap();
    await expect(page.locator('#Form2')).toBeVisible();
    await expectReachableTargets(page, 'Form2');

    const canvas = canvasOf(page);
    await canvas.scrollIntoViewIfNeeded();
    const box = await canvas.boundingBox();
    const cdp = await page.context().newCDPSession(page);
    const touch = (type, x, y) => cdp.send('Input.dispatchTouchEvent',
      { type, touchPoints: type === 'touchEnd' ? [] : [{ x: box.x + box.width * x, y: box.y + box.height * y }] });
    await touch('touchStart', 0.5, 0.25);
    await touch('touchMove', 0.5, 0.26);
    await shows(page, 'Label16', 'Form2').toMatch(/^17\.\d{3}$/);
    await touch('touchMove', 0.25, 0.75);
    await touch('touchEnd');
    await shows(page, 'Label29 Label32', 'Form2').toMatch(/^8\.\d{3} 6\.\d\d$/);
  });
});
