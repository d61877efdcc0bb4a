#include "qt/help_window.h"
#include "qt/model.h"

#include "core/help_doc.h"

#include <QAction>
#include <QMessageBox>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextTable>
#include <QTextDocument>
#include <QVBoxLayout>

#include "qt/screen_fit.h"
#include "qt/window_keys.h"

#ifndef CALC_VERSION
#define CALC_VERSION "0"
#endif
#ifndef CALC_LICENCE
#define CALC_LICENCE ""
#endif
#ifndef CALC_DISCLAIMER
#define CALC_DISCLAIMER ""
#endif

namespace qt {

namespace {

const char* programHelp = "";

constexpr const char* kSuite = "Compressible Flow and Gas Turbine Calculators";

// The help's page. What it copies is the text as written: the word joiners
// that hold units together are no part of it.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  QMimeData* createMimeDataFromSelection() const override {
    QMimeData* data = QTextBrowser::createMimeDataFromSelection();
    if (data) data->setText(data->text().remove(QChar(0x2060)));
    return data;
  }
};

}  // namespace

const char* ProgramHelp() { return programHelp; }
void SetProgramHelp(const char* markdown) { programHelp = markdown ? markdown : ""; }

HelpWindow::HelpWindow(const QString& markdown, QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new HelpBrowser(this)) {
  setObjectName("helpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  // The help's own title (its first line, "# ..."), else the suite's name.
  QString title = kSuite;
  if (markdown.startsWith("# ")) title = markdown.section('\n', 0, 0).mid(2).trimmed();
  setWindowTitle("Help: " + title);
  browser_->setOpenLinks(false);
  // Running text in the regular face (the windows' bold is for their
  // controls), set in from the edges, with a scroll bar that stands out
  // from the page.
  QFont text(QStringList{"Liberation Serif"}, 12);
  text.setStyleHint(QFont::Serif);
  text.setHintingPreference(QFont::PreferNoHinting);
  browser_->setFont(text);
  browser_->document()->setDefaultFont(text);
  browser_->document()->setDocumentMargin(18);
  browser_->setFrameShape(QFrame::NoFrame);
  browser_->setStyleSheet(
      "QScrollBar:vertical { background: #e4e4e4; width: 15px; margin: 0; }"
      "QScrollBar::handle:vertical { background: #7d7d7d; min-height: 40px; margin: 2px 3px;"
      " border-radius: 3px; }"
      "QScrollBar::handle:vertical:hover { background: #5c5c5c; }"
      "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
      "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
  browser_->document()->setMarkdown(
      markdown.isEmpty() ? QString("No help has been written for this program yet.") : markdown,
      QTextDocument::MarkdownDialectGitHub);
  // Thin single rules around the cells of the tables.
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
    QTextTable* table = QTextCursor(block).currentTable();
    if (!table) continue;
    QTextTableFormat format = table->format();
    if (format.borderCollapse()) continue;
    format.setBorderCollapse(true);
    format.setBorder(1);
    format.setCellSpacing(0);
    format.setCellPadding(4);
    format.setBorderBrush(QColor(160, 160, 160));
    table->setFormat(format);
  }
  // A unit is one word: the unit column wraps between the two systems, never
  // after a slash or a hyphen inside a unit ("(kg/" over "s)/rpm"), where Qt
  // would break a line (a word joiner after each keeps it whole).
  QTextDocument& doc = *browser_->document();
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    QTextTable* table = QTextCursor(block).currentTable();
    if (!table || table->cellAt(block.position()).row() != 0) continue;
    const QTextTableCell head = table->cellAt(block.position());
    if (head.firstCursorPosition().block().text() != QString::fromUtf8(core::kUnitColumn)) continue;
    for (int row = 1; row < table->rows(); ++row) {
      const QTextTableCell cell = table->cellAt(row, head.column());
      const int first = cell.firstCursorPosition().position();
      for (int at = cell.lastCursorPosition().position() - 1; at > first; --at) {
        const QChar before = doc.characterAt(at - 1), after = doc.characterAt(at);
        if ((before == '/' || before == '-') && !after.isSpace() && after != QChar(0x2060)) {
          QTextCursor cursor(&doc);
          cursor.setPosition(at);
          cursor.insertText(QString(QChar(0x2060)));
        }
      }
    }
  }
  // Headings as the help pages of the browser show them: the title blue,
  // the sections dark red, both in the sans face.
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 0) continue;
    QTextCharFormat heading;
    heading.setFontFamilies(QStringList{"Liberation Sans"});
    heading.setFontWeight(QFont::Bold);
    if (level <= 2) heading.setForeground(level == 1 ? QColor(0, 0, 255) : QColor(128, 0, 0));
    QTextCursor cursor(block);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.mergeCharFormat(heading);
  }
  browser_->moveCursor(QTextCursor::Start);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(760, 680);
  CloseOnEscape(*this);
  KeepFitted(*this);
}

HelpWindow* HelpWindowOf(const QWidget& window) {
  return window.findChild<HelpWindow*>("helpWindow", Qt::FindDirectChildrenOnly);
}

QString AboutText() {
  QString text = QString("<b>%1</b><br>Version %2").arg(kSuite, CALC_VERSION);
  if (*CALC_DISCLAIMER)
    text += QString("<br><br><b>Disclaimer</b><br>%1").arg(QString(CALC_DISCLAIMER).toHtmlEscaped());
  if (*CALC_LICENCE) text += QString("<br><br>%1").arg(CALC_LICENCE);
  return text;
}

void AddHelpActions(QWidget& window, const QString& markdown) {
  auto* help = new QAction("Help", &window);
  help->setShortcut(QKeySequence(Qt::Key_F1));
  help->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(help, &QAction::triggered, &window, [&window, markdown] {
    HelpWindow* open = HelpWindowOf(window);
    if (!open) open = new HelpWindow(markdown, &window);
    open->show();
    open->raise();
    open->activateWindow();
  });
  auto* about = new QAction("About", &window);
  QObject::connect(about, &QAction::triggered, &window, [&window] {
    QMessageBox::about(&window, QString("About"), AboutText());
  });
  window.addAction(help);
  window.addAction(about);
  if (window.contextMenuPolicy() == Qt::DefaultContextMenu)
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace qt
