// Helpers for the GUI tests of every program.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdlib>

namespace frame {

// With CALC_SHOT_DIR set, saves what the widget shows as NAME.png there, so a
// person can look at the window as the test saw it.
inline void SaveShot(QWidget& widget, const QString& name) {
  if (const char* dir = std::getenv("CALC_SHOT_DIR"))
    widget.grab().save(QString(dir) + "/" + name + ".png");
}

}  // namespace frame
