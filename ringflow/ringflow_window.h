// The streamline analysis window: inputs, the three solution types and their
// input frames, the diagram, the users guide and the "Calculate" button that
// marches through the stations and writes everything to a print file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "ringflow/printfile.h"
#include "ringflow/streamline.h"

namespace ringflow {

// A text read as a whole number: rounded to the nearest integer with halves
// to even, and kept in the 16-bit range.
int16_t RoundToInteger(float value, const std::string& what);
// The number of blade rows is one IGV plus whole stages: 3, 5, 7 or 9.
int ForceBladeRows(int nbr);
// The number of annuli is odd, from 1 to 9.
int ForceAnnuli(int nan);

// The lines of the users-guide file.
const std::vector<std::string>& UsersGuideLines();
inline constexpr const char* kUsersGuideFile = "USERS_GUIDE_RINGFLOW.txt";

class Ringflow : public core::Form {
 public:
  Ringflow();

  // For the tests: the window-level numbers.
  int annuli() const { return nan; }
  int bladeRows() const { return nbr; }
  int printCounter() const { return npr; }

  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void lstntyp_Click();
  void RefreshFrames();
  void pic_Click();
  void CmdUsersGuide_Click();
  void Cmdcalculate_Click();
  void Calculate();
  // A box read for Calculate: its number, or the print file so far is
  // written and the failure names the box.
  using Reader = std::function<double(const core::TextBox*)>;
  // The flow angles and efficiencies of the solution type chosen.
  void ReadAngles(StageInput& in, const Reader& read) const;
  PrintHeading Heading() const;
  void Cmdend_Click();
  void txtnan_Change();

  // Building the window, top to bottom on the left, then the solution
  // types' inputs on the right (each step returns the next free row).
  int AddStageInputs(int y);
  int AddLists(int y);
  int AddButtons(int y);
  void AddConvergence(int y);
  void AddTypeHeadings();
  void AddMidspanAngles();
  void AddDiameterTable();
  struct Column {
    const char* head;
    const char* name;
    const char* text;
  };
  core::Frame* AddHubMidTipTable(const std::string& name, int ty, const std::vector<Column>& cols,
                                 int firstCol);
  void AddHubMidTipTables();
  void Wire();
  // A label numbered in the order of building ("Label1", ...), and a text
  // box holding text.
  core::Label* NewLabel(const std::string& caption, core::Rect r, core::Frame* in = nullptr,
                        core::Look look = core::Look::Text);
  core::TextBox* NewBox(const std::string& name, const std::string& text, core::Rect r,
                        core::Frame* in = nullptr, int index = -1);
  int labels_ = 0;

  core::TextBox* Box(const std::string& name, int index = -1) const;

  core::TextBox *txtdh, *txtdt, *txtrotn, *txtq, *txtpin, *txtrho, *txtnan, *txtnbr, *Txtjconv;
  core::ListBox *lstisl, *lstntyp, *Lstturbo, *lstitty;
  core::Frame *Fratitl23, *Fratitl1, *FraNtyp1, *FraNtyp2, *FraNtyp3, *FraNBR, *Fraitty,
      *FraConv, *Fraconv2, *Frapic;
  core::Frame *FraNtype2, *FraNtype2b, *FraNtype2c, *FraNtype2d;
  core::Frame *Frantype3, *Frantype3b, *Frantype3c, *Frantype3d, *Frantype3e;
  core::Frame *Frantype5, *Frantype5b, *Frantype5c, *Frantype5d;

  // Window-level values kept between presses.
  double dh = 0, dt = 0, rotn = 0, q = 0, rho = 0, pin = 0;
  float ntyp = 0, ntype = 0, ptot = 0;
  int16_t nan = 0, isl = 0, itty = 0, npr = 0, nbr = 3;

  // The solution of the last Calculate, for the charts: none before the
  // first and after a failed one (then the action that failed says why).
  std::optional<Solution> last_;
  size_t computing_ = static_cast<size_t>(-1);  // the action that last pressed Calculate
};

}  // namespace ringflow
