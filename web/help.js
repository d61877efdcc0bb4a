// The help page of a program: the program's help, built with its worked
// example taken from the program's own script case, rendered from Markdown
// with markdown-it (HTML allowed: the equations use <sub> and <sup>). An
// ES module: it runs once the page is read, after markdown-it.

const page = {};  // what the browser tests look at
window.helpPage = page;
const program = document.body.dataset.program;
const main = document.getElementById('help');
const back = document.getElementById('back-link');

// Back to the program: where the page came from its program, the
// browser's own Back, which brings the window back as it was left.
function goBack(event) {
  const from = document.referrer ? new URL(document.referrer, location.href) : null;
  if (from && from.pathname === new URL(back.href).pathname && history.length > 1) {
    if (event) event.preventDefault();
    history.back();
  } else if (!event) {
    location.assign(back.href);
  }
}
back.addEventListener('click', goBack);
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && !document.querySelector('dialog[open]')) goBack(null);
});

function render(markdown) {
  const md = window.markdownit({ html: true, linkify: false, typographer: false });
  const holder = document.createElement('div');
  holder.innerHTML = md.render(markdown);
  // Wide tables scroll on their own on a narrow screen, not the page.
  for (const table of holder.querySelectorAll('table')) {
    const wrap = document.createElement('div');
    wrap.className = 'table';
    // Reached by the keyboard too, to scroll it.
    wrap.tabIndex = 0;
    wrap.setAttribute('role', 'region');
    const head = table.querySelector('th');
    wrap.setAttribute('aria-label', 'Table' + (head ? ': ' + head.textContent.trim() : ''));
    table.replaceWith(wrap);
    wrap.appendChild(table);
  }
  main.replaceChildren(...holder.childNodes);
  const title = main.querySelector('h1');
  if (title) document.title = 'Help: ' + title.textContent.trim();
}

// The site's service worker (web/view.mjs registers it too), for a help
// opened first.
if ('serviceWorker' in navigator && window.isSecureContext)
  navigator.serviceWorker.register('../sw.js').catch(() => {});

page.ready = fetch(program + '.md')
  .then((response) => {
    if (!response.ok) throw new Error(program + '.md: ' + response.status);
    return response.text();
  })
  .then((markdown) => {
    page.markdown = markdown;
    render(markdown);
    page.shown = true;
  })
  .catch((error) => {
    page.error = String(error);
    main.textContent = 'The help could not be shown: ' + error;
    throw error;
  });
