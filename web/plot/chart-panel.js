// The chart panel: one tab for each chart of the window (core/chart.h),
// drawn in the colours, dashes and mark groups the core gives each chart
// (core/plot.h), as the desktop's chart window draws them.
import { bridge } from './bindings.js';
import { below, button, copyToClipboard, dashes, element, font, loadLibrary, makePanel, saveImage } from './panel.js';

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
  const drawing = !data.message && data.series.length + data.marks.length > 0;
  ui.chart.hidden = !drawing;
  for (const b of ui.images) b.hidden = !drawing;
  if (!drawing) {
    if (Plotly && ui.chart.data) Plotly.purge(ui.chart);
    charts.drawn = data.message ? 'message' : (data.table ? 'table' : 'empty');
    return;
  }
  const annotations = [];
  const traces = data.series.map((s, i) => seriesTrace(s, look.series[i], annotations));
  traces.push(...markTraces(data, look));
  const axis = (a) => ({ title: { text: a.label }, type: a.log ? 'log' : 'linear', zeroline: false });
  const layout = {
    font, title: { text: data.title, font: { size: 15 }, x: 0.01, xanchor: 'left' },
    margin: { l: 70, r: data.y2 ? 70 : 20, t: 50, b: 50 },
    xaxis: axis(data.x), yaxis: axis(data.y), annotations, hovermode: 'closest', showlegend: look.legend,
    legend: data.y2 ? below : {},
  };
  if (data.y2) layout.yaxis2 = { ...axis(data.y2), overlaying: 'y', side: 'right', showgrid: false };
  if (data.equal) {
    layout.yaxis.scaleanchor = 'x';
    layout.yaxis.scaleratio = 1;
  }
  Plotly.react(ui.chart, traces, layout, { displaylogo: false, responsive: true });
  charts.drawn = 'chart';
}

// A series as the library's trace: a gap (null) breaks a curve; arrows are
// segments with their heads drawn as annotations.
function seriesTrace(s, look, annotations) {
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
      annotations.push({ x: b[0], y: b[1], ax: a[0], ay: a[1], xref: 'x', yref: yaxis, axref: 'x',
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
    mode: s.labels ? mode + '+text' : mode, text, textposition: 'top right', cliponaxis: !s.labels,
    textfont: { color: look.colour },
    line: { color: look.colour, width: look.width, dash: dashes[look.dash] },
    marker: { color: look.colour, size: look.marker },
    hovertemplate: (s.name ? s.name + '<br>' : '') + '%{x}, %{y}<extra></extra>',
  };
}

const symbols = { circle: 'circle', square: 'square', triangle: 'triangle-up', diamond: 'diamond' };

// Marks in the core's groups, one legend entry each; a mark's text on the
// side of the drawing with room for it.
function markTraces(data, look) {
  const logX = data.x.log;
  const logY = data.y.log;
  const at = (v, log) => (log ? Math.log10(Math.max(v, Number.MIN_VALUE)) : v);
  const xs = [];
  const ys = [];
  for (const s of data.series) {
    for (const p of s.points) {
      if (!p) continue;
      xs.push(at(p[0], logX));
      if (!s.axis) ys.push(at(p[1], logY));
    }
  }
  for (const m of data.marks) {
    if (m.x !== null) xs.push(at(m.x, logX));
    if (m.y !== null && !m.axis) ys.push(at(m.y, logY));
  }
  const span = (list) => [Math.min(...list), Math.max(...list)];
  const [low, high] = span(xs);
  const [yLow, yHigh] = span(ys);
  const fraction = (v, a, b) => (b > a ? (v - a) / (b - a) : 0.5);
  const placed = [];
  const shown = new Set();
  const traces = [];
  data.marks.forEach((m, i) => {
    const group = look.groups[look.marks[i].group];
    if (!group) return;  // a log axis cannot show it
    const nx = fraction(at(m.x, logX), low, high);
    const ny = m.axis === 2 ? 0.5 : fraction(at(m.y, logY), yLow, yHigh);
    const sides = nx > 0.7 ? ['top left', 'bottom left', 'top right', 'bottom right']
                           : ['top right', 'bottom right', 'top left', 'bottom left'];
    // Marks close together get their texts on different sides.
    const near = placed.filter((p) => Math.abs(p.nx - nx) < 0.12 && Math.abs(p.ny - ny) < 0.08);
    const side = sides.find((c) => !near.some((p) => p.side === c)) || sides[0];
    placed.push({ nx, ny, side });
    const g = look.marks[i].group;
    traces.push({
      type: 'scatter', mode: 'markers+text', name: group.legend, x: [m.x], y: [m.y], text: [m.text || m.name],
      cliponaxis: false, legendgroup: 'marks' + g, showlegend: Boolean(group.legend) && !shown.has(g),
      textposition: side, yaxis: group.axis === 2 ? 'y2' : 'y', textfont: { color: group.colour },
      marker: { color: group.colour, size: look.markSize, symbol: symbols[group.shape], line: { color: '#ffffff', width: 1 } },
      hovertemplate: m.name + '<br>%{x}, %{y}<extra></extra>',
    });
    shown.add(g);
  });
  return traces;
}
