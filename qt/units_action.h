// The unit system of a window: "US customary" or "SI" in its context menu.
// The last choice is kept for the user (QSettings) and every program of the
// suite starts in it.
#pragma once

#include <QString>

#include "core/units.h"
#include "qt/model.h"

class QActionGroup;
class QWidget;

namespace qt {

// The system a window opens in: the one asked for on the command line
// (`--units si`), else the user's last choice, else US customary.
core::UnitSystem StartingUnits(const QString& asked);
// Keeps the user's choice for the next start of any program.
void RememberUnits(core::UnitSystem system);

class View;

// Adds the two choices to view's context menu and, in a window with a
// quantity to show, to a choice on its status line; choosing one shows the
// window in it (nothing is recomputed) and remembers it.
QActionGroup* AddUnitsActions(View& view, Form& form);
// Whether the window has a box of a quantity (a window of ratios has none).
bool HasQuantities(const Form& form);

}  // namespace qt
