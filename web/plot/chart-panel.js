// The chart panel: one tab for each chart of the window (core/chart.h),
// drawn in the colours, dashes and mark groups the core gives each chart
// (core/plot.h), as the desktop's chart window draws them.
import { bridge, style } from './bindings.js';
import {
  below, button, chartConfig, copyToClipboard, dashes, element, fitLayout, font, loadLibrary, makePanel, saveImage,
} from './panel.js';

export const charts = { panel: null, names: [], current: '', data: null, look: null };

export const chartNames = () => JSON.parse(bridge.chartNames());

function buildPanel() {
  const ui = {};
  const panel = makePanel('Charts', 'chart-panel');
  ui.tabs = element('div', 'panel-tabs');
  ui.tabs.setAttribute('role', 'tablist');
  ui.body = element('div', 'panel-tabpanel');
  ui.body.setAttribute('role', 'tabpanel');
  panel.append(ui.tabs, ui.body);
  ui.message = element('p', 'panel-message serif');
  ui.message.setAttribute('role', 'status');
  ui.chart = element('div', 'panel-chart');
  ui.table = element('div', 'panel-table');
  ui.body.append(ui.message, ui.chart, ui.table);
  const save = element('div', 'panel-row');
  ui.copy = button('Copy', () => copyToClipboard(tableText(charts.data)));
  ui.images = [button('Save as PNG', () => saveImage(ui.chart, 'png', charts.current)),
               button('Save as SVG', () => saveImage(ui.chart, 'svg', charts.current))];
  save.append(ui.copy, ...ui.images);
  panel.appendChild(save);
  charts.panel = panel;
  charts.ui = ui;
}

function tableText(data) {
  if (!data || !data.table) return '';
  return data.table.map((row) => row.join('\t') + '\n').join('');
}

function fillTabs() {
  const ui = charts.ui;
  charts.names = chartNames();
  ui.tabs.textContent = '';
  if (!charts.names.includes(charts.current)) charts.current = charts.names[0] || '';
  for (const name of charts.names) {
    const tab = button(name, () => showChart(name));
    tab.className = 'panel-tab';
    tab.setAttribute('role', 'tab');
    tab.dataset.chart = name;
    ui.tabs.appendChild(tab);
  }
}

export async function openCharts(name) {
  if (!charts.panel) buildPanel();
  fillTabs();
  charts.panel.hidden = false;
  await loadLibrary();
  await showChart(name && charts.names.includes(name) ? name : charts.current);
}

export async function showChart(name) {
  charts.current = name;
  for (const tab of charts.ui.tabs.children) {
    const selected = tab.dataset.chart === name;
    tab.setAttribute('aria-selected', selected ? 'true' : 'false');
    tab.tabIndex = selected ? 0 : -1;
  }
  await loadLibrary();
  drawChart();
}

function fillTable(data) {
  const ui = charts.ui;
  ui.table.textContent = '';
  if (!data.table || !data.table.length) return;
  const table = document.createElement('table');
  data.table.forEach((row, r) => {
    const tr = document.createElement('tr');
    for (const cell of row) {
      const td = element(r ? 'td' : 'th', '', cell);
      // Numbers to the right, so their digits line up; words to the left.
      if (r && (cell.trim() === '' || Number.isNaN(Number(cell)))) td.style.textAlign = 'left';
      tr.appendChild(td);
    }
    table.appendChild(tr);
  });
  ui.table.appendChild(table);
}

export function drawChart() {
  const Plotly = window.Plotly;
  const ui = charts.ui;
  const { data, look } = JSON.parse(bridge.chartDrawn(charts.current));
  charts.data = data;
  charts.look = look;
  ui.message.textContent = data.message || '';
  ui.message.hidden = !data.message;
  ui.copy.hidden = !data.table;
  fillTable(data);
  const drawing = drawable(data);
  ui.chart.hidden = !drawing;
  for (const b of ui.images) b.hidden = !drawing;
  if (!drawing) {
    if (Plotly && ui.chart.data) Plotly.purge(ui.chart);
    charts.drawn = data.message ? 'message' : (data.table ? 'table' : 'empty');
    return;
  }
  const { traces, layout, arrows } = figure(data, look);
  charts.arrows = arrows;
  Plotly.react(ui.chart, traces, fitLayout(layout), chartConfig());
  if (!ui.chart.placing) {
    // A new size (the panel or the page resized) moves the points: the
    // texts are placed again for it.
    ui.chart.placing = true;
    ui.chart.on('plotly_relayout', (change) => { if (!('annotations' in change)) placeLabels(); });
  }
  placeLabels();
  charts.drawn = 'chart';
}

