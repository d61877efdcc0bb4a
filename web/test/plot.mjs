// Browser tests of the plot panel (sweeps) and the chart panel, called by
// web/test/browser.mjs with its helpers: the panel's points equal the script
// mode's sweep, gaps are listed, Cancel stops a sweep and the page stays
// responsive meanwhile, and every chart of every window draws after its
// compute button (a screenshot of each is saved).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function openSweep(page) {
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyL');
  await page.keyboard.up('Control');
  await page.waitForFunction(() => window.calculatorPage.plot && window.Plotly &&
                                   !window.calculatorPage.plot.sweep.panel.hidden, { timeout: 20000 });
}

// The core's palette, as the page's module exports it.
const palette = (page) => page.evaluate(() =>
  JSON.parse(window.calculatorPage.module.ccall('web_plot_style', 'string', [], [])));

// The colours the chart library draws a panel's traces in.
const drawnColours = (page, panel) => page.evaluate((selector) => {
  const div = document.querySelector(selector + ' .panel-chart');
  return (div.data || []).map((t) => ({ line: t.line && t.line.color, marker: t.marker && t.marker.color,
                                        mode: t.mode, dash: t.line && t.line.dash }));
}, panel);

// Each curve of a sweep in the core's colours: by result, or in a family by
// value; never the alarm red.
async function sweepColours(page, curves) {
  const style = await palette(page);
  const drawn = await drawnColours(page, '.sweep-panel');
  assert.equal(drawn.length, curves.length, 'a trace for each curve');
  drawn.forEach((t, i) => {
    assert.equal(t.line, style.series[curves[i] % style.series.length], `curve ${i}`);
    assert.equal(t.marker, t.line);
    assert.notEqual(t.line, style.alarm);
  });
}

// Runs a sweep through the panel; returns its points and gap lines.
async function panelSweep(page, request, timeout = 120000) {
  const started = await page.evaluate((r) => {
    const plot = window.calculatorPage.plot;
    plot.configure(r);
    return plot.start() ? '' : plot.sweep.ui.status.textContent;
  }, request);
  assert.equal(started, '', 'the panel refused the sweep');
  await page.waitForFunction(() => !window.calculatorPage.plot.sweep.running, { timeout });
  return page.evaluate(() => {
    const plot = window.calculatorPage.plot;
    return { points: plot.sweep.points, gaps: plot.gapLines(), status: plot.sweep.ui.status.textContent,
             finished: plot.sweep.finished, traces: document.querySelectorAll('.sweep-panel .scatterlayer .trace').length };
  });
}

