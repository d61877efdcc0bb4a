// What both panels are made of: a movable panel beside the window, its
// buttons and fields, saving and copying, and the chart library, fetched
// when a panel first needs it.
const page = window.calculatorPage;

export const font = { family: 'Liberation Sans, Arial, sans-serif', size: 13 };
// Below the drawing, clear of a second axis' title on the right.
export const below = { orientation: 'h', yanchor: 'top', y: -0.3 };

// On a phone the charts take the screen's width: narrow margins, the
// legend below the drawing, and no tool bar over the title (the panel's own
// buttons copy and save).
export function fitLayout(layout) {
  if (page.layout !== 'phone') return layout;
  const m = layout.margin;
  const small = (axis) => axis && { ...axis, title: { ...axis.title, font: { size: 12 } } };
  const out = { ...layout, margin: { ...m, l: Math.min(m.l, 60), r: Math.min(m.r, layout.yaxis2 ? 60 : 12), b: 60 },
                xaxis: small(layout.xaxis), yaxis: small(layout.yaxis),
                legend: layout.showlegend === false ? layout.legend : { orientation: 'h', x: 0, y: -0.16, yanchor: 'top' } };
  if (layout.yaxis2) out.yaxis2 = small(layout.yaxis2);
  if (layout.title) out.title = { ...layout.title, font: { size: 13 } };
  return out;
}

export function chartConfig() {
  return { displaylogo: false, responsive: true, displayModeBar: page.layout === 'phone' ? false : 'hover' };
}

let library = null;
export function loadLibrary() {
  if (!library) {
    library = new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = 'plotly-basic.min.js';
      script.onload = () => resolve(window.Plotly);
      script.onerror = () => {
        // The next panel to open tries again.
        script.remove();
        library = null;
        reject(new Error('The chart library could not be loaded'));
      };
      document.head.appendChild(script);
    });
  }
  return library;
}

export function element(tag, className, text) {
  const el = document.createElement(tag);
  if (className) el.className = className;
  if (text !== undefined) el.textContent = text;
  return el;
}

export function button(text, run) {
  const b = element('button', 'panel-button', text);
  b.type = 'button';
  b.addEventListener('click', run);
  return b;
}

// A labelled control in the settings grid.
export function field(grid, caption, control) {
  const label = element('label', 'panel-caption', caption);
  control.id = 'plot-' + caption.toLowerCase().replace(/[^a-z0-9]+/g, '-');
  label.htmlFor = control.id;
  grid.appendChild(label);
  grid.appendChild(control);
  return control;
}

export function checkbox(text) {
  const label = element('label', 'panel-check');
  const box = document.createElement('input');
  box.type = 'checkbox';
  label.appendChild(box);
  label.appendChild(document.createTextNode(' ' + text));
  return { label, box };
}

// Moved by its title bar, off the part of the window a person works in.
function movable(panel, head) {
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
}

// A panel beside the window: the window stays usable while it is open.
export function makePanel(title, className) {
  const panel = element('section', 'plot-panel sans ' + className);
  panel.setAttribute('role', 'dialog');
  panel.setAttribute('aria-label', title);
  panel.opener = page.panelOpener;  // the control it was opened from
  const head = element('div', 'panel-head');
  head.appendChild(element('h2', 'panel-title', title));
  // Closed, it hands the focus back to the control it was opened from.
  const close = button('×', () => {
    panel.hidden = true;
    if (panel.closed) panel.closed();
    const back = panel.opener;
    if (back && back.isConnected && !back.closest('[hidden]')) back.focus();
  });
  close.setAttribute('aria-label', 'Close');
  close.className = 'panel-close';
  head.appendChild(close);
  panel.appendChild(head);
  movable(panel, head);
  panel.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') { event.stopPropagation(); close.click(); }
  });
  document.body.appendChild(panel);
  return panel;
}

export function saveText(name, text, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type }));
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

export function copyToClipboard(text) {
  page.copied = text;
  if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
}

export function saveImage(div, format, name) {
  const Plotly = window.Plotly;
  if (!Plotly || !div.data) return Promise.resolve();
  return Plotly.downloadImage(div, { format, filename: name, width: div.clientWidth, height: div.clientHeight });
}

// The chart library's name of a core dash.
export const dashes = { solid: 'solid', dash: 'dash', dot: 'dot', dashdot: 'dashdot' };
