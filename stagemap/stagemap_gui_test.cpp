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
    stagemap::StageMap form;
    qt::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Single Stage Compressor Performance by QMX 03.05.2005    "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* eta = qobject_cast<QLineEdit*>(view.widget("txteta"));
    QVERIFY(eta);
    QCOMPARE(eta->text(), QString(""));
    auto* calculate = qobject_cast<QPushButton*>(view.widget("cmdCalculate"));
    QVERIFY(calculate);
    QTest::mouseClick(calculate, Qt::LeftButton);
    QCOMPARE(eta->text(), QString("0.899"));
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtb1"))->text(), QString("-44.30"));
    qt::SaveShot(view, "stagemap");
  }

  void typedReactionGoesThroughTheModel() {
    stagemap::StageMap form;
    qt::View view(form);
    form.Load();
    view.show();
    auto* pr = qobject_cast<QLineEdit*>(view.widget("txtpr"));
    QVERIFY(pr);
    pr->selectAll();
    QTest::keyClicks(pr, "0");
    QCOMPARE(form.FindById("txtpr")->text(), std::string("0"));
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    QVERIFY(view.widget("lblError")->isVisible());
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txteta"))->text(), QString(""));
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<stagemap::StageMap>({}, {"cmdCalculate", "txtb1p", "-46.2", "txtb1p", "x", true});
  }
};

QTEST_MAIN(StageMapGui)
#include "stagemap_gui_test.moc"
