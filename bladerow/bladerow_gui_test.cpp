// The Qt binding of the mean-line window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "frame/choicelist.h"
#include "bladerow/bladerow_window.h"
#include "frame/guitest.h"
#include "frame/view.h"

class BladerowGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaption() {
    bladerow::Bladerow form;
    frame::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Turbomachinery Analysis by QMX 03.05.2005                      "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    QVERIFY(view.widget("fraaxct")->isVisible());
    QVERIFY(!view.widget("Fragas")->isVisible());
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    frame::SaveShot(view, "bladerow");
  }

  void typingMachineAndCalculate() {
    bladerow::Bladerow form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* type = qobject_cast<frame::ChoiceList*>(view.widget("lsttype"));
    auto* gas = qobject_cast<frame::ChoiceList*>(view.widget("lstgas"));
    auto* width = qobject_cast<QLineEdit*>(view.widget("txttd2"));
    auto* calculate = qobject_cast<QPushButton*>(view.widget("cmdCalculate"));
    QVERIFY(type && gas && width && calculate);
    type->setCurrentRow(1);  // radial compressor
    QVERIFY(view.widget("frarc")->isVisible());
    QVERIFY(!view.widget("fraaxct")->isVisible());
    QVERIFY(!view.widget("fraresults2")->isVisible());
    gas->setCurrentRow(1);  // other
    QVERIFY(view.widget("Fragas")->isVisible());
    width->selectAll();
    QTest::keyClicks(width, "1");
    QCOMPARE(form.FindById("txttd2")->text(), std::string("1"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    // Rg 53.35 and gamma 1.4 typed for the other gas.
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtgm"))->text(), QString("1.400"));
    QVERIFY(!view.widget("lblError")->isVisible());
    frame::SaveShot(view, "bladerow-radial");
  }
};

QTEST_MAIN(BladerowGui)
#include "bladerow_gui_test.moc"
