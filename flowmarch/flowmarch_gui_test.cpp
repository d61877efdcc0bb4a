// The Qt binding of the generalized duct flow window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "flowmarch/flowmarch_window.h"
#include "frame/guitest.h"
#include "frame/view.h"

class FlowMarchGui : public QObject {
  Q_OBJECT
 private slots:
  void opensEmptyAndComputesTheDefaults() {
    flowmarch::FlowMarch form;
    frame::View view(form);
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
    frame::SaveShot(view, "flowmarch");
  }

  void diagramToggles() {
    flowmarch::FlowMarch form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* toggle = qobject_cast<QPushButton*>(view.widget("Command1"));
    QVERIFY(toggle);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(view.widget("frapic")->isVisible());
    QVERIFY(view.widget("Picture1")->isVisible());
    // The diagram lies over the inputs.
    QWidget* over = view.childAt(view.widget("txtk")->geometry().center());
    QVERIFY(over == view.widget("Picture1") || over == view.widget("frapic"));
    frame::SaveShot(view, "flowmarch-diagram");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!view.widget("frapic")->isVisible());
  }

  void typedHeatChokesTheDuct() {
    flowmarch::FlowMarch form;
    frame::View view(form);
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
    frame::SaveShot(view, "flowmarch-choked");
  }
};

QTEST_MAIN(FlowMarchGui)
#include "flowmarch_gui_test.moc"
