// The Qt binding of the flame temperature window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "qt/guitest.h"
#include "qt/view.h"
#include "kerosene/kerosene_window.h"

class KeroseneGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndComputes() {
    kerosene::Kerosene form;
    qt::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Kerosene - Adiabatic Flame Temperature by QMX 03.05.2005            "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* ts = qobject_cast<QLineEdit*>(view.widget("txts"));
    QVERIFY(ts);
    QCOMPARE(ts->text(), QString(""));
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtar(2)"))->text(), QString("27.0"));
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    QCOMPARE(ts->text(), QString("1367.4"));
    qt::SaveShot(view, "kerosene");
  }

  void typedPercentGoesThroughTheModel() {
    kerosene::Kerosene form;
    qt::View view(form);
    form.Load();
    view.show();
    auto* pa = qobject_cast<QLineEdit*>(view.widget("txtpa"));
    QVERIFY(pa);
    pa->selectAll();
    QTest::keyClicks(pa, "100");
    QCOMPARE(form.FindById("txtpa")->text(), std::string("100"));
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txts"))->text(), QString("2475.7"));
    QVERIFY(!view.widget("lblError")->isVisible());
  }

  void enterInABoxCalculates() {
    kerosene::Kerosene form;
    qt::View view(form);
    form.Load();
    view.show();
    auto* pa = qobject_cast<QLineEdit*>(view.widget("txtpa"));
    QVERIFY(pa);
    pa->selectAll();
    QTest::keyClicks(pa, "100");
    QTest::keyClick(pa, Qt::Key_Return);
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txts"))->text(), QString("2475.7"));
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<kerosene::Kerosene>({}, {"cmdCalculate", "txtt(1)", "1", "txtt(1)", "x", true});
  }
};

QTEST_MAIN(KeroseneGui)
#include "kerosene_gui_test.moc"
