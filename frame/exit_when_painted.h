// For the start-up benchmark: leave as soon as a window has been painted
// for the first time, when CALC_EXIT_WHEN_SHOWN is set.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace frame {

class ExitWhenPainted : public QObject {
 public:
  explicit ExitWhenPainted(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

  static void InstallIfAsked(QWidget& window) {
    if (std::getenv("CALC_EXIT_WHEN_SHOWN")) new ExitWhenPainted(window);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The children paint in the same pass as the window: once that pass is
    // over, everything the user sees is on screen.
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};

}  // namespace frame
