#include "core/help_doc.h"

#include "core/printline.h"
#include "core/reading.h"
#include "core/script.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

namespace core {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int Overlap(int a0, int a1, int b0, int b1) { return std::min(a1, b1) - std::max(a0, b0); }

// The column heading above a box, at any distance, or nullptr.
const Control* ColumnHeading(const Form& form, const Control& c) {
  const Control* best = nullptr;
  for (const Control* h : form.Children(c.parent())) {
    if (h->kind() != Kind::Label || h->look != Look::Heading || Trimmed(h->text()).empty())
      continue;
    const Rect& l = h->rect;
    const int columns = Overlap(l.x, l.x + l.w, c.rect.x, c.rect.x + c.rect.w);
    if (l.y + l.h > c.rect.y + 6 || columns * 2 < std::min(l.w, c.rect.w)) continue;
    if (!best || l.y + l.h > best->rect.y + best->rect.h) best = h;
  }
  return best;
}

}  // namespace

const std::vector<std::string>& HelpSections() {
  static const std::vector<std::string> sections = {
      "What it computes", "Assumptions", "Inputs", "Results",
      "Equations", "Messages and warnings", "Worked example"};
  return sections;
}

HelpBoxes BoxesOf(Form& fresh, Form& loaded) {
  HelpBoxes boxes;
  std::set<std::string> seen, arrays;
  const auto& before = fresh.controls();
  for (size_t i = 0; i < before.size(); ++i) {
    const Control& c = *before[i];
    if (&c == fresh.lblError) continue;
    if (c.index() >= 0 && !arrays.insert(c.name()).second) continue;
    bool input = false, result = false;
    switch (c.kind()) {
      case Kind::TextBox:
        (static_cast<const TextBox&>(c).readOnly ? result : input) = true;
        break;
      case Kind::List:
      case Kind::Option:
        input = true;
        break;
      case Kind::Label:
        if (c.look == Look::Result) {
          result = true;
        } else if (c.look == Look::Text && i < loaded.controls().size()) {
          // A label the load step writes into shows a value.
          result = loaded.controls()[i]->text() != c.text();
        }
        break;
      default:
        break;
    }
    if (!input && !result) continue;
    // A label written into is named by what it said at first.
    std::string caption = c.kind() == Kind::Label && c.look != Look::Result
                              ? Trimmed(c.text())
                              : Trimmed(CaptionOf(fresh, c));  // as a table cell holds it
    const std::string key = (input ? "in:" : "out:") + caption;
    if (!seen.insert(key).second) continue;
    (input ? boxes.inputs : boxes.results).push_back({&c, caption});
  }
  return boxes;
}

// ---------------------------------------------------------------- Markdown

std::vector<std::string> MdHeadings(std::string_view markdown) {
  std::vector<std::string> headings;
  bool fenced = false;
  for (std::string_view line : TextLines(markdown)) {
    if (line.starts_with("```")) fenced = !fenced;
    if (!fenced && line.starts_with("## ")) headings.push_back(Trimmed(line.substr(3)));
  }
  return headings;
}

std::map<std::string, std::string> MdSections(std::string_view markdown) {
  std::map<std::string, std::string> sections;
  std::string* body = nullptr;
  bool fenced = false;
  for (std::string_view line : TextLines(markdown)) {
    if (line.starts_with("```")) fenced = !fenced;
    if (!fenced && line.starts_with("## ")) {
      body = &sections[Trimmed(line.substr(3))];
      continue;
    }
    if (!fenced && line.starts_with("# ")) {
      body = nullptr;
      continue;
    }
    if (body) {
      body->append(line);
      body->push_back('\n');
    }
  }
  return sections;
}

