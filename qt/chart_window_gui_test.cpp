// The chart window on the offscreen platform, with a toy window of two
// charts: one that uses every kind of drawing, one that never has data.
#include <QAction>
#include <QFile>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <QtTest>
#include <cmath>
#include <optional>

#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "core/numtext.h"
#include "qt/plot_action.h"
#include "qt/view.h"

namespace {

using core::ChartData;
using core::ChartMark;
using core::ChartSeries;
using core::SeriesStyle;

// A window of one box and Calculate; its charts draw the value computed.
class Toy : public core::Form {
 public:
  Toy() : Form("Toy Charts by QMX 03.05.2005      FOR EDUCATIONAL PURPOSES ONLY", 320, 120) {
    box = AddTextBox("txtv", {10, 10, 80, 24});
    box->what = "Speed";
    out = AddLabel("lblout", "", {100, 10, 80, 24}, nullptr, core::Look::Result);
    AddButton("cmdCalculate", "Calculate", {10, 50, 100, 32}, nullptr, core::Look::Compute)->Click = [this] {
      last.reset();
      const double v = Strict(box);
      if (v <= 0) Refuse(box, "must be above zero");
      last = v;
      out->setCaption(core::NumberText(static_cast<float>(v)));
    };
  }
  std::vector<std::string> ChartNames() const override { return {"every", "later"}; }
  ChartData Chart(const std::string& name) const override {
    ++charted;
    if (name == "later") return core::Unavailable(name, "Later", "Nothing to draw: α < β & γ");
    if (name != "every") return Form::Chart(name);
    if (!last)
      return core::Unavailable(name, "Every kind", lblError->visible()
                                                       ? "The last computation failed: " + lblError->caption()
                                                       : "Press Calculate to draw the chart");
    const double v = *last;
    ChartData c;
    c.name = name;
    c.title = "Velocity triangles, γ = 1.4, T₄/T₀ = 5";
    c.x = {"Cₓ (ft/s)", false};
    c.y = {"C_θ (ft/s)", false};
    c.y2 = core::ChartAxis{"p/p₀", true};
    c.equalScale = true;
    ChartSeries line("speed line", {std::pair{0.0, 0.0}, std::pair{1.0, v}, std::nullopt, std::pair{2.0, v},
                                    std::pair{3.0, 2 * v}});
    line.labels = {"start", "", "", "", "end"};
    c.series.push_back(line);
    c.series.push_back({"surge line", {std::pair{0.0, 1.0}, std::pair{3.0, 4.0}}, SeriesStyle::Dashed});
    ChartSeries points("efficiency", {std::pair{1.0, 3.0}, std::pair{2.0, 3.5}}, SeriesStyle::Points);
    points.labels = {"η = 0.85", "η = 0.80"};
    c.series.push_back(points);
    c.series.push_back({"absolute", {std::pair{0.0, 0.0}, std::pair{v, 1.0}, std::pair{v, 1.0},
                                     std::pair{v, 2.0}},
                        SeriesStyle::Arrows});
    c.series.push_back({"pressure", {std::pair{0.0, 0.1}, std::pair{1.5, 10.0}, std::pair{3.0, 100.0}},
                        SeriesStyle::Line, true});
    c.marks.push_back({"Operating point", 1.5, v, "100 % speed"});
    c.marks.push_back({"Surge", 2.5, 1.0, "surged", true});
    c.table = {{"Station", "Tₜ (deg R)"}, {"0", "518.7"}, {"4", core::NumberText(static_cast<float>(v))}};
    return c;
  }
  core::TextBox* box;
  core::Label* out;
  std::optional<double> last;
  mutable int charted = 0;  // how often a chart was asked for
};

// Pixels per unit along x and along y of the drawing.
std::pair<double, double> Scale(qt::ChartTab& tab) {
  const QPointF o = tab.Position(0, 0), x = tab.Position(1, 0), y = tab.Position(0, 1);
  return {x.x() - o.x(), o.y() - y.y()};
}

int Points(QChart* chart, const QString& name) {
  int n = 0;
  for (QAbstractSeries* s : chart->series())
    if (s->name() == name) n += static_cast<QXYSeries*>(s)->count();
  return n;
}

// The colour a series is drawn in: its markers', or its line's.
QColor Drawn(QAbstractSeries* s) {
  if (auto* scatter = qobject_cast<QScatterSeries*>(s)) return scatter->color();
  return static_cast<QXYSeries*>(s)->pen().color();
}

// The tab draws the core's look of its data: every piece of a series in the
// series' colour, dash and axis, every group of marks in its colour.
void DrawsItsLook(qt::ChartTab& tab) {
  const core::ChartData& data = tab.data();
  const core::ChartLook& look = tab.look();
  QChart* chart = tab.view()->chart();
  QCOMPARE(look.series.size(), data.series.size());
  int checked = 0;
  for (QAbstractSeries* s : chart->series()) {
    const QString name = s->name();
    for (size_t i = 0; i < data.series.size(); ++i) {
      if (qt::ChartRichText(data.series[i].name) != name || name.isEmpty()) continue;
      QCOMPARE(Drawn(s).name(), QString::fromStdString(look.series[i].colour));
      QVERIFY(Drawn(s).name() != QString(core::kAlarmColour));
      if (!qobject_cast<QScatterSeries*>(s))
        QCOMPARE(static_cast<QXYSeries*>(s)->pen().style(),
                 look.series[i].dash == core::Dash::Dash ? Qt::DashLine : Qt::SolidLine);
      const bool right = chart->axes(Qt::Vertical, s).front()->alignment() == Qt::AlignRight;
      QCOMPARE(right, look.series[i].secondAxis);
      ++checked;
    }
    for (const core::ChartLook::Group& g : look.groups)
      if (!g.legend.empty() && qt::ChartRichText(g.legend) == name) {
        QCOMPARE(Drawn(s).name(), QString::fromStdString(g.colour));
        ++checked;
      }
  }
  QVERIFY(checked >= static_cast<int>(data.series.size()));
}

}  // namespace

