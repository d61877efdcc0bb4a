// "Sweep and plot…" in a window's context menu (and its shortcut): opens the
// plot window for it, loading the chart module on first use.
#pragma once

#include <QKeySequence>
#include <QString>

#include "frame/sweep.h"

class QAction;
class QWidget;

namespace frame {

inline const QKeySequence kSweepShortcut{Qt::CTRL | Qt::Key_L};

// Adds the action to view (whose context menu lists its actions); make
// builds the fresh windows a sweep copies form to.
QAction* AddSweepAction(QWidget& view, Form& form, FormFactory make);

// Where the plot window module lies, beside the programs' folder.
QString PlotModulePath();

}  // namespace frame
