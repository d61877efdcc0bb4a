// The Qt binding of the stage performance window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "qt/guitest.h"
#include "qt/view.h"
#include "stagemap/stagemap_window.h"

class StageMapGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndComputes() {
    qt::Opened<stagemap::StageMap> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Single Stage Compressor Performance by QMX 03.05.2005    "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* eta = qt::FindBox(view, "txteta");
    QVERIFY(eta);
    QCOMPARE(eta->text(), QString(""));
    qt::Press(view, "cmdCalculate");
    QCOMPARE(eta->text(), QString("0.899"));
    QCOMPARE(qt::FindBox(view, "txtb1")->text(), QString("-44.30"));
    qt::SaveShot(view, "stagemap");
  }

  void typedReactionGoesThroughTheModel() {
    qt::Opened<stagemap::StageMap> opened;
    auto& [form, view] = opened;
    qt::TypeInto(view, form, "txtpr", "0");
    qt::Press(view, "cmdCalculate");
    QVERIFY(view.widget("lblError")->isVisible());
    QCOMPARE(qt::FindBox(view, "txteta")->text(), QString(""));
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<stagemap::StageMap>({}, {"cmdCalculate", "txtb1p", "-46.2", "txtb1p", "x", true});
  }
};

QTEST_MAIN(StageMapGui)
#include "stagemap_gui_test.moc"
