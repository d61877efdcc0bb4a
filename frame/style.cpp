#include "frame/style.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>
#include <optional>

namespace frame {

namespace {

QString KeyOf(QStyle::PrimitiveElement element, const QStyleOption& option, qreal ratio) {
  QString key = QStringLiteral("suite-%1-%2x%3-%4-%5")
                    .arg(element)
                    .arg(option.rect.width())
                    .arg(option.rect.height())
                    .arg(static_cast<uint>(option.state))
                    .arg(ratio);
  // The colours themselves: every widget with a palette of its own has a
  // cache key of its own, however alike the colours are.
  for (int role = 0; role < QPalette::NColorRoles; ++role)
    key += QLatin1Char('-') + QString::number(
        option.palette.color(static_cast<QPalette::ColorRole>(role)).rgba(), 16);
  if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option))
    key += QStringLiteral("-b%1").arg(static_cast<uint>(button->features));
  if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option))
    key += QStringLiteral("-f%1-%2-%3")
               .arg(frame->lineWidth)
               .arg(frame->midLineWidth)
               .arg(static_cast<uint>(frame->features));
  return key;
}

}  // namespace

SuiteStyle::SuiteStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

void SuiteStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  const bool cached = element == PE_PanelButtonCommand || element == PE_PanelLineEdit;
  const QRect rect = option ? option->rect : QRect();
  if (!cached || rect.isEmpty() || rect.width() > 1000 || rect.height() > 200) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // A copy of the option of its own type (options have no virtual
  // destructor), moved to the origin of the copy.
  std::optional<QStyleOptionButton> button;
  std::optional<QStyleOptionFrame> frame;
  QStyleOption* origin = nullptr;
  if (const auto* b = qstyleoption_cast<const QStyleOptionButton*>(option)) {
    origin = &button.emplace(*b);
  } else if (const auto* f = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
    origin = &frame.emplace(*f);
  } else {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  origin->rect.moveTo(0, 0);
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
  const QString key = KeyOf(element, *option, ratio);
  QPixmap pixmap;
  if (!QPixmapCache::find(key, &pixmap)) {
    pixmap = QPixmap(rect.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter into(&pixmap);
    into.setRenderHints(painter->renderHints());
    QProxyStyle::drawPrimitive(element, origin, &into, widget);
    into.end();
    QPixmapCache::insert(key, pixmap);
  }
  painter->drawPixmap(rect.topLeft(), pixmap);
}

}  // namespace frame
