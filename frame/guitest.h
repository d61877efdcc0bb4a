// Helpers for the GUI tests of every program.
#pragma once

#include <QDir>
#include <QImage>
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

// How many pixels of two drawings of one size differ. When any do, both
// are saved as NAME-ours.png and NAME-theirs.png in the temporary folder.
inline int PixelsApart(const QImage& ours, const QImage& theirs, const QString& name) {
  int differ = 0;
  for (int y = 0; y < ours.height(); ++y)
    for (int x = 0; x < ours.width(); ++x) differ += ours.pixel(x, y) != theirs.pixel(x, y);
  if (differ) {
    ours.save(QDir::temp().filePath(name + "-ours.png"));
    theirs.save(QDir::temp().filePath(name + "-theirs.png"));
  }
  return differ;
}

}  // namespace frame
