// The help tool of one program: linked with the program's own main (in the
// place of the usual entry point), so it builds the very window the program
// shows.
//   --build SRC.md OUT.md OUT.cpp  the help with its worked example filled in,
//                                  and a source that builds it into the program
//   --check SRC.md BUILT.md        every box of the window is in the help's
//                                  tables; the example is what the case prints
//   --gui BUILT.md                 F1 opens the help; it renders cleanly
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <unistd.h>

#include "core/help_doc.h"
#include "qt/help_window.h"
#include "qt/main.h"
#include "core/numtext.h"
#include "core/reading.h"
#include "core/script.h"
#include "qt/style.h"
#include "qt/view.h"
#include "qt/model.h"

namespace fs = std::filesystem;

namespace qt {

namespace {

// Writes only when the text differs, so that nothing is rebuilt needlessly.
bool Write(const fs::path& path, const std::string& text) {
  if (ReadFileText(path) == text) return true;
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

// The script's output when run on a fresh window, in a scratch folder (a
// case may write print files).
std::string RunCase(const FormFactory& make, const std::string& script) {
  return ScratchCaseRunner(make)(script);
}

// A C++ source that hands the help to the program before main runs. Long
// texts are cut into pieces no compiler refuses.
std::string Source(const std::string& markdown) {
  std::string pieces;
  for (size_t at = 0; at < markdown.size(); at += 2000) {
    std::string piece = markdown.substr(at, 2000);
    // A piece must not end inside a UTF-8 character: move the cut back.
    while (at + piece.size() < markdown.size() && !piece.empty() &&
           (static_cast<unsigned char>(markdown[at + piece.size()]) & 0xC0) == 0x80) {
      piece.pop_back();
    }
    at -= 2000 - piece.size();
    pieces += "    R\"help_text(" + piece + ")help_text\",\n";
  }
  return "// Made by the help tool from the program's help file.\n"
         "#include <string>\n\n#include \"qt/help_window.h\"\n\nnamespace {\n\n"
         "const char* const kPieces[] = {\n" +
         pieces +
         "    nullptr};\n\n"
         "const bool kSet = [] {\n"
         "  static std::string text;\n"
         "  for (const char* const* p = kPieces; *p; ++p) text += *p;\n"
         "  qt::SetProgramHelp(text.c_str());\n"
         "  return true;\n"
         "}();\n\n}  // namespace\n";
}

int Build(const FormFactory& make, const fs::path& source, const fs::path& md,
          const fs::path& cpp) {
  // The examples show what the program prints for them now.
  const CaseRunner run = [&make](const std::string& script) { return RunCase(make, script); };
  const std::string text = FinishHelp(make, source, ReadFileText(source), run).markdown;
  if (!Write(md, text) || !Write(cpp, Source(text))) {
    std::cerr << "cannot write " << md << " or " << cpp << "\n";
    return 1;
  }
  return 0;
}

// Boxes the caption rule cannot name, by program: the caption the help must
// hold for it, or none when no person ever sees the box.
struct Exception {
  const char* program;
  const char* id;
  const char* caption;
};
constexpr Exception kExceptions[] = {
    {"flowmenu", "Option8", nullptr},  // holds the menu's selection at start
    // The station number within the warning "Did not converge at axial station".
    {"ringflow", "Txtjconv", "Did not converge at axial station"},
};

// What is wrong with a help, one problem a line; empty when nothing is.
std::vector<std::string> Check(const FormFactory& make, const std::string& program,
                               const fs::path& source, const fs::path& built) {
  const auto help = ReadFileText(source);
  if (!help) return {"no help file " + source.string()};
  std::vector<std::string> problems;

  const auto headings = MdHeadings(*help);
  std::vector<std::string> order;
  for (const auto& h : headings)
    if (std::find(HelpSections().begin(), HelpSections().end(), h) != HelpSections().end())
      order.push_back(h);
  if (order != HelpSections()) {
    std::string want;
    for (const auto& s : HelpSections()) want += " \"" + s + "\"";
    problems.push_back("the sections are not, in this order:" + want);
  }

  // Every box, by its caption, in the Caption column of its section's table.
  std::unique_ptr<Form> fresh = make(), loaded = make();
  loaded->Load();
  HelpBoxes boxes = BoxesOf(*fresh, *loaded);
  for (auto* list : {&boxes.inputs, &boxes.results}) {
    for (HelpBox& b : *list)
      for (const Exception& e : kExceptions)
        if (program == e.program && b.control->id() == e.id && e.caption) b.caption = e.caption;
    std::erase_if(*list, [&](const HelpBox& b) {
      for (const Exception& e : kExceptions)
        if (program == e.program && b.control->id() == e.id && !e.caption) return true;
      return false;
    });
  }
  const auto sections = MdSections(*help);
  auto captionsOf = [&](const std::string& section) {
    std::set<std::string> captions;
    const auto it = sections.find(section);
    if (it == sections.end()) return captions;
    for (const MdTable& table : MdTables(it->second)) {
      const std::vector<std::string> want = {"Caption", "Symbol", "Unit", "Default", "Meaning"};
      if (table.header != want) {
        problems.push_back("the table of \"" + section +
                           "\" must have the columns Caption, Symbol, Unit, Default, Meaning");
        continue;
      }
      for (const auto& row : table.rows)
        if (!row.empty())
          for (const auto& c : CaptionsInCell(row[0])) captions.insert(c);
    }
    return captions;
  };
  for (const auto& [section, list] :
       {std::pair{std::string("Inputs"), &boxes.inputs}, {std::string("Results"), &boxes.results}}) {
    const std::set<std::string> captions = captionsOf(section);
    for (const HelpBox& box : *list) {
      if (box.caption.empty()) {
        problems.push_back(box.control->id() + " has no caption in the window");
        continue;
      }
      if (box.control->kind() == Kind::List) {
        // A list without a label is named by its choices, each a caption.
        const auto& items = static_cast<const ListBox*>(box.control)->items();
        std::string joined;
        for (const auto& item : items) joined += (joined.empty() ? "" : " / ") + Trimmed(item);
        if (box.caption == joined) {
          for (const auto& item : items)
            if (!captions.count(Trimmed(item)))
              problems.push_back("the choice \"" + item + "\" (" + box.control->id() +
                                 ") is not in the Caption column of \"" + section + "\"");
          continue;
        }
      }
      if (!captions.count(box.caption))
        problems.push_back("\"" + box.caption + "\" (" + box.control->id() +
                           ") is not in the Caption column of \"" + section + "\"");
    }
  }
  // Each row's units hold in both systems.
  for (auto& p : UnitProblems(*help, boxes)) problems.push_back(std::move(p));
  // A list's items are its choices: each is explained.
  for (const HelpBox& box : boxes.inputs) {
    if (box.control->kind() != Kind::List) continue;
    const std::string inputs = MdPlain(sections.count("Inputs") ? sections.at("Inputs") : "");
    for (const auto& item : static_cast<const ListBox*>(box.control)->items())
      if (Trimmed(inputs).find(Trimmed(item)) == std::string::npos)
        problems.push_back("the choice \"" + item + "\" of " + box.control->id() +
                           " is not in \"Inputs\"");
  }

  // Every warning the window can show is explained (a number shown beside
  // a warning is part of it, not a warning of its own).
  const std::string messages =
      Trimmed(MdPlain(sections.count("Messages and warnings") ? sections.at("Messages and warnings")
                                                               : ""));
  for (const auto& c : fresh->controls()) {
    if (c->kind() != Kind::Label || c->look != Look::Warning) continue;
    const std::string warning = Trimmed(c->text());
    if (warning.empty() || ParseStrict(warning)) continue;
    if (messages.find(warning) == std::string::npos)
      problems.push_back("the warning \"" + warning + "\" (" + c->id() +
                         ") is not in \"Messages and warnings\"");
  }

  // The worked examples are what their cases print now; one of them types
  // a change into a box, where the window has a box to type into.
  const std::vector<std::string> markers = ExamplesOf(*help);
  if (markers.empty()) problems.push_back("no \"@example cases/...\" line in \"Worked example\"");
  bool typed = false;
  for (const std::string& marker : markers) {
    const auto script = ReadFileText(source.parent_path() / marker);
    if (!script) {
      problems.push_back("no script case " + marker);
      continue;
    }
    fs::path expectedPath = source.parent_path() / marker;
    expectedPath.replace_extension(".expected");
    const auto expected = ReadFileText(expectedPath);
    if (!expected || *expected != RunCase(make, *script))
      problems.push_back("the case " + marker + " does not print its expected output");
    std::istringstream lines(*script);
    for (std::string line; std::getline(lines, line);)
      if (line.starts_with("type ")) typed = true;
  }
  bool typable = false;
  for (const auto& c : loaded->controls())
    if (c->kind() == Kind::TextBox && c->shown() && !static_cast<const TextBox&>(*c).readOnly)
      typable = true;
  if (!markers.empty() && typable && !typed)
    problems.push_back("no worked example types a change from the defaults");
  if (!markers.empty()) {
    const CaseRunner run = [&make](const std::string& script) { return RunCase(make, script); };
    const HelpExample now = FinishHelp(make, source, help, run);
    if (!now.problem.empty()) problems.push_back(now.problem);
    if (ReadFileText(built) != now.markdown)
      problems.push_back("the built help " + built.string() +
                         " does not hold the examples the cases print now, or the units of the"
                         " window's boxes");
  }
  return problems;
}

// ---------------------------------------------------------------- the view

std::string CellText(QTextTable& table, int row, int column) {
  const QTextTableCell cell = table.cellAt(row, column);
  // An empty cell ends where it starts (its last position is no later).
  if (cell.lastCursorPosition().position() <= cell.firstCursorPosition().position()) return {};
  QTextCursor cursor = cell.firstCursorPosition();
  cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
  // Word joiners hold units together (qt/help_window.cpp); they read as nothing.
  return cursor.selectedText().remove(QChar(0x2060)).toStdString();
}

// How often ch may stand in the rendered cell: as often as it is escaped or
// quoted as code in the source.
int Allowed(const std::string& source, char ch) {
  int n = 0;
  bool code = false;
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\\' && i + 1 < source.size()) {
      if (source[++i] == ch) ++n;
      continue;
    }
    if (source[i] == '`') code = !code;
    else if (code && source[i] == ch) ++n;
  }
  return n;
}

// What the Qt rendering of a help shows wrongly: Markdown left raw in a
// heading or a table, a table of the wrong shape, HTML shown as text.
std::vector<std::string> RenderProblems(QTextDocument& doc, const std::string& markdown) {
  std::vector<std::string> problems;
  std::vector<QTextTable*> tables;
  int headings = 0;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const std::string text = block.text().toStdString();
    if (QTextTable* table = QTextCursor(block).currentTable()) {
      if (std::find(tables.begin(), tables.end(), table) == tables.end()) tables.push_back(table);
      continue;
    }
    if (block.blockFormat().headingLevel() > 0) {
      if (block.blockFormat().headingLevel() == 2) ++headings;
      if (text.find_first_of("#*|") != std::string::npos)
        problems.push_back("raw Markdown in the heading \"" + text + "\"");
    } else if (text.starts_with("#") || text.starts_with("|")) {
      problems.push_back("a line left raw: \"" + text + "\"");
    }
    for (const char* tag : {"<sub", "<sup", "<br", "</"})
      if (text.find(tag) != std::string::npos)
        problems.push_back("HTML shown as text: \"" + text + "\"");
  }
  if (headings != static_cast<int>(MdHeadings(markdown).size()))
    problems.push_back("the window shows " + std::to_string(headings) + " of " +
                       std::to_string(MdHeadings(markdown).size()) + " section headings");
  const std::vector<MdTable> source = MdTables(markdown);
  if (tables.size() != source.size()) {
    problems.push_back("the window shows " + std::to_string(tables.size()) + " tables of " +
                       std::to_string(source.size()));
    return problems;
  }
  for (size_t t = 0; t < tables.size(); ++t) {
    QTextTable& table = *tables[t];
    const MdTable& md = source[t];
    if (table.columns() != static_cast<int>(md.header.size()) ||
        table.rows() != static_cast<int>(md.rows.size()) + 1) {
      problems.push_back("table " + std::to_string(t + 1) + " (\"" + md.header[0] +
                         "\") is shown with another shape");
      continue;
    }
    // The unit column reads as written ("psia / kPa"), heading and cells.
    const auto unitColumn = std::find(md.header.begin(), md.header.end(), kUnitColumn);
    if (unitColumn != md.header.end()) {
      const int c = static_cast<int>(unitColumn - md.header.begin());
      for (int r = 0; r < table.rows(); ++r) {
        const auto& row = r == 0 ? md.header : md.rows[r - 1];
        // Qt joins an empty cell to the one before it.
        if (c >= static_cast<int>(row.size()) || row[c].empty()) continue;
        const std::string text = CellText(table, r, c), want = Trimmed(MdPlain(row[c]));
        if (text != want)
          problems.push_back("the unit cell \"" + want + "\" of table " + std::to_string(t + 1) +
                             " shows \"" + text + "\"");
      }
    }
    for (int r = 0; r < table.rows(); ++r) {
      const auto& row = r == 0 ? md.header : md.rows[r - 1];
      for (int c = 0; c < table.columns() && c < static_cast<int>(row.size()); ++c) {
        const std::string text = CellText(table, r, c);
        for (char ch : {'|', '*', '#'}) {
          if (std::count(text.begin(), text.end(), ch) > Allowed(row[c], ch))
            problems.push_back("raw \"" + std::string(1, ch) + "\" in the cell \"" + text +
                               "\" of table " + std::to_string(t + 1));
        }
        for (const char* tag : {"<sub", "<sup", "<br", "</"})
          if (text.find(tag) != std::string::npos)
            problems.push_back("HTML shown as text in the cell \"" + text + "\"");
      }
    }
  }
  return problems;
}

