// The plot panel (sweep one input box, plot results) and the chart panel
// (the window's own charts), loaded on first use by web/page-menu.mjs. The panels
// are ES modules in plot/ (main.js, the sweep panel, the chart panel, the
// workers, the module's bindings); this script fetches them, and until they
// are in, page.plot hands each opening over to them. The chart library is
// loaded when a panel first opens.
'use strict';

(function () {
  const page = window.calculatorPage;
  const ready = import('./plot/main.js');
  const later = (name) => (...args) => ready.then(() => page.plot[name](...args));
  page.plot = { openSweep: later('openSweep'), openCharts: later('openCharts') };
})();
