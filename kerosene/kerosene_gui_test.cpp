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
    qt::Opened<kerosene::Kerosene> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Kerosene - Adiabatic Flame Temperature by QMX 03.05.2005            "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* ts = qt::FindBox(view, "txts");
    QVERIFY(ts);
    QCOMPARE(ts->text(), QString(""));
    QCOMPARE(qt::FindBox(view, "txtar(2)")->text(), QString("27.0"));
    qt::Press(view, "cmdCalculate");
    QCOMPARE(ts->text(), QString("1367.4"));
    qt::SaveShot(view, "kerosene");
  }

  void typedPercentGoesThroughTheModel() {
    qt::Opened<kerosene::Kerosene> opened;
    auto& [form, view] = opened;
    qt::TypeInto(view, form, "txtpa", "100");
    qt::Press(view, "cmdCalculate");
    QCOMPARE(qt::FindBox(view, "txts")->text(), QString("2475.7"));
    QVERIFY(!view.widget("lblError")->isVisible());
  }

  void enterInABoxCalculates() {
    qt::Opened<kerosene::Kerosene> opened;
    auto& [form, view] = opened;
    auto* pa = qt::FindBox(view, "txtpa");
    QVERIFY(pa);
    qt::Retype(pa, "100");
    QTest::keyClick(pa, Qt::Key_Return);
    QCOMPARE(qt::FindBox(view, "txts")->text(), QString("2475.7"));
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<kerosene::Kerosene>({}, {"cmdCalculate", "txtt(1)", "1", "txtt(1)", "x", true});
  }
};

QTEST_MAIN(KeroseneGui)
#include "kerosene_gui_test.moc"
