// The exports of a page's module (web/bridge.cpp), declared once: each
// export with what it returns and what it takes. bind(module) makes the
// function of each, named as the export is without "web_" (web_compute_for:
// computeFor). 'string' arguments go in as UTF-8; a 'string' result is read
// from the module's memory, 'number' is a number (or an address), null
// nothing. The view, the plot panels and the sweep worker all call the
// module through these.
const whole = 'whole';

export const bindings = [
  // The window (the view), in both of a program's modules: the page starts
  // on the window's own module (PROGRAM-start.wasm) and the whole module
  // (PROGRAM.wasm) takes the window over once it has come (web/view.mjs).
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
  // Cases: the start from an address, the address and the file of the
  // window, a file's bytes checked (bytes passed by address and size).
  ['web_start_fragment', 'string', ['number', 'number']],
  ['web_fragment', 'string', []],
  ['web_case_text', 'string', []],
  ['web_case_fragment', 'string', ['number', 'number']],
  // The window's action record and the key of what it shows; the window
  // taken over from them.
  ['web_actions', 'string', []],
  ['web_state_key', 'string', []],
  ['web_take_over', 'string', ['string', 'string']],
  // The window's charts, by name.
  ['web_chart_names', 'string', []],
  // Only in the whole module: the printed report, ...
  ['web_report', 'string', ['string', 'string'], whole],
  // ... sweeps (the plot panel and its worker), ...
  ['web_sweep_choices', 'string', ['number'], whole],
  ['web_sweep_offer', 'string', ['string'], whole],
  ['web_request_clear', null, [], whole],
  ['web_request_input', null, ['string', 'number', 'number', 'number', 'number'], whole],
  ['web_request_button', null, ['string'], whole],
  ['web_request_output', null, ['string'], whole],
  ['web_request_family', null, ['string'], whole],
  ['web_request_family_text', null, ['string'], whole],
  ['web_sweep_begin', 'string', ['string', 'string'], whole],
  ['web_sweep_point', 'string', ['number'], whole],
  ['web_trace_point', null, ['number', 'number'], whole],
  ['web_trace_text', null, ['string'], whole],
  ['web_note_sweep', 'string', [], whole],
  // ... the plot description (core/plot.h): palette and limits, the
  // request's checks, the points so far, the curves and the table; ...
  ['web_plot_style', 'string', [], whole],
  ['web_plot_request', 'string', ['string'], whole],
  ['web_plot_point', null, ['string'], whole],
  ['web_plot', 'string', ['number', 'number'], whole],
  ['web_plot_table', 'string', ['number'], whole],
  // ... and charts.
  ['web_chart', 'string', ['string'], whole],
  ['web_chart_drawn', 'string', ['string'], whole],
  ['web_chart_labels', 'string', ['string'], whole],
];

// The exports of the window's own module (the build reads these).
export const startBindings = bindings.filter((b) => b[3] !== whole);

// web_compute_for -> computeFor
export function bindingName(symbol) {
  return symbol.replace(/^web_/, '').replace(/_(\w)/g, (_, letter) => letter.toUpperCase());
}

// The module of an Emscripten factory (create) on compiled WebAssembly (a
// WebAssembly.Module, or its promise), once its runtime has started; a
// failure to instantiate rejects.
export function instantiate(create, compiled) {
  return new Promise((resolve, reject) => {
    create({
      instantiateWasm(imports, receive) {
        Promise.resolve(compiled)
          .then((wasm) => WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm)))
          .catch(reject);
        return {};
      },
    }).then(resolve, reject);
  });
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
  // The module itself, for bytes passed through its memory.
  const api = { module };
  for (const [symbol, result, args] of bindings) {
    // The window's own module has the window's exports only.
    if (typeof module['_' + symbol] !== 'function') continue;
    const call = module.cwrap(symbol, result === 'string' ? 'number' : result, args);
    api[bindingName(symbol)] = result === 'string' ? text(call) : call;
  }
  return api;
}
