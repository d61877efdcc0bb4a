// The chart window of every program that has charts: from the window's
// defaults and its compute button, every chart has something to draw, its
// tab draws it (saved as chart-<program>-<name>.png under CALC_SHOT_DIR), and
// the program's help names it.
#include <QFile>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QtCharts/QChartView>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "qt/chart_window.h"
#include "core/form.h"
#include "qt/guitest.h"
#include "core/sweep.h"

#include "window_programs.inc"

namespace {

// The buttons that compute: the one Enter in the first box would press,
// then the other shown compute buttons, in the window's order.
std::vector<std::string> ComputeButtons(const core::Form& form) {
  std::vector<std::string> ids;
  auto add = [&](const core::Control* button) {
    if (button && std::find(ids.begin(), ids.end(), button->id()) == ids.end()) ids.push_back(button->id());
  };
  for (const core::TextBox* box : core::SweepInputs(form)) add(form.ComputeFor(*box));
  for (const core::Button* button : core::SweepButtons(form))
    if (button->look == core::Look::Compute || button->text() == "Compute" || button->text() == "Calculate")
      add(button);
  return ids;
}

bool HasContent(const core::ChartData& data) {
  for (const core::ChartSeries& s : data.series)
    for (const core::ChartPoint& p : s.points)
      if (p) return true;
  return !data.marks.empty() || data.table.size() > 1;
}

QString HelpText(const char* program) {
  QFile file(QString(CALC_HELP_DIR) + "/" + program + ".md");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace

class ChartWindowsGui : public QObject {
  Q_OBJECT

 private slots:
  // Calculate writes print files: they go to a scratch folder, not the
  // folder the tests run in.
  void initTestCase() {
    QVERIFY(scratch_.isValid());
    QVERIFY(QDir::setCurrent(scratch_.path()));
  }

  void everyChart_data() {
    QTest::addColumn<int>("program");
    QTest::addColumn<bool>("si");
    // Each chart in both unit systems: in SI every axis, label and table of a
    // quantity is turned, and must still fit where it is drawn.
    for (size_t i = 0; i < kWindowPrograms.size(); ++i) {
      QTest::newRow(kWindowPrograms[i].name) << static_cast<int>(i) << false;
      QTest::newRow((std::string(kWindowPrograms[i].name) + " si").c_str()) << static_cast<int>(i) << true;
    }
  }

  void everyChart() {
    QFETCH(int, program);
    QFETCH(bool, si);
    const WindowProgram& p = kWindowPrograms[static_cast<size_t>(program)];
    const QString shot = si ? QString(p.name) + "-si" : QString(p.name);
    std::unique_ptr<core::Form> probe = p.make();
    probe->Load();
    const std::vector<std::string> names = probe->ChartNames();
    if (names.empty()) return;  // a window without charts
    QCOMPARE(std::set<std::string>(names.begin(), names.end()).size(), names.size());

    // Press each compute button on a fresh window of the defaults until
    // every chart has been drawn; none may stay without data.
    std::vector<std::string> presses = ComputeButtons(*probe);
    presses.insert(presses.begin(), std::string());  // as loaded, first
    std::set<std::string> drawn;
    std::map<std::string, std::string> why;
    const char* shots = std::getenv("CALC_SHOT_DIR");
    for (const std::string& press : presses) {
      if (drawn.size() == names.size()) break;
      std::unique_ptr<core::Form> form = p.make();
      form->Load();
      if (si) form->UserUnits(core::UnitSystem::SI);
      if (!press.empty()) form->UserClick(*form->FindById(press));
      qt::ChartWindow window(*form);
      QVERIFY(qt::ShowAt(window, {1100, 780}));
      QCOMPARE(window.count(), static_cast<int>(names.size()));
      for (int i = 0; i < window.count(); ++i) {
        const std::string& name = names[static_cast<size_t>(i)];
        const core::ChartData data = form->ShownChart(name);
        QVERIFY2(data.name == name, qPrintable(QString("%1: Chart(\"%2\") answers \"%3\"")
                                                   .arg(p.name, QString::fromStdString(name),
                                                        QString::fromStdString(data.name))));
        if (!data.available()) {
          why[name] = data.unavailable;
          continue;
        }
        QVERIFY2(HasContent(data), qPrintable(QString("%1 %2: nothing to draw").arg(p.name, QString::fromStdString(name))));
        if (drawn.count(name)) continue;
        window.tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        qt::ChartTab* tab = window.tab(i);
        QVERIFY(!tab->message()->isVisible());
        QWidget* shown = tab->view()->isVisible() ? static_cast<QWidget*>(tab->view()) : tab->table();
        QVERIFY2(shown->isVisible(), name.c_str());
        QVERIFY2(qt::InkedPixels(*shown) > 1000, name.c_str());
        // The texts where the core placed them, as drawn: each fits its box,
        // none on another, each within reach of its point.
        const std::vector<QGraphicsTextItem*> items = tab->labels();
        const std::vector<core::ChartLabel>& placed = tab->placed();
        QCOMPARE(items.size(), placed.size());
        for (size_t k = 0; k < items.size(); ++k) {
          const QRectF box(items[k]->pos(), items[k]->boundingRect().size());
          const QString what = QString("%1 %2: \"%3\"").arg(p.name, QString::fromStdString(name), items[k]->toPlainText());
          QVERIFY2(box.width() <= placed[k].width + 0.5 && box.height() <= placed[k].height + 0.5,
                   qPrintable(what + QString(" is %1 x %2, its box %3 x %4").arg(box.width()).arg(box.height())
                                         .arg(placed[k].width).arg(placed[k].height)));
          const double dx = std::max({0.0, box.left() - placed[k].atX, placed[k].atX - box.right()});
          const double dy = std::max({0.0, box.top() - placed[k].atY, placed[k].atY - box.bottom()});
          QVERIFY2(std::hypot(dx, dy) <= core::kLabelReach, qPrintable(what + " stands away from its point"));
          for (size_t j = 0; j < k; ++j) {
            const QRectF other(items[j]->pos(), items[j]->boundingRect().size());
            QVERIFY2(!box.intersects(other), qPrintable(what + " on \"" + items[j]->toPlainText() + "\""));
          }
        }
        if (shots) {
          const QString file = QString("%1/chart-%2-%3.png").arg(shots, shot, QString::fromStdString(name));
          QVERIFY(tab->SavePng(file));
          // A table beside a drawing gets its own picture.
          if (tab->view()->isVisible() && tab->table()->isVisible())
            tab->table()->grab().save(QString("%1/chart-%2-%3-table.png").arg(shots, shot, QString::fromStdString(name)));
        }
        drawn.insert(name);
        if (shots)  // the whole window too, tabs and all
          window.grab().save(QString("%1/charts-%2-%3.png").arg(shots, shot, QString::fromStdString(name)));
      }
    }
    for (const std::string& name : names)
      QVERIFY2(drawn.count(name), qPrintable(QString("%1 %2 is never drawn: %3")
                                                 .arg(p.name, QString::fromStdString(name),
                                                      QString::fromStdString(why[name]))));
    // The help tells of each chart by the name `chart NAME` takes.
    const QString help = HelpText(p.name);
    QVERIFY2(!help.isEmpty(), p.name);
    for (const std::string& name : names)
      QVERIFY2(help.contains(QString::fromStdString("`" + name + "`")),
               qPrintable(QString("%1 help does not name the chart `%2`").arg(p.name, QString::fromStdString(name))));
  }

 private:
  QTemporaryDir scratch_;
};

QTEST_MAIN(ChartWindowsGui)
#include "chart_windows_gui_test.moc"
