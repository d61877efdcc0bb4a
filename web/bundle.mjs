// An ES module and what it imports as one script, by esbuild (the lock
// file's npm package): for a page to carry inside it (web/inline-page.mjs),
// or for a script loaded apart (a panel, a worker's importScripts):
//   node web/bundle.mjs ENTRY OUTPUT [DEPFILE]
// The script runs in place, in its own scope, as the module would.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { buildSync } from 'esbuild';

// The script, and the files it was made of (absolute paths).
export function bundle(entry) {
  const result = buildSync({
    entryPoints: [entry], bundle: true, format: 'iife', target: 'es2020', write: false,
    metafile: true, charset: 'utf8', legalComments: 'none', logLevel: 'error',
    // Fewer bytes before a phone can start the window.
    minify: true,
  });
  return { text: result.outputFiles[0].text, inputs: Object.keys(result.metafile.inputs).map((f) => path.resolve(f)) };
}

// A depfile for the build: output depends on inputs.
export function writeDepfile(depfile, output, inputs) {
  const escape = (file) => file.replace(/([ #$\\])/g, '\\$1');
  fs.writeFileSync(depfile, `${escape(path.resolve(output))}: ${inputs.map(escape).join(' ')}\n`);
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [entry, output, depfile] = process.argv.slice(2);
  const { text, inputs } = bundle(entry);
  fs.writeFileSync(output, text);
  if (depfile) writeDepfile(depfile, output, inputs);
}
