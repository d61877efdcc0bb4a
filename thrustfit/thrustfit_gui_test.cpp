// The Qt binding of the jet engine matching window, on the offscreen platform.
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "core/sweep.h"
#include "qt/view.h"
#include "thrustfit/thrustfit_window.h"

class ThrustfitGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionInEngineMode() {
    qt::Opened<thrustfit::Form1> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Jet Engine Component Matching Analysis by QMX 03.05.2005               "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"));
    qt::CheckShown(view, {"fraTJ2"}, {"fragg", "Fraconv"});
    qt::SaveShot(view, "thrustfit");
  }

  void typingAndCalculateGoThroughTheModel() {
    qt::Opened<thrustfit::Form1> opened;
    auto& [form, view] = opened;
    qt::TypeInto(view, form, "txtn2", "9500");
    qt::Press(view, "cmdCalculate");
    auto* speed = qt::FindBox(view, "txtn2a");
    QVERIFY(speed);
    QVERIFY(!speed->text().isEmpty());
    qt::CheckShown(view, {}, {"Fraconv", "lblError"});
    qt::SaveShot(view, "thrustfit-engine");
    form.UserSelect(*static_cast<core::ListBox*>(form.FindById("lstge")), 2);
    qt::CheckShown(view, {"fraframe1"}, {"fraTJ2"});
    qt::SaveShot(view, "thrustfit-airframe");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<thrustfit::Form1>({}, {"cmdCalculate", "txtc1", "0.088", nullptr, nullptr, true});
  }

  // The compressor map in the chart window with the running line of a sweep
  // of the flight Mach number, and surged (qt/chart_windows_gui_test draws
  // both maps after the defaults' Calculate).
  void mapsInTheChartWindow() {
    thrustfit::Form1 form;
    qt::View view(form);
    form.Load();
    form.UserClick(*form.FindById("cmdCalculate"));
    qt::ChartWindow charts(form);
    QVERIFY(qt::ShowAt(charts, {960, 680}));
    QCOMPARE(charts.count(), 2);
    core::SweepRequest request;
    request.input = "txtmach";
    request.from = 0;
    request.to = 1.4;
    request.points = 15;
    request.button = "cmdCalculate";
    request.outputs = {"txtm2", "txtppc"};
    core::Sweep sweep(form, [] { return std::make_unique<thrustfit::Form1>(); }, request);
    form.NoteSweep(core::Trace(request, sweep.Run(1)));
    charts.Refresh();
    QTest::qWait(100);  // the legend is laid out on the next turns of the event loop
    charts.tabs()->setCurrentWidget(charts.tab("compressor-map"));
    qt::SaveShot(charts, "thrustfit-compressor-map-running");
    form.UserSelect(*static_cast<core::ListBox*>(form.FindById("lstge")), 0);
    form.UserType(*static_cast<core::TextBox*>(form.FindById("txtmc4c")), "26");
    form.UserClick(*form.FindById("cmdCalculate"));
    QVERIFY(form.FindById("frasurge")->shown());
    charts.Refresh();
    QTest::qWait(100);  // the legend is laid out on the next turns of the event loop
    qt::SaveShot(charts, "thrustfit-compressor-map-surged");
  }
};

QTEST_MAIN(ThrustfitGui)
#include "thrustfit_gui_test.moc"
