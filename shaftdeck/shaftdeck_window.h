// The power gas turbine cycle window: ambient state, component inputs, the
// optional regenerator, the four results and the diagram of the machine.
#pragma once

#include <optional>
#include <string>

#include "core/form.h"
#include "shaftdeck/cycle.h"

namespace shaftdeck {

class Shaftdeck : public core::Form {
 public:
  Shaftdeck();

  const CycleResult& last() const { return result; }
  const TurbineCarry& turbine() const { return carry; }
  const CycleInputs& fixedInputs() const { return inputs; }

  // "ts-diagram" and "stations" of the last calculation.
  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void RefreshFrames();
  void cmdCalculate_Click();
  void cmdpic_Click();

  core::ListBox* Choice(core::Frame* in, const std::string& label, const std::string& caption,
                        const std::string& list, std::vector<std::string> items, int x, int y);

  core::Frame *fraSA, *fraSA2, *fragam, *fragam0, *fradiff, *fracb, *fracmp, *fraburn;
  core::Frame *fraturb, *framech, *frarg1, *frarg2, *frarg, *fraregen, *frapic;
  core::TextBox *txtp0, *txtT0, *txtalt, *txtgmcn, *txtetd, *txtpic, *txttt4, *txth;
  core::TextBox *txtetc, *txtpib, *txtetb, *txtett, *txtpin, *txtetm, *txtetrg;
  core::TextBox *txtpirg3, *txtpirg5, *txtma;
  core::TextBox *txtpow, *txtefth, *txtsfc, *txthrt;
  core::ListBox *lstIR, *lstSA, *lstIGC, *lstIRG;
  core::Button *cmdCalculate, *cmdpic, *cmdEnd;
  core::Picture* Picture1;

  std::string irs, SAs, igcs, irgs;
  CycleInputs inputs;
  TurbineCarry carry;  // kept from one calculation to the next
  CycleResult result;
  // The last calculation, when it gave a cycle.
  struct Computed {
    CycleInputs inputs;
    CycleResult result;
  };
  std::optional<Computed> last_;
  bool calculated_ = false;  // Calculate was clicked at least once
};

}  // namespace shaftdeck
