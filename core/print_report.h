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
  std::string title;   // the window's caption, up to the notice it ends with
  std::string notice;  // that notice ("FOR EDUCATIONAL PURPOSES ONLY ..."), if any
  std::string units;  // the unit system shown (UnitSystemTitle)
  std::vector<ReportRow> inputs;   // shown boxes a person types into
  std::vector<ReportRow> choices;  // the chosen option of each group, each list's item
  std::vector<ReportRow> results;  // shown results outside the tables
  std::vector<ReportTable> tables;
  std::vector<std::string> messages;  // the failure line, then each warning
};

// The shown labels of the window's warning frames (a frame of red text), in
// the window's order: what ShownMessage (core/sweep.h) joins when lblError
// is not shown.
std::vector<const Label*> ShownWarnings(const Form& form);

// The report of the window as it stands, in reading order.
PrintReport ReportOf(const Form& form);

// A chart of the report: its title, the picture a view draws of it (src, as
// the view's HTML resolves it, with its size in pixels; empty when none),
// its table as text (headings, then rows) and why it has nothing to show.
struct ReportChart {
  std::string name, title;
  std::string src;
  int width = 0, height = 0;
  std::vector<std::vector<std::string>> table;
  std::string note;
  bool drawn = false;  // has curves or points a view can draw
};

// The charts named, as the window shows them now (its unit system); a view
// adds the pictures.
std::vector<ReportChart> ReportCharts(const Form& form, const std::vector<std::string>& names);

// The report as one HTML document (every text escaped), dated `date`.
std::string ReportHtml(const PrintReport& report, std::string_view date,
                       const std::vector<ReportChart>& charts = {});
// Its body alone, for a page that has its own style sheet.
std::string ReportBodyHtml(const PrintReport& report, std::string_view date,
                           const std::vector<ReportChart>& charts = {});
// The report as plain lines, for a test or a screen reader.
std::string ReportText(const PrintReport& report);

// A text made safe for HTML content and attribute values.
std::string HtmlEscaped(std::string_view text);

}  // namespace core
