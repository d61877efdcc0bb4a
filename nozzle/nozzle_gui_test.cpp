// The Qt binding of the nozzle window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <QListWidget>
#include "qt/guitest.h"
#include "qt/view.h"
#include "nozzle/nozzle_window.h"

class NozzleGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndDefaults() {
    qt::Opened<nozzle::Nozzle> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(), QString("Nozzle Flow by QMX 03.05.2005               "
                                         "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    qt::CheckShown(view, {"frainpt1"}, {"FraAA"});
    qt::Press(view, "cmdCalculate");
    QCOMPARE(qt::FindBox(view, "txtmd8")->text(), QString("61.31"));
    qt::SaveShot(view, "nozzle");
  }

  void typingAndCalculateGoThroughTheWidgets() {
    qt::Opened<nozzle::Nozzle> opened;
    auto& [form, view] = opened;
    qt::FindList(view, "lsttype")->setCurrentRow(1);
    QVERIFY(view.widget("frainpt2")->isVisible());
    qt::FindList(view, "lstss")->setCurrentRow(1);
    auto* area = qt::FindBox(view, "txtaa");
    QVERIFY(area);
    qt::TypeInto(view, form, "txtaa", "1.8");
    qt::Press(view, "cmdCalculate");
    QCOMPARE(qt::FindBox(view, "txtm8o")->text(), QString("1.981"));
    qt::SaveShot(view, "nozzle-area");
    qt::Retype(area, "0.5");
    qt::Press(view, "cmdCalculate");
    QVERIFY(view.widget("FraAA")->isVisible());
    qt::SaveShot(view, "nozzle-nosolution");
    QVERIFY(!view.widget("lblError")->isVisible());
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<nozzle::Nozzle>({}, {"cmdCalculate", "txtk", "1.496", "txtk", "x", true});
  }
};

QTEST_MAIN(NozzleGui)
#include "nozzle_gui_test.moc"
