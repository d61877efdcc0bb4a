// Browser tests on a phone and a tablet (touch, a mobile user agent), called
// by web/test/browser.mjs: for every page the layout chosen, every control
// large enough to touch, the Menu button reaching every panel, no serious
// accessibility fault (axe-core), a screenshot of each; and every golden
// case carried out through the one-column layout. Each profile runs in a
// browser context of its own, one tab reused page after page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

const agent = 'Mozilla/5.0 (Linux; Android 14; Mobile) AppleWebKit/537.36 (KHTML, like Gecko) ' +
              'Chrome/130.0.0.0 Mobile Safari/537.36';

// least: the smallest side of a control (CSS px); text: the least font size
// of a box or list, where the layout promises one.
export const profiles = [
  { name: 'phone', viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
    layout: 'phone', least: 44, text: 16 },
  { name: 'tablet', viewport: { width: 820, height: 1180, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
    layout: 'window', least: 24, text: 0 },
];

// A tab of the profile, its page's navigations left to the test.
export async function profilePage(browser, profile) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setUserAgent(agent);
  await page.setViewport(profile.viewport);
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(String(e)));
  page.context_ = context;
  return page;
}

export async function goTo(page, base, program, { follow = false } = {}) {
  await page.goto(base + (program === 'calculators' ? 'index.html' : program + '.html'), { waitUntil: 'load' });
  await page.evaluate(() => window.calculatorPage.ready);
  await page.evaluate(() => document.fonts.ready);
  // On the program's whole module (the fresh pages of the golden cases run
  // on the window's own).
  await page.evaluate(() => window.calculatorPage.whole());
  if (!follow) {
    await page.evaluate(() => {
      window.calculatorPage.navigate = (url) => { window.calculatorPage.requested = url; };
    });
  }
}

// In the page: the shown interactive elements (within selector) smaller
// than least on a side, or with box text under text px.
function tooSmall({ selector, least, text }) {
  const out = [];
  const targets = document.querySelectorAll(`${selector} :is(input:not([type="radio"]):not([type="checkbox"]), select, button, a[href], label.option, label.panel-check, [role="tab"])`);
  for (const el of targets) {
    const r = el.getBoundingClientRect();
    if (r.width === 0 || r.height === 0 || el.closest('[hidden]')) continue;
    const name = el.dataset.name || el.id || el.getAttribute('aria-label') || el.textContent.trim().slice(0, 20);
    if (r.width < least - 0.5 || r.height < least - 0.5)
      out.push(`${name} ${r.width.toFixed(1)}×${r.height.toFixed(1)}`);
    if (text && el.matches('input, select') && parseFloat(getComputedStyle(el).fontSize) < text)
      out.push(`${name} text ${getComputedStyle(el).fontSize}`);
  }
  return out;
}

// The serious and critical faults axe-core finds in the page.
async function axeFaults(page) {
  if (!(await page.evaluate(() => Boolean(window.axe)))) await page.addScriptTag({ content: axeSource });
  return page.evaluate(async () => {
    const result = await window.axe.run(document, { resultTypes: ['violations'] });
    return result.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `${v.id} (${v.impact}): ${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')}`);
  });
}

const menuItems = (page) => page.$$eval('.menu button', (all) => all.map((b) => b.firstChild.textContent));

async function chooseFromMenu(page, text) {
  await page.click('#menu-button');
  const items = await page.$$('.menu button');
  for (const item of items)
    if ((await item.evaluate((b) => b.firstChild.textContent)) === text) return item.click();
  throw new Error(`no "${text}" in the menu`);
}

