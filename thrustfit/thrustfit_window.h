// The jet engine matching window: map constants in, the operating point of
// the gas generator, the engine or the engine-airframe pair out, and a print
// file of every map.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/boxes.h"
#include "core/form.h"
#include "lib/engine_maps/map_boxes.h"
#include "thrustfit/jet_matching.h"

namespace thrustfit {

class Form1 : public core::Form {
 public:
  Form1();
  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void lstge_Click();
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();
  void ShowModeFrames();
  engine_maps::MapInputs Maps(core::Precision mu) const;
  JetInputs Inputs() const;
  void WriteResults(const JetResult &r);

  core::Label *Label37;
  core::Frame *Frame1, *fraover, *fraInNoz, *fragg, *fraTJ1, *fraTJ2, *fraframe2, *fraframe1;
  core::Frame *Franoz, *Frathrust, *Framach, *Fraconv, *frasurge;
  core::ListBox *lstge, *lstntyp;
  core::Boxes maps_;  // of the compressor, burner, turbine and shaft frames
  core::TextBox *txtf, *txtpidd, *txtmn, *txtetand, *txta;
  core::TextBox *txttt2, *txtn2i, *txtp0, *txtT0, *txtmach, *txtn2, *txtmach2, *txtn22;
  core::TextBox *txtdrg, *txtneng;
  core::Button *cmdCalculate, *Command1, *cmdEnd;

  // The matched speed and flight Mach number as last shown.
  float nc2 = 0, m0 = 0;
  std::int16_t counter = 0;  // the number of the last print file
  // The last match that settled, for the maps; none after one that failed.
  std::optional<engine_maps::MatchedMaps> last_;
};

}  // namespace thrustfit
