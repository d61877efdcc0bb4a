// Every window of the suite: a copy made by replaying the user actions equals
// the window, and each sweep case prints, point for point, what separate runs
// that type the same text and press the same button show.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "atmosphere/atmosphere_window.h"
#include "bladerow/bladerow_window.h"
#include "flowmarch/flowmarch_window.h"
#include "flowmenu/flowmenu_window.h"
#include "flowtables/fanno_window.h"
#include "flowtables/isentropic_window.h"
#include "flowtables/isodrag_window.h"
#include "flowtables/isoheat_window.h"
#include "flowtables/planejump_window.h"
#include "flowtables/rayleigh_window.h"
#include "core/plot.h"
#include "core/script.h"
#include "core/sweep.h"
#include "core/testing/driver.h"
#include "core/units.h"
#include "kerosene/kerosene_window.h"
#include "nozzle/nozzle_window.h"
#include "ringflow/ringflow_window.h"
#include "shaftdeck/shaftdeck_window.h"
#include "shaftfit/shaftfit_window.h"
#include "shock/shock_window.h"
#include "stagemap/stagemap_window.h"
#include "thrustdeck/thrustdeck_window.h"
#include "thrustfit/thrustfit_window.h"

namespace {

struct Program {
  const char* name;
  const char* cases;  // folder of its script cases, from the source root
  core::FormFactory make;
};

template <class W>
core::FormFactory Make() {
  return [] { return std::make_unique<W>(); };
}

const std::vector<Program>& Programs() {
  static const std::vector<Program> programs = {
      {"isentropic", "flowtables/cases/isentropic", Make<flowtables::Isentropic>()},
      {"planejump", "flowtables/cases/planejump", Make<flowtables::PlaneJump>()},
      {"fanno", "flowtables/cases/fanno", Make<flowtables::Fanno>()},
      {"rayleigh", "flowtables/cases/rayleigh", Make<flowtables::Rayleigh>()},
      {"isodrag", "flowtables/cases/isodrag", Make<flowtables::IsoDrag>()},
      {"isoheat", "flowtables/cases/isoheat", Make<flowtables::IsoHeat>()},
      {"flowmenu", "flowmenu/cases", Make<flowmenu::FlowMenu>()},
      {"atmosphere", "atmosphere/cases", Make<atmosphere::Atmosphere>()},
      {"shock", "shock/cases", Make<shock::Shock>()},
      {"nozzle", "nozzle/cases", Make<nozzle::Nozzle>()},
      {"flowmarch", "flowmarch/cases", Make<flowmarch::FlowMarch>()},
      {"thrustdeck", "thrustdeck/cases", Make<thrustdeck::JetCycle>()},
      {"shaftdeck", "shaftdeck/cases", Make<shaftdeck::Shaftdeck>()},
      {"kerosene", "kerosene/cases", Make<kerosene::Kerosene>()},
      {"bladerow", "bladerow/cases", Make<bladerow::Bladerow>()},
      {"thrustfit", "thrustfit/cases", Make<thrustfit::Form1>()},
      {"shaftfit", "shaftfit/cases", Make<shaftfit::Form1>()},
      {"stagemap", "stagemap/cases", Make<stagemap::StageMap>()},
      {"ringflow", "ringflow/cases", Make<ringflow::Ringflow>()},
  };
  return programs;
}

// Print files land in a scratch folder.
class Windows : public ::testing::TestWithParam<Program> {
 protected:
  core::testing::ScratchFolder scratch_{"sweep-windows-"};
};

bool Ends(const core::Control& c) {
  const std::string& t = c.text();
  return t.find("Done") != std::string::npos || t.find("DONE") != std::string::npos;
}

// The same seeded run of user actions: typing numbers and non-numbers,
// clicking buttons and options, choosing list items (never "Done!").
void Drive(core::Form& form, unsigned seed) {
  static const char* const texts[] = {"0", "1", "2.5", "-1", "0.3", "1e3", "abc", "", "45", "1,500"};
  std::vector<core::TextBox*> boxes;
  std::vector<core::Control*> clicks;
  std::vector<core::ListBox*> lists;
  for (const auto& c : form.controls()) {
    if (c->kind() == core::Kind::TextBox && !static_cast<core::TextBox&>(*c).readOnly)
      boxes.push_back(static_cast<core::TextBox*>(c.get()));
    if ((c->kind() == core::Kind::Button || c->kind() == core::Kind::Option) && !Ends(*c))
      clicks.push_back(c.get());
    if (c->kind() == core::Kind::List && !static_cast<core::ListBox&>(*c).items().empty())
      lists.push_back(static_cast<core::ListBox*>(c.get()));
  }
  std::mt19937 pick(seed);
  form.Load();
  for (int step = 0; step < 24 && !form.ended(); ++step) {
    const unsigned what = pick() % 4;
    if (what == 0 && !boxes.empty()) {
      form.UserType(*boxes[pick() % boxes.size()], texts[pick() % std::size(texts)]);
    } else if (what == 1 && !lists.empty()) {
      core::ListBox& list = *lists[pick() % lists.size()];
      form.UserSelect(list, static_cast<int>(pick() % list.items().size()));
    } else if (!clicks.empty()) {
      form.UserClick(*clicks[pick() % clicks.size()]);
    }
  }
}

TEST_P(Windows, CopyEqualsTheWindow) {
  const Program& program = GetParam();
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    std::unique_ptr<core::Form> window = program.make();
    Drive(*window, seed);
    const auto files = std::distance(std::filesystem::directory_iterator(scratch_.path()), {});
    std::unique_ptr<core::Form> copy;
    ASSERT_NO_THROW(copy = core::CopyWindow(*window, program.make));
    EXPECT_EQ(core::StateText(*copy), core::StateText(*window));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.path()), {}), files);
    // What the window holds beyond its controls must match too: the same
    // next actions give the same window.
    for (core::Form* form : {window.get(), copy.get()}) {
      for (const auto& c : form->controls())
        if (c->kind() == core::Kind::Button && c->shown() && !Ends(*c)) form->UserClick(*c);
    }
    EXPECT_EQ(core::StateText(*copy), core::StateText(*window));
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_P(Windows, SweepCaseEqualsSeparateRuns) {
  const Program& program = GetParam();
  const std::string path = std::string(CALC_SOURCE_DIR) + "/" + program.cases + "/sweep.script";
  std::ifstream file(path);
  ASSERT_TRUE(file) << path;
  std::string setup, sweepLine;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("sweep ", 0) == 0) sweepLine = line;
    else if (sweepLine.empty() && line != "dump") setup += line + "\n";
  }
  ASSERT_FALSE(sweepLine.empty());
  std::ifstream whole(path);
  std::stringstream script;
  script << whole.rdbuf();

  std::unique_ptr<core::Form> window = program.make();
  std::istringstream in(script.str());
  std::ostringstream out, err;
  const int status = core::RunScript(*window, program.make, in, out, err);
  if (std::string(program.name) == "flowmenu") {
    // Nothing to sweep: the menu has no box to type into.
    EXPECT_EQ(status, 2);
    return;
  }
  ASSERT_EQ(status, 0) << err.str();

  // The dump before the sweep, the points, the dump after.
  std::vector<std::string> before, after, points;
  for (const std::string& line : Lines(out.str())) {
    if (line.rfind("{\"sweep\"", 0) == 0) points.push_back(line);
    else (points.empty() ? before : after).push_back(line);
  }
  EXPECT_EQ(before, after);
  ASSERT_GE(points.size(), 20u);

  // sweep INPUT FROM TO POINTS BUTTON OUTPUT...
  std::istringstream words(sweepLine.substr(6));
  core::SweepRequest request;
  std::string from, to;
  words >> request.input >> from >> to >> request.points >> request.button;
  for (std::string output; words >> output;) request.outputs.push_back(output);
  request.from = *core::ReadRangeEnd(from);
  request.to = *core::ReadRangeEnd(to);
  ASSERT_EQ(points.size(), static_cast<size_t>(request.points));

  int messages = 0;
  for (int i = 0; i < request.points; ++i) {
    core::SweepPoint separate;
    separate.index = i;
    separate.text = core::PointText(core::PointValue(request.from, request.to, request.points, i));
    std::unique_ptr<core::Form> run = program.make();
    std::istringstream steps(setup + "type " + request.input + " " + separate.text + "\nclick " +
                             request.button + "\n");
    std::ostringstream ignored;
    ASSERT_EQ(core::RunScript(*run, steps, ignored, ignored), 0);
    for (const std::string& output : request.outputs)
      separate.outputs.push_back(run->FindById(output)->text());
    separate.message = core::ShownMessage(*run);
    messages += !separate.message.empty();
    EXPECT_EQ(points[static_cast<size_t>(i)], core::SweepPointJson(request, separate));
  }
  // The range reaches what the window warns about or refuses.
  EXPECT_GT(messages, 0);
}

