// Every window of the suite on a screen of 1366 x 768 (the test's offscreen
// screen): in its largest state (a print notice under it, its help, sweep
// and chart windows open) no window reaches past the screen, and whatever
// does not fit can be scrolled to. And the keyboard in every window: Enter
// in a list computes, as in a box.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QPointer>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <algorithm>
#include <QtTest>
#include <memory>

#include "core/sweep.h"
#include "launcher/calculators_window.h"
#include "qt/guitest.h"
#include "qt/help_window.h"
#include "qt/plot_action.h"
#include "qt/chart_window.h"
#include "qt/plot_window.h"
#include "qt/view.h"

#include "window_programs.inc"

namespace {

// Every window: the programs, then the launcher.
struct Window {
  std::string name;
  std::function<std::unique_ptr<core::Form>()> make;
};

std::vector<Window> Windows() {
  std::vector<Window> all;
  for (const WindowProgram& p : kWindowPrograms) all.push_back({p.name, p.make});
  all.push_back({"calculators", [] { return std::unique_ptr<core::Form>(new launcher::Calculators); }});
  return all;
}

// Where the window and its frame stand inside the screen's available area.
bool OnScreen(const QWidget& window, QString* why) {
  const QRect area = window.screen()->availableGeometry();
  const QRect outer = window.frameGeometry();
  if (area.contains(outer)) return true;
  *why = QString("%1 at %8,%9 reaches %2x%3+%4+%5 of %6x%7")
             .arg(window.objectName())
             .arg(outer.width()).arg(outer.height()).arg(outer.x()).arg(outer.y())
             .arg(area.width()).arg(area.height()).arg(window.x()).arg(window.y());
  return false;
}

// The shown window of that name that owner opened.
QWidget* OpenedWindow(QWidget& owner, const char* name) {
  for (QWidget* w : owner.findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly))
    if (w->isWindow() && w->isVisible()) return w;
  return nullptr;
}

}  // namespace