// The Menu button opens each panel; a panel on a phone covers the screen,
// its controls as large as the window's.
async function panelsFromMenu(page, profile, program) {
  const items = await menuItems(page);  // the menu is open
  await page.keyboard.press('Escape');
  for (const want of ['Copy', 'Sweep and plot…', 'Help', 'About'])
    assert.ok(items.includes(want), `the menu offers no "${want}": ${items.join(', ')}`);
  const hasCharts = await page.evaluate(() => JSON.parse(window.calculatorPage.api.chartNames()).length > 0);
  assert.equal(items.includes('Charts…'), hasCharts, 'Charts… in the menu where the window has charts');
  const panels = [['Sweep and plot…', '.sweep-panel', 'sweep']];
  if (hasCharts) panels.push(['Charts…', '.chart-panel', 'charts']);
  for (const [item, selector, what] of panels) {
    await chooseFromMenu(page, item);
    await page.waitForFunction((w) => window.calculatorPage.plot?.[w]?.panel && !window.calculatorPage.plot[w].panel.hidden &&
                                      window.Plotly, { timeout: 20000 }, what);
    if (what === 'charts') await page.waitForFunction(() => document.querySelector('.chart-panel .panel-chart')?.data ||
                                                          !document.querySelector('.chart-panel .panel-message').hidden, { timeout: 20000 });
    const box = await page.$eval(selector, (p) => p.getBoundingClientRect().toJSON());
    if (profile.layout === 'phone') {
      assert.ok(box.left <= 0.5 && box.width >= profile.viewport.width - 1, `${item}: the panel is ${box.width} px wide at ${box.left}`);
      const chart = await page.$eval(`${selector} .panel-chart`, (c) => c.getBoundingClientRect().toJSON());
      if (chart.width > 0) assert.ok(chart.width >= profile.viewport.width - 40 && chart.height >= 300,
                                     `${item}: the chart is ${chart.width} × ${chart.height}`);
      const wide = await page.$eval(selector, (p) => p.scrollWidth <= p.clientWidth + 1);
      assert.ok(wide, `${item}: the panel scrolls sideways`);
    } else {
      assert.ok(box.right <= profile.viewport.width + 0.5, `${item}: the panel reaches ${box.right}`);
    }
    const small = await page.evaluate(tooSmall, { selector, least: profile.least, text: profile.text });
    assert.deepEqual(small, [], `${item}: controls too small`);
    await page.click(`${selector} .panel-close`);
  }
  await page.evaluate(() => { window.calculatorPage.requested = null; });
  await chooseFromMenu(page, 'Help');
  assert.equal(await page.evaluate(() => window.calculatorPage.requested), `help/${program}.html`);
  await chooseFromMenu(page, 'About');
  assert.ok(await page.evaluate(() => document.getElementById('about').open), 'About does not open');
  await page.click('#about button');
}

// Every page in both profiles: the checks above and a screenshot.
export async function deviceTests({ browser, base, check, shots, programs, runCasesOn }) {
  const started = Date.now();
  for (const profile of profiles) {
    const page = await profilePage(browser, profile);
    try {
      for (const program of programs) {
        await check(`${program} on a ${profile.name}`, async () => {
          await goTo(page, base, program);
          assert.equal(await page.evaluate(() => window.calculatorPage.layout), profile.layout);
          if (shots) {
            fs.mkdirSync(shots, { recursive: true });
            await page.screenshot({ path: path.join(shots, `${program}-${profile.name}.png`), fullPage: true });
          }
          const small = await page.evaluate(tooSmall, { selector: 'body > :is(header, #page)', least: profile.least, text: profile.text });
          assert.deepEqual(small, [], 'controls too small');
          if (profile.layout === 'phone') {
            const sideways = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
            assert.ok(sideways <= 0, `the page scrolls ${sideways} px sideways`);
            // Text of 16 px or more: no label reads smaller.
            const tiny = await page.evaluate(() => Array.from(document.querySelectorAll('#window .label'))
              .filter((l) => l.offsetParent !== null && l.textContent.trim() && parseFloat(getComputedStyle(l).fontSize) < 16)
              .map((l) => l.dataset.name));
            assert.deepEqual(tiny, [], 'labels under 16 px');
          }
          // Every box and list by a name of its own: repeated boxes by their rows.
          const names = await page.evaluate(() => Array.from(document.querySelectorAll('#window :is(input.box, select)'))
            .filter((e) => e.offsetParent !== null).map((e) => e.getAttribute('aria-label')));
          const twice = names.filter((n, i) => names.indexOf(n) !== i);
          assert.deepEqual(twice, [], 'boxes that share a name');
          const faults = await axeFaults(page);
          assert.deepEqual(faults, [], 'axe-core');
          await page.click('#menu-button');
          await panelsFromMenu(page, profile, program);
          assert.deepEqual(page.errors.splice(0), []);
        });
      }
      if (profile.layout === 'phone') {
        for (const program of programs.filter((p) => p !== 'calculators')) {
          await check(`help of ${program} on a phone: axe-core`, async () => {
            await page.goto(`${base}help/${program}.html`, { waitUntil: 'load' });
            await page.evaluate(() => window.helpPage.ready);
            assert.deepEqual(await axeFaults(page), [], 'axe-core');
            const sideways = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
            assert.ok(sideways <= 0, `the help scrolls ${sideways} px sideways`);
          });
        }
        // The golden cases through the one-column layout's elements.
        for (const program of programs) {
          await runCasesOn(program, async () => {
            await goTo(page, base, program);
            assert.equal(await page.evaluate(() => window.calculatorPage.layout), 'phone');
            return page;
          });
        }
      }
    } finally {
      await page.context_.close();
    }
  }
  console.log(`phone and tablet tests: ${((Date.now() - started) / 1000).toFixed(0)} s`);
}
