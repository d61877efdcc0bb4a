// A printed report of a window: what a person sees of it, on paper. The
// model is made here from the window as it stands; both views print the same
// HTML (Qt's rich text on the desktop, the page's print layout in a browser).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"

namespace core {

// One line of the report: a box, a choice or a result by its one caption
// (core::CaptionOf), its text as shown and, where neither names it, its
// unit in the window's system.
struct ReportRow {
  std::string caption, value, unit;
};

// A frame of results laid out as a table (its columns share captions): its
// rows as the frame shows them, the first holding the headings.
struct ReportTable {
  std::string caption;
  std::vector<std::vector<std::string>> rows;
};

struct PrintReport {
  std::string title;  // the window's caption
  std::string units;  // the unit system shown (UnitSystemTitle)
  std::vector<ReportRow> inputs;   // shown boxes a person types into
  std::vector<ReportRow> choices;  // the chosen option of each group, each list's item
  std::vector<ReportRow> results;  // shown results outside the tables
  std::vector<ReportTable> tables;
  std::vector<std::string> messages;  // the failure line, then each warning
};

// The report of the window as it stands, in reading order.
PrintReport ReportOf(const Form& form);

// A chart drawn into the report by a view: its title and either an image the
// view supplies (src, as the view's HTML resolves it, with its size in
// pixels) or a note saying why it has none.
struct ReportChart {
  std::string title;
  std::string src;
  int width = 0, height = 0;
  std::string note;
};

// The report as one HTML document (every text escaped), dated `date`.
std::string ReportHtml(const PrintReport& report, std::string_view date,
                       const std::vector<ReportChart>& charts = {});
// The report as plain lines, for a test or a screen reader.
std::string ReportText(const PrintReport& report);

// A text made safe for HTML content and attribute values.
std::string HtmlEscaped(std::string_view text);

}  // namespace core
