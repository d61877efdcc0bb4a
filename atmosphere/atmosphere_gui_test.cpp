// The Qt binding of the atmosphere window, on the offscreen platform.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "atmosphere/atmosphere_window.h"
#include "qt/guitest.h"
#include "qt/view.h"

class AtmosphereGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndDefaults() {
    qt::Opened<atmosphere::Atmosphere> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Standard Atmosphere by QMX 03.05.2005                   "
                     "FOR EDUCATIONAL PURPOSES ONLY ( See Disclaimer)"));
    auto* temp = qobject_cast<QLabel*>(view.widget("lblTemp"));
    QVERIFY(temp);
    QCOMPARE(temp->text(), QString("Temperature = 508.0 degR"));
    qt::SaveShot(view, "atmosphere");
    form.UserClick(*form.FindById("optTable"));
    QVERIFY(view.widget("fraMulti")->isVisible());
    qt::SaveShot(view, "atmosphere-table");
  }

  void typingAndComputeGoThroughTheModel() {
    qt::Opened<atmosphere::Atmosphere> opened;
    auto& [form, view] = opened;
    auto* altitude = qt::FindBox(view, "txtAltitude");
    QVERIFY(altitude);
    qt::TypeInto(view, form, "txtAltitude", "36152");
    qt::Press(view, "cmdScompute");
    QCOMPARE(altitude->text(), QString("36,152"));
    QCOMPARE(qobject_cast<QLabel*>(view.widget("lblPressure"))->text(),
             QString("Pressure = 3.281 psia"));
    QVERIFY(!view.widget("lblError")->isVisible());
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<atmosphere::Atmosphere>({}, {"cmdScompute", "txtAltitude", "1", "txtAltitude", "x", true});
  }
};

QTEST_MAIN(AtmosphereGui)
#include "atmosphere_gui_test.moc"
