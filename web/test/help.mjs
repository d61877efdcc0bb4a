// Browser tests of the help pages and the About box (called by browser.mjs):
// F1 and the Help link of every page open its program's help, rendered from
// the built Markdown with the worked example's digits, tables and headings
// free of raw Markdown, and a way back to the program.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';

// The tables of a Markdown text, cells as written, outside code: a row of
// cells with the rule under it, and the rows that follow (a line that only
// begins with "|" is text).
export function markdownTables(markdown) {
  const lines = markdown.split('\n').map((l) => l.replace(/\r$/, '').trim());
  const rule = (line) => /^\|?[\s:|-]+\|?$/.test(line) && line.includes('-') && line.includes('|');
  const tables = [];
  let fence = false;
  for (let i = 0; i < lines.length; i++) {
    if (lines[i].startsWith('```')) fence = !fence;
    if (fence || !lines[i].startsWith('|') || i + 1 >= lines.length || !rule(lines[i + 1])) continue;
    const table = [cells(lines[i])];
    for (i += 2; i < lines.length && lines[i].startsWith('|'); i++) table.push(cells(lines[i]));
    tables.push(table);
  }
  return tables;
}

// A row split at unescaped "|", outer bars dropped, cells trimmed.
export function cells(row) {
  const out = [];
  let cell = '';
  for (let i = 0; i < row.length; i++) {
    if (row[i] === '\\' && i + 1 < row.length) {
      cell += row[i] + row[i + 1];
      i += 1;
    } else if (row[i] === '|') {
      out.push(cell.trim());
      cell = '';
    } else {
      cell += row[i];
    }
  }
  out.push(cell.trim());
  if (out.length && out[0] === '') out.shift();
  if (out.length && out[out.length - 1] === '' && row.trimEnd().endsWith('|')) out.pop();
  return out;
}

// How often ch may stand in the rendered text of a cell or heading: as
// often as the source escapes it or quotes it as code.
export function allowed(source, ch) {
  let n = 0;
  let code = false;
  for (let i = 0; i < source.length; i++) {
    if (source[i] === '\\' && i + 1 < source.length) {
      if (source[++i] === ch) n += 1;
    } else if (source[i] === '`') {
      code = !code;
    } else if (code && source[i] === ch) {
      n += 1;
    }
  }
  return n;
}

