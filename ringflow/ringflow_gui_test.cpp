// The Qt binding of the streamline window, on the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <QGraphicsTextItem>
#include <QLabel>
#include <QListWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "qt/view.h"
#include "ringflow/ringflow_window.h"

class RingflowGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndTypeTwo() {
    qt::Opened<ringflow::Ringflow> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Stream Line Analysis by QMX 03.05.2005                    "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    qt::CheckShown(view, {"Frantype3"}, {"Frapic"});
    qt::SaveShot(view, "ringflow");
    qt::Press(view, "pic");
    QVERIFY(view.widget("Picture1")->isVisible());
    // The drawing is drawn: a blank white box fails.
    QVERIFY(qt::InkedPixels(*view.widget("Picture1")) > 2000);
    qt::SaveShot(view, "ringflow-diagram");
  }

  void typingAndListsGoThroughTheModel() {
    qt::Opened<ringflow::Ringflow> opened;
    auto& [form, view] = opened;
    auto* ntyp = qt::FindList(view, "lstntyp");
    QVERIFY(ntyp);
    ntyp->setCurrentRow(2);
    QCOMPARE(form.FindById("lstntyp")->text(), std::string("3"));
    QVERIFY(view.widget("Frantype5")->isVisible());
    auto* nbr = qt::FindBox(view, "txtnbr");
    QVERIFY(nbr);
    qt::Retype(nbr, "9");
    QCOMPARE(form.bladeRows(), 9);
    qt::CheckShown(view, {"Frantype5d", "Fratitl1"});
    qt::SaveShot(view, "ringflow-type3");
    ntyp->setCurrentRow(0);
    qt::SaveShot(view, "ringflow-type1");
    qt::CheckShown(view, {}, {"Fraitty", "lblError"});
  }

  void calculateReportsTheStation() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    qt::Opened<ringflow::Ringflow> opened;
    auto& [form, view] = opened;
    qt::FindList(view, "lstitty")->setCurrentRow(1);
    qt::Press(view, "Cmdcalculate");
    QVERIFY(view.widget("FraConv")->isVisible());
    QCOMPARE(qt::FindBox(view, "Txtjconv")->text(), QString("4"));
    QVERIFY(QFile::exists("RINGFLOW 1.txt"));
    qt::SaveShot(view, "ringflow-failed");
    qt::FindList(view, "lstitty")->setCurrentRow(0);
    QVERIFY(!view.widget("FraConv")->isVisible());
    qt::Press(view, "Cmdcalculate");
    QVERIFY(view.widget("Fraconv2")->isVisible());
    qt::SaveShot(view, "ringflow-solved");
    QDir::setCurrent(old);
  }

  // The radial profiles of the defaults and of three free-vortex stages:
  // a curve per station and quantity, the angles on the second axis.
  void radialProfiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    struct Case {
      const char* shot;
      int ntyp;  // list row
      const char* rows;
      int curves;
    } cases[] = {{"ringflow-profiles", 1, "3", 8}, {"ringflow-profiles-free-vortex", 0, "7", 16}};
    for (const Case& c : cases) {
      qt::Opened<ringflow::Ringflow> opened;
      auto& [form, view] = opened;
      qt::ChartWindow window(form);
      QVERIFY(qt::ShowAt(window, {900, 640}));
      qt::ChartTab* tab = window.tab("radial-profiles");
      QVERIFY(tab);
      QVERIFY(tab->message()->isVisible());
      qt::FindList(view, "lstntyp")->setCurrentRow(c.ntyp);
      auto* rows = qt::FindBox(view, "txtnbr");
      qt::Retype(rows, c.rows);
      qt::Press(view, "Cmdcalculate");
      QVERIFY(view.widget("Fraconv2")->isVisible());
      window.Refresh();
      QCOMPARE(tab->view()->chart()->series().size(), c.curves);
      QVERIFY(qt::DrawsChart(*tab));
      qt::SaveShot(window, c.shot);
    }
    QDir::setCurrent(old);
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<ringflow::Ringflow>({{"txtdh", "Hub Dia (ft)"}, {"lstntyp", "NTYP"}, {"txtalf3(3)", "Rotor Exit Angle at location 3"}}, {"Cmdcalculate", "txtdh", "1.7", "txtdh", "x", false});
  }

  // The keyboard alone: Tab reads the inputs of the left column, then the
  // angle table on the right row by row, then the buttons; the arrows
  // choose in a list; typing and Enter calculate as the script mode does.
  void keyboardOnly() {
    QTemporaryDir dir;  // the solution is printed to a file
    QVERIFY(dir.isValid());
    const QString was = QDir::currentPath();
    QDir::setCurrent(dir.path());
    qt::Opened<ringflow::Ringflow> opened;
    auto& [form, view] = opened;
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtdh"));
    const QStringList order = {"txtdt",       "txtrotn",     "txtq",        "txtpin",
                               "txtrho",      "txtnan",      "lstisl",      "lstntyp",
                               "Lstturbo",    "lstitty",     "txtalf2(1)",  "txtalf3(1)",
                               "txtalf4(1)",  "txtefyf(1)",  "txtalf2(2)",  "txtalf3(2)"};
    QCOMPARE(qt::TabWalk(static_cast<int>(order.size())), order);
    view.widget("txtdh")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Cmdend"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("CmdUsersGuide"));

    view.widget("lstisl")->setFocus(Qt::TabFocusReason);
    QCOMPARE(qt::TabWalk(1), QStringList({"lstntyp"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(form.FindById("lstntyp")->text(), std::string("3"));
    QVERIFY(view.widget("Frantype5")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(form.FindById("lstntyp")->text(), std::string("2"));

    view.widget("txtdh")->setFocus(Qt::TabFocusReason);
    QWidget* box = QApplication::focusWidget();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "1.6");
    QTest::keyClick(box, Qt::Key_Return);
    for (const char* id : {"Fraconv2", "FraConv", "lblError"}) {
      ringflow::Ringflow fresh;
      QCOMPARE(core::ControlJson(*form.FindById(id)),
               qt::ScriptShows(fresh, "type txtdh 1.6\nclick Cmdcalculate\n", id));
    }
    QVERIFY(form.FindById("Fraconv2")->shown());
    QDir::setCurrent(was);
  }
};

QTEST_MAIN(RingflowGui)
#include "ringflow_gui_test.moc"
