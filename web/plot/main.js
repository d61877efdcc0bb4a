// The plot and chart panels as the page knows them (window.calculatorPage.plot),
// and the hook that makes them follow the window after each action.
import { chartNames, chartPictures, charts, drawChart, openCharts, shownChartPicture, showChart } from './chart-panel.js';
import { cancel, configure, gapLines, openSweep, refreshChoices, start, sweep, tableText } from './sweep-panel.js';
import { style } from './bindings.js';

const page = window.calculatorPage;

export const plot = {
  sweep, charts, style, openSweep, configure, start, cancel, tableText, gapLines, chartNames, openCharts,
  showChart, chartPictures, shownChartPicture,
};

function follow() {
  if (sweep.panel && !sweep.panel.hidden && !sweep.running) refreshChoices();
  if (charts.panel && !charts.panel.hidden && charts.current) drawChart();
}

page.plot = plot;
page.changedHooks = page.changedHooks || [];
page.changedHooks.push(follow);
