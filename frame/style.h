// The suite's widget style: Fusion, with the panels it strokes as
// antialiased rounded rectangles (push buttons, line edits) drawn once per
// size and state and then copied, as a window holds dozens of alike ones.
#pragma once

#include <QProxyStyle>

namespace frame {

class SuiteStyle : public QProxyStyle {
 public:
  SuiteStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace frame
