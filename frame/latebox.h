// A text box as first shown: it draws what a QLineEdit with its text draws,
// and the moment anyone reaches for it (focus, a press, a context menu, a
// drag, a screen reader's focus) it hands itself over to a real QLineEdit
// made in its place. A QLineEdit costs some 120,000 instructions to make
// and fill, which in windows of fifty boxes is a tenth of the start-up.
#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QStyleOptionFrame;

namespace frame {

class LateBox : public QWidget {
  Q_OBJECT

 public:
  // make builds the real box, in this one's place; it is called once.
  LateBox(QString text, bool readOnly, std::function<QLineEdit*()> make, QWidget* parent);

  QString text() const { return text_; }
  void setText(const QString& text);
  bool isReadOnly() const { return readOnly_; }
  // The real box, made now if it was not yet.
  QLineEdit* Promote();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;

 private:
  void InitOption(QStyleOptionFrame& option) const;
  void Forward(QMouseEvent* event);

  QString text_;
  bool readOnly_;
  std::function<QLineEdit*()> make_;
  QLineEdit* real_ = nullptr;
  Qt::FocusReason focusReason_ = Qt::OtherFocusReason;
};

}  // namespace frame
