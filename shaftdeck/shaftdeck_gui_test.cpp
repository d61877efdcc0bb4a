// The Qt binding of the power gas turbine window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "frame/choicelist.h"
#include "frame/guitest.h"
#include "frame/view.h"
#include "shaftdeck/shaftdeck_window.h"

class ShaftdeckGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaption() {
    shaftdeck::Shaftdeck form;
    frame::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Power Generation Gas Turbine Analysis by QMX 03.05.2005      "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    QVERIFY(!view.widget("frapic")->isVisible());
    QVERIFY(!view.widget("fragam")->isVisible());
    frame::SaveShot(view, "shaftdeck");
  }

  void typingCalculateAndDiagram() {
    shaftdeck::Shaftdeck form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* pic = qobject_cast<QLineEdit*>(view.widget("txtpic"));
    auto* calculate = qobject_cast<QPushButton*>(view.widget("cmdCalculate"));
    auto* diagram = qobject_cast<QPushButton*>(view.widget("cmdpic"));
    auto* regenerator = qobject_cast<frame::ChoiceList*>(view.widget("lstIRG"));
    QVERIFY(pic && calculate && diagram && regenerator);
    pic->selectAll();
    QTest::keyClicks(pic, "40");
    QCOMPARE(form.FindById("txtpic")->text(), std::string("40"));
    regenerator->setCurrentRow(1);  // "y"
    QVERIFY(view.widget("frarg")->isVisible());
    QTest::mouseClick(calculate, Qt::LeftButton);
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtpow"))->text(), QString("26,712"));
    QVERIFY(view.widget("fraregen")->isVisible());
    QTest::mouseClick(diagram, Qt::LeftButton);
    QVERIFY(view.widget("frapic")->isVisible());
    QVERIFY(view.widget("Picture1")->isVisible());
    frame::SaveShot(view, "shaftdeck-diagram");
    QTest::mouseClick(diagram, Qt::LeftButton);
    QVERIFY(!view.widget("frapic")->isVisible());
    QVERIFY(!view.widget("lblError")->isVisible());
  }
};

QTEST_MAIN(ShaftdeckGui)
#include "shaftdeck_gui_test.moc"
