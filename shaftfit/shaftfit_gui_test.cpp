// The Qt binding of the power gas turbine matching window, on the offscreen
// platform.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "qt/guitest.h"
#include "qt/view.h"
#include "shaftfit/shaftfit_window.h"

class ShaftfitGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndGuesses() {
    qt::Opened<shaftfit::Form1> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Power Generation Gas Turbine Matching Analysis by QMX 03.05.2005             "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    QCOMPARE(qt::FindBox(view, "txtm1in")->text(), QString("132.2"));
    QVERIFY(!view.widget("frarg")->isVisible());
    qt::SaveShot(view, "shaftfit");
  }

  void typingAndCalculateGoThroughTheModel() {
    qt::Opened<shaftfit::Form1> opened;
    auto& [form, view] = opened;
    qt::TypeInto(view, form, "txtc2", "0.0154");
    // The flow guess follows at once: 9000 * 0.0154 * 0.95.
    QCOMPARE(qt::FindBox(view, "txtm1in")->text(), QString("131.7"));
    form.UserSelect(*static_cast<core::ListBox*>(form.FindById("lstIRG")), 1);
    qt::Press(view, "cmdCalculate");
    QVERIFY(view.widget("frarg")->isVisible());
    QVERIFY(!qt::FindBox(view, "txtpower")->text().isEmpty());
    qt::CheckShown(view, {}, {"Fraconv", "lblError"});
    qt::SaveShot(view, "shaftfit-regenerator");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<shaftfit::Form1>({}, {"cmdCalculate", "txtm1in", "145.42", nullptr, nullptr, true});
  }
};

QTEST_MAIN(ShaftfitGui)
#include "shaftfit_gui_test.moc"
