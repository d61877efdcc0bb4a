#include "frame/choicelist.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace frame {

namespace {

// Screen readers see a list whose value is the chosen row.
class ChoiceListAccessible : public QAccessibleWidget {
 public:
  explicit ChoiceListAccessible(ChoiceList* list) : QAccessibleWidget(list, QAccessible::List) {}

  QString text(QAccessible::Text t) const override {
    auto* list = static_cast<ChoiceList*>(widget());
    if (t == QAccessible::Value) return list->itemText(list->currentRow());
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* AccessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String("frame::ChoiceList") && object && object->isWidgetType())
    return new ChoiceListAccessible(static_cast<ChoiceList*>(object));
  return nullptr;
}

bool AllLatin1(const QStringList& items) {
  for (const QString& item : items)
    for (QChar c : item)
      if (c.unicode() > 0xff) return false;
  return true;
}

}  // namespace

ChoiceList::ChoiceList(QStringList items, QWidget* parent)
    : QFrame(parent), items_(std::move(items)) {
  static const bool registered = [] {
    QAccessible::installFactory(AccessibleFor);
    return true;
  }();
  (void)registered;
  // As an item view: a sunken panel that takes the focus by Tab, click and wheel.
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::WheelFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
}

void ChoiceList::InitOption(QStyleOptionViewItem& option) const {
  // What an item view hands its rows' painter.
  option.initFrom(this);
  option.state &= ~QStyle::State_MouseOver;
  option.font = font();
  if (!hasFocus()) option.state &= ~QStyle::State_Active;
  option.state &= ~QStyle::State_HasFocus;
  const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  option.decorationSize = QSize(icon, icon);
  option.decorationPosition = QStyleOptionViewItem::Left;
  option.decorationAlignment = Qt::AlignCenter;
  option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  option.textElideMode = Qt::ElideRight;
  option.rect = QRect();
  option.showDecorationSelected =
      style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, this);
  option.locale = locale();
  option.locale.setNumberOptions(QLocale::OmitGroupSeparator);
  option.widget = this;
  option.features |= QStyleOptionViewItem::HasDisplay;
}

int ChoiceList::RowHeight() const {
  if (rowHeight_ > 0) return rowHeight_;
  QStyleOptionViewItem option;
  InitOption(option);
  // Rows of Latin text in one font are alike in height; other scripts may
  // bring taller fallback fonts, so each row is measured then.
  const QStringList sample = items_.isEmpty() ? QStringList{QStringLiteral("X")}
                             : AllLatin1(items_) ? QStringList{items_.first()}
                                                 : items_;
  for (const QString& text : sample) {
    option.text = text;
    rowHeight_ = std::max(
        rowHeight_, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this)
                        .height());
  }
  return rowHeight_;
}

bool ChoiceList::Fits(const QSize& size) const {
  const int frame = frameWidth();
  const QSize inside = size - QSize(2 * frame, 2 * frame);
  if (count() * RowHeight() > inside.height()) return false;
  // A row wider than the list would scroll sideways. The margins are those
  // of an item's text, with room to spare.
  const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 4;
  const QFontMetrics metrics(font());
  for (const QString& item : items_)
    if (metrics.horizontalAdvance(item) + margin > inside.width()) return false;
  return true;
}

QRect ChoiceList::rowRect(int row) const {
  const QRect inside = contentsRect();
  return QRect(inside.left(), inside.top() + row * RowHeight(), inside.width(), RowHeight());
}

int ChoiceList::rowAt(const QPoint& point) const {
  const QRect inside = contentsRect();
  if (!inside.contains(point)) return -1;
  const int row = (point.y() - inside.top()) / RowHeight();
  return row < count() ? row : -1;
}

void ChoiceList::setCurrentRow(int row) {
  if (row < -1 || row >= count()) row = -1;
  if (row == current_) return;
  current_ = row;
  update();
  emit currentRowChanged(row);
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, itemText(row));
    QAccessible::updateAccessibility(&event);
  }
}

void ChoiceList::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inside = contentsRect();
  // The frame first, then the rows' ground over its inner half, as a view's
  // frame and its viewport are painted.
  drawFrame(&painter);
  painter.fillRect(inside, palette().brush(QPalette::Base));
  painter.setClipRect(inside);
  QStyleOptionViewItem option;
  InitOption(option);
  const QStyle::State state = option.state;
  const bool focus = hasFocus() && current_ >= 0;
  for (int row = 0; row < count(); ++row) {
    option.rect = rowRect(row);
    option.text = items_[row];
    option.state = state;
    if (row == current_) option.state |= QStyle::State_Selected;
    if (isEnabled()) option.palette.setCurrentColorGroup(QPalette::Normal);
    if (focus && row == current_) option.state |= QStyle::State_HasFocus;
    style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
  }
}

void ChoiceList::mousePressEvent(QMouseEvent* event) {
  // Any button picks the row under it, as in an item view.
  const int row = rowAt(event->position().toPoint());
  if (row >= 0) setCurrentRow(row);
  event->accept();
}

void ChoiceList::mouseMoveEvent(QMouseEvent* event) {
  // Dragging with the button held carries the choice along.
  if (!(event->buttons() & Qt::LeftButton)) return;
  const int row = rowAt(event->position().toPoint());
  if (row >= 0) setCurrentRow(row);
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
  const int last = count() - 1;
  if (last < 0) return QFrame::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Up:
      setCurrentRow(current_ < 0 ? 0 : std::max(0, current_ - 1));
      return;
    case Qt::Key_Down:
      setCurrentRow(current_ < 0 ? 0 : std::min(last, current_ + 1));
      return;
    case Qt::Key_Home:
    case Qt::Key_PageUp:  // every row is in sight: a page is the whole list
      setCurrentRow(0);
      return;
    case Qt::Key_End:
    case Qt::Key_PageDown:
      setCurrentRow(last);
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    KeyboardSearch(text);
    return;
  }
  QFrame::keyPressEvent(event);  // Enter, Escape and the rest go to the window
}

void ChoiceList::KeyboardSearch(const QString& text) {
  // Typing picks the next row that starts with what was typed; a pause
  // starts a new word.
  if (!searchTimer_.isValid() ||
      searchTimer_.elapsed() > QApplication::keyboardInputInterval())
    search_.clear();
  searchTimer_.start();
  const bool repeat = search_.size() == 1 && text.compare(search_, Qt::CaseInsensitive) == 0;
  if (!repeat) search_ += text;
  const int start = (search_.size() == 1 || repeat) ? current_ + 1 : std::max(current_, 0);
  for (int i = 0; i < count(); ++i) {
    const int row = (start + i) % count();
    if (items_[row].startsWith(search_, Qt::CaseInsensitive)) {
      setCurrentRow(row);
      return;
    }
  }
}

void ChoiceList::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update();
}

void ChoiceList::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

void ChoiceList::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    rowHeight_ = 0;
  QFrame::changeEvent(event);
}

}  // namespace frame
