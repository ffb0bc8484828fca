// Links: the page's address opens a circuit (fields, then commands in turn)
// and follows what the main window shows; the page in another site's page.
const assert = require('node:assert/strict');
const browser = require('./browser.js');
const { pageTest, idle, click, type, shown, shows, becomes, takeMessages, redRows } = require('./page.js');

const real = 'Vcc=12&Rc=22&Rs=4.7&RoH=195&RoL=75&Ci=5&C=1&vp=6.7&vm=5.33&Vd=0.6&NP=5&N=1000';
const markup = '<img src=x onerror="window.injected=1">';
const search = (page) => page.evaluate(() => location.search);
const historyLength = (page) => page.evaluate(() => history.length);

pageTest('a link fills the fields, runs its commands in order and goes on after warnings',
  { query: 'Vcc=12&pC=1&ptc=0.05&pts=0.05&run=rcrs,reale,tstc,grafici' }, async (page) => {
    assert.deepEqual(await takeMessages(page, 2), [
      "Controlla la corrente max fornita dall'uscita!",
      "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!"]);
    await becomes(page, '#Form2', true);
    await shows(page, 'Label31 Text2 Label9 Label11', '7.213E-02 22 1.221 5.706');
    assert.ok(await page.until(() => redRows(page), (rows) => rows > 100));
  });

pageTest('a link stops at the first command that stops; markup in a value stays text',
  { query: `${real}&pC=1&ptc=10&pts=${encodeURIComponent(markup)}&run=tstc,rcrs,grafici,ideale` }, async (page) => {
    assert.match((await takeMessages(page, 1))[0], /^Errore di inserimento dati per il valore del tempo di scarica ts/);
    await shows(page, 'Label9 Label11 Text1 Label31', '1.221 5.706 12 ');
    assert.equal(await shown(page, 'Text15'), markup);
    await idle(page);
    assert.deepEqual(await page.evaluate(() => [window.injected ?? 'none', document.querySelectorAll('img').length]), ['none', 1]);
    assert.equal(await page.evaluate(() => document.getElementById('Form2')?.checkVisibility() ?? false), false);
  });

pageTest('a link naming an unknown command fills the fields, runs nothing and names it',
  { query: `Vcc=7&Rc=${'1'.repeat(100_000)}&run=reale,${encodeURIComponent('<b>x</b>')}` }, async (page) => {
    assert.deepEqual(await takeMessages(page, 1), ['Il link chiede il comando "<b>x</b>", che non esiste: non è stato ' +
      'eseguito nessun comando. I comandi sono ideale, reale, tstc, rcrs e grafici.']);
    await shows(page, 'Text1 Text9', '7 ');
    assert.equal(await shown(page, 'Text2'), '1'.repeat(100_000));
    assert.equal(await page.evaluate(() => document.querySelectorAll('#message-text *').length), 0);
  });

pageTest('the address follows typing, the examples and the design; a reload and going back show it all again', async (page) => {
  const entries = await historyLength(page);
  await click(page, 'Command6');
  assert.equal(await page.until(() => search(page), `?${real}`), `?${real}`);
  await type(page, 'Text1', '9 è&=');
  const typed = `?Vcc=9+%C3%A8%26%3D${real.slice('Vcc=12'.length)}`;
  assert.equal(await page.until(() => search(page), typed), typed);
  await type(page, 'Text1', '12', 'Text14', '1', 'Text13', '10', 'Text15', '5');
  await click(page, 'Command4', 'Command1', 'Command2');
  await becomes(page, '#Form2', true);
  const designed = '?Vcc=12&Rc=1.443E%2B01&Rs=7.213E%2B00&RoH=195&RoL=75&Ci=5&C=1.000E%2B00&vp=6.7&vm=5.33&Vd=0.6&NP=5' +
    '&N=1000&pC=1&ptc=10&pts=5&run=tstc,grafici';
  assert.equal(await page.until(() => search(page), designed), designed);
  assert.equal(await historyLength(page), entries);

  const everything = 'Text1 Text2 Text9 Text8 Text14 Label9 Label11';
  const before = await shown(page, everything);
  const rows = await redRows(page);
  for (const leave of [() => page.reload(), async () => {
    await page.evaluate(() => setTimeout(() => { location.href = new URL('elsewhere', location.href).href; }));
    await page.until(() => page.evaluate(() => location.pathname), '/elsewhere');
    await page.evaluate(() => setTimeout(() => history.back()));
  }]) {
    await leave();
    await becomes(page, '#Form2', true);
    await shows(page, everything, before);
    assert.equal(await page.until(() => redRows(page), rows), rows);
    assert.equal(await page.until(() => search(page), designed), designed);
  }
  await click(page, 'Form2:Command1');
  const closed = designed.replace(',grafici', '');
  assert.equal(await page.until(() => search(page), closed), closed);
});

// The page from 127.0.0.1 inside a page of localhost, another site: it
// computes, plots, keeps its own address and leaves the outer page's focus.
browser.pageTest('in a page of another site the page opens its link, computes and plots', { blank: true }, async (page) => {
  const outer = page.url.replace('127.0.0.1', 'localhost');
  await page.embed(`${page.url}?${real}&run=tstc,grafici`, outer);
  await becomes(page, '#Form2', true);
  await shows(page, 'Label9 Label11', '1.221 5.706');
  assert.ok(await page.until(() => redRows(page), (rows) => rows > 100));
  assert.equal(await page.evaluate(() => document.hasFocus() || document.activeElement === document.body), true);
  await type(page, 'Text16', '500');
  assert.match(await page.until(() => search(page), /N=500&/), /N=500&run=tstc,grafici$/);
  await click(page, 'Form2:Command1');
  await becomes(page, '#Form2', false);
  await click(page, 'Command5', 'Command1');
  await shows(page, 'Label9 Label11', '3.258 15.249');
  const ideal = /^\?Vcc=12&Rc=22&Rs=4.7&RoH=0&.*&N=1000&run=tstc$/;
  assert.match(await page.until(() => search(page), ideal), ideal);
});
