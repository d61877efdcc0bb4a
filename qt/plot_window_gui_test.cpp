// The plot window on the offscreen platform: what it plots, the gaps it
// lists, the CSV it saves (the script mode's sweep, point for point), and a
// Cancel that stops at once.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QListWidget>
#include <QtTest>
#include <sstream>

#include "flowtables/isentropic_window.h"
#include "qt/guitest.h"
#include "core/numtext.h"
#include "qt/plot_action.h"
#include "qt/plot_window.h"
#include "core/script.h"
#include "qt/view.h"
#include "ringflow/ringflow_window.h"
#include "thrustdeck/thrustdeck_window.h"
#include "thrustfit/thrustfit_window.h"

namespace {

template <class W>
core::FormFactory Make() {
  return [] { return std::make_unique<W>(); };
}

// One CSV line into its fields.
std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The script mode's sweep lines for one curve of the plot's request.
std::vector<std::string> ScriptSweep(const core::FormFactory& make, const std::string& before,
                                     const core::SweepRequest& r) {
  std::string line = "sweep " + r.input + " " + core::NumberText(r.from) + " " +
                     core::NumberText(r.to) + " " + std::to_string(r.points) + " " + r.button;
  for (const std::string& out : r.outputs) line += " " + out;
  std::unique_ptr<core::Form> form = make();
  std::istringstream in(before + line + "\n");
  std::ostringstream out, err;
  if (core::RunScript(*form, make, in, out, err) != 0) qWarning("%s", err.str().c_str());
  return Lines(out.str());
}

// The CSV the window saves, as the script mode's lines: for each family
// value (or once), the sweep of the same request on a window with that
// value typed first.
void CompareCsvWithScript(qt::PlotWindow& plot, const core::FormFactory& make,
                          const std::string& before) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sweep.csv");
  QVERIFY(plot.SaveCsv(path));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const std::vector<std::string> rows = Lines(file.readAll().toStdString());
  const core::SweepRequest& r = plot.request();
  const bool family = !r.family.empty();
  const size_t curves = family ? r.familyTexts.size() : 1;
  QCOMPARE(rows.size(), 1 + curves * static_cast<size_t>(r.points));
  for (size_t c = 0; c < curves; ++c) {
    const std::string typed = family ? "type " + r.family + " " + r.familyTexts[c] + "\n" : "";
    const std::vector<std::string> script = ScriptSweep(make, before + typed, r);
    QCOMPARE(script.size(), static_cast<size_t>(r.points));
    for (int i = 0; i < r.points; ++i) {
      std::vector<std::string> f = CsvFields(rows[1 + c * static_cast<size_t>(r.points) + static_cast<size_t>(i)]);
      if (family) {
        QCOMPARE(f.front(), r.familyTexts[c]);
        f.erase(f.begin());
      }
      QCOMPARE(f.size(), r.outputs.size() + 2);
      core::SweepPoint p;
      p.index = i;
      p.text = f.front();
      p.outputs.assign(f.begin() + 1, f.end() - 1);
      p.message = f.back();
      QCOMPARE(core::SweepPointJson(r, p), script[static_cast<size_t>(i)]);
    }
  }
}

int SeriesPoints(QChart* chart) {
  int n = 0;
  for (QAbstractSeries* s : chart->series()) n += static_cast<QLineSeries*>(s)->count();
  return n;
}