const drawable = (data) => !data.message && data.series.length + data.marks.length > 0;

// A chart as the library's traces and layout, with the core's ranges,
// ticks, colours and dashes, as the desktop draws it.
function figure(data, look) {
  const arrows = [];
  const traces = data.series.map((s, i) => seriesTrace(s, look.series[i], arrows));
  traces.push(...markTraces(data, look));
  const axis = (a, r) => {
    const out = { title: { text: a.label }, type: a.log ? 'log' : 'linear', zeroline: false };
    out.range = a.log ? [Math.log10(r.lo), Math.log10(r.hi)] : [r.lo, r.hi];
    if (!a.log && r.step > 0) Object.assign(out, { dtick: r.step, tick0: 0 });
    return out;
  };
  const layout = {
    font, title: { text: data.title, font: { size: 15 }, x: 0.01, xanchor: 'left' },
    margin: { l: 70, r: data.y2 ? 70 : 20, t: 50, b: 50 },
    xaxis: axis(data.x, look.x), yaxis: axis(data.y, look.y), annotations: arrows, hovermode: 'closest',
    showlegend: look.legend, legend: data.y2 ? below : {},
  };
  if (data.y2) layout.yaxis2 = { ...axis(data.y2, look.y2), overlaying: 'y', side: 'right', showgrid: false };
  if (data.equal) {
    layout.yaxis.scaleanchor = 'x';
    layout.yaxis.scaleratio = 1;
  }
  return { traces, layout, arrows };
}

// The library reads a text as markup: its own signs as entities.
const escaped = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

// The texts beside points where the core places them for the plot area as
// laid out (core/chart_labels.h), each in a box of the core's size; for the
// chart the bridge drew last, in div (the panel's, unless a picture's).
export function placeLabels(div = charts.ui.chart, arrows = charts.arrows) {
  const Plotly = window.Plotly;
  const full = div._fullLayout;
  if (!full || !full._size || div.hidden) return Promise.resolve();
  const size = full._size;
  const range = (a) => (a ? (a.type === 'log' ? a.range.map((v) => 10 ** v) : a.range.slice()) : undefined);
  const frame = { left: size.l, top: size.t, width: size.w, height: size.h,
                  x: range(full.xaxis), y: range(full.yaxis), y2: range(full.yaxis2) };
  const labels = JSON.parse(bridge.chartLabels(JSON.stringify(frame)));
  if (div === charts.ui.chart) charts.labels = labels;
  const texts = labels.map((l) => ({
    xref: 'paper', yref: 'paper', x: (l.left - size.l) / size.w, y: 1 - (l.top - size.t) / size.h,
    xanchor: 'left', yanchor: 'top', showarrow: false, text: escaped(l.text), borderpad: 0, borderwidth: 1,
    bordercolor: 'rgba(0,0,0,0)', font: { family: font.family, size: style.labelFontPixels, color: l.colour },
  }));
  return Plotly.relayout(div, { annotations: [...arrows, ...texts] });
}

// The size a chart is drawn at for paper, whatever the screen, and the most
// it stands on the page (two fit one above the other with the window's
// texts, as on the desktop's).
const paper = { width: 720, height: 430, most: { width: 560, height: 330 } };

// A drawing's size on the page: its own, scaled down to fit its place.
function onPaper(width, height) {
  const scale = Math.min(1, paper.most.width / width, paper.most.height / height);
  return { width: Math.round(width * scale), height: Math.round(height * scale) };
}

