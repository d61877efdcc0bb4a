// Cases in the browser (core/case_file.h through web/bridge.cpp): the page's
// address carries the window's case in its fragment, kept up to date after
// every action without a history entry, so a reload or a copied address
// brings the same window back. The menu copies that address, saves the case
// as the desktop's file and opens one; a case file dropped on the page opens
// too.
//
// An opened file becomes the page's address and the page is loaded anew from
// it: the window, its panels and every listener start exactly as they do
// for an address, and the page never holds two windows' state at once.
import { addMenuItem } from './page-menu.mjs';

// A file's first bytes past this are not read: the check refuses the file
// by its size with one byte over (core::kMaxCaseBytes).
const maxCaseBytes = 1024 * 1024;

// Where the address's fragment is refused or a file is not a case: one line
// over the page, read out at once, until closed or the next case opens.
export function showCaseNote(page, message) {
  let note = document.getElementById('case-note');
  if (!note) {
    note = document.createElement('div');
    note.id = 'case-note';
    note.className = 'case-note sans';
    note.setAttribute('role', 'alert');
    const text = document.createElement('span');
    const close = document.createElement('button');
    close.type = 'button';
    close.textContent = '×';
    close.setAttribute('aria-label', 'Close the message');
    close.addEventListener('click', () => { note.hidden = true; });
    note.append(text, close);
    document.body.appendChild(note);
  }
  note.firstChild.textContent = message;
  note.hidden = false;
  page.caseMessage = message;
}

// The address without its fragment, and with one.
const bare = () => window.location.pathname + window.location.search;
const addressWith = (fragment) => bare() + (fragment ? '#' + fragment : '');

// The start: the window the address's case leaves, or null where the
// address holds none. A fragment that is no case is refused with a message,
// taken off the address, and the page starts plain.
export function startFromAddress(page, api) {
  const fragment = window.location.hash.replace(/^#/, '');
  if (!fragment) return null;
  const bytes = new TextEncoder().encode(fragment);
  const opened = JSON.parse(withBytes(api, bytes, (at, size) => api.startFragment(at, size)));
  if (!opened.error) return opened;
  window.history.replaceState(window.history.state, '', addressWith(''));
  page.caseRefused = opened.error;
  return null;
}

// call(address, size) with bytes copied into the memory of the api's module:
// a long address or a whole file would not fit on its stack, where a string
// argument goes.
function withBytes(api, bytes, call) {
  const module = api.module;
  const at = module._malloc(Math.max(1, bytes.length));
  try {
    module.HEAPU8.set(bytes, at);
    return call(at, bytes.length);
  } finally {
    module._free(at);
  }
}

// The menu's items, the address kept up to date and a dropped file.
export function addCases({ page, api }) {
  const fragment = () => api.fragment();
  // After every action, once its answer is painted (the browser's history
  // costs a phone tens of milliseconds), for all the actions since; at once
  // where the page is left (a program started, the window ended). A window
  // whose case cannot be written (a line break typed by a script) keeps the
  // last address it had.
  const write = () => {
    page.addressPending = false;
    const f = fragment();
    if (f) window.history.replaceState(window.history.state, '', addressWith(f));
  };
  const follow = (report) => {
    if (report && (report.start || report.ended)) {
      write();
      return;
    }
    if (page.addressPending) return;
    page.addressPending = true;
    requestAnimationFrame(() => setTimeout(() => {
      if (page.addressPending) write();
    }, 0));
  };
  page.changedHooks = page.changedHooks || [];
  page.changedHooks.push(follow);

  page.caseLink = () => window.location.origin + addressWith(fragment());

  function copyLink() {
    const link = page.caseLink();
    page.copied = link;
    if (navigator.clipboard) navigator.clipboard.writeText(link).catch(() => {});
  }

  function saveCase() {
    const file = JSON.parse(api.caseText());
    if (file.error) {
      showCaseNote(page, file.error);
      return;
    }
    page.savedCase = file;
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([file.text], { type: file.type }));
    link.download = file.name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // A case file: read, checked on a window of its own; refused with the
  // desktop's message (the file's name, the line and why), the window left
  // as it is; else the page opens at the case's address.
  async function openFile(file) {
    const bytes = new Uint8Array(await file.slice(0, maxCaseBytes + 1).arrayBuffer());
    const read = JSON.parse(withBytes(api, bytes, (at, size) => api.caseFragment(at, size)));
    if (read.error) {
      showCaseNote(page, file.name + ': ' + read.error);
      return false;
    }
    window.history.replaceState(window.history.state, '', addressWith(read.fragment));
    page.reload();
    return true;
  }
  page.openCaseFile = openFile;

  const input = document.createElement('input');
  input.type = 'file';
  input.id = 'case-file';
  input.accept = '.flowcase,application/x-flow-calculators-case';
  input.hidden = true;
  input.addEventListener('change', () => {
    const file = input.files[0];
    input.value = '';
    if (file) page.caseOpening = openFile(file);
  });
  document.body.appendChild(input);

  addMenuItem(page, { text: 'Copy link', run: ({ close }) => { close(); copyLink(); } });
  addMenuItem(page, { text: 'Save case…', keys: 'Ctrl+S', run: ({ close }) => { close(); saveCase(); } });
  addMenuItem(page, { text: 'Open case…', keys: 'Ctrl+O', run: ({ close }) => { close(); input.click(); } });

  // The desktop's keys, in place of the browser's own save and open.
  document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return;
    if (event.key === 's' || event.key === 'S') {
      event.preventDefault();
      saveCase();
    } else if (event.key === 'o' || event.key === 'O') {
      event.preventDefault();
      input.click();
    }
  });

  // A file dropped anywhere on the page is taken as a case, never opened by
  // the browser in the page's place.
  const carriesFiles = (event) => event.dataTransfer && Array.from(event.dataTransfer.types).includes('Files');
  document.addEventListener('dragover', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
  });
  document.addEventListener('drop', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    const files = event.dataTransfer.files;
    if (files.length !== 1) {
      showCaseNote(page, 'Drop one case file at a time');
      return;
    }
    page.caseOpening = openFile(files[0]);
  });
}
