import puppeteer, { PredefinedNetworkConditions } from 'puppeteer-core';
import { serve } from '/work/main/web/serve.mjs';
const site = process.argv[2];
const server = await serve(site, 0);
const port = server.address().port;
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu'] });
const context = await browser.createBrowserContext();
const page = await context.newPage();
await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
await page.emulateCPUThrottling(4);
const s = await page.createCDPSession();
await s.send('Profiler.enable');
await s.send('Profiler.setSamplingInterval', { interval: 200 });
await s.send('Profiler.start');
await page.goto(`http://localhost:${port}/${process.argv[3]}.html`, { waitUntil: 'load' });
const shown = await page.evaluate(async () => { const p = window.calculatorPage; await p.ready; while (p.painted === undefined) await new Promise((r) => setTimeout(r, 5)); return { ms: p.painted, started: p.started, moduleReady: p.moduleReady, loaded: p.loaded, shown: p.shown }; });
const { profile } = await s.send('Profiler.stop');
console.log(JSON.stringify(shown));
const self = new Map();
const dt = new Map();
profile.samples.forEach((id, i) => dt.set(id, (dt.get(id) || 0) + (profile.timeDeltas[i] || 0)));
for (const n of profile.nodes) {
  const k = `${n.callFrame.functionName || '(anon)'} ${n.callFrame.url.replace(/.*\//, '')}:${n.callFrame.lineNumber}`;
  self.set(k, (self.get(k) || 0) + (dt.get(n.id) || 0));
}
console.log([...self].sort((a, b) => b[1] - a[1]).slice(0, 30).map(([k, v]) => `${(v / 1000).toFixed(1).padStart(7)} ms ${k}`).join('\n'));
await browser.close(); server.close();
