import puppeteer, { PredefinedNetworkConditions } from 'puppeteer-core';
import { serve } from '/work/main/web/serve.mjs';
const server = await serve('/work/main/build-web/site', 0, '127.0.0.1', { '/bare.html': '/work/main/bench/bare.html' });
const port = server.address().port;
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu'] });
for (const file of process.argv.slice(2)) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await page.emulateCPUThrottling(4);
  await page.emulateNetworkConditions(PredefinedNetworkConditions['Slow 4G']);
  const s = await page.createCDPSession();
  await s.send('Network.enable');
  const reqs = new Map();
  let t0 = null;
  s.on('Network.requestWillBeSent', (e) => { if (t0 === null) t0 = e.timestamp; reqs.set(e.requestId, { url: e.request.url.replace(/.*\//, ''), start: e.timestamp }); });
  s.on('Network.loadingFinished', (e) => { const r = reqs.get(e.requestId); if (r) { r.end = e.timestamp; r.bytes = e.encodedDataLength; } });
  await page.goto(`http://localhost:${port}/${file}`, { waitUntil: 'load' });
  const shown = await page.evaluate(() => (window.calculatorPage ? (async () => { const p = window.calculatorPage; await p.ready; while (p.painted === undefined) await new Promise((r) => setTimeout(r, 5)); return { ms: p.painted, started: p.started, moduleReady: p.moduleReady, loaded: p.loaded, shown: p.shown }; })() : window.bare));
  console.log(file, JSON.stringify(shown));
  for (const r of reqs.values()) console.log(`  ${r.url.slice(0, 40).padEnd(40)} start ${((r.start - t0) * 1000).toFixed(0).padStart(6)} end ${((r.end - t0) * 1000).toFixed(0).padStart(6)} ${(r.bytes / 1024).toFixed(1)} KB`);
  await context.close();
}
await browser.close(); server.close();
