// Sweeps: one input box stepped over a range, each point computed by the
// window's own handlers on its own copy of the window, as it stands.
//
// A copy is a fresh window of the same program that replays the user actions
// of the window copied; it writes no print file and starts no program. Points
// share nothing, so they may run on several threads at once; the window
// itself is never touched. Free of any toolkit: the script mode, the Qt plot
// window and the browser all run the same code.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"

namespace core {

// Makes a fresh window of the program (the same alias as in qt/main.h).
using FormFactory = std::function<std::unique_ptr<Form>()>;

// What a person sees of a window: every control, as the script mode's dump.
std::string StateText(const Form& form);

// A fresh window in the state of form. Throws Failure when the replay does
// not end in the same state (a window whose handlers are not repeatable).
std::unique_ptr<Form> CopyWindow(const Form& form, const FormFactory& make);

enum class Spacing { Linear, Log };

// Point i of n from `from` to `to`: linear, from + i·(to − from)/(n − 1), or
// with equal ratios (both ends positive).
double PointValue(double from, double to, int n, int i, Spacing spacing = Spacing::Linear);
// The text typed for a point: the number text of the nearest Single.
std::string PointText(double value);
// A range end as typed: the strict grammar, inside the Single range, read as
// a Double. Nothing when it is not such a number.
std::optional<double> ReadRangeEnd(std::string_view text);

inline constexpr int kMinPoints = 2;
inline constexpr int kMaxPoints = 10000;
inline constexpr int kMaxFamily = 8;

struct SweepRequest {
  std::string input;  // a text box
  double from = 0, to = 1;
  int points = 2;
  Spacing spacing = Spacing::Linear;
  std::string button;                // pressed at each point
  std::vector<std::string> outputs;  // labels or text boxes read at each point
  // A family of curves: before each point, family is typed with one of these
  // texts (one curve each). Empty family: one curve.
  std::string family;
  std::vector<std::string> familyTexts;
};

// A request that does not fit the window: names the problem.
class SweepError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};
void CheckRequest(const Form& form, const SweepRequest& request);

struct SweepPoint {
  int curve = 0;  // index into familyTexts (0 without a family)
  int index = 0;  // point number along the curve
  double value = 0;
  std::string text;                  // typed into the input
  std::vector<std::string> outputs;  // as the request names them
  // Empty, or what the window showed: lblError, else the labels of its own
  // warning frames. Such a point is a gap in a curve.
  std::string message;
};

// What the window reports after an action: the text of lblError when shown,
// else the labels of each shown warning frame (a frame of red text), joined
// by one blank; empty when nothing is wrong.
std::string ShownMessage(const Form& form);

class Sweep {
 public:
  // Takes what it needs of the window now (its actions and state); the
  // window may change or go away afterwards. Throws SweepError.
  Sweep(const Form& form, FormFactory make, SweepRequest request);

  const SweepRequest& request() const { return request_; }
  int curves() const { return curves_; }
  int size() const { return curves_ * request_.points; }
  // Point k (curve k / points, index k % points) on its own copy. Safe to
  // call from several threads at once.
  SweepPoint RunPoint(int k) const;
  // Every point, in order, on up to `threads` threads; done is called as each
  // one is finished (from the thread that ran it). When cancel becomes true,
  // no further point is started and the points not run are left out.
  std::vector<SweepPoint> Run(int threads, const std::atomic<bool>* cancel = nullptr,
                              const std::function<void(const SweepPoint&)>& done = {}) const;

 private:
  FormFactory make_;
  SweepRequest request_;
  std::vector<UserAction> actions_;
  // What each control shows, to check each copy against.
  struct Shown {
    bool visible;
    int value;  // an option's value, a list's index
    std::string text;
  };
  std::vector<Shown> state_;
  int curves_ = 1;
};

// What a chart keeps of a finished sweep.
SweepTrace Trace(const SweepRequest& request, const std::vector<SweepPoint>& points);

// The threads worth using for a sweep on this machine.
int SweepThreads();

// --- what a view offers to sweep and to plot ---
// Each offered control goes by its caption (core::CaptionOf), as the error
// line and the screen reader name it.
// The shown boxes a person types into.
std::vector<const TextBox*> SweepInputs(const Form& form);
// The results: read-only boxes, and shown labels that show a number.
std::vector<const Control*> SweepOutputs(const Form& form);
// The shown command buttons.
std::vector<const Button*> SweepButtons(const Form& form);
// A result offered to plot: a control, or a cell of a chart's table
// ("chart:<chart>:<row>:<column>"), with the caption it goes by.
struct ResultChoice {
  std::string id, caption;
};
// The results a window offers: SweepOutputs by their captions; for a window
// that shows no number of its own (its results go to a print file), then
// the cells of its charts' tables under a column with a unit, as a copy of
// the window computes them with compute (named "Ca (ft/s), station 0,
// annulus 1": the heading, then the row's other headings and cells).
std::vector<ResultChoice> SweepResults(const Form& form, const FormFactory& make, const Button* compute);
bool IsChartResult(std::string_view id);
// The text of a result: a control's text, or its chart's cell (empty when
// the chart has none).
std::string ResultText(const Form& form, const std::string& id);
// The caption of a chart's cell, from the chart the window (or, when that
// has nothing, a copy pressing compute) draws; the id when there is none.
std::string ChartResultCaption(const Form& form, const std::string& id, const FormFactory& make = {},
                               const std::string& compute = {});
// The number a result shows ("1,577", "0.5283", "Pressure = 13.173 psia"),
// as a Double; nothing for a text without one.
std::optional<double> ShownNumber(std::string_view text);
// The ranges tried for a box, in order, from what it holds: half to twice
// its value, then narrower about it; for zero, spans from 0 up (and down),
// the widest first, within a scale its unit suggests (an angle in degrees
// stays below 90); for a text that is not a number, 0 to 1.
std::vector<std::pair<double, double>> CandidateRanges(const Form& form, const TextBox& box);

// The points a panel sweeps to start with.
inline constexpr int kDefaultPoints = 21;

// What a panel offers to start with for a box: its compute button, the
// first of the candidate ranges over which the window computes every one of
// kDefaultPoints points (tried on copies; the first range when none does),
// and the first two results that then change along the sweep and are not
// the swept value itself.
struct SweepOffer {
  std::string input, button;
  double from = 0, to = 1;
  std::vector<std::string> outputs;
  bool clean = false;  // every point computed, a result changing
};
// Boxes DefaultOffer tries, at most, for a clean offer.
inline constexpr int kOfferedBoxesTried = 6;
SweepOffer OfferFor(const Form& form, const FormFactory& make, const TextBox& box);
// The offer for the first box whose part of the window has a compute button
// and whose offer is clean (the first such box when none is; the first box
// when none has a button); nothing when the window has nothing to sweep.
std::optional<SweepOffer> DefaultOffer(const Form& form, const FormFactory& make);

}  // namespace core
