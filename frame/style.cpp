#include "frame/style.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>
#include <optional>

namespace frame {

namespace {

// Everything the drawing depends on, packed as raw 16-bit units (no number
// formatting: this runs for every box and button painted).
QString KeyOf(QStyle::PrimitiveElement element, const QStyleOption& option, qreal ratio) {
  QString key;
  key.reserve(8 + 2 * QPalette::NColorRoles + 6);
  auto put = [&key](quint32 value) {
    key += QChar(static_cast<char16_t>(value & 0xffff));
    key += QChar(static_cast<char16_t>(value >> 16));
  };
  key += QStringLiteral("suite");
  put(static_cast<quint32>(element));
  put(static_cast<quint32>(option.rect.width()));
  put(static_cast<quint32>(option.rect.height()));
  put(static_cast<quint32>(option.state));
  put(static_cast<quint32>(qRound(ratio * 1000)));
  // The colours themselves: every widget with a palette of its own has a
  // cache key of its own, however alike the colours are.
  for (int role = 0; role < QPalette::NColorRoles; ++role)
    put(option.palette.color(static_cast<QPalette::ColorRole>(role)).rgba());
  if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option)) {
    key += QLatin1Char('b');
    put(static_cast<quint32>(button->features));
  }
  if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option)) {
    key += QLatin1Char('f');
    put(static_cast<quint32>(frame->lineWidth));
    put(static_cast<quint32>(frame->midLineWidth));
    put(static_cast<quint32>(frame->features));
  }
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
