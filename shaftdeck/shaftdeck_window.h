// The power gas turbine cycle window: ambient state, component inputs, the
// optional regenerator, the four results and the diagram of the machine.
#pragma once

#include <optional>
#include <string>

#include "frame/form.h"
#include "shaftdeck/cycle.h"

namespace shaftdeck {

class Shaftdeck : public frame::Form {
 public:
  Shaftdeck();

  const CycleResult& last() const { return result; }
  const TurbineCarry& turbine() const { return carry; }
  const CycleInputs& fixedInputs() const { return inputs; }

  // "ts-diagram" and "stations" of the last calculation.
  std::vector<std::string> ChartNames() const override;
  frame::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void RefreshFrames();
  void cmdCalculate_Click();
  void cmdpic_Click();

  frame::TextBox* Row(frame::Frame* in, const std::string& label, const std::string& caption,
                      const std::string& box, const std::string& text, int y);
  frame::ListBox* Choice(frame::Frame* in, const std::string& label, const std::string& caption,
                         const std::string& list, std::vector<std::string> items, int x, int y);
  frame::TextBox* Result(const std::string& label, const std::string& caption,
                         const std::string& box, int y);

  frame::Frame *fraSA, *fraSA2, *fragam, *fragam0, *fradiff, *fracb, *fracmp, *fraburn;
  frame::Frame *fraturb, *framech, *frarg1, *frarg2, *frarg, *fraregen, *frapic;
  frame::TextBox *txtp0, *txtT0, *txtalt, *txtgmcn, *txtetd, *txtpic, *txttt4, *txth;
  frame::TextBox *txtetc, *txtpib, *txtetb, *txtett, *txtpin, *txtetm, *txtetrg;
  frame::TextBox *txtpirg3, *txtpirg5, *txtma;
  frame::TextBox *txtpow, *txtefth, *txtsfc, *txthrt;
  frame::ListBox *lstIR, *lstSA, *lstIGC, *lstIRG;
  frame::Button *cmdCalculate, *cmdpic, *cmdEnd;
  frame::Picture* Picture1;

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
