// The page as its contract shows it: windows by id, controls by data-name,
// message boxes as modal <dialog>s; each test in the engine OSTREVO_ENGINE picks.
const assert = require('node:assert/strict');
const browser = require('./browser.js');

const control = (name, form = 'Form1') => `#${form} [data-name="${name}"]`;

// Waits until the main window is no longer busy: its core has loaded and the
// commands clicked so far have run.
async function idle(page) {
  assert.ok(await page.waitFor(() => document.getElementById('Form1')?.getAttribute('aria-busy') === 'false'));
}

// A test with the page opened (browser.js's options) and its program loaded.
function pageTest(name, options, body) {
  if (typeof options === 'function') [options, body] = [{}, options];
  browser.pageTest(name, options, async (page, t) => {
    await idle(page);
    await body(page, t);
  });
}

// Clicks the controls one after another (names of Form1, or "Form2:Name").
async function click(page, ...names) {
  for (const name of names) {
    const [form, controlName] = name.includes(':') ? name.split(':') : ['Form1', name];
    await page.click(control(controlName, form));
  }
}

// Presses a button of the main window by Enter, with the focus on it: the
// waveform window may cover it, where a click would land on that window.
async function pressEnter(page, name) {
  await page.focus(control(name));
  await page.press('Enter');
}

// Types each text into the field before it: type(page, 'Text1', '12', 'Text14', '1').
async function type(page, ...pairs) {
  for (let i = 0; i < pairs.length; i += 2) await page.fill(control(pairs[i]), pairs[i + 1]);
}

// The texts of the named controls of a window, blank-separated: a field's value, a label's text.
function shown(page, names, form = 'Form1') {
  return page.evaluate((names, form) => names.split(' ').map((name) => {
    const element = document.querySelector(`#${form} [data-name="${name}"]`);
    return element.matches('input') ? element.value : element.textContent.trim();
  }).join(' '), names, form);
}

// The same texts, awaited until they are the expected text or match the
// expression: a command shows its results after the frame of its busy sign.
async function shows(page, names, expected, form) {
  const value = await page.until(() => shown(page, names, form), expected);
  if (expected instanceof RegExp) assert.match(value, expected);
  else assert.equal(value, expected);
}

// Whether the element is shown (a window, the open message box).
const visible = (page, selector) => page.evaluate((s) => document.querySelector(s)?.checkVisibility() ?? false, selector);
async function becomes(page, selector, expected) {
  assert.equal(await page.until(() => visible(page, selector), expected), expected, `${selector} shown`);
}

// The text of the open message box: the element its aria-describedby names.
const messageText = (page) => page.evaluate(() =>
  document.getElementById(document.querySelector('dialog[open]').getAttribute('aria-describedby')).textContent.trim());

// The messages shown, in order, each closed with Enter.
async function takeMessages(page, count) {
  const texts = [];
  for (let i = 0; i < count; i++) {
    await becomes(page, 'dialog[open]', true);
    texts.push(await messageText(page));
    await page.press('Enter');  // closes the box at once; the next one opens after its close event
  }
  await becomes(page, 'dialog[open]', false);
  return texts;
}

// The real example, with fields typed over (type()'s pairs), plotted.
async function plotRealExample(page, ...typed) {
  await click(page, 'Command6');
  await idle(page);
  await type(page, ...typed);
  await click(page, 'Command2');
  await becomes(page, '#Form2', true);
  assert.ok(await page.waitFor(() => document.getElementById('Form1').getAttribute('aria-busy') !== 'true'));
}

// The plot's canvas: its pixels as RGBA bytes, whatever context the page draws with.
async function canvasPixels(page) {
  const canvas = `${control('Picture1', 'Form2')} canvas`;
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

// Rows of the canvas that hold the red of vc(t): its zero line alone, or the trace too.
const redRows = async (page) => {
  const { width, rgba } = await canvasPixels(page);
  const rows = new Set();
  for (let i = 0; i < rgba.length; i += 4) if (rgba.readUInt32BE(i) === 0xff0000ff) rows.add(Math.floor(i / 4 / width));
  return rows.size;
};

module.exports = { control, pageTest, idle, click, pressEnter, type, shown, shows, visible, becomes, messageText, takeMessages, plotRealExample, canvasPixels, redRows };