// The window draws the core's description of its points: each curve in its
// colour and dash, on its axis, broken where the description has a gap.
void DrawsItsDescription(qt::PlotWindow& plot) {
  const core::SweepPlot described = plot.description();
  QChart* chart = plot.chart();
  QCOMPARE(chart->title(), QString::fromStdString(described.title));
  QCOMPARE(chart->axes(Qt::Horizontal).front()->titleText(), QString::fromStdString(described.x.title));
  QCOMPARE(chart->axes(Qt::Vertical).size(), described.y2 ? 2 : 1);
  int pieces = 0;
  for (const core::PlotCurve& curve : described.curves) {
    int points = 0, runs = 0;
    for (size_t i = 0; i < curve.points.size(); ++i) {
      points += curve.points[i].has_value();
      runs += curve.points[i] && (i == 0 || !curve.points[i - 1]);
    }
    int drawn = 0, found = 0;
    for (QAbstractSeries* s : chart->series()) {
      if (s->name() != QString::fromStdString(curve.name)) continue;
      auto* line = static_cast<QLineSeries*>(s);
      QCOMPARE(line->pen().color().name(), QString::fromStdString(curve.colour));
      QVERIFY(line->pen().color().name() != QString(core::kAlarmColour));
      const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
      QCOMPARE(line->pen().style(), styles[static_cast<int>(curve.dash)]);
      const QAbstractAxis* axis = chart->axes(Qt::Vertical, s).front();
      QCOMPARE(axis->titleText(), QString::fromStdString(curve.secondAxis ? described.y2->title : described.y.title));
      drawn += line->count();
      ++found;
    }
    QCOMPARE(drawn, points);
    QCOMPARE(found, runs);
    pieces += found;
  }
  QCOMPARE(static_cast<int>(chart->series().size()), pieces);
  const QStringList gaps = plot.GapLines();
  QCOMPARE(gaps.size(), static_cast<int>(described.gapLines.size()));
  for (int i = 0; i < gaps.size(); ++i) QCOMPARE(gaps[i], QString::fromStdString(described.gapLines[static_cast<size_t>(i)]));
}

}  // namespace

