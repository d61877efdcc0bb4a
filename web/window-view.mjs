// The window: real HTML controls at the places and sizes the model gives,
// mirroring it, and every user action handed to the model (through the
// bindings of web/bindings.mjs); what an action changed comes back and is
// mirrored, the files it wrote are offered as downloads.

function px(v) { return v + 'px'; }

// Place, size and (for controls with text) font size, in one write.
function place(el, c, sized) {
  let css = 'left:' + c.x + 'px;top:' + c.y + 'px;width:' + c.w + 'px;height:' + c.h + 'px';
  if (sized) css += ';font-size:' + (c.look === 'title' ? 18 : c.points) + 'pt';
  el.style.cssText = css;
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
export function showWindow({ page, api, module, win, root }) {
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

  function build(c) {
    let el;
    const container = c.parent >= 0 ? elements[c.parent] : root;
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

  function connectCaptions() {
    for (const c of controls) {
      if (c.kind !== 'textbox' && c.kind !== 'list') continue;
      const el = inputs[c.n];
      if (labelled.get(c.label) === c.n) elements[c.label].htmlFor = el.id;
      // Named also where the label is hidden with its frame, the box not.
      el.setAttribute('aria-label', c.caption || c.id);
    }
  }

  function mirror(state) {
    const c = controls[state.n];
    Object.assign(c, state);
    const el = elements[c.n];
    el.hidden = !c.visible;
    // Tab goes as on the desktop: inputs, compute buttons, buttons, results.
    const focusable = inputs[c.n];
    if (focusable) {
      if (c.tab > 0) focusable.tabIndex = c.tab;
      else focusable.removeAttribute('tabindex');
    }
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
  // handed them after the action, which the results do not wait for.
  function download(name) {
    const size = api.fileSize(name);
    if (size < 0) throw new Error('the print file ' + name + ' is missing');
    const at = api.file(name);
    const bytes = module.HEAPU8.slice(at, at + size);
    // What the tests read: the names in order, the last bytes of each.
    page.downloads.push(name);
    page.files.set(name, bytes);
    setTimeout(() => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }, 0);
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
    for (const hook of page.changedHooks || []) hook();  // open panels follow
    if (report.start) page.navigate(report.start + '.html');
    else if (report.ended) ended();
  }

  const holder = root.parentElement;  // the window's place on the page

  // room: the page's width; at start the viewport's, which needs no layout
  // (a scroll bar, if any, is taken off by the resize observer's first call,
  // before anything is painted).
  function fit(room) {
    // A window wider than the page is scaled down to its width, never cut off.
    if (typeof room !== 'number') room = document.documentElement.clientWidth;
    const scale = Math.min(1, room / win.width);
    const transform = scale < 1 ? 'scale(' + scale + ')' : '';
    if (root.style.transform !== transform) root.style.transform = transform;
    const height = px(Math.ceil((win.height + 26) * scale));
    const width = px(Math.ceil(win.width * scale));
    if (holder.style.height !== height) holder.style.height = height;
    if (holder.style.width !== width) holder.style.width = width;
  }

  function frameOf(el) {
    const frame = el && el.closest ? el.closest('.frame.results') : null;
    if (!frame) return -1;
    return elements.indexOf(frame);
  }

  root.style.width = px(win.width);
  root.style.height = px(win.height + 26);  // the error line sits below the design
  root.setAttribute('aria-label', document.title);
  for (const c of win.controls) controls[c.n] = c;
  findCaptions();
  // Built apart from the page, then shown at once: one layout, not one per
  // control. Fitted to the viewport's width first (no layout needed); a
  // scroll bar or a new width of the browser fits it again.
  root.remove();
  fit(window.innerWidth);
  for (const c of win.controls) build(c);
  for (const c of win.controls) mirror(c);
  connectCaptions();
  holder.appendChild(root);
  new ResizeObserver(() => fit()).observe(document.documentElement);
  return { act, frameOf, ended };
}
