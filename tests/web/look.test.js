// How the page looks to everyone: the dark scheme's contrast and axe-core's
// WCAG 2 A and AA rules, on the main window, both windows and a message box.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { control, pageTest, click, type, becomes } = require('./page.js');

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

pageTest('in the dark colour scheme every text stands at least 3:1 against its background', { dark: true }, async (page) => {
  assert.equal(await page.evaluate(() => matchMedia('(prefers-color-scheme: dark)').matches), true);
  await type(page, 'Text1', '12', 'Text14', '1', 'Text13', '10', 'Text15', '5');
  await click(page, 'Command4', 'Command6', 'Command1', 'Command2');
  await becomes(page, '#Form2', true);
  const plot = await page.box(control('Picture1', 'Form2'));
  await page.mouse(plot.x + plot.width / 2, plot.y + plot.height / 4);
  assert.deepEqual(await page.evaluate(lowContrastTexts), []);
});

const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

async function seriousViolations(page) {
  await page.evaluate((source) => 'axe' in window || (0, eval)(source), axeSource);
  return page.evaluate(async () => {
    const { violations } = await axe.run(document, {
      runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa'] },
      rules: { 'color-contrast': { enabled: false } },  // the designed colours stay; the dark-scheme test checks 3:1
    });
    return violations.filter((v) => ['serious', 'critical'].includes(v.impact))
      .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  });
}

pageTest('axe-core finds nothing serious on the main window, a message box and both windows, the plot focused with its cursor', async (page) => {
  assert.deepEqual(await seriousViolations(page), []);
  await click(page, 'Command1');
  await becomes(page, 'dialog[open]', true);
  assert.deepEqual(await seriousViolations(page), []);
  await page.press('Enter');
  await click(page, 'Command6', 'Command2');
  await becomes(page, '#Form2', true);
  await page.focus(control('Picture1', 'Form2'));
  await page.press('End');
  await page.until(() => page.evaluate(() => document.getElementById('spoken').textContent), (text) => text !== '');
  assert.deepEqual(await seriousViolations(page), []);
});
