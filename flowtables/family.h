// What the six one-dimensional flow table programs share: one window design
// (selection, single value, table of eleven rows), the load step, the table
// stepping in Single precision, the "0.####" results with their 99999.99
// limit, the warning frames and the Mach number search.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "frame/form.h"

namespace flowtables {

inline constexpr int kRows = 11;
inline constexpr double kResultLimit = 99999.99;

// "0.####": the pattern of every result of the family.
std::string Out(double value);
std::string Out(float value);
// Large ratios are shown as exactly 99999.99.
double Limit(double value);
// Row i (0 to 10) of a table from first to last: a Single sum of Single
// products, as the two limits are Single.
float RowValue(float first, float last, int i);

enum class Branch { Subsonic, Supersonic };

// The Mach number on a branch where f(M) equals target. The secant steps come
// first (start, then start + 0.01, then the secant through the last two
// points, until |target - f(M)| < 1e-11), so every case they settle keeps its
// digits. Where they stall, divide by zero, run past their bound or end on
// the other branch, bisection on the branch takes over. Nothing when the
// branch holds no root (or f is not finite there).
std::optional<double> SearchMach(const std::function<double(double)>& f, double target,
                                 double start, Branch branch);
// Passes of the secant steps before bisection takes over. Measured over
// γ 1.01 to 3 and area ratios 1 to 10,000: the slowest searches that settle
// (subsonic area ratios near 100) need about 515,000 passes; a few supersonic
// ones crawl on for tens of millions, and there bisection gives the same root
// to the digits shown.
inline constexpr int kSecantBound = 600000;

// The constants derived from γ: an infinite one (γ = 1 or γ = -1 divides by
// zero) would give ratios that look finite but are wrong, so stop there.
void RequireFinite(std::initializer_list<double> constants, float g);

class TableWindow : public frame::Form {
 public:
  struct Input {  // a single-value input mode: option, its frame and box
    std::string option, caption, frame, box;
  };
  struct Column {  // a column: heading label, and result label or array
    std::string heading, caption, result;
  };

 protected:
  TableWindow(std::string caption, std::string title);

  // The option buttons of fraSelect top to bottom: the single-value inputs
  // (the first is optSingle), then optTable. An input without a frame name
  // has its box elsewhere.
  void BuildSelection(const std::vector<Input>& inputs, const std::string& tableCaption);
  // A borderless warning frame below the selection; all share one place.
  frame::Frame* AddWarning(const std::string& frame, const std::string& label,
                           const std::string& text, int labelWidth = 300);
  // The single-value frame: a heading row and one result row. With a box
  // name in boxInFirstColumn the first column holds that input box.
  void BuildSingle(const std::vector<Column>& columns, const std::string& boxInFirstColumn = "");
  // The table frame: first and last value, a heading row and 11 rows.
  void BuildMulti(const std::vector<Column>& columns);
  // A label just above the heading of a column (a second heading line).
  frame::Label* AddAbove(frame::Frame* in, int column, const std::string& name,
                         const std::string& caption);

  // The load step: optSingle selected, the single-value frame shown, the
  // default texts written ("#.##" for single-value inputs, "0.####" for the
  // first table value, "##.##" for the last), "1.4" in txtg, then the first
  // single-value computation.
  void SetDefaults(const std::vector<std::pair<frame::TextBox*, double>>& singleInputs,
                   double first, double last);
  // Reads both table limits, in that order, as Singles.
  std::pair<float, float> ReadLimits();

  // Shows one frame of a set and hides the others.
  static void ShowOnly(frame::Frame* show, const std::vector<frame::Frame*>& all);
  // A search that found nothing: blank the results instead of leaving stale
  // ones, and say why.
  [[noreturn]] void NoSolution(const std::vector<frame::Label*>& results,
                               const std::string& message);

  // Where a note below the γ box may start.
  int BelowGamma() const { return gammaY_ + 38; }

  frame::TextBox* Box(const std::string& name) const;
  frame::Label* Lbl(const std::string& name, int index = -1) const;
  std::vector<frame::Label*> Array(const std::string& name) const;

  virtual void cmdscompute_Click() = 0;
  virtual void cmdMcompute_Click() = 0;

  frame::Label* lblTitle;
  frame::Frame* fraSelect = nullptr;
  frame::Option* optSingle = nullptr;
  frame::Option* optTable = nullptr;
  frame::Label* Label6 = nullptr;  // "γ ="
  frame::TextBox* txtg = nullptr;
  frame::Button* cmdend = nullptr;
  frame::Frame* frasingle = nullptr;
  frame::Button* cmdscompute = nullptr;
  frame::Frame* fraMulti = nullptr;
  frame::Button* cmdMcompute = nullptr;
  frame::Label* lblMinAlt = nullptr;
  frame::Label* lblMaxAlt = nullptr;
  frame::TextBox* txtMinm = nullptr;
  frame::TextBox* txtMaxm = nullptr;

 private:
  int warningY_ = 0;
  int gammaY_ = 0;
};

}  // namespace flowtables
