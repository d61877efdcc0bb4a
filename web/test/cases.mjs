// Cases in the browser: every golden case carried out through a page, then
// the same window again from a reload, from its address in a fresh page,
// and from its saved file opened through the file input; the file is the
// Node entry's and the desktop program's for the same actions, byte for
// byte, and the desktop's opens in the page too. Bad files and
// addresses are refused with the core's message and change nothing.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

// The lines of a golden script that act on the window (a case holds only
// these); show, dump, sweep and chart lines only print.
const acting = /^(type|click|select|units|close)\b/;

// CRC-32, as the core checks an address with.
function crc32(text) {
  let crc = 0xffffffff;
  for (const byte of Buffer.from(text, 'utf8')) {
    crc ^= byte;
    for (let k = 0; k < 8; k++) crc = (crc >>> 1) ^ (0xedb88320 & -(crc & 1));
  }
  return ((crc ^ 0xffffffff) >>> 0).toString(16).padStart(8, '0');
}
const signed = (body) => `${body};k=${crc32(body)}`;

export async function caseTests({ browser, base, open, addReader, check, command, dump, scriptMode, caseDir,
                                  programs, shots }) {
  // A page at an address, ready and with the test's reader.
  async function openAt(url, viewport = { width: 1280, height: 900 }) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    page.errors = [];
    page.on('pageerror', (e) => page.errors.push(String(e)));
    await page.goto(url, { waitUntil: 'load' });
    await ready(page);
    return page;
  }
  // The address brought up to date after the last action.
  const settled = (page) => page.waitForFunction(() => !window.calculatorPage.addressPending);
  async function ready(page) {
    await page.waitForFunction(() => window.calculatorPage && window.calculatorPage.shown, { timeout: 20000 });
    await page.evaluate(() => window.calculatorPage.ready);
    await addReader(page);
  }
  const message = (page) => page.evaluate(() => {
    const note = document.getElementById('case-note');
    return note && !note.hidden && note.getAttribute('role') === 'alert' ? note.firstChild.textContent : null;
  });

  // Save case… from the menu, caught as the browser's download.
  async function saveCase(page, program) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-case-download-'));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await page.click('#menu-button');
    await page.evaluate(() => Array.from(document.querySelectorAll('.menu button'))
      .find((b) => b.firstChild.textContent === 'Save case…').click());
    const file = path.join(folder, program + '.flowcase');
    for (let i = 0; i < 200 && !fs.existsSync(file); i++) await new Promise((r) => setTimeout(r, 50));
    assert.ok(fs.existsSync(file), `no download "${program}.flowcase": ${fs.readdirSync(folder).join(', ')}`);
    const type = await page.evaluate(() => window.calculatorPage.savedCase.type);
    assert.equal(type, 'application/x-flow-calculators-case');
    return { folder, file };
  }

  // The file input, as Open case… offers it; a good case reloads the page.
  async function openFile(page, file, { good = true } = {}) {
    const input = await page.$('#case-file');
    if (good) {
      await Promise.all([page.waitForNavigation(), input.uploadFile(file)]);
      await ready(page);
    } else {
      await page.evaluate(() => { window.calculatorPage.caseOpening = null; });
      await input.uploadFile(file);
      await page.waitForFunction(() => window.calculatorPage.caseOpening !== null);
      assert.equal(await page.evaluate(() => window.calculatorPage.caseOpening), false);
    }
  }

  for (const program of programs) {
    const dir = caseDir(program);
    if (!dir || program === 'calculators') continue;
    // Every case: its address and a reload; the first with actions also
    // through a fresh page, the file, Node's file and the desktop (each of
    // those takes the same path for every case).
    let travelled = false;
    for (const name of fs.readdirSync(dir).filter((f) => f.endsWith('.script')).sort()) {
      const stem = name.replace(/\.script$/, '');
      if (fs.existsSync(path.join(dir, stem + '.status'))) continue;  // faults of the script itself
      const lines = fs.readFileSync(path.join(dir, name), 'utf8').split('\n').map((l) => l.replace(/\r$/, ''))
        .filter((l) => acting.test(l));
      await check(`${program} case ${stem}: address, reload, file`, async () => {
        // The actions through the page; one that ends the window is left
        // out (a case keeps what came before it), on a fresh page.
        // A line the page takes as no action (a list's item chosen again)
        // is none for the Node entry either.
        let page = await open(program);
        const actions = () => page.evaluate(() => window.calculatorPage.actions);
        let done = [];
        for (const line of lines) {
          const before = await actions();
          await command(page, line);
          if (await page.evaluate(() => window.calculatorPage.ended)) {
            await page.close();
            page = await open(program);
            for (const again of done) await command(page, again);
            break;
          }
          if (await actions() > before) done.push(line);
        }
        const pages = [page];
        let folder = null;
        try {
          const want = await dump(page);
          await settled(page);
          const address = page.url();
          assert.ok(address.length < 2000, `the address is ${address.length} characters long`);
          if (done.length) assert.ok(address.includes('#case=' + program + ';'), `no case in ${address}`);
          const link = await page.evaluate(() => window.calculatorPage.caseLink());
          if (done.length) assert.equal(link, address);
          const full = !travelled && done.length > 0;
          if (full) travelled = true;
          let saved = null;
          let bytes = null;
          let desktopFile = null;
          if (full) {
            // (d) the file is the Node entry's case for the same actions.
            saved = await saveCase(page, program);
            folder = saved.folder;
            bytes = fs.readFileSync(saved.file);
            const script = done.join('\n') + '\n';
            assert.ok(bytes.equals(scriptMode(program, script, { saveCase: true }).saved),
                      'the saved case differs from the Node entry\'s');
            // The desktop's file for the same actions: the same bytes.
            if (process.env.CALC_DESKTOP_BIN) {
              desktopFile = path.join(folder, 'desktop.flowcase');
              fs.writeFileSync(desktopFile, scriptMode(program, script, { useDesktop: true, saveCase: true }).saved);
              assert.ok(bytes.equals(fs.readFileSync(desktopFile)), 'the desktop\'s case differs from the page\'s');
            }
          }
          // (a) a reload keeps the window.
          await page.reload({ waitUntil: 'load' });
          await ready(page);
          assert.equal(await dump(page), want, 'after a reload');
          assert.equal(page.url(), address);
          if (!full) {
            assert.deepEqual(page.errors, []);
            return;
          }
          // (b) the address in a fresh page.
          const fresh = await openAt(address);
          pages.push(fresh);
          assert.equal(await dump(fresh), want, 'the address in a fresh page');
          assert.equal(await message(fresh), null);
          // (c) the saved file through the file input of a plain page.
          const plain = await openAt(base + program + '.html');
          pages.push(plain);
          await openFile(plain, saved.file);
          assert.equal(await dump(plain), want, 'the saved file opened');
          assert.equal(plain.url(), link);
          // (e) the desktop's file opened in a plain page.
          if (desktopFile) {
            const other = await openAt(base + program + '.html');
            pages.push(other);
            await openFile(other, desktopFile);
            assert.equal(await dump(other), want, 'the desktop\'s file opened in the page');
            assert.equal(other.url(), link);
          }
          // The browser's file on the desktop: its script mode runs it to the
          // same window (print files it writes aside).
          if (process.env.CALC_DESKTOP_BIN) {
            const { out } = scriptMode(program, bytes.toString('utf8') + 'dump\n', { useDesktop: true });
            const shown = out.split('\n').filter((l) => l && !l.startsWith('{"event"')).join('\n') + '\n';
            assert.equal(shown, want, 'the saved file in the desktop program');
          }
          for (const p of pages) assert.deepEqual(p.errors, []);
        } finally {
          for (const p of pages) await p.close();
          if (folder) fs.rmSync(folder, { recursive: true, force: true });
        }
      });
    }
    await badCases(program);
  }
  if (programs.includes('isentropic')) await menuShots();

  // Files and addresses that are no case of this window: refused with the
  // core's message, the window as it was.
  async function badCases(program) {
    const page = await open(program);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-bad-case-'));
    try {
      const controls = await page.evaluate(() => window.calculatorPage.window.controls.map((c) => ({
        id: c.id, kind: c.kind, readOnly: c.readOnly, items: c.items,
        shown: document.querySelector(`[data-name="${CSS.escape(c.id)}"]`).offsetParent !== null,
      })));
      const box = controls.find((c) => c.kind === 'textbox' && !c.readOnly && c.shown);
      const list = controls.find((c) => c.kind === 'list' && c.items.length);
      const result = controls.find((c) => c.kind === 'textbox' && c.readOnly);
      const other = program === 'shock' ? 'isentropic' : 'shock';
      const header = (p = program) => `# flow-calculators case: program ${p}, version 1.0, units us\n`;
      const files = [
        ['another program\'s case', header(other) + 'units us\n', `Line 1: this case is for ${other}, not for ${program}`],
        ['an unknown control', header() + 'units us\ntype txtNoSuchBox 2\n', 'Line 3: this window has no control named "txtNoSuchBox"'],
        ['a list item the list lacks', list && header() + `select ${list.id} No such item\n`,
         list && `Line 2: list ${list.id} holds no item "No such item"`],
        ['a text typed into a result', result && header() + `type ${result.id} 2\n`,
         result && `Line 2: ${result.id} shows a result; nothing can be typed into it`],
        ['a text longer than a box takes', box && header() + `type ${box.id} ${'9'.repeat(32768)}\n`,
         'Line 2: the text is longer than a box takes (32767 characters)'],
        ['a command that is no action', header() + 'dump\n', 'Line 2: a case only types, clicks, selects and chooses units; "dump" has no place in one'],
        ['over 1 MB', header() + '# padding\n'.repeat(110000), /^Line \d+: the case is larger than 1 MB/],
        ['binary bytes', Buffer.concat([Buffer.from(header()), Buffer.from([0x00, 0x01, 0xff])]),
         'Line 2: a NUL byte: this is a binary file, not a case'],
        ['bytes that are not UTF-8', Buffer.concat([Buffer.from(header() + 'type x '), Buffer.from([0xc3, 0x28])]),
         'Line 2: bytes that are not UTF-8 text'],
        ['no header', 'type txtm1 2\n', /^Line 1: not a case of these calculators/],
      ];
      // The window the user has: something typed and computed.
      if (box) {
        await command(page, `type ${box.id} 3`);
        const compute = await page.evaluate((id) => {
          const p = window.calculatorPage;
          const n = p.window.controls.find((c) => c.id === id).n;
          const at = p.api.computeFor(n);
          return at >= 0 ? p.window.controls[at].id : null;
        }, box.id);
        if (compute) await command(page, `click ${compute}`);
      }
      const before = await dump(page);
      await settled(page);
      const address = page.url();
      for (const [what, bytes, want] of files) {
        if (!bytes) continue;
        await check(`${program} refuses a case file with ${what}`, async () => {
          const file = path.join(folder, 'bad.flowcase');
          fs.writeFileSync(file, bytes);
          await openFile(page, file, { good: false });
          const shown = await message(page);
          if (want instanceof RegExp) assert.match(shown, new RegExp('^bad\\.flowcase: ' + want.source.slice(1)));
          else assert.equal(shown, 'bad.flowcase: ' + want);
          assert.equal(await dump(page), before);
          assert.equal(page.url(), address);
        });
      }
      await check(`${program} refuses a dropped file that is no case, opens one that is`, async () => {
        const drop = (text, name) => page.evaluate((t, n) => {
          const data = new DataTransfer();
          data.items.add(new File([t], n));
          document.getElementById('window').dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
          return window.calculatorPage.caseOpening;
        }, text, name);
        assert.equal(await drop(header(other), 'other.flowcase'), false);
        assert.equal(await message(page), `other.flowcase: Line 1: this case is for ${other}, not for ${program}`);
        assert.equal(await dump(page), before);
        const good = await page.evaluate(() => JSON.parse(window.calculatorPage.api.caseText()).text);
        const fresh = await openAt(base + program + '.html');
        try {
          await Promise.all([fresh.waitForNavigation(), fresh.evaluate((t) => {
            const data = new DataTransfer();
            data.items.add(new File([t], 'good.flowcase'));
            document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
          }, good)]);
          await ready(fresh);
          assert.equal(await dump(fresh), before);
        } finally {
          await fresh.close();
        }
      });
      // Addresses: each opens a plain window, says why, and loses its fragment.
      const fragment = address.includes('#') ? address.slice(address.indexOf('#') + 1) : signed(`case=${program};u.us`);
      const plain = scriptMode(program, 'dump\n').out;
      // One step changed, its check left as it was.
      const changed = fragment.replace(';u.us', ';u.si');
      const addresses = [
        ['a cut address', fragment.slice(0, Math.floor(fragment.length / 2)), 'The address was cut: the end of the case is missing'],
        ['a changed address', changed, 'The address was cut or changed: the case it holds does not match its check'],
        ['another program\'s address', signed(`case=${other};u.us`), `The address holds a case for ${other}, not for ${program}`],
        ['an address naming an unknown control', signed(`case=${program};u.us;c.cmdNoSuchButton`),
         'The case in the address cannot be opened: Line 3: this window has no control named "cmdNoSuchButton"'],
        ['an address that holds no case', 'top', 'The address holds no case'],
      ];
      for (const [what, bad, want] of addresses) {
        await check(`${program} refuses ${what}`, async () => {
          assert.notEqual(bad, fragment);
          const fresh = await openAt(`${base}${program}.html#${bad}`);
          try {
            assert.equal(await message(fresh), want);
            if (shots && what === 'a cut address' && program === 'isentropic')
              await fresh.screenshot({ path: path.join(shots, 'case-refused.png') });
            assert.equal(await dump(fresh), plain);
            assert.equal(fresh.url(), `${base}${program}.html`);
            assert.deepEqual(fresh.errors, []);
          } finally {
            await fresh.close();
          }
        });
      }
      assert.deepEqual(page.errors, []);
    } finally {
      await page.close();
      fs.rmSync(folder, { recursive: true, force: true });
    }
  }

  // The menu with the case items, on a laptop and on a phone: the same
  // items, each as large as the menu's others.
  async function menuShots() {
    const sizes = [
      ['laptop', { width: 1366, height: 768 }],
      ['phone', { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 2 }],
    ];
    for (const [name, viewport] of sizes) {
      await check(`the case items in the menu (${name})`, async () => {
        const page = await openAt(base + 'isentropic.html', viewport);
        try {
          await page.click('#menu-button');
          const items = await page.$$eval('.menu button', (all) => all.map((b) => {
            const r = b.getBoundingClientRect();
            return { text: b.firstChild.textContent, height: r.height, width: r.width };
          }));
          const texts = items.map((i) => i.text);
          for (const want of ['Copy link', 'Save case…', 'Open case…'])
            assert.ok(texts.includes(want), `no "${want}" in ${texts.join(', ')}`);
          assert.ok(texts.indexOf('Open case…') < texts.indexOf('Help'));
          const least = Math.min(...items.map((i) => i.height));
          for (const i of items) assert.equal(Math.round(i.height), Math.round(least), `"${i.text}" is ${i.height} px high`);
          if (name === 'phone') assert.ok(least >= 44, `menu items ${least} px high`);
          if (shots) {
            fs.mkdirSync(shots, { recursive: true });
            await page.screenshot({ path: path.join(shots, `case-menu-${name}.png`) });
          }
        } finally {
          await page.close();
        }
      });
    }
  }
}
