// The main window's commands and message boxes, through the real page.
const assert = require('node:assert/strict');
const browser = require('./browser.js');
const { control, pageTest, click, pressEnter, type, shown, shows, visible, becomes, messageText, takeMessages } = require('./page.js');

const circuitFields = 'Text1 Text2 Text9 Text10 Text11 Text12 Text8 Text3 Text4 Text5 Text6 Text16';
const examples = [
  { button: 'Command5', fields: '12 22 4.7 0 0 0 1 8 4 0 5 1000', results: '3.258 15.249' },
  { button: 'Command6', fields: '12 22 4.7 195 75 5 1 6.7 5.33 0.6 5 1000', results: '1.221 5.706' },
];
for (const [locale, separator] of [['en-US', '.'], ['it-IT', ',']]) {
  pageTest(`${locale}: both examples fill the fields and compute ts and tc in the locale`, { locale }, async (page) => {
    for (const { button, fields, results } of examples) {
      await click(page, button, 'Command1');
      await shows(page, circuitFields, fields);  // typed texts keep the point
      await shows(page, 'Label9 Label11', results.replaceAll('.', separator));
    }
    assert.equal(await visible(page, 'dialog[open]'), false);
  });
}

// Run before the page's own scripts: the workers are told to load the core only once the test releases it.
function holdCore() {
  const released = new Promise((resolve) => { window.releaseCore = resolve; });
  const post = Worker.prototype.postMessage;
  Worker.prototype.postMessage = function held(...args) { released.then(() => post.apply(this, args)); };
}

browser.pageTest('the main window is laid out before the core has loaded; a click waits for the core', { blank: true }, async (page) => {
  await page.gotoWatched(page.url, holdCore);
  await shows(page, 'Text6 Text16', '5 1000');
  assert.equal(await visible(page, '#Form1'), true);
  await click(page, 'Command6');
  assert.equal(await page.evaluate(() => document.getElementById('Form1').getAttribute('aria-busy')), 'true');
  await page.evaluate(() => window.releaseCore());
  await shows(page, 'Text1', '12');
});

// Run before the page's own scripts: the core's worker breaks once a command is sent to it.
function breakCoreOnClick() {
  const post = Worker.prototype.postMessage;
  Worker.prototype.postMessage = function breaking(message, ...rest) {
    if (message?.kind !== 'click') return post.call(this, message, ...rest);
    setTimeout(() => this.dispatchEvent(new Event('error')));
  };
}

browser.pageTest('a core worker that breaks ends the command with the page\'s message, in the core\'s words', { blank: true }, async (page) => {
  await page.gotoWatched(page.url, breakCoreOnClick);
  await click(page, 'Command6');
  assert.deepEqual(await takeMessages(page, 1), [
    'Impossibile completare il comando: il browser non ha concesso le risorse necessarie (per esempio la memoria).']);
  assert.equal(await page.evaluate(() => document.getElementById('Form1').getAttribute('aria-busy')), 'false');
});

pageTest('the design writes Rc, Rs and C in blue and shows both warnings in order', async (page) => {
  await type(page, 'Text1', '12', 'Text14', '1', 'Text13', '0.1', 'Text15', '5');
  await click(page, 'Command4');
  assert.deepEqual(await takeMessages(page, 2), [
    "Controlla la corrente max fornita dall'uscita!",
    "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!"]);
  await shows(page, 'Label31 Label30 Text2 Text9 Text8', '1.443E-01 7.213E+00 1.443E-01 7.213E+00 1.000E+00');
  assert.deepEqual(await page.evaluate((selectors) => selectors.map((s) => getComputedStyle(document.querySelector(s)).color),
    ['Text2', 'Text9', 'Text8'].map((name) => control(name))), Array(3).fill('rgb(0, 0, 255)'));
});

pageTest('a fault ends in its message; what was shown and drawn stays', async (page) => {
  await click(page, 'Command6', 'Command1');
  await shows(page, 'Label9 Label11', '1.221 5.706');  // commands run in turn: typing waits for them
  await type(page, 'Text4', '0.6');  // v- equal to Vd: the discharge time divides by zero
  for (const command of ['Command1', 'Command2']) {
    await click(page, command);
    assert.deepEqual(await takeMessages(page, 1), ['Impossibile calcolare ts: v- è uguale a Vd (divisione per zero).']);
    await shows(page, 'Label9 Label11 Text4', '1.221 5.706 0.6');
  }
  assert.equal(await visible(page, '#Form2'), true);  // "Grafici" had shown the window before the fault
});

