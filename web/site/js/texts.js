// The program's sentences as the core's catalogue gives them: the
// description's "texts" holds each entry's words by its name, with a
// {placeholder} in braces for each value the words are said with.

// The words with each placeholder that `values` names replaced by its value,
// put in as it is (braces in a value are never read as placeholders); a
// placeholder without a value stays as it is written, as in the core.
export function fill(words, values = {}) {
  return words.replace(/\{([A-Za-z][A-Za-z0-9]*)\}/g,
    (placeholder, name) => (Object.hasOwn(values, name) ? String(values[name]) : placeholder));
}
