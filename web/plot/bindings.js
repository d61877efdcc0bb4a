// The window model's exports the panels call (web/bridge.cpp), wrapped once:
// the rest of the panels' code calls these and nothing of the module itself.
const module = window.calculatorPage.module;
const wrap = (name, result, args) => module.cwrap(name, result, args || []);

export const bridge = {
  choices: wrap('web_sweep_choices', 'string'),
  actions: wrap('web_actions', 'string'),
  stateKey: wrap('web_state_key', 'string'),
  style: wrap('web_plot_style', 'string'),
  request: wrap('web_plot_request', 'string', ['string']),
  point: wrap('web_plot_point', null, ['string']),
  plot: wrap('web_plot', 'string', ['number', 'number']),
  table: wrap('web_plot_table', 'string', ['number']),
  tracePoint: wrap('web_trace_point', null, ['number', 'number']),
  traceText: wrap('web_trace_text', null, ['string']),
  noteSweep: wrap('web_note_sweep', 'string'),
  chartNames: wrap('web_chart_names', 'string'),
  chartDrawn: wrap('web_chart_drawn', 'string', ['string']),
};

// The core's palette, limits and fixed texts (core/plot.h).
export const style = JSON.parse(bridge.style());
