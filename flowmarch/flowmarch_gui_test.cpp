// The Qt binding of the generalized duct flow window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "flowmarch/flowmarch_window.h"
#include "qt/guitest.h"
#include "qt/view.h"

class FlowMarchGui : public QObject {
  Q_OBJECT
 private slots:
  void opensEmptyAndComputesTheDefaults() {
    flowmarch::FlowMarch form;
    qt::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Generalized 1-D Compressible Flow by QMX 03.05.2005                  "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* m6 = qobject_cast<QLineEdit*>(view.widget("txtm6"));
    QVERIFY(m6);
    QCOMPARE(m6->text(), QString(""));
    QVERIFY(!view.widget("frachk")->isVisible());
    QVERIFY(!view.widget("frapic")->isVisible());
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    QCOMPARE(m6->text(), QString("0.5415"));
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtpt6"))->text(), QString("88.68"));
    qt::SaveShot(view, "flowmarch");
  }

  void diagramToggles() {
    flowmarch::FlowMarch form;
    qt::View view(form);
    form.Load();
    view.show();
    auto* toggle = qobject_cast<QPushButton*>(view.widget("Command1"));
    QVERIFY(toggle);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(view.widget("frapic")->isVisible());
    QVERIFY(view.widget("Picture1")->isVisible());
    // The drawing is drawn: a blank white box fails.
    QVERIFY(qt::InkedPixels(*view.widget("Picture1")) > 2000);
    // The diagram lies over the inputs.
    QWidget* over = view.childAt(view.widget("txtk")->geometry().center());
    QVERIFY(over == view.widget("Picture1") || over == view.widget("frapic"));
    qt::SaveShot(view, "flowmarch-diagram");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!view.widget("frapic")->isVisible());
  }

  void typedHeatChokesTheDuct() {
    flowmarch::FlowMarch form;
    qt::View view(form);
    form.Load();
    view.show();
    auto* tt6 = qobject_cast<QLineEdit*>(view.widget("txttt6"));
    QVERIFY(tt6);
    tt6->selectAll();
    QTest::keyClicks(tt6, "5000");
    QCOMPARE(form.FindById("txttt6")->text(), std::string("5000"));
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    QVERIFY(view.widget("frachk")->isVisible());
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtm6"))->text(), QString(""));
    qt::SaveShot(view, "flowmarch-choked");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowmarch::FlowMarch>({}, {"cmdCalculate", "txtk", "1.54", "txtk", "x", true});
  }
};

QTEST_MAIN(FlowMarchGui)
#include "flowmarch_gui_test.moc"
