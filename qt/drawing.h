// What the plot and chart windows draw alike: colours, dashes and number
// axes from the core's plot description.
#pragma once

#include <QColor>
#include <QLogValueAxis>
#include <QString>
#include <QValueAxis>
#include <string>

#include "core/plot.h"

namespace qt {

inline QColor Colour(const std::string& hex) { return QColor(QString::fromStdString(hex)); }

inline Qt::PenStyle PenStyle(core::Dash dash) {
  switch (dash) {
    case core::Dash::Solid: return Qt::SolidLine;
    case core::Dash::Dash: return Qt::DashLine;
    case core::Dash::Dot: return Qt::DotLine;
    case core::Dash::DashDot: return Qt::DashDotLine;
  }
  return Qt::SolidLine;
}

// A number axis, linear or in decades, its labels as %g.
inline QAbstractAxis* NumberAxis(bool log) {
  if (log) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    axis->setLabelFormat("%g");
    axis->setMinorTickCount(-1);
    return axis;
  }
  auto* axis = new QValueAxis;
  axis->setLabelFormat("%g");
  return axis;
}

}  // namespace qt
