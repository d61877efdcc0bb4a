// Size and speed of the web pages, in headless chromium:
//   node bench/web.mjs [build-web] [RUNS] [PROGRAM...]
// For each program page: bytes transferred (WebAssembly; the page with its
// styles and scripts; fonts), the time from navigation to the first
// computation shown (the window built from the loaded model, fonts ready,
// painted), and the time of
// one press of each "Compute"/"Calculate" button with the defaults; beside
// it the same time for a bare page that shows a static window of the same
// size with the same fonts (bench/bare.html), taken by turns with the
// program's page. Times are medians over RUNS (default 7) fresh loads; the
// program's time is also split into its phases: scripts loaded (navigation
// to the view's start), the module instantiated, the window model made and
// described (web_start), the page's elements built.
//
// Then the same pages on a phone (390 × 844, touch, the CPU slowed 4× and a
// slow 4G network, through the DevTools protocol), each against the bare
// page in the same conditions: the first visit (nothing cached), a repeat
// visit (served by the site's service worker), and an Enter press in the
// first box that computes to the next painted frame. BENCH_PROFILE=desktop
// or phone runs one of the two.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { spawn } from 'node:child_process';
import puppeteer, { PredefinedNetworkConditions } from 'puppeteer-core';

const source = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const build = path.resolve(process.argv[2] || path.join(source, 'build-web'));
const runs = Number(process.argv[3] || 7);
const site = path.join(build, 'site');
const only = process.argv.slice(4);
const programs = ['calculators', ...fs.readFileSync(path.join(source, 'programs.txt'), 'utf8')
  .split('\n').filter((l) => /^[a-z]/.test(l)).map((l) => l.split('|')[0])];

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };

// A fresh context for each load: nothing cached, no service worker.
async function load(browser, url, ready) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const session = await page.createCDPSession();
  await session.send('Network.enable');
  await session.send('Network.setCacheDisabled', { cacheDisabled: true });
  const bytes = { wasm: 0, page: 0, fonts: 0 };
  const types = new Map();
  session.on('Network.responseReceived', (e) => types.set(e.requestId, e.response.url));
  session.on('Network.loadingFinished', (e) => {
    const url = types.get(e.requestId) || '';
    const kind = url.endsWith('.wasm') ? 'wasm' : url.endsWith('.ttf') ? 'fonts' : 'page';
    bytes[kind] += e.encodedDataLength;
  });
  await page.goto(url, { waitUntil: 'load' });
  const shown = await page.evaluate(ready);
  return { page, ms: shown.ms ?? shown, phases: shown.phases, bytes };
}

// In the page: when the window was first painted with its fonts, in ms from
// navigation, as the page noted it (the driver's own round trips are no part
// of it), and the phases on the way.
async function programShown() {
  const p = window.calculatorPage;
  await p.ready;
  while (p.painted === undefined) await new Promise((r) => setTimeout(r, 5));
  return { ms: p.painted, phases: [p.started, p.moduleReady - p.started, p.loaded - p.moduleReady, p.shown - p.loaded] };
}
const bareShown = () => window.bare;

// In the page: each compute button pressed with the defaults, model and
// mirroring together; the dearest press in ms, and its button.
function handlerTimes() {
  const p = window.calculatorPage;
  const out = [];
  for (const c of p.window.controls) {
    if (c.kind !== 'button' || !(c.look === 'compute' || /^(Compute|Calculate)$/.test(c.text))) continue;
    const el = document.querySelector(`[data-name="${CSS.escape(c.id)}"]`);
    const times = [];
    for (let i = 0; i < 5; i++) {
      const t = performance.now();
      el.click();
      times.push(performance.now() - t);
    }
    times.sort((a, b) => a - b);
    out.push({ button: c.id, ms: times[2] });
  }
  return out;
}

