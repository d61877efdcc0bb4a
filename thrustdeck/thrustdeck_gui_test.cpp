// The Qt binding of the jet engine cycle window, on the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "qt/view.h"
#include "thrustdeck/thrustdeck_window.h"

class JetCycleGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndRealTurbofanPanels() {
    qt::Opened<thrustdeck::JetCycle> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Jet Engine Cycle Analysis by QMX 03.05.2005                 "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    qt::CheckShown(view, {"fraal3", "fraal5"}, {"fraal2", "fraSA", "Fraimposs"});
    QCOMPARE(qt::FindBox(view, "txtff")->text(), QString());
    qt::SaveShot(view, "thrustdeck");
  }

  void typingListsAndCalculateGoThroughTheModel() {
    qt::Opened<thrustdeck::JetCycle> opened;
    auto& [form, view] = opened;
    auto* mix = qt::FindList(view, "lstmixexh");
    QVERIFY(mix);
    mix->setCurrentRow(2);  // "Mixed+Exhausted"
    QCOMPARE(form.FindById("lstmixexh")->text(), std::string("Mixed+Exhausted"));
    qt::CheckShown(view, {"fraal2", "fraal4"});
    auto* sa = qt::FindList(view, "lstSA");
    sa->setCurrentRow(1);  // typed ambient state
    qt::CheckShown(view, {"fraSA"}, {"fraSA2"});

    qt::TypeInto(view, form, "txtM0", "0.8");
    qt::Press(view, "cmdCalculate");
    QVERIFY(!qt::FindBox(view, "txtff")->text().isEmpty());
    QVERIFY(!view.widget("lblError")->isVisible());
    qt::FindList(view, "lstIAB")->setCurrentRow(1);
    QVERIFY(view.widget("fraab2")->isVisible());
    qt::SaveShot(view, "thrustdeck-mixed");

    // Far too much fan for the core: the warning shows, the results read empty.
    auto* al = qt::FindBox(view, "txtal");
    qt::Retype(al, "40");
    qt::Press(view, "cmdCalculate");
    QVERIFY(view.widget("Fraimposs")->isVisible());
    QCOMPARE(qt::FindBox(view, "txtff")->text(), QString());
    qt::SaveShot(view, "thrustdeck-impossible");
  }

  void idealRamjetShowsFewPanels() {
    qt::Opened<thrustdeck::JetCycle> opened;
    auto& [form, view] = opened;
    qt::FindList(view, "lstIR")->setCurrentRow(0);
    qt::FindList(view, "lstetyp")->setCurrentRow(3);
    qt::CheckShown(view, {"fragam"}, {"fracmp", "frafan"});
    qt::SaveShot(view, "thrustdeck-ideal-ramjet");
  }

  // Enter in an input box calculates; Ctrl+C from a result box copies the
  // result row with its captions, tab-separated, ready for a spreadsheet.
  void enterCalculatesAndCopyTakesTheResults() {
    qt::Opened<thrustdeck::JetCycle> opened;
    auto& [form, view] = opened;
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* ff = qt::FindBox(view, "txtff");
    auto* m0 = qt::FindBox(view, "txtM0");
    QVERIFY(ff && m0);
    QVERIFY(ff->text().isEmpty());
    m0->setFocus();
    qt::Retype(m0, "0.8");
    QTest::keyClick(m0, Qt::Key_Return);
    QVERIFY(!ff->text().isEmpty());
    QCOMPARE(ff->text().toStdString(), form.FindById("txtff")->text());

    QApplication::clipboard()->clear();
    ff->setFocus();
    QTest::keyClick(ff, Qt::Key_C, Qt::ControlModifier);
    // The whole window: each input with its caption and each choice first,
    // then the results, one "caption TAB value" row each, captions trimmed.
    const QString results = "Thrust (lbf) =\t" + ff->text() + "\nND-Thrust =\t" +
                            qt::FindBox(view, "txtffnd")->text() + "\nTSFC (lbm/lbf-hr) =\t" +
                            qt::FindBox(view, "txttsfc")->text() + "\n";
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.endsWith(results), qPrintable(copied));
    QVERIFY2(copied.startsWith("Engine type\tTurbofan\n"), qPrintable(copied));
    for (const char* input : {"Ideal or Real analysis?\tR\n", "Standard Atmosphere?\ty\n",
                              "Mach number\t0.8\n", "Primary nozzle c or cd?\tc\n",
                              "Afterburner?\tn\n", "Fan nozzle efficiency\t0.9\n"})
      QVERIFY2(copied.contains(input), input);
    QCOMPARE(copied.count('\n'), copied.count('\t'));
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
    // With nothing selected, Ctrl+C in a box that is typed into copies
    // nothing, as in any box.
    m0->deselect();
    QTest::keyClick(m0, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("0.8"));
    QTest::keyClick(m0, Qt::Key_Escape);
    QVERIFY(view.isVisible());
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<thrustdeck::JetCycle>({{"lstetyp", "Engine type"}, {"lstinoz", "Primary nozzle c or cd?"}, {"txtalt", "Altitude"}, {"txtff", "Thrust (lbf) ="}}, {"cmdCalculate", "txtM0", "0.825", "txtalt", "x", true});
  }

  // The keyboard alone: Tab reads down each of the three columns in turn,
  // then "Calculate" and "Done!", then the results; the arrows choose in a
  // list; typing and Enter calculate what the script mode calculates.
  void keyboardOnly() {
    qt::Opened<thrustdeck::JetCycle> opened;
    auto& [form, view] = opened;
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("lstetyp"));
    const QStringList order = {
        "lstmixexh", "lstIR",   "lstSA",   "txtalt",  "txtM0",   "txttt4",  "txth",
        "txtma",     "lstIGC",  "txtetd",  "txtpic",  "txtetc",  "txtpib",  "txtetb",
        "txtett",    "txtetm",  "lstinoz", "txtetn",  "txtal",   "txtetf",  "txtpif",
        "lstinof",   "txtetfn", "lstIAB",  "cmdCalculate", "cmdEnd", "txtff", "txtffnd",
        "txttsfc",   "lstetyp"};
    QCOMPARE(qt::TabWalk(static_cast<int>(order.size())), order);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("txttsfc"));

    QCOMPARE(qt::TabWalk(3), QStringList({"lstetyp", "lstmixexh", "lstIR"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(form.FindById("lstIR")->text(), std::string("I"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(form.FindById("lstIR")->text(), std::string("R"));

    QCOMPARE(qt::TabWalk(3), QStringList({"lstSA", "txtalt", "txtM0"}));
    QWidget* box = QApplication::focusWidget();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "0.8");
    QTest::keyClick(box, Qt::Key_Return);
    for (const char* id : {"txtff", "txtffnd", "txttsfc"}) {
      thrustdeck::JetCycle fresh;
      QCOMPARE(core::ControlJson(*form.FindById(id)),
               qt::ScriptShows(fresh, "type txtM0 0.8\nclick cmdCalculate\n", id));
    }
    QVERIFY(!form.FindById("txtff")->text().empty());
  }

  // The table of stations of the calculated default cycle, as the chart
  // window shows it (qt/chart_windows_gui_test draws the T-s diagram).
  void chartsOfTheDefaultCycle() {
    qt::Opened<thrustdeck::JetCycle> opened;
    auto& [form, view] = opened;
    form.UserClick(*form.FindById("cmdCalculate"));
    qt::ChartWindow charts(form);
    QVERIFY(qt::ShowAt(charts, {960, 680}));
    QCOMPARE(charts.count(), 2);
    charts.tabs()->setCurrentIndex(1);
    qt::ChartTab* stations = charts.tab("stations");
    QVERIFY(stations->table()->isVisible());
    QCOMPARE(stations->table()->rowCount(), 8);
    QCOMPARE(stations->table()->item(3, 2)->text(), QString("2500"));
    qt::SaveShot(charts, "thrustdeck-chart-stations");

    // A failed calculation empties both, saying why.
    form.UserType(*static_cast<core::TextBox*>(form.FindById("txtetc")), "0");
    form.UserClick(*form.FindById("cmdCalculate"));
    QTRY_VERIFY(stations->message()->isVisible());
    QVERIFY(stations->message()->text().contains("Compressor efficiency must not be 0"));
  }
};

QTEST_MAIN(JetCycleGui)
#include "thrustdeck_gui_test.moc"
