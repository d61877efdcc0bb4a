#include "core/script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace core {
namespace {

class Calc : public Form {
 public:
  Calc() : Form("Calc", 300, 200) {
    fra = AddFrame("fra", "Single Value", {0, 0, 200, 100});
    txt = AddTextBox("txt", {0, 0, 50, 20}, fra);
    out = AddLabel("lblout", "0.00", {0, 0, 50, 20}, fra);
    opt = AddOption("opt", "Table", {0, 0, 50, 20});
    lst = AddList("lst", {"Normal Shock", "Oblique \"Weak\""}, {0, 0, 50, 40});
    AddPicture("Picture1", "<svg/>", {0, 0, 10, 10});
    auto* go = AddButton("cmdgo", "Compute", {0, 0, 50, 20});
    auto* end = AddButton("cmdend", "Done!", {0, 0, 50, 20});
    go->Click = [this] { out->setCaption(std::to_string(static_cast<int>(Strict(txt) * 2))); };
    end->Click = [this] { End(); };
    opt->Click = [this] { fra->setVisible(false); };
  }
  Frame* fra;
  TextBox* txt;
  Label* out;
  Option* opt;
  ListBox* lst;
};

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Script(const std::string& text) {
  Calc calc;
  std::istringstream in(text);
  std::ostringstream out, err;
  int status = RunScript(calc, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(Script, ShowTypeClickAndEnd) {
  Outcome r = Script("# comment\n\ntype txt 21\nclick cmdgo\nshow lblout\nclick cmdend\nshow txt\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"name\":\"lblout\",\"kind\":\"label\",\"visible\":true,\"shown\":true,\"text\":\"42\"}\n"
            "{\"event\":\"end\"}\n");
}

TEST(Script, TypeTakesEverythingAfterOneBlank) {
  Outcome r = Script("type txt  1 2 \nshow txt\ntype txt \nshow txt\n");
  EXPECT_EQ(r.out,
            "{\"name\":\"txt\",\"kind\":\"textbox\",\"visible\":true,\"shown\":true,\"text\":\" 1 2 \"}\n"
            "{\"name\":\"txt\",\"kind\":\"textbox\",\"visible\":true,\"shown\":true,\"text\":\"\"}\n");
}

TEST(Script, OptionsListsAndShownState) {
  Outcome r = Script("click opt\nshow opt\nshow txt\nselect lst normal shock\nshow lst\nshow Picture1\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"name\":\"opt\",\"kind\":\"option\",\"visible\":true,\"shown\":true,\"text\":\"Table\",\"value\":true}\n"
            "{\"name\":\"txt\",\"kind\":\"textbox\",\"visible\":true,\"shown\":false,\"text\":\"\"}\n"
            "{\"name\":\"lst\",\"kind\":\"list\",\"visible\":true,\"shown\":true,\"text\":\"Normal Shock\","
            "\"index\":0,\"items\":[\"Normal Shock\",\"Oblique \\\"Weak\\\"\"]}\n"
            "{\"name\":\"Picture1\",\"kind\":\"picture\",\"visible\":true,\"shown\":true,\"text\":\"\"}\n");
}

TEST(Script, FailuresShowLblErrorAndTheRunGoesOn) {
  Outcome r = Script("type txt x\nclick cmdgo\nshow lblError\ntype txt 1\nclick cmdgo\nshow lblError\n");
  EXPECT_EQ(r.status, 0);
  std::istringstream lines(r.out);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_NE(first.find("\"visible\":true"), std::string::npos);
  EXPECT_NE(first.find("does not hold a number"), std::string::npos);
  EXPECT_NE(second.find("\"visible\":false"), std::string::npos);
}

TEST(Script, DumpListsEveryControlInOrder) {
  Outcome r = Script("dump\n");
  std::istringstream lines(r.out);
  std::string line;
  std::vector<std::string> names;
  while (std::getline(lines, line)) names.push_back(line.substr(9, line.find('"', 9) - 9));
  EXPECT_EQ(names, (std::vector<std::string>{"lblError", "fra", "txt", "lblout", "opt", "lst",
                                             "Picture1", "cmdgo", "cmdend"}));
}

TEST(Script, BadLinesEndTheRunWithStatusTwoAndTheLineNumber) {
  struct Case {
    const char* script;
    const char* message;
  } cases[] = {
      {"show nothing\n", "line 1: no control named \"nothing\""},
      {"\n# c\nfly away\n", "line 3: unknown command \"fly\""},
      {"type lblout 3\n", "line 1: \"type\" does not fit lblout"},
      {"click txt\n", "line 1: \"click\" does not fit txt"},
      {"select lst Conical\n", "line 1: list lst holds no item \"Conical\""},
      {"select txt a\n", "line 1: \"select\" does not fit txt"},
      {"show\n", "line 1: a control name is missing"},
      {"show txt extra\n", "line 1: \"show\" takes only a control name"},
      {"dump all\n", "line 1: \"dump\" takes nothing"},
  };
  for (const Case& c : cases) {
    Outcome r = Script(std::string(c.script) + "show txt\n");
    EXPECT_EQ(r.status, 2) << c.script;
    EXPECT_EQ(r.out, "") << c.script;
    EXPECT_EQ(r.err.substr(0, std::string(c.message).size()), c.message) << c.script;
  }
}

TEST(Script, CloseEndsAndStopsReading) {
  Outcome r = Script("close\nshow nothing\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"event\":\"end\"}\n");
}

TEST(Json, Escapes) {
  EXPECT_EQ(JsonString("a\"b\\c\n\t\x01γ"), "\"a\\\"b\\\\c\\n\\t\\u0001γ\"");
}

}  // namespace
}  // namespace core
