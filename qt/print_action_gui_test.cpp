// "Print…" on the desktop: Ctrl+P in the context menu, and the report as a
// PDF whose text holds every caption and value the window shows, in US and
// SI, with the open charts drawn; a file that cannot be written says why.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "core/print_report.h"
#include "core/reading.h"
#include "core/script.h"
#include "core/sweep.h"
#include "flowtables/isentropic_window.h"
#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "qt/print_action.h"
#include "qt/view.h"
#include "thrustdeck/thrustdeck_window.h"
#include "thrustfit/thrustfit_window.h"

namespace {

struct Program {
  const char* name;
  const char* cases;  // the folder of its golden cases
  std::function<std::unique_ptr<core::Form>()> make;
};

const Program kPrograms[] = {
    {"isentropic", "flowtables/cases/isentropic", [] { return std::unique_ptr<core::Form>(new flowtables::Isentropic); }},
    {"thrustdeck", "thrustdeck/cases", [] { return std::unique_ptr<core::Form>(new thrustdeck::JetCycle); }},
    {"thrustfit", "thrustfit/cases", [] { return std::unique_ptr<core::Form>(new thrustfit::Form1); }},
};

// The window after the user actions of a golden case (its show lines only
// print; a last "Done!" is left out).
std::unique_ptr<core::Form> AfterCase(const Program& p, const std::string& name) {
  std::vector<std::string> actions;
  std::ifstream in(std::string(CALC_SOURCE_DIR) + "/" + p.cases + "/" + name + ".script");
  for (std::string line; std::getline(in, line);)
    for (const char* verb : {"type ", "click ", "select ", "units "})
      if (line.rfind(verb, 0) == 0) actions.push_back(line);
  for (;;) {
    auto form = p.make();
    std::string text;
    for (const auto& a : actions) text += a + "\n";
    std::istringstream script(text);
    std::ostringstream out, err;
    core::RunScript(*form, script, out, err);
    if (!form->ended()) return form;
    if (actions.empty()) return nullptr;
    actions.pop_back();
  }
}

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Blanks and line ends as one blank: a table cell may be read out with
// another spacing than the window's.
QString Flat(QString text) { return text.simplified(); }

}  // namespace

class PrintActionGui : public QObject {
  Q_OBJECT

 private slots:
  void theContextMenuOffersPrintOnCtrlP() {
    auto form = kPrograms[0].make();
    form->Load();
    qt::View view(*form);
    QAction* action = qt::AddPrintAction(view, *form);
    QVERIFY(view.actions().contains(action));
    QCOMPARE(action->shortcut(), QKeySequence("Ctrl+P"));
    QCOMPARE(action->text(), QString("Print…"));
    QCOMPARE(view.contextMenuPolicy(), Qt::ActionsContextMenu);
  }

  void aFileThatCannotBeWrittenSaysWhy() {
    auto form = kPrograms[0].make();
    form->Load();
    qt::View view(*form);
    QTemporaryDir dir;
    const QString path = dir.filePath("no such folder/report.pdf");
    QString why;
    QVERIFY(!qt::PrintReportToPdf(view, *form, path, &why));
    QVERIFY2(why.contains(path), qPrintable(why));
    QVERIFY(!QFileInfo::exists(path));
  }

  void printsEveryCaptionAndValue_data() {
    QTest::addColumn<int>("program");
    QTest::addColumn<QString>("units");
    for (int i = 0; i < int(std::size(kPrograms)); ++i)
      for (const char* units : {"us", "si"})
        QTest::newRow((std::string(kPrograms[i].name) + "-" + units).c_str()) << i << QString(units);
  }

