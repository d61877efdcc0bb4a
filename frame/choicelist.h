// A short list of choices, every row in sight: drawn and handled as the
// style's item views are (same frame, rows, selection and focus), without
// an item model, a scroll area and a delegate behind it. Those cost a
// window with eight small lists a tenth of its start-up. A list whose rows
// do not all fit its height is a QListWidget instead (it scrolls).
#pragma once

#include <QElapsedTimer>
#include <QFrame>
#include <QStringList>

class QStyleOptionViewItem;

namespace frame {

class ChoiceList : public QFrame {
  Q_OBJECT

 public:
  explicit ChoiceList(QStringList items, QWidget* parent = nullptr);

  // Whether every row, in the list's font, fits a list of this size without
  // scrolling either way.
  bool Fits(const QSize& size) const;

  int count() const { return static_cast<int>(items_.size()); }
  QString itemText(int row) const { return items_.value(row); }
  int currentRow() const { return current_; }
  // Selects a row (-1: none); emits currentRowChanged when it changes.
  void setCurrentRow(int row);
  // The area of a row, in this widget's coordinates.
  QRect rowRect(int row) const;
  int rowAt(const QPoint& point) const;

 signals:
  void currentRowChanged(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void InitOption(QStyleOptionViewItem& option) const;
  int RowHeight() const;
  void KeyboardSearch(const QString& text);

  QStringList items_;
  int current_ = -1;
  mutable int rowHeight_ = 0;  // 0: not yet measured in the current font
  QString search_;
  QElapsedTimer searchTimer_;
};

}  // namespace frame