std::vector<std::string> MdCells(std::string_view row) {
  row = Trim(row);
  if (row.starts_with('|')) row.remove_prefix(1);
  if (row.ends_with('|') && !row.ends_with("\\|")) row.remove_suffix(1);
  std::vector<std::string> cells;
  std::string cell;
  bool code = false;
  for (size_t i = 0; i < row.size(); ++i) {
    const char ch = row[i];
    if (ch == '\\' && i + 1 < row.size()) {
      cell += ch;
      cell += row[++i];
      continue;
    }
    if (ch == '`') code = !code;
    if (ch == '|' && !code) {
      cells.emplace_back(Trim(cell));
      cell.clear();
      continue;
    }
    cell += ch;
  }
  cells.emplace_back(Trim(cell));
  return cells;
}

std::vector<MdTable> MdTables(std::string_view markdown) {
  std::vector<MdTable> tables;
  const auto lines = TextLines(markdown);
  auto isDelimiter = [](std::string_view line) {
    line = Trim(line);
    if (line.find('-') == std::string_view::npos || line.find('|') == std::string_view::npos)
      return false;
    return line.find_first_not_of("|-: \t") == std::string_view::npos;
  };
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (Trim(lines[i]).find('|') == std::string_view::npos || !isDelimiter(lines[i + 1])) continue;
    MdTable table;
    table.header = MdCells(lines[i]);
    size_t j = i + 2;
    for (; j < lines.size() && !Trim(lines[j]).empty() &&
           Trim(lines[j]).find('|') != std::string_view::npos;
         ++j)
      table.rows.push_back(MdCells(lines[j]));
    tables.push_back(std::move(table));
    i = j;
  }
  return tables;
}

std::string MdPlain(std::string_view cell) {
  std::string out;
  for (size_t i = 0; i < cell.size(); ++i) {
    const char ch = cell[i];
    if (ch == '\\' && i + 1 < cell.size()) {
      out += cell[++i];
    } else if (ch == '<') {
      // An HTML tag ("<sub>", "<br>") reads as nothing, or a line break.
      const size_t end = cell.find('>', i);
      if (end == std::string_view::npos) {
        out += ch;
        continue;
      }
      const std::string_view tag = cell.substr(i, end - i + 1);
      if (tag.starts_with("<br")) out += '\n';
      i = end;
    } else if (ch == '`') {
      continue;
    } else {
      out += ch;
    }
  }
  // HTML entities that tables need.
  for (auto [entity, text] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
    for (size_t at = out.find(entity); at != std::string::npos; at = out.find(entity, at))
      out.replace(at, std::string_view(entity).size(), text);
  }
  return out;
}

std::vector<std::string> CaptionsInCell(std::string_view cell) {
  std::vector<std::string> captions;
  std::istringstream lines(MdPlain(cell));
  std::string line;
  while (std::getline(lines, line))
    if (std::string c = Trimmed(line); !c.empty()) captions.push_back(c);
  return captions;
}

std::string MdEscape(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if (ch == '\\' || ch == '|' || ch == '*' || ch == '_' || ch == '`' || ch == '#' ||
        ch == '[' || ch == ']')
      out += '\\';
    if (ch == '<') {
      out += "&lt;";
      continue;
    }
    if (ch == '&') {
      out += "&amp;";
      continue;
    }
    out += ch;
  }
  return out;
}

// ---------------------------------------------------------------- example

std::vector<std::string> ExamplesOf(std::string_view markdown) {
  std::vector<std::string> paths;
  for (std::string_view line : TextLines(markdown))
    if (Trim(line).starts_with("@example ")) paths.emplace_back(Trim(Trim(line).substr(9)));
  return paths;
}

std::string ExampleOf(std::string_view markdown) {
  const std::vector<std::string> paths = ExamplesOf(markdown);
  return paths.empty() ? "" : paths.front();
}

std::string WithExamples(std::string_view markdown, const std::vector<std::string>& examples) {
  std::string out;
  size_t n = 0;
  for (std::string_view line : TextLines(markdown)) {
    if (Trim(line).starts_with("@example ") && n < examples.size()) {
      out += examples[n++];
      continue;
    }
    out += line;
    out += '\n';
  }
  return out;
}

std::string WithExample(std::string_view markdown, std::string_view example) {
  std::string out;
  for (std::string_view line : TextLines(markdown)) {
    if (Trim(line).starts_with("@example ")) {
      out += example;
      continue;
    }
    out += line;
    out += '\n';
  }
  return out;
}

