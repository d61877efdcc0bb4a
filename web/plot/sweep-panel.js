// The plot panel: one input box of the window swept over a range, its
// results plotted. The points are computed in workers (./workers.js); what
// is drawn of them, the checks of the request and the table come from the
// core (core/plot.h) through the module.
import { bridge, style } from './bindings.js';
import {
  below, button, chartConfig, checkbox, copyToClipboard, dashes, element, field, fitLayout, font, loadLibrary,
  makePanel, saveImage, saveText,
} from './panel.js';
import { startPool } from './workers.js';

const page = window.calculatorPage;
export const sweep = { panel: null, points: [], request: null, pool: null, running: false };

// A control by its one caption (core::CaptionOf), as the window names it.
function choiceText(c) { return c.caption; }

function fillSelect(select, list, keep, none) {
  const old = keep !== undefined ? keep : select.value;
  select.textContent = '';
  if (none) select.appendChild(new Option('(none)', ''));
  for (const c of list) select.appendChild(new Option(choiceText(c), c.id));
  if (old && list.some((c) => c.id === old)) select.value = old;
}

// From, To, Points and the spacing, in one row.
function rangeRow(ui) {
  const range = element('div', 'panel-row');
  ui.from = document.createElement('input');
  ui.to = document.createElement('input');
  ui.points = document.createElement('input');
  for (const [box, caption] of [[ui.from, 'From'], [ui.to, 'To'], [ui.points, 'Points']]) {
    box.type = caption === 'Points' ? 'number' : 'text';
    box.className = 'panel-box';
    box.setAttribute('aria-label', caption);
    box.dataset.name = caption.toLowerCase();
    range.appendChild(element('span', 'panel-caption', caption));
    range.appendChild(box);
  }
  ui.points.min = style.minPoints;
  ui.points.max = style.maxPoints;
  ui.points.value = 21;
  const logSpacing = checkbox('Log spacing');
  ui.logSpacing = logSpacing.box;
  range.appendChild(logSpacing.label);
  return range;
}

function familyRow(ui) {
  const family = element('div', 'panel-row');
  ui.family = document.createElement('select');
  ui.family.setAttribute('aria-label', 'Family of');
  ui.familyValues = document.createElement('input');
  ui.familyValues.type = 'text';
  ui.familyValues.className = 'panel-box wide';
  ui.familyValues.placeholder = style.familyHint;
  ui.familyValues.setAttribute('aria-label', 'Family values');
  family.append(ui.family, ui.familyValues);
  return family;
}

function settings(panel, ui) {
  const grid = element('div', 'panel-grid');
  panel.appendChild(grid);
  ui.input = field(grid, 'Input', document.createElement('select'));
  grid.append(element('span', 'panel-caption', 'Range'), rangeRow(ui));
  ui.button = field(grid, 'Button', document.createElement('select'));
  ui.results = element('div', 'panel-results');
  ui.results.setAttribute('role', 'group');
  ui.results.setAttribute('aria-label', 'Results');
  grid.append(element('span', 'panel-caption', 'Results'), ui.results);
  grid.append(element('span', 'panel-caption', 'Family of'), familyRow(ui));
  const axes = element('div', 'panel-row');
  const logX = checkbox('Log x axis');
  const logY = checkbox('Log y axis');
  ui.logX = logX.box;
  ui.logY = logY.box;
  axes.append(logX.label, logY.label);
  grid.append(element('span', 'panel-caption', 'Axes'), axes);
}

function runRow(panel, ui) {
  const run = element('div', 'panel-row');
  ui.plot = button('Plot', () => start());
  ui.plot.classList.add('default');
  ui.cancel = button('Cancel', () => cancel());
  ui.cancel.disabled = true;
  ui.progress = document.createElement('progress');
  ui.progress.value = 0;
  ui.progress.max = 1;
  ui.progress.setAttribute('aria-label', 'Sweep progress');
  ui.status = element('span', 'panel-status');
  ui.status.setAttribute('role', 'status');
  run.append(ui.plot, ui.cancel, ui.progress, ui.status);
  panel.appendChild(run);
}

function buildPanel() {
  const ui = {};
  const panel = makePanel('Sweep and plot', 'sweep-panel');
  settings(panel, ui);
  runRow(panel, ui);
  ui.chart = element('div', 'panel-chart');
  ui.hover = element('div', 'panel-hover', ' ');
  ui.gaps = element('ul', 'panel-gaps');
  ui.gaps.setAttribute('aria-label', 'Gaps');
  const save = element('div', 'panel-row');
  save.append(button('Copy', () => copyToClipboard(tableText('\t'))),
              button('Save as CSV', () => saveText('sweep.csv', tableText(','), 'text/csv')),
              button('Save as PNG', () => saveImage(ui.chart, 'png', 'sweep')),
              button('Save as SVG', () => saveImage(ui.chart, 'svg', 'sweep')));
  panel.append(ui.chart, ui.hover, ui.gaps, save);
  ui.input.addEventListener('change', () => inputChosen());
  ui.logX.addEventListener('change', () => redraw());
  ui.logY.addEventListener('change', () => redraw());
  for (const box of [ui.from, ui.to, ui.points, ui.familyValues]) {
    box.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') { event.preventDefault(); start(); }
    });
  }
  panel.closed = () => cancel();
  sweep.panel = panel;
  sweep.ui = ui;
}