INSTANTIATE_TEST_SUITE_P(Suite, Windows, ::testing::ValuesIn(Programs()),
                         [](const auto& info) { return std::string(info.param.name); });

// A sweep typed in SI is the US sweep of the converted range: at each point
// the results read in SI are the US results converted, within the last digit
// either shows (the typed point texts are the nearest Singles of different
// numbers); its plot names the SI units.
TEST(SweepsInSI, EqualTheUSSweepOfTheConvertedRange) {
  using Q = core::Quantity;
  struct Output {
    const char* id;
    Q quantity;
    const char* unit;  // in the plot's title
  };
  struct Case {
    core::FormFactory make;
    const char* input;
    Q quantity;
    double from, to;  // SI
    const char* button;
    std::vector<Output> outputs;
    const char* inputUnit;
  } const cases[] = {
      {Make<atmosphere::Atmosphere>(), "txtAltitude", Q::Altitude, 0, 30000, "cmdScompute",
       {{"lblTemp", Q::Temperature, "K"}, {"lblPressure", Q::Pressure, "kPa"}}, "(m)"},
      {Make<thrustdeck::JetCycle>(), "txttt4", Q::Temperature, 1100, 1800, "cmdCalculate",
       {{"txtff", Q::Force, "N"}, {"txttsfc", Q::Tsfc, "g/(kN·s)"}}, "K"},
      {Make<shaftdeck::Shaftdeck>(), "txtma", Q::MassFlow, 5, 50, "cmdCalculate",
       {{"txtpow", Q::Power, "kW"}, {"txtsfc", Q::PowerSfc, "kg/(kW·h)"}}, "kg/s"},
  };
  // The last digit of a number text, as a value.
  const auto step = [](const std::string& text) {
    const std::size_t point = text.find('.');
    const std::size_t end = text.find_first_not_of("0123456789", point == std::string::npos ? 0 : point + 1);
    const std::size_t decimals = point == std::string::npos ? 0 : (end == std::string::npos ? text.size() : end) - point - 1;
    return std::pow(10.0, -static_cast<double>(decimals));
  };
  const auto number = [](std::string text) {
    std::erase(text, ',');
    return std::strtod(text.c_str(), nullptr);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    auto run = [&](core::UnitSystem system, double from, double to) {
      std::unique_ptr<core::Form> window = c.make();
      window->Load();
      if (system == core::UnitSystem::SI) window->UserUnits(system);
      core::SweepRequest request;
      request.input = c.input;
      request.from = from;
      request.to = to;
      request.points = 8;
      request.button = c.button;
      for (const Output& o : c.outputs) request.outputs.push_back(o.id);
      core::Sweep sweep(*window, c.make, request);
      const core::SweepCaptions captions = core::CaptionsOf(*window, request, c.make);
      return std::pair{sweep.Run(1), captions};
    };
    const auto [si, siCaptions] = run(core::UnitSystem::SI, c.from, c.to);
    const auto [us, usCaptions] = run(core::UnitSystem::US, core::ToUS(c.quantity, c.from), core::ToUS(c.quantity, c.to));
    ASSERT_EQ(si.size(), us.size());
    EXPECT_NE(siCaptions.input.find(c.inputUnit), std::string::npos) << siCaptions.input;
    for (std::size_t k = 0; k < si.size(); ++k) {
      ASSERT_EQ(si[k].message, us[k].message);
      for (std::size_t o = 0; o < c.outputs.size(); ++o) {
        const std::string& a = si[k].outputs[o];
        const std::string& b = us[k].outputs[o];
        const double converted = core::ToSI(c.outputs[o].quantity, number(b));
        const double within = step(a) + core::ToSI(c.outputs[o].quantity, step(b)) + 1e-9 * std::fabs(converted);
        EXPECT_NEAR(number(a), converted, within) << c.outputs[o].id << " point " << k << ": " << a << " SI, " << b << " US";
        if (k == 0) {
          EXPECT_NE(siCaptions.outputs[o].find(c.outputs[o].unit), std::string::npos) << siCaptions.outputs[o];
        }
      }
    }
  }
}

}  // namespace
