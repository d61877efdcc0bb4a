import fs from 'node:fs';
const b = fs.readFileSync(process.argv[2]);
let p = 8;
const leb = () => { let r = 0, s = 0, x; do { x = b[p++]; r += (x & 0x7f) * 2 ** s; s += 7; } while (x & 0x80); return r; };
let imports = 0; const sizes = []; const names = new Map(); const secs = [];
while (p < b.length) {
  const id = b[p++]; const len = leb(); const start = p; const end = p + len;
  secs.push([id, len]);
  if (id === 2) { const n = leb(); for (let i = 0; i < n; i++) { let l = leb(); p += l; l = leb(); p += l; const k = b[p++]; if (k === 0) { leb(); imports++; } else if (k === 1) { p++; const f = b[p++]; leb(); if (f & 1) leb(); } else if (k === 2) { const f = b[p++]; leb(); if (f & 1) leb(); } else if (k === 3) { p += 2; } else if (k === 4) { p++; leb(); } } }
  if (id === 10) { const n = leb(); for (let i = 0; i < n; i++) { const l = leb(); sizes.push(l); p += l; } }
  if (id === 0) { const nl = leb(); const name = b.slice(p, p + nl).toString(); p += nl; if (name === 'name') { while (p < end) { const sub = b[p++]; const sl = leb(); const se = p + sl; if (sub === 1) { const n = leb(); for (let i = 0; i < n; i++) { const idx = leb(); const l = leb(); names.set(idx, b.slice(p, p + l).toString()); p += l; } } p = se; } } }
  p = end;
}
console.log('sections', secs.map(([i, l]) => `${i}:${(l / 1024).toFixed(0)}K`).join(' '));
const rows = sizes.map((s, i) => [names.get(i + imports) || '?' + i, s]);
const groups = new Map();
const key = (n) => {
  if (/nlohmann/.test(n)) return 'nlohmann json';
  if (/^std::__2::basic_(o|i)?stream|ostream|istream|streambuf|ios_base|num_put|num_get|locale|ctype|codecvt|moneypunct|money_|time_get|time_put|messages|numpunct|collate/.test(n)) return 'iostreams/locale';
  const m = /^(?:\w+ )?(\w+)::/.exec(n); return m ? m[1] : n.replace(/\(.*/, '').slice(0, 30);
};
for (const [n, s] of rows) groups.set(key(n), (groups.get(key(n)) || 0) + s);
console.log([...groups].sort((a, b) => b[1] - a[1]).slice(0, 25).map(([k, s]) => `${(s / 1024).toFixed(1).padStart(7)} K  ${k}`).join('\n'));
console.log('--- largest functions');
console.log(rows.sort((a, b) => b[1] - a[1]).slice(0, 30).map(([n, s]) => `${(s / 1024).toFixed(1).padStart(6)} K  ${n.slice(0, 140)}`).join('\n'));
if (process.argv[3]) {
  const re = new RegExp(process.argv[3]);
  const sel = rows.filter(([n]) => re.test(n));
  console.log('--- matching', sel.length, (sel.reduce((a, [, s]) => a + s, 0) / 1024).toFixed(1) + 'K');
  console.log(sel.slice(0, 40).map(([n, s]) => `${(s / 1024).toFixed(1).padStart(6)} K  ${n.slice(0, 150)}`).join('\n'));
}