int Gui(int argc, char** argv, const FormFactory& make, const fs::path& built) {
  const auto markdown = ReadFileText(built);
  if (!markdown) {
    std::cerr << "no built help " << built << "\n";
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setStyle(new SuiteStyle);
  std::unique_ptr<Form> form = make();
  form->Load();
  View view(*form);
  AddHelpActions(view, QString::fromStdString(*markdown));
  view.show();
  view.activateWindow();
  std::vector<std::string> problems;
  if (!QTest::qWaitForWindowActive(&view)) problems.push_back("the window never became active");

  QStringList menu;
  for (QAction* action : view.actions()) menu << action->text();
  for (const char* entry : {"Help", "About"})
    if (!menu.contains(entry))
      problems.push_back(std::string("no \"") + entry + "\" in the window's context menu");

  QTest::keyClick(&view, Qt::Key_F1);
  HelpWindow* help = HelpWindowOf(view);
  if (!help || !help->isVisible()) {
    problems.push_back("F1 opened no help window");
  } else {
    if (markdown->starts_with("# ")) {
      const std::string title = Trimmed(markdown->substr(2, markdown->find('\n') - 2));
      if (help->windowTitle().toStdString() != "Help: " + title)
        problems.push_back("the help window is titled \"" + help->windowTitle().toStdString() +
                           "\"");
    }
    QTextDocument& doc = *help->browser()->document();
    const std::string shown = doc.toPlainText().toStdString();
    for (const auto& section : HelpSections())
      if (markdown->find("## " + section) != std::string::npos &&
          shown.find(section) == std::string::npos)
        problems.push_back("the help window does not show \"" + section + "\"");
    for (auto& p : RenderProblems(doc, *markdown)) problems.push_back(std::move(p));
    // How to switch the units, by the menus' own titles.
    for (UnitSystem system : {UnitSystem::US, UnitSystem::SI})
      if (shown.find(UnitSystemTitle(system)) == std::string::npos)
        problems.push_back(std::string("the help window does not name the menu entry \"") +
                           UnitSystemTitle(system) + "\"");
    if (const char* dir = std::getenv("CALC_SHOT_DIR")) {
      help->grab().save(QString("%1/%2_help.png").arg(dir, QCoreApplication::applicationName()));
      // The window scrolled to its tables of inputs and of results, as a reader finds them.
      QTextBrowser& browser = *help->browser();
      for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2 ||
            (block.text() != "Inputs" && block.text() != "Results"))
          continue;
        browser.verticalScrollBar()->setValue(
            static_cast<int>(doc.documentLayout()->blockBoundingRect(block).top()));
        help->grab().save(QString("%1/%2_%3.png")
                              .arg(dir, QCoreApplication::applicationName(), block.text().toLower()));
      }
      browser.verticalScrollBar()->setValue(0);
      // The whole text too, as one tall page, to read it through.
      std::unique_ptr<QTextDocument> page(doc.clone());
      page->setTextWidth(740);
      QImage image(740, std::min(30000, static_cast<int>(page->size().height())),
                   QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      page->drawContents(&painter);
      painter.end();
      image.save(QString("%1/%2_page.png").arg(dir, QCoreApplication::applicationName()));
    }
  }
  for (const auto& p : problems) std::cerr << built.string() << ": " << p << "\n";
  return problems.empty() ? 0 : 1;
}

int Usage(const char* program) {
  std::cerr << "usage: " << program
            << " --build SRC.md OUT.md OUT.cpp | --check SRC.md BUILT.md | --gui BUILT.md\n";
  return 2;
}

}  // namespace

int RunProgram(int argc, char** argv, const FormFactory& make) {
  std::setlocale(LC_ALL, "C");
  if (argc == 5 && std::strcmp(argv[1], "--build") == 0)
    return Build(make, argv[2], argv[3], argv[4]);
  if (argc == 4 && std::strcmp(argv[1], "--check") == 0) {
    // The tool of program P is P_help.
    std::string program = fs::path(argv[0]).filename().string();
    if (program.ends_with("_help")) program.resize(program.size() - 5);
    const auto problems = Check(make, program, argv[2], argv[3]);
    for (const auto& p : problems) std::cerr << argv[2] << ": " << p << "\n";
    return problems.empty() ? 0 : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "--gui") == 0) {
    const fs::path built = argv[2];
    return Gui(argc, argv, make, built);
  }
  return Usage(argv[0]);
}

}  // namespace qt
