// The page's filling of the core's texts, which must say them as the core's Say does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { fill } from '../../../web/site/js/texts.js';

test('each placeholder gets its value, put in as it is; one without a value stays', () => {
  const cases = [
    ['Impossibile calcolare {what}: {reason}.', { what: 'ts', reason: 'x' }, 'Impossibile calcolare ts: x.'],
    ['{a}{a} {b}', { a: 1, c: 2 }, '11 {b}'],
    ['Impossibile leggere {subject}. {cause}', { subject: '{cause}', cause: '$& {subject}' },
      'Impossibile leggere {cause}. $& {subject}'],
    ['{trace}: t {time} usec', { trace: 'vc(t)', time: '' }, 'vc(t): t  usec'],
    ['{constructor} {toString}', {}, '{constructor} {toString}'],
    ['nessuna traccia', undefined, 'nessuna traccia'],
  ];
  for (const [words, values, said] of cases) assert.equal(fill(words, values), said, words);
});
