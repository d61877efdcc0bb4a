// The plot panel (sweep one input box, plot results) and the chart panel
// (the window's own charts), loaded on first use by web/view.js. The numbers
// come from the window model (web/bridge.cpp): sweeps run in Web Workers on
// copies of the window, charts are the window's chart data; this file only
// draws them. The chart library is loaded when a panel first opens.
'use strict';

(function () {
  const page = window.calculatorPage;
  const module = page.module;
  const wrap = (name, result, args) => module.cwrap(name, result, args || []);
  const bridge = {
    choices: wrap('web_sweep_choices', 'string'),
    actions: wrap('web_actions', 'string'),
    stateKey: wrap('web_state_key', 'string'),
    rangeEnd: wrap('web_range_end', 'number', ['string']),
    clear: wrap('web_request_clear', null),
    input: wrap('web_request_input', null, ['string', 'number', 'number', 'number', 'number']),
    button: wrap('web_request_button', null, ['string']),
    output: wrap('web_request_output', null, ['string']),
    family: wrap('web_request_family', null, ['string']),
    familyText: wrap('web_request_family_text', null, ['string']),
    check: wrap('web_request_check', 'string'),
    tracePoint: wrap('web_trace_point', null, ['number', 'number']),
    traceText: wrap('web_trace_text', null, ['string']),
    noteSweep: wrap('web_note_sweep', 'string'),
    chartNames: wrap('web_chart_names', 'string'),
    chart: wrap('web_chart', 'string', ['string']),
  };
  const plot = {};
  page.plot = plot;

  // The chart library: fetched once, when a panel first needs it.
  let library = null;
  function loadLibrary() {
    if (!library) {
      library = new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = 'plotly-basic.min.js';
        script.onload = () => resolve(window.Plotly);
        script.onerror = () => reject(new Error('The chart library could not be loaded'));
        document.head.appendChild(script);
      });
    }
    return library;
  }

  const colours = ['#1f77b4', '#d62728', '#2ca02c', '#ff7f0e', '#9467bd', '#8c564b', '#e377c2', '#17becf',
                   '#7f7f7f', '#bcbd22'];
  const font = { family: 'Liberation Sans, Arial, sans-serif', size: 13 };
  // Below the drawing, clear of a second axis' title on the right.
  const below = { orientation: 'h', yanchor: 'top', y: -0.3 };

  function element(tag, className, text) {
    const el = document.createElement(tag);
    if (className) el.className = className;
    if (text !== undefined) el.textContent = text;
    return el;
  }

  function button(text, run) {
    const b = element('button', 'panel-button', text);
    b.type = 'button';
    b.addEventListener('click', run);
    return b;
  }

  // A labelled control in the settings grid.
  function field(grid, caption, control) {
    const label = element('label', 'panel-caption', caption);
    control.id = 'plot-' + caption.toLowerCase().replace(/[^a-z0-9]+/g, '-');
    label.htmlFor = control.id;
    grid.appendChild(label);
    grid.appendChild(control);
    return control;
  }

  function checkbox(text) {
    const label = element('label', 'panel-check');
    const box = document.createElement('input');
    box.type = 'checkbox';
    label.appendChild(box);
    label.appendChild(document.createTextNode(' ' + text));
    return { label, box };
  }

  // A panel beside the window: the window stays usable while it is open.
  function makePanel(title, className) {
    const panel = element('section', 'plot-panel sans ' + className);
    panel.setAttribute('role', 'dialog');
    panel.setAttribute('aria-label', title);
    const head = element('div', 'panel-head');
    head.appendChild(element('h2', 'panel-title', title));
    const close = button('×', () => { panel.hidden = true; if (panel.closed) panel.closed(); });
    close.setAttribute('aria-label', 'Close');
    close.className = 'panel-close';
    head.appendChild(close);
    panel.appendChild(head);
    // Moved by its title bar, off the part of the window a person works in.
    head.addEventListener('pointerdown', (event) => {
      if (event.target !== head && event.target.tagName !== 'H2') return;
      const box = panel.getBoundingClientRect();
      const dx = event.clientX - box.left;
      const dy = event.clientY - box.top;
      const move = (e) => {
        panel.style.left = Math.max(0, e.clientX - dx) + 'px';
        panel.style.top = Math.max(0, e.clientY - dy) + 'px';
        panel.style.right = 'auto';
      };
      const up = () => { document.removeEventListener('pointermove', move); document.removeEventListener('pointerup', up); };
      document.addEventListener('pointermove', move);
      document.addEventListener('pointerup', up);
    });
    panel.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') { event.stopPropagation(); close.click(); }
    });
    document.body.appendChild(panel);
    return panel;
  }

  function saveText(name, text, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type }));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  function copyToClipboard(text) {
    page.copied = text;
    if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
  }

  function csvField(text) {
    if (!/[",\n\r]/.test(text)) return text;
    return '"' + text.replace(/"/g, '""') + '"';
  }

  function saveImage(div, format, name) {
    const Plotly = window.Plotly;
    if (!Plotly || !div.data) return Promise.resolve();
    return Plotly.downloadImage(div, { format, filename: name, width: div.clientWidth, height: div.clientHeight });
  }

  // ---------------------------------------------------------------- sweeps
  const sweep = { panel: null, points: [], request: null, workers: [], running: false };
  plot.sweep = sweep;

  // A control by its one caption (core::CaptionOf), as the window names it.
  function choiceText(c) { return c.caption; }

  function fillSelect(select, list, keep, none) {
    const old = keep !== undefined ? keep : select.value;
    select.textContent = '';
    if (none) select.appendChild(new Option('(none)', ''));
    for (const c of list) select.appendChild(new Option(choiceText(c), c.id));
    if (old && list.some((c) => c.id === old)) select.value = old;
  }

  function buildSweepPanel() {
    const ui = {};
    const panel = makePanel('Sweep and plot', 'sweep-panel');
    const grid = element('div', 'panel-grid');
    panel.appendChild(grid);
    ui.input = field(grid, 'Input', document.createElement('select'));
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
    ui.points.min = 2;
    ui.points.max = 10000;
    ui.points.value = 21;
    const logSpacing = checkbox('Log spacing');
    ui.logSpacing = logSpacing.box;
    range.appendChild(logSpacing.label);
    grid.appendChild(element('span', 'panel-caption', 'Range'));
    grid.appendChild(range);
    ui.button = field(grid, 'Button', document.createElement('select'));
    ui.results = element('div', 'panel-results');
    ui.results.setAttribute('role', 'group');
    ui.results.setAttribute('aria-label', 'Results');
    grid.appendChild(element('span', 'panel-caption', 'Results'));
    grid.appendChild(ui.results);
    const family = element('div', 'panel-row');
    ui.family = document.createElement('select');
    ui.family.setAttribute('aria-label', 'Family of');
    ui.familyValues = document.createElement('input');
    ui.familyValues.type = 'text';
    ui.familyValues.className = 'panel-box wide';
    ui.familyValues.placeholder = 'up to 8 values, e.g. 2000 2500 3000';
    ui.familyValues.setAttribute('aria-label', 'Family values');
    family.appendChild(ui.family);
    family.appendChild(ui.familyValues);
    grid.appendChild(element('span', 'panel-caption', 'Family of'));
    grid.appendChild(family);
    const axes = element('div', 'panel-row');
    const logX = checkbox('Log x axis');
    const logY = checkbox('Log y axis');
    ui.logX = logX.box;
    ui.logY = logY.box;
    axes.appendChild(logX.label);
    axes.appendChild(logY.label);
    grid.appendChild(element('span', 'panel-caption', 'Axes'));
    grid.appendChild(axes);

    const run = element('div', 'panel-row');
    ui.plot = button('Plot', () => plot.start());
    ui.plot.classList.add('default');
    ui.cancel = button('Cancel', () => plot.cancel());
    ui.cancel.disabled = true;
    ui.progress = document.createElement('progress');
    ui.progress.value = 0;
    ui.progress.max = 1;
    ui.progress.setAttribute('aria-label', 'Sweep progress');
    ui.status = element('span', 'panel-status');
    ui.status.setAttribute('role', 'status');
    run.append(ui.plot, ui.cancel, ui.progress, ui.status);
    panel.appendChild(run);
    ui.chart = element('div', 'panel-chart');
    panel.appendChild(ui.chart);
    ui.hover = element('div', 'panel-hover', ' ');
    panel.appendChild(ui.hover);
    ui.gaps = element('ul', 'panel-gaps');
    ui.gaps.setAttribute('aria-label', 'Gaps');
    panel.appendChild(ui.gaps);
    const save = element('div', 'panel-row');
    save.append(button('Copy', () => copyToClipboard(plot.tableText('\t'))),
                button('Save as CSV', () => saveText('sweep.csv', plot.tableText(','), 'text/csv')),
                button('Save as PNG', () => saveImage(ui.chart, 'png', 'sweep')),
                button('Save as SVG', () => saveImage(ui.chart, 'svg', 'sweep')));
    panel.appendChild(save);

    ui.input.addEventListener('change', () => inputChosen());
    ui.logX.addEventListener('change', () => redraw());
    ui.logY.addEventListener('change', () => redraw());
    for (const box of [ui.from, ui.to, ui.points, ui.familyValues]) {
      box.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') { event.preventDefault(); plot.start(); }
      });
    }
    panel.closed = () => plot.cancel();
    sweep.panel = panel;
    sweep.ui = ui;
  }

  function inputChosen() {
    const ui = sweep.ui;
    const input = sweep.choices.inputs.find((c) => c.id === ui.input.value);
    if (!input) return;
    ui.from.value = input.from;
    ui.to.value = input.to;
    if (input.compute) ui.button.value = input.compute;
  }

  // Offers what the window shows now, keeping the choices still offered.
  function refreshChoices() {
    const ui = sweep.ui;
    const first = !sweep.choices;
    const checked = new Set(Array.from(ui.results.querySelectorAll('input:checked')).map((b) => b.value));
    const keepInput = ui.input.value;
    sweep.choices = JSON.parse(bridge.choices());
    const { inputs, buttons, outputs } = sweep.choices;
    fillSelect(ui.input, inputs, keepInput);
    fillSelect(ui.button, buttons);
    fillSelect(ui.family, inputs, undefined, true);
    ui.results.textContent = '';
    outputs.forEach((c, i) => {
      const item = checkbox(choiceText(c));
      item.box.value = c.id;
      item.box.checked = first ? i < 2 : checked.has(c.id);
      ui.results.appendChild(item.label);
    });
    const usable = inputs.length > 0 && buttons.length > 0 && outputs.length > 0;
    ui.plot.disabled = !usable || sweep.running;
    if (!usable) ui.status.textContent = 'This window has no input box with results to sweep.';
    if (usable && (first || !inputs.some((c) => c.id === keepInput))) {
      // The first box whose part of the window has a compute button.
      const withButton = inputs.find((c) => c.compute) || inputs[0];
      ui.input.value = withButton.id;
      inputChosen();
    }
  }

  plot.openSweep = async () => {
    if (!sweep.panel) buildSweepPanel();
    refreshChoices();
    sweep.panel.hidden = false;
    sweep.ui.input.focus();
    await loadLibrary();
  };

  // The request as the panel's fields give it; throws a message when it
  // does not fit.
  function readRequest() {
    const ui = sweep.ui;
    const from = bridge.rangeEnd(ui.from.value.trim());
    const to = bridge.rangeEnd(ui.to.value.trim());
    if (Number.isNaN(from)) throw new Error('From: "' + ui.from.value + '" is not a number');
    if (Number.isNaN(to)) throw new Error('To: "' + ui.to.value + '" is not a number');
    const points = Number(ui.points.value);
    if (!Number.isInteger(points) || points < 2 || points > 10000)
      throw new Error('Points: a whole number from 2 to 10000');
    const outputs = Array.from(ui.results.querySelectorAll('input:checked')).map((b) => b.value);
    if (!outputs.length) throw new Error('Choose at least one result to plot');
    const request = {
      input: ui.input.value, from, to, points, log: ui.logSpacing.checked,
      button: ui.button.value, outputs, family: ui.family.value, familyTexts: [],
    };
    if (request.family) {
      request.familyTexts = ui.familyValues.value.split(/[\s;]+/).filter((t) => t);
      if (!request.familyTexts.length || request.familyTexts.length > 8)
        throw new Error('Family: type from 1 to 8 values');
    }
    bridge.clear();
    bridge.input(request.input, from, to, points, request.log ? 1 : 0);
    bridge.button(request.button);
    for (const id of outputs) bridge.output(id);
    if (request.family) {
      bridge.family(request.family);
      for (const t of request.familyTexts) bridge.familyText(t);
    }
    const problem = bridge.check();
    if (problem) throw new Error(problem);
    const caption = (id) => {
      const c = [...sweep.choices.inputs, ...sweep.choices.outputs].find((x) => x.id === id);
      return c ? c.caption : id;
    };
    request.inputCaption = caption(request.input);
    request.outputCaptions = outputs.map(caption);
    request.familyCaption = request.family ? caption(request.family) : '';
    request.size = points * Math.max(1, request.familyTexts.length);
    return request;
  }

  // Sets the panel's fields as a person would (the browser tests use it):
  // ids of the window's controls, range ends and family values as typed.
  plot.configure = (c) => {
    const ui = sweep.ui;
    if (c.input !== undefined) {
      ui.input.value = c.input;
      inputChosen();
    }
    if (c.from !== undefined) ui.from.value = c.from;
    if (c.to !== undefined) ui.to.value = c.to;
    if (c.points !== undefined) ui.points.value = c.points;
    if (c.log !== undefined) ui.logSpacing.checked = c.log;
    if (c.button !== undefined) ui.button.value = c.button;
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
    if (c.family !== undefined) ui.family.value = c.family;
    if (c.familyValues !== undefined) ui.familyValues.value = c.familyValues;
    if (c.logX !== undefined) ui.logX.checked = c.logX;
    if (c.logY !== undefined) ui.logY.checked = c.logY;
  };

  function stopWorkers() {
    for (const w of sweep.workers) w.terminate();
    sweep.workers = [];
  }

  plot.start = () => {
    const ui = sweep.ui;
    if (sweep.running) return false;
    let request;
    try {
      request = readRequest();
    } catch (error) {
      ui.status.textContent = error.message;
      return false;
    }
    sweep.request = request;
    sweep.points = new Array(request.size).fill(null);
    sweep.done = 0;
    sweep.running = true;
    sweep.finished = false;
    ui.plot.disabled = true;
    ui.cancel.disabled = false;
    ui.progress.max = request.size;
    ui.progress.value = 0;
    ui.status.textContent = 'Computing…';
    const actions = bridge.actions();
    const key = bridge.stateKey();
    // Several workers where there are many points: each takes every n-th one.
    const cores = Math.max(1, Math.min(navigator.hardwareConcurrency || 2, 4));
    const count = Math.max(1, Math.min(cores, Math.ceil(request.size / 16)));
    let ended = 0;
    Promise.resolve(window.calculatorWasm).catch(() => null).then((wasm) => {
      if (!sweep.running || sweep.request !== request) return;
      for (let w = 0; w < count; w++) {
        const worker = new Worker('sweep-worker.js');
        const mine = [];
        for (let k = w; k < request.size; k += count) mine.push(k);
        worker.onmessage = (event) => {
          if (sweep.request !== request) return;
          const m = event.data;
          if (m.failed) {
            finish('The sweep could not run: ' + m.failed);
            return;
          }
          for (const p of m.points) {
            if (!sweep.points[p.k]) sweep.done += 1;
            sweep.points[p.k] = p;
          }
          ui.progress.value = sweep.done;
          scheduleRedraw();
          if (m.done && ++ended === count) finish('');
        };
        worker.onerror = (event) => finish('The sweep could not run: ' + (event.message || 'worker failed'));
        worker.postMessage({ program: page.window.program, wasm, actions, key, request, points: mine });
        sweep.workers.push(worker);
      }
    });
    return true;
  };

  function finish(problem) {
    if (!sweep.running) return;
    stopWorkers();
    sweep.running = false;
    const ui = sweep.ui;
    ui.plot.disabled = false;
    ui.cancel.disabled = true;
    sweep.finished = !problem;
    const gaps = sweep.points.filter((p) => p && p.message).length;
    ui.status.textContent = problem ||
      (sweep.request.size + ' points' + (gaps ? ', ' + gaps + ' of them gaps' : ''));
    redraw();
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

  plot.cancel = () => {
    if (!sweep.running) return;
    stopWorkers();
    sweep.running = false;
    sweep.ui.plot.disabled = false;
    sweep.ui.cancel.disabled = true;
    sweep.ui.status.textContent = 'Cancelled after ' + sweep.done + ' of ' + sweep.request.size + ' points';
    setTimeout(redraw, 0);  // the workers are gone already; the drawing follows
  };

  let redrawPending = false;
  function scheduleRedraw() {
    if (redrawPending) return;
    redrawPending = true;
    setTimeout(() => { redrawPending = false; redraw(); }, 250);
  }

  // The table: headings, then one row per point computed.
  plot.tableText = (separator) => {
    const r = sweep.request;
    if (!r) return '';
    const field = separator === ',' ? csvField : (t) => t;
    const headings = [...(r.family ? [r.familyCaption] : []), r.inputCaption, ...r.outputCaptions, 'Message'];
    let text = headings.map(field).join(separator) + '\n';
    for (const p of sweep.points) {
      if (!p) continue;
      const row = [...(r.family ? [r.familyTexts[p.curve]] : []), p.text, ...p.outputs, p.message];
      text += row.map(field).join(separator) + '\n';
    }
    return text;
  };

  plot.gapLines = () => Array.from(sweep.ui.gaps.children).map((li) => li.textContent);

  function redraw() {
    const Plotly = window.Plotly;
    const ui = sweep.ui;
    const r = sweep.request;
    if (!r) return;
    const curves = Math.max(1, r.familyTexts.length);
    const n = r.points;
    const nOut = r.outputs.length;
    // More than ten times apart in magnitude from the first result: the
    // second axis.
    const magnitude = new Array(nOut).fill(0);
    for (const p of sweep.points) {
      if (!p || p.message) continue;
      p.numbers.forEach((y, o) => { if (y !== null) magnitude[o] = Math.max(magnitude[o], Math.abs(y)); });
    }
    const second = magnitude.map((b, o) => o > 0 && magnitude[0] > 0 && b > 0 &&
                                         (b > 10 * magnitude[0] || magnitude[0] > 10 * b));
    const twoAxes = second.some((s) => s);
    const logX = ui.logX.checked;
    const logY = ui.logY.checked;
    const traces = [];
    const dashes = ['solid', 'dash', 'dot', 'dashdot', 'longdash'];
    let hidden = 0;
    for (let o = 0; o < nOut; o++) {
      for (let c = 0; c < curves; c++) {
        const x = [];
        const y = [];
        const hover = [];
        for (let i = 0; i < n; i++) {
          const p = sweep.points[c * n + i];
          if (!p) continue;
          let value = p.message ? null : p.numbers[o];
          if (value !== null && logY && value <= 0) { value = null; hidden += 1; }
          if (logX && p.value <= 0) { value = null; hidden += 1; }
          x.push(p.value);
          y.push(value);
          hover.push(r.inputCaption + ' = ' + p.text + '<br>' + r.outputCaptions[o] + ' = ' + p.outputs[o] +
                     (r.family ? '<br>' + r.familyCaption + ' = ' + r.familyTexts[c] : ''));
        }
        const colour = colours[(curves > 1 ? c : o) % colours.length];
        traces.push({
          type: 'scatter', mode: n <= 60 ? 'lines+markers' : 'lines', x, y,
          name: r.outputCaptions[o] + (curves > 1 ? ', ' + r.familyTexts[c] : ''),
          yaxis: second[o] ? 'y2' : 'y', connectgaps: false,
          line: { color: colour, dash: curves > 1 ? dashes[o % dashes.length] : 'solid', width: 2 },
          marker: { size: 5, color: colour },
          text: hover, hovertemplate: '%{text}<extra></extra>',
        });
      }
    }
    const left = r.outputCaptions.filter((_, o) => !second[o]).join(', ');
    const right = r.outputCaptions.filter((_, o) => second[o]).join(', ');
    const layout = {
      font, margin: { l: 70, r: twoAxes ? 70 : 20, t: curves > 1 ? 40 : 20, b: 50 },
      title: curves > 1 ? { text: 'One curve for each ' + r.familyCaption + ' = ' + r.familyTexts.join(', '),
                            font: { size: 14 }, x: 0.01, xanchor: 'left' } : undefined,
      xaxis: { title: { text: r.inputCaption }, type: logX ? 'log' : 'linear', zeroline: false },
      yaxis: { title: { text: left }, type: logY ? 'log' : 'linear', zeroline: false },
      showlegend: true, legend: twoAxes || curves * nOut <= 3 ? below : {},
      hovermode: 'closest',
    };
    if (twoAxes) {
      layout.yaxis2 = { title: { text: right }, type: logY ? 'log' : 'linear', overlaying: 'y', side: 'right',
                        zeroline: false };
    }
    // Each gap once, with its message (the results share one point).
    ui.gaps.textContent = '';
    let listed = 0;
    for (const p of sweep.points) {
      if (!p || !p.message) continue;
      if (listed++ >= 500) continue;
      let line = r.inputCaption + ' = ' + p.text + ': ' + p.message;
      if (r.family) line = r.familyCaption + ' = ' + r.familyTexts[p.curve] + ', ' + line;
      ui.gaps.appendChild(element('li', '', line));
    }
    if (listed > 500) ui.gaps.appendChild(element('li', '', '… and ' + (listed - 500) + ' more'));
    ui.hover.textContent = hidden ? hidden + ' points at or below zero are not shown on a log axis' : ' ';
    if (Plotly) {
      Plotly.react(ui.chart, traces, layout, { displaylogo: false, responsive: true });
      sweep.drawn = (sweep.drawn || 0) + 1;
    } else {
      loadLibrary().then(() => redraw());
    }
  }

  // ---------------------------------------------------------------- charts
  const charts = { panel: null, names: [], current: '', data: null };
  plot.charts = charts;

  plot.chartNames = () => JSON.parse(bridge.chartNames());

  function buildChartPanel() {
    const ui = {};
    const panel = makePanel('Charts', 'chart-panel');
    ui.tabs = element('div', 'panel-tabs');
    ui.tabs.setAttribute('role', 'tablist');
    panel.appendChild(ui.tabs);
    ui.body = element('div', 'panel-tabpanel');
    ui.body.setAttribute('role', 'tabpanel');
    panel.appendChild(ui.body);
    ui.message = element('p', 'panel-message serif');
    ui.message.setAttribute('role', 'status');
    ui.body.appendChild(ui.message);
    ui.chart = element('div', 'panel-chart');
    ui.body.appendChild(ui.chart);
    ui.table = element('div', 'panel-table');
    ui.body.appendChild(ui.table);
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
    charts.names = plot.chartNames();
    ui.tabs.textContent = '';
    if (!charts.names.includes(charts.current)) charts.current = charts.names[0] || '';
    for (const name of charts.names) {
      const tab = button(name, () => plot.showChart(name));
      tab.className = 'panel-tab';
      tab.setAttribute('role', 'tab');
      tab.dataset.chart = name;
      ui.tabs.appendChild(tab);
    }
  }

  plot.openCharts = async (name) => {
    if (!charts.panel) buildChartPanel();
    fillTabs();
    charts.panel.hidden = false;
    await loadLibrary();
    await plot.showChart(name && charts.names.includes(name) ? name : charts.current);
  };

  plot.showChart = async (name) => {
    charts.current = name;
    for (const tab of charts.ui.tabs.children) {
      const selected = tab.dataset.chart === name;
      tab.setAttribute('aria-selected', selected ? 'true' : 'false');
      tab.tabIndex = selected ? 0 : -1;
    }
    await loadLibrary();
    drawChart();
  };

  // Follows the window: after each action while the panel is open.
  function follow() {
    if (sweep.panel && !sweep.panel.hidden && !sweep.running) refreshChoices();
    if (charts.panel && !charts.panel.hidden && charts.current) drawChart();
  }
  page.changedHooks = page.changedHooks || [];
  page.changedHooks.push(follow);

  function drawChart() {
    const Plotly = window.Plotly;
    const ui = charts.ui;
    const data = JSON.parse(bridge.chart(charts.current));
    charts.data = data;
    ui.message.textContent = data.message || '';
    ui.message.hidden = !data.message;
    ui.table.textContent = '';
    ui.copy.hidden = !data.table;
    if (data.table && data.table.length) {
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
    const drawing = !data.message && data.series.length + data.marks.length > 0;
    ui.chart.hidden = !drawing;
    for (const b of ui.images) b.hidden = !drawing;
    if (!drawing) {
      if (Plotly && ui.chart.data) Plotly.purge(ui.chart);
      charts.drawn = data.message ? 'message' : (data.table ? 'table' : 'empty');
      return;
    }
    const { traces, annotations } = chartTraces(data);
    const axis = (a) => ({ title: { text: a.label }, type: a.log ? 'log' : 'linear', zeroline: false });
    const layout = {
      font, title: { text: data.title, font: { size: 15 }, x: 0.01, xanchor: 'left' }, margin: { l: 70, r: data.y2 ? 70 : 20, t: 50, b: 50 },
      xaxis: axis(data.x), yaxis: axis(data.y), annotations, hovermode: 'closest', showlegend: true,
      legend: data.y2 ? below : {},
    };
    if (data.y2) layout.yaxis2 = { ...axis(data.y2), overlaying: 'y', side: 'right' };
    if (data.equal) {
      layout.yaxis.scaleanchor = 'x';
      layout.yaxis.scaleratio = 1;
    }
    Plotly.react(ui.chart, traces, layout, { displaylogo: false, responsive: true });
    charts.drawn = 'chart';
  }

  // The chart data as the library's traces: a gap (null) breaks a curve;
  // arrows are segments with their heads drawn as annotations.
  function chartTraces(data) {
    const traces = [];
    const annotations = [];
    data.series.forEach((s, i) => {
      const colour = colours[i % colours.length];
      const yaxis = s.axis === 2 ? 'y2' : 'y';
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
                             ayref: yaxis, showarrow: true, arrowhead: 2, arrowsize: 1.2, arrowwidth: 2,
                             arrowcolor: colour, text: '' });
        }
      } else {
        s.points.forEach((p, k) => {
          x.push(p ? p[0] : null);
          y.push(p ? p[1] : null);
          text.push(s.labels ? s.labels[k] || '' : '');
        });
      }
      const mode = s.style === 'points' ? 'markers' : 'lines';
      traces.push({
        type: 'scatter', name: s.name, showlegend: Boolean(s.name), x, y, yaxis, connectgaps: false,
        mode: s.labels ? mode + '+text' : mode, text, textposition: 'top right', cliponaxis: !s.labels,
        line: { color: colour, width: 2, dash: s.style === 'dashed' ? 'dash' : 'solid' },
        marker: { color: colour, size: 6 },
        hovertemplate: (s.name ? s.name + '<br>' : '') + '%{x}, %{y}<extra></extra>',
      });
    });
    // A mark's text on the side of the drawing with room for it.
    const xs = [];
    for (const s of data.series) for (const p of s.points) if (p) xs.push(p[0]);
    for (const m of data.marks) if (m.x !== null) xs.push(m.x);
    const log = data.x.log;
    const at = (v) => (log ? Math.log10(Math.max(v, Number.MIN_VALUE)) : v);
    const low = Math.min(...xs.map(at));
    const high = Math.max(...xs.map(at));
    // Many marks: one legend entry for them (each is labelled beside its point).
    const grouped = data.marks.filter((m) => !m.alarm).length > 3;
    let first = true;
    const placed = [];
    // Where each mark lies in the drawing, as fractions of its ranges, so
    // that marks close together get their texts on different sides.
    const yAt = (v) => (data.y.log ? Math.log10(Math.max(v, Number.MIN_VALUE)) : v);
    const ys = [];
    for (const s of data.series) if (!s.axis) for (const p of s.points) if (p) ys.push(yAt(p[1]));
    for (const m of data.marks) if (m.y !== null && !m.axis) ys.push(yAt(m.y));
    const yLow = Math.min(...ys);
    const yHigh = Math.max(...ys);
    const fraction = (v, a, b) => (b > a ? (v - a) / (b - a) : 0.5);
    for (const m of data.marks) {
      if (m.x === null || m.y === null) continue;
      const nx = fraction(at(m.x), low, high);
      const ny = m.axis === 2 ? 0.5 : fraction(yAt(m.y), yLow, yHigh);
      const right = nx > 0.7;
      const sides = right ? ['top left', 'bottom left', 'top right', 'bottom right']
                          : ['top right', 'bottom right', 'top left', 'bottom left'];
      const near = placed.filter((p) => Math.abs(p.nx - nx) < 0.12 && Math.abs(p.ny - ny) < 0.08);
      const side = sides.find((c) => !near.some((p) => p.side === c)) || sides[0];
      placed.push({ nx, ny, side });
      const colour = m.alarm ? '#d62728' : '#000000';
      const inGroup = grouped && !m.alarm;
      traces.push({
        type: 'scatter', mode: 'markers+text', name: inGroup ? 'Marked points' : m.name, x: [m.x], y: [m.y],
        text: [m.text], cliponaxis: false, legendgroup: inGroup ? 'marks' : undefined,
        showlegend: inGroup ? first : true,
        textposition: side, yaxis: m.axis === 2 ? 'y2' : 'y',
        textfont: { color: colour }, marker: { color: colour, size: 10, symbol: m.alarm ? 'x' : 'circle' },
        hovertemplate: m.name + '<br>%{x}, %{y}<extra></extra>',
      });
      if (inGroup) first = false;
    }
    return { traces, annotations };
  }
})();
