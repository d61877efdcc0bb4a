#include "core/print_report.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "core/reading.h"
#include "core/sweep.h"

namespace core {

namespace {

bool Names(const std::string& text, const std::string& unit) {
  return FindUnitWord(text, unit) != std::string::npos;
}

// The short plain label just right of a box on its row ("deg", "%"), which
// the box's quantity does not already give: the unit a person reads there.
std::string LabelBeside(const Form& form, const Control& box,
                        const std::set<const Control*>& captions) {
  const Rect b = AbsoluteRect(box);
  const Control* best = nullptr;
  int bestGap = 0;
  for (const Control* c : form.Children(box.parent())) {
    if (c->kind() != Kind::Label || !c->shown() || c == form.lblError || c->look != Look::Text) continue;
    if (captions.count(c) || Trimmed(c->text()).empty() || Trimmed(c->text()).size() > 16) continue;
    const Rect r = AbsoluteRect(*c);
    const int gap = r.x - (b.x + b.w);
    const int mid = r.y + r.h / 2, boxMid = b.y + b.h / 2;
    if (gap < -2 || gap > 30 || std::abs(mid - boxMid) > std::max(b.h, 10) / 2 + 2) continue;
    if (!best || gap < bestGap) best = c, bestGap = gap;
  }
  return best ? Trimmed(best->text()) : std::string();
}

// The unit column of a row: the quantity's unit, or the label beside the
// box, when the caption and the value do not already name it.
std::string UnitOfRow(const Form& form, const Control& c, const std::string& caption,
                      const std::set<const Control*>& captions) {
  std::string unit = ShownUnit(form, c);
  if (unit.empty()) unit = LabelBeside(form, c, captions);
  if (unit.empty() || Names(caption, unit) || Names(c.text(), unit)) return {};
  return unit;
}

// A frame whose results share captions is a table: columns under headings.
bool IsTable(const Form& form, const Frame* frame, const std::vector<const Control*>& results) {
  std::set<std::string> seen;
  for (const Control* c : results) {
    if (form.ResultFrameOf(*c) != frame) continue;
    if (!seen.insert(CaptionOf(form, *c)).second) return true;
  }
  return false;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  size_t from = 0;
  for (;;) {
    const size_t tab = line.find('\t', from);
    cells.push_back(Trimmed(line.substr(from, tab == std::string::npos ? tab : tab - from)));
    if (tab == std::string::npos) return cells;
    from = tab + 1;
  }
}

}  // namespace

PrintReport ReportOf(const Form& form) {
  PrintReport report;
  // A caption names the program, then, after a run of blanks, its notice.
  const std::string& caption = form.caption();
  const size_t gap = caption.find("  ", caption.find_first_not_of(' '));
  report.title = Trimmed(caption.substr(0, gap));
  if (gap != std::string::npos) report.notice = Trimmed(caption.substr(gap));
  report.units = UnitSystemTitle(form.units());

  const std::vector<Control*> order = ReadingOrder(form);
  // Labels that caption something shown: never a unit beside a box.
  std::set<const Control*> captions;
  for (const Control* c : order) {
    // An option is its own caption.
    if ((!IsInput(*c) && !IsResult(*c)) || c->kind() == Kind::Option) continue;
    if (const Control* label = CaptionControl(form, *c)) captions.insert(label);
  }

  // The results a window shows, as the sweep panels offer them; read in
  // reading order.
  std::vector<const Control*> results;
  {
    const std::vector<const Control*> outputs = SweepOutputs(form);
    const std::vector<const Label*> warnings = ShownWarnings(form);
    for (const Control* c : order) {
      if (!c->shown() || std::find(outputs.begin(), outputs.end(), c) == outputs.end()) continue;
      if (std::find(warnings.begin(), warnings.end(), c) != warnings.end()) continue;
      results.push_back(c);
    }
  }
  std::vector<const Frame*> tables;
  std::map<const Frame*, bool> judged;  // each frame once
  for (const Control* c : results) {
    const Frame* f = form.ResultFrameOf(*c);
    if (!f || judged.count(f)) continue;
    if ((judged[f] = IsTable(form, f, results))) tables.push_back(f);
  }

  for (const Control* c : order) {
    if (c->kind() == Kind::TextBox && IsInput(*c)) {
      const std::string caption = CaptionOf(form, *c);
      report.inputs.push_back({caption, c->text(), UnitOfRow(form, *c, caption, captions)});
    } else if (c->kind() == Kind::Option) {
      if (!static_cast<const Option*>(c)->value()) continue;
      // An option is chosen among those of its frame: the frame names the
      // choice, the option is what was chosen.
      std::string caption = c->parent() ? Trimmed(c->parent()->caption()) : std::string();
      if (caption.empty()) caption = "Option";
      report.choices.push_back({caption, Trimmed(c->text()), {}});
    } else if (c->kind() == Kind::List) {
      const auto* list = static_cast<const ListBox*>(c);
      report.choices.push_back({CaptionOf(form, *c), list->listIndex() < 0 ? "(none)" : Trimmed(c->text()), {}});
    }
  }
  for (const Control* c : results) {
    const Frame* f = form.ResultFrameOf(*c);
    if (f && std::find(tables.begin(), tables.end(), f) != tables.end()) continue;
    if (Trimmed(c->text()).empty()) continue;
    std::string caption = CaptionOf(form, *c);
    // A label that names its own value ("Pressure = 13.173 psia") is one cell.
    if (caption == Trimmed(c->text())) caption.clear();
    report.results.push_back({caption, Trimmed(c->text()), UnitOfRow(form, *c, caption, captions)});
  }
  for (const Frame* f : tables) {
    ReportTable table;
    table.caption = Trimmed(f->caption());
    std::set<std::string> inputTexts;
    for (const Control* c : order) {
      if (!Form::Inside(*c, f) || !IsInput(*c) || c->kind() != Kind::TextBox) continue;
      inputTexts.insert(Trimmed(c->text()));
      if (const Control* label = CaptionControl(form, *c)) inputTexts.insert(Trimmed(label->text()));
    }
    std::string text = form.TableText(f);
    size_t from = 0;
    while (from < text.size()) {
      size_t end = text.find('\n', from);
      if (end == std::string::npos) end = text.size();
      if (end > from) {
        std::vector<std::string> row = SplitTabs(text.substr(from, end - from));
        // Boxes typed into beside the table, and their captions, are inputs.
        if (!std::all_of(row.begin(), row.end(), [&](const std::string& cell) { return inputTexts.count(cell); }))
          table.rows.push_back(std::move(row));
      }
      from = end + 1;
    }
    if (!table.rows.empty()) report.tables.push_back(std::move(table));
  }

  if (form.lblError->shown() && !Trimmed(form.lblError->caption()).empty())
    report.messages.push_back(Trimmed(form.lblError->caption()));
  for (const Label* label : ShownWarnings(form))
    if (!Trimmed(label->text()).empty()) report.messages.push_back(Trimmed(label->text()));
  return report;
}

std::vector<ReportChart> ReportCharts(const Form& form, const std::vector<std::string>& names) {
  std::vector<ReportChart> charts;
  for (const std::string& name : names) {
    const ChartData data = form.ShownChart(name);
    ReportChart chart;
    chart.name = name;
    chart.title = data.title.empty() ? name : data.title;
    chart.note = data.unavailable;
    if (data.available()) {
      chart.table = data.table;
      chart.drawn = !data.series.empty() || !data.marks.empty();
    }
    charts.push_back(std::move(chart));
  }
  return charts;
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += ch;
    }
  }
  return out;
}

