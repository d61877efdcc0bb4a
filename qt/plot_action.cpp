#include "qt/plot_action.h"
#include "qt/model.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace qt {

namespace {

using OpenPlot = QWidget* (*)(Form*, const FormFactory*, QWidget*);
using OpenCharts = QWidget* (*)(Form*, QWidget*);

// Loaded once and kept for the life of the program.
QLibrary& Module() {
  static QLibrary module(PlotModulePath());
  return module;
}

}  // namespace

QString PlotModulePath() {
  // A build folder keeps it in lib/ beside bin/; installed, the programs
  // stand in libexec/flow-calculators/ and it in lib/flow-calculators/.
  const QString dir = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {dir + "/../lib/flow-calculators/libcalc_plot.so",
                                   dir + "/../../lib/flow-calculators/libcalc_plot.so"})
    if (QFileInfo::exists(candidate)) return candidate;
  return dir + "/../lib/flow-calculators/libcalc_plot.so";
}

QAction* AddSweepAction(QWidget& view, Form& form, FormFactory make) {
  auto* action = new QAction("Sweep and plot…", &view);
  action->setObjectName("sweepAndPlot");
  action->setShortcut(kSweepShortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  view.addAction(action);
  auto open = std::make_shared<QPointer<QWidget>>();
  QObject::connect(action, &QAction::triggered, &view, [&view, &form, make = std::move(make), open] {
    if (*open) {
      QMetaObject::invokeMethod(open->data(), "RefreshChoices");
      (*open)->show();
      (*open)->raise();
      (*open)->activateWindow();
      return;
    }
    auto entry = reinterpret_cast<OpenPlot>(Module().resolve("calc_open_plot"));
    if (!entry) {
      QMessageBox::warning(&view, "Sweep and plot",
                           "The plot window cannot be loaded: " + Module().errorString());
      return;
    }
    *open = entry(&form, &make, &view);
  });
  return action;
}

QAction* AddChartAction(QWidget& view, Form& form) {
  if (form.ChartNames().empty()) return nullptr;
  auto* action = new QAction("Charts…", &view);
  action->setObjectName("charts");
  action->setShortcut(kChartsShortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  view.addAction(action);
  if (view.contextMenuPolicy() == Qt::DefaultContextMenu) view.setContextMenuPolicy(Qt::ActionsContextMenu);
  auto open = std::make_shared<QPointer<QWidget>>();
  QObject::connect(action, &QAction::triggered, &view, [&view, &form, open] {
    if (*open) {
      (*open)->show();
      (*open)->raise();
      (*open)->activateWindow();
      return;
    }
    auto entry = reinterpret_cast<OpenCharts>(Module().resolve("calc_open_charts"));
    if (!entry) {
      QMessageBox::warning(&view, "Charts", "The chart window cannot be loaded: " + Module().errorString());
      return;
    }
    *open = entry(&form, &view);
  });
  return action;
}

}  // namespace qt
