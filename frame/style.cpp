#include "frame/style.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

namespace frame {

namespace {

// A copy of the option of the right type, moved to the origin.
std::unique_ptr<QStyleOption> AtOrigin(QStyle::PrimitiveElement element, const QStyleOption& option) {
  std::unique_ptr<QStyleOption> copy;
  if (element == QStyle::PE_PanelButtonCommand) {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option);
    if (!button) return nullptr;
    copy = std::make_unique<QStyleOptionButton>(*button);
  } else {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    if (!frame) return nullptr;
    copy = std::make_unique<QStyleOptionFrame>(*frame);
  }
  copy->rect.moveTo(0, 0);
  return copy;
}

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
  std::unique_ptr<QStyleOption> origin = AtOrigin(element, *option);
  if (!origin) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
  const QString key = KeyOf(element, *option, ratio);
  QPixmap pixmap;
  if (!QPixmapCache::find(key, &pixmap)) {
    pixmap = QPixmap(rect.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter into(&pixmap);
    into.setRenderHints(painter->renderHints());
    QProxyStyle::drawPrimitive(element, origin.get(), &into, widget);
    into.end();
    QPixmapCache::insert(key, pixmap);
  }
  painter->drawPixmap(rect.topLeft(), pixmap);
}

}  // namespace frame