  void printsEveryCaptionAndValue() {
    QFETCH(int, program);
    QFETCH(QString, units);
    const Program& p = kPrograms[program];
    auto form = AfterCase(p, "defaults");
    QVERIFY(form);
    if (units == "si") form->UserUnits(core::UnitSystem::SI);
    qt::View view(*form);
    QAction* action = qt::AddPrintAction(view, *form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // The charts, where the window has them, open beside it.
    const bool charts = !form->ChartNames().empty();
    if (charts) {
      auto* window = new qt::ChartWindow(*form, &view);
      window->resize(760, 520);
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QString(p.name) + ".pdf");
    qputenv(qt::kPrintToPdfVariable, pdf.toLocal8Bit());
    action->trigger();
    qunsetenv(qt::kPrintToPdfVariable);
    QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(pdf));

    const QString text = Run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) reads no text from the report");
    const QString flat = Flat(text);
    auto expect = [&flat](const std::string& part, const char* what) {
      const QString wanted = Flat(QString::fromStdString(part));
      if (!wanted.isEmpty() && !flat.contains(wanted))
        QFAIL(qPrintable(QString(what) + " \"" + wanted + "\" is not in the printed report:\n" + flat));
    };
    expect(core::Trimmed(form->caption()), "The title");
    expect(core::UnitSystemTitle(form->units()), "The unit system");
    const std::vector<const core::Control*> outputs = core::SweepOutputs(*form);
    for (const core::Control* c : core::ReadingOrder(*form)) {
      const bool result = std::find(outputs.begin(), outputs.end(), c) != outputs.end();
      if (!core::IsInput(*c) && !result) continue;
      if (c->kind() == core::Kind::Option && !static_cast<const core::Option*>(c)->value()) continue;
      if (c->kind() != core::Kind::Option) expect(core::CaptionOf(*form, *c), "A caption");
      expect(core::Trimmed(c->text()), "A value");
      if (const core::TextUnit* unit = c->unit(); unit && core::IsInput(*c))
        expect(units == "si" ? unit->si : unit->us, "A unit");
    }
    if (form->lblError->shown()) expect(form->lblError->caption(), "The failure");
    for (const core::Label* w : core::ShownWarnings(*form)) expect(w->text(), "A warning");
    if (charts)
      for (const std::string& name : form->ChartNames()) {
        const core::ChartData data = form->ShownChart(name);
        QVERIFY2(flat.contains(QString::fromStdString(data.title).simplified().left(12)) ||
                     !data.title.size(),
                 name.c_str());
      }

    // One or two pages of text; a page more for the charts.
    const QString info = Run("pdfinfo", {pdf});
    const QRegularExpression pagesLine("Pages:\\s+(\\d+)");
    const auto match = pagesLine.match(info);
    QVERIFY2(match.hasMatch(), qPrintable(info));
    const int pages = match.captured(1).toInt();
    QVERIFY2(pages >= 1 && pages <= (charts ? 3 : 2), qPrintable(QString::number(pages)));

    // The first page as a person sees it.
    if (const char* shots = std::getenv("CALC_SHOT_DIR")) {
      const QString stem = QString(shots) + "/print-" + p.name + "-" + units;
      Run("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
      QVERIFY(QFileInfo::exists(stem + ".png"));
      QFile::remove(stem + ".pdf");
      QVERIFY(QFile::copy(pdf, stem + ".pdf"));
    }
  }

  // The charts are drawn into the report as pictures.
  void openChartsArePictures() {
    auto form = AfterCase(kPrograms[1], "defaults");
    QVERIFY(form);
    qt::View view(*form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    std::unique_ptr<QTextDocument> without = qt::ReportDocument(view, *form);
    QVERIFY(!without->toHtml().contains("chart:"));
    auto* window = new qt::ChartWindow(*form, &view);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    std::unique_ptr<QTextDocument> with = qt::ReportDocument(view, *form);
    int pictures = 0, drawn = 0;
    for (const core::ReportChart& c : core::ReportCharts(*form, form->ChartNames())) drawn += c.drawn;
    QVERIFY(drawn > 0);
    for (size_t i = 0; i < form->ChartNames().size(); ++i) {
      const QVariant image = with->resource(QTextDocument::ImageResource, QUrl("chart:" + QString::number(i)));
      if (image.isValid() && !image.value<QImage>().isNull()) ++pictures;
    }
    QCOMPARE(pictures, drawn);
    // A closed chart window is no longer in the report.
    window->close();
    QTest::qWait(50);
    QVERIFY(!qt::ReportDocument(view, *form)->toHtml().contains("chart:"));
  }
};

QTEST_MAIN(PrintActionGui)
#include "print_action_gui_test.moc"
