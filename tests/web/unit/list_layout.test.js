// The windows as lists, from the description the site's build wrote into
// build/web/, and where the page shows lists instead of the designed windows.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { listLayoutFor, listPlotHeight } from '../../../web/site/js/layout.js';
import { listSections } from '../../../web/site/js/list_layout.js';

// Run from the project's folder, as the scripts do.
const described = resolve(process.env.OSTREVO_SITE_DIR ?? 'build/web', 'description.json');
const notBuilt = !existsSync(described) && 'the site is not built (scripts/web)';

// Each row as it reads: "caption value unit" with the labels' texts, a lone
// control by its caption (or name), a side-by-side row as its names.
function readRows(description) {
  const text = (name) => description.controls.find((c) => c.name === name).text || name;
  return listSections(description).flatMap(({ rows }) => rows).map((row) => {
    if (row.together) return row.together.join('+');
    if (row.alone) return text(row.alone);
    return `${text(row.caption)} ${row.value} ${row.unit ? text(row.unit) : '-'}`;
  });
}

test('each window is listed in the described order, every value with its caption and unit', { skip: notBuilt }, () => {
  const { windows } = JSON.parse(readFileSync(described, 'utf8'));
  assert.deepEqual(readRows(windows.Form1), [
    'Verifica', 'Vcc Text1 [V]', 'Rc Text2 [kohm]', 'Rs Text9 [kohm]', 'RoH Text10 [ohm]', 'RoL Text11 [ohm]',
    'Ci Text12 pF', 'C Text8 [nF]', 'v+ Text3 [V]', 'v- Text4 [V]', 'Vd Text5 [V]', 'NP Text6 -', 'N Text16 -',
    'Calcola  ts; tc', 'ts Label9 [usec]', 'tc Label11 [usec]', 'Grafici',
    'Progetto', 'Dati: C , tc, ts  con v+=2/3 Vcc , v-=1/3 Vcc, calcolo Rc e Rs', 'C Text14 [nF]',
    'tc Text13 [usec]', 'ts Text15 [usec]', 'Calcola Rc e Rs', 'Rc Label31 [kohm]', 'Rs Label30 [kohm]',
    'Ostrevo ideale, dati esempio', 'Ostrevo reale, dati esempio', 'Image1', 'Ostrevo didattico', 'Esci',
  ]);
  assert.deepEqual(listSections(windows.Form1).map((section) => section.frame), [null, 'Shape1', null]);
  assert.deepEqual(readRows(windows.Form2), [
    'Picture3+Picture1', "Forme d'onda a regime", 'vc(t)', 't Label16 [usec]', 'Vc(t) Label17 [V]',
    'vo(t)', 't Label29 [usec]', 'Vo(t) Label32 [V]', 'Ostrevo didattico', 'Esci',
  ]);
});

test('the designed windows are shown where the widest fits the page unscaled, lists elsewhere', () => {
  const designedWidths = [993, 1219];
  const cases = [[390, true], [844, true], [1024, true], [1236, true], [1237, false], [1366, false], [1920, false]];
  for (const [pageWidth, list] of cases) assert.equal(listLayoutFor(pageWidth, designedWidths), list, `${pageWidth}`);
});

test('a listed plot takes a share of the screen, within its designed height and its width', () => {
  const cases = [
    [[330, 844, 637], 506],  // portrait phone
    [[760, 390, 637], 234],  // landscape phone
    [[940, 200, 637], 180],  // a very short screen: the least height
    [[1200, 1366, 637], 637],  // a tall tablet: no taller than designed
    [[150, 844, 637], 240],  // narrow: at most 1.6 times the width
  ];
  for (const [args, height] of cases) assert.equal(listPlotHeight(...args), height, `${args}`);
});
