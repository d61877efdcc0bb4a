// The window's menu (the right button, a long press, or the page's Menu
// button): Copy, Sweep and plot…, Charts…, Help and About, as on the
// desktop, with their keys: Ctrl+C copies a frame of results or the whole
// window as tab-separated rows, Ctrl+L and Ctrl+K open the panels
// (web/plot.js, loaded on first use), F1 the help page. More items join
// through addMenuItem.
import { chooseLayoutFor } from './window-view.mjs';

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

// An item of the menu: text, its keys (shown beside it), run(context) when
// chosen, shown() whether it is offered now; before names the item it goes
// in front of (by default Help: Help and About end the menu, as on the
// desktop). context: { frame, close } (the frame of results the menu was
// opened on, -1: none; close() closes the menu). Items may be added before the menu is set up.
export function addMenuItem(page, item) {
  page.menuItems = page.menuItems || [];
  const at = page.menuItems.findIndex((i) => i.text === (item.before || 'Help'));
  if (at >= 0) page.menuItems.splice(at, 0, item);
  else page.menuItems.push(item);
}

// Sets the menu up on root (the window's element); frameOf gives the frame
// of results an element is in (-1: none).
export function addPageMenu({ page, api, root, frameOf }) {
  let menu = null;
  let opener = null;  // the control the menu was opened from
  const button = document.getElementById('menu-button');

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
    if (button) button.setAttribute('aria-expanded', 'false');
  }

  // Escape leaves the menu for the control it was opened from.
  function dismissMenu() {
    if (!menu) return;
    const focused = menu.contains(document.activeElement);
    closeMenu();
    if (focused && opener && opener.isConnected) opener.focus();
  }

  // --- Sweep and plot, charts: web/plot.js, loaded on first use.
  // A panel that could not be loaded says so, and the next try loads it
  // afresh (the network may be back).
  function loadFailed(error) {
    if (!page.plot || !page.plot.sweep) page.plotLoaded = null;
    let note = document.getElementById('load-note');
    if (!note) {
      note = document.createElement('p');
      note.id = 'load-note';
      note.className = 'load-note sans';
      note.setAttribute('role', 'alert');
      document.body.appendChild(note);
    }
    note.textContent = 'The panel could not be loaded (' + error.message + '). Try again once the network is back.';
    note.hidden = false;
    setTimeout(() => { note.hidden = true; }, 8000);
    throw error;
  }

  function openPlot(what) {
    const from = menu ? opener : openerOf(null);
    closeMenu();
    page.plotLoaded = page.plotLoaded || loadScript('plot.js').then(() => {
      if (!page.plot) throw new Error('plot.js could not be loaded');
      return page.plot.ready;
    });
    const note = document.getElementById('load-note');
    if (note) note.hidden = true;
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
    }).catch(loadFailed);
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

  // The items every window has; others add theirs (addMenuItem).
  const items = [
    { text: 'Copy', run: ({ frame }) => { copyText(frame); closeMenu(); } },
    { text: 'Sweep and plot…', keys: 'Ctrl+L', run: () => openPlot('sweep') },
    { text: 'Charts…', keys: 'Ctrl+K', run: () => openPlot('charts'), shown: hasCharts },
    { text: 'Help', keys: 'F1', run: openHelp, shown: () => Boolean(document.getElementById('help-link')) },
    { text: 'About', run: openAbout, shown: () => Boolean(document.getElementById('about')) },
  ];
  // The layout, chosen on any screen: from the Menu button only, where a
  // person looks for how the page is shown.
  const layoutItem = {
    text: 'Layout',
    menuButton: true,
    label: () => (page.layout === 'phone' ? 'Window layout' : 'One-column layout'),
    run: () => {
      closeMenu();
      const wide = document.documentElement.clientWidth >= 700;
      const want = page.layout === 'phone' ? 'window' : 'phone';
      // Back to the screen's own choice where that is what was asked for.
      chooseLayoutFor((want === 'phone') === !wide ? '' : want);
      if (page.relayout) page.relayout();
    },
  };
  const early = page.menuItems || [];
  page.menuItems = [...items.slice(0, 3), layoutItem, ...items.slice(3)];
  for (const item of early) addMenuItem(page, item);

  function openMenu(event, fromButton = false) {
    if (!fromButton && window.getSelection().toString()) return;  // the browser copies a selection
    event.preventDefault();
    closeMenu();
    opener = openerOf(fromButton ? null : event.target);
    const frame = fromButton ? -1 : frameOf(event.target);
    menu = document.createElement('div');
    menu.className = 'menu sans';
    menu.setAttribute('role', 'menu');
    for (const item of page.menuItems) {
      if (item.menuButton && !fromButton) continue;
      if (item.shown && !item.shown()) continue;
      menu.appendChild(menuItem(item.label ? item.label() : item.text, item.keys || '', () => item.run({ frame, close: closeMenu })));
    }
    if (fromButton) {
      const r = button.getBoundingClientRect();
      menu.classList.add('from-button');
      menu.style.right = Math.max(0, document.documentElement.clientWidth - r.right) + 'px';
      menu.style.top = (r.bottom + window.scrollY) + 'px';
      button.setAttribute('aria-expanded', 'true');
    } else {
      menu.style.left = event.pageX + 'px';
      menu.style.top = event.pageY + 'px';
    }
    document.body.appendChild(menu);
    menu.firstChild.focus();
  }
  page.openMenu = (fromButton) => openMenu(new Event('menu'), fromButton);

  root.addEventListener('contextmenu', openMenu);
  if (button) {
    button.hidden = false;
    button.addEventListener('click', (event) => {
      event.stopPropagation();
      if (menu) closeMenu();
      else openMenu(event, true);
    });
  }
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

// A classic script added to the page: resolves once it has run; a script
// that could not be fetched is taken out again, so that a later try fetches
// it anew.
export function loadScript(src) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = src;
    script.onload = () => resolve();
    script.onerror = () => {
      script.remove();
      reject(new Error(src + ' could not be loaded'));
    };
    document.head.appendChild(script);
  });
}
