// A box drawn before its editor exists looks like the editor, and whatever
// reaches for it gets the real box, in its place and with its text.
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "frame/guitest.h"
#include "frame/latebox.h"
#include "frame/view.h"

namespace {

struct Pair {
  QWidget window;
  frame::LateBox* late;
  QLineEdit* edit;
  int made = 0;

  Pair(const QString& text, bool readOnly, QSize size) {
    window.setFont(frame::FontFor(frame::Look::Text, 10));
    window.resize(2 * size.width() + 30, size.height() + 20);
    // The window hands its focus to its first taker: this one, not the box.
    auto* sink = new QWidget(&window);
    sink->setGeometry(0, 0, 1, 1);
    sink->setFocusPolicy(Qt::StrongFocus);
    sink->setFocus();
    edit = new QLineEdit(&window);
    edit->setReadOnly(readOnly);
    edit->setText(text);
    edit->setGeometry(20 + size.width(), 10, size.width(), size.height());
    edit->setFocusPolicy(Qt::NoFocus);  // the window's focus must not go there
    late = new frame::LateBox(text, readOnly, [this] { return Make(); }, &window);
    late->setGeometry(10, 10, size.width(), size.height());
  }

  QLineEdit* Make() {
    ++made;
    auto* real = new QLineEdit(&window);
    real->setText(late->text());
    real->setGeometry(late->geometry());
    real->show();
    return real;
  }
};

QImage Shot(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class LateBoxGui : public QObject {
  Q_OBJECT

 private slots:
  void drawnAsTheEditor_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QSize>("size");
    QTest::newRow("number") << "0.08" << false << true << QSize(86, 22);
    QTest::newRow("empty") << "" << false << true << QSize(86, 22);
    QTest::newRow("result") << "11,902" << true << true << QSize(100, 24);
    QTest::newRow("greek and signs") << "γ = 1.4, ρ/ρt" << false << true << QSize(120, 22);
    QTest::newRow("wider than the box") << "1.234567890123456789E+25" << true << true
                                        << QSize(60, 22);
    QTest::newRow("trailing spaces") << "12   " << false << true << QSize(86, 22);
    QTest::newRow("disabled") << "15" << false << false << QSize(86, 22);
    QTest::newRow("tall box") << "2500" << false << true << QSize(86, 40);
  }

  void drawnAsTheEditor() {
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    QFETCH(bool, enabled);
    QFETCH(QSize, size);
    Pair pair(text, readOnly, size);
    pair.late->setEnabled(enabled);
    pair.edit->setEnabled(enabled);
    pair.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
    const QImage ours = Shot(pair.late);
    const QImage theirs = Shot(pair.edit);
    QCOMPARE(pair.made, 0);  // drawing does not make the editor
    QCOMPARE(ours.size(), theirs.size());
    QCOMPARE(frame::PixelsApart(ours, theirs, "latebox"), 0);
  }

  void textChangesAreDrawn() {
    Pair pair("1", false, QSize(86, 22));
    pair.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
    pair.late->setText("0.9876");
    pair.edit->setText("0.9876");
    QCOMPARE(Shot(pair.late), Shot(pair.edit));
  }

  // Each way of reaching for the box makes the editor once, and the editor
  // gets what was meant for the box.
  void handedOverWhenReachedFor() {
    {  // a click: the real box has the focus and its cursor where clicked
      Pair pair("12345", false, QSize(86, 22));
      pair.window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
      QPointer<frame::LateBox> late = pair.late;
      QTest::mouseClick(pair.late, Qt::LeftButton, {}, QPoint(6, 11));
      QCOMPARE(pair.made, 1);
      QLineEdit* real = pair.late->Promote();
      QCOMPARE(pair.made, 1);
      QVERIFY(real->hasFocus());
      QCOMPARE(real->cursorPosition(), 0);
      QVERIFY(!pair.late->isVisible());
      QTRY_VERIFY(late.isNull());  // gone once the click is over
    }
    {  // the focus by Tab: the real box takes it, selecting all as it does
      Pair pair("7", false, QSize(86, 22));
      pair.window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
      pair.window.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&pair.window));
      pair.late->setFocus(Qt::TabFocusReason);
      QCOMPARE(pair.made, 1);
      QLineEdit* real = pair.late->Promote();
      QVERIFY(real->hasFocus());
      QCOMPARE(real->selectedText(), QString("7"));
      QTest::keyClicks(real, "5");
      QCOMPARE(real->text(), QString("5"));
    }
    {  // a text set before the hand-over is the real box's text
      Pair pair("1", true, QSize(86, 22));
      pair.late->setText("2.5");
      QCOMPARE(pair.late->Promote()->text(), QString("2.5"));
      QCOMPARE(pair.made, 1);
    }
  }
};

QTEST_MAIN(LateBoxGui)
#include "latebox_gui_test.moc"