// Headings of a Markdown text, as written, outside code.
export function markdownHeadings(markdown) {
  let fence = false;
  const out = [];
  for (const raw of markdown.split('\n')) {
    const line = raw.replace(/\r$/, '');
    if (line.trim().startsWith('```')) fence = !fence;
    else if (!fence && /^#{1,6} /.test(line)) out.push(line.replace(/^#{1,6} /, ''));
  }
  return out;
}

// What a cell shows of its Markdown: tags and escapes gone, blanks as one.
const plain = (cell) => cell.replace(/<[^>]*>/g, '').replace(/\\(.)/g, '$1').replace(/\s+/g, ' ').trim();

// The raw Markdown (and HTML shown as text) in rendered cells and headings,
// against the source.
export function renderProblems(markdown, shown) {
  const problems = [];
  const source = markdownTables(markdown);
  if (shown.tables.length !== source.length)
    return [`the page shows ${shown.tables.length} tables of ${source.length}`];
  source.forEach((table, t) => {
    const rendered = shown.tables[t];
    if (rendered.length !== table.length || rendered.some((row, r) => row.length !== table[r].length)) {
      problems.push(`table ${t + 1} ("${table[0][0]}") is shown with another shape`);
      return;
    }
    table.forEach((row, r) => row.forEach((cell, c) => {
      const text = rendered[r][c];
      for (const ch of ['|', '*', '#'])
        if (text.split(ch).length - 1 > allowed(cell, ch))
          problems.push(`raw "${ch}" in the cell "${text}" of table ${t + 1}`);
      if (/<(sub|sup|br|\/)/.test(text)) problems.push(`HTML shown as text in the cell "${text}"`);
    }));
  });
  const headings = markdownHeadings(markdown);
  if (shown.headings.length !== headings.length)
    problems.push(`the page shows ${shown.headings.length} headings of ${headings.length}`);
  shown.headings.forEach((text, i) => {
    for (const ch of ['|', '*', '#'])
      if (text.split(ch).length - 1 > allowed(headings[i] || '', ch)) problems.push(`raw "${ch}" in the heading "${text}"`);
  });
  if (/<(sub|sup|br)\b|<\//.test(shown.text)) problems.push('HTML shown as text');
  return problems;
}

// In the help page: its tables and headings as the reader sees them.
function shownHelp() {
  const main = document.getElementById('help');
  return {
    tables: Array.from(main.querySelectorAll('table')).map((t) =>
      Array.from(t.rows).map((row) => Array.from(row.cells).map((c) => c.textContent.replace(/\s+/g, ' ').trim()))),
    headings: Array.from(main.querySelectorAll('h1, h2, h3, h4, h5, h6')).map((h) => h.textContent.trim()),
    text: main.innerText,
    sub: main.querySelectorAll('sub, sup').length,
    font: getComputedStyle(main).fontFamily,
    fonts: document.fonts.check('12pt "Liberation Serif"') && document.fonts.check('bold 14pt "Liberation Sans"'),
  };
}

// The worked example's values: the rows of the example's "Box | Value" table
// in the built help, and every box the example case's output shows.
function exampleValues(markdown, expectedOutput) {
  const values = [];
  for (const table of markdownTables(markdown))
    if (table[0][0] === 'Box' && table[0][1] === 'Value')
      for (const row of table.slice(1)) values.push({ box: plain(row[0]), value: plain(row[1]) });
  const boxes = [];
  for (const line of expectedOutput.split('\n')) {
    if (!line.startsWith('{"name"')) continue;
    const c = JSON.parse(line);
    if (c.kind === 'textbox' && c.shown && c.text.trim()) boxes.push(c.text.replace(/\s+/g, ' ').trim());
  }
  return { values, boxes };
}

export async function helpPages({ browser, base, check, programs, shots, source, site, folders, desktop }) {
  const version = /project\(\w+ VERSION ([\d.]+)/.exec(fs.readFileSync(path.join(source, 'CMakeLists.txt'), 'utf8'))[1];
  const licence = /set\(CALC_LICENCE "([^"]*)"/.exec(fs.readFileSync(path.join(source, 'cmake/Help.cmake'), 'utf8'))[1];
  const pictured = new Set(['calculators', 'isentropic', 'thrustfit', 'stagemap']);

  for (const program of programs) {
    const file = program === 'calculators' ? 'index.html' : `${program}.html`;
    const helpFile = `help/${program}.html`;
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 900 });
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    try {
      await page.goto(base + file, { waitUntil: 'load' });
      await page.evaluate(() => window.calculatorPage.ready);

      await check(`${program} F1 opens its help`, async () => {
        await page.focus('#window input, #window button');
        await Promise.all([page.waitForNavigation(), page.keyboard.press('F1')]);
        assert.equal(page.url(), base + helpFile);
        await page.evaluate(() => window.helpPage.ready);
        await page.evaluate(() => document.fonts.ready);
        const built = fs.readFileSync(path.join(site, 'help', `${program}.md`), 'utf8');
        // The desktop build's help, where there is one, is the same text (not
        // the launcher's: on the desktop it names only the programs installed
        // beside it when its help was made; every page is there on the web).
        const desktopHelp = desktop && program !== 'calculators' && path.join(desktop, '..', 'help', `${program}.md`);
        if (desktopHelp && fs.existsSync(desktopHelp)) assert.equal(built, fs.readFileSync(desktopHelp, 'utf8'));
        const shown = await page.evaluate(shownHelp);
        assert.deepEqual(renderProblems(built, shown), []);
        if (/<su[bp]>/.test(built)) assert.ok(shown.sub > 0, 'no sub- or superscript rendered');
        assert.match(shown.font, /Liberation Serif/);
        assert.ok(shown.fonts, 'the Liberation fonts are not loaded');
        assert.equal(await page.title(), 'Help: ' + shown.headings[0]);
        // The worked example with the program's own digits.
        const marker = /^@example (\S+)/m.exec(fs.readFileSync(path.join(source, folders[program], `${program}.help.md`), 'utf8'));
        assert.ok(marker, 'the help has no worked example');
        const expected = fs.readFileSync(path.join(source, folders[program], marker[1].replace(/\.script$/, '.expected')), 'utf8');
        const example = exampleValues(built, expected);
        assert.ok(example.values.length > 0, 'no worked example in the built help');
        const rows = new Set(shown.tables.flatMap((t) => t.map((r) => r.join('\t'))));
        for (const { box, value } of example.values) assert.ok(rows.has(`${box}\t${value}`), `example row "${box}: ${value}" not shown`);
        const cellsShown = new Set(shown.tables.flat(2));
        for (const value of example.boxes) assert.ok(cellsShown.has(value), `the case's value "${value}" is not in the example`);
        if (shots && pictured.has(program)) {
          fs.mkdirSync(shots, { recursive: true });
          await page.screenshot({ path: path.join(shots, `help-${program}.png`), fullPage: true });
        }
      });

      await check(`${program} help leads back, and its Help link opens it`, async () => {
        const back = await page.evaluate(() => document.getElementById('back-link').textContent);
        assert.ok(back.trim().length > 2, 'the way back has no name');
        await Promise.all([page.waitForNavigation(), page.click('#back-link')]);
        assert.equal(page.url(), base + file);
        await page.evaluate(() => window.calculatorPage.ready);
        const link = await page.evaluate(() => {
          const a = document.getElementById('help-link');
          const r = a.getBoundingClientRect();
          return { text: a.textContent, shown: a.offsetParent !== null && r.width > 0 && r.height > 0 && r.bottom <= innerHeight };
        });
        assert.deepEqual(link, { text: 'Help', shown: true });
        await Promise.all([page.waitForNavigation(), page.click('#help-link')]);
        assert.equal(page.url(), base + helpFile);
        await page.evaluate(() => window.helpPage.ready);
        assert.ok(await page.evaluate(() => window.helpPage.shown));
      });

      if (program === 'calculators' || program === 'isentropic') {
        await check(`${program} About gives the suite's name, version and licence`, async () => {
          for (const at of [helpFile, file]) {
            await page.goto(base + at, { waitUntil: 'load' });
            await page.click('#about-link');
            const about = await page.evaluate(() => {
              const d = document.getElementById('about');
              return { open: d.open, text: d.innerText };
            });
            assert.ok(about.open, `About does not open on ${at}`);
            for (const want of ['Compressible Flow and Gas Turbine Calculators', `Version ${version}`, licence])
              assert.ok(about.text.includes(want), `About on ${at} lacks "${want}"`);
            if (shots && at === file) await page.screenshot({ path: path.join(shots, `about-${program}.png`) });
            await page.keyboard.press('Enter');
            assert.ok(!(await page.evaluate(() => document.getElementById('about').open)), 'About does not close');
          }
        });
      }
      await check(`${program} help pages without script errors`, async () => assert.deepEqual(errors, []));
    } finally {
      await page.close();
    }
  }
}
