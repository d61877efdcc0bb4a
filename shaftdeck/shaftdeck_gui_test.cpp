// The Qt binding of the power gas turbine window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtCharts/QChartView>

#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "qt/view.h"
#include "shaftdeck/shaftdeck_window.h"

class ShaftdeckGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaption() {
    qt::Opened<shaftdeck::Shaftdeck> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Power Generation Gas Turbine Analysis by QMX 03.05.2005      "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    qt::CheckShown(view, {}, {"frapic", "fragam"});
    qt::SaveShot(view, "shaftdeck");
  }

  void typingCalculateAndDiagram() {
    qt::Opened<shaftdeck::Shaftdeck> opened;
    auto& [form, view] = opened;
    auto* diagram = qt::FindButton(view, "cmdpic");
    auto* regenerator = qt::FindList(view, "lstIRG");
    QVERIFY(diagram && regenerator);
    qt::TypeInto(view, form, "txtpic", "40");
    regenerator->setCurrentRow(1);  // "y"
    QVERIFY(view.widget("frarg")->isVisible());
    qt::Press(view, "cmdCalculate");
    QCOMPARE(qt::FindBox(view, "txtpow")->text(), QString("26,712"));
    QVERIFY(view.widget("fraregen")->isVisible());
    QTest::mouseClick(diagram, Qt::LeftButton);
    qt::CheckShown(view, {"frapic", "Picture1"});
    // The drawing is drawn: a blank white box fails.
    QVERIFY(qt::InkedPixels(*view.widget("Picture1")) > 2000);
    qt::SaveShot(view, "shaftdeck-diagram");
    QTest::mouseClick(diagram, Qt::LeftButton);
    qt::CheckShown(view, {}, {"frapic", "lblError"});
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<shaftdeck::Shaftdeck>({}, {"cmdCalculate", "txtpic", "19.8", "txtalt", "x", true});
  }

  // The charts of the calculated cycle with the regenerator on, as the
  // chart window draws them; they follow the next calculation.
  void chartsOfTheRegeneratedCycle() {
    qt::Opened<shaftdeck::Shaftdeck> opened;
    auto& [form, view] = opened;
    auto& regenerator = *static_cast<core::ListBox*>(form.FindById("lstIRG"));
    form.UserSelect(regenerator, regenerator.IndexOf("y"));
    form.UserClick(*form.FindById("cmdCalculate"));
    qt::ChartWindow charts(form);
    QVERIFY(qt::ShowAt(charts, {960, 680}));
    QCOMPARE(charts.count(), 2);
    qt::ChartTab* ts = charts.tab("ts-diagram");
    QVERIFY(qt::DrawsChart(*ts));
    qt::SaveShot(charts, "shaftdeck-chart-ts-diagram");
    charts.tabs()->setCurrentIndex(1);
    qt::ChartTab* stations = charts.tab("stations");
    QCOMPARE(stations->table()->rowCount(), 7);
    QCOMPARE(stations->table()->item(3, 0)->text(), QString("3x"));
    qt::SaveShot(charts, "shaftdeck-chart-stations");

    form.UserSelect(regenerator, regenerator.IndexOf("n"));
    form.UserClick(*form.FindById("cmdCalculate"));
    QTRY_COMPARE(stations->table()->rowCount(), 5);
  }
};

QTEST_MAIN(ShaftdeckGui)
#include "shaftdeck_gui_test.moc"
