// The light list looks and answers like the item view it stands in for.
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

#include "frame/guitest.h"
#include "frame/choicelist.h"
#include "frame/view.h"

namespace {

const QStringList kEngines{"Turbofan", "Turbojet", "Turboprop", "Ramjet"};

struct Pair {
  QWidget window;
  frame::ChoiceList* choices;
  QListWidget* list;

  Pair(const QStringList& items, QSize size) {
    window.setFont(frame::FontFor(frame::Look::Text, 10));
    window.resize(2 * size.width() + 30, size.height() + 20);
    choices = new frame::ChoiceList(items, &window);
    choices->setGeometry(10, 10, size.width(), size.height());
    list = new QListWidget(&window);
    list->addItems(items);
    list->setGeometry(20 + size.width(), 10, size.width(), size.height());
  }
};

QImage Shot(QWidget* widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class ChoiceListGui : public QObject {
  Q_OBJECT

 private slots:
  void drawnAsTheItemView_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("none chosen") << kEngines << QSize(96, 68) << -1 << false << true;
    QTest::newRow("first chosen") << kEngines << QSize(96, 68) << 0 << false << true;
    QTest::newRow("last chosen, focused") << kEngines << QSize(96, 68) << 3 << true << true;
    QTest::newRow("two rows, room below") << QStringList{"y", "n"} << QSize(76, 38) << 1 << true
                                          << true;
    QTest::newRow("disabled") << kEngines << QSize(96, 68) << 2 << false << false;
  }

  void drawnAsTheItemView() {
    QFETCH(QStringList, items);
    QFETCH(QSize, size);
    QFETCH(int, row);
    QFETCH(bool, focused);
    QFETCH(bool, enabled);
    Pair pair(items, size);
    QVERIFY(pair.choices->Fits(size));
    pair.choices->setCurrentRow(row);
    pair.list->setCurrentRow(row);
    pair.choices->setEnabled(enabled);
    pair.list->setEnabled(enabled);
    pair.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
    pair.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&pair.window));
    // Activation hands the focus to the first of them; settle it for each.
    if (focused) pair.choices->setFocus();
    else pair.choices->clearFocus();
    const QImage ours = Shot(pair.choices);
    if (focused) pair.list->setFocus();
    else pair.list->clearFocus();
    const QImage theirs = Shot(pair.list);
    QCOMPARE(ours.size(), theirs.size());
    QCOMPARE(frame::PixelsApart(ours, theirs, "choicelist"), 0);
  }

  void rowsThatDoNotFitAreRefused_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fits");
    QTest::newRow("all rows in sight") << kEngines << QSize(96, 68) << true;
    QTest::newRow("one row too many") << kEngines << QSize(96, 50) << false;
    QTest::newRow("a row too wide") << QStringList{"Mixed+Exhausted, fully"} << QSize(60, 40)
                                    << false;
    QTest::newRow("empty") << QStringList{} << QSize(50, 20) << true;
  }

  void rowsThatDoNotFitAreRefused() {
    QFETCH(QStringList, items);
    QFETCH(QSize, size);
    QFETCH(bool, fits);
    Pair pair(items, size);
    QCOMPARE(pair.choices->Fits(size), fits);
  }

  void mouseAndKeysChoose() {
    Pair pair(kEngines, QSize(96, 68));
    pair.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
    frame::ChoiceList* choices = pair.choices;
    QSignalSpy changed(choices, &frame::ChoiceList::currentRowChanged);
    QTest::mouseClick(choices, Qt::LeftButton, {}, choices->rowRect(2).center());
    QCOMPARE(choices->currentRow(), 2);
    QTest::mouseClick(choices, Qt::LeftButton, {}, QPoint(40, 66));  // below the rows
    QCOMPARE(choices->currentRow(), 2);
    choices->setFocus();
    struct Step {
      int key;
      int row;
    };
    for (Step step : {Step{Qt::Key_Up, 1}, Step{Qt::Key_Up, 0}, Step{Qt::Key_Up, 0},
                      Step{Qt::Key_End, 3}, Step{Qt::Key_Down, 3}, Step{Qt::Key_Home, 0},
                      Step{Qt::Key_Down, 1}, Step{Qt::Key_PageDown, 3}}) {
      QTest::keyClick(choices, static_cast<Qt::Key>(step.key));
      QCOMPARE(choices->currentRow(), step.row);
    }
    QTest::keyClicks(choices, "turbop");
    QCOMPARE(choices->currentRow(), 2);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClick(choices, Qt::Key_R);
    QCOMPARE(choices->currentRow(), 3);
    // Every change was told once; one that changes nothing is not told.
    const qsizetype told = changed.size();
    choices->setCurrentRow(3);
    QCOMPARE(changed.size(), told);
    QCOMPARE(changed.last().at(0).toInt(), 3);
  }
};

QTEST_MAIN(ChoiceListGui)
#include "choicelist_gui_test.moc"