std::map<std::string, std::string> JsonMembers(std::string_view line) {
  std::map<std::string, std::string> members;
  const nlohmann::json json = nlohmann::json::parse(line, nullptr, false);
  if (!json.is_object()) return members;
  for (const auto& [key, value] : json.items()) {
    if (value.is_string())
      members[key] = value.get<std::string>();
    else if (!value.is_structured())
      members[key] = value.dump();  // true, false, null, a number
  }
  return members;
}

namespace {

// The caption of a control by its id, for the example's tables.
std::string ExampleCaption(const Form& form, std::string_view id) {
  const Control* c = form.FindById(id);
  if (!c) return std::string(id);
  if (c == form.lblError) return "Message";
  if (c->kind() == Kind::Label && c->look == Look::Warning) return "Warning";
  if (c->kind() == Kind::Label && c->look != Look::Result) return Trimmed(c->text());
  std::string caption = CaptionOf(form, *c);
  if (c->kind() == Kind::List) {
    // A list named by its choices reads as a choice.
    std::string joined;
    for (const auto& item : static_cast<const ListBox*>(c)->items())
      joined += (joined.empty() ? "" : " / ") + Trimmed(item);
    if (caption == joined) caption = "Choice";
  }
  // A box in a grid of rows and columns: its row label and column heading.
  if (const Control* heading = ColumnHeading(form, *c); heading && c->index() < 0) {
    const std::string column = Trimmed(heading->text());
    if (column != caption) caption += ", " + column;
  }
  if (c->index() >= 0) {
    // Rows count from 1 whatever index the array starts at.
    int row = 0, elements = 0;
    for (const auto& other : form.controls()) {
      if (other->name() != c->name() || other->index() < 0) continue;
      ++elements;
      if (other->index() <= c->index()) ++row;
    }
    if (elements > 1) caption += ", row " + std::to_string(row);
  }
  return caption;
}

}  // namespace

std::string RenderExample(const Form& fresh, std::string_view script, std::string_view output) {
  // The action that ended the program ("Done!") is no step of the example.
  std::vector<std::string_view> lines = TextLines(script);
  if (output.find("{\"event\":\"end\"}") != std::string_view::npos) {
    for (size_t i = lines.size(); i-- > 0;) {
      const std::string_view line = Trim(lines[i]);
      if (line.starts_with("click ") || line.starts_with("close") || line.starts_with("type ") ||
          line.starts_with("select ")) {
        lines.resize(i);
        break;
      }
    }
  }
  std::string steps;
  int step = 0;
  for (std::string_view line : lines) {
    line = Trim(line);
    if (line.empty() || line.starts_with('#')) continue;
    const size_t space = line.find(' ');
    const std::string_view command = line.substr(0, space);
    if (command != "type" && command != "click" && command != "select" && command != "close")
      continue;
    std::string_view rest = space == std::string_view::npos ? "" : line.substr(space + 1);
    const size_t nameEnd = rest.find(' ');
    const std::string_view name = rest.substr(0, nameEnd);
    const std::string_view text =
        nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1);
    std::string what, entry;
    if (command == "close") {
      what = "the window";
      entry = "close";
    } else {
      what = ExampleCaption(fresh, name);
      if (command == "type") entry = "type " + std::string(text);
      if (command == "click") entry = "click";
      if (command == "select") entry = "choose " + std::string(text);
    }
    steps += "| " + std::to_string(++step) + " | " + MdEscape(what) + " | " + MdEscape(entry) +
             " |\n";
  }

  std::string shows;
  for (std::string_view line : TextLines(output)) {
    const auto m = JsonMembers(line);
    if (const auto event = m.find("event"); event != m.end()) {
      // What the window does besides showing values.
      if (event->second == "start" && m.count("program"))
        shows += "| Program started | " + MdEscape(m.at("program")) + " |\n";
      if (event->second == "file" && m.count("name"))
        shows += "| File written | " + MdEscape(m.at("name")) + " |\n";
      continue;
    }
    const auto name = m.find("name");
    if (name == m.end() || m.count("shown") == 0 || m.at("shown") != "true") continue;
    const std::string& kind = m.at("kind");
    const std::string text = m.count("text") ? m.at("text") : "";
    const Control* c = fresh.FindById(name->second);
    std::string caption = ExampleCaption(fresh, name->second), value = text;
    if (kind == "option") {
      if (m.count("value") == 0 || m.at("value") != "true") continue;
      caption = c && c->parent() && !c->parent()->caption().empty() ? c->parent()->caption()
                                                                     : "Choice";
    } else if (kind == "label") {
      // Fixed captions are not values.
      if (!c || (c->look != Look::Result && c->look != Look::Warning && c != fresh.lblError &&
                 c->text() == text))
        continue;
    } else if (kind != "textbox" && kind != "list") {
      continue;
    }
    shows += "| " + MdEscape(Trimmed(caption)) + " | " + MdEscape(Trimmed(value)) + " |\n";
  }

  std::string md;
  if (step == 0) {
    md += "The window as it opens, with its defaults:\n\n";
  } else {
    md += "Starting from the defaults:\n\n| Step | Box | Action |\n|---|---|---|\n" + steps +
          "\nThe window then shows:\n\n";
  }
  md += "| Box | Value |\n|---|---|\n" + shows;
  return md;
}

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

