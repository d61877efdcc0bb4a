// The plot panel (sweep one input box, plot results) and the chart panel
// (the window's own charts), loaded on first use by web/page-menu.mjs. The panels
// are ES modules in plot/ (main.js, the sweep panel, the chart panel, the
// workers, the module's bindings); this script fetches them, and until they
// are in, page.plot hands each opening over to them. The chart library is
// loaded when a panel first opens.
'use strict';

(function () {
  const page = window.calculatorPage;
  if (page.plot && page.plot.sweep) return;  // in already
  // A try after a failed one asks anew: the browser keeps a module that
  // failed to load as failed under its address.
  page.plotTries = (page.plotTries || 0) + 1;
  // They draw on the program's whole module (web/view.mjs).
  const ready = page.whole().then(() => import('./plot/main.js' + (page.plotTries > 1 ? '?try=' + page.plotTries : '')));
  const later = (name) => (...args) => ready.then(() => page.plot[name](...args));
  page.plot = { openSweep: later('openSweep'), openCharts: later('openCharts'), ready };
})();
