// The plot window as a module the programs load on first use.
#include <QWidget>

#include "frame/plot_window.h"

extern "C" Q_DECL_EXPORT QWidget* calc_open_plot(frame::Form* form, const frame::FormFactory* make,
                                                 QWidget* parent) {
  auto* window = new frame::PlotWindow(*form, *make, parent);
  window->show();
  return window;
}
