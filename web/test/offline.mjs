// Installable and offline, called by web/test/browser.mjs: the manifest and
// its icons, favicon.ico; after one visit, with the server gone, every page
// reloads, computes its defaults, opens its help and its plot panel; a
// changed build replaces the cache at the next visit; a panel that could
// not load says so and loads on the next try.
//
// The site is served from a copy of its own (the changed build is made
// there), on a port kept across the server's stop and start, in a browser
// context of its own (its service worker and caches start empty).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../serve.mjs';

const webDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');

// Width and height of a PNG, from its IHDR.
function pngSize(bytes) {
  assert.equal(bytes.subarray(1, 4).toString('latin1'), 'PNG', 'not a PNG');
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

// The sizes of the images of an ICO.
function icoSizes(bytes) {
  assert.equal(bytes.readUInt16LE(2), 1, 'not an icon file');
  const sizes = [];
  for (let i = 0; i < bytes.readUInt16LE(4); i++) {
    const at = 6 + 16 * i;
    const image = bytes.subarray(bytes.readUInt32LE(at + 12), bytes.readUInt32LE(at + 12) + bytes.readUInt32LE(at + 8));
    const [w, h] = pngSize(image);
    assert.equal(w, bytes.readUInt8(at) || 256);
    sizes.push(`${w}x${h}`);
  }
  return sizes;
}

async function fetchBytes(url) {
  const response = await fetch(url);
  return { status: response.status, type: response.headers.get('content-type'), bytes: Buffer.from(await response.arrayBuffer()) };
}

// Waits until the page's service worker is active with its cache filled.
async function cached(page) {
  return page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    const keys = (await caches.keys()).filter((k) => k.startsWith('calculators-'));
    const cache = await caches.open(keys[keys.length - 1]);
    return { keys, files: (await cache.keys()).length };
  });
}

