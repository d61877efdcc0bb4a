// The web view of a window model: the page's start-up. The window's own
// module (web/bridge.cpp without the sweeps, charts and report), compiled
// while the page loaded, is instantiated and bound (web/bindings.mjs); the
// window is built (web/window-view.mjs) and its menu added
// (web/page-menu.mjs). After the first paint the program's whole module
// takes the window over. Bundled into each page at build time
// (web/inline-page.mjs), with the window's module's loader before it.
import { bind, instantiate } from './bindings.mjs';
import { addHelpKey, addMenuItem, addPageMenu, loadScript } from './page-menu.mjs';
import { showWindow } from './window-view.mjs';
import { startingUnits, unitSystems, useUnits } from './units.mjs';
import { addCases, showCaseNote, startFromAddress } from './cases.mjs';

const page = {};  // what the browser tests, the plot panels and the benchmark look at
window.calculatorPage = page;

// Where a page goes (the tests look on instead).
page.navigate = (url) => window.location.assign(url);
page.reload = () => window.location.reload();
addHelpKey(page);

async function start() {
  page.started = performance.now();
  page.actions = 0;
  page.downloads = [];
  page.files = new Map();
  // The window's module, compiled while the page loaded.
  const module = await instantiate(createStartWindow, window.calculatorWasm);
  page.moduleReady = performance.now();
  const api = bind(module);
  page.api = api;
  page.module = module;
  // The launcher's window is a menu of programs: it has no case to keep.
  const cases = document.body.dataset.program !== 'calculators';
  // A case in the address: its window in place of the plain one.
  const opened = cases ? startFromAddress(page, api) : null;
  const win = opened || JSON.parse(api.start());
  page.openedCase = Boolean(opened);
  page.loaded = performance.now();
  page.window = win;
  document.title = win.caption.replace(/\s+/g, ' ');
  document.getElementById('page-title').textContent = document.title;
  const root = document.getElementById('window');
  const view = showWindow({ page, api, win, root });
  page.act = view.act;
  // The unit system asked for or last chosen (US customary at first).
  page.useUnits = (word, remember = true) => useUnits({ api, act: view.act }, word, remember);
  // A case shows the units it was left in.
  const units = startingUnits();
  if (units !== 'us' && !win.ended && !opened) page.useUnits(units, false);
  // The other system, offered in the menu; the choice is kept for every page.
  addMenuItem(page, {
    text: 'Units',
    label: () => unitSystems.find(([word]) => word !== api.unitsInUse())[1],
    run: ({ close }) => {
      close();
      page.useUnits(api.unitsInUse() === 'si' ? 'us' : 'si');
    },
  });
  if (cases) addCases({ page, api });
  addWhole(page, api);
  addPrint({ page, api });
  addPageMenu({ page, api, root, frameOf: view.frameOf });
  // The close box: the page is left as the window is closed.
  page.closeWindow = () => view.act(api.close());
  page.shown = performance.now();
  if (win.ended) view.ended();
  if (page.caseRefused) showCaseNote(page, page.caseRefused);
  document.body.classList.add('ready');
  // Once the window is painted with its fonts (the start-up benchmark reads
  // the time), the icons, the manifest and the service worker that keeps
  // the site for offline use: fetching them is no part of start-up.
  document.fonts.ready.then(() => requestAnimationFrame(() => setTimeout(() => {
    page.painted = performance.now();
    // The tab's icons and the web app manifest, which the browser would
    // fetch at once.
    const links = [['icon', 'favicon.ico', { sizes: '32x32' }], ['apple-touch-icon', 'icon-192.png', {}],
                   ['manifest', 'manifest.webmanifest', {}]];
    for (const [rel, href, more] of links) {
      const link = Object.assign(document.createElement('link'), { rel, href }, more);
      document.head.appendChild(link);
    }
    // The whole module first (the panels and the report wait for it), then
    // the offline copy of the site, which would hold the network long.
    const whole = window.calculatorHoldWhole ? Promise.resolve() : page.whole().catch(() => {});
    page.offline = whole.then(registerOffline);
  }, 0)));
}

