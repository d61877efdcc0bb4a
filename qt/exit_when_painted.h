// For the start-up benchmark: when CALC_EXIT_WHEN_SHOWN is set, print the
// steady clock (CLOCK_MONOTONIC, in nanoseconds) and the window's size on
// standard error as soon as the window has been painted for the first time,
// and leave.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace qt {

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
      const QSize size = static_cast<QWidget*>(parent())->size();
      QTimer::singleShot(0, QCoreApplication::instance(), [size] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::fprintf(stderr, "painted %lld %dx%d\n",
                     static_cast<long long>(std::chrono::nanoseconds(now).count()),
                     size.width(), size.height());
        QCoreApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};

}  // namespace qt
