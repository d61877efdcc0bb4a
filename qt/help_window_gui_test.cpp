// The help window of any window: F1 opens one help window and brings it back
// to the front, the context menu offers Help and About, and the help shows
// its Markdown rendered.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTextBrowser>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextCursor>
#include <QTextFragment>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

#include "core/form.h"
#include "qt/guitest.h"
#include "qt/help_window.h"
#include "qt/view.h"

namespace {

class Sample : public core::Form {
 public:
  Sample() : Form("Sample  by someone", 300, 120) {
    AddLabel("lblM", "Mach number", {10, 10, 120, 22});
    AddTextBox("txtM", {140, 10, 80, 22});
  }
};

const char* const kHelp =
    "# Sample Flow\n\n## What it computes\n\nThe ratio T/T<sub>t</sub>.\n\n"
    "## Inputs\n\n| Caption | Meaning |\n|---|---|\n| A/A\\* | area ratio |\n";

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void f1OpensOneHelpWindow() {
    Sample form;
    qt::View view(form);
    qt::AddHelpActions(view, QString::fromUtf8(kHelp));
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QVERIFY(!qt::HelpWindowOf(view));

    QTest::keyClick(&view, Qt::Key_F1);
    qt::HelpWindow* help = qt::HelpWindowOf(view);
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Help: Sample Flow"));
    const QString text = help->browser()->document()->toPlainText();
    QVERIFY(text.contains("What it computes"));
    QVERIFY(text.contains("T/Tt"));  // HTML subscripts are rendered, not shown
    QVERIFY(!text.contains("<sub>"));
    QVERIFY(!text.contains("##"));

    // A second F1 brings back the same window.
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_F1);
    QCOMPARE(qt::HelpWindowOf(view), help);
    QCOMPARE(view.findChildren<qt::HelpWindow*>().size(), 1);

    // Closed, it is gone; F1 opens a new one.
    help->close();
    QTRY_VERIFY(!qt::HelpWindowOf(view));
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_F1);
    QVERIFY(qt::HelpWindowOf(view));
  }

  void contextMenuOffersHelpAndAbout() {
    Sample form;
    qt::View view(form);
    qt::AddHelpActions(view, "");
    QStringList texts;
    for (QAction* action : view.actions()) texts << action->text();
    QVERIFY(texts.contains("Help"));
    QVERIFY(texts.contains("About"));
    QCOMPARE(view.contextMenuPolicy(), Qt::ActionsContextMenu);
    // Without a help the window says so rather than staying blank.
    qt::HelpWindow empty("", &view);
    QVERIFY(empty.browser()->document()->toPlainText().contains("No help"));
  }

  void aboutNamesSuiteVersionAndLicence() {
    const QString about = qt::AboutText();
    QVERIFY(about.contains("Compressible Flow and Gas Turbine Calculators"));
    QVERIFY(about.contains("Version " CALC_VERSION));
    QVERIFY(about.contains(CALC_LICENCE));
    // The disclaimer every window's title points to.
    QVERIFY(about.contains("<b>Disclaimer</b>"));
    for (const char* words : {"teaching and learning", "have not been checked", "without warranty"})
      QVERIFY2(about.contains(words), words);
  }

  // Running text in the regular face, set in from the window's edges; the
  // headings bold. The scroll bar's handle stands out from its groove.
  void helpReadsAsAPage() {
    QString markdown = QString::fromUtf8(kHelp);
    for (int i = 0; i < 80; ++i) markdown += QString("\nLine %1 of a long help.\n").arg(i);
    qt::HelpWindow help(markdown);
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTextDocument& doc = *help.browser()->document();
    QVERIFY(doc.documentMargin() >= 12);
    int bold = 0, regular = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
      const bool heading = block.blockFormat().headingLevel() > 0;
      if (QTextCursor(block).currentTable()) continue;  // a table's headings are bold
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        const bool isBold = format.font().bold() || format.fontWeight() >= QFont::DemiBold;
        if (heading) QVERIFY2(isBold, qPrintable(block.text()));
        else if (isBold) ++bold;
        else ++regular;
      }
    }
    QVERIFY(regular > 40);
    QCOMPARE(bold, 0);
    auto* bar = help.browser()->verticalScrollBar();
    QVERIFY(bar->isVisible());
    const QImage image = bar->grab().toImage();
    const QColor groove = image.pixelColor(1, image.height() - 2);
    const QColor handle = image.pixelColor(image.width() / 2, 10);
    QVERIFY2(qAbs(groove.lightness() - handle.lightness()) > 60,
             qPrintable(QString("%1 %2").arg(groove.name(), handle.name())));
    qt::SaveShot(help, "help-window");
  }

  // A narrow window wraps the unit column between the two systems, never
  // after a slash or a hyphen inside a unit; the cell still reads as written.
  void unitsStayWholeInTheUnitColumn() {
    const QString markdown = QString::fromUtf8(
        "# Units\n\n## Inputs\n\n| Caption | Unit (US / SI) | Meaning |\n|---|---|---|\n"
        "| c5 | (lbm/s)^2/rpm / (kg/s)^2/rpm | Compressor map: efficiency loss away from the peak "
        "of a speed line, a long meaning that takes the width it is given |\n"
        "| TSFC | lbm/lbf-hr / g/(kN·s) | Thrust specific fuel consumption of the whole engine "
        "with its afterburner |\n| M | – | Mach number |\n");
    qt::HelpWindow help(markdown);
    help.resize(420, 400);
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTextDocument& doc = *help.browser()->document();
    QTextTable* table = nullptr;
    for (QTextBlock block = doc.begin(); block.isValid() && !table; block = block.next())
      table = QTextCursor(block).currentTable();
    QVERIFY(table);
    const QStringList want = {"(lbm/s)^2/rpm / (kg/s)^2/rpm", "lbm/lbf-hr / g/(kN·s)", "–"};
    for (int row = 1; row < table->rows(); ++row) {
      const QTextBlock block = table->cellAt(row, 1).firstCursorPosition().block();
      QCOMPARE(block.text().remove(QChar(0x2060)), want[row - 1]);
      QTextLayout* layout = block.layout();
      for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
        QVERIFY2(!text.endsWith('-') && (!text.endsWith('/') || text.endsWith(" /")),
                 qPrintable(text));
      }
    }
    // Too narrow for the two on one line, the first unit is one.
    QCOMPARE(table->cellAt(1, 1).firstCursorPosition().block().layout()->lineCount(), 2);
    // A copy is the text as written.
    QTextCursor cell = table->cellAt(1, 1).firstCursorPosition();
    cell.setPosition(table->cellAt(1, 1).lastCursorPosition().position(), QTextCursor::KeepAnchor);
    help.browser()->setTextCursor(cell);
    QApplication::clipboard()->clear();
    help.browser()->copy();
    QCOMPARE(QApplication::clipboard()->text(), want[0]);
  }
};

}  // namespace

QTEST_MAIN(HelpWindowTest)
#include "help_window_gui_test.moc"