HelpExample FillExample(const Form& fresh, const std::filesystem::path& source,
                        const std::string& help, const CaseRunner& run) {
  const std::vector<std::string> markers = ExamplesOf(help);
  if (markers.empty()) return {help, "no \"@example\" line"};
  std::vector<std::string> examples;
  for (const std::string& marker : markers) {
    const std::filesystem::path script = source.parent_path() / marker;
    std::filesystem::path expected = script;
    expected.replace_extension(".expected");
    const auto scriptText = ReadFileText(script);
    const auto expectedText = ReadFileText(expected);
    if (!scriptText || !expectedText)
      return {help, "the example case " + marker + " has no script or no expected output"};
    examples.push_back(RenderExample(fresh, *scriptText, run ? run(*scriptText) : *expectedText));
  }
  return {WithExamples(help, examples), ""};
}

std::string HelpPlaceholder(const Form& fresh) {
  // The window's title without the credit and notice that follow it.
  std::string title = fresh.caption().substr(0, fresh.caption().find("  "));
  if (const size_t by = title.rfind(" by "); by != std::string::npos) title.resize(by);
  return "# " + Trimmed(title) + "\n\nNo help has been written for this program yet.\n";
}

namespace {

// Runs work in a scratch folder of its own, removed afterwards (a window may
// write print files); false when there is none to be had.
bool InScratchFolder(const std::function<void()>& work) {
  const std::filesystem::path back = std::filesystem::current_path();
  char scratch[] = "/tmp/calc-help-XXXXXX";
  if (!mkdtemp(scratch)) return false;
  std::filesystem::current_path(scratch);
  work();
  std::filesystem::current_path(back);
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
  return true;
}

}  // namespace

CaseRunner ScratchCaseRunner(std::function<std::unique_ptr<Form>()> make) {
  return [make = std::move(make)](const std::string& script) {
    std::string printed;
    InScratchFolder([&] {
      std::unique_ptr<Form> form = make();
      std::istringstream in(script);
      std::ostringstream out, err;
      RunScript(*form, make, in, out, err);
      printed = out.str();
    });
    return printed;
  };
}

// ---------------------------------------------------------------- units

const char* const kUnitColumn = "Unit (US / SI)";

std::string UnitCell(Quantity quantity) {
  const UnitInfo& info = Info(quantity);
  return MdEscape(info.us) + " / " + MdEscape(info.si);
}

