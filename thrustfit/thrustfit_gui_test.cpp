// The Qt binding of the jet engine matching window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "frame/guitest.h"
#include "frame/view.h"
#include "thrustfit/thrustfit_window.h"

class ThrustfitGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionInEngineMode() {
    thrustfit::Form1 form;
    frame::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Jet Engine Component Matching Analysis by QMX 03.05.2005               "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"));
    QVERIFY(view.widget("fraTJ2")->isVisible());
    QVERIFY(!view.widget("fragg")->isVisible());
    QVERIFY(!view.widget("Fraconv")->isVisible());
    frame::SaveShot(view, "thrustfit");
  }

  void typingAndCalculateGoThroughTheModel() {
    thrustfit::Form1 form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* n2 = qobject_cast<QLineEdit*>(view.widget("txtn2"));
    auto* calculate = qobject_cast<QPushButton*>(view.widget("cmdCalculate"));
    QVERIFY(n2 && calculate);
    n2->selectAll();
    QTest::keyClicks(n2, "9500");
    QCOMPARE(form.FindById("txtn2")->text(), std::string("9500"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    auto* speed = qobject_cast<QLineEdit*>(view.widget("txtn2a"));
    QVERIFY(speed);
    QVERIFY(!speed->text().isEmpty());
    QVERIFY(!view.widget("Fraconv")->isVisible());
    QVERIFY(!view.widget("lblError")->isVisible());
    frame::SaveShot(view, "thrustfit-engine");
    form.UserSelect(*static_cast<frame::ListBox*>(form.FindById("lstge")), 2);
    QVERIFY(view.widget("fraframe1")->isVisible());
    QVERIFY(!view.widget("fraTJ2")->isVisible());
    frame::SaveShot(view, "thrustfit-airframe");
  }
};

QTEST_MAIN(ThrustfitGui)
#include "thrustfit_gui_test.moc"
