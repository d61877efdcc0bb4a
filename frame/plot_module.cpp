// The plot and chart windows as a module the programs load on first use.
#include <QWidget>

#include "frame/chart_window.h"
#include "frame/plot_window.h"

extern "C" Q_DECL_EXPORT QWidget* calc_open_plot(frame::Form* form, const frame::FormFactory* make,
                                                 QWidget* parent) {
  auto* window = new frame::PlotWindow(*form, *make, parent);
  window->show();
  return window;
}

extern "C" Q_DECL_EXPORT QWidget* calc_open_charts(frame::Form* form, QWidget* parent) {
  auto* window = new frame::ChartWindow(*form, parent);
  window->show();
  return window;
}
