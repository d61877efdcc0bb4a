// The site's icons, drawn from the suite's SVG icon by the chromium the
// browser tests use (no other renderer to install):
//   node web/icons.mjs ICON.svg SITE
// icon-192.png, icon-512.png, icon-maskable-512.png (the icon inside the
// middle 80 %, the safe zone a launcher's mask keeps, on its own blue) and
// favicon.ico (16, 32 and 48 px, each a PNG inside the ICO).
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [icon, site] = process.argv.slice(2);
const svg = fs.readFileSync(icon, 'utf8');
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
});

// The icon drawn at size px on a square page; inset: the part of the side
// left around it, background behind it (none: transparent).
async function draw(size, { inset = 0, background = '' } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: size, height: size, deviceScaleFactor: 1 });
  const side = size * (1 - 2 * inset);
  const data = 'data:image/svg+xml;base64,' + Buffer.from(svg).toString('base64');
  await page.setContent(`<html><body style="margin:0;width:${size}px;height:${size}px;background:${background || 'transparent'};
    display:flex;align-items:center;justify-content:center"><img src="${data}" style="width:${side}px;height:${side}px"></body></html>`);
  await page.evaluate(() => document.images[0].decode());
  const png = await page.screenshot({ type: 'png', omitBackground: !background });
  await page.close();
  return Buffer.from(png);
}

// An ICO holding PNG images (as every current browser reads it).
function ico(images) {
  const header = Buffer.alloc(6 + 16 * images.length);
  header.writeUInt16LE(0, 0);
  header.writeUInt16LE(1, 2);
  header.writeUInt16LE(images.length, 4);
  let offset = header.length;
  images.forEach(({ size, png }, i) => {
    const at = 6 + 16 * i;
    header.writeUInt8(size >= 256 ? 0 : size, at);
    header.writeUInt8(size >= 256 ? 0 : size, at + 1);
    header.writeUInt16LE(1, at + 4);   // planes
    header.writeUInt16LE(32, at + 6);  // bits per pixel
    header.writeUInt32LE(png.length, at + 8);
    header.writeUInt32LE(offset, at + 12);
    offset += png.length;
  });
  return Buffer.concat([header, ...images.map((i) => i.png)]);
}

try {
  fs.mkdirSync(site, { recursive: true });
  fs.writeFileSync(path.join(site, 'icon-192.png'), await draw(192));
  fs.writeFileSync(path.join(site, 'icon-512.png'), await draw(512));
  fs.writeFileSync(path.join(site, 'icon-maskable-512.png'), await draw(512, { inset: 0.12, background: '#1f4e9c' }));
  const small = [];
  for (const size of [16, 32, 48]) small.push({ size, png: await draw(size) });
  fs.writeFileSync(path.join(site, 'favicon.ico'), ico(small));
} finally {
  await browser.close();
}
