// The power gas turbine matching window: map constants in, the operating
// point with its net power, efficiency and fuel consumption out, and a print
// file of every map.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/boxes.h"
#include "core/form.h"
#include "lib/engine_maps/map_boxes.h"
#include "shaftfit/gt_matching.h"

namespace shaftfit {

class Form1 : public core::Form {
 public:
  Form1();
  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void txtc2_Change();
  void txtc3_Change();
  void txtn2d_Change();
  void lstIRG_Click();
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();
  void SetStartGuesses();
  void ShowRegenFrames();
  void WriteResults(const GtResult& r);
  engine_maps::MapInputs Maps(core::Precision mu) const;

  core::Frame *frarg2, *frarg, *Fraburn2, *Fraconv, *frasurge, *fraregen;
  core::ListBox* lstIRG;
  core::Boxes maps_;  // of the compressor, burner, turbine and shaft frames
  core::TextBox *txtc2, *txtc3, *txtn2d;
  core::TextBox *txtd, *txta, *txtr1, *txtr2, *txtf, *txtp0, *txtT0;
  core::TextBox *txtetrg, *txtpirg3, *txtpirg5, *Txtt5, *txtn2, *txtm1in;
  core::TextBox* txtppt;  // shows the turbine passes while a match runs
  core::Button *cmdCalculate, *Command1, *cmdEnd;

  // The matched speed and turbine exit temperature as last shown.
  float nc2 = 0, tt5 = 0;
  std::int16_t counter = 0;  // the number of the last print file
  // The last match that settled, for the maps; none after one that failed.
  std::optional<engine_maps::MatchedMaps> last_;
};

}  // namespace shaftfit
