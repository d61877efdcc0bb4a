// A sweep off the page's thread: this worker holds its own module of the
// page's program, brings a fresh window to the page's window's state by
// replaying its action record, and runs the points it is given there
// (web/bridge.cpp, core/sweep.h). The page ends it to cancel. Bundled into
// one classic script (web/bundle.mjs), so it can still importScripts the
// program's loader.
import { bind, instantiate } from './bindings.mjs';

let api = null;

async function load(message) {
  importScripts(message.program + '.js');
  // The page's compiled whole module.
  const bound = bind(await instantiate(createWindow, message.wasm));
  return {
    clear: bound.requestClear,
    input: bound.requestInput,
    button: bound.requestButton,
    output: bound.requestOutput,
    family: bound.requestFamily,
    familyText: bound.requestFamilyText,
    begin: bound.sweepBegin,
    point: bound.sweepPoint,
  };
}

self.onmessage = async (event) => {
  const message = event.data;
  try {
    if (!api) api = await load(message);
    const r = message.request;
    api.clear();
    api.input(r.input, r.from, r.to, r.points, r.log ? 1 : 0);
    api.button(r.button);
    for (const id of r.outputs) api.output(id);
    if (r.family) {
      api.family(r.family);
      for (const text of r.familyTexts) api.familyText(text);
    }
    const problem = api.begin(message.actions, message.key);
    if (problem) {
      postMessage({ failed: problem });
      return;
    }
    // Points in batches, a few times a second: the page redraws as they come.
    let batch = [];
    let sent = performance.now();
    for (const k of message.points) {
      batch.push(JSON.parse(api.point(k)));
      if (performance.now() - sent > 100) {
        postMessage({ points: batch });
        batch = [];
        sent = performance.now();
      }
    }
    postMessage({ points: batch, done: true });
  } catch (error) {
    postMessage({ failed: String(error) });
  }
};
