// The exports of a page's module (web/bridge.cpp), declared once: each
// export with what it returns and what it takes. bind(module) makes the
// function of each, named as the export is without "web_" (web_compute_for:
// computeFor). 'string' arguments go in as UTF-8; a 'string' result is read
// from the module's memory, 'number' is a number (or an address), null
// nothing. The view, the plot panels and the sweep worker all call the
// module through these.
export const bindings = [
  // The window (the view).
  ['web_start', 'string', []],
  ['web_type', 'string', ['number', 'string']],
  ['web_click', 'string', ['number']],
  ['web_select', 'string', ['number', 'number']],
  ['web_close', 'string', []],
  ['web_units', 'string', ['string']],
  ['web_units_in_use', 'string', []],
  ['web_compute_for', 'number', ['number']],
  ['web_copy', 'string', ['number']],
  ['web_file', 'number', ['string']],
  ['web_file_size', 'number', ['string']],
  ['web_layout', 'string', []],
  ['web_report', 'string', ['string', 'string']],
  // Cases: the start from an address, the address and the file of the
  // window, a file's bytes checked (bytes passed by address and size).
  ['web_start_fragment', 'string', ['number', 'number']],
  ['web_fragment', 'string', []],
  ['web_case_text', 'string', []],
  ['web_case_fragment', 'string', ['number', 'number']],
  // Sweeps (the plot panel and its worker).
  ['web_sweep_choices', 'string', ['number']],
  ['web_sweep_offer', 'string', ['string']],
  ['web_actions', 'string', []],
  ['web_state_key', 'string', []],
  ['web_request_clear', null, []],
  ['web_request_input', null, ['string', 'number', 'number', 'number', 'number']],
  ['web_request_button', null, ['string']],
  ['web_request_output', null, ['string']],
  ['web_request_family', null, ['string']],
  ['web_request_family_text', null, ['string']],
  ['web_sweep_begin', 'string', ['string', 'string']],
  ['web_sweep_point', 'string', ['number']],
  ['web_trace_point', null, ['number', 'number']],
  ['web_trace_text', null, ['string']],
  ['web_note_sweep', 'string', []],
  // The plot description (core/plot.h): palette and limits, the request's
  // checks, the points so far, the curves and the table.
  ['web_plot_style', 'string', []],
  ['web_plot_request', 'string', ['string']],
  ['web_plot_point', null, ['string']],
  ['web_plot', 'string', ['number', 'number']],
  ['web_plot_table', 'string', ['number']],
  // Charts.
  ['web_chart_names', 'string', []],
  ['web_chart', 'string', ['string']],
  ['web_chart_drawn', 'string', ['string']],
  ['web_chart_labels', 'string', ['string']],
];

// web_compute_for -> computeFor
export function bindingName(symbol) {
  return symbol.replace(/^web_/, '').replace(/_(\w)/g, (_, letter) => letter.toUpperCase());
}

export function bind(module) {
  // Replies are read from the module's memory at once: a native search for
  // their end and one decode (the runtime's reader steps through the bytes).
  const decoder = new TextDecoder();
  const text = (call) => (...args) => {
    const at = call(...args);
    const heap = module.HEAPU8;
    return decoder.decode(heap.subarray(at, heap.indexOf(0, at)));
  };
  const api = {};
  for (const [symbol, result, args] of bindings) {
    const call = module.cwrap(symbol, result === 'string' ? 'number' : result, args);
    api[bindingName(symbol)] = result === 'string' ? text(call) : call;
  }
  return api;
}
