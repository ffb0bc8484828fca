// Writes the windows' description, as the built core gives it, into the site
// as description.json: it never changes while the program runs, so the page
// lays out its windows from this file before the core has loaded.
//   node write_description.mjs <site folder>
import { copyFileSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const site = resolve(process.argv[2]);
// The loader imported as a .mjs copy: the site's folder says nothing of
// modules, and a Node before 20 takes a .js file there for CommonJS.
const scratch = mkdtempSync(join(tmpdir(), 'ostrevo-describe-'));
try {
  copyFileSync(join(site, 'ostrevo.js'), join(scratch, 'ostrevo.mjs'));
  const { default: createOstrevo } = await import(pathToFileURL(join(scratch, 'ostrevo.mjs')).href);
  const core = await createOstrevo({ wasmBinary: readFileSync(join(site, 'ostrevo.wasm')) });
  writeFileSync(join(site, 'description.json'), core.describe());
} finally {
  rmSync(scratch, { recursive: true, force: true });
}