class SuiteWindowsGui : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    QCOMPARE(screen, QSize(1366, 768));
    // Calculate writes print files: they go to a scratch folder, not the
    // folder the tests run in.
    QVERIFY(scratch_.isValid());
    QVERIFY(QDir::setCurrent(scratch_.path()));
  }

  void fitTheScreen_data() {
    QTest::addColumn<int>("window");
    const auto all = Windows();
    for (size_t i = 0; i < all.size(); ++i) QTest::newRow(all[i].name.c_str()) << static_cast<int>(i);
  }

  void fitTheScreen() {
    QFETCH(int, window);
    const Window w = Windows()[static_cast<size_t>(window)];
    std::unique_ptr<core::Form> form = w.make();
    form->Load();
    qt::View view(*form);
    qt::AddHelpActions(view, "# Help\n\nText.\n");
    QAction* sweep = qt::AddSweepAction(view, *form, w.make);
    QAction* charts = qt::AddChartAction(view, *form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // The largest the window becomes: with the notice of a print file.
    view.FileWritten("Largest 1.txt");
    QTest::qWait(10);

    QString why;
    QVERIFY2(OnScreen(view, &why), qPrintable(why));

    // All of the canvas can be scrolled to: its last corner, and the status
    // line's button.
    auto* scroll = view.findChild<QScrollArea*>("scroll");
    QVERIFY(scroll);
    const QSize canvas = view.canvas()->size();
    QVERIFY(scroll->viewport()->width() + scroll->horizontalScrollBar()->maximum() >= canvas.width());
    QVERIFY(scroll->viewport()->height() + scroll->verticalScrollBar()->maximum() >= canvas.height());
    auto* open = view.findChild<QPushButton*>("statusOpenFolder");
    QVERIFY(open);
    scroll->ensureWidgetVisible(open, 0, 0);
    const QRect seen(open->mapTo(scroll->viewport(), QPoint(0, 0)), open->size());
    QVERIFY2(scroll->viewport()->rect().contains(seen), "Open folder cannot be scrolled to");
    // A window that fits shows no scroll bar.
    const QSize room = view.screen()->availableGeometry().size();
    if (canvas.width() + 50 < room.width() && canvas.height() + 50 < room.height()) {
      QCOMPARE(view.size(), canvas);
      QVERIFY(!scroll->verticalScrollBar()->isVisible());
    }
    qt::SaveShot(view, QString::fromStdString("screen-" + w.name));

    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_F1);
    QWidget* help = qt::HelpWindowOf(view);
    QVERIFY(help && QTest::qWaitForWindowExposed(help));
    QTest::qWait(10);
    QVERIFY2(OnScreen(*help, &why), qPrintable(why));
    help->close();

    sweep->trigger();
    QWidget* plot = OpenedWindow(view, "PlotWindow");
    QVERIFY(plot && QTest::qWaitForWindowExposed(plot));
    QTest::qWait(10);
    QVERIFY2(OnScreen(*plot, &why), qPrintable(why));
    qt::SaveShot(*plot, QString::fromStdString("screen-" + w.name + "-sweep"));
    plot->close();
    if (charts) {
      charts->trigger();
      QWidget* chart = OpenedWindow(view, "ChartWindow");
      QVERIFY(chart && QTest::qWaitForWindowExposed(chart));
      QTest::qWait(10);
      QVERIFY2(OnScreen(*chart, &why), qPrintable(why));
      chart->close();
    }
  }

  // The sweep window: Enter in From or To presses Plot; Escape closes it, and
  // the chart window likewise.
  void sweepAndChartKeys() {
    auto fanno = std::find_if(kWindowPrograms.begin(), kWindowPrograms.end(),
                              [](const WindowProgram& p) { return std::string(p.name) == "fanno"; });
    QVERIFY(fanno != kWindowPrograms.end());
    std::unique_ptr<core::Form> form = fanno->make();
    form->Load();
    for (const char* box : {"from", "to"}) {
      QPointer<qt::PlotWindow> plot(new qt::PlotWindow(*form, fanno->make));
      plot->show();
      plot->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(plot));
      plot->findChild<QSpinBox*>("points")->setValue(3);
      auto* edit = plot->findChild<QLineEdit*>(box);
      QVERIFY(edit);
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_Return);
      QTRY_VERIFY_WITH_TIMEOUT(plot->finished(), 20000);
      QCOMPARE(plot->points().size(), size_t{3});
      QTest::keyClick(edit, Qt::Key_Escape);
      QTRY_VERIFY(!plot);  // closed, and gone
    }
    QPointer<qt::ChartWindow> chart(new qt::ChartWindow(*form));
    chart->show();
    chart->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chart));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : chart.data(), Qt::Key_Escape);
    QTRY_VERIFY(!chart);
  }

  // In every window, Enter in a list presses the compute button of its part
  // of the window, as Enter in a box does: the window then shows what the
  // script mode's choice and click give.
  void enterInAListComputes_data() { fitTheScreen_data(); }

  void enterInAListComputes() {
    QFETCH(int, window);
    const Window w = Windows()[static_cast<size_t>(window)];
    std::unique_ptr<core::Form> probe = w.make();
    probe->Load();
    std::vector<std::string> lists;
    for (const auto& c : probe->controls())
      if (c->kind() == core::Kind::List && c->shown() && probe->ComputeFor(*c)) lists.push_back(c->id());
    if (lists.empty()) QSKIP("no list in a part with a compute button");
    for (const std::string& id : lists) {
      std::unique_ptr<core::Form> form = w.make();
      form->Load();
      qt::View view(*form);
      view.show();
      view.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&view));
      auto* list = qobject_cast<QListWidget*>(view.widget(id));
      QVERIFY(list);
      auto& model = static_cast<core::ListBox&>(*form->FindById(id));
      list->setFocus(Qt::TabFocusReason);
      // Another choice by the arrows, then Enter.
      const int before = model.listIndex();
      QTest::keyClick(list, before + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
      const int chosen = model.listIndex();
      if (!model.shown()) continue;  // the choice changed the window's parts
      core::Button* compute = form->ComputeFor(model);
      if (!compute) continue;
      const std::string computeId = compute->id();
      QTest::keyClick(list, Qt::Key_Return);

      std::unique_ptr<core::Form> want = w.make();
      want->Load();
      want->UserSelect(static_cast<core::ListBox&>(*want->FindById(id)), chosen);
      want->UserClick(*want->FindById(computeId));
      QVERIFY2(core::StateText(*form) == core::StateText(*want), id.c_str());
      // And Enter alone, on a fresh window: the same as the button.
      std::unique_ptr<core::Form> again = w.make();
      again->Load();
      qt::View second(*again);
      second.show();
      auto* same = qobject_cast<QListWidget*>(second.widget(id));
      same->setFocus();
      QTest::keyClick(same, Qt::Key_Enter);
      std::unique_ptr<core::Form> pressed = w.make();
      pressed->Load();
      if (core::Button* b = pressed->ComputeFor(*pressed->FindById(id))) pressed->UserClick(*b);
      QVERIFY2(core::StateText(*again) == core::StateText(*pressed), id.c_str());
    }
  }

 private:
  QTemporaryDir scratch_;
};

QTEST_MAIN(SuiteWindowsGui)
#include "suite_windows_gui_test.moc"
