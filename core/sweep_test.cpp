#include "core/sweep.h"
#include "core/testing/driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "core/numtext.h"
#include "core/reading.h"
#include "core/script.h"

namespace core {
namespace {

// A window with window-level state (a running total), a print file, a
// program start, a warning frame and an end button.
class Adder : public Form {
 public:
  Adder() : Form("Adder", 300, 200) {
    txt = AddTextBox("txt", {0, 0, 50, 20});
    txtk = AddTextBox("txtk", {0, 0, 50, 20});
    out = AddLabel("lblout", "0", {0, 0, 50, 20}, nullptr, Look::Result);
    warn = AddFrame("fraWarn", "", {0, 0, 100, 30}, nullptr, false);
    AddLabel("Label1", "Too large:", {0, 0, 50, 20}, warn, Look::Warning);
    AddLabel("Label2", "above 100", {50, 0, 50, 20}, warn);
    warn->setVisible(false);
    auto* go = AddButton("cmdgo", "Compute", {0, 0, 50, 20});
    auto* add = AddButton("cmdadd", "Add", {0, 0, 50, 20});
    auto* print = AddButton("cmdprint", "Print", {0, 0, 50, 20});
    auto* start = AddButton("cmdstart", "Start", {0, 0, 50, 20});
    auto* end = AddButton("cmdend", "Done!", {0, 0, 50, 20});
    go->Click = [this] {
      const float x = Strict(txt) * Strict(txtk) + total;
      warn->setVisible(x > 100);
      out->setCaption(NumberText(x));
    };
    add->Click = [this] { total += Strict(txt); };
    print->Click = [this] { WritePrintFile("adder.txt", {out->caption()}); };
    start->Click = [this] { StartProgram("isentropic"); };
    end->Click = [this] { End(); };
    txt->Change = [this] { changes += 1; };
  }
  void Form_Load() override {
    txt->setText("1");
    txtk->setText("2");
  }
  TextBox *txt, *txtk;
  Label* out;
  Frame* warn;
  float total = 0;
  int changes = 0;
};

FormFactory MakeAdder() {
  return [] { return std::make_unique<Adder>(); };
}

// Records the effects a window asks for; a start can be made to fail.
class Recorder : public FormObserver {
 public:
  void ControlChanged(Control&) override {}
  void ProgramEnded() override { ended = true; }
  void FileWritten(const std::string& name) override { files.push_back(name); }
  void StartProgram(const std::string& program) override {
    if (failStart) throw Failure("Cannot start " + program);
    starts.push_back(program);
  }
  std::vector<std::string> files, starts;
  bool ended = false, failStart = false;
};

// Runs in a scratch folder, so print files land there.
class InScratch : public ::testing::Test {
 protected:
  core::testing::ScratchFolder scratch_{"sweep-test-"};
  int Files() const {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch_.path())) ++n;
    return n;
  }
};

TEST(SweepPoints, ValuesAndTexts) {
  struct Case {
    double from, to;
    int n, i;
    Spacing spacing;
    const char* text;
  } cases[] = {
      {0, 3, 7, 0, Spacing::Linear, "0"},
      {0, 3, 7, 1, Spacing::Linear, "0.5"},
      {0, 3, 7, 6, Spacing::Linear, "3"},
      {0.1, 0.2, 11, 3, Spacing::Linear, "0.13"},  // the Single nearest 0.13 reads back so
      {1, 2, 4, 1, Spacing::Linear, "1.333333"},
      {-1, 1, 3, 1, Spacing::Linear, "0"},
      {1, 100, 3, 1, Spacing::Log, "10"},
      {1, 1000, 4, 2, Spacing::Log, "100"},
      {1, 1000, 4, 3, Spacing::Log, "1000"},
      {1e-6, 1e-5, 2, 0, Spacing::Linear, "1E-06"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to) + " #" + std::to_string(c.i));
    EXPECT_EQ(PointText(PointValue(c.from, c.to, c.n, c.i, c.spacing)), c.text);
  }
  // The Double of the formula, before it becomes a Single.
  EXPECT_EQ(PointValue(0.1, 0.2, 11, 3), 0.1 + 3 * (0.2 - 0.1) / 10);
}

