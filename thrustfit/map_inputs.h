// How the two matching windows read their input boxes: each box with the
// leading parser, into the precision of the variable it stands for (a
// Single is rounded to float), as a small table per use.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "thrustfit/component_maps.h"

namespace maps {

enum class Precision { Single, Double };

struct BoxRead {
  const core::TextBox* box;
  Precision precision;
};

double Read(const core::Form& form, BoxRead in);
inline float ReadSingle(const core::Form& form, const core::TextBox* box) {
  return static_cast<float>(Read(form, {box, Precision::Single}));
}

// The boxes of the three component maps.
struct MapBoxes {
  BoxRead c1, c2, c3, c4, c5, nc2d, etacd, mu;
  BoxRead b1, b2, h, etabd;
  BoxRead pitc, k1, k2, mc4c, nc4d, etatd;
};

struct MapInputs {
  Compressor comp;
  Burner burn;
  Turbine turb;
};

MapInputs ReadMaps(const core::Form& form, const MapBoxes& boxes);

// The rows both windows set their boxes in: row n of a frame, and the height
// of a frame of n rows.
inline int RowY(int row) { return 14 + row * 26; }
inline int FrameH(int rows) { return RowY(rows) + 6; }

// A caption and its input box on row n of a frame, the box holding text.
core::TextBox* InputRow(core::Form& form, core::Frame* in, const std::string& label,
                         const std::string& caption, const std::string& box,
                         const std::string& text, int row, int labelWidth, int boxWidth);
// A caption at x and its read-only result box on row n of a frame.
core::TextBox* OutputRow(core::Form& form, core::Frame* in, const std::string& label,
                          const std::string& caption, const std::string& box, int x, int row,
                          int labelWidth);

// The maps a match settled on, and where it settled on them.
struct MatchedMaps {
  Compressor comp;
  Turbine turb;
  double mc2 = 0, pic = 0, nc2 = 0;
  double pit = 0, mc4 = 0, nc4 = 0;
  bool surged = false;
};

// The charts of both matching windows.
std::vector<std::string> MatchChartNames();
// Chart name of a matching window: the maps as its boxes give them now;
// the matched point of its last Calculate (as it shows it) while those are
// still the maps it was matched on; on the compressor map, the matched
// points of the window's last sweep of mc2 and pic.
core::ChartData MatchChart(const core::Form& form, const std::string& name,
                            const MapInputs& now, const std::optional<MatchedMaps>& last);

}  // namespace maps
