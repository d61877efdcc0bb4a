// Makes the site's service worker: node web/offline.mjs SITE TEMPLATE
// Lists every file of SITE (but sw.js itself) and names the cache by a hash
// of their names and bytes, so that any change of the build is a new
// cache. sw.js is written only when it changes.
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';

const [site, template] = process.argv.slice(2);

function walk(dir, out = []) {
  for (const entry of fs.readdirSync(dir, { withFileTypes: true }).sort((a, b) => a.name.localeCompare(b.name))) {
    const file = path.join(dir, entry.name);
    if (entry.isDirectory()) walk(file, out);
    else out.push(file);
  }
  return out;
}

const hash = crypto.createHash('sha256');
const files = [];
for (const file of walk(site)) {
  const name = path.relative(site, file).split(path.sep).join('/');
  if (name === 'sw.js') continue;
  files.push(name);
  hash.update(name + '\0');
  hash.update(fs.readFileSync(file));
}
// The root is the index too.
const list = ['./', ...files.map((f) => './' + f)];
const text = fs.readFileSync(template, 'utf8')
  .replace('@VERSION@', hash.digest('hex').slice(0, 16))
  .replace('@FILES@', JSON.stringify(list, null, 1));
const out = path.join(site, 'sw.js');
if (!fs.existsSync(out) || fs.readFileSync(out, 'utf8') !== text) fs.writeFileSync(out, text);