TEST(SweepPoints, RangeEnds) {
  EXPECT_EQ(ReadRangeEnd("0.1"), 0.1);  // a Double, not the Single nearest 0.1
  EXPECT_EQ(ReadRangeEnd(" 1,000.5 "), 1000.5);
  EXPECT_EQ(ReadRangeEnd("-2e3"), -2000.0);
  for (const char* bad : {"", "abc", "1e39", ",1", "1 2", "0x10", "1d3", "nan"})
    EXPECT_FALSE(ReadRangeEnd(bad)) << bad;
}

TEST_F(InScratch, CopyRepeatsStateEffectsAndFailures) {
  Adder window;
  Recorder recorder;
  window.SetObserver(&recorder);
  window.Load();
  window.UserType(*window.txt, "40");
  window.UserClick(*window.Find("cmdadd"));
  window.UserType(*window.txtk, "x");
  window.UserClick(*window.Find("cmdgo"));  // fails: txtk holds no number
  window.UserClick(*window.Find("cmdprint"));
  window.UserClick(*window.Find("cmdstart"));
  recorder.failStart = true;
  window.UserClick(*window.Find("cmdstart"));
  ASSERT_TRUE(window.lblError->visible());
  ASSERT_EQ(Files(), 1);

  std::unique_ptr<Form> copy = CopyWindow(window, MakeAdder());
  auto& adder = static_cast<Adder&>(*copy);
  EXPECT_EQ(StateText(adder), StateText(window));
  EXPECT_EQ(adder.lblError->caption(), "Cannot start isentropic");  // as the window failed
  EXPECT_EQ(adder.total, window.total);
  EXPECT_EQ(adder.changes, window.changes);
  EXPECT_EQ(Files(), 1);  // the copy wrote nothing
  EXPECT_EQ(recorder.starts.size(), 1u);
  // After the replay a copy's effects are taken as done, and not done.
  adder.UserClick(*adder.Find("cmdstart"));
  adder.UserClick(*adder.Find("cmdprint"));
  EXPECT_FALSE(adder.lblError->visible());
  EXPECT_EQ(Files(), 1);

  // An ended window copies to an ended one.
  window.UserClick(*window.Find("cmdend"));
  EXPECT_TRUE(CopyWindow(window, MakeAdder())->ended());
}

TEST(Sweep, PointsRunOnCopiesAndReportMessages) {
  Adder window;
  window.Load();
  window.UserType(*window.txtk, "10");
  window.UserType(*window.txt, "3");
  window.UserClick(*window.Find("cmdadd"));  // a total of 3 the copies must keep
  const std::string before = StateText(window);

  SweepRequest request;
  request.input = "txt";
  request.from = 8;
  request.to = 11;
  request.points = 4;
  request.button = "cmdgo";
  request.outputs = {"lblout", "txt"};
  const std::vector<SweepPoint> points = Sweep(window, MakeAdder(), request).Run(3);
  ASSERT_EQ(points.size(), 4u);
  const char* want[] = {"83", "93", "103", "113"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(points[i].index, i);
    EXPECT_EQ(points[i].outputs[0], want[i]);
    EXPECT_EQ(points[i].outputs[1], points[i].text);
  }
  EXPECT_EQ(points[0].message, "");
  EXPECT_EQ(points[2].message, "Too large: above 100");
  EXPECT_EQ(StateText(window), before);
  EXPECT_EQ(window.total, 3);

  // A failure shown in lblError wins over the warning frame.
  request.input = "txtk";
  request.from = -1;
  request.to = 1;
  request.points = 3;
  request.family = "txt";
  request.familyTexts = {"1", "x"};
  const std::vector<SweepPoint> family = Sweep(window, MakeAdder(), request).Run(1);
  ASSERT_EQ(family.size(), 6u);
  EXPECT_EQ(family[1].curve, 0);
  EXPECT_EQ(family[1].outputs[0], "3");  // 1·0 + 3
  EXPECT_EQ(family[4].curve, 1);
  EXPECT_EQ(family[4].message, "A box does not hold a number");  // never a control name
}

