// Writes a page with its styles and scripts inside it:
//   node web/inline-page.mjs TEMPLATE OUTPUT [--depfile=FILE] NAME=FILE...
// Each line "<!--inline NAME-->" of TEMPLATE becomes that FILE as a <style>
// (.css) or <script> (.js). A FILE that is an ES module (.mjs) is bundled
// first, with the modules it imports, into one script (web/bundle.mjs); the
// modules it read are listed in the depfile, for the build. A page
// then needs no further request before its program can start: only its
// WebAssembly and its fonts follow.
import fs from 'node:fs';
import { bundle, writeDepfile } from './bundle.mjs';

const [template, output, ...rest] = process.argv.slice(2);
const depfile = rest.find((arg) => arg.startsWith('--depfile='))?.slice('--depfile='.length);
const pairs = rest.filter((arg) => !arg.startsWith('--depfile='));
const files = new Map(pairs.map((pair) => [pair.slice(0, pair.indexOf('=')), pair.slice(pair.indexOf('=') + 1)]));
const read = [];

function script(file) {
  const { text, inputs } = bundle(file);
  read.push(...inputs);
  return text;
}

const page = fs.readFileSync(template, 'utf8').replace(/^<!--inline ([\w.-]+)-->$/gm, (_, name) => {
  if (!files.has(name)) throw new Error(`${template}: no file given for ${name}`);
  const file = files.get(name);
  const text = file.endsWith('.mjs') ? script(file) : fs.readFileSync(file, 'utf8');
  // The text ends where the page's parser would end it.
  const tag = name.endsWith('.css') ? 'style' : 'script';
  if (new RegExp(`</${tag}`, 'i').test(text)) throw new Error(`${name} holds "</${tag}" and cannot be inlined`);
  return `<${tag}>\n${text.replace(/\n$/, '')}\n</${tag}>`;
});
if (/<!--inline /.test(page)) throw new Error(`${template}: a marker of an inlined file is not on a line of its own`);
fs.writeFileSync(output, page);
if (depfile) writeDepfile(depfile, output, read);
