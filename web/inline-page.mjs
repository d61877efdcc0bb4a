// Writes a page with its styles and scripts inside it:
//   node web/inline-page.mjs TEMPLATE OUTPUT NAME=FILE...
// Each line "<!--inline NAME-->" of TEMPLATE becomes that FILE as a <style>
// (.css) or <script> (.js). A page then needs no further request
// before its program can start: only its WebAssembly and its fonts follow.
import fs from 'node:fs';

const [template, output, ...pairs] = process.argv.slice(2);
const files = new Map(pairs.map((pair) => [pair.slice(0, pair.indexOf('=')), pair.slice(pair.indexOf('=') + 1)]));
const page = fs.readFileSync(template, 'utf8').replace(/^<!--inline ([\w.-]+)-->$/gm, (_, name) => {
  if (!files.has(name)) throw new Error(`${template}: no file given for ${name}`);
  const text = fs.readFileSync(files.get(name), 'utf8');
  // The text ends where the page's parser would end it.
  const tag = name.endsWith('.css') ? 'style' : 'script';
  if (new RegExp(`</${tag}`, 'i').test(text)) throw new Error(`${name} holds "</${tag}" and cannot be inlined`);
  return `<${tag}>\n${text.replace(/\n$/, '')}\n</${tag}>`;
});
if (/<!--inline /.test(page)) throw new Error(`${template}: a marker of an inlined file is not on a line of its own`);
fs.writeFileSync(output, page);
