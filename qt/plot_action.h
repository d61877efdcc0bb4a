// "Sweep and plot…" in a window's context menu (and its shortcut): opens the
// plot window for it, loading the chart module on first use.
#pragma once

#include <QKeySequence>
#include <QString>

#include "core/sweep.h"
#include "qt/model.h"

class QAction;
class QWidget;

namespace qt {

inline const QKeySequence kSweepShortcut{Qt::CTRL | Qt::Key_L};

// Adds the action to view (whose context menu lists its actions); make
// builds the fresh windows a sweep copies form to.
QAction* AddSweepAction(QWidget& view, Form& form, FormFactory make);

// "Charts…" (and its shortcut): the window's charts, one tab each, drawn
// again after every action. Added only when the window has charts (nullptr
// otherwise).
// (Where keys are as in Emacs, a box would delete to its end on Ctrl+K; the
// window's shortcut comes first, as a box claims no such key for itself.)
inline const QKeySequence kChartsShortcut{Qt::CTRL | Qt::Key_K};
QAction* AddChartAction(QWidget& view, Form& form);

// Where the plot window module lies, beside the programs' folder.
QString PlotModulePath();

}  // namespace qt