namespace {

// Cell styles inline: Qt's rich text takes no padding from a style sheet's
// class rules.
constexpr const char* kCaptionCell = "<td style=\"padding: 1px 10px 1px 0px;\">";
constexpr const char* kValueCell = "<td align=\"right\" style=\"padding: 1px 4px 1px 0px;\">";
constexpr const char* kUnitCell = "<td style=\"padding: 1px 18px 1px 0px;\">";
constexpr const char* kChoiceCell = "<td style=\"padding: 1px 18px 1px 0px;\">";

// Rows above this many stand in two columns side by side (down the left,
// then down the right), so that a large window prints on one or two pages.
constexpr size_t kOneColumnRows = 14;

std::string Cells(const ReportRow& r, bool units) {
  if (!units) return kCaptionCell + HtmlEscaped(r.caption) + "</td>" + kChoiceCell + HtmlEscaped(r.value) + "</td>";
  return kCaptionCell + HtmlEscaped(r.caption) + "</td>" + kValueCell + HtmlEscaped(r.value) + "</td>" +
         kUnitCell + HtmlEscaped(r.unit) + "</td>";
}

std::string Rows(const std::string& heading, const std::vector<ReportRow>& rows, bool units) {
  if (rows.empty()) return {};
  std::string html = "<h2>" + HtmlEscaped(heading) + "</h2>\n<table cellspacing=\"0\" cellpadding=\"0\">\n";
  const size_t half = rows.size() > kOneColumnRows ? (rows.size() + 1) / 2 : rows.size();
  for (size_t i = 0; i < half; ++i) {
    html += "<tr>" + Cells(rows[i], units);
    if (half < rows.size()) {
      if (half + i < rows.size())
        html += Cells(rows[half + i], units);
      else
        html += units ? "<td></td><td></td><td></td>" : "<td></td><td></td>";
    }
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

// A table of headings, then rows.
std::string Grid(const std::vector<std::vector<std::string>>& rows) {
  if (rows.empty()) return {};
  std::string html = "<table cellspacing=\"0\" cellpadding=\"0\">\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string cell = i == 0 ? "th" : "td";
    html += "<tr>";
    for (const std::string& text : rows[i])
      html += "<" + cell + " align=\"right\" style=\"padding: 1px 6px 1px 6px;\">" + HtmlEscaped(text) + "</" + cell + ">";
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

}  // namespace

std::string ReportHtml(const PrintReport& report, std::string_view date,
                       const std::vector<ReportChart>& charts) {
  return "<html><head><meta charset=\"utf-8\"><title>" + HtmlEscaped(report.title) +
         "</title>\n<style>\n"
         "h1 { font-size: 15pt; margin-bottom: 2pt; }\n"
         "h2 { font-size: 11pt; margin-top: 8pt; margin-bottom: 2pt; }\n"
         "p.meta { font-size: 9pt; margin-top: 0; }\n"
         "table { font-size: 9pt; }\n"
         "th { font-weight: bold; }\n"
         "p.message { color: #c00000; font-size: 9pt; }\n"
         "p.note { font-size: 9pt; font-style: italic; }\n"
         "</style></head>\n<body>\n" +
         ReportBodyHtml(report, date, charts) + "</body></html>\n";
}

std::string ReportBodyHtml(const PrintReport& report, std::string_view date,
                           const std::vector<ReportChart>& charts) {
  std::string html = "<h1>" + HtmlEscaped(report.title) + "</h1>\n";
  if (!report.notice.empty()) html += "<p class=\"meta\">" + HtmlEscaped(report.notice) + "</p>\n";
  html += "<p class=\"meta\">" + HtmlEscaped(date) + (date.empty() ? "" : " &#8212; ") + "Units: " +
          HtmlEscaped(report.units) + "</p>\n";
  if (!report.messages.empty()) {
    html += "<h2>Messages</h2>\n";
    for (const std::string& m : report.messages)
      html += "<p class=\"message\"><font color=\"#c00000\">" + HtmlEscaped(m) + "</font></p>\n";
  }
  html += Rows("Inputs", report.inputs, true);
  html += Rows("Choices", report.choices, false);
  html += Rows("Results", report.results, true);
  for (const ReportTable& t : report.tables) {
    html += "<h2>" + HtmlEscaped(t.caption.empty() ? "Table" : t.caption) + "</h2>\n";
    html += Grid(t.rows);
  }
  for (const ReportChart& c : charts) {
    if (!c.src.empty()) {
      // Title and picture in one cell, so that a page never ends between them.
      html += "<table class=\"chart\" cellspacing=\"0\" cellpadding=\"0\"><tr><td><h2>" + HtmlEscaped(c.title) +
              "</h2><img src=\"" + HtmlEscaped(c.src) + "\" width=\"" + std::to_string(c.width) + "\" height=\"" +
              std::to_string(c.height) + "\" alt=\"" + HtmlEscaped(c.title) + "\"></td></tr></table>\n";
    } else {
      html += "<h2>" + HtmlEscaped(c.title) + "</h2>\n";
    }
    html += Grid(c.table);
    if (!c.note.empty()) html += "<p class=\"note\">" + HtmlEscaped(c.note) + "</p>\n";
  }
  return html;
}

std::string ReportText(const PrintReport& report) {
  std::string text = report.title + "\n" + (report.notice.empty() ? "" : report.notice + "\n") +
                     "Units: " + report.units + "\n";
  for (const std::string& m : report.messages) text += m + "\n";
  auto rows = [&text](const std::vector<ReportRow>& list) {
    for (const ReportRow& r : list)
      text += r.caption + "\t" + r.value + (r.unit.empty() ? "" : "\t" + r.unit) + "\n";
  };
  rows(report.inputs);
  rows(report.choices);
  rows(report.results);
  for (const ReportTable& t : report.tables) {
    if (!t.caption.empty()) text += t.caption + "\n";
    for (const auto& row : t.rows) {
      for (size_t i = 0; i < row.size(); ++i) text += (i ? "\t" : "") + row[i];
      text += "\n";
    }
  }
  return text;
}

}  // namespace core
