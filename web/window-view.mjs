// The window: real HTML controls at the places and sizes the model gives,
// mirroring it, and every user action handed to the model (through the
// bindings of web/bindings.mjs); what an action changed comes back and is
// mirrored, the files it wrote are offered as downloads.

function px(v) { return v + 'px'; }

// Place, size and (for controls with text) font size, in one write.
// The one-column layout (body.phone, suite.css) sets these aside.
// The elements stand in reading order, but overlap as the window's own
// controls do: a later control over an earlier one (z-index).
function place(el, c, sized) {
  let css = 'left:' + c.x + 'px;top:' + c.y + 'px;width:' + c.w + 'px;height:' + c.h + 'px;z-index:' + c.n;
  if (sized) css += ';font-size:' + (c.look === 'title' ? 18 : c.points) + 'pt';
  if (c.kind === 'picture' && c.h > 0) css += ';--ratio:' + c.w + '/' + c.h;
  el.style.cssText = css;
}

// What a box takes: letters where its first text holds any (a name, a
// choice typed in), else a number, for which a phone shows its number keys.
function inputMode(c) {
  return /[a-df-z]/i.test(c.text.replace(/e[+-]?\d/gi, '')) ? 'text' : 'decimal';
}

const withText = new Set(['label', 'textbox', 'button', 'option', 'list']);

function fontClass(c) {
  const sans = c.look === 'title' || c.look === 'compute';
  return sans ? 'sans' : 'serif';
}

function setFont(el, c) {
  el.classList.add(fontClass(c));
}

function domId(c) { return 'c-' + c.id.replace(/[()]/g, '-'); }