// The core's offer for the box chosen: its range and compute button.
function inputChosen() {
  const ui = sweep.ui;
  if (!sweep.choices.inputs.some((c) => c.id === ui.input.value)) return;
  showOffer(JSON.parse(bridge.offer(ui.input.value)));
}

function showOffer(offer) {
  const ui = sweep.ui;
  if (!offer) return;
  ui.from.value = offer.from;
  ui.to.value = offer.to;
  if (offer.button) ui.button.value = offer.button;
}

// Offers what the window shows now, keeping the choices still offered.
export function refreshChoices() {
  const ui = sweep.ui;
  const first = !sweep.choices;
  const checked = new Set(Array.from(ui.results.querySelectorAll('input:checked')).map((b) => b.value));
  const keepInput = ui.input.value;
  // The core's first offer, when the box chosen is not kept.
  const kept = !first && sweep.choices.inputs.some((c) => c.id === keepInput);
  sweep.choices = JSON.parse(bridge.choices(kept ? 0 : 1));
  const { inputs, buttons, outputs, offer } = sweep.choices;
  const stillOffered = kept && inputs.some((c) => c.id === keepInput);
  fillSelect(ui.input, inputs, keepInput);
  fillSelect(ui.button, buttons);
  fillSelect(ui.family, inputs, undefined, true);
  ui.results.textContent = '';
  const start = first && offer ? new Set(offer.outputs) : checked;
  for (const c of outputs) {
    const item = checkbox(choiceText(c));
    item.box.value = c.id;
    item.box.checked = start.has(c.id);
    ui.results.appendChild(item.label);
  }
  const usable = inputs.length > 0 && buttons.length > 0 && outputs.length > 0;
  ui.plot.disabled = !usable || sweep.running;
  if (!usable) ui.status.textContent = style.nothingToSweep;
  if (usable && !stillOffered) {
    const chosen = offer || JSON.parse(bridge.offer(inputs[0].id));
    ui.input.value = chosen.input;
    showOffer(chosen);
  }
}

export async function openSweep() {
  if (!sweep.panel) buildPanel();
  refreshChoices();
  sweep.panel.hidden = false;
  sweep.ui.input.focus();
  await loadLibrary();
}

// Sets the panel's fields as a person would (the browser tests use it):
// ids of the window's controls, range ends and family values as typed.
export function configure(c) {
  const ui = sweep.ui;
  if (c.input !== undefined) {
    ui.input.value = c.input;
    inputChosen();
  }
  const set = { from: ui.from, to: ui.to, points: ui.points, button: ui.button, family: ui.family,
                familyValues: ui.familyValues };
  for (const [name, el] of Object.entries(set)) if (c[name] !== undefined) el.value = c[name];
  const ticks = { log: ui.logSpacing, logX: ui.logX, logY: ui.logY };
  for (const [name, el] of Object.entries(ticks)) if (c[name] !== undefined) el.checked = c[name];
  if (c.outputs !== undefined) {
    // In the order asked for: the boxes are ticked in the list's order, so
    // the list is put in that order first.
    const items = Array.from(ui.results.children);
    for (const id of c.outputs) {
      const item = items.find((l) => l.firstChild.value === id);
      if (item) ui.results.appendChild(item);
    }
    for (const item of ui.results.children) item.firstChild.checked = c.outputs.includes(item.firstChild.value);
  }
}

// The panel's fields as the core reads them: the request, or a problem.
function readRequest() {
  const ui = sweep.ui;
  const points = ui.points.value.trim() === '' ? null : Number(ui.points.value);
  return JSON.parse(bridge.request(JSON.stringify({
    input: ui.input.value, button: ui.button.value, from: ui.from.value.trim(), to: ui.to.value.trim(),
    points: Number.isFinite(points) ? points : null, log: ui.logSpacing.checked,
    outputs: Array.from(ui.results.querySelectorAll('input:checked')).map((b) => b.value),
    family: ui.family.value, familyValues: ui.familyValues.value,
  })));
}

function setRunning(running) {
  sweep.running = running;
  sweep.ui.plot.disabled = running;
  sweep.ui.cancel.disabled = !running;
}

