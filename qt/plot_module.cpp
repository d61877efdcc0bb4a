// The plot and chart windows as a module the programs load on first use.
#include <QWidget>

#include "qt/chart_window.h"
#include "qt/plot_window.h"
#include "qt/screen_fit.h"

extern "C" Q_DECL_EXPORT QWidget* calc_open_plot(core::Form* form, const core::FormFactory* make,
                                                 QWidget* parent) {
  auto* window = new qt::PlotWindow(*form, *make, parent);
  qt::KeepFitted(*window);
  window->show();
  return window;
}

extern "C" Q_DECL_EXPORT QWidget* calc_open_charts(core::Form* form, QWidget* parent) {
  auto* window = new qt::ChartWindow(*form, parent);
  qt::KeepFitted(*window);
  window->show();
  return window;
}
