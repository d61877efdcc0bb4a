// What the plot window (a sweep) and the chart window draw, decided once:
// the axes and which results go on a second one, the colours (red kept for
// alarms), where a curve breaks, the table as CSV, and the checks of a sweep
// request with their messages. The Qt windows and the browser panels only
// draw what this gives them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart.h"
#include "core/form.h"
#include "core/sweep.h"

namespace core {

// --- colours, as "#rrggbb" ---
// The curves' colours, in order; none of them is red.
const std::vector<std::string>& SeriesColours();
std::string SeriesColour(int index);  // wraps round the list
// Red is for what went wrong: a surged point, a failure or a warning.
inline constexpr const char* kAlarmColour = "#d01010";
inline constexpr const char* kMarkColour = "#202020";  // a marked point

enum class Dash { Solid, Dash, Dot, DashDot };
const char* DashName(Dash dash);  // "solid", "dash", "dot", "dashdot"
enum class LegendSide { Bottom, Right };

// --- a sweep request as a person sets it in a panel ---
struct TypedRequest {
  std::string input, button;   // control ids; empty when nothing is chosen
  std::string from, to;        // as typed
  double points = 21;          // as set (a whole number is wanted)
  bool log = false;            // equal ratios
  std::vector<std::string> outputs;
  std::string family;          // empty: one curve
  std::string familyValues;    // as typed, separated by blanks or ";"
};

// The request, or what is wrong with it in the words the window shows.
struct CheckedRequest {
  SweepRequest request;
  std::string problem;  // empty when the request fits
};
CheckedRequest ReadRequest(const Form& form, const TypedRequest& typed);
// Family values: separated by blanks or ";" (a "," groups digits).
std::vector<std::string> SplitFamilyValues(std::string_view text);
// The hint in an empty family-values box.
std::string FamilyHint();

// What the status line says.
std::string ComputingStatus(int points);
std::string CancelledStatus(int done, int total);
std::string FinishedStatus(int points, int gaps);
inline constexpr const char* kNothingToSweep = "This window has no input box with results to sweep.";

// --- the plot of a sweep ---
// How a person names the controls of a request (core::CaptionOf).
struct SweepCaptions {
  std::string input, family;
  std::vector<std::string> outputs;
};
// A chart's cell (ResultText) by its table, drawn by the window or by a copy
// of it that make gives.
SweepCaptions CaptionsOf(const Form& form, const SweepRequest& request, const FormFactory& make = {});

struct PlotAxis {
  std::string title;
  bool log = false;
};

struct PlotCurve {
  std::string name;  // in the legend
  int output = 0;    // index into the request's outputs
  int curve = 0;     // index into its family values
  bool secondAxis = false;
  std::string colour;
  Dash dash = Dash::Solid;
  // The points computed so far, in order; a point the window reported a
  // failure or a warning for (or one a log axis cannot show) is a gap.
  std::vector<ChartPoint> points;
};

struct SweepPlot {
  std::string title;  // one curve for each family value, or empty
  PlotAxis x, y;
  std::optional<PlotAxis> y2;
  std::vector<PlotCurve> curves;
  bool markers = true;  // a marker at each point (not for many points)
  LegendSide legend = LegendSide::Bottom;
  std::vector<std::string> gapLines;  // listed under the drawing
  std::string note;                   // points a log axis leaves out, or " "
};

// slots: the request's points in order (curve, then point), those not yet
// computed empty.
SweepPlot DescribeSweep(const SweepRequest& request, const SweepCaptions& captions,
                        const std::vector<std::optional<SweepPoint>>& slots, bool logX, bool logY);
// The second-axis rule: a result more than ten times apart in magnitude from
// the first one's goes on the second axis. One flag per output.
std::vector<bool> SecondAxes(const SweepRequest& request, const std::vector<std::optional<SweepPoint>>& slots);

// A field of a CSV line: quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);
// The table of a sweep: headings, then one row per point; ',' gives CSV,
// another separator plain fields.
std::string SweepTable(const SweepRequest& request, const SweepCaptions& captions,
                       const std::vector<SweepPoint>& points, char separator);

// --- the look of a chart (core/chart.h) ---
enum class MarkShape { Circle, Square, Triangle, Diamond };
const char* ShapeName(MarkShape shape);  // "circle", "square", "triangle", "diamond"

// An axis as drawn: from lo to hi, with a tick every step from a multiple of
// it (step 0: the view's own ticks, as for a log axis or an equal scale).
struct AxisRange {
  double lo = 0, hi = 1;
  double step = 0;
};

// A round step near span/count: 1, 2, 2.5 or 5 times a power of ten.
double NiceStep(double span, int count);

struct ChartLook {
  struct Series {
    std::string colour;
    Dash dash = Dash::Solid;
    double width = 2;      // of a line, in pixels
    double marker = 7;     // of a point, in pixels
    bool secondAxis = false;
    bool inLegend = false;
  };
  // Marks are drawn in groups: one legend entry each.
  struct Mark {
    int group = 0;
    std::string colour;  // alarm red or the marks' colour
    MarkShape shape = MarkShape::Circle;
    bool secondAxis = false;
  };
  struct Group {
    std::string legend;  // its name in the legend (empty: none)
    std::string colour;
    MarkShape shape = MarkShape::Circle;
    bool secondAxis = false;
    bool alarm = false;
  };
  std::vector<Series> series;  // one per series of the data
  std::vector<Mark> marks;     // one per mark of the data
  std::vector<Group> groups;
  double markSize = 11;
  bool legend = false;  // whether anything is named
  // The ranges the data needs, with a little room so that no point sits on
  // the frame (a linear axis widened to round ticks unless the chart keeps
  // an equal scale, which the view settles for its drawing's shape).
  AxisRange x, y, y2;
};
// More mark names than this share one legend entry.
inline constexpr int kMarkLegendEntries = 3;
ChartLook DescribeChart(const ChartData& data);

}  // namespace core
