// The window model's exports the panels call, as the page bound them from
// the one table of exports (web/bindings.mjs): the rest of the panels' code
// calls these and nothing of the module itself.
const api = window.calculatorPage.api;

export const bridge = {
  choices: api.sweepChoices,
  offer: api.sweepOffer,
  actions: api.actions,
  stateKey: api.stateKey,
  style: api.plotStyle,
  request: api.plotRequest,
  point: api.plotPoint,
  plot: api.plot,
  table: api.plotTable,
  tracePoint: api.tracePoint,
  traceText: api.traceText,
  noteSweep: api.noteSweep,
  chartNames: api.chartNames,
  chartDrawn: api.chartDrawn,
  chartLabels: api.chartLabels,
};

// The core's palette, limits and fixed texts (core/plot.h).
export const style = JSON.parse(bridge.style());
