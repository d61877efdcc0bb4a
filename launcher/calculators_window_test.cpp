#include "launcher/calculators_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/testing/driver.h"

namespace launcher {
namespace {

// The titles the programs' own windows carry in their captions.
TEST(Programs, EveryProgramOfTheSuiteWithItsWindowTitle) {
  const std::map<std::string, std::string> titles = {
      {"ringflow", "Stream Line Analysis"},
      {"thrustdeck", "Jet Engine Cycle Analysis"},
      {"thrustfit", "Jet Engine Component Matching Analysis"},
      {"shaftfit", "Power Generation Gas Turbine Matching Analysis"},
      {"shaftdeck", "Power Generation Gas Turbine Analysis"},
      {"bladerow", "Turbomachinery Analysis"},
      {"flowmarch", "Generalized 1-D Compressible Flow"},
      {"rayleigh", "Rayleigh Line Flow"},
      {"fanno", "Fanno Line Flow"},
      {"shock", "Shock Analysis"},
      {"isentropic", "Isentropic Flow"},
      {"stagemap", "Single Stage Compressor Performance"},
      {"planejump", "Normal Shocks"},
      {"nozzle", "Nozzle Flow"},
      {"isodrag", "Isothermal Flow with Friction"},
      {"isoheat", "Isothermal Flow w/ Heat Transfer & Area Change"},
      {"atmosphere", "Standard Atmosphere"},
      {"kerosene", "Kerosene - Adiabatic Flame Temperature"},
      {"flowmenu", "Simple 1-D Flow"}};
  ASSERT_EQ(Programs().size(), titles.size());
  for (const Entry& e : Programs()) {
    ASSERT_TRUE(titles.count(e.name)) << e.name;
    EXPECT_EQ(e.title, titles.at(e.name));
    EXPECT_FALSE(e.about.empty()) << e.name;
  }
}

TEST(Calculators, ListsExactlyTheProgramsThatExist) {
  const std::set<std::string> present = {"isentropic", "shock", "kerosene"};
  Calculators window([&](const std::string& name) { return present.count(name) > 0; });
  EXPECT_EQ(window.listed(), (std::vector<std::string>{"isentropic", "shock", "kerosene"}));
  EXPECT_EQ(window.FindById("cmdisentropic")->text(), "Isentropic Flow");
  EXPECT_EQ(window.FindById("cmdfanno"), nullptr);
  // Each subject with programs gets its frame; the others none.
  EXPECT_NE(window.FindById("fraOnedimensionalflow"), nullptr);
  EXPECT_NE(window.FindById("fraCombustion"), nullptr);
  EXPECT_EQ(window.FindById("fraEnginecycles"), nullptr);
}

TEST(Calculators, AllNineteenFitTheWindowWithoutOverlap) {
  Calculators window([](const std::string&) { return true; });
  ASSERT_EQ(window.listed().size(), 19u);
  std::vector<core::Rect> frames;
  for (const auto& c : window.controls()) {
    if (c->kind() != core::Kind::Frame) continue;
    const core::Rect r = c->rect;
    EXPECT_LE(r.x + r.w, window.width()) << c->name();
    EXPECT_LE(r.y + r.h, window.height() - 44) << c->name();
    for (const core::Rect& o : frames)
      EXPECT_TRUE(r.x >= o.x + o.w || o.x >= r.x + r.w || r.y >= o.y + o.h || o.y >= r.y + r.h)
          << c->name();
    frames.push_back(r);
  }
}

TEST(Calculators, ScriptModeClickAsksToStartAndStartsNothing) {
  Calculators window([](const std::string&) { return true; });
  int status = -1;
  EXPECT_EQ(core::testing::RunScript(window, "click cmdfanno\nclick cmdfanno\nclick cmdend\n", &status),
            "{\"event\":\"start\",\"program\":\"fanno\"}\n"
            "{\"event\":\"start\",\"program\":\"fanno\"}\n"
            "{\"event\":\"end\"}\n");
  EXPECT_EQ(status, 0);
}

TEST(Programs, FindProgram) {
  ASSERT_NE(FindProgram("ringflow"), nullptr);
  EXPECT_EQ(FindProgram("ringflow")->subject, "Turbomachinery");
  EXPECT_EQ(FindProgram("sh"), nullptr);
  EXPECT_EQ(FindProgram("calculators"), nullptr);
}

// The programs stand beside the launcher in a build folder and in the
// libexec folder of the prefix once installed; the launcher starts them by
// a path relative to its own folder, so the prefix may move.
TEST(ProgramDir, BesideTheLauncherOrInstalled) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("calculators-dirs-" + std::to_string(::getpid()));
  fs::remove_all(root);
  auto program = [](const fs::path& dir, const std::string& name) {
    fs::create_directories(dir);
    std::ofstream(dir / name) << "#!/bin/sh\n";
    fs::permissions(dir / name, fs::perms::owner_all);
  };
  program(root / "build/bin", "calculators");
  program(root / "build/bin", "fanno");
  program(root / "prefix/bin", "calculators");
  program(root / "prefix/libexec/flow-calculators", "shock");
  fs::create_directories(root / "empty/bin");

  EXPECT_EQ(ProgramDirFrom((root / "build/bin").string()), "");
  EXPECT_EQ(ProgramDirFrom((root / "prefix/bin").string()), "../libexec/flow-calculators/");
  EXPECT_EQ(ProgramDirFrom((root / "empty/bin").string()), "");  // nothing anywhere: beside it

  Calculators installed([&](const std::string& name) {
    return ProgramExists((root / "prefix/libexec/flow-calculators").string(), name);
  }, ProgramDirFrom((root / "prefix/bin").string()));
  EXPECT_EQ(installed.listed(), std::vector<std::string>{"shock"});
  int status = -1;
  EXPECT_EQ(core::testing::RunScript(installed, "click cmdshock\nclick cmdend\n", &status),
            "{\"event\":\"start\",\"program\":\"../libexec/flow-calculators/shock\"}\n"
            "{\"event\":\"end\"}\n");
  EXPECT_EQ(status, 0);
  fs::remove_all(root);
}

}  // namespace
}  // namespace launcher