pageTest('a message box is modal: Enter, Escape or OK close it, a click beside it or behind it does nothing', async (page) => {
  const box = () => page.evaluate(() => {
    const dialog = document.querySelector('dialog[open]');
    return dialog && {
      modal: dialog.matches(':modal'),
      title: document.getElementById(dialog.getAttribute('aria-labelledby')).textContent.trim(),
      buttons: [...dialog.querySelectorAll('button')].map((b) => b.textContent.trim()),
      focused: document.activeElement.closest('dialog') === dialog && document.activeElement.textContent.trim(),
    };
  });
  const shownBox = { modal: true, title: 'Ostrevo', buttons: ['OK'], focused: 'OK' };
  for (const close of ['Enter', 'Escape', 'OK']) {
    await click(page, 'Command1');  // every field empty
    assert.deepEqual(await page.until(box, shownBox), shownBox);
    assert.equal(await messageText(page), 'Hai dimenticato di scrivere la tensione di alimentazione Vcc');
    await page.mouse(3, 3, true);
    const behind = await page.box(control('Command6'));
    await page.mouse(behind.x + behind.width / 2, behind.y + behind.height / 2, true);
    assert.deepEqual(await box(), shownBox, `after the clicks, then ${close}`);
    assert.equal(await shown(page, 'Text1'), '');
    if (close === 'OK') await page.click('dialog[open] button');
    else await page.press(close);
    await becomes(page, 'dialog[open]', false);
  }
});

pageTest('the window is busy while its command runs, and no longer when its messages show', async (page) => {
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
  await becomes(page, 'dialog[open]', true);
  const log = await page.evaluate(() => window.busyLog);
  assert.ok(log.indexOf('busy was true') >= 0, log.join());
  assert.ok(log.indexOf('busy was true') < log.indexOf('message'), log.join());
  assert.notEqual(await page.evaluate(() => document.getElementById('Form1').getAttribute('aria-busy')), 'true');
});

pageTest('a field takes 100,000 characters and the check reads them all', async (page) => {
  await click(page, 'Command6');
  await shows(page, 'Text1', '12');
  await type(page, 'Text1', '1'.repeat(99_999) + 'x');
  assert.equal((await shown(page, 'Text1')).length, 100_000);
  await click(page, 'Command2');  // checks before it reads
  assert.match((await takeMessages(page, 1))[0], /^Errore di inserimento dati per la tensione di alimentazione Vcc\./);
});

const focusedName = (page) => page.evaluate(() => document.activeElement.closest('[data-name]')?.dataset.name);

pageTest('Tab follows the designed order of both windows; Enter and Space press buttons', async (page) => {
  const order = ['Text1', 'Text2', 'Text3', 'Text4', 'Command1', 'Text6', 'Command2', 'Text8', 'Command3', 'Text9',
    'Text10', 'Text11', 'Text12', 'Text5', 'Text14', 'Command4', 'Text13', 'Text15', 'Text16', 'Command5', 'Command6'];
  const visited = [await focusedName(page)];
  for (let i = 1; i < order.length; i++) {
    await page.press('Tab');
    visited.push(await focusedName(page));
  }
  assert.deepEqual(visited, order);
  await page.press('Enter');  // "Ostrevo reale, dati esempio"
  await shows(page, 'Text1', '12');
  await page.focus(control('Command1'));
  await page.press(' ');
  await shows(page, 'Text3 Label9', '6.7 1.221');

  await page.focus(control('Command2'));
  await page.press('Enter');
  assert.ok(await page.waitFor(() => document.getElementById('Form2').contains(document.activeElement)));
  await page.focus(control('Picture1', 'Form2'));
  const form2 = [];
  for (let i = 0; i < 3; i++) {
    await page.press('Tab');
    form2.push(await focusedName(page));
  }
  assert.deepEqual(form2, ['Picture3', 'Command1', 'Option1']);
  await page.focus(control('Command1', 'Form2'));
  await page.press(' ');
  await becomes(page, '#Form2', false);
});

pageTest('"Esci" of the waveform window hides it; "Esci" of the main window ends the program, which starts again', async (page) => {
  await click(page, 'Command6', 'Command2');
  await becomes(page, '#Form2', true);
  await click(page, 'Form2:Command1');
  await becomes(page, '#Form2', false);
  await click(page, 'Command2');
  // Once the window opens with the focus on its first control, the command is done.
  assert.ok(await page.waitFor(() => document.getElementById('Form2').contains(document.activeElement)));
  await pressEnter(page, 'Command3');
  await becomes(page, '#Form1', false);
  assert.equal(await visible(page, '#Form2'), false);
  const again = () => page.evaluate(() => [...document.querySelectorAll('a, button')].filter((e) => e.checkVisibility()).map((e) => e.id));
  assert.deepEqual(await page.until(again, ['restart']), ['restart']);
  assert.deepEqual(await page.evaluate(() => [document.querySelector('#ended h1').textContent, document.activeElement.textContent]),
    ['Il programma Ostrevo è terminato.', 'Avvia di nuovo Ostrevo']);
  await page.click('#restart');
  await shows(page, 'Text16', '1000');
  await shows(page, 'Text1 Text6', ' 5');
});