TEST(Sweep, ThreadsDoNotChangeTheDigitsAndCancelStops) {
  Adder window;
  window.Load();
  SweepRequest request{"txt", -50, 50, 101, Spacing::Linear, "cmdgo", {"lblout"}, "", {}};
  const Sweep sweep(window, MakeAdder(), request);
  std::vector<SweepPoint> one = sweep.Run(1), four = sweep.Run(4);
  ASSERT_EQ(one.size(), four.size());
  for (size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(one[i].outputs, four[i].outputs);
    EXPECT_EQ(one[i].message, four[i].message);
  }
  std::atomic<bool> cancel{false};
  int seen = 0;
  const std::vector<SweepPoint> cut = sweep.Run(1, &cancel, [&](const SweepPoint&) {
    if (++seen == 10) cancel = true;
  });
  EXPECT_EQ(cut.size(), 10u);
}

TEST(Sweep, RequestsThatDoNotFitTheWindow) {
  Adder window;
  window.Load();
  const SweepRequest good{"txt", 0, 1, 5, Spacing::Linear, "cmdgo", {"lblout"}, "", {}};
  EXPECT_NO_THROW(CheckRequest(window, good));
  auto bad = [&](auto change) {
    SweepRequest r = good;
    change(r);
    return r;
  };
  const SweepRequest cases[] = {
      bad([](SweepRequest& r) { r.input = "lblout"; }),
      bad([](SweepRequest& r) { r.input = "nothing"; }),
      bad([](SweepRequest& r) { r.button = "txt"; }),
      bad([](SweepRequest& r) { r.outputs = {"cmdgo"}; }),
      bad([](SweepRequest& r) { r.outputs = {}; }),
      bad([](SweepRequest& r) { r.points = 1; }),
      bad([](SweepRequest& r) { r.points = 10001; }),
      bad([](SweepRequest& r) { r.spacing = Spacing::Log; }),  // from 0
      bad([](SweepRequest& r) { r.to = std::nan(""); }),
      bad([](SweepRequest& r) { r.from = -1e39; }),
      bad([](SweepRequest& r) { r.family = "txt"; r.familyTexts = {"1"}; }),
      bad([](SweepRequest& r) { r.family = "txtk"; }),
      bad([](SweepRequest& r) { r.family = "txtk"; r.familyTexts.assign(9, "1"); }),
  };
  for (const SweepRequest& r : cases) EXPECT_THROW(CheckRequest(window, r), SweepError);
}

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Script(const std::string& text) {
  Adder window;
  std::istringstream in(text);
  std::ostringstream out, err;
  const int status = RunScript(window, MakeAdder(), in, out, err);
  return {status, out.str(), err.str()};
}

TEST(ScriptSweep, PrintsOneLinePerPoint) {
  Outcome r = Script("type txtk 10\nsweep txt 9 11 3 cmdgo lblout\nshow txt\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"sweep\":\"txt\",\"point\":0,\"text\":\"9\",\"outputs\":{\"lblout\":\"90\"},\"message\":\"\"}\n"
            "{\"sweep\":\"txt\",\"point\":1,\"text\":\"10\",\"outputs\":{\"lblout\":\"100\"},\"message\":\"\"}\n"
            "{\"sweep\":\"txt\",\"point\":2,\"text\":\"11\",\"outputs\":{\"lblout\":\"110\"},"
            "\"message\":\"Too large: above 100\"}\n"
            "{\"name\":\"txt\",\"kind\":\"textbox\",\"visible\":true,\"shown\":true,\"text\":\"1\"}\n");
}