// Pictures of the charts for a printed report, while the panel is open: each
// chart that has something to draw, drawn out of sight at the paper size and
// kept as SVG, {name, src, width, height}; none while the panel is closed.
// The panel itself is left as it is.
export async function chartPictures() {
  if (!charts.panel || charts.panel.hidden) return null;
  const Plotly = await loadLibrary();
  const div = element('div', 'print-chart');
  Object.assign(div.style, { position: 'fixed', left: '-10000px', top: '0', width: paper.width + 'px',
                             height: paper.height + 'px' });
  document.body.appendChild(div);
  const pictures = [];
  try {
    for (const name of charts.names) {
      const { data, look } = JSON.parse(bridge.chartDrawn(name));
      if (!drawable(data)) continue;
      const { traces, layout, arrows } = figure(data, look);
      await Plotly.react(div, traces, layout, { staticPlot: true });
      await placeLabels(div, arrows);
      const src = await Plotly.toImage(div, { format: 'svg', width: paper.width, height: paper.height });
      pictures.push({ name, src, ...onPaper(paper.width, paper.height) });
    }
  } finally {
    if (div.data) Plotly.purge(div);
    div.remove();
    // The bridge's chart is the panel's again (its labels follow a resize).
    if (charts.current) bridge.chartDrawn(charts.current);
  }
  return pictures;
}

// The picture of the chart the panel shows, at once (the browser's own
// Print, which cannot wait): its drawing as it stands on the screen.
export function shownChartPicture() {
  const Plotly = window.Plotly;
  if (!charts.panel || charts.panel.hidden) return null;
  const div = charts.ui.chart;
  if (!Plotly || charts.drawn !== 'chart' || !div.data || !Plotly.Snapshot) return [];
  const svg = Plotly.Snapshot.toSVG(div);
  return [{ name: charts.current, src: 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg),
            ...onPaper(div.clientWidth, div.clientHeight) }];
}

// A series as the library's trace: a gap (null) breaks a curve; arrows are
// segments with their heads drawn as annotations.
function seriesTrace(s, look, arrows) {
  const yaxis = look.axis === 2 ? 'y2' : 'y';
  const x = [];
  const y = [];
  const text = [];
  if (s.style === 'arrows') {
    for (let p = 0; p + 1 < s.points.length; p += 2) {
      const a = s.points[p];
      const b = s.points[p + 1];
      if (!a || !b) continue;
      x.push(a[0], b[0], null);
      y.push(a[1], b[1], null);
      text.push(s.labels ? s.labels[p] : '', s.labels ? s.labels[p + 1] : '', '');
      arrows.push({ x: b[0], y: b[1], ax: a[0], ay: a[1], xref: 'x', yref: yaxis, axref: 'x',
                         ayref: yaxis, showarrow: true, arrowhead: 2, arrowsize: 1.2, arrowwidth: look.width,
                         arrowcolor: look.colour, text: '' });
    }
  } else {
    s.points.forEach((p, k) => {
      x.push(p ? p[0] : null);
      y.push(p ? p[1] : null);
      text.push(s.labels ? s.labels[k] || '' : '');
    });
  }
  const mode = s.style === 'points' ? 'markers' : 'lines';
  return {
    type: 'scatter', name: s.name, showlegend: look.legend, x, y, yaxis, connectgaps: false,
    mode, text,
    line: { color: look.colour, width: look.width, dash: dashes[look.dash] },
    marker: { color: look.colour, size: look.marker },
    hovertemplate: (s.name ? s.name + '<br>' : '') + '%{x}, %{y}' + (s.labels ? ' %{text}' : '') + '<extra></extra>',
  };
}

const symbols = { circle: 'circle', square: 'square', triangle: 'triangle-up', diamond: 'diamond' };

// Marks in the core's groups, one legend entry each; their texts are placed
// with the others (placeLabels).
function markTraces(data, look) {
  const shown = new Set();
  const traces = [];
  data.marks.forEach((m, i) => {
    const group = look.groups[look.marks[i].group];
    if (!group) return;  // a log axis cannot show it
    const g = look.marks[i].group;
    traces.push({
      type: 'scatter', mode: 'markers', name: group.legend, x: [m.x], y: [m.y],
      legendgroup: 'marks' + g, showlegend: Boolean(group.legend) && !shown.has(g),
      yaxis: group.axis === 2 ? 'y2' : 'y',
      marker: { color: group.colour, size: look.markSize, symbol: symbols[group.shape], line: { color: '#ffffff', width: 1 } },
      hovertemplate: (m.text || m.name) + '<br>%{x}, %{y}<extra></extra>',
    });
    shown.add(g);
  });
  return traces;
}
