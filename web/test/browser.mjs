// Browser tests of the web build, in Debian's chromium, headless:
//   node web/test/browser.mjs
// CALC_WEB_BUILD      the web build folder (build-web)
// CALC_WEB_SHOT_DIR   where a screenshot of every page is saved
// CALC_DESKTOP_BIN    the desktop programs (build/bin): print files are
//                     compared with theirs
// CHROMIUM            the browser (/usr/bin/chromium)
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serve } from '../serve.mjs';
import { helpPages } from './help.mjs';
import { plotTests } from './plot.mjs';
import { deviceTests } from './devices.mjs';
import { offlineTests } from './offline.mjs';
import { printedPrograms, printTests } from './print.mjs';
import { caseTests } from './cases.mjs';

const source = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const build = path.resolve(process.env.CALC_WEB_BUILD || path.join(source, 'build-web'));
const site = path.join(build, 'site');
const shots = process.env.CALC_WEB_SHOT_DIR;
const desktop = process.env.CALC_DESKTOP_BIN;

// programs.txt: name|folder|window class|subject|title|what it computes
const list = fs.readFileSync(path.join(source, 'programs.txt'), 'utf8')
  .split('\n').filter((l) => /^[a-z]/.test(l)).map((l) => l.split('|'));
const programs = list.map((fields) => fields[0]);
const folders = Object.fromEntries([['calculators', 'launcher'], ...list.map((f) => [f[0], f[1]])]);

function caseDir(program) {
  const folder = path.join(source, folders[program], 'cases');
  for (const dir of [path.join(folder, program), folder])
    if (fs.existsSync(dir) && fs.readdirSync(dir).some((f) => f.endsWith('.script'))) return dir;
  return null;
}

