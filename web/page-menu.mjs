// The window's menu (the right button): Copy, Sweep and plot…, Charts…,
// Help and About, as on the desktop, with their keys: Ctrl+C copies a frame
// of results or the whole window as tab-separated rows, Ctrl+L and Ctrl+K
// open the panels (web/plot.js, loaded on first use), F1 the help page.

function menuItem(text, keys, run) {
  const item = document.createElement('button');
  item.type = 'button';
  item.setAttribute('role', 'menuitem');
  item.textContent = text;
  if (keys) {
    const shortcut = document.createElement('span');
    shortcut.className = 'shortcut';
    shortcut.textContent = keys;
    item.appendChild(shortcut);
  }
  item.addEventListener('click', run);
  return item;
}

// The program's help: the page's Help link, where the page goes (the tests
// look on instead).
function showHelp(page) {
  const help = document.getElementById('help-link');
  if (help) page.navigate(help.getAttribute('href'));
}

// F1 opens the help from the first moment, the window started or not.
export function addHelpKey(page) {
  document.addEventListener('keydown', (event) => {
    if (event.key !== 'F1' || !document.getElementById('help-link')) return;
    event.preventDefault();
    showHelp(page);
  });
}

// Sets the menu up on root (the window's element); frameOf gives the frame
// of results an element is in (-1: none).
export function addPageMenu({ page, api, root, frameOf }) {
  let menu = null;
  let opener = null;  // the control the menu was opened from

  // The control a panel or the menu is opened from: the one with the focus,
  // else the control under the pointer, else the window's first.
  function openerOf(target) {
    const active = document.activeElement;
    if (active && active !== document.body && root.contains(active)) return active;
    const control = target && target.closest ? target.closest('input, select, button') : null;
    if (control && root.contains(control)) return control;
    return root.querySelector('input:not([tabindex="-1"]), select, button');
  }

  function copyText(frameNumber) {
    const text = api.copy(frameNumber);
    page.copied = text;
    if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
    return text;
  }

  function closeMenu() {
    if (menu) menu.remove();
    menu = null;
  }

  // Escape leaves the menu for the control it was opened from.
  function dismissMenu() {
    if (!menu) return;
    const focused = menu.contains(document.activeElement);
    closeMenu();
    if (focused && opener && opener.isConnected) opener.focus();
  }

  // --- Sweep and plot, charts: web/plot.js, loaded on first use.
  function openPlot(what) {
    const from = menu ? opener : openerOf(null);
    closeMenu();
    page.plotLoaded = page.plotLoaded || new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = 'plot.js';
      script.onload = resolve;
      script.onerror = () => reject(new Error('plot.js could not be loaded'));
      document.head.appendChild(script);
    });
    // The panel gives the focus back to from when it closes: a panel made
    // now takes it from page.panelOpener, one made before is told here.
    page.panelOpener = from;
    const tell = () => {
      const owner = page.plot && page.plot[what === 'charts' ? 'charts' : 'sweep'];
      if (owner && owner.panel && from) owner.panel.opener = from;
    };
    return page.plotLoaded.then(() => {
      tell();
      return Promise.resolve(what === 'charts' ? page.plot.openCharts() : page.plot.openSweep()).then((result) => {
        tell();
        return result;
      });
    });
  }
  page.openPlot = openPlot;

  const hasCharts = () => JSON.parse(api.chartNames()).length > 0;

  function openHelp() {
    closeMenu();
    showHelp(page);
  }

  function openAbout() {
    closeMenu();
    const about = document.getElementById('about');
    if (about && !about.open) about.showModal();
  }

  function openMenu(event) {
    if (window.getSelection().toString()) return;  // the browser copies a selection
    event.preventDefault();
    closeMenu();
    opener = openerOf(event.target);
    const frame = frameOf(event.target);
    menu = document.createElement('div');
    menu.className = 'menu sans';
    menu.setAttribute('role', 'menu');
    const copy = menuItem('Copy', '', () => { copyText(frame); closeMenu(); });
    menu.appendChild(copy);
    menu.appendChild(menuItem('Sweep and plot…', 'Ctrl+L', () => openPlot('sweep')));
    if (hasCharts()) menu.appendChild(menuItem('Charts…', 'Ctrl+K', () => openPlot('charts')));
    if (document.getElementById('help-link')) menu.appendChild(menuItem('Help', 'F1', openHelp));
    if (document.getElementById('about')) menu.appendChild(menuItem('About', '', openAbout));
    menu.style.left = event.pageX + 'px';
    menu.style.top = event.pageY + 'px';
    document.body.appendChild(menu);
    copy.focus();
  }

  root.addEventListener('contextmenu', openMenu);
  document.addEventListener('click', (event) => { if (menu && !menu.contains(event.target)) closeMenu(); });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') dismissMenu();
    if ((event.ctrlKey || event.metaKey) && (event.key === 'l' || event.key === 'L')) {
      event.preventDefault();
      openPlot('sweep');
    }
    if ((event.ctrlKey || event.metaKey) && (event.key === 'k' || event.key === 'K') && hasCharts()) {
      event.preventDefault();
      openPlot('charts');
    }
    if ((event.ctrlKey || event.metaKey) && event.key === 'c') {
      const active = document.activeElement;
      const selected = active && active.selectionStart !== undefined && active.selectionStart !== null &&
                       active.selectionStart !== active.selectionEnd;
      if (selected || window.getSelection().toString()) return;
      event.preventDefault();
      copyText(frameOf(active));
    }
  });
}