class PlotWindowGui : public QObject {
  Q_OBJECT
 private slots:
  void contextMenuOpensThePlotModule() {
    flowtables::Isentropic form;
    form.Load();
    qt::View view(form);
    QAction* action = qt::AddSweepAction(view, form, Make<flowtables::Isentropic>());
    view.show();
    QVERIFY(view.actions().contains(action));
    QCOMPARE(view.contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(action->text(), QString("Sweep and plot…"));
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QVERIFY(action->isShortcutVisibleInContextMenu());
    action->trigger();
    QWidget* plot = view.findChild<QWidget*>("PlotWindow");
    QVERIFY2(plot, qPrintable(qt::PlotModulePath()));
    QTRY_VERIFY(plot->isVisible());
    // The box of the compute button comes first, with its value's range.
    auto* input = plot->findChild<QComboBox*>("input");
    // Each control offered by its one caption, as the error line and the
    // screen reader name it, and never by its control name.
    QCOMPARE(input->currentText(), QString("M"));
    const std::vector<const core::TextBox*> boxes = core::SweepInputs(form);
    QCOMPARE(input->count(), static_cast<int>(boxes.size()));
    for (int i = 0; i < input->count(); ++i)
      QCOMPARE(input->itemText(i), QString::fromStdString(core::CaptionOf(form, *boxes[static_cast<size_t>(i)])));
    QCOMPARE(plot->findChild<QLineEdit*>("from")->text(), QString("0.5"));
    QCOMPARE(plot->findChild<QLineEdit*>("to")->text(), QString("2"));
    QCOMPARE(plot->findChild<QComboBox*>("button")->currentText(), QString("Compute"));
    // A second trigger shows the same window, offering what the window
    // shows now: the area ratio box instead of the Mach number's.
    form.UserClick(*form.FindById("OptSingleAA"));
    action->trigger();
    QCOMPARE(view.findChildren<QWidget*>("PlotWindow").size(), 1);
    QCOMPARE(input->currentText(), QString("A/A* (subsonic)"));
    QCOMPARE(input->findText("M", Qt::MatchExactly), -1);
  }

  void isentropicRatiosOnALogAxis() {
    flowtables::Isentropic form;
    form.Load();
    const std::string before = core::StateText(form);
    qt::PlotWindow plot(form, Make<flowtables::Isentropic>());
    QVERIFY(plot.ChooseInput("txtm1"));
    plot.SetRange(0.1, 4, 40);
    QVERIFY(plot.ChooseOutputs({"lblp1", "lbla1"}));
    plot.SetLogAxes(false, true);
    QVERIFY(qt::ShowAt(plot, {1100, 640}));
    QVERIFY(plot.Start());
    QTRY_VERIFY_WITH_TIMEOUT(plot.finished(), 20000);
    QCOMPARE(plot.points().size(), size_t{40});
    QCOMPARE(core::StateText(form), before);  // the window is not touched
    // It keeps the finished run, for charts that draw it.
    QCOMPARE(form.lastSweep().points.size(), size_t{40});
    QCOMPARE(form.lastSweep().outputs, (std::vector<std::string>{"lblp1", "lbla1"}));
    QChart* chart = plot.chart();
    QCOMPARE(chart->series().size(), 2);
    QCOMPARE(SeriesPoints(chart), 80);
    // p/pt stays below one, A/A* reaches 10.7: a second vertical axis, both
    // logarithmic; the axis titles are the captions.
    QCOMPARE(chart->axes(Qt::Vertical).size(), 2);
    for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) QVERIFY(qobject_cast<QLogValueAxis*>(axis));
    QCOMPARE(chart->axes(Qt::Horizontal).front()->titleText(), QString("M"));
    QCOMPARE(chart->axes(Qt::Vertical, chart->series()[0]).front()->titleText(), QString("p/pt"));
    QCOMPARE(chart->axes(Qt::Vertical, chart->series()[1]).front()->titleText(), QString("A/A*"));
    QVERIFY(plot.GapLines().isEmpty());
    DrawsItsDescription(plot);
    CompareCsvWithScript(plot, Make<flowtables::Isentropic>(), "");
    // Copy: tab-separated with the headings.
    QCOMPARE(QString::fromStdString(plot.TableText('\t')).section('\n', 0, 0),
             QString("M\tp/pt\tA/A*\tMessage"));
    QTemporaryDir dir;
    QVERIFY(plot.SavePng(dir.filePath("plot.png")));
    QVERIFY(QImage(dir.filePath("plot.png")).width() > 500);
    QVERIFY(plot.SaveSvg(dir.filePath("plot.svg")));
    QFile svg(dir.filePath("plot.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    QVERIFY(drawing.contains("<svg") && drawing.contains("<path"));
    qt::SaveShot(plot, "plot-isentropic");
  }

  void thrustdeckFamilyOnTwoAxes() {
    thrustdeck::JetCycle form;
    form.Load();
    qt::PlotWindow plot(form, Make<thrustdeck::JetCycle>());
    QVERIFY(plot.ChooseInput("txtpic"));
    plot.SetRange(2, 40, 20);
    QVERIFY(plot.ChooseOutputs({"txtff", "txttsfc"}));
    QVERIFY(plot.ChooseFamily("txttt4", "2000 2500 3000"));
    QVERIFY(qt::ShowAt(plot, {1100, 640}));
    QVERIFY(plot.Start());
    QTRY_VERIFY_WITH_TIMEOUT(plot.finished(), 20000);
    QCOMPARE(plot.points().size(), size_t{60});
    QChart* chart = plot.chart();
    QVERIFY(chart->series().size() >= 6);  // two results for each of three values
    QCOMPARE(chart->axes(Qt::Vertical).size(), 2);
    // A curve by the result's one caption, and the family value.
    QCOMPARE(chart->series()[0]->name(), QString("Thrust (lbf), 2000"));
    QVERIFY(chart->title().contains("Burner exit temperature"));
    DrawsItsDescription(plot);
    // A colour for each temperature, a dash for each result.
    const core::SweepPlot described = plot.description();
    QCOMPARE(described.curves[0].colour, described.curves[3].colour);
    QVERIFY(described.curves[3].dash != described.curves[0].dash);
    QVERIFY(described.y2.has_value());
    CompareCsvWithScript(plot, Make<thrustdeck::JetCycle>(), "");
    qt::SaveShot(plot, "plot-thrustdeck");
  }

  void thrustfitGapsWithTheirMessages() {
    thrustfit::Form1 form;
    form.Load();
    qt::PlotWindow plot(form, Make<thrustfit::Form1>());
    QVERIFY(plot.ChooseInput("txtmach"));
    plot.SetRange(0, 1.8, 25);
    QVERIFY(plot.ChooseOutputs({"TxtNEN", "txttsfc"}));
    QVERIFY(qt::ShowAt(plot, {1100, 640}));
    QVERIFY(plot.Start());
    QTRY_VERIFY_WITH_TIMEOUT(plot.finished(), 30000);
    int gaps = 0;
    for (const core::SweepPoint& p : plot.points()) gaps += !p.message.empty();
    QVERIFY(gaps > 0 && gaps < 25);
    const QStringList lines = plot.GapLines();
    QCOMPARE(lines.size(), gaps);
    QVERIFY(lines.front().endsWith(": Did not converge!!!"));
    QVERIFY(plot.status().contains(QString("%1 of them gaps").arg(gaps)));
    // Only the points without a message are drawn.
    QCOMPARE(SeriesPoints(plot.chart()), 2 * (25 - gaps));
    DrawsItsDescription(plot);
    CompareCsvWithScript(plot, Make<thrustfit::Form1>(), "");
    qt::SaveShot(plot, "plot-thrustfit");
  }

  // Its results go to the print file: the window offers the radial profiles
  // by their captions, and to start with a sweep of the hub diameter over
  // which every point computes, of two of them that change along it.
  void ringflowOffersItsProfilesToStartWith() {
    ringflow::Ringflow form;
    form.Load();
    qt::PlotWindow plot(form, Make<ringflow::Ringflow>());
    plot.resize(1100, 640);
    plot.show();
    auto* results = plot.findChild<QListWidget*>("results");
    QStringList checked;
    for (int i = 0; i < results->count(); ++i) {
      QVERIFY2(!results->item(i)->text().startsWith("chart:"), qPrintable(results->item(i)->text()));
      if (results->item(i)->checkState() == Qt::Checked) checked << results->item(i)->text();
    }
    // (At the entrance Ca is the same in every annulus: one of them.)
    QCOMPARE(checked, QStringList({"Ca (ft/s), station 0, annulus 1", "Ca (ft/s), station 1, annulus 1"}));
    QCOMPARE(plot.findChild<QComboBox*>("input")->currentText(), QString("Hub Dia (ft)"));
    QVERIFY(plot.Start());
    QTRY_VERIFY_WITH_TIMEOUT(plot.finished(), 30000);
    QCOMPARE(plot.points().size(), size_t{core::kDefaultPoints});
    QVERIFY(plot.GapLines().isEmpty());
    QCOMPARE(plot.chart()->axes(Qt::Vertical).front()->titleText(),
             QString("Ca (ft/s), station 0, annulus 1, Ca (ft/s), station 1, annulus 1"));
    DrawsItsDescription(plot);
    qt::SaveShot(plot, "plot-ringflow-default");
  }

  void cancelStopsARingflowSweepAtOnce() {
    ringflow::Ringflow form;
    form.Load();
    qt::PlotWindow plot(form, Make<ringflow::Ringflow>());
    QVERIFY(plot.ChooseInput("txtrotn"));
    plot.SetRange(1000, 60000, 10000);
    QVERIFY(plot.ChooseOutputs({"Txtjconv"}));
    plot.show();
    QVERIFY(plot.Start());
    QTest::qWait(300);
    QVERIFY(plot.running());
    // The windows stay usable meanwhile.
    form.UserType(*static_cast<core::TextBox*>(form.FindById("txtrotn")), "11000");
    QElapsedTimer clock;
    clock.start();
    plot.Cancel();
    QTRY_VERIFY_WITH_TIMEOUT(!plot.running(), 2000);
    QVERIFY2(clock.elapsed() <= 500, qPrintable(QString::number(clock.elapsed()) + " ms"));
    QVERIFY(plot.status().startsWith("Cancelled after"));
    DrawsItsDescription(plot);
    QVERIFY(!plot.finished());
    QVERIFY(plot.points().size() < 10000);
    QVERIFY(form.lastSweep().empty());  // a cancelled run is not kept
  }
};

QTEST_MAIN(PlotWindowGui)
#include "plot_window_gui_test.moc"
