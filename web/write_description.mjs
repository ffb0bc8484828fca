// Writes the windows' description, as the built core gives it, into the site
// as description.json: it never changes while the program runs, so the page
// lays out its windows from this file before the core has loaded.
//   node write_description.mjs <site folder>
import { readFileSync, writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const site = pathToFileURL(`${resolve(process.argv[2])}/`);
const { default: createOstrevo } = await import(new URL('ostrevo.js', site));
const core = await createOstrevo({ wasmBinary: readFileSync(new URL('ostrevo.wasm', site)) });
writeFileSync(new URL('description.json', site), core.describe());
