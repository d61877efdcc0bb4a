// Keys a window of its own (help, sweep, charts) answers as a dialog does.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QWidget>

namespace qt {

// Escape closes the window, wherever its focus is.
inline void CloseOnEscape(QWidget& window) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
}

// Enter in box presses button (when it can be pressed).
inline void EnterPresses(QLineEdit& box, QAbstractButton& button) {
  QObject::connect(&box, &QLineEdit::returnPressed, &button, [&button] {
    if (button.isEnabled() && button.isVisible()) button.click();
  });
}

}  // namespace qt