std::vector<const Control*> BoxesNamed(std::string_view captionCell,
                                       const std::vector<HelpBox>& boxes) {
  const std::vector<std::string> named = CaptionsInCell(captionCell);
  auto names = [&](const std::string& caption) {
    return std::find(named.begin(), named.end(), caption) != named.end();
  };
  std::vector<const Control*> found;
  for (const HelpBox& box : boxes) {
    bool match = names(box.caption);
    if (!match && box.control->kind() == Kind::List) {
      // A list without a label is named by its choices, each a caption.
      const auto& items = static_cast<const ListBox*>(box.control)->items();
      std::string joined;
      for (const auto& item : items) joined += (joined.empty() ? "" : " / ") + Trimmed(item);
      if (box.caption == joined)
        for (const auto& item : items) match = match || names(Trimmed(item));
    }
    if (match) found.push_back(box.control);
  }
  return found;
}

RowUnit RowUnitOf(const std::vector<const Control*>& boxes) {
  std::set<std::string> cells;
  bool unmeasured = false;
  for (const Control* box : boxes) {
    if (const TextUnit* unit = box->unit())
      cells.insert(UnitCell(unit->quantity));
    else
      unmeasured = true;
  }
  if (cells.empty()) return {};
  if (unmeasured || cells.size() > 1) return {"", true};
  return {*cells.begin(), false};
}

std::string UnitsParagraph(bool measured) {
  const std::string us = std::string("\"") + UnitSystemTitle(UnitSystem::US) + "\"";
  const std::string si = std::string("\"") + UnitSystemTitle(UnitSystem::SI) + "\"";
  // One way a line: a line that ends inside "--units" would read as two words.
  const std::string start =
      " Print files stay in US customary units. To start in SI:\n\n"
      "- `--units si` as the first option of the command line,\n"
      "- `?units=si` in a page's address,\n"
      "- the command `units si` in a script.\n";
  if (!measured)
    return "**Units.** No box of this window changes with the unit system: it reads the same in "
           "US customary units and in SI. The choice between " +
           us + " and " + si +
           " in the window's context menu (in the browser, in the page's menu) is remembered for "
           "every program of the suite." +
           start;
  return "**Units.** The window shows and reads its numbers in US customary units, as this "
         "help's captions, defaults and worked example give them, or in SI: choose " +
         si + " or " + us +
         " in the window's context menu (in the browser, in the page's menu). The captions then "
         "name that system's units, and nothing is computed again; the column \"" +
         std::string(kUnitColumn) +
         "\" gives both. The choice is remembered for every program of the suite." +
         start;
}

namespace {

// The index of the unit column of a table's header cells, or -1.
int UnitColumnOf(const std::vector<std::string>& header) {
  for (size_t i = 0; i < header.size(); ++i)
    if (header[i] == "Unit" || header[i] == kUnitColumn) return static_cast<int>(i);
  return -1;
}

bool IsDelimiterRow(std::string_view line) {
  line = Trim(line);
  if (line.find('-') == std::string_view::npos || line.find('|') == std::string_view::npos)
    return false;
  return line.find_first_not_of("|-: \t") == std::string_view::npos;
}

std::string TableRow(const std::vector<std::string>& cells) {
  std::string row = "|";
  for (const std::string& cell : cells) row += cell.empty() ? " |" : " " + cell + " |";
  return row;
}

}  // namespace

