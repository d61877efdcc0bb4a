#include "flowmenu/flowmenu_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/testing/driver.h"

namespace flowmenu {
namespace {

// Records what the menu asks the platform to start; a name in refuse fails
// as a missing program file would.
class Platform : public core::FormObserver {
 public:
  void ControlChanged(core::Control&) override {}
  void ProgramEnded() override { ended = true; }
  void FileWritten(const std::string&) override {}
  void StartProgram(const std::string& program) override {
    if (program == refuse) throw core::Failure("Cannot find the program file /opt/" + program);
    started.push_back(program);
  }
  std::vector<std::string> started;
  std::string refuse;
  bool ended = false;
};

// The observer is set before the load step, so the menu is driven by hand.
struct Menu : core::testing::Driver {
  Menu() : Driver(form) {
    form.SetObserver(&platform);
    form.Load();
  }
  FlowMenu form;
  Platform platform;
};

struct Binding {
  const char* option;
  const char* caption;
  const char* program;
};

class EntryStarts : public ::testing::TestWithParam<Binding> {};

TEST_P(EntryStarts, ItsProgramByBareName) {
  const Binding b = GetParam();
  Menu menu;
  EXPECT_EQ(menu.form.Find(b.option)->text(), b.caption);
  menu.Click(b.option);
  EXPECT_EQ(menu.platform.started, std::vector<std::string>{b.program});
  EXPECT_TRUE(static_cast<core::Option*>(menu.form.Find(b.option))->value());
  EXPECT_FALSE(menu.form.ended());
}

INSTANTIATE_TEST_SUITE_P(
    flowmenu, EntryStarts,
    ::testing::Values(Binding{"Option1", "Isentropic Flow with Area Change", "isentropic"},
                      Binding{"Option2", "Fanno Line Flow", "fanno"},
                      Binding{"Option3", "Rayleigh Line Flow", "rayleigh"},
                      Binding{"Option4", "Normal Shocks", "planejump"},
                      Binding{"Option5", "Constant Static Temperature with HT + Area Change",
                              "isoheat"},
                      Binding{"Option6", "Constant Static Temperature with Friction", "isodrag"}),
    [](const ::testing::TestParamInfo<Binding>& info) { return std::string(info.param.option); });

TEST(FlowMenu, EntriesTopToBottomWithTheHiddenStartSelected) {
  Menu menu;
  const std::vector<std::string> order{"Option1", "Option2", "Option3",
                                       "Option4", "Option6", "Option5"};
  int y = -1;
  for (const std::string& name : order) {
    auto* option = static_cast<core::Option*>(menu.form.Find(name));
    EXPECT_GT(option->rect.y, y) << name;
    y = option->rect.y;
    EXPECT_TRUE(option->shown()) << name;
    EXPECT_FALSE(option->value()) << name;
  }
  auto* start = static_cast<core::Option*>(menu.form.Find("Option8"));
  EXPECT_FALSE(start->visible());
  EXPECT_TRUE(start->value());
  EXPECT_TRUE(menu.platform.started.empty());
}

TEST(FlowMenu, EveryNewChoiceStartsANewInstance) {
  Menu menu;
  menu.Click("Option2");
  menu.Click("Option2");  // already chosen: no click event
  menu.Click("Option6");
  menu.Click("Option2");
  EXPECT_EQ(menu.platform.started, (std::vector<std::string>{"fanno", "isodrag", "fanno"}));
}

TEST(FlowMenu, AMissingProgramIsReportedAndTheMenuStaysUsable) {
  Menu menu;
  menu.platform.refuse = "rayleigh";
  menu.Click("Option3");
  EXPECT_EQ(menu.Error(), "Cannot find the program file /opt/rayleigh");
  EXPECT_FALSE(menu.form.ended());
  menu.Click("Option4");
  EXPECT_EQ(menu.Error(), "");
  EXPECT_EQ(menu.platform.started, std::vector<std::string>{"planejump"});
  menu.Click("cmdend");
  EXPECT_TRUE(menu.platform.ended);
}

}  // namespace
}  // namespace flowmenu