// Save as CSV downloads the table; PNG and SVG are images of the drawing.
async function saves(page, rows) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'calc-sweep-'));
  try {
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await page.evaluate(() => Array.from(document.querySelectorAll('.sweep-panel .panel-button'))
      .find((b) => b.textContent === 'Save as CSV').click());
    const file = path.join(folder, 'sweep.csv');
    for (let i = 0; i < 100 && !fs.existsSync(file); i++) await sleep(50);
    assert.ok(fs.existsSync(file), 'no sweep.csv');
    assert.deepEqual(fs.readFileSync(file, 'utf8').split('\n').slice(1), rows.slice(1).map((r) => r.split('\t').join(',')));
    const images = await page.evaluate(async () => {
      const div = document.querySelector('.sweep-panel .panel-chart');
      return [await window.Plotly.toImage(div, { format: 'png' }), await window.Plotly.toImage(div, { format: 'svg' })]
        .map((url) => url.slice(0, 20));
    });
    assert.ok(images[0].startsWith('data:image/png'), images[0]);
    assert.ok(images[1].startsWith('data:image/svg+xml'), images[1]);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// The script mode's sweep lines, as objects.
function scriptSweep(scriptMode, program, setup, line) {
  return scriptMode(program, setup + line + '\n').out.split('\n').filter((l) => l.startsWith('{"sweep"'))
    .map((l) => JSON.parse(l));
}

function samePoints(got, want, outputs) {
  assert.equal(got.length, want.length, 'number of points');
  got.forEach((p, i) => {
    const w = want[i];
    const outs = Object.fromEntries(outputs.map((id, o) => [id, p.outputs[o]]));
    assert.deepEqual({ point: p.index, text: p.text, outputs: outs, message: p.message },
                     { point: w.point, text: w.text, outputs: w.outputs, message: w.message }, `point ${i}`);
  });
}

export async function plotTests({ open, check, command, scriptMode, programs, shots }) {
  // Sweeps that equal the script mode's, point for point.
  const cases = [
    { program: 'isentropic', setup: '', request: { input: 'txtm1', from: '0.1', to: '3', points: 30, button: 'cmdscompute', outputs: ['lblp1', 'lbla1'], logY: true } },
    { program: 'shock', setup: '', request: { input: 'txtm1', from: '1.5', to: '4', points: 21, log: true, button: null, outputs: null } },
    { program: 'thrustfit', setup: '', request: { input: 'txtmach', from: '0', to: '3', points: 21, button: 'cmdCalculate', outputs: ['txttnd', 'txttsfc'] }, gaps: true },
  ];
  for (const c of cases.filter((x) => programs.includes(x.program))) {
    await check(`${c.program} plot panel sweep equals the script mode`, async () => {
      const page = await open(c.program);
      try {
        // Start-up fetches neither the panels nor their chart library.
        const fetched = await page.evaluate(() => performance.getEntriesByType('resource').map((e) => e.name));
        assert.deepEqual(fetched.filter((n) => /plot|sweep-worker/.test(n)), []);
        await openSweep(page);
        const choices = await page.evaluate(() => window.calculatorPage.plot.sweep.choices);
        // The panel offers each box by its one caption, as the window names it
        // to the screen reader, and never by a control's name.
        const offered = await page.evaluate(() => {
          const select = document.getElementById('plot-input');
          return [...select.options].map((o) => {
            const box = document.querySelector(`[data-name="${CSS.escape(o.value)}"]`);
            return { id: o.value, text: o.textContent, aria: box ? box.getAttribute('aria-label') : null };
          });
        });
        assert.ok(offered.length > 0, 'no input offered');
        for (const o of offered) {
          assert.equal(o.text, choices.inputs.find((x) => x.id === o.id).caption, o.id);
          assert.equal(o.text, o.aria, `${o.id}: panel and window name it differently`);
          assert.ok(!o.text.includes(o.id), `${o.id}: "${o.text}" holds its control name`);
        }
        // To start with, the core's offer: its box, range and results.
        const start = await page.evaluate(() => {
          const ui = window.calculatorPage.plot.sweep.ui;
          return { input: ui.input.value, from: ui.from.value, to: ui.to.value,
                   outputs: Array.from(ui.results.querySelectorAll('input:checked')).map((b) => b.value) };
        });
        assert.ok(choices.offer, 'no first offer');
        assert.deepEqual(start, { input: choices.offer.input, from: choices.offer.from, to: choices.offer.to,
                                  outputs: choices.offer.outputs });
        assert.ok(!start.outputs.includes(start.input), 'the swept box offered as its own result');
        const r = { ...c.request };
        const input = choices.inputs.find((x) => x.id === r.input);
        assert.ok(input, `${r.input} is not offered`);
        if (!r.button) r.button = input.compute;
        if (!r.outputs) r.outputs = choices.outputs.slice(0, 2).map((x) => x.id);
        const got = await panelSweep(page, r);
        assert.ok(got.finished, got.status);
        const spacing = r.log ? ' log' : '';
        const line = `sweep ${r.input} ${r.from} ${r.to} ${r.points} ${r.button} ${r.outputs.join(' ')}`;
        if (r.log) {
          // The script's sweep is linear: the log points are typed one by one.
          const want = [];
          for (const p of got.points) {
            const out = scriptSweep(scriptMode, c.program, c.setup, `sweep ${r.input} ${p.text} ${p.text} 2 ${r.button} ${r.outputs.join(' ')}`)[0];
            want.push({ ...out, point: p.index });
          }
          samePoints(got.points, want, r.outputs);
        } else {
          samePoints(got.points, scriptSweep(scriptMode, c.program, c.setup, line), r.outputs);
        }
        assert.ok(got.traces >= r.outputs.length, `only ${got.traces} curves drawn${spacing}`);
        const gapPoints = got.points.filter((p) => p.message);
        assert.equal(got.gaps.length, gapPoints.length, 'a gap line for each gap');
        gapPoints.forEach((p, i) => assert.ok(got.gaps[i].endsWith(': ' + p.message), got.gaps[i]));
        if (c.gaps) assert.ok(gapPoints.length > 0, 'no gap in a sweep that has failures');
        // Copy: headings, then each point's texts as the script mode gives them.
        const table = await page.evaluate(() => {
          Array.from(document.querySelectorAll('.sweep-panel .panel-button')).find((b) => b.textContent === 'Copy').click();
          return window.calculatorPage.copied;
        });
        const rows = table.split('\n');
        assert.equal(rows.length, r.points + 2, 'Copy: headings and one row per point');
        got.points.forEach((p, i) => assert.equal(rows[i + 1], [p.text, ...p.outputs, p.message].join('\t')));
        if (c.program === 'isentropic') await saves(page, rows);
        await sweepColours(page, r.outputs.map((_, o) => o));
        if (shots) await page.screenshot({ path: path.join(shots, `sweep-${c.program}.png`) });
        assert.deepEqual(page.errors, []);
      } finally {
        await page.close();
      }
    });
  }

  if (programs.includes('thrustdeck')) await check('thrustdeck family of curves on two axes', async () => {
    const page = await open('thrustdeck');
    try {
      await openSweep(page);
      const r = { input: 'txtpic', from: '4', to: '40', points: 10, button: 'cmdCalculate', outputs: ['txtff', 'txttsfc'],
                  family: 'txttt4', familyValues: '2500 3000 3500' };
      const got = await panelSweep(page, r);
      assert.ok(got.finished, got.status);
      assert.equal(got.points.length, 30);
      for (const [curve, t4] of ['2500', '3000', '3500'].entries()) {
        const want = scriptSweep(scriptMode, 'thrustdeck', `type txttt4 ${t4}\n`, `sweep txtpic 4 40 10 cmdCalculate txtff txttsfc`);
        samePoints(got.points.filter((p) => p.curve === curve), want, r.outputs);
      }
      const axes = await page.evaluate(() => document.querySelectorAll('.sweep-panel .yaxislayer-above').length +
                                              document.querySelectorAll('.sweep-panel .overaxes-above .yaxislayer-above').length);
      const y2 = await page.evaluate(() => Boolean(document.querySelector('.sweep-panel .y2tick')));
      assert.ok(axes >= 1 && y2, 'thrust and TSFC on two axes');
      // A colour for each temperature, a dash for each result.
      await sweepColours(page, [0, 1, 2, 0, 1, 2]);
      const dashes = (await drawnColours(page, '.sweep-panel')).map((t) => t.dash);
      assert.deepEqual(dashes, ['solid', 'solid', 'solid', 'dash', 'dash', 'dash']);
      if (shots) await page.screenshot({ path: path.join(shots, 'sweep-thrustdeck-family.png') });
    } finally {
      await page.close();
    }
  });

  if (programs.includes('ringflow')) await check('ringflow sweep: the page stays responsive and Cancel stops it', async () => {
    const page = await open('ringflow');
    try {
      await openSweep(page);
      await page.evaluate(() => {
        const plot = window.calculatorPage.plot;
        plot.configure({ input: 'txtrotn', from: '1000', to: '60000', points: 5000, button: 'Cmdcalculate', outputs: ['Txtjconv'] });
        plot.start();
      });
      // Frames keep coming while the points are computed.
      const gaps = await page.evaluate(() => new Promise((resolve) => {
        const times = [];
        const tick = (t) => { times.push(t); if (times.length < 15) requestAnimationFrame(tick); else resolve(times); };
        requestAnimationFrame(tick);
      }).then((times) => Math.max(...times.slice(1).map((t, i) => t - times[i]))));
      assert.ok(gaps < 250, `a frame waited ${gaps.toFixed(0)} ms`);
      // The window answers typing meanwhile.
      const running = await page.evaluate(() => window.calculatorPage.plot.sweep.running);
      assert.ok(running, 'the sweep ended before it could be cancelled');
      const cancelled = await page.evaluate(() => {
        const plot = window.calculatorPage.plot;
        const t = performance.now();
        plot.sweep.ui.cancel.click();
        return { ms: performance.now() - t, running: plot.sweep.running, done: plot.sweep.done };
      });
      assert.equal(cancelled.running, false);
      assert.ok(cancelled.ms < 500, `Cancel took ${cancelled.ms} ms`);
      assert.ok(cancelled.done < 5000, 'every point was computed');
      await sleep(300);
      const after = await page.evaluate(() => window.calculatorPage.plot.sweep.done);
      assert.equal(after, cancelled.done, 'points still arrive after Cancel');
      assert.deepEqual(page.errors, []);
    } finally {
      await page.close();
    }
  });

  // The golden sweep cases, through the panel: each point's line as the
  // script mode prints it (compared as JSON), the other lines as the page runs them.
  for (const program of programs) {
    await check(`${program} sweep case through the panel`, async () => {
      const file = caseFile(program);
      if (!file) return;
      const page = await open(program);
      try {
        const got = [];
        for (const raw of fs.readFileSync(file, 'utf8').split('\n')) {
          const line = raw.replace(/\r$/, '').trim();
          if (!line || line.startsWith('#')) continue;
          if (!line.startsWith('sweep ')) {
            got.push(...(await command(page, line)).map((l) => JSON.parse(l)));
            continue;
          }
          const [, input, from, to, points, button, ...outputs] = line.split(/\s+/);
          await page.evaluate(() => window.calculatorPage.openPlot('sweep'));
          await page.waitForFunction(() => window.calculatorPage.plot && !window.calculatorPage.plot.sweep.panel.hidden);
          const run = await panelSweep(page, { input, from, to, points: Number(points), button, outputs });
          assert.ok(run.finished, run.status);
          for (const p of run.points) {
            got.push({ sweep: input, point: p.index, text: p.text,
                       outputs: Object.fromEntries(outputs.map((id, o) => [id, p.outputs[o]])), message: p.message });
          }
        }
        const want = fs.readFileSync(file.replace(/\.script$/, '.expected'), 'utf8').split('\n').filter((l) => l)
          .map((l) => JSON.parse(l));
        assert.deepEqual(got, want);
      } finally {
        await page.close();
      }
    });
  }

  // Every chart of every window, after its compute button with the defaults.
  let chartsSeen = 0;
  for (const program of programs) {
    await check(`${program} charts`, async () => {
      const page = await open(program);
      try {
        const names = await page.evaluate(() => JSON.parse(window.calculatorPage.module.ccall('web_chart_names', 'string', [], [])));
        if (!names.length) return;
        // Before anything is computed, a chart says why it has nothing to draw.
        const compute = await page.evaluate(() => {
          const c = window.calculatorPage.window.controls;
          const box = c.find((x) => x.kind === 'textbox' && !x.readOnly && x.visible &&
                              window.calculatorPage.api.computeFor(x.n) >= 0);
          return box ? c[window.calculatorPage.api.computeFor(box.n)].id : null;
        });
        assert.ok(compute, 'no compute button');
        await command(page, `click ${compute}`);
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyK');
        await page.keyboard.up('Control');
        await page.waitForFunction(() => window.calculatorPage.plot && window.Plotly, { timeout: 20000 });
        for (const name of names) {
          const shown = await page.evaluate(async (n) => {
            const plot = window.calculatorPage.plot;
            document.querySelector(`.panel-tab[data-chart="${CSS.escape(n)}"]`).click();
            await new Promise((r) => setTimeout(r, 50));
            const panel = document.querySelector('.chart-panel');
            return {
              drawn: plot.charts.drawn, message: plot.charts.data.message || '',
              traces: panel.querySelectorAll('.panel-chart:not([hidden]) .scatterlayer .trace').length,
              rows: panel.querySelectorAll('.panel-table tr').length,
            };
          }, name);
          assert.ok(shown.traces > 0 || shown.rows > 1,
                    `chart ${name} draws nothing after ${compute}` + (shown.message ? `: ${shown.message}` : ''));
          chartsSeen += 1;
          await chartColours(page);
          await chartLabels(page, `${program} ${name}`);
          if (shots) {
            const panel = await page.$('.chart-panel');
            await panel.screenshot({ path: path.join(shots, `chart-${program}-${name}.png`) });
          }
        }
        // The panel follows the window: a failed computation leaves no stale chart.
        const box = await page.evaluate((id) => {
          const page = window.calculatorPage;
          const c = page.window.controls;
          const b = c.find((x) => x.kind === 'textbox' && !x.readOnly && x.visible && c[page.api.computeFor(x.n)].id === id);
          return b ? b.id : null;
        }, compute);
        const before = await page.evaluate(() => JSON.stringify(window.calculatorPage.plot.charts.data));
        await command(page, `type ${box} x`);
        await command(page, `click ${compute}`);
        const after = await page.evaluate(() => {
          const page = window.calculatorPage;
          const fresh = page.module.ccall('web_chart', 'string', ['string'], [page.plot.charts.current]);
          return { shown: JSON.stringify(page.plot.charts.data), fresh: JSON.stringify(JSON.parse(fresh)),
                   failed: !document.querySelector('[data-name="lblError"]').hidden };
        });
        assert.equal(after.shown, after.fresh, 'the chart panel did not follow the window');
        if (after.failed) assert.ok(JSON.parse(after.shown).message || after.shown !== before, 'a stale chart after a failure');
        assert.deepEqual(page.errors, []);
      } finally {
        await page.close();
      }
    });
  }
  console.log(`${chartsSeen} charts drawn in the chart panel`);

  // A chart's traces in the core's colours: the series in the palette's
  // order, red only for an alarm.
  async function chartColours(page) {
    const style = await palette(page);
    const { data, look } = await page.evaluate(() => ({ data: window.calculatorPage.plot.charts.data,
                                                         look: window.calculatorPage.plot.charts.look }));
    if (data.message || data.series.length + data.marks.length === 0) return;
    const drawn = await drawnColours(page, '.chart-panel');
    data.series.forEach((s, i) => {
      assert.equal(drawn[i].line, style.series[i % style.series.length], `${data.chart}: series ${s.name}`);
      assert.equal(drawn[i].line, look.series[i].colour);
    });
    const marks = drawn.slice(data.series.length);
    const groups = look.marks.filter((m) => m.group >= 0).map((m) => look.groups[m.group]);
    assert.equal(marks.length, groups.length, `${data.chart}: a trace for each mark`);
    marks.forEach((t, i) => assert.equal(t.marker, groups[i].alarm ? style.alarm : style.mark, `${data.chart}: mark ${i}`));
  }

  // A chart's texts as the page drew them where the core placed them: each
  // within its box, none on another, each within reach of its point.
  async function chartLabels(page, what) {
    const drawn = await page.evaluate(() => {
      const charts = window.calculatorPage.plot.charts;
      const div = document.querySelector('.chart-panel .panel-chart');
      if (div.hidden || !charts.labels) return null;
      const origin = div.getBoundingClientRect();
      const texts = Array.from(div.querySelectorAll('.annotation')).filter((a) => a.textContent !== '')
        .map((a) => {
          const r = a.querySelector('.annotation-text').getBoundingClientRect();
          return { text: a.textContent, left: r.left - origin.left, top: r.top - origin.top, width: r.width, height: r.height };
        });
      return { labels: charts.labels, texts };
    });
    if (!drawn) return;
    assert.equal(drawn.texts.length, drawn.labels.length, `${what}: a drawn text for each placed`);
    drawn.texts.forEach((t, i) => {
      const l = drawn.labels[i];
      assert.ok(t.width <= l.width + 1 && t.height <= l.height + 1, `${what}: "${t.text}" is ${t.width} x ${t.height}, its box ${l.width} x ${l.height}`);
      const dx = Math.max(0, t.left - l.atX, l.atX - (t.left + t.width));
      const dy = Math.max(0, t.top - l.atY, l.atY - (t.top + t.height));
      assert.ok(Math.hypot(dx, dy) <= 30, `${what}: "${t.text}" stands ${Math.hypot(dx, dy).toFixed(1)} px from its point`);
      for (const o of drawn.texts.slice(0, i)) {
        const apart = o.left + o.width <= t.left + 0.5 || t.left + t.width <= o.left + 0.5 ||
                      o.top + o.height <= t.top + 0.5 || t.top + t.height <= o.top + 0.5;
        assert.ok(apart, `${what}: "${t.text}" on "${o.text}"`);
      }
    });
  }

  function caseFile(program) {
    const source = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
    const list = fs.readFileSync(path.join(source, 'programs.txt'), 'utf8').split('\n')
      .filter((l) => /^[a-z]/.test(l)).map((l) => l.split('|'));
    const folder = (list.find((f) => f[0] === program) || [])[1];
    if (!folder) return null;
    for (const f of [path.join(source, folder, 'cases', program, 'sweep.script'), path.join(source, folder, 'cases', 'sweep.script')])
      // A case that ends with a bad command tests the script, not the sweep.
      if (fs.existsSync(f)) return fs.existsSync(f.replace(/\.script$/, '.status')) ? null : f;
    return null;
  }
}