// The site is served by a process of its own, as a host would serve it: the
// browser's driver here does not hold up the files.
const serving = `import { serve } from ${JSON.stringify(path.join(source, 'web/serve.mjs'))};
serve(${JSON.stringify(site)}, 0, '127.0.0.1', { '/bare.html': ${JSON.stringify(path.join(source, 'bench/bare.html'))} })
  .then((s) => console.log(s.address().port));`;
const server = spawn(process.execPath, ['--input-type=module', '-e', serving], { stdio: ['ignore', 'pipe', 'inherit'] });
const port = await new Promise((resolve, reject) => {
  server.stdout.once('data', (d) => resolve(Number(String(d).trim())));
  server.once('exit', (code) => reject(new Error(`the file server ended (${code})`)));
});
const base = `http://localhost:${port}/`;
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
});
const kb = (n) => (n / 1024).toFixed(0);

async function desktop() {
console.log('program       wasm KB  wasm file  page KB  fonts KB  first ms  bare ms  ratio  (scripts module start build ms)  dearest handler');
let worst = { ratio: 0, wasm: 0, handler: 0 };
for (const program of programs) {
  if (only.length && !only.includes(program)) continue;
  const file = program === 'calculators' ? 'index.html' : program + '.html';
  const times = [], bareTimes = [], phases = [[], [], [], []];
  let bytes = null, handlers = [];
  for (let i = 0; i < runs; i++) {
    const p = await load(browser, base + file, programShown);
    times.push(p.ms);
    p.phases.forEach((t, k) => phases[k].push(t));
    if (!bytes) {
      bytes = p.bytes;
      const size = await p.page.evaluate(() => [window.calculatorPage.window.width, window.calculatorPage.window.height + 26]);
      p.page.size = size;
      // The presses on the module that serves them from then on.
      await p.page.evaluate(() => window.calculatorPage.whole());
      handlers = await p.page.evaluate(handlerTimes);
      bytes.size = size;
    }
    await p.page.browserContext().close();
    const b = await load(browser, `${base}bare.html?w=${bytes.size[0]}&h=${bytes.size[1]}`, bareShown);
    bareTimes.push(b.ms);
    await b.page.browserContext().close();
  }
  const wasmFile = fs.statSync(path.join(site, program + '-start.wasm')).size;
  const first = median(times), bare = median(bareTimes);
  const dearest = handlers.reduce((a, h) => (h.ms >= a.ms ? h : a), { button: '-', ms: 0 });
  worst = { ratio: Math.max(worst.ratio, first / bare), wasm: Math.max(worst.wasm, wasmFile),
            handler: Math.max(worst.handler, dearest.ms) };
  console.log(`${program.padEnd(12)} ${kb(bytes.wasm).padStart(8)} ${kb(wasmFile).padStart(10)} ${kb(bytes.page).padStart(8)}` +
              ` ${kb(bytes.fonts).padStart(9)} ${first.toFixed(0).padStart(9)} ${bare.toFixed(0).padStart(8)}` +
              ` ${(first / bare).toFixed(2).padStart(6)}  (${phases.map((x) => median(x).toFixed(0).padStart(4)).join(' ')})` +
              `  ${dearest.button} ${dearest.ms.toFixed(2)} ms`);
}
console.log(`targets: ratio <= 1.5 (worst ${worst.ratio.toFixed(2)}), WebAssembly <= 400 KB` +
            ` (largest ${kb(worst.wasm)} KB), handlers < 5 ms (dearest ${worst.handler.toFixed(2)} ms)`);
}

// --- The phone profile.
const phoneViewport = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

async function phoneTab(context) {
  const page = await context.newPage();
  await page.setViewport(phoneViewport);
  await page.emulateCPUThrottling(4);
  await page.emulateNetworkConditions(PredefinedNetworkConditions['Slow 4G']);
  return page;
}

