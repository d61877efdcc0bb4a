// The Qt binding of the atmosphere window, on the offscreen platform.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "atmosphere/atmosphere_window.h"
#include "frame/guitest.h"
#include "frame/view.h"

class AtmosphereGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndDefaults() {
    atmosphere::Atmosphere form;
    frame::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Standard Atmosphere by QMX 03.05.2005                   "
                     "FOR EDUCATIONAL PURPOSES ONLY ( See Disclaimer)"));
    auto* temp = qobject_cast<QLabel*>(view.widget("lblTemp"));
    QVERIFY(temp);
    QCOMPARE(temp->text(), QString("Temperature = 508.0 degR"));
    frame::SaveShot(view, "atmosphere");
    form.UserClick(*form.FindById("optTable"));
    QVERIFY(view.widget("fraMulti")->isVisible());
    frame::SaveShot(view, "atmosphere-table");
  }

  void typingAndComputeGoThroughTheModel() {
    atmosphere::Atmosphere form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* altitude = qobject_cast<QLineEdit*>(view.widget("txtAltitude"));
    auto* compute = qobject_cast<QPushButton*>(view.widget("cmdScompute"));
    QVERIFY(altitude && compute);
    altitude->selectAll();
    QTest::keyClicks(altitude, "36152");
    QCOMPARE(form.FindById("txtAltitude")->text(), std::string("36152"));
    QTest::mouseClick(compute, Qt::LeftButton);
    QCOMPARE(altitude->text(), QString("36,152"));
    QCOMPARE(qobject_cast<QLabel*>(view.widget("lblPressure"))->text(),
             QString("Pressure = 3.281 psia"));
    QVERIFY(!view.widget("lblError")->isVisible());
  }
};

QTEST_MAIN(AtmosphereGui)
#include "atmosphere_gui_test.moc"
