// The unit system of a page: US customary or SI, chosen in the page's menu,
// asked for in the address (?units=si), and kept for the user in the
// browser's storage, so that every page of the suite opens in the last one
// chosen. Nothing is recomputed: the model shows what it has in the other
// system (core/units.h).

const storageKey = 'calculator-units';

export const unitSystems = [
  ['us', 'US customary (ft, lbm, lbf, psia, °R, BTU)'],
  ['si', 'SI (m, kg, N, kPa, K, kJ)'],
];

function kept() {
  try { return localStorage.getItem(storageKey); } catch (e) { return null; }
}

function keep(word) {
  try { localStorage.setItem(storageKey, word); } catch (e) { /* no storage: this page only */ }
}

// The system the page opens in: the address's, else the user's last choice.
export function startingUnits(search = window.location.search) {
  const asked = new URLSearchParams(search).get('units');
  for (const word of [asked, kept()]) {
    const lower = (word || '').toLowerCase();
    if (lower === 'us' || lower === 'si') return lower;
  }
  return 'us';
}

// Shows the window in word's system; act mirrors the controls it changed.
export function useUnits({ api, act }, word, remember = true) {
  if (remember) keep(word);
  if (api.unitsInUse() === word) return;
  act(api.units(word));
}