std::string WithUnits(std::string_view markdown, const HelpBoxes& boxes) {
  bool measured = false;
  for (const auto* list : {&boxes.inputs, &boxes.results})
    for (const HelpBox& box : *list) measured = measured || box.control->unit() != nullptr;

  const std::vector<std::string_view> lines = TextLines(markdown);
  std::string out;
  bool fenced = false;
  const std::vector<HelpBox>* section = nullptr;  // the boxes of Inputs or Results
  int unitColumn = -1;                             // within a table of theirs
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.starts_with("```")) fenced = !fenced;
    if (!fenced && (line.starts_with("## ") || line.starts_with("# "))) {
      const std::string heading = line.starts_with("## ") ? Trimmed(line.substr(3)) : "";
      section = heading == "Inputs" ? &boxes.inputs : heading == "Results" ? &boxes.results : nullptr;
      unitColumn = -1;
      out.append(line).push_back('\n');
      if (heading == "Inputs") out += "\n" + UnitsParagraph(measured);
      continue;
    }
    if (section && !fenced && unitColumn < 0 && i + 1 < lines.size() &&
        Trim(line).find('|') != std::string_view::npos && IsDelimiterRow(lines[i + 1])) {
      // A table's header: its unit column takes the heading of both systems.
      std::vector<std::string> header = MdCells(line);
      unitColumn = UnitColumnOf(header);
      if (unitColumn >= 0) {
        header[static_cast<size_t>(unitColumn)] = kUnitColumn;
        out += TableRow(header) + "\n";
        out.append(lines[++i]).push_back('\n');
        continue;
      }
    } else if (unitColumn >= 0) {
      if (Trim(line).empty() || Trim(line).find('|') == std::string_view::npos) {
        unitColumn = -1;  // the table ends
      } else {
        std::vector<std::string> cells = MdCells(line);
        const RowUnit unit = RowUnitOf(BoxesNamed(cells.front(), *section));
        if (!unit.cell.empty() && static_cast<int>(cells.size()) > unitColumn &&
            cells[static_cast<size_t>(unitColumn)] != unit.cell) {
          cells[static_cast<size_t>(unitColumn)] = unit.cell;
          out += TableRow(cells) + "\n";
          continue;
        }
      }
    }
    out.append(line).push_back('\n');
  }
  return out;
}

std::vector<std::string> UnitProblems(std::string_view markdown, const HelpBoxes& boxes) {
  std::vector<std::string> problems;
  const auto sections = MdSections(markdown);
  for (const auto& [name, list] : {std::pair{std::string("Inputs"), &boxes.inputs},
                                   {std::string("Results"), &boxes.results}}) {
    const auto it = sections.find(name);
    if (it == sections.end()) continue;
    for (const MdTable& table : MdTables(it->second)) {
      const int column = UnitColumnOf(table.header);
      if (column < 0) continue;
      for (const auto& row : table.rows) {
        if (row.empty()) continue;
        std::string captions;
        for (const auto& c : CaptionsInCell(row.front()))
          captions += (captions.empty() ? "" : " / ") + c;
        const std::vector<const Control*> named = BoxesNamed(row.front(), *list);
        const RowUnit unit = RowUnitOf(named);
        if (unit.mixed) {
          std::string units;
          for (const Control* box : named)
            units += (units.empty() ? "" : ", ") + box->id() + " " +
                     (box->unit() ? UnitCell(box->unit()->quantity) : std::string("no quantity"));
          problems.push_back("the row \"" + captions + "\" of \"" + name +
                             "\" names boxes of different units (" + units +
                             "): give each its own row");
          continue;
        }
        if (!unit.cell.empty() || static_cast<int>(row.size()) <= column) continue;
        // The cell stays as written: it must hold for both systems.
        const std::string written = MdPlain(row[static_cast<size_t>(column)]);
        for (const std::string& word : USUnitWords()) {
          if (FindUnitWord(written, word) == std::string::npos) continue;
          problems.push_back("the row \"" + captions + "\" of \"" + name + "\" gives the unit \"" +
                             written + "\", but " +
                             (named.empty() ? std::string("names no box of the window")
                                            : "its box declares no quantity") +
                             ": the SI help would show the US unit (declare the box's quantity "
                             "in the window, or write a unit both systems share)");
          break;
        }
      }
    }
  }
  return problems;
}

HelpExample FinishHelp(const std::function<std::unique_ptr<Form>()>& make,
                       const std::filesystem::path& source,
                       const std::optional<std::string>& help, const CaseRunner& run) {
  std::unique_ptr<Form> fresh = make();
  if (!help) return {HelpPlaceholder(*fresh), ""};
  // Which labels the load step writes into (they are results); the load may
  // write a print file, kept out of the current folder.
  std::unique_ptr<Form> loaded = make();
  if (!InScratchFolder([&] { loaded->Load(); })) loaded->Load();
  return FillExample(*fresh, source, WithUnits(*help, BoxesOf(*fresh, *loaded)), run);
}

}  // namespace core
