// The jet engine cycle window: engine type, analysis and atmosphere choices,
// the input panels each choice needs, and thrust, non-dimensional thrust and
// fuel consumption of one on-design cycle.
#pragma once

#include <optional>
#include <string>

#include "core/form.h"
#include "thrustdeck/cycle.h"

namespace thrustdeck {

class JetCycle : public core::Form {
 public:
  JetCycle();

  // The window-level quantities of the last calculation.
  const CycleState& state() const { return state_; }

  void RefreshFrames();

  // "ts-diagram" and "stations" of the last calculation.
  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  core::Frame* Panel(const char* name, int column, int y, int h);
  core::ListBox* Choice(core::Frame* in, const char* label, const char* caption, const char* list,
                         std::vector<std::string> items, int y, int labelW);
  void cmdCalculate_Click();
  void HideWarning();
  void ShowImpossible();
  void RefuseMeaningless(const CycleInputs& in) const;

  // Panels.
  core::Frame *fraSA, *fraSA2, *fragam, *fragam0, *fradiff, *fracmp, *fracmp2, *fraburn;
  core::Frame *fraturb, *framech, *fraal0, *fraal1, *fraal2, *fraal3, *fraal4, *fraal5;
  core::Frame *fraprop0, *fraprop, *fraAB0, *fraAB1, *fraAB, *fraab2, *franozz, *frafan;
  core::Frame* Fraimposs;
  core::Label *Label37, *Label39;
  // Inputs.
  core::TextBox *txtp0, *txtT0, *txtalt, *txtgmcn, *txtetd, *txtpic, *txtetc, *txtpib, *txtetb;
  core::TextBox *txtett, *txtetm, *txtal, *txtetf, *txtsg, *txtpif, *txtpip, *txtpim, *txtetfn;
  core::TextBox *txtwc, *txtetp, *txtttab, *txtpiab, *txtetab, *txtetn;
  core::TextBox *txtM0, *txttt4, *txth, *txtma;
  // Results.
  core::TextBox *txtff, *txtffnd, *txttsfc;
  core::ListBox *lstetyp, *lstIR, *lstSA, *lstIGC, *lstIAB, *lstinoz, *lstinof, *lstmixexh;
  core::Button *cmdCalculate, *cmdEnd;

  // Set by every RefreshFrames from the boxes and the lists.
  float pic = 0, sg = 0, al = 0, wc = 0, tt6 = 0;
  std::string iabs;
  CycleState state_;
  // The last calculation, when it gave a cycle; why not, when it did not.
  std::optional<CycleState> last_;
  bool calculated_ = false;  // Calculate was clicked at least once
  bool impossible_ = false;  // the last calculation was an impossible design
};

}  // namespace thrustdeck
