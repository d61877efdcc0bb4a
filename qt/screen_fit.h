// Windows that never reach past the screen: a top-level window is sized to
// the screen's available area (the desktop's panels left free, the title bar
// counted) and kept inside it. What does not fit the window scrolls.
#pragma once

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <utility>

namespace qt {

// The frame a window manager puts around a window, until it tells its own:
// a title bar and thin borders.
inline QMargins FrameOf(const QWidget& window) {
  if (window.isVisible() && window.windowHandle()) {
    const QMargins frame = window.windowHandle()->frameMargins();
    if (!frame.isNull()) return frame;
  }
  return QMargins(4, 32, 4, 4);
}

inline QRect AvailableArea(const QWidget& window) {
  QScreen* screen = window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
}

// The largest size of the window's own area (without its frame) on its screen.
inline QSize RoomFor(const QWidget& window) {
  return AvailableArea(window).marginsRemoved(FrameOf(window)).size();
}

// Moves the window, frame and all, inside the available area.
inline void KeepOnScreen(QWidget& window) {
  const QRect area = AvailableArea(window);
  const QMargins frame = FrameOf(window);
  QRect outer = window.geometry().marginsAdded(frame);
  if (outer.right() > area.right()) outer.moveRight(area.right());
  if (outer.bottom() > area.bottom()) outer.moveBottom(area.bottom());
  if (outer.left() < area.left()) outer.moveLeft(area.left());
  if (outer.top() < area.top()) outer.moveTop(area.top());
  // A window's position (move, pos) is that of its frame.
  if (outer.topLeft() != window.geometry().topLeft() - QPoint(frame.left(), frame.top()))
    window.move(outer.topLeft());
}

// Runs fit before the window is first shown, again once it is on screen
// (when the window manager has told the frame it drew) and whenever the
// screen's available area changes.
class ScreenFitter : public QObject {
 public:
  ScreenFitter(QWidget& window, std::function<void()> fit)
      : QObject(&window), window_(window), fit_(std::move(fit)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      if (!connected_ && window_.screen()) {
        connected_ = true;
        connect(window_.screen(), &QScreen::availableGeometryChanged, this, [this] { fit_(); });
      }
      fit_();
      QTimer::singleShot(0, this, [this] { fit_(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
  std::function<void()> fit_;
  bool connected_ = false;
};

// A window laid out by its layout (help, sweep, charts): no larger than the
// room, and inside the available area.
inline void FitToScreen(QWidget& window) {
  const QSize room = RoomFor(window);
  if (window.width() > room.width() || window.height() > room.height())
    window.resize(window.size().boundedTo(room));
  if (window.isVisible()) KeepOnScreen(window);
}

inline void KeepFitted(QWidget& window) {
  FitToScreen(window);
  new ScreenFitter(window, [&window] { FitToScreen(window); });
}

}  // namespace qt
