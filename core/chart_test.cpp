#include "core/chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "core/form.h"
#include "core/script.h"

namespace core {
namespace {

TEST(ChartJson, NumbersReadBackExactlyAndGapsAreNull) {
  ChartData chart;
  chart.name = "ts-line";
  chart.title = "Fanno line, γ = 1.4";
  chart.x = {"(s − s*)/R", false};
  chart.y = {"T/T*", true};
  const double third = 1.0 / 3.0;
  chart.series.push_back({"subsonic", {std::pair{0.1, third}, std::nullopt,
                                       std::pair{std::numeric_limits<double>::infinity(), 1.0}}});
  chart.marks.push_back({"state", 2.5, 1e-300, "M = 0.5", true});
  std::string json = ChartJson(chart);
  EXPECT_EQ(json,
            "{\"chart\":\"ts-line\",\"title\":\"Fanno line, γ = 1.4\","
            "\"x\":{\"label\":\"(s − s*)/R\",\"log\":false},\"y\":{\"label\":\"T/T*\",\"log\":true},"
            "\"series\":[{\"name\":\"subsonic\",\"points\":[[0.1,0.3333333333333333],null,null]}],"
            "\"marks\":[{\"name\":\"state\",\"x\":2.5,\"y\":1e-300,"
            "\"text\":\"M = 0.5\",\"alarm\":true}]}");
  EXPECT_EQ(std::strtod("0.3333333333333333", nullptr), third);
}

// Whatever the magnitude, a point's numbers read back to the same Double,
// and whole numbers carry no fraction.
TEST(ChartJson, AwkwardNumbersReadBackExactly) {
  const double values[] = {1e-5,      1.5e16,  123456.789, -0.25, 5e-324, 1.7976931348623157e308,
                           0.1 + 0.2, 1e15 - 1, -1e15,      7.0,   1e22,   518.69999999999993};
  for (double v : values) {
    ChartData chart;
    chart.series.push_back({"s", {std::pair{v, -v}}});
    const std::string json = ChartJson(chart);
    const std::string::size_type at = json.find("[[") + 2;
    char* end = nullptr;
    const double x = std::strtod(json.c_str() + at, &end);
    EXPECT_EQ(x, v) << json;
    ASSERT_EQ(*end, ',') << json;
    EXPECT_EQ(std::strtod(end + 1, nullptr), -v) << json;
  }
  ChartData whole;
  whole.series.push_back({"s", {std::pair{7.0, 2.0}}});
  EXPECT_NE(ChartJson(whole).find("[[7,2]]"), std::string::npos) << ChartJson(whole);
}

TEST(ChartJson, OptionalPartsOnlyWhenUsed) {
  struct Case {
    const char* what;
    ChartData chart;
    const char* contains;
  };
  ChartData two;
  two.y2 = ChartAxis{"p (psia)", false};
  two.series.push_back({"p", {std::pair{0.0, 14.7}}, SeriesStyle::Dashed, true});
  two.series.back().labels = {"1"};
  ChartData table;
  table.table = {{"Station", "Tt (deg R)"}, {"0", "518.7"}};
  table.equalScale = true;
  for (const Case& c : {Case{"second axis", two, "\"y2\":{\"label\":\"p (psia)\",\"log\":false}"},
                        Case{"series style", two, "\"style\":\"dashed\",\"axis\":2,\"labels\":[\"1\"]"},
                        Case{"table", table, "\"table\":[[\"Station\",\"Tt (deg R)\"],[\"0\",\"518.7\"]]"},
                        Case{"equal scale", table, "\"equal\":true"},
                        Case{"why not", Unavailable("duct", "Duct", "Press \"Calculate\" first"),
                             "\"message\":\"Press \\\"Calculate\\\" first\""}}) {
    EXPECT_NE(ChartJson(c.chart).find(c.contains), std::string::npos) << c.what << ": " << ChartJson(c.chart);
  }
  std::string plain = ChartJson(ChartData{});
  for (const char* absent : {"y2", "style", "axis", "table", "equal", "message", "labels", "alarm"})
    EXPECT_EQ(plain.find(absent), std::string::npos) << absent;
}

class Charted : public Form {
 public:
  Charted() : Form("Charted", 200, 100) {
    txt = AddTextBox("txt", {0, 0, 50, 20});
    out = AddLabel("lblout", "", {60, 0, 50, 20});
    auto* go = AddButton("cmdgo", "Compute", {0, 30, 50, 20});
    go->Click = [this] {
      last.reset();
      double v = Strict(txt);
      if (v < 0) Refuse(txt, "must not be negative");
      last = v;
      out->setCaption(std::to_string(v));
    };
  }
  std::vector<std::string> ChartNames() const override { return {"line"}; }
  ChartData Chart(const std::string& name) const override {
    if (!last) return Unavailable(name, "Line", "Press Compute first");
    ChartData chart;
    chart.name = name;
    chart.series.push_back({"v", {std::pair{0.0, *last}}});
    chart.marks.push_back({"sweep points", static_cast<double>(lastSweep().points.size()), 0, ""});
    return chart;
  }
  TextBox* txt;
  Label* out;
  std::optional<double> last;
};

TEST(FormCharts, ListenersHearEveryActionUntilTheyLeave) {
  Charted form;
  int heard = 0;
  int key = form.Listen([&] { ++heard; });
  form.Load();
  form.UserType(*form.txt, "2");
  form.UserClick(*form.Find("cmdgo"));
  EXPECT_EQ(heard, 3);
  form.NoteSweep({});
  EXPECT_EQ(heard, 4);
  form.Unlisten(key);
  form.UserType(*form.txt, "-1");
  EXPECT_EQ(heard, 4);
}

TEST(FormCharts, AChartSaysWhatItsComputationFailedWith) {
  Charted form;
  form.Load();
  form.UserType(*form.txt, "-1");
  form.UserClick(*form.Find("cmdgo"));
  const size_t failed = form.actions().size() - 1;
  EXPECT_EQ(form.FailureOf(failed), form.lblError->caption());
  form.UserType(*form.txt, "2");  // succeeds: the failure still stands for its action
  EXPECT_FALSE(form.lblError->shown());
  EXPECT_EQ(form.WhyNothing(failed, "Press Compute"),
            "The last computation failed: " + form.FailureOf(failed));
  EXPECT_EQ(form.WhyNothing(failed - 1, "Press Compute"), "Press Compute") << "that action did not fail";
  form.UserType(*form.txt, "x");
  form.UserClick(*form.Find("cmdgo"));  // a later failure: the first is no longer told
  EXPECT_EQ(form.FailureOf(failed), "");
  EXPECT_NE(form.FailureOf(form.actions().size() - 1), "");
  EXPECT_EQ(form.WhyNothing(static_cast<size_t>(-1), "none"), "none");
}

TEST(FormCharts, ScriptPrintsChartsFollowsFailuresAndSweeps) {
  Charted form;
  FormFactory make = [] { return std::make_unique<Charted>(); };
  std::istringstream in(
      "chart line\n"
      "type txt 2\nclick cmdgo\nchart line\n"
      "type txt -1\nclick cmdgo\nchart line\n"
      "type txt 1\nclick cmdgo\nsweep txt 1 3 3 cmdgo lblout\nchart line\n"
      "chart nothing\n");
  std::ostringstream out, err;
  RunScript(form, make, in, out, err);
  std::string text = out.str();
  std::vector<std::string> charts;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("{\"chart\"", 0) == 0) charts.push_back(line);
  ASSERT_EQ(charts.size(), 4u) << text;
  EXPECT_NE(charts[0].find("\"message\":\"Press Compute first\""), std::string::npos);
  EXPECT_NE(charts[1].find("\"points\":[[0,2]]"), std::string::npos) << charts[1];
  EXPECT_NE(charts[2].find("\"message\""), std::string::npos) << "a failed computation leaves no stale chart";
  EXPECT_NE(charts[3].find("\"name\":\"sweep points\",\"x\":3"), std::string::npos) << charts[3];
  EXPECT_NE(err.str().find("no chart \"nothing\" (it has line)"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace core
