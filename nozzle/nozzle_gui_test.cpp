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
    nozzle::Nozzle form;
    qt::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(), QString("Nozzle Flow by QMX 03.05.2005               "
                                         "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    QVERIFY(view.widget("frainpt1")->isVisible());
    QVERIFY(!view.widget("FraAA")->isVisible());
    auto* calculate = qobject_cast<QPushButton*>(view.widget("cmdCalculate"));
    QVERIFY(calculate);
    QTest::mouseClick(calculate, Qt::LeftButton);
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtmd8"))->text(), QString("61.31"));
    qt::SaveShot(view, "nozzle");
  }

  void typingAndCalculateGoThroughTheWidgets() {
    nozzle::Nozzle form;
    qt::View view(form);
    form.Load();
    view.show();
    qobject_cast<QListWidget*>(view.widget("lsttype"))->setCurrentRow(1);
    QVERIFY(view.widget("frainpt2")->isVisible());
    qobject_cast<QListWidget*>(view.widget("lstss"))->setCurrentRow(1);
    auto* area = qobject_cast<QLineEdit*>(view.widget("txtaa"));
    QVERIFY(area);
    area->selectAll();
    QTest::keyClicks(area, "1.8");
    QCOMPARE(form.FindById("txtaa")->text(), std::string("1.8"));
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtm8o"))->text(), QString("1.981"));
    qt::SaveShot(view, "nozzle-area");
    area->selectAll();
    QTest::keyClicks(area, "0.5");
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdCalculate")), Qt::LeftButton);
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
