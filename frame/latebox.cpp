#include "frame/latebox.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QTextLayout>

namespace frame {

namespace {

// Until it is handed over, a screen reader reads it as the box it shows.
class LateBoxAccessible : public QAccessibleWidget {
 public:
  explicit LateBoxAccessible(LateBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return static_cast<LateBox*>(widget())->text();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !static_cast<LateBox*>(widget())->isReadOnly();
    s.readOnly = !s.editable;
    return s;
  }
};

QAccessibleInterface* AccessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String("frame::LateBox") && object && object->isWidgetType())
    return new LateBoxAccessible(static_cast<LateBox*>(object));
  return nullptr;
}

// QLineEdit's own margins around its line of text.
constexpr int kHorizontalMargin = 2;

}  // namespace

LateBox::LateBox(QString text, bool readOnly, std::function<QLineEdit*()> make, QWidget* parent)
    : QWidget(parent), text_(std::move(text)), readOnly_(readOnly), make_(std::move(make)) {
  static const bool registered = [] {
    QAccessible::installFactory(AccessibleFor);
    return true;
  }();
  (void)registered;
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  setCursor(Qt::IBeamCursor);
  setAttribute(Qt::WA_InputMethodEnabled);
}

void LateBox::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

QLineEdit* LateBox::Promote() {
  if (real_) return real_;
  real_ = make_();
  // The focus moves over before this one hides, or hiding would pass it on
  // along the chain.
  if (hasFocus()) real_->setFocus(focusReason_);
  hide();
  deleteLater();
  return real_;
}

void LateBox::InitOption(QStyleOptionFrame& option) const {
  // As QLineEdit describes its panel.
  option.initFrom(this);
  option.rect = contentsRect();
  option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  if (readOnly_) option.state |= QStyle::State_ReadOnly;
  option.features = QStyleOptionFrame::None;
}

void LateBox::paintEvent(QPaintEvent*) {
  // QLineEdit's drawing of a box without focus, selection or placeholder,
  // its cursor at the end of its text, aligned left and centred.
  QPainter painter(this);
  QStyleOptionFrame panel;
  InitOption(panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
  const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
  painter.setClipRect(r);
  const QFontMetrics metrics = fontMetrics();
  const int height = std::max(metrics.boundingRect(text_).height(), metrics.height());
  const int top = r.y() + (r.height() - height + 1) / 2;
  const QRect lineRect(r.x() + kHorizontalMargin, top, r.width() - 2 * kHorizontalMargin, height);

  QTextLayout layout(text_, font());
  QTextOption textOption = layout.textOption();
  textOption.setTextDirection(layoutDirection());
  textOption.setFlags(QTextOption::IncludeTrailingSpaces);
  layout.setTextOption(textOption);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();

  // A text wider than the box shows its end, where the cursor stands.
  const int cursorX = qRound(line.cursorToX(text_.size()));
  const int widthUsed = qRound(line.naturalTextWidth()) + 1;
  const int scroll = widthUsed <= lineRect.width() ? 0 : cursorX - lineRect.width() + 1;
  const QPoint topLeft =
      lineRect.topLeft() - QPoint(scroll, qRound(line.ascent()) - metrics.ascent());
  painter.setPen(palette().text().color());
  layout.draw(&painter, topLeft, {}, r);
}

void LateBox::focusInEvent(QFocusEvent* event) {
  // A press gives the focus first; the press itself follows (mousePressEvent).
  focusReason_ = event->reason();
  Promote()->setFocus(focusReason_);
}

void LateBox::Forward(QMouseEvent* event) {
  // The real box lies exactly here: the same positions hold for it.
  QMouseEvent copy(event->type(), event->position(), event->scenePosition(),
                   event->globalPosition(), event->button(), event->buttons(), event->modifiers(),
                   event->pointingDevice());
  QCoreApplication::sendEvent(Promote(), &copy);
  event->setAccepted(copy.isAccepted());
}

void LateBox::mousePressEvent(QMouseEvent* event) { Forward(event); }

void LateBox::mouseDoubleClickEvent(QMouseEvent* event) { Forward(event); }

void LateBox::contextMenuEvent(QContextMenuEvent* event) {
  QContextMenuEvent copy(event->reason(), event->pos(), event->globalPos(), event->modifiers());
  QCoreApplication::sendEvent(Promote(), &copy);
}

void LateBox::dragEnterEvent(QDragEnterEvent* event) {
  // The drag moves on to the real box, which is under it from now on.
  Promote();
  event->ignore();
}

}  // namespace frame
