// The decimal separator from what a browser reports of its languages.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { decimalSeparatorFor, usableLanguage } from '../../../web/site/js/locale.js';

test('the first language Intl accepts gives the separator; a rejected one is passed over', () => {
  const cases = [
    [['it-IT'], ','],
    [['en-US', 'it'], '.'],
    [['C', 'it-IT'], ','],  // WebKitGTK under the C locale
    [['C'], '.'],
    [['', 'de'], ','],
    [[], '.'],
    [undefined, '.'],
  ];
  for (const [languages, separator] of cases) assert.equal(decimalSeparatorFor(languages), separator, String(languages));
});

test('a tag is used in its canonical form', () => {
  assert.equal(usableLanguage(['IT-it']), 'it-IT');
  assert.equal(usableLanguage(['C.UTF-8', 'x']), 'en');
});
