// The page as its contract shows it: windows by id, controls by data-name,
// message boxes as modal <dialog>s.
const { expect } = require('@playwright/test');

const control = (page, name, form = 'Form1') => page.locator(`#${form} [data-name="${name}"]`);
const message = (page) => page.locator('dialog[open]');

// Opens the page and waits until its program has loaded (N shows "1000").
async function open(page) {
  await page.goto('/');
  await expect(control(page, 'Text16')).toHaveValue('1000');
}

// Clicks the controls one after another (names of Form1, or "Form2:Name").
async function click(page, ...names) {
  for (const name of names) {
    const [form, controlName] = name.includes(':') ? name.split(':') : ['Form1', name];
    await control(page, controlName, form).click();
  }
}

// Types each text into the field before it: type(page, 'Text1', '12', 'Text14', '1').
async function type(page, ...pairs) {
  for (let i = 0; i < pairs.length; i += 2) await control(page, pairs[i]).fill(pairs[i + 1]);
}

// The texts of the named controls of a window, blank-separated: a field's value, a label's text.
function shown(page, names, form = 'Form1') {
  return page.evaluate(([names, form]) => names.split(' ').map((name) => {
    const element = document.querySelector(`#${form} [data-name="${name}"]`);
    return element.matches('input') ? element.value : element.textContent.trim();
  }).join(' '), [names, form]);
}

// The same texts, awaited until they match: a command shows its results after the frame of its busy sign.
const shows = (page, names, form) => expect.poll(() => shown(page, names, form));

// The messages shown, in order, each closed with Enter.
async function takeMessages(page, count) {
  const texts = [];
  for (let i = 0; i < count; i++) {
    texts.push(await messageText(page));
    await page.keyboard.press('Enter');
  }
  await expect(message(page)).toHaveCount(0);
  return texts;
}

// The text of the open message box: the element its aria-describedby names.
async function messageText(page) {
  const id = await message(page).getAttribute('aria-describedby');
  return (await page.locator(`[id="${id}"]`).textContent()).trim();
}

module.exports = { control, message, open, click, type, shown, shows, takeMessages, messageText };
