#include "flowmenu/flowmenu_window.h"

#include <string_view>

namespace flowmenu {

using core::Rect;

namespace {

constexpr int kWidth = 560, kHeight = 330;
constexpr int kEntryX = 60, kEntryY = 62, kEntryDy = 34, kEntryW = 440, kEntryH = 28;

}  // namespace

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries{
      {"Option1", "Isentropic Flow with Area Change", "isentropic"},
      {"Option2", "Fanno Line Flow", "fanno"},
      {"Option3", "Rayleigh Line Flow", "rayleigh"},
      {"Option4", "Normal Shocks", "planejump"},
      {"Option6", "Constant Static Temperature with Friction", "isodrag"},
      {"Option5", "Constant Static Temperature with HT + Area Change", "isoheat"},
  };
  return entries;
}

FlowMenu::FlowMenu()
    : core::Form(core::Caption("Simple 1-D Flow", 9,
                                 "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)", "0-3.05.2005"),
                  kWidth, kHeight) {
  Label1 = AddLabel("Label1", "Simple 1-D Compressible Flow", {60, 10, 440, 38}, nullptr,
                    core::Look::Title);
  Label1->align = core::Align::Center;
  std::vector<core::Option*> options;
  for (size_t i = 0; i < Entries().size(); ++i) {
    const Entry& e = Entries()[i];
    options.push_back(AddOption(
        e.option, e.caption,
        {kEntryX, kEntryY + kEntryDy * static_cast<int>(i), kEntryW, kEntryH}));
    options.back()->points = 11;
  }
  Option1 = options[0];
  Option2 = options[1];
  Option3 = options[2];
  Option4 = options[3];
  Option6 = options[4];
  Option5 = options[5];
  // Holds the selection at start, so that every visible entry is clear and
  // the first click on any of them starts its program.
  Option8 = AddOption("Option8", "start", {kEntryX, kEntryY + kEntryDy * 6, 100, kEntryH});
  Option8->setVisible(false);
  cmdend = AddButton("cmdend", "DONE!!", {kWidth / 2 - 60, 280, 120, 36});

  Option1->Click = [this] { Option1_Click(); };
  Option2->Click = [this] { Option2_Click(); };
  Option3->Click = [this] { Option3_Click(); };
  Option4->Click = [this] { Option4_Click(); };
  Option5->Click = [this] { Option5_Click(); };
  Option6->Click = [this] { Option6_Click(); };
  cmdend->Click = [this] { End(); };
}

void FlowMenu::Form_Load() { Option8->setValue(true); }

void FlowMenu::Start(const char* option) {
  for (const Entry& e : Entries())
    if (std::string_view(e.option) == option) StartProgram(std::string(e.program) + kProgramExtension);
}

void FlowMenu::Option1_Click() { Start("Option1"); }
void FlowMenu::Option2_Click() { Start("Option2"); }
void FlowMenu::Option3_Click() { Start("Option3"); }
void FlowMenu::Option4_Click() { Start("Option4"); }
void FlowMenu::Option5_Click() { Start("Option5"); }
void FlowMenu::Option6_Click() { Start("Option6"); }

}  // namespace flowmenu