export function start() {
  const ui = sweep.ui;
  if (sweep.running) return false;
  const read = readRequest();
  if (read.problem) {
    ui.status.textContent = read.problem;
    return false;
  }
  const request = read.request;
  sweep.request = request;
  sweep.captions = read.captions;
  sweep.points = new Array(request.size).fill(null);
  sweep.done = 0;
  sweep.finished = false;
  setRunning(true);
  ui.progress.max = request.size;
  ui.progress.value = 0;
  const actions = bridge.actions();
  const key = bridge.stateKey();
  redraw();
  ui.status.textContent = sweep.plot.status.computing;
  Promise.resolve(page.wholeWasm).then((wasm) => {
    if (!sweep.running || sweep.request !== request) return;
    sweep.pool = startPool({
      program: page.window.program, wasm, actions, key, request,
      onPoints: (points) => arrived(request, points),
      onEnd: () => finish(''),
      onFail: (problem) => finish(problem),
    });
  });
  return true;
}

function arrived(request, points) {
  if (sweep.request !== request) return;
  for (const p of points) {
    if (!sweep.points[p.k]) sweep.done += 1;
    sweep.points[p.k] = p;
    bridge.point(JSON.stringify(p));
  }
  sweep.ui.progress.value = sweep.done;
  scheduleRedraw();
}

function stopPool() {
  if (sweep.pool) sweep.pool.stop();
  sweep.pool = null;
}

function finish(problem) {
  if (!sweep.running) return;
  stopPool();
  setRunning(false);
  sweep.finished = !problem;
  redraw();
  sweep.ui.status.textContent = problem || sweep.plot.status.finished;
  if (!problem) noteSweep();
}

// The window keeps the sweep: charts with a running line draw it.
function noteSweep() {
  for (const p of sweep.points) {
    if (!p) continue;
    bridge.tracePoint(p.curve, p.message ? 1 : 0);
    for (const t of p.outputs) bridge.traceText(t);
  }
  page.act(bridge.noteSweep());
}

export function cancel() {
  if (!sweep.running) return;
  stopPool();
  setRunning(false);
  sweep.plot = JSON.parse(bridge.plot(0, 0));
  sweep.ui.status.textContent = sweep.plot.status.cancelled;
  setTimeout(redraw, 0);  // the workers are gone already; the drawing follows
}

let redrawPending = false;
function scheduleRedraw() {
  if (redrawPending) return;
  redrawPending = true;
  setTimeout(() => { redrawPending = false; redraw(); }, 250);
}

// The table: headings, then one row per point computed.
export function tableText(separator) {
  return sweep.request ? bridge.table(separator.charCodeAt(0)) : '';
}

export function gapLines() { return Array.from(sweep.ui.gaps.children).map((li) => li.textContent); }

// The core's curves as the library's traces: a gap (null) breaks a curve.
function traces(plot) {
  return plot.curves.map((c) => ({
    type: 'scatter', mode: plot.markers ? 'lines+markers' : 'lines', name: c.name,
    x: c.points.map((p) => (p ? p[0] : null)), y: c.points.map((p) => (p ? p[1] : null)),
    yaxis: c.axis === 2 ? 'y2' : 'y', connectgaps: false,
    line: { color: c.colour, dash: dashes[c.dash], width: 2 },
    marker: { size: 5, color: c.colour },
    hovertemplate: plot.x.title + ' = %{x}<br>' + c.name + ' = %{y}<extra></extra>',
  }));
}

function layoutOf(plot) {
  const axis = (a) => ({ title: { text: a.title }, type: a.log ? 'log' : 'linear', zeroline: false });
  const right = plot.legend === 'right';
  const layout = {
    font, margin: { l: 70, r: plot.y2 ? 70 : 20, t: plot.title ? 40 : 20, b: 50 },
    title: plot.title ? { text: plot.title, font: { size: 14 }, x: 0.01, xanchor: 'left' } : undefined,
    xaxis: axis(plot.x), yaxis: axis(plot.y), showlegend: true, hovermode: 'closest',
    // Beside the drawing, clear of a second axis' numbers and title.
    legend: right ? { x: plot.y2 ? 1.12 : 1.02, xanchor: 'left', y: 1 } : below,
  };
  if (plot.y2) layout.yaxis2 = { ...axis(plot.y2), overlaying: 'y', side: 'right' };
  return layout;
}

function redraw() {
  const Plotly = window.Plotly;
  const ui = sweep.ui;
  if (!sweep.request) return;
  const plot = JSON.parse(bridge.plot(ui.logX.checked ? 1 : 0, ui.logY.checked ? 1 : 0));
  sweep.plot = plot;
  ui.gaps.textContent = '';
  for (const line of plot.gaps) ui.gaps.appendChild(element('li', '', line));
  ui.hover.textContent = plot.note;
  if (Plotly) {
    Plotly.react(ui.chart, traces(plot), fitLayout(layoutOf(plot)), chartConfig());
    sweep.drawn = (sweep.drawn || 0) + 1;
  } else {
    loadLibrary().then(() => redraw());
  }
}