class ChartWindowGui : public QObject {
  Q_OBJECT

 private:
  void Compute(Toy& form, const char* text) {
    form.UserType(*form.box, text);
    form.UserClick(*form.Find("cmdCalculate"));
  }

 private slots:
  void drawsEveryKindAndSaysWhyWhenItCannot() {
    Toy form;
    form.Load();
    Compute(form, "2");
    qt::ChartWindow window(form);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QString("Toy Charts by QMX 03.05.2005 — Charts"));
    QCOMPARE(window.count(), 2);
    QCOMPARE(window.tabs()->tabText(0), QString("Velocity triangles, γ = 1.4, T4/T0 = 5"));
    QCOMPARE(window.tabs()->tabToolTip(0), QString("every"));
    qt::ChartTab* every = window.tab("every");
    QVERIFY(every && !every->message()->isVisible() && every->view()->isVisible());
    QVERIFY(!every->view()->accessibleName().isEmpty());
    QVERIFY(!window.tabs()->widget(0)->accessibleName().isEmpty());
    QChart* chart = every->view()->chart();
    // Sub- and superscripts the font lacks become rich text.
    QCOMPARE(chart->title(), QString("Velocity triangles, γ = 1.4, T<sub>4</sub>/T<sub>0</sub> = 5"));
    QCOMPARE(chart->axes(Qt::Horizontal).front()->titleText(), QString("C<sub>x</sub> (ft/s)"));
    // Two vertical axes: the second logarithmic, on the right.
    const auto vertical = chart->axes(Qt::Vertical);
    QCOMPARE(vertical.size(), 2);
    QVERIFY(qobject_cast<QValueAxis*>(vertical[0]));
    QVERIFY(qobject_cast<QLogValueAxis*>(vertical[1]));
    QCOMPARE(vertical[1]->alignment(), Qt::AlignRight);
    // The gap breaks the line in two; arrows are one shaft per vector.
    QCOMPARE(Points(chart, "speed line"), 4);
    int segments = 0, shafts = 0;
    for (QAbstractSeries* s : chart->series()) {
      segments += s->name() == "speed line";
      shafts += s->name() == "absolute";
    }
    QCOMPARE(segments, 2);
    QCOMPARE(shafts, 2);
    QVERIFY(qobject_cast<QScatterSeries*>(chart->series()[3]));
    // Each curve once in the legend, marks by their names.
    QStringList legend;
    for (QLegendMarker* marker : chart->legend()->markers()) {
      if (marker->isVisible()) legend << marker->label();
    }
    QCOMPARE(legend, QStringList({"speed line", "surge line", "efficiency", "absolute", "pressure",
                                  "Operating point", "Surge"}));
    // In the core's colours: red for the surged point alone.
    DrawsItsLook(*every);
    QCOMPARE(every->look().groups.back().colour, std::string(core::kAlarmColour));
    // Labels beside their points, none over another; the alarm in red.
    QStringList texts;
    for (QGraphicsTextItem* item : every->labels()) texts << item->toPlainText();
    for (const char* want : {"start", "end", "η = 0.85", "100 % speed", "surged"})
      QVERIFY2(texts.contains(QString::fromUtf8(want)), qPrintable(texts.join('|')));
    for (QGraphicsTextItem* a : every->labels())
      for (QGraphicsTextItem* b : every->labels())
        if (a != b)
          QVERIFY2(!a->sceneBoundingRect().adjusted(1, 1, -1, -1).intersects(
                       b->sceneBoundingRect().adjusted(1, 1, -1, -1)),
                   qPrintable(a->toPlainText() + " over " + b->toPlainText()));
    for (QGraphicsTextItem* item : every->labels())
      if (item->toPlainText() == "surged") QCOMPARE(item->defaultTextColor().red() > 200, true);
    // The table: read-only, its headings and rows.
    QTableWidget* table = every->table();
    QVERIFY(table->isVisible());
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    // (A heading is plain text: a subscript the font lacks reads as a letter.)
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("Tt (deg R)"));
    QCOMPARE(table->item(1, 1)->text(), QString("2"));
    // Hovering a point tells its values.
    QXYSeries* surge = nullptr;
    for (QAbstractSeries* s : chart->series())
      if (s->name() == "surge line") surge = static_cast<QXYSeries*>(s);
    QVERIFY(surge);
    emit surge->hovered(QPointF(2.9, 3.9), true);
    QCOMPARE(every->hover()->text(), QString("surge line:  C<sub>x</sub> (ft/s) = 3,  C_θ (ft/s) = 4"));

    // The other tab says why it has nothing, in place of a drawing.
    qt::ChartTab* later = window.tab("later");
    window.tabs()->setCurrentIndex(1);
    QVERIFY(later->message()->isVisible());
    QCOMPARE(later->message()->text(), QString("Nothing to draw: α < β & γ"));
    QVERIFY(!later->view()->isVisible());
    QVERIFY(later->view()->chart()->series().isEmpty());
    QVERIFY(!later->findChild<QPushButton*>("savePNG")->isEnabled());
    qt::SaveShot(window, "chart-toy-unavailable");
    window.tabs()->setCurrentIndex(0);
    qt::SaveShot(window, "chart-toy");
  }

  void copiesAndSaves() {
    Toy form;
    form.Load();
    Compute(form, "2");
    qt::ChartWindow window(form);
    window.show();
    qt::ChartTab* every = window.tab("every");
    const QString text = every->CopyText();
    QCOMPARE(text.section('\n', 0, 3),
             QString("Series\tCₓ (ft/s)\tC_θ (ft/s)\tp/p₀\tLabel\n"
                     "speed line\t0\t0\t\tstart\n"
                     "speed line\t1\t2\t\t\n"
                     "speed line\t\t\t\t"));
    QVERIFY(text.contains("pressure\t3\t\t100\t\n"));
    QVERIFY(text.contains("Surge\t2.5\t1\t\tsurged\n"));
    QVERIFY(text.endsWith("\n\nStation\tTₜ (deg R)\n0\t518.7\n4\t2\n"));
    every->findChild<QPushButton*>("copy")->click();
    QCOMPARE(QApplication::clipboard()->text(), text);
    // The table copies itself alone.
    every->table()->setFocus();
    for (QAction* action : every->table()->actions())
      if (action->text() == "Copy") action->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("Station\tTₜ (deg R)\n0\t518.7\n4\t2\n"));

    QTemporaryDir dir;
    QVERIFY(every->SavePng(dir.filePath("every.png")));
    const QImage image(dir.filePath("every.png"));
    QCOMPARE(image.size(), every->view()->size());
    QVERIFY(qt::InkedPixels(*every->view()) > 5000);
    QVERIFY(every->SaveSvg(dir.filePath("every.svg")));
    QFile svg(dir.filePath("every.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    QVERIFY(drawing.contains("<svg") && drawing.contains("<path"));
    QVERIFY(!window.tab("later")->SavePng(dir.filePath("later.png")));
  }

  void equalScaleHoldsWhenResized() {
    Toy form;
    form.Load();
    Compute(form, "2");
    qt::ChartWindow window(form);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    qt::ChartTab* every = window.tab("every");
    for (QSize size : {QSize(980, 700), QSize(1400, 520), QSize(640, 900), QSize(700, 700)}) {
      window.resize(size);
      QTRY_VERIFY(every->view()->width() < size.width());
      QApplication::processEvents();
      const auto [sx, sy] = Scale(*every);
      QVERIFY2(sx > 0 && std::fabs(sx - sy) <= 0.01 * sx,
               qPrintable(QString("%1 x %2: %3 and %4 px per unit").arg(size.width()).arg(size.height()).arg(sx).arg(sy)));
      // Every point still inside the drawing.
      const QRectF plot = every->view()->chart()->plotArea().adjusted(-1, -1, 1, 1);
      for (auto [x, y] : {std::pair{0.0, 0.0}, std::pair{3.0, 4.0}, std::pair{3.0, 4.0}})
        QVERIFY(plot.contains(every->Position(x, y)));
    }
  }

  void followsEachComputationAndFailure() {
    Toy form;
    form.Load();
    qt::ChartWindow window(form);
    window.show();
    qt::ChartTab* every = window.tab("every");
    QCOMPARE(every->message()->text(), QString("Press Calculate to draw the chart"));
    Compute(form, "2");
    QTRY_VERIFY(!every->message()->isVisible());
    QCOMPARE(every->table()->item(1, 1)->text(), QString("2"));
    // Actions in a row are drawn once, when the window has time.
    form.charted = 0;
    Compute(form, "3");
    Compute(form, "3.5");
    QCOMPARE(form.charted, 0);
    QTRY_COMPARE(every->table()->item(1, 1)->text(), QString("3.5"));
    QApplication::processEvents();
    QCOMPARE(form.charted, 2);
    // A failed computation leaves no stale drawing.
    Compute(form, "-1");
    QTRY_VERIFY(every->message()->isVisible());
    QVERIFY(every->message()->text().startsWith("The last computation failed: "));
    QVERIFY(every->view()->chart()->series().isEmpty());
    QVERIFY(!every->table()->isVisible());
    // Closed, the window no longer listens.
    {
      qt::ChartWindow other(form);
    }
    Compute(form, "4");
    QTRY_VERIFY(!every->message()->isVisible());
  }

  void chartsInTheContextMenuOnlyWhereThereAreCharts() {
    Toy form;
    form.Load();
    qt::View view(form);
    QAction* sweep = qt::AddSweepAction(view, form, [] { return std::make_unique<Toy>(); });
    QAction* charts = qt::AddChartAction(view, form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(charts && view.actions().contains(charts));
    QCOMPARE(charts->text(), QString("Charts…"));
    QVERIFY(charts->isShortcutVisibleInContextMenu());
    // No other shortcut of the window is the same.
    QVERIFY(!charts->shortcut().isEmpty());
    for (QAction* other : view.findChildren<QAction*>())
      if (other != charts) QVERIFY(other->shortcut() != charts->shortcut());
    QVERIFY(charts->shortcut() != QKeySequence(QKeySequence::Copy));
    QVERIFY(charts->shortcut() != sweep->shortcut());
    QCOMPARE(charts->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    // The shortcut works from the box being typed into.
    auto* edit = qt::FindBox(view, "txtv");
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keySequence(edit, charts->shortcut());
    QWidget* open = view.findChild<QWidget*>("ChartWindow");
    QVERIFY2(open, qPrintable(qt::PlotModulePath()));
    QTRY_VERIFY(open->isVisible());
    charts->trigger();
    QCOMPARE(view.findChildren<QWidget*>("ChartWindow").size(), 1);

    core::Form plain("Plain", 100, 50);
    qt::View bare(plain);
    QCOMPARE(qt::AddChartAction(bare, plain), nullptr);
  }

  void richTextOfTheLabels() {
    struct Case {
      const char* text;
      const char* html;
    };
    for (const Case& c : {Case{"T₄", "T<sub>4</sub>"}, Case{"m²/s³", "m<sup>2</sup>/s<sup>3</sup>"},
                          Case{"p₀₁ < pₜ & q", "p<sub>01</sub> &lt; p<sub>t</sub> &amp; q"},
                          Case{"(s − s*)/R", "(s − s*)/R"}, Case{"γ", "γ"}})
      QCOMPARE(qt::ChartRichText(c.text), QString::fromUtf8(c.html));
  }
};

QTEST_MAIN(ChartWindowGui)
#include "chart_window_gui_test.moc"
