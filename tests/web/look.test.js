// How the page looks to everyone: the dark scheme's contrast and axe-core's
// WCAG 2 A and AA rules, on the main window, both windows and a message box.
const { test, expect } = require('@playwright/test');
const { open, click, type } = require('./page.js');

// Every text of both windows against the first opaque colour behind it: the
// contrast ratio of WCAG 2, listed when below 3:1.
function lowContrastTexts() {
  const channels = (colour) => colour.match(/[\d.]+/g).map(Number);
  const luminance = ([r, g, b]) => [r, g, b].map((c) => {
    const s = c / 255;
    return s <= 0.04045 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
  }).reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const background = (element) => {
    for (let e = element; e; e = e.parentElement) {
      const colour = channels(getComputedStyle(e).backgroundColor);
      if (colour[3] === undefined || colour[3] > 0) return colour;
    }
    return [255, 255, 255];
  };
  const hasText = (e) => (e.matches('input') ? e.type !== 'radio' && e.value : [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()));
  const low = [];
  for (const element of document.querySelectorAll('#Form1 *, #Form2 *')) {
    if (!element.checkVisibility() || !hasText(element)) continue;
    const [fg, bg] = [channels(getComputedStyle(element).color), background(element)].map(luminance);
    const ratio = (Math.max(fg, bg) + 0.05) / (Math.min(fg, bg) + 0.05);
    if (ratio < 3) low.push(`${element.closest('[data-name]')?.dataset.name ?? element.tagName} ${ratio.toFixed(2)}`);
  }
  return low;
}

test.describe('dark colour scheme', () => {
  test.use({ colorScheme: 'dark' });
  test('every text stands at least 3:1 against its background', async ({ page }) => {
    await open(page);
    await type(page, 'Text1', '12', 'Text14', '1', 'Text13', '10', 'Text15', '5');
    await click(page, 'Command4', 'Command6', 'Command1', 'Command2');
    const plot = await page.locator('#Form2 [data-name="Picture1"]').boundingBox();
    await page.mouse.move(plot.x + plot.width / 2, plot.y + plot.height / 4);
    expect(await page.evaluate(lowContrastTexts)).toEqual([]);
  });
});

async function seriousViolations(page) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const { violations } = await page.evaluate(() => axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa'] },
    rules: { 'color-contrast': { enabled: false } },  // the designed colours stay; the dark-scheme test checks 3:1
  }));
  return violations.filter((v) => ['serious', 'critical'].includes(v.impact))
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

test('axe-core finds nothing serious on the main window, a message box and both windows', async ({ page }) => {
  await open(page);
  expect(await seriousViolations(page)).toEqual([]);
  await click(page, 'Command1');
  await expect(page.locator('dialog[open]')).toBeVisible();
  expect(await seriousViolations(page)).toEqual([]);
  await page.keyboard.press('Enter');
  await click(page, 'Command6', 'Command2');
  expect(await seriousViolations(page)).toEqual([]);
});