// The program's whole module (PROGRAM.wasm and its loader PROGRAM.js: the
// sweeps, charts and report besides the window) takes the window over: it
// replays the window's action record, and where it then shows what the page
// shows, every call of the page goes to it from then on (the same api,
// filled anew). page.whole() does that once; again after a failure (no
// network, say). Sweeps, charts and the report wait for it.
function addWhole(page, api) {
  const program = document.body.dataset.program;
  let taking = null;
  page.whole = () => {
    taking = taking || takeWhole().catch((error) => {
      taking = null;
      throw error;
    });
    return taking;
  };
  async function takeWhole() {
    if (api.report) return;
    const compiled = window.compileModule(program + '.wasm');
    compiled.catch(() => {});  // reported below, once awaited
    if (typeof createWindow !== 'function') await loadScript(program + '.js');
    const wasm = await compiled;
    const module = await instantiate(createWindow, wasm);
    const whole = bind(module);
    // In one step, between two of the user's actions.
    const taken = JSON.parse(whole.takeOver(api.actions(), api.stateKey()));
    if (taken.error) throw new Error(taken.error);
    Object.assign(api, whole);
    page.module = module;
    page.wholeWasm = wasm;
    page.wholeAt = performance.now();
  }
}

// "Print…" (the menu and Ctrl+P, and the browser's own Print): what a page
// prints is the window's report (core/print_report.h, every text escaped
// there), filled in just before; the print style sheet shows it alone. With
// the chart panel open, each chart's picture stands over its table: every
// chart drawn for paper from the menu and Ctrl+P, the one on the screen
// from the browser's own Print (which cannot wait for a drawing).
function addPrint({ page, api }) {
  const report = document.createElement('section');
  report.id = 'print-report';
  report.className = 'print-report';
  report.setAttribute('aria-hidden', 'true');
  document.body.appendChild(report);
  const panelOpen = () => Boolean(document.querySelector('.chart-panel:not([hidden])'));
  page.fillReport = (pictures) => {
    // Before the whole module has come (the browser's own Print in the
    // page's first moments): the window's text.
    if (!api.report) {
      const text = document.createElement('pre');
      text.textContent = api.copy(-1);
      report.replaceChildren(text);
      return;
    }
    const date = new Date().toLocaleString('en-GB', { day: 'numeric', month: 'long', year: 'numeric',
                                                      hour: '2-digit', minute: '2-digit' });
    report.innerHTML = api.report(date, JSON.stringify(panelOpen() ? pictures || [] : null));
  };
  let printing = false;
  page.print = async () => {
    if (printing) return;
    printing = true;
    try {
      await page.whole().catch(() => {});
      let pictures = null;
      // A chart that cannot be drawn still prints its table.
      if (panelOpen() && page.plot.chartPictures) pictures = await page.plot.chartPictures().catch(() => null);
      page.fillReport(pictures);
      window.print();
    } finally {
      printing = false;
    }
  };
  window.addEventListener('beforeprint', () => {
    if (!printing) page.fillReport(page.plot && page.plot.shownChartPicture ? page.plot.shownChartPicture() : null);
  });
  addMenuItem(page, {
    text: 'Print…',
    keys: 'Ctrl+P',
    run: ({ close }) => {
      close();
      page.print();
    },
  });
  document.addEventListener('keydown', (event) => {
    if ((event.ctrlKey || event.metaKey) && !event.altKey && (event.key === 'p' || event.key === 'P')) {
      event.preventDefault();
      page.print();
    }
  });
}

// sw.js (made by the build, web/offline.mjs) keeps every file of the site;
// none where the page is not served over http(s) or the browser has none.
function registerOffline() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return Promise.resolve(null);
  return navigator.serviceWorker.register('sw.js').catch((error) => {
    page.offlineError = String(error);
    return null;
  });
}

// A page the browser brings back from its back-and-forward cache after its
// program ended ("Done!" went on to the index) would be a window without a
// program: it starts its program anew.
const restartKey = 'calculator-restarted';
window.addEventListener('pageshow', (event) => {
  if (!event.persisted || !page.ended) return;
  try { sessionStorage.setItem(restartKey, location.pathname); } catch (e) { /* no storage */ }
  window.location.reload();
});
try {
  page.restarted = sessionStorage.getItem(restartKey) === location.pathname;
  sessionStorage.removeItem(restartKey);
} catch (e) { page.restarted = false; }

page.ready = start().catch((error) => {
  page.error = String(error);
  const note = document.createElement('p');
  note.className = 'serif ended';
  note.textContent = 'This calculator could not start: ' + error;
  document.body.appendChild(note);
  throw error;
});
