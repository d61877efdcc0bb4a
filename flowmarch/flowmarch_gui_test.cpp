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
    qt::Opened<flowmarch::FlowMarch> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Generalized 1-D Compressible Flow by QMX 03.05.2005                  "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* m6 = qt::FindBox(view, "txtm6");
    QVERIFY(m6);
    QCOMPARE(m6->text(), QString(""));
    qt::CheckShown(view, {}, {"frachk", "frapic"});
    qt::Press(view, "cmdCalculate");
    QCOMPARE(m6->text(), QString("0.5415"));
    QCOMPARE(qt::FindBox(view, "txtpt6")->text(), QString("88.68"));
    qt::SaveShot(view, "flowmarch");
  }

  void diagramToggles() {
    qt::Opened<flowmarch::FlowMarch> opened;
    auto& [form, view] = opened;
    qt::Press(view, "Command1");
    qt::CheckShown(view, {"frapic", "Picture1"});
    // The drawing is drawn: a blank white box fails.
    QVERIFY(qt::InkedPixels(*view.widget("Picture1")) > 2000);
    // The diagram lies over the inputs.
    QWidget* over = view.childAt(view.widget("txtk")->geometry().center());
    QVERIFY(over == view.widget("Picture1") || over == view.widget("frapic"));
    qt::SaveShot(view, "flowmarch-diagram");
    qt::Press(view, "Command1");
    QVERIFY(!view.widget("frapic")->isVisible());
  }

  void typedHeatChokesTheDuct() {
    qt::Opened<flowmarch::FlowMarch> opened;
    auto& [form, view] = opened;
    qt::TypeInto(view, form, "txttt6", "5000");
    qt::Press(view, "cmdCalculate");
    QVERIFY(view.widget("frachk")->isVisible());
    QCOMPARE(qt::FindBox(view, "txtm6")->text(), QString(""));
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