export async function offlineTests({ browser, check, site, programs, scriptMode }) {
  const started = Date.now();
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-offline-'));
  fs.cpSync(site, copy, { recursive: true });
  let server = await serve(copy, 0);
  const port = server.address().port;
  const base = `http://localhost:${port}/`;
  const context = await browser.createBrowserContext();
  try {
    await check('manifest, icons and favicon', async () => {
      const manifest = await fetchBytes(base + 'manifest.webmanifest');
      assert.equal(manifest.status, 200);
      assert.match(manifest.type, /manifest\+json/);
      const m = JSON.parse(manifest.bytes);
      for (const field of ['name', 'short_name', 'start_url', 'theme_color', 'background_color'])
        assert.ok(typeof m[field] === 'string' && m[field], `manifest without ${field}`);
      assert.equal(m.display, 'standalone');
      assert.ok(m.short_name.length <= 15, 'a short name a launcher shows whole');
      const wanted = [['192x192', 'any'], ['512x512', 'any'], ['512x512', 'maskable']];
      for (const [sizes, purpose] of wanted) {
        const icon = m.icons.find((i) => i.sizes === sizes && i.purpose.split(' ').includes(purpose) && i.type === 'image/png');
        assert.ok(icon, `no ${purpose} icon of ${sizes}`);
        const png = await fetchBytes(new URL(icon.src, base + 'manifest.webmanifest').href);
        assert.equal(png.status, 200, icon.src);
        assert.equal(pngSize(png.bytes).join('x'), sizes, icon.src);
      }
      const ico = await fetchBytes(base + 'favicon.ico');
      assert.equal(ico.status, 200, 'favicon.ico');
      assert.deepEqual(icoSizes(ico.bytes), ['16x16', '32x32', '48x48']);
      // What chromium itself finds: the manifest read without errors, the
      // site installable.
      const page = await context.newPage();
      await page.goto(base + 'index.html', { waitUntil: 'load' });
      // The page links its manifest once it is painted.
      await page.waitForFunction(() => document.querySelector('link[rel="manifest"]'));
      const session = await page.createCDPSession();
      const read = await session.send('Page.getAppManifest');
      assert.deepEqual(read.errors, [], 'manifest errors');
      assert.ok(read.data && JSON.parse(read.data).name, 'no manifest read');
      // A context of its own is a private window, where nothing installs.
      const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito'), [], 'not installable');
      await page.close();
    });

    await check('after one visit every page works offline', async () => {
      const page = await context.newPage();
      await page.goto(base + 'index.html', { waitUntil: 'load' });
      const first = await cached(page);
      const listed = (fs.readFileSync(path.join(copy, 'sw.js'), 'utf8').match(/"\.\//g) || []).length;
      assert.equal(first.files, listed, 'the cache holds every file of the site');
      // The server gone: nothing but the service worker answers.
      await new Promise((resolve) => server.close(resolve));
      server = null;
      for (const program of programs) {
        const file = program === 'calculators' ? '' : program + '.html';
        await page.goto(base + file, { waitUntil: 'load' });
        await page.evaluate(() => window.calculatorPage.ready);
        // The whole module too, from the cache.
        await page.evaluate(() => window.calculatorPage.whole());
        const texts = await page.evaluate(() => window.calculatorPage.window.controls.map((c) => {
          const el = document.querySelector(`[data-name="${CSS.escape(c.id)}"]`);
          return c.kind === 'textbox' ? el.value : c.kind === 'label' ? el.firstChild.textContent : null;
        }).filter((t) => t !== null));
        // The defaults computed as the script mode computes them.
        const want = scriptMode(program, 'dump\n').out.split('\n').filter(Boolean).map((l) => JSON.parse(l))
          .filter((l) => l.kind === 'textbox' || l.kind === 'label').map((l) => l.text);
        assert.deepEqual(texts, want, `${program}: the defaults`);
        if (program !== 'calculators') {
          await page.evaluate(() => window.calculatorPage.openPlot('sweep'));
          await page.waitForFunction(() => window.Plotly && !window.calculatorPage.plot.sweep.panel.hidden, { timeout: 20000 });
          await page.goto(`${base}help/${program}.html`, { waitUntil: 'load' });
          await page.evaluate(() => window.helpPage.ready);
          assert.ok(await page.evaluate(() => window.helpPage.shown), `${program}: no help offline`);
        }
      }
      await page.close();
    });

    await check('a changed build replaces the cache at the next visit', async () => {
      server = await serve(copy, port);
      const page = await context.newPage();
      await page.goto(base + 'index.html', { waitUntil: 'load' });
      const before = await cached(page);
      fs.appendFileSync(path.join(copy, 'suite.css'), '\n/* changed */\n');
      const made = spawnSync(process.execPath, [path.join(webDir, 'offline.mjs'), copy, path.join(webDir, 'sw.js.in')]);
      assert.equal(made.status, 0, String(made.stderr));
      await page.reload({ waitUntil: 'load' });
      await page.waitForFunction(async (old) => {
        const keys = (await caches.keys()).filter((k) => k.startsWith('calculators-'));
        return keys.length === 1 && keys[0] !== old;
      }, { timeout: 30000, polling: 200 }, before.keys[0]);
      const css = await page.evaluate(async () => {
        const keys = await caches.keys();
        const hit = await (await caches.open(keys[0])).match('suite.css');
        return hit.text();
      });
      assert.ok(css.includes('/* changed */'), 'the new cache holds the old file');
      await page.close();
    });

    await check('a panel that could not load says so, and loads on the next try', async () => {
      const page = await context.newPage();
      await page.setBypassServiceWorker(true);
      await page.setRequestInterception(true);
      let blocked = true;
      page.on('request', (request) => {
        if (blocked && request.url().includes('/plot/main.js')) request.abort();
        else request.continue();
      });
      await page.goto(base + 'fanno.html', { waitUntil: 'load' });
      await page.evaluate(() => window.calculatorPage.ready);
      const failed = await page.evaluate(() => window.calculatorPage.openPlot('sweep').then(() => 'opened', (e) => String(e)));
      assert.notEqual(failed, 'opened');
      const note = await page.evaluate(() => document.getElementById('load-note')?.textContent || '');
      assert.match(note, /could not be loaded/);
      blocked = false;
      await page.evaluate(() => window.calculatorPage.openPlot('sweep'));
      await page.waitForFunction(() => window.Plotly && !window.calculatorPage.plot.sweep.panel.hidden, { timeout: 20000 });
      await page.close();
    });
  } finally {
    await context.close();
    if (server) server.close();
    fs.rmSync(copy, { recursive: true, force: true });
    console.log(`offline tests: ${((Date.now() - started) / 1000).toFixed(0)} s`);
  }
}
