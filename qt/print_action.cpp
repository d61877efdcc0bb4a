#include "qt/print_action.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>
#include <cstdlib>
#include <algorithm>
#include <vector>

#include "core/print_report.h"

namespace qt {

namespace {

// The largest a chart stands on the page, in the document's pixels: two fit
// one above the other on a page with the window's texts.
constexpr int kChartWidth = 560, kChartHeight = 330;

// The charts of the chart window open over view (none when it is closed):
// each drawn one as the picture its tab shows, its table as text.
std::vector<core::ReportChart> OpenCharts(QWidget& view, const Form& form, std::vector<QImage>& images) {
  auto* window = view.findChild<QWidget*>("ChartWindow", Qt::FindDirectChildrenOnly);
  if (!window || !window->isVisible()) return {};
  auto* tabs = window->findChild<QTabWidget*>("charts");
  if (!tabs) return {};
  std::vector<core::ReportChart> charts = core::ReportCharts(form, form.ChartNames());
  for (core::ReportChart& chart : charts) {
    if (!chart.drawn) continue;
    auto* page = tabs->findChild<QWidget*>(QString::fromStdString("chart-" + chart.name));
    QWidget* drawing = page ? page->findChild<QWidget*>("chart") : nullptr;
    if (!drawing || drawing->isHidden()) continue;
    // A tab not yet shown has not been laid out: it takes the size of the
    // one shown.
    if (page != tabs->currentWidget()) page->resize(tabs->currentWidget()->size());
    if (drawing->width() < 50 || drawing->height() < 50) continue;
    const QSize logical = drawing->size();
    const double scale = std::min({1.0, double(kChartWidth) / logical.width(),
                                   double(kChartHeight) / logical.height()});
    chart.src = "chart:" + std::to_string(images.size());
    chart.width = int(logical.width() * scale);
    chart.height = int(logical.height() * scale);
    images.push_back(drawing->grab().toImage());
  }
  return charts;
}

QString Today() {
  return QLocale::c().toString(QDateTime::currentDateTime(), "d MMMM yyyy, HH:mm");
}

}  // namespace

std::unique_ptr<QTextDocument> ReportDocument(QWidget& view, const Form& form) {
  std::vector<QImage> images;
  const std::vector<core::ReportChart> charts = OpenCharts(view, form, images);
  auto doc = std::make_unique<QTextDocument>();
  QFont font("Liberation Sans");
  font.setPointSizeF(9);
  doc->setDefaultFont(font);
  doc->setDocumentMargin(0);
  for (size_t i = 0; i < images.size(); ++i)
    doc->addResource(QTextDocument::ImageResource, QUrl("chart:" + QString::number(i)), images[i]);
  const std::string html = core::ReportHtml(core::ReportOf(form), Today().toStdString(), charts);
  doc->setHtml(QString::fromStdString(html));
  return doc;
}

namespace {

void Print(QWidget& view, const Form& form, QPrinter& printer) {
  std::unique_ptr<QTextDocument> doc = ReportDocument(view, form);
  doc->setMetaInformation(QTextDocument::DocumentTitle, QString::fromStdString(form.caption()).simplified());
  printer.setDocName(QString::fromStdString(form.caption()).simplified());
  doc->print(&printer);
}

}  // namespace

bool PrintReportToPdf(QWidget& view, const Form& form, const QString& path, QString* why) {
  const QString full = QFileInfo(path).absoluteFilePath();
  // QPrinter says nothing of a file it cannot write: try it first, for the reason.
  {
    QFile probe(full);
    if (!probe.open(QIODevice::WriteOnly)) {
      if (why) *why = "Cannot write " + full + ": " + probe.errorString();
      return false;
    }
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(full);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
  Print(view, form, printer);
  if (printer.printerState() == QPrinter::Error || QFileInfo(full).size() == 0) {
    QFile::remove(full);  // no empty file left to pass for a report
    if (why) *why = "Cannot write " + full;
    return false;
  }
  return true;
}

QAction* AddPrintAction(QWidget& view, Form& form) {
  auto* action = new QAction("Print…", &view);
  action->setObjectName("print");
  action->setShortcut(kPrintShortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  view.addAction(action);
  if (view.contextMenuPolicy() == Qt::DefaultContextMenu) view.setContextMenuPolicy(Qt::ActionsContextMenu);
  QObject::connect(action, &QAction::triggered, &view, [&view, &form] {
    if (const char* path = std::getenv(kPrintToPdfVariable); path && *path) {
      QString why;
      if (!PrintReportToPdf(view, form, QString::fromLocal8Bit(path), &why))
        QMessageBox::warning(&view, "Print", why);
      return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, &view);
    dialog.setWindowTitle("Print the window's report");
    if (dialog.exec() != QDialog::Accepted) return;
    Print(view, form, printer);
    if (printer.printerState() == QPrinter::Error)
      QMessageBox::warning(&view, "Print", "The report could not be printed" +
                                               (printer.outputFileName().isEmpty()
                                                    ? QString(".")
                                                    : ": " + printer.outputFileName() + " cannot be written."));
  });
  return action;
}

}  // namespace qt
