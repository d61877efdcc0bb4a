// The suite's widget style: Fusion, as Qt draws it, with a focus mark on
// lists that can be seen.
#pragma once

#include <QColor>
#include <QProxyStyle>

namespace qt {

class SuiteStyle : public QProxyStyle {
 public:
  SuiteStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

  // The colour of a list's focus mark: at least 3:1 against the white of the
  // list, the window's grey around it and the blue of a chosen item.
  static QColor FocusMark();
};

}  // namespace qt
