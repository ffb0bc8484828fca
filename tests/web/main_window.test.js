// The main window's commands and message boxes, through the real page.
const { test, expect } = require('@playwright/test');
const { control, message, open, click, type, shown, shows, takeMessages, messageText } = require('./page.js');

const circuitFields = 'Text1 Text2 Text9 Text10 Text11 Text12 Text8 Text3 Text4 Text5 Text6 Text16';
const examples = [
  { button: 'Command5', fields: '12 22 4.7 0 0 0 1 8 4 0 5 1000', results: '3.258 15.249' },
  { button: 'Command6', fields: '12 22 4.7 195 75 5 1 6.7 5.33 0.6 5 1000', results: '1.221 5.706' },
];
for (const [locale, separator] of [['en-US', '.'], ['it-IT', ',']]) {
  test.describe(locale, () => {
    test.use({ locale });
    test('both examples fill the fields and compute ts and tc in the locale', async ({ page }) => {
      await open(page);
      for (const { button, fields, results } of examples) {
        await click(page, button, 'Command1');
        await shows(page, circuitFields).toBe(fields);  // typed texts keep the point
        await shows(page, 'Label9 Label11').toBe(results.replaceAll('.', separator));
      }
      await expect(message(page)).toHaveCount(0);
    });
  });
}

test('the design writes Rc, Rs and C in blue and shows both warnings in order', async ({ page }) => {
  await open(page);
  await type(page, 'Text1', '12', 'Text14', '1', 'Text13', '0.1', 'Text15', '5');
  await click(page, 'Command4');
  expect(await takeMessages(page, 2)).toEqual([
    "Controlla la corrente max fornita dall'uscita!",
    "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!"]);
  await shows(page, 'Label31 Label30 Text2 Text9 Text8').toBe('1.443E-01 7.213E+00 1.443E-01 7.213E+00 1.000E+00');
  for (const name of ['Text2', 'Text9', 'Text8']) await expect(control(page, name)).toHaveCSS('color', 'rgb(0, 0, 255)');
});

test('a fault ends in its message; what was shown and drawn stays', async ({ page }) => {
  await open(page);
  await click(page, 'Command6', 'Command1');
  await type(page, 'Text4', '0.6');  // v- equal to Vd: the discharge time divides by zero
  for (const command of ['Command1', 'Command2']) {
    await click(page, command);
    expect(await takeMessages(page, 1)).toEqual(['Impossibile calcolare ts: v- è uguale a Vd (divisione per zero).']);
    await shows(page, 'Label9 Label11 Text4').toBe('1.221 5.706 0.6');
  }
  await expect(page.locator('#Form2')).toBeVisible();  // "Grafici" had shown the window before the fault
});

test('a message box is modal: Enter, Escape or OK close it, a click beside it or behind it does nothing', async ({ page }) => {
  await open(page);
  for (const close of ['Enter', 'Escape', 'OK']) {
    await click(page, 'Command1');  // every field empty
    const box = page.getByRole('dialog', { name: 'Ostrevo' });
    await expect(box).toBeVisible();
    expect(await box.evaluate((dialog) => dialog.matches(':modal'))).toBe(true);
    expect(await messageText(page)).toBe('Hai dimenticato di scrivere la tensione di alimentazione Vcc');
    await expect(box.getByRole('button')).toHaveCount(1);
    await expect(box.getByRole('button', { name: 'OK' })).toBeFocused();
    await page.mouse.click(3, 3);
    const behind = await control(page, 'Command6').boundingBox();
    await page.mouse.click(behind.x + behind.width / 2, behind.y + behind.height / 2);
    await expect(box.getByRole('button', { name: 'OK' })).toBeFocused();
    await shows(page, 'Text1').toBe('');
    if (close === 'OK') await box.getByRole('button', { name: 'OK' }).click();
    else await page.keyboard.press(close);
    await expect(message(page)).toHaveCount(0);
  }
});

