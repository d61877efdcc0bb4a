// The Qt binding of the jet engine cycle window, on the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "frame/choicelist.h"
#include "frame/guitest.h"
#include "frame/view.h"
#include "thrustdeck/thrustdeck_window.h"

class JetCycleGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndRealTurbofanPanels() {
    thrustdeck::JetCycle form;
    frame::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Jet Engine Cycle Analysis by QMX 03.05.2005                 "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    QVERIFY(view.widget("fraal3")->isVisible());
    QVERIFY(view.widget("fraal5")->isVisible());
    QVERIFY(!view.widget("fraal2")->isVisible());
    QVERIFY(!view.widget("fraSA")->isVisible());
    QVERIFY(!view.widget("Fraimposs")->isVisible());
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtff"))->text(), QString());
    frame::SaveShot(view, "thrustdeck");
  }

  void typingListsAndCalculateGoThroughTheModel() {
    thrustdeck::JetCycle form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* mix = qobject_cast<frame::ChoiceList*>(view.widget("lstmixexh"));
    QVERIFY(mix);
    mix->setCurrentRow(2);  // "Mixed+Exhausted"
    QCOMPARE(form.FindById("lstmixexh")->text(), std::string("Mixed+Exhausted"));
    QVERIFY(view.widget("fraal2")->isVisible());
    QVERIFY(view.widget("fraal4")->isVisible());
    auto* sa = qobject_cast<frame::ChoiceList*>(view.widget("lstSA"));
    sa->setCurrentRow(1);  // typed ambient state
    QVERIFY(view.widget("fraSA")->isVisible());
    QVERIFY(!view.widget("fraSA2")->isVisible());

    auto* m0 = qobject_cast<QLineEdit*>(view.widget("txtM0"));
    auto* calculate = qobject_cast<QPushButton*>(view.widget("cmdCalculate"));
    QVERIFY(m0 && calculate);
    m0->selectAll();
    QTest::keyClicks(m0, "0.8");
    QCOMPARE(form.FindById("txtM0")->text(), std::string("0.8"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    QVERIFY(!qobject_cast<QLineEdit*>(view.widget("txtff"))->text().isEmpty());
    QVERIFY(!view.widget("lblError")->isVisible());
    qobject_cast<frame::ChoiceList*>(view.widget("lstIAB"))->setCurrentRow(1);
    QVERIFY(view.widget("fraab2")->isVisible());
    frame::SaveShot(view, "thrustdeck-mixed");

    // Far too much fan for the core: the warning shows, the results read empty.
    auto* al = qobject_cast<QLineEdit*>(view.widget("txtal"));
    al->selectAll();
    QTest::keyClicks(al, "40");
    QTest::mouseClick(calculate, Qt::LeftButton);
    QVERIFY(view.widget("Fraimposs")->isVisible());
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("txtff"))->text(), QString());
    frame::SaveShot(view, "thrustdeck-impossible");
  }

  void idealRamjetShowsFewPanels() {
    thrustdeck::JetCycle form;
    frame::View view(form);
    form.Load();
    view.show();
    qobject_cast<frame::ChoiceList*>(view.widget("lstIR"))->setCurrentRow(0);
    qobject_cast<frame::ChoiceList*>(view.widget("lstetyp"))->setCurrentRow(3);
    QVERIFY(view.widget("fragam")->isVisible());
    QVERIFY(!view.widget("fracmp")->isVisible());
    QVERIFY(!view.widget("frafan")->isVisible());
    frame::SaveShot(view, "thrustdeck-ideal-ramjet");
  }

  // Enter in an input box calculates; Ctrl+C from a result box copies the
  // result row with its captions, tab-separated, ready for a spreadsheet.
  void enterCalculatesAndCopyTakesTheResults() {
    thrustdeck::JetCycle form;
    frame::View view(form);
    form.Load();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* ff = qobject_cast<QLineEdit*>(view.widget("txtff"));
    auto* m0 = qobject_cast<QLineEdit*>(view.widget("txtM0"));
    QVERIFY(ff && m0);
    QVERIFY(ff->text().isEmpty());
    m0->setFocus();
    m0->selectAll();
    QTest::keyClicks(m0, "0.8");
    QTest::keyClick(m0, Qt::Key_Return);
    QVERIFY(!ff->text().isEmpty());
    QCOMPARE(ff->text().toStdString(), form.FindById("txtff")->text());

    QApplication::clipboard()->clear();
    ff->setFocus();
    QTest::keyClick(ff, Qt::Key_C, Qt::ControlModifier);
    const QString row = "Thrust (lbf) =\t" + ff->text() + "\tND-Thrust =\t" +
                        qobject_cast<QLineEdit*>(view.widget("txtffnd"))->text() +
                        "\tTSFC (lbm/lbf-hr) =\t" +
                        qobject_cast<QLineEdit*>(view.widget("txttsfc"))->text() + "\n";
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.contains(row), qPrintable(copied));
    QCOMPARE(copied.toStdString(), form.TableText(nullptr));
    // The window's context menu offers the same.
    QApplication::clipboard()->clear();
    const auto actions = view.actions();
    QVERIFY(!actions.isEmpty());
    QCOMPARE(actions.front()->text(), QString("Copy"));
    actions.front()->trigger();
    QCOMPARE(QApplication::clipboard()->text(), copied);
    // A box with text selected copies just that, as usual.
    m0->setFocus();
    m0->selectAll();
    QTest::keyClick(m0, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("0.8"));
    QTest::keyClick(m0, Qt::Key_Escape);
    QVERIFY(view.isVisible());
  }
};

QTEST_MAIN(JetCycleGui)
#include "thrustdeck_gui_test.moc"