// Runs a script through a program's script mode in a fresh folder: the
// Node entry of the web build, or the desktop program when asked; with
// saveCase, also the case it writes after the script (--save-case).
function scriptMode(program, script, { useDesktop = false, saveCase = false } = {}) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-web-'));
  const command = useDesktop ? [path.join(desktop, program)] : ['node', path.join(build, 'bin', program + '.js')];
  const caseFile = 'saved.flowcase';
  const run = spawnSync(command[0], [...command.slice(1), ...(saveCase ? ['--save-case', caseFile] : []), '--script', '-'],
                        { cwd: work, input: script, encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  assert.equal(run.status, 0, `${program} script mode failed: ${run.stderr}`);
  const files = {};
  for (const f of fs.readdirSync(work)) files[f] = fs.readFileSync(path.join(work, f));
  fs.rmSync(work, { recursive: true, force: true });
  const saved = files[caseFile];
  delete files[caseFile];
  return { out: run.stdout, files, saved };
}

// In the page: what the DOM shows of a control, as the script mode's JSON
// line. Read from the elements alone, never from the model.
function domLine(name) {
  const page = window.calculatorPage;
  const c = page.window.controls.find((x) => x.id === name);
  if (!c) return null;
  const el = document.querySelector(`[data-name="${CSS.escape(name)}"]`);
  let shown = true;
  for (let e = el; e && e.id !== 'window'; e = e.parentElement) if (e.hidden) shown = false;
  let text = '';
  switch (c.kind) {
    case 'label': text = el.firstChild.textContent; break;
    case 'textbox': text = el.value; break;
    case 'frame': {
      const caption = el.querySelector(':scope > .caption');
      text = caption ? caption.textContent : (el.getAttribute('aria-label') || '');
      break;
    }
    case 'button': text = el.textContent; break;
    case 'option': text = el.lastChild.textContent; break;
    case 'list': text = el.selectedIndex >= 0 ? el.options[el.selectedIndex].textContent : ''; break;
    default: break;
  }
  const line = { name, kind: c.kind, visible: !el.hidden, shown, text };
  if (c.kind === 'option') line.value = el.firstChild.checked;
  if (c.kind === 'list') {
    line.index = el.selectedIndex;
    line.items = Array.from(el.options).map((o) => o.textContent);
  }
  return JSON.stringify(line);
}

// In the page: one script command carried out through the elements, as a
// person would; returns the lines the script mode prints for it.
function domCommand(line) {
  const page = window.calculatorPage;
  const blank = line.indexOf(' ');
  const verb = blank < 0 ? line : line.slice(0, blank);
  const args = blank < 0 ? '' : line.slice(blank + 1);
  const split = args.indexOf(' ');
  const name = split < 0 ? args : args.slice(0, split);
  const rest = split < 0 ? '' : args.slice(split + 1);
  const el = name ? document.querySelector(`[data-name="${CSS.escape(name)}"]`) : null;
  const downloads = page.downloads.length;
  page.requested = null;
  const out = [];
  if (verb === 'show') return [domLine(name)];
  if (verb === 'dump') return page.window.controls.map((c) => domLine(c.id));
  if (verb === 'type') {
    el.value = rest;
    el.dispatchEvent(new Event('input', { bubbles: true }));
  } else if (verb === 'click') {
    (el.tagName === 'LABEL' ? el.querySelector('input') : el).click();
  } else if (verb === 'select') {
    const index = Array.from(el.options).findIndex((o) => o.textContent.toLowerCase() === rest.toLowerCase());
    if (index !== el.selectedIndex) {
      el.selectedIndex = index;
      el.dispatchEvent(new Event('change', { bubbles: true }));
    }
  } else if (verb === 'close') {
    page.closeWindow();
  } else if (verb === 'units') {
    // As the page's menu does, without keeping the choice for later pages.
    page.useUnits(name.toLowerCase(), false);
  } else {
    throw new Error('unknown command ' + verb);
  }
  for (const name of page.downloads.slice(downloads)) out.push(JSON.stringify({ event: 'file', name }));
  if (page.requested && page.requested !== 'index.html')
    out.push(JSON.stringify({ event: 'start', program: page.requested.replace(/\.html$/, '') }));
  if (page.ended) out.push(JSON.stringify({ event: 'end' }));
  return out;
}

const command = (page, line) => page.evaluate((l) => window.domCommand(l), line);

let browser;
let base;
const failures = [];
let checks = 0;

async function check(what, body) {
  try {
    await body();
    checks += 1;
  } catch (error) {
    failures.push(`${what}: ${error.message}`);
    console.log(`FAIL ${what}\n${error.message}`);
  }
}

// A page, ready; by default once its whole module has taken the window over,
// with hold on the window's own module alone (until page.whole()).
async function open(program, { follow = false, hold = false } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  if (hold) await page.evaluateOnNewDocument(() => { window.calculatorHoldWhole = true; });
  const file = program === 'calculators' ? 'index.html' : program + '.html';
  await page.goto(base + file, { waitUntil: 'load' });
  await page.evaluate(() => window.calculatorPage.ready);
  await page.evaluate(() => document.fonts.ready);
  if (!hold) await page.evaluate(() => window.calculatorPage.whole());
  if (!follow) {
    await page.evaluate(() => {
      window.calculatorPage.navigate = (url) => { window.calculatorPage.requested = url; };
    });
  }
  // The DOM reader and the command runner live in the page.
  await page.evaluate(`${domLine.toString()}\n${domCommand.toString()}\nwindow.domCommand = domCommand;`);
  page.errors = errors;
  return page;
}

const addReader = (page) => page.evaluate(`${domLine.toString()}\n${domCommand.toString()}\nwindow.domCommand = domCommand;`);

// Every golden case of the program, carried out through the page; reuse
// gives a tab (ready, its navigations held) to use case after case instead
// of a fresh one each. A fresh page runs on the window's own module; in the
// first case, the whole module takes the window over halfway, showing the
// same, and carries on.
async function runCases(program, reuse = null) {
  const dir = caseDir(program);
  if (!dir) return;
  let first = true;
  for (const file of fs.readdirSync(dir).filter((f) => f.endsWith('.script')).sort()) {
    const stem = file.replace(/\.script$/, '');
    if (fs.existsSync(path.join(dir, stem + '.status'))) continue;  // faults of the script itself
    // A sweep has no page of its own yet: its points are checked through the
    // Node entry, which runs every case.
    if (/^sweep /m.test(fs.readFileSync(path.join(dir, file), 'utf8'))) continue;
    await check(`${program} case ${stem}${reuse ? ' (one column)' : ''}`, async () => {
      const page = reuse ? await reuse() : await open(program, { hold: true });
      if (reuse) {
        await addReader(page);
        page.errors.splice(0);
      }
      const takeOver = !reuse && first;
      first = false;
      try {
        const out = [];
        const lines = fs.readFileSync(path.join(dir, file), 'utf8').split('\n')
          .map((raw) => raw.replace(/\r$/, '')).filter((line) => line.trim() && !line.trim().startsWith('#'));
        for (const [n, line] of lines.entries()) {
          if (takeOver && n === Math.floor(lines.length / 2)) {
            const before = await dump(page);
            await page.evaluate(() => window.calculatorPage.whole());
            assert.ok(await page.evaluate(() => Boolean(window.calculatorPage.api.report)), 'not taken over');
            assert.equal(await dump(page), before, 'the whole module shows another window');
          }
          out.push(...await command(page, line));
          if (await page.evaluate(() => window.calculatorPage.ended)) break;
        }
        const want = fs.readFileSync(path.join(dir, stem + '.expected'), 'utf8');
        assert.equal(out.map((l) => l + '\n').join(''), want);
        const files = path.join(dir, stem + '.files');
        if (fs.existsSync(files)) {
          const downloads = await page.evaluate(() =>
            Object.fromEntries([...window.calculatorPage.files].map(([name, bytes]) => [name, Array.from(bytes)])));
          for (const f of fs.readdirSync(files)) {
            const got = downloads[f];
            assert.ok(got, `no download "${f}"`);
            assert.ok(Buffer.from(got).equals(fs.readFileSync(path.join(files, f))), `download "${f}" differs`);
          }
        }
        assert.deepEqual(page.errors, []);
      } finally {
        if (!reuse) await page.close();
      }
    });
  }
}

const dump = async (page) => (await command(page, 'dump')).join('\n') + '\n';

// The other unit system from the window's menu, as a person chooses it:
// every text as the Node entry shows it after `units si`, the US texts back
// byte for byte, and the choice kept over a reload (and for every page).
async function unitsSwitch(program) {
  await check(`${program} in SI and back from the menu, kept over a reload`, async () => {
    const page = await open(program);
    const choose = async (title) => {
      await page.click('#window', { button: 'right' });
      const items = await page.$$('[role="menuitem"]');
      for (const item of items) {
        if ((await item.evaluate((e) => e.textContent)).startsWith(title)) {
          await item.click();
          // Done once the address's case ends with the switch.
          const word = title.startsWith('SI') ? 'si' : 'us';
          await page.waitForFunction((w) => new RegExp(`u\\.${w};k=[0-9a-f]{8}$`).test(window.location.hash), {}, word);
          return;
        }
      }
      throw new Error(`the menu offers no "${title}"`);
    };
    try {
      const us = scriptMode(program, 'dump\n').out;
      const si = scriptMode(program, 'units si\ndump\n').out;
      await choose('SI (m, kg, N, kPa, K, kJ)');
      assert.equal(await dump(page), si, 'in SI');
      await choose('US customary (ft, lbm, lbf, psia, °R, BTU)');
      assert.equal(await dump(page), us, 'back in US customary');
      await choose('SI (m, kg, N, kPa, K, kJ)');
      await page.reload({ waitUntil: 'load' });
      await page.evaluate(() => window.calculatorPage.ready);
      await addReader(page);
      assert.equal(await dump(page), si, 'after a reload');
      assert.deepEqual(page.errors, []);
    } finally {
      await page.evaluate(() => localStorage.removeItem('calculator-units'));
      await page.close();
    }
  });
}
// The script mode's control lines, without its events (print files, ends).
const controlLines = (out) => out.split('\n').filter((l) => l && !l.startsWith('{"event"')).join('\n') + '\n';
let errorsShown = 0;

// Typing, Enter, the compute button, a failure and its end, Copy, the
// accessibility tree and a screenshot: the same texts as the script mode.
async function interact(program) {
  const page = await open(program);
  try {
    await check(`${program} defaults`, async () => {
      assert.equal(await dump(page), scriptMode(program, 'dump\n').out);
      const title = await page.title();
      assert.ok(title.length > 0 && title === (await page.evaluate(() => window.calculatorPage.window.caption)).replace(/\s+/g, ' '));
    });
    await check(`${program} start-up fetches`, async () => {
      // The page carries its styles and scripts: before the window is shown
      // it fetches its WebAssembly and the two fonts of the window, nothing else.
      // (The tab's icon is the browser's own request, not the page's.)
      const fetched = await page.evaluate(() => performance.getEntriesByType('resource')
        .filter((e) => e.startTime < window.calculatorPage.shown)
        .map((e) => new URL(e.name).pathname.slice(1)).filter((f) => !['favicon.ico', 'calculators.svg'].includes(f)).sort());
      assert.deepEqual(fetched, [`${program}-start.wasm`, 'fonts/LiberationSans-Bold.ttf', 'fonts/LiberationSerif-Bold.ttf'].sort());
      // The whole module and its loader once the window is shown.
      const later = await page.evaluate(() => performance.getEntriesByType('resource')
        .filter((e) => e.startTime >= window.calculatorPage.shown).map((e) => new URL(e.name).pathname.slice(1)));
      assert.ok(later.includes(`${program}.wasm`) && later.includes(`${program}.js`), later.join(' '));
    });
    if (shots) {
      fs.mkdirSync(shots, { recursive: true });
      await page.screenshot({ path: path.join(shots, `${program}.png`), fullPage: true });
    }
    // The first box that computes on Enter.
    const target = await page.evaluate(() => {
      const p = window.calculatorPage;
      for (const c of p.window.controls) {
        const el = document.querySelector(`[data-name="${CSS.escape(c.id)}"]`);
        if (c.kind !== 'textbox' || c.readOnly || el.offsetParent === null) continue;
        const compute = p.api.computeFor(c.n);
        if (compute >= 0) return { box: c.id, text: el.value, compute: p.window.controls[compute].id };
      }
      return null;
    });
    if (target) {
      const sel = `[data-name="${target.box}"]`;
      const script = [];
      await check(`${program} typing and Enter`, async () => {
        await page.click(sel, { clickCount: 3 });
        await page.keyboard.press('End');
        await page.keyboard.down('Shift');
        await page.keyboard.press('Home');
        await page.keyboard.up('Shift');
        let typed = '';
        for (const ch of target.text) {
          await page.keyboard.type(ch);
          typed += ch;
          script.push(`type ${target.box} ${typed}`);
        }
        await page.keyboard.press('Enter');
        script.push(`click ${target.compute}`);
        assert.equal(await dump(page), controlLines(scriptMode(program, script.join('\n') + '\ndump\n').out));
      });
      await check(`${program} compute button`, async () => {
        await page.click(`[data-name="${target.compute}"]`);
        script.push(`click ${target.compute}`);
        assert.equal(await dump(page), controlLines(scriptMode(program, script.join('\n') + '\ndump\n').out));
      });
      await check(`${program} lblError appears and goes`, async () => {
        await page.focus(sel);
        await page.evaluate((s) => document.querySelector(s).select(), sel);
        await page.keyboard.type('x');
        await page.keyboard.press('Enter');
        script.push(`type ${target.box} x`, `click ${target.compute}`);
        const want = controlLines(scriptMode(program, script.join('\n') + '\ndump\n').out);
        assert.equal(await dump(page), want);
        // Boxes read leniently take "x" for 0: then no failure, as on the desktop.
        const shown = await page.evaluate(() => !document.querySelector('[data-name="lblError"]').hidden);
        assert.equal(shown, want.includes('{"name":"lblError","kind":"label","visible":true'));
        if (shown) errorsShown += 1;
        if (shots) await page.screenshot({ path: path.join(shots, `${program}-error.png`), fullPage: true });
        const tree = await page.accessibility.snapshot({ interestingOnly: false });
        const message = await page.evaluate(() => document.querySelector('[data-name="lblError"]').textContent);
        assert.ok(JSON.stringify(tree).includes(JSON.stringify(message).slice(1, -1)), 'lblError is not in the accessibility tree');
        await page.evaluate((s) => document.querySelector(s).select(), sel);
        await page.keyboard.type(target.text);
        await page.keyboard.press('Enter');
        script.push(`type ${target.box} ${target.text}`, `click ${target.compute}`);
        assert.equal(await dump(page), controlLines(scriptMode(program, script.join('\n') + '\ndump\n').out));
        assert.ok(await page.evaluate(() => document.querySelector('[data-name="lblError"]').hidden));
      });
    }
    await check(`${program} Enter in a list computes`, async () => {
      // The first shown list in a part with a compute button, on a fresh
      // page: another choice by the arrows, then Enter, as the script mode's
      // select and click.
      const fresh = await open(program);
      try {
        const list = await fresh.evaluate(() => {
          const p = window.calculatorPage;
          for (const c of p.window.controls) {
            const el = document.querySelector(`[data-name="${CSS.escape(c.id)}"]`);
            if (c.kind !== 'list' || el.offsetParent === null) continue;
            const compute = p.api.computeFor(c.n);
            if (compute >= 0) return { id: c.id, index: el.selectedIndex, count: el.options.length, compute: p.window.controls[compute].id };
          }
          return null;
        });
        if (!list) return;
        await fresh.focus(`[data-name="${list.id}"]`);
        await fresh.keyboard.press(list.index + 1 < list.count ? 'ArrowDown' : 'ArrowUp');
        const chosen = await fresh.evaluate((id) => {
          const el = document.querySelector(`[data-name="${CSS.escape(id)}"]`);
          return el.options[el.selectedIndex].textContent;
        }, list.id);
        await fresh.keyboard.press('Enter');
        const script = `select ${list.id} ${chosen}\nclick ${list.compute}\ndump\n`;
        assert.equal(await dump(fresh), controlLines(scriptMode(program, script).out));
        assert.deepEqual(fresh.errors, []);
      } finally {
        await fresh.close();
      }
    });
    await check(`${program} Copy`, async () => {
      // The whole window, from the window's own menu.
      await page.evaluate(() => window.getSelection().removeAllRanges());
      const box = await page.evaluate(() => {
        const r = document.getElementById('window').getBoundingClientRect();
        return { x: r.right - 3, y: r.bottom - 3 };
      });
      await page.mouse.click(box.x, box.y, { button: 'right' });
      await page.click('.menu button');
      const whole = await page.evaluate(() => navigator.clipboard.readText());
      assert.equal(whole, await page.evaluate(() => window.calculatorPage.copied));
      for (const row of whole.split('\n').slice(0, -1)) assert.equal(row.split('\t').length, 2, `row "${row}"`);
      // A frame of results: its shown texts in rows, as the desktop's Copy.
      const frame = await page.evaluate(() => {
        const el = Array.from(document.querySelectorAll('.frame.results')).find((f) => f.offsetParent !== null);
        return el ? el.dataset.name : null;
      });
      if (!frame) return;
      const at = await page.evaluate((name) => {
        const el = document.querySelector(`[data-name="${CSS.escape(name)}"]`);
        const r = el.getBoundingClientRect();
        // A point of the frame itself, not of a control inside it.
        for (let y = r.top + 2; y < r.bottom; y += 2)
          for (let x = r.left + 2; x < r.right; x += 4)
            if (document.elementFromPoint(x, y) === el || document.elementFromPoint(x, y)?.classList.contains('edge')) return { x, y };
        return { x: r.left + 1, y: r.top + 12 };
      }, frame);
      await page.mouse.click(at.x, at.y, { button: 'right' });
      await page.click('.menu button');
      const copied = await page.evaluate(() => navigator.clipboard.readText());
      const rows = await page.evaluate((name) => {
        // Cells: shown labels and boxes with text, rows by vertical centre.
        const frameEl = document.querySelector(`[data-name="${CSS.escape(name)}"]`);
        const scale = frameEl.getBoundingClientRect().width / frameEl.offsetWidth;
        const cells = [];
        for (const el of frameEl.querySelectorAll('[data-name]')) {
          if (!el.matches('.label, input.box') || el.offsetParent === null) continue;
          const text = el.tagName === 'INPUT' ? el.value : el.firstChild.textContent;
          if (!text) continue;
          const r = el.getBoundingClientRect();
          const x = Math.round(r.left / scale), y = Math.round(r.top / scale);
          const w = Math.round(r.width / scale), h = Math.round(r.height / scale);
          cells.push({ x, y, w, h, mid: Math.floor(y + h / 2), text, heading: el.classList.contains('look-heading') });
        }
        // A heading set on top of another one is the first line of that
        // column's heading, not a row of its own.
        for (const a of cells) {
          if (!a.heading) continue;
          const b = cells.find((b) => b !== a && b.heading && b.y > a.y && b.y <= a.y + a.h + 6 &&
            2 * (Math.min(a.x + a.w, b.x + b.w) - Math.max(a.x, b.x)) >= Math.min(a.w, b.w));
          if (b) { b.text = a.text + ' ' + b.text; a.text = ''; }
        }
        for (let i = cells.length - 1; i >= 0; --i) if (!cells[i].text) cells.splice(i, 1);
        cells.sort((a, b) => a.mid - b.mid);
        const lines = [];
        let centre = 0;
        for (const c of cells) {
          if (!lines.length || c.mid - centre > 10) { lines.push([]); centre = c.mid; }
          lines[lines.length - 1].push(c);
        }
        return lines.map((l) => l.sort((a, b) => a.x - b.x).map((c) => c.text).join('\t') + '\n').join('');
      }, frame);
      assert.equal(copied, rows);
    });
    await check(`${program} menu ends with Help and About, as on the desktop`, async () => {
      const r = await page.evaluate(() => document.getElementById('window').getBoundingClientRect().toJSON());
      await page.mouse.click(r.right - 3, r.bottom - 3, { button: 'right' });
      const items = await page.$$eval('.menu button', (all) => all.map((b) => b.firstChild.textContent));
      assert.equal(items[0], 'Copy');
      assert.deepEqual(items.slice(-2), ['Help', 'About']);
      await page.evaluate(() => { window.calculatorPage.requested = null; });
      await page.click('.menu button:nth-last-child(2)');
      assert.equal(await page.evaluate(() => window.calculatorPage.requested), `help/${program}.html`);
      assert.equal(await page.$('.menu'), null, 'the menu stays open');
      await page.mouse.click(r.right - 3, r.bottom - 3, { button: 'right' });
      await page.click('.menu button:last-child');
      assert.ok(await page.evaluate(() => document.getElementById('about').open), 'About does not open');
      const about = await page.evaluate(() => document.getElementById('about').textContent);
      for (const words of ['Disclaimer', 'teaching and learning', 'have not been checked', 'without warranty'])
        assert.ok(about.includes(words), `About does not say "${words}"`);
      await page.click('#about button');
      assert.ok(!(await page.evaluate(() => document.getElementById('about').open)), 'About does not close');
    });
    await check(`${program} accessibility`, async () => {
      const tree = await page.accessibility.snapshot({ interestingOnly: false });
      const nodes = [];
      (function walk(n) { nodes.push(n); for (const c of n.children || []) walk(c); })(tree);
      const boxes = nodes.filter((n) => n.role === 'textbox' || n.role === 'listbox');
      const shownInputs = await page.evaluate(() => Array.from(document.querySelectorAll('input.box, select'))
        .filter((e) => e.offsetParent !== null).length);
      assert.equal(boxes.length, shownInputs, 'a shown box or list is missing from the tree');
      for (const n of boxes) assert.ok(n.name && n.name.trim(), `a ${n.role} without a name`);
      const results = await page.evaluate(() => Array.from(document.querySelectorAll('.label.look-result'))
        .filter((e) => e.offsetParent !== null && e.textContent.trim()).map((e) => e.textContent.trim()));
      const texts = new Set(nodes.filter((n) => n.name).map((n) => n.name.trim()));
      for (const r of results) assert.ok(texts.has(r), `result "${r}" is not in the tree`);
      // Every box has a label element or a name of its own.
      const unlabelled = await page.evaluate(() => Array.from(document.querySelectorAll('input.box, select'))
        .filter((e) => !(e.labels && e.labels.length) && !e.getAttribute('aria-label')).map((e) => e.dataset.name));
      assert.deepEqual(unlabelled, []);
    });
    assert.deepEqual(page.errors, []);
  } finally {
    await page.close();
  }
}

// The print files: the download is the desktop program's file, byte for byte.
async function printFiles() {
  const cases = {
    thrustfit: 'click Command1\n',
    shaftfit: 'click Command1\n',
    ringflow: 'click Cmdcalculate\nclick CmdUsersGuide\n',
  };
  for (const [program, script] of Object.entries(cases)) {
    await check(`${program} print file download`, async () => {
      const page = await open(program);
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-download-'));
      try {
        const session = await page.createCDPSession();
        await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
        for (const line of script.trim().split('\n')) await command(page, line);
        const useDesktop = Boolean(desktop) && fs.existsSync(path.join(desktop, program));
        if (!useDesktop) console.log(`${program}: no desktop program to compare with; the Node entry's file instead`);
        const want = scriptMode(program, script, { useDesktop }).files;
        assert.ok(Object.keys(want).length > 0, 'the script mode wrote no file');
        for (const [name, bytes] of Object.entries(want)) {
          const file = path.join(folder, name);
          for (let i = 0; i < 100 && !fs.existsSync(file); i++) await new Promise((r) => setTimeout(r, 50));
          assert.ok(fs.existsSync(file), `no download "${name}"`);
          assert.ok(fs.readFileSync(file).equals(bytes), `download "${name}" differs from the desktop's file`);
        }
      } finally {
        await page.close();
        fs.rmSync(folder, { recursive: true, force: true });
      }
    });
  }
}

// The index is the launcher: each button opens its program's page; the menu
// of flow tables opens theirs; "Done!" returns to the index.
async function navigation() {
  await check('index opens every program page', async () => {
    const page = await open('calculators');
    try {
      if (shots) await page.screenshot({ path: path.join(shots, 'index.png'), fullPage: true });
      for (const program of programs) {
        await page.evaluate((p) => { window.calculatorPage.requested = null; document.querySelector(`[data-name="cmd${p}"]`).click(); }, program);
        assert.equal(await page.evaluate(() => window.calculatorPage.requested), `${program}.html`);
      }
    } finally {
      await page.close();
    }
  });
  await check('following a page and Done!', async () => {
    const page = await open('calculators', { follow: true });
    // A click that opens another page may first bring its own page's address
    // up to date (its case): what counts is the next page, started.
    const arrived = async (from) => {
      await page.waitForFunction((old) => location.pathname !== old && window.calculatorPage && window.calculatorPage.shown,
                                 { timeout: 20000 }, from);
      await page.evaluate(() => window.calculatorPage.ready);
    };
    try {
      await Promise.all([arrived('/index.html'), page.click('[data-name="cmdflowmenu"]')]);
      assert.ok(page.url().endsWith('/flowmenu.html'));
      const option = await page.evaluate(() => {
        const c = window.calculatorPage.window.controls.find((x) => x.kind === 'option');
        return c.id;
      });
      await Promise.all([arrived('/flowmenu.html'), page.click(`[data-name="${option}"] input`)]);
      const table = page.url().replace(/.*\//, '');
      assert.ok(programs.includes(table.replace(/\.html$/, '')), `the menu opened ${table}`);
      await Promise.all([page.waitForNavigation(), page.click('[data-name="cmdend"]')]);
      assert.ok(page.url().endsWith('/index.html'));
    } finally {
      await page.close();
    }
  });
  await check('Done!, then Back: the page is a working window', async () => {
    const page = await open('isentropic', { follow: true });
    try {
      await Promise.all([page.waitForNavigation(), page.click('[data-name="cmdend"]')]);
      assert.ok(page.url().endsWith('/index.html'));
      await page.goBack();
      await page.waitForFunction(() => window.calculatorPage && window.calculatorPage.shown && !window.calculatorPage.ended,
                                 { timeout: 20000 });
      await page.evaluate(() => window.calculatorPage.ready);
      const restarted = await page.evaluate(() => window.calculatorPage.restarted);
      console.log(`Back after Done!: ${restarted ? 'the cached page started its program anew' : 'a fresh page (not from the cache)'}`);
      await page.evaluate(`${domLine.toString()}\n${domCommand.toString()}\nwindow.domCommand = domCommand;`);
      await page.click('[data-name="txtm1"]', { clickCount: 3 });
      await page.keyboard.type('2');
      await page.keyboard.press('Enter');
      // The address keeps the case in its fragment; the page is the same.
      assert.ok(page.url().replace(/#.*$/, '').endsWith('/isentropic.html'), `typing left the page for ${page.url()}`);
      const want = controlLines(scriptMode('isentropic', 'type txtm1 2\nclick cmdscompute\ndump\n').out);
      assert.equal(await dump(page), want);
    } finally {
      await page.close();
    }
  });
  await check('a panel closed by Escape or its × gives the focus back', async () => {
    const page = await open('fanno');
    try {
      const box = await page.evaluate(() => {
        const p = window.calculatorPage;
        const c = p.window.controls.find((x) => x.kind === 'textbox' && !x.readOnly &&
          document.querySelector(`[data-name="${CSS.escape(x.id)}"]`).offsetParent !== null);
        return c.id;
      });
      const focused = () => page.evaluate(() => document.activeElement && document.activeElement.dataset.name);
      // The sweep panel by its key, closed by Escape.
      await page.focus(`[data-name="${box}"]`);
      await page.keyboard.down('Control');
      await page.keyboard.press('l');
      await page.keyboard.up('Control');
      await page.waitForFunction(() => window.calculatorPage.plot?.sweep?.panel && !window.calculatorPage.plot.sweep.panel.hidden);
      assert.notEqual(await focused(), box);
      await page.keyboard.press('Escape');
      assert.ok(await page.evaluate(() => window.calculatorPage.plot.sweep.panel.hidden));
      assert.equal(await focused(), box, 'Escape left the focus elsewhere');
      // The chart panel from the menu, closed by its ×.
      const r = await page.evaluate((name) => document.querySelector(`[data-name="${CSS.escape(name)}"]`).getBoundingClientRect().toJSON(), box);
      await page.focus(`[data-name="${box}"]`);
      await page.mouse.click(r.x + 3, r.y + 3, { button: 'right' });
      const items = await page.$$('.menu button');
      let charts = null;
      for (const item of items) if ((await item.evaluate((b) => b.firstChild.textContent)) === 'Charts…') charts = item;
      assert.ok(charts, 'no Charts… in the menu');
      await charts.click();
      await page.waitForFunction(() => window.calculatorPage.plot?.charts?.panel && !window.calculatorPage.plot.charts.panel.hidden);
      await page.click('.chart-panel .panel-close');
      assert.equal(await focused(), box, 'the × left the focus elsewhere');
      // The About box gives it back too.
      await page.focus('#about-link');
      await page.keyboard.press('Enter');
      assert.ok(await page.evaluate(() => document.getElementById('about').open));
      await page.keyboard.press('Escape');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'about-link');
      assert.deepEqual(page.errors, []);
    } finally {
      await page.close();
    }
  });
  await check('a narrow browser shows one column, or the window scaled down when chosen', async () => {
    const page = await open('thrustdeck');
    try {
      await page.setViewport({ width: 500, height: 700 });
      await page.waitForFunction(() => window.calculatorPage.layout === 'phone', { timeout: 5000 });
      const noSideways = () => page.evaluate(() => document.documentElement.scrollWidth <= document.documentElement.clientWidth);
      assert.ok(await noSideways(), 'the one column scrolls sideways');
      // The window layout, chosen from the Menu button.
      await page.click('#menu-button');
      const items = await page.$$('.menu button');
      const texts = await Promise.all(items.map((b) => b.evaluate((e) => e.firstChild.textContent)));
      assert.ok(texts.includes('Window layout'), `no layout item: ${texts.join(', ')}`);
      await items[texts.indexOf('Window layout')].click();
      assert.equal(await page.evaluate(() => window.calculatorPage.layout), 'window');
      assert.equal(await page.evaluate(() => localStorage.getItem('calculator-layout')), 'window');
      const fit = await page.evaluate(() => {
        const r = document.getElementById('window').getBoundingClientRect();
        return { right: r.right, width: document.documentElement.clientWidth };
      });
      assert.ok(fit.right <= fit.width + 0.5, `window reaches ${fit.right} of ${fit.width}`);
      assert.ok(await noSideways(), 'the page scrolls sideways');
      // And back to what the width gives; the choice is forgotten.
      await page.click('#menu-button');
      await page.evaluate(() => Array.from(document.querySelectorAll('.menu button'))
        .find((b) => b.firstChild.textContent === 'One-column layout').click());
      assert.equal(await page.evaluate(() => window.calculatorPage.layout), 'phone');
      assert.equal(await page.evaluate(() => localStorage.getItem('calculator-layout')), null);
    } finally {
      await page.close();
    }
  });
  await check('a list with nothing chosen stays so when the layout changes', async () => {
    const page = await open('nozzle');
    try {
      for (const width of [500, 1280, 500]) {
        await page.setViewport({ width, height: 800 });
        await page.waitForFunction((w) => window.calculatorPage.layout === (w < 700 ? 'phone' : 'window'), {}, width);
        assert.equal(await dump(page), scriptMode('nozzle', 'dump\n').out, `at ${width} px`);
      }
    } finally {
      await page.close();
    }
  });
}

async function main() {
  const started = Date.now();
  const server = await serve(site, 0);
  base = `http://localhost:${server.address().port}/`;
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none', '--disable-dev-shm-usage'],
  });
  const context = browser.defaultBrowserContext();
  await context.overridePermissions(base.slice(0, -1), ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const only = process.argv.slice(2);
  try {
    for (const program of ['calculators', ...programs]) {
      if (only.length && !only.includes(program)) continue;
      await interact(program);
      await runCases(program);
      if (program !== 'calculators') await unitsSwitch(program);
    }
    if (!only.length) {
      await check('lblError shown by most pages', async () => assert.ok(errorsShown >= 12, `only ${errorsShown}`));
      await printFiles();
      await navigation();
    }
    await caseTests({ browser, base, open, addReader, check, command, dump, scriptMode, caseDir, shots,
                      programs: programs.filter((p) => !only.length || only.includes(p)) });
    await helpPages({ browser, base, check, shots, source, site, folders, desktop, programs: ['calculators', ...programs].filter((p) => !only.length || only.includes(p)) });
    await plotTests({ open, check, command, scriptMode, programs: programs.filter((p) => !only.length || only.includes(p)), shots });
    await printTests({ open, check, command, source, folders, shots,
                       programs: printedPrograms.filter((p) => !only.length || only.includes(p) || only.includes('print')) });
    const pages = ['calculators', ...programs].filter((p) => !only.length || only.includes(p));
    await deviceTests({ browser, base, check, shots, programs: pages, runCasesOn: runCases });
    if (!only.length || only.includes('offline')) await offlineTests({ browser, check, site, programs: ['calculators', ...programs], scriptMode });
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${checks} browser checks passed, ${failures.length} failed (${((Date.now() - started) / 1000).toFixed(0)} s)`);
  if (failures.length) {
    for (const f of failures) console.log('  ' + f.split('\n')[0]);
    process.exit(1);
  }
}

await main();