// In the page: an Enter press in the first box that computes, to the next
// painted frame (a frame, then the task after it); the median of 5, in ms.
async function enterToPaint(page) {
  const box = await page.evaluate(() => {
    const p = window.calculatorPage;
    for (const c of p.window.controls) {
      const el = document.querySelector(`[data-name="${CSS.escape(c.id)}"]`);
      if (c.kind === 'textbox' && !c.readOnly && el.offsetParent !== null && p.api.computeFor(c.n) >= 0) return c.id;
    }
    return null;
  });
  if (!box) return null;
  await page.focus(`[data-name="${box}"]`);
  const times = [];
  for (let i = 0; i < 5; i++) {
    await page.evaluate(() => {
      window.benchPainted = new Promise((resolve) => document.addEventListener('keydown', (event) => {
        const at = event.timeStamp;
        requestAnimationFrame(() => setTimeout(() => resolve(performance.now() - at), 0));
      }, { once: true, capture: true }));
    });
    await page.keyboard.press('Enter');
    times.push(await page.evaluate(() => window.benchPainted));
  }
  return { box, ms: median(times) };
}

async function phone() {
  console.log('\nphone (390 × 844, CPU 4× slower, slow 4G)');
  console.log('program       first ms  bare ms  ratio   repeat ms  bare ms  ratio   Enter to paint ms');
  let worst = { first: 0, repeat: 0, enter: 0 };
  for (const program of programs) {
    if (only.length && !only.includes(program)) continue;
    const file = program === 'calculators' ? 'index.html' : program + '.html';
    const first = [], bareFirst = [], repeat = [], bareRepeat = [];
    let enter = null;
    for (let i = 0; i < runs; i++) {
      // A fresh context: nothing cached, no service worker.
      const context = await browser.createBrowserContext();
      const page = await phoneTab(context);
      await page.goto(base + file, { waitUntil: 'load' });
      first.push(await page.evaluate(programShown).then((s) => s.ms));
      // The service worker fills its cache (the whole site) unthrottled,
      // which a phone would do in the background over a minute or so.
      await page.emulateNetworkConditions(null);
      await page.evaluate(() => window.calculatorPage.offline.then(() => navigator.serviceWorker.ready));
      await page.emulateNetworkConditions(PredefinedNetworkConditions['Slow 4G']);
      await page.goto(base + file, { waitUntil: 'load' });
      repeat.push(await page.evaluate(programShown).then((s) => s.ms));
      if (!enter) {
        await page.evaluate(() => window.calculatorPage.whole());
        enter = await enterToPaint(page);
      }
      await context.close();
      const bareContext = await browser.createBrowserContext();
      const bare = await phoneTab(bareContext);
      const size = `${base}bare.html?w=390&h=844`;
      await bare.goto(size, { waitUntil: 'load' });
      bareFirst.push(await bare.evaluate(bareShown));
      await bare.goto(size, { waitUntil: 'load' });
      bareRepeat.push(await bare.evaluate(bareShown));
      await bareContext.close();
    }
    const f = median(first), bf = median(bareFirst), r = median(repeat), br = median(bareRepeat);
    worst = { first: Math.max(worst.first, f / bf), repeat: Math.max(worst.repeat, r / br),
              enter: Math.max(worst.enter, enter ? enter.ms : 0) };
    console.log(`${program.padEnd(12)} ${f.toFixed(0).padStart(9)} ${bf.toFixed(0).padStart(8)} ${(f / bf).toFixed(2).padStart(6)}` +
                `  ${r.toFixed(0).padStart(10)} ${br.toFixed(0).padStart(8)} ${(r / br).toFixed(2).padStart(6)}` +
                `   ${enter ? `${enter.ms.toFixed(1)} (${enter.box})` : '-'}`);
  }
  console.log(`targets: first visit ratio <= 1.5 (worst ${worst.first.toFixed(2)}), repeat visit <= 1.2` +
              ` (worst ${worst.repeat.toFixed(2)}), Enter to paint < 50 ms (worst ${worst.enter.toFixed(1)} ms)`);
}

const profile = process.env.BENCH_PROFILE || 'both';
if (profile !== 'phone') await desktop();
if (profile !== 'desktop') await phone();
await browser.close();
server.kill();
