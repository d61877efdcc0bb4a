#include "qt/style.h"
#include "qt/model.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace qt {

SuiteStyle::SuiteStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

QColor SuiteStyle::FocusMark() { return QColor(0x1c, 0x3f, 0x7a); }

namespace {

// A rectangle of solid lines `width` pixels wide just inside r.
void Outline(QPainter* painter, const QRect& r, int width, const QColor& color) {
  painter->fillRect(r.left(), r.top(), r.width(), width, color);
  painter->fillRect(r.left(), r.bottom() - width + 1, r.width(), width, color);
  painter->fillRect(r.left(), r.top(), width, r.height(), color);
  painter->fillRect(r.right() - width + 1, r.top(), width, r.height(), color);
}

}  // namespace

void SuiteStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  // Fusion marks a focused list only by a faint, half-transparent outline of
  // its current item (and that only after a key moved the focus): a list
  // with the focus gets a solid frame of two pixels.
  const auto* view = qobject_cast<const QAbstractItemView*>(widget);
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (view && element == PE_Frame && view->hasFocus()) Outline(painter, option->rect, 2, FocusMark());
}

}  // namespace qt
