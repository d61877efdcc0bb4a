// Browser tests of "Print…" (called by web/test/browser.mjs with its
// helpers): the menu item and Ctrl+P fill the page's report, which the
// screen never shows and paper shows alone; the printed PDF (Chromium's,
// read back with pdftotext of poppler-utils) holds every caption and value
// of the report, every box and choice the window shows, in US and in SI, and
// printing leaves the window as it was. The first page of each is saved as
// print-PROGRAM-UNITS.png in $CALC_WEB_SHOT_DIR; thrustdeck printed with its
// chart panel open, a picture of each drawn chart, as print-thrustdeck-charts-N.png.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const printedPrograms = ['isentropic', 'thrustdeck', 'thrustfit'];

const flat = (text) => text.replace(/\s+/g, ' ').trim();

// The texts of a report's HTML: every heading, paragraph and cell.
function reportTexts(html) {
  const texts = [];
  const entity = { '&lt;': '<', '&gt;': '>', '&amp;': '&', '&quot;': '"', '&#39;': "'", '&#8212;': '—' };
  for (const m of html.matchAll(/<(h1|h2|p|td|th)\b[^>]*>([\s\S]*?)<\/\1>/g)) {
    const text = flat(m[2].replace(/<[^>]*>/g, ' ').replace(/&[#\w]+;/g, (e) => entity[e] ?? e));
    if (text) texts.push(text);
  }
  return texts;
}

function pdfText(pdf) {
  const run = spawnSync('pdftotext', ['-enc', 'UTF-8', pdf, '-'], { encoding: 'utf8' });
  assert.equal(run.status, 0, 'pdftotext (poppler-utils) is needed: ' + (run.error || run.stderr));
  return run.stdout;
}

function pages(pdf) {
  const run = spawnSync('pdfinfo', [pdf], { encoding: 'utf8' });
  assert.equal(run.status, 0, 'pdfinfo: ' + run.stderr);
  return Number(/Pages:\s+(\d+)/.exec(run.stdout)[1]);
}

export async function printTests({ open, check, command, source, folders, programs, shots }) {
  const defaultActions = (program) => {
    const dir = [path.join(source, folders[program], 'cases', program), path.join(source, folders[program], 'cases')]
      .find((d) => fs.existsSync(path.join(d, 'defaults.script')));
    return fs.readFileSync(path.join(dir, 'defaults.script'), 'utf8').split('\n')
      .filter((l) => /^(type|click|select) /.test(l) && !/^click cmdEnd$/i.test(l.trim()));
  };
  if (programs.includes('thrustdeck')) await chartsPrinted();
  for (const program of programs) {
    const actions = defaultActions(program);
    for (const units of ['us', 'si']) {
      await check(`${program} printed in ${units}: every caption and value`, async () => {
        const page = await open(program);
        const work = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-print-'));
        try {
          for (const line of actions) await command(page, line);
          if (units === 'si') await command(page, 'units si');
          // The browser's print dialog is not opened here: the page's own
          // filling of the report is what is tested.
          await page.evaluate(() => {
            window.calculatorPage.printed = 0;
            window.print = () => { window.calculatorPage.printed += 1; };
          });
          const before = (await command(page, 'dump')).join('\n');
          // From the menu, as a person chooses it.
          await page.click('#window', { button: 'right' });
          const items = await page.$$('[role="menuitem"]');
          let chosen = false;
          for (const item of items) {
            if ((await item.evaluate((e) => e.textContent)).startsWith('Print…')) {
              await item.click();
              chosen = true;
              break;
            }
          }
          assert.ok(chosen, 'the menu offers Print…');
          // And Ctrl+P.
          await page.keyboard.down('Control');
          await page.keyboard.press('KeyP');
          await page.keyboard.up('Control');
          assert.equal(await page.evaluate(() => window.calculatorPage.printed), 2, 'Print… and Ctrl+P print');
          const html = await page.evaluate(() => document.getElementById('print-report').innerHTML);
          assert.equal(await page.evaluate(() => getComputedStyle(document.getElementById('print-report')).display),
                       'none', 'the report is not on the screen');
          assert.equal((await command(page, 'dump')).join('\n'), before, 'printing changes nothing in the window');

          const pdf = path.join(work, `${program}.pdf`);
          fs.writeFileSync(pdf, await page.pdf({ format: 'A4', margin: { top: '15mm', bottom: '15mm', left: '18mm', right: '18mm' } }));
          const text = flat(pdfText(pdf));
          for (const wanted of reportTexts(html))
            assert.ok(text.includes(wanted), `"${wanted}" is not in the printed page:\n${text}`);
          // What the window shows, from its elements: boxes, lists, the chosen options.
          const shown = await page.evaluate(() => {
            const out = [];
            for (const el of document.querySelectorAll('#window input[type="text"], #window input:not([type]), #window select')) {
              if (el.readOnly || el.closest('[hidden]')) continue;
              out.push(el.tagName === 'SELECT' ? (el.options[el.selectedIndex]?.textContent ?? '') : el.value);
            }
            for (const el of document.querySelectorAll('#window input[type="radio"]:checked'))
              if (!el.closest('[hidden]')) out.push(el.parentElement.textContent);
            return out;
          });
          assert.ok(shown.length > 0, 'the window shows boxes');
          for (const value of shown) if (flat(value)) assert.ok(text.includes(flat(value)), `"${value}" is not printed`);
          assert.ok(text.includes(units === 'si' ? 'SI (m, kg, N, kPa, K, kJ)' : 'US customary'), 'the unit system');
          const n = pages(pdf);
          assert.ok(n >= 1 && n <= 2, `${n} pages`);
          if (shots) {
            spawnSync('pdftoppm', ['-png', '-r', '80', '-f', '1', '-l', '1', '-singlefile', pdf,
                                   path.join(shots, `print-${program}-${units}`)]);
          }
        } finally {
          fs.rmSync(work, { recursive: true, force: true });
          await page.close();
        }
      });
    }
  }

  // With the chart panel open, the report carries each chart the panel can
  // draw as a picture over its table; the panel and the window stay as they
  // were. The browser's own Print takes the chart on the screen.
  async function chartsPrinted() {
    await check('thrustdeck printed with its charts open: a picture of every drawn chart', async () => {
      const page = await open('thrustdeck');
      const work = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-print-'));
      try {
        for (const line of defaultActions('thrustdeck')) await command(page, line);
        await page.evaluate(() => window.calculatorPage.openPlot('charts'));
        const names = await page.evaluate(() => window.calculatorPage.plot.charts.names);
        const last = names[names.length - 1];
        await page.evaluate((name) => window.calculatorPage.plot.showChart(name), last);
        await page.evaluate(() => {
          window.calculatorPage.printed = 0;
          window.print = () => { window.calculatorPage.printed += 1; };
        });
        const before = (await command(page, 'dump')).join('\n');
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyP');
        await page.keyboard.up('Control');
        await page.waitForFunction(() => window.calculatorPage.printed === 1, { timeout: 20000 });
        const pictures = () => page.evaluate(async () => {
          const imgs = [...document.querySelectorAll('#print-report img')];
          await Promise.all(imgs.map((i) => i.decode().catch(() => null)));
          return imgs.map((i) => ({ alt: i.alt, src: i.getAttribute('src').slice(0, 26), width: i.naturalWidth,
                                    fits: i.width <= 560 && i.height <= 330 }));
        });
        const printed = await pictures();
        assert.equal(await page.evaluate(() => window.calculatorPage.plot.charts.current), last, 'the panel\'s chart changed');
        assert.equal((await command(page, 'dump')).join('\n'), before, 'printing changed the window');
        // Which charts the panel draws, tab by tab.
        const drawn = [];
        const drawnNames = [];
        for (const name of names) {
          await page.evaluate((n) => window.calculatorPage.plot.showChart(n), name);
          if (await page.evaluate(() => window.calculatorPage.plot.charts.drawn) !== 'chart') continue;
          drawn.push(await page.evaluate(() => window.calculatorPage.plot.charts.data.title));
          drawnNames.push(name);
        }
        assert.ok(drawn.length >= 1, 'thrustdeck draws no chart');
        assert.deepEqual(printed.map((p) => p.alt), drawn, 'one picture for each drawn chart, in the panel\'s order');
        for (const p of printed) {
          assert.ok(p.src.startsWith('data:image/svg+xml'), p.src);
          assert.ok(p.width > 0, `the picture of "${p.alt}" does not load`);
          assert.ok(p.fits, `the picture of "${p.alt}" is larger than its place`);
        }
        // The browser's own Print: the chart the panel shows, none while it
        // shows a table.
        await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
        if (!drawnNames.includes(names[names.length - 1])) assert.deepEqual(await pictures(), []);
        await page.evaluate((n) => window.calculatorPage.plot.showChart(n), drawnNames[0]);
        await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
        const own = await pictures();
        const shown = await page.evaluate(() => window.calculatorPage.plot.charts.data.title);
        assert.deepEqual(own.map((p) => p.alt), [shown]);
        assert.ok(own[0].width > 0, 'the shown chart\'s picture does not load');
        // On paper: the report with every picture (a person looks at it).
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyP');
        await page.keyboard.up('Control');
        await page.waitForFunction(() => window.calculatorPage.printed === 2, { timeout: 20000 });
        await pictures();
        const pdf = path.join(work, 'thrustdeck-charts.pdf');
        fs.writeFileSync(pdf, await page.pdf({ format: 'A4', margin: { top: '15mm', bottom: '15mm', left: '18mm', right: '18mm' } }));
        const text = flat(pdfText(pdf));
        for (const title of drawn) assert.ok(text.includes(flat(title)), `"${title}" is not printed`);
        if (shots) spawnSync('pdftoppm', ['-png', '-r', '60', pdf, path.join(shots, 'print-thrustdeck-charts')]);
      } finally {
        fs.rmSync(work, { recursive: true, force: true });
        await page.close();
      }
    });
  }
}
