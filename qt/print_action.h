// "Print…" in a window's context menu (and Ctrl+P): a report of what the
// window shows (core/print_report.h) with the charts that are open, through
// the print dialog, which also saves as PDF.
#pragma once

#include <QKeySequence>
#include <QString>
#include <memory>

#include "qt/model.h"

class QAction;
class QTextDocument;
class QWidget;

namespace qt {

inline const QKeySequence kPrintShortcut{Qt::CTRL | Qt::Key_P};

// With this variable naming a file, "Print…" writes the report there as PDF
// instead of asking the print dialog (tests, unattended runs).
inline constexpr const char* kPrintToPdfVariable = "CALC_PRINT_PDF";

// The report of form as a document: its texts, then an image of each chart
// of the chart window open over view (if any).
std::unique_ptr<QTextDocument> ReportDocument(QWidget& view, const Form& form);

// Writes the report as a PDF file; false, with why, when it cannot be written.
bool PrintReportToPdf(QWidget& view, const Form& form, const QString& path, QString* why = nullptr);

// Adds the action to view (whose context menu lists its actions).
QAction* AddPrintAction(QWidget& view, Form& form);

}  // namespace qt
