// The sweep's workers (web/sweep-worker.mjs): each holds its own module of
// the page's program, replays the window's actions and runs every n-th point
// of the request. Stopping a pool ends its workers at once.
export function startPool({ program, wasm, actions, key, request, onPoints, onEnd, onFail }) {
  const workers = [];
  // Several workers where there are many points.
  const cores = Math.max(1, Math.min(navigator.hardwareConcurrency || 2, 4));
  const count = Math.max(1, Math.min(cores, Math.ceil(request.size / 16)));
  let ended = 0;
  let stopped = false;
  const stop = () => {
    stopped = true;
    for (const w of workers) w.terminate();
    workers.length = 0;
  };
  for (let w = 0; w < count; w++) {
    const worker = new Worker('sweep-worker.js');
    const mine = [];
    for (let k = w; k < request.size; k += count) mine.push(k);
    worker.onmessage = (event) => {
      if (stopped) return;
      const m = event.data;
      if (m.failed) {
        onFail('The sweep could not run: ' + m.failed);
        return;
      }
      onPoints(m.points);
      if (m.done && ++ended === count) onEnd();
    };
    worker.onerror = (event) => {
      if (!stopped) onFail('The sweep could not run: ' + (event.message || 'worker failed'));
    };
    worker.postMessage({ program, wasm, actions, key, request, points: mine });
    workers.push(worker);
  }
  return { stop };
}