// Shows win (the description web_start gives) in root, the page's <main>,
// and returns what the page reaches: act (mirrors an action's reply),
// frameOf (the frame of results an element is in, for Copy) and ended (the
// window's end, as its close box or its own Exit brings it).
export function showWindow({ page, api, win, root }) {
  const controls = [];       // model descriptions, by control number
  const elements = [];       // the element of each control (its outer box)
  const inputs = [];         // the focusable element, where there is one

  // Enter in a box or a list presses the compute button of its part of the
  // window, as the model names it.
  function enterComputes(c) {
    return (event) => {
      if (event.key !== 'Enter') return;
      event.preventDefault();
      const compute = api.computeFor(c.n);
      if (compute >= 0) act(api.click(compute));
    };
  }

  function build(c, container) {
    let el;
    switch (c.kind) {
      case 'label': {
        // A caption that names one box is its <label>.
        el = document.createElement(labelled.has(c.n) ? 'label' : 'div');
        el.className = 'label look-' + c.look + ' align-' + c.align;
        setFont(el, c);
        if (c.border) el.classList.add('sunken');
        // More than two lines of room: the text wraps, as in the Qt view.
        const lineHeight = (c.look === 'title' ? 18 : c.points) * 96 / 72 * 1.15;
        el.classList.add(c.h > 2 * lineHeight ? 'wrap' : 'nowrap');
        const text = document.createElement('span');
        el.appendChild(text);
        if (c.look === 'warning') {
          // Warnings and the error line are read out as they appear.
          el.setAttribute('role', c.id === 'lblError' ? 'alert' : 'status');
          el.setAttribute('aria-live', c.id === 'lblError' ? 'assertive' : 'polite');
        }
        break;
      }
      case 'textbox': {
        el = document.createElement('input');
        el.type = 'text';
        el.className = 'box';
        el.spellcheck = false;
        el.autocomplete = 'off';
        setFont(el, c);
        if (c.readOnly) {
          el.readOnly = true;
          el.classList.add('result');
        }
        el.addEventListener('input', () => act(api.type(c.n, el.value)));
        el.addEventListener('keydown', enterComputes(c));
        if (!c.readOnly) {
          el.inputMode = inputMode(c);
          if (api.computeFor(c.n) >= 0) el.enterKeyHint = 'go';
        }
        inputs[c.n] = el;
        break;
      }
      case 'frame': {
        el = document.createElement('div');
        el.className = 'frame';
        if (c.border) {
          el.classList.add('bordered');
          const edge = document.createElement('div');
          edge.className = 'edge';
          el.appendChild(edge);
          const caption = document.createElement('span');
          caption.className = 'caption serif';
          el.appendChild(caption);
        }
        el.setAttribute('role', 'group');
        if (c.results) el.classList.add('results');
        break;
      }
      case 'button': {
        el = document.createElement('button');
        el.type = 'button';
        el.className = 'button';
        setFont(el, c);
        el.addEventListener('click', () => act(api.click(c.n)));
        inputs[c.n] = el;
        break;
      }
      case 'option': {
        el = document.createElement('label');
        el.className = 'option';
        setFont(el, c);
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'group' + c.parent;
        radio.addEventListener('click', () => {
          act(api.click(c.n));
          radio.checked = controls[c.n].value;
        });
        el.appendChild(radio);
        el.appendChild(document.createElement('span'));
        inputs[c.n] = radio;
        break;
      }
      case 'list': {
        el = document.createElement('select');
        el.className = 'list';
        setFont(el, c);
        for (const item of c.items) {
          const option = document.createElement('option');
          option.textContent = item;
          el.appendChild(option);
        }
        el.size = Math.max(2, c.items.length);
        el.addEventListener('change', () => act(api.select(c.n, el.selectedIndex)));
        el.addEventListener('keydown', enterComputes(c));
        inputs[c.n] = el;
        break;
      }
      case 'picture': {
        el = document.createElement('div');
        el.className = 'picture';
        el.setAttribute('role', 'img');
        el.setAttribute('aria-label', 'drawing');
        el.innerHTML = c.svg;
        const svg = el.querySelector('svg');
        if (svg) {
          // Stretched over the control, as the desktop's renderer draws it.
          svg.setAttribute('width', '100%');
          svg.setAttribute('height', '100%');
          svg.setAttribute('preserveAspectRatio', 'none');
        }
        break;
      }
      default:
        el = document.createElement('div');
    }
    el.id = domId(c);
    el.dataset.name = c.id;
    place(el, c, withText.has(c.kind));
    elements[c.n] = el;
    container.appendChild(el);
    return el;
  }

  // The elements in reading order (core/column.h: the window's sections
  // and rows), so that Tab and a screen reader go as a person reads, in
  // either layout. A row is a box of its own only in the one-column
  // layout; over the window's places it leaves its controls to their frame.
  const rowCaptions = [];  // each control's row caption
  function buildPart(part, container) {
    if (part.row) {
      const row = document.createElement('div');
      row.className = 'row';
      // Column headings: in one column each value carries its own.
      if (part.headings) row.classList.add('headings');
      container.appendChild(row);
      // A row of several captioned boxes ("mc3 = [ ]   Nc4 = [ ]"): each
      // caption with what follows it up to the next caption stays together
      // when the one column wraps the row.
      const starts = new Set(part.row.filter((n) => ['textbox', 'list'].includes(controls[n].kind) && controls[n].label >= 0 &&
                                                    part.row.includes(controls[n].label)).map((n) => controls[n].label));
      let holder = row;
      const into = () => holder;
      part.row.forEach((n, i) => {
        if (starts.size > 1 && starts.has(n)) {
          holder = document.createElement('div');
          holder.className = 'pair';
          row.appendChild(holder);
        }
        const row_ = into();
        rowCaptions[n] = part.caption;
        const c = controls[n];
        // A list under the window's title: the title is no caption of it.
        const byTitle = c.kind === 'list' && c.label >= 0 && controls[c.label].look === 'title';
        const caption = byTitle ? '' : (part.captions || [])[i];
        if (!caption) {
          build(controls[n], row_);
          return;
        }
        // A value whose caption stands elsewhere (a column's heading): in
        // one column the caption is shown beside it.
        const cell = document.createElement('div');
        cell.className = 'cell';
        const text = document.createElement('span');
        text.className = 'cell-caption';
        text.textContent = caption;
        // A box is named by its caption already (aria-label).
        if (controls[n].kind !== 'label') text.setAttribute('aria-hidden', 'true');
        cell.appendChild(text);
        row_.appendChild(cell);
        build(controls[n], cell);
      });
      return;
    }
    const holder = part.frame >= 0 ? build(controls[part.frame], container) : container;
    for (const p of part.parts) buildPart(p, holder);
  }

  // The caption of each box and list is its label: a <label for> where the
  // caption names that one box, else the caption by reference.
  const labelled = new Map();  // caption label's number -> the box it names

  function findCaptions() {
    const uses = new Map();
    for (const c of controls) {
      if ((c.kind === 'textbox' || c.kind === 'list') && c.label >= 0)
        uses.set(c.label, (uses.get(c.label) || 0) + 1);
    }
    for (const c of controls)
      if (c.kind === 'textbox' && c.label >= 0 && uses.get(c.label) === 1) labelled.set(c.label, c.n);
  }

  // The name a screen reader gives each box and list: its caption; boxes
  // that share one (a column's heading, a name used in several frames, a
  // box and the result of the same name) are told apart by the first of
  // these that tells them all apart: their rows' captions ("Exit Angle,
  // Hub"), their frames' captions, their places in their arrays ("Rotor
  // Exit angle, 5"), being a result.
  function accessibleNames() {
    const names = new Map();
    const groups = new Map();
    for (const c of controls) {
      if (c.kind !== 'textbox' && c.kind !== 'list') continue;
      let name = c.caption || c.id;
      // The window's title names no list: its choices do.
      if (c.kind === 'list' && c.label >= 0 && controls[c.label].look === 'title') name = c.items.join(' / ');
      names.set(c.n, name);
      if (!groups.has(name)) groups.set(name, []);
      groups.get(name).push(c.n);
    }
    const frameCaption = (n) => {
      for (let p = controls[n].parent; p >= 0; p = controls[p].parent) if (controls[p].text.trim()) return controls[p].text.trim();
      return '';
    };
    const qualifiers = [
      (n) => rowCaptions[n] || '',
      frameCaption,
      (n) => (/\((\d+)\)$/.exec(controls[n].id) || [])[1] || '',
      (n) => (controls[n].readOnly ? 'result' : ''),
    ];
    for (const [name, group] of groups) {
      if (group.length < 2) continue;
      for (const qualify of qualifiers) {
        const named = group.map((n) => {
          const q = qualify(n);
          return q && !name.includes(q) ? name + ', ' + q : name;
        });
        if (new Set(named).size === group.length) {
          group.forEach((n, i) => names.set(n, named[i]));
          break;
        }
      }
    }
    return names;
  }

  function connectCaptions() {
    const names = accessibleNames();
    for (const c of controls) {
      if (c.kind !== 'textbox' && c.kind !== 'list') continue;
      const el = inputs[c.n];
      const name = names.get(c.n);
      if (labelled.get(c.label) === c.n && name === c.caption) elements[c.label].htmlFor = el.id;
      // Named also where the label is hidden with its frame, the box not.
      el.setAttribute('aria-label', name);
    }
  }

  function mirror(state) {
    const c = controls[state.n];
    Object.assign(c, state);
    const el = elements[c.n];
    el.hidden = !c.visible;
    switch (c.kind) {
      case 'label': {
        const span = el.firstChild;
        if (span.textContent !== c.text) span.textContent = c.text;
        break;
      }
      case 'textbox':
        if (el.value !== c.text) el.value = c.text;
        break;
      case 'frame':
      {
        const caption = el.querySelector(':scope > .caption');
        if (caption) {
          caption.textContent = c.text;
          caption.hidden = !c.text;
        }
        if (c.text) el.setAttribute('aria-label', c.text);
        else el.removeAttribute('aria-label');
        break;
      }
      case 'button':
        el.textContent = c.text;
        break;
      case 'option':
        el.lastChild.textContent = c.text;
        el.firstChild.checked = c.value;
        break;
      case 'list':
        if (el.selectedIndex !== c.index) el.selectedIndex = c.index;
        break;
      default:
        break;
    }
  }

  // A print file: a download with the desktop's name and bytes. The bytes are
  // taken at once (the next action may write the file again); the browser is
  // handed them once the results are painted, which do not wait for it.
  function download(name) {
    const size = api.fileSize(name);
    if (size < 0) throw new Error('the print file ' + name + ' is missing');
    const at = api.file(name);
    const bytes = api.module.HEAPU8.slice(at, at + size);
    // What the tests read: the names in order, the last bytes of each.
    page.downloads.push(name);
    page.files.set(name, bytes);
    requestAnimationFrame(() => setTimeout(() => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }, 0));
  }

  function ended() {
    page.ended = true;
    if (win.program !== 'calculators') {
      page.navigate('index.html');
      return;
    }
    root.hidden = true;
    const note = document.createElement('p');
    note.className = 'ended serif';
    note.textContent = 'The calculators have ended. Reload the page to start them again.';
    document.body.appendChild(note);
  }

  // Mirrors what one user action changed, then carries out what it asks.
  function act(json) {
    const report = JSON.parse(json);
    for (const state of report.changed) mirror(state);
    for (const name of report.files) download(name);
    page.actions += 1;
    for (const hook of page.changedHooks || []) hook(report);  // open panels follow
    if (report.start) page.navigate(report.start + '.html');
    else if (report.ended) ended();
  }

  const holder = root.parentElement;  // the window's place on the page

  // On a touch screen no control of the window may shrink below 24 × 24
  // px: it scales no further down than that (and up, where a control is
  // smaller than that to begin with), and the page scrolls sideways.
  let touchScale = 0;
  if (window.matchMedia('(pointer: coarse)').matches) {
    let least = Infinity;
    for (const c of win.controls)
      if (['textbox', 'button', 'option', 'list'].includes(c.kind) && c.w > 0 && c.h > 0) least = Math.min(least, c.w, c.h);
    if (least < Infinity) touchScale = 24 / least;
  }

  // room: the page's width; at start the viewport's, which needs no layout
  // (a scroll bar, if any, is taken off by the resize observer's first call,
  // before anything is painted).
  function fit(room) {
    if (typeof room !== 'number') room = document.documentElement.clientWidth;
    const phone = chooseLayout(room);
    if (phone) {
      if (root.style.transform) root.style.transform = '';
      holder.style.height = '';
      holder.style.width = '';
      holder.classList.remove('scrolls');
      return;
    }
    // A window wider than the page is scaled down to its width, never cut
    // off, unless its controls would be too small to touch.
    const scale = Math.max(Math.min(1, room / win.width), touchScale);
    const transform = scale !== 1 ? 'scale(' + scale + ')' : '';
    if (root.style.transform !== transform) root.style.transform = transform;
    // Wider than the page (only ever to keep controls large enough to
    // touch), the window scrolls sideways in its holder, not the page: the
    // page keeps the screen's width, and what stands fixed on it (the
    // panels, the menu) stays on the screen.
    const wide = win.width * scale > room + 0.5;
    const height = px(Math.ceil((win.height + 26) * scale) + (wide ? 16 : 0));  // and the scroll bar
    const width = px(wide ? room : Math.ceil(win.width * scale));
    if (holder.style.height !== height) holder.style.height = height;
    if (holder.style.width !== width) holder.style.width = width;
    holder.classList.toggle('scrolls', wide);
  }

  function frameOf(el) {
    const frame = el && el.closest ? el.closest('.frame.results') : null;
    if (!frame) return -1;
    return elements.indexOf(frame);
  }

  // The layout: the window's own below about 700 px of width (a phone),
  // else the window as the desktop draws it; or as the page menu chose.
  let phoneLayout = null;
  function chooseLayout(room) {
    const chosen = layoutChoice();
    const phone = chosen ? chosen === 'phone' : room < phoneWidth;
    if (phone !== phoneLayout) {
      phoneLayout = phone;
      document.body.classList.toggle('phone', phone);
      root.style.width = phone ? '' : px(win.width);
      root.style.height = phone ? '' : px(win.height + 26);  // the error line sits below the design
      // A list is the phone's own picker there.
      // A new size makes the browser choose an item where none is chosen:
      // the model's choice is shown again.
      for (const c of controls) {
        if (c.kind !== 'list') continue;
        const el = elements[c.n];
        el.size = phone ? 1 : Math.max(2, c.items.length);
        if (el.selectedIndex !== c.index) el.selectedIndex = c.index;
      }
      page.layout = phone ? 'phone' : 'window';
    }
    return phone;
  }

  root.setAttribute('aria-label', document.title);
  for (const c of win.controls) controls[c.n] = c;
  findCaptions();
  // Built apart from the page, then shown at once: one layout, not one per
  // control. Fitted to the viewport's width first (no layout needed); a
  // scroll bar or a new width of the browser fits it again.
  root.remove();
  buildPart(JSON.parse(api.layout()), root);
  fit(window.innerWidth);
  for (const c of win.controls) mirror(c);
  connectCaptions();
  holder.appendChild(root);
  new ResizeObserver(() => fit()).observe(document.documentElement);
  page.relayout = () => fit();
  return { act, frameOf, ended };
}

// Below this width (CSS px) a window is shown in one column.
export const phoneWidth = 700;
const layoutKey = 'calculator-layout';

// The layout the page menu chose ('phone', 'window'), or '' for the one the
// screen's width gives.
export function layoutChoice() {
  try { return localStorage.getItem(layoutKey) || ''; } catch (e) { return ''; }
}

export function chooseLayoutFor(choice) {
  try {
    if (choice) localStorage.setItem(layoutKey, choice);
    else localStorage.removeItem(layoutKey);
  } catch (e) { /* no storage: this page only */ }
}