TEST(ScriptSweep, BadSweepsEndTheRun) {
  const char* bad[] = {
      "sweep txt 0 1 5 cmdgo",              // no output
      "sweep nothing 0 1 5 cmdgo lblout",   // unknown input
      "sweep lblout 0 1 5 cmdgo lblout",    // not a text box
      "sweep txt 0 1 5 txtk lblout",        // not a button
      "sweep txt 0 1 5 cmdgo fraWarn",      // not a label or box
      "sweep txt 0 1 1 cmdgo lblout",       // too few points
      "sweep txt 0 1 10001 cmdgo lblout",   // too many
      "sweep txt 0 1 5.0 cmdgo lblout",     // not whole
      "sweep txt 0 1 -5 cmdgo lblout",
      "sweep txt a 1 5 cmdgo lblout",       // not a number
      "sweep txt 0 1e39 5 cmdgo lblout",    // beyond the Single range
  };
  for (const char* line : bad) {
    Outcome r = Script(std::string("dump\n") + line + "\n");
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_EQ(r.err.rfind("line 2: ", 0), 0u) << r.err;
  }
  // Without a way to copy the window, a sweep cannot run.
  Adder window;
  std::istringstream in("sweep txt 0 1 5 cmdgo lblout\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(window, in, out, err), 2);
}

// A window laid out as the programs are: captions left of boxes, headings
// above results.
class Laid : public Form {
 public:
  Laid() : Form("Laid", 400, 300) {
    fra = AddFrame("fra", "Inputs", {0, 0, 300, 200});
    AddLabel("Label1", "Altitude (ft) =", {10, 20, 100, 24}, fra);
    alt = AddTextBox("txtalt", {120, 20, 80, 26}, fra);
    AddLabel("Label2", "far away", {10, 80, 100, 24}, fra);
    mach = AddTextBox("txtm", {200, 50, 80, 26}, fra);
    mach->what = "Mach number";
    bare = AddTextBox("txtbare", {10, 150, 80, 26}, fra);
    AddLabel("Heading", "p/pt", {300, 10, 60, 20}, nullptr, Look::Heading);
    AddLabel("lblp", "0.5283", {300, 40, 60, 20}, nullptr, Look::Result);
    AddLabel("lblrow", "1", {300, 70, 60, 20});
    AddLabel("lblTemp", "Temperature = 508.0 degR", {10, 210, 200, 20});
    AddLabel("lblNote", "4fL*/D", {10, 240, 60, 20});
    out = AddTextBox("txtout", {220, 240, 60, 20});
    out->readOnly = true;
    auto* hidden = AddFrame("frahid", "", {0, 260, 100, 30}, nullptr, false);
    AddLabel("lblhid", "7", {0, 0, 50, 20}, hidden, Look::Result);
    hidden->setVisible(false);
    AddButton("cmdgo", "Compute", {0, 0, 50, 20}, fra, Look::Compute);
    AddButton("cmdend", "Done!", {0, 0, 50, 20});
  }
  Frame* fra;
  TextBox *alt, *mach, *bare, *out;
};

std::vector<std::string> Ids(const auto& controls) {
  std::vector<std::string> ids;
  for (const Control* c : controls) ids.push_back(c->id());
  return ids;
}

TEST(SweepChoices, CaptionsInputsOutputsAndButtons) {
  Laid w;
  // As the error line and the screen reader name them.
  EXPECT_EQ(CaptionOf(w, *w.alt), "Altitude (ft) =");
  EXPECT_EQ(CaptionOf(w, *w.mach), "Mach number");
  EXPECT_EQ(CaptionOf(w, *w.bare), "far away");  // the label above, never "txtbare"
  EXPECT_EQ(CaptionOf(w, *w.FindById("lblp")), "p/pt");
  EXPECT_EQ(CaptionOf(w, *w.FindById("cmdgo")), "Compute");
  EXPECT_EQ(Ids(SweepInputs(w)), (std::vector<std::string>{"txtalt", "txtm", "txtbare"}));
  EXPECT_EQ(Ids(SweepOutputs(w)), (std::vector<std::string>{"lblp", "lblTemp", "txtout"}));
  EXPECT_EQ(Ids(SweepButtons(w)), (std::vector<std::string>{"cmdgo"}));
}

TEST(SweepChoices, ShownNumbersAndDefaultRanges) {
  struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {{"0.5283", 0.5283},         {"1.", 1},          {"1,577", 1577},
               {"-3E-05", -3e-5},          {"Temperature = 508.0 degR", 508},
               {"Pressure = 13.173 psia", 13.173}, {"4fL*/D", std::nullopt},
               {"", std::nullopt},         {"x = ", std::nullopt}, {"Detached!", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ShownNumber(c.text), c.value) << c.text;

  Laid w;
  struct Range {
    const char* text;
    std::pair<double, double> first;
    double widest;  // the largest span tried
  };
  for (const Range& r : {Range{"3,000", {1500, 6000}, 4500}, Range{"-50", {-100, -25}, 75},
                         Range{"0", {0, 10000}, 10000}, Range{"abc", {0, 1}, 1}}) {
    w.alt->setText(r.text);
    const auto ranges = CandidateRanges(w, *w.alt);
    ASSERT_FALSE(ranges.empty()) << r.text;
    EXPECT_EQ(ranges.front(), r.first) << r.text;
    double widest = 0;
    for (const auto& [from, to] : ranges) {
      EXPECT_LT(from, to) << r.text;  // never a range of no span
      widest = std::max(widest, to - from);
    }
    EXPECT_EQ(widest, r.widest) << r.text;
  }
  // A heat ratio stays above 1.
  static_cast<Label*>(w.FindById("Label1"))->setCaption("gamma");
  w.alt->setText("1.4");
  const auto heat = CandidateRanges(w, *w.alt).front();
  EXPECT_DOUBLE_EQ(heat.first, 1.2);
  EXPECT_DOUBLE_EQ(heat.second, 1.8);
  // Zero as an angle: a steep one at most, either way.
  static_cast<Label*>(w.FindById("Label1"))->setCaption("Angle (deg) =");
  w.alt->setText("0");
  const auto angles = CandidateRanges(w, *w.alt);
  EXPECT_EQ(angles.front(), std::make_pair(0.0, 45.0));
  EXPECT_EQ(angles[1], std::make_pair(-45.0, 0.0));
}

// A ratio of specific heats: refused at 1.3 and below. Beside its result, one
// that repeats the typed value and one that never changes.
class Gamma : public Form {
 public:
  Gamma() : Form("Gamma", 300, 200) {
    AddLabel("Label1", "Gamma", {0, 0, 50, 20});
    g = AddTextBox("txtg", {60, 0, 50, 20});
    auto* echo = AddLabel("lblecho", "0", {0, 30, 50, 20}, nullptr, Look::Result);
    auto* fixed = AddLabel("lblfixed", "0", {0, 60, 50, 20}, nullptr, Look::Result);
    auto* ratio = AddLabel("lblratio", "0", {0, 90, 50, 20}, nullptr, Look::Result);
    go = AddButton("cmdgo", "Compute", {0, 120, 50, 20}, nullptr, Look::Compute);
    go->Click = [=, this] {
      const float k = Strict(g);
      if (!(k > 1.3f)) throw Failure("Gamma must be above 1.3");
      echo->setCaption(NumberText(k));
      fixed->setCaption("287");
      ratio->setCaption(NumberText(k / (k - 1)));
    };
  }
  void Form_Load() override {
    g->setText("1.4");
    go->Click();
  }
  TextBox* g;
  Button* go;
};

TEST(SweepOffers, ARangeTheWindowComputesAndResultsThatChange) {
  const FormFactory make = [] { return std::make_unique<Gamma>(); };
  Gamma w;
  w.Load();
  const std::optional<SweepOffer> offer = DefaultOffer(w, make);
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->input, "txtg");
  EXPECT_EQ(offer->button, "cmdgo");
  // Spread about its excess over 1, never below 1: 1.2 to 1.8 and 1.27 to
  // 1.6 reach below 1.3; 1.32 to 1.5 does not.
  EXPECT_FLOAT_EQ(offer->from, 1 + 0.4 / 1.25);
  EXPECT_FLOAT_EQ(offer->to, 1 + 0.4 * 1.25);
  EXPECT_TRUE(offer->clean);
  // Neither the typed value again nor a constant.
  EXPECT_EQ(offer->outputs, std::vector<std::string>{"lblratio"});
  // A box the window takes nowhere near its value: the first range.
  w.UserType(*w.g, "1.05");
  const SweepOffer refused = OfferFor(w, make, *w.g);
  EXPECT_FLOAT_EQ(refused.from, 1 + 0.05 / 2);
  EXPECT_FALSE(refused.clean);
  EXPECT_EQ(refused.outputs.size(), 2u);
}

}  // namespace
}  // namespace core