test('the window is busy while its command runs, and no longer when its messages show', async ({ page }) => {
  await open(page);
  await page.evaluate(() => {
    window.busyLog = [];
    new MutationObserver((records) => {
      for (const record of records) {
        if (record.attributeName === 'aria-busy' && record.target.id === 'Form1') window.busyLog.push(`busy was ${record.oldValue}`);
        if (record.target.matches?.('dialog[open]') || record.addedNodes[0]?.matches?.('dialog[open]')) window.busyLog.push('message');
      }
    }).observe(document.body, { subtree: true, childList: true, attributes: true, attributeOldValue: true });
  });
  await type(page, 'Text1', '12', 'Text14', '1', 'Text13', '0.1', 'Text15', '5');
  await click(page, 'Command4');
  await expect(message(page)).toBeVisible();
  const log = await page.evaluate(() => window.busyLog);
  expect(log.indexOf('busy was true')).toBeGreaterThanOrEqual(0);
  expect(log.indexOf('busy was true')).toBeLessThan(log.indexOf('message'));
  expect(await control(page, 'Text1').evaluate((field) => field.closest('#Form1').getAttribute('aria-busy'))).not.toBe('true');
});

test('a field takes 100,000 characters and the check reads them all', async ({ page }) => {
  await open(page);
  await click(page, 'Command6');
  await type(page, 'Text1', '1'.repeat(99_999) + 'x');
  expect((await shown(page, 'Text1')).length).toBe(100_000);
  await click(page, 'Command2');  // checks before it reads
  expect((await takeMessages(page, 1))[0]).toMatch(/^Errore di inserimento dati per la tensione di alimentazione Vcc\./);
});

const focusedName = (page) => page.evaluate(() => document.activeElement.closest('[data-name]')?.dataset.name);

test('Tab follows the designed order of both windows; Enter and Space press buttons', async ({ page }) => {
  await open(page);
  const order = ['Text1', 'Text2', 'Text3', 'Text4', 'Command1', 'Text6', 'Command2', 'Text8', 'Command3', 'Text9',
    'Text10', 'Text11', 'Text12', 'Text5', 'Text14', 'Command4', 'Text13', 'Text15', 'Text16', 'Command5', 'Command6'];
  const visited = [await focusedName(page)];
  for (let i = 1; i < order.length; i++) {
    await page.keyboard.press('Tab');
    visited.push(await focusedName(page));
  }
  expect(visited).toEqual(order);
  await page.keyboard.press('Enter');  // "Ostrevo reale, dati esempio"
  await control(page, 'Command1').focus();
  await page.keyboard.press(' ');
  await shows(page, 'Text3 Label9').toBe('6.7 1.221');

  await control(page, 'Command2').focus();
  await page.keyboard.press('Enter');
  await expect(page.locator('#Form2')).toBeVisible();
  await control(page, 'Picture1', 'Form2').focus();
  const form2 = [];
  for (let i = 0; i < 3; i++) {
    await page.keyboard.press('Tab');
    form2.push(await focusedName(page));
  }
  expect(form2).toEqual(['Picture3', 'Command1', 'Option1']);
  await control(page, 'Command1', 'Form2').focus();
  await page.keyboard.press(' ');
  await expect(page.locator('#Form2')).toBeHidden();
});

test('"Esci" of the waveform window hides it; "Esci" of the main window ends the program, which starts again', async ({ page }) => {
  await open(page);
  await click(page, 'Command6', 'Command2');
  await expect(page.locator('#Form2')).toBeVisible();
  await click(page, 'Form2:Command1');
  await expect(page.locator('#Form2')).toBeHidden();
  await click(page, 'Command2');
  await control(page, 'Command3').press('Enter');  // the waveform window may cover it
  await expect(page.locator('#Form1')).toBeHidden();
  await expect(page.locator('#Form2')).toBeHidden();
  const again = page.locator('a:visible, button:visible');
  await expect(again).toHaveCount(1);
  await again.click();
  await expect(control(page, 'Text16')).toHaveValue('1000');
  await shows(page, 'Text1 Text6').toBe(' 5');
});
